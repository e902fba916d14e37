// Membership writes of the team page and the team builder, each in one transaction.
#include "app/forms/TeamMembership.h"

#include "app/SQLData.h"
#include "app/forms/MainQueries.h"
#include "db/Fields.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"

namespace vt {

namespace {

int Run(const String& sql) {
  TADOQuery* scratch = SQLDataModule->qMisc5;
  scratch->Close();
  scratch->SQL()->SetStrings(0, sql);
  return scratch->ExecSQL();
}

// A team another copy of the program deleted, or one of another session, takes nobody.
void RequireTeamOfSession(const String& teamId, const String& sessionId) {
  TADOQuery team(nullptr);
  team.SetConnection(SQLDataModule->dbVantrelADO);
  team.SQL()->Add("SELECT SessionID FROM Teams WHERE TeamID = " + teamId);
  team.Open();
  if (team.IsEmpty()) RefuseDeletedRow(CompanyWord("Teams", "Team"));
  if (team.FieldByName("SessionID")->AsString() != sessionId)
    throw Exception("This Team belongs to another Session: nobody was put on it.");
}

}  // namespace

namespace {

String TeamValue(const String& teamId) { return teamId.empty() ? String("Null") : teamId; }

String OnTeam(const String& teamId) { return teamId.empty() ? String("TeamID Is Null") : "TeamID = " + teamId; }

}  // namespace

int MoveToTeam(const String& sessionId, const std::vector<int>& campers, const String& fromTeamId,
               const String& toTeamId) {
  if (campers.empty() || fromTeamId == toTeamId) return 0;
  Transaction transaction(SQLDataModule->dbVantrelADO);
  if (!toTeamId.empty()) RequireTeamOfSession(toTeamId, sessionId);
  String list;
  for (int camper : campers) list += (list.empty() ? "" : ", ") + IntToStr(camper);
  const int moved = Run("UPDATE AttendeeSession SET TeamID = " + TeamValue(toTeamId) + " WHERE SessionID = " +
                        sessionId + " AND CamperID IN (" + list + ") AND " + OnTeam(fromTeamId));
  transaction.Commit();
  return moved;
}

void DeleteTeam(TDataSet* teams) {
  Transaction transaction(SQLDataModule->dbVantrelADO);
  Run("UPDATE AttendeeSession SET TeamID = Null WHERE TeamID = " + KeyText(teams, "TeamID"));
  teams->Delete();
  transaction.Commit();
}

void DeleteAllTeams(const String& sessionId) {
  Transaction transaction(SQLDataModule->dbVantrelADO);
  Run("UPDATE AttendeeSession SET TeamID = Null WHERE TeamID Is Not Null AND (SessionID = " + sessionId +
      " OR TeamID IN (SELECT TeamID FROM Teams WHERE SessionID = " + sessionId + "))");
  Run("DELETE FROM Teams WHERE SessionID = " + sessionId);
  transaction.Commit();
}

}  // namespace vt
