// The case-folding LIKE: UTF-8 decoded to code points, each lowered by the C library's Unicode
// tables, then the usual wildcard match with backtracking over the last "%".
#include "db/UnicodeLike.h"

#include <sqlite3.h>

#include <locale>
#include <vector>

namespace vt {

namespace {

const std::ctype<wchar_t>& UnicodeCase() {
  static const std::locale locale("C.UTF-8");
  return std::use_facet<std::ctype<wchar_t>>(locale);
}

// Malformed bytes stand for themselves, so no text fails to compare.
std::vector<char32_t> Decode(const String& text) {
  std::vector<char32_t> points;
  points.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
    bool whole = i + extra < text.size();
    for (int k = 1; whole && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      whole = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    if (!whole) {
      points.push_back(lead);
      ++i;
      continue;
    }
    points.push_back(point);
    i += extra + 1;
  }
  return points;
}

char32_t Fold(char32_t c) {
  return static_cast<char32_t>(UnicodeCase().tolower(static_cast<wchar_t>(c)));
}

std::vector<char32_t> Folded(const String& text) {
  std::vector<char32_t> points = Decode(text);
  for (char32_t& c : points) c = Fold(c);
  return points;
}

void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const unsigned char* pattern = sqlite3_value_text(argv[0]);
  const unsigned char* text = sqlite3_value_text(argv[1]);
  if (!pattern || !text) return;  // NULL, as SQLite's LIKE gives
  char32_t escape = 0;
  if (argc == 3) {
    const unsigned char* e = sqlite3_value_text(argv[2]);
    const std::vector<char32_t> points = e ? Decode(reinterpret_cast<const char*>(e)) : std::vector<char32_t>{};
    if (points.size() != 1) {
      sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
      return;
    }
    escape = Fold(points[0]);
  }
  sqlite3_result_int(context, LikeMatches(reinterpret_cast<const char*>(pattern), reinterpret_cast<const char*>(text), escape));
}

}  // namespace

bool LikeMatches(const String& patternText, const String& subject, char32_t escape) {
  const std::vector<char32_t> pattern = Folded(patternText);
  const std::vector<char32_t> text = Folded(subject);
  size_t p = 0, t = 0;
  size_t starP = String::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == U'%') {
      starP = ++p;
      starT = t;
      continue;
    }
    if (p < pattern.size()) {
      const bool escaped = escape && pattern[p] == escape && p + 1 < pattern.size();
      const char32_t want = escaped ? pattern[p + 1] : pattern[p];
      if ((!escaped && want == U'_') || want == text[t]) {
        p += escaped ? 2 : 1;
        ++t;
        continue;
      }
    }
    if (starP == String::npos) return false;
    p = starP;
    t = ++starT;
  }
  while (p < pattern.size() && pattern[p] == U'%') ++p;
  return p == pattern.size();
}

int RegisterUnicodeLike(sqlite3* db) {
  int code = SQLITE_OK;
  for (int args : {2, 3})
    if (code == SQLITE_OK)
      code = sqlite3_create_function_v2(db, "like", args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LikeFunction,
                                        nullptr, nullptr, nullptr);
  return code;
}

}  // namespace vt
