// Tests of the numeric edits: the number-text rules (text to value text, the key test, the
// range rules, editing and display texts) and the edits' behaviour on a form.
#include "components/edits/CurrEdit.h"

#include <functional>

#include "components/edits/VtCalc.h"
#include "components/common/vtGuiutils.h"

#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"
#include "ui/testing/UiTesting.h"
#include "tests/fixtures/UnderLocale.h"
#include "ui/kernel/SettingChange.h"

#include <gtest/gtest.h>

namespace {

class NumTextTest : public ::testing::Test {
protected:
  void SetUp() override { UseLocale('.', ','); }
  static void UseLocale(char dec, char thou)
  {
    Locale().DecimalSeparator = dec;
    Locale().ThousandSeparator = thou;
    Locale().CurrencyString = "$";
    Locale().CurrencyFormat = 0;
    Locale().CurrencyDecimals = 2;
  }
};

} // namespace

TEST_F(NumTextTest, TextToValText)
{
  const struct { const char* text; const char* val; } cases[] = {
      {"1,234.5", "1234.5"}, {"12.5  ", "12.5"}, {"", "0"}, {"-", "-0"}, {"  ", "0"},
      {"1,2,3", "123"}, {"abc", "abc"}, {".50", "0.50"}, {"-.5", "-0.5"}, {".", "0."}};
  for (const auto& c : cases)
    EXPECT_EQ(TextToValText(c.text), c.val) << c.text;
  EXPECT_EQ(StrToFloat(TextToValText("1,234.5")), 1234.5L);

  UseLocale(',', '.'); // decimal comma, dot grouping
  EXPECT_EQ(TextToValText("1.234,5"), "1234,5");
  UseLocale(',', ' '); // neither separator is ".": a typed "." is the decimal separator
  EXPECT_EQ(TextToValText("12.5"), "12,5");
  EXPECT_EQ(TextToValText("1 234,5"), "1234,5");
}

