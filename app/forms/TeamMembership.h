// Team rows and the enrolments that point at them, written together: members put on or taken
// off a team, and teams deleted with their members given back to the unassigned list. A team
// holds enrolments of its own session only.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

class TDataSet;

namespace vt {

// Moves the session's enrolments of these attendees (by CamperID) that are still on fromTeamId
// (no team for an empty one) to toTeamId (no team for an empty one), and returns how many moved:
// an enrolment another copy of the program moved meanwhile stays where it is. A team another copy
// deleted, or a team of another session, is refused and nothing is written. One transaction, or a
// level of the caller's.
int MoveToTeam(const String& sessionId, const std::vector<int>& campers, const String& fromTeamId,
               const String& toTeamId);

// Deletes the current row of teams (a dataset over table Teams) and, in the same transaction,
// clears the team of every enrolment that pointed at it.
void DeleteTeam(TDataSet* teams);

// Every team of the session deleted, and no enrolment of the session or in one of its teams left
// with a team, in one transaction.
void DeleteAllTeams(const String& sessionId);

}  // namespace vt
