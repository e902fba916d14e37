// TDataSource joins a dataset to the data links of controls (and of detail tables); the
// dataset's notifications reach every link of every source through it. TFieldDataLink is
// the link of a control bound to one field.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "db/DataSet.h"
#include "rtl/Classes.h"

class TDataLink;
class TBasicAction;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
 public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* value);
  TDataSetState State() const { return dataSet_ && enabled_ ? dataSet_->State() : dsInactive; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool AutoEdit() const { return autoEdit_; }
  void SetAutoEdit(bool value) { autoEdit_ = value; }
  // Puts the dataset into Edit when AutoEdit allows and it is browsing.
  void Edit();

  TDataChangeEvent OnDataChange;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnUpdateData;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent event, std::intptr_t info);
  void DataSetDestroyed();
  void NotifyLinks(TDataEvent event, std::intptr_t info);
  void UpdateState();

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  bool autoEdit_ = true;
  TDataSetState state_ = dsInactive;
  std::vector<TDataLink*> links_;
};

class TDataLink : public TPersistent {
 public:
  TDataLink();
  ~TDataLink() override;

  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* value);
  TDataSet* DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }
  bool Active() const { return active_; }
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Puts the dataset into Edit through the source (AutoEdit); true when it is editing.
  bool Edit();
  // Writes the control's pending value when there is one.
  void UpdateRecord();
  // An action offered to the link's control, passed on to the data source: true when the
  // action takes the source as its target (a data-set action acting on the source's dataset).
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);

 protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int Distance) { DataSetChanged(); }
  virtual void EditingChanged() {}
  virtual void FocusControl(TField** Field) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* Field) {}
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  void DataEvent(TDataEvent event, std::intptr_t info);
  void UpdateState();

  TDataSource* dataSource_ = nullptr;
  bool active_ = false;
  bool editing_ = false;
  bool readOnly_ = false;
  bool updating_ = false;
};

class TFieldDataLink : public TDataLink {
 public:
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& value);
  TField* Field() const { return field_; }
  bool CanModify() const;
  bool Edit();
  // Marks the control's text as changed since the record was shown.
  void Modified() { modified_ = true; }
  bool IsModified() const { return modified_; }
  // Shows the field's value again, dropping the pending text.
  void Reset();

  TNotifyEvent OnDataChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnActiveChange;
  // Asked to put the focus on the control when the dataset wants its field focused.
  TNotifyEvent OnFocusControl;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField** Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

 private:
  void UpdateField();
  void SetEditing(bool value);

  String fieldName_;
  TField* field_ = nullptr;
  bool modified_ = false;
  bool editing_ = false;
};
