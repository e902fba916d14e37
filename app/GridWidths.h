// Column widths of the persisted data grids, kept in the settings file: one numbered section per
// grid, the i-th key of the section holding the width of the grid's i-th column.
#pragma once

#include "rtl/StrUtils.h"

class TDBGrid;
class TIniFile;
class TStrings;

// Sets the widths stored in the section; a missing, zero or non-numeric value keeps the designed
// width. ini and keys are shared by all grids of one form's constructor.
void RestoreGridWidths(TIniFile* ini, TStrings* keys, TDBGrid* grid, const String& section);

// Writes the width of every column under the keys "0", "1", ... of the section. A settings file
// that cannot be written is reported once a run; the widths are then kept until the program ends.
void StoreGridWidths(TDBGrid* grid, const String& section);
