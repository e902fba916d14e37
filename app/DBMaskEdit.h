// GDBMaskEdit: the program's data-aware masked edit. It shows one field of a dataset, puts the
// dataset into Edit on any key, and writes its text back into the field when the focus leaves.
#pragma once

#include "db/DataSource.h"
#include "ui/controls/MaskEdit.h"

class GDBMaskEdit : public TMaskEdit {
public:
  explicit GDBMaskEdit(TComponent* AOwner);
  ~GDBMaskEdit() override;

  String DataField() const { return GetDataField(); }
  void SetDataField(const String& Value);
  TDataSource* DataSource() const { return GetDataSource(); }
  void SetDataSource(TDataSource* Value);
  const String& FieldLabel() const { return FFieldLabel; }
  void SetFieldLabel(const String& Value);
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool Value) override;

  void WndProc(TMessage& Message) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  String GetDataField() const;
  TDataSource* GetDataSource() const;
  bool GetReadOnly() const;
  void DataChange(TObject* Sender);
  void UpdateData(TObject* Sender);
  void EditingChange(TObject* Sender);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void UpdateFocus(bool focused);

  String FFieldLabel;
  TFieldDataLink* FDataLink;
};
