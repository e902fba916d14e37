// The component library's window-less label: drop shadow, margins, vertical layout, auto-size,
// a focus frame while its FocusControl has the focus, accelerators and mouse enter/leave that
// wait for a press on the label to end. DrawShadowText is the shared shadow-text painter.
#pragma once

#include "ui/controls/StdCtrls.h"
#include "ui/kernel/Controls.h"

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// Draws Str twice, first offset by ShadowSize in ShadowRGB, then in the canvas font's colour.
// Rect becomes the union of both rectangles (with DT_CALCRECT: the size shadow included).
int DrawShadowText(TCanvas* Canvas, const String& Str, TRect& Rect, unsigned Format, int ShadowSize,
                   TColor ShadowRGB, TShadowPosition ShadowPos);

class TVtCustomLabel : public TGraphicControl {
public:
    explicit TVtCustomLabel(TComponent* AOwner);

    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(int Value);
    TShadowPosition ShadowPos() const { return FShadowPos; }
    void SetShadowPos(TShadowPosition Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value);
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value);
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int Value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool MouseInControl() const { return FMouseInControl; }
    // FocusControl has the focus: the frame is drawn while ShowFocus is set.
    bool FocusActive() const { return FFocusActive; }

    bool IsCaptionLabel() const override { return true; }
    TWinControl* LabelledControl() const override { return FFocusControl; }

    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual TColor GetDefaultFontColor() const;
    virtual String GetLabelCaption() const;

    // The pointer entered or left the label; the events wait for the foreground and for a
    // press on the label to end.
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void DoDrawText(TCanvas* Canvas, TRect& Rect, unsigned Flags);
    void AdjustBounds();

private:
    TRect TextRectWithMargins() const;
    unsigned WordWrapFlag() const;
    void SetTracking(bool Inside);
    void UpdateTracking();
    void CMFocusChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);

    TWinControl* FFocusControl = nullptr;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    TColor FShadowColor = clBtnHighlight;
    int FShadowSize = 1;
    TShadowPosition FShadowPos = spLeftTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FShowFocus = false;
    bool FFocusActive = false;
    bool FMouseInControl = false;
    bool FDragClicking = false;
    bool FCursorOver = false;
    int FLeftMargin = 0;
    int FRightMargin = 0;
};

class TVtLabel : public TVtCustomLabel {
public:
    explicit TVtLabel(TComponent* AOwner);
};
