// Resource strings by number: each unit registers its message texts at start-up under the
// numbers it names them by, and code reads them back with LoadStr or ResStr.
#pragma once

#include "rtl/StrUtils.h"

// The text registered under id; "" when none is, as the class library's LoadStr gives.
String LoadStr(int id);
inline String ResStr(int id)
{
    return LoadStr(id);
}

namespace vt {
// Registers (or replaces) the text under id.
void RegisterResString(int id, const String& text);
}  // namespace vt
