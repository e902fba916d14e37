// What the attendee and chaperone editors share besides their money operations: the pickers
// that show a code's description and write the code of the description chosen, and the list of
// the current session's types that Sign Up takes its type from.
#pragma once

class TComboBox;
class TControl;
class TDataSet;
class TField;

namespace vt {

// The picker lists every description of the table and shows the description of the person's
// code, or nothing when the code is null or not in the table.
void FillPicker(TDataSet* table, TComboBox* picker, const char* descriptionColumn, const char* codeColumn,
                TField* personCode);

// The code of the row whose description is the picker's text goes into the person's code; a text
// that matches no row writes an empty code.
void PickCode(TDataSet* table, TComboBox* picker, const char* descriptionColumn, const char* codeColumn,
              TField* personCode);

// The descriptions of the current session's types, the first one chosen; Sign Up and Remove are
// enabled only when the session has types.
void FillSessionTypes(TComboBox* types, TControl* signUp, TControl* remove);

}  // namespace vt
