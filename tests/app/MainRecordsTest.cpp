// The record commands of the main window's first four pages on a started camp: each editor
// opened by Add and Edit with Done in both modes, the delete guards and their messages, the
// attendee and chaperone searches with their refusals and resets, a search the database
// refuses, the Classes status filter, the page rule and the Exit buttons (Edit Company Info
// opens the company editor in its own tests).
#include "app/forms/Main.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/forms/AddEditAttendees.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/AddEditLeagues.h"
#include "app/forms/AddEditSessions.h"
#include "db/Fields.h"
#include "rtl/DateTime.h"
#include "rtl/StringList.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

using Names = std::vector<String>;
using vt::test::RunWhileModal;

Names Column(TDataSet* records, const char* field) {
  Names names;
  for (records->First(); !records->Eof(); records->Next()) names.push_back(records->FieldByName(field)->AsString());
  return names;
}

// One record page with its editor, as the tests drive it.
struct Page {
  TTabSheet* sheet;
  TDataSet* records;
  TForm* editor;
  TCheckBox* flag;
  TBitBtn* done;
  TDBGrid* grid;
};

void ShowPage(TTabSheet* sheet) {
  MainForm->PageControl1->SetActivePage(sheet);
  MainForm->PageControl1Change(MainForm->PageControl1);
}

class MainRecordsTest : public vt::test::StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    adams = AddAttendee("Adams", "Ann", 5, "Springfield", "12345");
    obrien = AddAttendee("O'Brien", "Liam", 6, "Shelbyville", "54321");
    AddAttendee("Zola", "Émile", 7, "Ogdenville", "12399");
    coach = camp.Insert("Chaperones", {{"LastName", String("Coach")}, {"FirstName", String("Carl")},
                                       {"City", String("Springfield")}});
    dunn = camp.Insert("Chaperones", {{"LastName", String("Dunn")}, {"FirstName", String("Dora")},
                                      {"City", String("Capital City")}});
    week1 = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    week2 = camp.AddSession("Week 2", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
    camp.AddSession("Winter", EncodeDate(2030, 1, 6), EncodeDate(2030, 1, 11), /*active=*/false);
    camp.Execute("UPDATE Sessions SET Location = 'Lake Camp' WHERE SessionID = " + IntToStr(week1));
    for (int session : {week1, week2}) camp.AddSessionType(session, "R", "Resident", 4);
    camp.AddEnrolment(week1, adams, "R");
    camp.AddChaperoneEnrolment(week1, coach, "R");
    for (const char* league : {"Juniors", "Seniors"})
      camp.Insert("Leagues", {{"SessionID", week1}, {"LeagueName", String(league)}, {"AddBy", String("Age")},
                              {"Coordinator", String("Pat")}});
    Start();
  }

  int AddAttendee(const char* last, const char* first, int grade, const char* city, const char* zip) {
    return camp.Insert("Attendees", {{"LastName", String(last)}, {"FirstName", String(first)}, {"Grade", grade},
                                     {"City", String(city)}, {"ZipCode", String(zip)}});
  }

  std::vector<Page> Pages() {
    TMainForm* m = MainForm;
    TSQLDataModule* d = SQLDataModule;
    return {{m->TabSheet1, d->qAttendees, AddEditAttendeesForm, AddEditAttendeesForm->CheckBox1,
             AddEditAttendeesForm->BitBtn1, m->DBGrid1},
            {m->TabSheet2, d->qChaperones, AddEditChaperonesForm, AddEditChaperonesForm->CheckBox1,
             AddEditChaperonesForm->BitBtn1, m->DBGrid4},
            {m->TabSheet3, d->qSessions, AddEditSessionsForm, AddEditSessionsForm->CheckBox1,
             AddEditSessionsForm->BitBtn1, m->DBGrid5},
            {m->TabSheet4, d->tLeagues, AddEditLeaguesForm, AddEditLeaguesForm->CheckBox1,
             AddEditLeaguesForm->BitBtn1, m->DBGrid6}};
  }

  // The command run on the page, with script inside the editor it opens.
  void WithEditor(const Page& page, TAction* command, const std::function<void()>& script) {
    ShowPage(page.sheet);
    EXPECT_TRUE(RunWhileModal(page.editor, [&] { command->Execute(); }, script));
  }

  int Count(const String& sql) { return camp.Value(sql).AsInteger(); }

  Names Attendees() { return Column(SQLDataModule->qAttendees, "LastName"); }
  Names Chaperones() { return Column(SQLDataModule->qChaperones, "LastName"); }
  Names Sessions() { return Column(SQLDataModule->qSessions, "Description"); }

  int adams = 0, obrien = 0, coach = 0, dunn = 0, week1 = 0, week2 = 0;
};

