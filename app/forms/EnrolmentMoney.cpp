// The money operations' shared boxes, scratch query and transaction.
#include "app/forms/EnrolmentMoney.h"

#include "app/SQLData.h"
#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/CurrEditText.h"
#include "db/Fields.h"
#include "rtl/FloatFormat.h"
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

bool ReadAmount(TCustomNumEdit* edit, Currency& amount) {
  const String text = TextToValText(edit->Text());
  if (TryStrToCurr(text, amount)) return true;
  long double number;
  const String shown = TryStrToFloat(text, number) ? FloatToStr(number) : Trim(edit->Text());
  Refuse("The amount " + shown + " is not a number from " + CurrencyRangeText() + ".");
  return false;
}

TADOQuery* RequireEnrolment(TADOQuery* enrolment, const String& person, const String& sessionId) {
  if (enrolment->IsEmpty())
    throw ERefusal("This " + person + " is no longer signed up for " + CompanyWord("Sessions", "Session") + " " +
                   sessionId + ": another user removed it. Nothing was saved.");
  return enrolment;
}

void StorePersonRow(TDataSet* person) {
  if (person->State() == dsBrowse) person->Edit();
  person->Post();
  person->Edit();
}

void AddToTotals(TDataSet* person, std::initializer_list<TotalChange> changes) {
  for (const TotalChange& total : changes) {
    TField* field = person->FieldByName(total.column);
    field->SetAsCurrency(field->AsCurrency() + total.change);
  }
  person->Post();
  person->Edit();
}

// The editor's controls hear the outcome once: posting and editing the person's row again
// inside the operation would switch every bound control to read-only and back. Their pending
// texts go into the row first.
bool WriteTogether(TDataSet* person, const std::function<void()>& writes) {
  person->UpdateRecord();
  const TPendingEdit typed = person->PendingEdit();
  String refusal;
  {
    DisabledControls quiet(person);
    try {
      Transaction transaction(SQLDataModule->dbVantrelADO);
      writes();
      transaction.Commit();
      return true;
    } catch (const ERefusal& refused) {
      person->ResumeEdit(typed);
      refusal = refused.Message();
    } catch (const ERangeError& outOfRange) {  // a total would leave the currency range
      person->ResumeEdit(typed);
      refusal = outOfRange.Message();
    } catch (...) {
      person->ResumeEdit(typed);
      throw;
    }
  }
  Refuse(refusal);
  return false;
}

}  // namespace vt
