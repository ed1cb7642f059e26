// The frame's default handling of the non-client messages.

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/Beep.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/detail/FrameButtons.h"
#include "platform/user/detail/FramePaint.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/MoveSize.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win::frame {
namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

LRESULT OnNcCalcSize(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  user::WindowObj* w = user::FindWindowObj(hwnd);
  if (!w || !lParam) return 0;
  RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  FrameLayout l = LayoutForSize(hwnd, w->style, w->exStyle, r->right - r->left, r->bottom - r->top, nullptr);
  *r = RECT{r->left + l.client.left, r->top + l.client.top, r->left + l.client.right, r->top + l.client.bottom};
  return 0;
}

LRESULT OnNcHitTest(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f)) return HTNOWHERE;
  POINT p = ToWindow(f, PointOf(lParam));
  LRESULT hit = HitTestLayout(f.layout, f.style, p);
  // A minimised window is its caption strip: its buttons keep working, the rest moves it.
  if ((f.style.style & WS_MINIMIZE) && hit != HTNOWHERE && hit != HTSYSMENU && hit != HTMINBUTTON &&
      hit != HTMAXBUTTON && hit != HTCLOSE && hit != HTHELP)
    return HTCAPTION;
  return hit;
}

namespace {

// Paints the frame now through a window DC, limited to `screenRgn` when given.
void PaintNow(HWND hwnd, HRGN screenRgn) {
  if (!IsWindowVisible(hwnd)) return;
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f)) return;
  HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  if (screenRgn) {
    HRGN local = CreateRectRgn(0, 0, 0, 0);
    if (CombineRgn(local, screenRgn, nullptr, RGN_COPY) != 0) {
      OffsetRgn(local, -f.origin.x, -f.origin.y);
      ExtSelectClipRgn(hdc, local, RGN_AND);
    }
    DeleteObject(local);
  }
  ExcludeClipRect(hdc, f.layout.client.left, f.layout.client.top, f.layout.client.right, f.layout.client.bottom);
  FrameState* s = FindState(hwnd);
  PaintFrame(hdc, f, CaptionActive(hwnd), s ? s->pressedButton : 0);
  ReleaseDC(hwnd, hdc);
}

}  // namespace

void RepaintFrame(HWND hwnd, const RECT* part) {
  if (!IsWindowVisible(hwnd)) return;
  if (!part) {
    user::SendNcPaintMessage(hwnd, 1);
    return;
  }
  RECT window;
  if (IsRectEmpty(part) || !GetWindowRect(hwnd, &window)) return;
  HRGN rgn = CreateRectRgn(window.left + part->left, window.top + part->top, window.left + part->right,
                           window.top + part->bottom);
  user::SendNcPaintMessage(hwnd, WPARAM(rgn));
  DeleteObject(rgn);
}

LRESULT OnNcPaint(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (user::WindowObj* w = user::FindWindowObj(hwnd)) w->classicFramePainted = true;
  PaintNow(hwnd, wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr);
  return 0;
}

LRESULT OnNcActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FrameState* s = StateOf(hwnd)) s->ncActive = wParam != 0;
  if (lParam != -1) RepaintFrame(hwnd, nullptr);
  user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
  return TRUE;
}

LRESULT OnSetText(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT r = user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
  if (HasCaption(DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)))) RepaintFrame(hwnd, nullptr);
  return r;
}

namespace {

LPCWSTR CursorFor(LRESULT hit, DWORD style) {
  bool sizable = (style & WS_THICKFRAME) && !(style & (WS_MAXIMIZE | WS_MINIMIZE));
  switch (hit) {
    case HTLEFT: case HTRIGHT: return IDC_SIZEWE;
    case HTTOP: case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT: case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT: case HTBOTTOMLEFT: return IDC_SIZENESW;
    case HTGROWBOX: return sizable ? IDC_SIZENWSE : IDC_ARROW;
    default: return IDC_ARROW;
  }
}

}  // namespace

