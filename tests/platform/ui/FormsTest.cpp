// Forms and the application: the form factory, focus events, activation, modal loops,
// Terminate, destroyed forms, dialog keys and the rule that changes made by code fire no user events.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

#include "ui/controls/Menus.h"
#include "ui/controls/StdCtrls.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

using Log = std::vector<String>;

// A form with two edits and a button, each logging its events.
class LoggingForm : public TForm {
public:
    explicit LoggingForm(TComponent* owner, Log& log) : TForm(owner), log(log)
    {
        SetBounds(0, 0, 300, 200);
        Edit1 = Add(new TEdit(this), "Edit1", 10);
        Edit2 = Add(new TEdit(this), "Edit2", 40);
        Button1 = new TButton(this);
        Button1->SetName("Button1");
        Button1->SetBounds(10, 70, 75, 25);
        Button1->SetParent(this);
        Button1->OnEnter = [this](TObject*) { this->log.push_back("enter Button1"); };
        Button1->OnClick = [this](TObject*) { this->log.push_back("click Button1"); };
        OnActivate = [this](TObject*) { this->log.push_back("activate " + Name()); };
    }
    TEdit* Add(TEdit* e, const String& name, int top)
    {
        e->SetName(name);
        e->SetBounds(10, top, 100, 21);
        e->SetParent(this);
        e->OnEnter = [this, name](TObject*) { log.push_back("enter " + name); };
        e->OnExit = [this, name](TObject*) { log.push_back("exit " + name); };
        return e;
    }
    Log& log;
    TEdit* Edit1;
    TEdit* Edit2;
    TButton* Button1;
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { vt::EnsureTestApplication(); }
    void TearDown() override { delete form; }
    LoggingForm* Shown(const String& name = "Form1")
    {
        form = new LoggingForm(nullptr, log);
        form->SetName(name);
        form->Show();
        vt::ProcessEventsUntilIdle();
        return form;
    }
    Log log;
    LoggingForm* form = nullptr;
};

TEST_F(FormsTest, FirstShowActivatesTheFormAndEntersTheFirstTabStop)
{
    Shown();
    EXPECT_EQ(log, (Log{"activate Form1", "enter Edit1"}));
    EXPECT_EQ(Screen->ActiveForm(), form);
    EXPECT_EQ(form->ActiveControl(), form->Edit1);
}

TEST_F(FormsTest, ExitRunsBeforeEnterAndBeforeTheClickedButtonsClick)
{
    Shown();
    log.clear();
    vt::SendKey(form->Edit1, VK_TAB);
    vt::ClickControl(form->Button1);
    EXPECT_EQ(log, (Log{"exit Edit1", "enter Edit2", "exit Edit2", "enter Button1", "click Button1"}));
    EXPECT_EQ(form->ActiveControl(), form->Button1);
}

TEST_F(FormsTest, AnExitThatRaisesKeepsTheFocusAndTheClickIsLost)
{
    vt::DialogResponder responder;
    responder.Answer(mrOk);
    Shown();
    form->Edit1->OnExit = [this](TObject*) {
        log.push_back("exit Edit1");
        throw EConvertError("'x' is not a valid date");
    };
    log.clear();
    vt::ClickControl(form->Button1);
    vt::SendKey(form->Edit1, VK_TAB);
    EXPECT_EQ(form->ActiveControl(), form->Edit1);
    EXPECT_EQ(log, (Log{"exit Edit1", "exit Edit1"}));  // no enter, no click
    EXPECT_EQ(responder.TakeFailures().size(), 1u);  // the second box had no answer queued
    ASSERT_EQ(responder.Shown().size(), 2u);
    EXPECT_EQ(responder.Shown()[0].Text, "'x' is not a valid date");
    EXPECT_EQ(responder.Shown()[0].Caption, Application->Title());
}

TForm* seenInConstructor = nullptr;
struct TFactoryForm : TForm {
    static TFactoryForm* Instance;
    explicit TFactoryForm(TComponent* owner) : TForm(owner) { seenInConstructor = Instance; }
};
TFactoryForm* TFactoryForm::Instance = nullptr;

TEST_F(FormsTest, CreateFormStoresTheReferenceBeforeTheConstructorRuns)
{
    Application->CreateForm(TFactoryForm::Instance);
    EXPECT_NE(TFactoryForm::Instance, nullptr);
    EXPECT_EQ(seenInConstructor, TFactoryForm::Instance);
    EXPECT_EQ(Application->MainForm(), TFactoryForm::Instance);
    EXPECT_EQ(TFactoryForm::Instance->Owner(), Application);
}

TEST_F(FormsTest, ReturnFromAModalFormActivatesTheCallerButAMessageBoxDoesNot)
{
    Shown("Main");
    LoggingForm dialog(nullptr, log);
    dialog.SetName("Dialog");
    dialog.OnShow = [&](TObject*) {
        // A real message box over the modal form, closed from the event loop.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->done(0);
        });
        Application->MessageBox("Saved", "Done", MB_OK);
        QTimer::singleShot(0, [&] { dialog.Button1->Click(); });
    };
    dialog.Button1->SetModalResult(mrOk);
    log.clear();
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(log, (Log{"activate Dialog", "enter Edit1", "click Button1", "activate Main"}));
    EXPECT_EQ(Screen->ActiveForm(), form);
}

