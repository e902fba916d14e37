// The attendee editor's Done as a user meets it on a desktop: Vantrel over the camp database in
// the given folder, on the display's real window manager with real message boxes. The first
// attendee is edited, its first name changed to "Anna", Done pressed and the question answered;
// a moment later the program is ended. Every message box shown is printed as "shown: <text>";
// one that is not the question is answered with its first button.
// Usage: vt_editor_done_driver <folder> yes|no
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/Main.h"
#include "rtl/FileNames.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/Buttons.h"
#include "ui/testing/UiTesting.h"

namespace {

const QString kQuestion = "Do you wish to save your changes?";

bool ActiveAndShown(TForm* form) { return form && form->Visible() && Screen->ActiveForm() == form; }

// Presses the button of the box whose text is the given one, else the first button.
void Answer(QMessageBox* box, const QString& text) {
  for (QAbstractButton* button : box->buttons())
    if (button->text().remove('&') == text) return button->click();
  box->buttons().front()->click();
}

// The user's steps, one a tick, each once its window is up; message boxes are answered at any
// step.
class User {
public:
  explicit User(QString answer) : answer_(std::move(answer)) {}

  void Tick() {
    if (AnswerBox()) return;
    switch (step_) {
      case Step::Edit:
        if (!ActiveAndShown(MainForm)) return;
        step_ = Step::Change;
        Later([] { MainForm->acEdit->Execute(); });
        break;
      case Step::Change:
        if (!ActiveAndShown(AddEditAttendeesForm)) return;
        SQLDataModule->qAttendees->FieldByName("FirstName")->SetAsString("Anna");
        step_ = Step::Settle;
        Later([] { AddEditAttendeesForm->BitBtn1->Click(); });
        break;
      case Step::Settle:  // the window manager's late activations have their time
        if (AddEditAttendeesForm->Visible() || ++settled_ < 15) return;
        step_ = Step::Done;
        MainForm->FileExit1->Execute();
        break;
      case Step::Done:
        break;
    }
  }

private:
  enum class Step { Edit, Change, Settle, Done };

  bool AnswerBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box || !box->isVisible()) continue;
      std::printf("shown: %s\n", box->text().toUtf8().constData());
      std::fflush(stdout);
      Answer(box, box->text() == kQuestion ? answer_ : QString());
      return true;
    }
    return false;
  }

  static void Later(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

  QString answer_;
  Step step_ = Step::Edit;
  int settled_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  vt::SetProgramPathForTests(IncludeTrailingPathDelimiter(argv[1]) + "Vantrel");
  vt::EnsureTestApplication();
  User user(String(argv[2]) == "yes" ? "Yes" : "No");
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] { user.Tick(); });
  ticks.start(100);
  return RunVantrel();
}
