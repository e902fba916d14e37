// The main window over a started camp: the noun captions of the company record, the session
// switch from each of its entry points, activation after a modal editor but not after a message
// box, grid widths kept between runs, and the window actions.
#include "app/forms/Main.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include <QWidget>

#include "app/About.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/AddEditAttendees.h"
#include "components/edits/VtLabel.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/IniFiles.h"
#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/UnderLocale.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"
#include "win/shell/Shell.h"

namespace {

// For a person looking at the forms: VT_SCREENSHOT_DIR names a folder for their pictures.
void SaveScreenshotWhenAsked(TCustomForm* form, const String& fileName) {
  if (const char* folder = std::getenv("VT_SCREENSHOT_DIR")) vt::SaveScreenshot(form, String(folder) + "/" + fileName);
}

class MainTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    week1 = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    week2 = camp.AddSession("Week 2", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
    for (int session : {week1, week2}) {
      const String n = IntToStr(session);
      rooms[session] = camp.AddRoom(session, "Inn", "R" + n, 4);
      camp.AddRoom(session, "Inn", "C" + n, 2, /*forChaperones=*/true);
      teams[session] = camp.AddTeam(session, "Juniors", "Team" + n);
      camp.AddSessionType(session, "R", "Resident", 4);
      const int chaperone = camp.AddChaperone("Coach", "Of" + n);
      camp.AddChaperoneEnrolment(session, chaperone, "R");
    }
    StartVantrel();
  }
  void TearDown() override {
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
  }

  void SetTerms(const String& assignments) {
    camp.Execute("UPDATE CoSys SET " + assignments);
    SQLDataModule->qCoSYS->Close();
    SQLDataModule->qCoSYS->Open();
    MainForm->FormActivate(MainForm);
  }

  // The sessions the Classes search lists for text under the chosen field and status.
  std::vector<int> SessionsFoundBy(const String& text) {
    MainForm->Edit3->SetText(text);
    MainForm->RadioGroup1Click(MainForm->RadioGroup1);
    std::vector<int> found;
    TADOQuery* sessions = SQLDataModule->qSessions;
    for (sessions->First(); !sessions->Eof(); sessions->Next())
      found.push_back(sessions->FieldByName("SessionID")->AsInteger());
    return found;
  }

  // Every session-dependent query names the session, the first room and the first team.
  void ExpectFollows(int session, const String& how) {
    const String sid = IntToStr(session);
    TSQLDataModule* d = SQLDataModule;
    auto line = [](TADOQuery* q, int n) { return q->SQL()->Strings(n); };
    EXPECT_EQ(line(d->qAttendeesInRooms, 2), "WHERE AttendeeSession.SessionID = " + sid) << how;
    EXPECT_EQ(line(d->qChaperonesInRooms, 2), "Where ChaperoneSession.SessionID = " + sid) << how;
    EXPECT_EQ(line(d->qAttendeesInTeams, 3), "AND AttendeeSession.SessionID = " + sid) << how;
    EXPECT_EQ(line(d->qAttendeesAlreadyInRooms, 2), "WHERE AttendeeSession.RoomID = " + IntToStr(rooms[session])) << how;
    EXPECT_EQ(line(d->qAttendeesAlreadyInRooms, 3), "AND  AttendeeSession.SessionID = " + sid) << how;
    EXPECT_EQ(line(d->qChaperonesAlreadyInRooms, 3), "AND  ChaperoneSession.SessionID = " + sid) << how;
    EXPECT_EQ(line(d->qAttendeesAlreadyInTeams, 2), "WHERE AttendeeSession.TeamID = " + IntToStr(teams[session])) << how;
    EXPECT_EQ(line(d->qAttendeesAlreadyInTeams, 3), "AND  AttendeeSession.SessionID = " + sid) << how;
    EXPECT_TRUE(d->qAttendeesAlreadyInTeams->Active()) << how;
    EXPECT_EQ(MainForm->ComboBox8->Items()->CommaText(), "\"Coach Of" + sid + "\"") << how;
    EXPECT_EQ(MainForm->ComboBox5->Items()->CommaText(), "\"Coach Of" + sid + "\"") << how;
  }

  vt::test::CampFixture camp;
  int week1 = 0;
  int week2 = 0;
  std::map<int, int> rooms;
  std::map<int, int> teams;
};

