// The report host: runs a report of the camp database by name, narrowed by a where condition,
// into a print preview window or straight into a PDF file. Failures raise (EReportError for an
// unknown report or a refused condition; the data layer's errors for an unreadable database).
#pragma once

#include <vector>

#include "rtl/StrUtils.h"

namespace vt {

class ReportPreview;

// Opens a preview window of the report and returns at once; the window frees itself on close.
ReportPreview* PreviewReport(const String& databasePath, const String& reportName, const String& whereCondition);
void SaveReportAsPdf(const String& databasePath, const String& reportName, const String& whereCondition,
                     const String& pdfFileName);

// The preview windows open now; and closing every one (also those closed but not yet freed).
std::vector<ReportPreview*> OpenReportPreviews();
void CloseReportPreviews();

}  // namespace vt
