// The attendee editor's Done on a desktop with a window manager (openbox under Xvfb): Yes or No
// to the question, no other message follows, and the row is saved or left as it was. The window
// manager activates the editor's window again after its question closes; a form already hidden
// must not take that as its activation. Skipped where Xvfb or openbox are not installed.
#include <gtest/gtest.h>

#include "tests/fixtures/CampFixture.h"
#include "tests/fixtures/ProgramRun.h"

namespace {

TEST(EditorDoneTest, UnderAWindowManagerDoneShowsOnlyItsQuestionAndSavesAsAnswered) {
  for (const char* program : {"xvfb-run", "openbox"})
    if (!vt::test::Installed(program)) GTEST_SKIP() << program << " is not installed";
  const struct {
    const char* answer;
    const char* firstName;
  } cases[] = {{"yes", "Anna"}, {"no", "Ann"}};
  for (const auto& c : cases) {
    vt::test::CampFixture camp;
    camp.AddCompany("Camp Vantrel");
    camp.AddAttendee("Adams", "Ann");
    camp.Connection()->Close();
    // The script is in double quotes for the outer shell: each \\$ reaches the inner one as $.
    const String desktop = "openbox & wm=\\$!; sleep 1; QT_QPA_PLATFORM=xcb " + String(VT_BINARY_DIR) +
                           "/tests/vt_editor_done_driver '" + camp.Folder() + "' " + c.answer +
                           "; status=\\$?; kill \\$wm; exit \\$status";
    const vt::test::ProgramEnding ending =
        vt::test::RunCommand("xvfb-run -a -s '-screen 0 1280x900x24' sh -c \"" + desktop + "\"");
    EXPECT_EQ(ending.status, 0) << c.answer << ":\n" << ending.output;
    String shown;
    for (size_t at = ending.output.find("shown: "); at != String::npos; at = ending.output.find("shown: ", at + 1))
      shown += ending.output.substr(at, ending.output.find('\n', at) - at) + "\n";
    EXPECT_EQ(shown, "shown: Do you wish to save your changes?\n") << c.answer << ":\n" << ending.output;
    EXPECT_EQ(camp.Value("SELECT FirstName FROM Attendees").AsString(), c.firstName) << c.answer;
  }
}

}  // namespace
