#pragma once
// A numeric edit item: shows a value with optional unit texts before and after it, parses what
// is typed (one arithmetic operation between two operands allowed), steps the value by buttons,
// arrow keys and auto-repeat, and reports value changes.

#include <functional>
#include <memory>

#include "tx/TxExtItems.h"

namespace fw {
class TTimer;
}

namespace tx {

using Extended = long double;

enum TSEValueType : Byte { evtInteger = 0, evtFloat = 1, evtHex = 2 };

using TSEConvertEvent = std::function<void(fw::TObject* Sender, const String& APrefix, const String& APostfix,
                                           Extended& AValue, bool& CanConvert)>;
// Replaces the parser: set CanConvert and AValue.
using TSETextToValueEvent =
    std::function<void(fw::TObject* Sender, const String& AText, Extended& AValue, bool& CanConvert)>;
using TSEChangeEvent = std::function<void(fw::TObject* Sender, Extended AValue)>;
using TSEValueToTextEvent = std::function<void(fw::TObject* Sender, Extended AValue, String& Text)>;
using TSEStepEvent = std::function<void(fw::TObject* Sender, Integer Step, Extended OldValue, Extended& NewValue)>;

// Why the value changed, as the edit item's change reasons count them.
inline constexpr Integer kSpinReasonProperty = 3, kSpinReasonStep = 4;

class TTxCustomSpinEditItem : public TTxEditItem {
 public:
  explicit TTxCustomSpinEditItem(fw::TComponent* AOwner);

  // Digits after the decimal separator (0 .. 10) for float values.
  Integer Decimal() const { return FDecimal; }
  void SetDecimal(Integer Value);
  Extended MaxValue() const { return FMaxValue; }
  void SetMaxValue(Extended Value) { FMaxValue = Value; }
  Extended MinValue() const { return FMinValue; }
  void SetMinValue(Extended Value) { FMinValue = Value; }
  // "Increment should be a positive value" for 0 and below.
  Extended Increment() const { return FIncrement; }
  void SetIncrement(Extended Value);
  bool SpaceAfterPrefix() const { return FSpaceAfterPrefix; }
  void SetSpaceAfterPrefix(bool Value);
  bool SpaceBeforePostfix() const { return FSpaceBeforePostfix; }
  void SetSpaceBeforePostfix(bool Value);
  // Unit texts; "Invalid prefix" / "Invalid postfix" for blanks, control characters, digits,
  // signs, operators, separators or the circumflex.
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value);
  const String& Postfix() const { return FPostfix; }
  void SetPostfix(const String& Value);
  bool Snap() const { return FSnap; }
  void SetSnap(bool Value) { FSnap = Value; }
  TSEValueType ValueType() const { return FValueType; }
  void SetValueType(TSEValueType Value);
  // The parsed text, or the last value set when the text does not parse.
  Extended Value();
  void SetValue(Extended Value) { SetValueEx(Value, kSpinReasonProperty); }
  void SetValueEx(Extended V, Integer Reason);

  String ValueToText(Extended V);
  bool TextToValue(const String& Text, Extended& Value);
  void StepUp() { Step(+1); }
  void StepDown() { Step(-1); }

  TSEConvertEvent OnConvert;
  TSETextToValueEvent OnTextToValue;
  TSEChangeEvent OnValueChange;
  TSEValueToTextEvent OnValueToText;
  TSEStepEvent OnStep;

  virtual bool DoConvert(const String& APrefix, const String& APostfix, Extended& AValue);
  virtual void DoStep(Integer Step, Extended OldValue, Extended& NewValue);
  virtual bool DoTextToValue(const String& AText, Extended& AValue);
  virtual void DoValueChange(Extended AValue);
  virtual void DoValueToText(Extended AValue, String& Text);

  bool DoAcceptText(String& NewText) override;
  void DoTextChanged(toolbars::TTBEditItemChangeReason Reason) override;
  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  void Step(Integer Direction);
  void Reformat() { SetValueEx(Value(), kSpinReasonProperty); }

  Integer FDecimal = 2;
  Extended FStoredValue = 0;
  Extended FMaxValue = 0, FMinValue = 0;
  Extended FIncrement = 1;
  bool FSpaceBeforePostfix = false, FSpaceAfterPrefix = false;
  String FPostfix, FPrefix;
  bool FSnap = true;
  TSEValueType FValueType = evtInteger;
};

class TTxSpinEditItem : public TTxCustomSpinEditItem {
 public:
  using TTxCustomSpinEditItem::TTxCustomSpinEditItem;
};

// The spin edit's viewer: a pair of spin buttons right of the box; a press steps at once, again
// after 400 ms and then every 100 ms while held.
class TTxSpinEditViewer : public TTxEditItemViewer {
 public:
  using TTxEditItemViewer::TTxEditItemViewer;
  ~TTxSpinEditViewer() override;

  // 0 none, 1 the upper half held, 2 the lower half held.
  Integer PressedHalf() const { return FPressedHalf; }
  fw::TTimer* RepeatTimer() const { return FTimer.get(); }

  Integer GetAccRole() override;
  Integer GetIndentAfter() override;
  bool IsPtInButtonPart(Integer X, Integer Y) override;
  void GetEditInfo(TTxEditFrameInfo& EditInfo) override;
  void MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) override;
  void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) override;
  void LosingCapture() override;
  bool HandleEditMessage(fw::TMessage& Message) override;

 private:
  TTxCustomSpinEditItem* SpinItem() const { return static_cast<TTxCustomSpinEditItem*>(FItem); }
  void TimerTick();
  void StopRepeat();
  void InvalidateButtons();

  Integer FPressedHalf = 0;
  std::unique_ptr<fw::TTimer> FTimer;
  bool FHot = false;
};

}  // namespace tx
