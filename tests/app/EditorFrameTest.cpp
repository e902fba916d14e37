// The record editor frame through the attendee editor over a started camp: Done in add and edit
// mode with the question and the return to the same row, a refused save with its ways out,
// Alt+F4 as a key and as a close request, Enter moving on, and the zip look-up.
#include "app/forms/EditorFrame.h"

#include <gtest/gtest.h>

#include "app/DBMaskEdit.h"
#include "app/forms/AddEditAttendees.h"
#include "db/Fields.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"

namespace {

using vt::test::RunWhileModal;

class EditorFrameTest : public vt::test::StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    camp.AddAttendee("Adams", "Ann");
    bell = camp.AddAttendee("Bell", "Bob");
    camp.AddAttendee("Cole", "Cy");
    Start();
    attendees = SQLDataModule->qAttendees;
  }

  // The opener's part: the row into Edit (or a new one appended), the flag, the modal showing.
  void OpenEditor(bool edit, const std::function<void()>& script, bool expectClosed = true) {
    TAddEditAttendeesForm* editor = AddEditAttendeesForm;
    const bool closed = RunWhileModal(
        editor,
        [&] {
          if (edit) attendees->Edit();
          else attendees->Append();
          editor->CheckBox1->SetChecked(edit);
          vt::CenterOverMainForm(editor);
          editor->ShowModal();
        },
        script);
    EXPECT_EQ(closed, expectClosed);
  }

  void ClickDone() { AddEditAttendeesForm->BitBtn1->Click(); }

  TADOQuery* attendees = nullptr;
  int bell = 0;
  int activations = 0;
};

TEST_F(EditorFrameTest, EditModeAsksAndYesSavesNoRestoresBothReturningToTheSameRow) {
  for (const int answer : {mrYes, mrNo}) {
    attendees->Locate("CamperID", Variant(bell), {});
    vt::DialogResponder responder;
    responder.Answer(answer);
    OpenEditor(true, [&] {
      attendees->FieldByName("FirstName")->SetAsString("Robert");
      ClickDone();
    });
    ASSERT_EQ(responder.Shown().size(), 1u);
    EXPECT_EQ(responder.Last().Text, "Do you wish to save your changes?");
    EXPECT_EQ(responder.Last().Caption, "Commit Changes?");
    EXPECT_EQ(responder.Last().Buttons, (std::vector<int>{mrYes, mrNo}));
    EXPECT_EQ(attendees->State(), dsBrowse);
    EXPECT_EQ(attendees->FieldByName("CamperID")->AsInteger(), bell);
    const String stored = camp.Value("SELECT FirstName FROM Attendees WHERE CamperID = " + IntToStr(bell)).AsString();
    EXPECT_EQ(stored, answer == mrYes ? "Robert" : "Bob");
    if (answer == mrYes) camp.Execute("UPDATE Attendees SET FirstName = 'Bob'");
  }
}

TEST_F(EditorFrameTest, AddModePostsWithoutAQuestionAndUnchangedEditClosesWithoutOne) {
  vt::DialogResponder responder;  // no answers: any box fails the test
  OpenEditor(false, [&] {
    attendees->FieldByName("LastName")->SetAsString("Dunn");
    ClickDone();
  });
  EXPECT_EQ(camp.Value("SELECT COUNT(*) FROM Attendees WHERE LastName = 'Dunn'").AsInteger(), 1);
  EXPECT_EQ(attendees->State(), dsBrowse);

  attendees->Locate("CamperID", Variant(bell), {});
  OpenEditor(true, [&] { ClickDone(); });
  EXPECT_EQ(attendees->State(), dsBrowse);
  EXPECT_EQ(attendees->FieldByName("CamperID")->AsInteger(), bell);
  EXPECT_TRUE(responder.Shown().empty());
}

TEST_F(EditorFrameTest, DoneRefreshesTheMainWindow) {
  camp.Execute("UPDATE CoSys SET CompanyName = 'Zenith Camps'");
  SQLDataModule->qCoSYS->Close();
  SQLDataModule->qCoSYS->Open();
  OpenEditor(true, [&] { ClickDone(); });
  EXPECT_EQ(MainForm->Caption(), "Zenith Camps - Tracking Program");
}

