// Hardware input: queued events become messages when they are retrieved, so the target window
// (capture included), double-clicks, activation by click and leave tracking are decided then.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

struct GlobalInput {
  std::mutex m;
  POINT cursor{};
  BYTE async[256] = {};
};
GlobalInput& Global() {
  static GlobalInput* g = new GlobalInput;
  return *g;
}

bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_XBUTTONDOWN;
}

UINT ButtonVk(UINT m, WPARAM data) {
  switch (m) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return VK_LBUTTON;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return VK_RBUTTON;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return VK_MBUTTON;
    case WM_XBUTTONDOWN: case WM_XBUTTONUP: return data == 2 ? VK_XBUTTON2 : VK_XBUTTON1;
    default: return 0;
  }
}

bool AnyButtonDown(const BYTE* s) {
  for (UINT vk : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2})
    if (s[vk] & 0x80) return true;
  return false;
}

bool InRange(UINT m, UINT min, UINT max) { return (min == 0 && max == 0) || (m >= min && m <= max); }

bool MatchesWindow(HWND msgHwnd, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return false;
  return msgHwnd == filter || IsChild(filter, msgHwnd);
}

LPARAM PackPoint(POINT p) { return MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y))); }

void SetKey(BYTE* state, UINT vk, bool down) {
  if (down) {
    if (!(state[vk] & 0x80)) state[vk] ^= 0x01;  // toggles flip on each press
    state[vk] |= 0x80;
  } else {
    state[vk] &= ~0x80;
  }
}

// Left/right keys also move their generic key, and the generic key moves its left one.
void ApplyKey(BYTE* state, UINT vk, bool down) {
  SetKey(state, vk, down);
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: SetKey(state, VK_SHIFT, down); break;
    case VK_LCONTROL: case VK_RCONTROL: SetKey(state, VK_CONTROL, down); break;
    case VK_LMENU: case VK_RMENU: SetKey(state, VK_MENU, down); break;
    case VK_SHIFT: SetKey(state, VK_LSHIFT, down); break;
    case VK_CONTROL: SetKey(state, VK_LCONTROL, down); break;
    case VK_MENU: SetKey(state, VK_LMENU, down); break;
    default: break;
  }
}