TEST_F(MainRecordsTest, AddOpensEachPagesEditorOnANewRowWithItsPresetsAndDoneStoresIt) {
  struct Case {
    const char* field;
    const char* value;
    String stored;  // counts the stored row with its presets
  };
  const Case cases[] = {
      {"LastName", "Nash",
       "SELECT COUNT(*) FROM Attendees WHERE LastName = 'Nash' AND TotalCharged = 0 AND TotalCredits = 0 AND "
       "BalanceDue = 0"},
      {"LastName", "Nash",
       "SELECT COUNT(*) FROM Chaperones WHERE LastName = 'Nash' AND TotalOwed = 0 AND TotalPaid = 0 AND "
       "BalanceOwed = 0"},
      {"Description", "Week 3", "SELECT COUNT(*) FROM Sessions WHERE Description = 'Week 3' AND TeamCamp = 0"},
      {"LeagueName", "Minis",
       "SELECT COUNT(*) FROM Leagues WHERE LeagueName = 'Minis' AND AddBy = 'Grade' AND SessionID = " +
           IntToStr(week1)}};
  // A class is added with the list on the active classes, whatever it showed.
  MainForm->RadioGroup1->SetItemIndex(1);
  MainForm->RadioGroup1Click(MainForm->RadioGroup1);
  MainForm->ComboBox7->SetItemIndex(1);  // leagues by "Grade"
  const std::vector<Page> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const Page& page = pages[i];
    WithEditor(page, MainForm->acAdd, [&] {
      EXPECT_EQ(page.records->State(), dsInsert);
      EXPECT_FALSE(page.flag->Checked());
      EXPECT_EQ(page.editor->Left(), MainForm->Left() + (MainForm->Width() - page.editor->Width()) / 2);
      EXPECT_EQ(page.editor->Top(), MainForm->Top() + (MainForm->Height() - page.editor->Height()) / 2);
      page.records->FieldByName(cases[i].field)->SetAsString(cases[i].value);
      page.done->Click();
    });
    EXPECT_EQ(Count(cases[i].stored), 1) << cases[i].stored;
    EXPECT_EQ(page.records->State(), dsBrowse);
  }
  EXPECT_EQ(MainForm->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Sessions WHERE Description = 'Winter'"), 1);
  for (const String& session : Sessions()) EXPECT_NE(session, "Winter");
}

