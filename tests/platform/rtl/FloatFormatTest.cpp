// Floating-point text: general format, the fixed formats, picture formats with sections,
// rounding half away from zero on the extended value, and reading numbers back.
#include "rtl/FloatFormat.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

namespace {

class FloatFormatTest : public ::testing::Test {
protected:
    void SetUp() override { Locale() = FormatSettings(); }
    void TearDown() override { Locale() = FormatSettings(); }
};

}  // namespace

TEST_F(FloatFormatTest, FloatToStrUsesFifteenDigitsGeneralFormat)
{
    struct Case {
        long double value;
        const char* text;
    };
    for (Case c : {Case{0, "0"}, Case{1, "1"}, Case{-1.5, "-1.5"}, Case{0.1, "0.1"},
                   Case{0.1 + 0.2, "0.3"}, Case{100, "100"}, Case{1.0 / 3, "0.333333333333333"},
                   Case{2.0 / 3, "0.666666666666667"}, Case{1e20, "1E20"}, Case{1.5e-7, "1.5E-7"},
                   Case{-2.5e-12, "-2.5E-12"}, Case{0.0001, "0.0001"}, Case{0.00001, "1E-5"},
                   Case{999999999999999, "999999999999999"}, Case{1e15, "1E15"},
                   Case{1234567890123456, "1.23456789012346E15"}, Case{12.5, "12.5"}})
        EXPECT_EQ(FloatToStr(c.value), c.text) << static_cast<double>(c.value);
}

TEST_F(FloatFormatTest, FloatToStrFFormats)
{
    struct Case {
        long double value;
        TFloatFormat format;
        int precision, digits;
        const char* text;
    };
    for (Case c : {Case{1234.5, ffFixed, 15, 2, "1234.50"},
                   Case{1234.5, ffNumber, 15, 2, "1,234.50"},
                   Case{1234567.125, ffNumber, 15, 0, "1,234,567"},
                   Case{1234.5, ffCurrency, 15, 2, "$1,234.50"},
                   Case{-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
                   Case{1234.5, ffExponent, 4, 2, "1.235E+03"},
                   Case{-0.00012, ffExponent, 3, 0, "-1.20E-4"},
                   Case{0, ffExponent, 2, 2, "0.0E+00"},
                   Case{0.5, ffGeneral, 15, 0, "0.5"},
                   Case{1e20, ffFixed, 15, 2, "1E20"},
                   Case{-0.001, ffFixed, 15, 2, "0.00"},
                   Case{0.125, ffFixed, 15, 2, "0.13"},
                   Case{-0.125, ffFixed, 15, 2, "-0.13"}})
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text)
            << static_cast<double>(c.value);
}

TEST_F(FloatFormatTest, CurrencyFollowsLocaleFormats)
{
    FormatSettings& fs = Locale();
    fs.CurrencyString = "EUR";
    fs.CurrencyFormat = 3;
    fs.NegCurrFormat = 8;
    fs.ThousandSeparator = '.';
    fs.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2), "1.234,50 EUR");
    EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), "-1.234,50 EUR");
}

TEST_F(FloatFormatTest, FormatFloatPictures)
{
    struct Case {
        const char* format;
        long double value;
        const char* text;
    };
    for (Case c : {Case{"$,0.00", 1234.5, "$1,234.50"},
                   Case{"$,0.00", -1234.5, "-$1,234.50"},
                   Case{"$,0.00", 0, "$0.00"},
                   Case{",0", 1234567, "1,234,567"},
                   Case{",0", 999.5, "1,000"},
                   Case{",0", -0.4, "0"},
                   Case{"$,0.##", 1234.5, "$1,234.5"},
                   Case{"$,0.##", 12, "$12"},
                   Case{"0.00", 0.125, "0.13"},
                   Case{"0.00", -0.125, "-0.13"},
                   Case{"0.00", 7, "7.00"},
                   Case{"#.##", 0, ""},
                   Case{"#.##", 0.5, ".5"},
                   Case{"#.##", 12.5, "12.5"},
                   Case{"#,##0.00", 1234567.891, "1,234,567.89"},
                   Case{"000", 5, "005"},
                   Case{"0", 123456, "123456"},
                   Case{"0.00E+00", 1234.5, "1.23E+03"},
                   Case{"0.0E-0", 0.000123, "1.2E-4"},
                   Case{"0.0e+0", 0.000123, "1.2e-4"},
                   Case{"'Total: '0", 7, "Total: 7"},
                   Case{"\"#\"0", 7, "#7"},
                   Case{"0%", 50, "50%"},
                   Case{"0.00;(0.00);Zero", 5, "5.00"},
                   Case{"0.00;(0.00);Zero", -5, "(5.00)"},
                   Case{"0.00;(0.00);Zero", 0, "Zero"},
                   Case{"0.00;(0.00);Zero", 0.001, "Zero"},
                   Case{"0.00;;Zero", -5, "-5.00"},
                   Case{"", 0.5, "0.5"}})
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " "
                                                           << static_cast<double>(c.value);
}

TEST_F(FloatFormatTest, RoundingWorksOnTheExtendedValue)
{
    // 2.675 as a double lies just below the half; as an extended it rounds up.
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.67");
    EXPECT_EQ(FormatFloat("0.00", 2.675L), "2.68");
    EXPECT_EQ(FloatToStrF(2.675L, ffFixed, 18, 2), "2.68");
    EXPECT_EQ(FormatFloat("0.000000000000000000", 1.0L / 3), "0.333333333333333000");
}

TEST_F(FloatFormatTest, PicturesShowFifteenSignificantDigits)
{
    // A currency amount read back as a double shows as it was typed, not as its binary neighbour.
    const struct { const char* format; long double value; const char* text; } cases[] = {
        {"0.###############", 74.3, "74.3"},
        {"0.###############", 0.1 + 0.2, "0.3"},
        {"0.###############", 19.99 * 3, "59.97"},
        {"0", 12345678901234567.0L, "12345678901234600"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format;
}

TEST_F(FloatFormatTest, LocaleSeparatorsInPictures)
{
    Locale().ThousandSeparator = '.';
    Locale().DecimalSeparator = ',';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
    EXPECT_EQ(FloatToStr(0.5), "0,5");
    EXPECT_EQ(StrToFloat("1,5"), 1.5L);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

TEST_F(FloatFormatTest, StrToFloatAcceptsPlainNumbersOnly)
{
    struct Case {
        const char* text;
        long double value;
    };
    for (Case c : {Case{"3.5", 3.5}, Case{" -1.5e3 ", -1500}, Case{"1.", 1}, Case{".5", 0.5},
                   Case{"+2", 2}, Case{"1E-2", 0.01L}})
        EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
    for (const char* bad : {"abc", "", "1,5", "1e", "inf", "nan", "0x10", "1.2.3", "- 1", ".", "1e400",
                            "-1e309"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("'") + bad + "' is not a valid floating point value");
        }
    }
    EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5L);
    double stored = 0;
    EXPECT_FALSE(TryStrToFloat("1e400", stored));
    EXPECT_TRUE(TryStrToFloat("1.7e308", stored));
    EXPECT_EQ(stored, 1.7e308);
}

TEST_F(FloatFormatTest, PlaceholdersAfterTheExponentShowNothing)
{
    EXPECT_EQ(FormatFloat("0E+0##", 1234.5), "1E+3");
    EXPECT_EQ(FormatFloat("0.0E+00#", 1234.5), "1.2E+03");
    EXPECT_EQ(FormatFloat("0E+0.##", 1234.5), "1E+3");
}
