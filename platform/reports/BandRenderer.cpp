// Band layout and painting. Rows are turned into blocks (headers, card lines, detail rows,
// footers, letter paragraphs) only as pages need them; a page takes blocks until the next one
// no longer fits, so no row is ever split, and a header stays with the block after it. A page
// opens with the headings of the groups still open at the end of the page before.
#include "reports/BandRenderer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <QPainter>
#include <QTextLayout>

#include "reports/ReportDocument.h"
#include "rtl/DateTime.h"
#include "rtl/FloatFormat.h"
#include "rtl/Format.h"
#include "rtl/Locale.h"

namespace vt {
namespace {

constexpr double kPaperWidth = 612;   // US Letter
constexpr double kPaperHeight = 792;
constexpr double kMargin = 36;
constexpr double kPageFooter = 20;
constexpr double kPad = 2;

QString Q(const String& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Money is a whole number of 1/10,000: summed as such, it stays exact.
long long Units(double value) { return std::llround(value * 10000); }

// Lines break between words, and inside a word (an e-mail address) only where it alone is wider
// than the box, so nothing is cut off at a column's edge. Returns the height of the lines.
double LayOutLines(QTextLayout& layout, double width, int alignment) {
  QTextOption option(Qt::Alignment(alignment) | Qt::AlignTop);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  double height = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout.endLayout();
  return height;
}

QString WithLineBreaks(QString text) { return text.replace(QChar('\n'), QChar::LineSeparator); }

// An amount, a date, a count or a phone number: digits with their signs and separators, and
// no letter but those of the currency. Such a text is one line whatever its box: broken, it
// would read as two numbers.
bool IsNumber(const QString& text) {
  const QString currency = Q(Locale().CurrencyString);
  bool digit = false;
  for (QChar c : text) {
    if (c == QChar('\n') || (c.isLetter() && !currency.contains(c))) return false;
    digit = digit || c.isDigit();
  }
  return digit;
}

int AlignmentOf(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

}  // namespace

BandRenderer::TextStyle::TextStyle(int pixels, bool bold)
    : font([&] {
        QFont f("DejaVu Sans");
        f.setPixelSize(pixels);
        f.setBold(bold);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setStyleStrategy(QFont::PreferNoShaping);  // no ligatures: printed words stay searchable
        return f;
      }()),
      metrics(font) {}

BandRenderer::BandRenderer(const ReportDocument& document)
    : document_(document), body_(9, false), bold_(9, true), heading_(11, true), title_(16, true),
      small_(8, false) {
  const ReportDefinition& report = document.Definition();
  double total = 0;
  for (size_t i = 0; i < report.Columns.size(); ++i)
    if (report.Columns[i].Band == ReportBand::Detail) {
      detailColumns_.push_back(i);
      total += report.Columns[i].Width;
    }
  // Columns wider than the paper are narrowed alike.
  const double scale = total > ContentWidth() ? ContentWidth() / total : 1;
  double left = kMargin;
  for (size_t column : detailColumns_) {
    lefts_.push_back(left);
    widths_.push_back(report.Columns[column].Width * scale);
    left += widths_.back();
  }
  size_t runningCount = 0;
  for (size_t column : detailColumns_)
    runningSlot_.push_back(report.Columns[column].RunningSum ? static_cast<int>(runningCount++) : -1);
  running_.assign(runningCount, 0);
  openHeadings_.assign(report.Groups.size(), -1);
  open_.assign(report.Groups.size() + 1,
               Totals{document.RowCount() > 0 ? 0 : -1, 0, std::vector<long long>(report.Columns.size())});
  MeasureHeader();
}

double BandRenderer::PageWidth() const { return Landscape() ? kPaperHeight : kPaperWidth; }
double BandRenderer::PageHeight() const { return Landscape() ? kPaperWidth : kPaperHeight; }
bool BandRenderer::Landscape() const { return document_.Definition().Landscape; }
double BandRenderer::ContentWidth() const { return PageWidth() - 2 * kMargin; }
double BandRenderer::Bottom() const { return PageHeight() - kMargin - kPageFooter; }

// The letterhead of a letter; the company, title and session of a list.
std::vector<BandRenderer::HeaderLine> BandRenderer::HeaderLines() const {
  const ReportDefinition& report = document_.Definition();
  if (report.Letter) {
    const String cityLine = Trim(document_.Company("City") + ", " + document_.Company("State") + "  " +
                                 document_.Company("ZipCode"));
    return {{&title_, document_.Company("CompanyName"), Qt::AlignHCenter, 4},
            {&body_, document_.Company("Address"), Qt::AlignHCenter, 0},
            {&body_, cityLine == "," ? String() : cityLine, Qt::AlignHCenter, 0},
            {&body_, document_.Company("PhoneNumber"), Qt::AlignHCenter, 24},
            {&body_, FormatDateTime("mmmm d, yyyy", Date()), Qt::AlignLeft, 24}};
  }
  std::vector<HeaderLine> lines = {{&heading_, document_.Company("CompanyName"), Qt::AlignLeft, 2},
                                   {&title_, report.Title, Qt::AlignLeft, 2}};
  if (!report.Subtitle.empty() && document_.RowCount() > 0)
    lines.push_back({&body_, document_.FillTemplate(report.Subtitle, 0), Qt::AlignLeft, 0});
  lines.back().gapAfter += 8;
  return lines;
}

void BandRenderer::MeasureHeader() {
  top_ = kMargin;
  for (const HeaderLine& line : HeaderLines()) top_ += line.style->metrics.height() + line.gapAfter;
  if (document_.Definition().Letter || detailColumns_.empty()) return;
  double titles = 0;
  for (size_t k = 0; k < detailColumns_.size(); ++k)
    titles = std::max(titles, TextHeight(bold_, widths_[k] - 2 * kPad,
                                         document_.Definition().Columns[detailColumns_[k]].Caption));
  top_ += titles + 2 * kPad + 4;
}

double BandRenderer::TextHeight(const TextStyle& style, double width, const String& text) const {
  const QString q = Q(text);
  if (IsNumber(q) || (!q.contains('\n') && style.metrics.horizontalAdvance(q) <= width)) return style.metrics.height();
  QTextLayout layout(WithLineBreaks(q), style.font);
  return LayOutLines(layout, width, Qt::AlignLeft);
}

// One line that fits is drawn at its baseline (much cheaper); a number too wide for its box is
// drawn smaller until it fits; anything else wraps in its box.
void BandRenderer::DrawText(QPainter& painter, const TextStyle& style, double left, double top, double width,
                            int alignment, const String& text) const {
  if (text.empty()) return;
  const QString q = Q(text);
  painter.setFont(style.font);
  const double advance = style.metrics.horizontalAdvance(q);
  if (!q.contains('\n') && advance <= width) {
    double x = left;
    if (alignment & Qt::AlignRight) x = left + width - advance;
    else if (alignment & Qt::AlignHCenter) x = left + (width - advance) / 2;
    painter.drawText(QPointF(x, top + style.metrics.ascent()), q);
    return;
  }
  if (IsNumber(q)) return DrawShrunk(painter, style, left, top, width, q);
  QTextLayout layout(WithLineBreaks(q), style.font);
  LayOutLines(layout, width, alignment);
  layout.draw(&painter, QPointF(left, top));
}

// Scaled about its baseline, so it stands on the line of the texts beside it, filling its box.
void BandRenderer::DrawShrunk(QPainter& painter, const TextStyle& style, double left, double top, double width,
                              const QString& number) const {
  const double scale = width / style.metrics.horizontalAdvance(number);
  painter.save();
  painter.translate(left, top + style.metrics.ascent());
  painter.scale(scale, scale);
  painter.drawText(QPointF(0, 0), number);
  painter.restore();
}

const BandRenderer::TextStyle& BandRenderer::GroupStyle(size_t level) const {
  return level == 0 ? heading_ : bold_;
}

String BandRenderer::HeadingText(size_t level, int row, bool continued) const {
  return document_.FillTemplate(document_.Definition().Groups[level].HeaderText, row) +
         (continued ? " (continued)" : "");
}

double BandRenderer::HeadingHeight(size_t level, int row, bool continued) const {
  if (document_.Definition().Groups[level].HeaderText.empty()) return 0;
  return TextHeight(GroupStyle(level), ContentWidth(), HeadingText(level, row, continued)) + 8;
}

// The k-th detail column of a row as printed: its value, or the running sum up to the row.
String BandRenderer::DetailText(int row, size_t k) const {
  if (runningSlot_[k] < 0) return document_.Text(row, detailColumns_[k]);
  return AmountText(detailColumns_[k], runningByRow_[row * running_.size() + runningSlot_[k]]);
}

double BandRenderer::DetailHeight(int row) const {
  double height = body_.metrics.height();
  for (size_t k = 0; k < detailColumns_.size(); ++k)
    height = std::max(height, TextHeight(body_, widths_[k] - 2 * kPad, DetailText(row, k)));
  return height + 2 * kPad;
}

// A card line holds two "Caption: value" pairs side by side.
double BandRenderer::LabelWidth() const { return ContentWidth() / 2 * 0.5; }

double BandRenderer::CardItemHeight(size_t column, int row) const {
  const double valueWidth = ContentWidth() / 2 - LabelWidth() - 2 * kPad;
  return std::max(TextHeight(bold_, LabelWidth() - kPad, document_.Definition().Columns[column].Caption + ":"),
                  TextHeight(body_, valueWidth, document_.Text(row, column)));
}

// A footer's text runs up to the first column with a total.
double BandRenderer::FooterLabelWidth() const {
  for (size_t k = 0; k < detailColumns_.size(); ++k)
    if (document_.Definition().Columns[detailColumns_[k]].Total) return std::max(lefts_[k] - kMargin, 40.0) - kPad;
  return ContentWidth();
}

double BandRenderer::FooterHeight(const Totals& totals, const String& text) const {
  return TextHeight(bold_, FooterLabelWidth(), document_.FillTemplate(text, totals.first, totals.count)) + 10;
}

String BandRenderer::AmountText(size_t column, long long units) const {
  const String& format = document_.Definition().Columns[column].DisplayFormat;
  const double amount = static_cast<double>(units) / 10000;
  return format.empty() ? FloatToStr(amount) : FormatFloat(format, amount);
}

// --- turning rows into blocks ---

void BandRenderer::QueueNextRow() {
  const ReportDefinition& report = document_.Definition();
  if (nextRow_ >= document_.RowCount()) return QueueReportEnd();
  const int row = nextRow_++;
  if (report.Letter) return QueueLetter(row);
  const size_t levels = report.Groups.size();
  size_t changed = row == 0 ? 0 : levels;
  for (size_t level = 0; row > 0 && level < levels; ++level)
    if (!(document_.GroupValue(row, level) == document_.GroupValue(row - 1, level))) {
      changed = level;
      break;
    }
  if (row > 0)
    for (size_t level = levels; level-- > changed;) QueueGroupEnd(level);
  for (size_t level = changed; level < levels; ++level) QueueGroupStart(level, row);
  RunOn(row);
  // An outer join's row with nothing to show (a room with nobody in it) prints and counts nothing.
  if (DetailIsEmpty(row)) return;
  pending_.push_back({BlockKind::Detail, row, -1, -1, false, DetailHeight(row)});
  Count(row);
}

bool BandRenderer::DetailIsEmpty(int row) const {
  return !detailColumns_.empty() &&
         std::all_of(detailColumns_.begin(), detailColumns_.end(),
                     [&](size_t column) { return document_.IsNull(row, column); });
}

void BandRenderer::Count(int row) {
  const std::vector<ReportColumn>& columns = document_.Definition().Columns;
  for (Totals& totals : open_) ++totals.count;
  for (size_t column : detailColumns_) {
    if (!columns[column].Total) continue;
    const long long units = Units(document_.Number(row, column));
    for (Totals& totals : open_) totals.sums[column] += units;
  }
}

// Every row takes its running sums, so that a row's are found by its number.
void BandRenderer::RunOn(int row) {
  for (size_t k = 0; k < detailColumns_.size(); ++k)
    if (runningSlot_[k] >= 0) running_[runningSlot_[k]] += Units(document_.Number(row, detailColumns_[k]));
  runningByRow_.insert(runningByRow_.end(), running_.begin(), running_.end());
}

void BandRenderer::QueueGroupStart(size_t level, int row) {
  const ReportGroup& group = document_.Definition().Groups[level];
  open_[level] = Totals{row, 0, std::vector<long long>(document_.Definition().Columns.size())};
  std::fill(running_.begin(), running_.end(), 0);
  pending_.push_back({BlockKind::GroupHeader, row, static_cast<int>(level), -1, group.NewPage,
                      HeadingHeight(level, row, false)});
  if (level == 0) QueueCard(row);
}

void BandRenderer::QueueCard(int row) {
  const std::vector<ReportColumn>& columns = document_.Definition().Columns;
  int waiting = -1;  // a pair's first item, waiting for its partner
  auto flush = [&](int second) {
    if (waiting < 0) return;
    double height = CardItemHeight(waiting, row);
    if (second >= 0) height = std::max(height, CardItemHeight(second, row));
    pending_.push_back({BlockKind::CardLine, row, waiting, second, false, height + kPad});
    waiting = -1;
  };
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].Band != ReportBand::Card) continue;
    if (columns[i].FieldName.empty()) {
      flush(-1);
      pending_.push_back({BlockKind::CardHeading, row, static_cast<int>(i), -1, false,
                          heading_.metrics.height() + 6});
    } else if (waiting < 0) {
      waiting = static_cast<int>(i);
    } else {
      flush(static_cast<int>(i));
    }
  }
  flush(-1);
}

