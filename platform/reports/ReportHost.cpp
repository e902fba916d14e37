// Runs reports for the program: a preview window per run, or a PDF file without any window.
#include "reports/ReportHost.h"

#include <QApplication>

#include "reports/BandRenderer.h"
#include "reports/ReportDocument.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPreview.h"

namespace vt {

ReportPreview* PreviewReport(const String& databasePath, const String& reportName, const String& whereCondition) {
  auto* preview = new ReportPreview(std::make_unique<ReportDocument>(databasePath, reportName, whereCondition));
  preview->show();
  preview->raise();
  preview->activateWindow();
  return preview;
}

void SaveReportAsPdf(const String& databasePath, const String& reportName, const String& whereCondition,
                     const String& pdfFileName) {
  ReportDocument document(databasePath, reportName, whereCondition);
  BandRenderer renderer(document);
  WritePdf(renderer, pdfFileName);
}

namespace {

// A closed preview stays a top-level widget, hidden, until its deferred deletion has run.
std::vector<ReportPreview*> Previews(bool visibleOnly) {
  std::vector<ReportPreview*> previews;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* preview = dynamic_cast<ReportPreview*>(widget); preview && (!visibleOnly || preview->isVisible()))
      previews.push_back(preview);
  return previews;
}

}  // namespace

std::vector<ReportPreview*> OpenReportPreviews() { return Previews(true); }

void CloseReportPreviews() {
  for (ReportPreview* preview : Previews(false)) delete preview;
}

}  // namespace vt
