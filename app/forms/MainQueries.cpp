// Query helpers shared by the main window's pages.
#include "app/forms/MainQueries.h"

#include "app/SQLData.h"
#include "db/ADODB.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/StringList.h"

namespace vt {

void SetLinesAndOpen(TADOQuery* query, std::initializer_list<LineText> lines) {
  query->Close();
  for (const auto& [line, text] : lines) query->SQL()->SetStrings(line, text);
  query->Open();
}

void FetchAll(TDataSet* dataSet) {
  if (dataSet->IsEmpty()) return;
  dataSet->Last();
  dataSet->First();
}

void Reopen(TDataSet* dataSet, bool fetchAll) {
  dataSet->Close();
  dataSet->Open();
  if (fetchAll) FetchAll(dataSet);
}

bool ReopenOnSameRow(TDataSet* dataSet) {
  const TBookmark bookmark = dataSet->GetBookmark();
  Reopen(dataSet);
  if (!dataSet->BookmarkValid(bookmark)) return false;
  dataSet->GotoBookmark(bookmark);
  return true;
}

void ShowMembersOf(TDataSet* table, TADOQuery* members, const String& sessionLine, const String& keyLine,
                   const char* key) {
  if (SQLDataModule->qSessions->IsEmpty() || table->IsEmpty()) {
    members->Close();
    return;
  }
  SetLinesAndOpen(members, {{3, sessionLine + CurrentSessionId()}, {2, keyLine + KeyText(table, key)}});
}

void PostOrGiveUp(TDataSet* dataSet) {
  try {
    dataSet->Post();
  } catch (...) {
    dataSet->Cancel();
    throw;
  }
}

void PostChange(TDataSet* dataSet, const std::function<void()>& change) {
  try {
    dataSet->Edit();
    change();
    PostOrGiveUp(dataSet);
  } catch (...) {
    ReopenOnSameRow(dataSet);
    throw;
  }
  ReopenOnSameRow(dataSet);
}

void PostText(TDataSet* dataSet, const char* column, const String& text) {
  PostChange(dataSet, [&] { dataSet->FieldByName(column)->SetAsString(text); });
}

void RefuseDeletedRow(const String& what) {
  throw EDatabaseError("This " + what + " was deleted by another user: nothing was saved.");
}

void RequireRow(const char* table, const String& where, const String& what) {
  TADOQuery row(nullptr);
  row.SetConnection(SQLDataModule->dbVantrelADO);
  row.SQL()->Add(String("SELECT 1 FROM ") + table + " WHERE " + where);
  row.Open();
  if (row.IsEmpty()) RefuseDeletedRow(what);
}

void RequireSession(const String& sessionId) {
  RequireRow("Sessions", "SessionID = " + IntToStr(StrToInt(sessionId)), CompanyWord("Sessions", "Session"));
}

void RequireLeague(const String& sessionId, const String& leagueName) {
  RequireSession(sessionId);
  RequireRow("Leagues", "SessionID = " + IntToStr(StrToInt(sessionId)) + " AND LeagueName = " + SqlQuote(leagueName),
             CompanyWord("AgeGroups", "League"));
}

String KeyText(TDataSet* dataSet, const char* key) { return IntToStr(dataSet->FieldByName(key)->AsInteger()); }

String CurrentSessionId() { return KeyText(SQLDataModule->qSessions, "SessionID"); }

String CompanyText(const char* column) { return SQLDataModule->qCoSYS->FieldByName(column)->AsString(); }

String CompanyWord(const char* column, const String& fallback) {
  const String word = CompanyText(column);
  return word.empty() ? fallback : word;
}

}  // namespace vt
