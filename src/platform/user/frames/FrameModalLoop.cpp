// The frame's modal-loop pump.

#include "platform/user/detail/FrameModalLoop.h"

#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace win::frame {

bool NextLoopMessage(HWND hwnd, MSG* msg) {
  // Peek and wait rather than block in GetMessage, so that a capture taken away while the loop
  // waits ends it even when nothing is queued for it.
  for (;;) {
    if (!IsWindow(hwnd) || GetCapture() != hwnd) return false;
    if (PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg->message != WM_QUIT) return true;
      PostQuitMessage(int(msg->wParam));
      return false;
    }
    WaitMessage();
  }
}

bool IsMouseMove(UINT msg) { return msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE; }
bool IsLeftButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_NCLBUTTONUP; }
bool IsButtonDown(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
  }
}

}  // namespace win::frame
