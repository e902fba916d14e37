// The values of a new record as its editor showed it, and the test whether anything was typed.
#include "app/forms/NewRowStart.h"

#include "db/DataSet.h"
#include "db/Fields.h"
#include "ui/controls/StdCtrls.h"

namespace vt {

namespace {

// What a user sees in a control: an empty box and an unticked box show nothing, as a null does.
Variant Shown(TField* field) {
  if (field->IsNull()) return Variant::Null();
  switch (field->DataType()) {
    case ftString:
    case ftWideString:
    case ftMemo:
      if (field->AsString().empty()) return Variant::Null();
      break;
    case ftBoolean:
      if (!field->AsBoolean()) return Variant::Null();
      break;
    default:
      break;
  }
  return field->Value();
}

}  // namespace

void NewRowStart::Take(TDataSet* row) {
  values_.clear();
  for (int i = 0; i < row->FieldCount(); ++i) values_.push_back(Shown(row->Fields()->Fields(i)));
  taken_ = true;
}

void NewRowStart::Begin(TDataSet* row, const TCheckBox* addEditFlag) {
  values_.clear();
  taken_ = false;
  if (!addEditFlag->Checked()) Take(row);
}

bool NewRowStart::NothingTyped(TDataSet* row) const {
  if (!taken_ || static_cast<int>(values_.size()) != row->FieldCount()) return false;
  for (int i = 0; i < row->FieldCount(); ++i)
    if (!(Shown(row->Fields()->Fields(i)) == values_[i])) return false;
  return true;
}

void NewRowStart::GiveUpWhenNothingTyped(TDataSet* row) const {
  if (row->State() == dsInsert && NothingTyped(row)) row->Cancel();
}

}  // namespace vt
