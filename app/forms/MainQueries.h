// Query helpers the main window's pages share: rewriting a query's numbered lines, reopening a
// dataset, and the keys and company words its commands put into SQL and captions.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

#include "rtl/StrUtils.h"

class TADOQuery;
class TDataSet;

namespace vt {

using LineText = std::pair<int, String>;

// Closes the query, replaces whole lines of its SQL and opens it again.
void SetLinesAndOpen(TADOQuery* query, std::initializer_list<LineText> lines);
// Fetches every row of an open dataset (last, then first).
void FetchAll(TDataSet* dataSet);
void Reopen(TDataSet* dataSet, bool fetchAll = false);
// Reopens a dataset and goes back to the row it was on, where that row still exists; false when
// it does not (another copy of the program deleted it).
bool ReopenOnSameRow(TDataSet* dataSet);

// The members query of one of the session's detail tables (room occupants, team members): line 3
// names the current session and line 2 the table's current row. Without a session or a row in
// the table the members query is closed, so its grid shows nothing rather than other members.
void ShowMembersOf(TDataSet* table, TADOQuery* members, const String& sessionLine, const String& keyLine,
                   const char* key);

// Post; when the database refuses it, the pending row is given up (Cancel) and the error goes
// on, so no half-made row waits for the next scroll to post it.
void PostOrGiveUp(TDataSet* dataSet);

// Edits the dataset's current row by change and posts it, then reads the dataset again on that
// row, whether the write went through or was refused (another copy of the program changed or
// deleted the row): the grid shows what is stored, and the refusal goes on.
void PostChange(TDataSet* dataSet, const std::function<void()>& change);
// PostChange writing one column's text.
void PostText(TDataSet* dataSet, const char* column, const String& text);

// The refusal of a write whose row (named by what) another copy of the program deleted.
[[noreturn]] void RefuseDeletedRow(const String& what);
// Inside a write's transaction: the row that the write names (a session, league, team, room or
// enrolment) must still be there. When another copy of the program deleted it, EDatabaseError
// "This <what> was deleted by another user: nothing was saved." is raised before anything is
// written. where is the row's SQL condition.
void RequireRow(const char* table, const String& where, const String& what);
// RequireRow for the session with this SessionID, named by the company's session word.
void RequireSession(const String& sessionId);
// RequireSession, then RequireRow for the session's league of this name (a team names its league).
void RequireLeague(const String& sessionId, const String& leagueName);

// The integer key of the dataset's current row as decimal text.
String KeyText(TDataSet* dataSet, const char* key);
// The current session's SessionID (the current row of qSessions) as text.
String CurrentSessionId();
// A column of the company record as text (empty for null).
String CompanyText(const char* column);
// A company word, or the fixed word when its column is empty.
String CompanyWord(const char* column, const String& fallback);

}  // namespace vt
