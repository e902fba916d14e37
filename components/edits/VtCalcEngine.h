// The arithmetic engine of the calculator (unit VtCalc): keys in, entry text out, with the
// pending operator, the memory and the error state. The key panel, the pop-up calculator and
// the calculator dialog all drive one engine; it has no window of its own.
#pragma once

#include "rtl/StrUtils.h"

#include <cstdint>
#include <functional>

enum TVtCalcState { csFirst, csValid, csError };

// Key kinds of the calculator buttons, in their fixed order 0..28.
enum TCalcBtnKind {
  cbNone,
  cbNum0, cbNum1, cbNum2, cbNum3, cbNum4, cbNum5, cbNum6, cbNum7, cbNum8, cbNum9,
  cbSgn, cbDcm, cbDiv, cbMul, cbSub, cbAdd, cbSqr, cbPcnt, cbRev, cbEql, cbBck, cbClr,
  cbMP, cbMS, cbMR, cbMC, cbOk, cbCancel
};

namespace vt {

// The key string that a button's Tag indexes: digits, sign change, decimal point, the
// operators and functions, then Backspace and "C".
extern const char kCalcKeys[];

// The Tag of the button that serves Key (decimal separator, "," and "." give the decimal
// point, Enter gives "=", Esc gives "C"), or -1 when no button serves it.
int CalcKeyIndex(char Key);

// The Tag of a button of the given kind: kind - 1 for the digits to clear, else -1.
int CalcButtonTag(TCalcBtnKind Kind);

class CalculatorEngine {
public:
  using KeyEvent = std::function<void(char& Key)>;
  using Event = std::function<void()>;

  // The key engine: one key typed or clicked.
  void CalculatorKey(char Key);
  // A click on a key of the given kind (memory, OK and Cancel keys included).
  void ButtonClick(TCalcBtnKind Kind);

  const String& Text() const { return text_; }
  void SetCalculatorText(const String& S);
  long double GetCalculatorDisplay() const;
  void SetCalculatorDisplay(long double R);
  void ClearCalculator();

  TVtCalcState State() const { return state_; }
  void SetState(TVtCalcState S) { state_ = S; }
  char Operator() const { return operator_; }
  void SetOperator(char Op) { operator_ = Op; }
  double Memory() const { return memory_; }
  void SetMemory(double M) { memory_ = M; }
  uint8_t Precision() const { return precision_; }
  void SetPrecision(uint8_t P) { precision_ = P; }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool B) { beepOnError_ = B; }

  Event OnError, OnOk, OnCancel, OnResult, OnTextChange, OnDisplayChange, OnMemoryChange;
  KeyEvent OnCalcKey;
  // Services of the window around the engine: the beep, and the clipboard text
  // (PasteText answers false when the clipboard holds no text).
  Event Beep;
  std::function<void(const String&)> CopyText;
  std::function<bool(String&)> PasteText;

private:
  int DisplayDigits() const { return precision_ < 2 ? 2 : precision_; }
  void StartCalculatorEntry();
  void CalculatorError();
  void ErrorBeep();
  void DecimalKey();
  void FunctionKey(char Key);
  void DigitKey(char Key);
  void BackspaceKey();
  void OperatorKey(char Key);
  void Paste();
  void MemoryKey(TCalcBtnKind Kind);
  void Fire(const Event& e) const { if (e) e(); }

  String text_ = "0";
  TVtCalcState state_ = csFirst;
  char operator_ = '=';
  double operand_ = 0;
  double memory_ = 0;
  uint8_t precision_ = 15;
  bool beepOnError_ = true;
};

} // namespace vt
