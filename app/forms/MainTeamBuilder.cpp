// The team page's automatic builder: "Auto Create Teams" in its two modes (teams of one position,
// or mixed teams with each position's number per team) within each league's age or grade range,
// and the type filter that restarts its counters.
#include <cmath>
#include <set>
#include <vector>

#include "app/SQLData.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
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

// A row of the position table: how many of the position make one team.
struct Place {
  String position;
  int numberOnTeam;
};

// The position table in table order; it is read once a pass, as nothing in a pass changes it.
std::vector<Place> ReadPlaces() {
  TADOTable* positions = SQLDataModule->tPositions;
  Reopen(positions);
  std::vector<Place> places;
  for (positions->First(); !positions->Eof(); positions->Next())
    places.push_back({positions->FieldByName("APosition")->AsString(), positions->FieldByName("NumberOnTeam")->AsInteger()});
  return places;
}

String PositionInLeagueFilter(const Place& place, TDataSet* leagues) {
  return "NormalPosition = " + vt::SqlQuote(place.position) + " AND " + LeagueFilter(leagues);
}

// qMisc on the session's teams, where new teams are appended; the passes of one run share it.
void OpenSessionTeams() {
  const String sql = "Select * From Teams Where SessionID = " + CurrentSessionId();
  TADOQuery* teams = SQLDataModule->qMisc;
  if (teams->Active() && teams->SQL()->Strings(0) == sql) return;
  SetLinesAndOpen(teams, {{0, sql}});
}

// The unassigned list, read once and then narrowed by one filter after another. Attendees
// given a team since it was read are still in it; they are skipped by their key.
class UnassignedList {
public:
  explicit UnassignedList(TADOQuery* query) : query_(query) {
    query_->DisableControls();
    Read();
  }
  // The list without a filter; the caller reads it again when the run ends.
  ~UnassignedList() {
    query_->SetFiltered(false);
    query_->SetFilter("");
    query_->EnableControls();
  }
  UnassignedList(const UnassignedList&) = delete;
  UnassignedList& operator=(const UnassignedList&) = delete;

  // Reads what is stored again: nobody in it has a team.
  void Read() {
    query_->Close();
    query_->SetFiltered(false);
    query_->SetFilter("");
    query_->Open();
    placed_.clear();
  }
  // Whether anybody without a team passes filter (the whole list for an empty filter).
  bool AnyLeft(const String& filter) { return !Take(filter, 1, /*mark=*/false).empty(); }
  // Up to count attendees without a team that pass filter, oldest first; they count as placed.
  std::vector<int> Take(const String& filter, size_t count, bool mark = true) {
    query_->SetFilter(filter);
    query_->SetFiltered(!filter.empty());
    TField* camper = query_->FieldByName("CamperID");
    std::vector<int> taken;
    for (query_->First(); !query_->Eof() && taken.size() < count; query_->Next())
      if (!placed_.count(camper->AsInteger())) taken.push_back(camper->AsInteger());
    if (mark) placed_.insert(taken.begin(), taken.end());
    return taken;
  }
  std::vector<int> TakeAll(const String& filter) { return Take(filter, SIZE_MAX); }

private:
  TADOQuery* query_;
  std::set<int> placed_;
};

// Appends the session's team and puts its members on it, in one transaction: a failure leaves
// neither the team nor any member's team behind.
void CreateTeam(const String& leagueName, const String& teamName, const std::vector<int>& members) {
  TSQLDataModule* data = SQLDataModule;
  TADOQuery* teams = data->qMisc;
  vt::Transaction transaction(data->dbVantrelADO);
  teams->Append();
  teams->FieldByName("SessionID")->SetAsInteger(data->qSessions->FieldByName("SessionID")->AsInteger());
  teams->FieldByName("LeagueName")->SetAsString(leagueName);
  teams->FieldByName("TeamName")->SetAsString(teamName);
  vt::PostOrGiveUp(teams);
  vt::SetTeamOf(CurrentSessionId(), members, teams->FieldByName("TeamID")->AsString());
  transaction.Commit();
}

}  // namespace

// "Auto Create Teams": passes of the builder until one of them has nothing more to do, then the
// lists show what was made, also when a team could not be written.
void TMainForm::BitBtn13Click(TObject* Sender) {
  try {
    while (AutoCreateTeamsPass()) {
    }
  } catch (...) {
    ShowBuiltTeams();
    throw;
  }
  ShowBuiltTeams();
}

void TMainForm::ShowBuiltTeams() {
  SQLDataModule->qMisc->Close();
  Reopen(SQLDataModule->qAttendeesInTeams);
  RefreshTeamLists();
}

