// The print preview window of a report: pages painted when shown (the first before the rest
// are laid out, which continues while the window is idle), zoom, page navigation, Print (the
// platform's print dialog) and Save as PDF.
#pragma once

#include <memory>

#include <QWidget>

#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QTimer;
class QToolBar;

namespace vt {

class BandRenderer;
class ReportDocument;

class ReportPreview : public QWidget {
public:
  explicit ReportPreview(std::unique_ptr<ReportDocument> document);
  ~ReportPreview() override;

  const ReportDocument& Document() const { return *document_; }
  BandRenderer& Renderer() { return *renderer_; }
  int PageIndex() const { return page_; }  // 0-based
  void ShowPage(int index);
  int ZoomPercent() const { return zoom_; }
  void SetZoomPercent(int percent);
  // Asks for a file name through the platform's save dialog and writes the report there.
  void SaveAsPdf();
  void Print();

protected:
  void keyPressEvent(QKeyEvent* event) override;

private:
  class PageView;

  void AddButton(QToolBar* tools, const char* caption, void (ReportPreview::*command)());
  void Run(void (ReportPreview::*command)());
  void First() { ShowPage(0); }
  void Prior() { ShowPage(page_ - 1); }
  void Next() { ShowPage(page_ + 1); }
  void Last();
  void LayOutMore();
  void UpdateControls();
  void ReportFailure(const Exception& error);

  std::unique_ptr<ReportDocument> document_;
  std::unique_ptr<BandRenderer> renderer_;
  PageView* view_;
  QScrollArea* scroll_;
  QLabel* pageLabel_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
  QTimer* layoutTimer_;
  int page_ = 0;
  int zoom_ = 100;
};

}  // namespace vt
