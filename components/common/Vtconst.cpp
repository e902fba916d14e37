// Registers the component library's texts in the string table once, at the first start, and
// its cursors with the screen when the application initialises.
#include "components/common/Vtconst.h"

#include "components/common/vtGuiutils.h"
#include "rtl/ResStrings.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/Resources.h"

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
    RegisterResString(SHelpButton, "&Help");
    AddInitProc([] {
      RegisterComponentArt();
      Screen->SetCursors(crHand, LoadCursor(HInstance, "VT_HANDCUR"));
      Screen->SetCursors(crDragHand, LoadCursor(HInstance, "VT_DRAGCUR"));
    });
    return 1;
  }();
  return started;
}

} // namespace vt