// Add, then Done with nothing typed, stores nothing, however far Tab walked through the first
// page (a session is stored with its copy of the default types as soon as Description is left:
// Done takes both away again). One field typed is enough to keep the record.
TEST_F(MainRecordsTest, AddThenDoneWithNothingTypedStoresNothing) {
  const String counts =
      "SELECT (SELECT COUNT(*) FROM Attendees) || '/' || (SELECT COUNT(*) FROM Chaperones) || '/' || "
      "(SELECT COUNT(*) FROM Sessions) || '/' || (SELECT COUNT(*) FROM SessionSessionTypes) || '/' || "
      "(SELECT COUNT(*) FROM Leagues)";
  const String before = camp.Value(counts).AsString();
  const std::vector<Page> pages = Pages();
  for (size_t i = 0; i < 3; ++i) {
    const Page& page = pages[i];
    SCOPED_TRACE(page.sheet->Name());
    for (int tabs : {0, 1, 14}) {
      WithEditor(page, MainForm->acAdd, [&] {
        for (int tab = 0; tab < tabs; ++tab) vt::SendKey(static_cast<TWinControl*>(Screen->ActiveControl()), VK_TAB);
        vt::ProcessEventsUntilIdle();
        vt::ClickControl(page.done);
      });
      EXPECT_EQ(camp.Value(counts).AsString(), before) << tabs << " tabs";
      EXPECT_EQ(page.records->State(), dsBrowse);
    }
  }
  WithEditor(pages[0], MainForm->acAdd, [&] {
    vt::TypeText(AddEditAttendeesForm->DBEdit3, "Nia");
    vt::ClickControl(pages[0].done);
  });
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Attendees WHERE FirstName = 'Nia' AND LastName IS NULL"), 1);
}

TEST_F(MainRecordsTest, EditAsksOnDoneNoKeepsTheStoredRowAndYesSavesIt) {
  struct Case {
    const char* key;
    Variant row;
    const char* field;
    String stored;  // the field's stored value
    bool sameRow;   // the page stays on the row (the session pages follow the first session again)
  };
  const Case cases[] = {
      {"CamperID", obrien, "FirstName", "SELECT FirstName FROM Attendees WHERE CamperID = " + IntToStr(obrien), true},
      {"ChaperoneID", dunn, "FirstName", "SELECT FirstName FROM Chaperones WHERE ChaperoneID = " + IntToStr(dunn), true},
      {"SessionID", week2, "Description", "SELECT Description FROM Sessions WHERE SessionID = " + IntToStr(week2),
       false},
      {"LeagueName", String("Seniors"), "Coordinator", "SELECT Coordinator FROM Leagues WHERE LeagueName = 'Seniors'",
       false}};
  const std::vector<Page> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const Page& page = pages[i];
    const Case& c = cases[i];
    for (const int answer : {mrNo, mrYes}) {
      ASSERT_TRUE(page.records->Locate(c.key, c.row, {}));
      const String before = camp.Value(c.stored).AsString();
      vt::DialogResponder responder;
      responder.Answer(answer);
      WithEditor(page, MainForm->acEdit, [&] {
        EXPECT_EQ(page.records->State(), dsEdit);
        EXPECT_TRUE(page.flag->Checked());
        page.records->FieldByName(c.field)->SetAsString(before + "!");
        page.done->Click();
      });
      ASSERT_EQ(responder.Shown().size(), 1u) << c.field;
      EXPECT_EQ(responder.Last().Text, "Do you wish to save your changes?");
      EXPECT_EQ(camp.Value(c.stored).AsString(), answer == mrYes ? before + "!" : before) << c.field;
      EXPECT_EQ(page.records->State(), dsBrowse);
      if (!c.sameRow) continue;
      EXPECT_EQ(page.records->FieldByName(c.key)->AsInteger(), c.row.AsInteger()) << c.field;
      EXPECT_EQ(page.records->FieldByName(c.field)->AsString(), camp.Value(c.stored).AsString()) << c.field;
    }
  }
}

TEST_F(MainRecordsTest, ADoubleClickOnAGridEditsItsRow) {
  SQLDataModule->qChaperones->Locate("ChaperoneID", Variant(dunn), {});
  ShowPage(MainForm->TabSheet2);
  MainForm->Show();
  vt::ProcessEventsUntilIdle();
  EXPECT_TRUE(RunWhileModal(AddEditChaperonesForm, [] { vt::DoubleClickControl(MainForm->DBGrid4, 40, 30); }, [] {
    EXPECT_EQ(SQLDataModule->qChaperones->State(), dsEdit);
    EXPECT_TRUE(AddEditChaperonesForm->CheckBox1->Checked());
    AddEditChaperonesForm->BitBtn1->Click();
  }));
}

