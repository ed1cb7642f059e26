// The system menu's standard content and state.

#include "platform/user/frames/SysMenu.h"

#include "platform/user/detail/FrameState.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace frame {
namespace {

struct StandardItem {
  WPARAM command;  // 0: a separator
  const char16_t* text;
};

constexpr StandardItem kStandardItems[] = {
    {SC_RESTORE, u"Восстановить"}, {SC_MOVE, u"Переместить"}, {SC_SIZE, u"Размер"},
    {SC_MINIMIZE, u"Свернуть"},    {SC_MAXIMIZE, u"Развернуть"}, {0, nullptr},
    {SC_CLOSE, u"Закрыть\tAlt+F4"},
};

HMENU MakeStandardMenu() {
  HMENU m = CreatePopupMenu();
  if (!m) return nullptr;
  for (const StandardItem& item : kStandardItems) {
    if (item.command)
      AppendMenuW(m, MF_STRING, item.command, item.text);
    else
      AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
  }
  SetMenuDefaultItem(m, SC_CLOSE, FALSE);
  return m;
}

void Enable(HMENU menu, WPARAM command, bool enabled) {
  EnableMenuItem(menu, UINT(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

bool SystemMenuCommandEnabled(HWND hwnd, WPARAM command) {
  FrameState* s = FindState(hwnd);
  if (!s || !s->sysMenu) return true;
  UINT state = GetMenuState(s->sysMenu, UINT(command), MF_BYCOMMAND);
  return state != 0xFFFFFFFF && !(state & (MF_GRAYED | MF_DISABLED));
}

void UpdateSystemMenu(HWND hwnd, HMENU menu) {
  DWORD style = DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE));
  bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
  Enable(menu, SC_RESTORE, minimized || maximized);
  Enable(menu, SC_MOVE, !maximized);
  Enable(menu, SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized);
  Enable(menu, SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized);
  Enable(menu, SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized);
}

void TrackSystemMenu(HWND hwnd, POINT screenPt) {
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (!menu) return;
  UpdateSystemMenu(hwnd, menu);
  UINT command = UINT(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_RIGHTBUTTON, screenPt.x, screenPt.y,
                                       hwnd, nullptr));
  // Chosen commands arrive as keyboard-style WM_SYSCOMMAND (no point), as a menu choice does.
  if (command && IsWindow(hwnd)) PostMessageW(hwnd, WM_SYSCOMMAND, command, 0);
}

}  // namespace frame

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  if (!user::CheckWindow(hwnd)) return nullptr;
  frame::FrameState* s = frame::StateOf(hwnd);
  if (!s) return nullptr;
  if (revert) {
    if (s->sysMenu) {
      HMENU old = s->sysMenu;
      s->sysMenu = nullptr;
      DestroyMenu(old);
    }
    return nullptr;
  }
  if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_SYSMENU)) return nullptr;
  if (!s->sysMenu || !IsMenu(s->sysMenu)) {
    s->sysMenu = frame::MakeStandardMenu();
    if (s->sysMenu) frame::UpdateSystemMenu(hwnd, s->sysMenu);
  }
  return s->sysMenu;
}

}  // namespace win
