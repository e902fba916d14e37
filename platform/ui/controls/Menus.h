// Menus: TMenuItem trees, TPopupMenu that opens them at a screen point, and the shortcut values
// (virtual key plus scShift/scCtrl/scAlt) with their text forms.
#pragma once

#include <vector>

#include "rtl/Classes.h"
#include "ui/kernel/Messages.h"

class TBasicAction;

using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+S", "Alt+Down", "F2"; an empty text for scNone.
String ShortCutToText(TShortCut ShortCut);
TShortCut TextToShortCut(const String& Text);

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v) { FChecked = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v) { FRadioItem = v; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v) { FShortCut = v; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* v);
    bool IsLine() const { return FCaption == "-"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(index); }
    TMenuItem* operator[](int index) const { return Items(index); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Delete(int index);
    void Remove(TMenuItem* item);
    void Clear();
    int IndexOf(TMenuItem* item) const;
    TMenuItem* Find(const String& caption) const;

    // Runs OnClick, or the linked action.
    virtual void Click();
    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    TShortCut FShortCut = scNone;
    String FHint;
    int FImageIndex = -1;
    TBasicAction* FAction = nullptr;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return FItems; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment v) { FAlignment = v; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* v) { FPopupComponent = v; }
    // Opens the menu at the screen point and returns when it closes (after the chosen item ran).
    virtual void Popup(int X, int Y);

    TNotifyEvent OnPopup;

private:
    TMenuItem* FItems;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TComponent* FPopupComponent = nullptr;
};

namespace vt {
// Tests replace the real menu: the hook gets the menu and the point instead of Qt showing it.
using PopupMenuHook = std::function<void(TPopupMenu* menu, int X, int Y)>;
void SetPopupMenuHook(PopupMenuHook hook);
}
