// The band renderer: lays a report's rows out on pages (page header, group headers with their
// card lines, detail rows, group footers with counts and sums, report footer, page footer with
// "Page N of M"; letters a page each) and paints any laid-out page on Qt's painter.
// A group that runs onto the next page has its heading repeated there, marked as continued.
// Sums are kept in whole 1/10,000 so that money totals are exact; a running-sum column prints
// the sum so far within the innermost group.
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
    bool continued = false;  // a group heading repeated on the next page
  };
  struct Totals {
    int first = -1;  // the first row counted
    int count = 0;
    std::vector<long long> sums;  // per column, in 1/10,000
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
  void RunOn(int row);
  bool Fits(double y, const Block& block) const;
  void Place(Page& page, double& y, const Block& block);
  void RepeatOpenHeadings(Page& page, double& y) const;
  double ContentWidth() const;
  double Bottom() const;

  double TextHeight(const TextStyle& style, double width, const String& text) const;
  void DrawText(QPainter& painter, const TextStyle& style, double left, double top, double width,
                int alignment, const String& text) const;
  void DrawShrunk(QPainter& painter, const TextStyle& style, double left, double top, double width,
                  const QString& number) const;
  const TextStyle& GroupStyle(size_t level) const;
  String HeadingText(size_t level, int row, bool continued) const;
  double HeadingHeight(size_t level, int row, bool continued) const;
  String DetailText(int row, size_t k) const;
  double DetailHeight(int row) const;
  double CardItemHeight(size_t column, int row) const;
  double FooterLabelWidth() const;
  double FooterHeight(const Totals& totals, const String& text) const;
  double LabelWidth() const;
  String AmountText(size_t column, long long units) const;

  void PaintHeader(QPainter& painter) const;
  void PaintFooter(QPainter& painter, int page) const;
  void PaintBlock(QPainter& painter, const Block& block) const;
  void PaintTotals(QPainter& painter, const Block& block, const String& text) const;
  void PaintCardItem(QPainter& painter, int column, int row, double left, double y) const;

  const ReportDocument& document_;
  TextStyle body_, bold_, heading_, title_, small_;
  std::vector<size_t> detailColumns_;
  std::vector<int> runningSlot_;  // per detail column, its place among the running sums; -1 none
  std::vector<double> lefts_, widths_;  // per detail column, scaled to the page
  double top_ = 0;  // where the body starts under the page header

  int nextRow_ = 0;
  bool ended_ = false;
  bool complete_ = false;
  std::deque<Block> pending_;
  std::vector<Totals> open_;    // per group level, the report's totals last
  std::vector<Totals> closed_;  // the totals footers print
  std::vector<long long> running_;       // the running sums of the current group
  std::vector<long long> runningByRow_;  // row * running_.size() + slot: the sum printed
  std::vector<int> openHeadings_;        // per group level, the row of its heading on a page; -1 none
  std::vector<Page> pages_;
};

}  // namespace vt
