// Default non-client geometry: frame thickness from the styles, client area and hit-testing.
// The classic frame painting and the move/size loops build on these.

#include "platform/kernel/Rects.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {

namespace {
bool HasThickFrame(DWORD style) { return (style & WS_THICKFRAME) != 0; }
bool HasDlgFrame(DWORD style, DWORD exStyle) {
  return !HasThickFrame(style) && ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME));
}
bool HasThinFrame(DWORD style, DWORD exStyle) {
  return !HasThickFrame(style) && !HasDlgFrame(style, exStyle) && (style & WS_BORDER);
}
int CaptionHeight(DWORD style, DWORD exStyle) {
  if ((style & WS_CAPTION) != WS_CAPTION) return 0;
  return (exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
}
}  // namespace

RECT DefaultFrameInsets(DWORD style, DWORD exStyle) {
  int b = 0;
  if (HasThickFrame(style))
    b = GetSystemMetrics(SM_CXFRAME);
  else if (HasDlgFrame(style, exStyle))
    b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (HasThinFrame(style, exStyle))
    b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  RECT r{b, b, b, b};
  r.top += CaptionHeight(style, exStyle);
  return r;
}

LRESULT DefaultHitTest(WindowObj& w, POINT pt) {
  RECT win = ScreenWindowRect(w);
  if (!PtInRect(&win, pt)) return HTNOWHERE;
  RECT client = ScreenClientRect(w);
  if (PtInRect(&client, pt)) return HTCLIENT;
  if (HasThickFrame(w.style) && !(w.style & (WS_MINIMIZE | WS_MAXIMIZE))) {
    int f = GetSystemMetrics(SM_CXFRAME);
    int corner = GetSystemMetrics(SM_CYCAPTION) + f;
    bool left = pt.x < win.left + f, right = pt.x >= win.right - f;
    bool top = pt.y < win.top + f, bottom = pt.y >= win.bottom - f;
    bool nearLeft = pt.x < win.left + corner, nearRight = pt.x >= win.right - corner;
    bool nearTop = pt.y < win.top + corner, nearBottom = pt.y >= win.bottom - corner;
    if (top) return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    if (bottom) return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    if (right) return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  int cap = CaptionHeight(w.style, w.exStyle);
  RECT ins = DefaultFrameInsets(w.style, w.exStyle);
  int capTop = win.top + ins.left - ((w.exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0);
  if (cap && pt.y >= capTop && pt.y < capTop + cap) return HTCAPTION;
  return HTBORDER;
}

LRESULT OnNcCalcSize(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !lParam) return 0;
  RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  RECT ins = DefaultFrameInsets(w->style, w->exStyle);
  r->left += ins.left;
  r->top += ins.top;
  r->right -= ins.right;
  r->bottom -= ins.bottom;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  return 0;
}

LRESULT OnNcHitTest(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return HTNOWHERE;
  return DefaultHitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

}  // namespace user

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT ins = user::DefaultFrameInsets(style, exStyle);
  rect->left -= ins.left;
  rect->top -= ins.top;
  rect->right += ins.right;
  rect->bottom += ins.bottom;
  if (menu) rect->top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}

}  // namespace win
