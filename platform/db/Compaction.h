// Compaction of a database file in place or into another file, as the ODBC installer's
// COMPACT_DB request does it for the program.
#pragma once

#include <functional>

#include "rtl/StrUtils.h"

namespace vt {

// Rewrites source compactly into target (the same path compacts in place). The file is taken
// alone (any other connection to it refuses the compaction) and kept alone to the end: its
// write-ahead log is checkpointed, a compact copy written beside target and checked whole,
// then written into target through the database itself, so the file keeps its inode, mode and
// owner and a copy of the program that waits for it meanwhile finds the compacted rows.
// False, with every file as it was, when any step fails.
bool CompactDatabaseFile(const String& source, const String& target);

// For tests: runs while the file is held alone, after the copy was checked and before it is
// written back; an empty function removes it.
void SetCompactionHookForTests(std::function<void()> whileAlone);

}  // namespace vt
