// The program's string table: texts registered by number at unit start and read back with
// LoadStr, as the class library reads resource strings.
#pragma once

#include "rtl/StrUtils.h"

// The text registered under Ident; empty when there is none.
String LoadStr(int Ident);
String ResStr(int Ident);

namespace vt {
void RegisterResString(int Ident, const String& Text);
}
