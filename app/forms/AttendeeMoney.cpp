// The attendee editor's money operations: Sign Up, Remove and Pay, the open-sessions list and
// the amount due. Three layers must agree (the person's totals, the enrolment's balance, the
// ledger rows), so each operation writes them in one transaction: whole or not at all.
#include <functional>
#include <initializer_list>

#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/EnrolmentMoney.h"
#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"
#include "ui/controls/StdCtrls.h"

namespace {

using vt::Confirmed;
using vt::CurrentSessionId;
using vt::OpenScratch;
using vt::Refuse;
using vt::Reopen;

TADOQuery* Attendees() { return SQLDataModule->qAttendees; }
TField* Attendee(const char* column) { return Attendees()->FieldByName(column); }
String CamperId() { return Attendee("CamperID")->AsString(); }
String AttendeeNoun() { return vt::CompanyWord("Attendees", "Attendee"); }
String SessionNoun() { return vt::CompanyWord("Sessions", "Session"); }

String EnrolmentSql(const String& sessionId, const String& camperId) {
  return "Select * From AttendeeSession WHERE SessionID = " + vt::SqlNumber(sessionId) +
         " AND CamperID = " + vt::SqlNumber(camperId);
}

// The CamperID after the last bar of a request item ("Smith Ann |12"); none when it does not
// read as a number.
bool RequestedCamper(const String& item, int& camperId) {
  if (item.empty()) return false;
  const int bar = Pos("|", item);
  return TryStrToInt(Copy(item, bar + 1, 999), camperId);
}

// A ledger row: positive for a charge, negative for a credit or a payment. The append needs
// the ledger's columns only, not the rows the person already has.
void AppendLedgerRow(const String& sessionId, Currency amount, const String& checkNo) {
  TADOQuery* ledger = SQLDataModule->qMisc;
  OpenScratch(ledger, "Select * From AttendeeTrx WHERE 1 = 0");
  ledger->Append();
  ledger->FieldByName("SessionID")->SetAsString(sessionId);
  ledger->FieldByName("CamperID")->SetAsString(CamperId());
  ledger->FieldByName("AmountPaid")->SetAsCurrency(amount);
  ledger->FieldByName("CheckNo")->SetAsString(checkNo);
  ledger->FieldByName("DatePaid")->SetAsDateTime(Now());
  ledger->Post();
}

// Inside a transaction: the enrolment the operation names, as stored now.
TADOQuery* RequireEnrolment(const String& sessionId) {
  return vt::RequireEnrolment(OpenScratch(SQLDataModule->qMisc, EnrolmentSql(sessionId, CamperId())), AttendeeNoun(),
                              sessionId);
}

// A payment above what the enrolment or the person still owes.
void RefuseOverpayment(Currency amount, Currency due, Currency balance) {
  if (amount > due || amount > balance) throw vt::ERefusal("You can't make a payment for more than the amount owed.");
}

// A check made before the transaction; its refusal is shown and the result is false.
bool PassesCheck(const std::function<void()>& check) {
  try {
    check();
    return true;
  } catch (const vt::ERefusal& refusal) {
    Refuse(refusal.Message());
    return false;
  }
}

}  // namespace

void TAddEditAttendeesForm::RebuildOpenSessions() {
  TADOQuery* open = SQLDataModule->qMisc;
  OpenScratch(open, "Select * From AttendeeSession Where CamperID = " + vt::SqlNumber(CamperId()) +
                        " AND BalanceDue <> 0");
  ComboBox3->Items()->BeginUpdate();
  ComboBox3->Items()->Clear();
  ComboBox3->Items()->Add("None");
  for (open->First(); !open->Eof(); open->Next())
    ComboBox3->Items()->Add(open->FieldByName("SessionID")->AsString());
  ComboBox3->Items()->EndUpdate();
  ComboBox3->SetItemIndex(0);
}

// Sign Up: the attendee joins the selected session with the chosen type and is charged its price.
void TAddEditAttendeesForm::BitBtn2Click(TObject* Sender) {
  int roommate = 0, teammate = 0;
  const bool withRoommate = RequestedCamper(ComboBox4->Text(), roommate);
  const bool withTeammate = RequestedCamper(ComboBox5->Text(), teammate);
  const String sessionId = CurrentSessionId();
  TADOQuery* type = SQLDataModule->qMisc5;
  OpenScratch(type, "Select * From SessionSessionTypes Where SessionID = " + vt::SqlNumber(sessionId) +
                        " AND Description = " + vt::SqlQuote(ComboBox6->Text()));
  TADOQuery* enrolment = SQLDataModule->qMisc;
  const String signedUp = "This " + AttendeeNoun() + " is already signed up for this " + SessionNoun();
  if (!CamperId().empty()) {
    OpenScratch(enrolment, EnrolmentSql(sessionId, CamperId()));
    if (!enrolment->IsEmpty()) {
      Refuse(signedUp);
      return;
    }
  }
  if (type->IsEmpty()) {
    Refuse("This " + SessionNoun() + " does not offer the type " + ComboBox6->Text());
    return;
  }
  if (!Confirmed("Sign this " + AttendeeNoun() + " up for this " + SessionNoun() + "?", "Confirm Sign Up"))
    return;
  const Currency price = type->FieldByName("TotalCosts")->AsCurrency();
  const String sessionType = type->FieldByName("Type")->AsString();
  type->Close();
  vt::WriteTogether(Attendees(), [&] {
    vt::RequireSession(sessionId);
    vt::StorePersonRow(Attendees());  // a new attendee gets its CamperID here
    vt::AddToTotals(Attendees(), {{"TotalCharged", price}, {"BalanceDue", price}});
    OpenScratch(enrolment, EnrolmentSql(sessionId, CamperId()));
    if (!enrolment->IsEmpty()) throw vt::ERefusal(signedUp);  // by another copy meanwhile
    enrolment->Append();
    enrolment->FieldByName("SessionID")->SetAsString(sessionId);
    enrolment->FieldByName("CamperID")->SetAsString(CamperId());
    if (withRoommate) enrolment->FieldByName("AttendeeRequestID")->SetAsInteger(roommate);
    if (withTeammate) enrolment->FieldByName("TeammateRequestID")->SetAsInteger(teammate);
    enrolment->FieldByName("TotalCosts")->SetAsCurrency(price);
    enrolment->FieldByName("AmountPaid")->SetAsCurrency(Currency());
    enrolment->FieldByName("BalanceDue")->SetAsCurrency(price);
    enrolment->FieldByName("SessionType")->SetAsString(sessionType);
    enrolment->Post();
    AppendLedgerRow(sessionId, price, "Charge");
  });
  ShowEnrolments();
  Reopen(SQLDataModule->tAttendeeTrx);
}

