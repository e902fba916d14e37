// The dataset engine: rows are fetched once into a RowSet; the cursor walks a vector of
// visible slots (fetched order, minus deleted rows, minus what the filter rejects); edits
// happen in a one-row buffer that Post writes through the subclass and copies back.
#include "db/DataSet.h"

#include <algorithm>

#include "db/DataSource.h"
#include "db/Filter.h"
#include "rtl/FloatFormat.h"

namespace {

const char* const kNotEditing = "Dataset not in edit or insert mode";

}  // namespace

std::vector<String> vt::SplitFieldNames(const String& names) {
  std::vector<String> out;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == String::npos) end = names.size();
    String name = Trim(names.substr(start, end - start));
    if (!name.empty()) out.push_back(name);
    start = end + 1;
  }
  return out;
}

// Points field reads at one row (being calculated or tested) for the guard's lifetime.
class TDataSet::RecordContext {
 public:
  RecordContext(RecordRef& context, TDataSetState& state, RecordRef record, TDataSetState tempState)
      : context_(context), state_(state), savedRecord_(context), savedState_(state) {
    context_ = record;
    state_ = tempState;
  }
  ~RecordContext() {
    context_ = savedRecord_;
    state_ = savedState_;
  }

 private:
  RecordRef& context_;
  TDataSetState& state_;
  RecordRef savedRecord_;
  TDataSetState savedState_;
};

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner), fields_(new TFields(this)) {}

TDataSet::~TDataSet() {
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->DataSetDestroyed();
  state_ = dsInactive;
  UnbindFields();
  for (TField* field : std::vector<TField*>(fields_->list_)) field->dataSet_ = nullptr;
}

void TDataSet::DatabaseError(const String& message) const {
  throw EDatabaseError(Name().empty() ? message : Name() + ": " + message);
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (openOnLoaded_) {
    openOnLoaded_ = false;
    Open();
  }
}

// ---- opening and closing ----

void TDataSet::SetActive(bool value) {
  if (value == Active()) return;
  if (value && ComponentState().Contains(csLoading)) {
    openOnLoaded_ = true;
    return;
  }
  if (value) {
    DoEvent(BeforeOpen);
    try {
      OpenCursor();
    } catch (...) {
      CloseCursor();
      throw;
    }
    SetState(dsBrowse);
    DoEvent(AfterOpen);
    if (!IsEmpty()) DoEvent(AfterScroll);
  } else {
    DoEvent(BeforeClose);
    SetState(dsInactive);  // a pending edit or insert is dropped here
    CloseCursor();
    DoEvent(AfterClose);
  }
}

void TDataSet::OpenCursor() {
  columns_.clear();
  InternalOpen(columns_);
  BindFields();
  ResetOrder();
}

// All fetched rows in fetched order, filtered, the cursor on the first.
void TDataSet::ResetOrder() {
  order_.resize(rows_.SlotCount());
  for (int slot = 0; slot < rows_.SlotCount(); ++slot) order_[slot] = slot;
  calculated_.assign(rows_.SlotCount(), 0);
  ApplyFilter();
  CursorToFirst();
}

// The cursor on the first visible row (none when there is none), at Bof.
void TDataSet::CursorToFirst() {
  cursor_ = visible_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = visible_.empty();
}

void TDataSet::CloseCursor() {
  InternalClose();
  UnbindFields();
  rows_.Reset(0);
  buffer_.Reset(0);
  order_.clear();
  visible_.clear();
  calculated_.clear();
  cursor_ = -1;
  bof_ = eof_ = true;
}

void TDataSet::Refetch() {
  if (!Active()) return;
  CheckBrowseMode();
  std::vector<ColumnInfo> columns;
  InternalOpen(columns);
  ResetOrder();
  DataEvent(deDataSetChange);
}

int TDataSet::CalcFieldCount() const {
  return int(std::count_if(fields_->list_.begin(), fields_->list_.end(),
                           [](const TField* field) { return field->Calculated(); }));
}

