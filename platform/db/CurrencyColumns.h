// Currency columns in the file: every value any statement on the connection writes to one is
// rounded to whole 1/10,000s, and values that drifted in binary before (written by another
// program or an earlier version) are rounded when the file is opened. The file keeps money in
// currency units (35.1 for $35.10), as other readers of it expect. A file whose money has been
// rounded once is marked so in its header's user version, which SQLite keeps for the program
// and the sqlite3 shell and earlier versions leave alone.
#pragma once

struct sqlite3;

namespace vt {

// When to search the currency columns for drifted values: never (the connection itself closed
// the file last and nobody changed it since), unless the file is marked as rounded, or always
// (another program may have written to the file since the connection closed it).
enum class DriftSearch { None, UnlessMarked, Always };

// Registers vt_currency(x) on the connection, rounds the drifted values of the database's
// currency columns as search says and marks the file, and adds the connection's own (temporary)
// triggers that round what is written to them; a value outside the currency range fails its
// statement. A read-only file is neither rounded nor marked. Returns SQLite's result code.
int InstallCurrencyRounding(sqlite3* db, DriftSearch search);

}  // namespace vt
