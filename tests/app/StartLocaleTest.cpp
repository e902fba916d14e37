// The program started with nothing but the environment naming the user's locale, as a desktop
// starts it: dates in the grids and editors, money, the Begin Date search and payments typed as
// the locale writes numbers; and the desktop's locale changed while a value is being edited.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"
#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ProgramRun.h"
#include "tests/fixtures/UnderLocale.h"

namespace vt::test {
namespace {

using ::testing::Contains;

bool LocaleExists(const String& name) { return vt::testing::LocaleAvailable(name + ".UTF-8"); }

class StartLocale : public ::testing::Test {
protected:
  // Week 1 begins on 6 September, Week 2 on 9 June, so a day and month read the wrong way
  // round finds the other one. One attendee born on 29 February, charged 1,234.50 so far, owes
  // 74.30 on Week 1.
  void SetUp() override {
    camp.UseProgramFolder();
    camp.AddCompany("Acme Camps");
    week1 = camp.AddSession("Week 1", EncodeDate(2030, 9, 6), EncodeDate(2030, 9, 13));
    week2 = camp.AddSession("Week 2", EncodeDate(2030, 6, 9), EncodeDate(2030, 6, 14));
    camp.AddSessionType(week1, "D", "Day Camp", 4, 74.30);
    camper = camp.AddAttendee("Zeller", "Ann", EncodeDate(2012, 2, 29));
    camp.AddEnrolment(week1, camper, "D");
    camp.Execute("UPDATE Attendees SET TotalCharged = 1234.5, TotalCredits = 1160.2, BalanceDue = 74.3, "
                 "DateOfDoctorRelease = " + FloatToStrF(EncodeDate(2026, 6, 1), ffFixed, 15, 0) +
                 " WHERE CamperID = " + IntToStr(camper));
    camp.Execute("UPDATE AttendeeSession SET TotalCosts = 74.3, AmountPaid = 0, BalanceDue = 74.3");
  }

  // The program in a process of its own with only LANG naming the locale (and the desktop's
  // configuration folder): the lines it answered, without their "> ".
  std::vector<String> Run(const String& locale, const std::vector<String>& script) {
    const String scriptFile = camp.Folder() + "script.txt";
    std::ofstream out(scriptFile);
    for (const String& line : script) out << line << "\n";
    out.close();
    const String command = "env -u LC_ALL -u LC_NUMERIC -u LC_TIME -u LC_MONETARY -u LC_COLLATE -u LC_CTYPE "
                           "-u LANGUAGE LANG=" + locale + ".UTF-8 XDG_CONFIG_HOME=" + camp.Folder() + " " +
                           VT_BINARY_DIR + "/tests/vt_locale_driver " + camp.Folder() + " < " + scriptFile;
    const ProgramEnding ending = RunCommand(command);
    EXPECT_EQ(ending.status, 0) << ending.output;
    std::vector<String> answers;
    std::istringstream lines(ending.output);
    for (String line; std::getline(lines, line);)
      if (line.rfind("> ", 0) == 0) answers.push_back(line.substr(2));
    return answers;
  }

  double Stored(const String& sql) { return camp.Value(sql).AsDouble(); }

