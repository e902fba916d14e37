// The graphics unit of the visual class library: colours (0x00BBGGRR with tagged system colours),
// fonts, pens, brushes, the canvas over a Qt painter, and the graphic classes (bitmap with exact
// BMP streaming, icon, picture with its registry of formats).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "rtl/Classes.h"

class QPainter;
class QImage;
class QFont;
class TStream;

using TColor = std::int32_t;

// Clipboard formats of the system; others are registered by name (ui/kernel/Clipboard.h).
constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_BITMAP = 2;
constexpr unsigned CF_DIB = 8;
constexpr unsigned CF_UNICODETEXT = 13;
constexpr unsigned CF_HDROP = 15;
using HDC = QPainter*;

// System colours are the tagged values 0x80000000 | index; ColorToRGB resolves them.
constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
constexpr TColor clScrollBar = SysColor(0);
constexpr TColor clBackground = SysColor(1);
constexpr TColor clActiveCaption = SysColor(2);
constexpr TColor clInactiveCaption = SysColor(3);
constexpr TColor clMenu = SysColor(4);
constexpr TColor clWindow = SysColor(5);
constexpr TColor clWindowFrame = SysColor(6);
constexpr TColor clMenuText = SysColor(7);
constexpr TColor clWindowText = SysColor(8);
constexpr TColor clCaptionText = SysColor(9);
constexpr TColor clActiveBorder = SysColor(10);
constexpr TColor clInactiveBorder = SysColor(11);
constexpr TColor clAppWorkSpace = SysColor(12);
constexpr TColor clHighlight = SysColor(13);
constexpr TColor clHighlightText = SysColor(14);
constexpr TColor clBtnFace = SysColor(15);
constexpr TColor clBtnShadow = SysColor(16);
constexpr TColor clGrayText = SysColor(17);
constexpr TColor clBtnText = SysColor(18);
constexpr TColor clInactiveCaptionText = SysColor(19);
constexpr TColor clBtnHighlight = SysColor(20);
constexpr TColor cl3DDkShadow = SysColor(21);
constexpr TColor cl3DLight = SysColor(22);
constexpr TColor clInfoText = SysColor(23);
constexpr TColor clInfoBk = SysColor(24);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
// Set on colours that name a palette entry (GetRValue and friends ignore it).
constexpr TColor PaletteRelativeFlag = 0x02000000;

constexpr TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }
// Resolves a system colour through the fixed classic table; other values pass unchanged.
TColor ColorToRGB(TColor color);
int GetSysColor(int index);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset OEM_CHARSET = 255;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBitmap;

// Pen, brush and font: values with a change notification the canvas listens to.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(TPersistent* Source) override;

    const String& Name() const { return FName; }
    void SetName(const String& v);
    int Size() const { return FSize; }
    void SetSize(int v);
    // Negative: character height in pixels at the screen's PixelsPerInch.
    int Height() const;
    void SetHeight(int v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    int PixelsPerInch() const { return FPixelsPerInch; }
    // The text's angle in tenths of a degree, counter-clockwise (the escapement); 0 = level.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int v);

    bool operator==(const TFont& other) const;
    // The Qt font with the same face, size and style.
    QFont ToQFont() const;

private:
    String FName = "MS Sans Serif";
    int FSize = 8;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FPixelsPerInch = 96;
    int FOrientation = 0;
};

class TPen : public TGraphicsObject {
public:
    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;
    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v);
    // A pattern bitmap (8 x 8 normally) tiled by fills; the brush keeps its own copy.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* v);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// DrawText flags.
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = Set<TCanvasStates>;
enum TCopyMode { cmSrcCopy, cmSrcPaint, cmSrcAnd, cmSrcInvert, cmNotSrcCopy, cmBlackness, cmWhiteness };

class TGraphic;

// Draws through a QPainter that is either lent by a paint event (a control's canvas while it
// paints) or owned over a bitmap's pixels. Pen, brush and font are applied before each call.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    TFont* Font() const { return FFont; }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TPen* Pen() const { return FPen; }
    void SetPen(TPen* v) { FPen->Assign(v); }
    TBrush* Brush() const { return FBrush; }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode v) { FCopyMode = v; }

    // The painter while one is bound; nullptr otherwise.
    HDC Handle();
    bool HandleAllocated() const { return FPainter != nullptr; }
    void Lock() { ++FLockCount; }
    void Unlock() { if (FLockCount > 0) --FLockCount; }
    int LockCount() const { return FLockCount; }
    TRect ClipRect() const;
    // Limits drawing to r (the clipping region selected into the device context) until restored.
    void IntersectClipRect(const TRect& r);
    void RestoreClipRect();

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor c);
    void TextOut(int x, int y, const String& text);
    void TextRect(const TRect& r, int x, int y, const String& text);
    int TextWidth(const String& text) const;
    int TextHeight(const String& text) const;
    TSize TextExtent(const String& text) const;
    // Returns the height of the text; with DT_CALCRECT only measures and widens/heightens r.
    int DrawText(const String& text, TRect& r, unsigned flags);
    // Tab stops in pixels from x; one stop repeats at its distance; with no stops, tabs advance by
    // eight average characters.
    TSize TabbedTextOut(int x, int y, const String& text, const std::vector<int>& tabStops, int tabOrigin);
    // The size TabbedTextOut would cover, drawing nothing.
    TSize TabbedTextExtent(const String& text, const std::vector<int>& tabStops) const;
    void DrawFocusRect(const TRect& r);
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    void BrushCopy(const TRect& dest, TBitmap* source, const TRect& sourceRect, TColor transparentColor);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Platform side: bind a painter lent by a paint event (nullptr unbinds).
    void BindPainter(QPainter* painter);
    // The pixels behind this canvas, when it draws on an image (a bitmap's canvas).
    virtual QImage* TargetImage() const { return nullptr; }

