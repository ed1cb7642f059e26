#include "tx/TxSpinEditItem.h"

#include <cmath>
#include <cstdio>

#include "framework/SysUtils.h"
#include "framework/Timer.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"

namespace tx {

using namespace toolbars;

namespace {

constexpr Integer kFirstRepeatMs = 400, kRepeatMs = 100;
// Snapping counts a value within this fraction of a step as on the step.
constexpr Extended kSnapTolerance = 0.0001L;
constexpr Integer kMaxExponent = 5000;

// Characters that end a unit text: blanks and control characters, * + , - . / and the digits,
// the circumflex; for hexadecimal values also the digits A-F.
bool IsAffixStop(char C, bool Hex) {
  const unsigned char c = static_cast<unsigned char>(C);
  return c < 33 || (c >= 42 && c <= 57) || c == 94 || (Hex && c >= 'A' && c <= 'F');
}

bool IsValidAffix(const String& S) {
  for (char c : S)
    if (IsAffixStop(c, false)) return false;
  return true;
}

Extended RoundHalfEven(Extended V) { return std::nearbyint(V); }

// Reads one operand: unit text, number, unit text.
class TOperandReader {
 public:
  TOperandReader(const String& Text, size_t& Pos, TSEValueType Type) : S(Text), P(Pos), T(Type) {}

  bool Read(String& Prefix, Extended& Value, String& Postfix) {
    Prefix = Affix();
    SkipBlanks();
    if (!Number(Value)) return false;
    SkipBlanks();
    Postfix = Affix();
    SkipBlanks();
    return true;
  }
  void SkipBlanks() {
    while (P < S.size() && (S[P] == ' ' || S[P] == '\t')) ++P;
  }

