// Unit VtCtrls: the speed button TVtSpeedButton with its multi-state glyph (TVtButtonGlyph),
// the shared glyph cache (one TGlyphList per glyph size), grouping, flat look and auto-repeat,
// and the shared check-box image strip.
#pragma once

#include "rtl/Types.h"
#include "ui/controls/Buttons.h"
#include "ui/graphics/Graphics.h"
#include "ui/kernel/Controls.h"

#include <vector>

class TBasicAction;
class TCustomImageList;
class TTimer;

enum TVtButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
using TVtNumGlyphs = int; // 1..5
enum TVtDropDownMenuPos { dmpBottom, dmpRight };

// Image slots of one cell size; freed slots are reused before the list grows.
class TGlyphList {
public:
  TGlyphList(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight) {}
  ~TGlyphList();
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Takes a free slot for a copy of Image; pixels of MaskColor become transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  int Count() const { return FCount; }
  TBitmap* Image(int Index) const { return FImages.at(static_cast<size_t>(Index)); }

private:
  int AllocateIndex();
  int FWidth, FHeight;
  std::vector<TBitmap*> FImages;
  std::vector<bool> FUsed;
  int FCount = 0;
};

// One glyph list per cell size, shared by every button of the program.
class TGlyphCache {
public:
  ~TGlyphCache();
  TGlyphList* GetList(int AWidth, int AHeight);
  void ReturnList(TGlyphList* List);
  bool Empty() const { return FLists.empty(); }

private:
  std::vector<TGlyphList*> FLists;
};

// Turns one bitmap strip into per-state images and lays out glyph, caption and drop-down mark.
class TVtButtonGlyph {
public:
  TVtButtonGlyph();
  ~TVtButtonGlyph();

  TBitmap* Glyph() const { return FOriginal; }
  void SetGlyph(TBitmap* Value);
  TVtNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TVtNumGlyphs Value);
  TColor TransparentColor() const { return FTransparentColor; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v) { FAlignment = v; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v) { FWordWrap = v; }

  // The list index of the image for State, built on first need; -1 for an empty glyph.
  int CreateButtonGlyph(TVtButtonState State);
  // Releases every built image (glyph, glyph count or system colours changed).
  void Invalidate();
  // Lays out and draws glyph, caption and mark inside Client; returns the text rectangle.
  // With an image list and a valid index, that image stands in for the glyph. Flags are
  // DrawText flags added to the caption's own.
  TRect DrawEx(TCanvas* Canvas, const TRect& Client, const String& Caption, TButtonLayout Layout,
               int Margin, int Spacing, bool PopupMark, TVtButtonState State,
               TCustomImageList* Images = nullptr, int ImageIndex = -1, unsigned Flags = 0);
  // DrawEx with the glyph itself.
  TRect Draw(TCanvas* Canvas, const TRect& Client, const String& Caption, TButtonLayout Layout, int Margin,
             int Spacing, bool PopupMark, TVtButtonState State, unsigned Flags)
  {
    return DrawEx(Canvas, Client, Caption, Layout, Margin, Spacing, PopupMark, State, nullptr, -1, Flags);
  }
  void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const String& Caption,
                        TButtonLayout Layout, int Margin, int Spacing, bool PopupMark,
                        TCustomImageList* Images, int ImageIndex, unsigned Flags,
                        TPoint& GlyphPos, TRect& TextBounds, String& ShownCaption);

  TNotifyEvent OnChange;

  // Shared by every glyph object; freed with the last glyph that finds it empty.
  static TGlyphCache* Cache();

private:
  void GlyphChanged(TObject* Sender);
  TSize GlyphSize() const;
  TSize GlyphSize(TCustomImageList* Images, int ImageIndex) const;
  TBitmap* StateCell(TVtButtonState State, int SourceCell);
  void DrawButtonText(TCanvas* Canvas, const String& Caption, TRect TextBounds, TVtButtonState State,
                      unsigned Flags);
  void DrawPopupMark(TCanvas* Canvas, int X, int Y, TVtButtonState State);

  TBitmap* FOriginal;
  TGlyphList* FGlyphList = nullptr;
  int FIndexs[5] = {-1, -1, -1, -1, -1};
  TColor FTransparentColor = clFuchsia;
  TVtNumGlyphs FNumGlyphs = 1;
  TAlignment FAlignment = taCenter;
  bool FWordWrap = false;
};

