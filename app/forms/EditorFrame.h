// The frame every record editor shares: the dialog's properties and its Done button, the key
// rules (Alt+F4 swallowed, Enter moves on), the Done that posts or cancels the master row and
// refreshes the main window, the zip look-up, and placing an editor over the main window.
#pragma once

#include <functional>

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"
#include "ui/kernel/Messages.h"

class TBitBtn;
class TCheckBox;
class TCustomMaskEdit;
class TDataSet;
class TForm;

namespace vt {

class FormDesigner;

struct EditorFrame {
  TBitBtn* Done = nullptr;
  TCheckBox* AddEditFlag = nullptr;  // CheckBox1: checked = edit mode; absent where not used
};

// Sets the dialog's properties (bsDialog, no border icons, no key preview, the font) and
// caption, and creates its Done button (named doneName) and, when withFlag, the hidden
// CheckBox1. A design places the Done button where it belongs with SetBounds.
EditorFrame DesignEditorFrame(FormDesigner& d, TForm* form, const String& caption,
                              const char* doneName, bool withFlag);

// Call at the end of a design, after every control is made: the form's OnKeyDown and that of
// every control swallow Alt+F4 (a handler the design bound runs after the rule), and Enter in
// a single-line edit, combo box or check box without an OnKeyPress of its own moves the focus
// on (FocusNextControl).
void BindEditorKeys(TForm* form);

// The Alt+F4 rule of every key-down handler of an editor: the key becomes 0.
void SwallowAltF4(WORD& Key, TShiftState Shift);

// Enter moves on: the next control after the active one in the form's tab order with TabStop
// set, across parents, wrapping after the last; the key itself is left as it is.
void FocusNextControl(TForm* form);

// Left and top so the editor sits centred over the main window.
void CenterOverMainForm(TForm* editor);

// Done of the attendee, chaperone, session and league editors over their master dataset:
// a changed row is posted (add mode) or, in edit mode, posted or cancelled after the question
// "Do you wish to save your changes?"; the dataset is reopened on the same row; then
// CloseEditor. A Post the database refuses goes to refused when given, which returns whether it
// dealt with it; otherwise it is shown with its reason, and the user tries again, discards, or
// goes back to the editor, which shows the row as stored now with what was typed. check, when
// given, runs inside the save's transaction before the Post (finding the rows the row names).
using TPostRefusedEvent = std::function<bool(const Exception& E)>;
using TPostCheck = std::function<void()>;
void RecordEditorDone(TForm* editor, TDataSet* master, TCheckBox* addEditFlag,
                      const TPostRefusedEvent& refused = nullptr, const TPostCheck& check = nullptr);

// The pending row posted in a transaction of its own, after check when given, so that a refusal
// reads the row again as it is stored now (another copy of the program may have changed or
// deleted it) and the editor shows that row with what the user typed back in, never the values
// it read before; the refusal goes on.
void StorePending(TDataSet* master, const TPostCheck& check = nullptr);

// The last step of every Done: the main window's refresh, then the dialog closes.
void CloseEditor(TForm* editor);

// ZipLookup, the exit of a zip edit: the City and State of the zip's first five characters in
// tZipCodes go into the master row's city and state columns; an empty zip, or one that is not
// listed, changes nothing.
void ZipLookup(TCustomMaskEdit* zip, TDataSet* master, const char* cityField, const char* stateField);

// Nothing typed into a zip edit: no text, or the blank text of its mask.
bool ZipIsEmpty(TCustomMaskEdit* zip);

}  // namespace vt
