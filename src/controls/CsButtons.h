#pragma once
// The control set's check box, radio button and push button, on the text object. They take the
// focus, click on Space, on their accelerator and on Enter while focused.

#include "controls/CsTextObject.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsTypes.h"

namespace fw {
class TBitmap;
class TPopupMenu;
class TTimer;
}  // namespace fw

namespace cs {

class TCsButtonControl : public TCsTextObject {
 public:
  using TCsTextObject::TCsTextObject;

  bool CanFocus() override { return fw::TCustomControl::CanFocus(); }
  // WM_GETDLGCODE answers DLGC_BUTTON: a focused button control takes Enter and Space itself.
  // The radio button adds DLGC_RADIOBUTTON, the push button DLGC_DEFPUSHBUTTON while it is the
  // default one, else DLGC_UNDEFPUSHBUTTON.
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
  void CMDialogChar(fw::TMessage& Message) override;
  void CMDialogKey(fw::TMessage& Message) override;
  void CMExit(fw::TMessage& Message) override;
  // The inherited Click (OnClick) with FClicking set around it, cleared even when the handler
  // throws or frees the control.
  void GuardedClick();

  bool FClicking = false;

 private:
  bool FSpacePushed = false;
};

class TCsCheckBox : public TCsButtonControl {
 public:
  explicit TCsCheckBox(fw::TComponent* AOwner);

  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  fw::TCheckBoxState State() const { return FState; }
  // A change fires OnClick once.
  void SetState(fw::TCheckBoxState Value);
  // Writing a different value fires OnClick once (the settings store relies on it).
  void SetChecked(bool Value) override;

  void Click() override;

 protected:
  virtual void Toggle();
  bool DrawOwnGlyph(fw::TCanvas* ACanvas, const fw::TRect& GlyphRect) override;
  fw::TSize OwnGlyphSize() override { return {13, 13}; }
  fw::TSize AutoSizeExtra() override { return {1, 2}; }

 private:
  bool FAllowGrayed = false;
  fw::TCheckBoxState FState = fw::cbUnchecked;
};

// Checking one unchecks the other radio buttons of the same parent; the arrow keys move the
// focus, and with it the check, to the previous or next one.
class TCsRadioButton : public TCsButtonControl {
 public:
  explicit TCsRadioButton(fw::TComponent* AOwner);

  void SetChecked(bool Value) override;
  // Only the checked button of a group (the radio buttons of one parent) is a Tab stop; the
  // first one that can take the focus while none is checked. The arrow keys move in the group.
  bool StopsOnTab() override;

  void Click() override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  virtual void Toggle();
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  // The radio buttons sharing this one's parent, in the parent's order (this one alone without).
  std::vector<TCsRadioButton*> Group();
  bool DrawOwnGlyph(fw::TCanvas* ACanvas, const fw::TRect& GlyphRect) override;
  fw::TSize OwnGlyphSize() override { return {13, 13}; }
  fw::TSize AutoSizeExtra() override { return {1, 2}; }
};

class TCsButton : public TCsButtonControl {
 public:
  explicit TCsButton(fw::TComponent* AOwner);
  ~TCsButton() override;

  // Four states stacked vertically (normal, hot, pushed or checked, disabled); used when its
  // height is a multiple of 4.
  fw::TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(fw::TBitmap* Value);
  bool BitmapTransparent() const { return FBitmapTransparent; }
  void SetBitmapTransparent(bool Value);
  // Escape clicks it.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Enter clicks it while no other button has the focus.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // Shown below the button on click instead of OnClick.
  fw::TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(fw::TPopupMenu* Value);
  // Set on the parent form before OnClick runs (and left set if OnClick raises).
  fw::TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(fw::TModalResult Value) { FModalResult = Value; }
  // Held down with the left button: clicks at once, after 400 ms, then every 100 ms.
  bool Repeating() const { return FRepeating; }
  void SetRepeating(bool Value) { FRepeating = Value; }
  // The button Enter presses now.
  bool Active() const { return FActive; }

  void Click() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  bool DoDraw(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) override;
  // In the themed look the caption takes the theme's text colour for the button's state.
  void DoAdjustFont(fw::TCanvas* ACanvas) override;
  bool IsPushed() override;
  // With a drop-down menu the right margin holds the arrow.
  fw::TRect GetTextMargins() override;
  void GetFocusRect(const fw::TRect& R, const fw::TRect& TextRect, const fw::TRect& GlyphRect,
                    fw::TRect& FocusRect) override;
  void CMDialogKey(fw::TMessage& Message) override;
  void CMFocusChanged(fw::TMessage& Message) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) override;

 private:
  bool BitmapUsable() const;
  void RepeatTimer(fw::TObject* Sender);
  void StopRepeat();
  std::unique_ptr<fw::TBitmap> FBitmap;
  bool FBitmapTransparent = true;
  bool FCancel = false;
  bool FDefault = false;
  bool FActive = false;
  fw::TPopupMenu* FDropDownMenu = nullptr;
  bool FDroppingDown = false;
  fw::TModalResult FModalResult = fw::mrNone;
  bool FRepeating = false;
  bool FSuppressClick = false;
  fw::TTimer* FRepeatTimer = nullptr;
};

}  // namespace cs