TEST_F(MainTest, NounCaptionsFollowTheCompanyRecordAndEmptyNounsKeepWhatWasThere) {
  TMainForm* m = MainForm;
  SetTerms("Attendees = NULL");
  EXPECT_EQ(m->Caption(), "Acme Camps - Tracking Program");
  EXPECT_EQ(m->Widget()->windowTitle().toStdString(), "Acme Camps - Tracking Program") << "the title bar";
  struct Expected {
    TControl* control;
    const char* empty;
    const char* full;
    const char* emptiedAgain;
  };
  const Expected rows[] = {
      {m->TabSheet1, "Attendees", "Campers", "Campers"},
      {m->TabSheet9, "Unassigned Attendees", "Unassigned Campers", "Unassigned Campers"},
      {m->BitBtn31, "Print Attendee List", "Print Camper List", "Print Camper List"},
      {m->TabSheet2, "Coaches", "Guides", "Guides"},
      {m->TabSheet3, "Sessions", "Weeks", "Sessions"},
      {m->TabSheet4, "Leagues", "Groups", "Groups"},
      {m->TabSheet6, "Create Teams", "Create Squads", "Create Squads"},
      {m->RadioGroup2, "Create Teams For Types", "Create Squads for Types:", "Create Squads for Types:"},
      {m->BitBtn25, "New Team", "New Squad", "New Squad"},
      {m->Label38, "Change to Session:", "Change to Week:", "Change to Week:"},
      {m->Label37, "Change to Session:", "Change to Session:", "Change to Session:"},
      {m->Label15, "Selected Session", "Selected Week", "Selected Session"},
      {m->TabSheet14, "Assign Chaperone Rooms", "Assign Guide Rooms", "Assign Chaperone Rooms"},
      {m->TabSheet15, "Unassigned Chaperones", "Unassigned Guides", "Unassigned Chaperones"},
      {m->Label17, "Import Default Leagues", "Import Default Groups", "Import Default Leagues"},
      {m->Label19, "Leagues By:", "Groups By:", "Leagues By:"},
      {m->Label20, "Chaperone:", "Guide:", "Chaperone:"},
  };
  for (const Expected& row : rows) EXPECT_EQ(row.control->Caption(), row.empty) << row.control->Name();

  SetTerms("Attendees = 'Camper', AttendeesP = 'Campers', Chaperones = 'Guide', ChaperonesP = 'Guides', "
           "Sessions = 'Week', SessionsP = 'Weeks', AgeGroups = 'Group', AgeGroupsP = 'Groups', "
           "Teams = 'Squad', TeamsP = 'Squads'");
  for (const Expected& row : rows) EXPECT_EQ(row.control->Caption(), row.full) << row.control->Name();
  EXPECT_EQ(m->DBGrid2->Columns()->Items(0)->Title()->Caption(), "Week ID");
  EXPECT_EQ(m->DBGrid10->Columns()->Items(2)->Title()->Caption(), "Guide");
  EXPECT_EQ(m->ComboBox11->Items()->CommaText(), "Position,Squad");

  SetTerms("Attendees = '', AttendeesP = '', Chaperones = '', ChaperonesP = '', Sessions = '', "
           "SessionsP = '', AgeGroups = '', AgeGroupsP = '', Teams = '', TeamsP = ''");
  for (const Expected& row : rows) EXPECT_EQ(row.control->Caption(), row.emptiedAgain) << row.control->Name();

  SetTerms("ChaperonesP = 'Guides'");  // a plural without its singular leaves the singular empty
  EXPECT_EQ(m->TabSheet14->Caption(), "Assign  Rooms");

  camp.Execute("DELETE FROM CoSys");
  SetTerms("Attendees = NULL");
  EXPECT_EQ(m->Caption(), "You need to enter your company information.");
  EXPECT_FALSE(m->acAdd->Enabled());
  EXPECT_FALSE(m->acDelete->Enabled());
}

