// SQL text helpers of the data layer: the one quoting routine, the number check, and the
// rewrite of the Jet dialect the program writes into the SQLite dialect, done once before
// SQLite sees a statement.
#pragma once

#include "rtl/DateTime.h"
#include "rtl/StrUtils.h"

namespace vt {

// Text put into SQL: surrounding single quotes added, quotes inside doubled. A text holding a
// NUL character raises EDatabaseError (no text column holds one); so does such a name below.
String SqlQuote(const String& text);

// A table or column name put into SQL: surrounding double quotes added, double quotes inside
// doubled.
String SqlQuoteIdentifier(const String& name);

// The text itself (blanks trimmed) when it is a decimal number; raises EDatabaseError otherwise.
String SqlNumber(const String& text);

// Rewrites, outside string literals: the words true/false to -1/0; #m/d/yyyy [h:nn[:ss] [AM|PM]]#
// to the date number; and a quoted 'm/d/yyyy' that is compared with a column to the date number.
String RewriteJetDialect(const String& sql);

// Reads "m/d/yyyy" (one or two digits for month and day, four for the year) exactly, as Jet
// reads a date written in text; false for any other shape or an impossible date.
bool TryParseJetDate(const String& text, TDateTime& date);

}  // namespace vt
