// Texts of the component library, kept in the program's string table by number, and its two
// cursors; any unit that includes this header makes sure they are registered before it runs.
#pragma once

constexpr int SDetails = 61254;            // "Details"
constexpr int SLoadLibError = 61255;       // "Could not load '%s' library"
constexpr int SErrorNotExecutable = 61256; // "File specified is not an executable file, ..."
constexpr int SNotImplemented = 61257;     // "Function not yet implemented"
constexpr int SPrevMonth = 61258;          // "Previous Month|"
constexpr int SPrevYear = 61259;           // "Previous Year|"
constexpr int SNextMonth = 61260;          // "Next Month|"
constexpr int SNextYear = 61261;           // "Next Year|"
constexpr int SDateDlgTitle = 61262;       // "Select a Date"
constexpr int SDefaultFilter = 61263;      // "All files (*.*)|*.*"
constexpr int SBrowse = 61264;             // "Browse"
constexpr int SHelpButton = 65189;         // "&Help"

// The library's two cursors in the screen's cursor table, registered at the program's start.
constexpr int crHand = 14000;
constexpr int crDragHand = 14001;

namespace vt {
int StartVtconst();
inline const int kVtconstStarted = StartVtconst();
} // namespace vt
