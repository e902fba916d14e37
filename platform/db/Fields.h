// The field classes of a dataset: typed access to the current record's column values, their
// text forms for display and editing, and the properties the data-aware controls read.
#pragma once

#include <functional>
#include <vector>

#include "rtl/Classes.h"
#include "rtl/Currency.h"
#include "rtl/DateTime.h"
#include "rtl/StrUtils.h"
#include "rtl/Variant.h"

class TDataSet;
namespace vt { struct Cell; class RowSet; }

enum TFieldType {
  ftUnknown, ftString, ftWideString, ftSmallint, ftInteger, ftWord, ftLargeint, ftAutoInc,
  ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftMemo, ftBlob
};

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

class TField;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;

class TField : public TComponent {
 public:
  ~TField() override;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* value);
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& value) { fieldName_ = value; }
  TFieldType DataType() const { return dataType_; }
  TFieldKind FieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind value) { fieldKind_ = value; }
  bool Calculated() const { return fieldKind_ != fkData; }
  int FieldNo() const { return fieldKind_ == fkData ? column_ + 1 : 0; }
  int Index() const;
  void SetIndex(int value);
  int Size() const { return size_; }
  void SetSize(int value) { size_ = value; }

  // A value that the field cannot read (a text in a date column that is no date) is null to
  // it; IsUnreadable tells such a value from an empty one.
  bool IsNull() const;
  bool IsUnreadable() const;
  void Clear();
  Variant Value() const;
  void SetValue(const Variant& value);
  String AsString() const;
  void SetAsString(const String& value);
  int AsInteger() const;
  void SetAsInteger(int value);
  double AsFloat() const;
  void SetAsFloat(double value);
  // Currency fields hold whole 1/10,000s: every write is rounded to one, every read gives one.
  ::Currency AsCurrency() const;
  void SetAsCurrency(::Currency value);
  TDateTime AsDateTime() const;
  void SetAsDateTime(TDateTime value);
  bool AsBoolean() const;
  void SetAsBoolean(bool value);

  String Text() const { return GetText(false); }
  void SetText(const String& value) { SetAsString(value); }
  String EditText() const { return GetText(false); }
  void SetEditText(const String& value) { SetAsString(value); }
  String DisplayText() const { return GetText(true); }

  const String& EditMask() const { return editMask_; }
  void SetEditMask(const String& value) { editMask_ = value; }
  const String& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const String& value) { displayFormat_ = value; }
  const String& EditFormat() const { return editFormat_; }
  void SetEditFormat(const String& value) { editFormat_ = value; }
  int DisplayWidth() const;
  // Both re-lay out the grids that show the field's columns by default.
  void SetDisplayWidth(int value);
  String DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
  void SetDisplayLabel(const String& value) { displayLabel_ = value; }
  String DisplayName() const { return DisplayLabel(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value) { alignment_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool Required() const { return required_; }
  void SetRequired(bool value) { required_ = value; }
  bool CanModify() const;
  virtual bool IsValidChar(char c) const;

  // Numeric fields: range checked on write when either bound is non-zero; integer fields also
  // refuse what their type cannot hold.
  double MinValue() const { return minValue_; }
  void SetMinValue(double value) { minValue_ = value; }
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double value) { maxValue_ = value; }
  // Float fields: significant digits of the text form; money format when Currency is on.
  int Precision() const { return precision_; }
  void SetPrecision(int value) { precision_ = value; }
  bool Currency() const { return currency_; }
  void SetCurrency(bool value) { currency_ = value; }

  // Asks the control bound to this field to take the focus.
  void FocusControl();

  // The value this field reads from a cell of a row store (its type's conversion).
  Variant ValueOf(const vt::RowSet& rows, const vt::Cell& cell) const;

  TFieldNotifyEvent OnChange;
  TFieldNotifyEvent OnValidate;

 protected:
  TField(TComponent* AOwner, TFieldType dataType);
  virtual String GetText(bool displayText) const;

 private:
  friend class TDataSet;
  friend class TFields;

  struct CellRead;
  CellRead Read() const;  // the cell as the field reads it: an unreadable one as null
  CellRead StoredCell() const;
  bool Unreadable(const vt::RowSet& rows, const vt::Cell& cell) const;
  // Tells the data set's links that its columns changed.
  void LayoutChanged();
  template <typename Store> void Write(Store store);
  void CheckRange(double value) const;
  void CheckIntegerRange(double value) const;
  [[noreturn]] void RangeError(const String& value, const String& lowest, const String& highest) const;
  ::Currency CellCurrency(const vt::RowSet& rows, const vt::Cell& cell) const;
  [[noreturn]] void ConversionError(const String& value, const char* kind) const;
  String FloatText(long double value, bool displayText) const;
  String DateTimeText(TDateTime value, bool displayText) const;

  TDataSet* dataSet_ = nullptr;
  String fieldName_;
  TFieldType dataType_;
  TFieldKind fieldKind_ = fkData;
  int column_ = -1;  // in the dataset's row store; -1 while not bound
  int size_ = 0;
  String editMask_, displayFormat_, editFormat_, displayLabel_;
  int displayWidth_ = 0;  // 0: the default of the type
  TAlignment alignment_ = taLeftJustify;
  bool visible_ = true;
  bool readOnly_ = false;
  bool required_ = false;
  double minValue_ = 0, maxValue_ = 0;
  int precision_ = 15;
  bool currency_ = false;
};