 private:
  String Affix() {
    const size_t start = P;
    while (P < S.size() && !IsAffixStop(S[P], T == evtHex)) ++P;
    return S.substr(start, P - start);
  }
  bool IsDigit() const { return P < S.size() && S[P] >= '0' && S[P] <= '9'; }
  bool Number(Extended& Value) {
    if (T == evtHex) {
      auto hexDigit = [&](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
      if (P >= S.size() || !hexDigit(S[P])) return false;
      uint64_t v = 0;
      for (; P < S.size() && hexDigit(S[P]); ++P) {
        v = v * 16 + uint64_t(S[P] <= '9' ? S[P] - '0' : S[P] - 'A' + 10);
        if (v > 0xFFFFFFFFu) return false;  // beyond 32 bits
      }
      Value = Extended(v);
      return true;
    }
    if (T == evtInteger) {
      if (!IsDigit()) return false;
      Value = 0;
      for (; IsDigit(); ++P) Value = Value * 10 + (S[P] - '0');
      return std::isfinite(Value);
    }
    // Float: integer digits, fraction after the decimal separator, an optional exponent.
    Value = 0;
    bool any = false;
    for (; IsDigit(); ++P, any = true) Value = Value * 10 + (S[P] - '0');
    if (P < S.size() && S[P] == fw::DecimalSeparator()) {
      ++P;
      Extended fraction = 0, scale = 1;
      for (; IsDigit(); ++P, any = true) {
        fraction = fraction * 10 + (S[P] - '0');
        scale *= 10;
      }
      Value += fraction / scale;
    }
    if (!any) return false;
    if (P + 1 < S.size() && (S[P] == 'E' || S[P] == 'e') &&
        (S[P + 1] == '+' || S[P + 1] == '-' || (S[P + 1] >= '0' && S[P + 1] <= '9'))) {
      ++P;
      Integer sign = 1;
      if (S[P] == '+' || S[P] == '-') sign = S[P++] == '-' ? -1 : 1;
      if (!IsDigit()) return false;
      Integer e = 0;
      for (; IsDigit(); ++P) {
        e = e * 10 + (S[P] - '0');
        if (e >= kMaxExponent) return false;
      }
      Value *= std::pow(10.0L, Extended(sign * e));
    }
    return std::isfinite(Value);
  }

  const String& S;
  size_t& P;
  TSEValueType T;
};

}  // namespace

// ---- item ------------------------------------------------------------------------------------

TTxCustomSpinEditItem::TTxCustomSpinEditItem(fw::TComponent* AOwner) : TTxEditItem(AOwner) {
  SetAlignment(fw::taRightJustify);
  SetText("0");
}

void TTxCustomSpinEditItem::SetDecimal(Integer Value) {
  if (Value < 0 || Value > 10) throw ETxPropertyError("Decimal must be between 0 and 10");
  FDecimal = Value;
  Reformat();
}

void TTxCustomSpinEditItem::SetIncrement(Extended Value) {
  if (!(Value > 0)) throw ETxPropertyError("Increment should be a positive value");
  FIncrement = Value;
}

void TTxCustomSpinEditItem::SetSpaceAfterPrefix(bool Value) {
  FSpaceAfterPrefix = Value;
  Reformat();
}

void TTxCustomSpinEditItem::SetSpaceBeforePostfix(bool Value) {
  FSpaceBeforePostfix = Value;
  Reformat();
}

void TTxCustomSpinEditItem::SetPrefix(const String& Value) {
  if (!IsValidAffix(Value)) throw ETxPropertyError("Invalid prefix");
  FPrefix = Value;
  Reformat();
}

void TTxCustomSpinEditItem::SetPostfix(const String& Value) {
  if (!IsValidAffix(Value)) throw ETxPropertyError("Invalid postfix");
  FPostfix = Value;
  Reformat();
}

void TTxCustomSpinEditItem::SetValueType(TSEValueType Value) {
  if (Value == FValueType) return;
  const Extended v = this->Value();  // read with the old format
  FValueType = Value;
  SetValueEx(v, kSpinReasonProperty);
  if (Value == evtInteger || Value == evtHex) FIncrement = std::max<Extended>(1, RoundHalfEven(FIncrement));
}

Extended TTxCustomSpinEditItem::Value() {
  Extended v = 0;
  return TextToValue(Text(), v) ? v : FStoredValue;
}

void TTxCustomSpinEditItem::SetValueEx(Extended V, Integer /*Reason*/) {
  SetTextEx(ValueToText(V), tcrSetProperty);
  if (V != FStoredValue) {
    FStoredValue = V;
    DoValueChange(V);
  }
}

String TTxCustomSpinEditItem::ValueToText(Extended V) {
  if (FMinValue != FMaxValue) {
    if (V < FMinValue) V = FMinValue;
    if (V > FMaxValue) V = FMaxValue;
  }
  char buf[128];
  String text;
  switch (FValueType) {
    case evtFloat: {
      std::snprintf(buf, sizeof buf, "%.*Lf", int(FDecimal), V);
      text = buf;
      const auto dot = text.find('.');
      if (dot != String::npos) text[dot] = fw::DecimalSeparator();
      break;
    }
    case evtInteger:
      std::snprintf(buf, sizeof buf, "%.0Lf", RoundHalfEven(V));
      text = buf;
      if (text == "-0") text = "0";
      break;
    case evtHex: {
      const Extended r = RoundHalfEven(V);
      // Values outside 32 bits cannot be typed back; show what the parser reads.
      const long long n = r < 0 ? 0 : r > 0xFFFFFFFF ? 0xFFFFFFFFLL : (long long)r;
      std::snprintf(buf, sizeof buf, "%llX", n);
      text = buf;
      break;
    }
  }
  if (!FPrefix.empty()) text = FPrefix + (FSpaceAfterPrefix ? " " : "") + text;
  if (!FPostfix.empty()) text += (FSpaceBeforePostfix ? " " : "") + FPostfix;
  DoValueToText(V, text);
  return text;
}

bool TTxCustomSpinEditItem::TextToValue(const String& Text, Extended& Value) {
  Value = 0;
  if (DoTextToValue(Text, Value)) return true;
  Value = 0;
  if (Text.empty()) return false;
  size_t pos = 0;
  TOperandReader reader(Text, pos, FValueType);
  reader.SkipBlanks();
  Extended sign = 1;
  if (pos < Text.size() && (Text[pos] == '+' || Text[pos] == '-')) {
    sign = Text[pos] == '-' ? -1 : 1;
    ++pos;
    reader.SkipBlanks();
  }
  String prefix, postfix;
  Extended v1 = 0;
  if (!reader.Read(prefix, v1, postfix) || !DoConvert(prefix, postfix, v1)) return false;
  Extended result = sign * v1;
  if (pos < Text.size()) {
    const char op = Text[pos];
    if (op != '*' && op != '+' && op != '-' && op != '/') return false;
    ++pos;
    reader.SkipBlanks();
    Extended v2 = 0;
    if (!reader.Read(prefix, v2, postfix) || !DoConvert(prefix, postfix, v2)) return false;
    switch (op) {
      case '*': result *= v2; break;
      case '+': result += v2; break;
      case '-': result -= v2; break;
      default:
        if (v2 == 0) return false;
        result /= v2;
        break;
    }
    if (pos < Text.size()) return false;
  }
  if (!std::isfinite(result)) return false;
  Value = result;
  return true;
}

void TTxCustomSpinEditItem::Step(Integer Direction) {
  const Extended v = Value();
  Extended next;
  if (FSnap) {
    // The tolerance is a fraction of one step, so it means the same for every increment.
    const Extended n = Direction > 0 ? std::floor(v / FIncrement + 1 + kSnapTolerance)
                                     : std::ceil(v / FIncrement - 1 - kSnapTolerance);
    next = n * FIncrement;
  } else {
    next = v + Direction * FIncrement;
  }
  DoStep(Direction, v, next);
  SetValueEx(next, kSpinReasonStep);
}

bool TTxCustomSpinEditItem::DoConvert(const String& APrefix, const String& APostfix, Extended& AValue) {
  bool can = true;
  if (OnConvert) OnConvert(this, APrefix, APostfix, AValue, can);
  return can;
}

void TTxCustomSpinEditItem::DoStep(Integer AStep, Extended OldValue, Extended& NewValue) {
  if (OnStep) OnStep(this, AStep, OldValue, NewValue);
}

bool TTxCustomSpinEditItem::DoTextToValue(const String& AText, Extended& AValue) {
  bool can = false;
  if (OnTextToValue) OnTextToValue(this, AText, AValue, can);
  return can;
}

void TTxCustomSpinEditItem::DoValueChange(Extended AValue) {
  if (OnValueChange) OnValueChange(this, AValue);
}

void TTxCustomSpinEditItem::DoValueToText(Extended AValue, String& Text) {
  if (OnValueToText) OnValueToText(this, AValue, Text);
}

bool TTxCustomSpinEditItem::DoAcceptText(String& NewText) {
  Extended v = 0;
  if (!TextToValue(NewText, v)) return false;  // the editor keeps the text for correction
  NewText = ValueToText(v);
  return true;
}

void TTxCustomSpinEditItem::DoTextChanged(TTBEditItemChangeReason Reason) {
  TTxEditItem::DoTextChanged(Reason);
  if (Reason == tcrEditControl) SetValueEx(Value(), kSpinReasonProperty);
}

TTBItemViewerClass TTxCustomSpinEditItem::GetItemViewerClass(TTBView* AView) {
  if (!EditOptions().Contains(tboUseEditWhenVertical) && AView && AView->Orientation() == tbvoVertical)
    return TTBItemViewerClass::Of<TTxItemViewer>();
  return TTBItemViewerClass::Of<TTxSpinEditViewer>();
}

// ---- viewer ----------------------------------------------------------------------------------

TTxSpinEditViewer::~TTxSpinEditViewer() = default;

Integer TTxSpinEditViewer::GetAccRole() {
  constexpr Integer kRoleSpinButton = 52;
  return kRoleSpinButton;
}

Integer TTxSpinEditViewer::GetIndentAfter() {
  return (IsToolbarStyle() ? CurrentTheme->GetIntegerMetric(TMI_EDIT_BUTTON_WIDTH)
                           : win::GetSystemMetrics(win::SM_CXMENUCHECK)) +
         2;
}

bool TTxSpinEditViewer::IsPtInButtonPart(Integer X, Integer /*Y*/) {
  return X <= (BoundsRect().right - BoundsRect().left) - GetIndentAfter();
}

void TTxSpinEditViewer::GetEditInfo(TTxEditFrameInfo& EditInfo) {
  TTxEditItemViewer::GetEditInfo(EditInfo);
  EditInfo.RightButtonInfo.ButtonType = EBT_SPIN;
  Integer state = 0;
  if (!Item()->Enabled()) state |= EBDS_DISABLED;
  if (Item()->Enabled() && View()->Selected() == this) state |= EBDS_HOT;
  if (FPressedHalf == 1) state |= EBDS_PRESSED;
  if (FPressedHalf == 2) state |= EBDS_DOWN_PRESSED;
  EditInfo.RightButtonInfo.ButtonState = state;
}

void TTxSpinEditViewer::InvalidateButtons() { View()->Invalidate(this); }

void TTxSpinEditViewer::MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) {
  if (!Item()->Enabled() || IsPtInButtonPart(X, Y)) {
    TTxEditItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);
    return;
  }
  if (Y >= (BoundsRect().bottom - BoundsRect().top) / 2) {
    FPressedHalf = 2;
    SpinItem()->StepDown();
  } else {
    FPressedHalf = 1;
    SpinItem()->StepUp();
  }
  if (!FTimer) {
    FTimer = std::make_unique<fw::TTimer>(nullptr);
    FTimer->OnTimer = [this](fw::TObject*) { TimerTick(); };
  }
  FTimer->SetInterval(kFirstRepeatMs);
  FTimer->SetEnabled(true);
  InvalidateButtons();
  TTBItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);
  View()->SetCapture();
}