void BandRenderer::QueueGroupEnd(size_t level) {
  closed_.push_back(open_[level]);
  const String& text = document_.Definition().Groups[level].FooterText;
  pending_.push_back({BlockKind::GroupFooter, closed_.back().first, static_cast<int>(closed_.size() - 1),
                      static_cast<int>(level), false, FooterHeight(closed_.back(), text)});
}

void BandRenderer::QueueReportEnd() {
  const ReportDefinition& report = document_.Definition();
  if (document_.RowCount() > 0 && !report.Letter)
    for (size_t level = report.Groups.size(); level-- > 0;) QueueGroupEnd(level);
  closed_.push_back(open_.back());
  if (!report.Letter && !report.FooterText.empty())
    pending_.push_back({BlockKind::ReportFooter, document_.RowCount() > 0 ? 0 : -1,
                        static_cast<int>(closed_.size() - 1), -1, false,
                        FooterHeight(closed_.back(), report.FooterText) + 4});
  ended_ = true;
}

// A letter starts a page: the address lines, a gap, then its paragraphs.
void BandRenderer::QueueLetter(int row) {
  const std::vector<ReportColumn>& columns = document_.Definition().Columns;
  const size_t first = pending_.size();
  bool addressed = false;
  for (size_t i = 0; i < columns.size(); ++i) {
    const String text = document_.Text(row, i);
    if (text.empty()) continue;
    const bool address = columns[i].Band == ReportBand::Address;
    if (addressed && !address) {
      pending_.back().height += 18;
      addressed = false;
    }
    addressed = addressed || address;
    const double height = address ? body_.metrics.height() : TextHeight(body_, ContentWidth(), text) + 12;
    pending_.push_back({BlockKind::Paragraph, row, static_cast<int>(i), -1, false, height});
  }
  if (pending_.size() > first) pending_[first].newPage = true;
}

