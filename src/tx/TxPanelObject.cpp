#include "tx/TxPanelObject.h"

#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "framework/FormsScrolling.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/WinUserTypes.h"
#include "tx/Tx.h"
#include "tx/TxHotTracking.h"
#include "tx/TxParentBackground.h"
#include "tx/TxUtils.h"

namespace tx {


// ---- margins ---------------------------------------------------------------------------------

void TTxControlMargins::Store(Integer& Field, Integer Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TTxControlMargins::Changed() {
  if (OnChange) OnChange(this);
}

void TTxControlMargins::Assign(fw::TPersistent* Source) {
  auto* m = dynamic_cast<TTxControlMargins*>(Source);
  if (!m) {
    fw::TPersistent::Assign(Source);
    return;
  }
  FLeft = m->FLeft;
  FTop = m->FTop;
  FRight = m->FRight;
  FBottom = m->FBottom;
  Changed();
}

// ---- panel object ----------------------------------------------------------------------------

TTxPanelObject::TTxPanelObject(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  fw::TControlStyle style = ControlStyle();
  style += fw::TControlStyle{fw::csAcceptsControls, fw::csClickEvents, fw::csDoubleClicks};
  style -= fw::TControlStyle{fw::csOpaque};
  SetControlStyle(style);
  SetParentColor(false);
  SetColor(fw::clNone);
  AddThemeChangeListener(this);
  AddHotTrackingUser();
}

TTxPanelObject::~TTxPanelObject() {
  RemoveThemeChangeListener(this);
  RemoveHotTrackingUser(this);
}

TTxPanelObject* TTxPanelObject::TrackedControl() { return dynamic_cast<TTxPanelObject*>(HotTrackedControl()); }

void TTxPanelObject::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TTxPanelObject::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

Integer TTxPanelObject::GetMinHeight() { return Height(); }
Integer TTxPanelObject::GetMinWidth() { return Width(); }

void TTxPanelObject::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TTxPanelObject::MouseEnter() {
  if (!Enabled() || FMouseInControl) return;
  FMouseInControl = true;
  DoMouseEnter();
}

void TTxPanelObject::MouseLeave() {
  if (!FMouseInControl) return;
  FMouseInControl = false;
  StopHotTracking(this);
  DoMouseLeave();
  Invalidate();
}

void TTxPanelObject::MouseMove(fw::TShiftState Shift, Integer X, Integer Y) {
  fw::TControl* under = ControlUnderCursor();
  if (under == this && HotTrackedControl() != this) {
    // The previous control ends its hot state before this one starts.
    StartHotTracking(this, [this] { MouseLeave(); });
    MouseEnter();
  } else if (under != this && HandleAllocated() && win::GetCapture() == Handle() && FMouseInControl) {
    MouseLeave();
  }
  fw::TCustomControl::MouseMove(Shift, X, Y);
}

void TTxPanelObject::TakeFocus() {
  if (!FFocusOnlyInsideActiveParent) {
    if (CanFocus()) SetFocus();
    return;
  }
  fw::TWinControl* active = fw::Screen ? fw::Screen->ActiveControl() : nullptr;
  if (!active || !Parent() || !Parent()->ContainsControl(active) || !CanFocus()) return;
  FNoScrollIntoView = true;
  try {
    SetFocus();
  } catch (...) {
    FNoScrollIntoView = false;
    throw;
  }
  FNoScrollIntoView = false;
}

void TTxPanelObject::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  if (Button == fw::mbLeft && !FPushed) {
    FPushed = true;
    Invalidate();
  }
  if (Enabled()) MouseEnter();
  TakeFocus();
  fw::TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTxPanelObject::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  FPushed = false;
  Invalidate();
  fw::TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TTxPanelObject::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == win::VK_SPACE && FPushOnSpace) {
    FPushed = true;
    Invalidate();
  }
  fw::TCustomControl::KeyDown(Key, Shift);
}

void TTxPanelObject::KeyUp(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == win::VK_SPACE && FPushed) {
    FPushed = false;
    Click();
    Invalidate();
  }
  fw::TCustomControl::KeyUp(Key, Shift);
}

void TTxPanelObject::DoEnter() {
  fw::TCustomControl::DoEnter();
  if (!FNoScrollIntoView)
    for (fw::TWinControl* p = Parent(); p; p = p->Parent())
      if (auto* scrolling = dynamic_cast<fw::TScrollingWinControl*>(p)) {
        scrolling->ScrollInView(this);
        break;
      }
  Invalidate();
}

void TTxPanelObject::DoExit() {
  fw::TCustomControl::DoExit();
  FPushed = false;
  Invalidate();
}

void TTxPanelObject::EraseBackground(fw::TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  Message.Result = 1;
  if (FDoubleBuffered && Message.LParam != 0 && reinterpret_cast<win::HDC>(Message.LParam) != dc) return;
  const TRect r = ClientRect();
  if (Color() != fw::clNone)
    FillRectColor(dc, r, Color());
  else
    PaintParentBackground(this, dc, r);
}

void TTxPanelObject::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case TXM_THEMECHANGE: Invalidate(); return;
    case win::WM_ERASEBKGND: EraseBackground(Message); return;
    case fw::CM_ENABLEDCHANGED:
      fw::TCustomControl::Dispatch(Message);
      if (!Enabled() && FMouseInControl) {
        MouseLeave();
        Perform(win::WM_CANCELMODE, 0, 0);
      }
      return;
    case fw::CM_PARENTCOLORCHANGED:
      if (Message.WParam == 0 && Parent()) {
        Message.WParam = 1;
        Message.LParam = win::LPARAM(GetEffectiveColor(Parent()));
      }
      fw::TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    default: fw::TCustomControl::Dispatch(Message);
  }
}

}  // namespace tx
