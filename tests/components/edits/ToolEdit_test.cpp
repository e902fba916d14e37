// Tests of the combo edit: where the drop-down opens, and its accept and cancel rules driven
// through Qt events on a shown form (button, keys, clicks elsewhere, the dialog key).
#include "components/edits/ToolEdit.h"

#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

namespace {

// A drop-down that holds one text value; a test sets what the user "picked".
class TextPopup : public TPopupWindow {
public:
  explicit TextPopup(TComponent* AOwner) : TPopupWindow(AOwner) { SetBounds(0, 0, 80, 60); }
  Variant GetValue() override { return Variant(Picked); }
  void SetValue(const Variant& Value) override { Received = Value; }
  String Picked = "picked";
  Variant Received;
};

class PopupEdit : public TCustomComboEdit {
public:
  explicit PopupEdit(TComponent* AOwner) : TCustomComboEdit(AOwner)
  {
    SetHasPopup(true);
    FPopupWin = static_cast<TextPopup*>(Popup());
  }
  void CreatePopup() override
  {
    FPopup = new TextPopup(this);
    FPopup->OnCloseUp = [this](TObject* s, bool accept) { PopupCloseUp(s, accept); };
  }
  TextPopup* FPopupWin;
};

// Counts the dialog keys that reach the form.
class KeyForm : public TForm {
public:
  using TForm::TForm;
  void WndProc(TMessage& Message) override
  {
    if (Message.Msg == CM_DIALOGKEY)
      DialogKeys.push_back(static_cast<WORD>(Message.WParam));
    TForm::WndProc(Message);
  }
  std::vector<WORD> DialogKeys;
};

// Records the cancel-mode messages it receives.
class CancelModeRecorder : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  void WndProc(TMessage& Message) override
  {
    if (Message.Msg == WM_CANCELMODE)
      ++CancelModes;
    TCustomControl::WndProc(Message);
  }
  int CancelModes = 0;
};

class ComboEditTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vt::EnsureTestApplication();
    form = new KeyForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    edit = new PopupEdit(form);
    edit->SetBounds(10, 10, 120, 21);
    edit->SetParent(form);
    other = new TCustomComboEdit(form);
    other->SetBounds(10, 50, 120, 21);
    other->SetParent(form);
    form->Show();
    edit->SetFocus();
    edit->SetText("typed");
    vt::ProcessEventsUntilIdle();
  }
  void TearDown() override { delete form; }

  void OpenWithButton()
  {
    vt::ClickControl(edit->Button());
    vt::ProcessEventsUntilIdle(); // the window system settles: the edit keeps the focus
    ASSERT_TRUE(edit->PopupVisible());
    ASSERT_EQ(vt::QtFocusedControl(), edit);
  }

  KeyForm* form = nullptr;
  PopupEdit* edit = nullptr;
  TCustomComboEdit* other = nullptr;
};

} // namespace

TEST(PopupOrigin, BelowAboveAndWithinTheScreen)
{
  const struct { TPoint edit; int popupW, popupH; TPopupAlign align; TPoint origin; } cases[] = {
      {Point(100, 100), 150, 80, epaRight, Point(70, 121)},  // right edges aligned, below
      {Point(100, 100), 150, 80, epaLeft, Point(100, 121)},  // left edges aligned
      {Point(100, 550), 150, 80, epaRight, Point(70, 470)},  // no room below: above the edit
      {Point(10, 100), 150, 80, epaRight, Point(10, 121)},   // right alignment undone at the left edge
      {Point(-30, 100), 150, 80, epaLeft, Point(0, 121)},    // pushed to x = 0
      {Point(700, 100), 150, 80, epaLeft, Point(650, 121)},  // ends exactly at the right edge
  };
  for (const auto& c : cases) {
    const TPoint p = vt::PopupOrigin(c.edit, 120, 21, c.popupW, c.popupH, 800, 600, c.align);
    EXPECT_EQ(p.X, c.origin.X) << c.edit.X << "," << c.edit.Y;
    EXPECT_EQ(p.Y, c.origin.Y) << c.edit.X << "," << c.edit.Y;
  }
}

TEST_F(ComboEditTest, ButtonOpensWithTheTextAndEnterAccepts)
{
  OpenWithButton();
  EXPECT_EQ(edit->FPopupWin->Received.AsString(), "typed");
  EXPECT_TRUE(edit->FPopupWin->Visible());
  vt::SendKey(edit, VK_RETURN);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_FALSE(edit->FPopupWin->Visible());
  EXPECT_EQ(edit->Text(), "picked");
  EXPECT_TRUE(form->DialogKeys.empty()); // the popup took the Enter
}

TEST_F(ComboEditTest, EmptyTextOpensWithNull)
{
  edit->SetText("");
  OpenWithButton();
  EXPECT_TRUE(edit->FPopupWin->Received.IsNull());
}

TEST_F(ComboEditTest, EscCancels)
{
  OpenWithButton();
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "typed");
  EXPECT_TRUE(form->DialogKeys.empty());
}

TEST_F(ComboEditTest, ReleaseInsideThePopupAcceptsOutsideCancels)
{
  OpenWithButton();
  vt::ReleaseMouse(edit->FPopupWin, 200, 200); // outside its client area
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "typed");

  OpenWithButton();
  vt::ReleaseMouse(edit->FPopupWin, 5, 5);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "picked");
}

