// Floating-point numbers to and from text as the class library writes them: 15 significant
// digits by default, the locale's separators, and picture formats ("#,##0.00;(#,##0.00);Zero").
// Values are long double, the 80-bit extended type of the class library.
#pragma once

#include "rtl/StrUtils.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits: "0.1", "1E20", "1.5E-7".
String FloatToStr(long double value);
// Leading and trailing blanks, a sign, digits with the locale's decimal separator and an
// optional exponent; raises EConvertError "'x' is not a valid floating point value".
long double StrToFloat(const String& s);
long double StrToFloatDef(const String& s, long double defaultValue);
bool TryStrToFloat(const String& s, long double& value);
bool TryStrToFloat(const String& s, double& value);

// precision: significant digits (at most 18); digits: decimals for ffFixed, ffNumber and
// ffCurrency, or the minimum exponent digits for ffGeneral and ffExponent.
String FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
// Sections "positive;negative;zero" of "0", "#", ".", ",", "E+", "E-" and quoted literals;
// rounds half away from zero.
String FormatFloat(const String& format, long double value);
