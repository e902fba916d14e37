// Registers the numeric controls' texts in the string table once, at the first start.
#include "components/edits/Vtcconst.h"

#include "rtl/ResStrings.h"

namespace vt {

int StartVtcconst()
{
  static const int started = [] {
    RegisterResString(SOutOfRange, "Value must be between %d and %d");
    return 1;
  }();
  return started;
}

} // namespace vt
