// Chaperone enrolment, invoices and payroll: Sign Up invoices the chaperone's fee, Remove credits
// it back, the pay list gathers what is to be paid and Pay pays it with one check. The person's
// totals, the enrolment rows and the ledger rows must agree, so each operation that writes them
// is one transaction: whole or not at all.
#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/EnrolmentMoney.h"
#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "ui/controls/StdCtrls.h"

namespace {

using vt::CompanyWord;
using vt::CurrentSessionId;
using vt::KeyText;
using vt::OpenScratch;
using vt::Refuse;

TField* Chaperone(const char* column) { return SQLDataModule->qChaperones->FieldByName(column); }

// Empty for a chaperone not saved yet.
String ChaperoneId() { return Chaperone("ChaperoneID")->AsString(); }

TADOQuery* OpenEnrolment(const String& sessionId, const String& chaperoneId) {
  return OpenScratch(SQLDataModule->qMisc, "Select * From ChaperoneSession WHERE SessionID = " + sessionId +
                                               " AND ChaperoneID = " + chaperoneId);
}

// A ledger row: an invoice is positive, a credit or a payment negative. The append needs the
// ledger's columns only, not the rows the person already has.
void AppendLedgerRow(const String& sessionId, const String& chaperoneId, Currency amount, const String& checkNo) {
  TADOQuery* ledger = OpenScratch(SQLDataModule->qMisc, "Select * From ChaperoneTrx WHERE 1 = 0");
  ledger->Append();
  ledger->FieldByName("SessionID")->SetAsInteger(StrToInt(sessionId));
  ledger->FieldByName("ChaperoneID")->SetAsInteger(StrToInt(chaperoneId));
  ledger->FieldByName("AmountPaid")->SetAsCurrency(amount);
  ledger->FieldByName("CheckNo")->SetAsString(checkNo);
  ledger->FieldByName("DatePaid")->SetAsDateTime(Now());
  ledger->Post();
  ledger->Close();
  vt::Reopen(SQLDataModule->tChaperoneTrx, true);
}

// The person's totals change by the given amounts from what is stored; the row is posted and
// left in Edit, as the editor keeps it.
void ChangeTotals(Currency owed, Currency paid) {
  vt::StorePersonRow(SQLDataModule->qChaperones);
  vt::AddToTotals(SQLDataModule->qChaperones,
                  {{"TotalOwed", owed}, {"TotalPaid", paid}, {"BalanceOwed", owed - paid}});
}

}  // namespace

void TAddEditChaperonesForm::BitBtn2Click(TObject* Sender) {
  TADOQuery* type = OpenScratch(SQLDataModule->qMisc5, "Select * From SessionSessionTypes Where SessionID = " +
                                                          CurrentSessionId() + " AND Description = " +
                                                          vt::SqlQuote(ComboBox6->Text()));
  const Variant typeCode = type->FieldByName("Type")->Value();
  type->Close();
  const String chaperone = CompanyWord("Chaperones", "Chaperone");
  const String session = CompanyWord("Sessions", "Session");
  if (!ChaperoneId().empty() && !OpenEnrolment(CurrentSessionId(), ChaperoneId())->IsEmpty()) {
    Refuse("This " + chaperone + " is already signed up for this " + session);
    return;
  }
  Currency fee;
  if (!TryFloatToCurr(Chaperone("SalaryPerSession")->AsFloat(), fee)) {
    Refuse("The salary " + Chaperone("SalaryPerSession")->AsString() + " is not an amount from " +
           CurrencyRangeText() + ".");
    return;
  }
  if (!vt::Confirmed("Sign this " + chaperone + " up for this " + session + "?", "Confirm Sign Up")) return;
  const String sessionId = CurrentSessionId();
  vt::WriteTogether(SQLDataModule->qChaperones, [&] {
    ChangeTotals(fee, Currency());  // a new chaperone gets its ChaperoneID here
    TADOQuery* enrolment = OpenEnrolment(sessionId, ChaperoneId());
    enrolment->Append();
    enrolment->FieldByName("SessionID")->SetAsInteger(StrToInt(sessionId));
    enrolment->FieldByName("ChaperoneID")->SetAsInteger(StrToInt(ChaperoneId()));
    enrolment->FieldByName("TotalFee")->SetAsCurrency(fee);
    enrolment->FieldByName("AmountPaid")->SetAsCurrency(Currency());
    enrolment->FieldByName("BalanceOwed")->SetAsCurrency(fee);
    enrolment->FieldByName("SessionType")->SetValue(typeCode);
    enrolment->Post();
    ShowEnrolments();
    AppendLedgerRow(sessionId, ChaperoneId(), fee, "Invoice");
  });
}