// --- pages ---

bool BandRenderer::Fits(double y, const Block& block) const {
  double needed = block.height;
  const bool keepWithNext = block.kind == BlockKind::GroupHeader || block.kind == BlockKind::CardHeading ||
                            block.kind == BlockKind::CardLine;
  if (keepWithNext && pending_.size() > 1 && !pending_[1].newPage) needed += pending_[1].height;
  return y + needed <= Bottom();
}

// A placed heading opens its group on the page (and closes the groups inside it); a footer
// closes its group.
void BandRenderer::Place(Page& page, double& y, const Block& block) {
  if (block.kind == BlockKind::GroupHeader && !block.continued) {
    openHeadings_[block.item] = block.row;
    std::fill(openHeadings_.begin() + block.item + 1, openHeadings_.end(), -1);
  } else if (block.kind == BlockKind::GroupFooter) {
    openHeadings_[block.item2] = -1;
  }
  page.push_back(block);
  page.back().y = y;
  y += block.height;
}

void BandRenderer::RepeatOpenHeadings(Page& page, double& y) const {
  for (size_t level = 0; level < openHeadings_.size(); ++level) {
    const int row = openHeadings_[level];
    if (row < 0 || document_.Definition().Groups[level].HeaderText.empty()) continue;
    Block heading{BlockKind::GroupHeader, row, static_cast<int>(level), -1, false, HeadingHeight(level, row, true), y};
    heading.continued = true;
    page.push_back(heading);
    y += heading.height;
  }
}

