// Format: the class library's printf-like routine. Arguments are a list of FormatArg values
// (integers, floating-point numbers, strings); a format that does not fit them raises
// EConvertError "Format '...' invalid or incompatible with argument".
#pragma once

#include <concepts>
#include <cstdint>
#include <vector>

#include "rtl/StrUtils.h"

class FormatArg {
public:
    enum Kind { Integer, Float, Text };

    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T value) : FKind(Integer), FInteger(static_cast<std::int64_t>(value))
    {
    }
    FormatArg(double value) : FKind(Float), FFloat(value) {}
    FormatArg(long double value) : FKind(Float), FFloat(value) {}
    FormatArg(const String& value) : FKind(Text), FText(value) {}
    FormatArg(const char* value) : FKind(Text), FText(value) {}
    FormatArg(char value) : FKind(Text), FText(1, value) {}

    Kind GetKind() const { return FKind; }
    std::int64_t AsInteger() const { return FInteger; }
    long double AsFloat() const { return FFloat; }
    const String& AsText() const { return FText; }

private:
    Kind FKind;
    std::int64_t FInteger = 0;
    long double FFloat = 0;
    String FText;
};

// "%" [index ":"] ["-"] [width] ["." precision] type, where index, width and precision may be
// "*" (taken from the arguments) and type is one of d u e f g n m s x; "%%" writes "%".
String Format(const String& format, const std::vector<FormatArg>& args);
