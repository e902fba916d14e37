// The entry panel of a default list: add, edit, save and delete with the list's messages.
#include "app/forms/SettingsList.h"

#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "db/ADODB.h"
#include "db/Fields.h"
#include "ui/controls/Buttons.h"
#include "ui/forms/Forms.h"

namespace vt {

namespace {

Variant ValueOf(TWinControl* control) {
  if (auto* number = dynamic_cast<TCustomNumEdit*>(control)) return Variant(static_cast<double>(number->Value()));
  return Variant(control->Text());
}

void Clear(TWinControl* control) {
  if (auto* number = dynamic_cast<TCustomNumEdit*>(control)) number->SetValue(0);
  else control->SetText("");
}

// The panel's buttons and edits sit on a page that may not be showing.
void FocusWhenShown(TWinControl* control) {
  if (control->CanFocus() && control->Showing()) control->SetFocus();
}

void ShowError(const String& text) { Application->MessageBox(text, "Error", MB_OK); }

String WithReason(const char* text, const Exception& e) { return String(text) + "\n\n" + e.Message(); }

}  // namespace

void SettingsList::Add() {
  ShowPanel(true);
  for (const Entry& entry : AddSet)
    if (entry.ClearedOnAdd) Clear(entry.Control);
  FocusWhenShown(AddSet.front().Control);
}

void SettingsList::Edit() {
  if (Table->IsEmpty()) {  // Edit on no row would start a new, blank one
    ShowError("There is nothing to edit.");
    return;
  }
  ShowPanel(false);
  Table->Edit();
  FocusWhenShown(EditSet.front());
}

void SettingsList::Save() {
  if (Adding()) SaveNew();
  else SaveEdited();
}

void SettingsList::Delete() {
  if (Application->MessageBox(Texts.DeleteQuestion, "Comfirm delete", MB_YESNO) == IDYES) Table->Delete();
}

void SettingsList::Close() {
  if (Table->State() == dsEdit || Table->State() == dsInsert) Table->Cancel();
  HidePanel();
}

bool SettingsList::Adding() const { return AddSet.front().Control->Visible(); }

bool SettingsList::MissingRequired() const {
  for (const Entry& entry : AddSet)
    if (entry.Required && Trim(entry.Control->Text()).empty()) return true;
  return false;
}

void SettingsList::SaveNew() {
  if (MissingRequired()) {
    if (Application->MessageBox("You must enter a value in each field.\nDo you wish to cancel?", "Error", MB_YESNO) == IDYES) {
      HidePanel();
      FocusWhenShown(AddButton);
    } else {
      FocusWhenShown(AddSet.front().Control);
    }
    return;
  }
  try {
    const Entry& key = AddSet.front();
    if (Table->Locate(key.Field, Variant(key.Control->Text()), {loCaseInsensitive})) {
      ShowError(Texts.Duplicate);
      HidePanel();
      FocusWhenShown(AddButton);
      return;
    }
    Table->Append();
    for (const Entry& entry : AddSet) Table->FieldByName(entry.Field)->SetValue(ValueOf(entry.Control));
    Table->Post();
  } catch (const Exception& e) {
    if (Table->State() == dsInsert) Table->Cancel();
    ShowError(WithReason(Texts.OtherFailure, e));
    return;
  }
  vt::Reopen(Table);
  HidePanel();
  FocusWhenShown(AddButton);
}

void SettingsList::SaveEdited() {
  const TPendingEdit typed = Table->PendingEdit();
  try {
    Table->Post();
  } catch (const Exception& e) {
    ShowStored(typed);
    ShowError(WithReason(Texts.FailedSave, e));
    return;
  }
  ReopenOnSameRow(Table);
  HidePanel();
  FocusWhenShown(EditButton);
}

void SettingsList::ShowStored(const TPendingEdit& typed) {
  Table->Cancel();
  if (ReopenOnSameRow(Table)) {
    Table->ResumeEdit(typed);
    return;
  }
  HidePanel();
  FocusWhenShown(EditButton);
}

void SettingsList::ShowPanel(bool adding) {
  for (TControl* label : Labels) label->SetVisible(true);
  for (const Entry& entry : AddSet) entry.Control->SetVisible(adding);
  for (TWinControl* control : EditSet) control->SetVisible(!adding);
  SaveButton->SetVisible(true);
}

void SettingsList::HidePanel() {
  for (TControl* label : Labels) label->SetVisible(false);
  for (const Entry& entry : AddSet) entry.Control->SetVisible(false);
  for (TWinControl* control : EditSet) control->SetVisible(false);
  SaveButton->SetVisible(false);
}

}  // namespace vt