// The enrolment's own fee is credited, its room gets the place back, and the credit names the
// removed enrolment's session.
void TAddEditChaperonesForm::BitBtn3Click(TObject* Sender) {
  TADOQuery* active = SQLDataModule->qChaperoneSession;
  const String chaperone = CompanyWord("Chaperones", "Chaperone");
  if (active->IsEmpty()) {
    Refuse("This " + chaperone + " is not signed up for any active " + CompanyWord("SessionsP", "Sessions"));
    return;
  }
  if (!vt::Confirmed("Remove this " + chaperone + " from this " + CompanyWord("Sessions", "Session") + "?", "Confirm Removal"))
    return;
  const String sessionId = KeyText(active, "SessionID");
  vt::WriteTogether(SQLDataModule->qChaperones, [&] {
    TADOQuery* enrolment = OpenEnrolment(sessionId, ChaperoneId());
    const Currency fee = enrolment->FieldByName("TotalFee")->AsCurrency();
    ChangeTotals(-fee, Currency());
    vt::GivePlaceBack(SQLDataModule->dbVantrelADO, vt::kChaperoneRooms, StrToInt(sessionId), StrToInt(ChaperoneId()));
    enrolment->Delete();
    ShowEnrolments();
    AppendLedgerRow(sessionId, ChaperoneId(), -fee, "Credit");
  });
}

void TAddEditChaperonesForm::BitBtn11Click(TObject* Sender) {
  TADOTable* enrolments = SQLDataModule->tChaperoneSessions;
  Currency amount;
  if (enrolments->IsEmpty() || !vt::ReadAmount(VtCalcEdit2, amount) || amount == Currency()) return;
  TADOTable* payList = SQLDataModule->tPayChaperones;
  const Variant sessionId = enrolments->FieldByName("SessionID")->Value();
  if (amount > enrolments->FieldByName("BalanceOwed")->AsCurrency()) {
    Refuse("You can't pay more than is owed.");
  } else if (payList->Locate("SessionID", sessionId, {})) {
    Refuse("You can't pay the same invoice twice.");
  } else {
    try {
      payList->Append();
      payList->FieldByName("SessionID")->SetValue(sessionId);
      payList->FieldByName("ChaperoneID")->SetAsInteger(StrToInt(ChaperoneId()));
      payList->FieldByName("Amount")->SetAsCurrency(amount);
      payList->Post();
    } catch (...) {
      payList->Cancel();
      throw;
    }
    SetPayrollTotal(PayrollTotal() + amount);
  }
  vt::Reopen(payList, true);
}

void TAddEditChaperonesForm::VtCalcEdit2KeyPress(TObject* Sender, char& Key) {
  if (Key == 13) BitBtn11Click(Sender);
}

// Every enrolment whose session ended on or before today, with what is still owed on it.
void TAddEditChaperonesForm::BitBtn6Click(TObject* Sender) {
  TADOTable* payList = SQLDataModule->tPayChaperones;
  TADOQuery* ended = SQLDataModule->qMisc2;
  Currency total;
  vt::WriteTogether(SQLDataModule->qChaperones, [&] {
    EmptyPayList();
    if (ChaperoneId().empty()) return;
    const TDateTime now = Now();
    const String today = FormatDateTime("mm", now) + "/" + FormatDateTime("dd", now) + "/" + FormatDateTime("yyyy", now);
    ended->Close();
    ended->SQL()->SetStrings(0, "SELECT Chaperones.ChaperoneID, ChaperoneSession.SessionID, ChaperoneSession.SessionType, "
                                "Sessions.Description, Sessions.SessionActive, Sessions.EndDate, ChaperoneSession.BalanceOwed");
    ended->SQL()->SetStrings(1, "FROM Sessions INNER JOIN (Chaperones INNER JOIN ChaperoneSession ON Chaperones.ChaperoneID = "
                                "ChaperoneSession.ChaperoneID) ON Sessions.SessionID = ChaperoneSession.SessionID ");
    ended->SQL()->SetStrings(2, "WHERE Chaperones.ChaperoneID = " + ChaperoneId() + " AND Sessions.EndDate <= #" + today + "#");
    ended->Open();
    for (ended->First(); !ended->Eof(); ended->Next()) {
      const Currency owed = ended->FieldByName("BalanceOwed")->AsCurrency();
      payList->Append();
      payList->FieldByName("SessionID")->SetValue(ended->FieldByName("SessionID")->Value());
      payList->FieldByName("ChaperoneID")->SetValue(ended->FieldByName("ChaperoneID")->Value());
      payList->FieldByName("Amount")->SetAsCurrency(owed);
      total += owed;
      payList->Post();
    }
  });
  SetPayrollTotal(total);
  ended->Close();
  for (int line = 0; line < 3; ++line) ended->SQL()->SetStrings(line, "");
  vt::Reopen(payList, true);
}

