// LIKE as the Jet database compared: letter case ignored for every letter (Unicode case
// mappings, not only A-Z as SQLite's own LIKE), "%" for any run of characters, "_" for one.
#pragma once

#include "rtl/StrUtils.h"

struct sqlite3;

namespace vt {

// Whether text matches pattern; escape (0 = none) makes the next pattern character literal.
bool LikeMatches(const String& pattern, const String& text, char32_t escape = 0);

// Replaces LIKE (two and three arguments) on the connection; returns SQLite's result code.
int RegisterUnicodeLike(sqlite3* db);

}  // namespace vt
