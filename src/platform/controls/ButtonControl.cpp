// The button's window procedure: state, checks, mouse and keyboard, notifications.

#include <mutex>
#include <string_view>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ButtonInternal.h"
#include "platform/controls/Edit.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace win::button {

DWORD TypeOf(HWND hwnd) { return DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckBox(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

bool LooksPushed(HWND hwnd) {
  DWORD type = TypeOf(hwnd);
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_PUSHBOX || type == BS_USERBUTTON) return true;
  return (IsCheckBox(type) || IsRadio(type)) && (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_PUSHLIKE) != 0;
}

namespace {

State* StateOf(HWND hwnd) { return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0)); }

bool HasStyle(HWND hwnd, DWORD style) { return (DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)) & style) != 0; }

void Notify(HWND hwnd, WORD code) {
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(hwnd)), code), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT MaxCheck(DWORD type) {
  if (type == BS_3STATE || type == BS_AUTO3STATE) return BST_INDETERMINATE;
  return IsCheckBox(type) || IsRadio(type) ? BST_CHECKED : BST_UNCHECKED;
}

void SetCheck(HWND hwnd, State& s, LRESULT value) {
  value = value < 0 ? 0 : value > MaxCheck(TypeOf(hwnd)) ? MaxCheck(TypeOf(hwnd)) : value;
  if (s.check == value) return;
  s.check = value;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void SetPushed(HWND hwnd, State& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  InvalidateRect(hwnd, nullptr, FALSE);
}

bool SameClass(HWND a, HWND b) {
  char16_t ca[16]{}, cb[16]{};
  return GetClassNameW(a, ca, 16) > 0 && GetClassNameW(b, cb, 16) > 0 && std::u16string_view(ca) == cb;
}

// The siblings of the group `hwnd` belongs to, in z-order: from the last WS_GROUP sibling at or
// before it up to (not including) the next WS_GROUP sibling.
std::vector<HWND> GroupOf(HWND hwnd) {
  HWND first = hwnd;
  while (!HasStyle(first, WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev) break;
    first = prev;
  }
  std::vector<HWND> group{first};
  for (HWND h = GetWindow(first, GW_HWNDNEXT); h && !HasStyle(h, WS_GROUP); h = GetWindow(h, GW_HWNDNEXT))
    group.push_back(h);
  return group;
}

void UncheckOtherRadios(HWND hwnd) {
  for (HWND h : GroupOf(hwnd)) {
    if (h == hwnd || !SameClass(h, hwnd) || TypeOf(h) != BS_AUTORADIOBUTTON) continue;
    SendMessageW(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND hwnd, State& s) {
  switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX: SetCheck(hwnd, s, s.check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED); break;
    case BS_AUTO3STATE: SetCheck(hwnd, s, (s.check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      SetCheck(hwnd, s, BST_CHECKED);
      UncheckOtherRadios(hwnd);
      break;
    default: break;
  }
  Notify(hwnd, BN_CLICKED);
}

// The arrow keys on a radio button: the next (or previous) visible, enabled radio button of the
// group takes the focus, wrapping round.
void MoveInGroup(HWND hwnd, bool forward) {
  std::vector<HWND> group = GroupOf(hwnd);
  size_t n = group.size(), at = 0;
  while (at < n && group[at] != hwnd) ++at;
  if (at == n) return;
  for (size_t step = 1; step < n; ++step) {
    HWND h = group[(forward ? at + step : at + n - step) % n];
    if (SameClass(h, hwnd) && IsRadio(TypeOf(h)) && IsWindowVisible(h) && IsWindowEnabled(h)) {
      SetFocus(h);
      return;
    }
  }
}

LRESULT DialogCode(HWND hwnd) {
  switch (TypeOf(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_PUSHBOX:
    case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

bool SendsDoubleClicks(HWND hwnd) {
  DWORD type = TypeOf(hwnd);
  return IsRadio(type) || type == BS_OWNERDRAW || type == BS_USERBUTTON || HasStyle(hwnd, BS_NOTIFY);
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new State));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  State* s = StateOf(hwnd);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete s;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
  const DWORD type = TypeOf(hwnd);
  const bool groupBox = type == BS_GROUPBOX;
  switch (msg) {
    case WM_CREATE: s->font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(uintptr_t(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (wParam) {
        Paint(hwnd, *s, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) Paint(hwnd, *s, hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_NCHITTEST: return groupBox ? HTTRANSPARENT : DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_SETFOCUS:
      s->focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (HasStyle(hwnd, BS_NOTIFY)) Notify(hwnd, BN_SETFOCUS);
      // Focus moved here by the keyboard selects a radio button.
      if (IsRadio(type) && !s->tracking && GetCapture() != hwnd && s->check == BST_UNCHECKED && StateOf(hwnd) == s)
        Click(hwnd, *s);
      return 0;
    case WM_KILLFOCUS:
      s->focused = false;
      s->spaceDown = false;
      if (s->tracking) {
        s->tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      SetPushed(hwnd, *s, false);
      InvalidateRect(hwnd, nullptr, FALSE);
      if (HasStyle(hwnd, BS_NOTIFY)) Notify(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDBLCLK:
      if (SendsDoubleClicks(hwnd)) {
        Notify(hwnd, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (groupBox) return 0;
      s->tracking = true;
      SetCapture(hwnd);
      SetFocus(hwnd);
      if (StateOf(hwnd) != s) return 0;  // destroyed by the focus change
      if (!s->tracking) return 0;        // the focus change cancelled the press
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
        if (inside && StateOf(hwnd) == s) Click(hwnd, *s);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (s->tracking) {
        s->tracking = false;
        SetPushed(hwnd, *s, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (groupBox) return 0;
      if (wParam == VK_SPACE) {
        s->spaceDown = true;
        SetPushed(hwnd, *s, true);
      } else if (IsRadio(type) && (wParam == VK_UP || wParam == VK_LEFT || wParam == VK_DOWN || wParam == VK_RIGHT)) {
        MoveInGroup(hwnd, wParam == VK_DOWN || wParam == VK_RIGHT);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && s->spaceDown) {
        s->spaceDown = false;
        SetPushed(hwnd, *s, false);
        Click(hwnd, *s);
      }
      return 0;
    case BM_CLICK:
      if (!groupBox && IsWindowEnabled(hwnd)) Click(hwnd, *s);
      return 0;
    case BM_GETCHECK: return s->check;
    case BM_SETCHECK: SetCheck(hwnd, *s, LRESULT(wParam)); return 0;
    case BM_GETSTATE:
      return s->check | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(hwnd, *s, wParam != 0); return 0;
    case BM_SETSTYLE: {
      LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
      style = (style & ~LONG_PTR(0xFFFF)) | LONG_PTR(wParam & 0xFFFF);
      SetWindowLongPtrW(hwnd, GWL_STYLE, style);
      SetCheck(hwnd, *s, s->check);  // a style with fewer check states clamps the check
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace
}  // namespace win::button

namespace win {

BOOL RegisterButtonClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = button::ButtonProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = u"Button";
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