TEST_F(NumTextTest, KeyTestOnTheTextAfterTheKey)
{
  const vt::NumRange none{}, nonNegative{0, 100};
  const struct { const char* text; unsigned places; vt::NumRange range; bool ok; } cases[] = {
      {"12.34", 2, none, true},
      {"12.345", 2, none, false},        // a third fraction digit
      {"5.", 0, none, true},             // the separator alone is accepted ...
      {"5.1", 0, none, false},           // ... until a digit follows it
      {"-", 2, none, true},
      {"-", 2, nonNegative, false},      // no minus sign under a non-negative range
      {"-5", 2, {5, 0}, true},           // only a lower bound: negatives may be typed
      {"1,234", 2, none, true},          // grouping is read through
      {"12a", 2, none, false},
      {"1e5", 2, none, true},
      {"1.25e3", 2, none, true},         // fraction digits count up to the exponent
      {"1e", 2, none, false},
      {"+", 2, none, false},
      {"1111111111111111111111111111111111111111111111111111111111111111", 2, none, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(vt::IsValidNumText(c.text, c.places, c.range), c.ok) << c.text;
}

TEST_F(NumTextTest, TextAfterKeyReplacesTheSelection)
{
  EXPECT_EQ(vt::TextAfterKey("12.5", 4, 0, '0'), "12.50");
  EXPECT_EQ(vt::TextAfterKey("12.5", 0, 2, '9'), "9.5");
  EXPECT_EQ(vt::TextAfterKey("", 0, 0, '-'), "-");
  EXPECT_FALSE(vt::IsValidNumText(vt::TextAfterKey("1.25", 4, 0, '7'), 2, {}));
  EXPECT_TRUE(vt::IsValidNumText(vt::TextAfterKey("1.25", 3, 1, '7'), 2, {}));
}

TEST_F(NumTextTest, RangeRules)
{
  const struct { long double min, max, in, out; } cases[] = {
      {0, 0, 150, 150},      // equal bounds: no range
      {0, 100, 150, 100},
      {0, 100, -3, 0},
      {0, 100, 42, 42},
      {5, 0, 2, 5},          // only the lower bound
      {5, 0, 1e9L, 1e9L},
      {0, -5, 3, -5},        // only the upper bound
      {0, -5, -9, -9},
      {10, 2, 50, 50},       // inverted without a zero bound: nothing clamped
      {10, 2, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(vt::CheckValue(c.in, {c.min, c.max}, 2, false), c.out)
        << c.min << ".." << c.max << " " << c.in;
}

TEST_F(NumTextTest, RangeErrorNamesTheBoundsWithTheDecimalPlaces)
{
  try {
    vt::CheckValue(150, {0, 100}, 2, true);
    FAIL() << "no range error";
  } catch (const ERangeError& e) {
    EXPECT_EQ(e.Message(), "Value must be between 0.00 and 100.00");
  }
  try {
    vt::CheckValue(-1, {0, 10}, 0, true);
    FAIL() << "no range error";
  } catch (const ERangeError& e) {
    EXPECT_EQ(e.Message(), "Value must be between 0 and 10");
  }
  EXPECT_EQ(vt::CheckValue(50, {0, 100}, 2, true), 50);
}

TEST_F(NumTextTest, EditingAndDisplayTexts)
{
  const struct { long double value; unsigned places; bool zeroEmpty; const char* editing; } editing[] = {
      {0, 2, true, ""}, {0, 2, false, "0"}, {1234.5L, 2, true, "1234.5"},
      {1234.567L, 2, true, "1234.57"}, {-2.5L, 0, true, "-3"}, {7, 0, true, "7"},
      {0.1L, 15, true, "0.1"}};
  for (const auto& c : editing)
    EXPECT_EQ(vt::EditingText(c.value, c.places, c.zeroEmpty), c.editing) << double(c.value);

  const struct { long double value; const char* format; const char* display; } display[] = {
      {0, "$,0.00", "$0.00"},       {1234.5L, "$,0.00", "$1,234.50"},
      {-1234.5L, "$,0.00", "-$1,234.50"}, {1234567, ",0", "1,234,567"},
      {0, ",0", "0"},               {1234.5L, "$,0.##", "$1,234.5"},
      {1234, "$,0.##", "$1,234"},   {0, ",#", ""},
      {2.5L, "", "2.5"},            {1234.5L, ",0.##", "1,234.5"}};
  for (const auto& c : display)
    EXPECT_EQ(vt::FormatDisplayText(c.value, c.format), c.display) << c.format << " " << double(c.value);
}

TEST_F(NumTextTest, RegroupingWhileTyping)
{
  EXPECT_EQ(vt::GroupEditText("1234567.891", true), "1,234,567.891");
  EXPECT_EQ(vt::GroupEditText("-12345", true), "-12,345");
  EXPECT_EQ(vt::GroupEditText("1,2345", true), "12,345");
  EXPECT_EQ(vt::GroupEditText("12345e3", true), "12,345e3");
  EXPECT_EQ(vt::GroupEditText("1,234", false), "1234");
  EXPECT_EQ(vt::GroupEditText("", true), "");
  EXPECT_EQ(vt::GroupEditText("-", true), "-");
}

TEST_F(NumTextTest, CurrencyDefaultFormat)
{
  EXPECT_EQ(vt::CurrencyDisplayFormat(), "$,0.00;-$,0.00");
  Locale().CurrencyString = "Fr.";
  Locale().CurrencyFormat = 3;
  EXPECT_EQ(vt::CurrencyDisplayFormat(), ",0.00 Fr'.';-,0.00 Fr'.'");
  EXPECT_EQ(FormatFloat(vt::CurrencyDisplayFormat(), -3.5L), "-3.50 Fr.");
  Locale().CurrencyString = "";
  EXPECT_EQ(vt::CurrencyDisplayFormat(), ",0.00;-,0.00");
}

TEST_F(NumTextTest, CalculatorKeysOfAnOpenPopup)
{
  for (char k : String("0123456789+-*/=%._cCqQrR\b\r"))
    EXPECT_TRUE(vt::IsCalculatorKey(k)) << k;
  for (char k : String("xE ,\x1b")) // "," groups thousands here
    EXPECT_FALSE(vt::IsCalculatorKey(k)) << k;
}

namespace {

// A calculator edit and a second control on a shown form; beeps are counted.
class CalcEditTest : public NumTextTest {
protected:
  void SetUp() override
  {
    NumTextTest::SetUp();
    vt::EnsureTestApplication();
    vt::SetBeepHook([this](UINT) { ++beeps; });
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    edit = new TVtCalcEdit(form);
    edit->SetBounds(10, 10, 120, 21);
    edit->SetParent(form);
    other = new TVtCalcEdit(form);
    other->SetBounds(10, 50, 120, 21);
    other->SetParent(form);
    form->Show();
    edit->SetFocus();
    vt::ProcessEventsUntilIdle();
  }
  void TearDown() override
  {
    delete form;
    vt::SetBeepHook(nullptr);
  }
  void Type(const String& keys) { vt::TypeText(edit, keys); }

  TForm* form = nullptr;
  TVtCalcEdit* edit = nullptr;
  TVtCalcEdit* other = nullptr;
  int beeps = 0;
};

} // namespace

TEST_F(CalcEditTest, ZeroEmptyAndTheTextsOfZero)
{
  edit->SetDisplayFormat("$,0.00");
  edit->SetValue(0);
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(edit->GetDisplayText(), "$0.00");
  edit->SetZeroEmpty(false);
  EXPECT_EQ(edit->Text(), "0");
  edit->SetText("");
  EXPECT_EQ(edit->Value(), 0);
  edit->SetText("-");
  EXPECT_EQ(edit->Value(), 0);
  edit->SetValue(2.9L);
  EXPECT_EQ(edit->AsInteger(), 2);
  edit->SetValue(-2.9L);
  EXPECT_EQ(edit->AsInteger(), -2);
}

TEST_F(CalcEditTest, TypedDigitsBeyondTheDecimalPlacesAreRefusedWithABeep)
{
  Type("12.345");
  EXPECT_EQ(edit->Text(), "12.34");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(edit->Value(), 12.34L);
  edit->SetBeepOnError(false);
  Type("9");
  EXPECT_EQ(beeps, 1);
}

TEST_F(CalcEditTest, NonNegativeRangeRefusesTheMinusAndClamps)
{
  edit->SetMinValue(0);
  edit->SetMaxValue(100);
  Type("-");
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(beeps, 1);
  edit->SetValue(150);
  EXPECT_EQ(edit->Value(), 100);
}

TEST_F(CalcEditTest, CheckOnExitKeepsTheFocusWithAnOutOfRangeValue)
{
  vt::DialogResponder responder;
  responder.Answer(mrOk);
  edit->SetMinValue(0);
  edit->SetMaxValue(100);
  edit->SetCheckOnExit(true);
  Type("150");
  other->SetFocus();
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(form->ActiveControl(), edit);
  ASSERT_EQ(responder.Shown().size(), 1u);
  EXPECT_EQ(responder.Last().Text, "Value must be between 0.00 and 100.00");
  EXPECT_EQ(edit->Text(), "150"); // the value is not changed

  edit->SelectAll();
  Type("50");
  other->SetFocus();
  EXPECT_EQ(form->ActiveControl(), other);
  EXPECT_EQ(edit->Value(), 50);
}

TEST_F(CalcEditTest, EscPutsTheValueBack)
{
  edit->SetValue(7);
  edit->SelectAll();
  Type("99");
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_EQ(edit->Text(), "7");
}

TEST_F(CalcEditTest, CalculatorStartsFromTheTextAndTheResultKeyAcceptsIt)
{
  edit->SetValue(200);
  vt::ClickControl(edit->Button());
  ASSERT_TRUE(edit->PopupVisible());
  EXPECT_EQ(edit->Popup()->GetPopupText(), "200");
  Type("+10%"); // 10 % of 200 added; "%" is a result key
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Value(), 220);
  EXPECT_EQ(edit->Text(), "220");
}

TEST_F(CalcEditTest, KeysQueuedFasterThanTheKeyPressShowsComeOutInOrder)
{
  vt::ClickControl(edit->Button());
  ASSERT_TRUE(edit->PopupVisible());
  vt::PostText(edit, "123");
  vt::ProcessEventsUntilIdle();
  EXPECT_EQ(edit->Popup()->GetPopupText(), "123");
}

TEST_F(CalcEditTest, EnterAcceptsEscCancelsAndEmptyTextStartsAtZero)
{
  vt::SendKey(edit, VK_DOWN, TShiftState{ssAlt});
  ASSERT_TRUE(edit->PopupVisible());
  EXPECT_EQ(edit->Popup()->GetPopupText(), "0");
  Type("6*7");
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "");

  vt::SendKey(edit, VK_DOWN, TShiftState{ssAlt});
  Type("6*7");
  vt::SendKey(edit, VK_RETURN);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Value(), 42);
}

TEST_F(CalcEditTest, ANumberTypedFromItsDecimalSeparatorOnIsAFraction)
{
  const struct { const char* typed; long double value; } cases[] = {{".50", 0.5L}, {"-.5", -0.5L}, {".", 0}};
  for (const auto& c : cases) {
    edit->SetText("");
    Type(c.typed);
    EXPECT_EQ(edit->Text(), c.typed);
    EXPECT_EQ(edit->Value(), c.value) << c.typed;
  }
  EXPECT_EQ(beeps, 0);
}

// "." is the open calculator's decimal point also where it groups thousands; a thousands
// separator that is not "." beeps and changes nothing.
TEST_F(CalcEditTest, TheOpenCalculatorTakesThePointAndBeepsAtTheThousandsSeparator)
{
  UseLocale(',', '.');
  for (const char* typed : {"1.5*2=", "1,5*2="}) {
    vt::ClickControl(edit->Button());
    Type(typed);
    EXPECT_FALSE(edit->PopupVisible()) << typed;
    EXPECT_EQ(edit->Value(), 3) << typed;
  }
  EXPECT_EQ(beeps, 0);

  UseLocale('.', ',');
  vt::ClickControl(edit->Button());
  Type("1,5");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(edit->Popup()->GetPopupText(), "15");
  vt::SendKey(edit, VK_ESCAPE);
  EXPECT_EQ(edit->Text(), "3");
}

TEST_F(CalcEditTest, CalculatorErrorGivesZero)
{
  vt::ClickControl(edit->Button());
  Type("5/0=");
  EXPECT_TRUE(edit->PopupVisible()); // no result in the error state
  EXPECT_EQ(edit->Popup()->GetPopupText(), "Error");
  vt::ClickControl(edit->Button()); // the second click accepts: the error reads as 0
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Value(), 0);
}

