// Team rows and the enrolments that point at them, written together: members put on or taken
// off a team, and teams deleted with their members given back to the unassigned list.
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

class TDataSet;

namespace vt {

// Points the session's enrolments of these attendees (by CamperID) at the team, or at no team
// for an empty teamId. Runs inside the caller's transaction, or as one statement of its own.
void SetTeamOf(const String& sessionId, const std::vector<int>& campers, const String& teamId);

// Deletes the current row of teams (a dataset over table Teams) and, in the same transaction,
// clears the team of every enrolment of the current session that pointed at it.
void DeleteTeam(TDataSet* teams);

// Every team of the session deleted and every enrolment of it without a team, in one transaction.
void DeleteAllTeams(const String& sessionId);

}  // namespace vt
