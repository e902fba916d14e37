// The grid's in-place editor: a frameless line edit laid over the current cell while the grid
// is in editor mode. It keeps the keys that edit the text and hands the grid the ones that move
// between cells (arrows past the text's ends, paging, Tab, Esc).
#pragma once

#include "ui/controls/StdCtrls.h"

class TCustomGrid;

class TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TCustomGrid* AGrid);

    TCustomGrid* Grid() const { return FGrid; }
    // Puts a character typed on the grid into the text, as if typed here.
    void TypeChar(char Ch);
    bool WantsKey(WORD key, TShiftState shift) const override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // Every change of the text reaches the grid before OnChange.
    void Change() override;

private:
    bool KeyLeavesText(WORD Key) const;
    // The editor's own checks of a typed character; #0 when refused.
    void EditKeyPress(char& Key);

    TCustomGrid* FGrid;
};