// Without persistent fields, one field per result column is made (and freed at close);
// with them, each data field finds its column by name and calculated ones follow the data.
void TDataSet::BindFields() {
  defaultFields_ = fields_->Count() == 0;
  if (defaultFields_) {
    for (const ColumnInfo& column : columns_) {
      TField* field = vt::CreateField(column.type, nullptr);
      field->SetFieldName(column.name);
      if (column.size > 0) field->SetSize(column.size);
      if (column.readOnly) field->SetReadOnly(true);
      field->dataSet_ = this;
      fields_->Add(field);
    }
  }
  int calcColumn = int(columns_.size());
  for (TField* field : fields_->list_) {
    if (field->Calculated()) {
      field->column_ = calcColumn++;
      continue;
    }
    auto found = std::find_if(columns_.begin(), columns_.end(), [&](const ColumnInfo& column) {
      return SameText(column.name, field->FieldName());
    });
    if (found == columns_.end()) DatabaseError("Field '" + field->FieldName() + "' not found");
    field->column_ = int(found - columns_.begin());
  }
}

void TDataSet::UnbindFields() {
  if (defaultFields_) {
    for (TField* field : std::vector<TField*>(fields_->list_)) delete field;
    defaultFields_ = false;
  }
  for (TField* field : fields_->list_) field->column_ = -1;
}

// ---- where field values live ----

TDataSet::RecordRef TDataSet::ActiveRecord() {
  switch (state_) {
    case dsInactive:
      return {};
    case dsCalcFields:
    case dsFilter:
      return context_;
    case dsEdit:
    case dsInsert:
      return {&buffer_, 0};
    default:
      if (cursor_ < 0) return {};
      EnsureCalculated(visible_[cursor_]);
      return {&rows_, visible_[cursor_]};
  }
}

vt::RowSet* TDataSet::WritableRecord(const TField* field, int& slot) {
  if (field->column_ < 0) CheckActive();
  if (state_ == dsCalcFields && field->Calculated()) {
    slot = context_.slot;
    return context_.rows;
  }
  if (state_ != dsEdit && state_ != dsInsert) DatabaseError(kNotEditing);
  if (field->ReadOnly() && !field->Calculated())
    throw EDatabaseError("Field '" + field->DisplayName() + "' cannot be modified");
  slot = 0;
  return &buffer_;
}

void TDataSet::WriteCell(TField* field) {
  if (state_ == dsCalcFields) return;
  if (!field->Calculated()) {
    modified_ = true;
    changed_[field->column_] = true;
    if (autoCalcFields_) CalculateFields(buffer_, 0);
  }
  DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
  if (field->OnChange) field->OnChange(field);
}

void TDataSet::CalculateFields(vt::RowSet& rows, int slot) {
  if (!OnCalcFields || CalcFieldCount() == 0) return;
  for (int column = int(columns_.size()); column < rows.ColumnCount(); ++column) rows.SetNull(slot, column);
  RecordContext context(context_, state_, {&rows, slot}, dsCalcFields);
  OnCalcFields(this);
}

void TDataSet::EnsureCalculated(int slot) {
  if (calculated_[slot]) return;
  calculated_[slot] = 1;
  CalculateFields(rows_, slot);
}

// ---- filtering ----

void TDataSet::ApplyFilter() {
  if (!filtered_ || Trim(filterText_).empty()) {
    visible_ = order_;
    return;
  }
  if (!filter_) filter_ = std::make_unique<vt::FilterExpression>(filterText_);
  filter_->Bind(*this);
  visible_.clear();
  for (int slot : order_)
    if (RowMatchesFilter(slot)) visible_.push_back(slot);
}

void TDataSet::Refilter() {
  CheckBrowseMode();
  ApplyFilter();
  CursorToFirst();
  DataEvent(deDataSetChange);
}

bool TDataSet::RowMatchesFilter(int slot) {
  EnsureCalculated(slot);
  RecordContext context(context_, state_, {&rows_, slot}, dsFilter);
  return filter_->Matches();
}

void TDataSet::SetFilter(const String& value) {
  if (value == filterText_) return;
  std::unique_ptr<vt::FilterExpression> parsed;
  if (!Trim(value).empty()) parsed = std::make_unique<vt::FilterExpression>(value);
  filterText_ = value;
  filter_ = std::move(parsed);
  if (Active() && filtered_) Refilter();
}

void TDataSet::SetFiltered(bool value) {
  if (value == filtered_) return;
  filtered_ = value;
  if (Active()) Refilter();
}

// ---- navigation ----

bool TDataSet::IsEmpty() const { return !Active() || (visible_.empty() && state_ != dsInsert); }

int TDataSet::RecordCount() const {
  CheckActive();
  return int(visible_.size());
}

int TDataSet::RecNo() const { return Active() ? cursor_ + 1 : 0; }

