// Printing a laid-out report: every page (or a range) onto a paged device, such as a printer or
// a PDF file, each page scaled from points to the device's resolution.
#pragma once

#include "rtl/StrUtils.h"

class QPagedPaintDevice;

namespace vt {

class BandRenderer;

// Pages first to last (0-based, inclusive; -1: the last page) onto the device.
void PrintPages(BandRenderer& renderer, QPagedPaintDevice& device, int first = 0, int last = -1);
// The whole report as a PDF file; raises EReportError when the file cannot be written.
void WritePdf(BandRenderer& renderer, const String& fileName);

}  // namespace vt
