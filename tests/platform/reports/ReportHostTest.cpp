// Every report of the camp database rendered headless into PDF and read back as text: the rows
// that belong appear and the others do not, totals agree with the ledgers, where conditions are
// checked before anything reaches SQL, and pages break between rows.
#include "reports/ReportHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

#include <QPainter>
#include <QPdfWriter>

#include "db/SqlText.h"
#include "reports/BandRenderer.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportDocument.h"
#include "tests/fixtures/PdfText.h"
#include "tests/platform/reports/ReportCamp.h"
#include "ui/testing/UiTesting.h"

namespace {

using vt::test::Amounts;
using vt::test::LineWith;

class ReportHostTest : public ::testing::Test {
protected:
  void SetUp() override { vt::EnsureTestApplication(); }

  // For a person looking at the reports: VT_SCREENSHOT_DIR names a folder that keeps the files.
  String Print(const String& report, const String& where) {
    const char* keep = std::getenv("VT_SCREENSHOT_DIR");
    const String pdf = (keep ? String(keep) + "/" : data.camp.Folder()) + report + ".pdf";
    vt::SaveReportAsPdf(data.camp.DatabasePath(), report, where, pdf);
    return vt::test::PdfText(pdf);
  }
  String Week1() const { return IntToStr(data.week1); }

