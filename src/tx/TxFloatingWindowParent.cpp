#include "tx/TxFloatingWindowParent.h"

#include <cstdlib>

#include "framework/ControlMessages.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/messages/Input.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "tx/Tx.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;
using detail::TDCCanvas;

void TTxFloatingWindowParent::DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip, TTBFloatingRedraw RedrawWhat) {
  TTBCustomDockableWindow* hosted = DockableWindow();
  if (!hosted || !HandleAllocated()) return;
  win::HDC dc = DrawToDC ? ADC : win::GetWindowDC(Handle());
  if (!dc) return;
  if (!DrawToDC) SelectNCUpdateRgn(Handle(), dc, Clip);
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  const TRect r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  const int saved = win::SaveDC(dc);
  win::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  TTxFloatingWindowInfo info;
  info.WindowHandle = Handle();
  info.ParentHandle = hosted->HandleAllocated() ? hosted->Handle() : nullptr;
  info.ViewType = GetWinViewType(hosted);
  info.ClientWidth = ClientWidth();
  info.ClientHeight = ClientHeight();
  info.ShowCaption = hosted->ShowCaption();
  hosted->GetFloatingBorderSize(info.FloatingBorderSize);
  if (hosted->CloseButton() && hosted->ShowCaption()) {
    info.CloseButtonState = CDBS_VISIBLE;
    if (CloseButtonDown())
      info.CloseButtonState |= CDBS_PRESSED;
    else if (FCloseButtonHover)
      info.CloseButtonState |= CDBS_HOT;
  }
  info.RedrawPart = RedrawWhat & (WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN);
  info.Caption = Caption();
  info.EffectiveColor = GetEffectiveColor(hosted);
  info.Active = !hosted->InactiveCaption();
  {
    TDCCanvas canvas(dc);
    canvas->Brush()->SetColor(info.EffectiveColor);
    CurrentTheme->PaintFloatingBorder(canvas.get(), r, info);
  }
  win::RestoreDC(dc, saved);
  if (!DrawToDC) win::ReleaseDC(Handle(), dc);
}

void TTxFloatingWindowParent::NCMouseMove(fw::TMessage& Message) {
  TTBFloatingWindowParent::Dispatch(Message);
  CallTrackMouseEvent(Handle(), win::TME_LEAVE | win::TME_NONCLIENT);
  const bool hover = Message.WParam == win::WPARAM(HTDockClose);
  if (hover == FCloseButtonHover) return;
  FCloseButtonHover = hover;
  if (Visible()) RedrawNCArea(twrdCloseButton);
}

void TTxFloatingWindowParent::MouseLeft() {
  if (win::GetCapture() || !FCloseButtonHover) return;
  FCloseButtonHover = false;
  RedrawNCArea(twrdCloseButton);
}

void TTxFloatingWindowParent::Snap(win::WINDOWPOS& Pos) {
  if (FSnapDistance <= 0 || !HandleAllocated() || (Pos.flags & win::SWP_NOMOVE)) return;
  if (!(Pos.flags & win::SWP_NOSIZE) && (Pos.cx != Width() || Pos.cy != Height())) return;  // sizing
  win::MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!win::GetMonitorInfoW(win::MonitorFromWindow(Handle(), win::MONITOR_DEFAULTTONEAREST), &mi)) return;
  const win::RECT& w = mi.rcWork;
  const Integer width = Width(), height = Height();
  if (std::abs(Pos.x + width - w.right) < FSnapDistance) Pos.x = w.right - width;
  if (std::abs(Pos.y + height - w.bottom) < FSnapDistance) Pos.y = w.bottom - height;
  if (std::abs(Pos.x - w.left) < FSnapDistance) Pos.x = w.left;
  if (std::abs(Pos.y - w.top) < FSnapDistance) Pos.y = w.top;
}

void TTxFloatingWindowParent::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_NCMOUSEMOVE: NCMouseMove(Message); return;
    case win::WM_NCMOUSELEAVE:
    case fw::CM_MOUSELEAVE:
      TTBFloatingWindowParent::Dispatch(Message);
      MouseLeft();
      return;
    case win::WM_ERASEBKGND: Message.Result = 1; return;
    case win::WM_WINDOWPOSCHANGING:
      if (auto* pos = reinterpret_cast<win::WINDOWPOS*>(Message.LParam)) Snap(*pos);
      break;
    default: break;
  }
  TTBFloatingWindowParent::Dispatch(Message);
}

}  // namespace tx