WPARAM MouseKeys(const BYTE* s) {
  WPARAM k = 0;
  if (s[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
  if (s[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
  if (s[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
  if (s[VK_XBUTTON1] & 0x80) k |= MK_XBUTTON1;
  if (s[VK_XBUTTON2] & 0x80) k |= MK_XBUTTON2;
  if (s[VK_SHIFT] & 0x80) k |= MK_SHIFT;
  if (s[VK_CONTROL] & 0x80) k |= MK_CONTROL;
  return k;
}

// A candidate message for an event, and what retrieving it must also do.
struct Candidate {
  MSG msg{};
  bool valid = false;     // false: the event yields no message (nowhere to go)
  bool dblclk = false;
  LRESULT hit = HTCLIENT;
  bool captured = false;
};

Candidate BuildMouse(ThreadQueue& q, const InputEvent& e) {
  Candidate c;
  c.msg.time = e.time;
  c.msg.pt = e.pt;
  if (e.message == WM_MOUSEWHEEL || e.message == WM_MOUSEHWHEEL) {
    HWND t = q.focus && IsWindow(q.focus) ? q.focus : q.active;
    if (!t || !IsWindow(t)) return c;
    c.msg.hwnd = t;
    c.msg.message = e.message;
    c.msg.wParam = MAKEWPARAM(WORD(e.keys), WORD(SHORT(e.data)));
    c.msg.lParam = PackPoint(e.pt);
    c.valid = true;
    return c;
  }
  WindowObj* target = nullptr;
  if (q.capture && (target = FindWindowObj(q.capture))) {
    c.captured = true;
    c.hit = HTCLIENT;
  } else if (!(target = HitTestWindow(e.pt, &c.hit)) && q.pressWindow && (target = FindWindowObj(q.pressWindow))) {
    c.captured = true;  // over no window of ours while a button is held: the press's window has it
    c.hit = HTCLIENT;
  } else if (!target || c.hit == HTERROR) {
    return c;
  }
  bool nc = !c.captured && c.hit != HTCLIENT;
  UINT m = e.message;
  if (IsButtonDown(m)) {
    bool wantsDbl = nc || (target->cls && (target->cls->style & CS_DBLCLKS));
    int cx = std::max(1, GetSystemMetrics(SM_CXDOUBLECLK));
    int cy = std::max(1, GetSystemMetrics(SM_CYDOUBLECLK));
    if (wantsDbl && q.lastClickMsg == m && q.lastClickHwnd == target->hwnd && q.lastClickHit == c.hit &&
        e.time - q.lastClickTime <= GetDoubleClickTime() && std::abs(e.pt.x - q.lastClickPt.x) <= cx / 2 &&
        std::abs(e.pt.y - q.lastClickPt.y) <= cy / 2) {
      c.dblclk = true;
      m += 2;  // ..BUTTONDOWN -> ..BUTTONDBLCLK
    }
  }
  c.msg.hwnd = target->hwnd;
  if (nc) {
    c.msg.message = m - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    c.msg.wParam = WPARAM(c.hit);
    if (m >= WM_XBUTTONDOWN) c.msg.wParam = MAKEWPARAM(WORD(c.hit), WORD(e.data));
    c.msg.lParam = PackPoint(e.pt);
  } else {
    POINT o = ClientOrigin(*target);
    c.msg.message = m;
    c.msg.wParam = e.keys;
    if (m >= WM_XBUTTONDOWN) c.msg.wParam = MAKEWPARAM(WORD(e.keys), WORD(e.data));
    c.msg.lParam = PackPoint(POINT{e.pt.x - o.x, e.pt.y - o.y});
  }
  c.valid = true;
  return c;
}

Candidate BuildKey(ThreadQueue& q, const InputEvent& e) {
  Candidate c;
  c.msg.time = e.time;
  c.msg.pt = e.pt;
  HWND t = q.focus && IsWindow(q.focus) ? q.focus : nullptr;
  bool noFocus = !t;
  if (!t) t = q.active && IsWindow(q.active) ? q.active : nullptr;
  if (!t) return c;
  c.msg.hwnd = t;
  if (e.kind == InputEvent::Kind::Char) {
    c.msg.message = WM_CHAR;
    c.msg.wParam = e.ch;
    c.msg.lParam = 1;
    c.valid = true;
    return c;
  }
  bool up = e.message == WM_KEYUP;
  bool alt = e.keys != 0;
  bool ctrl = (q.keyState[VK_CONTROL] & 0x80) != 0;
  bool sys = (alt && !ctrl) || e.vk == VK_F10 || noFocus || (e.vk == VK_MENU);
  if (e.vk == VK_MENU && ctrl) sys = false;
  c.msg.message = up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
  c.msg.wParam = e.vk;
  bool wasDown = (q.keyState[e.vk] & 0x80) != 0;
  LPARAM lp = 1 | (LPARAM(e.scan & 0xFF) << 16);
  if (e.extended) lp |= LPARAM(1) << 24;
  if (alt) lp |= LPARAM(1) << 29;
  if (up || wasDown) lp |= LPARAM(1) << 30;
  if (up) lp |= LPARAM(1) << 31;
  c.msg.lParam = LPARAM(DWORD(lp));
  c.valid = true;
  return c;
}

void LeaveTracked(ThreadQueue& q) {
  TrackState t = q.track;
  q.track = TrackState{};
  if (t.hwnd && (t.flags & TME_LEAVE) && IsWindow(t.hwnd))
    PostMessageW(t.hwnd, (t.flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void UpdateTracking(ThreadQueue& q, const Candidate& c, POINT screenPt, ULONGLONG now) {
  if (!q.track.hwnd) return;
  bool nc = !c.captured && c.hit != HTCLIENT;
  bool inside = c.valid && c.msg.hwnd == q.track.hwnd && (nc == ((q.track.flags & TME_NONCLIENT) != 0));
  if (!inside) {
    LeaveTracked(q);
    return;
  }
  if (q.track.flags & TME_HOVER) {
    // Moving out of the hover rectangle around where the wait began starts the wait again.
    UINT cx = 4, cy = 4;
    SystemParametersInfoW(SPI_GETMOUSEHOVERWIDTH, 0, &cx, 0);
    SystemParametersInfoW(SPI_GETMOUSEHOVERHEIGHT, 0, &cy, 0);
    if (std::abs(screenPt.x - q.track.hoverPt.x) > int(cx / 2) || std::abs(screenPt.y - q.track.hoverPt.y) > int(cy / 2)) {
      q.track.hoverPt = screenPt;
      q.track.hoverStart = now;
    }
  }
}

void CheckHover(ThreadQueue& q, ULONGLONG now) {
  TrackState& t = q.track;
  if (!t.hwnd || !(t.flags & TME_HOVER) || now < t.hoverStart + t.hoverTime) return;
  WindowObj* w = FindWindowObj(t.hwnd);
  t.flags &= ~TME_HOVER;
  if (!w) return;
  if (t.flags & TME_NONCLIENT) {
    PostMessageW(t.hwnd, WM_NCMOUSEHOVER, WPARAM(HTCLIENT), PackPoint(t.hoverPt));
  } else {
    POINT o = ClientOrigin(*w);
    BYTE* s = q.keyState;
    PostMessageW(t.hwnd, WM_MOUSEHOVER, MouseKeys(s), PackPoint(POINT{t.hoverPt.x - o.x, t.hoverPt.y - o.y}));
  }
}

// Effects of removing a mouse message: key state, double-click memory, activation by click,
// cursor shape, leave tracking. Returns false when the click is eaten.
bool ApplyMouseRemoval(ThreadQueue& q, const InputEvent& e, Candidate& c) {
  UINT vk = ButtonVk(e.message, e.data);
  bool down = IsButtonDown(e.message);
  if (vk) ApplyKey(q.keyState, vk, down);
  if (e.message == WM_MOUSEWHEEL || e.message == WM_MOUSEHWHEEL) return c.valid;
  if (vk && !down && !AnyButtonDown(q.keyState)) q.pressWindow = nullptr;
  UpdateTracking(q, c, e.pt, clock::NowMs());
  if (!c.valid) return false;
  HWND h = c.msg.hwnd;
  if (down) {
    if (!q.pressWindow) q.pressWindow = h;
    if (c.dblclk) {
      q.lastClickMsg = 0;
      q.lastClickHwnd = nullptr;
    } else {
      q.lastClickMsg = e.message;
      q.lastClickHwnd = h;
      q.lastClickHit = c.hit;
      q.lastClickTime = e.time;
      q.lastClickPt = e.pt;
    }
  }
  if (c.captured) return true;
  WindowObj* w = FindWindowObj(h);
  if (!w) return false;
  bool eat = false;
  if (down) {
    WindowObj* top = TopLevelOf(w);
    if (top && top->parent && top->parent->isDesktop && q.active != top->hwnd) {
      LRESULT r = SendMessageW(h, WM_MOUSEACTIVATE, WPARAM(top->hwnd), MAKELPARAM(WORD(c.hit), WORD(e.message)));
      if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) eat = true;
      if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) && IsWindow(top->hwnd) &&
          !(top->exStyle & WS_EX_NOACTIVATE))
        ActivateWindow(top, WA_CLICKACTIVE);
    }
  }
  if (IsWindow(h)) SendMessageW(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(c.hit), WORD(e.message)));
  return !eat && IsWindow(h);
}

void ApplyKeyRemoval(ThreadQueue& q, const InputEvent& e, const Candidate& c) {
  if (e.kind != InputEvent::Kind::Key) return;
  if (e.message == WM_KEYDOWN) {
    bool isAlt = e.vk == VK_MENU || e.vk == VK_LMENU || e.vk == VK_RMENU;
    // Another key while Alt is held makes Alt part of a combination, whoever handles the key.
    if (!isAlt || !(q.keyState[VK_MENU] & 0x80)) q.altAlone = false;
  }
  ApplyKey(q.keyState, e.vk, e.message == WM_KEYDOWN);
  if (c.valid && e.message == WM_KEYDOWN) {
    q.lastKeyMsg = c.msg;
    q.lastKeyChar = e.ch ? e.ch : CharFromKey(e.vk, q.keyState);
    q.lastKeyDead = e.dead;
  }
}

}  // namespace

POINT CurrentCursorPos() {
  GlobalInput& g = Global();
  std::lock_guard lock(g.m);
  return g.cursor;
}

void SetCursorPosInternal(POINT pt) {
  GlobalInput& g = Global();
  std::lock_guard lock(g.m);
  g.cursor = pt;
}

void ResetInputState(POINT cursor) {
  {
    GlobalInput& g = Global();
    std::lock_guard lock(g.m);
    g.cursor = cursor;
    std::memset(g.async, 0, sizeof g.async);
  }
  ThreadQueue& q = CurrentQueue();
  {
    std::lock_guard lock(q.m);
    q.input.clear();
  }
  std::memset(q.keyState, 0, sizeof q.keyState);
  q.lastClickMsg = 0;
  q.lastClickHwnd = nullptr;
  q.lastClickHit = 0;
  q.lastClickTime = 0;
  q.lastClickPt = POINT{};
  q.pressWindow = nullptr;
  q.lastKeyMsg = MSG{};
  q.lastKeyChar = 0;
  q.lastKeyDead = false;
  q.altAlone = false;
  q.track = TrackState{};
}

namespace {
bool IsMouseButtonKey(UINT vk) {
  return vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON || vk == VK_XBUTTON1 || vk == VK_XBUTTON2;
}
}  // namespace

void ResyncKeyState(const std::vector<UINT>& heldKeys) {
  // Mouse buttons keep their state: presses and releases of the pointer reach us through grabs.
  auto resync = [&](BYTE* state) {
    for (UINT vk = 0; vk < 256; ++vk)
      if (!IsMouseButtonKey(vk)) state[vk] &= BYTE(~0x80);
    for (UINT vk : heldKeys)
      if (vk > 0 && vk < 256 && !(state[vk] & 0x80)) ApplyKey(state, vk, true);
  };
  {
    GlobalInput& g = Global();
    std::lock_guard lock(g.m);
    resync(g.async);
  }
  ThreadQueue& q = CurrentQueue();
  resync(q.keyState);
  q.altAlone = false;
}

void AddInputEvent(const InputEvent& in) {
  InputEvent e = in;
  if (!e.time) e.time = DWORD(GetTickCount());
  // The pointer never leaves the rectangle it is confined to.
  if (e.kind == InputEvent::Kind::Mouse && e.message != WM_MOUSEWHEEL && e.message != WM_MOUSEHWHEEL)
    e.pt = ClampToCursorClip(e.pt);
  {
    GlobalInput& g = Global();
    std::lock_guard lock(g.m);
    if (e.kind == InputEvent::Kind::Mouse) {
      if (e.message != WM_MOUSEWHEEL && e.message != WM_MOUSEHWHEEL) g.cursor = e.pt;
      e.pt = g.cursor;
      if (UINT vk = ButtonVk(e.message, e.data)) ApplyKey(g.async, vk, IsButtonDown(e.message));
      e.keys = MouseKeys(g.async);
    } else if (e.kind == InputEvent::Kind::Key) {
      ApplyKey(g.async, e.vk, e.message == WM_KEYDOWN);
      e.keys = (g.async[VK_MENU] & 0x80) ? 1 : 0;
      e.pt = g.cursor;
    } else {
      e.pt = g.cursor;
    }
  }
  // Input goes to the thread of the foreground window, else to the injecting thread.
  std::shared_ptr<ThreadQueue> q;
  if (WindowPtr fg = FindWindowPtr(GetForegroundWindow())) q = FindQueue(fg->threadId);
  if (!q) {
    CurrentQueue();
    q = FindQueue(CurrentThreadId());
  }
  if (!q) return;
  {
    std::lock_guard lock(q->m);
    if (q->closing) return;
    if (e.kind == InputEvent::Kind::Mouse && e.message == WM_MOUSEMOVE && !q->input.empty() &&
        q->input.back().kind == InputEvent::Kind::Mouse && q->input.back().message == WM_MOUSEMOVE) {
      q->input.back() = e;  // moves coalesce, as the system keeps only the latest position
    } else {
      q->input.push_back(e);
    }
    q->newBits |= e.kind == InputEvent::Kind::Mouse ? (e.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON)
                                                    : QS_KEY;
  }
  WakeQueue(*q);
}

bool TakeInputMessage(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  bool pressAhead = false;  // a press passed over in this scan is still queued
  for (size_t i = 0;; ++i) {
    InputEvent e;
    {
      std::lock_guard lock(q.m);
      if (i >= q.input.size()) return false;
      e = q.input[i];
    }
    Candidate c = e.kind == InputEvent::Kind::Mouse ? BuildMouse(q, e) : BuildKey(q, e);
    // An event with nowhere to go can never be delivered: it leaves the queue even when peeking,
    // so that a waiting loop does not see it as pending work forever. Pointer input behind a
    // queued press waits for it instead: once the press is taken, its window receives it.
    bool matches = c.valid && InRange(c.msg.message, min, max) && MatchesWindow(c.msg.hwnd, filter);
    if (c.valid && !matches) {
      pressAhead = pressAhead || (e.kind == InputEvent::Kind::Mouse && IsButtonDown(e.message));
      continue;
    }
    if (!c.valid && pressAhead && e.kind == InputEvent::Kind::Mouse) continue;
    if (c.valid && !remove) {
      *out = c.msg;
      return true;
    }
    {
      std::lock_guard lock(q.m);
      if (i < q.input.size()) q.input.erase(q.input.begin() + ptrdiff_t(i));
    }
    --i;
    bool deliver;
    if (e.kind == InputEvent::Kind::Mouse) {
      deliver = ApplyMouseRemoval(q, e, c);
    } else {
      ApplyKeyRemoval(q, e, c);
      deliver = c.valid;
    }
    if (deliver) {
      *out = c.msg;
      return true;
    }
  }
}

char16_t CharFromKey(UINT vk, const BYTE* s) {
  bool shift = s[VK_SHIFT] & 0x80;
  bool ctrl = s[VK_CONTROL] & 0x80;
  bool alt = s[VK_MENU] & 0x80;
  bool caps = s[VK_CAPITAL] & 0x01;
  if (ctrl && alt) return 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return char16_t(vk - 'A' + 1);
    bool upper = shift != caps;
    return char16_t(upper ? vk : vk + 32);
  }
  if (ctrl) {
    switch (vk) {
      case VK_RETURN: return u'\n';
      case VK_BACK: return 0x7F;
      case VK_ESCAPE: return 0x1B;
      case VK_OEM_4: return 0x1B;
      case VK_OEM_6: return 0x1D;
      case VK_OEM_5: return 0x1C;
      case VK_SPACE: return u' ';
      default: return 0;
    }
  }
  if (vk >= '0' && vk <= '9') {
    static const char16_t shifted[] = u")!@#$%^&*(";
    return shift ? shifted[vk - '0'] : char16_t(vk);
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return char16_t(u'0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return u' ';
    case VK_RETURN: return u'\r';
    case VK_BACK: return 0x08;
    case VK_TAB: return u'\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return u'*';
    case VK_ADD: return u'+';
    case VK_SUBTRACT: return u'-';
    case VK_DECIMAL: return u'.';
    case VK_DIVIDE: return u'/';
    case VK_OEM_1: return shift ? u':' : u';';
    case VK_OEM_PLUS: return shift ? u'+' : u'=';
    case VK_OEM_COMMA: return shift ? u'<' : u',';
    case VK_OEM_MINUS: return shift ? u'_' : u'-';
    case VK_OEM_PERIOD: return shift ? u'>' : u'.';
    case VK_OEM_2: return shift ? u'?' : u'/';
    case VK_OEM_3: return shift ? u'~' : u'`';
    case VK_OEM_4: return shift ? u'{' : u'[';
    case VK_OEM_5: return shift ? u'|' : u'\\';
    case VK_OEM_6: return shift ? u'}' : u']';
    case VK_OEM_7: return shift ? u'"' : u'\'';
    default: return 0;
  }
}

void CheckMouseTracking(ThreadQueue& q, ULONGLONG now) { CheckHover(q, now); }

std::optional<ULONGLONG> NextHoverDue(const ThreadQueue& q) {
  if (!q.track.hwnd || !(q.track.flags & TME_HOVER)) return std::nullopt;
  return q.track.hoverStart + q.track.hoverTime;
}

}  // namespace user

using namespace user;

SHORT GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  BYTE b = CurrentQueue().keyState[vk];
  return SHORT((b & 0x80 ? 0xFF80 : 0) | (b & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  GlobalInput& g = Global();
  std::lock_guard lock(g.m);
  return (g.async[vk] & 0x80) ? SHORT(0x8000) : SHORT(0);
}

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::memcpy(state, CurrentQueue().keyState, 256);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* state) {
  if (!state) return FALSE;
  std::memcpy(CurrentQueue().keyState, state, 256);
  return TRUE;
}

UINT MapVirtualKeyW(UINT code, UINT mapType) {
  // Scan codes of the standard PC keyboard (set 1) for the keys the layer names.
  static const struct { UINT vk, scan; } table[] = {
      {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07},
      {'7', 0x08}, {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},
      {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {'Q', 0x10}, {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14},
      {'Y', 0x15}, {'U', 0x16}, {'I', 0x17}, {'O', 0x18}, {'P', 0x19}, {VK_OEM_4, 0x1A}, {VK_OEM_6, 0x1B},
      {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F}, {'D', 0x20}, {'F', 0x21}, {'G', 0x22},
      {'H', 0x23}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {VK_OEM_1, 0x27}, {VK_OEM_7, 0x28}, {VK_OEM_3, 0x29},
      {VK_SHIFT, 0x2A}, {VK_OEM_5, 0x2B}, {'Z', 0x2C}, {'X', 0x2D}, {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30},
      {'N', 0x31}, {'M', 0x32}, {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
      {VK_MULTIPLY, 0x37}, {VK_MENU, 0x38}, {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A}, {VK_F1, 0x3B},
      {VK_F2, 0x3C}, {VK_F3, 0x3D}, {VK_F4, 0x3E}, {VK_F5, 0x3F}, {VK_F6, 0x40}, {VK_F7, 0x41},
      {VK_F8, 0x42}, {VK_F9, 0x43}, {VK_F10, 0x44}, {VK_HOME, 0x47}, {VK_UP, 0x48}, {VK_PRIOR, 0x49},
      {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D}, {VK_END, 0x4F}, {VK_DOWN, 0x50}, {VK_NEXT, 0x51},
      {VK_INSERT, 0x52}, {VK_DELETE, 0x53}, {VK_F11, 0x57}, {VK_F12, 0x58}};
  switch (mapType) {
    case MAPVK_VK_TO_VSC:
      for (auto& t : table)
        if (t.vk == code) return t.scan;
      return 0;
    case MAPVK_VSC_TO_VK:
      for (auto& t : table)
        if (t.scan == code) return t.vk;
      return 0;
    case MAPVK_VK_TO_CHAR: {
      BYTE none[256] = {};
      char16_t ch = CharFromKey(code, none);
      if (ch >= u'a' && ch <= u'z') ch = char16_t(ch - 32);
      return ch;
    }
    default: return 0;
  }
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = CurrentCursorPos();
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  InputEvent e;
  e.kind = InputEvent::Kind::Mouse;
  e.message = WM_MOUSEMOVE;
  e.pt = POINT{x, y};
  AddInputEvent(e);
  return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ThreadQueue& q = CurrentQueue();
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = q.track.hwnd ? q.track.flags : 0;
    tme->hwndTrack = q.track.hwnd;
    tme->dwHoverTime = q.track.hoverTime;
    return TRUE;
  }
  WindowObj* w = CheckWindow(tme->hwndTrack);
  if (!w) return FALSE;
  if (tme->dwFlags & TME_CANCEL) {
    if (q.track.hwnd == tme->hwndTrack) {
      q.track.flags &= ~(tme->dwFlags & (TME_LEAVE | TME_HOVER));
      if (!(q.track.flags & (TME_LEAVE | TME_HOVER))) q.track = TrackState{};
    }
    return TRUE;
  }
  bool nc = (tme->dwFlags & TME_NONCLIENT) != 0;
  // Is the cursor over the part of the window asked for?
  POINT pt = CurrentCursorPos();
  LRESULT hit = HTNOWHERE;
  WindowObj* under = q.capture ? FindWindowObj(q.capture) : HitTestWindow(pt, &hit);
  if (q.capture) {
    RECT r = nc ? ScreenWindowRect(*w) : ScreenClientRect(*w);
    hit = (under == w && pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) ? HTCLIENT : HTNOWHERE;
    if (nc && hit == HTCLIENT) hit = HTBORDER;
  }
  bool over = under == w && ((hit == HTCLIENT) != nc) && hit != HTNOWHERE;
  if (q.track.hwnd && q.track.hwnd != tme->hwndTrack) LeaveTracked(q);
  if (!over) {
    if (tme->dwFlags & TME_LEAVE) PostMessageW(tme->hwndTrack, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    if (q.track.hwnd == tme->hwndTrack) q.track = TrackState{};
    return TRUE;
  }
  q.track.hwnd = tme->hwndTrack;
  q.track.flags = (q.track.flags & (TME_LEAVE | TME_HOVER)) | (tme->dwFlags & (TME_LEAVE | TME_HOVER | TME_NONCLIENT));
  if (tme->dwFlags & TME_HOVER) {
    UINT hover = 400;
    SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
    q.track.hoverTime = tme->dwHoverTime == HOVER_DEFAULT ? hover : tme->dwHoverTime;
    q.track.hoverStart = clock::NowMs();
    q.track.hoverPt = pt;
  }
  return TRUE;
}

}  // namespace win
