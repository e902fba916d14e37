// TDataSet: the cursor over a fetched row set, its states, editing, searching, bookmarks,
// filters, calculated fields and the notifications it sends to data sources. The ADO sets of
// db/ADODB.h fill it from SQLite and write its changes back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "db/Fields.h"
#include "db/RowSet.h"
#include "rtl/Classes.h"
#include "rtl/Exceptions.h"
#include "rtl/Set.h"
#include "rtl/Variant.h"

class TDataSource;
namespace vt { class FilterExpression; }

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter };

enum TDataEvent {
  deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange,
  deUpdateRecord, deUpdateState, deCheckBrowseMode, deFocusControl
};

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = Set<TLocateOption>;

enum TDataAction { daFail, daAbort, daRetry };

// A bookmark is the row's key as text (the rowid for single-table sets); empty = none.
using TBookmark = String;
using TBookmarkStr = String;

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataSetErrorEvent =
    std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;

// A pending Edit or Insert kept aside (TDataSet::PendingEdit): the columns written and their
// values, and in Edit what each of them was written over.
struct TPendingEdit {
  bool inserting = false;
  std::vector<bool> written;
  vt::RowSet cells;  // slot 0: the values written; slot 1 (Edit): the row they were written over
};

class TDataSet : public TComponent {
 public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return state_; }

  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  int MoveBy(int distance);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  bool IsEmpty() const;
  int RecordCount() const;
  int RecNo() const;  // 1-based; 0 when there is no current row
  void SetRecNo(int value);
  // The value of field in row recNo (1-based) without moving the cursor; for grids.
  Variant FieldValueAt(int recNo, TField* field);
  // The field's display text (its DisplayFormat applied) in row recNo, cursor unmoved.
  String DisplayTextAt(int recNo, TField* field);
  // Runs read with every field reading row recNo (1-based), cursor unmoved: a grid hands a row's
  // fields to its painting events this way. Nothing runs for a row that does not exist.
  void ReadRowAt(int recNo, const std::function<void()>& read);

  TFields* Fields() const { return fields_.get(); }
  int FieldCount() const { return fields_->Count(); }
  TField* FieldByName(const String& name) const;
  TField* FindField(const String& name) const { return fields_->FindField(name); }
  Variant FieldValues(const String& name) const;
  void SetFieldValues(const String& name, const Variant& value);

  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  void CheckBrowseMode();
  void UpdateRecord();
  bool Modified() const { return modified_; }
  virtual bool CanModify() const;
  // The pending Edit or Insert as it stands, to resume after the row was read again.
  TPendingEdit PendingEdit() const;
  // Edit (or Insert) again from the current row as it is now: the columns written in pending
  // go back in with their values, and in Edit each keeps as its origin what it was written over,
  // so a Post still refuses a column another user changed meanwhile. Every other column shows
  // the row as it is now.
  void ResumeEdit(const TPendingEdit& pending);

  bool Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options);

  TBookmark GetBookmark() const;
  // The bookmark of row recNo (1-based) without moving the cursor; empty when there is none.
  TBookmark BookmarkAt(int recNo) const;
  void GotoBookmark(const TBookmark& bookmark);
  bool BookmarkValid(const TBookmark& bookmark) const;
  void FreeBookmark(TBookmark& bookmark) { bookmark.clear(); }
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;
  TBookmark Bookmark() const { return GetBookmark(); }
  void SetBookmark(const TBookmark& bookmark) { GotoBookmark(bookmark); }

  const String& Filter() const { return filterText_; }
  void SetFilter(const String& value);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool value);

  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

  bool AutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool value) { autoCalcFields_ = value; }

  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TDataSetErrorEvent OnPostError;

 protected:
  // What the subclass knows of each result column when it has fetched the rows.
  struct ColumnInfo {
    String name;
    TFieldType type = ftUnknown;
    int size = 0;
    bool readOnly = false;  // AutoNumber, or a computed result column
  };

  // Fetches the rows into Rows() (one column per entry of columns, keys set) and fills columns.
  virtual void InternalOpen(std::vector<ColumnInfo>& columns) = 0;
  virtual void InternalClose() {}
  // Writes the edit buffer (column values of Buffer(), slot 0; in Edit, slot 1 holds the row as
  // it was read); changed flags by column. Must leave the stored row in the buffer (AutoNumber
  // and defaults) and return its key.
  virtual std::int64_t InternalPost(bool inserting, const std::vector<bool>& changed) = 0;
  virtual void InternalDelete(std::int64_t key) = 0;
  // Gives a new record its initial values (a detail takes its master's key).
  virtual void InitNewRecord() {}
  // Whether the fetched rows can be written back at all.
  virtual bool RowsWritable() const = 0;

  // In Edit, slot 1 of Buffer() read again: the row the pending edit started from becomes it, in
  // the fetched rows too.
  void TakeEditOrigin();
  vt::RowSet& Rows() { return rows_; }
  vt::RowSet& Buffer() { return buffer_; }
  const std::vector<ColumnInfo>& Columns() const { return columns_; }
  // Runs the fetch again in place (the master moved): browse mode kept, cursor on the first.
  void Refetch();
  void CheckActive() const;
  int CalcFieldCount() const;
  void DatabaseError(const String& message) const;
  void DataEvent(TDataEvent event, std::intptr_t info = 0);
  void Loaded() override;

 private:
  friend class TField;
  friend class TFields;
  friend class TDataSource;

  // Where field reads and writes go in the current state.
  struct RecordRef {
    vt::RowSet* rows = nullptr;
    int slot = -1;
  };
  class RecordContext;
  RecordRef ActiveRecord();
  const vt::Cell* ActiveCell(const TField* field);
  void WriteCell(TField* field);  // after a field wrote its cell: change notifications
  vt::RowSet* WritableRecord(const TField* field, int& slot);

  void OpenCursor();
  void CloseCursor();
  void BindFields();
  void UnbindFields();
  void ApplyFilter();
  void Refilter();
  void ResetOrder();
  void CursorToFirst();
  bool RowMatchesFilter(int slot);
  void CalculateFields(vt::RowSet& rows, int slot);
  void EnsureCalculated(int slot);
  static constexpr int kCurrentRow = -2;
  int RowSlotAt(int recNo, const TField* field);

  void SetState(TDataSetState value);
  void BeginInsertAppend();
  void EndInsertAppend(int position);
  void PostRecord();
  void CancelRecord();
  void MoveTo(int position);
  int FindKey(std::int64_t key) const;
  bool RowMatches(int slot, const std::vector<TField*>& fields, const std::vector<Variant>& values,
                  TLocateOptions options);
  void DoEvent(const TDataSetNotifyEvent& event) { if (event) event(this); }
  void NotifySources(TDataEvent event, std::intptr_t info);

  TDataSetState state_ = dsInactive;
  std::unique_ptr<TFields> fields_;
  bool defaultFields_ = false;  // fields made from the columns at open, freed at close
  std::vector<ColumnInfo> columns_;
  vt::RowSet rows_;
  vt::RowSet buffer_;              // the record being edited or inserted
  std::vector<bool> changed_;      // columns written since Edit/Insert
  std::vector<char> calculated_;   // per slot: calculated fields are up to date
  std::vector<int> order_;         // slots in fetched order, deleted rows removed
  std::vector<int> visible_;       // slots passing the filter, in order
  int cursor_ = -1;                // index into visible_
  int insertAt_ = 0;               // where an inserted record goes when posted
  bool bof_ = true, eof_ = true;
  bool modified_ = false;
  RecordRef context_;              // the row being calculated or filtered
  TDataSetState contextOuterState_ = dsInactive;
  String filterText_;
  bool filtered_ = false;
  std::unique_ptr<vt::FilterExpression> filter_;
  int disableCount_ = 0;
  bool pendingChange_ = false;     // an event was held back while controls were disabled
  bool autoCalcFields_ = true;
  bool openOnLoaded_ = false;
  std::vector<TDataSource*> sources_;
};

namespace vt {
// The names of a field list such as "LastName;FirstName": blanks trimmed, empty entries dropped.
std::vector<String> SplitFieldNames(const String& names);

// Holds a dataset's controls disabled for a scope: they follow its rows again, and catch up,
// when the scope ends, also on an exception.
class DisabledControls {
public:
  explicit DisabledControls(TDataSet* dataSet) : dataSet_(dataSet) { dataSet_->DisableControls(); }
  ~DisabledControls() { dataSet_->EnableControls(); }
  DisabledControls(const DisabledControls&) = delete;
  DisabledControls& operator=(const DisabledControls&) = delete;

private:
  TDataSet* dataSet_;
};
}  // namespace vt
