// The team page's automatic builder: "Auto Create Teams" in its two modes (teams of one position,
// or mixed teams with each position's number per team) within each league's age or grade range,
// and the type filter that restarts its counters.
#include <climits>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <unordered_set>
#include <vector>

#include "app/SQLData.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "app/forms/PlacementProgress.h"
#include "app/forms/TeamMembership.h"
#include "components/edits/CurrEdit.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"

using vt::CompanyWord;
using vt::CurrentSessionId;
using vt::Reopen;
using vt::SetLinesAndOpen;

namespace {

// A date as the filters compare it: month, day and four-digit year with "/" between.
String FilterDate(TDateTime date) {
  Word year, month, day;
  DecodeDate(date, year, month, day);
  return Format("'%.2d/%.2d/%.4d'", {int(month), int(day), int(year)});
}

// The part of the unassigned list that falls in the current league's range: dates of birth
// for a league grouped by age, grades otherwise.
String LeagueFilter(TDataSet* leagues) {
  const int begin = leagues->FieldByName("BeginRange")->AsInteger();
  const int end = leagues->FieldByName("EndRange")->AsInteger();
  if (leagues->FieldByName("AddBy")->AsString() == "Age") {
    const TDateTime today = Date();
    const TDateTime upper = std::trunc(today - begin * 365.25);
    const TDateTime lower = std::trunc(today - (end + 1) * 365.25);
    return "DOB <= " + FilterDate(upper) + " AND DOB >= " + FilterDate(lower);
  }
  return "Grade >= " + IntToStr(begin) + " AND Grade <= " + IntToStr(end);
}

// Every row of the table, reopened, in its order, as read makes it.
template <typename Row>
std::vector<Row> ReadTable(TADOTable* table, Row (*read)(TDataSet*)) {
  Reopen(table);
  vt::DisabledControls walk(table);  // the controls hear of the walk once, when it ends
  std::vector<Row> rows;
  for (table->First(); !table->Eof(); table->Next()) rows.push_back(read(table));
  return rows;
}

// A league of the session as one run reads it.
struct League {
  String name;
  String filter;
};

League ReadLeague(TDataSet* leagues) { return {leagues->FieldByName("LeagueName")->AsString(), LeagueFilter(leagues)}; }

// A row of the position table: how many of the position make one team.
struct Place {
  String position;
  int numberOnTeam;
};

Place ReadPlace(TDataSet* positions) {
  return {positions->FieldByName("APosition")->AsString(), positions->FieldByName("NumberOnTeam")->AsInteger()};
}

String PositionInLeagueFilter(const Place& place, const League& league) {
  return "NormalPosition = " + vt::SqlQuote(place.position) + " AND " + league.filter;
}

// qMisc on the session's teams, where new teams are appended; the passes of one run share it.
void OpenSessionTeams() {
  const String sql = "Select * From Teams Where SessionID = " + CurrentSessionId();
  TADOQuery* teams = SQLDataModule->qMisc;
  if (teams->Active() && teams->SQL()->Strings(0) == sql) return;
  SetLinesAndOpen(teams, {{0, sql}});
}

// The unassigned list, read once a run. Each filter picks its group of it once, in the list's
// order (oldest first); whoever the run has placed is passed over from then on, so a run costs
// one read of the list and one filter per league and position, whatever its number of passes.
class UnassignedList {
public:
  explicit UnassignedList(TADOQuery* query) : query_(query) {
    query_->DisableControls();
    query_->Close();
    query_->SetFiltered(false);
    query_->SetFilter("");
    query_->Open();
  }
  // The list without a filter; the caller reads it again when the run ends.
  ~UnassignedList() {
    query_->SetFiltered(false);
    query_->SetFilter("");
    query_->EnableControls();
  }
  UnassignedList(const UnassignedList&) = delete;
  UnassignedList& operator=(const UnassignedList&) = delete;

  int Count() const { return query_->RecordCount(); }
  // Whether anybody not yet placed passes filter (the whole list for an empty filter).
  bool AnyLeft(const String& filter) {
    Group& group = GroupOf(filter);
    SkipPlaced(group);
    return group.first < group.campers.size();
  }
  // Up to count attendees not yet placed that pass filter, oldest first; they count as placed.
  std::vector<int> Take(const String& filter, size_t count) {
    Group& group = GroupOf(filter);
    std::vector<int> taken;
    for (SkipPlaced(group); group.first < group.campers.size() && taken.size() < count; ++group.first)
      if (placed_.insert(group.campers[group.first]).second) taken.push_back(group.campers[group.first]);
    return taken;
  }
  std::vector<int> TakeAll(const String& filter) { return Take(filter, SIZE_MAX); }

private:
  struct Group {
    std::vector<int> campers;
    size_t first = 0;  // the rows before it are placed
  };

