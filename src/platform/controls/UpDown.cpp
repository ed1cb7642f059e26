// The up-down control ("msctls_updown32"): two arrow buttons that step a position within a
// range, with an optional buddy window that shows the position as text, auto-repeat with
// acceleration, and UDN_DELTAPOS / WM_VSCROLL (WM_HSCROLL) to the parent.

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/controls/CommCtrl.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 500, kRepeatMs = 100;
constexpr char16_t kBuddyProcProp[] = u"KvUpDownBuddyProc";
constexpr char16_t kBuddyOwnerProp[] = u"KvUpDownOf";

struct UpDown {
  HWND hwnd = nullptr;
  HWND buddy = nullptr;
  int min = 100, max = 0;  // the documented default range runs backwards
  int pos = 0;
  int base = 10;
  std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};
  int pressed = 0;  // +1 the up (right) button, -1 the down (left) one
  DWORD pressTime = 0;
};

UpDown* UpDownOf(HWND hwnd) { return reinterpret_cast<UpDown*>(GetWindowLongPtrW(hwnd, 0)); }
DWORD StyleOf(const UpDown& u) { return DWORD(GetWindowLongPtrW(u.hwnd, GWL_STYLE)); }
bool Horizontal(const UpDown& u) { return (StyleOf(u) & UDS_HORZ) != 0; }
int Low(const UpDown& u) { return std::min(u.min, u.max); }
int High(const UpDown& u) { return std::max(u.min, u.max); }

std::u16string FormatPos(const UpDown& u, int value) {
  if (u.base == 16) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    auto v = static_cast<unsigned>(value);
    std::u16string out;
    do {
      out.insert(out.begin(), digits[v % 16]);
      v /= 16;
    } while (v);
    return u"0x" + out;
  }
  long long v = value;
  bool negative = v < 0;
  unsigned long long magnitude = negative ? static_cast<unsigned long long>(-v) : static_cast<unsigned long long>(v);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), char16_t(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude);
  if (!(StyleOf(u) & UDS_NOTHOUSANDS)) {
    char16_t sep = locale::RegionalThousandSeparator();
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(digits.begin() + i, sep);
  }
  return negative ? u"-" + digits : digits;
}

// The buddy's text as a number; false when it is not one.
bool ParsePos(const UpDown& u, std::u16string_view text, int& out) {
  std::u16string clean;
  char16_t sep = locale::RegionalThousandSeparator();
  for (char16_t ch : text)
    if (ch != sep && ch != u' ' && ch != 0x00A0) clean += ch;
  if (clean.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (clean[0] == u'-' || clean[0] == u'+') {
    negative = clean[0] == u'-';
    i = 1;
  }
  int base = u.base;
  if (base == 16 && clean.size() > i + 1 && clean[i] == u'0' && (clean[i + 1] == u'x' || clean[i + 1] == u'X')) i += 2;
  if (i >= clean.size()) return false;
  long long v = 0;
  for (; i < clean.size(); ++i) {
    char16_t ch = clean[i];
    int d = ch >= u'0' && ch <= u'9' ? ch - u'0'
          : base == 16 && ch >= u'a' && ch <= u'f' ? ch - u'a' + 10
          : base == 16 && ch >= u'A' && ch <= u'F' ? ch - u'A' + 10 : -1;
    if (d < 0) return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return false;
  }
  if (negative) v = -v;
  if (base == 16 && v > 0x7FFFFFFF) v = static_cast<int>(static_cast<unsigned>(v));  // hexadecimal wraps
  if (v < INT32_MIN || v > INT32_MAX) return false;
  out = int(v);
  return true;
}

bool BuddyInt(const UpDown& u) { return u.buddy && IsWindow(u.buddy) && (StyleOf(u) & UDS_SETBUDDYINT); }

void ShowPos(UpDown& u) {
  if (BuddyInt(u)) SetWindowTextW(u.buddy, FormatPos(u, u.pos).c_str());
}

// Reads the position back from the buddy; false when its text is no number in the range.
bool ReadBuddy(UpDown& u) {
  if (!BuddyInt(u)) return true;
  int length = GetWindowTextLengthW(u.buddy);
  if (length > 64) return false;
  std::u16string text(size_t(length) + 1, u'\0');
  GetWindowTextW(u.buddy, text.data(), length + 1);
  text.resize(size_t(length));
  int value = 0;
  if (!ParsePos(u, text, value) || value < Low(u) || value > High(u)) return false;
  u.pos = value;
  return true;
}

int Increment(const UpDown& u) {
  DWORD seconds = u.pressed ? (GetTickCount() - u.pressTime) / 1000 : 0;
  UINT inc = 1;
  for (const UDACCEL& a : u.accel)
    if (a.nSec <= seconds) inc = a.nInc;
  return int(std::min<UINT>(inc, 0x7FFFFFFF));
}

void NotifyScroll(UpDown& u, WORD code) {
  if (HWND parent = GetParent(u.hwnd))
    SendMessageW(parent, Horizontal(u) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, WORD(u.pos)), LPARAM(u.hwnd));
}

