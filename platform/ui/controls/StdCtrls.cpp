// The standard controls over Qt's widgets. User actions reach the controls through Qt signals
// (edited, clicked, activated) which only the user's input emits; setters from code change the
// widget without firing the controls' events.
#include "ui/controls/StdCtrls.h"
#include "rtl/TypInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <algorithm>

#include "ui/forms/Forms.h"
#include "ui/kernel/Controls_p.h"

// ---------------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
    SetControlStyle(ControlStyle() << csReplicatable);
}

unsigned TCustomLabel::TextFlags() const
{
    unsigned flags = FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    flags |= DT_EXPANDTABS;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
    }
    canvas->Brush()->SetStyle(bsClear);
    if (FLayout != tlTop) {
        TRect measured = r;
        canvas->DrawText(Caption(), measured, TextFlags() | DT_CALCRECT);
        const int offset = FLayout == tlBottom ? r.Height() - measured.Height() : (r.Height() - measured.Height()) / 2;
        r.Top += offset;
    }
    if (!Enabled()) {
        canvas->Font()->SetColor(clGrayText);
    }
    canvas->DrawText(Caption(), r, TextFlags());
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || ComponentState().Contains(csLoading))
        return;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    TRect r = Rect(0, 0, FWordWrap ? Width() : 0, 0);
    const String text = Caption().empty() ? String(" ") : Caption();
    canvas->DrawText(text, r, TextFlags() | DT_CALCRECT);
    int left = Left();
    if (FAlignment == taRightJustify)
        left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged()
{
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool v)
{
    if (FAutoSize == v)
        return;
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment v)
{
    if (FAlignment == v)
        return;
    FAlignment = v;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v)
{
    if (FLayout == v)
        return;
    FLayout = v;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool v)
{
    if (FWordWrap == v)
        return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v)
{
    if (FTransparent == v)
        return;
    FTransparent = v;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v)
{
    if (FShowAccelChar == v)
        return;
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v)
{
    if (FFocusControl == v)
        return;
    TWinControl* old = FFocusControl;
    if (old)
        old->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v)
        v->FreeNotification(this);
    if (old)
        old->UpdateAccessibility();
    if (v)
        v->UpdateAccessibility();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
    TGraphicControl::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, false) {}

TCustomEdit::TCustomEdit(TComponent* AOwner, bool multiLine)
    : TWinControl(AOwner, multiLine ? vt::NewWidget<vt::BridgedScrollArea<QPlainTextEdit>>(this)
                                    : vt::NewWidget<vt::Bridged<QLineEdit>>(this))
{
    FLine = dynamic_cast<QLineEdit*>(Widget());
    FPlain = dynamic_cast<QPlainTextEdit*>(Widget());
    FClickFocus = true;
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, multiLine ? 89 : 21);
    Connect();
}

void TCustomEdit::Connect()
{
    if (FLine)
        QObject::connect(FLine, &QLineEdit::textEdited, [this](const QString&) { vt::Guarded(this, [this] { UserEdited(); }); });
    else
        QObject::connect(FPlain, &QPlainTextEdit::textChanged, [this] {
            if (!FSettingText)
                vt::Guarded(this, [this] { UserEdited(); });
        });
}

void TCustomEdit::UserEdited()
{
    FModified = true;
    Change();
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

String TCustomEdit::GetText() const
{
    return vt::FromQString(FLine ? FLine->text() : FPlain->toPlainText());
}

// Text written by the program: no OnChange, and the entry counts as unmodified.
void TCustomEdit::SetTextValue(const String& v)
{
    FSettingText = true;
    if (FLine)
        FLine->setText(vt::ToQString(v));
    else
        FPlain->setPlainText(vt::ToQString(v));
    FSettingText = false;
    FModified = false;
}

void TCustomEdit::SetMaxLength(int v)
{
    if (v == FMaxLength)
        return;  // the line edit would set its whole text again
    FMaxLength = v;
    if (FLine)
        FLine->setMaxLength(v > 0 ? v : 32767);
}

void TCustomEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    if (FLine)
        FLine->setReadOnly(v);
    else
        FPlain->setReadOnly(v);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    if (FLine)
        FLine->setFrame(v != bsNone);
    Perform(CM_BORDERCHANGED, 0, 0);
}

void TCustomEdit::SetCtl3D(bool v)
{
    if (v == FCtl3D)
        return;
    FCtl3D = v;
    Perform(CM_CTL3DCHANGED, 0, 0);
}

namespace {
// The area inside a one-line edit's frame.
QRect FramedContents(const QLineEdit* line)
{
    const int frame = line->hasFrame() ? line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, line) : 0;
    return line->rect().adjusted(frame, frame, -frame, -frame);
}
}  // namespace

void TCustomEdit::SetFormattingRect(const TRect& r)
{
    const QRect inside = FramedContents(FLine);
    FLine->setTextMargins(std::max(0, r.Left - inside.left()), std::max(0, r.Top - inside.top()),
                          std::max(0, inside.right() + 1 - r.Right), std::max(0, inside.bottom() + 1 - r.Bottom));
}

TRect TCustomEdit::FormattingRect() const
{
    const QRect inside = FramedContents(FLine);
    const QMargins m = FLine->textMargins();
    return Rect(inside.left() + m.left(), inside.top() + m.top(), inside.right() + 1 - m.right(),
                inside.bottom() + 1 - m.bottom());
}

void TCustomEdit::SetCharCase(TEditCharCase v)
{
    FCharCase = v;
    if (v == ecUpperCase)
        SetText(UpperCase(Text()));
    else if (v == ecLowerCase)
        SetText(LowerCase(Text()));
}

void TCustomEdit::SetPasswordChar(char v)
{
    FPasswordChar = v;
    if (FLine)
        FLine->setEchoMode(v ? QLineEdit::Password : QLineEdit::Normal);
}

