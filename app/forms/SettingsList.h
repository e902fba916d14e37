// One default list of the company editor: its table, the entry panel with an add set of plain
// edits (not bound) and an edit set bound to the table, and the Add, Edit, Save and Delete
// commands with the list's own messages.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

class TADOTable;
class TBitBtn;
class TControl;
class TWinControl;
struct TPendingEdit;

namespace vt {

struct SettingsListTexts {
  const char* Duplicate;
  const char* DeleteQuestion;
  const char* FailedSave;    // a Post refused in edit mode
  const char* OtherFailure;  // anything else that fails while a new row is saved
};

class SettingsList {
public:
  struct Entry {
    const char* Field;
    TWinControl* Control;  // a plain edit, a masked edit or a numeric edit (its value is taken)
    bool Required;
    bool ClearedOnAdd = true;
  };

  TADOTable* Table = nullptr;
  TBitBtn* AddButton = nullptr;
  TBitBtn* EditButton = nullptr;
  TBitBtn* SaveButton = nullptr;
  std::vector<Entry> AddSet;  // the first is the list's key
  std::vector<TWinControl*> EditSet;
  std::vector<TControl*> Labels;
  SettingsListTexts Texts{};

  // The add set shown, cleared and focused; nothing is appended yet.
  void Add();
  // The edit set shown over the current row, which goes into Edit; an empty list is refused.
  void Edit();
  // Adding: required values, the duplicate check (letter case ignored, as the key's index
  // does), Append and Post. Editing: Post and back to the row. A save that fails shows the
  // list's message with the database's reason and the list as stored: the panel stays open
  // with what was typed, or closes when another copy of the program deleted the row.
  void Save();
  void Delete();
  // A pending edit is dropped and the panel hidden.
  void Close();

private:
  bool Adding() const;
  bool MissingRequired() const;
  void SaveNew();
  void SaveEdited();
  // After a refused edit: the list read again, back in Edit on the row with what was typed, where
  // the row is still stored.
  void ShowStored(const TPendingEdit& typed);
  void ShowPanel(bool adding);
  void HidePanel();
};

}  // namespace vt
