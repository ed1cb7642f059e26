#pragma once
// The plain standard controls: labels, group boxes, push buttons, check boxes, radio buttons and
// scroll bars. The windowed ones wrap the platform's BUTTON and SCROLLBAR classes: their
// properties live in the control while it has no window and survive the window's recreation.

#include "framework/StdCtrlsTypes.h"

namespace fw {

// A caption drawn on the parent: alignment, vertical layout, word wrap, sizing to the text and
// an accelerator that focuses FocusControl.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  // Sizes the label to its text (keeping the side its alignment anchors).
  virtual void AdjustBounds();
  // AutoSize is on by default: the label takes the size of its text.
  void AdjustSize() override { AdjustBounds(); }
  // DrawTextW flags of the current properties.
  win::UINT DrawTextFlags() const;
  virtual void CMTextChanged(TMessage& Message) override;
  virtual void CMFontChanged(TMessage& Message) override;
  virtual void CMDialogChar(TMessage& Message);

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

// A frame with a caption on its top line, holding other controls.
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CMTextChanged(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

 private:
  Integer CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

// The controls made of the BUTTON class.
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);

  void Dispatch(TMessage& Message) override;

 protected:
  // BN_ notifications reflected from the parent.
  virtual void CNCommand(TMessage& Message);
  virtual void CNCtlColor(TMessage& Message);
  // While set, changing the check state does not call Click.
  bool FClicksDisabled = false;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);

  // The button Enter presses when no other button has the focus.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // The button Escape presses.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Given to the parent form when clicked (mrNone leaves the form's as it is).
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  void Click() override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;
  void SetButtonStyle(bool ADefault);

 private:
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;  // drawn as the default button now
  TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  // A change calls Click (OnClick).
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // taRightJustify: the box on the left and the caption on its right (taLeftJustify swaps them).
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;
  // The next state a click gives: unchecked, (grayed,) checked.
  virtual void Toggle();

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

// Checking one unchecks the other radio buttons of its parent.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  // Checking calls Click (OnClick).
  void SetChecked(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;

 private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  Integer Min() const { return FMin; }
  Integer Max() const { return FMax; }
  Integer Position() const { return FPosition; }
  Integer PageSize() const { return FPageSize; }
  void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
  void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
  // Kept within Min .. Max; a change fires OnChange.
  void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
  // EInvalidOperation "Scroll bar property out of range" when Max < Min.
  void SetParams(Integer APosition, Integer AMin, Integer AMax);
  void SetPageSize(Integer Value);
  Integer SmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer Value) { FSmallChange = Value; }
  Integer LargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer Value) { FLargeChange = Value; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);
  virtual void CNScroll(TMessage& Message);

 private:
  void ApplyToWindow();
  TScrollBarKind FKind = sbHorizontal;
  Integer FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  Integer FSmallChange = 1, FLargeChange = 1;
};

}  // namespace fw
