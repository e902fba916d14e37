// The report buttons of the main window over a started camp: each opens the preview of its
// report for the current session or the selected attendee, the checks that make a button do
// nothing, and the one message when the report host cannot run a report.
#include <gtest/gtest.h>

#include <cmath>

#include "app/About.h"
#include "app/SQLData.h"
#include "app/Startup.h"
#include "app/forms/Main.h"
#include "reports/BandRenderer.h"
#include "reports/ReportDocument.h"
#include "reports/ReportHost.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreview.h"
#include "rtl/IniFiles.h"
#include "tests/fixtures/PdfText.h"
#include "tests/platform/reports/ReportCamp.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace {

const char* const kFailure =
    "Error running Microsoft Access Report.\nPlease ensure that MS Access or the MS Access run time "
    "libraries are installed correctly.";

class MainReportsTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    data.camp.UseProgramFolder();
  }
  void TearDown() override {
    vt::CloseReportPreviews();
    Application->DestroyComponents();
    MainForm = nullptr;
    AboutForm = nullptr;
    SQLDataModule = nullptr;
  }

  // Clicks the button; the text of the one preview it opened ("" when none opened).
  String Click(TButton* button) {
    vt::ClickControl(button);
    const std::vector<vt::ReportPreview*> previews = vt::OpenReportPreviews();
    if (previews.empty()) return "";
    EXPECT_EQ(previews.size(), 1u);
    const String pdf = data.camp.Folder() + "shown.pdf";
    vt::WritePdf(previews.front()->Renderer(), pdf);
    lastReport = previews.front()->Document().Definition().Name;
    vt::CloseReportPreviews();
    return vt::test::PdfText(pdf);
  }

  vt::test::ReportCamp data;
  String lastReport;
};

TEST_F(MainReportsTest, EveryButtonPreviewsItsReportForTheCurrentSession) {
  StartVantrel();
  TMainForm* f = MainForm;
  ASSERT_EQ(SQLDataModule->qSessions->FieldByName("SessionID")->AsInteger(), data.week1);
  struct Case {
    TButton* button;
    const char* report;
    const char* shown;  // a row of the first week; nothing of the second week may show
  };
  const Case cases[] = {
      {f->BitBtn28, "TeamRoster", "Hawks"},          {f->BitBtn32, "TeamRoster", "Hawks"},
      {f->BitBtn29, "RoomList", "101"},              {f->BitBtn34, "RoomList", "101"},
      {f->BitBtn30, "CheckInList", "Smith"},         {f->BitBtn35, "CheckInList", "Smith"},
      {f->BitBtn31, "SessionAttendeeList", "Smith"}, {f->BitBtn33, "SessionAttendeeList", "Smith"},
      {f->BitBtn37, "SessionLedgerReport", "1001"},  {f->BitBtn38, "SessionAPLedgerReport", "Carter"},
      {f->BitBtn44, "RoomListByRoom", "102"},        {f->BitBtn45, "RoomListByRoom", "102"},
      {f->BitBtn46, "PositionReport", "Juniors"},    {f->BitBtn47, "CheckInListByType", "Type R"},
      {f->BitBtn48, "TshirtReport", "Size M"},       {f->BitBtn49, "ConfirmationLetters", "Smith Family"},
      {f->BitBtn50, "ThankYouLetters", "Smith Family"},
  };
  for (const Case& c : cases) {
    const String text = Click(c.button);
    EXPECT_EQ(lastReport, c.report) << c.button->Name();
    EXPECT_NE(text.find(c.shown), String::npos) << c.button->Name();
    for (const char* other : {"Jones", "Week Two", "Owls", "Lodge", "Dell"})
      EXPECT_EQ(text.find(other), String::npos) << c.button->Name() << " shows " << other;
  }
  struct WholeCase {
    TButton* button;
    const char* report;
  };
  for (const WholeCase& c : {WholeCase{f->Button1, "Attendees"}, WholeCase{f->BitBtn36, "Chaperones"},
                             WholeCase{f->BitBtn39, "ARReport"}, WholeCase{f->BitBtn40, "APReport"},
                             WholeCase{f->BitBtn41, "AttendeesInfo"}}) {
    EXPECT_NE(Click(c.button).find("Page 1 of"), String::npos) << c.report;
    EXPECT_EQ(lastReport, c.report);
  }
}

// The report host opens the database the settings file names, blanks and all.
TEST(MainReportsPath, ADatabasePathWithBlanksReachesTheHost) {
  vt::EnsureTestApplication();
  vt::test::ReportCamp data("My Camp Data.mdb");
  data.camp.UseProgramFolder();
  TIniFile(data.camp.ProgramIniPath()).WriteString("System", "FullPath", data.camp.DatabasePath());
  StartVantrel();
  vt::ClickControl(MainForm->Button1);
  const std::vector<vt::ReportPreview*> previews = vt::OpenReportPreviews();
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(previews.front()->Document().RowCount(), 6);
  vt::CloseReportPreviews();
  Application->DestroyComponents();
  MainForm = nullptr;
  AboutForm = nullptr;
  SQLDataModule = nullptr;
}

