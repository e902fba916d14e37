// The data-aware controls: an edit, a memo, a check box and a combo box, each bound to one field
// of a data source's dataset through a TFieldDataLink. Typing puts the dataset into Edit, the
// control is read-only while the dataset is not editable, and leaving it writes the field.
#pragma once

#include "db/DataSource.h"
#include "ui/controls/MaskEdit.h"
#include "ui/controls/StdCtrls.h"

namespace vt {

// What every data-aware control does with its field link: the DataSource and DataField
// properties, the link's call-backs, writing the field when the focus leaves (an exit whose
// write fails keeps the focus and raises), and the removal of the data source component.
template <class Base>
class FieldControl : public Base {
public:
    explicit FieldControl(TComponent* AOwner);
    ~FieldControl() override;

    const String& DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const String& Value) { FDataLink->SetFieldName(Value); }
    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    TField* Field() const { return FDataLink->Field(); }
    // The control's own read-only flag; the control is read-only also while the dataset is
    // not being edited.
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool Value) { FDataLink->SetReadOnly(Value); }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;

protected:
    // The link has a new record or field value to show.
    virtual void DataChange() = 0;
    // The link asks for the control's pending value (before a post, when the focus leaves).
    virtual void UpdateData() = 0;
    // The dataset started or stopped editing.
    virtual void EditingChange() {}
    // Selects the control's text: after Esc and after a refused exit, to show what is wrong.
    virtual void SelectText() {}

    // Whether the field takes a value now; puts the dataset into Edit when it can.
    bool CanEditField() { return FDataLink->Edit(); }
    bool FieldEditing() const { return FDataLink->Editing() && FDataLink->CanModify(); }
    // The user changed the shown text: the link writes it back on the next update.
    void FieldTextChanged();
    // The text shown without a field: the control's name while designing, else nothing.
    String TextWithoutField() const;
    // Keys of the text controls: Delete and Shift+Insert change the text, Esc drops the
    // pending text; typed characters (Enter too when it types) must be valid for the field.
    // A key that would change the text of a field that cannot take a value is dropped.
    void FieldKeyDown(WORD& Key, TShiftState Shift);
    void FieldKeyPress(char& Key, bool ReturnTypes);

    TFieldDataLink* FDataLink;
};

extern template class FieldControl<TCustomMaskEdit>;
extern template class FieldControl<TCustomMemo>;
extern template class FieldControl<TCustomCheckBox>;
extern template class FieldControl<TCustomComboBox>;

}  // namespace vt

// The edit shows the field's display text and, while it has the focus, its edit text, through
// the field's edit mask when it has one.
class TDBEdit : public vt::FieldControl<TCustomMaskEdit> {
public:
    explicit TDBEdit(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

protected:
    void DataChange() override;
    void UpdateData() override;
    void EditingChange() override;
    void SelectText() override { SelectAll(); }
    bool EditCanModify() override { return CanEditField(); }
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Reset() override;

private:
    bool FFocused = false;
};

class TDBMemo : public vt::FieldControl<TCustomMemo> {
public:
    explicit TDBMemo(TComponent* AOwner);

protected:
    void DataChange() override;
    void UpdateData() override;
    void EditingChange() override;
    void SelectText() override { SelectAll(); }
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
};

class TDBCheckBox : public vt::FieldControl<TCustomCheckBox> {
public:
    explicit TDBCheckBox(TComponent* AOwner);

    // Texts that stand for checked and unchecked in a field that is not boolean; several are
    // separated by ';' (any of them is recognised, the first one is written).
    const String& ValueChecked() const { return FValueChecked; }
    void SetValueChecked(const String& Value);
    const String& ValueUnchecked() const { return FValueUnchecked; }
    void SetValueUnchecked(const String& Value);

protected:
    void DataChange() override;
    void UpdateData() override;
    void Toggle() override;

private:
    TCheckBoxState StateOfField() const;

    String FValueChecked = "True";
    String FValueUnchecked = "False";
};

// Typing or picking an item writes the text into the field; a drop-down list shows the item
// whose text the field holds.
class TDBComboBox : public vt::FieldControl<TCustomComboBox> {
public:
    explicit TDBComboBox(TComponent* AOwner);

protected:
    void DataChange() override;
    void UpdateData() override;
    void SelectText() override { SelectAll(); }
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
};