TEST_F(FormsTest, CloseOfAModalFormAnswersCancelAndCloseQueryCanRefuse)
{
    TForm dialog(nullptr);
    int queries = 0;
    // The second close is asked for only once the first was refused: two requests landing in
    // one turn of the loop would be answered by one query.
    dialog.OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = ++queries > 1;
        if (!canClose)
            QTimer::singleShot(0, [&] { dialog.Close(); });
    };
    dialog.OnShow = [&](TObject*) { QTimer::singleShot(0, [&] { dialog.Close(); }); };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
    EXPECT_FALSE(dialog.Visible());
}

// Alt+F4 that no key handler takes closes the form, whether it comes as a key or as the
// window system's close request; a handler that sets the key to 0 keeps the form open both ways.
TEST_F(FormsTest, AltF4AndTheCloseRequestCloseAModalFormUnlessAKeyHandlerSwallowsIt)
{
    struct Case {
        bool swallow;
        bool asCloseRequest;
    };
    for (const Case c : {Case{false, false}, Case{false, true}, Case{true, false}, Case{true, true}}) {
        Log log;
        LoggingForm dialog(nullptr, log);
        if (c.swallow)
            dialog.Edit1->OnKeyDown = [](TObject*, WORD& Key, TShiftState Shift) {
                if (Shift.Contains(ssAlt) && Key == VK_F4)
                    Key = 0;
            };
        bool stillOpen = false;
        dialog.OnShow = [&](TObject*) {
            QTimer::singleShot(0, [&] {
                dialog.Edit1->SetFocus();
                if (c.asCloseRequest) {
                    QCloseEvent request;
                    QCoreApplication::sendEvent(dialog.Widget(), &request);
                } else {
                    vt::SendKey(dialog.Edit1, VK_F4, {ssAlt});
                }
                stillOpen = dialog.ModalResult() == mrNone;
                if (stillOpen)
                    dialog.SetModalResult(mrOk);
            });
        };
        EXPECT_EQ(dialog.ShowModal(), c.swallow ? mrOk : mrCancel) << c.swallow << c.asCloseRequest;
        EXPECT_EQ(stillOpen, c.swallow);
    }
}

TEST_F(FormsTest, TerminateEndsAModalLoopAndARunThatFollows)
{
    TForm dialog(nullptr);
    dialog.OnShow = [&](TObject*) { QTimer::singleShot(0, [] { Application->Terminate(); }); };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(Application->Terminated());
    Application->Run();  // returns at once: Terminate came before it
}

TEST_F(FormsTest, TerminateBeforeRunEndsItWithoutShowingTheMainForm)
{
    TApplication app(nullptr);
    TForm* main = nullptr;
    app.CreateForm(main);
    app.Terminate();
    app.Run();
    EXPECT_FALSE(main->Visible());
}

// Run after the forms are gone finds no main form to show and returns, whichever way they went.
TEST_F(FormsTest, TheApplicationForgetsItsMainFormWhenTheFormIsDestroyed)
{
    const std::vector<std::pair<const char*, std::function<void(TApplication&, TForm*)>>> teardowns = {
        {"main form deleted", [](TApplication&, TForm* main) { delete main; }},
        {"all forms destroyed", [](TApplication& app, TForm*) { app.DestroyComponents(); }},
    };
    for (const auto& [name, tearDown] : teardowns) {
        SCOPED_TRACE(name);
        TApplication app(nullptr);
        TForm* main = nullptr;
        TForm* other = nullptr;
        app.CreateForm(main);
        app.CreateForm(other);
        ASSERT_EQ(app.MainForm(), main);
        tearDown(app, main);
        EXPECT_EQ(app.MainForm(), nullptr);
        app.Run();  // returns at once instead of showing a freed form
        EXPECT_FALSE(app.Terminated());
    }
}

TEST_F(FormsTest, EnterAndEscReachTheDefaultAndCancelButtons)
{
    Shown();
    form->Button1->SetDefault(true);
    form->Button1->SetModalResult(mrOk);
    auto* cancel = new TButton(form);
    cancel->SetBounds(100, 70, 75, 25);
    cancel->SetParent(form);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    log.clear();
    vt::SendKey(form->Edit1, VK_RETURN);
    EXPECT_EQ(form->ModalResult(), mrOk);
    vt::SendKey(form->Edit1, VK_ESCAPE);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(log, (Log{"click Button1"}));
}

TEST_F(FormsTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst)
{
    Shown();
    Log keys;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        keys.push_back("form " + IntToStr(key));
        if (key == VK_F2)
            key = 0;
    };
    form->Edit1->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back("edit " + IntToStr(key)); };
    form->Edit1->OnKeyPress = [&](TObject*, char& key) {
        if (key == 'b')
            key = 0;  // swallowed: never typed
    };
    vt::SendKey(form->Edit1, VK_F2);
    vt::SendKey(form->Edit1, 'A');
    vt::TypeText(form->Edit1, "abc");
    EXPECT_EQ(keys, (Log{"form 113", "form 65", "edit 65", "form 65", "edit 65", "form 66", "edit 66", "form 67",
                         "edit 67"}));
    EXPECT_EQ(form->Edit1->Text(), "aac");
}

