#include "platform/desktop/DesktopInput.h"

#include <algorithm>

#include "platform/user/messages/DragDrop.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win::desktop {
namespace {

user::InputEvent MouseEvent(UINT message, POINT pt) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Mouse;
  e.message = message;
  e.pt = pt;
  return e;
}

UINT DownMessage(MouseButton b) {
  switch (b) {
    case MouseButton::Left: return WM_LBUTTONDOWN;
    case MouseButton::Right: return WM_RBUTTONDOWN;
    case MouseButton::Middle: return WM_MBUTTONDOWN;
    case MouseButton::X1:
    case MouseButton::X2: return WM_XBUTTONDOWN;
  }
  return WM_LBUTTONDOWN;
}

void MoveIfElsewhere(POINT pt) {
  POINT now = user::CurrentCursorPos();
  if (now.x != pt.x || now.y != pt.y) InjectMouseMove(pt);
}

void InjectChar(char16_t ch) {
  user::InputEvent e;
  e.kind = user::InputEvent::Kind::Char;
  e.message = WM_CHAR;
  e.ch = ch;
  user::AddInputEvent(e);
}

}  // namespace

void InjectMouseMove(POINT pt) { user::AddInputEvent(MouseEvent(WM_MOUSEMOVE, pt)); }

void InjectMouseButton(POINT pt, MouseButton button, bool down) {
  MoveIfElsewhere(pt);
  user::InputEvent e = MouseEvent(DownMessage(button) + (down ? 0 : 1), pt);
  if (button == MouseButton::X1) e.data = 1;
  if (button == MouseButton::X2) e.data = 2;
  user::AddInputEvent(e);
}

void InjectWheel(POINT pt, int delta, bool horizontal) {
  if (delta == 0) return;
  MoveIfElsewhere(pt);
  user::InputEvent e = MouseEvent(horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, pt);
  e.data = WPARAM(delta);
  user::AddInputEvent(e);
}

PhysicalKey KeyOfVirtualKey(UINT vk) {
  PhysicalKey key;
  key.vk = vk;
  key.scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  return key;
}

void InjectKey(const PhysicalKey& key, bool down, std::u16string_view text, bool ctrlWithoutAlt, bool dead) {
  if (!key.vk) {
    if (down) InjectText(text);
    return;
  }
  auto keyEvent = [down](UINT vk, UINT scan, bool extended) {
    user::InputEvent e;
    e.kind = user::InputEvent::Kind::Key;
    e.message = down ? WM_KEYDOWN : WM_KEYUP;
    e.vk = vk;
    e.scan = scan;
    e.extended = extended;
    return e;
  };
  // AltGr: left Ctrl goes down before right Alt and comes up after it.
  const user::InputEvent leftCtrl = keyEvent(VK_CONTROL, 0x1D, false);
  if (key.altGr && down) user::AddInputEvent(leftCtrl);
  user::InputEvent e = keyEvent(key.vk, key.scan, key.extended);
  bool typed = down && !text.empty() && !ctrlWithoutAlt;
  if (typed) e.ch = text.front();
  e.dead = down && dead;
  user::AddInputEvent(e);
  if (key.altGr && !down) user::AddInputEvent(leftCtrl);
  if (typed) InjectText(text.substr(1));
}

void InjectText(std::u16string_view text) {
  for (char16_t ch : text) InjectChar(ch);
}

void InjectKeyboardResync(const std::vector<UINT>& heldKeys) { user::ResyncKeyState(heldKeys); }

void InjectHeldModifiers(const std::vector<UINT>& heldKeys) {
  if (GetAsyncKeyState(VK_RMENU) < 0) return;
  for (UINT vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    const bool held = std::find(heldKeys.begin(), heldKeys.end(), vk) != heldKeys.end();
    if (held != (GetAsyncKeyState(int(vk)) < 0)) {
      user::ResyncKeyState(heldKeys);
      return;
    }
  }
}

void InjectApplicationActive(bool active) { user::SetApplicationActive(active); }

HWND FileDropTargetAt(POINT pt) {
  HWND target = WindowFromPoint(pt);
  while (target && !(GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
    target = (GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) ? GetParent(target) : nullptr;
  return target;
}

bool InjectFileDrop(POINT pt, const std::vector<std::u16string>& files) {
  HWND target = FileDropTargetAt(pt);
  if (!target) return false;
  POINT client = pt;
  ScreenToClient(target, &client);
  RECT rc;
  GetClientRect(target, &rc);
  BOOL nonClient = client.x < rc.left || client.y < rc.top || client.x >= rc.right || client.y >= rc.bottom;
  HDROP drop = CreateDropHandle(client, files, nonClient);
  if (!drop) return false;
  if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
    DragFinish(drop);
    return false;
  }
  return true;
}

}  // namespace win::desktop
