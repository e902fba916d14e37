// Watching and intercepting the window messages of any windowed control, form included, without
// its cooperation: a TVtWindowHook names a control and hears each message of its window before and
// after the control's own handling. All hooks of one control share one window procedure put over
// the control's own, kept in a list of the unit.
#pragma once

#include <functional>

#include "ui/kernel/Controls.h"

using THookMessageEvent = std::function<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

class TControlHook;

class TVtWindowHook : public TComponent {
public:
    explicit TVtWindowHook(TComponent* AOwner);
    ~TVtWindowHook() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TWinControl* WinControl() const { return FControl; }
    void SetWinControl(TWinControl* Value);
    // The stored extra property: true when the watched control is the owner and a form;
    // reading true hooks the owner.
    bool IsForm() const;
    void SetIsForm(bool Value);

    void HookControl();
    void UnhookControl();

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;

protected:
    void DefineProperties(TFiler* Filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoBeforeMessage(TMessage& Msg, bool& Handled);
    virtual void DoAfterMessage(TMessage& Msg, bool& Handled);

private:
    friend class TControlHook;
    void Detach();
    bool FActive = true;
    TWinControl* FControl = nullptr;
    TControlHook* FControlHook = nullptr;
};

// The hidden window of the hook list that carries out deferred work; nullptr while no hook was
// ever made.
HWND GetHookHandle();
