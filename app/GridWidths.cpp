// The grid width routines: read by key position in the section, written by column index.
#include "app/GridWidths.h"

#include <algorithm>

#include "app/ProgramIni.h"
#include "rtl/Exceptions.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/forms/Forms.h"
#include "ui/grids/DBGrids.h"

void RestoreGridWidths(TIniFile* ini, TStrings* keys, TDBGrid* grid, const String& section) {
  ini->ReadSection(section, keys);
  // Keys beyond the grid's last column are left alone.
  const int count = std::min(keys->Count(), grid->Columns()->Count());
  for (int i = 0; i < count; ++i) {
    const int width = ini->ReadInteger(section, keys->Strings(i), 0);
    // A damaged file may hold any number: a column is never wider than the screen.
    if (width != 0) grid->Columns()->Items(i)->SetWidth(std::min(width, Screen->Width()));
  }
}

// A settings file that cannot be written (a read-only program folder) is reported on the first
// failed write of the run only: widths are stored on every click of a grid, and the click's own
// action goes on either way.
void StoreGridWidths(TDBGrid* grid, const String& section) {
  static bool failureReported = false;
  try {
    TIniFile ini(ProgramIni());
    for (int i = 0; i < grid->Columns()->Count(); ++i)
      ini.WriteInteger(section, IntToStr(i), grid->Columns()->Items(i)->Width());
  } catch (const EIniFileException& e) {
    if (failureReported) return;
    failureReported = true;
    Application->ShowException(&e);
  }
}
