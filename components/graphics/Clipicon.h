// Icons on the clipboard at their real size, under a clipboard format of their own, and drawing
// an icon at the size stored in its data.
#pragma once

#include "ui/graphics/Graphics.h"

extern unsigned CF_ICON;

void CopyIconToClipboard(TIcon* Icon, TColor BackColor);
void AssignClipboardIcon(TIcon* Icon);
// A new icon from the clipboard, or none when the icon format is not there.
TIcon* CreateIconFromClipboard();
void GetIconSize(TIcon* Icon, int& W, int& H);
// A new icon at the size stored in the icon's data (the first entry of its directory).
TIcon* CreateRealSizeIcon(TIcon* Icon);
void DrawRealSizeIcon(TCanvas* Canvas, TIcon* Icon, int X, int Y);

namespace vt {
int StartClipicon();
inline const int kClipiconStarted = StartClipicon();
}  // namespace vt
