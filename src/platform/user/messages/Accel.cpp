// Accelerator tables and their translation into commands.

#include "platform/user/messages/Accel.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysHandleTable.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

struct AccelTable {
  std::vector<ACCEL> entries;
};

SysHandleTable<AccelTable>& Table() {
  static SysHandleTable<AccelTable> table(0xA);
  return table;
}

inline constexpr int kMaxEntries = 32767;
inline constexpr BYTE kModifiers = FSHIFT | FCONTROL | FALT;

bool IsDown(int vk) { return GetKeyState(vk) < 0; }

// The command of the first entry that matches the message, or -1.
int MatchCommand(const std::vector<ACCEL>& entries, const MSG& msg) {
  bool sys = msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSCHAR;
  bool alt = (sys && (msg.lParam & (LPARAM(1) << 29))) || IsDown(VK_MENU);
  bool virtualKey = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  BYTE held = BYTE((IsDown(VK_SHIFT) ? FSHIFT : 0) | (IsDown(VK_CONTROL) ? FCONTROL : 0) | (alt ? FALT : 0));
  for (const ACCEL& a : entries) {
    if (a.key != msg.wParam) continue;
    if (virtualKey) {
      if ((a.fVirt & FVIRTKEY) && (a.fVirt & kModifiers) == held) return a.cmd;
    } else if (!(a.fVirt & FVIRTKEY)) {
      // A character entry: only Alt matters, and it decides WM_CHAR against WM_SYSCHAR.
      if (((a.fVirt & FALT) != 0) == sys) return a.cmd;
    }
  }
  return -1;
}

void SendCommand(HWND hwnd, WORD cmd) {
  if (cmd >= SC_SIZE) {
    SendMessageW(hwnd, WM_SYSCOMMAND, cmd, 0);
    return;
  }
  HMENU bar = GetMenu(hwnd);
  std::vector<menu::PathStep> path;
  if (bar && menu::FindCommandPath(bar, cmd, &path)) {
    if (IsIconic(hwnd)) return;
    SendMessageW(hwnd, WM_INITMENU, WPARAM(bar), 0);
    for (const menu::PathStep& step : path)
      if (step.subMenu) SendMessageW(hwnd, WM_INITMENUPOPUP, WPARAM(step.subMenu), MAKELPARAM(WORD(step.index), 0));
    // The handlers may have changed the item; look at it as it is now.
    UINT state = GetMenuState(bar, cmd, MF_BYCOMMAND);
    if (state != 0xFFFFFFFF && (state & (MF_GRAYED | MF_DISABLED))) return;
  }
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(cmd, 1), 0);
}

}  // namespace

HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count) {
  if (!entries || count <= 0 || count > kMaxEntries) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto t = std::make_unique<AccelTable>();
  t->entries.assign(entries, entries + count);
  std::lock_guard lock(Table().Mutex());
  return reinterpret_cast<HACCEL>(Table().Add(std::move(t)));
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  std::lock_guard lock(Table().Mutex());
  if (!Table().Remove(reinterpret_cast<uintptr_t>(table))) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return FALSE;
  }
  return TRUE;
}

int CopyAcceleratorTableW(HACCEL table, ACCEL* destination, int count) {
  std::lock_guard lock(Table().Mutex());
  AccelTable* t = Table().Find(reinterpret_cast<uintptr_t>(table));
  if (!t) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return 0;
  }
  if (!destination) return int(t->entries.size());
  int n = std::clamp(count, 0, int(t->entries.size()));
  std::copy_n(t->entries.begin(), n, destination);
  return n;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL table, MSG* msg) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_CHAR &&
      msg->message != WM_SYSCHAR)
    return 0;
  int cmd;
  {
    std::lock_guard lock(Table().Mutex());
    AccelTable* t = Table().Find(reinterpret_cast<uintptr_t>(table));
    if (!t) {
      SetLastError(ERROR_INVALID_ACCEL_HANDLE);
      return 0;
    }
    cmd = MatchCommand(t->entries, *msg);
  }
  if (cmd < 0) return 0;
  SendCommand(hwnd, WORD(cmd));
  return 1;
}

}  // namespace win
