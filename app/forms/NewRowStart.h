// What a new record held when its editor showed it (the opener's presets, the columns' defaults,
// what the editor's activation filled in), so that Done can tell a record the user filled in
// from one nobody typed into, and store nothing for the latter.
#pragma once

#include <vector>

#include "rtl/Variant.h"

class TCheckBox;
class TDataSet;

namespace vt {

class NewRowStart {
public:
  // At the editor's activation: the row is remembered when the editor adds it (its add/edit
  // flag unchecked), and nothing is remembered when it edits a stored record.
  void Begin(TDataSet* row, const TCheckBox* addEditFlag);
  // Remembers what the row holds now.
  void Take(TDataSet* row);
  // A row was remembered and every column still holds what it held then; an empty text and a
  // yes/no left at no count as nothing, as a null does.
  bool NothingTyped(TDataSet* row) const;
  // Done on a new row nobody typed into: the pending row is given up, so nothing is stored.
  void GiveUpWhenNothingTyped(TDataSet* row) const;

private:
  bool taken_ = false;
  std::vector<Variant> values_;
};

}  // namespace vt
