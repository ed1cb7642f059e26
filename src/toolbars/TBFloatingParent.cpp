#include "toolbars/TBFloatingParent.h"

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/kernel/Rects.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

namespace toolbars {
namespace {

win::POINT PointOf(win::LPARAM LParam) {
  return win::POINT{Integer(short(LParam & 0xFFFF)), Integer(short((LParam >> 16) & 0xFFFF))};
}

bool Inside(const TRect& R, Integer X, Integer Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

}  // namespace

TTBFloatingWindowParent::TTBFloatingWindowParent(fw::TComponent* AOwner) : fw::TCustomForm(AOwner) {
  SetBorderStyle(fw::bsToolWindow);
  SetShowHint(true);
}

TTBFloatingWindowParent::~TTBFloatingWindowParent() = default;

void TTBFloatingWindowParent::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomForm::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
  Params.Style = win::WS_POPUP | win::WS_BORDER | win::WS_CLIPCHILDREN;
  if (FDockableWindow && FDockableWindow->Resizable()) Params.Style |= win::WS_THICKFRAME;
  Params.ExStyle = win::WS_EX_TOOLWINDOW;
  if (FParentForm && FParentForm->HandleAllocated()) Params.WndParent = FParentForm->Handle();
}

TRect TTBFloatingWindowParent::GetCaptionRect(bool AdjustForBorder, bool MinusCloseButton) const {
  TPoint border{};
  if (FDockableWindow) FDockableWindow->GetFloatingBorderSize(border);
  const Integer h = win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  TRect r{0, 0, Width() - 2 * border.x, h};
  if (MinusCloseButton && FDockableWindow && FDockableWindow->CloseButton()) r.right -= h;
  if (AdjustForBorder) {
    r.left += border.x;
    r.right += border.x;
    r.top += border.y;
    r.bottom += border.y;
  }
  return r;
}

TRect TTBFloatingWindowParent::GetCloseButtonRect(bool AdjustForBorder) const {
  TRect r = GetCaptionRect(AdjustForBorder, false);
  r.left = r.right - (r.bottom - r.top);
  return r;
}

void TTBFloatingWindowParent::RedrawNCArea(TTBFloatingRedraw RedrawWhat) {
  if (!HandleAllocated()) return;
  win::HDC dc = win::GetWindowDC(Handle());
  DrawNCArea(true, dc, nullptr, RedrawWhat);
  win::ReleaseDC(Handle(), dc);
}

void TTBFloatingWindowParent::DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip, TTBFloatingRedraw RedrawWhat) {
  if (!FDockableWindow || !HandleAllocated()) return;
  win::HDC dc = DrawToDC ? ADC : win::GetWindowDC(Handle());
  if (!DrawToDC) SelectNCUpdateRgn(Handle(), dc, Clip);
  const int saved = win::SaveDC(dc);
  win::RECT r{0, 0, Width(), Height()};
  TPoint border{};
  FDockableWindow->GetFloatingBorderSize(border);
  const bool showCaption = FDockableWindow->ShowCaption();
  if (RedrawWhat & twrdBorder) {
    win::RECT client{border.x, border.y, r.right - border.x, r.bottom - border.y};
    if (showCaption) client.top += win::GetSystemMetrics(win::SM_CYSMCAPTION);
    const int inner = win::SaveDC(dc);
    win::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    if (showCaption) {
      const TRect cap = GetCaptionRect(true, false);
      win::ExcludeClipRect(dc, cap.left, cap.top, cap.right, cap.bottom);
    }
    win::FillRect(dc, &r, win::GetSysColorBrush(win::COLOR_BTNFACE));
    win::RECT e = r;
    win::DrawEdge(dc, &e, win::EDGE_RAISED, win::BF_RECT);
    win::RestoreDC(dc, inner);
  }
  if (showCaption) {
    if (RedrawWhat & twrdCaption) {
      const TRect cap = GetCaptionRect(true, FDockableWindow->CloseButton());
      win::RECT c{cap.left, cap.top, cap.right, cap.bottom};
      win::BOOL gradient = win::FALSE;
      win::SystemParametersInfoW(win::SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
      win::UINT flags = win::DC_SMALLCAP | win::DC_TEXT;
      if (!FDockableWindow->InactiveCaption()) flags |= win::DC_ACTIVE;
      if (gradient) flags |= win::DC_GRADIENT;
      win::DrawCaption(Handle(), dc, &c, flags);
      // A face-coloured line under the caption.
      const TRect full = GetCaptionRect(true, false);
      win::RECT line{full.left, full.bottom, full.right, full.bottom + 1};
      win::FillRect(dc, &line, win::GetSysColorBrush(win::COLOR_BTNFACE));
    }
    if ((RedrawWhat & twrdCloseButton) && FDockableWindow->CloseButton()) {
      const TRect b = GetCloseButtonRect(true);
      win::RECT c{b.left, b.top, b.right, b.bottom};
      win::DrawFrameControl(dc, &c, win::DFC_CAPTION,
                            win::DFCS_CAPTIONCLOSE | (FCloseButtonDown ? win::DFCS_PUSHED : 0u));
    }
  }
  win::RestoreDC(dc, saved);
  if (!DrawToDC) win::ReleaseDC(Handle(), dc);
}

void TTBFloatingWindowParent::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<win::MINMAXINFO*>(Message.LParam);
      info->ptMinTrackSize = win::POINT{1, 1};
      info->ptMaxTrackSize = win::POINT{32767, 32767};
      Message.Result = 0;
      return;
    }
    case fw::CM_SHOWINGCHANGED:
      if (HandleAllocated())
        win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                          win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                              ((Showing() && FShouldShow) ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW));
      return;
    case fw::CM_DIALOGKEY:
      if (Message.WParam == win::VK_ESCAPE && !(win::GetKeyState(win::VK_SHIFT) < 0) &&
          !(win::GetKeyState(win::VK_CONTROL) < 0) && !(win::GetKeyState(win::VK_MENU) < 0) && FParentForm) {
        FParentForm->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    case fw::CM_TEXTCHANGED:
      fw::TCustomForm::Dispatch(Message);
      RedrawNCArea(twrdCaption);
      return;
    case win::WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<win::RECT*>(Message.LParam);
      TPoint border{};
      if (FDockableWindow) FDockableWindow->GetFloatingBorderSize(border);
      win::InflateRect(r, -border.x, -border.y);
      if (FDockableWindow && FDockableWindow->ShowCaption()) r->top += win::GetSystemMetrics(win::SM_CYSMCAPTION);
      Message.Result = 0;
      return;
    }
    case win::WM_NCHITTEST: {
      if (!FDockableWindow) break;
      const win::POINT p = PointOf(Message.LParam);
      win::RECT wr{};
      win::GetWindowRect(Handle(), &wr);
      const Integer x = p.x - wr.left, y = p.y - wr.top;
      {
        TPoint b{};
        FDockableWindow->GetFloatingBorderSize(b);
        const Integer top = b.y + (FDockableWindow->ShowCaption() ? win::GetSystemMetrics(win::SM_CYSMCAPTION) : 0);
        if (Inside(TRect{b.x, top, Integer(wr.right - wr.left) - b.x, Integer(wr.bottom - wr.top) - b.y}, x, y)) {
          Message.Result = win::HTCLIENT;
          return;
        }
      }
      Message.Result = win::HTNOWHERE;
      if (FDockableWindow->ShowCaption() && Inside(GetCaptionRect(true, false), x, y)) {
        Message.Result = (FDockableWindow->CloseButton() && Inside(GetCloseButtonRect(true), x, y)) ? HTDockClose
                                                                                                   : HTDockCaption;
        return;
      }
      if (!FDockableWindow->Resizable()) return;
      TPoint border{};
      FDockableWindow->GetFloatingBorderSize(border);
      const bool left = x < border.x, right = x >= Width() - border.x - 1;
      const bool top = y < border.y, bottom = y >= Height() - border.y - 1;
      if (FDockableWindow->ResizeStyle() & trsCorners) {
        const Integer cx = border.x + win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
        const Integer cy = border.y + win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
        const bool nearLeft = x < cx, nearRight = x >= Width() - cx, nearTop = y < cy, nearBottom = y >= Height() - cy;
        if ((top && nearLeft) || (left && nearTop)) return void(Message.Result = win::HTTOPLEFT);
        if ((top && nearRight) || (right && nearTop)) return void(Message.Result = win::HTTOPRIGHT);
        if ((bottom && nearLeft) || (left && nearBottom)) return void(Message.Result = win::HTBOTTOMLEFT);
        if ((bottom && nearRight) || (right && nearBottom)) return void(Message.Result = win::HTBOTTOMRIGHT);
      }
      if (left) Message.Result = win::HTLEFT;
      else if (right) Message.Result = win::HTRIGHT;
      else if (top) Message.Result = win::HTTOP;
      else if (bottom) Message.Result = win::HTBOTTOM;
      return;
    }
    case win::WM_NCLBUTTONDOWN: {
      if (!FDockableWindow) break;
      const Integer code = Integer(Message.WParam);
      if (code >= win::HTLEFT && code <= win::HTBOTTOMRIGHT) {
        if (FDockableWindow->Resizable())
          FDockableWindow->BeginSizing(code, win::POINT{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)});
        return;
      }
      if (code == HTDockClose) {
        if (FDockableWindow->TrackCloseButton(Handle(), GetCloseButtonRect(true), FCloseButtonDown))
          FDockableWindow->Close();
        return;
      }
      if (code == HTDockCaption) {
        const win::POINT p = PointOf(Message.LParam);
        const TPoint c = FDockableWindow->ScreenToClient(TPoint{p.x, p.y});
        FDockableWindow->BeginMoving(c.x, c.y);
        return;
      }
      break;
    }
    case win::WM_NCLBUTTONDBLCLK:
      if (FDockableWindow && Integer(Message.WParam) == HTDockCaption) {
        FDockableWindow->DoubleClick();
        return;
      }
      break;
    case win::WM_NCRBUTTONUP:
      if (FDockableWindow && FDockableWindow->HandleAllocated()) {
        win::SendMessageW(FDockableWindow->Handle(), win::WM_CONTEXTMENU,
                          win::WPARAM(FDockableWindow->Handle()), Message.LParam);
        return;
      }
      break;
    case win::WM_CLOSE:
      // Closing the tool window closes the program's main form, as the system close key would.
      if (fw::Application && fw::Application->MainForm() && fw::Application->MainForm()->HandleAllocated())
        win::PostMessageW(fw::Application->MainForm()->Handle(), win::WM_CLOSE, 0, 0);
      Message.Result = 0;
      return;
    case win::WM_ACTIVATE: {
      // The main form's caption stays active while its tool window is used; activation itself
      // goes back to the main form, or on to another window when this one is out of sight.
      fw::TCustomForm::Dispatch(Message);
      fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
      const bool activating = (Message.WParam & 0xFFFF) != win::WA_INACTIVE;
      if (mainForm && mainForm->HandleAllocated())
        win::SendMessageW(mainForm->Handle(), win::WM_NCACTIVATE, activating, 0);
      if (!activating) return;
      if (!win::IsWindowVisible(Handle()))
        PassActivation(Handle());
      else if (mainForm && mainForm->HandleAllocated() &&
               reinterpret_cast<win::HWND>(Message.LParam) != mainForm->Handle())
        win::SetActiveWindow(mainForm->Handle());
      return;
    }
    case win::WM_MOUSEACTIVATE: {
      win::SetWindowPos(Handle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE);
      fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
      if (FDockableWindow && FDockableWindow->FloatingMode() == fmOnTopOfParentForm &&
          FDockableWindow->ActivateParent() && mainForm && mainForm->HandleAllocated() &&
          win::GetActiveWindow() != Handle()) {
        win::SetActiveWindow(mainForm->Handle());
        // An owner form other than the main form comes up with it, under its tool window.
        if (FParentForm && FParentForm != mainForm && FParentForm->HandleAllocated()) {
          win::SetWindowPos(FParentForm->Handle(), win::HWND_TOP, 0, 0, 0, 0,
                            win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE);
          win::SetWindowPos(Handle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE);
        }
      }
      Message.Result = win::MA_NOACTIVATE;
      return;
    }
    case win::WM_PRINT:
      HandleWMPrint(
          Handle(), Message,
          [](win::HWND, win::HDC DC, void* AppData) {
            static_cast<TTBFloatingWindowParent*>(AppData)->DrawNCArea(true, DC, nullptr, twrdAll);
          },
          this);
      return;
    case win::WM_PRINTCLIENT: HandleWMPrintClient(this, Message); return;
    case win::WM_MOVE:
      fw::TCustomForm::Dispatch(Message);
      if (FDockableWindow && FDockableWindow->OnMove) FDockableWindow->OnMove(FDockableWindow);
      return;
    case win::WM_SETCURSOR: {
      // The frame's own codes get their cursor here; the client area is left to the window.
      const Integer code = Integer(short(Message.LParam & 0xFFFF));
      const char16_t* cursor = nullptr;
      switch (code) {
        case win::HTLEFT:
        case win::HTRIGHT: cursor = win::IDC_SIZEWE; break;
        case win::HTTOP:
        case win::HTBOTTOM: cursor = win::IDC_SIZENS; break;
        case win::HTTOPLEFT:
        case win::HTBOTTOMRIGHT: cursor = win::IDC_SIZENWSE; break;
        case win::HTTOPRIGHT:
        case win::HTBOTTOMLEFT: cursor = win::IDC_SIZENESW; break;
        case win::HTNOWHERE:
        case HTDockCaption:
        case HTDockClose: cursor = win::IDC_ARROW; break;
        default: break;
      }
      if (cursor) {
        win::SetCursor(win::LoadCursorW(nullptr, cursor));
        Message.Result = 1;
        return;
      }
      break;
    }
    case win::WM_CAPTURECHANGED:
      win::PostMessageW(Handle(), win::WM_NULL, 0, 0);  // wakes the close-button or sizing loop
      break;
    case win::WM_NCPAINT:
      DrawNCArea(false, nullptr, reinterpret_cast<win::HRGN>(Message.WParam), twrdAll);
      Message.Result = 0;
      return;
    case win::WM_NCACTIVATE:
      Message.Result = 1;
      RedrawNCArea(twrdAll);
      return;
    case win::WM_DISPLAYCHANGE:
      // The monitor the window floated on may be gone: it comes back onto the nearest one.
      fw::TCustomForm::Dispatch(Message);
      if (FDockableWindow && FDockableWindow->Floating()) FDockableWindow->MoveOnScreen(true);
      return;
    default: break;
  }
  fw::TCustomForm::Dispatch(Message);
}

}  // namespace toolbars
