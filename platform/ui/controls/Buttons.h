// The bitmap button: a push button with a glyph and a kind that brings its caption, modal result
// and default/cancel role; and the layout and style names the button classes share.
#pragma once

#include "ui/controls/StdCtrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
using TNumGlyphs = int;

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    TBitBtnKind Kind() const { return FKind; }
    // A kind other than bkCustom sets the caption, modal result and default or cancel role.
    void SetKind(TBitBtnKind v);
    TBitmap* Glyph() const { return FGlyph; }
    void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs v);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v) { FMargin = v; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { FSpacing = v; }
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle v) { FStyle = v; }

    // bkClose closes the form; the others behave as a button.
    void Click() override;

private:
    void GlyphChanged();
    TBitBtnKind FKind = bkCustom;
    TBitmap* FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonStyle FStyle = bsAutoDetect;
};
