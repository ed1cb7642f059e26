#include "framework/FormsScrolling.h"

#include <algorithm>

#include "platform/user/frames/ScrollBar.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {

// ---- TControlScrollBar ----

Integer TControlScrollBar::ClientSize() const {
  TRect r = FControl->ClientRect();
  return FKind == sbHorizontal ? r.right - r.left : r.bottom - r.top;
}

Integer TControlScrollBar::MaxPosition() const { return std::max(FRange - ClientSize(), 0); }

bool TControlScrollBar::IsScrollBarVisible() const { return FVisible && FRange > ClientSize(); }

void TControlScrollBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, 0, MaxPosition());
  if (Value == FPosition) return;
  const Integer delta = FPosition - Value;
  FPosition = Value;
  if (FKind == sbHorizontal)
    FControl->ScrollBy(delta, 0);
  else
    FControl->ScrollBy(0, delta);
  FControl->ApplyScrollBar(*this);
}

void TControlScrollBar::SetRange(Integer Value) {
  FControl->FAutoScroll = false;
  FRange = std::max(Value, 0);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TControlScrollBar*>(Source)) {
    FIncrement = s->FIncrement;
    FVisible = s->FVisible;
    SetRange(s->FRange);
    SetPosition(s->FPosition);
    return;
  }
  TPersistent::Assign(Source);
}

void TControlScrollBar::Scroll(win::WORD Code, Integer ThumbPos) {
  const Integer page = std::max(ClientSize(), 1);
  switch (Code) {
    case win::SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case win::SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case win::SB_PAGEUP: SetPosition(FPosition - page); break;
    case win::SB_PAGEDOWN: SetPosition(FPosition + page); break;
    case win::SB_THUMBPOSITION:
    case win::SB_THUMBTRACK: SetPosition(ThumbPos); break;
    case win::SB_TOP: SetPosition(0); break;
    case win::SB_BOTTOM: SetPosition(MaxPosition()); break;
    default: break;
  }
}

// ---- TScrollingWinControl ----

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  if (!Value) {
    FHorzScrollBar->FRange = 0;
    FVertScrollBar->FRange = 0;
  }
  UpdateScrollBars();
}

void TScrollingWinControl::ScrollBy(Integer DeltaX, Integer DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAlign();
  for (TControl* c : FControls) {
    c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  }
  FControlState.Exclude(csAlignmentNeeded);  // moving the content changes no alignment
  EnableAlign();
  Invalidate();
}

void TScrollingWinControl::CalcAutoRange() {
  if (!FAutoScroll) return;
  Integer right = 0, bottom = 0;
  for (TControl* c : FControls) {
    if (!c->Visible() || c->Align() != alNone) continue;
    // Positions count from the unscrolled origin.
    right = std::max(right, c->Left() + c->Width() + FHorzScrollBar->FPosition);
    bottom = std::max(bottom, c->Top() + c->Height() + FVertScrollBar->FPosition);
  }
  FHorzScrollBar->FRange = right;
  FVertScrollBar->FRange = bottom;
}

void TScrollingWinControl::ApplyScrollBar(TControlScrollBar& Bar) {
  if (!HandleAllocated()) return;
  const int bar = Bar.FKind == sbHorizontal ? win::SB_HORZ : win::SB_VERT;
  const bool show = Bar.IsScrollBarVisible();
  win::ShowScrollBar(FHandle, bar, show ? win::TRUE : win::FALSE);
  if (!show) return;
  win::SCROLLINFO si;
  si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  si.nMin = 0;
  si.nMax = Bar.FRange - 1;
  si.nPage = win::UINT(std::max(Bar.ClientSize(), 0));
  si.nPos = Bar.FPosition;
  win::SetScrollInfo(FHandle, bar, &si, win::TRUE);
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  try {
    CalcAutoRange();
    // Showing one bar narrows the client area, which may call for the other: twice settles it.
    for (int pass = 0; pass < 2; ++pass) {
      ApplyScrollBar(*FHorzScrollBar);
      ApplyScrollBar(*FVertScrollBar);
    }
    // A position beyond the new range scrolls back.
    FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition);
    FVertScrollBar->SetPosition(FVertScrollBar->FPosition);
  } catch (...) {
    FUpdatingScrollBars = false;
    throw;
  }
  FUpdatingScrollBars = false;
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollingWinControl::WMSize(TMessage& Message) {
  TWinControl::WMSize(Message);
  UpdateScrollBars();
}

void TScrollingWinControl::WMScroll(TMessage& Message) {
  // The bars of the control itself (LParam 0); a scroll bar control's own go to it.
  if (Message.LParam == 0) {
    TControlScrollBar& bar = Message.Msg == win::WM_HSCROLL ? *FHorzScrollBar : *FVertScrollBar;
    Integer thumb = win::HIWORD(Message.WParam);
    win::SCROLLINFO si;
    si.fMask = win::SIF_TRACKPOS;
    if (win::GetScrollInfo(FHandle, Message.Msg == win::WM_HSCROLL ? win::SB_HORZ : win::SB_VERT, &si))
      thumb = si.nTrackPos;  // 32-bit, where the message carries 16 bits
    bar.Scroll(win::LOWORD(Message.WParam), thumb);
    Message.Result = 0;
    return;
  }
  TWinControl::WMScroll(Message);
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (AControl == nullptr || AControl == this) return;
  TWinControl* p = AControl->Parent();
  while (p != nullptr && p != this) p = p->Parent();
  if (p != this) return;
  // Its rectangle in this control's client coordinates.
  const TPoint from = AControl->Parent()->ClientOrigin(), to = ClientOrigin();
  TRect r = AControl->BoundsRect();
  const Integer dx = from.x - to.x, dy = from.y - to.y;
  r = Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
  auto bring = [](TControlScrollBar& bar, Integer low, Integer high) {
    const Integer size = bar.ClientSize();
    if (low < 0)
      bar.SetPosition(bar.Position() + low);
    else if (high > size)
      bar.SetPosition(bar.Position() + std::min(high - size, low));
  };
  bring(*FHorzScrollBar, r.left, r.right);
  bring(*FVertScrollBar, r.top, r.bottom);
}

}  // namespace fw
