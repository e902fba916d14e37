// The program ends cleanly the ways a user ends it: exit status 0 and no report on the way out
// (from a sanitizer, in the sanitized build). Each run is a process of its own, so that main's
// return and the exit handlers run as they do for a user.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "tests/fixtures/CampFixture.h"

namespace {

struct Ending {
  int status;
  String output;
};

Ending RunProgram(const String& folder, const String& way) {
  const String command =
      String(VT_BINARY_DIR) + "/tests/vt_program_exit_driver '" + folder + "' " + way + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, "cannot start " + command};
  String output;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int raw = pclose(pipe);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), output};
}

void ExpectCleanEnd(const Ending& ending, const String& way) {
  EXPECT_EQ(ending.status, 0) << way << ":\n" << ending.output;
  EXPECT_EQ(ending.output.find("Sanitizer"), String::npos) << way << ":\n" << ending.output;
  EXPECT_EQ(ending.output.find("runtime error"), String::npos) << way << ":\n" << ending.output;
}

TEST(ProgramExitTest, TheMainWindowClosedOrTheExitCommandEndsTheProgramCleanly) {
  for (const char* way : {"close", "exit-command"}) {
    vt::test::CampFixture camp;
    camp.AddCompany("Camp Vantrel");
    const Ending ending = RunProgram(camp.Folder(), way);
    ExpectCleanEnd(ending, way);
    EXPECT_EQ(ending.output.find("shown:"), String::npos) << ending.output;
  }
}

TEST(ProgramExitTest, TheMissingDatabaseMessageDismissedEndsTheProgramCleanly) {
  vt::test::CampFixture camp("Elsewhere.mdb");  // nothing at the default Vantrel.mdb
  const Ending ending = RunProgram(camp.Folder(), "message");
  ExpectCleanEnd(ending, "message");
  EXPECT_NE(ending.output.find("shown: "), String::npos) << ending.output;
  EXPECT_NE(ending.output.find(camp.Folder() + "Vantrel.mdb"), String::npos) << ending.output;
}

}  // namespace
