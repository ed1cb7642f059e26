#pragma once
// Where the parts of a message box go, from the measured sizes of its text and button captions.

#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::msgbox {

inline constexpr int kMargin = 12, kIconSize = 32, kButtonHeight = 23, kButtonMinWidth = 75, kButtonGap = 6,
                     kCaptionPadding = 16;

struct Layout {
  SIZE client{};
  RECT icon{};  // empty without an icon
  RECT text{};
  std::vector<RECT> buttons;
};

// `textSize` is the wrapped text's extent; `captionWidths` the widths of the button captions.
Layout LayOut(SIZE textSize, bool hasIcon, const std::vector<int>& captionWidths);

// The box's window rectangle: centred on `around` and kept inside `workArea`.
RECT PlaceWindow(SIZE windowSize, const RECT& around, const RECT& workArea);

}  // namespace win::msgbox
