// The Jet-to-SQLite rewrite works on the raw text with a small scanner that knows string
// literals, quoted identifiers and #date# literals, so nothing inside a literal is touched.
#include "db/SqlText.h"

#include <cctype>
#include <charconv>
#include <string_view>

#include "rtl/Exceptions.h"

namespace vt {

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsComparisonChar(char c) { return c == '=' || c == '<' || c == '>'; }

// Reads 1 to maxDigits digits at pos; false when there is none.
bool ReadNumber(std::string_view s, size_t& pos, int maxDigits, int& value) {
  size_t start = pos;
  value = 0;
  while (pos < s.size() && IsDigit(s[pos]) && pos - start < size_t(maxDigits))
    value = value * 10 + (s[pos++] - '0');
  return pos > start;
}

bool ReadDate(std::string_view s, size_t& pos, TDateTime& date) {
  int month, day, year;
  size_t yearStart;
  if (!ReadNumber(s, pos, 2, month) || pos >= s.size() || s[pos++] != '/') return false;
  if (!ReadNumber(s, pos, 2, day) || pos >= s.size() || s[pos++] != '/') return false;
  yearStart = pos;
  if (!ReadNumber(s, pos, 4, year) || pos - yearStart != 4) return false;
  if (pos < s.size() && IsDigit(s[pos])) return false;
  return TryEncodeDate(year, month, day, date);
}

// " h:nn[:ss] [AM|PM]" after the date of a #...# literal.
bool ReadTime(std::string_view s, size_t& pos, TDateTime& time) {
  int hour, minute, second = 0;
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  if (!ReadNumber(s, pos, 2, hour) || pos >= s.size() || s[pos++] != ':') return false;
  if (!ReadNumber(s, pos, 2, minute)) return false;
  if (pos < s.size() && s[pos] == ':' && !ReadNumber(s, ++pos, 2, second)) return false;
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  if (s.size() - pos >= 2) {
    String marker = UpperCase(String(s.substr(pos, 2)));
    if (marker == "AM" || marker == "PM") {
      if (hour < 1 || hour > 12) return false;
      hour = hour % 12 + (marker == "PM" ? 12 : 0);
      pos += 2;
    }
  }
  if (hour > 23 || minute > 59 || second > 59) return false;
  time = EncodeTime(hour, minute, second, 0);
  return true;
}

String DateNumberText(TDateTime value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return String(buffer, result.ptr);
}

// Length of the literal opening at pos ('...', "..." or [...]), closing character included;
// an unterminated literal runs to the end of the text.
size_t LiteralLength(std::string_view sql, size_t pos) {
  char close = sql[pos] == '[' ? ']' : sql[pos];
  size_t i = pos + 1;
  while (i < sql.size()) {
    if (sql[i] == close) {
      if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) { i += 2; continue; }
      return i + 1 - pos;
    }
    ++i;
  }
  return sql.size() - pos;
}

// A column reference ends (looking backwards from end) or starts (looking forwards) here:
// a word beginning with a letter (Table.Column included), a [quoted] name, or a parenthesis.
bool ColumnEndsBefore(std::string_view sql, size_t end) {
  while (end > 0 && IsBlank(sql[end - 1])) --end;
  if (end == 0) return false;
  char last = sql[end - 1];
  if (last == ']' || last == ')') return true;
  size_t start = end;
  while (start > 0 && (IsWordChar(sql[start - 1]) || sql[start - 1] == '.')) --start;
  return start < end && !IsDigit(sql[start]) && sql[start] != '.';
}

bool ColumnStartsAt(std::string_view sql, size_t pos) {
  while (pos < sql.size() && IsBlank(sql[pos])) ++pos;
  if (pos >= sql.size()) return false;
  char c = sql[pos];
  return c == '[' || c == '(' || c == '_' || std::isalpha(static_cast<unsigned char>(c));
}

