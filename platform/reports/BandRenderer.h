// The band renderer: lays a report's rows out on pages (page header, group headers with their
// card lines, detail rows, group footers with counts and sums, report footer, page footer with
// "Page N of M"; letters a page each) and paints any laid-out page on Qt's painter.
// Pages are laid out one at a time, so the first can be shown before the rest exist.
// Coordinates are points (72 to the inch); the painter is scaled to its device by the caller.
#pragma once

#include <deque>
#include <vector>

#include <QFont>
#include <QFontMetricsF>

#include "rtl/StrUtils.h"

class QPainter;

namespace vt {

class ReportDocument;
struct ReportColumn;

class BandRenderer {
public:
  explicit BandRenderer(const ReportDocument& document);

  // Letter paper, turned for landscape reports.
  double PageWidth() const;
  double PageHeight() const;
  bool Landscape() const;

  // Lays out one more page; false when every page was laid out already.
  bool LayOutNextPage();
  bool Complete() const { return complete_; }
  int PagesLaidOut() const { return static_cast<int>(pages_.size()); }
  // Lays out the remaining pages; the number of pages.
  int PageCount();
  // Paints a page (0-based), laying out the pages before it first.
  void PaintPage(QPainter& painter, int page);

private:
  enum class BlockKind { GroupHeader, CardHeading, CardLine, Detail, GroupFooter, ReportFooter, Paragraph };
  struct Block {
    BlockKind kind;
    int row = -1;      // the row it prints (a footer: the group's first row)
    int item = -1;     // column index; a footer's totals index
    int item2 = -1;    // a card line's second column
    bool newPage = false;
    double height = 0;
    double y = 0;
  };
  struct Totals {
    int first = -1;  // the first row counted
    int count = 0;
    std::vector<double> sums;  // per column
  };
  using Page = std::vector<Block>;
  struct TextStyle {
    TextStyle(int pixels, bool bold);
    QFont font;
    QFontMetricsF metrics;
  };
  struct HeaderLine {
    const TextStyle* style;
    String text;
    int alignment;  // Qt::Alignment
    double gapAfter;
  };

  std::vector<HeaderLine> HeaderLines() const;
  void MeasureHeader();
  void QueueNextRow();
  void QueueGroupStart(size_t level, int row);
  void QueueGroupEnd(size_t level);
  void QueueCard(int row);
  void QueueLetter(int row);
  void QueueReportEnd();
  bool DetailIsEmpty(int row) const;
  void Count(int row);
  bool Fits(double y, const Block& block) const;
  double ContentWidth() const;
  double Bottom() const;

  double TextHeight(const TextStyle& style, double width, const String& text) const;
  void DrawText(QPainter& painter, const TextStyle& style, double left, double top, double width,
                int alignment, const String& text) const;
  const TextStyle& GroupStyle(size_t level) const;
  double DetailHeight(int row) const;
  double CardItemHeight(size_t column, int row) const;
  double FooterLabelWidth() const;
  double FooterHeight(const Totals& totals, const String& text) const;
  double LabelWidth() const;
  String TotalText(size_t column, double sum) const;

  void PaintHeader(QPainter& painter) const;
  void PaintFooter(QPainter& painter, int page) const;
  void PaintBlock(QPainter& painter, const Block& block) const;
  void PaintTotals(QPainter& painter, const Block& block, const String& text) const;
  void PaintCardItem(QPainter& painter, int column, int row, double left, double y) const;

  const ReportDocument& document_;
  TextStyle body_, bold_, heading_, title_, small_;
  std::vector<size_t> detailColumns_;
  std::vector<double> lefts_, widths_;  // per detail column, scaled to the page
  double top_ = 0;  // where the body starts under the page header

  int nextRow_ = 0;
  bool ended_ = false;
  bool complete_ = false;
  std::deque<Block> pending_;
  std::vector<Totals> open_;    // per group level, the report's totals last
  std::vector<Totals> closed_;  // the totals footers print
  std::vector<Page> pages_;
};

}  // namespace vt
