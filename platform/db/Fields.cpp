// Field classes: one conversion path per storage kind (text, integer, float, currency, date,
// yes/no) between the row store's cells and the typed getters, setters and text forms.
#include "db/Fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "db/DataSet.h"
#include "db/RowSet.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"

namespace {

enum class Storage { Text, Integer, Float, Money, DateTime, Boolean };

Storage StorageOf(TFieldType type) {
  switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftLargeint: case ftAutoInc:
      return Storage::Integer;
    case ftFloat:
      return Storage::Float;
    case ftCurrency: case ftBCD:
      return Storage::Money;
    case ftDate: case ftTime: case ftDateTime:
      return Storage::DateTime;
    case ftBoolean:
      return Storage::Boolean;
    default:
      return Storage::Text;
  }
}

const char* const kTrueText = "True";
const char* const kFalseText = "False";

double CellNumber(const vt::RowSet& rows, const vt::Cell& cell) {
  switch (cell.type) {
    case vt::CellType::Integer: return double(cell.integer);
    case vt::CellType::Float: return cell.real;
    case vt::CellType::Text: return std::strtod(String(rows.Text(cell)).c_str(), nullptr);
    default: return 0;
  }
}

// Digits at text[at, at + count) as a number; false unless every one is a digit.
bool ReadDigits(std::string_view text, size_t at, size_t count, Word& number) {
  if (at + count > text.size()) return false;
  number = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    number = Word(number * 10 + (text[i] - '0'));
  }
  return true;
}

// "YYYY-MM-DD", then optionally " HH:MM", ":SS" and ".fff" (or "T" for the blank, "Z" at the
// end), as the sqlite3 shell, spreadsheets and SQLite's own date functions write dates.
bool TryIsoDateTime(std::string_view text, TDateTime& value) {
  Word year, month, day, hour = 0, minute = 0, second = 0;
  if (!ReadDigits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !ReadDigits(text, 5, 2, month) ||
      text[7] != '-' || !ReadDigits(text, 8, 2, day))
    return false;
  size_t at = 10;
  double fraction = 0;
  if (at < text.size() && (text[at] == ' ' || text[at] == 'T')) {
    if (!ReadDigits(text, at + 1, 2, hour) || at + 3 >= text.size() || text[at + 3] != ':' ||
        !ReadDigits(text, at + 4, 2, minute))
      return false;
    at += 6;
    if (at < text.size() && text[at] == ':') {
      if (!ReadDigits(text, at + 1, 2, second)) return false;
      at += 3;
      if (at < text.size() && text[at] == '.') {
        const size_t digits = text.find_first_not_of("0123456789", at + 1);
        const size_t end = digits == std::string_view::npos ? text.size() : digits;
        if (end == at + 1) return false;
        fraction = std::strtod(String(text.substr(at, end - at)).c_str(), nullptr);
        at = end;
      }
    }
  }
  if (at < text.size() && text[at] == 'Z') ++at;
  TDateTime date, time;
  if (at != text.size() || !TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, 0, time))
    return false;
  time += fraction / 86400.0;
  value = date >= 0 ? date + time : date - time;  // before 1899-12-30 the time still counts forward
  return true;
}

// A date cell as the day number it stands for: numbers as they are, a text in ISO form (or one
// that is a whole number) as that date; false for a text that is no date.
bool TryCellDate(const vt::RowSet& rows, const vt::Cell& cell, TDateTime& value) {
  if (cell.type == vt::CellType::Integer) value = double(cell.integer);
  else if (cell.type == vt::CellType::Float) value = cell.real;
  else if (cell.type != vt::CellType::Text) return false;
  else {
    const String text = Trim(String(rows.Text(cell)));
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') return TryIsoDateTime(text, value);
  }
  return std::isfinite(value);
}

// The day number of a cell that reads as a date; 0 for one that does not.
TDateTime CellDate(const vt::RowSet& rows, const vt::Cell& cell) {
  TDateTime value = 0;
  return TryCellDate(rows, cell, value) ? value : 0;
}