protected:
    // Gives the canvas a painter when it has none (bitmaps open one over their image).
    virtual void CreateHandle() {}
    void RequirePainter();
    QPainter* FPainter = nullptr;

private:
    TSize TabbedText(int x, int y, const String& text, const std::vector<int>& tabStops, int tabOrigin,
                     QPainter* painter) const;
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont() const;
    void Changing();
    void Changed();

    TFont* FFont;
    TPen* FPen;
    TBrush* FBrush;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    int FLockCount = 0;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
using HPALETTE = const std::vector<TColor>*;

// Base of every picture kind. Draw is called by TCanvas::Draw/StretchDraw.
class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int v) = 0;
    virtual void SetHeight(int v) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v);

    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    // Clipboard exchange as raw bytes of the registered clipboard format.
    virtual void LoadFromClipboardFormat(unsigned format, const std::vector<std::uint8_t>& data);
    virtual std::vector<std::uint8_t> SaveToClipboardFormat(unsigned& format);

    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

using TGraphicClass = TGraphic* (*)();
namespace vt {
template <class T>
TGraphic* CreateGraphic() { return new T; }
}

// A bitmap over a 32-bit image. PixelFormat and Palette decide how it is stored in BMP form;
// loading a BMP keeps its bit count and palette, so a round trip writes the same format.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int v) override;
    void SetHeight(int v) override;
    void SetSize(int w, int h);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat v);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool v);
    // Colour table of the 1-, 4- and 8-bit formats; empty for the others.
    const std::vector<TColor>& Palette() const { return FPalette; }
    void SetPalette(const std::vector<TColor>& colors);
    TCanvas* Canvas();
    // The transparent colour with the palette-relative flag, as the class library reports it.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor v);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode v);

    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    // BMP bytes with or without the 14-byte file header.
    void LoadFromBytes(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> SaveToBytes() const;
    // Loads the bitmap registered under this name (vt::RegisterResource, RT_BITMAP).
    void LoadFromResourceName(void* instance, const String& name);
    void LoadFromClipboardFormat(unsigned format, const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToClipboardFormat(unsigned& format) override;

    // Kept for the class library's vocabulary: the image stays in memory either way.
    void Dormant() {}
    void FreeImage() {}
    void* ReleaseHandle() { return nullptr; }
    bool HandleAllocated() const { return !Empty(); }

    void Draw(TCanvas* canvas, const TRect& rect) override;

    // Platform side: the pixels (format ARGB32/RGB32).
    QImage& Image();
    const QImage& Image() const;
    void ImageChanged();

private:
    void Resize(int w, int h);
    TCanvas* FCanvas = nullptr;
    QImage* FImage;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<TColor> FPalette;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    void Assign(TPersistent* Source) override;
    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int v) override;
    void SetHeight(int v) override;
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void LoadFromResourceName(void* instance, const String& name);
    void Draw(TCanvas* canvas, const TRect& rect) override;
    QImage& Image();

private:
    QImage* FImage;
    std::vector<std::uint8_t> FData;  // the stream as loaded, written back unchanged
};

// Holds one graphic of any registered kind; LoadFromFile chooses the kind by extension.
class TPicture : public TPersistent {
public:
    TPicture() = default;
    ~TPicture() override;
    void Assign(TPersistent* Source) override;

    TGraphic* Graphic() const { return FGraphic; }
    void SetGraphic(TGraphic* v);  // copies v
    TBitmap* Bitmap();             // replaces a graphic of another kind by an empty bitmap
    void SetBitmap(TBitmap* v) { SetGraphic(v); }
    TIcon* Icon();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    void LoadFromClipboardFormat(unsigned format, const std::vector<std::uint8_t>& data);
    // Stored-design form: the graphic's class name (length byte + characters), then its data.
    void ReadData(TStream* stream);
    void WriteData(TStream* stream);

    static void RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass);
    static void RegisterClipboardFormat(unsigned format, TGraphicClass graphicClass);
    static void UnregisterGraphicClass(TGraphicClass graphicClass);
    static bool SupportsClipboardFormat(unsigned format);
    // "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|..." for file dialogs.
    static String GraphicFilter();

    TNotifyEvent OnChange;

private:
    void Adopt(TGraphic* graphic);
    void Changed();
    TGraphic* FGraphic = nullptr;
};

// Raised when a file's extension or a clipboard format has no registered graphic class.
String UnknownPictureExtensionMessage(const String& extension);
