// The push button.

#include "platform/controls/MessageBoxButton.h"

#include <memory>
#include <mutex>

#include "platform/controls/Edit.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/DefWindowProc.h"
#include "platform/user/Input.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messages.h"
#include "platform/user/Paint.h"
#include "platform/user/SysColors.h"
#include "platform/user/UserDraw.h"
#include "platform/user/Window.h"

namespace win {
namespace {

struct ButtonState {
  HFONT font = nullptr;
  bool pushed = false;    // drawn pressed
  bool tracking = false;  // the left button went down on it
  bool spaceDown = false;
  bool focused = false;
};

ButtonState* StateOf(HWND hwnd) { return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(hwnd, 0)); }

bool IsDefault(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

void SetPushed(HWND hwnd, ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void Clicked(HWND hwnd) {
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(hwnd)), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

void Paint(HWND hwnd, ButtonState& s, HDC hdc) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if (IsDefault(hwnd)) {
    // The default button wears a dark frame around its face.
    FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    rc.left += 1;
    rc.top += 1;
    rc.right -= 1;
    rc.bottom -= 1;
  }
  RECT face = rc;
  DrawFrameControl(hdc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (s.pushed ? DFCS_PUSHED : 0));
  int n = GetWindowTextLengthW(hwnd);
  std::u16string text(std::size_t(n) + 1, u'\0');
  GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(std::size_t(n));
  HGDIOBJ old = s.font ? SelectObject(hdc, s.font) : nullptr;
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT label = rc;
  if (s.pushed) OffsetRect(&label, 1, 1);
  DrawTextW(hdc, text.c_str(), int(text.size()), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (old) SelectObject(hdc, old);
  if (s.focused) {
    RECT focus = rc;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(hdc, &focus);
  }
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ButtonState));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  ButtonState* s = StateOf(hwnd);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete s;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE: s->font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) Paint(hwnd, *s, hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case WM_GETDLGCODE: return DLGC_BUTTON | (IsDefault(hwnd) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_SETFOCUS: s->focused = true; InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_KILLFOCUS:
      s->focused = false;
      s->spaceDown = false;
      SetPushed(hwnd, *s, false);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd);
      if (StateOf(hwnd) != s) return 0;
      s->tracking = true;
      SetCapture(hwnd);
      SetPushed(hwnd, *s, true);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking) {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        SetPushed(hwnd, *s, PtInRect(&rc, pt) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (s->tracking) {
        bool inside = s->pushed;
        s->tracking = false;
        SetPushed(hwnd, *s, false);
        ReleaseCapture();
        if (inside) Clicked(hwnd);
      }
      return 0;
    case WM_CAPTURECHANGED:
      s->tracking = false;
      SetPushed(hwnd, *s, false);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        s->spaceDown = true;
        SetPushed(hwnd, *s, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && s->spaceDown) {
        s->spaceDown = false;
        SetPushed(hwnd, *s, false);
        Clicked(hwnd);
      }
      return 0;
    case BM_CLICK: Clicked(hwnd); return 0;
    case BM_GETSTATE: return (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(hwnd, *s, wParam != 0); return 0;
    case BM_SETSTYLE: {
      LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
      style = (style & ~LONG_PTR(BS_TYPEMASK)) | LONG_PTR(wParam & BS_TYPEMASK);
      SetWindowLongPtrW(hwnd, GWL_STYLE, style);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

BOOL RegisterButtonClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = ButtonProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = u"Button";
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
