// WinExec: commands start without being waited for, a missing program is reported, and tests
// can record the command lines instead of starting them.
#include "win/shell/Shell.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "rtl/FileNames.h"

namespace {

TEST(WinExecTest, StartsAProgramWithItsArgumentsAndReportsAMissingOne) {
  const String marker = "/tmp/vt-winexec-" + IntToStr(static_cast<int>(getpid()));
  EXPECT_GT(WinExec(("touch " + marker).c_str(), SW_HIDE), 31u);
  for (int i = 0; i < 200 && !FileExists(marker); ++i) usleep(10000);
  EXPECT_TRUE(FileExists(marker));
  DeleteFile(marker);

  EXPECT_EQ(WinExec("vt-no-such-program-here now", SW_HIDE), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("", SW_HIDE), ERROR_FILE_NOT_FOUND);
}

TEST(WinExecTest, AQuotedPathWithBlanksArrivesWhole) {
  const String marker = "/tmp/vt winexec " + IntToStr(static_cast<int>(getpid()));
  EXPECT_GT(WinExec(("touch \"" + marker + "\"").c_str(), SW_HIDE), 31u);
  for (int i = 0; i < 200 && !FileExists(marker); ++i) usleep(10000);
  EXPECT_TRUE(FileExists(marker));
  EXPECT_FALSE(FileExists("/tmp/vt"));
  DeleteFile(marker);
}

TEST(WinExecTest, CommandLineSplitsAsWindowsDoes) {
  const struct {
    const char* line;
    std::vector<String> words;
  } cases[] = {
      {R"(prog a  b)", {"prog", "a", "b"}},
      {R"("/opt/my app/run" "/data/camp files/Vantrel.mdb" /NOSTARTUP)",
       {"/opt/my app/run", "/data/camp files/Vantrel.mdb", "/NOSTARTUP"}},
      {R"(explorer "http://example.org/a b")", {"explorer", "http://example.org/a b"}},
      {R"(p a"b c"d)", {"p", "ab cd"}},
      {R"(p \"x\")", {"p", "\"x\""}},
      {R"(p a\\"b c" d\e)", {"p", "a\\b c", "d\\e"}},
      {R"(p a\\\"b)", {"p", "a\\\"b"}},
      {"  \t ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(vt::CommandLineToArgs(c.line), c.words) << c.line;
}

TEST(WinExecTest, RecordsCommandLinesWhileATestAsks) {
  std::vector<String> commands;
  vt::RecordWinExecForTests(&commands);
  EXPECT_GT(WinExec("explorer http://example.org/camp", SW_HIDE), 31u);
  vt::RecordWinExecForTests(nullptr);
  EXPECT_EQ(commands, std::vector<String>{"explorer http://example.org/camp"});
}

}  // namespace
