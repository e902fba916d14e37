// Vantrel started as a user starts it, in whatever locale its environment names, on the camp in
// the given folder, driven by the lines of a copy script (tests/app/CopyScript.h) read from
// standard input, with three more lines that look at what the user sees:
//   shown <control>          the text the control shows in the window in use ("main" or an editor)
//   cells <grid> <field>     the texts a grid shows in the field's column, top to bottom
//   desktop-locale <KEY=value>  the desktop's locale file rewritten; waits until the program noticed
// Usage: vt_locale_driver <folder>. Each answer line starts with "> ".
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/SQLData.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/AddEditSessions.h"
#include "app/forms/Main.h"
#include "components/edits/CurrEdit.h"
#include "db/DataSet.h"
#include "db/DataSource.h"
#include "tests/app/CopyScript.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/grids/DBGrids.h"
#include "ui/kernel/DesktopLocale.h"
#include "ui/kernel/SettingChange.h"
#include "ui/testing/UiTesting.h"

namespace {

int gSettingChanges = 0;

TForm* FormInUse(const String& line, TForm* previous) {
  if (line == "main") return MainForm;
  if (line.rfind("open attendee", 0) == 0) return AddEditAttendeesForm;
  if (line.rfind("open session", 0) == 0) return AddEditSessionsForm;
  return previous;
}

// A numeric edit shows its display text unless it has the focus; any other edit its text.
String ShownText(TComponent* control) {
  if (auto* number = dynamic_cast<TCustomNumEdit*>(control))
    return number->Focused() ? number->Text() : number->GetDisplayText();
  if (auto* edit = dynamic_cast<TCustomEdit*>(control)) return edit->Text();
  return "(no text)";
}

String ColumnTexts(TComponent* control, const String& fieldName) {
  auto* grid = dynamic_cast<TDBGrid*>(control);
  TDataSet* rows = grid && grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
  if (!rows) return "(no grid)";
  TField* field = rows->FieldByName(fieldName);
  String texts;
  for (int recNo = 1; recNo <= rows->RecordCount(); ++recNo)
    texts += (recNo > 1 ? "|" : "") + rows->DisplayTextAt(recNo, field);
  return texts;
}

// As the desktop's region settings write it; the program's watcher takes it from there.
void RewriteDesktopLocale(const String& setting) {
  const int before = gSettingChanges;
  std::ofstream(vt::DesktopLocaleConfigDir() + "/locale.conf") << setting << "\n";
  QElapsedTimer clock;
  clock.start();
  while (gSettingChanges == before && clock.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  if (gSettingChanges == before) std::printf("> the program did not notice the new locale\n");
  vt::ProcessEventsUntilIdle();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  vt::test::StartCopyIn(argv[1]);
  vt::HookMainWindow([](TMessage& m) {
    if (m.Msg == WM_SETTINGCHANGE) ++gSettingChanges;
    return false;
  });
  vt::test::CopyScript copy;
  TForm* inUse = MainForm;
  for (String line; std::getline(std::cin, line) && line != "quit";) {
    std::istringstream words(line);
    String command, name, rest;
    words >> command >> name >> rest;
    if (command == "shown") {
      std::printf("> %s: %s\n", name.c_str(), ShownText(inUse->FindComponent(name)).c_str());
    } else if (command == "cells") {
      std::printf("> %s %s: %s\n", name.c_str(), rest.c_str(), ColumnTexts(inUse->FindComponent(name), rest).c_str());
    } else if (command == "desktop-locale") {
      RewriteDesktopLocale(name);
    } else {
      for (const String& shown : copy.Run(line)) std::printf("> %s\n", shown.c_str());
      inUse = FormInUse(line, inUse);
    }
    std::fflush(stdout);
  }
  vt::DoneApplication();
  return 0;
}
