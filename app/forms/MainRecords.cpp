// The record commands of the first four pages: add, edit and delete through the record editors,
// Edit Company Info, the searches of the attendee, chaperone and session pages with their resets,
// the Classes status filter and the Exit buttons.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/SQLData.h"
#include "app/SessionDeletion.h"
#include "app/forms/AddEditAttendees.h"
#include "app/forms/AddEditChaperones.h"
#include "app/forms/AddEditLeagues.h"
#include "app/forms/AddEditSessions.h"
#include "app/forms/EditCompany.h"
#include "app/forms/EditorFrame.h"
#include "app/forms/Main.h"
#include "app/forms/MainQueries.h"
#include "db/Connection.h"
#include "db/Fields.h"
#include "db/SqlText.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "ui/controls/ActnList.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"

using vt::LineText;

namespace {

// One of the first four pages: the dataset under its grid, the editor of its rows, what a new
// row starts with, and its delete, which answers false when the row is still in use.
struct RecordPage {
  TDataSet* records;
  TForm* editor;
  TCheckBox* addEditFlag;
  std::function<void()> presets;
  std::function<bool()> remove;
};

void SetZero(TDataSet* records, std::initializer_list<const char*> columns) {
  for (const char* column : columns) records->FieldByName(column)->SetAsFloat(0);
}

bool HasRowsOf(const char* table, const char* key, TDataSet* records) {
  TADOQuery* misc = SQLDataModule->qMisc;
  vt::SetLinesAndOpen(misc, {{0, String("Select * From ") + table + " where " + key + " = " +
                                     vt::KeyText(records, key)}});
  const bool found = !misc->IsEmpty();
  misc->Close();
  return found;
}

// The check and the delete in one transaction: no other copy of the program can enrol anyone
// in between, and a delete that fails part way leaves every row as it was.
bool DeleteUnlessInUse(const std::function<bool()>& inUse, const std::function<void()>& remove) {
  vt::Transaction transaction(SQLDataModule->dbVantrelADO);
  if (inUse()) return false;
  remove();
  transaction.Commit();
  return true;
}

// A person is in use while enrolled in any session.
std::function<bool()> DeletePerson(TDataSet* people, const char* enrolments, const char* key) {
  return [=] {
    return DeleteUnlessInUse([=] { return HasRowsOf(enrolments, key, people); }, [=] { people->Delete(); });
  };
}

bool DeleteCurrentSession() {
  TADOConnection* connection = SQLDataModule->dbVantrelADO;
  TADOQuery* sessions = SQLDataModule->qSessions;
  return DeleteUnlessInUse(
      [=] { return vt::SessionInUse(connection, sessions->FieldByName("SessionID")->AsInteger()); },
      [=] { vt::DeleteSession(connection, sessions); });
}

// The record page that is active; none on the other pages.
std::optional<RecordPage> ActiveRecordPage(TMainForm* main) {
  TSQLDataModule* data = SQLDataModule;
  TTabSheet* page = main->PageControl1->ActivePage();
  if (page == main->TabSheet1) {
    TADOQuery* attendees = data->qAttendees;
    return RecordPage{attendees, AddEditAttendeesForm, AddEditAttendeesForm->CheckBox1,
                      [=] { SetZero(attendees, {"TotalCharged", "TotalCredits", "BalanceDue"}); },
                      DeletePerson(attendees, "AttendeeSession", "CamperID")};
  }
  if (page == main->TabSheet2) {
    TADOQuery* chaperones = data->qChaperones;
    return RecordPage{chaperones, AddEditChaperonesForm, AddEditChaperonesForm->CheckBox1,
                      [=] { SetZero(chaperones, {"TotalOwed", "TotalPaid", "BalanceOwed"}); },
                      DeletePerson(chaperones, "ChaperoneSession", "ChaperoneID")};
  }
  if (page == main->TabSheet3) {
    TADOQuery* sessions = data->qSessions;
    return RecordPage{sessions, AddEditSessionsForm, AddEditSessionsForm->CheckBox1,
                      [=] { sessions->FieldByName("TeamCamp")->SetAsBoolean(false); }, DeleteCurrentSession};
  }
  if (page == main->TabSheet4) {
    TADOTable* leagues = data->tLeagues;
    return RecordPage{leagues, AddEditLeaguesForm, AddEditLeaguesForm->CheckBox1,
                      [=] {
                        leagues->FieldByName("SessionID")->SetValue(data->qSessions->FieldValues("SessionID"));
                        leagues->FieldByName("AddBy")->SetAsString(main->ComboBox7->Text());
                      },
                      [=] {
                        leagues->Delete();
                        return true;
                      }};
  }
  return std::nullopt;
}

void ShowError(const String& text) { Application->MessageBox(text, "Error", MB_OK); }

// The active record page when its list has rows; an empty list gets the message instead.
std::optional<RecordPage> PageWithRows(TMainForm* main, const String& emptyMessage) {
  std::optional<RecordPage> page = ActiveRecordPage(main);
  if (page && page->records->IsEmpty()) {
    ShowError(emptyMessage);
    return std::nullopt;
  }
  return page;
}

void ShowEditor(const RecordPage& page, bool edit) {
  page.addEditFlag->SetChecked(edit);
  vt::CenterOverMainForm(page.editor);
  page.editor->ShowModal();
}

// A search with new lines for its query. When the database refuses it, the query is opened
// again on the lines it had, so the grid keeps its list, and the reason is shown.
void RunSearch(TADOQuery* query, const std::vector<LineText>& lines) {
  std::vector<LineText> previous;
  for (const auto& [line, text] : lines) previous.emplace_back(line, query->SQL()->Strings(line));
  query->Close();
  try {
    for (const auto& [line, text] : lines) query->SQL()->SetStrings(line, text);
    query->Open();
  } catch (const EDatabaseError& e) {
    for (const auto& [line, text] : previous) query->SQL()->SetStrings(line, text);
    query->Open();
    ShowError("The search could not be run: " + e.Message());
  }
}

// A Like pattern on a text column: what the user typed, quoted, followed by the wildcard.
String StartsWith(const char* column, const String& text) {
  return String("WHERE ") + column + " Like " + vt::SqlQuote(text + "%");
}

// Digits with an optional sign and blanks around them.
bool IsWholeNumber(const String& text) {
  const String number = Trim(text);
  const size_t start = !number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0;
  if (number.size() == start) return false;
  for (size_t i = start; i < number.size(); ++i)
    if (number[i] < '0' || number[i] > '9') return false;
  return true;
}

// Line 2 of qSessions for a Begin Date search: the sessions that begin on the date typed in the
// locale's short date format (leading zeros optional); without a year, on that day of any year.
// None when the text is no date.
std::optional<String> BeginDateLine(const String& text) {
  DateParts date;
  if (!TryStrToDateParts(Trim(text), date)) return std::nullopt;
  if (!date.HasYear) {
    const String monthDay = Format("%.2d-%.2d", {date.Month, date.Day});
    return "AND strftime('%m-%d', BeginDate + 2415018.5) = " + vt::SqlQuote(monthDay);
  }
  const auto day = static_cast<std::int64_t>(EncodeDate(date.Year, date.Month, date.Day));
  return "AND BeginDate >= " + IntToStr(day) + " AND BeginDate < " + IntToStr(day + 1);
}

// Line 1 of qSessions for the status chosen under "View Status"; none when nothing is chosen.
std::optional<String> StatusLine(TRadioGroup* status) {
  const char* const lines[] = {"WHERE SessionActive = -1", "WHERE SessionActive = 0", "WHERE SessionActive > -2"};
  const int index = status->ItemIndex();
  if (index < 0 || index > 2) return std::nullopt;
  return String(lines[index]);
}

// Runs the Classes search. A Begin Date text that is no date is refused with its message; the
// list then changes not at all, or, with statusAnyway, to the status chosen only.
void SearchSessions(TMainForm* main, bool statusAnyway) {
  std::vector<LineText> lines;
  const String text = main->Edit3->Text();
  if (!text.empty()) {
    if (main->ComboBox3->ItemIndex() == 0) {
      if (const std::optional<String> dateLine = BeginDateLine(text)) {
        lines.emplace_back(2, *dateLine);
      } else {
        ShowError("Please enter a date such as " + DateToStr(Date()) + " to search by Begin Date.");
        if (!statusAnyway) return;
      }
    } else if (main->ComboBox3->ItemIndex() == 1) {
      lines.emplace_back(2, "AND Location Like " + vt::SqlQuote(text + "%"));
    }
  }
  if (const auto status = StatusLine(main->RadioGroup1)) lines.emplace_back(1, *status);
  RunSearch(SQLDataModule->qSessions, lines);
}

}  // namespace