// A person deleted while money is still owed either way keeps that money in the books: the
// receivable and payable reports list the rows as a deleted person's, and "All sessions" is
// still the sum of every ledger row the file keeps.
TEST_F(MainReportsTest, ADeletedPersonsMoneyStaysInTheReceivablesAndPayables) {
  vt::test::CampFixture& camp = data.camp;
  const int quinn = camp.AddAttendee("Quinn", "Pat", EncodeDate(2016, 1, 1));
  for (const auto& [amount, entry] : {std::pair{120.0, "Charge"}, {-50.0, "2001"}, {-120.0, "Credit"}})
    camp.Insert("AttendeeTrx", {{"CamperID", quinn}, {"SessionID", data.week1}, {"AmountPaid", amount},
                                {"CheckNo", String(entry)}, {"DatePaid", EncodeDate(2030, 5, 1)}});
  camp.Execute("UPDATE Attendees SET TotalCharged = 0, TotalCredits = 50, BalanceDue = -50 WHERE CamperID = " +
               IntToStr(quinn));
  const int reed = camp.AddChaperone("Rae", "Reed", 300);
  for (const auto& [amount, entry] : {std::pair{300.0, "Invoice"}, {-100.0, "3001"}})
    camp.Insert("ChaperoneTrx", {{"ChaperoneID", reed}, {"SessionID", data.week1}, {"AmountPaid", amount},
                                 {"CheckNo", String(entry)}, {"DatePaid", EncodeDate(2030, 5, 1)}});
  StartVantrel();
  TMainForm* f = MainForm;
  vt::DialogResponder responder;
  const std::pair<TTabSheet*, std::pair<TDataSet*, std::pair<const char*, int>>> deletes[] = {
      {f->TabSheet1, {SQLDataModule->qAttendees, {"CamperID", quinn}}},
      {f->TabSheet2, {SQLDataModule->qChaperones, {"ChaperoneID", reed}}}};
  for (const auto& [page, person] : deletes) {
    f->PageControl1->SetActivePage(page);
    ASSERT_TRUE(person.first->Locate(person.second.first, Variant(person.second.second), {}));
    responder.Answer(mrYes);
    f->acDeleteExecute(f);
  }
  ASSERT_TRUE(camp.Value("SELECT COUNT(*) FROM Attendees WHERE CamperID = " + IntToStr(quinn)).AsInteger() == 0);
  ASSERT_TRUE(camp.Value("SELECT COUNT(*) FROM Chaperones WHERE ChaperoneID = " + IntToStr(reed)).AsInteger() == 0);

  const struct {
    TButton* button;
    const char* ledger;
    const char* shown;
  } books[] = {{f->BitBtn39, "AttendeeTrx", "(deleted attendee)"}, {f->BitBtn40, "ChaperoneTrx", "(deleted chaperone)"}};
  for (const auto& book : books) {
    const String text = Click(book.button);
    const String deleted = vt::test::LineWith(text, book.shown);
    EXPECT_NE(deleted, "") << book.ledger;
    const std::vector<double> all = vt::test::Amounts(vt::test::LineWith(text, "All sessions"));
    ASSERT_EQ(all.size(), 4u) << book.ledger;
    EXPECT_EQ(std::llround(all[3] * 100),
              std::llround(camp.Value(String("SELECT SUM(AmountPaid) FROM ") + book.ledger).AsDouble() * 100))
        << book.ledger;
  }
  EXPECT_NE(Click(f->BitBtn37).find("(deleted attendee), Code " + IntToStr(quinn)), String::npos)
      << "the session ledger names the deleted attendee by code";
}

TEST_F(MainReportsTest, AttendeeDetailsFollowTheSelectedAttendee) {
  StartVantrel();
  ASSERT_TRUE(SQLDataModule->qAttendees->Locate("CamperID", data.jones, {}));
  const String text = Click(MainForm->BitBtn42);
  EXPECT_EQ(lastReport, "AttendeesInfo");
  EXPECT_NE(text.find("Jones, Cara"), String::npos);
  EXPECT_EQ(text.find("Smith"), String::npos);
  EXPECT_EQ(vt::test::PdfPageCount(text), 1);
}

// Without sessions the session buttons do nothing; "Print Attendee List" still runs and its bare
// condition is refused with the one message. Without attendees "Print Attendee Details" does
// nothing.
TEST_F(MainReportsTest, ButtonsWhoseCheckFailsDoNothing) {
  data.camp.Execute("DELETE FROM Sessions");
  data.camp.Execute("DELETE FROM Attendees");
  StartVantrel();
  vt::DialogResponder responder;
  TMainForm* f = MainForm;
  for (TButton* button : {f->BitBtn28, f->BitBtn29, f->BitBtn30, f->BitBtn37, f->BitBtn38, f->BitBtn42,
                          f->BitBtn44, f->BitBtn45, f->BitBtn46, f->BitBtn47, f->BitBtn48, f->BitBtn49,
                          f->BitBtn50})
    EXPECT_EQ(Click(button), "") << button->Name();
  EXPECT_TRUE(responder.Shown().empty());

  responder.Answer(mrOk);
  EXPECT_EQ(Click(f->BitBtn31), "");
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Text, kFailure);
  EXPECT_EQ(responder.Last().Caption, "Error");
}

TEST_F(MainReportsTest, AReportTheHostCannotRunShowsTheMessage) {
  data.camp.Execute("DELETE FROM ReportDefinitions WHERE ReportName = 'Chaperones'");
  StartVantrel();
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  EXPECT_EQ(Click(MainForm->BitBtn36), "");
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Text, kFailure);
}

}  // namespace
