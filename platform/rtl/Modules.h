// Shared libraries loaded by file name: the window system's module calls over the dynamic
// loader (dlopen).
#pragma once

#include "rtl/StrUtils.h"

using HMODULE = void*;

// The library, its symbols resolved at once; nullptr when it cannot be loaded
// (vt::LastLoaderError tells why).
HMODULE LoadLibrary(const String& FileName);
bool FreeLibrary(HMODULE Module);

namespace vt {
struct LoaderError {
    int Code = 0;  // the system's error number
    String Text;   // the loader's own explanation
};
// Why the last LoadLibrary of this thread failed.
LoaderError LastLoaderError();
}  // namespace vt
