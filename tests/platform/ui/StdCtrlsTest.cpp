// The standard controls as the forms use them: accessible names, radio groups, page controls,
// combo and list boxes, memos, the action tool bar, timers and threads.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <functional>
#include <vector>

#include "ui/controls/ActnList.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/Threads.h"
#include "ui/testing/UiTesting.h"

namespace {

class StdCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vt::EnsureTestApplication();
        form = new TForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Place(const String& name, int left, int top, int width = 100, int height = 21)
    {
        auto* c = new T(form);
        if (designing)
            c->SetComponentStateFlag(csLoading, true);
        c->SetName(name);
        c->SetBounds(left, top, width, height);
        c->SetParent(form);
        return c;
    }
    static String AccessibleName(TControl* c) { return c->Widget()->accessibleName().toStdString(); }
    static String AccessibleDescription(TControl* c) { return c->Widget()->accessibleDescription().toStdString(); }

    // Every component has its properties: Loaded for each, then for the form.
    void FinishDesign()
    {
        for (int i = 0; i < form->ComponentCount(); ++i)
            form->Components(i)->Loaded();
        form->Loaded();
    }

    struct Named {
        TControl* control;
        const char* name;
    };
    // The controls that place() puts on the form have the names it gives, whether placed one by
    // one or designed while the form loads; then() checks more on each form.
    void ExpectNamesEachWay(const std::function<std::vector<Named>()>& place, const std::function<void()>& then = {})
    {
        for (const bool designed : {false, true}) {
            if (designed) {
                delete form;
                SetUp();
                designing = true;
                form->SetComponentStateFlag(csLoading, true);
            }
            const std::vector<Named> named = place();
            if (designed)
                FinishDesign();
            for (const Named& n : named)
                EXPECT_EQ(AccessibleName(n.control), n.name) << n.control->Name() << (designed ? " designed" : "");
            if (then)
                then();
        }
    }

    TForm* form = nullptr;
    bool designing = false;  // Place puts controls on a form that is loading
};

// The same names whether the controls are placed one by one or designed while the form loads.
TEST_F(StdCtrlsTest, AccessibleNamesComeFromCaptionLabelOrName)
{
    TButton* button = nullptr;
    TEdit *edit = nullptr, *below = nullptr, *lone = nullptr;
    TLabel* above = nullptr;
    ExpectNamesEachWay(
        [&]() -> std::vector<Named> {
            button = Place<TButton>("BitBtn4", 10, 10);
            button->SetCaption("&Done");
            auto* named = Place<TLabel>("Label1", 10, 40);
            named->SetCaption("Last Name:");
            edit = Place<TEdit>("Edit1", 200, 40);  // far right, but named by its FocusControl label
            named->SetFocusControl(edit);
            Place<TLabel>("Label2", 10, 80, 60)->SetCaption("Change to Session:");
            auto* combo = Place<TComboBox>("ComboBox9", 150, 80);
            above = Place<TLabel>("Label3", 10, 120, 60, 15);
            above->SetCaption("Team size");
            below = Place<TEdit>("Edit2", 10, 140);
            lone = Place<TEdit>("Edit3", 300, 250);
            lone->SetHint("Search|Type a name");
            return {{button, "Done"}, {edit, "Last Name:"}, {combo, "Change to Session:"}, {below, "Team size"},
                    {lone, "Edit3"}};
        },
        [&] {
            EXPECT_EQ(button->Widget()->objectName().toStdString(), "BitBtn4");
            EXPECT_EQ(AccessibleDescription(lone), "Search|Type a name");
            EXPECT_EQ(AccessibleDescription(edit), "Edit1");
            above->SetCaption("Players");  // a label's new caption renames its neighbour
            EXPECT_EQ(AccessibleName(below), "Players");
        });
}

