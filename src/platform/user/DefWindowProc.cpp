// The default window procedure: a table of per-message handlers filled by the parts of the
// window system.

#include "platform/user/DefWindowProc.h"

#include <mutex>

#include "platform/user/DefHandlers.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

DefaultTable& Table() {
  static DefaultTable table{};
  static std::once_flag once;
  std::call_once(once, [] {
    InstallWindowDefaults(table);
    InstallInputDefaults(table);
    InstallNonClientDefaults(table);
    InstallPaintDefaults(table);
    InstallPrintDefaults(table);
    InstallCaretDefaults(table);
    frame::InstallFrameDefaults(table);  // frames, caption, move/size loops, system menu, scroll bars
  });
  return table;
}

}  // namespace
}  // namespace user

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!user::FindWindowObj(hwnd)) return 0;
  if (msg >= 0x400) return 0;
  DefaultHandler h = user::Table()[msg];
  return h ? h(hwnd, msg, wParam, lParam) : 0;
}

DefaultHandler SetDefaultHandler(UINT msg, DefaultHandler handler) {
  if (msg >= 0x400) return nullptr;
  DefaultHandler old = user::Table()[msg];
  user::Table()[msg] = handler;
  return old;
}

DefaultHandler GetDefaultHandler(UINT msg) { return msg < 0x400 ? user::Table()[msg] : nullptr; }

}  // namespace win
