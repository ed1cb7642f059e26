// Default WM_SYSCOMMAND handling: the move and size loops, the caption commands, the system
// menu and the menu bar, window scroll bars and the context-help mode.

#include "platform/user/messages/Cursor.h"
#include "platform/user/frames/FrameMenuBar.h"
#include "platform/user/detail/FrameModalLoop.h"
#include "platform/user/detail/FramePaint.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/MoveSize.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/detail/ScrollBarTrack.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"

namespace win::frame {
namespace {

// Where the system menu opens from the keyboard or the icon: under the icon (the caption's
// top-left corner without a caption icon), else the window's top-left corner inside the frame.
POINT SystemMenuPoint(HWND hwnd) {
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f)) return POINT{};
  if (f.layout.hasCaption) return POINT{f.origin.x + f.layout.caption.left, f.origin.y + f.layout.caption.bottom + 1};
  return POINT{f.origin.x + f.layout.borderX, f.origin.y + f.layout.borderY};
}

bool HasMenuBar(HWND hwnd) {
  WindowFrame f;
  return WindowFrameOf(hwnd, &f) && f.layout.menuBar.bottom > f.layout.menuBar.top;
}

// The deepest visible child of `top` under a screen point, or `top` itself.
HWND WindowUnder(HWND top, POINT screen) {
  HWND at = top;
  for (;;) {
    POINT p = screen;
    ScreenToClient(at, &p);
    HWND child = ChildWindowFromPointEx(at, p, CWP_SKIPINVISIBLE);
    if (!child || child == at) return at;
    at = child;
  }
}

}  // namespace

void RunContextHelpMode(HWND hwnd) {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_HELP));
  SetCapture(hwnd);
  MSG msg;
  while (NextLoopMessage(hwnd, &msg)) {
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN) {
      HWND target = WindowUnder(hwnd, msg.pt);
      if (GetCapture() == hwnd) ReleaseCapture();
      HELPINFO info;
      info.iCtrlId = GetDlgCtrlID(target);
      info.hItemHandle = target;
      info.MousePos = msg.pt;
      SendMessageW(target, WM_HELP, 0, LPARAM(&info));
      break;
    }
    if (msg.message == WM_RBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN ||
        (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
      break;
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
        (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK) ||
        (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (IsWindow(hwnd) && GetCapture() == hwnd) ReleaseCapture();
  SetCursor(previous);
}

LRESULT OnSysCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WPARAM command = wParam & 0xFFF0;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (command) {
    case SC_MOVE:
    case SC_SIZE: RunMoveSizeLoop(hwnd, wParam, pt); return 0;
    case SC_CLOSE:
      if (!CaptionButtonEnabled(hwnd, HTCLOSE)) return 0;
      return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
    case SC_VSCROLL: TrackScrollBar(hwnd, SB_VERT, pt); return 0;
    case SC_HSCROLL: TrackScrollBar(hwnd, SB_HORZ, pt); return 0;
    case SC_MOUSEMENU:
      if ((wParam & 0x0F) == WPARAM(HTSYSMENU))
        TrackSystemMenu(hwnd, SystemMenuPoint(hwnd));
      else if (HasMenuBar(hwnd) && MenuBar().track)
        MenuBar().track(hwnd, wParam, lParam);
      return 0;
    case SC_KEYMENU:
      if (lParam == ' ') {
        TrackSystemMenu(hwnd, SystemMenuPoint(hwnd));
      } else if (HasMenuBar(hwnd) && MenuBar().track) {
        MenuBar().track(hwnd, wParam, lParam);
      }
      return 0;
    case SC_CONTEXTHELP: RunContextHelpMode(hwnd); return 0;
    default: return user::CallUnderlyingDefault(hwnd, msg, wParam, lParam);
  }
}

}  // namespace win::frame
