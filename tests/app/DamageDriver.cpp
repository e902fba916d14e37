// A camp database damaged while the program works on it: Vantrel over the camp in the given
// folder; once the main window is up, every page of the attendees' and enrolments' tables and
// indexes is zeroed in the file (behind the program's back, its cache made stale by a write of
// another connection), then the user refreshes the data, or moves down the attendee grid and
// clicks its second row (which shows that attendee's sessions), and ends the program. The damaged file is copied to <folder>/damaged for comparison afterwards.
// Each message box shown is answered OK and printed as "shown: <text>".
// Usage: vt_damage_driver <folder> refresh|scroll
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/Startup.h"
#include "app/forms/Main.h"
#include "db/ADODB.h"
#include "db/Connection.h"
#include "db/Fields.h"
#include "rtl/FileNames.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

std::vector<int> PagesOfTables(TADOConnection* connection) {
  TADOQuery pages(nullptr);
  pages.SetConnection(connection);
  pages.SQL()->Add("SELECT pageno FROM dbstat WHERE name IN (SELECT name FROM sqlite_master "
                   "WHERE tbl_name IN ('Attendees', 'AttendeeSession'))");
  pages.Open();
  std::vector<int> numbers;
  for (; !pages.Eof(); pages.Next()) numbers.push_back(pages.Fields()->Fields(0)->AsInteger());
  return numbers;
}

void ZeroPages(const String& path, const std::vector<int>& pages, int pageSize) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  const std::string zeros(size_t(pageSize), '\0');
  for (int page : pages) {
    file.seekp(std::streamoff(page - 1) * pageSize);
    file.write(zeros.data(), pageSize);
  }
}

// The log folded into the file first, so that the file's pages are the ones read; the write
// afterwards makes the program's copy drop its cached pages on its next read.
void Damage(const String& path) {
  TADOConnection other(nullptr);
  other.SetConnectionString("Data Source=" + vt::ConnectionStringValue(path));
  other.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
  const std::vector<int> pages = PagesOfTables(&other);
  TADOQuery size(nullptr);
  size.SetConnection(&other);
  size.SQL()->Add("PRAGMA page_size");
  size.Open();
  const int pageSize = size.Fields()->Fields(0)->AsInteger();
  size.Close();
  ZeroPages(path, pages, pageSize);
  other.Execute("UPDATE CoSys SET CompanyName = CompanyName");
  other.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const String folder = IncludeTrailingPathDelimiter(argv[1]);
  const String way = argv[2];
  vt::SetProgramPathForTests(folder + "Vantrel");
  vt::EnsureTestApplication();
  vt::DialogResponder responder;
  for (int i = 0; i < 20; ++i) responder.Answer(mrOk);

  // One step a tick, as a user's clicks come: what a step raises goes to the program's handler.
  int step = 0;
  auto* user = new TTimer(nullptr);
  user->SetInterval(20);
  user->OnTimer = [&](TObject*) {
    if (!MainForm || !MainForm->Visible() || Screen->ActiveForm() != MainForm) return;
    switch (step++) {
      case 0: {
        const String path = folder + "Vantrel.mdb";
        Damage(path);
        std::filesystem::copy_file(path, folder + "damaged", std::filesystem::copy_options::overwrite_existing);
        break;
      }
      case 1:
        if (way == "refresh") {
          MainForm->Action3->Execute();
        } else {
          vt::SendKey(MainForm->DBGrid1, VK_DOWN);
          vt::ClickControl(MainForm->DBGrid1, 40, MainForm->DBGrid1->DefaultRowHeight() * 5 / 2);  // the second row
          MainForm->DBGrid1->Widget()->repaint();
        }
        break;
      default:
        user->SetEnabled(false);
        MainForm->FileExit1->Execute();
    }
  };
  const int status = RunVantrel();
  delete user;
  for (const vt::ShownDialog& shown : responder.Shown()) std::printf("shown: %s\n", shown.Text.c_str());
  return status;
}
