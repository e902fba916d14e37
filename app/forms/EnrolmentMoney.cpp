// The money operations' shared boxes, scratch query and transaction.
#include "app/forms/EnrolmentMoney.h"

#include "app/SQLData.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "ui/forms/Forms.h"

namespace vt {

void Refuse(const String& message) { Application->MessageBox(message, "Error", MB_OK); }

bool Confirmed(const String& question, const String& caption) {
  return Application->MessageBox(question, caption, MB_YESNO) == IDYES;
}

TADOQuery* OpenScratch(TADOQuery* query, const String& sql) {
  SetLinesAndOpen(query, {{0, sql}});
  return query;
}

PendingRow::PendingRow(TDataSet* person) : person_(person), inserting_(person->State() == dsInsert) {
  TFields* fields = person->Fields();
  for (int i = 0; i < fields->Count(); ++i) values_.push_back(fields->Fields(i)->Value());
}

// The rollback re-read the stored row (or lost a row stored inside the transaction): the
// pending record starts again from it, and every value the user had pending goes back in.
void PendingRow::Restore() {
  if (person_->State() == dsEdit || person_->State() == dsInsert) person_->Cancel();
  if (inserting_) person_->Append();
  else person_->Edit();
  TFields* fields = person_->Fields();
  for (int i = 0; i < fields->Count(); ++i) {
    TField* field = fields->Fields(i);
    if (field->FieldKind() == fkData && field->DataType() != ftAutoInc && field->Value() != values_[i])
      field->SetValue(values_[i]);
  }
}

// The editor's controls hear the outcome once: posting and editing the person's row again
// inside the operation would switch every bound control to read-only and back. Their pending
// texts go into the row first.
void WriteTogether(TDataSet* person, const std::function<void()>& writes) {
  person->UpdateRecord();
  PendingRow before(person);
  DisabledControls quiet(person);
  try {
    Transaction transaction(SQLDataModule->dbVantrelADO);
    writes();
    transaction.Commit();
  } catch (...) {
    before.Restore();
    throw;
  }
}

}  // namespace vt