TEST_F(CalcEditTest, EachLocaleReadsAndShowsItsOwnSeparators)
{
  struct Case {
    const char* locale;
    const char* pasted;  // 1234.5 as a user of the locale writes it
    const char* shown;
    const char* typed;  // 74.3: a point or comma that does not group gives the decimal separator
  };
  const Case cases[] = {
      {"en_US.UTF-8", "1,234.5", "1,234.50", "74.3"},
      {"de_DE.UTF-8", "1.234,5", "1.234,50", "74,3"},
      {"fr_FR.UTF-8", "1 234,5", "1\u202F234,50", "74.3"},  // grouped with a plain blank
      {"ru_RU.UTF-8", "1\u202F234,5", "1\u202F234,50", "74.3"},
  };
  edit->SetDisplayFormat(",0.00");
  for (const Case& c : cases) {
    vt::testing::UnderLocale locale(c.locale);
    edit->SetText(c.pasted);
    EXPECT_EQ(edit->Value(), 1234.5L) << c.locale;
    EXPECT_EQ(edit->GetDisplayText(), c.shown) << c.locale;
    edit->SetText("");
    Type(c.typed);
    EXPECT_EQ(edit->Value(), 74.3L) << c.locale;
  }
}

// A locale change keeps the value typed into the focused edit and the one the other shows;
// both are shown the new way.
TEST_F(CalcEditTest, ALocaleChangeKeepsTheValuesAndShowsThemTheNewWay)
{
  vt::testing::UnderLocale american("en_US.UTF-8");
  vt::NotifySettingChange();
  other->SetDisplayFormat("$,0.00");
  other->SetValue(1234.5);
  edit->SetText("");
  Type("150.5");
  {
    vt::testing::UnderLocale german("de_DE.UTF-8");
    vt::NotifySettingChange();
    EXPECT_EQ(edit->Text(), "150,5");
    EXPECT_EQ(other->GetDisplayText(), "$1.234,50");
    EXPECT_EQ(edit->Value(), 150.5L);
    EXPECT_EQ(other->Value(), 1234.5L);
  }
  vt::NotifySettingChange();
  EXPECT_EQ(edit->Text(), "150.5");
  EXPECT_EQ(edit->Value(), 150.5L);
}

