// The LOCALE collation and the ORDER BY rewrite: the text is cut into tokens (words, quoted
// names, literals, single characters; blanks and comments dropped), each ORDER BY clause into
// its terms at the clause's own depth of parentheses.
#include "db/LocaleOrder.h"

#include <sqlite3.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <string_view>
#include <vector>

#include "db/RowSet.h"
#include "db/SqliteStatement.h"
#include "rtl/LocaleCollation.h"

namespace vt {

const char* const kLocaleCollation = "LOCALE";

namespace {

int CompareInLocale(void*, int lengthA, const void* a, int lengthB, const void* b) {
  return LocaleCompare({static_cast<const char*>(a), size_t(lengthA)}, {static_cast<const char*>(b), size_t(lengthB)},
                       true);
}

enum class TokenKind { Word, Name, Literal, Symbol };

struct Token {
  TokenKind kind;
  size_t begin;
  size_t end;
};

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// The end of a quoted text that starts at begin: the closing quote (a doubled one is inside).
size_t QuotedEnd(std::string_view sql, size_t begin) {
  const char close = sql[begin] == '[' ? ']' : sql[begin];
  size_t i = begin + 1;
  while (i < sql.size()) {
    if (sql[i] != close) ++i;
    else if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) i += 2;
    else return i + 1;
  }
  return sql.size();
}

// The end of the blanks and comments from begin.
size_t SpaceEnd(std::string_view sql, size_t i) {
  while (i < sql.size()) {
    if (static_cast<unsigned char>(sql[i]) <= ' ') ++i;
    else if (sql.compare(i, 2, "--") == 0) i = std::min(sql.find('\n', i), sql.size());
    else if (sql.compare(i, 2, "/*") == 0) i = std::min(sql.find("*/", i + 2), sql.size() - 2) + 2;
    else break;
  }
  return i;
}

std::vector<Token> Tokens(std::string_view sql) {
  std::vector<Token> tokens;
  for (size_t i = SpaceEnd(sql, 0); i < sql.size(); i = SpaceEnd(sql, i)) {
    const size_t begin = i;
    const char c = sql[i];
    TokenKind kind = TokenKind::Symbol;
    if (c == '\'') kind = TokenKind::Literal, i = QuotedEnd(sql, i);
    else if (c == '"' || c == '[' || c == '`') kind = TokenKind::Name, i = QuotedEnd(sql, i);
    else if (IsWordChar(c)) {
      kind = TokenKind::Word;
      while (i < sql.size() && IsWordChar(sql[i])) ++i;
    } else ++i;
    tokens.push_back({kind, begin, i});
  }
  return tokens;
}

// The ORDER BY terms of a statement, each one rewritten by the rule the rewrite was made with:
// the locale's order put on case-free columns, or column numbers of the outermost SELECT moved
// past columns put in front of its select list.
class OrderRewrite {
 public:
  OrderRewrite(const String& sql, const std::set<String>& columns, int ordinalShift)
      : sql_(sql), columns_(columns), ordinalShift_(ordinalShift), tokens_(Tokens(sql)) {}

  // The terms of the statement's only ORDER BY when every one is a case-free column, at the
  // outermost level, with nothing but an end after the clause; else none.
  std::vector<OrderTerm> LocaleTerms() const {
    std::vector<size_t> clauses;
    int depth = 0, clauseDepth = 0;
    for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
      if (IsSymbol(i, '(')) ++depth;
      else if (IsSymbol(i, ')')) --depth;
      else if (IsWord(i, "ORDER") && IsWord(i + 1, "BY")) clauses.push_back(i + 2), clauseDepth = depth;
    }
    if (clauses.size() != 1 || clauseDepth != 0) return {};
    std::vector<OrderTerm> terms;
    size_t begin = clauses.front();
    for (size_t i = begin; i <= tokens_.size(); ++i) {
      const bool end = i == tokens_.size() || IsSymbol(i, ';');
      if (!end && !IsSymbol(i, ',')) continue;
      OrderTerm term;
      if (!ReadLocaleTerm(begin, i, term)) return {};
      terms.push_back(term);
      if (end) return i + 1 < tokens_.size() ? std::vector<OrderTerm>() : terms;
      begin = i + 1;
    }
    return {};
  }