std::int64_t CellInteger(const vt::RowSet& rows, const vt::Cell& cell) {
  if (cell.type == vt::CellType::Integer) return cell.integer;
  return std::llround(CellNumber(rows, cell));
}

// Cuts text to at most size characters (UTF-8 sequences kept whole), as a sized column holds.
String FitToSize(const String& text, int size) {
  if (size <= 0) return text;
  int characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == size)
      return text.substr(0, i);
  }
  return text;
}

}  // namespace

struct TField::CellRead {
  const vt::RowSet* rows = nullptr;
  const vt::Cell* cell = nullptr;
  bool Null() const { return !cell || cell->type == vt::CellType::Null; }
};

TField::TField(TComponent* AOwner, TFieldType dataType) : TComponent(AOwner), dataType_(dataType) {
  Storage storage = StorageOf(dataType);
  if (storage == Storage::Integer || storage == Storage::Float || storage == Storage::Money)
    alignment_ = taRightJustify;
}

TField::~TField() {
  if (dataSet_) dataSet_->fields_->Remove(this);
}

void TField::SetDataSet(TDataSet* value) {
  if (value == dataSet_) return;
  if (value && value->Active())
    value->DatabaseError("Cannot perform this operation on an open dataset");
  if (dataSet_) dataSet_->fields_->Remove(this);
  column_ = -1;
  dataSet_ = value;
  if (dataSet_) dataSet_->fields_->Add(this);
}

int TField::Index() const { return dataSet_ ? dataSet_->fields_->IndexOf(this) : -1; }

void TField::SetIndex(int value) {
  if (!dataSet_) return;
  dataSet_->fields_->Move(this, value);
  LayoutChanged();
}

void TField::SetDisplayWidth(int value) {
  if (value == displayWidth_) return;
  displayWidth_ = value;
  LayoutChanged();
}

void TField::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  LayoutChanged();
}

void TField::LayoutChanged() {
  if (dataSet_) dataSet_->DataEvent(deLayoutChange);
}

TField::CellRead TField::Read() const {
  CellRead read = StoredCell();
  return read.Null() || Unreadable(*read.rows, *read.cell) ? CellRead{} : read;
}

TField::CellRead TField::StoredCell() const {
  if (!dataSet_ || column_ < 0) return {};
  TDataSet::RecordRef record = dataSet_->ActiveRecord();
  if (!record.rows) return {};
  return {record.rows, &record.rows->At(record.slot, column_)};
}

bool TField::Unreadable(const vt::RowSet& rows, const vt::Cell& cell) const {
  TDateTime date;
  return StorageOf(dataType_) == Storage::DateTime && cell.type == vt::CellType::Text && !TryCellDate(rows, cell, date);
}

bool TField::IsUnreadable() const {
  CellRead read = StoredCell();
  return !read.Null() && Unreadable(*read.rows, *read.cell);
}

template <typename Store>
void TField::Write(Store store) {
  if (!dataSet_) throw EDatabaseError("Field '" + DisplayName() + "' has no dataset");
  int slot;
  vt::RowSet* rows = dataSet_->WritableRecord(this, slot);
  vt::Cell previous = rows->At(slot, column_);
  store(*rows, slot, column_);
  if (OnValidate) {
    try {
      OnValidate(this);
    } catch (...) {
      rows->Restore(slot, column_, previous);
      throw;
    }
  }
  dataSet_->WriteCell(this);
}

bool TField::IsNull() const { return Read().Null(); }

void TField::Clear() {
  Write([](vt::RowSet& rows, int slot, int column) { rows.SetNull(slot, column); });
}

Variant TField::ValueOf(const vt::RowSet& rows, const vt::Cell& cell) const {
  if (cell.type == vt::CellType::Null || Unreadable(rows, cell)) return Variant::Null();
  switch (StorageOf(dataType_)) {
    case Storage::Text:
      return Variant(String(rows.Text(cell)));
    case Storage::Integer:
      return Variant(CellInteger(rows, cell));
    case Storage::Float:
      return Variant(CellNumber(rows, cell));
    case Storage::Money:
      return Variant(CellCurrency(rows, cell).ToDouble());
    case Storage::DateTime:
      return Variant::FromDate(CellDate(rows, cell));
    case Storage::Boolean:
      return Variant(CellNumber(rows, cell) != 0);
  }
  return Variant::Null();
}

