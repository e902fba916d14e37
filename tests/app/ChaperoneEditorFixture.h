// A started camp with two sessions (each offering the type "Resident") and a chaperone with a
// salary of 300, and the chaperone editor opened on a chaperone as the Edit command opens it,
// shown modally with a script run after its activation.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/About.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/Main.h"
#include "components/edits/CurrEdit.h"
#include "rtl/DateTime.h"
#include "tests/app/MoneyChecks.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace vt::test {

class ChaperoneEditorTest : public ::testing::Test {
protected:
  void SetUp() override {
    EnsureTestApplication();
    SetClockForTests(EncodeDate(2030, 6, 1) + 0.5);
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    week1 = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    week2 = camp.AddSession("Week 2", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
    for (int session : {week1, week2}) camp.AddSessionType(session, "R", "Resident", 2);
    coach = camp.AddChaperone("Pat", "Coach", 300);
    StartVantrel();
  }
  void TearDown() override {
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    AddEditChaperonesForm = nullptr;
    SQLDataModule = nullptr;
    ResetClock();
  }

  // The chaperone's row put into Edit (edit mode), or a new row appended (chaperoneId 0), then
  // the editor shown modally; the script runs once the editor is active and Done ends it.
  void RunEditor(int chaperoneId, const std::function<void(TAddEditChaperonesForm*)>& script) {
    TADOQuery* chaperones = SQLDataModule->qChaperones;
    if (chaperoneId) {
      ASSERT_TRUE(chaperones->Locate("ChaperoneID", Variant(chaperoneId), {}));
      chaperones->Edit();
    } else {
      chaperones->Append();
    }
    TAddEditChaperonesForm* editor = AddEditChaperonesForm;
    editor->CheckBox1->SetChecked(chaperoneId != 0);
    const TNotifyEvent activate = editor->OnActivate;
    editor->OnActivate = [&](TObject* sender) {
      activate(sender);
      try {
        script(editor);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "the script raised: " << e.what();
      }
      Done(editor);
    };
    editor->ShowModal();
    editor->OnActivate = activate;
  }

  // Done, answering the commit question when the frame asks it.
  static void Done(TAddEditChaperonesForm* editor) {
    DialogResponder responder;
    responder.Answer(mrYes);
    editor->BitBtn1->Click();
  }

  // The session row that the editor's sessions grid shows as selected.
  static void ChooseSession(int sessionId) {
    ASSERT_TRUE(SQLDataModule->qSessions->Locate("SessionID", Variant(sessionId), {}));
  }

  static void Show(TAddEditChaperonesForm* editor, TTabSheet* page) { editor->PageControl1->SetActivePage(page); }

  // A button pressed with the mouse, the dialogs answered in order; returns what was shown.
  static std::vector<ShownDialog> Press(TButton* button, std::initializer_list<int> answers = {}) {
    DialogResponder responder;
    for (int answer : answers) responder.Answer(answer);
    ClickControl(button);
    return responder.Shown();
  }

  double Number(const String& sql) {
    const Variant value = camp.Value(sql);
    return value.IsNull() ? 0 : value.AsDouble();
  }

  String Id(int key) const { return IntToStr(key); }

  CampFixture camp;
  int week1 = 0;
  int week2 = 0;
  int coach = 0;
};

}  // namespace vt::test
