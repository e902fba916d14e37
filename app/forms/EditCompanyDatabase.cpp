// The database page of the company editor: browsing for a database file, pointing the data
// source and the settings file at it, and compacting the current database; both end the program.
#include "app/forms/EditCompany.h"

#include <algorithm>

#include "app/ProgramIni.h"
#include "app/SQLData.h"
#include "db/Connection.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "rtl/IniFiles.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/Dialogs.h"
#include "win/odbc/OdbcInstaller.h"

namespace {

// The attribute text goes through a buffer of this size, NULs included; a longer one is
// refused rather than cut.
const size_t kAttributeBufferSize = 512;

void ShowError(const String& text) { Application->MessageBox(text, "Error", MB_OK); }

// Attributes written with ";" for each NUL, as the list is formatted.
bool AttributeList(const String& formatted, String& list) {
  if (formatted.size() + 1 > kAttributeBufferSize) return false;
  list = formatted;
  std::replace(list.begin(), list.end(), ';', '\0');
  return true;
}

// A file of ours: the camp tables are there.
bool IsCampDatabase(const String& path) {
  if (!FileExists(path)) return false;
  try {
    const std::vector<String> tables = vt::ListTables(path);
    for (const char* table : {"Attendees", "Sessions", "CoSys"})
      if (std::none_of(tables.begin(), tables.end(), [&](const String& name) { return SameText(name, table); }))
        return false;
  } catch (const EDatabaseError&) {
    return false;  // not a database file at all: refused like one without the tables
  }
  return true;
}

}  // namespace

void TEditCompanyForm::DBNameBtnClick(TObject* Sender) {
  try {
    OpenDialog1->Execute();
  } catch (const Exception&) {
    MessageBox(nullptr, "Error ocurred while browsing for Database", "BROWSE ERROR", MB_OK | MB_ICONERROR);
    return;
  }
  const String path = OpenDialog1->FileName();
  const String name = ExtractFileName(path);
  DBNameEdit->SetText(name);
  DirectoryEdit->SetText(Copy(path, 1, static_cast<int>(path.size() - name.size())));
}

void TEditCompanyForm::BitBtn18Click(TObject* Sender) {
  const String name = DBNameEdit->Text();
  const String directory = DirectoryEdit->Text();
  if (name.empty() || directory.empty()) {
    ShowError("You must use the browse button to choose a database location");
    return;
  }
  if (!IsCampDatabase(directory + name)) {
    ShowError("The file " + directory + name + " does not exist or is not a camp database. Nothing was changed.");
    return;
  }
  String attributes;
  if (name.find(';') != String::npos || directory.find(';') != String::npos ||
      !AttributeList(Format("DSN=Vantrel;FIL=MS Access;JetIniPath=odbcddp.ini;DBQ=%s;DefaultDir=%s;Description=;UID=;PWD=;;",
                            {name, directory}),
                     attributes)) {
    ShowError("The database path is too long or contains a \";\". Nothing was changed.");
    return;
  }
  if (!SQLConfigDataSource(nullptr, ODBC_CONFIG_SYS_DSN, vt::kAccessDriver, attributes.c_str())) {
    ShowError("The data source Vantrel could not be changed. Nothing was changed.");
    return;
  }
  TIniFile(ProgramIni()).WriteString("System", "FullPath", directory + name);
  Application->MessageBox("Database path has been changed. The program will now close.", "Path Change Complete", MB_OK);
  Application->Terminate();
}

void TEditCompanyForm::BitBtn19Click(TObject* Sender) {
  if (Application->MessageBox("Are you sure you want to compact the database and close the program?", "Confirm Compact",
                              MB_YESNO) != IDYES)
    return;
  // The file this copy has open; another copy may have pointed the settings at another camp
  // since, and that one is not this copy's to compact.
  const String open = SQLDataModule->dbVantrelADO->DataSource();
  const String configured = ReadDatabasePath();
  if (configured != open) {
    Application->MessageBox("The camp has been moved to " + configured + " while this copy had " + open +
                                " open. Nothing was compacted. The program will now close.",
                            "Error!", MB_OK);
    Application->Terminate();
    return;
  }
  SQLDataModule->dbVantrelADO->SetConnected(false);
  const String quoted = "\"" + open + "\"";
  String attributes;
  const bool compacted = AttributeList(Format("COMPACT_DB=%s %s General;", {quoted, quoted}), attributes) &&
                         SQLConfigDataSource(nullptr, ODBC_ADD_DSN, vt::kAccessDriver, attributes.c_str());
  if (compacted)
    Application->MessageBox("Database has been compacted. The program will now close.", "Success!", MB_OK);
  else
    Application->MessageBox("Database was not compacted. The program will now close.", "Error!", MB_OK);
  Application->Terminate();
}