  Group& GroupOf(const String& filter) {
    const auto [found, added] = groups_.try_emplace(filter);
    if (!added) return found->second;
    query_->SetFilter(filter);
    query_->SetFiltered(!filter.empty());
    TField* camper = query_->FieldByName("CamperID");
    for (query_->First(); !query_->Eof(); query_->Next()) found->second.campers.push_back(camper->AsInteger());
    return found->second;
  }
  void SkipPlaced(Group& group) const {
    while (group.first < group.campers.size() && placed_.count(group.campers[group.first])) ++group.first;
  }

  TADOQuery* query_;
  std::map<String, Group> groups_;
  std::unordered_set<int> placed_;
};

// One press of "Auto Create Teams": the unassigned list, the leagues and the positions as the
// run found them, the teams it made and its progress on the page.
class TeamBuildingRun {
public:
  explicit TeamBuildingRun(TLabel* status)
      : unassigned(SQLDataModule->qAttendeesInTeams), leagues(ReadTable(SQLDataModule->tLeagues, ReadLeague)),
        places(ReadTable(SQLDataModule->tPositions, ReadPlace)),
        progress_(status, unassigned.Count()), teamLimit_(size_t(unassigned.Count()) + leagues.size()) {}

  // Appends the session's team and puts its members on it, in one transaction: a failure leaves
  // neither the team nor any member's team behind, and one after teams were made says how many.
  // Only members still without a team join; when another copy of the program gave every one of
  // them a team meanwhile, no team is made. Returns how many joined. A run never makes more teams
  // than there are attendees to place plus one for each league.
  int CreateTeam(const String& leagueName, const String& teamName, const std::vector<int>& members) {
    if (teamsMade_ == teamLimit_)
      throw Exception(Format("Auto Create %s stopped after %d %s: that is more than the unassigned attendees "
                             "and the leagues can fill.",
                             {CompanyWord("TeamsP", "Teams"), int(teamsMade_), CompanyWord("TeamsP", "Teams")}));
    try {
      return WriteTeam(leagueName, teamName, members);
    } catch (const Exception& failure) {
      if (teamsMade_ == 0) throw;
      progress_.StoppedPartWay(failure, StoppedHere());
    }
  }

  UnassignedList unassigned;
  const std::vector<League> leagues;
  const std::vector<Place> places;
  std::set<String> emptyLeagues;  // leagues of the "Team" mode whose team came out empty

private:
  // The team in its transaction, once its session and league are found there (another copy of
  // the program may have deleted them).
  int WriteTeam(const String& leagueName, const String& teamName, const std::vector<int>& members) {
    TSQLDataModule* data = SQLDataModule;
    TADOQuery* teams = data->qMisc;
    const String session = CurrentSessionId();
    vt::Transaction transaction(data->dbVantrelADO);
    vt::RequireLeague(session, leagueName);
    teams->Append();
    teams->FieldByName("SessionID")->SetAsInteger(StrToInt(session));
    teams->FieldByName("LeagueName")->SetAsString(leagueName);
    teams->FieldByName("TeamName")->SetAsString(teamName);
    vt::PostOrGiveUp(teams);
    const int joined = vt::MoveToTeam(session, members, "", teams->FieldByName("TeamID")->AsString());
    if (joined == 0 && !members.empty()) return 0;
    transaction.Commit();
    ++teamsMade_;
    progress_.Placed(joined);
    return joined;
  }

  // What the run made before a failure stopped it: "1 Team was made and 5 of 13 were put on a Team".
  vt::StoppedRun StoppedHere() const {
    const String team = CompanyWord("Teams", "Team");
    const String teams = CompanyWord("TeamsP", "Teams");
    const String made =
        teamsMade_ == 1 ? "1 " + team + " was made and " : IntToStr(int(teamsMade_)) + " " + teams + " were made and ";
    return {made, "were put on a " + team, "they keep their " + teams, "Auto Create " + teams, team};
  }

