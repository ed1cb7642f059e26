#include "platform/user/services/SysWindowLink.h"

#include <mutex>

namespace win {
namespace {

std::mutex& LinkMutex() {
  static std::mutex m;
  return m;
}

SysWindowLink& Link() {
  static SysWindowLink link;
  return link;
}

}  // namespace

void SetSysWindowLink(SysWindowLink link) {
  std::lock_guard lock(LinkMutex());
  Link() = std::move(link);
}

SysWindowLink CurrentSysWindowLink() {
  std::lock_guard lock(LinkMutex());
  return Link();
}

bool LinkIsWindow(HWND hwnd) {
  if (!hwnd) return false;
  auto link = CurrentSysWindowLink();
  return link.isWindow && link.isWindow(hwnd);
}

bool LinkWindowRect(HWND hwnd, RECT* rc) {
  if (!hwnd || !rc) return false;
  auto link = CurrentSysWindowLink();
  return link.windowRect && link.windowRect(hwnd, rc);
}

void LinkSendToTopLevelWindows(UINT msg, WPARAM wParam, LPARAM lParam) {
  auto link = CurrentSysWindowLink();
  if (link.sendToTopLevelWindows) link.sendToTopLevelWindows(msg, wParam, lParam);
}

}  // namespace win
