// Unit VtDBCtrl: the combo edits bound to one field: TVtDBCalcEdit for a numeric field and
// TVtDBComboEdit, the button edit for any field. The value flows field -> edit on every data
// change and edit -> field when the dataset posts; typing asks the dataset into Edit, and the
// edit is read-only while the dataset is not editing.
#pragma once

#include "components/edits/CurrEdit.h"
#include "db/DataSource.h"

class TVtDBCalcEdit : public TVtCustomCalcEdit {
public:
  explicit TVtDBCalcEdit(TComponent* AOwner);
  ~TVtDBCalcEdit() override;

  String DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const String& Value);
  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* Value);
  bool DefaultParams() const { return FDefaultParams; }
  void SetDefaultParams(bool Value);
  void SetReadOnly(bool Value) override { FDataLink->SetReadOnly(Value); }
  TField* Field() const { return FDataLink->Field(); }
  TFieldDataLink* DataLink() const { return FDataLink; }
  // An action goes to the edit first, then through the data link to the field's data source.
  bool ExecuteAction(TBasicAction* Action) override
  {
    return TVtCustomCalcEdit::ExecuteAction(Action) || FDataLink->ExecuteAction(Action);
  }
  bool UpdateAction(TBasicAction* Action) override
  {
    return TVtCustomCalcEdit::UpdateAction(Action) || FDataLink->UpdateAction(Action);
  }

  String GetDisplayText() override;
  void WndProc(TMessage& Message) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool EditCanModify() override;
  void Reset() override;
  void AcceptValue(const Variant& Value) override;
  bool GetReadOnly() const override { return FDataLink->ReadOnly(); }
  bool IsValidChar(char Key) override;
  void UpdatePopup() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;

private:
  void UpdateFieldParams();
  void DataChange(TObject* Sender);
  void EditingChange(TObject* Sender);
  void UpdateFieldData(TObject* Sender);
  void ExitField(TMessage& Message);
  // The field's value as the edit holds it (integers and Booleans as whole numbers).
  long double FieldValue() const;

  TFieldDataLink* FDataLink;
  bool FDefaultParams = false;
};

class TVtDBComboEdit : public TCustomComboEdit {
public:
  explicit TVtDBComboEdit(TComponent* AOwner);
  ~TVtDBComboEdit() override;

  String DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const String& Value);
  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* Value);
  void SetReadOnly(bool Value) override { FDataLink->SetReadOnly(Value); }
  TField* Field() const { return FDataLink->Field(); }
  // An action goes to the edit first, then through the data link to the field's data source.
  bool ExecuteAction(TBasicAction* Action) override
  {
    return TCustomComboEdit::ExecuteAction(Action) || FDataLink->ExecuteAction(Action);
  }
  bool UpdateAction(TBasicAction* Action) override
  {
    return TCustomComboEdit::UpdateAction(Action) || FDataLink->UpdateAction(Action);
  }

  void WndProc(TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool EditCanModify() override { return FDataLink->Edit(); }
  void Reset() override;
  bool GetReadOnly() const override { return FDataLink->ReadOnly(); }
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  // A MaxLength taken from a string field goes back to 0 before another field is bound.
  void ResetMaxLength();
  void DataChange(TObject* Sender);
  void EditingChange(TObject* Sender);
  void UpdateFieldData(TObject* Sender);
  void ExitField(TMessage& Message);
  String PaintText() const;

  TFieldDataLink* FDataLink;
};
