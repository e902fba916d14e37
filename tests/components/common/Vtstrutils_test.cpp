// Tests of the string routines: words and fields, padding, number bases, Roman numerals,
// wildcards and the XOR text encoding.
#include "components/common/Vtstrutils.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {
const TCharSet kBlanks{' ', ','};
const TCharSet kComma{','};
} // namespace

TEST(Vtstrutils, ReplaceDoesNotRescanReplacedText)
{
  EXPECT_EQ(ReplaceStr("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceStr("one two one", "one", "1"), "1 two 1");
  EXPECT_EQ(ReplaceStr("abc", "", "x"), "abc");
}

TEST(Vtstrutils, Blanks)
{
  EXPECT_EQ(DelSpace1("a   b  c"), "a b c");
  EXPECT_EQ(DelBSpace("  ab "), "ab ");
  EXPECT_EQ(DelESpace("  ab "), "  ab");
  EXPECT_EQ(DelRSpace("  ab "), "ab");
  EXPECT_EQ(Tab2Space("a\tb", 2), "a  b");
  EXPECT_TRUE(IsEmptyStr("", kBlanks));
  EXPECT_TRUE(IsEmptyStr(" ,, ", kBlanks));
  EXPECT_FALSE(IsEmptyStr(" x ", kBlanks));
}

TEST(Vtstrutils, Padding)
{
  EXPECT_EQ(AddChar('0', "42", 5), "00042");
  EXPECT_EQ(AddChar('0', "123456", 3), "123456");
  EXPECT_EQ(AddCharR('.', "ab", 4), "ab..");
  EXPECT_EQ(MakeStr('x', 0), "");
  EXPECT_EQ(CenterStr("ab", 7), "  ab   ");
  EXPECT_EQ(CenterStr("abcdef", 3), "abcdef");
  EXPECT_EQ(Numb2USA("1234567"), "1,234,567");
  EXPECT_EQ(Numb2USA("123"), "123");
}

TEST(Vtstrutils, WordsAndFields)
{
  EXPECT_EQ(WordCount("", kBlanks), 0);
  EXPECT_EQ(WordCount(" ,, ", kBlanks), 0);
  EXPECT_EQ(WordCount("  alpha, beta gamma ", kBlanks), 3);
  EXPECT_EQ(WordPosition(2, "  alpha, beta", kBlanks), 10);
  EXPECT_EQ(WordPosition(3, "  alpha, beta", kBlanks), 0);
  EXPECT_EQ(ExtractWord(2, "  alpha, beta gamma", kBlanks), "beta");
  EXPECT_EQ(ExtractWord(4, "alpha", kBlanks), "");
  EXPECT_TRUE(IsWordPresent("beta", "alpha beta", kBlanks));
  EXPECT_FALSE(IsWordPresent("bet", "alpha beta", kBlanks));

  EXPECT_EQ(ExtractDelimited(2, "a,,b", kComma), "");
  EXPECT_EQ(ExtractDelimited(3, "a,,b", kComma), "b");
  EXPECT_EQ(ExtractDelimited(4, "a,,b", kComma), "");
  int pos = 1;
  EXPECT_EQ(ExtractSubstr("ab,cd", pos, kComma), "ab");
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(ExtractSubstr("ab,cd", pos, kComma), "cd");
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(NPos("ab", "xabyabz", 2), 5);
  EXPECT_EQ(NPos("ab", "xabyabz", 3), 0);
}

TEST(Vtstrutils, CopyToSymbolAndDelete)
{
  String s = "key=  value";
  EXPECT_EQ(Copy2SymbDel(s, '='), "key");
  EXPECT_EQ(s, "value");
  s = "no symbol";
  EXPECT_EQ(Copy2SymbDel(s, '='), "no symbol");
  EXPECT_EQ(s, "");
  EXPECT_EQ(AnsiProperCase("JOHN o'NEIL-smith", TCharSet{' ', '-'}), "John O'neil-Smith");
}

TEST(Vtstrutils, Quoting)
{
  EXPECT_EQ(QuotedString("it's", '\''), "'it''s'");
  EXPECT_EQ(ExtractQuotedString("'it''s' rest", '\''), "it's");
  EXPECT_EQ(ExtractQuotedString("plain", '\''), "plain");
}

TEST(Vtstrutils, NumberBases)
{
  EXPECT_EQ(Dec2Numb(255, 4, 16), "00FF");
  EXPECT_EQ(Dec2Numb(0, 0, 2), "0");
  EXPECT_EQ(Dec2Numb(35, 1, 36), "Z");
  EXPECT_EQ(Numb2Dec("ff", 16), 255);
  EXPECT_EQ(Numb2Dec("101", 2), 5);
  EXPECT_EQ(Dec2Hex(255, 4), "00FF");
  EXPECT_EQ(Hex2Dec("1A"), 26);
  EXPECT_EQ(Hex2Dec("$1A"), 26);
  EXPECT_EQ(Hex2Dec("xyz"), 0);
  EXPECT_THROW(Dec2Numb(5, 1, 1), EInvalidArgument);
  EXPECT_EQ(IntToBin(5, 4, 4), " 0101");
  EXPECT_EQ(IntToBin(5, 6, 4), "00 0101");
  EXPECT_THROW(IntToBin(5, 4, 0), EInvalidArgument);
}

TEST(Vtstrutils, RomanNumerals)
{
  const struct { const char* text; int value; } cases[] = {
      {"MCMXCIV", 1994}, {"mcmxciv", 1994}, {"-XIV", -14}, {"XA", 0}, {"III", 3}, {"", 0}};
  for (const auto& c : cases)
    EXPECT_EQ(RomanToInt(c.text), c.value) << c.text;
  EXPECT_EQ(IntToRoman(1994), "MCMXCIV");
  EXPECT_EQ(IntToRoman(2449), "MMCDXLIX");
}

TEST(Vtstrutils, Wildcards)
{
  const struct { const char* input; const char* wilds; bool ignoreCase; bool match; } cases[] = {
      {"report.txt", "*.txt", false, true},   {"report.txt", "*.TXT", false, false},
      {"report.txt", "*.TXT", true, true},    {"abc", "a?c", false, true},
      {"abc", "a**c", false, true},           {"anything", "*", false, true},
      {"ab", "a?c", false, false},            {"a*c", "a*c", false, true},
      {"abcbc", "a*bc", false, true},         {"", "*", false, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsWild(c.input, c.wilds, c.ignoreCase), c.match) << c.input << " ~ " << c.wilds;
  EXPECT_EQ(FindPart("b?d", "abcde"), 2);
  EXPECT_EQ(FindPart("x?", "abc"), 0);
}

TEST(Vtstrutils, XorEncodingRoundTrips)
{
  EXPECT_EQ(XorEncode("", "AB"), "4142");
  const String encoded = XorEncode("key", "Secret text");
  EXPECT_EQ(encoded.size(), 22u);
  EXPECT_EQ(XorDecode("key", encoded), "Secret text");
  EXPECT_EQ(XorString("k", XorString("k", "abc")), "abc");
  EXPECT_THROW(XorDecode("key", "4G"), EConvertError);
}
