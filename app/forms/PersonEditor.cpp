// The description pickers and the session's type list of the person editors.
#include "app/forms/PersonEditor.h"

#include "app/SQLData.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/StringList.h"
#include "ui/controls/StdCtrls.h"

namespace vt {

namespace {

void FillList(TDataSet* table, TComboBox* list, const char* column) {
  table->Close();
  table->Open();
  list->Items()->BeginUpdate();
  list->Items()->Clear();
  for (table->First(); !table->Eof(); table->Next()) list->Items()->Add(table->FieldByName(column)->AsString());
  list->Items()->EndUpdate();
}

}  // namespace

// Clearing the list empties the picker's text too, as the class library's combo box does.
void FillPicker(TDataSet* table, TComboBox* picker, const char* descriptionColumn, const char* codeColumn,
                TField* personCode) {
  FillList(table, picker, descriptionColumn);
  picker->SetText("");
  if (!personCode->IsNull() && table->Locate(codeColumn, personCode->Value(), {}))
    picker->SetText(table->FieldByName(descriptionColumn)->AsString());
}

void PickCode(TDataSet* table, TComboBox* picker, const char* descriptionColumn, const char* codeColumn,
              TField* personCode) {
  table->Close();
  table->SetFilter(String(descriptionColumn) + " = " + SqlQuote(picker->Text()));
  table->SetFiltered(true);
  table->Open();
  TField* code = table->FieldByName(codeColumn);
  personCode->SetAsString(code->IsNull() ? String() : code->AsString());
  table->Close();
  table->SetFiltered(false);
  table->SetFilter("");
  table->Open();
}

void FillSessionTypes(TComboBox* types, TControl* signUp, TControl* remove) {
  FillList(SQLDataModule->tSessionSessionTypes, types, "Description");
  const bool offered = types->Items()->Count() > 0;
  if (offered) types->SetItemIndex(0);
  signUp->SetEnabled(offered);
  remove->SetEnabled(offered);
}

}  // namespace vt
