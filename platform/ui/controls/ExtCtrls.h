// Further standard controls: panel with bevels, bevel, paint box, image, radio group and timer,
// and the Frame3D drawing helper the panels and the component library share.
#pragma once

#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

class QTimer;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TBevelWidth = int;

// Draws a frame of Width pixels, top-left in TopColor and bottom-right in BottomColor, and
// shrinks Rect by it.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    TBevelWidth BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(TBevelWidth v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool v) { FFullRepaint = v; }

protected:
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;

private:
    void BordersChanged();
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    TBevelWidth FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner);
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture; }
    void SetPicture(TPicture* v) { FPicture->Assign(v); }
    // Drawing on an image draws on its picture's bitmap (made on first use).
    TCanvas* Canvas();
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // Where the picture is drawn in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();
    TPicture* FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// A group box of radio buttons, one per item; ItemIndex set by code fires no OnClick.
class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TRadioButton* Buttons(int index) const { return FButtons.at(index); }

    void WndProc(TMessage& Message) override;

private:
    void ItemsChanged();
    void ArrangeButtons();
    TStringList* FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

// Fires OnTimer every Interval milliseconds on the main thread while Enabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    QTimer* FTimer;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};
