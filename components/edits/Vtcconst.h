// Texts of the numeric controls, kept in the program's string table by number; any unit that
// includes this header makes sure they are registered before it runs.
#pragma once

constexpr int SOutOfRange = 65140; // "Value must be between %d and %d"

namespace vt {
int StartVtcconst();
inline const int kVtcconstStarted = StartVtcconst();
} // namespace vt
