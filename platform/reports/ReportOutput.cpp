// Paged output of a report: a printer from the print dialog, or a PDF file.
#include "reports/ReportOutput.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "reports/BandRenderer.h"
#include "reports/ReportDefinition.h"

namespace vt {

void PrintPages(BandRenderer& renderer, QPagedPaintDevice& device, int first, int last) {
  const int count = renderer.PageCount();
  if (last < 0 || last >= count) last = count - 1;
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                   renderer.Landscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0)));
  QPainter painter;
  if (!painter.begin(&device)) throw EReportError("The report could not be printed.");
  const double scale = device.logicalDpiX() / 72.0;
  painter.scale(scale, scale);
  for (int page = first; page <= last; ++page) {
    if (page > first) device.newPage();
    renderer.PaintPage(painter, page);
  }
  painter.end();
}

void WritePdf(BandRenderer& renderer, const String& fileName) {
  QPdfWriter writer(QString::fromStdString(fileName));
  writer.setResolution(600);
  writer.setCreator("Vantrel");
  PrintPages(renderer, writer);
}

}  // namespace vt