// One step toward the maximum (+1) or the minimum (-1).
void Step(UpDown& u, int direction) {
  ReadBuddy(u);
  long long delta = static_cast<long long>(direction) * Increment(u) * (u.max >= u.min ? 1 : -1);
  long long target = u.pos + delta;
  bool wrap = (StyleOf(u) & UDS_WRAP) != 0;
  if (target > High(u)) target = wrap ? Low(u) : High(u);
  if (target < Low(u)) target = wrap ? High(u) : Low(u);
  if (target == u.pos) return;  // at the end of the range: nothing changes, nothing is told
  NMUPDOWN nm;
  nm.hdr.hwndFrom = u.hwnd;
  nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID(u.hwnd));
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = u.pos;
  nm.iDelta = int(target - u.pos);
  HWND parent = GetParent(u.hwnd);
  if (parent && SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm)) != 0) return;  // refused
  if (!IsWindow(u.hwnd)) return;
  u.pos = int(std::clamp<long long>(static_cast<long long>(u.pos) + nm.iDelta, Low(u), High(u)));
  ShowPos(u);
  InvalidateRect(u.hwnd, nullptr, FALSE);
  NotifyScroll(u, SB_THUMBPOSITION);
}

LRESULT BuddySubclass(HWND buddy, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropW(buddy, kBuddyProcProp));
  auto owner = static_cast<HWND>(GetPropW(buddy, kBuddyOwnerProp));
  UpDown* u = owner && IsWindow(owner) ? UpDownOf(owner) : nullptr;
  if (u && u->buddy == buddy) {
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
      Step(*u, wParam == VK_UP ? 1 : -1);
      return 0;
    }
    if (msg == WM_KEYUP && (wParam == VK_UP || wParam == VK_DOWN)) {
      NotifyScroll(*u, SB_ENDSCROLL);
      return 0;
    }
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(buddy, kBuddyProcProp);
    RemovePropW(buddy, kBuddyOwnerProp);
    if (previous) SetWindowLongPtrW(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    if (u && u->buddy == buddy) u->buddy = nullptr;
  }
  return previous ? CallWindowProcW(previous, buddy, msg, wParam, lParam) : DefWindowProcW(buddy, msg, wParam, lParam);
}

