// Opening a database file the program cannot work with: a damaged or empty file is named as
// damaged, one that cannot be written (read-only disk, full disk) says what the user can do, and
// the file is left byte for byte as it was, its journal mode included.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "db/Connection.h"
#include "rtl/Exceptions.h"
#include "tests/fixtures/ScratchMount.h"

namespace {

String Contents(const String& path) {
  std::ifstream file(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(file), {});
}

void Overwrite(const String& path, const String& contents) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

// A camp of some pages in the rollback-journal mode, so that a switch of mode would show.
void MakeCamp(const String& path) {
  vt::CreateDatabaseFile(path, R"(
    CREATE TABLE People (PersonID INTEGER PRIMARY KEY, Name TEXT);
    CREATE INDEX PeopleByName ON People (Name);
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
      INSERT INTO People SELECT i, printf('person %d with a longer name to fill pages', i) FROM n;)");
}

// The message of opening the file, or "" when it opened.
String OpeningMessage(const String& path) {
  TADOConnection connection(nullptr);
  connection.SetConnectionString("Data Source=" + path);
  try {
    connection.Open();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "";
}

class Opening : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/vt-opening-test-XXXXXX";
    folder_ = String(mkdtemp(pattern)) + "/";
    path_ = folder_ + "Camp Data.mdb";
    MakeCamp(path_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  String folder_;
  String path_;
};

TEST_F(Opening, ADamagedOrEmptyFileIsNamedAsDamagedAndLeftByteForByte) {
  const String whole = Contents(path_);
  ASSERT_GT(whole.size(), 16u * 4096);
  String zeroedPage = whole;
  std::fill(zeroedPage.begin() + 4 * 4096, zeroedPage.begin() + 5 * 4096, '\0');
  String badHeader = whole;
  badHeader.replace(0, 16, "Not a camp file!");
  const struct {
    const char* damage;
    String contents;
  } cases[] = {
      {"empty", ""},
      {"truncated", whole.substr(0, whole.size() / 2)},
      {"a zeroed page", zeroedPage},
      {"a bad header", badHeader},
  };
  for (const auto& c : cases) {
    Overwrite(path_, c.contents);
    const String message = OpeningMessage(path_);
    EXPECT_NE(message.find("The database '" + path_ + "' is damaged"), String::npos) << c.damage << ": " << message;
    EXPECT_NE(message.find("Restore it from a backup copy"), String::npos) << c.damage << ": " << message;
    EXPECT_TRUE(Contents(path_) == c.contents) << c.damage;
    EXPECT_FALSE(std::filesystem::exists(path_ + "-wal")) << c.damage;
  }
}

// Opening a file again after a clean close, as the next run of the program does: damage done
// after the close, at once or after a pause, is found as on the first opening, and the file is
// left as it was.
TEST_F(Opening, DamageDoneAfterACleanCloseIsNamedOnTheNextOpening) {
  ASSERT_EQ(OpeningMessage(path_), "");
  const String whole = Contents(path_);
  String zeroedPage = whole;
  std::fill(zeroedPage.begin() + 6 * 4096, zeroedPage.begin() + 7 * 4096, '\0');
  const struct {
    const char* damage;
    String contents;
  } cases[] = {
      {"a zeroed page", zeroedPage},
      {"truncated", whole.substr(0, whole.size() - 4096)},
      {"empty", ""},
  };
  for (const bool pause : {false, true})
    for (const auto& c : cases) {
      Overwrite(path_, whole);
      if (pause) std::this_thread::sleep_for(std::chrono::milliseconds(30));
      ASSERT_EQ(OpeningMessage(path_), "") << c.damage;  // opened and closed cleanly
      Overwrite(path_, c.contents);
      const String message = OpeningMessage(path_);
      EXPECT_NE(message.find("The database '" + path_ + "' is damaged"), String::npos)
          << c.damage << (pause ? ", after a pause: " : ": ") << message;
      EXPECT_TRUE(Contents(path_) == c.contents) << c.damage;
    }
}

TEST_F(Opening, AFileOnAReadOnlyOrFullDiskIsRefusedWithWhatToDoAndLeftByteForByte) {
  vt::test::ScratchMount disk(4 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  const String path = disk.Folder() + "Camp Data.mdb";
  std::filesystem::copy_file(path_, path);
  const String before = Contents(path);
  const struct {
    const char* disk;
    std::function<void()> make;
    const char* reason;
    const char* remedy;
  } cases[] = {
      {"read-only", [&] { disk.SetReadOnly(true); }, "the file is read-only", "Make the file writable"},
      {"full", [&] { disk.LeaveFree(4096); }, "the disk holding it is full", "Make room on the disk"},
  };
  for (const auto& c : cases) {
    c.make();
    const String message = OpeningMessage(path);
    EXPECT_EQ(message, "The database '" + path + "' cannot be saved to: " + c.reason + ". " + c.remedy +
                           ", then start the program again.")
        << c.disk;
    EXPECT_TRUE(Contents(path) == before) << c.disk;
    disk.SetReadOnly(false);
    disk.Unfill();
  }
  EXPECT_EQ(OpeningMessage(path), "");  // once there is room and the disk is writable again
}

}  // namespace
