// The settings file's name and the database location: each use opens the file afresh, so a
// path written by one command is seen by the next reader at once.
#include "app/ProgramIni.h"

#include "db/Connection.h"
#include "rtl/FileNames.h"
#include "rtl/IniFiles.h"

namespace {

const char* const kConnectionPrefix = "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=";
const char* const kConnectionTail =
    ";Mode=Share Deny None;Extended Properties=;Jet OLEDB:System database=;"
    "Jet OLEDB:Registry Path=;Jet OLEDB:Database Password=;Jet OLEDB:Engine Type=5;"
    "Jet OLEDB:Database Locking Mode=0;Jet OLEDB:Global Partial Bulk Ops=2;"
    "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=;"
    "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
    "Jet OLEDB:Don't Copy Locale on Compact=False;Jet OLEDB:Compact Without Replica Repair=False;"
    "Jet OLEDB:SFP=False";

}  // namespace

String ProgramIni() { return ChangeFileExt(ParamStr(0), ".ini"); }

String ReadDatabasePath() {
  TIniFile ini(ProgramIni());
  return ini.ReadString("System", "FullPath", ChangeFileExt(ParamStr(0), ".mdb"));
}

String DatabaseConnectionString(const String& path) {
  return kConnectionPrefix + vt::ConnectionStringValue(path) + kConnectionTail;
}
