// Compaction of a database file in place or into another file, as the ODBC installer's
// COMPACT_DB request does it for the program.
#pragma once

#include "rtl/StrUtils.h"

namespace vt {

// Rewrites source compactly into target (the same path compacts in place). The file is taken
// alone (any other connection to it refuses the compaction), its write-ahead log checkpointed,
// the copy written beside target and checked to open whole before it replaces target.
// False, with every file as it was, when any step fails.
bool CompactDatabaseFile(const String& source, const String& target);

}  // namespace vt
