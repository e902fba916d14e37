// Format: each conversion with width, precision, justification, "*" and argument indexes,
// and the error for specifiers that do not fit their arguments.
#include "rtl/Format.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

TEST(Format, Conversions)
{
    Locale() = FormatSettings();
    struct Case {
        const char* format;
        std::vector<FormatArg> args;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"%d items", {5}, "5 items"},
        {"%5d|%-5d|", {42, 42}, "   42|42   |"},
        {"%.4d", {-42}, "-0042"},
        {"%d", {INT64_C(12345678901)}, "12345678901"},
        {"%u", {-1}, "4294967295"},
        {"%x %.4x", {255, 255}, "FF 00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%s and %s", {String("a"), "b"}, "a and b"},
        {"%.2s|%4s|%-4s|", {"abc", "ab", "ab"}, "ab|  ab|ab  |"},
        {"%s%s", {'x', 'y'}, "xy"},
        {"%f", {1234.5}, "1234.50"},
        {"%.0f %.3f", {2.5, 0.0005}, "3 0.001"},
        {"%8.2f|", {-3.14159}, "   -3.14|"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%m", {-1234.5}, "($1,234.50)"},
        {"%.0m", {12.0}, "$12"},
        {"%g", {0.5}, "0.5"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.00012}, "-1.20E-004"},
        {"%*d|%-*d|", {4, 7, 3, 7}, "   7|7  |"},
        {"%.*f", {1, 2.25L}, "2.3"},
        {"%1:s %0:s %s", {"a", "b", "c"}, "b a b"},
        {"100%%", {}, "100%"},
        {"%D %S", {1, "x"}, "1 x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.format, c.args), c.text) << c.format;
}

TEST(Format, BadFormatsRaise)
{
    struct Case {
        const char* format;
        std::vector<FormatArg> args;
    };
    const std::vector<Case> cases = {
        {"%d", {"x"}},   {"%s", {5}},  {"%f", {5}},  {"%d", {2.5}}, {"%d %d", {1}},
        {"%", {1}},      {"%q", {1}},  {"%*d", {"x", 1}}, {"%5", {1}},
        {"%*d", {std::int64_t{1} << 31, 1}}, {"%.*f", {100001, 1.5}}, {"%*s", {4294967296LL, "x"}},
    };
    for (const Case& c : cases) {
        try {
            Format(c.format, c.args);
            ADD_FAILURE() << c.format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("Format '") + c.format +
                                       "' invalid or incompatible with argument");
        }
    }
}
