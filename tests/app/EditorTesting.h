// Helpers for tests of the record editors: a camp started as the program starts it, and a
// script run inside the modal loop of an editor that a command opens.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/About.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "tests/fixtures/CampFixture.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace vt::test {

// Runs open (which shows form modally), and script inside its modal loop as soon as the form's
// own activation has run. A form the script leaves open is ended afterwards; returns whether the
// script closed it.
inline bool RunWhileModal(TCustomForm* form, const std::function<void()>& open, const std::function<void()>& script) {
  bool ran = false;
  bool closed = false;
  const TNotifyEvent activation = form->OnActivate;
  form->OnActivate = [&](TObject* Sender) {
    if (activation) activation(Sender);
    if (ran) return;
    ran = true;
    script();
    closed = form->ModalResult() != mrNone;
    if (!closed) form->SetModalResult(mrCancel);
  };
  open();
  form->OnActivate = activation;
  EXPECT_TRUE(ran) << form->Name() << " was not shown";
  return closed;
}

// A camp with its company record, started as the program starts; the main window is shown.
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

}  // namespace vt::test
