// The attendee editor's own fields: what its activation shows (age, pickers, request lists,
// enrolments, session types, nouns, the main window's session view), the pickers writing codes,
// the Enter jumps and the grid widths it keeps.
#include "app/forms/AddEditAttendees.h"

#include "app/DBMaskEdit.h"
#include "app/ProgramIni.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBCtrl.h"
#include "components/edits/VtDBDateEdit.h"
#include "rtl/FloatFormat.h"
#include "rtl/IniFiles.h"
#include "tests/app/AttendeeEditorFixture.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"

namespace vt::test {
namespace {

using AttendeeEditor = AttendeeEditorTest;

TEST_F(AttendeeEditor, AgeIsWholeYearsOf365AndAQuarterDays) {
  const TDateTime now = EncodeDate(2030, 1, 10) + 0.5;
  SetClockForTests(now);
  const struct {
    double daysAgo;
    const char* shown;
  } cases[] = {{3652.5, "10"}, {3651.5, "9"}, {0, "0"}, {-3652.5, "10"}};  // the last: born in the future
  Start();
  for (const auto& c : cases) {
    camp.Execute("UPDATE Attendees SET DOB = " + FloatToStr(now - c.daysAgo) + " WHERE CamperID = " + IntToStr(smith));
    data->qAttendees->Close();
    data->qAttendees->Open();
    OpenEditor(smith);
    EXPECT_EQ(editor->Edit1->Text(), c.shown) << c.daysAgo << " days";
    CloseEditor();
  }
}

TEST_F(AttendeeEditor, WithoutDateOfBirthTheAgeIsEmptyAndLeavingTheEmptyDateKeepsIt) {
  camp.Execute("UPDATE Attendees SET DOB = NULL WHERE CamperID = " + IntToStr(smith));
  Start();
  OpenEditor(smith);
  EXPECT_EQ(editor->Edit1->Text(), "");
  editor->Edit1->SetText("7");
  editor->DBDateEdit1Exit(editor->DBDateEdit1);
  EXPECT_EQ(editor->Edit1->Text(), "7");
}

// Each of the three date edits refuses an impossible date typed over a stored one when it is
// left, and again when Done is clicked; Esc shows the stored date again and Done keeps it.
TEST_F(AttendeeEditor, AnImpossibleDateOverAStoredOneIsRefusedAndTheStoredDateKept) {
  const TDateTime stored = EncodeDate(2026, 6, 1);
  camp.Execute("UPDATE Attendees SET DOB = " + FloatToStr(stored) + ", DateOfParentalRelease = " + FloatToStr(stored) +
               ", DateOfDoctorRelease = " + FloatToStr(stored) + " WHERE CamperID = " + IntToStr(smith));
  Start();
  const struct {
    TDBDateEdit* edit;
    TTabSheet* page;
    const char* column;
  } dates[] = {{editor->DBDateEdit1, editor->TabSheet1, "DOB"},
               {editor->DBDateEdit2, editor->TabSheet3, "DateOfParentalRelease"},
               {editor->DBDateEdit3, editor->TabSheet3, "DateOfDoctorRelease"}};
  for (const auto& date : dates) {
    SCOPED_TRACE(date.column);
    OpenEditor(smith);
    editor->PageControl1->SetActivePage(date.page);
    const String shown = date.edit->Text();
    DialogResponder responder;
    responder.Answer(mrOk).Answer(mrOk).Answer(mrYes);
    LeaveWithAnImpossibleDate(date.edit);
    ASSERT_EQ(responder.Shown().size(), 1u);
    EXPECT_NE(responder.Last().Text.find("is not a valid date"), String::npos) << responder.Last().Text;
    EXPECT_TRUE(date.edit->Focused()) << "the focus stays in the date";

    ClickControl(editor->BitBtn1);
    ProcessEventsUntilIdle();
    EXPECT_EQ(responder.Shown().size(), 2u) << "Done refuses the date again";
    EXPECT_TRUE(editor->Visible()) << "Done waits for a readable date";
    SendKey(date.edit, VK_ESCAPE);
    EXPECT_EQ(date.edit->Text(), shown);
    CloseEditor();
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Stored(String("SELECT ") + date.column + " FROM Attendees WHERE CamperID = " + IntToStr(smith)), stored);
  }
}

TEST_F(AttendeeEditor, PickersShowTheDescriptionOfTheCodeAndWriteTheCodeOfTheDescription) {
  camp.Insert("ShirtSize", {{"ShirtSize", "Q'"}, {"ShirtSizeDescription", "Kid's Large"}});
  camp.Insert("Positions", {{"APosition", "GK"}, {"Description", "Goal Keeper"}});
  camp.Execute("UPDATE Attendees SET ShirtSize = 'YM', NormalPosition = 'ZZ' WHERE CamperID = " + IntToStr(smith));
  Start();
  OpenEditor(smith);
  EXPECT_EQ(editor->ComboBox1->Text(), "Youth Medium");
  EXPECT_EQ(editor->ComboBox2->Text(), "") << "a code missing from the table shows nothing";
  EXPECT_GE(editor->ComboBox1->Items()->IndexOf("Kid's Large"), 0);

  editor->ComboBox1->SetItemIndex(editor->ComboBox1->Items()->IndexOf("Kid's Large"));
  editor->ComboBox1Change(editor->ComboBox1);
  EXPECT_EQ(data->qAttendees->FieldByName("ShirtSize")->AsString(), "Q'") << "a quote in the description";
  editor->ComboBox2->SetItemIndex(editor->ComboBox2->Items()->IndexOf("Goal Keeper"));
  editor->ComboBox2Change(editor->ComboBox2);
  EXPECT_EQ(editor->DBEdit2->Text(), "GK");

  editor->ComboBox1->SetItemIndex(-1);
  editor->ComboBox1Change(editor->ComboBox1);
  EXPECT_EQ(data->qAttendees->FieldByName("ShirtSize")->AsString(), "") << "no match writes an empty code";
  EXPECT_TRUE(data->tShirtSizes->Active());
  EXPECT_FALSE(data->tShirtSizes->Filtered());
}

TEST_F(AttendeeEditor, ActivationListsTheSessionsEnrolmentsTypesAndRequests) {
  camp.Execute("UPDATE AttendeeSession SET TotalCosts = 120, BalanceDue = 120 WHERE CamperID = " + IntToStr(smith));
  Start();
  OpenEditor(smith);
  EXPECT_EQ(editor->PageControl1->ActivePage(), editor->TabSheet1);
  EXPECT_EQ(editor->ComboBox4->Items()->Text(), "Smith Ann |" + IntToStr(smith) + "\nJones Bob |" + IntToStr(jones) + "\n");
  EXPECT_EQ(editor->ComboBox5->Items()->Count(), 2);
  EXPECT_EQ(data->qAttendeeSession->RecordCount(), 1);
  EXPECT_EQ(editor->ComboBox3->Items()->Text(), "None\n" + IntToStr(week1) + "\n");
  EXPECT_EQ(editor->ComboBox3->ItemIndex(), 0);
  EXPECT_EQ(editor->ComboBox6->Items()->Text(), "Day Camp\nResident\n");
  EXPECT_EQ(editor->ComboBox6->ItemIndex(), 0);
  EXPECT_TRUE(editor->BitBtn2->Enabled());
  EXPECT_TRUE(editor->BitBtn3->Enabled());
  EXPECT_EQ(editor->Caption(), "- Attendees") << "no plural noun: the design's caption";
}

TEST_F(AttendeeEditor, ANewAttendeeHasNoEnrolmentsOpenSessionsOrAge) {
  Start();
  OpenEditor(0);
  EXPECT_FALSE(data->qAttendeeSession->Active());
  EXPECT_EQ(editor->ComboBox3->Items()->Count(), 0);
  EXPECT_EQ(editor->Edit1->Text(), "");
  for (const char* total : {"TotalCharged", "TotalCredits", "BalanceDue"}) {
    EXPECT_FALSE(data->qAttendees->FieldByName(total)->IsNull()) << total;
    EXPECT_EQ(data->qAttendees->FieldByName(total)->AsFloat(), 0) << total;
  }
}

TEST_F(AttendeeEditor, ASessionWithoutTypesDisablesSignUpAndRemove) {
  camp.Execute("DELETE FROM SessionSessionTypes WHERE SessionID = " + IntToStr(week1));
  Start();
  OpenEditor(smith);
  EXPECT_EQ(editor->ComboBox6->Items()->Count(), 0);
  EXPECT_FALSE(editor->BitBtn2->Enabled());
  EXPECT_FALSE(editor->BitBtn3->Enabled());
}

TEST_F(AttendeeEditor, NounsOfTheCompanyRecordNameTheCaptions) {
  camp.Execute("UPDATE CoSys SET AttendeesP = 'Campers', SessionsP = 'Weeks', Sessions = 'Week'");
  Start();
  OpenEditor(smith);
  EXPECT_EQ(editor->Caption(), "Acme Camps - Campers");
  EXPECT_EQ(editor->Label70->Caption(), "Available Weeks");
  EXPECT_EQ(editor->TabSheet5->Caption(), "Weeks");
  EXPECT_EQ(editor->Label71->Caption(), "Weeks");
  EXPECT_EQ(editor->Label76->Caption(), "Week ID");
}

TEST_F(AttendeeEditor, OpeningResetsTheMainWindowsSessionViewToActiveWithAnEmptySearch) {
  const int old = camp.AddSession("Old", EncodeDate(2001, 1, 1), EncodeDate(2001, 1, 2), false);
  Start();
  MainForm->RadioGroup1->SetItemIndex(2);
  MainForm->Edit3->SetText("Lake");
  data->qSessions->Close();
  data->qSessions->SQL()->SetStrings(1, "");
  data->qSessions->Open();
  ASSERT_TRUE(data->qSessions->Locate("SessionID", old, {}));
  OpenEditor(smith);
  EXPECT_EQ(MainForm->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(MainForm->Edit3->Text(), "");
  EXPECT_EQ(data->qSessions->RecordCount(), 2);
  EXPECT_FALSE(data->qSessions->Locate("SessionID", old, {}));
}

TEST_F(AttendeeEditor, ChoosingAnotherSessionRebuildsTheRequestListsOnly) {
  Start();
  OpenEditor(smith);
  editor->PageControl1->SetActivePage(editor->TabSheet5);
  const TRect week2Row = editor->DBGrid5->CellRect(1, 2);
  ClickControl(editor->DBGrid5, week2Row.Left + 5, week2Row.Top + 5);
  ASSERT_EQ(data->qSessions->FieldByName("SessionID")->AsInteger(), week2);
  EXPECT_EQ(editor->ComboBox4->Items()->Count(), 0) << "nobody in week 2 yet";
  EXPECT_EQ(editor->ComboBox6->Items()->Text(), "Day Camp\nResident\n") << "the types stay those of week 1";
}

TEST_F(AttendeeEditor, EnterJumpsAcrossTabsToTheNamedControls) {
  Start();
  OpenEditor(smith);
  const struct {
    TWinControl* from;
    TTabSheet* page;
    TWinControl* to;
  } jumps[] = {{editor->DBComboBox3, editor->TabSheet1, editor->ComboBox1},
               {editor->ComboBox1, editor->TabSheet1, editor->DBComboBox2},
               {editor->DBComboBox2, editor->TabSheet1, editor->DBEdit12},
               {editor->ComboBox2, editor->TabSheet2, editor->DBEdit23},
               {editor->DBComboBox1, editor->TabSheet2, editor->DBEdit25},
               {editor->DBEdit27, editor->TabSheet3, editor->DBCheckBox1},
               {editor->DBMemo1, editor->TabSheet4, editor->DBCheckBox3},
               {editor->DBEdit34, editor->TabSheet4, editor->BitBtn1}};
  for (const auto& jump : jumps) {
    char key = 13;
    jump.from->OnKeyPress(jump.from, key);
    ProcessEventsUntilIdle();
    EXPECT_EQ(key, 13) << jump.from->Name();
    EXPECT_EQ(editor->PageControl1->ActivePage(), jump.page) << jump.from->Name();
    EXPECT_TRUE(jump.to->Focused()) << jump.from->Name() << " to " << jump.to->Name();
  }
}

TEST_F(AttendeeEditor, GridWidthsAreKeptInSections15To17) {
  Start();
  OpenEditor(smith);
  editor->PageControl1->SetActivePage(editor->TabSheet6);
  editor->DBGrid1->Columns()->Items(1)->SetWidth(133);
  ClickControl(editor->DBGrid1, 100, 40);
  EXPECT_EQ(TIniFile(ProgramIni()).ReadInteger("17", editor->DBGrid1->Columns()->Items(1)->FieldName(), 0), 133);
  TAddEditAttendeesForm next(nullptr);
  EXPECT_EQ(next.DBGrid1->Columns()->Items(1)->Width(), 133);
}

TEST_F(AttendeeEditor, TheControlsCarryTheirMasksAndLists) {
  Start();
  EXPECT_EQ(editor->GDBMaskEdit1->EditMask(), "000\\-00\\-0000;1;_");
  EXPECT_EQ(editor->GDBMaskEdit2->EditMask(), "00000\\-9999;1;_");
  for (GDBMaskEdit* phone : {editor->GDBMaskEdit3, editor->GDBMaskEdit4, editor->GDBMaskEdit5, editor->GDBMaskEdit6})
    EXPECT_EQ(phone->EditMask(), "!\\(999\\)000-0000;1;_") << phone->Name();
  EXPECT_EQ(editor->DBComboBox3->Items()->Count(), 13);
  EXPECT_EQ(editor->DBComboBox2->Items()->Count(), 61);
  EXPECT_EQ(editor->DBComboBox2->Items()->Strings(0), "2'0\"");
  EXPECT_EQ(editor->DBComboBox2->Items()->Strings(60), "7'0\"");
  EXPECT_EQ(editor->DBComboBox1->Items()->Text(), "Parents\nMother\nFather\nOther\n");
  EXPECT_EQ(editor->VtDBCalcEdit3->DisplayFormat(), "$,0.##");
  EXPECT_EQ(editor->VtCalcEdit1->DisplayFormat(), "$,0.00");
  EXPECT_FALSE(editor->VtCalcEdit2->Enabled());
}

}  // namespace
}  // namespace vt::test