  // The text before the outermost ORDER BY (all of it when there is none).
  String BeforeOrderBy() const {
    int depth = 0;
    for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
      if (IsSymbol(i, '(')) ++depth;
      else if (IsSymbol(i, ')')) --depth;
      else if (depth == 0 && IsWord(i, "ORDER") && IsWord(i + 1, "BY")) return sql_.substr(0, tokens_[i].begin);
    }
    return sql_;
  }

  String Result() {
    std::vector<Edit> edits;
    int depth = 0;
    for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
      if (IsSymbol(i, '(')) ++depth;
      else if (IsSymbol(i, ')')) --depth;
      else if (IsWord(i, "ORDER") && IsWord(i + 1, "BY")) i = ReadTerms(i + 2, depth == 0, edits);
    }
    String out = sql_;
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) out.replace(edit->at, edit->length, edit->text);
    return out;
  }

 private:
  // The characters [at, at + length) of the text replaced by text.
  struct Edit {
    size_t at;
    size_t length;
    String text;
  };

  std::string_view Text(size_t i) const { return std::string_view(sql_).substr(tokens_[i].begin, tokens_[i].end - tokens_[i].begin); }
  bool IsWord(size_t i, const char* word) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::Word && SameText(String(Text(i)), word);
  }
  bool IsSymbol(size_t i, char c) const { return i < tokens_.size() && tokens_[i].kind == TokenKind::Symbol && Text(i)[0] == c; }

  // The terms from first up to the end of the clause; answers the index of its last token.
  size_t ReadTerms(size_t first, bool outermost, std::vector<Edit>& edits) {
    size_t termStart = first;
    int depth = 0;
    size_t i = first;
    for (; i < tokens_.size(); ++i) {
      if (IsSymbol(i, '(')) ++depth;
      else if (IsSymbol(i, ')') && --depth < 0) break;
      else if (depth > 0) continue;
      else if (IsSymbol(i, ',')) {
        TakeTerm(termStart, i, outermost, edits);
        termStart = i + 1;
      } else if (IsSymbol(i, ';') || IsWord(i, "LIMIT") || IsWord(i, "OFFSET") || IsWord(i, "UNION") ||
                 IsWord(i, "EXCEPT") || IsWord(i, "INTERSECT"))
        break;
    }
    TakeTerm(termStart, i, outermost, edits);
    return i - 1;
  }

  // A term [table.]column or a column number, then [COLLATE name] [ASC|DESC] [NULLS FIRST|LAST];
  // a collation the statement names itself is kept.
  void TakeTerm(size_t begin, size_t end, bool outermost, std::vector<Edit>& edits) const {
    if (begin >= end) return;
    size_t column = begin;
    if (begin + 2 < end && IsColumnName(begin) && IsSymbol(begin + 1, '.') && IsColumnName(begin + 2)) column = begin + 2;
    bool collated = false;
    for (size_t i = column + 1; i < end; ++i)
      if (IsWord(i, "COLLATE") && i + 1 < end) collated = true, ++i;
      else if (!IsWord(i, "ASC") && !IsWord(i, "DESC") && !IsWord(i, "NULLS") && !IsWord(i, "FIRST") && !IsWord(i, "LAST"))
        return;
    const Token& token = tokens_[column];
    if (!collated && IsColumnName(column) && columns_.count(LowerCase(Unquoted(column))))
      edits.push_back({token.end, 0, String(" COLLATE ") + kLocaleCollation});
    else if (outermost && ordinalShift_ != 0 && IsNumber(column))
      edits.push_back({token.begin, token.end - token.begin, IntToStr(StrToInt(String(Text(column))) + ordinalShift_)});
  }

  // [table.]column [ASC|DESC], the column a case-free one.
  bool ReadLocaleTerm(size_t begin, size_t end, OrderTerm& term) const {
    size_t column = begin;
    if (begin + 2 < end && IsColumnName(begin) && IsSymbol(begin + 1, '.')) column = begin + 2;
    if (column >= end || !IsColumnName(column) || !columns_.count(LowerCase(Unquoted(column)))) return false;
    term.column = Unquoted(column);
    if (column + 1 == end) return true;
    term.descending = IsWord(column + 1, "DESC");
    return column + 2 == end && (term.descending || IsWord(column + 1, "ASC"));
  }

  bool IsNumber(size_t i) const {
    const std::string_view text = Text(i);
    return tokens_[i].kind == TokenKind::Word && text.size() < 10 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
  }

  bool IsColumnName(size_t i) const {
    return tokens_[i].kind == TokenKind::Name || (tokens_[i].kind == TokenKind::Word && (Text(i)[0] < '0' || Text(i)[0] > '9'));
  }

  String Unquoted(size_t i) const {
    const std::string_view text = Text(i);
    if (tokens_[i].kind != TokenKind::Name || text.size() < 2) return String(text);
    const char close = text.back();
    String name;
    for (size_t k = 1; k + 1 < text.size(); ++k) {
      name += text[k];
      if (text[k] == close && close != ']' && text[k + 1] == close) ++k;
    }
    return name;
  }

  const String& sql_;
  const std::set<String>& columns_;
  int ordinalShift_;
  std::vector<Token> tokens_;
};

