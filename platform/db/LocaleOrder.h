// Text sorted in the user's language's order: the LOCALE collation (the locale's alphabet with
// accented letters among their base letters, case ignored) registered on a connection, and the
// ORDER BY terms it is put on; and the column numbers of an ORDER BY kept on their columns when
// the data layer puts its own in front. The schema's NOCASE stays SQLite's own, so every index
// in the file stays the one the sqlite3 shell reads and writes; only the sorting of a SELECT
// takes the locale's order.
#pragma once

#include <set>
#include <vector>

#include "rtl/StrUtils.h"

struct sqlite3;

namespace vt {

extern const char* const kLocaleCollation;

// Registers the LOCALE collation on the connection; returns SQLite's result code.
int RegisterLocaleCollation(sqlite3* db);

// The names, lower-cased, of the columns declared COLLATE NOCASE in every table of the
// database that has a column of that name.
std::set<String> CaseFreeColumnNames(sqlite3* db);

// sql with "COLLATE LOCALE" after every ORDER BY term that is a column named in caseFreeColumns
// ("LastName", "Attendees.LastName", "[LastName]" DESC); other terms and texts stay as they are.
String InLocaleOrder(const String& sql, const std::set<String>& caseFreeColumns);

// sql with each column number of the outermost SELECT's ORDER BY ("ORDER BY 1") counted shift
// further, for a select list that gets shift columns put in front of it.
String WithColumnNumbersShifted(const String& sql, int shift);

// A term of an ORDER BY: a column by its name, descending or not.
struct OrderTerm {
  String column;
  bool descending = false;
};

// The terms of sql's ORDER BY when the data layer may put the rows in the locale's order itself,
// after SQLite has read them in the case-free order the columns' own collation (and its index)
// gives: the statement's only ORDER BY, at its outermost level and with no LIMIT or OFFSET
// after it, whose every term is a column named in caseFreeColumns without a collation of its
// own. Empty otherwise: then InLocaleOrder is the way.
std::vector<OrderTerm> OrderTermsToSortInLocale(const String& sql, const std::set<String>& caseFreeColumns);

// sql without its outermost ORDER BY clause, for a statement whose ORDER BY is its last clause
// (as OrderTermsToSortInLocale takes it).
String WithoutOrderBy(const String& sql);

class RowSet;

// A column of a row store to sort by.
struct SortColumn {
  int column;
  bool descending;
};

// Puts the rows in the order that the statement with COLLATE LOCALE on those columns gives
// (nulls first, then numbers, then texts in the locale's order). The rows that already stand in
// that order keep their places, and the few others are sorted and merged in: rows read in the
// case-free order cost little more than one comparison each.
void SortInLocaleOrder(RowSet& rows, const std::vector<SortColumn>& columns);

}  // namespace vt