void TAddEditChaperonesForm::BitBtn5Click(TObject* Sender) {
  vt::WriteTogether(SQLDataModule->qChaperones, [&] { EmptyPayList(); });
  SetPayrollTotal(Currency());
}

// Every row of the pay list is paid with the one check; a row that asks for more than its
// enrolment owes now (it was paid or removed meanwhile) refuses the whole payment.
void TAddEditChaperonesForm::BitBtn4Click(TObject* Sender) {
  TADOTable* payList = SQLDataModule->tPayChaperones;
  if (payList->IsEmpty() || PayrollTotal() == Currency()) return;
  const bool paid = vt::WriteTogether(SQLDataModule->qChaperones, [&] {
    RefusePayList();
    Currency total;
    for (payList->First(); !payList->Eof(); payList->Next()) {
      const String sessionId = KeyText(payList, "SessionID");
      const String chaperoneId = KeyText(payList, "ChaperoneID");
      const Currency amount = payList->FieldByName("Amount")->AsCurrency();
      TADOQuery* enrolment = OpenEnrolment(sessionId, chaperoneId);
      enrolment->Edit();
      enrolment->FieldByName("AmountPaid")->SetAsCurrency(enrolment->FieldByName("AmountPaid")->AsCurrency() + amount);
      enrolment->FieldByName("BalanceOwed")->SetAsCurrency(enrolment->FieldByName("BalanceOwed")->AsCurrency() - amount);
      enrolment->Post();
      AppendLedgerRow(sessionId, chaperoneId, -amount, Edit2->Text());
      total += amount;
    }
    vt::Reopen(SQLDataModule->tChaperoneSessions, true);
    ChangeTotals(Currency(), total);
    EmptyPayList();
  });
  if (!paid) return;
  SetPayrollTotal(Currency());
  Edit2->SetText("");
  Application->MessageBox("Payments have been credited.", "Posting Complete", MB_OK);
}

void TAddEditChaperonesForm::RefusePayList() {
  TADOTable* payList = SQLDataModule->tPayChaperones;
  for (payList->First(); !payList->Eof(); payList->Next()) {
    const String sessionId = KeyText(payList, "SessionID");
    TADOQuery* enrolment = OpenEnrolment(sessionId, KeyText(payList, "ChaperoneID"));
    if (enrolment->IsEmpty())
      throw vt::ERefusal("This " + CompanyWord("Chaperones", "Chaperone") + " is no longer signed up for " +
                         CompanyWord("Sessions", "Session") + " " + sessionId + ".");
    if (payList->FieldByName("Amount")->AsCurrency() > enrolment->FieldByName("BalanceOwed")->AsCurrency())
      throw vt::ERefusal("You can't pay the same invoice twice.");
  }
}

void TAddEditChaperonesForm::EmptyPayList() {
  TADOTable* payList = SQLDataModule->tPayChaperones;
  payList->First();
  while (!payList->IsEmpty()) payList->Delete();
  vt::Reopen(payList);
}

void TAddEditChaperonesForm::SetPayrollTotal(Currency total) { VtCalcEdit1->SetValue(total.ToExtended()); }

Currency TAddEditChaperonesForm::PayrollTotal() { return FloatToCurr(VtCalcEdit1->Value()); }