TEST_F(MainTest, EverySessionSwitchRepointsEverySessionDependentQuery) {
  MainForm->FormActivate(MainForm);
  ExpectFollows(week1, "activation");  // the first listed session

  SQLDataModule->qSessions->Locate("SessionID", Variant(week2), {});
  MainForm->DBGrid5MouseUp(MainForm->DBGrid5, mbLeft, {}, 0, 0);
  ExpectFollows(week2, "sessions grid");

  TComboBox* const combos[] = {MainForm->ComboBox6, MainForm->ComboBox9, MainForm->ComboBox10,
                               MainForm->ComboBox12, MainForm->ComboBox13};
  for (TComboBox* combo : combos) {
    const int session = combo == MainForm->ComboBox10 ? week1 : week2;
    MainForm->FormActivate(MainForm);
    combo->SetItemIndex(combo->Items()->IndexOf(IntToStr(session)));
    combo->OnChange(combo);
    ExpectFollows(session, combo->Name());
    EXPECT_EQ(MainForm->RadioGroup1->ItemIndex(), 2);  // all sessions listed
  }

  camp.Execute("DELETE FROM Rooms WHERE SessionID = " + IntToStr(week1));
  MainForm->FormActivate(MainForm);
  EXPECT_FALSE(SQLDataModule->qAttendeesAlreadyInRooms->Active());  // nobody else's occupants
}

TEST_F(MainTest, TheClassesSearchMatchesBeginDatesAndLocationsWithTheTextQuoted) {
  camp.Execute("UPDATE Sessions SET Location = 'O''Hare Inn' WHERE SessionID = " + IntToStr(week2));
  struct Case {
    int field;  // ComboBox3: 0 Begin Date, 1 Location
    const char* text;
    int status;  // RadioGroup1: 0 Active, 1 Inactive, 2 All
    std::vector<int> sessions;
  };
  const Case cases[] = {{0, "06/09/2030", 0, {week2}}, {1, "O'Hare", 0, {week2}}, {1, "O'Hare", 1, {}}};
  for (const Case& c : cases) {
    MainForm->ComboBox3->SetItemIndex(c.field);
    MainForm->RadioGroup1->SetItemIndex(c.status);
    EXPECT_EQ(SessionsFoundBy(c.text), c.sessions) << c.text << " / status " << c.status;
  }
}

TEST_F(MainTest, TheBeginDateSearchReadsTheDateAsEachLocaleWritesIt) {
  const int nextYear = camp.AddSession("Week 2 again", EncodeDate(2031, 6, 9), EncodeDate(2031, 6, 14));
  MainForm->ComboBox3->SetItemIndex(0);
  MainForm->RadioGroup1->SetItemIndex(2);
  struct Typed {
    const char* locale;
    std::vector<const char*> sameDate;  // besides the text the grid shows
    const char* dayAndMonth;
    const char* monthSwapped;  // 6 September
  };
  const Typed typed[] = {{"en_US.UTF-8", {"06/09/2030", "6/9/30"}, "6/9", "9/6/2030"},
                         {"de_DE.UTF-8", {"09.06.2030", "9.6.30"}, "9.6.", "6.9.2030"},
                         {"fr_FR.UTF-8", {"09/06/2030", "9/6/30"}, "09/06", "06/09/2030"},
                         {"ru_RU.UTF-8", {"09.06.2030", "9.6.2030"}, "9.6", "06.09.2030"}};
  for (const Typed& t : typed) {
    vt::testing::UnderLocale locale(t.locale);
    MainForm->BitBtn8Click(MainForm->BitBtn8);
    SQLDataModule->qSessions->Locate("SessionID", Variant(week2), {});
    const String shown = SQLDataModule->qSessions->FieldByName("BeginDate")->DisplayText();
    EXPECT_EQ(SessionsFoundBy(shown), std::vector<int>{week2}) << t.locale << ": " << shown;
    for (const char* text : t.sameDate) EXPECT_EQ(SessionsFoundBy(text), std::vector<int>{week2}) << t.locale << ": " << text;
    EXPECT_EQ(SessionsFoundBy(t.dayAndMonth), (std::vector<int>{week2, nextYear})) << t.locale;
    EXPECT_EQ(SessionsFoundBy(t.monthSwapped), std::vector<int>{}) << t.locale;
  }
}