TEST_F(FormsTest, ChangesMadeByCodeFireNoUserEvents)
{
    Shown();
    int events = 0;
    auto count = [&](TObject*) { ++events; };
    auto* check = new TCheckBox(form);
    check->SetCaption("Active");
    check->SetBounds(150, 10, 80, 17);
    check->SetParent(form);
    check->OnClick = count;
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->Items()->SetText("a\nb\nc");
    combo->OnChange = count;
    form->Edit1->OnChange = count;

    check->SetChecked(true);
    combo->SetItemIndex(2);
    combo->SetText("b");
    form->Edit1->SetText("typed by code");
    EXPECT_EQ(events, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_TRUE(check->Checked());

    vt::ClickControl(check, 6, 8);  // the user's click toggles and fires
    vt::TypeText(form->Edit1, "x");
    EXPECT_EQ(events, 2);
    EXPECT_FALSE(check->Checked());
    EXPECT_TRUE(form->Edit1->Modified());
}

TEST_F(FormsTest, ComingBackFromAnotherProgramIsNoActivation)
{
    Shown();
    log.clear();
    QEvent away(QEvent::WindowDeactivate);
    QApplication::sendEvent(form->Widget(), &away);
    QEvent back(QEvent::WindowActivate);
    QApplication::sendEvent(form->Widget(), &back);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Screen->ActiveForm(), form);
}

TEST_F(FormsTest, MaximisingFillsTheScreenAndResizesTheForm)
{
    Shown();
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    form->SetWindowState(wsMaximized);
    vt::ProcessEventsUntilIdle();
    EXPECT_NEAR(form->ClientWidth(), Screen->WorkAreaRect().Width(), 8);  // less the frame
    EXPECT_GT(resizes, 0);
}

TEST_F(FormsTest, RightClickOpensTheControlsPopupMenu)
{
    Shown();
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("&Delete");
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    menu.Items()->Add(item);
    form->Edit2->SetPopupMenu(&menu);
    TPoint shownAt;
    vt::SetPopupMenuHook([&](TPopupMenu* m, int x, int y) {
        shownAt = Point(x, y);
        m->Items()->Find("Delete")->Click();
    });
    vt::ClickControl(form->Edit2, 5, 5, mbRight);
    vt::SetPopupMenuHook(nullptr);
    EXPECT_EQ(shownAt, form->Edit2->ClientToScreen(Point(5, 5)));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(menu.PopupComponent(), form->Edit2);
}

TEST_F(FormsTest, ScreenCursorOverridesEveryWindowUntilReset)
{
    Screen->SetCursor(crHandPoint);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(FormsTest, HelpOpensTheNamedHelpFileThroughTheResponder)
{
    vt::DialogResponder responder;
    EXPECT_FALSE(Application->HelpCommand(HELP_TAB, -3));  // no help file yet
    Application->SetHelpFile("/opt/vantrel/Vantrel.hlp");
    EXPECT_TRUE(Application->HelpCommand(HELP_TAB, -3));
    EXPECT_EQ(responder.Last().Kind, "Help");
    EXPECT_EQ(responder.Last().Text, "/opt/vantrel/Vantrel.hlp");
}

TEST(DialogResponderTest, RecordsEveryBoxAndFailsLoudlyWithoutAnAnswer)
{
    vt::EnsureTestApplication();
    vt::DialogResponder responder;
    responder.Answer(mrNo).Answer(mrYes);
    EXPECT_EQ(MessageDlg("Delete it?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    EXPECT_EQ(Application->MessageBox("Sure?", "Comfirm Delete", MB_YESNO | MB_ICONQUESTION), IDYES);
    ASSERT_EQ(responder.Shown().size(), 2u);
    EXPECT_EQ(responder.Shown()[0].Caption, "Confirm");
    EXPECT_EQ(responder.Shown()[0].Buttons, (std::vector<int>{mrYes, mrNo}));
    EXPECT_EQ(responder.Last().Text, "Sure?");
    EXPECT_EQ(responder.Last().Caption, "Comfirm Delete");
    EXPECT_EQ(responder.Last().Type, mtConfirmation);

    EXPECT_THROW(ShowMessage("nobody answers"), vt::EUnexpectedDialog);
    EXPECT_EQ(responder.TakeFailures().size(), 1u);
}

TEST(DialogResponderTest, FileDialogsTakeThePathAndCancelAnswers)
{
    vt::EnsureTestApplication();
    vt::DialogResponder responder;
    TOpenDialog open(nullptr);
    open.SetFilter("Access Database|*.mdb");
    open.SetDefaultExt("mdb");
    responder.AnswerFile("/data/camp").Answer(mrCancel);
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), "/data/camp.mdb");
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), "/data/camp.mdb");
    EXPECT_EQ(responder.Last().Kind, "Open");
    EXPECT_EQ(responder.Last().Text, "Access Database|*.mdb");
}

}  // namespace
