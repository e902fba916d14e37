// The number-text rules of the numeric edits (unit CurrEdit): text to value text, the key
// test on the text as it would be after a key, the range rules, the editing and display
// texts and the default currency format. Pure functions, shared by every numeric edit.
#pragma once

#include "rtl/StrUtils.h"

// The text with the locale's separators normalised, as StrToFloat reads it: trailing blanks
// removed, thousands separators dropped, "." and "," read as the decimal separator where
// neither is a separator of the locale, a leading decimal separator read as "0." (".5" and
// "-.5"), "" read as "0" and "-" as "-0".
String TextToValText(const String& S);

namespace vt {

// The separators a number text is written with.
struct NumberSeparators {
  String Decimal;
  String Thousands;
  bool operator==(const NumberSeparators&) const = default;
};

// The locale's separators now.
NumberSeparators LocaleSeparators();

// TextToValText for a text written with Separators.
String TextToValTextIn(const String& S, const NumberSeparators& Separators);

// A text written with From's separators, as the locale's StrToFloat reads the same number.
String LocaleNumberText(const String& S, const NumberSeparators& From);

// The numeric range of an edit: equal bounds mean no range; a zero bound under an inverted
// pair leaves only the other bound.
struct NumRange {
  long double MinValue = 0;
  long double MaxValue = 0;
};

// NewValue clamped to the range; with RaiseOnError a value that had to be clamped raises
// ERangeError "Value must be between ... and ..." with DecimalPlaces fraction digits.
long double CheckValue(long double NewValue, const NumRange& Range, unsigned DecimalPlaces,
                       bool RaiseOnError);

// The edit text after Key replaces the selection (SelStart counts from 0).
String TextAfterKey(const String& Text, int SelStart, int SelLength, char Key);

// Whether Text (the edit text as it would be after a key) is an acceptable entry: a number
// with at most DecimalPlaces fraction digits, and not negative under a non-negative range.
bool IsValidNumText(const String& Text, unsigned DecimalPlaces, const NumRange& Range);

// The text the focused edit holds for Value: no grouping, at most DecimalPlaces fraction
// digits, empty for zero when ZeroEmpty.
String EditingText(long double Value, unsigned DecimalPlaces, bool ZeroEmpty);

// The text the unfocused edit shows: DisplayFormat, or the general format when it is empty.
String FormatDisplayText(long double Value, const String& DisplayFormat);

// The edit text regrouped while typing: thousands separators in the integer digits when
// Group, the fraction and exponent as typed; "" and "-" stay as they are.
String GroupEditText(const String& S, bool Group);

// The locale's currency format for FormatFloat, the same pattern with a "-" for negatives.
String CurrencyDisplayFormat();

// Whether the numeric edit hands Key to its open calculator: its keys, "." and the decimal
// separator; a thousands separator other than "." is none of them.
bool IsCalculatorKey(char Key);

} // namespace vt