LRESULT OnSetCursor(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (user::CallUnderlyingDefault(hwnd, msg, wParam, lParam)) return TRUE;
  LRESULT hit = SHORT(LOWORD(lParam));
  if (hit == HTERROR) {
    WORD mouse = HIWORD(lParam);
    if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
    return FALSE;
  }
  if (hit == HTCLIENT) {
    auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(hwnd, GCLP_HCURSOR));
    if (!cursor) return FALSE;  // the window sets its own cursor
    SetCursor(cursor);
    return TRUE;
  }
  SetCursor(LoadCursorW(nullptr, CursorFor(hit, DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)))));
  return TRUE;
}

LRESULT OnNcLButtonDown(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT hit = LRESULT(wParam);
  DWORD style = DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (hit) {
    case HTCAPTION: SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam); return 0;
    case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOM: case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      if (style & WS_THICKFRAME) SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE + WPARAM(hit - HTLEFT + WMSZ_LEFT), lParam);
      return 0;
    case HTGROWBOX:
      if ((style & WS_THICKFRAME) && !(style & (WS_MAXIMIZE | WS_MINIMIZE)))
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, lParam);
      return 0;
    case HTSYSMENU: SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, lParam); return 0;
    case HTMENU: SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU, lParam); return 0;
    case HTVSCROLL: SendMessageW(hwnd, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lParam); return 0;
    case HTHSCROLL: SendMessageW(hwnd, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, lParam); return 0;
    case HTMINBUTTON: case HTMAXBUTTON: case HTCLOSE: case HTHELP: {
      if (!TrackCaptionButton(hwnd, hit)) return 0;
      WPARAM command = hit == HTCLOSE    ? SC_CLOSE
                       : hit == HTHELP   ? SC_CONTEXTHELP
                       : hit == HTMINBUTTON ? ((style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE)
                                            : ((style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE);
      SendMessageW(hwnd, WM_SYSCOMMAND, command, lParam);
      return 0;
    }
    default: return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
  }
}

LRESULT OnNcLButtonDblClk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD style = DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (LRESULT(wParam)) {
    case HTCAPTION:
      if (style & (WS_MAXIMIZE | WS_MINIMIZE))
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, lParam);
      else if (style & WS_MAXIMIZEBOX)
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, lParam);
      return 0;
    case HTSYSMENU:
      if (SystemMenuCommandEnabled(hwnd, SC_CLOSE)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    case HTVSCROLL: case HTHSCROLL: return OnNcLButtonDown(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);
    default: return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
  }
}

LRESULT OnNcRButtonUp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  SendMessageW(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), lParam);
  return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
}

LRESULT OnContextMenu(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (lParam != -1 && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_SYSMENU)) {
    LRESULT hit = SendMessageW(hwnd, WM_NCHITTEST, 0, lParam);
    if (hit == HTCAPTION || hit == HTSYSMENU) {
      TrackSystemMenu(hwnd, PointOf(lParam));
      return 0;
    }
  }
  return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
}

LRESULT OnNcDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT r = user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
  DropState(hwnd);
  return r;
}

LRESULT OnPrint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto hdc = reinterpret_cast<HDC>(wParam);
  if ((lParam & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return 0;
  // A window that paints its own frame answers WM_PRINT's frame part itself.
  user::WindowObj* w = user::FindWindowObj(hwnd);
  if ((lParam & PRF_NONCLIENT) && hdc && w && !w->ownsFrame) {
    WindowFrame f;
    if (WindowFrameOf(hwnd, &f)) {
      int saved = SaveDC(hdc);
      ExcludeClipRect(hdc, f.layout.client.left, f.layout.client.top, f.layout.client.right, f.layout.client.bottom);
      FrameState* s = FindState(hwnd);
      PaintFrame(hdc, f, CaptionActive(hwnd), s ? s->pressedButton : 0);
      RestoreDC(hdc, saved);
    }
  }
  // Handed on whole: the client part places itself below the frame when PRF_NONCLIENT is set.
  return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
}

}  // namespace win::frame