void TDataSet::SetRecNo(int value) {
  CheckBrowseMode();
  if (visible_.empty()) return;
  MoveTo(std::clamp(value, 1, int(visible_.size())) - 1);
}

void TDataSet::First() {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  CursorToFirst();
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  cursor_ = int(visible_.size()) - 1;
  bof_ = visible_.empty();
  eof_ = true;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  if (distance == 0) return 0;
  DoEvent(BeforeScroll);
  int count = int(visible_.size());
  int target = std::clamp(cursor_ + distance, 0, std::max(count - 1, 0));
  int moved = count == 0 ? 0 : target - cursor_;
  bof_ = count == 0 || (distance < 0 && moved != distance);
  eof_ = count == 0 || (distance > 0 && moved != distance);
  if (count > 0) cursor_ = target;
  if (moved != 0) DataEvent(deDataSetScroll, moved);
  DoEvent(AfterScroll);
  return moved;
}

void TDataSet::MoveTo(int position) {
  CheckBrowseMode();
  DoEvent(BeforeScroll);
  cursor_ = position;
  bof_ = eof_ = false;
  DataEvent(deDataSetChange);
  DoEvent(AfterScroll);
}

// Where a read of row recNo finds the field's value: the stored row's slot, kCurrentRow when
// the field's own current value stands for that row (edited, calculated or filtered), or -1
// when there is no such row.
int TDataSet::RowSlotAt(int recNo, const TField* field) {
  CheckActive();
  if (recNo < 1 || recNo > int(visible_.size()) || field->column_ < 0) return -1;
  if ((state_ == dsEdit && recNo - 1 == cursor_) || state_ == dsCalcFields || state_ == dsFilter)
    return kCurrentRow;
  int slot = visible_[recNo - 1];
  if (field->Calculated()) EnsureCalculated(slot);
  return slot;
}

Variant TDataSet::FieldValueAt(int recNo, TField* field) {
  int slot = RowSlotAt(recNo, field);
  if (slot == -1) return Variant::Null();
  if (slot == kCurrentRow) return field->Value();
  return field->ValueOf(rows_, rows_.At(slot, field->column_));
}

String TDataSet::DisplayTextAt(int recNo, TField* field) {
  int slot = RowSlotAt(recNo, field);
  if (slot == -1) return "";
  if (slot == kCurrentRow) return field->DisplayText();
  // The field formats its own value, read from that row for the guard's lifetime.
  RecordContext context(context_, state_, {&rows_, slot}, dsFilter);
  return field->DisplayText();
}

void TDataSet::ReadRowAt(int recNo, const std::function<void()>& read) {
  CheckActive();
  if (recNo < 1 || recNo > int(visible_.size())) return;
  if (recNo - 1 == cursor_ || state_ == dsCalcFields || state_ == dsFilter) {
    read();
    return;
  }
  const int slot = visible_[recNo - 1];
  EnsureCalculated(slot);
  RecordContext context(context_, state_, {&rows_, slot}, dsFilter);
  read();
}

TField* TDataSet::FieldByName(const String& name) const { return fields_->FieldByName(name); }

Variant TDataSet::FieldValues(const String& name) const { return FieldByName(name)->Value(); }

void TDataSet::SetFieldValues(const String& name, const Variant& value) {
  FieldByName(name)->SetValue(value);
}

// ---- editing ----

bool TDataSet::CanModify() const { return Active() && RowsWritable(); }

void TDataSet::SetState(TDataSetState value) {
  if (value == state_) return;
  state_ = value;
  modified_ = false;
  DataEvent(deUpdateState);
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  CheckActive();
  if (visible_.empty()) return Insert();
  CheckBrowseMode();
  if (!CanModify()) DatabaseError("Cannot modify a read-only dataset");
  DoEvent(BeforeEdit);
  int slot = visible_[cursor_];
  buffer_.Reset(rows_.ColumnCount());
  buffer_.AddSlot(rows_.Key(slot));
  buffer_.CopyRow(0, rows_, slot);
  buffer_.CopyRow(buffer_.AddSlot(rows_.Key(slot)), rows_, slot);  // the row as read
  changed_.assign(rows_.ColumnCount(), false);
  SetState(dsEdit);
  DataEvent(deRecordChange);
  DoEvent(AfterEdit);
}