  CampFixture camp;
  int week1 = 0, week2 = 0, camper = 0;
};

struct SeenIn {
  const char* locale;
  const char* gridDate;    // the attendees grid's DOB
  const char* editorDate;  // the attendee editor's date of birth
  const char* money;       // Total Charged ("$,0.##")
  const char* dayMonth;    // 9 June typed in the Begin Date search
};

TEST_F(StartLocale, TheUserSeesAndTypesDatesAndMoneyAsTheLocaleOfTheEnvironmentWritesThem) {
  const SeenIn cases[] = {
      {"en_US", "2/29/2012", "02/29/2012", "$1,234.5", "6/9"},
      {"de_DE", "29.2.2012", "29.02.2012", "$1.234,5", "9.6"},
      {"fr_FR", "29/2/2012", "29/02/2012", "$1\u202F234,5", "09/06"},
      {"ru_RU", "29.2.2012", "29.02.2012", "$1\u202F234,5", "09.06"},
  };
  for (const SeenIn& c : cases) {
    if (!LocaleExists(c.locale)) continue;
    const std::vector<String> seen =
        Run(c.locale, {"cells DBGrid1 DOB", "open attendee " + IntToStr(camper), "shown DBDateEdit1",
                       "shown VtDBCalcEdit1", "main", "page TabSheet3", "pick ComboBox3 Begin Date",
                       "type Edit3 " + String(c.dayMonth), "click BitBtn7", "cells DBGrid5 Description"});
    EXPECT_THAT(seen, Contains(String("DBGrid1 DOB: ") + c.gridDate)) << c.locale;
    EXPECT_THAT(seen, Contains(String("DBDateEdit1: ") + c.editorDate)) << c.locale;
    EXPECT_THAT(seen, Contains(String("VtDBCalcEdit1: ") + c.money)) << c.locale;
    EXPECT_THAT(seen, Contains(String("DBGrid5 Description: Week 2"))) << c.locale << ", " << c.dayMonth;
  }
}

TEST_F(StartLocale, AGermanUserPaysTheOwedAmountInTwoPartsTypedWithDecimalCommas) {
  if (!LocaleExists("de_DE")) return;
  const String pay = "pick ComboBox3 " + IntToStr(week1);
  const std::vector<String> seen =
      Run("de_DE", {"open attendee " + IntToStr(camper), "page TabSheet6", pay, "type VtCalcEdit1 74,20",
                    "type Edit2 100", "click BitBtn4 ok", pay, "type VtCalcEdit1 0,10", "type Edit2 101",
                    "click BitBtn4 ok", "click BitBtn1 ok"});
  EXPECT_EQ(seen, std::vector<String>{});
  EXPECT_EQ(Stored("SELECT SUM(AmountPaid) FROM AttendeeTrx WHERE CheckNo IN ('100', '101')"), -74.3);
  EXPECT_EQ(Stored("SELECT BalanceDue FROM AttendeeSession"), 0.0);
  EXPECT_EQ(Stored("SELECT BalanceDue FROM Attendees"), 0.0);
}

// Typed, not yet left: a payment amount and a date of birth; shown and not touched: the release
// date and Total Charged. The desktop switches from American to German meanwhile.
TEST_F(StartLocale, ALocaleChangeWhileEditingKeepsEveryValueAndShowsItTheNewWay) {
  if (!LocaleExists("en_US") || !LocaleExists("de_DE")) return;
  const std::vector<String> seen =
      Run("en_US", {"open attendee " + IntToStr(camper), "type DBDateEdit1 03042013", "page TabSheet6",
                    "pick ComboBox3 " + IntToStr(week1), "type Edit2 100", "type VtCalcEdit1 50.5",
                    "desktop-locale LANG=de_DE.UTF-8", "shown VtCalcEdit1", "shown VtDBCalcEdit1",
                    "shown DBDateEdit1", "shown DBDateEdit3", "click BitBtn4 ok", "click BitBtn1 ok"});
  EXPECT_THAT(seen, Contains(String("VtCalcEdit1: 50,5")));
  EXPECT_THAT(seen, Contains(String("VtDBCalcEdit1: $1.234,5")));
  EXPECT_THAT(seen, Contains(String("DBDateEdit1: 04.03.2013")));
  EXPECT_THAT(seen, Contains(String("DBDateEdit3: 01.06.2026")));
  EXPECT_EQ(Stored("SELECT AmountPaid FROM AttendeeTrx WHERE CheckNo = '100'"), -50.5);
  EXPECT_EQ(Stored("SELECT BalanceDue FROM AttendeeSession"), 23.8);
  EXPECT_EQ(Stored("SELECT DOB FROM Attendees"), EncodeDate(2013, 3, 4));
  EXPECT_EQ(Stored("SELECT DateOfDoctorRelease FROM Attendees"), EncodeDate(2026, 6, 1));
}

}  // namespace
}  // namespace vt::test
