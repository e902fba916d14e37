// A registry of the control classes that can show progress, with the names of their maximum,
// minimum and position properties, so that a routine can drive whatever progress control it is
// handed through those published properties.
#pragma once

#include "rtl/TypInfo.h"
#include "ui/kernel/Controls.h"

// Later registrations take precedence for the classes they fit. Names are kept to 63 characters.
void RegisterProgressControl(TClass AClass, const String& MaxPropName, const String& MinPropName,
                             const String& ProgressPropName);
// Removes the records of the class and of every class that inherits from it.
void UnRegisterProgressControl(TClass AClass);
bool SupportsProgressControl(TControl* Control);
// True when the control's record names a writable property of integer kind (or of float kind,
// which takes the number as it is) and it was set.
bool SetProgressMax(TControl* Control, long MaxValue);
bool SetProgressMin(TControl* Control, long MinValue);
bool SetProgressValue(TControl* Control, long ProgressValue);
