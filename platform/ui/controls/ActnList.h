// Actions: commands with a caption, hint, shortcut and enabled/checked state shared by the
// controls that show them, kept in action lists or an action manager, and carried out by their
// handlers or by the target the active form offers them to; TActionToolBar shows an action
// manager's actions as buttons that follow the actions' state.
#pragma once

#include <functional>
#include <vector>

#include "rtl/BasicAction.h"
#include "ui/controls/Menus.h"
#include "ui/kernel/Controls.h"

class TCustomActionList;
class TImageList;

class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    ~TContainedAction() override;
    // Without an OnExecute (OnUpdate) handler the action is offered to the active form: its
    // focused control first, then the form, then the form's other visible controls.
    bool Execute() override;
    bool Update() override;
    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* v);
    const String& Category() const { return FCategory; }
    void SetCategory(const String& v) { FCategory = v; }
    int Index() const;

private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
    // Refreshes the state first; a disabled action does nothing.
    bool Execute() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int v) { FHelpContext = v; }

private:
    String FCaption;
    String FHint;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    TShortCut FShortCut = scNone;
    int FImageIndex = -1;
    int FHelpContext = 0;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TCustomActionList() override;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int index) const { return FActions.at(index); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v) { FImages = v; }
    // Runs the enabled, visible action whose shortcut this is; true when one ran.
    bool IsShortCut(WORD Key, TShiftState Shift);

    // Changes of the list itself (actions added or removed).
    void RegisterChanges(const void* client, std::function<void()> changed);
    void UnRegisterChanges(const void* client);

private:
    friend class TContainedAction;
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);
    void Changed();
    std::vector<TContainedAction*> FActions;
    std::vector<std::pair<const void*, std::function<void()>>> FClients;
    TImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
public:
    explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

class TActionManager : public TCustomActionList {
public:
    explicit TActionManager(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

class TButton;

// A row of buttons, one per visible action of its manager, captions and enabled state following
// the actions; a click executes the action.
class TActionToolBar : public TCustomControl {
public:
    explicit TActionToolBar(TComponent* AOwner);
    ~TActionToolBar() override;
    TActionManager* ActionManager() const { return FManager; }
    void SetActionManager(TActionManager* v);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TButton* Buttons(int index) const { return FButtons.at(index); }
    // The button showing this action, or nullptr.
    TButton* ButtonOf(TBasicAction* action) const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Rebuild();
    void Follow(TButton* button, TCustomAction* action);
    void Layout();
    void Unsubscribe();
    TActionManager* FManager = nullptr;
    std::vector<TButton*> FButtons;
    std::vector<TCustomAction*> FFollowed;
};