TPendingEdit TDataSet::PendingEdit() const {
  TPendingEdit pending;
  if (state_ != dsEdit && state_ != dsInsert) return pending;
  pending.inserting = state_ == dsInsert;
  pending.written = changed_;
  pending.cells.Reset(buffer_.ColumnCount());
  for (int slot = 0; slot < buffer_.SlotCount(); ++slot)
    pending.cells.CopyRow(pending.cells.AddSlot(buffer_.Key(slot)), buffer_, slot);
  return pending;
}

void TDataSet::ResumeEdit(const TPendingEdit& pending) {
  Cancel();
  if (pending.inserting) Append();
  else Edit();
  if (state_ != dsEdit && state_ != dsInsert) return;
  const bool withOrigin = state_ == dsEdit && pending.cells.SlotCount() > 1 && buffer_.SlotCount() > 1;
  for (int column = 0; column < int(pending.written.size()) && column < buffer_.ColumnCount(); ++column) {
    if (!pending.written[column]) continue;
    buffer_.CopyCell(0, column, pending.cells, 0, column);
    if (withOrigin) buffer_.CopyCell(1, column, pending.cells, 1, column);
    changed_[column] = true;
    modified_ = true;
  }
  DataEvent(deRecordChange);
}

void TDataSet::TakeEditOrigin() {
  const int slot = visible_[cursor_];
  rows_.CopyRow(slot, buffer_, 1);
  calculated_[slot] = 0;
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  if (!CanModify()) DatabaseError("Cannot modify a read-only dataset");
  DoEvent(BeforeInsert);
  DoEvent(BeforeScroll);
}

void TDataSet::EndInsertAppend(int position) {
  insertAt_ = position;
  buffer_.Reset(rows_.ColumnCount());
  buffer_.AddSlot(0);
  changed_.assign(rows_.ColumnCount(), false);
  SetState(dsInsert);
  InitNewRecord();
  DoEvent(OnNewRecord);
  if (autoCalcFields_) CalculateFields(buffer_, 0);
  modified_ = false;
  DataEvent(deDataSetChange);
  DoEvent(AfterInsert);
  DoEvent(AfterScroll);
}

void TDataSet::Insert() {
  BeginInsertAppend();
  EndInsertAppend(std::max(cursor_, 0));
}

void TDataSet::Append() {
  BeginInsertAppend();
  EndInsertAppend(int(visible_.size()));
}

void TDataSet::UpdateRecord() {
  if (state_ != dsEdit && state_ != dsInsert) DatabaseError(kNotEditing);
  DataEvent(deUpdateRecord);
}

void TDataSet::Post() {
  UpdateRecord();
  DataEvent(deCheckBrowseMode);
  DoEvent(BeforePost);
  for (;;) {
    try {
      PostRecord();
      break;
    } catch (EDatabaseError& error) {
      if (!OnPostError) throw;
      TDataAction action = daFail;
      OnPostError(this, error, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  DoEvent(AfterPost);
}

void TDataSet::PostRecord() {
  bool inserting = state_ == dsInsert;
  std::int64_t key = InternalPost(inserting, changed_);
  if (!inserting) {
    int slot = visible_[cursor_];
    rows_.CopyRow(slot, buffer_, 0);
    calculated_[slot] = 0;
    return;
  }
  int slot = rows_.AddSlot(key);
  rows_.CopyRow(slot, buffer_, 0);
  calculated_.push_back(0);
  auto orderAt = insertAt_ < int(visible_.size())
                     ? std::find(order_.begin(), order_.end(), visible_[insertAt_])
                     : order_.end();
  order_.insert(orderAt, slot);
  visible_.insert(visible_.begin() + insertAt_, slot);
  cursor_ = insertAt_;
  bof_ = eof_ = false;
}

void TDataSet::Cancel() {
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode);
  DoEvent(BeforeCancel);
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  DoEvent(AfterCancel);
}

// The row after the deleted one becomes current; deleting the last row leaves the cursor on
// the new last row with Eof set, so a "delete or move on" loop ends there.
void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert) return Cancel();
  if (visible_.empty()) DatabaseError("Cannot perform this operation on an empty dataset");
  DataEvent(deCheckBrowseMode);
  if (!CanModify()) DatabaseError("Cannot modify a read-only dataset");
  DoEvent(BeforeDelete);
  DoEvent(BeforeScroll);
  int slot = visible_[cursor_];
  InternalDelete(rows_.Key(slot));
  order_.erase(std::find(order_.begin(), order_.end(), slot));
  visible_.erase(visible_.begin() + cursor_);
  bool wasLast = cursor_ >= int(visible_.size());
  if (wasLast) cursor_ = int(visible_.size()) - 1;
  bof_ = visible_.empty();
  eof_ = wasLast;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  DoEvent(AfterDelete);
  DoEvent(AfterScroll);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (state_ == dsEdit || state_ == dsInsert) {
    UpdateRecord();
    if (modified_) Post();
    else Cancel();
  }
}

