// Variant: one value of the kinds a database field or an automation call carries (empty,
// null, integer, double, string, boolean, date, or an array of variants), with the class
// library's conversions and comparisons.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <vector>

#include "rtl/DateTime.h"
#include "rtl/StrUtils.h"

enum TVarType : std::uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varDouble = 0x0005,
    varDate = 0x0007,
    varBoolean = 0x000B,
    varInteger = 0x0014,
    varString = 0x0100,
    varArray = 0x200C,
};

class Variant {
public:
    Variant() = default;
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Variant(T value) : FType(varInteger), FInteger(static_cast<std::int64_t>(value))
    {
    }
    Variant(bool value) : FType(varBoolean), FInteger(value ? 1 : 0) {}
    Variant(double value) : FType(varDouble), FDouble(value) {}
    Variant(long double value) : FType(varDouble), FDouble(static_cast<double>(value)) {}
    Variant(const String& value) : FType(varString), FString(value) {}
    Variant(const char* value) : FType(varString), FString(value) {}

    static Variant Null();
    static Variant FromDate(TDateTime date);
    static Variant FromArray(std::vector<Variant> items);

    TVarType VarType() const { return FType; }
    bool IsNull() const { return FType == varNull; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsArray() const { return FType == varArray; }

    // Conversions raise EVariantError when the value has no reading as that type;
    // Empty reads as 0, "" or false.
    int AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    String AsString() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;

    int ArrayCount() const;
    const Variant& operator[](int index) const;

    // < 0, 0 or > 0. Empty and Null sort before every value and equal only their own kind;
    // numbers compare numerically, strings by code, a string and a number as numbers.
    int Compare(const Variant& other) const;
    friend bool operator==(const Variant& a, const Variant& b) { return a.Compare(b) == 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return a.Compare(b) < 0; }
    friend bool operator>(const Variant& a, const Variant& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const Variant& a, const Variant& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const Variant& a, const Variant& b) { return a.Compare(b) >= 0; }

private:
    [[noreturn]] void RaiseCannotConvert(const char* target) const;
    bool IsNumeric() const;
    String TypeName() const;

    TVarType FType = varEmpty;
    std::int64_t FInteger = 0;
    double FDouble = 0;
    String FString;
    std::shared_ptr<const std::vector<Variant>> FArray;
};

Variant Null();
bool VarIsNull(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsArray(const Variant& v);
Variant VarArrayOf(std::vector<Variant> items);
// Bounds of a one-dimensional array made by VarArrayOf: 0 .. count - 1.
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);
// The value as text; Null gives "".
String VarToStr(const Variant& v);
