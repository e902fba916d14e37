// Every report of the camp database rendered headless into PDF and read back as text: the rows
// that belong appear and the others do not, totals agree with the ledgers, where conditions are
// checked before anything reaches SQL, and pages break between rows.
#include "reports/ReportHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
      {"Attendees", "", {"Complete Attendee List", "Smith", "O'Neil", "Jones", "3 attendees"}, {}},
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

TEST_F(ReportHostTest, LettersPrintOnePagePerEnrolledAttendee) {
  const String text = Print("ConfirmationLetters", "Sessions.SessionID = " + Week1());
  EXPECT_EQ(vt::test::PdfPageCount(text), 2);
  EXPECT_EQ(Print("ThankYouLetters", "Sessions.SessionID = " + IntToStr(data.week2)).find("The Jones Family") != String::npos, true);
}

// The AR and AP reports' per-session totals are the session ledgers' totals, and their grand
// totals are the sums of every ledger row.
TEST_F(ReportHostTest, ReceivableAndPayableTotalsEqualTheLedgers) {
  struct Side { const char* ledger; const char* summary; const char* table; };
  for (const Side side : {Side{"SessionLedgerReport", "ARReport", "AttendeeTrx"}, Side{"SessionAPLedgerReport", "APReport", "ChaperoneTrx"}}) {
    const String summary = Print(side.summary, "");
    for (int session : {data.week1, data.week2}) {
      const std::vector<double> ledger = Amounts(LineWith(Print(side.ledger, "SessionID = " + IntToStr(session)), "Session totals"));
      const String name = session == data.week1 ? "Total of Week One" : "Total of Week Two";
      EXPECT_EQ(Amounts(LineWith(summary, name)), ledger) << side.summary << " " << name;
    }
    const double sum = data.camp.Value(String("SELECT SUM(AmountPaid) FROM ") + side.table).AsDouble();
    const std::vector<double> grand = Amounts(LineWith(summary, "All sessions"));
    ASSERT_EQ(grand.size(), 3u) << side.summary;
    EXPECT_DOUBLE_EQ(grand[2], sum) << side.summary;
    EXPECT_DOUBLE_EQ(grand[0] - grand[1], sum) << side.summary;
  }
}

TEST_F(ReportHostTest, WhereConditionsAreCheckedAndValuesQuoted) {
  // A quoted text with a quote inside finds its row and nothing else.
  const String oneil = Print("Attendees", "LastName = 'O''Neil'");
  EXPECT_NE(oneil.find("O'Neil"), String::npos);
  EXPECT_NE(oneil.find("1 attendees"), String::npos);
  EXPECT_NE(Print("Attendees", "LastName <> \"Smith\"").find("2 attendees"), String::npos);

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
  EXPECT_EQ(data.camp.Value("SELECT COUNT(*) FROM Attendees").AsInteger(), 3);
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
  EXPECT_NE(text.find("153 attendees"), String::npos);
}

}  // namespace
