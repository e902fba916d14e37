// A camp damaged while the program works on it (pages zeroed behind its back), met by Refresh
// Data and by a click in the attendee grid: a message naming the file, no uncaught exception,
// a clean exit, and the file left exactly as the damage made it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ProgramRun.h"

namespace {

String Contents(const String& path) {
  std::ifstream file(path, std::ios::binary);
  return String(std::istreambuf_iterator<char>(file), {});
}

TEST(DamageTest, ADamagedPageMetWhileWorkingIsNamedAndTheProgramEndsCleanlyLeavingTheFile) {
  for (const char* way : {"refresh", "scroll"}) {
    vt::test::CampFixture camp;
    camp.AddCompany("Camp Vantrel");
    const int session = camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
    camp.AddSessionType(session, "D", "Day Camp", 4, 120);
    for (int i = 0; i < 400; ++i) camp.AddEnrolment(session, camp.AddAttendee("Name " + IntToStr(i), "Kid"), "D");
    camp.Connection()->Close();
    const vt::test::ProgramEnding ending =
        vt::test::RunCommand("timeout 120 " + String(VT_BINARY_DIR) + "/tests/vt_damage_driver '" + camp.Folder() + "' " + way);
    EXPECT_EQ(ending.status, 0) << way << ":\n" << ending.output;
    EXPECT_NE(ending.output.find("shown: The database '" + camp.DatabasePath() +
                                 "' is damaged (database disk image is malformed) and was left as it is."),
              String::npos)
        << way << ":\n" << ending.output;
    EXPECT_EQ(ending.output.find("terminate"), String::npos) << way << ":\n" << ending.output;
    EXPECT_TRUE(Contents(camp.DatabasePath()) == Contents(camp.Folder() + "damaged")) << way;
  }
}

}  // namespace
