// Tests of the calculator: key sequences and the display they give, errors, the memory keys
// and the clipboard.
#include "components/edits/VtCalcEngine.h"

#include "rtl/Locale.h"

#include "components/edits/VtCalc.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

namespace {

class CalcEngineTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Locale().DecimalSeparator = '.';
    Locale().ThousandSeparator = ',';
    Locale().CurrencyString = "$";
    calc.Beep = [this] { ++beeps; };
    calc.OnResult = [this] { ++results; };
    calc.OnError = [this] { ++errors; };
  }
  // Feeds every character of Keys; "!" stands for Esc and "^" for Backspace.
  String Type(const String& Keys)
  {
    for (char k : Keys)
      calc.CalculatorKey(k == '!' ? '\x1b' : k == '^' ? '\b' : k);
    return calc.Text();
  }
  vt::CalculatorEngine calc;
  int beeps = 0, results = 0, errors = 0;
};

} // namespace

TEST_F(CalcEngineTest, KeySequencesAndTheirDisplay)
{
  const struct { const char* keys; const char* display; } cases[] = {
      {"2+3=", "5"},
      {"2+3=*4=", "20"},          // the result becomes the operand
      {"200+10%", "220"},         // ten per cent of 200 added
      {"50*10%", "5"},
      {"7-10=", "-3"},
      {"1/4=", "0.25"},
      {"9Q", "3"},
      {"4R", "0.25"},
      {"12_", "-12"},
      {"1.5.2", "1.52"},          // a second decimal point is ignored
      {",5", "0.5"},              // "," types the decimal separator too
      {"123^^", "1"},
      {"5^", "0"},
      {"5_^", "0"},
      {"2+3+", "5"},              // a chained operator applies the pending one
      {"2+3C", "0"},
      {"2+3!", "0"},
      {"8/2\r", "4"},
      {"007", "7"},
  };
  for (const auto& c : cases) {
    calc.ClearCalculator();
    EXPECT_EQ(Type(c.keys), c.display) << c.keys;
  }
}

TEST_F(CalcEngineTest, ResultKeysFireTheResultEvent)
{
  Type("2+3=");
  Type("50*10%");
  Type("8/2\r");
  Type("1+2+");
  EXPECT_EQ(results, 3);
}

TEST_F(CalcEngineTest, ErrorsShowErrorAndOnlyClearLeavesThem)
{
  for (const char* keys : {"5/0=", "0R", "4_Q"}) {
    calc.ClearCalculator();
    EXPECT_EQ(Type(keys), "Error") << keys;
    EXPECT_EQ(calc.State(), csError);
    EXPECT_EQ(calc.GetCalculatorDisplay(), 0);
  }
  EXPECT_EQ(errors, 3);
  EXPECT_EQ(beeps, 3);
  EXPECT_EQ(Type("7+!"), "Error"); // even Esc does not clear
  EXPECT_EQ(Type("C"), "0");
  EXPECT_EQ(calc.State(), csFirst);
  EXPECT_EQ(Type("6*7="), "42");
}

TEST_F(CalcEngineTest, ResultsPastTheDoubleRangeAreErrors)
{
  String product;
  for (int i = 0; i < 22; ++i)
    product += "999999999999999*";  // past 1E308 at the 21st
  EXPECT_EQ(Type(product + "="), "Error");
  EXPECT_EQ(calc.GetCalculatorDisplay(), 0);
  calc.ClearCalculator();
  calc.PasteText = [](String& text) { text = "1e400"; return true; };
  EXPECT_EQ(Type("\x16"), "0") << "a paste past the range does not convert";
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(Type("C2="), "2");
}

TEST_F(CalcEngineTest, OkInTheErrorStateOnlyBeeps)
{
  int oks = 0;
  calc.OnOk = [&] { ++oks; };
  Type("1/0=");
  beeps = 0;
  calc.ButtonClick(cbOk);
  EXPECT_EQ(oks, 0);
  EXPECT_EQ(beeps, 1);
  Type("C12.50");
  calc.ButtonClick(cbOk);
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(calc.Text(), "12.5"); // OK normalises the entry
}

TEST_F(CalcEngineTest, DigitsBeyondThePrecisionAreRefused)
{
  EXPECT_EQ(Type("123456789012345"), "123456789012345");
  EXPECT_EQ(Type("6"), "123456789012345");
  EXPECT_EQ(beeps, 1);

  calc.ClearCalculator();
  Type("1_");
  EXPECT_EQ(Type("23456789012345"), "-123456789012345"); // the minus sign does not count
  EXPECT_EQ(Type("6"), "-123456789012345");
  EXPECT_EQ(beeps, 2);

  calc.SetBeepOnError(false);
  Type("7");
  EXPECT_EQ(beeps, 2);
}

TEST_F(CalcEngineTest, PrecisionBelowTwoStillShowsTwoDigits)
{
  calc.SetPrecision(0);
  EXPECT_EQ(Type("123"), "12");
  calc.ClearCalculator();
  EXPECT_EQ(Type("2R"), "0.5");
}

