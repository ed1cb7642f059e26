// Tracking a pressed caption button.

#include "platform/user/detail/FrameButtons.h"

#include <utility>

#include "platform/kernel/Rects.h"
#include "platform/user/detail/FrameModalLoop.h"
#include "platform/user/detail/FramePaint.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace win::frame {
namespace {

const RECT* ButtonRect(const FrameLayout& l, LRESULT hit) {
  switch (hit) {
    case HTCLOSE: return &l.closeButton;
    case HTMAXBUTTON: return &l.maxButton;
    case HTMINBUTTON: return &l.minButton;
    case HTHELP: return &l.helpButton;
    default: return nullptr;
  }
}

// The button that was and the one that is pressed are painted again, by whoever paints the frame.
void ShowPressed(HWND hwnd, LRESULT pressed) {
  FrameState* s = StateOf(hwnd);
  if (!s || s->pressedButton == pressed) return;
  LRESULT was = std::exchange(s->pressedButton, pressed);
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f)) return;
  for (LRESULT hit : {was, pressed})
    if (const RECT* r = ButtonRect(f.layout, hit)) RepaintFrame(hwnd, r);
}

bool Over(HWND hwnd, LRESULT hit, POINT screen) {
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f)) return false;
  const RECT* r = ButtonRect(f.layout, hit);
  return r && PtInRect(r, ToWindow(f, screen));
}

}  // namespace

bool TrackCaptionButton(HWND hwnd, LRESULT hit) {
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f) || !ButtonRect(f.layout, hit) || IsRectEmpty(ButtonRect(f.layout, hit))) return false;
  if (!CaptionButtonEnabled(hwnd, hit)) return false;
  SetCapture(hwnd);
  ShowPressed(hwnd, hit);
  bool released = false;
  MSG msg;
  while (NextLoopMessage(hwnd, &msg)) {
    if (IsMouseMove(msg.message)) {
      ShowPressed(hwnd, Over(hwnd, hit, msg.pt) ? hit : 0);
    } else if (IsLeftButtonUp(msg.message)) {
      released = Over(hwnd, hit, msg.pt);
      break;
    } else if (IsButtonDown(msg.message)) {
      break;
    } else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
      // Other mouse traffic belongs to the loop.
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (!IsWindow(hwnd)) return false;
  if (GetCapture() == hwnd) ReleaseCapture();
  ShowPressed(hwnd, 0);
  return released && IsWindow(hwnd);
}

}  // namespace win::frame
