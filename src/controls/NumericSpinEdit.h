#pragma once
// A single-line edit for numbers with an up-down button inside its right edge, and its themed
// form. The text is the only store of Value: it is parsed on every read and formatted by the
// value type on every write. A step writes the text and reports the change once, after it.

#include <memory>

#include "controls/CsThemedControl.h"
#include "framework/ComCtrls.h"
#include "framework/StdCtrlsEdit.h"

namespace cs {

enum TValueType { vtInt, vtFloat, vtHex };

// The width of the up-down: the vertical scroll bar's, at most 15.
int UpDownWidth();

// Vertical, range -1 .. 1 and position 0: every finished move is a click the way it went, after
// which the position returns to 0.
class TNumericUpDown : public fw::TUpDown {
 public:
  explicit TNumericUpDown(fw::TComponent* AOwner);

 protected:
  void CNScroll(fw::TMessage& Message) override;

 private:
  bool FInScroll = false;
};

class TCustomNumericSpinEdit : public fw::TCustomEdit {
 public:
  explicit TCustomNumericSpinEdit(fw::TComponent* AOwner);
  ~TCustomNumericSpinEdit() override;

  // A change recreates the window.
  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  // Up and Down step the value.
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value);
  // Decimals of vtFloat text.
  fw::Byte Decimal() const { return FDecimal; }
  void SetDecimal(fw::Byte Value);
  // Typing, cutting and pasting allowed.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  fw::Extended Increment() const { return FIncrement; }
  void SetIncrement(fw::Extended Value) { FIncrement = Value; }
  // The range, used only when the two differ.
  fw::Extended MaxValue() const { return FMaxValue; }
  void SetMaxValue(fw::Extended Value) { FMaxValue = Value; }
  fw::Extended MinValue() const { return FMinValue; }
  void SetMinValue(fw::Extended Value) { FMinValue = Value; }
  // A change keeps the value: it is read in the old format and written in the new one.
  TValueType ValueType() const { return FValueType; }
  void SetValueType(TValueType Value);
  // Text that does not parse reads MinValue (rounded for the integer types); a written value is
  // kept in the range.
  fw::Extended Value() const;
  void SetValue(fw::Extended NewValue);

  TNumericUpDown* UpDown() const { return FUpDown; }
  // 4 border heights, the font's text height and 1.
  fw::Integer MinHeight();

  fw::TNotifyEvent OnTopClick;
  fw::TNotifyEvent OnBottomClick;

  void SetBounds(fw::Integer ALeft, fw::Integer ATop, fw::Integer AWidth, fw::Integer AHeight) override;
  void Loaded() override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  virtual bool IsValidChar(char16_t Key);
  virtual void CreateUpDown();
  virtual void UpDownClick(fw::TObject* Sender, fw::TUDBtnType Button);
  virtual void UpClick();
  virtual void DownClick();
  // The up-down's class (the themed form has its own).
  virtual TNumericUpDown* NewUpDown() { return new TNumericUpDown(this); }

  // Watches for the control being freed inside one of its own events.
  std::shared_ptr<bool> AliveFlag() const { return FAlive; }

  void Change() override;
  void CreateParams(fw::TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyPress(char16_t& Key) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void CMExit(fw::TMessage& Message) override;
  void CMEnter(fw::TMessage& Message) override;

 private:
  bool Loading() const { return ComponentState().Contains(fw::csLoading); }
  fw::Extended ReadValue(TValueType Type) const;
  fw::Extended CheckValue(fw::Extended V) const;
  // Value + Delta with one change report; false when the control was freed meanwhile.
  bool Step(fw::Extended Delta);
  void SetEditRect();

  TNumericUpDown* FUpDown = nullptr;
  fw::TAlignment FAlignment = fw::taLeftJustify;
  bool FArrowKeys = true;
  fw::Byte FDecimal = 2;
  bool FEditorEnabled = true;
  fw::Extended FIncrement = 1;
  fw::Extended FMaxValue = 0;
  fw::Extended FMinValue = 0;
  TValueType FValueType = vtInt;
  fw::Extended FLoadedValue = 0;
  bool FHasLoadedValue = false;
  bool FChanging = false;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TCsSpinEdit;

// Clears the pressed halves of its edit when the mouse lets go. In the themed look of its edit
// the current theme paints it as the edit's spin button (pressed halves, hot with the edit).
class TCsNumericUpDown : public TNumericUpDown {
 public:
  using TNumericUpDown::TNumericUpDown;
  void Dispatch(fw::TMessage& Message) override;

 private:
  void PaintThemedButtons(TCsSpinEdit* Edit);
  // What lies behind Edit, over Inside (in this control's client coordinates).
  void PaintBehindEdit(TCsSpinEdit* Edit, win::HDC DC, const fw::TRect& Inside);
};

class TCsSpinEdit : public TCsFramed<TCustomNumericSpinEdit> {
 public:
  explicit TCsSpinEdit(fw::TComponent* AOwner);

  // The half of the up-down pressed by the last step, until the mouse lets go.
  bool UpPressed() const { return FUpPressed; }
  bool DownPressed() const { return FDownPressed; }
  void ReleaseButtons();

 protected:
  TNumericUpDown* NewUpDown() override { return new TCsNumericUpDown(this); }
  void UpClick() override;
  void DownClick() override;
  void ThemeChanged() override;

 private:
  bool FUpPressed = false;
  bool FDownPressed = false;
};

}  // namespace cs