bool BandRenderer::LayOutNextPage() {
  if (complete_) return false;
  Page page;
  double y = top_;
  if (!pages_.empty()) RepeatOpenHeadings(page, y);
  const size_t repeated = page.size();
  for (;;) {
    if (pending_.empty()) {
      if (ended_) break;
      QueueNextRow();
      continue;
    }
    const Block& block = pending_.front();
    if (page.size() > repeated && (block.newPage || !Fits(y, block))) break;
    Place(page, y, block);
    pending_.pop_front();
  }
  complete_ = pending_.empty() && ended_;
  if (page.size() == repeated && !pages_.empty()) return false;
  pages_.push_back(std::move(page));
  return true;
}

int BandRenderer::PageCount() {
  while (LayOutNextPage()) {
  }
  return PagesLaidOut();
}

// --- painting ---

void BandRenderer::PaintPage(QPainter& painter, int page) {
  while (page >= PagesLaidOut() && LayOutNextPage()) {
  }
  if (page < 0 || page >= PagesLaidOut()) return;
  painter.save();
  painter.setPen(Qt::black);
  PaintHeader(painter);
  for (const Block& block : pages_[page]) PaintBlock(painter, block);
  if (!document_.Definition().Letter) PaintFooter(painter, page);
  painter.restore();
}

