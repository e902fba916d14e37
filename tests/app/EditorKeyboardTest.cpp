// The tabbed record editors driven by the keyboard alone, as a person works them: Tab, Shift+Tab
// and Enter on every page reach only controls that are showing, Ctrl+Tab and Ctrl+Shift+Tab turn
// the pages, Alt with a letter types nothing, and what is typed where it was seen is what the
// stored row holds afterwards.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include <QApplication>
#include <QWidget>

#include "app/forms/AddEditAttendees.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/AddEditSessions.h"
#include "app/forms/EditCompany.h"
#include "components/edits/VtDBCtrl.h"
#include "db/Fields.h"
#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"

namespace vt::test {
namespace {

// For a person looking at the editors: VT_SCREENSHOT_DIR names a folder for a picture of each page.
void SaveScreenshotWhenAsked(TCustomForm* form, const String& fileName) {
  if (const char* folder = std::getenv("VT_SCREENSHOT_DIR")) SaveScreenshot(form, String(folder) + "/" + fileName);
}

TWinControl* Focused() { return dynamic_cast<TWinControl*>(QtFocusedControl()); }

// The editor's window takes the keyboard, as the window manager gives it to a dialog opening.
void TakeKeyboard(TCustomForm* editor) {
  QApplication::setActiveWindow(editor->Widget());
  ProcessEventsUntilIdle();
}

// What the user sees: a control on a page is seen only while its page is the one in front.
bool Seen(const TControl* control) {
  for (const TControl* c = control; c; c = c->Parent())
    if (auto* sheet = dynamic_cast<const TTabSheet*>(c))
      if (sheet->PageControl()->ActivePage() != sheet) return false;
  return true;
}

String TextOf(const Variant& value) { return value.IsNull() ? String() : value.AsString(); }

String NameOf(const TControl* control) { return control ? control->Name() : String("nothing"); }

// Enter walks on from edits, combo boxes and check boxes; buttons, grids and memos take it, and
// so does the chaperone payment amount, where Enter adds the amount to the pay list.
bool EnterMovesOn(const TControl* control) {
  if (control->Name() == "VtCalcEdit2" && dynamic_cast<const TAddEditChaperonesForm*>(control->Owner())) return false;
  return (dynamic_cast<const TCustomEdit*>(control) && !dynamic_cast<const TCustomMemo*>(control)) ||
         dynamic_cast<const TCustomComboBox*>(control) || dynamic_cast<const TCustomCheckBox*>(control);
}

class EditorKeyboard : public StartedCamp {
protected:
  void SetUp() override {
    StartedCamp::SetUp();
    week = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    camp.AddSessionType(week, "R", "Resident", 4, 200);
    camper = camp.AddAttendee("Smith", "Ann", EncodeDate(2015, 4, 1));
    coach = camp.AddChaperone("Carl", "Carter");
    camp.Execute("UPDATE Attendees SET TotalCharged = 0, TotalCredits = 0, BalanceDue = 0, ShirtSize = 'YM', "
                 "NormalPosition = 'G'");
    camp.Execute("UPDATE Chaperones SET TotalOwed = 0, TotalPaid = 0, BalanceOwed = 0");
    Start();
  }

  // Tab and Shift+Tab go round the page in front and the controls beside the pages; the
  // typing walk types into each plain data-aware edit it reaches, once.
  void WalkPage(TCustomForm* editor, const String& page, bool typing) {
    std::vector<TWinControl*> list;
    editor->GetTabOrderList(list);
    for (bool forward : {true, false})
      for (size_t step = 0; step <= list.size(); ++step) {
        SendKey(Focused(), VK_TAB, forward ? TShiftState{} : TShiftState{ssShift});
        TWinControl* now = Focused();
        ASSERT_TRUE(now) << page;
        EXPECT_TRUE(Seen(now)) << (forward ? "Tab" : "Shift+Tab") << " on " << page << " reached " << NameOf(now);
        EXPECT_EQ(editor->ActiveControl(), now) << page << " " << NameOf(editor->ActiveControl()) << " " << NameOf(now);
        if (typing && forward) TypeInto(now);
      }
  }

  // From each control that Enter moves on from, Enter lands on another control that is seen.
  void WalkByEnter(TCustomForm* editor, const String& page) {
    std::vector<TWinControl*> list;
    editor->GetTabOrderList(list);
    for (size_t step = 0; step <= list.size(); ++step) {
      TWinControl* from = Focused();
      if (!EnterMovesOn(from) || !from->Enabled()) {
        SendKey(from, VK_TAB);
        continue;
      }
      SendKey(from, VK_RETURN);
      TWinControl* to = Focused();
      EXPECT_TRUE(Seen(to)) << "Enter from " << NameOf(from) << " on " << page << " reached " << NameOf(to);
      if (to != from) continue;
      ADD_FAILURE() << "Enter stays in " << NameOf(from) << " on " << page;
      SendKey(from, VK_TAB);
    }
  }

