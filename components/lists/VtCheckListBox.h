// Unit VtCtrls, the check-list box: a list box with a check box, radio button or check mark in
// front of every item, per-item check state and enabled flag, keyboard and mouse toggling, the
// states streamed with the form and saved in an ini file or the registry.
#pragma once

#include "components/lists/VtListBox.h"

class TFiler;
class TFormPlacement;
class TIniFile;
class TIniLink;
class TReader;
class TRegIniFile;
class TWriter;

enum TCheckKind { ckCheckBoxes, ckRadioButtons, ckCheckMarks };

using TChangeStateEvent = std::function<void(TObject* Sender, int Index)>;

// What a check-list line keeps as its item data.
class TCheckListBoxItem : public TObject {
public:
    LRESULT Data = 0;  // the user's item data
    TCheckBoxState State = cbUnchecked;
    bool Enabled = true;
};

class TVtCheckListBox : public TVtCustomListBox {
public:
    explicit TVtCheckListBox(TComponent* AOwner);
    ~TVtCheckListBox() override;

    // Grayed states can be reached by toggling; never with radio buttons.
    bool AllowGrayed() const { return FAllowGrayed && FCheckKind != ckRadioButtons; }
    void SetAllowGrayed(bool Value);
    TCheckKind CheckKind() const { return FCheckKind; }
    void SetCheckKind(TCheckKind Value);
    // With radio buttons the first checked item, else -1.
    int CheckedIndex() const;
    void SetCheckedIndex(int Value);
    bool Checked(int Index) const { return State(Index) == cbChecked; }
    void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
    // With radio buttons anything but checked reads unchecked.
    TCheckBoxState State(int Index) const;
    void SetState(int Index, TCheckBoxState Value);
    bool GetItemEnabled(int Index) const;
    void SetItemEnabled(int Index, bool Value);

    LRESULT GetItemData(int Index) const override;
    void SetItemData(int Index, LRESULT AData) override;
    void ResetContent() override;
    void DeleteString(int Index) override;
    void SetItems(TStrings* Value);

    // Check boxes and check marks only: every item (every enabled one with EnabledOnly) gets AState.
    void ApplyState(TCheckBoxState AState, bool EnabledOnly);
    // The user's toggle of an existing, enabled item, then ClickCheck.
    void ToggleClickCheck(int Index);
    void SaveStates(TIniFile* IniFile);
    void RestoreStates(TIniFile* IniFile);
    void SaveStatesReg(TRegIniFile* IniFile);
    void RestoreStatesReg(TRegIniFile* IniFile);
    // The form placement whose saving and restoring also save and restore the states.
    TFormPlacement* IniStorage() const;
    void SetIniStorage(TFormPlacement* Value);

    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

    TNotifyEvent OnClickCheck;
    TChangeStateEvent OnStateChange;

protected:
    virtual void ClickCheck();
    virtual void ChangeItemState(int Index);
    bool OwnerDrawn() const override { return true; }
    int GetItemWidth(int Index) override;
    void PaintItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void FontChanged() override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TCheckListBoxItem* FindCheckObject(int Index) const;
    TCheckListBoxItem* GetCheckObject(int Index);
    void InternalSetState(int Index, TCheckBoxState Value, bool Force);
    void UpdateCheckStates();
    void ResetItemHeight();
    TRect CheckRect(int Index) const;
    void InvalidateCheck(int Index);
    void DrawCheck(const TRect& R, TCheckBoxState AState, bool Enabled);
    TRect CheckArea(const TRect& Item) const;
    TRect CheckBeside(const TRect& Text) const;
    void InternalSaveStates(TObject* IniFile, const String& Section);
    void InternalRestoreStates(TObject* IniFile, const String& Section);
    void IniSave();
    void IniLoad();
    bool StringsDiffer(TPersistent* Ancestor) const;
    void ReadVersion(TReader* Reader);
    void ReadCheckData(TReader* Reader);
    void WriteCheckData(TWriter* Writer);

    bool FAllowGrayed = false;
    TCheckKind FCheckKind = ckCheckBoxes;
    int FCheckWidth;
    int FCheckHeight;
    int FReaderVersion = 0;
    TIniLink* FIniLink;
};