// The window-less push button of the library (combo-edit buttons, calculator keys).
class TVtSpeedButton : public TGraphicControl {
public:
  explicit TVtSpeedButton(TComponent* AOwner);
  ~TVtSpeedButton() override;
  // The speed buttons alive in the program.
  static int ButtonCount() { return FButtonCount; }

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value) { FModalResult = Value; }
  bool MarkDropDown() const { return FMarkDropDown; }
  void SetMarkDropDown(bool Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  TVtDropDownMenuPos MenuPosition() const { return FMenuPosition; }
  void SetMenuPosition(TVtDropDownMenuPos Value) { FMenuPosition = Value; }
  bool GrayedInactive() const { return FGrayedInactive; }
  void SetGrayedInactive(bool Value);
  bool AllowTimer() const { return FAllowTimer; }
  void SetAllowTimer(bool Value);
  Word InitPause() const { return FInitPause; }
  void SetInitPause(Word Value) { FInitPause = Value; }
  Word RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(Word Value) { FRepeatInterval = Value; }
  TAlignment Alignment() const { return FGlyph->Alignment(); }
  void SetAlignment(TAlignment Value);
  bool WordWrap() const { return FGlyph->WordWrap(); }
  void SetWordWrap(bool Value);
  TBitmap* Glyph() const { return FGlyph->Glyph(); }
  void SetGlyph(TBitmap* Value);
  TVtNumGlyphs NumGlyphs() const { return FGlyph->NumGlyphs(); }
  void SetNumGlyphs(TVtNumGlyphs Value);
  TVtButtonState FState = rbsUp; // the current button state
  // The action whose caption, state and image the button shows and which a click executes.
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);

  // A programmatic press: shows the button down for a moment, then clicks it.
  virtual void ButtonClick();
  // The point in button coordinates where the drop-down menu opens.
  TPoint GetDropDownMenuPos() const;
  // Opens the drop-down menu at Pos when it pops up by itself (or Manual); true when shown.
  bool CheckMenuDropDown(const TPoint& Pos, bool Manual);
  bool CheckBtnMenuDropDown();
  void Click() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The repeat timer's tick: clicks while the button is held down.
  void TimerExpired();

protected:
  void Paint() override;
  virtual void PaintGlyph(TCanvas* Canvas, const TRect& ARect, TVtButtonState AState, bool DrawMark);
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  TVtButtonGlyph* ButtonGlyph() const { return FGlyph; }
  bool MouseInControl() const { return FMouseInControl; }

private:
  void UpdateExclusive();
  void ButtonPressed(TMessage& Message);
  void DialogChar(TMessage& Message);
  // The linked action's image list when it holds the action's image, else nullptr.
  TCustomImageList* ActionImages() const;
  int ActionImageIndex() const;
  void BuildImageForLook();
  void GlyphChanged(TObject* Sender);
  void FinishPress(int X, int Y);
  void StartTimer();
  void StopTimer();

  int FGroupIndex = 0;
  TVtButtonGlyph* FGlyph;
  TBitmap* FDrawImage;
  bool FDown = false;
  bool FDragging = false;
  bool FFlat = false;
  bool FMouseInControl = false;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphTop;
  int FSpacing = 1;
  int FMargin = -1;
  int FModalResult = 0;
  bool FTransparent = false;
  bool FMarkDropDown = true;
  TPopupMenu* FDropDownMenu = nullptr;
  TVtDropDownMenuPos FMenuPosition = dmpBottom;
  bool FGrayedInactive = true;
  TButtonStyle FStyle = bsAutoDetect;
  bool FAllowTimer = false;
  Word FInitPause = 500;
  Word FRepeatInterval = 100;
  bool FMenuTracking = false;
  TTimer* FRepeatTimer = nullptr; // created on first use
  TBasicAction* FAction = nullptr;
  static inline int FButtonCount = 0;
};

// A button face of ButtonSize with a glyph and caption, drawn onto any canvas (for lists and
// grids that show a button without a control of its own).
class TButtonImage : public TObject {
public:
  TButtonImage();
  ~TButtonImage() override;

  TBitmap* Glyph() const { return FGlyph->Glyph(); }
  void SetGlyph(TBitmap* Value) { FGlyph->SetGlyph(Value); }
  TVtNumGlyphs NumGlyphs() const { return FGlyph->NumGlyphs(); }
  void SetNumGlyphs(TVtNumGlyphs Value) { FGlyph->SetNumGlyphs(Value); }
  TAlignment Alignment() const { return FGlyph->Alignment(); }
  void SetAlignment(TAlignment Value) { FGlyph->SetAlignment(Value); }
  bool WordWrap() const { return FGlyph->WordWrap(); }
  void SetWordWrap(bool Value) { FGlyph->SetWordWrap(Value); }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TSize ButtonSize() const { return FButtonSize; }
  void SetButtonSize(const TSize& Value) { FButtonSize = Value; }
  // Releases the built glyph images; the next Draw builds them again.
  void Invalidate() { FGlyph->Invalidate(); }

  // Paints the raised face at (X, Y) with the glyph and caption laid out as on a speed button,
  // the caption in Font; Flags are DrawText flags added to the caption's own.
  void Draw(TCanvas* Canvas, int X, int Y, int Margin, int Spacing, TButtonLayout Layout, TFont* Font,
            unsigned Flags);
  // The same with the image ImageIndex of Images in place of the glyph.
  void DrawEx(TCanvas* Canvas, int X, int Y, int Margin, int Spacing, TButtonLayout Layout, TFont* Font,
              TCustomImageList* Images, int ImageIndex, unsigned Flags);

private:
  TVtButtonGlyph* FGlyph;
  String FCaption;
  TSize FButtonSize{24, 23};
};

// The glyph count that a strip of this size implies: width / height when the width is a
// multiple of the height (1 when above 5), else Current.
TVtNumGlyphs GlyphCountOf(int Width, int Height, TVtNumGlyphs Current);

// The shared check-box image strip (6 x 3 cells), loaded on first use and freed at the end of
// the program (or by FreeCheckBitmap).
TBitmap* CheckBitmap();
void FreeCheckBitmap();
