// Reads a where condition token by token: column, operator, value, end.
#include "reports/WhereCondition.h"

#include <cctype>
#include <cstring>

#include "db/SqlText.h"
#include "reports/ReportDefinition.h"

namespace vt {
namespace {

class ConditionReader {
public:
  explicit ConditionReader(const String& text) : text_(text) {}

  String Column(const std::vector<String>& columns) {
    SkipBlanks();
    const size_t start = pos_;
    while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
    const String name = text_.substr(start, pos_ - start);
    for (const String& column : columns)
      if (SameText(column, name)) return column;
    Refuse(name.empty() ? "no column" : "the unknown column '" + name + "'");
  }

  String Operator() {
    SkipBlanks();
    for (const char* op : {"<>", "<=", ">=", "=", "<", ">"})
      if (text_.compare(pos_, strlen(op), op) == 0) {
        pos_ += strlen(op);
        return op;
      }
    Refuse("no comparison");
  }

  // A quoted text (either quote, doubled inside) or a number; written back as SQL.
  String Value() {
    SkipBlanks();
    if (pos_ >= text_.size()) Refuse("no value");
    const char quote = text_[pos_];
    if (quote == '\'' || quote == '"') return SqlQuote(QuotedText(quote));
    const size_t start = pos_;
    while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    const String number = text_.substr(start, pos_ - start);
    try {
      return SqlNumber(number);
    } catch (const Exception&) {
      Refuse("'" + number + "', which is neither a number nor a quoted text");
    }
  }

  void End() {
    SkipBlanks();
    if (pos_ < text_.size()) Refuse("'" + text_.substr(pos_) + "' after the value");
  }

private:
  static bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }

  String QuotedText(char quote) {
    String value;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      if (text_[pos_] != quote) {
        value += text_[pos_];
      } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
        value += quote;
        ++pos_;
      } else {
        ++pos_;
        return value;
      }
    }
    Refuse("a text without its closing quote");
  }

  [[noreturn]] void Refuse(const String& what) const {
    throw EReportError("The where condition \"" + text_ + "\" was refused: it has " + what + ".");
  }

  const String& text_;
  size_t pos_ = 0;
};

}  // namespace

String WhereConditionSql(const String& condition, const std::vector<String>& columns) {
  if (Trim(condition).empty()) return "";
  ConditionReader reader(condition);
  const String column = reader.Column(columns);
  const String op = reader.Operator();
  const String value = reader.Value();
  reader.End();
  return SqlQuoteIdentifier(column) + " " + op + " " + value;
}

}  // namespace vt
