// The locale's full date pattern from ICU, its pattern letters rewritten as FormatDateTime's
// and its literal text quoted where FormatDateTime would read letters in it.
#include "rtl/LocaleLongDate.h"

#include <unicode/udat.h>
#include <unicode/ustring.h>

namespace {

std::string FullDatePattern(const std::string& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    UDateFormat* format = udat_open(UDAT_NONE, UDAT_FULL, locale.c_str(), nullptr, 0, nullptr, 0, &status);
    if (U_FAILURE(status))
        return std::string();
    UChar pattern[256];
    const int32_t length = udat_toPattern(format, false, pattern, 256, &status);
    udat_close(format);
    char text[1024];
    int32_t written = 0;
    u_strToUTF8(text, sizeof text, &written, pattern, length, &status);
    return U_SUCCESS(status) ? std::string(text, static_cast<size_t>(written)) : std::string();
}

bool IsPatternLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One run of a pattern letter; letters FormatDateTime has no part for (the era) give "".
std::string FieldFor(char letter, size_t count)
{
    switch (letter) {
    case 'E': case 'c': return count >= 4 ? "dddd" : "ddd";
    case 'd': return count >= 2 ? "dd" : "d";
    case 'M': case 'L': return count >= 4 ? "mmmm" : std::string(count, 'm');
    case 'y': return count == 2 ? "yy" : "yyyy";
    default: return std::string();
    }
}

// Blanks and punctuation stand as they are; anything else is quoted.
std::string Literal(const std::string& text)
{
    if (text.find_first_not_of(" ,.-") == std::string::npos)
        return text;
    return '"' + text + '"';
}

}  // namespace

std::string LongDateFormatOf(const std::string& locale)
{
    const std::string pattern = FullDatePattern(locale);
    std::string format, literal;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'') {
            const size_t close = pattern.find('\'', i + 1);
            const size_t end = close == std::string::npos ? pattern.size() : close;
            literal += end == i + 1 ? std::string("'") : pattern.substr(i + 1, end - i - 1);
            i = end + 1;
        } else if (IsPatternLetter(c)) {
            size_t count = 1;
            while (i + count < pattern.size() && pattern[i + count] == c)
                ++count;
            format += Literal(literal) + FieldFor(c, count);
            literal.clear();
            i += count;
        } else {
            literal += c;
            ++i;
        }
    }
    return format + Literal(literal);
}