TEST_F(ComboEditTest, ClickOnAnotherControlCancels)
{
  OpenWithButton();
  vt::ClickControl(other);
  vt::ProcessEventsUntilIdle();
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "typed");
}

TEST_F(ComboEditTest, ClickInTheEditCancels)
{
  OpenWithButton();
  vt::ClickControl(edit, 5, 5);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "typed");
}

TEST_F(ComboEditTest, SecondButtonClickAcceptsAndDoesNotReopen)
{
  OpenWithButton();
  vt::ClickControl(edit->Button());
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_FALSE(edit->FPopupWin->Visible());
  EXPECT_EQ(edit->Text(), "picked");
  vt::ClickControl(edit->Button()); // the next click opens it again
  EXPECT_TRUE(edit->PopupVisible());
}

TEST_F(ComboEditTest, AltDownOpensUnlessThereIsNoButton)
{
  vt::SendKey(edit, VK_DOWN, TShiftState{ssAlt});
  EXPECT_TRUE(edit->PopupVisible());
  vt::SendKey(edit, VK_ESCAPE);

  edit->SetButtonWidth(0);
  vt::SendKey(edit, VK_DOWN, TShiftState{ssAlt});
  EXPECT_FALSE(edit->PopupVisible());
}

TEST_F(ComboEditTest, EnterAndEscWithoutPopupReachTheForm)
{
  vt::SendKey(edit, VK_RETURN);
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_EQ(form->DialogKeys, (std::vector<WORD>{VK_RETURN, VK_ESCAPE}));
}

TEST_F(ComboEditTest, ReadOnlyBlocksTheButtonDirectInputOffDoesNot)
{
  edit->SetReadOnly(true);
  vt::ClickControl(edit->Button());
  EXPECT_FALSE(edit->PopupVisible());

  edit->SetReadOnly(false);
  edit->SetDirectInput(false);
  vt::TypeText(edit, "x");
  EXPECT_EQ(edit->Text(), "typed");
  OpenWithButton();
  vt::SendKey(edit, VK_RETURN);
  EXPECT_EQ(edit->Text(), "picked");
}

TEST_F(ComboEditTest, TypedTextEndsBeforeTheButtonWhateverTheBorder)
{
  const struct {
    TBorderStyle border;
    bool ctl3D;
  } looks[] = {{bsSingle, true}, {bsSingle, false}, {bsNone, true}};
  for (const auto& look : looks) {
    edit->SetBorderStyle(look.border);
    edit->SetCtl3D(look.ctl3D);
    for (int width : {20, 30}) {
      edit->SetButtonWidth(width);
      TRect text;
      edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
      const TControl* holder = edit->Button()->Parent();
      EXPECT_LE(text.Right, holder->Left()) << look.border << look.ctl3D << width;
      EXPECT_GE(text.Right, holder->Left() - 2) << look.border << look.ctl3D << width;
      EXPECT_LE(holder->Left() + holder->Width(), edit->Width());
      EXPECT_EQ(edit->Button()->Height(), holder->Height());
    }
  }
}

TEST_F(ComboEditTest, HeightSnapsBackToTheMinimum)
{
  const int minimum = edit->GetMinHeight();
  EXPECT_GT(minimum, 10);
  edit->SetHeight(5);
  EXPECT_EQ(edit->Height(), minimum);
  edit->SetHeight(minimum + 10);
  EXPECT_EQ(edit->Height(), minimum + 10);
}

TEST_F(ComboEditTest, CaretIsTwoPixelsWideForABoldFont)
{
  for (bool bold : {false, true}) {
    edit->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    other->SetFocus();
    edit->SetFocus();
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(vt::Caret().Window, edit->Widget());
    EXPECT_EQ(vt::Caret().Width, bold ? 2 : 1);
    EXPECT_TRUE(vt::Caret().Visible);
  }
}

TEST_F(ComboEditTest, EnteringSelectsTheTextOnlyWithAutoSelect)
{
  for (bool autoSelect : {true, false}) {
    edit->SetAutoSelect(autoSelect);
    edit->SetSelLength(0);
    other->SetFocus();
    edit->SetFocus();
    vt::ProcessEventsUntilIdle();
    EXPECT_EQ(edit->SelLength(), autoSelect ? 5 : 0);
  }
}

TEST_F(ComboEditTest, DropDownKindShowsTheComboArrowOnAScrollBarWideButton)
{
  edit->SetGlyphKind(gkDropDown);
  EXPECT_EQ(edit->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(edit->NumGlyphs(), 1);
  TBitmap face;
  face.SetSize(edit->Button()->Width(), edit->Button()->Height());
  edit->Button()->PaintTo(face.Canvas(), 0, 0);
  const int midX = face.Width() / 2, midY = face.Height() / 2;
  int black = 0;
  for (int y = midY - 3; y <= midY + 3; ++y)
    for (int x = midX - 4; x <= midX + 4; ++x)
      black += face.Canvas()->Pixels(x, y) == clBlack;
  EXPECT_EQ(black, 7 + 5 + 3 + 1); // the arrow's four rows
}

TEST_F(ComboEditTest, ClosingSendsCancelModeToTheControlHoldingTheMouse)
{
  auto* holder = new CancelModeRecorder(form);
  holder->SetBounds(200, 10, 40, 40);
  holder->SetParent(form);
  holder->SetVisible(true);
  OpenWithButton();
  SetCapture(holder->Widget());
  vt::SendKey(edit, VK_ESCAPE);
  ReleaseCapture();
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(holder->CancelModes, 1);
}
