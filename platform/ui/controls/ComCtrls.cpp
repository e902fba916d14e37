// Page controls over QTabWidget (each tab sheet is one page of it) and the progress bar.
#include "ui/controls/ComCtrls.h"
#include "rtl/TypInfo.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QProgressBar>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "ui/forms/Forms.h"
#include "ui/kernel/Controls_p.h"

namespace {

QTabWidget* Tabs(const TPageControl* pc) { return static_cast<QTabWidget*>(pc->Widget()); }

// Asks the page control before a click on another tab changes the page.
class TabBarFilter : public QObject {
public:
    explicit TabBarFilter(TPageControl* pc) : QObject(Tabs(pc)), FPageControl(pc) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        auto* bar = static_cast<QTabBar*>(watched);
        const int index = bar->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index < 0 || index == bar->currentIndex())
            return false;
        bool allowed = false;
        vt::Guarded(FPageControl, [&] { allowed = FPageControl->UserSelects(index); });
        return !allowed;
    }

private:
    TPageControl* FPageControl;
};

// The first control of the page that Tab would reach.
TWinControl* FirstTabStopOf(const TTabSheet* page)
{
    std::vector<TWinControl*> list;
    page->GetTabOrderList(list);
    auto it = std::find_if(list.begin(), list.end(), [](TWinControl* c) { return c->TabStop() && c->CanFocus(); });
    return it == list.end() ? nullptr : *it;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TTabSheet

// Hidden until it is the active page of its page control.
TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
    SetColor(clBtnFace);
    Widget()->setAutoFillBackground(true);
}

// Leaves the page control while still a sheet: once the base destructors run, the page control
// could no longer tell the sheet from another child and would keep it among its pages.
TTabSheet::~TTabSheet() { SetParent(nullptr); }

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* v) { SetParent(v); }

void TTabSheet::SetTabVisible(bool v)
{
    if (FTabVisible == v)
        return;
    FTabVisible = v;
    if (TPageControl* pc = PageControl())
        pc->SheetChanged(this);
}

int TTabSheet::PageIndex() const
{
    TPageControl* pc = PageControl();
    if (!pc)
        return -1;
    auto it = std::find(pc->FPages.begin(), pc->FPages.end(), this);
    return static_cast<int>(it - pc->FPages.begin());
}

void TTabSheet::SetPageIndex(int v)
{
    if (TPageControl* pc = PageControl())
        pc->MoveSheet(this, v);
}

int TTabSheet::TabIndex() const
{
    TPageControl* pc = PageControl();
    if (!pc || !FTabVisible)
        return -1;
    int index = 0;
    for (TTabSheet* s : pc->FPages) {
        if (s == this)
            return index;
        if (s->TabVisible())
            ++index;
    }
    return -1;
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (TPageControl* pc = PageControl())
        pc->SheetChanged(this);
}

// The tab widget places and shows its pages.
void TTabSheet::ApplyGeometry() {}
void TTabSheet::ApplyVisibility() {}

void TTabSheet::WidgetGeometryChanged()
{
    TPageControl* pc = PageControl();
    if (!pc)
        return;
    const TRect r = pc->DisplayRect();
    SetBounds(r.Left, r.Top, Widget()->width(), Widget()->height());
}

