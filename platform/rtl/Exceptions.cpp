// The silent abort of the runtime library.
#include "rtl/Exceptions.h"

void Abort()
{
    throw EAbort("Operation aborted");
}