void BandRenderer::PaintHeader(QPainter& painter) const {
  double y = kMargin;
  for (const HeaderLine& line : HeaderLines()) {
    DrawText(painter, *line.style, kMargin, y, ContentWidth(), line.alignment, line.text);
    y += line.style->metrics.height() + line.gapAfter;
  }
  if (document_.Definition().Letter || detailColumns_.empty()) return;
  for (size_t k = 0; k < detailColumns_.size(); ++k) {
    const ReportColumn& column = document_.Definition().Columns[detailColumns_[k]];
    DrawText(painter, bold_, lefts_[k] + kPad, y + kPad, widths_[k] - 2 * kPad, AlignmentOf(column.Alignment),
             column.Caption);
  }
  painter.drawLine(QPointF(kMargin, top_ - 3), QPointF(kMargin + ContentWidth(), top_ - 3));
}

void BandRenderer::PaintFooter(QPainter& painter, int page) const {
  const double y = Bottom() + 6;
  painter.drawLine(QPointF(kMargin, y), QPointF(kMargin + ContentWidth(), y));
  DrawText(painter, small_, kMargin, y + 3, ContentWidth(), Qt::AlignLeft, "Printed " + DateToStr(Date()));
  const String number = complete_ ? Format("Page %d of %d", {page + 1, PagesLaidOut()}) : Format("Page %d", {page + 1});
  DrawText(painter, small_, kMargin, y + 3, ContentWidth(), Qt::AlignRight, number);
}