  vt::PlacementProgress progress_;
  const size_t teamLimit_;
  size_t teamsMade_ = 0;
};

// Mode "Position": for each position and league, its attendees in teams of onEachTeam, the
// last team of each group taking the rest; teams are numbered from 1 on every run.
void CreateTeamsByPosition(TeamBuildingRun& run, const String& teamWord, size_t onEachTeam) {
  int teamNumber = 1;
  for (const Place& place : run.places)
    for (const League& league : run.leagues) {
      const std::vector<int> group = run.unassigned.TakeAll(PositionInLeagueFilter(place, league));
      for (size_t first = 0; first < group.size(); first += onEachTeam) {
        const size_t last = std::min(group.size(), first + onEachTeam);
        run.CreateTeam(league.name, teamWord + IntToStr(teamNumber++),
                       std::vector<int>(group.begin() + first, group.begin() + last));
      }
    }
}

// The number "On Each Team" as a whole number, its fraction dropped and a number beyond the
// integers taken as the largest one; none, after the focus went to the edit, when its whole part
// is 0 or less.
std::optional<int> OnEachTeam(TMainForm* form) {
  const long double whole = std::trunc(form->VtCalcEdit1->Value());
  if (!(whole > 0)) {
    form->VtCalcEdit1->SetFocus();
    return std::nullopt;
  }
  return whole >= INT_MAX ? INT_MAX : int(whole);
}

// The per-place multiple of the "Team" mode, or none after its refusal was shown.
std::optional<int> PerPlace(const String& teamWord, int onEachTeam) {
  TSQLDataModule* data = SQLDataModule;
  SetLinesAndOpen(data->qMisc6, {{0, "SELECT SUM(NumberOnTeam) AS TeamTotal FROM Positions"}});
  TField* totalField = data->qMisc6->FieldByName("TeamTotal");
  if (totalField->IsNull()) {
    Application->MessageBox("Please enter data for positions.", "Error", MB_OK);
    return std::nullopt;
  }
  const int total = totalField->AsInteger();
  if (total <= 0 || onEachTeam % total != 0 || onEachTeam / total > 5) {
    Application->MessageBox(
        Format("The number on each %s must be a factor of the normal %s Total.\n%d, %d, %d, %d, %d etc... "
               "Once a %s is created in this fashion you may edit it and add people to it.",
               {teamWord, teamWord, total, 2 * total, 3 * total, 4 * total, 5 * total, teamWord}),
        "Error", MB_OK);
    return std::nullopt;
  }
  return onEachTeam / total;
}

// Mode "Team": every league with somebody in range gets one team with, for each position,
// perPlace times its number on a team, oldest first. A league whose team came out empty has
// nobody it could ever place and gets no further team in the run. True when the pass placed
// somebody and attendees are still waiting.
bool CreateMixedTeamsPass(TMainForm* form, TeamBuildingRun& run, const String& teamWord, int perPlace) {
  bool placedAnybody = false;
  for (const League& league : run.leagues) {
    if (run.emptyLeagues.count(league.name) || !run.unassigned.AnyLeft(league.filter)) continue;
    std::vector<int> members;
    for (const Place& place : run.places) {
      const std::vector<int> taken =
          run.unassigned.Take(PositionInLeagueFilter(place, league), size_t(std::max(perPlace * place.numberOnTeam, 0)));
      members.insert(members.end(), taken.begin(), taken.end());
    }
    const int joined = run.CreateTeam(league.name, teamWord + form->VtCalcEdit2->Text(), members);
    form->VtCalcEdit2->SetValue(form->VtCalcEdit2->Value() + 1);
    if (members.empty()) run.emptyLeagues.insert(league.name);
    placedAnybody = placedAnybody || joined > 0;
  }
  return placedAnybody && run.unassigned.AnyLeft("");
}

// One pass; true when a further pass is due. The run's lists are read by its first pass that
// builds.
bool AutoCreateTeamsPass(TMainForm* form, std::optional<TeamBuildingRun>& run) {
  if (form->VtCalcEdit3->Value() == form->VtCalcEdit2->Value()) return false;
  form->VtCalcEdit3->SetValue(form->VtCalcEdit2->Value());
  const String teamWord = CompanyWord("Teams", "Team");
  if (SQLDataModule->qSessions->IsEmpty()) return false;
  OpenSessionTeams();
  const std::optional<int> onEachTeam = OnEachTeam(form);
  if (!onEachTeam) return false;
  if (form->ComboBox11->ItemIndex() != 1) {
    if (!run) run.emplace(form->TeamsProgress);
    CreateTeamsByPosition(*run, teamWord, size_t(*onEachTeam));
    return false;
  }
  const std::optional<int> perPlace = PerPlace(teamWord, *onEachTeam);
  if (!perPlace) return false;
  if (!run) run.emplace(form->TeamsProgress);
  return CreateMixedTeamsPass(form, *run, teamWord, *perPlace);
}

}  // namespace

// "Auto Create Teams": passes of the builder until one of them has nothing more to do, then the
// lists show what was made, also when a team could not be written.
void TMainForm::BitBtn13Click(TObject* Sender) {
  try {
    std::optional<TeamBuildingRun> run;
    while (AutoCreateTeamsPass(this, run)) {
    }
  } catch (...) {
    ReopenTeamLists();
    throw;
  }
  ReopenTeamLists();
}

// The type filter of the unassigned list; a new choice starts the team counters again.
void TMainForm::RadioGroup2Click(TObject* Sender) {
  if (RadioGroup2->ItemIndex() < 0) return;
  SetLinesAndOpen(SQLDataModule->qAttendeesInTeams, {{3, TeamTypeLine()}});
  ResetTeamCounters();
}

String TMainForm::TeamTypeLine() const {
  const int index = RadioGroup2->ItemIndex();
  String line = "AND AttendeeSession.SessionID = " + CurrentSessionId();
  if (index > 0) line += " AND Type = " + vt::SqlQuote(RadioGroup2->Items()->Strings(index));
  return line;
}

void TMainForm::ResetTeamCounters() {
  VtCalcEdit2->SetValue(1);
  VtCalcEdit3->SetValue(0);
}
