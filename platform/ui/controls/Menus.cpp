// Menu items, pop-up menus over QMenu, and shortcut values with their text forms.
#include "ui/controls/Menus.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "ui/controls/ActnList.h"
#include "ui/kernel/Controls_p.h"

TShortCut ShortCut(WORD Key, TShiftState Shift)
{
    TShortCut s = static_cast<TShortCut>(Key & 0xFF);
    if (Shift.Contains(ssShift)) s |= scShift;
    if (Shift.Contains(ssCtrl)) s |= scCtrl;
    if (Shift.Contains(ssAlt)) s |= scAlt;
    return s;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift)
{
    Key = ShortCut & 0xFF;
    Shift = TShiftState{};
    if (ShortCut & scShift) Shift << ssShift;
    if (ShortCut & scCtrl) Shift << ssCtrl;
    if (ShortCut & scAlt) Shift << ssAlt;
}

namespace {
struct KeyName {
    WORD key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

String KeyText(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return String(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12)
        return "F" + std::to_string(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key)
            return k.name;
    return String();
}
}  // namespace

String ShortCutToText(TShortCut ShortCut)
{
    const String key = KeyText(ShortCut & 0xFF);
    if (key.empty())
        return String();
    String text;
    if (ShortCut & scShift) text += "Shift+";
    if (ShortCut & scCtrl) text += "Ctrl+";
    if (ShortCut & scAlt) text += "Alt+";
    return text + key;
}

TShortCut TextToShortCut(const String& Text)
{
    String rest = Text;
    TShortCut modifiers = 0;
    const std::pair<const char*, TShortCut> prefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, bit] : prefixes) {
            const String p(prefix);
            if (rest.size() > p.size() && SameText(rest.substr(0, p.size()), p)) {
                modifiers |= bit;
                rest.erase(0, p.size());
                found = true;
            }
        }
    }
    for (WORD key = 1; key < 256; ++key) {
        const String name = KeyText(key);
        if (!name.empty() && SameText(name, rest))
            return static_cast<TShortCut>(modifiers | key);
    }
    return scNone;
}

// ---------------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    SetAction(nullptr);
    if (FParent)
        FParent->Remove(this);
    for (TMenuItem* item : FItems)
        item->FParent = nullptr;
}

void TMenuItem::SetAction(TBasicAction* v)
{
    if (FAction == v)
        return;
    if (FAction) {
        FAction->UnRegisterChanges(this);
        FAction->RemoveFreeNotification(this);
    }
    FAction = v;
    auto follow = [this] {
        if (auto* a = dynamic_cast<TCustomAction*>(FAction)) {
            FCaption = a->Caption();
            FEnabled = a->Enabled();
            FVisible = a->Visible();
            FChecked = a->Checked();
            FShortCut = a->ShortCut();
            FHint = a->Hint();
        }
    };
    if (v) {
        v->FreeNotification(this);
        v->RegisterChanges(this, follow);
        follow();
    }
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FAction)
        FAction = nullptr;
    TComponent::Notification(AComponent, Operation);
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = FItems.at(index);
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        Delete(Count() - 1);
        delete item;
    }
}

int TMenuItem::IndexOf(TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& caption) const
{
    auto plain = [](const String& s) { return StringReplace(s, "&", "", {rfReplaceAll}); };
    for (TMenuItem* item : FItems)
        if (SameText(plain(item->Caption()), plain(caption)))
            return item;
    return nullptr;
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    if (OnClick)
        OnClick(this);
    else if (FAction)
        FAction->Execute();
}

// ---------------------------------------------------------------------------------------------

namespace {
vt::PopupMenuHook gPopupHook;

void Fill(QMenu* menu, TMenuItem* parent)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible())
            continue;
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu->addMenu(vt::ToQString(item->Caption()));
            sub->setEnabled(item->Enabled());
            Fill(sub, item);
            continue;
        }
        QAction* action = menu->addAction(vt::ToQString(item->Caption()));
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked() || item->RadioItem());
        action->setChecked(item->Checked());
        QObject::connect(action, &QAction::triggered, [item] { item->Click(); });
    }
}
}  // namespace

void vt::SetPopupMenuHook(PopupMenuHook hook) { gPopupHook = std::move(hook); }

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() { delete FItems; }

void TPopupMenu::Popup(int X, int Y)
{
    if (OnPopup)
        OnPopup(this);
    if (gPopupHook) {
        gPopupHook(this, X, Y);
        return;
    }
    QMenu menu;
    Fill(&menu, FItems);
    menu.exec(QPoint(X, Y));
}
