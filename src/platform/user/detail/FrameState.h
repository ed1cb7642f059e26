#pragma once
// Internal: what the default window procedure remembers per window about its frame and its
// window scroll bars (caption activity, the pressed caption button or scroll-bar part, the
// scroll ranges). Kept beside the window objects, keyed by handle; an entry whose window has
// gone (or whose handle now names another window) is dropped when looked at.

#include <optional>

#include "platform/user/windows/WinUserTypes.h"

namespace win::frame {

// One scroll bar's range and state. Window bars start with the range 0..100, as Win32 gives them.
struct ScrollData {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  UINT disabled = 0;     // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN bits
  bool tracking = false; // the thumb is being dragged
  bool initialised = false;  // set by a call, or by the window having the bar
};

// The part of a scroll bar that is pressed, for drawing.
enum class ScrollPart : uint8_t { None, ArrowUp, PageUp, Thumb, PageDown, ArrowDown };

struct FrameState {
  std::optional<bool> ncActive;   // last WM_NCACTIVATE; unset: ask the window system
  LRESULT pressedButton = 0;      // HTCLOSE ... while a caption button is held down
  ScrollData bars[3];             // SB_HORZ, SB_VERT, SB_CTL
  int pressedBar = -1;            // bar index whose part is pressed
  ScrollPart pressedPart = ScrollPart::None;
  int thumbOffset = 0;            // while dragging: the thumb's start (pixels from the track's start)
  bool thumbDragging = false;
  HMENU sysMenu = nullptr;        // the window's own copy of the system menu, destroyed with the state

  FrameState() = default;
  FrameState(const FrameState&) = delete;
  FrameState& operator=(const FrameState&) = delete;
  ~FrameState();
};

// The state of a live window (created on first use); null for an invalid handle.
FrameState* StateOf(HWND hwnd);
// The state if the window has one already; null otherwise.
FrameState* FindState(HWND hwnd);
// Forgets a window's state (WM_NCDESTROY).
void DropState(HWND hwnd);

}  // namespace win::frame