Variant TField::Value() const {
  CellRead read = Read();
  return read.Null() ? Variant::Null() : ValueOf(*read.rows, *read.cell);
}

void TField::SetValue(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return Clear();
  switch (StorageOf(dataType_)) {
    case Storage::Text: return SetAsString(value.AsString());
    case Storage::Integer: return SetAsFloat(double(value.AsInt64()));
    case Storage::Float: case Storage::Money: return SetAsFloat(value.AsDouble());
    case Storage::DateTime: return SetAsDateTime(value.AsDateTime());
    case Storage::Boolean: return SetAsBoolean(value.AsBoolean());
  }
}

String TField::AsString() const {
  CellRead read = Read();
  if (read.Null()) return "";
  switch (StorageOf(dataType_)) {
    case Storage::Text: return String(read.rows->Text(*read.cell));
    case Storage::Integer: return IntToStr(CellInteger(*read.rows, *read.cell));
    case Storage::Float: return FloatToStr(CellNumber(*read.rows, *read.cell));
    case Storage::Money: return CurrToStr(CellCurrency(*read.rows, *read.cell));
    case Storage::DateTime: return DateTimeText(CellDate(*read.rows, *read.cell), false);
    case Storage::Boolean: return CellNumber(*read.rows, *read.cell) != 0 ? kTrueText : kFalseText;
  }
  return "";
}

void TField::SetAsString(const String& value) {
  Storage storage = StorageOf(dataType_);
  if (storage == Storage::Text) {
    String text = FitToSize(value, size_);
    return Write([&](vt::RowSet& rows, int slot, int column) { rows.SetText(slot, column, text); });
  }
  String trimmed = Trim(value);
  if (trimmed.empty()) return Clear();
  switch (storage) {
    case Storage::Integer: {
      std::int64_t number;
      if (!TryStrToInt64(trimmed, number)) ConversionError(value, "integer");
      return SetAsFloat(double(number));
    }
    case Storage::Float: {
      double number;
      if (!TryStrToFloat(trimmed, number)) ConversionError(value, "floating point");
      return SetAsFloat(number);
    }
    case Storage::Money: {
      ::Currency amount;
      if (TryStrToCurr(trimmed, amount)) return SetAsCurrency(amount);
      double number;
      if (!TryStrToFloat(trimmed, number)) ConversionError(value, "currency");
      return SetAsFloat(number);  // a number beyond the range: its range error
    }
    case Storage::DateTime:
      if (dataType_ == ftDate) return SetAsDateTime(StrToDate(trimmed));
      if (dataType_ == ftTime) return SetAsDateTime(StrToTime(trimmed));
      return SetAsDateTime(StrToDateTime(trimmed));
    case Storage::Boolean: {
      String falseText = Copy(kFalseText, 1, int(trimmed.size()));
      String trueText = Copy(kTrueText, 1, int(trimmed.size()));
      if (AnsiSameText(trimmed, falseText)) return SetAsBoolean(false);
      if (AnsiSameText(trimmed, trueText)) return SetAsBoolean(true);
      ConversionError(value, "boolean");
    }
    default:
      return;
  }
}

int TField::AsInteger() const {
  CellRead read = Read();
  if (read.Null()) return 0;
  if (StorageOf(dataType_) == Storage::Text) return StrToInt(AsString());
  return int(CellInteger(*read.rows, *read.cell));
}

void TField::SetAsInteger(int value) { SetAsFloat(value); }

double TField::AsFloat() const {
  CellRead read = Read();
  if (read.Null()) return 0;
  if (StorageOf(dataType_) == Storage::Text) return double(StrToFloat(AsString()));
  if (StorageOf(dataType_) == Storage::Money) return CellCurrency(*read.rows, *read.cell).ToDouble();
  if (StorageOf(dataType_) == Storage::DateTime) return CellDate(*read.rows, *read.cell);
  return CellNumber(*read.rows, *read.cell);
}

