// Whether a database file may be opened for writing, found out before anything is written to
// it or beside it: whole (every page read, or for a file untouched since its clean close only
// its header and size), with the tables the program expects, and with no log beside it that
// belongs to another database.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

namespace vt {

// A table a file must hold, with the columns it must have at least.
struct ExpectedTable {
  String name;
  std::vector<String> columns;
};

// The tables a script of CREATE TABLE statements makes (its other statements are run too).
std::vector<ExpectedTable> TablesOfScript(const String& createScript);

// The URI that opens the file alone, read-only: no lock, its log and shared-memory file neither
// read nor made (open it with SQLITE_OPEN_URI).
String FileAloneUri(const String& path);

// Raises EDatabaseError, naming the file, when it is damaged or empty, lacks one of the expected
// tables or columns, or has a log beside it that does not belong to it. The file, its log and
// its shared-memory file are only read: neither made, changed, folded into one another nor
// removed. A file that is not there is left to the opening to report.
void CheckBeforeOpening(const String& path, const std::vector<ExpectedTable>& expected, bool wholeFile);

}  // namespace vt