TEST_F(MainRecordsTest, DeleteAsksFirstAndRefusesWhatIsInUse) {
  const String inUse = "This record cannot be deleted, because it is in use.";
  struct Case {
    size_t page;
    const char* key;
    int row;
    int answer;
    const char* refusal;  // the second box, if any
    String remaining;     // counts what must be left
    int expected;
  };
  const String attendee = "SELECT COUNT(*) FROM Attendees WHERE CamperID = ";
  const String chaperone = "SELECT COUNT(*) FROM Chaperones WHERE ChaperoneID = ";
  // The class and its types.
  auto session = [](int id) {
    const String key = IntToStr(id);
    return "SELECT (SELECT COUNT(*) FROM Sessions WHERE SessionID = " + key +
           ") + (SELECT COUNT(*) FROM SessionSessionTypes WHERE SessionID = " + key + ")";
  };
  const Case cases[] = {
      {0, "CamperID", adams, mrYes, inUse.c_str(), attendee + IntToStr(adams), 1},
      {0, "CamperID", obrien, mrNo, nullptr, attendee + IntToStr(obrien), 1},
      {0, "CamperID", obrien, mrYes, nullptr, attendee + IntToStr(obrien), 0},
      {1, "ChaperoneID", coach, mrYes, inUse.c_str(), chaperone + IntToStr(coach), 1},
      {1, "ChaperoneID", dunn, mrYes, nullptr, chaperone + IntToStr(dunn), 0},
      {3, "LeagueName", 0, mrYes, nullptr, "SELECT COUNT(*) FROM Leagues WHERE LeagueName = 'Juniors'", 0},
      {2, "SessionID", week1, mrYes, inUse.c_str(), session(week1), 2},
      {2, "SessionID", week2, mrYes, nullptr, session(week2), 0}};
  const std::vector<Page> pages = Pages();
  for (const Case& c : cases) {
    const Page& page = pages[c.page];
    ShowPage(page.sheet);
    if (c.row) ASSERT_TRUE(page.records->Locate(c.key, Variant(c.row), {}));
    else ASSERT_TRUE(page.records->Locate(c.key, Variant(String("Juniors")), {}));
    vt::DialogResponder responder;
    responder.Answer(c.answer);
    if (c.refusal) responder.Answer(mrOk);
    MainForm->acDelete->Execute();
    ASSERT_EQ(responder.Shown().size(), c.refusal ? 2u : 1u) << c.remaining;
    EXPECT_EQ(responder.Shown()[0].Text, "Are you sure you want to delete this record?");
    EXPECT_EQ(responder.Shown()[0].Caption, "Comfirm Delete");
    EXPECT_EQ(responder.Shown()[0].Buttons, (std::vector<int>{mrYes, mrNo}));
    if (c.refusal) {
      EXPECT_EQ(responder.Last().Text, c.refusal);
      EXPECT_EQ(responder.Last().Caption, "Error");
    }
    EXPECT_EQ(Count(c.remaining), c.expected) << c.remaining;
  }
  EXPECT_EQ(Attendees(), (Names{"Adams", "Zola"}));
  EXPECT_EQ(Chaperones(), (Names{"Coach"}));
}

TEST_F(MainRecordsTest, AClassDeleteThatFailsPartWayLeavesTheClassAndItsTypes) {
  camp.Execute("CREATE TRIGGER fail BEFORE DELETE ON Sessions BEGIN SELECT RAISE(ABORT, 'injected'); END");
  ShowPage(MainForm->TabSheet3);
  TADOQuery* sessions = SQLDataModule->qSessions;
  ASSERT_TRUE(sessions->Locate("SessionID", Variant(week2), {}));
  vt::DialogResponder responder;
  responder.Answer(mrYes).Answer(mrOk);
  MainForm->acDelete->Execute();
  EXPECT_EQ(responder.Last().Text, "Unable to delete this record. There may be activity associated with it.");
  EXPECT_EQ(responder.Last().Caption, "Error");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM SessionSessionTypes WHERE SessionID = " + IntToStr(week2)), 1);
  EXPECT_EQ(sessions->FieldByName("SessionID")->AsInteger(), week2);
  EXPECT_EQ(Sessions(), (Names{"Week 1", "Week 2"}));
}