Currency TField::AsCurrency() const {
  CellRead read = Read();
  if (read.Null()) return ::Currency();
  if (StorageOf(dataType_) == Storage::Money) return CellCurrency(*read.rows, *read.cell);
  return FloatToCurr(AsFloat());
}

void TField::SetAsCurrency(::Currency value) {
  if (StorageOf(dataType_) != Storage::Money) return SetAsFloat(value.ToDouble());
  const double number = value.ToDouble();
  CheckRange(number);
  Write([=](vt::RowSet& rows, int slot, int column) { rows.SetFloat(slot, column, number); });
}

// A stored value is read as the whole 1/10,000s it stands for: binary drift written by other
// programs (or earlier versions) reads rounded away.
Currency TField::CellCurrency(const vt::RowSet& rows, const vt::Cell& cell) const {
  const long double number = cell.type == vt::CellType::Integer ? static_cast<long double>(cell.integer)
                                                                 : static_cast<long double>(CellNumber(rows, cell));
  ::Currency value;
  if (!TryFloatToCurr(number, value))
    throw EDatabaseError("The value " + FloatToStr(number) + " of field '" + DisplayName() +
                         "' is outside the currency range of " + CurrencyRangeText());
  return value;
}

// Every numeric setter ends here: the value is stored in the form of the field's storage.
void TField::SetAsFloat(double value) {
  switch (StorageOf(dataType_)) {
    case Storage::Text:
      return SetAsString(FloatToStr(value));
    case Storage::Integer: {
      CheckRange(value);
      CheckIntegerRange(value);
      std::int64_t number = std::llround(value);
      return Write([=](vt::RowSet& rows, int slot, int column) { rows.SetInteger(slot, column, number); });
    }
    case Storage::Money: {
      ::Currency amount;
      if (!TryFloatToCurr(value, amount)) RangeError(FloatToStr(value), CurrToStr(::Currency::Min()), CurrToStr(::Currency::Max()));
      return SetAsCurrency(amount);
    }
    case Storage::Float:
      CheckRange(value);
      [[fallthrough]];
    case Storage::DateTime:
      return Write([=](vt::RowSet& rows, int slot, int column) { rows.SetFloat(slot, column, value); });
    case Storage::Boolean:
      return SetAsBoolean(value != 0);
  }
}

TDateTime TField::AsDateTime() const {
  CellRead read = Read();
  if (read.Null()) return 0;
  if (StorageOf(dataType_) == Storage::Text) return StrToDateTime(AsString());
  if (StorageOf(dataType_) == Storage::DateTime) return CellDate(*read.rows, *read.cell);
  return CellNumber(*read.rows, *read.cell);
}

void TField::SetAsDateTime(TDateTime value) {
  if (StorageOf(dataType_) == Storage::Text) return SetAsString(DateTimeToStr(value));
  SetAsFloat(value);
}

bool TField::AsBoolean() const {
  CellRead read = Read();
  if (read.Null()) return false;
  if (StorageOf(dataType_) == Storage::Text) return AnsiSameText(AsString(), kTrueText);
  return CellNumber(*read.rows, *read.cell) != 0;
}

void TField::SetAsBoolean(bool value) {
  switch (StorageOf(dataType_)) {
    case Storage::Text:
      return SetAsString(value ? kTrueText : kFalseText);
    case Storage::Boolean:
      return Write([=](vt::RowSet& rows, int slot, int column) {
        rows.SetInteger(slot, column, value ? -1 : 0);
      });
    default:
      return SetAsFloat(value ? -1 : 0);
  }
}

String TField::GetText(bool displayText) const {
  CellRead read = Read();
  if (read.Null()) return "";
  switch (StorageOf(dataType_)) {
    case Storage::Integer: {
      const String& format = displayText ? displayFormat_ : editFormat_;
      std::int64_t value = CellInteger(*read.rows, *read.cell);
      return format.empty() ? IntToStr(value) : FormatFloat(format, value);
    }
    case Storage::Float: return FloatText(CellNumber(*read.rows, *read.cell), displayText);
    case Storage::Money: return FloatText(CellCurrency(*read.rows, *read.cell).ToExtended(), displayText);
    case Storage::DateTime: return DateTimeText(CellDate(*read.rows, *read.cell), displayText);
    default: return AsString();
  }
}

