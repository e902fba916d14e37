// Minimum, maximum and swap routines of the component library; one template carries
// every list routine so that the element types share one scan.
#include "components/common/Maxmin.h"

#include "rtl/Exceptions.h"

#include <utility>

namespace {

// Scans Values from the first element, keeping the element that Better prefers.
template <typename T, typename Better>
T Extreme(const std::vector<T>& Values, Better better)
{
  if (Values.empty())
    throw ERangeError("The list of values is empty");
  T result = Values.front();
  for (const T& v : Values)
    if (better(v, result))
      result = v;
  return result;
}

template <typename T> bool Greater(const T& a, const T& b) { return a > b; }
template <typename T> bool Less(const T& a, const T& b) { return a < b; }

} // namespace

void SwapInt(int& A, int& B) { std::swap(A, B); }
void SwapLong(long& A, long& B) { std::swap(A, B); }
void SwapInt64(int64_t& A, int64_t& B) { std::swap(A, B); }

int Max(int A, int B) { return A > B ? A : B; }
int Min(int A, int B) { return A < B ? A : B; }

int MaxInteger(const std::vector<int>& Values) { return Extreme(Values, Greater<int>); }
int MinInteger(const std::vector<int>& Values) { return Extreme(Values, Less<int>); }
int64_t MaxInt64(const std::vector<int64_t>& Values) { return Extreme(Values, Greater<int64_t>); }
int64_t MinInt64(const std::vector<int64_t>& Values) { return Extreme(Values, Less<int64_t>); }
long double MaxFloat(const std::vector<long double>& Values) { return Extreme(Values, Greater<long double>); }
long double MinFloat(const std::vector<long double>& Values) { return Extreme(Values, Less<long double>); }
TDateTime MaxDateTime(const std::vector<TDateTime>& Values) { return Extreme(Values, Greater<TDateTime>); }
TDateTime MinDateTime(const std::vector<TDateTime>& Values) { return Extreme(Values, Less<TDateTime>); }
Variant MaxOf(const std::vector<Variant>& Values) { return Extreme(Values, Greater<Variant>); }
Variant MinOf(const std::vector<Variant>& Values) { return Extreme(Values, Less<Variant>); }
