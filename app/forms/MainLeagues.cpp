// The leagues page: the session's leagues replaced by a copy of the default list, by age or by
// grade, and a chaperone named as the selected league's coordinator.
#include "app/SQLData.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"

using vt::Reopen;

// "Import": after the question, the current session's leagues are deleted and the default list
// copied in, all in one transaction, once the session is found in it (another copy of the
// program may have deleted it). Without a current session there is nothing to import into.
void TMainForm::BitBtn10Click(TObject* Sender) {
  TSQLDataModule* data = SQLDataModule;
  const String leagues = TabSheet4->Caption();
  if (data->qSessions->IsEmpty()) {
    Application->MessageBox("There is no current " + vt::CompanyWord("Sessions", "Session") + " to import the default " +
                                leagues + " into.",
                            "Error", MB_OK);
    return;
  }
  const String question = "This will delete all current " + leagues + " and add the default " + leagues +
                          ". Do you wish to continue?";
  if (Application->MessageBox(question, "Confirm Process", MB_YESNO) != IDYES) return;

  TADOTable* sessionLeagues = data->tLeagues;
  TADOTable* defaults = data->tDefaultLeagues;
  const bool byAge = ComboBox7->Text() == "Age";
  vt::Transaction transaction(data->dbVantrelADO);
  vt::RequireSession(vt::CurrentSessionId());
  Reopen(sessionLeagues);
  while (!sessionLeagues->IsEmpty()) sessionLeagues->Delete();
  Reopen(defaults);
  for (defaults->First(); !defaults->Eof(); defaults->Next()) {
    sessionLeagues->Append();
    sessionLeagues->FieldByName("SessionID")->SetAsInteger(data->qSessions->FieldByName("SessionID")->AsInteger());
    sessionLeagues->FieldByName("LeagueName")->SetValue(defaults->FieldValues("LeagueName"));
    sessionLeagues->FieldByName("BeginRange")->SetValue(defaults->FieldValues(byAge ? "BeginAgeRange" : "BeginGradeRange"));
    sessionLeagues->FieldByName("EndRange")->SetValue(defaults->FieldValues(byAge ? "EndAgeRange" : "EndGradeRange"));
    sessionLeagues->FieldByName("AddBy")->SetAsString(ComboBox7->Text());
    vt::PostOrGiveUp(sessionLeagues);
  }
  transaction.Commit();
}

// "Assign": the coordinator's name, typed or chosen, goes into the selected league.
void TMainForm::BitBtn11Click(TObject* Sender) {
  TADOTable* leagues = SQLDataModule->tLeagues;
  const String coordinator = ComboBox8->Text();
  if (coordinator.empty() || leagues->IsEmpty()) return;
  vt::PostText(leagues, "Coordinator", coordinator);
}