String TField::FloatText(long double value, bool displayText) const {
  const String& format = displayText ? displayFormat_ : editFormat_;
  if (!format.empty()) return FormatFloat(format, value);
  if (!currency_) return FloatToStrF(value, ffGeneral, precision_, 0);
  return FloatToStrF(value, displayText ? ffCurrency : ffFixed, precision_, Locale().CurrencyDecimals);
}

String TField::DateTimeText(TDateTime value, bool displayText) const {
  if (displayText && !displayFormat_.empty()) return FormatDateTime(displayFormat_, value);
  if (dataType_ == ftDate) return DateToStr(value);
  if (dataType_ == ftTime) return TimeToStr(value);
  return DateTimeToStr(value);
}

void TField::CheckRange(double value) const {
  if ((minValue_ != 0 || maxValue_ != 0) && (value < minValue_ || value > maxValue_))
    RangeError(FloatToStr(value), FloatToStr(minValue_), FloatToStr(maxValue_));
}

// What the column's integer type holds, checked on the value as it will be stored (rounded):
// never a wrapped number.
void TField::CheckIntegerRange(double value) const {
  std::int64_t lowest = INT32_MIN, highest = INT32_MAX;
  if (dataType_ == ftSmallint) lowest = INT16_MIN, highest = INT16_MAX;
  if (dataType_ == ftWord) lowest = 0, highest = UINT16_MAX;
  if (dataType_ == ftLargeint) lowest = INT64_MIN, highest = INT64_MAX;
  const double rounded = std::round(value);
  // 2^63 is the first double past the 64-bit range; the 32-bit bounds are exact doubles.
  const bool inRange = dataType_ == ftLargeint ? rounded >= -0x1p63 && rounded < 0x1p63
                                               : rounded >= double(lowest) && rounded <= double(highest);
  if (!inRange) RangeError(FloatToStr(value), IntToStr(lowest), IntToStr(highest));
}

void TField::RangeError(const String& value, const String& lowest, const String& highest) const {
  throw EDatabaseError(value + " is not a valid value for field '" + DisplayName() + "'. The allowed range is " +
                       lowest + " to " + highest);
}

void TField::ConversionError(const String& value, const char* kind) const {
  throw EDatabaseError("'" + value + "' is not a valid " + kind + " value for field '" +
                       DisplayName() + "'");
}

int TField::DisplayWidth() const {
  if (displayWidth_ > 0) return displayWidth_;
  switch (dataType_) {
    case ftString: case ftWideString: return size_ > 0 ? size_ : 255;
    case ftBoolean: return 5;
    case ftDateTime: return 18;
    default: return 10;
  }
}

bool TField::CanModify() const {
  return !readOnly_ && fieldKind_ == fkData && dataSet_ && dataSet_->CanModify();
}

bool TField::IsValidChar(char) const { return true; }

void TField::FocusControl() {
  if (!dataSet_) return;
  TField* field = this;
  dataSet_->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&field));
}

TStringField::TStringField(TComponent* AOwner) : TField(AOwner, ftString) { SetSize(20); }
TStringField::TStringField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}
TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner, ftWideString) {
  SetSize(255);
}

TNumericField::TNumericField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}