void BandRenderer::PaintBlock(QPainter& painter, const Block& block) const {
  const ReportDefinition& report = document_.Definition();
  switch (block.kind) {
    case BlockKind::GroupHeader:
      DrawText(painter, GroupStyle(block.item), kMargin, block.y + 4, ContentWidth(), Qt::AlignLeft,
               HeadingText(block.item, block.row, block.continued));
      break;
    case BlockKind::CardHeading:
      DrawText(painter, heading_, kMargin, block.y + 4, ContentWidth(), Qt::AlignLeft, report.Columns[block.item].Caption);
      painter.drawLine(QPointF(kMargin, block.y + block.height - 3),
                       QPointF(kMargin + ContentWidth(), block.y + block.height - 3));
      break;
    case BlockKind::CardLine:
      PaintCardItem(painter, block.item, block.row, kMargin, block.y);
      if (block.item2 >= 0) PaintCardItem(painter, block.item2, block.row, kMargin + ContentWidth() / 2, block.y);
      break;
    case BlockKind::Detail:
      for (size_t k = 0; k < detailColumns_.size(); ++k)
        DrawText(painter, body_, lefts_[k] + kPad, block.y + kPad, widths_[k] - 2 * kPad,
                 AlignmentOf(report.Columns[detailColumns_[k]].Alignment), DetailText(block.row, k));
      break;
    case BlockKind::GroupFooter:
      PaintTotals(painter, block, report.Groups[block.item2].FooterText);
      break;
    case BlockKind::ReportFooter:
      painter.drawLine(QPointF(kMargin, block.y + 1), QPointF(kMargin + ContentWidth(), block.y + 1));
      PaintTotals(painter, block, report.FooterText);
      break;
    case BlockKind::Paragraph:
      DrawText(painter, body_, kMargin, block.y, ContentWidth(), Qt::AlignLeft, document_.Text(block.row, block.item));
      break;
  }
}

void BandRenderer::PaintTotals(QPainter& painter, const Block& block, const String& text) const {
  const Totals& totals = closed_[block.item];
  const std::vector<ReportColumn>& columns = document_.Definition().Columns;
  for (size_t k = 0; k < detailColumns_.size(); ++k) {
    const size_t column = detailColumns_[k];
    if (!columns[column].Total) continue;
    painter.drawLine(QPointF(lefts_[k] + kPad, block.y + 3), QPointF(lefts_[k] + widths_[k] - kPad, block.y + 3));
    DrawText(painter, bold_, lefts_[k] + kPad, block.y + 5, widths_[k] - 2 * kPad,
             AlignmentOf(columns[column].Alignment), AmountText(column, totals.sums[column]));
  }
  DrawText(painter, bold_, kMargin, block.y + 5, FooterLabelWidth(), Qt::AlignLeft,
           document_.FillTemplate(text, totals.first, totals.count));
}

void BandRenderer::PaintCardItem(QPainter& painter, int column, int row, double left, double y) const {
  DrawText(painter, bold_, left, y, LabelWidth() - kPad, Qt::AlignLeft,
           document_.Definition().Columns[column].Caption + ":");
  DrawText(painter, body_, left + LabelWidth(), y, ContentWidth() / 2 - LabelWidth() - 2 * kPad, Qt::AlignLeft,
           document_.Text(row, column));
}

}  // namespace vt
