// The session editor's handlers: the captions of each showing, the types copied from the
// defaults once the session is stored, new prices for a type, and the rooms added and deleted.
// Writes that must agree (a list of types, a room and the enrolments placed in it) are one
// transaction each.
#include "app/forms/AddEditSessions.h"

#include "app/DBMaskEdit.h"
#include "app/GridWidths.h"
#include "app/ProgramIni.h"
#include "app/RoomPlaces.h"
#include "app/SQLData.h"
#include "app/SessionDeletion.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/EnrolmentMoney.h"
#include "app/forms/MainQueries.h"
#include "components/edits/CurrEdit.h"
#include "components/edits/VtDBDateEdit.h"
#include "db/Fields.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dbcontrols/DBCtrls.h"
#include "ui/grids/DBGrids.h"

TAddEditSessionsForm* AddEditSessionsForm = nullptr;

namespace {

TADOConnection* Connection() { return SQLDataModule->dbVantrelADO; }

TField* CompanyField(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column); }

// The session's types: a copy of every default type, in the defaults' order, inside the caller's
// transaction once the session is found there (another copy of the program may have deleted it).
void CopyDefaultTypes() {
  TADOTable* defaults = SQLDataModule->tSessionTypes;
  TADOTable* types = SQLDataModule->tSessionSessionTypes;
  const int session = SQLDataModule->qSessions->FieldByName("SessionID")->AsInteger();
  vt::RequireSession(IntToStr(session));
  vt::Reopen(defaults);
  for (defaults->First(); !defaults->Eof(); defaults->Next()) {
    types->Append();
    types->FieldByName("Type")->SetValue(defaults->FieldByName("Type")->Value());
    types->FieldByName("SessionID")->SetAsInteger(session);
    for (const char* column : {"Description", "PerRoomMaximum", "TotalCosts", "DepositAmount"})
      types->FieldByName(column)->SetValue(defaults->FieldByName(column)->Value());
    vt::PostOrGiveUp(types);
  }
}

// Deletes the selected room of the list once the user confirms: the enrolments placed in it
// lose their room, then the room goes. Only a room of the edited session, as stored now, is
// deleted; the list then shows the session's rooms as stored, whatever happened.
void DeleteSelectedRoom(TADOQuery* rooms, const vt::RoomTables& tables) {
  if (rooms->IsEmpty()) return;
  if (Application->MessageBox("Are you sure you want to delete this Room?", "Comfirm delete", MB_YESNO) != IDYES)
    return;
  const String room = vt::KeyText(rooms, "RoomID");
  try {
    vt::Transaction transaction(Connection());
    vt::RequireRow(tables.rooms, "RoomID = " + room + " AND SessionID = " + vt::CurrentSessionId(), "Room");
    vt::ReleaseRoom(Connection(), tables, StrToInt(room));
    Connection()->Execute(String("DELETE FROM ") + tables.rooms + " WHERE RoomID = " + room);
    transaction.Commit();
  } catch (...) {
    vt::Reopen(rooms);
    throw;
  }
  vt::Reopen(rooms);
}

}  // namespace

TAddEditSessionsForm::TAddEditSessionsForm(TComponent* AOwner) : TForm(AOwner) {
  CreateDesign();
  TIniFile ini(ProgramIni());
  TStringList keys;
  RestoreGridWidths(&ini, &keys, DBGrid1, "23");
}

void TAddEditSessionsForm::FormActivate(TObject*) {
  PageControl1->SetActivePage(TabSheet1);
  DBEdit2->SetFocus();
  if (!CompanyField("CompanyName")->IsNull() && !CompanyField("SessionsP")->IsNull())
    SetCaption(CompanyField("CompanyName")->AsString() + " - " + CompanyField("Sessions")->AsString());
  if (!CompanyField("Chaperones")->IsNull()) {
    CheckBox2->SetCaption(CompanyField("Chaperones")->AsString() + " Room?");
    Panel6->SetCaption(CompanyField("Chaperones")->AsString() + " Rooms");
  }
  if (!CompanyField("Attendees")->IsNull()) Panel7->SetCaption(CompanyField("Attendees")->AsString() + " Rooms");
  newRow_.Begin(SQLDataModule->qSessions, CheckBox1);
  ShowRooms();
}

// The room lists show the rooms of the session being edited (none for a new one not stored yet).
void TAddEditSessionsForm::ShowRooms() {
  const String session = vt::CurrentSessionId();
  vt::SetLinesAndOpen(SQLDataModule->qRooms, {{1, "Where SessionID = " + session}});
  vt::SetLinesAndOpen(SQLDataModule->qCRooms, {{1, "Where SessionID = " + session}});
}

// Leaving Description stores a new session (it gets its SessionID), gives the session its copy
// of the default types the first time, and points the room lists at it. An edited session is
// stored by Done alone, so that No there keeps nothing. A refusal is shown and lets the user go
// on: Done then saves, or gives up, with what was typed.
void TAddEditSessionsForm::DBEdit2Exit(TObject*) {
  try {
    if (!CheckBox1->Checked()) StoreSession();
    TADOTable* types = SQLDataModule->tSessionSessionTypes;
    vt::Reopen(types);
    if (types->IsEmpty()) {
      vt::Transaction transaction(Connection());
      CopyDefaultTypes();
      transaction.Commit();
    }
    ShowRooms();
  } catch (const Exception& e) {
    Application->MessageBox(e.Message(), "Error", MB_OK);
  }
}

