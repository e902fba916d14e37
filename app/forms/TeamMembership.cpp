// Membership writes of the team page and the team builder, each in one transaction.
#include "app/forms/TeamMembership.h"

#include "app/SQLData.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "rtl/StringList.h"

namespace vt {

namespace {

int Run(const String& sql) {
  TADOQuery* scratch = SQLDataModule->qMisc5;
  scratch->Close();
  scratch->SQL()->SetStrings(0, sql);
  return scratch->ExecSQL();
}

}  // namespace

void SetTeamOf(const String& sessionId, const std::vector<int>& campers, const String& teamId) {
  if (campers.empty()) return;
  String list;
  for (int camper : campers) list += (list.empty() ? "" : ", ") + IntToStr(camper);
  Run("UPDATE AttendeeSession SET TeamID = " + (teamId.empty() ? String("Null") : teamId) +
      " WHERE SessionID = " + sessionId + " AND CamperID IN (" + list + ")");
}

void DeleteTeam(TDataSet* teams) {
  Transaction transaction(SQLDataModule->dbVantrelADO);
  Run("UPDATE AttendeeSession SET TeamID = Null WHERE SessionID = " + CurrentSessionId() +
      " AND TeamID = " + KeyText(teams, "TeamID"));
  teams->Delete();
  transaction.Commit();
}

void DeleteAllTeams(const String& sessionId) {
  Transaction transaction(SQLDataModule->dbVantrelADO);
  Run("DELETE FROM Teams WHERE SessionID = " + sessionId);
  Run("UPDATE AttendeeSession SET TeamID = Null WHERE SessionID = " + sessionId);
  transaction.Commit();
}

}  // namespace vt
