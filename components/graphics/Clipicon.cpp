// The icon clipboard format carries the icon file itself; the bitmap beside it is the icon
// painted over a background colour, for programs that take pictures only.
#include "components/graphics/Clipicon.h"

#include <memory>

#include "rtl/Streams.h"
#include "ui/kernel/Clipboard.h"
#include "ui/kernel/WinApi.h"

unsigned CF_ICON = 0;

namespace {

std::vector<std::uint8_t> IconBytes(TIcon* icon) {
  TMemoryStream stream;
  icon->SaveToStream(&stream);
  return {stream.Memory(), stream.Memory() + stream.Size()};
}

}  // namespace

void CopyIconToClipboard(TIcon* Icon, TColor BackColor) {
  std::unique_ptr<TIcon> real(CreateRealSizeIcon(Icon));
  TBitmap bitmap;
  bitmap.SetSize(real->Width(), real->Height());
  bitmap.Canvas()->Brush()->SetColor(BackColor);
  bitmap.Canvas()->FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
  bitmap.Canvas()->Draw(0, 0, real.get());
  const ClipboardOpen open(Clipboard());
  Clipboard()->Assign(&bitmap);
  Clipboard()->SetAsBytes(CF_ICON, IconBytes(Icon));
}

void AssignClipboardIcon(TIcon* Icon) {
  if (!Clipboard()->HasFormat(CF_ICON)) return;
  std::vector<std::uint8_t> bytes = Clipboard()->GetAsBytes(CF_ICON);
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  stream.SetPosition(0);
  Icon->LoadFromStream(&stream);
}

TIcon* CreateIconFromClipboard() {
  if (!Clipboard()->HasFormat(CF_ICON)) return nullptr;
  auto icon = std::make_unique<TIcon>();
  AssignClipboardIcon(icon.get());
  return icon.release();
}

void GetIconSize(TIcon* Icon, int& W, int& H) {
  if (Icon && !Icon->Empty()) {
    W = Icon->Width();
    H = Icon->Height();
    return;
  }
  W = GetSystemMetrics(SM_CXICON);
  H = GetSystemMetrics(SM_CYICON);
}

// The icon is held at the size of its directory's first entry already: the copy keeps it.
TIcon* CreateRealSizeIcon(TIcon* Icon) {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(Icon);
  return copy.release();
}

void DrawRealSizeIcon(TCanvas* Canvas, TIcon* Icon, int X, int Y) {
  std::unique_ptr<TIcon> real(CreateRealSizeIcon(Icon));
  Canvas->StretchDraw(Rect(X, Y, X + real->Width(), Y + real->Height()), real.get());
}

namespace vt {

int StartClipicon() {
  static const int started = [] {
    CF_ICON = RegisterClipboardFormat("Vantrel Icon");
    TPicture::RegisterClipboardFormat(CF_ICON, &CreateGraphic<TIcon>);
    return 1;
  }();
  return started;
}

}  // namespace vt
