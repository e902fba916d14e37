// The scrolling panel TSecretPanel: while active it hides its child controls and scrolls its
// Lines (with an optional glyph) through its client area, one pixel per tick of an owned
// TVtTimer, drawing through an off-screen image.
#pragma once

#include <atomic>
#include <vector>

#include "components/system/VtTimer.h"
#include "rtl/StringList.h"
#include "ui/controls/ExtCtrls.h"

enum TScrollDirection { sdVertical, sdHorizontal };
enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
using TPanelDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect Rect)>;

class TSecretPanel : public TCustomPanel {
public:
    explicit TSecretPanel(TComponent* AOwner);
    ~TSecretPanel() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    void Play() { SetActive(true); }
    void Stop() { SetActive(false); }
    TStrings* Lines() const { return FLines; }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    // At the end of the text a cycled panel starts again; another one stops.
    bool Cycled() const { return FCycled; }
    void SetCycled(bool Value) { FCycled = Value; }
    unsigned Interval() const { return FTimer->Interval(); }
    void SetInterval(unsigned Value) { FTimer->SetInterval(Value); }
    TBitmap* Glyph() const { return FGlyph; }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    TGlyphLayout GlyphLayout() const { return FGlyphLayout; }
    void SetGlyphLayout(TGlyphLayout Value);
    TBevelCut TextStyle() const { return FTextStyle; }
    void SetTextStyle(TBevelCut Value);
    TScrollDirection ScrollDirection() const { return FScrollDirection; }
    void SetScrollDirection(TScrollDirection Value);
    // Drawing always happens on the GUI thread. On, the timer's worker hands each tick over
    // without waiting for it; off, the worker waits until the tick has been drawn.
    bool AsyncDrawing() const { return !FTimer->SyncEvent(); }
    void SetAsyncDrawing(bool Value) { FTimer->SetSyncEvent(!Value); }

    TPanelDrawEvent OnPaintClient;
    TNotifyEvent OnStartPlay;
    TNotifyEvent OnStopPlay;

protected:
    virtual void PaintClient(TCanvas* Canvas, const TRect& Rect);
    // One tick: the text moves on by a pixel; at its end the panel stops or starts again.
    virtual void TimerExpired(TObject* Sender);
    void StartPlay();
    void StopPlay();
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    void HandOverTick();
    void HideChildren();
    void ShowChildren();
    void ContentChanged(bool ResetPosition);
    void RecalcDrawRect();
    void UpdateMemoryImage();
    int WidestLine(TCanvas* Canvas) const;
    void DrawMemoryImage();
    void PaintText();
    void PaintGlyph();

    bool FActive = false;
    TStringList* FLines;
    bool FCycled = false;
    int FScrollCnt = 0;
    int FMaxScroll = 0;
    int FFirstLine = 0;
    int FLineHeight = 0;
    TRect FTxtRect{};
    TRect FPaintRect{};
    TPoint FGlyphOrigin{};
    TBitmap* FMemoryImage = nullptr;
    TVtTimer* FTimer;
    TBitmap* FGlyph;
    std::vector<TControl*> FHiddenList;
    TBevelCut FTextStyle = bvNone;
    TScrollDirection FScrollDirection = sdVertical;
    TGlyphLayout FGlyphLayout = glGlyphLeft;
    std::atomic<bool> FTickHandedOver{false};  // set by the worker, cleared on the GUI thread
};
