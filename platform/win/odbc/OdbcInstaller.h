// The ODBC installer stand-in: SQLConfigDataSource with the one driver the program names.
// A system data source is kept in the platform's registry store, under the key where the
// installer keeps it; COMPACT_DB compacts the SQLite file the program uses as its database.
#pragma once

#include "rtl/WinTypes.h"
#include "ui/kernel/Controls.h"  // HWND

constexpr WORD ODBC_ADD_DSN = 1;
constexpr WORD ODBC_CONFIG_DSN = 2;
constexpr WORD ODBC_REMOVE_DSN = 3;
constexpr WORD ODBC_ADD_SYS_DSN = 4;
constexpr WORD ODBC_CONFIG_SYS_DSN = 5;

// Attributes: "keyword=value" entries, each ended by a NUL, the list by an empty entry.
// ODBC_CONFIG_SYS_DSN writes the data source named by DSN with the other attributes;
// ODBC_ADD_DSN with COMPACT_DB="source" "target" <sort order> compacts source into target.
// TRUE only when that was done; any other request or driver gives FALSE.
BOOL SQLConfigDataSource(HWND hwndParent, WORD fRequest, LPCSTR lpszDriver, LPCSTR lpszAttributes);

namespace vt {
// The driver SQLConfigDataSource serves.
constexpr const char* kAccessDriver = "Microsoft Access Driver (*.mdb)";
// Where the installer keeps the system data sources, under HKEY_LOCAL_MACHINE.
constexpr const char* kOdbcIniKey = "SOFTWARE\\ODBC\\ODBC.INI";
}  // namespace vt
