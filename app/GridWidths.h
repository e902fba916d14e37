// Column widths of the persisted data grids, kept in the settings file: one numbered section per
// grid, each key naming a column by its field and holding its width, in the columns' order.
#pragma once

#include "rtl/StrUtils.h"

class TDBGrid;
class TIniFile;
class TStrings;

// Sets the widths (and the order) stored in the section; a section of numbered keys, as earlier
// versions wrote, sets the i-th column from the i-th key. A missing, zero, negative or
// non-numeric value keeps the designed width. ini and keys are shared by all grids of one
// form's constructor.
void RestoreGridWidths(TIniFile* ini, TStrings* keys, TDBGrid* grid, const String& section);

// Writes the section anew: every column's width under its field's name, in column order. A
// settings file that cannot be written is reported once a run; the widths are then kept until
// the program ends.
void StoreGridWidths(TDBGrid* grid, const String& section);
