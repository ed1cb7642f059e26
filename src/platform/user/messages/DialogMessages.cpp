// Keyboard handling of a dialog: Tab and Shift+Tab move the focus between the controls that
// stop tabs, Enter and Esc command the dialog, everything else goes to its window.

#include <vector>

#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

// The answers of WM_GETDLGCODE read here (the controls layer names them for its controls).
constexpr LRESULT kWantTab = 0x0002, kWantAllKeys = 0x0004;
constexpr WPARAM kCommandOk = 1, kCommandCancel = 2;

bool StopsTab(HWND hwnd) {
  return (GetWindowLongW(hwnd, GWL_STYLE) & LONG(WS_TABSTOP)) != 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// The dialog's descendants in child order, depth first.
void Collect(HWND parent, std::vector<HWND>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    out.push_back(child);
    Collect(child, out);
  }
}

void MoveFocus(HWND dialog, HWND from, bool backwards) {
  std::vector<HWND> all;
  Collect(dialog, all);
  std::vector<HWND> stops;
  for (HWND h : all)
    if (StopsTab(h)) stops.push_back(h);
  if (stops.empty()) return;
  size_t at = stops.size();
  for (size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == from || IsChild(stops[i], from)) at = i;
  size_t next;
  if (at == stops.size()) next = backwards ? stops.size() - 1 : 0;
  else next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  SetFocus(stops[next]);
}

}  // namespace

BOOL IsDialogMessageW(HWND dialog, MSG* msg) {
  if (dialog == nullptr || msg == nullptr) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    const LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, LPARAM(msg));
    if ((code & kWantAllKeys) == 0) {
      switch (msg->wParam) {
        case VK_TAB:
          if (code & kWantTab) break;
          MoveFocus(dialog, msg->hwnd, GetKeyState(VK_SHIFT) < 0);
          return TRUE;
        case VK_RETURN:
          SendMessageW(dialog, WM_COMMAND, kCommandOk, 0);
          return TRUE;
        case VK_ESCAPE:
          SendMessageW(dialog, WM_COMMAND, kCommandCancel, 0);
          return TRUE;
        default: break;
      }
    }
  }
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}

}  // namespace win
