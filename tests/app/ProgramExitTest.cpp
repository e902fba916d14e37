// The program ends cleanly the ways a user ends it: exit status 0 and no report on the way out
// (from a sanitizer, in the sanitized build). Each run is a process of its own, so that main's
// return and the exit handlers run as they do for a user.
#include <gtest/gtest.h>

#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ProgramRun.h"

namespace {

using vt::test::ProgramEnding;

ProgramEnding RunProgram(const String& folder, const String& way) {
  return vt::test::RunCommand(String(VT_BINARY_DIR) + "/tests/vt_program_exit_driver '" + folder + "' " + way);
}

void ExpectCleanEnd(const ProgramEnding& ending, const String& way) {
  EXPECT_EQ(ending.status, 0) << way << ":\n" << ending.output;
  EXPECT_EQ(ending.output.find("Sanitizer"), String::npos) << way << ":\n" << ending.output;
  EXPECT_EQ(ending.output.find("runtime error"), String::npos) << way << ":\n" << ending.output;
}

TEST(ProgramExitTest, TheMainWindowClosedOrTheExitCommandEndsTheProgramCleanly) {
  for (const char* way : {"close", "exit-command"}) {
    vt::test::CampFixture camp;
    camp.AddCompany("Camp Vantrel");
    const ProgramEnding ending = RunProgram(camp.Folder(), way);
    ExpectCleanEnd(ending, way);
    EXPECT_EQ(ending.output.find("shown:"), String::npos) << ending.output;
  }
}

TEST(ProgramExitTest, TheMissingDatabaseMessageDismissedEndsTheProgramCleanly) {
  vt::test::CampFixture camp("Elsewhere.mdb");  // nothing at the default Vantrel.mdb
  const ProgramEnding ending = RunProgram(camp.Folder(), "message");
  ExpectCleanEnd(ending, "message");
  EXPECT_NE(ending.output.find("shown: "), String::npos) << ending.output;
  EXPECT_NE(ending.output.find(camp.Folder() + "Vantrel.mdb"), String::npos) << ending.output;
}

}  // namespace
