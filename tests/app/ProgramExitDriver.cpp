// The program as a user ends it: Vantrel's start-up and message loop over the camp database in
// the given folder, ended the given way, then out through main's return and the exit handlers.
// Usage: vt_program_exit_driver <folder> close|exit-command|message
// Each message box shown is answered OK and printed as "shown: <text>".
#include <QWidget>

#include <cstdio>

#include "app/Startup.h"
#include "app/forms/Main.h"
#include "rtl/FileNames.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  vt::SetProgramPathForTests(IncludeTrailingPathDelimiter(argv[1]) + "Vantrel");
  const String way = argv[2];
  vt::EnsureTestApplication();
  vt::DialogResponder responder;
  if (way == "message") responder.Answer(mrOk);

  // Once the main window is up and active, the user ends the program.
  auto* user = new TTimer(nullptr);
  user->SetInterval(20);
  user->OnTimer = [&](TObject*) {
    if (!MainForm || !MainForm->Visible() || Screen->ActiveForm() != MainForm) return;
    user->SetEnabled(false);
    if (way == "close")
      MainForm->Widget()->close();  // what the window manager's close button sends
    else
      MainForm->FileExit1->Execute();
  };
  const int status = RunVantrel();
  delete user;
  for (const vt::ShownDialog& shown : responder.Shown()) std::printf("shown: %s\n", shown.Text.c_str());
  return status;
}