void Unhook(UpDown& u) {
  HWND b = u.buddy;
  u.buddy = nullptr;
  if (!b || !IsWindow(b) || GetPropW(b, kBuddyOwnerProp) != u.hwnd) return;
  auto previous = reinterpret_cast<WNDPROC>(GetPropW(b, kBuddyProcProp));
  // Only when nobody subclassed the buddy after us can our procedure be taken out.
  if (GetWindowLongPtrW(b, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&BuddySubclass) && previous) {
    SetWindowLongPtrW(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(b, kBuddyProcProp);
  }
  RemovePropW(b, kBuddyOwnerProp);
}

void AlignToBuddy(UpDown& u) {
  DWORD style = StyleOf(u);
  if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT))) return;
  HWND parent = GetParent(u.buddy);
  if (parent != GetParent(u.hwnd)) return;
  RECT b, me;
  GetWindowRect(u.buddy, &b);
  GetWindowRect(u.hwnd, &me);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&b), 2);
  int width = me.right - me.left;
  int height = b.bottom - b.top;
  int buddyWidth = std::max<int>(0, b.right - b.left - width);
  if (style & UDS_ALIGNRIGHT) {
    MoveWindow(u.buddy, b.left, b.top, buddyWidth, height, TRUE);
    MoveWindow(u.hwnd, b.left + buddyWidth, b.top, width, height, TRUE);
  } else {
    MoveWindow(u.buddy, b.right - buddyWidth, b.top, buddyWidth, height, TRUE);
    MoveWindow(u.hwnd, b.left, b.top, width, height, TRUE);
  }
}

HWND SetBuddy(UpDown& u, HWND buddy) {
  HWND old = u.buddy;
  Unhook(u);
  if (!buddy || !IsWindow(buddy)) return old;
  u.buddy = buddy;
  if (StyleOf(u) & UDS_ARROWKEYS) {
    if (!GetPropW(buddy, kBuddyProcProp)) {
      LONG_PTR previous = SetWindowLongPtrW(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddySubclass));
      SetPropW(buddy, kBuddyProcProp, reinterpret_cast<HANDLE>(previous));
    }
    SetPropW(buddy, kBuddyOwnerProp, u.hwnd);
  }
  AlignToBuddy(u);
  ShowPos(u);
  return old;
}

RECT HalfRect(const UpDown& u, int which) {
  RECT rc;
  GetClientRect(u.hwnd, &rc);
  if (Horizontal(u)) {
    int mid = rc.right / 2;
    return which > 0 ? RECT{mid, 0, rc.right, rc.bottom} : RECT{0, 0, mid, rc.bottom};
  }
  int mid = rc.bottom / 2;
  return which > 0 ? RECT{0, 0, rc.right, mid} : RECT{0, mid, rc.right, rc.bottom};
}

