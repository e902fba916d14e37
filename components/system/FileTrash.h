// The desktop's trash as the freedesktop trash rules lay it out: the home trash for items on its
// own file system, else the trash at the top directory of the item's file system.
#pragma once

#include "rtl/StrUtils.h"

// Moves a file or folder into the trash with the record the trash keeps (its original path and
// the deletion time). False, with nothing changed, when no trash can take it.
bool MoveToTrash(const String& path);