// ---- searching and bookmarks ----

bool TDataSet::Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  for (const String& name : vt::SplitFieldNames(keyFields)) fields.push_back(FieldByName(name));
  std::vector<Variant> values;
  if (keyValues.IsArray()) {
    for (int i = 0; i < keyValues.ArrayCount(); ++i) values.push_back(keyValues[i]);
  } else {
    values.push_back(keyValues);
  }
  if (values.size() != fields.size()) DatabaseError("Locate needs one value per key field");
  for (int position = 0; position < int(visible_.size()); ++position) {
    if (RowMatches(visible_[position], fields, values, options)) {
      MoveTo(position);
      return true;
    }
  }
  return false;
}

bool TDataSet::RowMatches(int slot, const std::vector<TField*>& fields,
                          const std::vector<Variant>& values, TLocateOptions options) {
  EnsureCalculated(slot);
  RecordContext context(context_, state_, {&rows_, slot}, dsFilter);
  for (size_t i = 0; i < fields.size(); ++i) {
    const TField* field = fields[i];
    const Variant& wanted = values[i];
    if (wanted.IsNull() || wanted.IsEmpty()) {
      if (!field->IsNull()) return false;
      continue;
    }
    if (field->IsNull()) return false;
    if (vt::IsTextType(field->DataType())) {
      String actual = field->AsString();
      String text = wanted.AsString();
      if (options.Contains(loPartialKey)) actual = actual.substr(0, text.size());
      bool same = options.Contains(loCaseInsensitive) ? AnsiSameText(actual, text) : actual == text;
      if (!same) return false;
    } else if (field->Value().Compare(wanted) != 0) {
      return false;
    }
  }
  return true;
}

int TDataSet::FindKey(std::int64_t key) const {
  for (int position = 0; position < int(visible_.size()); ++position)
    if (rows_.Key(visible_[position]) == key) return position;
  return -1;
}

namespace {
bool BookmarkKey(const TBookmark& bookmark, std::int64_t& key) {
  return !bookmark.empty() && TryStrToInt64(bookmark, key);
}
}  // namespace

TBookmark TDataSet::GetBookmark() const {
  if (!Active() || cursor_ < 0) return "";
  return IntToStr(rows_.Key(visible_[cursor_]));
}

TBookmark TDataSet::BookmarkAt(int recNo) const {
  if (!Active() || recNo < 1 || recNo > int(visible_.size())) return "";
  return IntToStr(rows_.Key(visible_[recNo - 1]));
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
  std::int64_t key;
  return Active() && BookmarkKey(bookmark, key) && FindKey(key) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  CheckBrowseMode();
  std::int64_t key;
  int position = BookmarkKey(bookmark, key) ? FindKey(key) : -1;
  if (position < 0) DatabaseError("Record not found");
  MoveTo(position);
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  std::int64_t keyA, keyB;
  bool hasA = BookmarkKey(a, keyA), hasB = BookmarkKey(b, keyB);
  if (!hasA || !hasB) return hasA == hasB ? 0 : (hasA ? 1 : -1);
  if (keyA == keyB) return 0;
  int positionA = FindKey(keyA), positionB = FindKey(keyB);
  if (positionA >= 0 && positionB >= 0) return positionA < positionB ? -1 : 1;
  return keyA < keyB ? -1 : 1;
}

// ---- notifications ----

void TDataSet::DisableControls() { ++disableCount_; }

void TDataSet::EnableControls() {
  if (disableCount_ == 0 || --disableCount_ > 0) return;
  bool changed = pendingChange_;
  pendingChange_ = false;
  if (changed) DataEvent(deUpdateState);
  if (Active()) DataEvent(deDataSetChange);
}

void TDataSet::DataEvent(TDataEvent event, std::intptr_t info) {
  if (disableCount_ > 0) {
    if (event == deUpdateState || event == deLayoutChange) pendingChange_ = true;
    return;
  }
  NotifySources(event, info);
}

void TDataSet::NotifySources(TDataEvent event, std::intptr_t info) {
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->DataEvent(event, info);
}
