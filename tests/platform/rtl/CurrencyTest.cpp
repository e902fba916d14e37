// Currency values: reading text and binary floats to the nearest 1/10,000 (half away from
// zero), exact sums where doubles drift, the range of the count, and the text forms.
#include "rtl/Currency.h"

#include <gtest/gtest.h>

#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/Locale.h"

namespace {

class CurrencyTest : public ::testing::Test {
protected:
    void SetUp() override { Locale() = FormatSettings(); }
    void TearDown() override { Locale() = FormatSettings(); }
};

Currency Count(std::int64_t count) { return Currency::FromCount(count); }

}  // namespace

TEST_F(CurrencyTest, TextIsReadExactlyAndRoundedHalfAwayFromZero)
{
    struct Case {
        const char* text;
        std::int64_t count;
    };
    for (Case c : {Case{"0", 0}, Case{"35.1", 351000}, Case{" 74.30 ", 743000}, Case{"-0.0001", -1},
                   Case{"0.00005", 1}, Case{"-0.00005", -1}, Case{"0.000049999", 0}, Case{"1.23455", 12346},
                   Case{"+12", 120000}, Case{".5", 5000}, Case{"5.", 50000}, Case{"1.5E3", 15000000},
                   Case{"25e-6", 0}, Case{"5e-5", 1}, Case{"0.1e1", 10000}, Case{"1e-999999", 0},
                   Case{"922337203685477.5807", INT64_MAX}, Case{"-922337203685477.5808", INT64_MIN},
                   Case{"922337203685477.58074", INT64_MAX}, Case{"000000000000000000000012.5", 125000}})
        EXPECT_EQ(StrToCurr(c.text), Count(c.count)) << c.text;
}

TEST_F(CurrencyTest, TextThatIsNoAmountOrBeyondTheRangeIsRefused)
{
    for (const char* text : {"", "abc", "1,5", "1.2.3", "-", ".", "1e", "INF", "NAN", "0x10", "12 3"}) {
        Currency value;
        EXPECT_FALSE(TryStrToCurr(text, value)) << text;
        try {
            StrToCurr(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + String(text) + "' is not a valid currency value");
        }
    }
    for (const char* text : {"922337203685477.5808", "-922337203685477.58085", "1e400", "99999999999999999999999"}) {
        try {
            StrToCurr(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + String(text) +
                                       "' is outside the currency range of -922337203685477.5808 to 922337203685477.5807");
        }
    }
}

TEST_F(CurrencyTest, TheLocaleDecimalSeparatorIsRead)
{
    Locale().DecimalSeparator = ',';
    Locale().ThousandSeparator = '.';
    EXPECT_EQ(StrToCurr("12,34"), Count(123400));
    EXPECT_EQ(CurrToStr(Count(123400)), "12,34");
    Currency value;
    EXPECT_FALSE(TryStrToCurr("12.34", value));
}

TEST_F(CurrencyTest, FloatsAreReadAsTheirShortestDecimal)
{
    struct Case {
        long double value;
        std::int64_t count;
    };
    for (Case c : {Case{74.3 - 74.2, 1000}, Case{0.1 + 0.2, 3000}, Case{8.9e-16, 0}, Case{12.12, 121200},
                   Case{1.00005, 10001}, Case{-1.00005, -10001}, Case{1.00005L, 10001},
                   Case{static_cast<long double>(0.1), 1000}, Case{19.99 * 3 - 59.97, 0},
                   Case{-2.5, -25000}, Case{1e14, 1000000000000000000}, Case{123456789.12345678, 1234567891235}})
        EXPECT_EQ(FloatToCurr(c.value), Count(c.count)) << static_cast<double>(c.value);
}

TEST_F(CurrencyTest, NotANumberInfinitiesAndHugeFloatsAreRefused)
{
    struct Case {
        long double value;
        const char* message;
    };
    const long double inf = std::numeric_limits<long double>::infinity();
    for (Case c : {Case{std::numeric_limits<long double>::quiet_NaN(), "NAN is not a valid currency value"},
                   Case{inf, "INF is outside the currency range of -922337203685477.5808 to 922337203685477.5807"},
                   Case{-1e308, "-1E308 is outside the currency range of -922337203685477.5808 to 922337203685477.5807"},
                   Case{1e15, "1E15 is outside the currency range of -922337203685477.5808 to 922337203685477.5807"}}) {
        Currency value;
        EXPECT_FALSE(TryFloatToCurr(c.value, value)) << c.message;
        try {
            FloatToCurr(c.value);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST_F(CurrencyTest, SumsAreExactWhereDoublesDrift)
{
    // 10.00 + 12.12 less 10.00 less 12.12; 74.30 less 74.20 less 0.10; 0.10 less 0.01 ten times.
    EXPECT_EQ(StrToCurr("10.00") + StrToCurr("12.12") - StrToCurr("10.00") - StrToCurr("12.12"), Currency());
    EXPECT_EQ(StrToCurr("74.30") - StrToCurr("74.20") - StrToCurr("0.10"), Currency());
    Currency balance = StrToCurr("0.10");
    for (int i = 0; i < 10; ++i) balance -= StrToCurr("0.01");
    EXPECT_EQ(balance, Currency());
    EXPECT_LT(StrToCurr("0.0999"), StrToCurr("0.1"));
    EXPECT_EQ(FloatToCurr(StrToCurr("12.12").ToDouble()), StrToCurr("12.12"));
    EXPECT_EQ(FloatToCurr(Currency::Max().ToExtended()), Currency::Max());
    EXPECT_EQ(StrToCurr("0.1").ToDouble(), 0.1);
}

TEST_F(CurrencyTest, ArithmeticLeavingTheRangeIsRefused)
{
    const char* message = "The amount is outside the currency range of -922337203685477.5808 to 922337203685477.5807";
    const auto refused = [&](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "not refused";
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    };
    refused([] { return Currency::Max() + Count(1); });
    refused([] { return Currency::Min() - Count(1); });
    refused([] { return -Currency::Min(); });
    Currency total = Currency::Max();
    refused([&] { return total += Count(1); });
    EXPECT_EQ(total, Currency::Max()) << "a refused sum leaves the value";
    EXPECT_EQ(Currency::Max() - Count(1) + Count(1), Currency::Max());
}

TEST_F(CurrencyTest, TextForms)
{
    EXPECT_EQ(CurrToStr(Currency()), "0");
    EXPECT_EQ(CurrToStr(Count(351000)), "35.1");
    EXPECT_EQ(CurrToStr(Count(-1)), "-0.0001");
    EXPECT_EQ(CurrToStr(Count(1200000)), "120");
    EXPECT_EQ(CurrToStr(Currency::Min()), "-922337203685477.5808");
    EXPECT_EQ(FormatCurr("$,0.00", Count(12345675000)), "$1,234,567.50");
    EXPECT_EQ(FormatCurr("$,0.00", Count(50)), "$0.01") << "half a cent rounds away from zero";
    EXPECT_EQ(FormatCurr("0.00", Count(-50)), "-0.01");
}
