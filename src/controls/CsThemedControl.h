#pragma once
// What every themed control-set control adds to its framework base: the requested ThemeType,
// the hot flag (mouse inside) and a repaint of its face whenever either, the focus, the mouse or
// Enabled changes. The face itself is painted by the control through GetEffectiveThemeType. Its window
// is a Unicode window (UniWindows.h).
// Listens to the current-theme relay from construction to destruction and repaints once per
// theme switch (the last phase of the notice).

#include "controls/CsThemeType.h"
#include "controls/UniWindows.h"
#include "framework/Controls.h"
#include "platform/user/painting/Paint.h"
#include "tx/Tx.h"
#include "tx/TxThemesTypes.h"

namespace cs {

// The colour a control with Color clNone shows: that of the nearest parent that has one.
fw::TColor ParentBackgroundColor(fw::TControl* Control);

// The background of a control-set control: its Color, or with Color clNone what lies behind it.
// A DC whose window origin was moved (a child of the control asking for what lies behind it) is
// handed on to the parent with the origin moved by the control's place in the parent, so that
// the chain of transparent containers ends at the first one that paints.
void PaintControlBackground(fw::TWinControl* Control, win::HDC DC);

// The border of an edit-like control in a themed look: what lies behind the control (thtTx),
// then PaintEditBorder over the window rectangle, the client area left alone. False in the
// classic look, where the window paints its own border.
bool PaintThemedFrame(fw::TWinControl* Control, TCsThemeType ThemeType, bool Hot);

template <class Base>
class TCsThemed : public Base {
 public:
  using Base::Base;

  TCsThemeType ThemeType() const { return FThemeType; }
  void SetThemeType(TCsThemeType Value) {
    if (FThemeType == Value) return;
    FThemeType = Value;
    ThemeChanged();
  }
  // The look the control paints with now.
  TCsThemeType EffectiveThemeType() const { return GetEffectiveThemeType(FThemeType); }
  bool MouseInControl() const { return FMouseInControl; }

  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == tx::TXM_THEMECHANGE) {
      if (Message.WParam == tx::TSC_AFTER_CHANGE) ThemeChanged();
      return;
    }
    Base::Dispatch(Message);
    // A face the control paints itself shows the new state only once it is painted again.
    if (Message.Msg == fw::CM_ENABLEDCHANGED) ThemeChanged();
  }

 protected:
  // The control set's windows are Unicode windows, subclassing the standard class the
  // framework's control copies (edit, combo box, list box ...) when it copies one.
  void CreateWindowHandle(const fw::TCreateParams& Params) override {
    CreateUnicodeHandle(this, Params, StandardSubClassOf(Params));
  }
  // Repaints the face, frame included; descendants repaint their extra parts too.
  virtual void ThemeChanged() {
    if (this->HandleAllocated())
      win::RedrawWindow(this->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME);
  }
  void CMMouseEnter(fw::TMessage& Message) override {
    Base::CMMouseEnter(Message);
    EnterHotState();
  }
  void CMMouseLeave(fw::TMessage& Message) override {
    Base::CMMouseLeave(Message);
    LeaveHotState();
  }
  // Starts the hot state (the pointer is over the control) and repaints.
  void EnterHotState() {
    if (!FMouseInControl) {
      FMouseInControl = true;
      ThemeChanged();
    }
  }
  // Ends the hot state (the pointer is taken as gone) and repaints.
  void LeaveHotState() {
    if (FMouseInControl) {
      FMouseInControl = false;
      ThemeChanged();
    }
  }
  void CMEnter(fw::TMessage& Message) override {
    Base::CMEnter(Message);
    ThemeChanged();
  }
  void CMExit(fw::TMessage& Message) override {
    Base::CMExit(Message);
    ThemeChanged();
  }

 private:
  // Registered as a member so that every inherited constructor registers too; unregisters
  // before the base control is torn down.
  struct TThemeListening {
    explicit TThemeListening(fw::TObject* Obj) : FObj(Obj) { tx::AddThemeChangeListener(FObj); }
    ~TThemeListening() { tx::RemoveThemeChangeListener(FObj); }
    TThemeListening(const TThemeListening&) = delete;
    TThemeListening& operator=(const TThemeListening&) = delete;
    fw::TObject* FObj;
  };
  TThemeListening FThemeListening{this};
  TCsThemeType FThemeType = thtTx;
  bool FMouseInControl = false;
};

// An edit-like control (edit, memo, list box, float and spin edits) whose border follows the
// theme: hot while the mouse is inside or it has the focus.
template <class Base>
class TCsFramed : public TCsThemed<Base> {
 public:
  using TCsThemed<Base>::TCsThemed;

  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == win::WM_NCPAINT) {
      TCsThemed<Base>::Dispatch(Message);
      PaintThemedFrame(this, this->ThemeType(), this->MouseInControl() || this->Focused());
      return;
    }
    TCsThemed<Base>::Dispatch(Message);
  }
};

}  // namespace cs