  // Alt with a letter is a command key, never typed (no control here has that letter marked).
  void TypeInto(TWinControl* control) {
    auto* edit = dynamic_cast<TDBEdit*>(control);
    if (!edit || !edit->Field() || typed.count(edit->DataField())) return;
    const String shown = edit->Text();
    SendKey(edit, 'M', {ssAlt}, 'm');
    EXPECT_EQ(Focused(), edit) << "Alt+M moved the focus from " << NameOf(edit);
    EXPECT_EQ(edit->Text(), shown) << "Alt+M typed into " << NameOf(edit);
    TypeText(edit, "Qa");
    typed[edit->DataField()] = edit->Text();
  }

  // Every page in turn by Ctrl+Tab, walked by Tab and Shift+Tab, then back to the first by
  // Ctrl+Shift+Tab; then each page walked by Enter, whose jumps may turn the page themselves.
  void WalkEveryPage(TCustomForm* editor, TPageControl* pages, const String& name, bool typing) {
    TakeKeyboard(editor);
    ASSERT_EQ(Focused(), editor->ActiveControl()) << name;
    const int count = pages->PageCount();
    for (int i = 0; i < count; ++i) {
      const String page = name + " page " + pages->ActivePage()->Caption();
      SaveScreenshotWhenAsked(editor, name + "-" + IntToStr(i + 1) + ".png");
      WalkPage(editor, page, typing);
      while (!pages->ContainsControl(Focused())) SendKey(Focused(), VK_TAB);  // back into the pages
      SendKey(Focused(), VK_TAB, {ssCtrl});
      EXPECT_EQ(pages->ActivePageIndex(), (i + 1) % count) << "Ctrl+Tab from " << page;
      EXPECT_TRUE(Seen(Focused()));
    }
    for (int i = count; i-- > 0;) {
      SendKey(Focused(), VK_TAB, {ssCtrl, ssShift});
      EXPECT_EQ(pages->ActivePageIndex(), i) << "Ctrl+Shift+Tab on " << name;
    }
    for (int i = 0; i < count; ++i) {
      pages->SetActivePage(pages->Pages(i));
      pages->SetFocus();
      SendKey(pages, VK_TAB);
      WalkByEnter(editor, name + " page " + pages->ActivePage()->Caption());
    }
  }

  // The stored row: each column typed into holds what its edit showed; the others are as they were.
  void ExpectStored(const String& table, const String& key, int id, const std::map<String, Variant>& before) {
    for (const auto& [column, value] : before) {
      const Variant stored = camp.Value("SELECT " + column + " FROM " + table + " WHERE " + key + " = " + IntToStr(id));
      auto it = typed.find(column);
      if (it != typed.end()) EXPECT_EQ(TextOf(stored), it->second) << column;
      else EXPECT_EQ(TextOf(stored), TextOf(value)) << column << " was changed without being typed into";
    }
  }

  std::map<String, Variant> Row(const String& table, const String& key, int id, TCustomForm* editor) {
    std::map<String, Variant> row;
    for (int i = 0; i < editor->ComponentCount(); ++i)
      if (auto* edit = dynamic_cast<TDBEdit*>(editor->Components(i)); edit && !edit->DataField().empty())
        row[edit->DataField()] =
            camp.Value("SELECT " + edit->DataField() + " FROM " + table + " WHERE " + key + " = " + IntToStr(id));
    return row;
  }

  void EditOnPage(TTabSheet* page, std::function<void()> script, TCustomForm* const& editor) {
    MainForm->PageControl1->SetActivePage(page);
    RunWhileModal(editor, [&] { MainForm->acEditExecute(MainForm); }, script);
  }

  // Types into every plain edit the Tab walk of each page reaches, then saves with Done.
  template <class Form>
  void TypeOnEveryPageAndSave(Form* const& editor, TTabSheet* listPage, const String& name, const String& table,
                              const String& key, int id, const std::function<void()>& more = nullptr) {
    const auto before = Row(table, key, id, editor);
    EditOnPage(listPage, [&] {
      WalkEveryPage(editor, editor->PageControl1, name, true);
      if (more) more();
      DialogResponder responder;
      responder.Answer(mrYes);
      editor->BitBtn1->Click();
    }, editor);
    EXPECT_FALSE(typed.empty());
    ExpectStored(table, key, id, before);
  }

