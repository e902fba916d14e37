// Currency columns in the file: every value any statement on the connection writes to one is
// rounded to whole 1/10,000s, and values that drifted in binary before (written by another
// program or an earlier version) are rounded when the file is opened, unless the connection itself
// closed it last and nobody changed it since. The file keeps money in currency units (35.1 for
// $35.10), as other readers of it expect.
#pragma once

struct sqlite3;

namespace vt {

// Registers vt_currency(x) on the connection, rounds the drifted values of the database's
// currency columns when roundDrifted says so, and adds the connection's own (temporary) triggers
// that round what is written to them; a value outside the currency range fails its statement.
// Returns SQLite's result code.
int InstallCurrencyRounding(sqlite3* db, bool roundDrifted);

}  // namespace vt