TEST_F(MainRecordsTest, TheSearchesFindByEachFieldWithTheTextTakenAsText) {
  struct Case {
    TEdit* edit;
    TComboBox* field;
    TBitBtn* search;
    int item;
    const char* text;
    Names found;
    bool chaperones;
  };
  TMainForm* m = MainForm;
  const Case cases[] = {
      {m->Edit1, m->ComboBox1, m->BitBtn2, 0, "o'b", {"O'Brien"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 0, "1 OR 1=1", {}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 0, "%", {"Adams", "O'Brien", "Zola"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 0, "_d", {"Adams"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 1, "6", {"O'Brien"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 1, " 7 ", {"Zola"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 2, "SPRING", {"Adams"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 3, "émile", {"Zola"}, false},
      {m->Edit1, m->ComboBox1, m->BitBtn2, 4, "123", {"Adams", "Zola"}, false},
      {m->Edit2, m->ComboBox2, m->BitBtn4, 0, "du", {"Dunn"}, true},
      {m->Edit2, m->ComboBox2, m->BitBtn4, 0, "x' OR 'a'='a", {}, true},
      {m->Edit2, m->ComboBox2, m->BitBtn4, 1, "spring", {"Coach"}, true},
      {m->Edit2, m->ComboBox2, m->BitBtn4, 2, "do", {"Dunn"}, true}};
  vt::DialogResponder responder;  // no box expected
  for (const Case& c : cases) {
    c.field->SetItemIndex(c.item);
    c.edit->SetText(c.text);
    c.search->Click();
    EXPECT_EQ(c.chaperones ? Chaperones() : Attendees(), c.found) << c.text;
  }
  // Enter in the search text runs the search.
  m->ComboBox1->SetItemIndex(0);
  m->Edit1->SetText("z");
  vt::SendKey(m->Edit1, VK_RETURN);
  EXPECT_EQ(Attendees(), (Names{"Zola"}));
  // Reset lists everyone again and leaves the text.
  m->BitBtn3->Click();
  m->BitBtn5->Click();
  EXPECT_EQ(Attendees(), (Names{"Adams", "O'Brien", "Zola"}));
  EXPECT_EQ(Chaperones(), (Names{"Coach", "Dunn"}));
  EXPECT_EQ(m->Edit1->Text(), "z");
}

TEST_F(MainRecordsTest, ASearchThatCannotRunLeavesTheListAsItWas) {
  TMainForm* m = MainForm;
  m->ComboBox1->SetItemIndex(0);
  m->Edit1->SetText("O'B");
  m->BitBtn2->Click();
  m->ComboBox2->SetItemIndex(0);
  m->Edit2->SetText("Dunn");
  m->BitBtn4->Click();
  const Names attendees = {"O'Brien"}, chaperones = {"Dunn"};
  ASSERT_EQ(Attendees(), attendees);

  // A Grade that is not a whole number is refused before the list changes.
  m->ComboBox1->SetItemIndex(1);
  for (const char* grade : {"abc", "1 OR 1=1", "5.5", "$A", " "}) {
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    m->Edit1->SetText(grade);
    m->BitBtn2->Click();
    ASSERT_EQ(responder.Shown().size(), 1u) << grade;
    EXPECT_EQ(responder.Last().Text, "Please enter a whole number to search by Grade.");
    EXPECT_EQ(responder.Last().Caption, "Error");
    EXPECT_EQ(Attendees(), attendees) << grade;
  }
  // Nothing typed, or no field chosen: nothing happens.
  vt::DialogResponder silent;
  m->Edit1->SetText("");
  m->BitBtn2->Click();
  m->Edit2->SetText("");
  m->BitBtn4->Click();
  m->Edit1->SetText("Adams");
  m->ComboBox1->SetItemIndex(-1);
  m->BitBtn2->Click();
  m->Edit2->SetText("Coach");
  m->ComboBox2->SetItemIndex(-1);
  m->ComboBox2->SetText("Nickname");
  m->BitBtn4->Click();
  EXPECT_EQ(Attendees(), attendees);
  EXPECT_EQ(Chaperones(), chaperones);
}

TEST_F(MainRecordsTest, ASearchTheDatabaseRefusesShowsWhyAndKeepsThePreviousList) {
  MainForm->ComboBox1->SetItemIndex(0);
  MainForm->Edit1->SetText("Adams");
  MainForm->BitBtn2->Click();
  // A row whose listing the database cannot compute: only a search that reaches it fails.
  AddAttendee("Bang", "Bo", 5, "Boomtown", "99999");
  camp.Execute("ALTER TABLE Attendees ADD COLUMN Broken INTEGER AS "
               "(CASE WHEN City = 'Boomtown' THEN abs(-9223372036854775808) END)");
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  MainForm->ComboBox1->SetItemIndex(2);
  MainForm->Edit1->SetText("B");
  MainForm->BitBtn2->Click();
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Text.rfind("The search could not be run: ", 0), 0u) << responder.Last().Text;
  EXPECT_NE(responder.Last().Text.find("integer overflow"), String::npos) << responder.Last().Text;
  EXPECT_TRUE(SQLDataModule->qAttendees->Active());
  EXPECT_EQ(Attendees(), (Names{"Adams"}));

  // The list is not empty, so the guards still speak of deleting, not of a closed dataset.
  ShowPage(MainForm->TabSheet1);
  responder.Answer(mrNo);
  MainForm->acDelete->Execute();
  EXPECT_EQ(responder.Last().Text, "Are you sure you want to delete this record?");
}

TEST_F(MainRecordsTest, TheClassesStatusFilterAndSearchLines) {
  TMainForm* m = MainForm;
  struct Case {
    int status;
    int field;
    const char* text;
    TBitBtn* button;  // Search or Reset
    Names found;
  };
  const Case cases[] = {{2, 0, "", m->BitBtn7, {"Week 1", "Week 2", "Winter"}},
                        {1, 0, "", m->BitBtn7, {"Winter"}},
                        {2, 1, "lake", m->BitBtn7, {"Week 1"}},
                        {0, 1, "", m->BitBtn7, {"Week 1"}},  // empty text: the location line stays
                        {2, 1, "", m->BitBtn8, {"Week 1", "Week 2", "Winter"}},
                        {0, 1, "lake", m->BitBtn8, {"Week 1", "Week 2"}}};
  for (const Case& c : cases) {
    m->RadioGroup1->SetItemIndex(c.status);
    m->ComboBox3->SetItemIndex(c.field);
    m->Edit3->SetText(c.text);
    c.button->Click();
    EXPECT_EQ(Sessions(), c.found) << c.status << " " << c.text;
  }
  EXPECT_EQ(m->Edit3->Text(), "lake");  // the reset keeps the text
  vt::SendKey(m->Edit3, VK_RETURN);
  EXPECT_EQ(Sessions(), (Names{"Week 1"}));
}

// A Begin Date box holding no date: Search and Enter say so and change nothing, while a status
// chosen under "View Status", or set by Add, is what the list shows.
TEST_F(MainRecordsTest, WithNoDateInTheBeginDateBoxTheListStillFollowsTheStatus) {
  TMainForm* m = MainForm;
  ShowPage(m->TabSheet3);
  m->ComboBox3->SetItemIndex(0);
  m->Edit3->SetText("soon");
  vt::DialogResponder responder;
  responder.Answer(mrOk).Answer(mrOk).Answer(mrOk);
  vt::ClickControl(m->BitBtn7);
  EXPECT_EQ(Sessions(), (Names{"Week 1", "Week 2"}));
  m->RadioGroup1->SetItemIndex(1);  // "Inactive"
  m->RadioGroup1Click(m->RadioGroup1);
  EXPECT_EQ(Sessions(), (Names{"Winter"}));
  WithEditor(Pages()[2], m->acAdd, [&] {
    EXPECT_EQ(m->RadioGroup1->ItemIndex(), 0);
    AddEditSessionsForm->BitBtn1->Click();
  });
  EXPECT_EQ(Sessions(), (Names{"Week 1", "Week 2"}));
  ASSERT_EQ(responder.Shown().size(), 3u);
  for (const vt::ShownDialog& shown : responder.Shown())
    EXPECT_EQ(shown.Text.substr(0, 26), "Please enter a date such a");
}

TEST_F(MainRecordsTest, TheRecordCommandsServeTheFirstFourPagesOnly) {
  TMainForm* m = MainForm;
  for (TTabSheet* sheet : {m->TabSheet5, m->TabSheet14, m->TabSheet6, m->TabSheet7}) {
    ShowPage(sheet);
    for (TAction* action : {m->acAdd, m->acEdit, m->acDelete}) EXPECT_FALSE(action->Enabled()) << sheet->Name();
  }
  for (const Page& page : Pages()) {
    ShowPage(page.sheet);
    for (TAction* action : {m->acAdd, m->acEdit, m->acDelete}) EXPECT_TRUE(action->Enabled()) << page.sheet->Name();
  }
}

TEST_F(MainRecordsTest, EveryExitButtonAsksAndOnlyYesEndsTheProgram) {
  TMainForm* m = MainForm;
  vt::DialogResponder responder;
  for (TBitBtn* exit : {m->BitBtn14, m->BitBtn6, m->BitBtn9, m->BitBtn12, m->BitBtn16, m->BitBtn22, m->BitBtn51}) {
    responder.Answer(mrNo);
    exit->Click();
    EXPECT_EQ(responder.Last().Text, "Are you sure you want to exit the program?") << exit->Name();
    EXPECT_EQ(responder.Last().Caption, "Comfirm Departure.") << exit->Name();
    EXPECT_FALSE(Application->Terminated()) << exit->Name();
  }
  responder.Answer(mrYes);
  m->BitBtn9->Click();
  EXPECT_TRUE(Application->Terminated());
}

// An empty camp: every page's Edit, double-click and Delete say there is nothing to work on.
class MainRecordsEmptyTest : public vt::test::StartedCamp {};

TEST_F(MainRecordsEmptyTest, EditAndDeleteOnAnEmptyListSayThereIsNothingToDo) {
  Start();
  TMainForm* m = MainForm;
  const std::pair<TTabSheet*, TDBGrid*> pages[] = {
      {m->TabSheet1, m->DBGrid1}, {m->TabSheet2, m->DBGrid4}, {m->TabSheet3, m->DBGrid5}, {m->TabSheet4, m->DBGrid6}};
  for (const auto& [sheet, grid] : pages) {
    ShowPage(sheet);
    vt::ProcessEventsUntilIdle();
    vt::DialogResponder responder;
    responder.Answer(mrOk).Answer(mrOk).Answer(mrOk);
    m->acEdit->Execute();
    vt::DoubleClickControl(grid, 40, 30);
    m->acDelete->Execute();
    std::vector<String> texts;
    for (const vt::ShownDialog& shown : responder.Shown()) {
      texts.push_back(shown.Text);
      EXPECT_EQ(shown.Caption, "Error");
      EXPECT_EQ(shown.Buttons, (std::vector<int>{mrOk}));
    }
    EXPECT_EQ(texts, (std::vector<String>{"There is nothing to edit.", "There is nothing to edit.",
                                          "There is nothing to delete."}))
        << sheet->Name();
  }
}

}  // namespace