  vt::test::ReportCamp data;
};

struct ReportCase {
  const char* report;
  const char* where;  // "#" stands for the first week's SessionID, "@" for Smith's CamperID
  std::vector<const char*> shown;
  std::vector<const char*> notShown;
};

TEST_F(ReportHostTest, EveryReportShowsItsOwnRowsOnly) {
  const ReportCase cases[] = {
      {"TeamRoster", "SessionID = #", {"Team Rosters", "Acme Camps", "Week One", "Juniors: Hawks", "Carl Carter", "Smith", "O'Neil", "Guard", "2 members"}, {"Owls", "Jones", "Week Two"}},
      {"RoomList", "SessionID = #", {"Room List", "Smith", "O'Neil", "101", "Inn", "2 attendees"}, {"Jones", "201", "Lodge"}},
      {"RoomListByRoom", "SessionID = #", {"room 101: 4 places, 3 free", "room 102: 2 places, 2 free", "Smith", "1 in the room", "0 in the room"}, {"Jones", "201"}},
      {"RoomListByRoom", "AttendeeSession.SessionID = #", {"room 101: 4 places, 3 free", "room 102: 2 places, 2 free", "Smith"}, {"Jones", "201"}},
      {"CheckInList", "AttendeeSession.SessionID = #", {"Check-In List", "Smith", "On file", "Missing", "$0.00", "2 attendees"}, {"Jones"}},
      {"CheckInListByType", "AttendeeSession.SessionID = #", {"Type R: Resident", "Type D: Day", "1 of type R", "1 of type D"}, {"Jones"}},
      {"SessionAttendeeList", "AttendeeSession.SessionID = #", {"Attendee List", "Smith", "O'Neil", "04/01/2015", "2 attendees"}, {"Jones"}},
      {"Attendees", "", {"Complete Attendee List", "Smith", "O'Neil", "Jones", "Díaz", "6 attendees"}, {}},
      {"Chaperones", "", {"Complete Chaperone List", "Carter", "Dell", "2 chaperones"}, {}},
      {"SessionLedgerReport", "SessionID = #", {"Accounts Receivable Ledger", "Smith, Ann", "1001", "$450.00", "Balance of O'Neil, Bob"}, {"Jones", "2002"}},
      {"SessionAPLedgerReport", "SessionID = #", {"Accounts Payable Ledger", "Carter, Carl", "501", "$300.00"}, {"Dell"}},
      {"ARReport", "", {"Accounts Receivable", "Week One", "Week Two", "Smith", "Jones", "All sessions"}, {}},
      {"APReport", "", {"Accounts Payable", "Week One", "Week Two", "Carter", "Dell", "All sessions"}, {}},
      {"AttendeesInfo", "CamperID = @", {"Attendee Details", "Smith, Ann", "Family / Guardian", "Releases", "Medical", "Peanuts", "Sam Smith", "1001", "Week One"}, {"O'Neil", "Jones"}},
      {"PositionReport", "SessionID = #", {"Position Report", "Juniors", "Guard", "Forward", "Total of Juniors"}, {"Seniors", "Center"}},
      {"TshirtReport", "SessionID = #", {"T-Shirt Report", "Size M Adult Medium", "Size L Adult Large", "1 shirts of size M", "2 shirts in all"}, {"Jones", "XL"}},
      {"ConfirmationLetters", "Sessions.SessionID = #", {"Acme Camps", "1 Lake Road", "The Smith Family", "5 Elm Street", "Dear Mr. Sam Smith,", "We are glad to confirm your place.", "Please bring a sleeping bag.", "Dora Director"}, {"Jones"}},
      {"ThankYouLetters", "Sessions.SessionID = #", {"Thank you for a great week.", "The O'Neil Family", "Dear Parents of Bob O'Neil,"}, {"Jones", "glad to confirm"}},
  };
  for (const ReportCase& c : cases) {
    const String where = StringReplace(StringReplace(c.where, "#", Week1(), {rfReplaceAll}), "@", IntToStr(data.smith), {rfReplaceAll});
    const String text = Print(c.report, where);
    for (const char* shown : c.shown) EXPECT_NE(text.find(shown), String::npos) << c.report << " lacks " << shown << "\n" << text;
    for (const char* hidden : c.notShown) EXPECT_EQ(text.find(hidden), String::npos) << c.report << " shows " << hidden;
  }
}

std::vector<String> Pages(const String& text) {
  std::vector<String> pages;
  std::istringstream in(text);
  for (String page; std::getline(in, page, '\f');) pages.push_back(page);
  return pages;
}

// One page per enrolled attendee; each letter names its attendee and the session with its dates.
TEST_F(ReportHostTest, LettersNameTheirAttendeeAndSessionOnAPageEach) {
  const std::vector<String> confirmations = Pages(Print("ConfirmationLetters", "Sessions.SessionID = " + Week1()));
  ASSERT_EQ(confirmations.size(), 2u);
  const String smith = confirmations[0].find("Smith") != String::npos ? confirmations[0] : confirmations[1];
  EXPECT_NE(smith.find("Ann Smith is enrolled in Week One, from June 2, 2030 to June 7, 2030."), String::npos) << smith;
  EXPECT_EQ(smith.find("O'Neil"), String::npos);
  const String thanks = Print("ThankYouLetters", "Sessions.SessionID = " + IntToStr(data.week2));
  EXPECT_NE(thanks.find("The Jones Family"), String::npos);
  EXPECT_NE(thanks.find("Eva Díaz to Week Two, from June 9, 2030 to June 14, 2030."), String::npos) << thanks;
}

// A team whose members run onto the next page is named again at its top, marked as continued.
TEST_F(ReportHostTest, AGroupRunningOntoTheNextPageRepeatsItsHeading) {
  const int hawks = data.camp.Value("SELECT TeamID FROM Teams WHERE TeamName = 'Hawks'").AsInteger();
  for (int i = 0; i < 80; ++i)
    data.camp.AddEnrolment(data.week1, data.camp.AddAttendee("Zed" + IntToStr(1000 + i), "Al"), "D", Variant::Null(), hawks);
  const std::vector<String> pages = Pages(Print("TeamRoster", "SessionID = " + Week1()));
  ASSERT_GE(pages.size(), 2u);
  EXPECT_NE(pages[0].find("Juniors: Hawks"), String::npos);
  EXPECT_EQ(pages[0].find("(continued)"), String::npos);
  for (size_t page = 1; page < pages.size(); ++page)
    EXPECT_NE(LineWith(pages[page], "Juniors: Hawks").find("(continued)"), String::npos) << "page " << page + 1;
  EXPECT_NE(pages.back().find("82 members"), String::npos);
}

// Amounts compared in whole cents, as a camp office reads them.
std::vector<long long> Cents(const String& line) {
  std::vector<long long> cents;
  for (double amount : Amounts(line)) cents.push_back(std::llround(amount * 100));
  return cents;
}

std::vector<String> LinesWith(const String& text, const String& what) {
  std::vector<String> lines;
  std::istringstream in(text);
  for (String line; std::getline(in, line);)
    if (line.find(what) != String::npos) lines.push_back(line);
  return lines;
}

// The AR and AP reports print charges (invoices), removal credits and payments apart: per
// person their sums are the person's totals, per session the session ledger's totals, and in
// all the ledger's sums, a deleted session's rows included under its number.
TEST_F(ReportHostTest, ReceivableAndPayableAgreeWithPersonTotalsAndLedgersToTheCent) {
  struct Person { String name; int id; };
  struct Side {
    const char* ledger; const char* summary; const char* table; const char* key; const char* persons;
    const char* charged; const char* paid; const char* balance; std::vector<Person> people;
  };
  const Side sides[] = {
      {"SessionLedgerReport", "ARReport", "AttendeeTrx", "CamperID", "Attendees", "TotalCharged", "TotalCredits",
       "BalanceDue", {{"Smith", data.smith}, {"O'Neil", data.oneil}, {"Jones", data.jones}, {"Díaz", data.diaz}}},
      {"SessionAPLedgerReport", "APReport", "ChaperoneTrx", "ChaperoneID", "Chaperones", "TotalOwed", "TotalPaid",
       "BalanceOwed", {{"Carter", data.carter}, {"Dell", data.dell}}},
  };
  auto cents = [&](const String& sql) { return std::llround(data.camp.Value(sql).AsDouble() * 100); };
  for (const Side& side : sides) {
    SCOPED_TRACE(side.summary);
    const String summary = Print(side.summary, "");
    for (const Person& person : side.people) {
      long long charged = 0, paid = 0, balance = 0;
      for (const String& line : LinesWith(summary, person.name)) {
        const std::vector<long long> row = Cents(line);
        ASSERT_EQ(row.size(), 4u) << line;
        charged += row[0] - row[1];
        paid += row[2];
        balance += row[3];
      }
      const String where = String(" FROM ") + side.persons + " WHERE " + side.key + " = " + IntToStr(person.id);
      EXPECT_EQ(charged, cents(String("SELECT ") + side.charged + where)) << person.name;
      EXPECT_EQ(paid, cents(String("SELECT ") + side.paid + where)) << person.name;
      EXPECT_EQ(balance, cents(String("SELECT ") + side.balance + where)) << person.name;
    }
    for (int session : {data.week1, data.week2, data.deletedWeek}) {
      const std::vector<long long> total = Cents(LineWith(summary, "Total of session " + IntToStr(session)));
      ASSERT_EQ(total.size(), 4u) << session;
      EXPECT_EQ(total[3], cents(String("SELECT SUM(AmountPaid) FROM ") + side.table + " WHERE SessionID = " +
                                IntToStr(session)));
      if (session != data.deletedWeek)
        EXPECT_EQ(Cents(LineWith(Print(side.ledger, "SessionID = " + IntToStr(session)), "Session totals")), total);
    }
    EXPECT_NE(summary.find("Session " + IntToStr(data.deletedWeek) + ": (deleted session)"), String::npos);
    const std::vector<long long> grand = Cents(LineWith(summary, "All sessions"));
    ASSERT_EQ(grand.size(), 4u);
    EXPECT_EQ(grand[3], cents(String("SELECT SUM(AmountPaid) FROM ") + side.table));
    EXPECT_EQ(grand[0] - grand[1] - grand[2], grand[3]);
  }
  // The chaperone signed up and removed again was invoiced and credited, and paid nothing.
  const std::vector<long long> carter = Cents(LinesWith(Print("APReport", ""), "Carter").back());
  EXPECT_EQ(carter, (std::vector<long long>{30000, 30000, 0, 0}));
  // The attendee's details list the deleted session's rows as such.
  const String jones = Print("AttendeesInfo", "CamperID = " + IntToStr(data.jones));
  EXPECT_EQ(Cents(LineWith(jones, IntToStr(data.deletedWeek) + " (deleted session)")), (std::vector<long long>{30000}));
}

// The ledgers' balance runs on row by row for each person; the person's footer is the balance.
// Amounts far wider than their columns, in every money column of every report that prints
// money: each is printed whole on one line, however far its column had to shrink it.
TEST_F(ReportHostTest, AmountsWiderThanTheirColumnsArePrintedWholeOnOneLine) {
  for (const char* ledger : {"AttendeeTrx", "ChaperoneTrx"})
    data.camp.Execute(String("UPDATE ") + ledger + " SET AmountPaid = (CASE WHEN rowid % 2 = 0 THEN 99999999.99 "
                      "ELSE 123456.78 END) * (CASE WHEN AmountPaid < 0 THEN -1 ELSE 1 END)");
  data.camp.Execute("UPDATE AttendeeSession SET BalanceDue = CASE WHEN rowid % 2 = 0 THEN 99999999.99 ELSE 123456.78 END");
  data.camp.Execute("UPDATE Attendees SET TotalCharged = 99999999.99, TotalCredits = 123456.78, BalanceDue = 99876543.21");
  const std::regex amount(R"(\(?-?\$[0-9]{1,3}(,[0-9]{3})*\.[0-9]{2}\)?)");
  const struct {
    const char* report;
    const char* where;
  } cases[] = {{"CheckInList", "AttendeeSession.SessionID = #"}, {"SessionLedgerReport", "SessionID = #"},
               {"ARReport", ""}, {"SessionAPLedgerReport", "SessionID = #"}, {"APReport", ""},
               {"AttendeesInfo", ""}};
  for (const auto& c : cases) {
    const String text = Print(c.report, StringReplace(c.where, "#", Week1(), {rfReplaceAll}));
    EXPECT_NE(text.find("99,999,999.99"), String::npos) << c.report;
    EXPECT_NE(text.find("123,456.78"), String::npos) << c.report;
    std::istringstream words(text);
    for (String word; words >> word;) {
      const bool money = word.find('$') != String::npos || (word.find(',') != String::npos && word.find('.') != String::npos);
      if (money) EXPECT_TRUE(std::regex_match(word, amount)) << c.report << ": broken amount \"" << word << "\"\n" << text;
    }
  }
}

TEST_F(ReportHostTest, LedgersCarryARunningBalancePerPerson) {
  const String ledger = Print("SessionLedgerReport", "SessionID = " + Week1());
  const String smith = ledger.substr(ledger.find("Smith, Ann"));
  // Each row: its amount in its own column, then the balance so far.
  const std::pair<const char*, std::vector<long long>> rows[] = {
      {"Charge ", {45000, 45000}}, {"1001", {10000, 35000}}, {"1002", {7420, 27580}}, {"1003", {10, 27570}}};
  for (const auto& [entry, row] : rows) EXPECT_EQ(Cents(LineWith(smith, entry)), row) << entry;
  EXPECT_EQ(Cents(LineWith(ledger, "Balance of Smith, Ann")).back(), 27570);
  EXPECT_EQ(Cents(LineWith(ledger, "Balance of O'Neil, Bob")).back(), 25000);
  EXPECT_EQ(Cents(LineWith(ledger, "Session totals")), (std::vector<long long>{70000, 0, 17430, 52570}));
}

// Counted by the league of the team each attendee is on, whatever the attendee's own league
// column says; attendees on no team are a group of their own.
TEST_F(ReportHostTest, PositionReportCountsByTheLeagueOfTheTeam) {
  const String text = Print("PositionReport", "SessionID = " + IntToStr(data.week2));
  auto lastNumber = [](const String& line) {
    const size_t end = line.find_last_of("0123456789");
    return end == String::npos ? -1 : std::stoi(line.substr(line.find_last_not_of("0123456789", end) + 1));
  };
  const String session = IntToStr(data.week2);
  for (const char* league : {"Juniors", "Seniors"})
    EXPECT_EQ(lastNumber(LineWith(text, String("Total of ") + league)),
              data.camp.Value("SELECT COUNT(*) FROM AttendeeSession e JOIN Teams t ON t.TeamID = e.TeamID "
                              "WHERE e.SessionID = " + session + " AND t.LeagueName = '" + league + "'").AsInteger())
        << league;
  EXPECT_EQ(lastNumber(LineWith(text, "Total of (on no team)")), 1);
  EXPECT_EQ(lastNumber(LineWith(text, "All leagues")), 4);
}

TEST_F(ReportHostTest, WhereConditionsAreCheckedAndValuesQuoted) {
  // A quoted text with a quote inside finds its row and nothing else.
  const String oneil = Print("Attendees", "LastName = 'O''Neil'");
  EXPECT_NE(oneil.find("O'Neil"), String::npos);
  EXPECT_NE(oneil.find("1 attendees"), String::npos);
  EXPECT_NE(Print("Attendees", "LastName <> \"Smith\"").find("5 attendees"), String::npos);

  const char* refused[] = {
      "Nonsense = 1",                             // not a column of the record source
      "AttendeeSession.SessionID = 1",            // a column of another report
      "SessionID = 1; DELETE FROM Attendees",     // a second statement
      "SessionID = 1 OR 1 = 1",                   // more than one comparison
      "SessionID = '1",                           // a quote left open
      "SessionID = 1'",                           // a stray quote
      "SessionID = ",                             // the bare prefix
      "SessionID LIKE 1",                         // no comparison operator
      "SessionID = (SELECT 1)",                   // neither number nor text
  };
  for (const char* where : refused) {
    try {
      Print("RoomList", where);
      ADD_FAILURE() << "accepted: " << where;
    } catch (const vt::EReportError& error) {
      EXPECT_NE(error.Message().find("was refused"), String::npos) << error.Message();
    }
  }
  EXPECT_EQ(data.camp.Value("SELECT COUNT(*) FROM Attendees").AsInteger(), 6);
}

TEST_F(ReportHostTest, ReportsThatCannotRunRaise) {
  EXPECT_THROW(Print("NoSuchReport", ""), vt::EReportError);
  data.camp.Execute("UPDATE ReportGroups SET FooterText = '[NoSuchField] members' WHERE ReportName = 'TeamRoster'");
  EXPECT_THROW(Print("TeamRoster", ""), vt::EReportError);
  EXPECT_THROW(vt::SaveReportAsPdf(data.camp.Folder() + "missing.mdb", "Attendees", "", data.camp.Folder() + "x.pdf"),
               Exception);
  EXPECT_FALSE(FileExists(data.camp.Folder() + "missing.mdb"));
}

// The database may lie at a path with ";" in it.
TEST_F(ReportHostTest, DatabasePathMayHoldASemicolon) {
  const String path = data.camp.Folder() + "camp;copy.mdb";
  data.camp.Execute("VACUUM INTO " + vt::SqlQuote(path));
  const String pdf = data.camp.Folder() + "copy.pdf";
  vt::SaveReportAsPdf(path, "Attendees", "", pdf);
  EXPECT_NE(vt::test::PdfText(pdf).find("Smith"), String::npos);
}

// Many rows: every page but the last is full, each row prints once and whole, the footer counts
// the pages, and the first page is ready before the rest are laid out.
TEST_F(ReportHostTest, LongReportsBreakBetweenRowsAndNumberTheirPages) {
  for (int i = 0; i < 150; ++i) data.camp.AddAttendee("Zed" + IntToStr(1000 + i), i == 7 ? "A first name long enough to wrap over lines" : "Al");
  vt::ReportDocument document(data.camp.DatabasePath(), "Attendees", "");
  vt::BandRenderer renderer(document);
  QPdfWriter scratch(QString::fromStdString(data.camp.Folder() + "scratch.pdf"));
  QPainter painter(&scratch);
  renderer.PaintPage(painter, 0);
  painter.end();
  EXPECT_EQ(renderer.PagesLaidOut(), 1);
  EXPECT_FALSE(renderer.Complete());

  const String text = Print("Attendees", "");
  const int pages = vt::test::PdfPageCount(text);
  EXPECT_GE(pages, 3);
  EXPECT_NE(text.find(Format("Page 1 of %d", {pages})), String::npos);
  EXPECT_NE(text.find(Format("Page %d of %d", {pages, pages})), String::npos);
  for (int i = 0; i < 150; ++i) {
    const String name = "Zed" + IntToStr(1000 + i);
    const size_t at = text.find(name);
    ASSERT_NE(at, String::npos) << name;
    EXPECT_EQ(text.find(name, at + 1), String::npos) << name << " printed twice";
  }
  EXPECT_NE(text.find("156 attendees"), String::npos);
}

}  // namespace
