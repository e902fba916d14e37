// Data sources and data links: the dataset's events fanned out to the links, the links'
// active and editing states kept, and the field link's pending-text protocol.
#include "db/DataSource.h"

#include "rtl/BasicAction.h"

#include <algorithm>

// ---- TDataSource ----

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* value) {
  if (value == dataSet_) return;
  if (dataSet_) std::erase(dataSet_->sources_, this);
  dataSet_ = value;
  if (dataSet_) dataSet_->sources_.push_back(this);
  UpdateState();
}

void TDataSource::DataSetDestroyed() {
  dataSet_ = nullptr;
  UpdateState();
}

void TDataSource::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateState();
}

void TDataSource::Edit() {
  if (autoEdit_ && State() == dsBrowse) dataSet_->Edit();
}

void TDataSource::UpdateState() {
  TDataSetState state = State();
  if (state == state_) return;
  bool activeChanged = (state == dsInactive) != (state_ == dsInactive);
  state_ = state;
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->UpdateState();
  if (activeChanged && state != dsInactive) NotifyLinks(deDataSetChange, 0);
  if (OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent event, std::intptr_t info) {
  if (event == deUpdateState) return UpdateState();
  if (state_ == dsInactive) return;
  NotifyLinks(event, info);
  switch (event) {
    case deFieldChange: case deRecordChange: case deDataSetChange: case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange)
        OnDataChange(this, event == deFieldChange ? reinterpret_cast<TField*>(info) : nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::NotifyLinks(TDataEvent event, std::intptr_t info) {
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->DataEvent(event, info);
}

// ---- TDataLink ----

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
  if (dataSource_) std::erase(dataSource_->links_, this);
}

void TDataLink::SetDataSource(TDataSource* value) {
  if (value == dataSource_) return;
  if (dataSource_) std::erase(dataSource_->links_, this);
  dataSource_ = value;
  if (dataSource_) dataSource_->links_.push_back(this);
  UpdateState();
}

void TDataLink::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  UpdateState();
}

void TDataLink::UpdateState() {
  TDataSetState state = dataSource_ ? dataSource_->State() : dsInactive;
  bool active = state != dsInactive;
  if (active != active_) {
    active_ = active;
    ActiveChanged();
  }
  bool editing = (state == dsEdit || state == dsInsert) && !readOnly_;
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

bool TDataLink::Edit() {
  if (!readOnly_ && dataSource_) dataSource_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

bool TDataLink::ExecuteAction(TBasicAction* Action) {
  if (!dataSource_ || !Action->HandlesTarget(dataSource_)) return false;
  Action->ExecuteTarget(dataSource_);
  return true;
}

bool TDataLink::UpdateAction(TBasicAction* Action) {
  if (!dataSource_ || !Action->HandlesTarget(dataSource_)) return false;
  Action->UpdateTarget(dataSource_);
  return true;
}

void TDataLink::DataEvent(TDataEvent event, std::intptr_t info) {
  switch (event) {
    case deFieldChange: case deRecordChange:
      if (!updating_) RecordChanged(reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange: DataSetChanged(); break;
    case deDataSetScroll: DataSetScrolled(int(info)); break;
    case deLayoutChange: LayoutChanged(); break;
    case deUpdateRecord: UpdateRecord(); break;
    case deCheckBrowseMode: CheckBrowseMode(); break;
    case deFocusControl: FocusControl(reinterpret_cast<TField**>(info)); break;
    default: break;
  }
}

// ---- TFieldDataLink ----

void TFieldDataLink::SetFieldName(const String& value) {
  if (value == fieldName_) return;
  fieldName_ = value;
  UpdateField();
}

bool TFieldDataLink::CanModify() const { return !ReadOnly() && field_ && field_->CanModify(); }

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return editing_;
}

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::UpdateField() {
  field_ = Active() && !fieldName_.empty() ? DataSet()->FieldByName(fieldName_) : nullptr;
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::SetEditing(bool value) {
  if (value == editing_) return;
  editing_ = value;
  modified_ = false;
  if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() { SetEditing(TDataLink::Editing() && CanModify()); }

void TFieldDataLink::FocusControl(TField** Field) {
  if (*Field && *Field == field_ && OnFocusControl) {
    *Field = nullptr;
    OnFocusControl(this);
  }
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != field_) return;
  if (OnDataChange) OnDataChange(this);
  modified_ = false;
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (field_ && OnUpdateData) OnUpdateData(this);
  modified_ = false;
}