TEST_F(MainTest, ABeginDateSearchForTextThatIsNoDateSaysSoAndKeepsTheList) {
  MainForm->ComboBox3->SetItemIndex(0);
  MainForm->RadioGroup1->SetItemIndex(2);
  SessionsFoundBy("6/9/2030");
  for (const char* text : {"/2030", "June 9", "13/1/2030", "2/30", "6/9/2030/1", "'"}) {
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    EXPECT_EQ(SessionsFoundBy(text), std::vector<int>{week2}) << text;
    ASSERT_EQ(responder.Shown().size(), 1u) << text;
    EXPECT_EQ(responder.Last().Text, "Please enter a date such as " + DateToStr(Date()) + " to search by Begin Date.");
  }
}

TEST_F(MainTest, AModalEditorClosingReactivatesTheWindowAMessageBoxDoesNot) {
  int activations = 0;
  const TNotifyEvent formActivate = MainForm->OnActivate;
  MainForm->OnActivate = [&](TObject* s) {
    ++activations;
    formActivate(s);
  };
  MainForm->Show();
  vt::ProcessEventsUntilIdle();
  const int afterShow = activations;
  EXPECT_GE(afterShow, 1);

  {
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    Application->MessageBox("Rooms have been assigned", "Done");
  }
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(activations, afterShow);

  // Done, once the editor's activation has run inside its modal loop.
  TTimer done(nullptr);
  done.SetInterval(1);
  done.OnTimer = [&](TObject*) {
    if (Screen->ActiveForm() != AddEditAttendeesForm) return;
    done.SetEnabled(false);
    AddEditAttendeesForm->BitBtn1Click(AddEditAttendeesForm);
  };
  SQLDataModule->qAttendees->Edit();  // as the edit command opens the editor
  AddEditAttendeesForm->ShowModal();
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(activations, afterShow + 1);
  EXPECT_EQ(MainForm->WindowState(), wsMaximized);

  SaveScreenshotWhenAsked(MainForm, "main-window.png");
}

TEST_F(MainTest, GridWidthsAreWrittenOnMouseUpAndReadBackByTheNextWindow) {
  MainForm->Show();
  MainForm->DBGrid1->Columns()->Items(0)->SetWidth(150);
  vt::ClickControl(MainForm->DBGrid1, 200, 40);
  EXPECT_EQ(TIniFile(ProgramIni()).ReadInteger("1", MainForm->DBGrid1->Columns()->Items(0)->FieldName(), 0), 150);

  TMainForm next(nullptr);
  EXPECT_EQ(next.DBGrid1->Columns()->Items(0)->Width(), 150);
  EXPECT_EQ(next.DBGrid2->Columns()->Items(0)->Width(), MainForm->DBGrid2->Columns()->Items(0)->Width());
}

TEST_F(MainTest, WindowActionsAboutHelpAndResize) {
  vt::DialogResponder responder;
  MainForm->HelpContents1->Execute();
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Kind, "Help");
  EXPECT_EQ(responder.Last().Text, camp.Folder() + "Vantrel.hlp");

  Screen->OnActiveFormChange = [](TObject*) {
    if (Screen->ActiveForm() != AboutForm || AboutForm->ModalResult() != mrNone) return;
    SaveScreenshotWhenAsked(AboutForm, "about-box.png");
    AboutForm->BitBtn4Click(AboutForm);
  };
  MainForm->Action1->Execute();
  MainForm->Action1->Execute();  // shown again any number of times
  Screen->OnActiveFormChange = nullptr;
  EXPECT_FALSE(AboutForm->Label7->Visible());
  EXPECT_FALSE(AboutForm->Visible());

  std::vector<String> commands;
  vt::RecordWinExecForTests(&commands);
  AboutForm->VtLabel1Click(AboutForm->VtLabel1);
  vt::RecordWinExecForTests(nullptr);
  EXPECT_EQ(commands, std::vector<String>{String("explorer ") + MakerWebAddress});
  AboutForm->VtLabel1MouseEnter(AboutForm->VtLabel1);
  EXPECT_EQ(Screen->Cursor(), crHandPoint);
  AboutForm->VtLabel1MouseLeave(AboutForm->VtLabel1);
  EXPECT_EQ(Screen->Cursor(), crDefault);

  MainForm->SetWindowState(wsNormal);
  MainForm->SetWidth(1025);
  MainForm->FormResize(MainForm);
  EXPECT_EQ(MainForm->PageControl2->Width(), 502);
  EXPECT_EQ(MainForm->PageControl4->Width(), 502);
}

}  // namespace
