// TTrackBar and TUpDown.

#include "framework/ComCtrls.h"

#include <algorithm>
#include <cstdlib>

#include "platform/controls/CommCtrl.h"
#include "platform/controls/StandardControls.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/windows/Window.h"

namespace fw {

// ---- TTrackBar ----

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  win::RegisterStandardControls();
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Exclude(csDoubleClicks);
  FTabStop = true;
  SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, win::TRACKBAR_CLASSW);
  Params.Style |= FOrientation == trVertical ? win::TBS_VERT : win::TBS_HORZ;
  if (FTickStyle == tsNone) Params.Style |= win::TBS_NOTICKS;
  if (FTickStyle == tsAuto) Params.Style |= win::TBS_AUTOTICKS;
  if (FTickMarks == tmTopLeft) Params.Style |= win::TBS_TOP;
  if (FTickMarks == tmBoth) Params.Style |= win::TBS_BOTH;
  Params.Style |= win::TBS_ENABLESELRANGE;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  win::SendMessageW(FHandle, win::TBM_SETRANGEMIN, 0, FMin);
  win::SendMessageW(FHandle, win::TBM_SETRANGEMAX, 0, FMax);
  win::SendMessageW(FHandle, win::TBM_SETTICFREQ, win::WPARAM(FFrequency), 0);
  win::SendMessageW(FHandle, win::TBM_SETLINESIZE, 0, FLineSize);
  win::SendMessageW(FHandle, win::TBM_SETPAGESIZE, 0, FPageSize);
  win::SendMessageW(FHandle, win::TBM_SETPOS, 1, FPosition);
  UpdateSelection();
}

void TTrackBar::DestroyWnd() {
  if (FHandle != nullptr) FPosition = Position();
  TWinControl::DestroyWnd();
}

Integer TTrackBar::Position() {
  return HandleAllocated() ? Integer(win::SendMessageW(FHandle, win::TBM_GETPOS, 0, 0)) : FPosition;
}

void TTrackBar::SetPosition(Integer Value) {
  FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (HandleAllocated()) win::SendMessageW(FHandle, win::TBM_SETPOS, 1, FPosition);
}

void TTrackBar::SetMin(Integer Value) {
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  if (HandleAllocated()) {
    win::SendMessageW(FHandle, win::TBM_SETRANGEMIN, 0, FMin);
    win::SendMessageW(FHandle, win::TBM_SETRANGEMAX, 1, FMax);
  }
  FPosition = std::clamp(Position(), FMin, FMax);
}

void TTrackBar::SetMax(Integer Value) {
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  if (HandleAllocated()) {
    win::SendMessageW(FHandle, win::TBM_SETRANGEMIN, 0, FMin);
    win::SendMessageW(FHandle, win::TBM_SETRANGEMAX, 1, FMax);
  }
  FPosition = std::clamp(Position(), FMin, FMax);
}

void TTrackBar::SetFrequency(Integer Value) {
  FFrequency = std::max<Integer>(Value, 1);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::TBM_SETTICFREQ, win::WPARAM(FFrequency), 0);
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (FTickStyle == Value) return;
  FTickStyle = Value;
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  if (FTickMarks == Value) return;
  FTickMarks = Value;
  RecreateWnd();
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TTrackBar::UpdateSelection() {
  if (!HandleAllocated()) return;
  if (FSelEnd > FSelStart) {
    win::SendMessageW(FHandle, win::TBM_SETSEL, 1, win::MAKELPARAM(win::WORD(FSelStart), win::WORD(FSelEnd)));
    win::SendMessageW(FHandle, win::TBM_SETSELSTART, 0, FSelStart);
    win::SendMessageW(FHandle, win::TBM_SETSELEND, 1, FSelEnd);
  } else {
    win::SendMessageW(FHandle, win::TBM_CLEARSEL, 1, 0);
  }
}

void TTrackBar::SetSelStart(Integer Value) {
  FSelStart = Value;
  UpdateSelection();
}

void TTrackBar::SetSelEnd(Integer Value) {
  FSelEnd = Value;
  UpdateSelection();
}

void TTrackBar::SetLineSize(Integer Value) {
  FLineSize = std::max<Integer>(Value, 1);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::TBM_SETLINESIZE, 0, FLineSize);
}

void TTrackBar::SetPageSize(Integer Value) {
  FPageSize = std::max<Integer>(Value, 1);
  if (HandleAllocated()) win::SendMessageW(FHandle, win::TBM_SETPAGESIZE, 0, FPageSize);
}