// Is the literal spanning [start, end) one side of a comparison whose other side is a column?
bool ComparedWithColumn(std::string_view sql, size_t start, size_t end) {
  size_t before = start;
  while (before > 0 && IsBlank(sql[before - 1])) --before;
  size_t opStart = before;
  while (opStart > 0 && before - opStart < 2 && IsComparisonChar(sql[opStart - 1])) --opStart;
  if (opStart < before && ColumnEndsBefore(sql, opStart)) return true;
  size_t after = end;
  while (after < sql.size() && IsBlank(sql[after])) ++after;
  size_t opEnd = after;
  while (opEnd < sql.size() && opEnd - after < 2 && IsComparisonChar(sql[opEnd])) ++opEnd;
  return opEnd > after && ColumnStartsAt(sql, opEnd);
}

// #m/d/yyyy[ time]# at pos: its length and its value, or 0 when it is no date literal.
size_t ReadHashDate(std::string_view sql, size_t pos, TDateTime& value) {
  size_t i = pos + 1;
  TDateTime time = 0;
  if (!ReadDate(sql, i, value)) return 0;
  if (i < sql.size() && sql[i] != '#' && !ReadTime(sql, i, time)) return 0;
  while (i < sql.size() && IsBlank(sql[i])) ++i;
  if (i >= sql.size() || sql[i] != '#') return 0;
  value += value < 0 ? -time : time;
  return i + 1 - pos;
}

// The text between two quote characters, each quote character inside doubled.
String Enclosed(const String& text, char quote) {
  if (text.find('\0') != String::npos)
    throw EDatabaseError("A text with a NUL character cannot be stored in a text column");
  String quoted(1, quote);
  for (char c : text) {
    quoted += c;
    if (c == quote) quoted += quote;
  }
  return quoted + quote;
}

}  // namespace

bool TryParseJetDate(const String& text, TDateTime& date) {
  size_t pos = 0;
  return ReadDate(text, pos, date) && pos == text.size();
}

String SqlQuote(const String& text) { return Enclosed(text, '\''); }

String SqlQuoteIdentifier(const String& name) { return Enclosed(name, '"'); }

String SqlNumber(const String& text) {
  String number = Trim(text);
  size_t i = (!number.empty() && (number[0] == '-' || number[0] == '+')) ? 1 : 0;
  size_t digits = 0, points = 0;
  for (; i < number.size(); ++i) {
    if (IsDigit(number[i])) ++digits;
    else if (number[i] == '.') ++points;
    else break;
  }
  if (digits == 0 || points > 1 || i != number.size())
    throw EDatabaseError("'" + text + "' is not a valid number");
  return number;
}

String RewriteJetDialect(const String& text) {
  std::string_view sql = text;
  String out;
  out.reserve(sql.size());
  size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (c == '\'' || c == '"' || c == '[') {
      size_t length = LiteralLength(sql, i);
      TDateTime date;
      if (c == '\'' && length >= 2 && sql[i + length - 1] == '\'' &&
          TryParseJetDate(String(sql.substr(i + 1, length - 2)), date) &&
          ComparedWithColumn(sql, i, i + length))
        out += DateNumberText(date);
      else
        out.append(sql.substr(i, length));
      i += length;
    } else if (c == '#') {
      TDateTime date;
      size_t length = ReadHashDate(sql, i, date);
      if (length > 0) {
        out += DateNumberText(date);
        i += length;
      } else {
        out += sql[i++];
      }
    } else if (IsWordChar(c)) {
      size_t start = i;
      while (i < sql.size() && IsWordChar(sql[i])) ++i;
      std::string_view word = sql.substr(start, i - start);
      bool qualified = start > 0 && sql[start - 1] == '.';
      if (!qualified && SameText(String(word), "true")) out += "-1";
      else if (!qualified && SameText(String(word), "false")) out += "0";
      else out.append(word);
    } else {
      out += sql[i++];
    }
  }
  return out;
}

}  // namespace vt