void TTxSpinEditViewer::TimerTick() {
  FTimer->SetInterval(kRepeatMs);
  if (FPressedHalf == 1)
    SpinItem()->StepUp();
  else if (FPressedHalf == 2)
    SpinItem()->StepDown();
  else
    FTimer->SetEnabled(false);  // freed on release; never from inside its own tick
}

void TTxSpinEditViewer::StopRepeat() {
  if (FTimer) FTimer->SetEnabled(false);
  FTimer.reset();
}

void TTxSpinEditViewer::MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) {
  if (FPressedHalf == 0) {
    TTxEditItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
    return;
  }
  FPressedHalf = 0;
  StopRepeat();
  InvalidateButtons();
  // The release of a press on the buttons is a button's release wherever it happens: on a
  // toolbar it ends the loop the press started (the bar lets go of the keyboard and of its hot
  // button) unless it comes over the box, which it then opens for typing. The edit item's own
  // release only lets go of the capture, its press having run the edit.
  TTBItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
}

void TTxSpinEditViewer::LosingCapture() {
  StopRepeat();
  FPressedHalf = 0;
  TTxEditItemViewer::LosingCapture();
}

bool TTxSpinEditViewer::HandleEditMessage(fw::TMessage& Message) {
  fw::TEdit* editor = EditControl();
  if (Message.Msg == win::WM_KEYDOWN && (Message.WParam == win::VK_UP || Message.WParam == win::VK_DOWN)) {
    if (Message.WParam == win::VK_UP)
      SpinItem()->StepUp();
    else
      SpinItem()->StepDown();
    if (editor) {
      editor->SetText(SpinItem()->Text());
      editor->SelectAll();
    }
    Message.Result = 0;
    return true;
  }
  if (Message.Msg == win::WM_CHAR && (Message.WParam == 9 || Message.WParam == 13) && editor) {
    Extended v = 0;
    SpinItem()->SetValue(SpinItem()->TextToValue(editor->Text(), v) ? v : SpinItem()->Value());
    editor->SetText(SpinItem()->Text());
    return false;  // the editor still sees the key (it ends the edit)
  }
  return TTxEditItemViewer::HandleEditMessage(Message);
}

}  // namespace tx
