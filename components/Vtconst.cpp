// Registers the component library's texts in the string table once, at the first start.
#include "components/Vtconst.h"

#include "rtl/ResStrings.h"

namespace vt {

int StartVtconst()
{
  static const int started = [] {
    RegisterResString(SDetails, "Details");
    RegisterResString(SLoadLibError, "Could not load '%s' library");
    RegisterResString(SErrorNotExecutable,
                      "File specified is not an executable file, dynamic-link library, or icon file");
    RegisterResString(SNotImplemented, "Function not yet implemented");
    RegisterResString(SPrevMonth, "Previous Month|");
    RegisterResString(SPrevYear, "Previous Year|");
    RegisterResString(SNextMonth, "Next Month|");
    RegisterResString(SNextYear, "Next Year|");
    RegisterResString(SDateDlgTitle, "Select a Date");
    RegisterResString(SDefaultFilter, "All files (*.*)|*.*");
    RegisterResString(SBrowse, "Browse");
    return 1;
  }();
  return started;
}

} // namespace vt
