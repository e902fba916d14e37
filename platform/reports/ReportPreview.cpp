// The preview window. Only the page on screen is painted; the layout of the remaining pages
// runs in short slices from a zero-interval timer, so the window answers while a long report
// is still being paginated, and the page count appears once it is known.
#include "reports/ReportPreview.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "reports/BandRenderer.h"
#include "reports/ReportDocument.h"
#include "reports/ReportOutput.h"
#include "rtl/Format.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/forms/Forms.h"

namespace vt {

namespace {
constexpr int kZoomSteps[] = {50, 75, 100, 125, 150, 200};
constexpr qint64 kLayoutSliceMs = 20;
}  // namespace

// One page at the preview's zoom, white on the grey of the scroll area.
class ReportPreview::PageView : public QWidget {
public:
  explicit PageView(ReportPreview* preview) : preview_(preview) {}

  double Scale() const { return preview_->zoom_ / 100.0 * logicalDpiX() / 72.0; }
  void Resize() {
    const double scale = Scale();
    setFixedSize(static_cast<int>(preview_->renderer_->PageWidth() * scale),
                 static_cast<int>(preview_->renderer_->PageHeight() * scale));
    update();
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(Scale(), Scale());
    try {
      preview_->renderer_->PaintPage(painter, preview_->page_);
    } catch (const Exception& error) {
      // A paint event cannot raise; the page shows why it is empty instead.
      preview_->layoutTimer_->stop();
      painter.setPen(Qt::red);
      painter.drawText(QRectF(36, 36, 540, 720), Qt::TextWordWrap, QString::fromStdString(error.Message()));
    }
  }

private:
  ReportPreview* preview_;
};

ReportPreview::ReportPreview(std::unique_ptr<ReportDocument> document)
    : document_(std::move(document)),
      renderer_(std::make_unique<BandRenderer>(*document_)),
      view_(new PageView(this)),
      scroll_(new QScrollArea(this)),
      layoutTimer_(new QTimer(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromStdString(document_->Definition().Title));
  setObjectName("ReportPreview");
  auto* tools = new QToolBar(this);
  tools->setObjectName("PreviewTools");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tools);
  layout->addWidget(scroll_);

  AddButton(tools, "Print...", &ReportPreview::Print);
  AddButton(tools, "Save as PDF...", &ReportPreview::SaveAsPdf);
  tools->addSeparator();
  AddButton(tools, "First Page", &ReportPreview::First);
  AddButton(tools, "Previous Page", &ReportPreview::Prior);
  AddButton(tools, "Next Page", &ReportPreview::Next);
  AddButton(tools, "Last Page", &ReportPreview::Last);
  pageLabel_ = new QLabel(tools);
  pageLabel_->setContentsMargins(8, 0, 8, 0);
  tools->addWidget(pageLabel_);
  zoomBox_ = new QComboBox(tools);
  zoomBox_->setAccessibleName("Zoom");
  for (int percent : kZoomSteps) zoomBox_->addItem(QString::number(percent) + "%", percent);
  zoomBox_->setCurrentIndex(zoomBox_->findData(zoom_));
  connect(zoomBox_, &QComboBox::activated, this, [this](int index) { SetZoomPercent(zoomBox_->itemData(index).toInt()); });
  tools->addWidget(zoomBox_);
  tools->addSeparator();
  tools->addAction("Close", this, [this] { close(); });

  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setAlignment(Qt::AlignHCenter);
  scroll_->setWidget(view_);
  view_->Resize();
  view_->setAccessibleName("Page");
  resize(900, 1000);
  // The first page is laid out now, so a report that cannot be laid out fails the request.
  renderer_->LayOutNextPage();

  connect(layoutTimer_, &QTimer::timeout, this, [this] { LayOutMore(); });
  layoutTimer_->start(0);
  UpdateControls();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::AddButton(QToolBar* tools, const char* caption, void (ReportPreview::*command)()) {
  tools->addAction(caption, this, [this, command] { Run(command); });
}

// Qt's event handlers cannot raise: a command's failure is shown to the user instead.
void ReportPreview::Run(void (ReportPreview::*command)()) {
  try {
    (this->*command)();
  } catch (const Exception& error) {
    ReportFailure(error);
  }
}

void ReportPreview::ShowPage(int index) {
  while (index >= renderer_->PagesLaidOut() && renderer_->LayOutNextPage()) {
  }
  page_ = std::clamp(index, 0, renderer_->PagesLaidOut() - 1);
  view_->update();
  UpdateControls();
}

void ReportPreview::Last() { ShowPage(renderer_->PageCount() - 1); }

void ReportPreview::SetZoomPercent(int percent) {
  zoom_ = std::clamp(percent, 10, 400);
  view_->Resize();
  UpdateControls();
}

void ReportPreview::LayOutMore() {
  QElapsedTimer slice;
  slice.start();
  try {
    while (slice.elapsed() < kLayoutSliceMs && renderer_->LayOutNextPage()) {
    }
  } catch (const Exception& error) {
    layoutTimer_->stop();
    return ReportFailure(error);
  }
  if (renderer_->Complete()) {
    layoutTimer_->stop();
    view_->update();  // the footer now knows the number of pages
  }
  UpdateControls();
}

void ReportPreview::UpdateControls() {
  const String pages = renderer_->Complete() ? IntToStr(renderer_->PagesLaidOut())
                                             : IntToStr(renderer_->PagesLaidOut()) + "+";
  pageLabel_->setText(QString::fromStdString(Format("Page %d of %s", {page_ + 1, pages})));
  zoomBox_->setCurrentIndex(zoomBox_->findData(zoom_));
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageDown: return Run(&ReportPreview::Next);
    case Qt::Key_PageUp: return Run(&ReportPreview::Prior);
    case Qt::Key_Home: return Run(&ReportPreview::First);
    case Qt::Key_End: return Run(&ReportPreview::Last);
    default: QWidget::keyPressEvent(event);
  }
}

void ReportPreview::SaveAsPdf() {
  TSaveDialog dialog(nullptr);
  dialog.SetTitle("Save as PDF");
  dialog.SetFilter("PDF files (*.pdf)|*.pdf");
  dialog.SetDefaultExt("pdf");
  dialog.SetFileName(document_->Definition().Name + ".pdf");
  dialog.SetOptions({ofOverwritePrompt});
  if (dialog.Execute()) WritePdf(*renderer_, dialog.FileName());
}

void ReportPreview::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  QPrintDialog dialog(&printer, this);
  dialog.setMinMax(1, renderer_->PageCount());
  if (dialog.exec() != QDialog::Accepted) return;
  const bool range = printer.printRange() == QPrinter::PageRange;
  PrintPages(*renderer_, printer, range ? printer.fromPage() - 1 : 0, range ? printer.toPage() - 1 : -1);
}

void ReportPreview::ReportFailure(const Exception& error) {
  ShowMessageBox("MessageBox", error.Message(), "Error", mtError, {mrOk});
}

}  // namespace vt
