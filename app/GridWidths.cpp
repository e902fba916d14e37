// The grid width routines. A section names each column by its field, in the grid's column
// order, so that a width stays with its column after the user has dragged columns about;
// sections whose keys are all numbers (as earlier versions wrote them) are read by key position.
#include "app/GridWidths.h"

#include <algorithm>

#include "app/ProgramIni.h"
#include "rtl/Exceptions.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/forms/Forms.h"
#include "ui/grids/DBGrids.h"

namespace {

bool IsNumber(const String& key) {
  return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ByPosition(TStrings* keys) {
  for (int i = 0; i < keys->Count(); ++i)
    if (!IsNumber(keys->Strings(i))) return false;
  return true;
}

// A column's key: its field's name, or its place when it shows no field.
String ColumnKey(TColumn* column) {
  return column->FieldName().empty() || IsNumber(column->FieldName()) ? IntToStr(column->Index()) : column->FieldName();
}

// Zero, a number below the one pixel the grid's own sizing leaves a column, or a non-number
// keeps the designed width; a damaged file may hold any number, and no column is wider than
// the screen.
void SetStoredWidth(TIniFile* ini, const String& section, const String& key, TColumn* column) {
  const int width = ini->ReadInteger(section, key, 0);
  if (width >= 1) column->SetWidth(std::min(width, Screen->Width()));
}

// The i-th key sets the i-th column, whatever its name; keys beyond the last column are left alone.
void RestoreByPosition(TIniFile* ini, TStrings* keys, TDBGrid* grid, const String& section) {
  const int count = std::min(keys->Count(), grid->Columns()->Count());
  for (int i = 0; i < count; ++i) SetStoredWidth(ini, section, keys->Strings(i), grid->Columns()->Items(i));
}

TColumn* ColumnOfField(TDBGrid* grid, const String& fieldName) {
  for (int i = 0; i < grid->Columns()->Count(); ++i)
    if (SameText(grid->Columns()->Items(i)->FieldName(), fieldName)) return grid->Columns()->Items(i);
  return nullptr;
}

// Each stored column takes its width and, in the order of the keys, its place; a key naming no
// column is left alone, and a column the section does not name follows the ones it names.
void RestoreByField(TIniFile* ini, TStrings* keys, TDBGrid* grid, const String& section) {
  int place = 0;
  for (int i = 0; i < keys->Count(); ++i) {
    TColumn* column = ColumnOfField(grid, keys->Strings(i));
    if (!column) continue;
    column->SetIndex(place++);
    SetStoredWidth(ini, section, keys->Strings(i), column);
  }
}

}  // namespace

void RestoreGridWidths(TIniFile* ini, TStrings* keys, TDBGrid* grid, const String& section) {
  ini->ReadSection(section, keys);
  if (ByPosition(keys)) RestoreByPosition(ini, keys, grid, section);
  else RestoreByField(ini, keys, grid, section);
}

// The section is written anew, so that its keys stand in the columns' order. A settings file
// that cannot be written (a read-only program folder) is reported on the first failed write of
// the run only: widths are stored on every click of a grid, and the click's own action goes on
// either way.
void StoreGridWidths(TDBGrid* grid, const String& section) {
  static bool failureReported = false;
  try {
    TIniFile ini(ProgramIni());
    ini.EraseSection(section);
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
      TColumn* column = grid->Columns()->Items(i);
      ini.WriteInteger(section, ColumnKey(column), column->Width());
    }
  } catch (const EIniFileException& e) {
    if (failureReported) return;
    failureReported = true;
    Application->ShowException(&e);
  }
}