void TMainForm::PageControl1Change(TObject* Sender) {
  const bool recordPage = PageControl1->TabIndex() < 4;
  for (TAction* action : {acAdd, acEdit, acDelete}) action->SetEnabled(recordPage);
}

void TMainForm::acEditExecute(TObject* Sender) {
  const std::optional<RecordPage> page = PageWithRows(this, "There is nothing to edit.");
  if (!page) return;
  page->records->Edit();
  ShowEditor(*page, true);
}

// Adding needs no rows: on the Leagues page without a current session the new league has no
// session. A new class is added with the list showing the active classes.
void TMainForm::acAddExecute(TObject* Sender) {
  const std::optional<RecordPage> page = ActiveRecordPage(this);
  if (!page) return;
  if (PageControl1->ActivePage() == TabSheet3) {
    RadioGroup1->SetItemIndex(0);
    RadioGroup1Click(RadioGroup1);
  }
  page->records->Append();
  page->presets();
  ShowEditor(*page, false);
}

void TMainForm::acDeleteExecute(TObject* Sender) {
  const std::optional<RecordPage> page = PageWithRows(this, "There is nothing to delete.");
  if (!page) return;
  if (Application->MessageBox("Are you sure you want to delete this record?", "Comfirm Delete", MB_YESNO) != IDYES)
    return;
  try {
    if (!page->remove()) ShowError("This record cannot be deleted, because it is in use.");
  } catch (const EDatabaseFileError&) {
    throw;  // the file, not the record, is the cause: its message says what happened
  } catch (const Exception&) {
    ShowError("Unable to delete this record. There may be activity associated with it.");
  }
}