// Nulls, then numbers, then texts, as SQLite orders values; texts by the LOCALE collation.
int CompareCells(const RowSet& rows, const Cell& a, const Cell& b) {
  const auto rank = [](const Cell& cell) {
    return cell.type == CellType::Null ? 0 : cell.type == CellType::Text ? 2 : 1;
  };
  if (rank(a) != rank(b)) return rank(a) - rank(b);
  if (a.type == CellType::Text)  // the same bytes are the same text: no collation needed
    return rows.Text(a) == rows.Text(b) ? 0 : LocaleCompare(rows.Text(a), rows.Text(b), true);
  if (a.type == CellType::Null) return 0;
  const auto number = [](const Cell& cell) {
    return cell.type == CellType::Integer ? static_cast<long double>(cell.integer) : static_cast<long double>(cell.real);
  };
  return (number(a) > number(b)) - (number(a) < number(b));
}

// Whether the row in slot a comes before the one in slot b.
bool Before(const RowSet& rows, const std::vector<SortColumn>& columns, int a, int b) {
  for (const SortColumn& sort : columns) {
    const int order = CompareCells(rows, rows.At(a, sort.column), rows.At(b, sort.column));
    if (order != 0) return sort.descending ? order > 0 : order < 0;
  }
  return false;
}

}  // namespace

int RegisterLocaleCollation(sqlite3* db) {
  return sqlite3_create_collation_v2(db, kLocaleCollation, SQLITE_UTF8, nullptr, CompareInLocale, nullptr);
}

std::set<String> CaseFreeColumnNames(sqlite3* db) {
  std::map<String, bool> nocaseEverywhere;
  SqliteStatement columns(db,
                          "SELECT m.name, c.name FROM sqlite_master AS m, pragma_table_info(m.name) AS c "
                          "WHERE m.type = 'table'");
  while (columns.Step()) {
    const auto* table = reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 0));
    const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(columns.Handle(), 1));
    const char* collation = nullptr;
    const bool nocase = sqlite3_table_column_metadata(db, "main", table, column, nullptr, &collation, nullptr, nullptr,
                                                      nullptr) == SQLITE_OK &&
                        collation && sqlite3_stricmp(collation, "NOCASE") == 0;
    const auto [entry, first] = nocaseEverywhere.emplace(LowerCase(column), nocase);
    if (!first) entry->second = entry->second && nocase;
  }
  std::set<String> names;
  for (const auto& [name, nocase] : nocaseEverywhere)
    if (nocase) names.insert(name);
  return names;
}

String InLocaleOrder(const String& sql, const std::set<String>& caseFreeColumns) {
  return OrderRewrite(sql, caseFreeColumns, 0).Result();
}

String WithColumnNumbersShifted(const String& sql, int shift) { return OrderRewrite(sql, {}, shift).Result(); }

std::vector<OrderTerm> OrderTermsToSortInLocale(const String& sql, const std::set<String>& caseFreeColumns) {
  return OrderRewrite(sql, caseFreeColumns, 0).LocaleTerms();
}

String WithoutOrderBy(const String& sql) { return OrderRewrite(sql, {}, 0).BeforeOrderBy(); }

// The rows in order are kept as they come; when the others are more than a few, all are sorted.
void SortInLocaleOrder(RowSet& rows, const std::vector<SortColumn>& columns) {
  const auto before = [&](int a, int b) { return Before(rows, columns, a, b); };
  std::vector<int> kept, strays;
  for (int slot = 0; slot < rows.SlotCount(); ++slot)
    (kept.empty() || !before(slot, kept.back()) ? kept : strays).push_back(slot);
  if (strays.empty()) return;
  std::vector<int> order;
  if (strays.size() * 8 > kept.size()) {
    order.resize(rows.SlotCount());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);
  } else {
    std::stable_sort(strays.begin(), strays.end(), before);
    std::merge(kept.begin(), kept.end(), strays.begin(), strays.end(), std::back_inserter(order), before);
  }
  rows.Reorder(order);
}

}  // namespace vt
