// Page controls with their tab sheets, and the progress bar. Changing the active page from code
// fires neither OnChanging nor OnChange; a tab the user clicks asks OnChanging first. Only the
// active page is visible; the focus leaves a page that goes out of sight.
#pragma once

#include <vector>

#include "ui/kernel/Controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* v);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int PageIndex() const;
    void SetPageIndex(int v);
    // Index among the visible tabs, -1 when the tab is hidden.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }

    void WidgetGeometryChanged() override;

protected:
    void TextChanged() override;
    void ApplyGeometry() override;
    void ApplyVisibility() override;

private:
    bool FTabVisible = true;
    int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(index); }
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* v);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);
    // Index of the active page among the visible tabs.
    int TabIndex() const;
    void SetTabIndex(int v);
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    // The client area the sheets fill.
    TRect DisplayRect() const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    // Platform side: the user asks for a tab.
    bool UserSelects(int index);

    void WndProc(TMessage& Message) override;

protected:
    void AttachChild(TControl* AControl) override;
    void DetachChild(TControl* AControl) override;
    void ControlsAligned() override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void SheetChanged(TTabSheet* sheet);
    bool ChangeActivePage(TTabSheet* page);
    // The active page alone is visible, so the focus walk passes over the controls of the others.
    void ShowActivePageOnly();
    void MoveSheet(TTabSheet* sheet, int index);
    std::vector<TTabSheet*> FPages;
    bool FSyncing = false;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    void StepIt() { SetPosition(FPosition + FStep); }
    void StepBy(int delta) { SetPosition(FPosition + delta); }
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation v);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool v) { FSmooth = v; }

private:
    void Apply();
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TProgressBarOrientation FOrientation = pbHorizontal;
    bool FSmooth = false;
};
