// The grid's in-place editor. Its keys go to the grid as the class library's editor sends them:
// moves between cells to the grid's KeyDown, every typed character first to the grid's KeyPress
// (Enter commits, the grid's OnKeyPress sees the character), then the grid decides whether the
// cell may change at all.
#include "ui/grids/InplaceEdit.h"

#include "ui/grids/Grids.h"
#include "ui/kernel/WinApi.h"

TInplaceEdit::TInplaceEdit(TCustomGrid* AGrid) : TCustomEdit(AGrid), FGrid(AGrid)
{
    SetTabStop(false);
    SetBorderStyle(bsNone);
    SetVisible(false);
    SetParent(AGrid);
}

bool TInplaceEdit::WantsKey(WORD key, TShiftState shift) const
{
    if (key == VK_TAB)
        return FGrid->WantsKey(key, shift);
    return key == VK_RETURN || key == VK_ESCAPE || FGrid->WantsKey(key, shift);
}

// Left and Home leave the text at its start, Right and End at its end.
bool TInplaceEdit::KeyLeavesText(WORD Key) const
{
    const int length = static_cast<int>(Text().size());
    switch (Key) {
    case VK_LEFT: case VK_HOME: return SelLength() == 0 && SelStart() == 0;
    case VK_RIGHT: case VK_END: return SelLength() == 0 && SelStart() >= length;
    default: return false;
    }
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    bool toGrid = false;
    switch (Key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_ESCAPE: toGrid = true; break;
    case VK_INSERT: toGrid = Shift.Empty(); break;
    case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END: toGrid = KeyLeavesText(Key); break;
    case VK_DELETE: toGrid = Shift.Contains(ssCtrl); break;
    case VK_TAB: toGrid = !Shift.Contains(ssAlt); break;
    default: break;
    }
    if (toGrid) {
        FGrid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
    if (Key == VK_DELETE && !FGrid->CanEditModify()) Key = 0;
    if (Key != 0) TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key)
{
    FGrid->KeyPress(Key);
    EditKeyPress(Key);
}

void TInplaceEdit::EditKeyPress(char& Key)
{
    const auto code = static_cast<unsigned char>(Key);
    if (code >= 32 && !FGrid->CanEditAcceptKey(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    switch (Key) {
    case '\t': case '\x1b': case '\r':
        Key = 0;
        break;
    case '\b': case 22: case 24:  // Backspace, Ctrl+V, Ctrl+X
        if (!FGrid->CanEditModify()) Key = 0;
        break;
    default:
        if (code >= 32 && !FGrid->CanEditModify()) Key = 0;
        break;
    }
    if (Key != 0) TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::TypeChar(char Ch)
{
    EditKeyPress(Ch);
    if (Ch == 0) return;
    if (Ch == '\b') {
        if (SelLength() == 0 && SelStart() > 0) {
            SetSelStart(SelStart() - 1);
            SetSelLength(1);
        }
        SetSelText(String());
    } else {
        SetSelText(vt::TypedText(Ch));
    }
    UserEdited();
}

void TInplaceEdit::Change()
{
    FGrid->SetEditText(FGrid->Col(), FGrid->Row(), Text());
    TCustomEdit::Change();
}