// ---------------------------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner, vt::NewWidget<vt::Bridged<QTabWidget>>(this))
{
    QTabWidget* tabs = Tabs(this);
    vt::ForwardEventsOf(tabs->tabBar(), this);  // keys on the focused tabs go our key routes
    tabs->tabBar()->installEventFilter(new TabBarFilter(this));
    QObject::connect(tabs, &QTabWidget::currentChanged, [this](int) {
        ShowActivePageOnly();
        if (!FSyncing)
            vt::Guarded(this, [this] { Change(); });
    });
    FClickFocus = true;
    SetTabStop(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    FSyncing = true;
    while (!FPages.empty())
        RemoveControl(FPages.back());
}

void TPageControl::AttachChild(TControl* AControl)
{
    auto* sheet = dynamic_cast<TTabSheet*>(AControl);
    if (!sheet) {
        TWinControl::AttachChild(AControl);
        return;
    }
    FSyncing = true;
    FPages.push_back(sheet);
    const int index = Tabs(this)->addTab(sheet->Widget(), vt::ToQString(sheet->Caption()));
    Tabs(this)->setTabVisible(index, sheet->TabVisible());
    FSyncing = false;
    ShowActivePageOnly();
    const TRect r = DisplayRect();
    sheet->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

// Found by address: a sheet being destroyed is no longer a TTabSheet to dynamic_cast.
void TPageControl::DetachChild(TControl* AControl)
{
    auto it = std::find_if(FPages.begin(), FPages.end(), [AControl](TTabSheet* s) { return s == AControl; });
    if (it != FPages.end()) {
        const bool syncing = FSyncing;
        FSyncing = true;
        Tabs(this)->removeTab(Tabs(this)->indexOf(AControl->Widget()));
        FPages.erase(it);
        FSyncing = syncing;
    }
    TWinControl::DetachChild(AControl);
}

void TPageControl::SheetChanged(TTabSheet* sheet)
{
    const int index = Tabs(this)->indexOf(sheet->Widget());
    if (index < 0)
        return;
    FSyncing = true;
    Tabs(this)->setTabText(index, vt::ToQString(sheet->Caption()));
    Tabs(this)->setTabVisible(index, sheet->TabVisible());
    FSyncing = false;
}

void TPageControl::MoveSheet(TTabSheet* sheet, int index)
{
    index = std::clamp(index, 0, PageCount() - 1);
    TTabSheet* active = ActivePage();
    FSyncing = true;
    Tabs(this)->removeTab(Tabs(this)->indexOf(sheet->Widget()));
    std::erase(FPages, sheet);
    FPages.insert(FPages.begin() + index, sheet);
    Tabs(this)->insertTab(index, sheet->Widget(), vt::ToQString(sheet->Caption()));
    Tabs(this)->setTabVisible(index, sheet->TabVisible());
    if (active)
        Tabs(this)->setCurrentWidget(active->Widget());
    FSyncing = false;
}

// The sheets follow the page area of the tab widget, which Qt lays out on a resize event.
void TPageControl::ControlsAligned()
{
    QTabWidget* tabs = Tabs(this);
    QResizeEvent resize(tabs->size(), tabs->size());
    QCoreApplication::sendEvent(tabs, &resize);
    const TRect r = DisplayRect();
    for (TTabSheet* sheet : FPages)
        sheet->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

TRect TPageControl::DisplayRect() const
{
    const QStackedWidget* stack = Tabs(this)->findChild<QStackedWidget*>();
    if (stack && stack->width() > 0 && stack->height() > 0) {
        const QRect g = stack->geometry();
        return Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
    }
    const int bar = Tabs(this)->tabBar()->sizeHint().height();
    return Rect(4, bar + 4, std::max(Width() - 4, 4), std::max(Height() - 4, bar + 4));
}

TTabSheet* TPageControl::ActivePage() const
{
    const int index = Tabs(this)->currentIndex();
    return index >= 0 && index < PageCount() ? FPages[index] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* v)
{
    if (v && v->PageControl() != this)
        return;
    ChangeActivePage(v);
}

// The focus never stays on a page that goes out of sight: it moves to the first control of the
// page coming up, or to the page control when that page has none. A control whose exit check
// refuses to let the focus go keeps its page in front.
bool TPageControl::ChangeActivePage(TTabSheet* page)
{
    TTabSheet* leaving = ActivePage();
    if (page == leaving)
        return true;
    TCustomForm* form = GetParentForm(this);
    const bool focusLeaves = form && form->Visible() && leaving && form->ActiveControl() &&
                             leaving->ContainsControl(form->ActiveControl());
    if (focusLeaves && !form->SetFocusedControl(this))
        return false;
    FSyncing = true;
    Tabs(this)->setCurrentIndex(page ? page->PageIndex() : -1);
    FSyncing = false;
    if (focusLeaves) {
        TWinControl* first = page ? FirstTabStopOf(page) : nullptr;
        form->FocusControl(first ? first : this);
    }
    return true;
}

void TPageControl::ShowActivePageOnly()
{
    if (ComponentState().Contains(csDestroying))
        return;
    TTabSheet* active = ActivePage();
    for (TTabSheet* sheet : FPages)
        sheet->SetVisible(sheet == active);
}

int TPageControl::ActivePageIndex() const
{
    TTabSheet* page = ActivePage();
    return page ? page->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int v) { SetActivePage(v >= 0 && v < PageCount() ? FPages[v] : nullptr); }

int TPageControl::TabIndex() const
{
    TTabSheet* page = ActivePage();
    return page ? page->TabIndex() : -1;
}

void TPageControl::SetTabIndex(int v)
{
    for (TTabSheet* s : FPages)
        if (s->TabIndex() == v) {
            SetActivePage(s);
            return;
        }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    if (FPages.empty())
        return nullptr;
    const int count = PageCount();
    int start = current ? current->PageIndex() : (goForward ? count - 1 : 0);
    for (int step = 1; step <= count; ++step) {
        const int i = ((start + (goForward ? step : -step)) % count + count) % count;
        if (!checkTabVisible || FPages[i]->TabVisible())
            return FPages[i];
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible)
{
    TTabSheet* next = FindNextPage(ActivePage(), goForward, checkTabVisible);
    if (next && next != ActivePage() && CanChange() && ChangeActivePage(next))
        Change();
}

// A click on a tab takes the focus to the page control, as the desktop's tab controls do, so
// the page going out of sight keeps none of it.
bool TPageControl::UserSelects(int index)
{
    if (!CanChange())
        return false;
    TCustomForm* form = GetParentForm(this);
    if (!form || !form->Visible() || !CanFocus())
        return true;
    if (!form->SetFocusedControl(this))
        return false;
    Widget()->setFocus(Qt::MouseFocusReason);
    return true;
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages of the page control that holds the focus.
void TPageControl::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGKEY && Message.WParam == VK_TAB) {
        const TShiftState shift = vt::KeyDataToShiftState(Message.LParam);
        TCustomForm* form = GetParentForm(this);
        TWinControl* focused = form ? form->ActiveControl() : nullptr;
        if (shift.Contains(ssCtrl) && focused && (focused == this || ContainsControl(focused))) {
            SelectNextPage(!shift.Contains(ssShift));
            Message.Result = 1;
            return;
        }
    }
    TWinControl::WndProc(Message);
}

bool TPageControl::CanChange()
{
    bool allowed = true;
    if (OnChanging)
        OnChanging(this, allowed);
    return allowed;
}

void TPageControl::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner, vt::NewWidget<vt::Bridged<QProgressBar>>(this))
{
    static_cast<QProgressBar*>(Widget())->setTextVisible(false);
    SetBounds(0, 0, 150, 16);
    Apply();
}

void TProgressBar::Apply()
{
    auto* bar = static_cast<QProgressBar*>(Widget());
    bar->setRange(FMin, std::max(FMin, FMax));
    bar->setValue(FPosition);
    bar->setOrientation(FOrientation == pbVertical ? Qt::Vertical : Qt::Horizontal);
}

void TProgressBar::SetMin(int v)
{
    FMin = v;
    FPosition = std::max(FPosition, v);
    Apply();
}

void TProgressBar::SetMax(int v)
{
    FMax = v;
    FPosition = std::min(FPosition, v);
    Apply();
}

void TProgressBar::SetPosition(int v)
{
    FPosition = std::clamp(v, FMin, std::max(FMin, FMax));
    Apply();
}

void TProgressBar::SetOrientation(TProgressBarOrientation v)
{
    FOrientation = v;
    Apply();
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TProgressBarOrientation> kProgressBarOrientation{
    "TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};
const vt::ClassRegistration<TProgressBar, TWinControl> kProgressBar{
    "TProgressBar",
    {
        vt::Published("Min", &TProgressBar::Min, &TProgressBar::SetMin),
        vt::Published("Max", &TProgressBar::Max, &TProgressBar::SetMax),
        vt::Published("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
        vt::Published("Step", &TProgressBar::Step, &TProgressBar::SetStep),
        vt::Published("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation),
        vt::Published("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth),
    }};
}  // namespace

namespace {
const vt::ClassRegistration<TTabSheet, TWinControl> kTabSheet{
    "TTabSheet",
    {
        vt::Published("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption),
        vt::Published("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl),
        vt::Published("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible),
        vt::Published("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex),
        vt::Published("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex),
    }};
const vt::ClassRegistration<TPageControl, TWinControl> kPageControl{
    "TPageControl",
    {
        vt::Published("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage),
        vt::Published("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex),
        vt::Published("TabIndex", &TPageControl::TabIndex, &TPageControl::SetTabIndex),
    }};
}  // namespace
