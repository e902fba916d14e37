// The rounding of currency columns: one SQL function built on the runtime library's currency
// conversion, a pass over the columns whose stored values drifted (once per file, then marked in
// its header), and per table two temporary triggers that round a row's currency values after an
// insert or an update that changed them.
#include "db/CurrencyColumns.h"

#include <sqlite3.h>

#include <cmath>
#include <map>
#include <vector>

#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/Currency.h"
#include "rtl/Exceptions.h"

namespace vt {

namespace {

// Below this size two amounts of whole 1/10,000s are never the same double, so a double that
// is the nearest one to such an amount reads back as that amount.
const double kUnambiguous = 1e11;

// Whether the double is the nearest one to a whole number of 1/10,000s: the quick answer for
// the values nearly every row holds, without reading the double as a decimal.
bool IsWholeTenThousandths(double number) {
  if (!(std::fabs(number) < kUnambiguous)) return false;
  const long double count = std::roundl(static_cast<long double>(number) * 10000.0L);
  return Currency::FromCount(static_cast<std::int64_t>(count)).ToDouble() == number;
}

// vt_currency(x): a number rounded to whole 1/10,000s; null, text and blobs as they are. A
// number outside the currency range fails the statement, which then writes nothing.
void RoundCurrency(sqlite3_context* context, int, sqlite3_value** arguments) {
  sqlite3_value* value = arguments[0];
  const int type = sqlite3_value_type(value);
  if ((type != SQLITE_INTEGER && type != SQLITE_FLOAT) ||
      (type == SQLITE_FLOAT && IsWholeTenThousandths(sqlite3_value_double(value))))
    return sqlite3_result_value(context, value);
  const long double number = type == SQLITE_INTEGER ? static_cast<long double>(sqlite3_value_int64(value))
                                                    : static_cast<long double>(sqlite3_value_double(value));
  try {
    sqlite3_result_double(context, FloatToCurr(number).ToDouble());
  } catch (const EConvertError& e) {
    sqlite3_result_error(context, e.Message().c_str(), -1);
  }
}

using CurrencyColumns = std::map<String, std::vector<String>>;  // table -> its currency columns

CurrencyColumns FindCurrencyColumns(sqlite3* db) {
  CurrencyColumns found;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db,
                         "SELECT m.name, c.name, c.type FROM sqlite_master m, pragma_table_info(m.name) c "
                         "WHERE m.type = 'table'",
                         -1, &statement, nullptr) != SQLITE_OK)
    return found;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const auto text = [&](int column) {
      const unsigned char* value = sqlite3_column_text(statement, column);
      return String(value ? reinterpret_cast<const char*>(value) : "");
    };
    int size;
    if (FieldTypeOfDeclaration(text(2), false, size) == ftCurrency) found[text(0)].push_back(text(1));
  }
  sqlite3_finalize(statement);
  return found;
}

// Joins one text per column with separator, "%" in pattern standing for the quoted column.
String EachColumn(const std::vector<String>& columns, const String& pattern, const String& separator) {
  String joined;
  for (const String& column : columns)
    joined += (joined.empty() ? "" : separator) + StringReplace(pattern, "%", SqlQuoteIdentifier(column), {rfReplaceAll});
  return joined;
}

// A stored number that is not a whole number of 1/10,000s; one outside the currency range
// (written before the range was kept) is left as it is, for its reader to report.
const char* const kDrifted = "(typeof(%) = 'real' AND abs(%) < 922337203685477 AND % <> vt_currency(%))";

bool AnyDrifted(sqlite3* db, const String& table, const std::vector<String>& columns) {
  const String sql = "SELECT EXISTS (SELECT 1 FROM " + SqlQuoteIdentifier(table) + " WHERE " +
                     EachColumn(columns, kDrifted, " OR ") + ")";
  sqlite3_stmt* statement = nullptr;
  bool drifted = false;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
    drifted = sqlite3_column_int(statement, 0) != 0;
  sqlite3_finalize(statement);
  return drifted;
}

String RoundingUpdate(const String& table, const std::vector<String>& columns, const String& where) {
  return "UPDATE " + SqlQuoteIdentifier(table) + " SET " + EachColumn(columns, "% = vt_currency(%)", ", ") +
         " WHERE " + where;
}

// The header's user version from which on a file's money has been rounded.
const int kRoundedVersion = 1;

bool MarkedRounded(sqlite3* db) {
  sqlite3_stmt* statement = nullptr;
  bool marked = false;
  if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW)
    marked = sqlite3_column_int(statement, 0) >= kRoundedVersion;
  sqlite3_finalize(statement);
  return marked;
}

// One transaction for every table with drifted values and the mark; none at all (no write lock
// taken) when the file cannot be written, or nothing drifted in a file marked already.
int RoundDriftedValues(sqlite3* db, const CurrencyColumns& tables) {
  if (sqlite3_db_readonly(db, "main") == 1) return SQLITE_OK;
  String updates;
  for (const auto& [table, columns] : tables)
    if (AnyDrifted(db, table, columns)) {
      const String inRange = EachColumn(columns, "(% IS NULL OR abs(%) < 922337203685477)", " AND ");
      updates += RoundingUpdate(table, columns, "(" + EachColumn(columns, kDrifted, " OR ") + ") AND " + inRange) + ";";
    }
  const bool marked = MarkedRounded(db);
  if (updates.empty() && marked) return SQLITE_OK;
  if (!marked) updates += "PRAGMA user_version = " + IntToStr(kRoundedVersion) + ";";
  const int code = sqlite3_exec(db, ("BEGIN IMMEDIATE;" + updates + "COMMIT").c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK && !sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return code;
}

int AddRoundingTriggers(sqlite3* db, const CurrencyColumns& tables) {
  String triggers;
  for (const auto& [table, columns] : tables) {
    const String when = " WHEN " + EachColumn(columns, "NEW.% IS NOT vt_currency(NEW.%)", " OR ");
    const String body = " BEGIN " + RoundingUpdate(table, columns, "rowid = NEW.rowid") + "; END;";
    const String on = " ON " + SqlQuoteIdentifier(table);
    triggers += "CREATE TEMP TRIGGER " + SqlQuoteIdentifier("vt_currency_insert_" + table) + " AFTER INSERT" + on + when + body;
    triggers += "CREATE TEMP TRIGGER " + SqlQuoteIdentifier("vt_currency_update_" + table) + " AFTER UPDATE OF " +
                EachColumn(columns, "%", ", ") + on + when + body;
  }
  return triggers.empty() ? SQLITE_OK : sqlite3_exec(db, triggers.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace

int InstallCurrencyRounding(sqlite3* db, DriftSearch search) {
  int code = sqlite3_create_function_v2(db, "vt_currency", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                        nullptr, &RoundCurrency, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) return code;
  const CurrencyColumns tables = FindCurrencyColumns(db);
  const bool round = search == DriftSearch::Always || (search == DriftSearch::UnlessMarked && !MarkedRounded(db));
  code = round ? RoundDriftedValues(db, tables) : SQLITE_OK;
  return code == SQLITE_OK ? AddRoundingTriggers(db, tables) : code;
}

}  // namespace vt
