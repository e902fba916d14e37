// The shared editor frame: dialog properties, key rules, the record editors' Done and the zip
// look-up.
#include "app/forms/EditorFrame.h"

#include "app/SQLData.h"
#include "app/forms/FormDesigner.h"
#include "app/forms/Main.h"
#include "db/DataSet.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/MaskEdit.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace vt {

namespace {

const char* const kBlankZip = "     -    ";

// Single-line edits, combo boxes and check boxes: Enter there means "next field". A memo keeps
// it for its line breaks, a button for its click.
bool EnterMovesOn(TComponent* component) {
  return (dynamic_cast<TCustomEdit*>(component) && !dynamic_cast<TCustomMemo*>(component)) ||
         dynamic_cast<TCustomComboBox*>(component) || dynamic_cast<TCustomCheckBox*>(component);
}

// Chained, not replaced: the rule first, then what the design bound.
TKeyEvent WithAltF4Swallowed(TKeyEvent bound) {
  return [bound](TObject* Sender, WORD& Key, TShiftState Shift) {
    SwallowAltF4(Key, Shift);
    if (bound) bound(Sender, Key, Shift);
  };
}

// The pending row posted or given up, the dataset reopened and, in edit mode, back on the row.
void EndPending(TDataSet* master, bool save, bool editMode, const TPostCheck& check = nullptr) {
  const TBookmark bookmark = editMode ? master->GetBookmark() : TBookmark();
  if (save) StorePending(master, check);
  else master->Cancel();
  master->Close();
  master->Open();
  if (editMode && master->BookmarkValid(bookmark)) master->GotoBookmark(bookmark);
}

// What the user can do when the database refused the save: try again, give up what is pending
// (after the question of what is lost) or go back to the editor with everything as typed.
enum class RefusedChoice { TryAgain, Discard, Stay };

RefusedChoice AskAfterRefusal(const Exception& e, bool editMode) {
  const String what = editMode ? "Your changes to this record were" : "The new record was";
  const int answer = Application->MessageBox(
      e.Message() + "\n\n" + what + " not saved. Do you want to try saving again?\n" +
          "Yes tries again, No discards " + (editMode ? "the changes" : "the new record") +
          ", Cancel goes back to the editor.",
      "Error", MB_YESNOCANCEL);
  if (answer == IDYES) return RefusedChoice::TryAgain;
  if (answer != IDNO) return RefusedChoice::Stay;
  const String question = editMode
                              ? "Discard your changes? Everything you changed in this record is lost."
                              : "Discard the new record? Everything you typed into it is lost.";
  return Application->MessageBox(question, "Discard?", MB_YESNO) == IDYES ? RefusedChoice::Discard
                                                                           : RefusedChoice::Stay;
}

// Saves until it goes through or the user gives up; false when the editor stays open.
bool SaveOrGiveUp(TDataSet* master, bool editMode, const TPostRefusedEvent& refused, const TPostCheck& check) {
  for (;;) {
    try {
      EndPending(master, true, editMode, check);
      return true;
    } catch (const Exception& e) {
      if (refused && refused(e)) return false;
      switch (AskAfterRefusal(e, editMode)) {
        case RefusedChoice::TryAgain: break;
        case RefusedChoice::Discard: EndPending(master, false, editMode); return true;
        case RefusedChoice::Stay: return false;
      }
    }
  }
}

}  // namespace

void StorePending(TDataSet* master, const TPostCheck& check) {
  const TPendingEdit typed = master->PendingEdit();
  try {
    Transaction transaction(SQLDataModule->dbVantrelADO);
    if (check) check();
    master->Post();
    transaction.Commit();
  } catch (...) {
    master->ResumeEdit(typed);
    throw;
  }
}

EditorFrame DesignEditorFrame(FormDesigner& d, TForm* form, const String& caption,
                              const char* doneName, bool withFlag) {
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons({});
  form->SetKeyPreview(false);
  form->Font()->SetName("MS Sans Serif");
  form->SetCaption(caption);
  form->SetClientWidth(320);
  form->SetClientHeight(120);

  EditorFrame frame;
  if (withFlag) {
    frame.AddEditFlag = d.Make<TCheckBox>("CheckBox1", form, 16, 16, 97, 17);
    frame.AddEditFlag->SetCaption("CheckBox1");
    frame.AddEditFlag->SetVisible(false);
  }
  frame.Done = d.Make<TBitBtn>(doneName, form, 120, 72, 80, 25);
  frame.Done->SetCaption("Done");
  return frame;
}

void BindEditorKeys(TForm* form) {
  form->OnKeyDown = WithAltF4Swallowed(form->OnKeyDown);
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* control = dynamic_cast<TWinControl*>(form->Components(i));
    if (!control) continue;
    control->OnKeyDown = WithAltF4Swallowed(control->OnKeyDown);
    if (EnterMovesOn(control) && !control->OnKeyPress)
      control->OnKeyPress = [form](TObject*, char& Key) {
        if (Key == '\r') FocusNextControl(form);
      };
  }
}

void SwallowAltF4(WORD& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) && Key == VK_F4) Key = 0;
}

void FocusNextControl(TForm* form) {
  if (TWinControl* next = form->FindNextControl(form->ActiveControl(), true, true, false)) next->SetFocus();
}

void CenterOverMainForm(TForm* editor) {
  editor->SetLeft(MainForm->Left() + (MainForm->Width() - editor->Width()) / 2);
  editor->SetTop(MainForm->Top() + (MainForm->Height() - editor->Height()) / 2);
}

void RecordEditorDone(TForm* editor, TDataSet* master, TCheckBox* addEditFlag, const TPostRefusedEvent& refused,
                      const TPostCheck& check) {
  const bool editMode = addEditFlag->Checked();
  if (master->Modified()) {
    const bool save =
        !editMode ||
        Application->MessageBox("Do you wish to save your changes?", "Commit Changes?", MB_YESNO) == IDYES;
    if (!save) EndPending(master, false, editMode);
    else if (!SaveOrGiveUp(master, editMode, refused, check)) return;
  } else if (master->State() == dsEdit || master->State() == dsInsert) {
    master->Cancel();  // nothing typed: the row the opener prepared is given up, not left pending
  }
  CloseEditor(editor);
}

void CloseEditor(TForm* editor) {
  MainForm->FormActivate(editor);
  editor->Close();
}

void ZipLookup(TCustomMaskEdit* zip, TDataSet* master, const char* cityField, const char* stateField) {
  if (ZipIsEmpty(zip)) return;
  const String text = zip->Text();
  TADOTable* zips = SQLDataModule->tZipCodes;
  if (!zips->Locate("Zip", Variant(Copy(text, 1, 5)), {})) return;
  master->SetFieldValues(cityField, zips->FieldValues("City"));
  master->SetFieldValues(stateField, zips->FieldValues("State"));
}

}  // namespace vt

namespace vt {

bool ZipIsEmpty(TCustomMaskEdit* zip) { return zip->Text().empty() || zip->Text() == kBlankZip; }

}  // namespace vt
