// The caret: one per thread, drawn by inverting its rectangle on the owner's DC and blinking on a
// system timer.

#include "platform/gdi/Gdi.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

constexpr UINT_PTR kCaretTimer = 0xFFFF;

// A bitmap handle other than the gray-caret value 1.
bool HasPicture(const CaretState& c) { return reinterpret_cast<uintptr_t>(c.bitmap) > 1; }

// Drawing the caret twice takes it away again: a solid caret inverts its rectangle, a picture
// caret is combined with what is below by XOR.
void Invert(CaretState& c) {
  HDC hdc = GetDC(c.hwnd);
  if (!hdc) return;
  RECT r{c.pos.x, c.pos.y, c.pos.x + c.width, c.pos.y + c.height};
  bool drawn = false;
  if (HasPicture(c)) {
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = mem ? SelectObject(mem, c.bitmap) : nullptr;
    if (old) {
      drawn = BitBlt(hdc, r.left, r.top, c.width, c.height, mem, 0, 0, SRCINVERT) != FALSE;
      SelectObject(mem, old);
    }
    if (mem) DeleteDC(mem);
  }
  if (!drawn) InvertRect(hdc, &r);
  ReleaseDC(c.hwnd, hdc);
  c.on = !c.on;
}

void Erase(CaretState& c) {
  if (c.on) Invert(c);
}

}  // namespace

LRESULT OnSysTimer(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  CaretState& c = CurrentQueue().caret;
  if (wParam == kCaretTimer && c.hwnd == hwnd && c.hideCount == 0) Invert(c);
  return 0;
}

}  // namespace user

using namespace user;

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return FALSE;
  DestroyCaret();
  CaretState& c = CurrentQueue().caret;
  c = CaretState{};
  c.hwnd = hwnd;
  c.bitmap = bitmap;
  c.width = width > 0 ? width : 1;
  c.height = height > 0 ? height : 16;
  BITMAP bm{};
  if (HasPicture(c)) {
    // A picture caret takes the picture's size; a handle that is no bitmap gives a solid one.
    if (GetObjectW(bitmap, sizeof bm, &bm) == sizeof bm) {
      c.width = bm.bmWidth;
      c.height = bm.bmHeight;
    } else {
      c.bitmap = nullptr;
    }
  }
  SetSystemTimer(hwnd, kCaretTimer, GetCaretBlinkTime());
  return TRUE;
}

BOOL DestroyCaret() {
  CaretState& c = CurrentQueue().caret;
  if (!c.hwnd) return FALSE;
  if (IsWindow(c.hwnd)) {
    Erase(c);
    KillSystemTimer(c.hwnd, kCaretTimer);
  }
  c = CaretState{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  CaretState& c = CurrentQueue().caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd) || c.hideCount == 0) return FALSE;
  if (--c.hideCount == 0) {
    Invert(c);
    SetSystemTimer(c.hwnd, kCaretTimer, GetCaretBlinkTime());
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  CaretState& c = CurrentQueue().caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd)) return FALSE;
  if (c.hideCount++ == 0) Erase(c);
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  CaretState& c = CurrentQueue().caret;
  if (!c.hwnd) return FALSE;
  bool wasOn = c.on;
  Erase(c);
  c.pos = POINT{x, y};
  if (wasOn || c.hideCount == 0) Invert(c);
  return TRUE;
}

BOOL GetCaretPos(POINT* pt) {
  CaretState& c = CurrentQueue().caret;
  if (!c.hwnd || !pt) return FALSE;
  *pt = c.pos;
  return TRUE;
}

}  // namespace win
