// Unit ToolEdit: the edit with a button at its right edge that every drop-down edit derives
// from (TCustomComboEdit), its button (TEditButton) and the drop-down window base
// (TPopupWindow) with the placement, accept and cancel rules they share.
#pragma once

#include "components/edits/VtCtrls.h"
#include "rtl/Variant.h"
#include "ui/controls/MaskEdit.h"

#include <functional>

enum TPopupAlign { epaRight, epaLeft };
enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
using TCloseUpEvent = std::function<void(TObject* Sender, bool Accept)>;

class TCustomComboEdit;

// The drop-down window: a frame that never takes the activation from the form, so the edit
// keeps the focus while the user works in it.
class TPopupWindow : public TCustomControl {
public:
  explicit TPopupWindow(TComponent* AOwner);

  virtual Variant GetValue() = 0;
  virtual void SetValue(const Variant& Value) = 0;
  virtual String GetPopupText() { return String(); }
  void Show(const TPoint& Origin);
  void Hide();
  void InvalidateEditor();
  // The popup's own key handling, for keys its edit hands over while it is open.
  void PopupKeyPress(char& Key) { KeyPress(Key); }
  void WndProc(TMessage& Message) override;

  TCloseUpEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void CloseUp(bool Accept);
  void PopupMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  TWinControl* FEditor;
};

class TEditButton : public TVtSpeedButton {
public:
  explicit TEditButton(TComponent* AOwner);
  void Click() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool FNoAction = false;
};

class TCustomComboEdit : public TCustomMaskEdit {
public:
  explicit TCustomComboEdit(TComponent* AOwner);
  ~TCustomComboEdit() override;

  TNotifyEvent OnButtonClick;

  Word ClickKey() const { return FClickKey; }
  void SetClickKey(Word Value) { FClickKey = Value; }
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool Value) override;
  bool DirectInput() const { return FDirectInput; }
  void SetDirectInput(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TPopupAlign PopupAlign() const { return FPopupAlign; }
  void SetPopupAlign(TPopupAlign Value) { FPopupAlign = Value; }
  TGlyphKind GlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TGlyphKind Value);
  int ButtonWidth() const { return FButton->Width(); }
  void SetButtonWidth(int Value);
  String ButtonHint() const { return FButton->Hint(); }
  void SetButtonHint(const String& Value) { FButton->SetHint(Value); }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value);
  TVtNumGlyphs NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(TVtNumGlyphs Value);
  bool PopupVisible() const { return FPopup && FPopupVisible; }
  // Whether the button drops a pop-up down.
  bool HasPopup() const { return FHasPopup; }
  // The pop-up, built on first use; nullptr without one.
  TPopupWindow* Popup();
  TEditButton* Button() const { return FButton; }

  void SelectAll() override;
  // The smallest height that shows a line of text: GetTextHeight and the borders.
  int GetMinHeight();
  void DoClick() { EditButtonClick(this); }
  // The drop-down's close: Sender is the popup; the value is taken only when Accept.
  void PopupCloseUp(TObject* Sender, bool Accept);
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Enter and Esc are the edit's own: it closes the popup or sends the dialog key itself.
  bool WantsKey(WORD Key, TShiftState Shift) const override;

protected:
  virtual TBitmap* GetDefaultBitmap(bool& DestroyNeeded);
  virtual void PopupDropDown(bool DisableEdit);
  virtual void ShowPopup(const TPoint& Origin);
  virtual void HidePopup();
  virtual bool AcceptPopup(Variant& Value);
  virtual void AcceptValue(const Variant& Value);
  virtual void SetPopupValue(const Variant& Value);
  virtual Variant GetPopupValue();
  virtual void PopupChange() {}
  virtual bool GetReadOnly() const { return FReadOnly; }
  virtual bool EditCanModify();
  virtual void ButtonClick();

  void CreateParams(TCreateParams& Params) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Change() override;
  void DoChange();
  void EditButtonClick(TObject* Sender);
  void RecreateGlyph();
  void UpdateBtnBounds();
  // Keeps the typed text and the caret off the button: the edit rectangle ends before it.
  void SetEditRect();
  // The smaller line height of the default font and the edit's font.
  int GetTextHeight();
  // A caret as tall as a line, 2 pixels wide for a bold font, else 1.
  void SetShowCaret();
  void UpdatePopupVisible() { FPopupVisible = FPopup && FPopup->Visible(); }
  // Runs the checks of a focus exit; when one raises, the edit selects its text, takes the
  // focus back and re-raises, so that the focus stays in the edit.
  void RunExitChecks(const std::function<void()>& Checks);
  // Paints AText by hand in the edit's text area with AAlignment (the unfocused display text
  // of the numeric and date edits); false when StandardPaint asks for the edit's own painting.
  bool PaintComboEdit(TMessage& Message, const String& AText, TAlignment AAlignment, bool StandardPaint);
  // Builds FPopup, set up, for a descendant that has one.
  virtual void CreatePopup() {}
  // Without a pop-up, the one built is freed.
  void SetHasPopup(bool Value);
  void FreePopup();

  TPopupWindow* FPopup = nullptr;
  bool FAlwaysEnable = false;
  TVtNumGlyphs FDefNumGlyphs = 1;
  bool FFocused = false;

private:
  void SetInnerReadOnly();
  bool RegainFocusFromPopup();
  TPoint EditorTextMargins();
  TControlCanvas* FPaintCanvas = nullptr;

  TEditButton* FButton;
  TWinControl* FBtnControl;
  Word FClickKey = 0x8028; // Alt+Down
  bool FReadOnly = false;
  bool FDirectInput = true;
  TAlignment FAlignment = taLeftJustify;
  bool FHasPopup = false;
  bool FPopupVisible = false;
  bool FPopupShowing = false; // shown, and the window system has not yet settled its focus
  TPopupAlign FPopupAlign = epaRight;
  TGlyphKind FGlyphKind = gkCustom;
};

class TComboEdit : public TCustomComboEdit {
public:
  using TCustomComboEdit::TCustomComboEdit;
};

namespace vt {
// Where the drop-down opens: below the edit, or above it when there is no room below; by
// the alignment's edge and always within the screen.
TPoint PopupOrigin(const TPoint& EditScreenPos, int EditWidth, int EditHeight, int PopupWidth,
                   int PopupHeight, int ScreenWidth, int ScreenHeight, TPopupAlign Align);
// The shortcut of a key with its shift state (class library layout: 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt).
Word ShortCutOf(WORD Key, TShiftState Shift);
} // namespace vt
#include "components/edits/ToolEditDate.h"