// A label names the control beside or below it, not one past another control in between: a list
// under a memo under "Comments", a list under a titled panel under a labelled edit's row.
TEST_F(StdCtrlsTest, ALabelDoesNotNameAControlBeyondAnotherControl)
{
    ExpectNamesEachWay([&]() -> std::vector<Named> {
        Place<TLabel>("Label16", 8, 8, 60, 13)->SetCaption("Comments");
        auto* memo = Place<TMemo>("Memo1", 8, 24, 600, 72);
        auto* types = Place<TListBox>("ListBox2", 8, 104, 600, 170);
        Place<TLabel>("Label21", 8, 288, 90, 13)->SetCaption("Number In Room");
        auto* number = Place<TEdit>("Edit5", 112, 284, 64);
        auto* beside = Place<TEdit>("Edit6", 200, 284, 64);
        Place<TPanel>("Panel7", 8, 324, 300, 22)->SetCaption("Attendee Rooms");
        auto* rooms = Place<TListBox>("ListBox3", 8, 346, 300, 190);
        return {{memo, "Comments"}, {types, "ListBox2"}, {number, "Number In Room"}, {beside, "Edit6"},
                {rooms, "ListBox3"}};
    });
}

TEST_F(StdCtrlsTest, PaintedLabelsReadAsLabelsWithTheirCaption)
{
    auto* label = Place<TLabel>("Label7", 10, 40);
    label->SetCaption("&Last Name:");
    auto* button = Place<TButton>("Button1", 10, 80);
    button->SetCaption("OK");
    const vt::AccessibleInfo read = vt::Accessible(label);
    EXPECT_EQ(read.Role, "label");
    EXPECT_EQ(read.Name, "Last Name:");
    EXPECT_EQ(read.Description, "Label7");
    EXPECT_EQ(vt::Accessible(button).Role, "button");
}

