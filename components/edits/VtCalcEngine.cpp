// The calculator engine: the key rules, the arithmetic on the pending operator and the
// operand, the memory keys and the error state that only "C" leaves.
#include "components/edits/VtCalcEngine.h"

#include "components/common/Vtstrutils.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"
#include "rtl/Locale.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace vt {

const char kCalcKeys[] = "0123456789_./*-+Q%R=\bC";

namespace {

char DecimalSeparator() { return Locale().DecimalSeparator; }

bool IsDecimalKey(char Key) { return Key == DecimalSeparator() || Key == '.' || Key == ','; }

char UpCase(char Key) { return static_cast<char>(std::toupper(static_cast<unsigned char>(Key))); }

} // namespace

int CalcKeyIndex(char Key)
{
  if (IsDecimalKey(Key))
    Key = '.';
  else if (Key == '\r')
    Key = '=';
  else if (Key == '\x1b')
    Key = 'C';
  Key = UpCase(Key);
  if (Key == 0)
    return -1;
  const char* at = std::strchr(kCalcKeys, Key);
  return at ? static_cast<int>(at - kCalcKeys) : -1;
}

int CalcButtonTag(TCalcBtnKind Kind) { return Kind >= cbNum0 && Kind <= cbClr ? Kind - 1 : -1; }

void CalculatorEngine::CalculatorKey(char Key)
{
  Key = UpCase(Key);
  if (state_ == csError && Key != 'C')
    Key = 0;
  if (OnCalcKey)
    OnCalcKey(Key);
  if (Key != 0 && IsDecimalKey(Key))
    DecimalKey();
  else if (Key == 'R' || Key == 'Q')
    FunctionKey(Key);
  else if (Key >= '0' && Key <= '9')
    DigitKey(Key);
  else if (Key == '\b')
    BackspaceKey();
  else if (Key == '_')
    SetCalculatorDisplay(-GetCalculatorDisplay());
  else if (Key != 0 && std::strchr("+-*/=%\r", Key))
    OperatorKey(Key);
  else if (Key == '\x1b' || Key == 'C')
    ClearCalculator();
  else if (Key == 3 && CopyText)
    CopyText(text_);
  else if (Key == 22)
    Paste();
}

void CalculatorEngine::ButtonClick(TCalcBtnKind Kind)
{
  if (Kind == cbDcm)
    CalculatorKey(DecimalSeparator());
  else if (CalcButtonTag(Kind) >= 0)
    CalculatorKey(kCalcKeys[CalcButtonTag(Kind)]);
  else if (Kind >= cbMP && Kind <= cbMC)
    MemoryKey(Kind);
  else if (Kind == cbOk) {
    if (state_ == csError) {
      ErrorBeep();
      return;
    }
    SetCalculatorDisplay(GetCalculatorDisplay());
    Fire(OnOk);
  } else if (Kind == cbCancel)
    Fire(OnCancel);
}

void CalculatorEngine::SetCalculatorText(const String& S)
{
  if (S == text_)
    return;
  text_ = S;
  Fire(OnTextChange);
}

long double CalculatorEngine::GetCalculatorDisplay() const
{
  return state_ == csError ? 0 : StrToFloat(Trim(text_));
}

// A result outside the double range (an overflow of the arithmetic, a paste of "1e400") is an
// arithmetic error: the display never holds a text that does not read back as a number.
void CalculatorEngine::SetCalculatorDisplay(long double R)
{
  if (!std::isfinite(static_cast<double>(R))) {
    CalculatorError();
    return;
  }
  String S = FloatToStrF(R, ffGeneral, DisplayDigits(), 0);
  if (S == text_)
    return;
  SetCalculatorText(S);
  Fire(OnDisplayChange);
}

void CalculatorEngine::ClearCalculator()
{
  state_ = csFirst;
  SetCalculatorDisplay(0);
  operator_ = '=';
}

void CalculatorEngine::StartCalculatorEntry()
{
  if (state_ != csFirst)
    return;
  state_ = csValid;
  SetCalculatorText("0");
}

void CalculatorEngine::CalculatorError()
{
  state_ = csError;
  SetCalculatorText("Error");
  ErrorBeep();
  Fire(OnError);
}

void CalculatorEngine::ErrorBeep()
{
  if (beepOnError_ && Beep)
    Beep();
}

void CalculatorEngine::DecimalKey()
{
  StartCalculatorEntry();
  if (text_.find(DecimalSeparator()) == String::npos)
    SetCalculatorText(text_ + DecimalSeparator());
}

// Reciprocal ("R") and square root ("Q") of the display.
void CalculatorEngine::FunctionKey(char Key)
{
  if (state_ == csError)
    return;
  state_ = csFirst;
  double x = static_cast<double>(GetCalculatorDisplay());
  if ((Key == 'R' && x == 0) || (Key == 'Q' && x < 0))
    CalculatorError();
  else
    SetCalculatorDisplay(Key == 'R' ? 1.0 / x : std::sqrt(x));
}

void CalculatorEngine::DigitKey(char Key)
{
  StartCalculatorEntry();
  String S = text_ == "0" ? String() : text_;
  if (S.find('E') != String::npos)
    return;
  size_t limit = static_cast<size_t>(DisplayDigits()) + (S.find('-') != String::npos ? 1 : 0);
  if (S.size() < limit)
    SetCalculatorText(S + Key);
  else
    ErrorBeep();
}

void CalculatorEngine::BackspaceKey()
{
  StartCalculatorEntry();
  if (text_.size() == 1 || (text_.size() == 2 && text_[0] == '-'))
    SetCalculatorText("0");
  else
    SetCalculatorText(text_.substr(0, text_.size() - 1));
}

// An operator or result key applies the pending operator to the operand and the entry,
// then becomes the pending operator itself.
void CalculatorEngine::OperatorKey(char Key)
{
  if (state_ == csValid) {
    state_ = csFirst;
    double R = static_cast<double>(GetCalculatorDisplay());
    if (Key == '%') {
      if (operator_ == '+' || operator_ == '-')
        R = operand_ * R / 100;
      else if (operator_ == '*' || operator_ == '/')
        R = R / 100;
    }
    switch (operator_) {
    case '+': SetCalculatorDisplay(operand_ + R); break;
    case '-': SetCalculatorDisplay(operand_ - R); break;
    case '*': SetCalculatorDisplay(operand_ * R); break;
    case '/':
      if (R == 0)
        CalculatorError();
      else
        SetCalculatorDisplay(operand_ / R);
      break;
    default: break;
    }
  }
  operator_ = Key;
  operand_ = static_cast<double>(GetCalculatorDisplay());
  if (Key == '=' || Key == '%' || Key == '\r')
    Fire(OnResult);
}

// A pasted text loses the currency symbol; one that does not convert leaves "0".
void CalculatorEngine::Paste()
{
  String clip;
  if (!PasteText || !PasteText(clip))
    return;
  try {
    SetCalculatorDisplay(StrToFloat(Trim(ReplaceStr(clip, Locale().CurrencyString, ""))));
  } catch (const EConvertError&) {
    SetCalculatorText("0");
  }
}

void CalculatorEngine::MemoryKey(TCalcBtnKind Kind)
{
  if (Kind == cbMC)
    memory_ = 0;
  else if (state_ != csError) {
    state_ = csFirst;
    double display = static_cast<double>(GetCalculatorDisplay());
    if (Kind == cbMP)
      memory_ += display;
    else if (Kind == cbMS)
      memory_ = display;
    else {
      StartCalculatorEntry();
      SetCalculatorDisplay(memory_);
    }
  }
  Fire(OnMemoryChange);
}

} // namespace vt