// Stores the new session and keeps editing it; one stored with nothing typed into it is
// remembered as it now reads, so that Done can take it away again.
void TAddEditSessionsForm::StoreSession() {
  TADOQuery* sessions = SQLDataModule->qSessions;
  const bool blank = newRow_.NothingTyped(sessions);
  vt::StorePending(sessions);
  sessions->Edit();
  if (blank) newRow_.Take(sessions);
}

void TAddEditSessionsForm::BitBtn1Click(TObject*) {
  DropBlankNewSession();
  vt::RecordEditorDone(this, SQLDataModule->qSessions, CheckBox1);
}

// Add, then Done with nothing typed and no room added: no session is kept, neither the pending
// row nor the one leaving Description stored with its copy of the default types.
void TAddEditSessionsForm::DropBlankNewSession() {
  TADOQuery* sessions = SQLDataModule->qSessions;
  if (sessions->State() == dsInsert) {
    newRow_.GiveUpWhenNothingTyped(sessions);
    return;
  }
  if (!newRow_.NothingTyped(sessions) || !SQLDataModule->qRooms->IsEmpty() || !SQLDataModule->qCRooms->IsEmpty())
    return;
  sessions->Cancel();
  vt::DeleteSession(Connection(), sessions);
}

// Import Default Types: the session's types replaced by the defaults, whole or not at all.
void TAddEditSessionsForm::BitBtn4Click(TObject*) {
  if (Application->MessageBox("This will delete all current Types and add the default Types. Do you wish to continue?",
                              "Confirm Process", MB_YESNO) != IDYES)
    return;
  TADOTable* types = SQLDataModule->tSessionSessionTypes;
  vt::Transaction transaction(Connection());
  vt::Reopen(types);
  while (!types->IsEmpty()) types->Delete();
  vt::Reopen(types);
  CopyDefaultTypes();
  transaction.Commit();
}

// Change Amounts: the selected type's new prices; enrolments keep the prices they were made at.
// The types list then shows what is stored, also when another copy of the program changed or
// deleted the type meanwhile.
void TAddEditSessionsForm::BitBtn3Click(TObject*) {
  TADOTable* types = SQLDataModule->tSessionSessionTypes;
  if (types->IsEmpty()) return;  // Edit would append a type without a letter
  Currency totalCosts, deposit;
  if (!vt::ReadAmount(VtCalcEdit2, totalCosts) || !vt::ReadAmount(VtCalcEdit3, deposit)) return;
  vt::PostChange(types, [&] {
    types->FieldByName("TotalCosts")->SetAsCurrency(totalCosts);
    types->FieldByName("DepositAmount")->SetAsCurrency(deposit);
  });
}

// Add This Room: a room of the session with all its places free. The inputs keep their values,
// so several like rooms are added by repeated clicks.
void TAddEditSessionsForm::BitBtn2Click(TObject*) {
  if (Edit1->Text().empty() || Edit2->Text().empty() || VtCalcEdit1->Value() == 0) {
    Application->MessageBox("Please fill out all room information.", "Error", MB_OK);
    Edit1->SetFocus();
    return;
  }
  const int size = VtCalcEdit1->AsInteger();
  TADOQuery* rooms = CheckBox2->Checked() ? SQLDataModule->qCRooms : SQLDataModule->qRooms;
  vt::Reopen(rooms);
  rooms->Append();
  rooms->FieldByName("SessionID")->SetAsInteger(SQLDataModule->qSessions->FieldByName("SessionID")->AsInteger());
  rooms->FieldByName("HotelName")->SetAsString(Edit1->Text());
  rooms->FieldByName("RoomNumber")->SetAsString(Edit2->Text());
  rooms->FieldByName("NumberInRoom")->SetAsInteger(size);
  rooms->FieldByName("NumberAvailable")->SetAsInteger(size);
  vt::PostOrGiveUp(rooms);
  vt::Reopen(rooms);
  Edit1->SetFocus();
}

void TAddEditSessionsForm::BitBtn6Click(TObject*) { DeleteSelectedRoom(SQLDataModule->qRooms, vt::kAttendeeRooms); }
void TAddEditSessionsForm::BitBtn5Click(TObject*) { DeleteSelectedRoom(SQLDataModule->qCRooms, vt::kChaperoneRooms); }

void TAddEditSessionsForm::GDBMaskEdit5Exit(TObject*) {
  vt::ZipLookup(GDBMaskEdit5, SQLDataModule->qSessions, "LocationCity", "LocationState");
}

// Enter in the zip goes on to the Balance Due Date, the next control of the first page.
void TAddEditSessionsForm::GDBMaskEdit5KeyPress(TObject*, char& Key) {
  if (Key == '\r') DBDateEdit5->SetFocus();
}

void TAddEditSessionsForm::DBCheckBox1KeyPress(TObject*, char& Key) {
  if (Key == '\r') vt::FocusNextControl(this);
}

void TAddEditSessionsForm::DBGrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  StoreGridWidths(DBGrid1, "23");
}