// "Edit Company Info": the company record, made now when there is none.
void TMainForm::BitBtn1Click(TObject* Sender) {
  TADOQuery* company = SQLDataModule->qCoSYS;
  if (company->IsEmpty()) company->Append();
  else company->Edit();
  vt::CenterOverMainForm(EditCompanyForm);
  EditCompanyForm->ShowModal();
}

// The attendee search by the field chosen in ComboBox1. A Grade is a whole number; any other
// text is refused before the list changes.
void TMainForm::BitBtn2Click(TObject* Sender) {
  const String text = Edit1->Text();
  const int field = ComboBox1->ItemIndex();
  if (text.empty() || field < 0 || field > 4) return;
  if (field == 1) {
    if (!IsWholeNumber(text)) {
      ShowError("Please enter a whole number to search by Grade.");
      return;
    }
    RunSearch(SQLDataModule->qAttendees, {{1, "WHERE Grade = " + vt::SqlNumber(text)}});
    return;
  }
  const char* const columns[] = {"LastName", "Grade", "City", "FirstName", "ZipCode"};
  RunSearch(SQLDataModule->qAttendees, {{1, StartsWith(columns[field], text)}});
}

void TMainForm::BitBtn3Click(TObject* Sender) { vt::SetLinesAndOpen(SQLDataModule->qAttendees, {{1, ""}}); }

void TMainForm::Edit1KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') BitBtn2Click(Sender);
}

// The chaperone search; ComboBox2 takes typed text, and without a chosen item nothing happens.
void TMainForm::BitBtn4Click(TObject* Sender) {
  const String text = Edit2->Text();
  const int field = ComboBox2->ItemIndex();
  if (text.empty() || field < 0 || field > 2) return;
  const char* const columns[] = {"LastName", "City", "FirstName"};
  RunSearch(SQLDataModule->qChaperones, {{1, StartsWith(columns[field], text)}});
}

void TMainForm::BitBtn5Click(TObject* Sender) { vt::SetLinesAndOpen(SQLDataModule->qChaperones, {{1, ""}}); }

void TMainForm::Edit2KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') BitBtn4Click(Sender);
}

// The Classes search: the status of "View Status" and, with a search text, its begin-date or
// location pattern; without a text or a chosen field the previous pattern stays.
void TMainForm::BitBtn7Click(TObject* Sender) { SearchSessions(this, false); }

void TMainForm::BitBtn8Click(TObject* Sender) {
  std::vector<LineText> lines = {{2, ""}};
  if (const auto status = StatusLine(RadioGroup1)) lines.emplace_back(1, *status);
  RunSearch(SQLDataModule->qSessions, lines);
}

void TMainForm::Edit3KeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') BitBtn7Click(Sender);
}

// A status chosen under "View Status" (or by Add) always shows: a Begin Date text that is no
// date is refused and its previous pattern stays.
void TMainForm::RadioGroup1Click(TObject* Sender) { SearchSessions(this, true); }

// The Exit button of every page.
void TMainForm::BitBtn14Click(TObject* Sender) {
  if (Application->MessageBox("Are you sure you want to exit the program?", "Comfirm Departure.", MB_YESNO) == IDYES)
    Application->Terminate();
}