TEST_F(CalcEngineTest, MemoryKeys)
{
  Type("5");
  calc.ButtonClick(cbMS);
  Type("3");
  calc.ButtonClick(cbMP);
  EXPECT_EQ(calc.Memory(), 8);
  Type("C");
  calc.ButtonClick(cbMR);
  EXPECT_EQ(calc.Text(), "8");
  EXPECT_EQ(Type("+1="), "9");
  calc.ButtonClick(cbMC);
  EXPECT_EQ(calc.Memory(), 0);

  Type("1/0=");
  calc.ButtonClick(cbMS); // ignored in the error state
  EXPECT_EQ(calc.Memory(), 0);
}

TEST_F(CalcEngineTest, ClipboardCopyAndPaste)
{
  String copied, clip = " $12.5 ";
  calc.CopyText = [&](const String& s) { copied = s; };
  calc.PasteText = [&](String& s) { s = clip; return true; };
  Type("42");
  calc.CalculatorKey(3);
  EXPECT_EQ(copied, "42");
  calc.CalculatorKey(22);
  EXPECT_EQ(calc.Text(), "12.5");
  clip = "abc";
  calc.CalculatorKey(22);
  EXPECT_EQ(calc.Text(), "0");
}

TEST_F(CalcEngineTest, KeyEventMayChangeTheKey)
{
  calc.OnCalcKey = [](char& k) { if (k == 'X') k = '*'; };
  EXPECT_EQ(Type("6x7="), "42");
}

TEST(CalcKeys, ButtonTagsIndexTheKeyString)
{
  Locale().DecimalSeparator = '.';
  const struct { char key; int tag; } cases[] = {
      {'0', 0}, {'9', 9}, {'_', 10}, {'.', 11}, {',', 11}, {'/', 12}, {'*', 13}, {'-', 14},
      {'+', 15}, {'q', 16}, {'%', 17}, {'r', 18}, {'=', 19}, {'\r', 19}, {'\b', 20},
      {'c', 21}, {'\x1b', 21}, {'x', -1}, {'\0', -1}};
  for (const auto& c : cases)
    EXPECT_EQ(vt::CalcKeyIndex(c.key), c.tag) << int(c.key);
  EXPECT_EQ(vt::CalcButtonTag(cbNum7), 7);
  EXPECT_EQ(vt::CalcButtonTag(cbClr), 21);
  EXPECT_EQ(vt::CalcButtonTag(cbMP), -1);
  EXPECT_EQ(vt::CalcButtonTag(cbNone), -1);
}

namespace {

int KeyCount(TCalculatorPanel* panel)
{
  int keys = 0;
  for (int i = 0; i < panel->ControlCount(); ++i)
    keys += dynamic_cast<TCalcButton*>(panel->Controls(i)) != nullptr;
  return keys;
}

} // namespace

TEST(CalculatorLayouts, DropDownAndDialogKeys)
{
  vt::EnsureTestApplication();
  TPopupCalculator popup(nullptr);
  ASSERT_NE(popup.Calculator(), nullptr);
  EXPECT_EQ(KeyCount(popup.Calculator()), 19); // no functions, memory, OK or Cancel
  TVtSpeedButton* equals = popup.Calculator()->FindCalculatorButton('\r');
  ASSERT_NE(equals, nullptr);
  EXPECT_EQ(equals->BoundsRect(), Bounds(52, 98, 44, 21));

  TVtCalculatorForm* form = CreateCalculatorForm(nullptr, 0);
  TCalculatorPanel* panel = form->CalcPanel();
  EXPECT_EQ(KeyCount(panel), 28);
  EXPECT_EQ(panel->FindCalculatorButton('\x1b')->BoundsRect(), Bounds(191, 6, 44, 22)); // Esc: clear
  EXPECT_EQ(panel->FindCalculatorButton('7')->Caption(), "7");
  EXPECT_FALSE(panel->FindCalculatorButton('*')->Glyph()->Empty()); // a glyph, not a caption
  delete form;
}

TEST(CalculatorLayouts, DialogKeysMemoryAndOk)
{
  vt::EnsureTestApplication();
  TVtCalculatorForm* form = CreateCalculatorForm(nullptr, 0);
  form->Show();
  for (char k : String("12*3="))
    vt::SendKey(form, static_cast<WORD>(k == '*' ? VK_MULTIPLY : k == '=' ? VK_RETURN : k), {}, k);
  EXPECT_EQ(form->CalcPanel()->Text(), "36");
  vt::SendKey(form, VK_ESCAPE); // Esc clicks the clear key
  EXPECT_EQ(form->CalcPanel()->Text(), "0");
  form->CalcPanel()->Engine().SetCalculatorDisplay(4);
  form->CalcPanel()->Engine().ButtonClick(cbMS);
  EXPECT_EQ(form->CalcPanel()->Engine().Memory(), 4);
  form->CalcPanel()->Engine().ButtonClick(cbOk);
  EXPECT_EQ(form->ModalResult(), mrOk);
  delete form;
}
