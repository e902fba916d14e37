// Variant conversions and comparisons, following the class library's rules: doubles round
// to integers half to even, true reads as -1, text converts through the locale's formats.
#include "rtl/Variant.h"

#include <cmath>
#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"

Variant Variant::Null()
{
    Variant v;
    v.FType = varNull;
    return v;
}

Variant Variant::FromDate(TDateTime date)
{
    Variant v(date);
    v.FType = varDate;
    return v;
}

Variant Variant::FromArray(std::vector<Variant> items)
{
    Variant v;
    v.FType = varArray;
    v.FArray = std::make_shared<const std::vector<Variant>>(std::move(items));
    return v;
}

String Variant::TypeName() const
{
    switch (FType) {
    case varEmpty:
        return "Empty";
    case varNull:
        return "Null";
    case varDouble:
        return "Double";
    case varDate:
        return "Date";
    case varBoolean:
        return "Boolean";
    case varInteger:
        return "Int64";
    case varString:
        return "String";
    case varArray:
        return "Array Variant";
    }
    return "Unknown";
}

void Variant::RaiseCannotConvert(const char* target) const
{
    throw EVariantError("Could not convert variant of type (" + TypeName() + ") into type (" +
                        target + ")");
}

bool Variant::IsNumeric() const
{
    return FType == varInteger || FType == varDouble || FType == varDate || FType == varBoolean;
}

std::int64_t Variant::AsInt64() const
{
    switch (FType) {
    case varEmpty:
        return 0;
    case varInteger:
        return FInteger;
    case varBoolean:
        return FInteger != 0 ? -1 : 0;
    case varDouble:
    case varDate:
        if (std::isfinite(FDouble) && std::fabs(FDouble) < 9.2e18)
            return static_cast<std::int64_t>(std::nearbyint(FDouble));
        break;
    case varString: {
        std::int64_t integer;
        if (TryStrToInt64(FString, integer))
            return integer;
        long double real;
        if (TryStrToFloat(FString, real) && std::fabs(real) < 9.2e18L)
            return static_cast<std::int64_t>(std::nearbyint(real));
        break;
    }
    default:
        break;
    }
    RaiseCannotConvert("Int64");
}

int Variant::AsInteger() const
{
    std::int64_t value = AsInt64();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        RaiseCannotConvert("Integer");
    return static_cast<int>(value);
}

double Variant::AsDouble() const
{
    switch (FType) {
    case varEmpty:
        return 0;
    case varInteger:
    case varBoolean:
        return static_cast<double>(AsInt64());
    case varDouble:
    case varDate:
        return FDouble;
    case varString: {
        double value;
        if (TryStrToFloat(FString, value))
            return value;
        break;
    }
    default:
        break;
    }
    RaiseCannotConvert("Double");
}

String Variant::AsString() const
{
    switch (FType) {
    case varEmpty:
        return String();
    case varInteger:
        return IntToStr(FInteger);
    case varBoolean:
        return FInteger != 0 ? "True" : "False";
    case varDouble:
        return FloatToStr(FDouble);
    case varDate:
        return DateTimeToStr(FDouble);
    case varString:
        return FString;
    default:
        break;
    }
    RaiseCannotConvert("String");
}

bool Variant::AsBoolean() const
{
    switch (FType) {
    case varEmpty:
        return false;
    case varInteger:
    case varBoolean:
        return FInteger != 0;
    case varDouble:
    case varDate:
        return FDouble != 0;
    case varString: {
        if (SameText(FString, "True"))
            return true;
        if (SameText(FString, "False"))
            return false;
        long double value;
        if (TryStrToFloat(FString, value))
            return value != 0;
        break;
    }
    default:
        break;
    }
    RaiseCannotConvert("Boolean");
}

TDateTime Variant::AsDateTime() const
{
    if (FType == varString) {
        TDateTime value;
        if (TryStrToDateTime(FString, value))
            return value;
        RaiseCannotConvert("Date");
    }
    if (FType == varEmpty || IsNumeric())
        return AsDouble();
    RaiseCannotConvert("Date");
}

int Variant::ArrayCount() const
{
    return IsArray() ? static_cast<int>(FArray->size()) : 0;
}

const Variant& Variant::operator[](int index) const
{
    if (index < 0 || index >= ArrayCount())
        throw EVariantError("Variant or safe array index out of bounds");
    return (*FArray)[static_cast<std::size_t>(index)];
}

namespace {

template <typename T>
int ThreeWay(T a, T b)
{
    return (a > b) - (a < b);
}

}  // namespace

int Variant::Compare(const Variant& other) const
{
    bool mineBlank = FType == varEmpty || FType == varNull;
    bool otherBlank = other.FType == varEmpty || other.FType == varNull;
    if (mineBlank || otherBlank) {
        if (mineBlank && otherBlank)
            return ThreeWay<int>(FType, other.FType);
        return mineBlank ? -1 : 1;
    }
    if (IsArray() || other.IsArray()) {
        if (!IsArray() || !other.IsArray())
            throw EVariantError("Invalid variant operation");
        for (int i = 0; i < ArrayCount() && i < other.ArrayCount(); ++i)
            if (int c = (*this)[i].Compare(other[i]); c != 0)
                return c;
        return ThreeWay(ArrayCount(), other.ArrayCount());
    }
    if (FType == varString && other.FType == varString)
        return CompareStr(FString, other.FString);
    bool integers = (FType == varInteger || FType == varBoolean) &&
                    (other.FType == varInteger || other.FType == varBoolean);
    if (integers)
        return ThreeWay(AsInt64(), other.AsInt64());
    return ThreeWay(AsDouble(), other.AsDouble());
}

Variant Null()
{
    return Variant::Null();
}

bool VarIsNull(const Variant& v)
{
    return v.IsNull();
}

bool VarIsEmpty(const Variant& v)
{
    return v.IsEmpty();
}

bool VarIsArray(const Variant& v)
{
    return v.IsArray();
}

Variant VarArrayOf(std::vector<Variant> items)
{
    return Variant::FromArray(std::move(items));
}

int VarArrayLowBound(const Variant& v, int dim)
{
    if (!v.IsArray() || dim != 1)
        throw EVariantError("Variant is not an array");
    return 0;
}

int VarArrayHighBound(const Variant& v, int dim)
{
    return VarArrayLowBound(v, dim) + v.ArrayCount() - 1;
}

String VarToStr(const Variant& v)
{
    return v.IsNull() ? String() : v.AsString();
}
