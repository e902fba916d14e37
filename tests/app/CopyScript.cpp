// The script of what a copy of the program does in its record editors.
#include "tests/app/CopyScript.h"

#include <map>
#include <sstream>

#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/AddEditSessions.h"
#include "app/forms/Main.h"
#include "db/ADODB.h"
#include "rtl/FileNames.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace vt::test {

namespace {

struct Editor {
  TForm* form;
  TDataSet* rows;
  const char* key;
  TCheckBox* editMode;
};

Editor EditorFor(const String& name) {
  if (name == "attendee")
    return {AddEditAttendeesForm, SQLDataModule->qAttendees, "CamperID", AddEditAttendeesForm->CheckBox1};
  if (name == "chaperone")
    return {AddEditChaperonesForm, SQLDataModule->qChaperones, "ChaperoneID", AddEditChaperonesForm->CheckBox1};
  if (name == "session")
    return {AddEditSessionsForm, SQLDataModule->qSessions, "SessionID", AddEditSessionsForm->CheckBox1};
  throw Exception("no editor " + name);
}

int AnswerFor(const String& word) {
  static const std::map<String, int> answers = {{"yes", mrYes}, {"no", mrNo}, {"cancel", mrCancel}, {"ok", mrOk}};
  const auto found = answers.find(word);
  if (found == answers.end()) throw Exception("no answer " + word);
  return found->second;
}

String Rest(std::istringstream& words) {
  String rest;
  std::getline(words >> std::ws, rest);
  return rest;
}

String OneLine(String text) {
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text;
}

}  // namespace

std::vector<String> CopyScript::Run(const String& line) {
  std::istringstream words(line);
  String command, name;
  words >> command >> name;
  DialogResponder responder;
  std::vector<String> shown;
  try {
    if (command == "open" || command == "select") {
      int key = 0;
      words >> key;
      Select(name, key);
      if (command == "open") Open(name);
    } else if (command == "main") {
      MainForm->Show();
      open_ = MainForm;
    } else if (command == "page") {
      auto* page = dynamic_cast<TTabSheet*>(Control(name));
      TPageControl* pages = page->PageControl();
      pages->SetActivePage(page);
      if (pages->OnChange) pages->OnChange(pages);
    } else if (command == "type") {
      TWinControl* control = Control(name);
      control->SetFocus();
      if (auto* edit = dynamic_cast<TCustomEdit*>(control)) edit->SelectAll();  // typed over
      TypeText(control, Rest(words));
    } else if (command == "pick") {
      auto* box = dynamic_cast<TCustomComboBox*>(Control(name));
      box->SetItemIndex(box->Items()->IndexOf(Rest(words)));
      if (box->OnChange) box->OnChange(box);
    } else if (command == "click") {
      TWinControl* control = Control(name);
      for (String word; words >> word;) responder.Answer(AnswerFor(word));
      ClickControl(control);
    } else if (command == "act") {
      auto* action = dynamic_cast<TBasicAction*>(open_ ? open_->FindComponent(name) : nullptr);
      if (!action) throw Exception("no action " + name);
      for (String word; words >> word;) responder.Answer(AnswerFor(word));
      try {
        action->Execute();
      } catch (...) {
        Application->HandleException(action);  // as the menu item's click hands it on
      }
    } else if (command == "hold") {
      SQLDataModule->dbVantrelADO->BeginTrans();
    } else if (command == "release") {
      SQLDataModule->dbVantrelADO->RollbackTrans();
    } else {
      throw Exception("no command " + command);
    }
    ProcessEventsUntilIdle();
  } catch (const Exception& e) {
    shown.push_back("raised: " + OneLine(e.Message()));
  }
  for (const ShownDialog& box : responder.Shown()) shown.push_back(box.Caption + ": " + OneLine(box.Text));
  for (const String& failure : responder.TakeFailures()) shown.push_back("unexpected: " + OneLine(failure));
  return shown;
}

void CopyScript::Select(const String& name, int key) {
  const Editor editor = EditorFor(name);
  if (!editor.rows->Locate(editor.key, key, {})) throw Exception("no row " + IntToStr(key));
}

void CopyScript::Open(const String& name) {
  const Editor editor = EditorFor(name);
  editor.rows->Edit();
  editor.editMode->SetChecked(true);
  editor.form->Show();
  open_ = editor.form;
}

TWinControl* CopyScript::Control(const String& name) {
  auto* control = open_ ? dynamic_cast<TWinControl*>(open_->FindComponent(name)) : nullptr;
  if (!control) throw Exception("no control " + name);
  return control;
}

void StartCopyIn(const String& folder) {
  vt::SetProgramPathForTests(IncludeTrailingPathDelimiter(folder) + "Vantrel");
  vt::EnsureTestApplication();
  StartVantrel();
  vt::ProcessEventsUntilIdle();
}

}  // namespace vt::test