TEST_F(StdCtrlsTest, RadioGroupFiresOnClickOnlyForTheUsersChoice)
{
    auto* group = Place<TRadioGroup>("RadioGroup1", 10, 10, 200, 100);
    group->Items()->SetText("Active\nInactive\nAll");
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->SetItemIndex(2);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    form->Show();
    vt::ClickControl(group->Buttons(0), 6, group->Buttons(0)->Height() / 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_FALSE(group->Buttons(2)->Checked());

    group->Items()->Clear();  // fewer items than the index: nothing selected
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(group->ButtonCount(), 0);
}

TEST_F(StdCtrlsTest, PageControlAsksOnChangingForTheUsersTabOnly)
{
    auto* pages = Place<TPageControl>("PageControl1", 0, 0, 400, 300);
    TTabSheet* sheets[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(form);
        sheets[i]->SetCaption("Page " + IntToStr(i));
        sheets[i]->SetPageControl(pages);
    }
    std::vector<String> events;
    bool allow = false;
    pages->OnChanging = [&](TObject*, bool& allowed) { events.push_back("changing"), allowed = allow; };
    pages->OnChange = [&](TObject*) { events.push_back("change"); };
    form->Show();
    vt::ProcessEventsUntilIdle();

    pages->SetActivePage(sheets[2]);
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(pages->TabIndex(), 1);  // the hidden tab is not counted
    EXPECT_TRUE(events.empty());

    QTabBar* bar = static_cast<QTabWidget*>(pages->Widget())->tabBar();
    auto clickTab = [&](int index) {
        const QPoint p = bar->tabRect(index).center();
        QMouseEvent press(QEvent::MouseButtonPress, p, bar->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, bar->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &release);
    };
    clickTab(0);  // refused
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    allow = true;
    clickTab(0);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(events, (std::vector<String>{"changing", "changing", "change"}));
    EXPECT_GT(sheets[0]->Height(), 0);  // sheets fill the page area
}

// Three pages with an edit each and an edit below the page control: the keys reach only what
// the user sees, and a page going out of sight takes no focus and no typing with it.
TEST_F(StdCtrlsTest, TheFocusMovesOnlyAmongControlsShowingAndCtrlTabTurnsThePages)
{
    auto* pages = Place<TPageControl>("PageControl1", 0, 0, 400, 200);
    TTabSheet* sheets[3];
    TEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(form);
        sheets[i]->SetCaption("Page " + IntToStr(i));
        sheets[i]->SetPageControl(pages);
        edits[i] = new TEdit(form);
        edits[i]->SetName("Edit" + IntToStr(i));
        edits[i]->SetBounds(10, 10, 100, 21);
        edits[i]->SetParent(sheets[i]);
    }
    auto* below = Place<TEdit>("Below", 10, 220);
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    vt::ProcessEventsUntilIdle();
    auto focused = [] { return vt::QtFocusedControl(); };
    auto typeIntoFocus = [&](const String& text) { vt::TypeText(static_cast<TWinControl*>(focused()), text); };

    edits[0]->SetFocus();
    vt::SendKey(edits[0], VK_TAB);
    EXPECT_EQ(form->ActiveControl(), below) << "Tab passes over the pages not showing";
    EXPECT_EQ(focused(), below);
    vt::SendKey(below, VK_TAB, {ssShift});
    EXPECT_EQ(focused(), edits[0]) << "so does Shift+Tab";

    const struct {
        TShiftState shift;
        int page;
    } turns[] = {{{ssCtrl}, 1}, {{ssCtrl}, 2}, {{ssCtrl}, 0}, {{ssCtrl, ssShift}, 2}, {{ssCtrl, ssShift}, 1}};
    for (const auto& turn : turns) {
        vt::SendKey(static_cast<TWinControl*>(focused()), VK_TAB, turn.shift);
        EXPECT_EQ(pages->ActivePage(), sheets[turn.page]);
        EXPECT_EQ(focused(), edits[turn.page]) << "the focus follows into the page turned to";
    }
    EXPECT_EQ(changes, 5);

    pages->SetActivePage(sheets[0]);  // from code, the focus on page 1 leaves it as well
    EXPECT_EQ(form->ActiveControl(), edits[0]);
    typeIntoFocus("ab");
    EXPECT_EQ(edits[0]->Text(), "ab");
    EXPECT_EQ(edits[1]->Text(), "");

    QTabBar* bar = static_cast<QTabWidget*>(pages->Widget())->tabBar();
    const QPoint p = bar->tabRect(2).center();
    QMouseEvent press(QEvent::MouseButtonPress, p, bar->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, bar->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(form->ActiveControl(), pages) << "a clicked tab takes the focus";
    typeIntoFocus("c");
    EXPECT_EQ(edits[0]->Text(), "ab") << "nothing typed reaches the page out of sight";
    vt::SendKey(static_cast<TWinControl*>(focused()), VK_TAB);
    EXPECT_EQ(focused(), edits[2]) << "Tab goes on into the page showing";
}

TEST_F(StdCtrlsTest, ComboAndListBoxesKeepItemsAndSelectionInStep)
{
    auto* combo = Place<TComboBox>("ComboBox6", 10, 10);
    combo->SetStyle(csDropDownList);
    combo->Items()->SetText("3\n5\n8");
    combo->SetItemIndex(1);
    combo->Items()->Add("13");  // adding keeps the selection
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "5");
    combo->Items()->Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);

    auto* list = Place<TListBox>("ListBox1", 10, 40, 100, 100);
    list->Items()->SetText("a\nb\nc");
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->SetItemIndex(2);
    EXPECT_EQ(list->Perform(LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(list->Perform(LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(clicks, 0);
    form->Show();
    vt::SendKey(list, VK_UP);  // the user's move fires OnClick
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
}

// A list refilled for another person or session: the choice stays only with its own item.
TEST_F(StdCtrlsTest, AChangedComboListKeepsTheChoiceOnlyWithTheSameItem)
{
    auto* combo = Place<TComboBox>("ComboBox4", 10, 10);
    combo->SetStyle(csDropDownList);
    auto refill = [&](std::initializer_list<const char*> items, bool clearFirst) {
        combo->Items()->BeginUpdate();
        if (clearFirst)
            combo->Items()->Clear();
        else
            while (combo->Items()->Count() > 0)
                combo->Items()->Delete(0);
        for (const char* item : items)
            combo->Items()->Add(item);
        combo->Items()->EndUpdate();
    };
    refill({"Jones Bob |2", "Smith Ann |1"}, true);
    combo->SetItemIndex(1);

    combo->Items()->Insert(0, "Adams Cy |3");  // the chosen item moved down one place
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "Smith Ann |1");

    refill({"Brown Dee |4", "Smith Ann |1"}, false);  // still listed
    EXPECT_EQ(combo->Text(), "Smith Ann |1");
    refill({"Brown Dee |4", "Evans Fay |5"}, false);  // gone: nothing chosen, nothing shown
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");

    combo->SetItemIndex(0);
    refill({"Brown Dee |4", "Evans Fay |5"}, true);  // emptied and filled again: a new list
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");

    auto* typed = Place<TComboBox>("ComboBox6", 10, 40);  // editable: typed text stays
    typed->Items()->SetText("Day Camp\nResident");
    typed->SetText("Evening");
    typed->Items()->Add("Weekend");
    EXPECT_EQ(typed->Text(), "Evening");
    EXPECT_EQ(typed->ItemIndex(), -1);
}

// Items changed one at a time reach the drop-down list as they are, sorted where the combo sorts.
TEST_F(StdCtrlsTest, AComboListsItsItemsThroughSingleChanges)
{
    auto* combo = Place<TComboBox>("ComboBox4", 10, 10);
    combo->SetStyle(csDropDownList);
    auto* widget = static_cast<QComboBox*>(combo->Widget());
    auto listed = [&] {
        QStringList texts;
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->itemText(i);
        return texts.join(',');
    };
    combo->Items()->Add("Resident");
    EXPECT_EQ(combo->ItemIndex(), -1) << "the first item added is not chosen by itself";
    combo->SetSorted(true);
    combo->Items()->Add("Day Camp");
    combo->Items()->Add("Weekend");
    EXPECT_EQ(listed(), "Day Camp,Resident,Weekend");
    combo->SetItemIndex(1);
    combo->Items()->Add("Evening");
    EXPECT_EQ(combo->Text(), "Resident");
    combo->SetSorted(false);
    combo->Items()->SetStrings(0, "Day Trip");
    combo->Items()->Delete(3);
    EXPECT_EQ(listed(), "Day Trip,Evening,Resident");
    EXPECT_EQ(combo->Text(), "Resident");
    combo->Items()->Delete(2);
    EXPECT_EQ(combo->ItemIndex(), -1) << "the chosen item is gone";
    EXPECT_EQ(listed(), "Day Trip,Evening");
}

// Boxes that only show a value (an age, a code) are disabled, and their value must still read:
// the darkest pixel inside the box (its text) stands well apart from the box's own grey.
TEST_F(StdCtrlsTest, ADisabledBoxShowsItsTextLegibly)
{
    form->Font()->SetName("MS Sans Serif");  // as the editors' designs set it
    auto* edit = Place<TEdit>("Edit1", 10, 10, 60);
    edit->SetText("11");
    edit->SetEnabled(false);
    form->Show();
    vt::ProcessEventsUntilIdle();
    const String file = ::testing::TempDir() + "/disabled-edit.png";
    ASSERT_TRUE(vt::SaveScreenshot(form, file));
    const QImage shot(QString::fromStdString(file));
    int text = 255;
    for (int x = edit->Left() + 3; x < edit->Left() + edit->Width() - 3; ++x)
        for (int y = edit->Top() + 3; y < edit->Top() + edit->Height() - 3; ++y)
            text = std::min(text, qGray(shot.pixel(x, y)));
    const int box = qGray(shot.pixel(edit->Left() + edit->Width() - 5, edit->Top() + edit->Height() / 2));
    EXPECT_LT(text + 48, box) << "text " << text << " on a box of " << box;
}

TEST_F(StdCtrlsTest, AListBoxShowsItsLinesThroughEveryKindOfChange)
{
    auto* list = Place<TListBox>("ListBox1", 10, 40, 100, 100);
    auto* widget = qobject_cast<QListWidget*>(list->Widget());
    ASSERT_NE(widget, nullptr);
    const auto shown = [&] {
        String rows;
        for (int i = 0; i < widget->count(); ++i)
            rows += widget->item(i)->text().toStdString() + ";";
        return rows;
    };
    TStrings* lines = list->Items();
    struct Step {
        const char* what;
        std::function<void()> change;
        const char* rows;
    };
    const Step steps[] = {
        {"added", [&] { lines->Add("b"); lines->Add("d"); }, "b;d;"},
        {"inserted first", [&] { lines->Insert(0, "a"); }, "a;b;d;"},
        {"inserted between", [&] { lines->Insert(2, "c"); }, "a;b;c;d;"},
        {"deleted", [&] { lines->Delete(1); }, "a;c;d;"},
        {"replaced", [&] { lines->SetStrings(2, "e"); }, "a;c;e;"},
        {"exchanged", [&] { lines->Exchange(0, 2); }, "e;c;a;"},
        {"moved", [&] { lines->Move(0, 2); }, "c;a;e;"},
        {"in a batch", [&] { lines->BeginUpdate(); lines->Add("x"); lines->Delete(0); lines->EndUpdate(); }, "a;e;x;"},
        {"sorted, then added", [&] { list->SetSorted(true); lines->Add("b"); }, "a;b;e;x;"},
        {"a duplicate ignored", [&] { lines->Add("b"); }, "a;b;e;x;"},
        {"cleared", [&] { lines->Clear(); }, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_EQ(shown(), step.rows);
    }
}

TEST_F(StdCtrlsTest, AnEditableComboTakesPartInKeysAndFocusThroughItsLineEdit)
{
    auto* combo = Place<TComboBox>("ComboBox1", 10, 10);
    auto* edit = Place<TEdit>("Edit1", 10, 40);
    std::vector<String> events;
    combo->OnEnter = [&](TObject*) { events.push_back("enter combo"); };
    combo->OnExit = [&](TObject*) { events.push_back("exit combo"); };
    combo->OnKeyPress = [&](TObject*, char& key) { key = static_cast<char>(toupper(key)); };
    combo->OnChange = [&](TObject*) { events.push_back("change " + combo->Text()); };
    edit->OnEnter = [&](TObject*) { events.push_back("enter edit"); };
    form->Show();
    combo->SetFocus();
    QLineEdit* inner = static_cast<QComboBox*>(combo->Widget())->lineEdit();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(inner, &press);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
    QApplication::sendEvent(inner, &tab);
    EXPECT_EQ(events, (std::vector<String>{"enter combo", "change A", "exit combo", "enter edit"}));
    EXPECT_EQ(form->ActiveControl(), edit);
}

// Combo boxes of a form that is loading take the style they were given when the form is loaded:
// an editable one shows its chosen item, limits typing and takes keys; a list has no line edit.
TEST_F(StdCtrlsTest, CombosDesignedWhileTheFormLoadsTakeTheirStyleWhenLoaded)
{
    designing = true;
    form->SetComponentStateFlag(csLoading, true);
    auto* typed = Place<TComboBox>("ComboBox1", 10, 10);
    auto* list = Place<TComboBox>("ComboBox2", 10, 40);
    for (TComboBox* combo : {typed, list}) {
        combo->Items()->Add("Last Name");
        combo->Items()->Add("City");
        combo->SetItemIndex(1);
    }
    typed->SetMaxLength(4);
    list->SetStyle(csDropDownList);
    FinishDesign();
    QLineEdit* line = static_cast<QComboBox*>(typed->Widget())->lineEdit();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(typed->Text(), "City");
    EXPECT_EQ(static_cast<QComboBox*>(list->Widget())->lineEdit(), nullptr);
    EXPECT_EQ(list->Text(), "City");
    std::vector<String> changes;
    typed->OnChange = [&](TObject*) { changes.push_back(typed->Text()); };
    form->Show();
    typed->SetFocus();
    line->selectAll();
    for (const char* key : {"b", "o", "s", "t", "x"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, key);
        QApplication::sendEvent(line, &press);
    }
    EXPECT_EQ(changes, (std::vector<String>{"b", "bo", "bos", "bost"}));
}

// A limit set again leaves the text and its caret alone; a new limit takes effect, 0 lifts it.
TEST_F(StdCtrlsTest, MaxLengthLimitsTypingAndStaysWhenSetAgain)
{
    auto* edit = Place<TEdit>("Edit1", 10, 10);
    auto* combo = Place<TComboBox>("ComboBox1", 10, 40);
    form->Show();
    QLineEdit* comboLine = static_cast<QComboBox*>(combo->Widget())->lineEdit();
    for (QLineEdit* line : {static_cast<QLineEdit*>(edit->Widget()), comboLine}) {
        const auto setLimit = [&](int length) {
            if (line == comboLine)
                combo->SetMaxLength(length);
            else
                edit->SetMaxLength(length);
        };
        setLimit(3);
        line->insert("abcd");
        EXPECT_EQ(line->text().toStdString(), "abc");
        line->setCursorPosition(1);
        setLimit(3);
        EXPECT_EQ(line->cursorPosition(), 1);
        setLimit(2);
        EXPECT_EQ(line->text().toStdString(), "ab");
        setLimit(0);
        line->end(false);
        line->insert("cdef");
        EXPECT_EQ(line->text().toStdString(), "abcdef");
    }
}

TEST_F(StdCtrlsTest, MemoLinesAndTextAreOneValue)
{
    auto* memo = Place<TMemo>("Memo1", 10, 10, 200, 100);
    memo->Lines()->Add("Dear parent,");
    memo->Lines()->Add("welcome.");
    EXPECT_EQ(memo->Text(), "Dear parent,\nwelcome.");
    memo->SetText("one\ntwo\nthree");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(2), "three");
    EXPECT_TRUE(memo->WantsKey(VK_RETURN, {}));
}

TEST_F(StdCtrlsTest, ActionToolBarFollowsTheActionsAndRunsThem)
{
    auto* manager = new TActionManager(form);
    auto* exit = new TAction(form);
    exit->SetName("FileExit1");
    exit->SetCaption("E&xit");
    exit->SetHint("Exit|Quits the application");
    auto* add = new TAction(form);
    add->SetCaption("Add");
    int runs = 0;
    add->OnExecute = [&](TObject*) { ++runs; };
    exit->SetActionList(manager);
    add->SetActionList(manager);
    auto* bar = Place<TActionToolBar>("ActionToolBar1", 0, 0, 400, 26);
    bar->SetActionManager(manager);
    ASSERT_EQ(bar->ButtonCount(), 2);
    TButton* addButton = bar->ButtonOf(add);
    ASSERT_NE(addButton, nullptr);
    EXPECT_EQ(bar->ButtonOf(exit)->Caption(), "E&xit");

    add->SetEnabled(false);
    EXPECT_FALSE(addButton->Enabled());
    add->SetCaption("New");
    EXPECT_EQ(addButton->Caption(), "New");
    add->Execute();  // a disabled action does not run
    EXPECT_EQ(runs, 0);
    add->SetEnabled(true);
    form->Show();
    vt::ClickControl(addButton);
    EXPECT_EQ(runs, 1);

    delete add;  // a freed action leaves the bar
    EXPECT_EQ(bar->ButtonCount(), 1);
}

TEST_F(StdCtrlsTest, PanelBevelsNarrowTheClientAreaOfAlignedChildren)
{
    auto* panel = Place<TPanel>("Panel1", 0, 0, 200, 100);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* inside = new TPanel(form);
    inside->SetParent(panel);
    inside->SetAlign(alClient);
    EXPECT_EQ(inside->BoundsRect(), Rect(7, 7, 193, 93));
}

class CountingThread : public TThread {
public:
    CountingThread() : TThread(true) {}
    std::atomic<int> synced{0};
    std::thread::id syncThread;

protected:
    void Execute() override
    {
        while (!Terminated() && synced < 3) {
            Synchronize([this] {
                syncThread = std::this_thread::get_id();
                ++synced;
            });
            Sleep(1);
        }
    }
};

TEST(ThreadTest, SynchronizeRunsOnTheGuiThreadAndWaitForEndsTheThread)
{
    vt::EnsureTestApplication();
    CountingThread thread;
    bool terminated = false;
    thread.OnTerminate = [&](TObject*) { terminated = true; };
    EXPECT_TRUE(thread.Suspended());
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(thread.synced, 3);
    EXPECT_EQ(thread.syncThread, std::this_thread::get_id());
    EXPECT_TRUE(terminated);
}

TEST(TimerTest, FiresWhileEnabledOnly)
{
    vt::EnsureTestApplication();
    TTimer timer(nullptr);
    timer.SetInterval(1);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 2)
            timer.SetEnabled(false);
    };
    for (int i = 0; i < 50 && ticks < 2; ++i) {
        QThread::msleep(2);
        vt::ProcessEventsUntilIdle();
    }
    EXPECT_EQ(ticks, 2);
    QThread::msleep(5);
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(ticks, 2);
}

}  // namespace