void TTrackBar::SetTick(Integer Value) {
  if (HandleAllocated()) win::SendMessageW(FHandle, win::TBM_SETTIC, 0, Value);
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

void TTrackBar::CNScroll(TMessage&) {
  Integer pos = Position();
  if (pos == FPosition) return;
  FPosition = pos;
  Changed();
}

void TTrackBar::Dispatch(TMessage& Message) {
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

// ---- TUpDown ----

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  win::RegisterStandardControls();
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Exclude(csDoubleClicks);
  SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, win::UPDOWN_CLASSW);
  Params.Style |= win::UDS_SETBUDDYINT;
  Params.Style |= FAlignButton == udRight ? win::UDS_ALIGNRIGHT : win::UDS_ALIGNLEFT;
  if (FWrap) Params.Style |= win::UDS_WRAP;
  if (!FThousands) Params.Style |= win::UDS_NOTHOUSANDS;
  if (FOrientation == udHorizontal) Params.Style |= win::UDS_HORZ;
  if (FArrowKeys) Params.Style |= win::UDS_ARROWKEYS;
}

void TUpDown::CreateWnd() {
  TWinControl::CreateWnd();
  win::SendMessageW(FHandle, win::UDM_SETRANGE32, win::WPARAM(FMin), FMax);
  ApplyAccel();
  if (FAssociate != nullptr) win::SendMessageW(FHandle, win::UDM_SETBUDDY, win::WPARAM(FAssociate->Handle()), 0);
  win::SendMessageW(FHandle, win::UDM_SETPOS32, 0, FPosition);
}

void TUpDown::DestroyWnd() {
  if (FHandle != nullptr) FPosition = Position();
  TWinControl::DestroyWnd();
}

void TUpDown::ApplyAccel() {
  if (!HandleAllocated()) return;
  win::UDACCEL accel{0, win::UINT(FIncrement)};
  win::SendMessageW(FHandle, win::UDM_SETACCEL, 1, reinterpret_cast<win::LPARAM>(&accel));
}

Integer TUpDown::Position() {
  if (!HandleAllocated()) return FPosition;
  win::BOOL failed = win::FALSE;
  auto pos = Integer(win::SendMessageW(FHandle, win::UDM_GETPOS32, 0, reinterpret_cast<win::LPARAM>(&failed)));
  if (!failed) FPosition = pos;
  return FPosition;
}

void TUpDown::SetPosition(Integer Value) {
  FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
  if (HandleAllocated()) win::SendMessageW(FHandle, win::UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetMin(Integer Value) {
  FMin = Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::UDM_SETRANGE32, win::WPARAM(FMin), FMax);
  SetPosition(Position());
}

void TUpDown::SetMax(Integer Value) {
  FMax = Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::UDM_SETRANGE32, win::WPARAM(FMin), FMax);
  SetPosition(Position());
}

void TUpDown::SetIncrement(Integer Value) {
  FIncrement = std::max<Integer>(Value, 1);
  ApplyAccel();
}

void TUpDown::SetAssociate(TWinControl* Value) {
  if (Value == this) Value = nullptr;
  if (FAssociate != nullptr) FAssociate->RemoveFreeNotification(this);
  FAssociate = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  if (HandleAllocated()) {
    win::SendMessageW(FHandle, win::UDM_SETBUDDY, win::WPARAM(Value != nullptr ? Value->Handle() : nullptr), 0);
    win::SendMessageW(FHandle, win::UDM_SETPOS32, 0, FPosition);
    UpdateBounds();
  }
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAssociate) {
    FAssociate = nullptr;
    if (HandleAllocated()) win::SendMessageW(FHandle, win::UDM_SETBUDDY, 0, 0);
  }
}

void TUpDown::SetAlignButton(TUDAlignButton Value) {
  if (FAlignButton == Value) return;
  FAlignButton = Value;
  RecreateWnd();
}

void TUpDown::SetWrap(bool Value) {
  if (FWrap == Value) return;
  FWrap = Value;
  RecreateWnd();
}

void TUpDown::SetThousands(bool Value) {
  if (FThousands == Value) return;
  FThousands = Value;
  RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TUpDown::SetArrowKeys(bool Value) {
  if (FArrowKeys == Value) return;
  FArrowKeys = Value;
  RecreateWnd();
}

bool TUpDown::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TUpDown::Click(TUDBtnType Button) {
  if (OnClick) OnClick(this, Button);
}

void TUpDown::CNNotify(TMessage& Message) {
  const auto* hdr = reinterpret_cast<const win::NMHDR*>(Message.LParam);
  if (hdr != nullptr && hdr->code == win::UDN_DELTAPOS) Message.Result = CanChange() ? 0 : 1;
}

void TUpDown::CNScroll(TMessage& Message) {
  if (win::LOWORD(win::DWORD(Message.WParam)) != win::SB_THUMBPOSITION) return;
  Integer old = FPosition;
  Integer pos = Position();
  if (pos == old) return;
  // A wrap from one end to the other is still a step the way the button points.
  bool up = pos > old;
  if (FWrap && std::abs(pos - old) > FIncrement) up = !up;
  Click(up ? btNext : btPrev);
}

void TUpDown::Dispatch(TMessage& Message) {
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

}  // namespace fw
