// Helpers for tests of the record editors: a camp started as the program starts it, and a
// script run inside the modal loop of an editor that a command opens.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "components/edits/ToolEditDate.h"
#include "rtl/DateTime.h"

#include "app/About.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace vt::test {

// Runs open (which shows form modally), and script as soon as form is the active form inside
// its modal loop. A form the script leaves open is ended afterwards; returns whether the
// script closed it. form is read when forms change, so a global that open sets serves.
template <class Form>
bool RunWhileModal(Form* const& form, const std::function<void()>& open, const std::function<void()>& script) {
  bool ran = false;
  bool closed = false;
  TNotifyEvent own;
  // The script follows the form's own activation handler.
  Screen->OnActiveFormChange = [&](TObject*) {
    if (ran || Screen->ActiveForm() != form) return;
    ran = true;
    own = form->OnActivate;
    form->OnActivate = [&](TObject* sender) {
      if (own) own(sender);
      if (form->ModalResult() != mrNone || closed) return;
      script();
      closed = form->ModalResult() != mrNone;
      if (!closed) form->SetModalResult(mrCancel);
    };
  };
  open();
  Screen->OnActiveFormChange = nullptr;
  if (ran) form->OnActivate = own;
  EXPECT_TRUE(ran) << "the editor was not shown";
  return closed;
}

// A camp with its company record, started as the program starts; Start shows the main window.
class StartedCamp : public ::testing::Test {
protected:
  void SetUp() override {
    EnsureTestApplication();
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
  }
  void Start() {
    StartVantrel();
    MainForm->Show();
    ProcessEventsUntilIdle();
  }
  void TearDown() override {
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
  }

  CampFixture camp;
};

// Types 30 February 2024 over the date edit's text, in the edit's own layout, then Tab.
inline void LeaveWithAnImpossibleDate(TCustomDateEdit* edit) {
  String digits;
  const String shown = FormatDateTime(edit->GetDateFormat(), EncodeDate(2024, 2, 28));
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown.compare(i, 2, "28") == 0) {
      digits += "30";
      ++i;
    } else if (shown[i] >= '0' && shown[i] <= '9') {
      digits += shown[i];
    }
  }
  edit->SetFocus();
  edit->SetSelStart(0);
  TypeText(edit, digits);
  SendKey(edit, VK_TAB);
  ProcessEventsUntilIdle();
}

}  // namespace vt::test