// A save the database keeps refusing: the reason, then try again, go back to the editor with
// everything as typed, or discard after the question of what is lost; in both modes.
TEST_F(EditorFrameTest, ARefusedSaveShowsItsReasonAndOffersTryAgainGoingBackOrDiscarding) {
  for (const bool edit : {false, true}) {
    camp.Execute(String("CREATE TRIGGER refuse BEFORE ") + (edit ? "UPDATE" : "INSERT") +
                 " ON Attendees BEGIN SELECT RAISE(ABORT, 'the disk is full'); END");
    const String typed = edit ? "Robert" : "Dunn";
    const String column = edit ? "FirstName" : "LastName";
    const auto countTyped = [&] {
      return camp.Value("SELECT COUNT(*) FROM Attendees WHERE " + column + " = '" + typed + "'").AsInteger();
    };
    const auto doneAnswering = [&](std::initializer_list<int> answers) {
      vt::DialogResponder responder;
      if (edit) responder.Answer(mrYes);  // "Do you wish to save your changes?"
      for (int answer : answers) responder.Answer(answer);
      ClickDone();
      return responder.Shown();
    };
    attendees->Locate("CamperID", Variant(bell), {});
    OpenEditor(edit, [&] {
      attendees->FieldByName(column)->SetAsString(typed);
      // Back to the editor; then tried again, refused again, and the discard not confirmed.
      for (const auto& answers : {std::initializer_list<int>{mrCancel}, {mrYes, mrNo, mrNo}}) {
        const std::vector<vt::ShownDialog> shown = doneAnswering(answers);
        const vt::ShownDialog& refusal = shown[edit ? 1 : 0];
        EXPECT_NE(refusal.Text.find("the disk is full"), String::npos) << refusal.Text;
        EXPECT_NE(refusal.Text.find("not saved. Do you want to try saving again?"), String::npos) << refusal.Text;
        EXPECT_EQ(refusal.Buttons, (std::vector<int>{mrYes, mrNo, mrCancel}));
        EXPECT_TRUE(AddEditAttendeesForm->Visible());
        EXPECT_EQ(attendees->State(), edit ? dsEdit : dsInsert);
        EXPECT_EQ(attendees->FieldByName(column)->AsString(), typed);
      }
      const std::vector<vt::ShownDialog> shown = doneAnswering({mrNo, mrYes});
      EXPECT_EQ(shown.back().Text, edit ? "Discard your changes? Everything you changed in this record is lost."
                                        : "Discard the new record? Everything you typed into it is lost.");
    });
    EXPECT_EQ(attendees->State(), dsBrowse);
    EXPECT_EQ(countTyped(), 0);
    if (edit) EXPECT_EQ(attendees->FieldByName("CamperID")->AsInteger(), bell);
    camp.Execute("DROP TRIGGER refuse");
  }
}

TEST_F(EditorFrameTest, AltF4NeitherAsAKeyNorAsACloseRequestGetsPastDone) {
  OpenEditor(true, [&] {
    TAddEditAttendeesForm* editor = AddEditAttendeesForm;
    vt::SendKey(editor->BitBtn1, VK_F4, {ssAlt});
    editor->CloseRequest();
    EXPECT_EQ(editor->ModalResult(), mrNone);
    EXPECT_TRUE(editor->Visible());
    ClickDone();
  });
  EXPECT_EQ(attendees->State(), dsBrowse);
}

// A form of panels with edits: Enter goes to the next tab stop in the form, across parents,
// wrapping after the last, skipping controls without TabStop.
TEST(EditorKeys, EnterMovesToTheNextTabStopOfTheFormAndAltF4IsSwallowedEverywhere) {
  vt::EnsureTestApplication();
  TForm form(nullptr);
  auto* left = new TPanel(&form);
  left->SetParent(&form);
  left->SetBounds(0, 0, 100, 100);
  auto* right = new TPanel(&form);
  right->SetParent(&form);
  right->SetBounds(100, 0, 100, 100);
  auto makeEdit = [&](TPanel* parent, int top, bool tabStop) {
    auto* edit = new TEdit(&form);
    edit->SetParent(parent);
    edit->SetBounds(4, top, 80, 20);
    edit->SetTabStop(tabStop);
    return edit;
  };
  TEdit* a = makeEdit(left, 4, true);
  TEdit* skipped = makeEdit(left, 30, false);
  TEdit* b = makeEdit(right, 4, true);
  WORD formKey = 0;
  form.OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { formKey = Key; };
  vt::BindEditorKeys(&form);
  form.Show();
  a->SetFocus();

  vt::SendKey(a, VK_RETURN);
  EXPECT_EQ(form.ActiveControl(), b);
  vt::SendKey(b, VK_RETURN);
  EXPECT_EQ(form.ActiveControl(), a);
  (void)skipped;

  WORD key = VK_F4;
  a->OnKeyDown(a, key, {ssAlt});
  EXPECT_EQ(key, 0);
  key = VK_F4;
  a->OnKeyDown(a, key, {});
  EXPECT_EQ(key, VK_F4);  // F4 alone passes
  key = VK_F5;
  form.OnKeyDown(&form, key, {ssAlt});
  EXPECT_EQ(key, VK_F5);  // Alt with another key passes
  EXPECT_EQ(formKey, VK_F5);  // the design's own handler still runs
  form.CloseRequest();
  EXPECT_TRUE(form.Visible());
}

TEST_F(EditorFrameTest, ZipLookupCopiesCityAndStateOfTheFirstFiveCharacters) {
  camp.Insert("ZipCodes", {{"Zip", String("12345")}, {"City", String("Springfield")}, {"State", String("IL")}});
  SQLDataModule->tZipCodes->Close();
  SQLDataModule->tZipCodes->Open();
  GDBMaskEdit zip(nullptr);
  zip.SetEditMask("00000\\-9999;1;_");
  struct Case {
    const char* typed;
    const char* city;
  };
  const Case cases[] = {{"12345-6789", "Springfield"}, {"12345-    ", "Springfield"}, {"99999-    ", "Old"},
                        {"     -    ", "Old"}, {"", "Old"}};
  for (const Case& c : cases) {
    attendees->Edit();
    attendees->FieldByName("City")->SetAsString("Old");
    zip.SetText(c.typed);
    vt::ZipLookup(&zip, attendees, "City", "State");
    EXPECT_EQ(attendees->FieldByName("City")->AsString(), c.city) << c.typed;
    attendees->Cancel();
  }
}

}  // namespace