bool TNumericField::IsValidChar(char c) const {
  if ((c >= '0' && c <= '9') || c == '+' || c == '-') return true;
  bool floating = StorageOf(DataType()) == Storage::Float || StorageOf(DataType()) == Storage::Money;
  return floating && (String(1, c) == Locale().DecimalSeparator || c == 'E' || c == 'e');
}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner, ftInteger) {}
TIntegerField::TIntegerField(TComponent* AOwner, TFieldType dataType) : TNumericField(AOwner, dataType) {}
TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner, ftSmallint) {}
TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner, ftWord) {}
TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner, ftAutoInc) { SetReadOnly(true); }
TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner, ftLargeint) {}
TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner, ftFloat) {}
TFloatField::TFloatField(TComponent* AOwner, TFieldType dataType) : TNumericField(AOwner, dataType) {}
TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner, ftCurrency) { SetCurrency(true); }
TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner, ftBCD) {}
TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner, ftBoolean) {}
TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner, ftDateTime) {}
TDateTimeField::TDateTimeField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}
TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner, ftDate) {}
TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftTime) {}
TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner, ftBlob) {}
TBlobField::TBlobField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}
TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner, ftMemo) {}

TField* TFields::Fields(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return list_[index];
}

int TFields::IndexOf(const TField* field) const {
  auto found = std::find(list_.begin(), list_.end(), field);
  return found == list_.end() ? -1 : int(found - list_.begin());
}

// Names of another length never match (case folding keeps the length), which spares the
// case-folded copies for nearly every field: rows are walked with FieldByName per row.
TField* TFields::FindField(const String& name) const {
  for (TField* field : list_)
    if (field->FieldName().size() == name.size() && SameText(field->FieldName(), name)) return field;
  return nullptr;
}

TField* TFields::FieldByName(const String& name) const {
  TField* field = FindField(name);
  if (!field) dataSet_->DatabaseError("Field '" + name + "' not found");
  return field;
}

void TFields::Remove(TField* field) {
  auto found = std::find(list_.begin(), list_.end(), field);
  if (found != list_.end()) list_.erase(found);
}

void TFields::Move(TField* field, int index) {
  Remove(field);
  index = std::clamp(index, 0, Count());
  list_.insert(list_.begin() + index, field);
}

namespace vt {

TField* CreateField(TFieldType type, TComponent* owner) {
  switch (type) {
    case ftString: return new TStringField(owner);
    case ftSmallint: return new TSmallintField(owner);
    case ftInteger: return new TIntegerField(owner);
    case ftWord: return new TWordField(owner);
    case ftLargeint: return new TLargeintField(owner);
    case ftAutoInc: return new TAutoIncField(owner);
    case ftBoolean: return new TBooleanField(owner);
    case ftFloat: return new TFloatField(owner);
    case ftCurrency: return new TCurrencyField(owner);
    case ftBCD: return new TBCDField(owner);
    case ftDate: return new TDateField(owner);
    case ftTime: return new TTimeField(owner);
    case ftDateTime: return new TDateTimeField(owner);
    case ftMemo: return new TMemoField(owner);
    case ftBlob: return new TBlobField(owner);
    default: return new TWideStringField(owner);
  }
}

TFieldType FieldTypeOfDeclaration(const String& declaration, bool autoIncrement, int& size) {
  String type = UpperCase(Trim(declaration));
  size = 0;
  if (autoIncrement || type == "COUNTER" || type.find("AUTOINCREMENT") != String::npos) return ftAutoInc;
  String base = Trim(type.substr(0, type.find('(')));
  if (base == "YESNO" || base == "BIT" || base == "BOOLEAN") return ftBoolean;
  if (base == "DATETIME" || base == "DATE") return ftDateTime;
  if (base == "CURRENCY" || base == "MONEY") return ftCurrency;
  if (base == "DOUBLE" || base == "REAL" || base == "FLOAT") return ftFloat;
  if (base == "INTEGER" || base == "INT" || base == "LONG" || base == "SMALLINT" || base == "BIGINT")
    return ftInteger;
  if (base == "MEMO" || base == "LONGTEXT") return ftMemo;
  if (base == "BLOB") return ftBlob;
  // TEXT(n), VARCHAR(n) and unknown names are texts; without a width they hold 255.
  size_t open = type.find('(');
  size = open == String::npos ? 255 : StrToIntDef(Trim(type.substr(open + 1, type.find(')') - open - 1)), 255);
  return ftWideString;
}

bool IsTextType(TFieldType type) {
  return type == ftString || type == ftWideString || type == ftMemo || type == ftBlob;
}

}  // namespace vt
