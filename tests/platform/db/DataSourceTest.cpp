// Data sources and links: a control's pending text is written before Post, the links hear
// state, scroll and field changes, and DisableControls holds the notifications back.
#include "db/DataSource.h"

#include <gtest/gtest.h>

#include "DbFixture.h"

namespace {

// Stands in for an edit control bound to one field: it keeps the text the user typed.
struct FakeEdit {
  TFieldDataLink link;
  String text;
  int shown = 0;
  FakeEdit(TDataSource* source, const char* field) {
    link.OnDataChange = [this](TObject*) {
      text = link.Field() ? link.Field()->Text() : "";
      ++shown;
    };
    link.OnUpdateData = [this](TObject*) { link.Field()->SetText(text); };
    link.SetDataSource(source);
    link.SetFieldName(field);
  }
  void Type(const String& typed) {
    ASSERT_TRUE(link.Edit());
    text = typed;
    link.Modified();
  }
};

using DataSourceTest = DbFixture;

TEST_F(DataSourceTest, PostWritesPendingControlTextFirst) {
  TADOTable* people = Table("People");
  people->SetIndexFieldNames("PersonID");
  auto* source = new TDataSource(owner_);
  source->SetDataSet(people);
  FakeEdit city(source, "City");
  FakeEdit balance(source, "Balance");
  people->Open();
  EXPECT_EQ(city.text, "Boston");
  city.Type("Portland");
  balance.Type("12.75");
  EXPECT_EQ(people->State(), dsEdit);
  people->Post();
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Portland");
  EXPECT_EQ(Scalar("SELECT Balance FROM People WHERE PersonID = 1").AsDouble(), 12.75);

  // Scrolling in edit posts the pending text too; Reset drops it.
  city.Type("Reno");
  people->Next();
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Reno");
  EXPECT_EQ(city.text, "Austin");
  city.Type("Typo");
  city.link.Reset();
  people->Post();
  EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 2").AsString(), "Austin");
}

TEST_F(DataSourceTest, LinksFollowStateAndDisableControlsHoldsEventsBack) {
  TADOTable* people = Table("People");
  auto* source = new TDataSource(owner_);
  source->SetDataSet(people);
  int stateChanges = 0, dataChanges = 0;
  source->OnStateChange = [&](TObject*) { ++stateChanges; };
  source->OnDataChange = [&](TObject*, TField*) { ++dataChanges; };
  FakeEdit name(source, "LastName");
  EXPECT_EQ(name.link.Field(), nullptr);
  people->Open();
  ASSERT_NE(name.link.Field(), nullptr);
  EXPECT_TRUE(name.link.Active());
  EXPECT_EQ(stateChanges, 1);

  people->DisableControls();
  int shownBefore = name.shown;
  int changesBefore = dataChanges;
  people->Next();
  people->Next();
  EXPECT_EQ(name.shown, shownBefore);
  EXPECT_EQ(dataChanges, changesBefore);
  people->EnableControls();
  EXPECT_EQ(name.text, "Clark");

  people->Edit();
  EXPECT_TRUE(name.link.Editing());
  people->Cancel();
  EXPECT_FALSE(name.link.Editing());
  people->Close();
  EXPECT_FALSE(name.link.Active());
  EXPECT_EQ(name.link.Field(), nullptr);
  EXPECT_EQ(source->State(), dsInactive);
}

}  // namespace