  int week = 0, camper = 0, coach = 0;
  std::map<String, String> typed;
};

TEST_F(EditorKeyboard, AttendeeEditorTypingLandsOnlyWhereItIsSeen) {
  TypeOnEveryPageAndSave(AddEditAttendeesForm, MainForm->TabSheet1, "attendee", "Attendees", "CamperID", camper, [] {
    // The case found: Tab from the last field of "Personal" went into the hidden father's salutation.
    TAddEditAttendeesForm* editor = AddEditAttendeesForm;
    editor->PageControl1->SetActivePage(editor->TabSheet1);
    editor->ComboBox2->SetFocus();
    SendKey(editor->ComboBox2, VK_TAB);
    EXPECT_TRUE(Seen(Focused())) << NameOf(Focused());
  });
}

TEST_F(EditorKeyboard, ChaperoneEditorTypingLandsOnlyWhereItIsSeen) {
  TypeOnEveryPageAndSave(AddEditChaperonesForm, MainForm->TabSheet2, "chaperone", "Chaperones", "ChaperoneID", coach);
}

TEST_F(EditorKeyboard, SessionEditorKeysReachOnlyWhatIsSeen) {
  EditOnPage(MainForm->TabSheet3, [&] {
    TAddEditSessionsForm* editor = AddEditSessionsForm;
    WalkEveryPage(editor, editor->PageControl1, "session", false);
    editor->BitBtn1->Click();
  }, AddEditSessionsForm);
}

// The case found: Enter from the removal age went into the hidden confirmation letter.
TEST_F(EditorKeyboard, CompanyEditorKeysReachOnlyWhatIsSeenAndLeaveTheLettersAlone) {
  camp.Execute("UPDATE CoSys SET ConfirmationLetterText = 'Welcome', Address = '1 Lake Rd', City = 'Springfield', "
               "State = 'IL', ZipCode = '62701', DirectorName = 'Dora'");
  SQLDataModule->qCoSYS->Close();
  SQLDataModule->qCoSYS->Open();
  RunWhileModal(EditCompanyForm, [&] { MainForm->BitBtn1Click(MainForm); }, [&] {
    TEditCompanyForm* editor = EditCompanyForm;
    WalkEveryPage(editor, editor->PageControl1, "company", false);
    editor->PageControl1->SetActivePage(editor->TabSheet1);
    editor->VtDBCalcEdit7->SetFocus();
    SendKey(editor->VtDBCalcEdit7, VK_RETURN);
    EXPECT_TRUE(Seen(Focused())) << NameOf(Focused());
    TypeText(Focused(), "\rDear");
    DialogResponder responder;
    responder.Answer(mrYes);
    editor->BitBtn4->Click();
  });
  EXPECT_EQ(camp.Value("SELECT ConfirmationLetterText FROM CoSys").AsString(), "Welcome");
}

}  // namespace
// A clerk opening an editor starts typing at once: the first field of the first page has the
// focus, not the Done button, where a blank typed would close the dialog.
TEST_F(EditorKeyboard, EachEditorOpensWithTheFocusOnItsFirstPage) {
  const auto expectFocusOnFirstPage = [](TCustomForm* editor, TPageControl* pages, const String& name) {
    TakeKeyboard(editor);
    EXPECT_TRUE(pages->Pages(0)->ContainsControl(Focused())) << name << " opens on " << NameOf(Focused());
  };
  RunWhileModal(EditCompanyForm, [&] { MainForm->BitBtn1Click(MainForm); }, [&] {
    expectFocusOnFirstPage(EditCompanyForm, EditCompanyForm->PageControl1, "company");
    EditCompanyForm->Close();
  });
  EditOnPage(MainForm->TabSheet1, [&] {
    expectFocusOnFirstPage(AddEditAttendeesForm, AddEditAttendeesForm->PageControl1, "attendee");
    AddEditAttendeesForm->BitBtn1->Click();
  }, AddEditAttendeesForm);
  EditOnPage(MainForm->TabSheet2, [&] {
    expectFocusOnFirstPage(AddEditChaperonesForm, AddEditChaperonesForm->PageControl1, "chaperone");
    AddEditChaperonesForm->BitBtn1->Click();
  }, AddEditChaperonesForm);
  EditOnPage(MainForm->TabSheet3, [&] {
    expectFocusOnFirstPage(AddEditSessionsForm, AddEditSessionsForm->PageControl1, "session");
    AddEditSessionsForm->BitBtn1->Click();
  }, AddEditSessionsForm);
}

}  // namespace vt::test