// Products past the double range: the calculator shows its error state, nothing raises, and
// each way out closes the drop-down as in any error (Enter and the button take 0, Esc and
// leaving the edit keep the value it had).
TEST_F(CalcEditTest, AnOverflowShowsTheErrorAndEveryWayOutClosesThePopup)
{
  String overflow;
  for (int i = 0; i < 22; ++i)
    overflow += "999999999999999*";
  const struct {
    const char* way;
    std::function<void()> leave;
    long double value;
  } ways[] = {{"Enter", [&] { vt::SendKey(edit, VK_RETURN); }, 0},
              {"Esc", [&] { vt::SendKey(edit, VK_ESCAPE); }, 7},
              {"the button", [&] { vt::ClickControl(edit->Button()); }, 0},
              {"leaving the edit", [&] { other->SetFocus(); }, 7}};
  for (const auto& w : ways) {
    vt::DialogResponder responder;
    edit->SetFocus();
    edit->SetValue(7);
    vt::ClickControl(edit->Button());
    ASSERT_TRUE(edit->PopupVisible()) << w.way;
    EXPECT_NO_THROW(Type(overflow)) << w.way;
    EXPECT_EQ(edit->Popup()->GetPopupText(), "Error") << w.way;
    EXPECT_NO_THROW(w.leave()) << w.way;
    vt::ProcessEventsUntilIdle();
    EXPECT_FALSE(edit->PopupVisible()) << w.way;
    EXPECT_EQ(edit->Value(), w.value) << w.way;
    EXPECT_EQ(responder.Shown().size(), 0u) << w.way;
  }
}