// One pass; true when a further pass is due.
bool TMainForm::AutoCreateTeamsPass() {
  if (VtCalcEdit3->Value() == VtCalcEdit2->Value()) return false;
  VtCalcEdit3->SetValue(VtCalcEdit2->Value());
  const String teamWord = CompanyWord("Teams", "Team");
  if (SQLDataModule->qSessions->IsEmpty()) return false;
  OpenSessionTeams();
  if (VtCalcEdit1->Value() <= 0) {
    VtCalcEdit1->SetFocus();
    return false;
  }
  const int onEachTeam = int(std::trunc(VtCalcEdit1->Value()));
  if (ComboBox11->ItemIndex() != 1) {
    CreateTeamsByPosition(teamWord, onEachTeam);
    return false;
  }
  return CreateMixedTeamsPass(teamWord, onEachTeam);
}

// Mode "Position": for each position and league, its attendees in teams of onEachTeam, the
// last team of each group taking the rest; teams are numbered from 1 on every run.
void TMainForm::CreateTeamsByPosition(const String& teamWord, int onEachTeam) {
  TSQLDataModule* data = SQLDataModule;
  UnassignedList unassigned(data->qAttendeesInTeams);
  int teamNumber = 1;
  TADOTable* leagues = data->tLeagues;
  for (const Place& place : ReadPlaces()) {
    Reopen(leagues);
    vt::DisabledControls walk(leagues);  // the controls hear of the walk once, when it ends
    for (leagues->First(); !leagues->Eof(); leagues->Next()) {
      const std::vector<int> group = unassigned.TakeAll(PositionInLeagueFilter(place, leagues));
      for (size_t first = 0; first < group.size(); first += onEachTeam) {
        const size_t last = std::min(group.size(), first + onEachTeam);
        CreateTeam(leagues->FieldByName("LeagueName")->AsString(), teamWord + IntToStr(teamNumber++),
                   std::vector<int>(group.begin() + first, group.begin() + last));
      }
    }
  }
}

// Mode "Team": every league with somebody in range gets one team with, for each position,
// (onEachTeam / position total) times its number on a team, oldest first. True when the pass
// placed somebody and attendees are still waiting.
bool TMainForm::CreateMixedTeamsPass(const String& teamWord, int onEachTeam) {
  TSQLDataModule* data = SQLDataModule;
  SetLinesAndOpen(data->qMisc6, {{0, "SELECT SUM(NumberOnTeam) AS TeamTotal FROM Positions"}});
  TField* totalField = data->qMisc6->FieldByName("TeamTotal");
  if (totalField->IsNull()) {
    Application->MessageBox("Please enter data for positions.", "Error", MB_OK);
    return false;
  }
  const int total = totalField->AsInteger();
  if (total <= 0 || onEachTeam % total != 0 || onEachTeam / total > 5) {
    Application->MessageBox(
        Format("The number on each %s must be a factor of the normal %s Total.\n%d, %d, %d, %d, %d etc... "
               "Once a %s is created in this fashion you may edit it and add people to it.",
               {teamWord, teamWord, total, 2 * total, 3 * total, 4 * total, 5 * total, teamWord}),
        "Error", MB_OK);
    return false;
  }
  const int perPlace = onEachTeam / total;

  bool placedAnybody = false;
  UnassignedList unassigned(data->qAttendeesInTeams);
  const std::vector<Place> places = ReadPlaces();
  TADOTable* leagues = data->tLeagues;
  Reopen(leagues);
  vt::DisabledControls walk(leagues);  // the controls hear of the walk once, when it ends
  for (leagues->First(); !leagues->Eof(); leagues->Next()) {
    if (!unassigned.AnyLeft(LeagueFilter(leagues))) continue;
    std::vector<int> members;
    for (const Place& place : places) {
      const int quota = perPlace * place.numberOnTeam;
      const std::vector<int> taken = unassigned.Take(PositionInLeagueFilter(place, leagues), std::max(quota, 0));
      members.insert(members.end(), taken.begin(), taken.end());
    }
    CreateTeam(leagues->FieldByName("LeagueName")->AsString(), teamWord + VtCalcEdit2->Text(), members);
    VtCalcEdit2->SetValue(VtCalcEdit2->Value() + 1);
    placedAnybody = placedAnybody || !members.empty();
  }
  unassigned.Read();
  return placedAnybody && unassigned.AnyLeft("");
}

// The type filter of the unassigned list; a new choice starts the team counters again.
void TMainForm::RadioGroup2Click(TObject* Sender) {
  const int index = RadioGroup2->ItemIndex();
  if (index < 0) return;
  String line = "AND AttendeeSession.SessionID = " + CurrentSessionId();
  if (index > 0) line += " AND Type = " + vt::SqlQuote(RadioGroup2->Items()->Strings(index));
  SetLinesAndOpen(SQLDataModule->qAttendeesInTeams, {{3, line}});
  ResetTeamCounters();
}

void TMainForm::ResetTeamCounters() {
  VtCalcEdit2->SetValue(1);
  VtCalcEdit3->SetValue(0);
}