// Remove: the enrolment selected in the attendee's sessions goes, its cost is credited back and
// its room gets the place back.
void TAddEditAttendeesForm::BitBtn3Click(TObject* Sender) {
  TADOQuery* enrolments = SQLDataModule->qAttendeeSession;
  if (!enrolments->Active() || enrolments->IsEmpty()) {
    Refuse("This " + AttendeeNoun() + " is not signed up for any active " + SessionNoun() + "s");
    return;
  }
  if (!Confirmed("Remove this " + AttendeeNoun() + " from this " + SessionNoun() + "?", "Confirm Removal"))
    return;
  const String sessionId = enrolments->FieldByName("SessionID")->AsString();
  bool roomFreed = false;
  vt::WriteTogether(Attendees(), [&] {
    TADOQuery* enrolment = RequireEnrolment(sessionId);
    const Currency costs = enrolment->FieldByName("TotalCosts")->AsCurrency();
    vt::StorePersonRow(Attendees());
    vt::AddToTotals(Attendees(), {{"TotalCharged", -costs}, {"BalanceDue", -costs}});
    roomFreed = !enrolment->FieldByName("RoomID")->IsNull();
    vt::GivePlaceBack(SQLDataModule->dbVantrelADO, vt::kAttendeeRooms, StrToInt(sessionId), StrToInt(CamperId()));
    enrolment->Delete();
    AppendLedgerRow(sessionId, -costs, "Credit");
  });
  if (roomFreed) {
    const std::initializer_list<TDataSet*> roomPages = {SQLDataModule->qAttendeesInRooms,
                                                        SQLDataModule->qAttendeesAlreadyInRooms, SQLDataModule->tRooms};
    for (TDataSet* rooms : roomPages) Reopen(rooms);
  }
  ShowEnrolments();
  Reopen(SQLDataModule->tAttendeeTrx);
}

void TAddEditAttendeesForm::ComboBox3Change(TObject* Sender) { ShowAmountDue(); }

// The balance of the enrolment chosen in the open-sessions list; "None" leaves it as it is.
void TAddEditAttendeesForm::ShowAmountDue() {
  if (ComboBox3->ItemIndex() <= 0) return;
  TADOQuery* enrolment = SQLDataModule->qMisc;
  OpenScratch(enrolment, EnrolmentSql(ComboBox3->Text(), CamperId()));
  VtCalcEdit2->SetText(CurrToStr(enrolment->FieldByName("BalanceDue")->AsCurrency()));
}

// Pay: a check against the enrolment chosen in the open-sessions list, never more than is owed:
// first than what the editor shows, then than what is stored when the transaction has begun
// (another copy of the program may have taken a payment meanwhile).
void TAddEditAttendeesForm::BitBtn4Click(TObject* Sender) {
  if (ComboBox3->ItemIndex() <= 0 || Edit2->Text().empty() || VtCalcEdit1->Text().empty()) return;
  Currency amount, due;
  if (!vt::ReadAmount(VtCalcEdit1, amount) || !vt::ReadAmount(VtCalcEdit2, due)) return;
  const String sessionId = ComboBox3->Text();
  if (!PassesCheck([&] { RequireEnrolment(sessionId); })) {
    ShowEnrolments();  // the lists as they are stored now
    return;
  }
  if (!PassesCheck([&] { RefuseOverpayment(amount, due, Attendee("BalanceDue")->AsCurrency()); })) return;
  const bool paid = vt::WriteTogether(Attendees(), [&] {
    TADOQuery* enrolment = RequireEnrolment(sessionId);
    TField* balance = enrolment->FieldByName("BalanceDue");
    TField* paid = enrolment->FieldByName("AmountPaid");
    vt::StorePersonRow(Attendees());
    RefuseOverpayment(amount, balance->AsCurrency(), Attendee("BalanceDue")->AsCurrency());
    vt::AddToTotals(Attendees(), {{"TotalCredits", amount}, {"BalanceDue", -amount}});
    enrolment->Edit();
    balance->SetAsCurrency(balance->AsCurrency() - amount);
    paid->SetAsCurrency(paid->AsCurrency() + amount);
    enrolment->Post();
    AppendLedgerRow(sessionId, -amount, Edit2->Text());
  });
  if (!paid) {
    RebuildOpenSessions();  // the sessions still owed as stored now
    return;
  }
  Reopen(SQLDataModule->tAttendeeTrx);
  VtCalcEdit1->SetValue(0);
  Edit2->SetText("");
  ShowAmountDue();
}
