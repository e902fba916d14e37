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

std::vector<ReportPreview*> OpenReportPreviews() {
  std::vector<ReportPreview*> previews;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* preview = dynamic_cast<ReportPreview*>(widget)) previews.push_back(preview);
  return previews;
}

void CloseReportPreviews() {
  for (ReportPreview* preview : OpenReportPreviews()) delete preview;
}

}  // namespace vt