void Paint(UpDown& u, HDC hdc) {
  bool enabled = IsWindowEnabled(u.hwnd);
  for (int which : {1, -1}) {
    RECT r = HalfRect(u, which);
    UINT kind = Horizontal(u) ? (which > 0 ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)
                              : (which > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    DrawFrameControl(hdc, &r, DFC_SCROLL,
                     kind | (u.pressed == which ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  }
}

void Release(UpDown& u, bool notify) {
  if (!u.pressed) return;
  u.pressed = 0;
  KillTimer(u.hwnd, kRepeatTimer);
  if (GetCapture() == u.hwnd) ReleaseCapture();
  InvalidateRect(u.hwnd, nullptr, FALSE);
  if (notify) NotifyScroll(u, SB_ENDSCROLL);
}

void OnButtonDown(UpDown& u, POINT pt) {
  if (!IsWindowEnabled(u.hwnd)) return;
  RECT up = HalfRect(u, 1);
  u.pressed = PtInRect(&up, pt) ? 1 : -1;
  u.pressTime = GetTickCount();
  SetCapture(u.hwnd);
  InvalidateRect(u.hwnd, nullptr, FALSE);
  if (u.buddy && IsWindow(u.buddy) && GetFocus() != u.buddy) SetFocus(u.buddy);
  Step(u, u.pressed);
  if (IsWindow(u.hwnd) && u.pressed) SetTimer(u.hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
}

void OnTimer(UpDown& u) {
  if (!u.pressed) {
    KillTimer(u.hwnd, kRepeatTimer);
    return;
  }
  // Repeats only while the pointer is over the button that was pressed.
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(u.hwnd, &pt);
  RECT half = HalfRect(u, u.pressed);
  if (PtInRect(&half, pt)) Step(u, u.pressed);
  if (IsWindow(u.hwnd) && u.pressed) SetTimer(u.hwnd, kRepeatTimer, kRepeatMs, nullptr);
}

int ClampPos(const UpDown& u, long long v) { return int(std::clamp<long long>(v, Low(u), High(u))); }

LRESULT UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto* u = new UpDown;
    u->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, 0, LONG_PTR(u));
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & UDS_AUTOBUDDY) SetBuddy(*u, GetWindow(hwnd, GW_HWNDPREV));
    return 0;
  }
  UpDown* up = UpDownOf(hwnd);
  if (!up) return DefWindowProcW(hwnd, msg, wParam, lParam);
  UpDown& u = *up;
  switch (msg) {
    case WM_DESTROY: Release(u, false); Unhook(u); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, 0, 0);
      delete up;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (msg == WM_PRINTCLIENT || wParam) {
        Paint(u, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) {
        Paint(u, hdc);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(u, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP: Release(u, true); return 0;
    case WM_CAPTURECHANGED:
      if (HWND(lParam) != hwnd) Release(u, true);
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer) OnTimer(u);
      return 0;
    case WM_KEYDOWN:
      if ((StyleOf(u) & UDS_ARROWKEYS) && (wParam == VK_UP || wParam == VK_DOWN)) {
        Step(u, wParam == VK_UP ? 1 : -1);
        return 0;
      }
      return DefWindowProcW(hwnd, msg, wParam, lParam);

    case UDM_SETRANGE:
      u.max = std::clamp<int>(SHORT(LOWORD(lParam)), UD_MINVAL, UD_MAXVAL);
      u.min = std::clamp<int>(SHORT(HIWORD(lParam)), UD_MINVAL, UD_MAXVAL);
      u.pos = ClampPos(u, u.pos);
      return 0;
    case UDM_GETRANGE: return LRESULT(MAKELONG(WORD(SHORT(u.max)), WORD(SHORT(u.min))));
    case UDM_SETRANGE32:
      u.min = int(wParam);
      u.max = int(lParam);
      u.pos = ClampPos(u, u.pos);
      return 0;
    case UDM_GETRANGE32:
      if (auto* p = reinterpret_cast<int*>(wParam)) *p = u.min;
      if (auto* p = reinterpret_cast<int*>(lParam)) *p = u.max;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
      int old = u.pos;
      ReadBuddy(u);
      old = u.pos;
      u.pos = ClampPos(u, msg == UDM_SETPOS ? int(SHORT(LOWORD(lParam))) : int(lParam));
      ShowPos(u);
      return msg == UDM_SETPOS ? LRESULT(SHORT(old)) : LRESULT(old);
    }
    case UDM_GETPOS: {
      bool ok = ReadBuddy(u);
      return LRESULT(MAKELONG(WORD(SHORT(u.pos)), ok ? 0 : 1));
    }
    case UDM_GETPOS32: {
      bool ok = ReadBuddy(u);
      if (auto* error = reinterpret_cast<BOOL*>(lParam)) *error = ok ? FALSE : TRUE;
      return u.pos;
    }
    case UDM_SETBUDDY: return LRESULT(SetBuddy(u, HWND(wParam)));
    case UDM_GETBUDDY: return LRESULT(u.buddy);
    case UDM_SETACCEL: {
      auto* in = reinterpret_cast<const UDACCEL*>(lParam);
      if (!in || wParam == 0 || wParam > 1024) return FALSE;
      u.accel.assign(in, in + wParam);
      std::stable_sort(u.accel.begin(), u.accel.end(), [](const UDACCEL& a, const UDACCEL& b) { return a.nSec < b.nSec; });
      return TRUE;
    }
    case UDM_GETACCEL: {
      auto* out = reinterpret_cast<UDACCEL*>(lParam);
      if (out) std::copy_n(u.accel.begin(), std::min<size_t>(wParam, u.accel.size()), out);
      return LRESULT(u.accel.size());
    }
    case UDM_SETBASE: {
      if (wParam != 10 && wParam != 16) return 0;
      int old = u.base;
      u.base = int(wParam);
      ShowPos(u);
      return old;
    }
    case UDM_GETBASE: return u.base;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

BOOL RegisterUpDownClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = UpDownProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = UPDOWN_CLASSW;
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
