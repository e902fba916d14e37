// The icon list: empty slots kept through its stream, storing only what differs, and one change
// notice for a batch.
#include "components/graphics/IcoList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "IconFile.h"
#include "rtl/Exceptions.h"
#include "rtl/Filer.h"
#include "ui/testing/UiTesting.h"

namespace {

TIcon* NewIcon(int size) {
  auto* icon = new TIcon;
  std::vector<std::uint8_t> bytes = vt::test::IconFile(size, 4);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  stream.SetPosition(0);
  icon->LoadFromStream(&stream);
  return icon;
}

// A 16-pixel icon, an empty slot and a 32-pixel icon.
void AddIconsWithAGap(TIconList& list) {
  list.AddIcon(NewIcon(16));
  list.AddIcon(nullptr);
  list.AddIcon(NewIcon(32));
}

void ExpectIconsWithAGap(const TIconList& list) {
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Icons(0)->Width(), 16);
  EXPECT_EQ(list.Icons(1), nullptr);
  EXPECT_EQ(list.Icons(2)->Width(), 32);
}

TEST(IconList, EmptySlotsKeepTheirPlaceThroughSaveAndLoad) {
  vt::EnsureTestApplication();
  TIconList list;
  AddIconsWithAGap(list);
  TMemoryStream stream;
  list.SaveToStream(&stream);
  stream.SetPosition(0);
  TIconList copy;
  copy.LoadFromStream(&stream);
  ExpectIconsWithAGap(copy);

  TIconList empty;
  TMemoryStream emptyStream;
  empty.SaveToStream(&emptyStream);
  EXPECT_EQ(emptyStream.Size(), 4);
  EXPECT_FALSE(empty.StoresIcons(nullptr));
  EXPECT_TRUE(list.StoresIcons(nullptr));
  EXPECT_TRUE(list.StoresIcons(&copy));  // same icons, other objects
}

TEST(IconList, AnIndexOutsideTheListRaisesTheListIndexErrorAndChangesNothing) {
  vt::EnsureTestApplication();
  TIconList list;
  AddIconsWithAGap(list);
  std::unique_ptr<TIcon> icon(NewIcon(16));
  struct Case {
    const char* what;
    std::function<void()> call;
    int index;
  };
  const Case cases[] = {
      {"Icons", [&] { list.Icons(3); }, 3},
      {"Put past the end", [&] { list.Put(4, icon.get()); }, 4},
      {"Insert past the end", [&] { list.Insert(4, icon.get()); }, 4},
      {"Insert before the start", [&] { list.Insert(-1, icon.get()); }, -1},
      {"Delete", [&] { list.Delete(3); }, 3},
      {"Exchange", [&] { list.Exchange(0, 3); }, 3},
      {"Move from past the end", [&] { list.Move(3, 0); }, 3},
      {"Move to past the end", [&] { list.Move(0, 5); }, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(c.index) + ")");
    }
    ExpectIconsWithAGap(list);
  }
  list.Put(3, icon.get());  // at the end: appended
  EXPECT_EQ(list.Count(), 4);
}

TEST(IconList, ChangesInABatchAreReportedOnceAndEditsInPlaceAreReported) {
  vt::EnsureTestApplication();
  TIconList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.BeginUpdate();
  list.AddIcon(NewIcon(16));
  list.AddIcon(NewIcon(16));
  list.Exchange(0, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 1);
  std::unique_ptr<TIcon> other(NewIcon(32));
  list.Icons(0)->Assign(other.get());
  EXPECT_EQ(changes, 2);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 3);
}

}  // namespace

// As a form stores it: the property "Icons" in the form's stream, read back into another list.
TEST(IconList, FormStreamsCarryTheIconsProperty) {
  vt::EnsureTestApplication();
  TIconList list;
  AddIconsWithAGap(list);
  TMemoryStream stream;
  TWriter(&stream).WriteProperties(&list);
  stream.SetPosition(0);
  TIconList copy;
  TReader(&stream).ReadProperties(&copy);
  ExpectIconsWithAGap(copy);
  EXPECT_EQ(stream.Position(), stream.Size());

  TIconList empty;
  TMemoryStream emptyStream;
  TWriter(&emptyStream).WriteProperties(&empty);
  EXPECT_EQ(emptyStream.Size(), 1);  // the end of the property list alone
}
