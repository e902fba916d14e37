// LoadLibrary over dlopen. The loader's reason is kept per thread, as the window system keeps
// its last error.
#include "rtl/Modules.h"

#include <cerrno>
#include <cstring>
#include <dlfcn.h>

namespace {
thread_local vt::LoaderError lastError;
}

HMODULE LoadLibrary(const String& FileName)
{
    errno = 0;
    HMODULE module = dlopen(FileName.c_str(), RTLD_NOW);
    if (!module) {
        lastError.Code = errno ? errno : ENOENT;  // the loader need not set one
        const char* reason = dlerror();
        lastError.Text = reason ? reason : std::strerror(lastError.Code);
    }
    return module;
}

bool FreeLibrary(HMODULE Module) { return Module && dlclose(Module) == 0; }

vt::LoaderError vt::LastLoaderError() { return lastError; }
