// The preview window: the first page at once, page navigation and zoom, and Save as PDF through
// the platform's save dialog.
#include "reports/ReportPreview.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QToolBar>

#include "reports/BandRenderer.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "reports/ReportHost.h"
#include "rtl/FileNames.h"
#include "tests/fixtures/PdfText.h"
#include "tests/platform/reports/ReportCamp.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/testing/UiTesting.h"

namespace {

class ReportPreviewTest : public ::testing::Test {
protected:
  void SetUp() override {
    vt::EnsureTestApplication();
    for (int i = 0; i < 120; ++i) data.camp.AddAttendee("Zed" + IntToStr(1000 + i), "Al");
  }
  void TearDown() override { vt::CloseReportPreviews(); }

  static void Trigger(vt::ReportPreview* preview, const char* caption) {
    for (QAction* action : preview->findChild<QToolBar*>()->actions())
      if (action->text() == caption) return action->trigger();
    FAIL() << "no button " << caption;
  }
  static String PageLabel(vt::ReportPreview* preview) {
    for (QLabel* label : preview->findChildren<QLabel*>())
      if (label->text().startsWith("Page")) return label->text().toStdString();
    return "";
  }

  vt::test::ReportCamp data;
};

TEST_F(ReportPreviewTest, OpensOnItsFirstPageAndPagesThrough) {
  vt::ReportPreview* preview = vt::PreviewReport(data.camp.DatabasePath(), "Attendees", "");
  ASSERT_EQ(vt::OpenReportPreviews(), std::vector<vt::ReportPreview*>{preview});
  EXPECT_EQ(preview->windowTitle().toStdString(), "Complete Attendee List");
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->PageIndex(), 0);

  vt::ProcessEventsUntilIdle();  // the rest is laid out while idle
  const int pages = preview->Renderer().PageCount();
  ASSERT_GE(pages, 3);
  EXPECT_EQ(PageLabel(preview), Format("Page 1 of %d", {pages}));
  Trigger(preview, "Next Page");
  EXPECT_EQ(PageLabel(preview), Format("Page 2 of %d", {pages}));
  Trigger(preview, "Last Page");
  EXPECT_EQ(preview->PageIndex(), pages - 1);
  Trigger(preview, "Next Page");  // stays on the last page
  EXPECT_EQ(preview->PageIndex(), pages - 1);
  Trigger(preview, "First Page");
  Trigger(preview, "Previous Page");
  EXPECT_EQ(preview->PageIndex(), 0);

  preview->SetZoomPercent(200);
  EXPECT_EQ(preview->ZoomPercent(), 200);

  Trigger(preview, "Close");
  vt::ProcessEventsUntilIdle();
  EXPECT_TRUE(vt::OpenReportPreviews().empty());
}

TEST_F(ReportPreviewTest, SavesTheReportAsPdf) {
  vt::ReportPreview* preview =
      vt::PreviewReport(data.camp.DatabasePath(), "RoomList", "SessionID = " + IntToStr(data.week1));
  const String file = data.camp.Folder() + "room list.pdf";
  vt::DialogResponder responder;
  responder.AnswerFile(file);
  Trigger(preview, "Save as PDF...");
  EXPECT_EQ(responder.Last().Kind, "Save");
  ASSERT_TRUE(FileExists(file));
  const String text = vt::test::PdfText(file);
  EXPECT_NE(text.find("Smith"), String::npos);
  EXPECT_EQ(text.find("Jones"), String::npos);
}

}  // namespace
