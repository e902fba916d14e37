// The frame of the record editors as it stands until each editor gets its own controls: a
// dialog with the editor's caption, the hidden add/edit flag of the four record editors, and a
// "Done" button, the only way out.
#pragma once

#include "rtl/StrUtils.h"

class TButton;
class TCheckBox;
class TDataSet;
class TForm;

namespace vt {

class FormDesigner;

struct EditorFrame {
  TButton* Done = nullptr;
  TCheckBox* AddEditFlag = nullptr;  // CheckBox1: checked = edit mode; absent where not used
};

// Sets the dialog's properties and creates its Done button (named doneName) and, when
// withFlag, the hidden CheckBox1.
EditorFrame DesignEditorFrame(FormDesigner& d, TForm* form, const String& caption,
                              const char* doneName, bool withFlag);

// Done: nothing can have been entered yet, so a row the opener put into Edit or Insert is
// given up rather than left pending for the next scroll to post; then the dialog closes.
void CloseEditor(TForm* form, TDataSet* master);

}  // namespace vt
