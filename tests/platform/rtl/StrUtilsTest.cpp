// String routines: 1-based copying and searching, case folding, integer conversion errors.
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"

TEST(StrUtils, CopyAndPosAreOneBased)
{
    EXPECT_EQ(Copy("Vantrel", 1, 3), "Van");
    EXPECT_EQ(Copy("Vantrel", 5, 100), "rel");
    EXPECT_EQ(Copy("Vantrel", 0, 2), "Va");
    EXPECT_EQ(Copy("Vantrel", 8, 1), "");
    EXPECT_EQ(Copy("Vantrel", 2, -1), "");
    EXPECT_EQ(Pos("trel", "Vantrel"), 4);
    EXPECT_EQ(Pos("x", "Vantrel"), 0);
    EXPECT_EQ(Pos("", "Vantrel"), 0);
}

TEST(StrUtils, TrimRemovesControlCharactersAndBlanks)
{
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("   "), "");
}

TEST(StrUtils, CaseFoldingAndComparison)
{
    EXPECT_EQ(UpperCase("abc\xC3\xA9"), "ABC\xC3\xA9");  // é untouched by the ASCII form
    EXPECT_EQ(AnsiUpperCase("abc\xC3\xA9"), "ABC\xC3\x89");
    EXPECT_EQ(AnsiLowerCase("\xC3\x89T\xC3\x89"), "\xC3\xA9t\xC3\xA9");
    EXPECT_TRUE(SameText("Session", "SESSION"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_LT(CompareStr("Banana", "apple"), 0);
    EXPECT_EQ(AnsiCompareText("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"), 0);
    // Locale order: letters first, then the small letter before the capital.
    EXPECT_LT(AnsiCompareStr("apple", "Banana"), 0);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareStr("A", "b"), 0);
}

// CompareText orders exactly as comparing the upper-cased copies: prefixes, signs of bytes above
// 0x7F, punctuation between the capitals and the small letters, non-ASCII unfolded.
TEST(StrUtils, CompareTextMatchesUpperCasedComparison)
{
    const char* const texts[] = {"", "a", "A", "ab", "AB", "abc", "b", "_", "[", "z", "Z",
                                 "\xC3\xA9", "\xC3\x89", "a\xC3\xA9", "A\xC3\xA9x", "A\xC3\x89X", "\x7F", "\x80"};
    for (const char* a : texts) {
        for (const char* b : texts) {
            SCOPED_TRACE(String(a) + " / " + b);
            EXPECT_EQ(CompareText(a, b), CompareStr(UpperCase(a), UpperCase(b)));
            EXPECT_EQ(SameText(a, b), UpperCase(a) == UpperCase(b));
            // The locale's order (see LocaleTest): a consistent one, texts equal but for case equal.
            EXPECT_EQ(AnsiCompareText(a, b) < 0, AnsiCompareText(b, a) > 0);
            if (AnsiSameText(a, b))
                EXPECT_EQ(AnsiCompareText(a, b), 0);
        }
    }
}

TEST(StrUtils, StringReplaceFlags)
{
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {}), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {rfReplaceAll}), "a+b+c");
    EXPECT_EQ(StringReplace("Ab ab AB", "ab", "x", {rfReplaceAll, rfIgnoreCase}), "x x x");
    EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
}

TEST(StrUtils, StrToIntAcceptsLeadingBlanksOnly)
{
    struct Case {
        const char* text;
        int value;
    };
    for (Case c : {Case{"42", 42}, Case{"  -7", -7}, Case{"+3", 3}, Case{"$1F", 31},
                   Case{"0x10", 16}, Case{"-2147483648", -2147483648}})
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;

    for (const char* bad : {"", " ", "12 ", "1a", "abc", "- 1", "2147483648", "1.5"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("'") + bad + "' is not a valid integer value");
        }
    }
    EXPECT_EQ(StrToIntDef("x", -1), -1);
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    int value = 5;
    EXPECT_FALSE(TryStrToInt("9x", value));
    EXPECT_EQ(value, 5);
}

TEST(StrUtils, IntegerTextAndQuoting)
{
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToStr(INT64_C(12345678901)), "12345678901");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(QuotedStr("O'Neil"), "'O''Neil'");
    EXPECT_EQ(StringOfChar('*', 3), "***");
}
