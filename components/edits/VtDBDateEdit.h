// The data-aware date edit: shows one date field in the date edit's layout, puts the dataset
// into edit mode when the user starts to change it, writes the date back keeping the field's
// time of day, and leaves the field null for an empty text.
#pragma once

#include "components/edits/ToolEditDate.h"
#include "db/DataSource.h"

class TDBDateEdit : public TCustomDateEdit {
public:
    explicit TDBDateEdit(TComponent* AOwner);
    ~TDBDateEdit() override;

    String DataField() const { return FDataLink->FieldName(); }
    void SetDataField(const String& Value) { FDataLink->SetFieldName(Value); }
    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    TField* Field() const { return FDataLink->Field(); }
    // An action goes to the edit first, then through the data link to the field's data source.
    bool ExecuteAction(TBasicAction* Action) override
    {
        return TCustomDateEdit::ExecuteAction(Action) || FDataLink->ExecuteAction(Action);
    }
    bool UpdateAction(TBasicAction* Action) override
    {
        return TCustomDateEdit::UpdateAction(Action) || FDataLink->UpdateAction(Action);
    }
    void SetReadOnly(bool Value) override { FDataLink->SetReadOnly(Value); }
    void UpdateMask() override;

    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool EditCanModify() override;
    bool GetReadOnly() const override { return FDataLink->ReadOnly(); }
    void AcceptValue(const Variant& Value) override;
    void ApplyDate(TDateTime Value) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;
    void CMExit(TMessage& Message) override;
    // Shows the field's stored value again and selects it.
    void ResetField();

private:
    // The text a copy for a data grid shows: the field's date, or the empty layout.
    String PaintCopyText() const;
    void DataChange(TObject* Sender);
    void EditingChange(TObject* Sender);
    void UpdateData(TObject* Sender);
    void AfterPopup(TObject* Sender, TDateTime& ADate, bool& Action);
    // The field's time of day, kept when a new date is written.
    double FieldTimeOfDay() const;

    TFieldDataLink* FDataLink;
};