class TStringField : public TField {
 public:
  explicit TStringField(TComponent* AOwner);
 protected:
  TStringField(TComponent* AOwner, TFieldType dataType);
};

class TWideStringField : public TStringField {
 public:
  explicit TWideStringField(TComponent* AOwner);
};

class TNumericField : public TField {
 public:
  bool IsValidChar(char c) const override;
 protected:
  TNumericField(TComponent* AOwner, TFieldType dataType);
};

class TIntegerField : public TNumericField {
 public:
  explicit TIntegerField(TComponent* AOwner);
 protected:
  TIntegerField(TComponent* AOwner, TFieldType dataType);
};

class TSmallintField : public TIntegerField {
 public:
  explicit TSmallintField(TComponent* AOwner);
};

class TWordField : public TIntegerField {
 public:
  explicit TWordField(TComponent* AOwner);
};

// The database assigns it on insert; it cannot be written.
class TAutoIncField : public TIntegerField {
 public:
  explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TNumericField {
 public:
  explicit TLargeintField(TComponent* AOwner);
};

class TFloatField : public TNumericField {
 public:
  explicit TFloatField(TComponent* AOwner);
 protected:
  TFloatField(TComponent* AOwner, TFieldType dataType);
};

class TCurrencyField : public TFloatField {
 public:
  explicit TCurrencyField(TComponent* AOwner);
};

class TBCDField : public TNumericField {
 public:
  explicit TBCDField(TComponent* AOwner);
};

// Stored as -1/0; any non-zero value reads true.
class TBooleanField : public TField {
 public:
  explicit TBooleanField(TComponent* AOwner);
};

// A REAL day number since 1899-12-30; the fraction is the time of day.
class TDateTimeField : public TField {
 public:
  explicit TDateTimeField(TComponent* AOwner);
 protected:
  TDateTimeField(TComponent* AOwner, TFieldType dataType);
};

class TDateField : public TDateTimeField {
 public:
  explicit TDateField(TComponent* AOwner);
};

class TTimeField : public TDateTimeField {
 public:
  explicit TTimeField(TComponent* AOwner);
};

class TBlobField : public TField {
 public:
  explicit TBlobField(TComponent* AOwner);
 protected:
  TBlobField(TComponent* AOwner, TFieldType dataType);
};

class TMemoField : public TBlobField {
 public:
  explicit TMemoField(TComponent* AOwner);
};

// The fields of one dataset, in their order.
class TFields {
 public:
  explicit TFields(TDataSet* dataSet) : dataSet_(dataSet) {}
  int Count() const { return int(list_.size()); }
  TField* Fields(int index) const;
  TField* operator[](int index) const { return Fields(index); }
  int IndexOf(const TField* field) const;
  TField* FindField(const String& name) const;  // letter case ignored; nullptr when missing
  TField* FieldByName(const String& name) const;

 private:
  friend class TField;
  friend class TDataSet;
  void Add(TField* field) { list_.push_back(field); }
  void Remove(TField* field);
  void Move(TField* field, int index);

  TDataSet* dataSet_;
  std::vector<TField*> list_;
};

namespace vt {
// The field class for a column type, owned by owner (nullptr: freed by its dataset).
TField* CreateField(TFieldType type, TComponent* owner);
// The one mapping from a column's declared type to a field type (and a text's width in size).
TFieldType FieldTypeOfDeclaration(const String& declaration, bool autoIncrement, int& size);
// Whether values of the type compare as text (Locate, filters) rather than as numbers or dates.
bool IsTextType(TFieldType type);
}  // namespace vt