int TCustomEdit::SelStart() const
{
    if (FLine)
        return FLine->hasSelectedText() ? FLine->selectionStart() : FLine->cursorPosition();
    return FPlain->textCursor().selectionStart();
}

void TCustomEdit::SetSelStart(int v)
{
    if (FLine) {
        FLine->setCursorPosition(v);
        return;
    }
    QTextCursor c = FPlain->textCursor();
    c.setPosition(std::clamp(v, 0, static_cast<int>(FPlain->toPlainText().size())));
    FPlain->setTextCursor(c);
}

int TCustomEdit::SelLength() const
{
    if (FLine)
        return static_cast<int>(FLine->selectedText().size());
    const QTextCursor c = FPlain->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TCustomEdit::SetSelLength(int v)
{
    const int start = SelStart();
    if (FLine) {
        FLine->setSelection(start, v);
        return;
    }
    QTextCursor c = FPlain->textCursor();
    c.setPosition(start);
    c.setPosition(std::clamp(start + v, 0, static_cast<int>(FPlain->toPlainText().size())), QTextCursor::KeepAnchor);
    FPlain->setTextCursor(c);
}

String TCustomEdit::SelText() const
{
    return vt::FromQString(FLine ? FLine->selectedText() : FPlain->textCursor().selectedText());
}

void TCustomEdit::SetSelText(const String& v)
{
    FSettingText = true;
    if (FLine)
        FLine->insert(vt::ToQString(v));
    else
        FPlain->textCursor().insertText(vt::ToQString(v));
    FSettingText = false;
}

void TCustomEdit::SelectAll()
{
    if (FLine)
        FLine->selectAll();
    else
        FPlain->selectAll();
}

void TCustomEdit::KeyPress(char& Key)
{
    TWinControl::KeyPress(Key);
    if (FCharCase == ecUpperCase && Key >= 'a' && Key <= 'z')
        Key = static_cast<char>(Key - 32);
    else if (FCharCase == ecLowerCase && Key >= 'A' && Key <= 'Z')
        Key = static_cast<char>(Key + 32);
}

namespace {
// The clipboard keys of an edit, as messages that subclasses can refuse.
UINT ClipboardMessage(WORD key, TShiftState shift)
{
    const bool ctrl = shift.Contains(ssCtrl), sh = shift.Contains(ssShift);
    if ((ctrl && key == 'V') || (sh && key == VK_INSERT))
        return WM_PASTE;
    if ((ctrl && key == 'X') || (sh && key == VK_DELETE))
        return WM_CUT;
    if ((ctrl && key == 'C') || (ctrl && key == VK_INSERT))
        return WM_COPY;
    return 0;
}
}  // namespace

void TCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: {
        TWinControl::WndProc(Message);
        const UINT clip = ClipboardMessage(static_cast<WORD>(Message.WParam), vt::KeyDataToShiftState(Message.LParam));
        if (Message.WParam != 0 && clip) {
            Perform(clip, 0, 0);
            Message.WParam = 0;
        }
        return;
    }
    case WM_PASTE: case WM_CUT: case WM_COPY: {
        const QString before = FLine ? FLine->text() : FPlain->toPlainText();
        FSettingText = true;
        if (Message.Msg == WM_COPY)
            FLine ? FLine->copy() : FPlain->copy();
        else if (!FReadOnly && Message.Msg == WM_PASTE)
            FLine ? FLine->paste() : FPlain->paste();
        else if (!FReadOnly)
            FLine ? FLine->cut() : FPlain->cut();
        FSettingText = false;
        if (before != (FLine ? FLine->text() : FPlain->toPlainText()))
            UserEdited();
        return;
    }
    case CM_ENTER:
        if (FAutoSelect && FLine && !ControlState().Contains(csLButtonDown))
            SelectAll();
        TWinControl::WndProc(Message);
        return;
    case EM_SETRECT: case EM_SETRECTNP:
        if (FLine && Message.LParam)
            SetFormattingRect(*reinterpret_cast<const TRect*>(Message.LParam));
        return;
    case EM_GETRECT:
        if (FLine && Message.LParam)
            *reinterpret_cast<TRect*>(Message.LParam) = FormattingRect();
        return;
    default:
        TWinControl::WndProc(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner, true), FLines(new TStringList)
{
    SetAutoSelect(false);
    FLines->OnChange = [this](TObject*) { LinesChanged(); };
    SetScrollBars(ssNone);
    SetWordWrap(true);
}

TCustomMemo::~TCustomMemo() { delete FLines; }

void TCustomMemo::LinesChanged()
{
    if (FSyncing)
        return;
    FSyncing = true;
    String text = FLines->Text();
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    TCustomEdit::SetTextValue(text);
    FSyncing = false;
}

void TCustomMemo::SetTextValue(const String& v) { FLines->SetText(v); }

void TCustomMemo::UserEdited()
{
    FSyncing = true;
    FLines->SetText(vt::FromQString(TextEdit()->toPlainText()));
    FSyncing = false;
    TCustomEdit::UserEdited();
}

void TCustomMemo::SetScrollBars(TScrollStyle v)
{
    FScrollBars = v;
    const bool h = v == ssHorizontal || v == ssBoth, vert = v == ssVertical || v == ssBoth;
    TextEdit()->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    TextEdit()->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWordWrap(bool v)
{
    FWordWrap = v;
    TextEdit()->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TCustomMemo::SetAlignment(TAlignment v)
{
    FAlignment = v;
    QTextOption option = TextEdit()->document()->defaultTextOption();
    option.setAlignment(v == taCenter ? Qt::AlignHCenter : v == taRightJustify ? Qt::AlignRight : Qt::AlignLeft);
    TextEdit()->document()->setDefaultTextOption(option);
}

bool TCustomMemo::WantsKey(WORD key, TShiftState shift) const
{
    return (key == VK_RETURN && FWantReturns) || (key == VK_TAB && FWantTabs);
}

// ---------------------------------------------------------------------------------------------
// Buttons

TButtonControl::TButtonControl(TComponent* AOwner, QWidget* widget) : TWinControl(AOwner, widget)
{
    SetControlStyle(ControlStyle() >> csClickEvents);  // clicks come from the widget's signals
    FClickFocus = true;
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButtonControl::SetTextValue(const String& v)
{
    TWinControl::SetTextValue(v);
    if (auto* button = dynamic_cast<QAbstractButton*>(Widget()))
        button->setText(vt::ToQString(v));
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner, vt::NewWidget<vt::Bridged<QPushButton>>(this))
{
    auto* button = static_cast<QPushButton*>(Widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this] { vt::Guarded(this, [this] { Click(); }); });
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v)
{
    FDefault = v;
    static_cast<QPushButton*>(Widget())->setDefault(v);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

// Enter presses the focused button, else the default one; Esc presses the cancel button.
void TButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGKEY) {
        const WORD key = static_cast<WORD>(Message.WParam);
        TCustomForm* form = GetParentForm(this);
        const bool otherButtonFocused = form && form->ActiveControl() != this &&
                                        dynamic_cast<TButton*>(form->ActiveControl());
        const bool active = Focused() || (FDefault && !otherButtonFocused);
        if (((key == VK_RETURN && active) || (key == VK_ESCAPE && FCancel)) &&
            vt::KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        return;
    }
    TButtonControl::WndProc(Message);
}

namespace {
// A check box whose click asks the control for the next state instead of cycling itself.
class CheckBoxWidget : public vt::Bridged<QCheckBox> {
public:
    using vt::Bridged<QCheckBox>::Bridged;
    std::function<void()> OnNextState;

protected:
    void nextCheckState() override
    {
        if (OnNextState)
            OnNextState();
    }
};
}  // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner, vt::NewWidget<CheckBoxWidget>(this))
{
    static_cast<CheckBoxWidget*>(Widget())->OnNextState = [this] {
        vt::Guarded(this, [this] {
            const TCheckBoxState before = FState;
            Toggle();
            if (FState != before)
                Click();
        });
    };
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::SetState(TCheckBoxState v)
{
    FState = v;
    auto* box = static_cast<QCheckBox*>(Widget());
    box->setTristate(FAllowGrayed || v == cbGrayed);
    box->setCheckState(v == cbChecked ? Qt::Checked : v == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void TCustomCheckBox::SetAllowGrayed(bool v)
{
    FAllowGrayed = v;
    if (!v && FState == cbGrayed)
        SetState(cbUnchecked);
    static_cast<QCheckBox*>(Widget())->setTristate(v);
}

void TCustomCheckBox::SetAlignment(TLeftRight v)
{
    FAlignment = v;
    Widget()->setLayoutDirection(v == taLeftSide ? Qt::RightToLeft : Qt::LeftToRight);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, vt::NewWidget<vt::Bridged<QRadioButton>>(this))
{
    QObject::connect(static_cast<QRadioButton*>(Widget()), &QRadioButton::clicked,
                     [this] { vt::Guarded(this, [this] { Click(); }); });
    SetBounds(0, 0, 113, 17);
}

bool TRadioButton::Checked() const { return static_cast<QRadioButton*>(Widget())->isChecked(); }

// Qt refuses to uncheck the checked member of an exclusive group; the exclusion is lifted for it.
void TRadioButton::SetChecked(bool v)
{
    auto* radio = static_cast<QRadioButton*>(Widget());
    if (!v) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
        return;
    }
    radio->setChecked(true);
}

// ---------------------------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() << csAcceptsControls);
    SetColor(clBtnFace);
    Widget()->setAutoFillBackground(true);
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) const
{
    Rect.Top += Canvas()->TextHeight("0");
    Rect.Left += 2;
    Rect.Right -= 2;
    Rect.Bottom -= 2;
}

void TCustomGroupBox::Paint()
{
    TCanvas* canvas = Canvas();
    const int h = canvas->TextHeight("0");
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(Rect(0, h / 2, Width() - 1, Height() - 1));
    canvas->Brush()->SetColor(clBtnHighlight);
    canvas->FrameRect(Rect(1, h / 2 + 1, Width(), Height()));
    if (!Caption().empty()) {
        canvas->Brush()->SetColor(Color());
        TRect r = Rect(8, 0, Width() - 8, h);
        canvas->DrawText(Caption(), r, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        canvas->FillRect(r);
        canvas->DrawText(Caption(), r, DT_LEFT | DT_SINGLELINE);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox

namespace {
// The lines of a list box or combo box. While one change of a single line is reported it tells what the change
// was, so that the widget and the box take that line alone instead of going over all of them; a
// change inside a batch is reported with the batch, as any other.
class TListBoxLines : public TStringList {
public:
    const TListLinesChange& Change() const { return FChange; }

    int Add(const String& s) override
    {
        int index = Count();
        const bool adds = !Sorted() || !Find(s, index) || Duplicates() == dupAccept;
        return Reporting(adds ? TListLinesChange{TListLinesChange::lcInserted, index, {}} : TListLinesChange{},
                         [&] { return TStringList::Add(s); });
    }
    void Insert(int index, const String& s) override
    {
        Reporting({TListLinesChange::lcInserted, index, {}}, [&] { TStringList::Insert(index, s); });
    }
    void Delete(int index) override
    {
        const bool exists = index >= 0 && index < Count();
        Reporting(exists ? TListLinesChange{TListLinesChange::lcDeleted, index, Strings(index)} : TListLinesChange{},
                  [&] { TStringList::Delete(index); });
    }
    void SetStrings(int index, const String& s) override
    {
        Reporting({TListLinesChange::lcReplaced, index, {}}, [&] { TStringList::SetStrings(index, s); });
    }
    void Clear() override
    {
        Reporting({TListLinesChange::lcCleared, -1, {}}, [&] { TStringList::Clear(); });
    }
    void SetObjects(int index, TObject* object) override
    {
        Reporting({TListLinesChange::lcObject, index, {}}, [&] { TStringList::SetObjects(index, object); });
    }

private:
    template <class Work>
    auto Reporting(TListLinesChange change, Work work) -> decltype(work())
    {
        if (UpdateCount() == 0)
            FChange = std::move(change);
        struct Reported {
            TListLinesChange& change;
            ~Reported() { change = {}; }
        } reported{FChange};
        return work();
    }

    TListLinesChange FChange;
};

const TListLinesChange& ChangeOf(const TStringList* lines) { return static_cast<const TListBoxLines*>(lines)->Change(); }

// Whether a widget holding widgetLines lines before the change can take it as such, now that
// the lines number lines.
bool Mirrorable(const TListLinesChange& change, int widgetLines, int lines)
{
    const int index = change.Index;
    switch (change.Kind) {
    case TListLinesChange::lcInserted: return widgetLines + 1 == lines && index >= 0 && index < lines;
    case TListLinesChange::lcDeleted: return widgetLines == lines + 1 && index >= 0 && index <= lines;
    case TListLinesChange::lcReplaced: return widgetLines == lines && index >= 0 && index < lines;
    case TListLinesChange::lcCleared: return lines == 0;
    case TListLinesChange::lcObject: case TListLinesChange::lcOther: break;
    }
    return false;
}

class ComboWidget : public vt::Bridged<QComboBox> {
public:
    using vt::Bridged<QComboBox>::Bridged;
    std::function<void()> OnDropDown;
    std::function<void()> OnCloseUp;

    void showPopup() override
    {
        if (OnDropDown)
            OnDropDown();
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (OnCloseUp)
            OnCloseUp();
    }
};

// The items of a combo box: emptying them drops the choice at once, also inside a batch of
// changes, as the list it was chosen from is gone.
class ComboItems : public TListBoxLines {
public:
    explicit ComboItems(std::function<void()> clearing) : FClearing(std::move(clearing)) {}
    void Clear() override
    {
        if (Count() > 0)
            FClearing();
        TListBoxLines::Clear();
    }

private:
    std::function<void()> FClearing;
};
}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner, vt::NewWidget<ComboWidget>(this)), FItems(new ComboItems([this] { FChoiceDropped = true; }))
{
    SetControlStyle(ControlStyle() >> csClickEvents);  // clicks come from the widget's signals
    FClickFocus = true;
    SetTabStop(true);
    SetColor(clWindow);
    auto* combo = static_cast<ComboWidget*>(Widget());
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->OnDropDown = [this] { vt::Guarded(this, [this] { if (OnDropDown) OnDropDown(this); }); };
    combo->OnCloseUp = [this] { vt::Guarded(this, [this] { if (OnCloseUp) OnCloseUp(this); }); };
    QObject::connect(combo, &QComboBox::activated, [this](int index) { vt::Guarded(this, [this, index] { Picked(index); }); });
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    // On a form being designed the style is applied when loaded, once the design has set it.
    if (!AOwner || !AOwner->ComponentState().Contains(csLoading))
        ApplyStyle();
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() { delete FItems; }

void TCustomComboBox::SetStyle(TComboBoxStyle v)
{
    FStyle = v;
    if (!ComponentState().Contains(csLoading))
        ApplyStyle();
}

void TCustomComboBox::Loaded()
{
    TWinControl::Loaded();
    ApplyStyle();
}

void TCustomComboBox::ApplyStyle()
{
    auto* combo = static_cast<QComboBox*>(Widget());
    const bool editable = FStyle == csDropDown || FStyle == csSimple;
    if (combo->isEditable() == editable)
        return;
    combo->setEditable(editable);
    if (editable) {
        vt::ForwardEventsOf(combo->lineEdit(), this);
        combo->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, [this, combo](const QString& text) {
            vt::Guarded(this, [this, combo, text] {
                // Typing leaves no item selected unless it matches one exactly.
                const int cursor = combo->lineEdit()->cursorPosition();
                FSyncing = true;
                combo->setCurrentIndex(FItems->IndexOf(vt::FromQString(text)));
                combo->setEditText(text);
                combo->lineEdit()->setCursorPosition(cursor);
                FSyncing = false;
                Change();
            });
        });
    }
}

// A changed list keeps the choice only while the chosen item is still in it; a text typed
// without choosing an item stays as typed.
void TCustomComboBox::ItemsChanged()
{
    auto* combo = static_cast<QComboBox*>(Widget());
    const int index = combo->currentIndex();
    const String chosen = index >= 0 && !FChoiceDropped ? vt::FromQString(combo->itemText(index)) : String();
    const QString text = index >= 0 ? QString() : combo->currentText();
    FChoiceDropped = false;
    FSyncing = true;
    SyncItems(ChangeOf(FItems));
    const int kept = chosen.empty() ? -1 : IndexOfItem(chosen, index);
    combo->setCurrentIndex(kept);
    if (combo->isEditable())
        combo->setEditText(kept >= 0 ? combo->itemText(kept) : text);
    FSyncing = false;
}

// One item inserted, deleted or replaced, or all cleared, goes into the widget as such; any other
// change of the items rebuilds it.
void TCustomComboBox::SyncItems(const TListLinesChange& Change)
{
    auto* combo = static_cast<QComboBox*>(Widget());
    const int index = Change.Index;
    if (Change.Kind == TListLinesChange::lcObject)
        return;
    if (!Mirrorable(Change, combo->count(), FItems->Count())) {
        combo->clear();
        for (int i = 0; i < FItems->Count(); ++i)
            combo->addItem(vt::ToQString(FItems->Strings(i)));
        return;
    }
    switch (Change.Kind) {
    case TListLinesChange::lcInserted: combo->insertItem(index, vt::ToQString(FItems->Strings(index))); break;
    case TListLinesChange::lcDeleted: combo->removeItem(index); break;
    case TListLinesChange::lcReplaced: combo->setItemText(index, vt::ToQString(FItems->Strings(index))); break;
    default: combo->clear(); break;
    }
}

// The item with exactly this text, at its old place when it is still there.
int TCustomComboBox::IndexOfItem(const String& item, int oldIndex) const
{
    if (oldIndex < FItems->Count() && FItems->Strings(oldIndex) == item)
        return oldIndex;
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Strings(i) == item)
            return i;
    return -1;
}

int TCustomComboBox::ItemIndex() const { return static_cast<QComboBox*>(Widget())->currentIndex(); }

void TCustomComboBox::SetItemIndex(int v)
{
    if (v < -1 || v >= FItems->Count())
        v = -1;
    static_cast<QComboBox*>(Widget())->setCurrentIndex(v);
}

String TCustomComboBox::GetText() const { return vt::FromQString(static_cast<QComboBox*>(Widget())->currentText()); }

void TCustomComboBox::SetTextValue(const String& v)
{
    auto* combo = static_cast<QComboBox*>(Widget());
    combo->setCurrentIndex(FItems->IndexOf(v));
    if (combo->isEditable())
        combo->setEditText(vt::ToQString(v));
}

void TCustomComboBox::Picked(int index)
{
    Change();
    Select();
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
}

void TCustomComboBox::SetDropDownCount(int v)
{
    FDropDownCount = v;
    static_cast<QComboBox*>(Widget())->setMaxVisibleItems(std::max(v, 1));
}

void TCustomComboBox::SetMaxLength(int v)
{
    if (v == FMaxLength)
        return;  // the line edit would set its whole text again
    FMaxLength = v;
    if (auto* edit = static_cast<QComboBox*>(Widget())->lineEdit())
        edit->setMaxLength(v > 0 ? v : 32767);
}

bool TCustomComboBox::DroppedDown() const { return static_cast<QComboBox*>(Widget())->view()->isVisible(); }

void TCustomComboBox::SetDroppedDown(bool v)
{
    auto* combo = static_cast<QComboBox*>(Widget());
    if (v)
        combo->showPopup();
    else
        combo->hidePopup();
}

void TCustomComboBox::SelectAll()
{
    if (auto* edit = static_cast<QComboBox*>(Widget())->lineEdit())
        edit->selectAll();
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    SetTextValue(String());
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

namespace {
// Paints owner-drawn items through the control and sizes every item through it.
class ListDelegate : public QStyledItemDelegate {
public:
    explicit ListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    // False: the item is drawn the standard way.
    std::function<bool(QPainter*, int, const QRect&, TOwnerDrawState)> Draw;
    std::function<QSize(QSize natural, int row)> Size;
    // The standard way writes the text from the right.
    std::function<bool()> RightToLeft;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TOwnerDrawState state;
        if (option.state & QStyle::State_Selected) state << odSelected;
        if (option.state & QStyle::State_HasFocus) state << odFocused;
        if (!(option.state & QStyle::State_Enabled)) state << odDisabled;
        if (!Draw(painter, index.row(), option.rect, state))
            QStyledItemDelegate::paint(painter, option, index);
    }
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (RightToLeft()) {
            option->direction = Qt::RightToLeft;
            option->displayAlignment = Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter;
        }
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return Size(QStyledItemDelegate::sizeHint(option, index), index.row());
    }
};

QListWidget* List(const TCustomListBox* box) { return static_cast<QListWidget*>(box->Widget()); }


TRect ToRect(const QRect& r) { return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }
}  // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner, vt::NewWidget<vt::BridgedScrollArea<QListWidget>>(this)), FItems(new TListBoxLines),
      FCanvas(new TCanvas)
{
    SetControlStyle(ControlStyle() >> csClickEvents);  // clicks come from the widget's signals
    FClickFocus = true;
    SetTabStop(true);
    SetColor(clWindow);
    FItems->OnChange = [this](TObject*) {
        const TListLinesChange change = ChangeOf(FItems);
        if (SyncLines(change))
            LinesChanged(change);
    };
    QListWidget* list = List(this);
    QObject::connect(list, &QListWidget::currentRowChanged, [this](int) {
        if (!FSyncing)
            vt::Guarded(this, [this] { Click(); });
    });
    auto* delegate = new ListDelegate(list);
    delegate->Draw = [this](QPainter* painter, int index, const QRect& r, TOwnerDrawState state) {
        if (!OwnerDrawn())
            return false;
        FCanvas->BindPainter(painter);
        FCanvas->Font()->Assign(Font());
        FCanvas->Brush()->SetColor(Color());
        vt::Guarded(this, [&] { PaintItem(index, ToRect(r), state); });
        FCanvas->BindPainter(nullptr);
        return true;
    };
    delegate->RightToLeft = [this] { return UseRightToLeftReading(); };
    delegate->Size = [this](QSize natural, int row) {
        const int viewWidth = List(this)->viewport()->width();
        int width = OwnerDrawn() ? viewWidth : natural.width();
        if (FColumns > 0)
            width = FColumnWidth;
        else if (FHorizontalExtent >= 0)
            width = std::max(FHorizontalExtent, viewWidth);
        int height = natural.height();
        if (OwnerDrawn()) {
            height = FWindowItemHeight;
            if (FStyle == lbOwnerDrawVariable || FStyle == lbVirtualOwnerDraw)
                vt::Guarded(this, [&] { MeasureItem(row, height); });
        }
        return QSize(width, height);
    };
    list->setItemDelegate(delegate);
    list->setResizeMode(QListView::Adjust);
    ApplySelectionMode();
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox()
{
    delete FItems;
    delete FCanvas;
}

// The widget follows the lines: one line inserted, deleted or replaced, or all cleared, goes into
// it as such; any other change rebuilds it when its lines differ, and a change of objects alone
// leaves it (and its selection) as it is. True when the lines changed.
bool TCustomListBox::SyncLines(const TListLinesChange& Change)
{
    if (Change.Kind == TListLinesChange::lcObject)
        return false;
    if (MirrorChange(Change))
        return true;
    QListWidget* list = List(this);
    bool same = list->count() == FItems->Count();
    for (int i = 0; same && i < FItems->Count(); ++i)
        same = list->item(i)->text() == vt::ToQString(FItems->Strings(i));
    if (same)
        return false;
    const int row = list->currentRow();
    FSyncing = true;
    list->clear();
    for (int i = 0; i < FItems->Count(); ++i)
        list->addItem(vt::ToQString(FItems->Strings(i)));
    list->setCurrentRow(row < FItems->Count() ? row : -1);
    FSyncing = false;
    return true;
}

bool TCustomListBox::MirrorChange(const TListLinesChange& Change)
{
    QListWidget* list = List(this);
    const int index = Change.Index;
    if (!Mirrorable(Change, list->count(), FItems->Count()))
        return false;
    FSyncing = true;
    switch (Change.Kind) {
    case TListLinesChange::lcInserted: list->insertItem(index, vt::ToQString(FItems->Strings(index))); break;
    case TListLinesChange::lcDeleted: delete list->takeItem(index); break;
    case TListLinesChange::lcReplaced: list->item(index)->setText(vt::ToQString(FItems->Strings(index))); break;
    default: list->clear(); break;
    }
    FSyncing = false;
    return true;
}

int TCustomListBox::IndexOfLine(const String& Text, TObject* Object) const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Objects(i) == Object && FItems->Strings(i) == Text)
            return i;
    return -1;
}

void TCustomListBox::SetSorted(bool v)
{
    if (v == Sorted())
        return;
    const int current = ItemIndex();
    const int top = TopIndex();
    const bool hasTop = top < FItems->Count();
    const String currentText = current >= 0 ? FItems->Strings(current) : String();
    TObject* currentObject = current >= 0 ? FItems->Objects(current) : nullptr;
    const String topText = hasTop ? FItems->Strings(top) : String();
    TObject* topObject = hasTop ? FItems->Objects(top) : nullptr;
    FItems->SetSorted(v);
    if (hasTop)
        SetTopIndex(IndexOfLine(topText, topObject));
    if (current >= 0)
        SetItemIndex(IndexOfLine(currentText, currentObject));
}

int TCustomListBox::ItemIndex() const { return List(this)->currentRow(); }

void TCustomListBox::SetItemIndex(int v)
{
    FSyncing = true;
    List(this)->setCurrentRow(v >= 0 && v < FItems->Count() ? v : -1);
    FSyncing = false;
}

void TCustomListBox::ApplySelectionMode()
{
    List(this)->setSelectionMode(!FMultiSelect ? QAbstractItemView::SingleSelection
                                               : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                                                 : QAbstractItemView::MultiSelection);
}

void TCustomListBox::SetMultiSelect(bool v)
{
    FMultiSelect = v;
    ApplySelectionMode();
}

void TCustomListBox::SetExtendedSelect(bool v)
{
    FExtendedSelect = v;
    ApplySelectionMode();
}

bool TCustomListBox::Selected(int index) const
{
    QListWidgetItem* item = List(this)->item(index);
    if (!item)
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return item->isSelected();
}

void TCustomListBox::SetSelected(int index, bool v)
{
    QListWidgetItem* item = List(this)->item(index);
    if (!item)
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    if (!FMultiSelect) {
        if (v)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    FSyncing = true;
    item->setSelected(v);
    FSyncing = false;
}

int TCustomListBox::SelCount() const
{
    return FMultiSelect ? static_cast<int>(List(this)->selectedItems().size()) : -1;
}

void TCustomListBox::SetStyle(TListBoxStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    ApplyItemSizes();
}

void TCustomListBox::PaintItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (State.Contains(odSelected)) {
        FCanvas->Brush()->SetColor(clHighlight);
        FCanvas->Font()->SetColor(clHighlightText);
    }
    DrawItem(Index, Rect, State);
    if (State.Contains(odFocused))
        FCanvas->DrawFocusRect(Rect);
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < FItems->Count())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomListBox::SetItemHeight(int v)
{
    if (v <= 0 || v == FItemHeight)
        return;
    FItemHeight = v;
    Perform(LB_SETITEMHEIGHT, 0, v);
}

void TCustomListBox::SetColumns(int v)
{
    if (v < 0 || v == FColumns)
        return;
    FColumns = v;
    List(this)->setWrapping(v > 0);
    ApplyColumns();
}

void TCustomListBox::ApplyColumns()
{
    if (FColumns > 0)
        Perform(LB_SETCOLUMNWIDTH, std::max(1, (Width() + FColumns - 3) / FColumns), 0);
    else
        ApplyItemSizes();
}

// Items of one height and one width (a fixed owner-drawn style, or standard items whose width the
// horizontal extent or the columns give) are laid out from the first one's size.
void TCustomListBox::ApplyItemSizes()
{
    const bool sameWidth = FHorizontalExtent >= 0 || FColumns > 0;
    List(this)->setUniformItemSizes(FStyle == lbOwnerDrawFixed || FStyle == lbVirtual ||
                                    (FStyle == lbStandard && sameWidth));
    List(this)->doItemsLayout();
}

void TCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && FStyle != lbOwnerDrawVariable)
        AHeight = WholeItemsHeight(AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FColumns > 0)
        ApplyColumns();
}

int TCustomListBox::WholeItemsHeight(int Height) const
{
    const int frame = 2 * List(this)->frameWidth();
    const int item = std::max(ItemHeight(), 1);
    return frame + std::max((Height - frame) / item, 1) * item;
}

void TCustomListBox::SetIntegralHeight(bool v)
{
    if (v == FIntegralHeight)
        return;
    FIntegralHeight = v;
    SetBounds(Left(), Top(), Width(), Height());
}

void TCustomListBox::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    List(this)->setFrameShape(v == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

int TCustomListBox::TopIndex() const
{
    const QModelIndex index = List(this)->indexAt(QPoint(1, 1));
    return index.isValid() ? index.row() : 0;
}

void TCustomListBox::SetTopIndex(int v)
{
    if (QListWidgetItem* item = List(this)->item(v))
        List(this)->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemAtPos(const TPoint& pos, bool existing) const
{
    if (!PtInRect(ClientRect(), pos))
        return -1;
    const QModelIndex index = List(this)->indexAt(QPoint(pos.X, pos.Y));
    if (index.isValid())
        return index.row();
    return existing ? -1 : FItems->Count();
}

TRect TCustomListBox::ItemRect(int index) const
{
    const int count = FItems->Count();
    if (index == count && count > 0) {
        const TRect last = ItemRect(count - 1);
        return Rect(last.Left, last.Bottom, last.Right, last.Bottom + last.Height());
    }
    QListWidgetItem* item = List(this)->item(index);
    return item ? ToRect(List(this)->visualItemRect(item)) : TRect{};
}

int TCustomListBox::ItemHeight() const
{
    if (FStyle == lbStandard && FItems->Count() > 0)
        return ItemRect(0).Height();
    return FItemHeight;
}

int TCustomListBox::CheckedIndex(WPARAM index) const
{
    const auto i = static_cast<int>(index);
    return i >= 0 && i < FItems->Count() ? i : -1;
}

// The item messages: texts and item data (kept as the lines' objects, so that they move with
// their lines when the list sorts), the horizontal extent and the column width.
LRESULT TCustomListBox::ListMessage(const TMessage& Message)
{
    const int i = CheckedIndex(Message.WParam);
    switch (Message.Msg) {
    case LB_GETTEXTLEN: return i < 0 ? LB_ERR : static_cast<LRESULT>(FItems->Strings(i).size());
    case LB_GETTEXT: {
        if (i < 0)
            return LB_ERR;
        const String text = FItems->Strings(i);
        std::copy(text.c_str(), text.c_str() + text.size() + 1, reinterpret_cast<char*>(Message.LParam));
        return static_cast<LRESULT>(text.size());
    }
    case LB_ADDSTRING: return FItems->Add(reinterpret_cast<const char*>(Message.LParam));
    case LB_INSERTSTRING: {
        const int at = static_cast<int>(Message.WParam) == -1 ? FItems->Count() : static_cast<int>(Message.WParam);
        if (at < 0 || at > FItems->Count())
            return LB_ERR;
        FItems->Insert(at, reinterpret_cast<const char*>(Message.LParam));
        return at;
    }
    case LB_DELETESTRING:
        if (i < 0)
            return LB_ERR;
        FItems->Delete(i);
        return FItems->Count();
    case LB_RESETCONTENT: FItems->Clear(); return 0;
    case LB_GETITEMDATA: return i < 0 ? LB_ERR : reinterpret_cast<LRESULT>(FItems->Objects(i));
    case LB_SETITEMDATA:
        if (i < 0)
            return LB_ERR;
        FItems->SetObjects(i, reinterpret_cast<TObject*>(Message.LParam));
        return 0;
    case LB_GETHORIZONTALEXTENT: return std::max(FHorizontalExtent, 0);
    case LB_SETHORIZONTALEXTENT:
        // Laying out every item again is for a range that changed only.
        if (static_cast<int>(Message.WParam) != FHorizontalExtent) {
            FHorizontalExtent = static_cast<int>(Message.WParam);
            ApplyItemSizes();
        }
        return 0;
    case LB_SETCOLUMNWIDTH:
        FColumnWidth = static_cast<int>(Message.WParam);
        ApplyItemSizes();
        return 0;
    case LB_GETITEMHEIGHT: return FWindowItemHeight;
    case LB_SETITEMHEIGHT:
        if (Message.LParam <= 0 || Message.LParam > 255)
            return LB_ERR;
        FWindowItemHeight = static_cast<int>(Message.LParam);
        ApplyItemSizes();
        return 0;
    default: return LB_ERR;
    }
}

// The list-box messages the component library sends.
void TCustomListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case LB_GETCOUNT: Message.Result = FItems->Count(); return;
    case LB_GETCURSEL: Message.Result = ItemIndex(); return;
    case LB_SETCURSEL: SetItemIndex(static_cast<int>(Message.WParam)); Message.Result = ItemIndex(); return;
    case LB_GETTOPINDEX: Message.Result = TopIndex(); return;
    case LB_SETTOPINDEX: SetTopIndex(static_cast<int>(Message.WParam)); return;
    case LB_GETSELCOUNT: Message.Result = SelCount(); return;
    case LB_GETSEL: {
        const int i = CheckedIndex(Message.WParam);
        Message.Result = i >= 0 ? (Selected(i) ? 1 : 0) : LB_ERR;
        return;
    }
    case LB_SETSEL: {
        const int i = static_cast<int>(Message.LParam);
        if (i < -1 || i >= FItems->Count()) {
            Message.Result = LB_ERR;
            return;
        }
        for (int k = 0; k < FItems->Count(); ++k)
            if (i == -1 || k == i)
                SetSelected(k, Message.WParam != 0);
        return;
    }
    case LB_GETITEMRECT:
        if (auto* r = reinterpret_cast<TRect*>(Message.LParam))
            *r = ItemRect(static_cast<int>(Message.WParam));
        return;
    case LB_ITEMFROMPOINT: {
        const int index = ItemAtPos(Point(LParamX(Message.LParam), LParamY(Message.LParam)), true);
        Message.Result = index < 0 ? MakeLParam(FItems->Count(), 1) : index;
        return;
    }
    case LB_GETTEXTLEN: case LB_GETTEXT: case LB_ADDSTRING: case LB_INSERTSTRING: case LB_DELETESTRING:
    case LB_RESETCONTENT: case LB_GETITEMDATA: case LB_SETITEMDATA: case LB_GETHORIZONTALEXTENT:
    case LB_SETHORIZONTALEXTENT: case LB_SETCOLUMNWIDTH: case LB_GETITEMHEIGHT: case LB_SETITEMHEIGHT:
        Message.Result = ListMessage(Message);
        return;
    default:
        TWinControl::WndProc(Message);
    }
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TTextLayout> kTextLayout{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};
const vt::EnumRegistration<TEditCharCase> kEditCharCase{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};
const vt::EnumRegistration<TScrollStyle> kScrollStyle{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
const vt::EnumRegistration<TCheckBoxState> kCheckBoxState{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
const vt::EnumRegistration<TLeftRight> kLeftRight{"TLeftRight", {"taLeftSide", "taRightSide"}};
const vt::EnumRegistration<TComboBoxStyle> kComboBoxStyle{
    "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
const vt::EnumRegistration<TListBoxStyle> kListBoxStyle{"TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};
const vt::ClassRegistration<TCustomLabel, TGraphicControl> kCustomLabel{
    "TCustomLabel",
    {
        vt::Published("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption),
        vt::Published("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize),
        vt::Published("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment),
        vt::Published("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout),
        vt::Published("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap),
        vt::Published("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent),
        vt::Published("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar),
        vt::Published("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl),
    }};
const vt::ClassRegistration<TLabel, TCustomLabel> kLabel{"TLabel", {}};
const vt::ClassRegistration<TCustomEdit, TWinControl> kCustomEdit{
    "TCustomEdit",
    {
        vt::Published("Text", &TCustomEdit::Text, &TCustomEdit::SetText),
        vt::Published("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
        vt::Published("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
        vt::Published("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase),
        vt::Published("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar),
        vt::Published("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect),
    }};
const vt::ClassRegistration<TEdit, TCustomEdit> kEdit{"TEdit", {}};
const vt::ClassRegistration<TCustomMemo, TCustomEdit> kCustomMemo{
    "TCustomMemo",
    {
        vt::Published("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines),
        vt::Published("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars),
        vt::Published("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap),
        vt::Published("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns),
        vt::Published("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs),
        vt::Published("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment),
    }};
const vt::ClassRegistration<TMemo, TCustomMemo> kMemo{"TMemo", {}};
const vt::ClassRegistration<TButtonControl, TWinControl> kButtonControl{
    "TButtonControl",
    {
        vt::Published("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption),
        vt::Published("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap),
    }};
const vt::ClassRegistration<TButton, TButtonControl> kButton{
    "TButton",
    {
        vt::Published("Default", &TButton::Default, &TButton::SetDefault),
        vt::Published("Cancel", &TButton::Cancel, &TButton::SetCancel),
        vt::Published("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
    }};
const vt::ClassRegistration<TCustomCheckBox, TButtonControl> kCustomCheckBox{
    "TCustomCheckBox",
    {
        vt::Published("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked),
        vt::Published("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState),
        vt::Published("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed),
        vt::Published("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment),
    }};
const vt::ClassRegistration<TCheckBox, TCustomCheckBox> kCheckBox{"TCheckBox", {}};
const vt::ClassRegistration<TRadioButton, TButtonControl> kRadioButton{
    "TRadioButton",
    {
        vt::Published("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked),
        vt::Published("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment),
    }};
const vt::ClassRegistration<TCustomComboBox, TWinControl> kCustomComboBox{
    "TCustomComboBox",
    {
        vt::Published("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText),
        vt::Published("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems),
        vt::Published("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
        vt::Published("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle),
        vt::Published("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted),
        vt::Published("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount),
        vt::Published("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength),
    }};
const vt::ClassRegistration<TComboBox, TCustomComboBox> kComboBox{"TComboBox", {}};
const vt::ClassRegistration<TCustomListBox, TWinControl> kCustomListBox{
    "TCustomListBox",
    {
        vt::Published("Items", &TCustomListBox::Items, &TCustomListBox::SetItems),
        vt::Published("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
        vt::Published("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect),
        vt::Published("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect),
        vt::Published("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted),
        vt::Published("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle),
        vt::Published("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight),
        vt::Published("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns),
        vt::Published("IntegralHeight", &TCustomListBox::IntegralHeight, &TCustomListBox::SetIntegralHeight),
        vt::Published("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle),
    }};
const vt::ClassRegistration<TListBox, TCustomListBox> kListBox{"TListBox", {}};
}  // namespace

namespace {
const vt::ClassRegistration<TCustomGroupBox, TCustomControl> kCustomGroupBox{
    "TCustomGroupBox", {vt::Published("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption)}};
const vt::ClassRegistration<TGroupBox, TCustomGroupBox> kGroupBox{"TGroupBox", {}};
}  // namespace
