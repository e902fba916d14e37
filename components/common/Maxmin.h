// Minimum, maximum and swap routines over integers, 64-bit integers, extended floats,
// dates and Variants, used throughout the component library.
#pragma once

#include "rtl/DateTime.h"
#include "rtl/Variant.h"

#include <cstdint>
#include <vector>

void SwapInt(int& A, int& B);
void SwapLong(long& A, long& B);
void SwapInt64(int64_t& A, int64_t& B);

int Max(int A, int B);
int Min(int A, int B);

// The list routines start from the first element; an empty list raises ERangeError.
int MaxInteger(const std::vector<int>& Values);
int MinInteger(const std::vector<int>& Values);
int64_t MaxInt64(const std::vector<int64_t>& Values);
int64_t MinInt64(const std::vector<int64_t>& Values);
long double MaxFloat(const std::vector<long double>& Values);
long double MinFloat(const std::vector<long double>& Values);
TDateTime MaxDateTime(const std::vector<TDateTime>& Values);
TDateTime MinDateTime(const std::vector<TDateTime>& Values);
Variant MaxOf(const std::vector<Variant>& Values);
Variant MinOf(const std::vector<Variant>& Values);
