#include "platform/controls/MessageBoxLayout.h"

#include <algorithm>

namespace win::msgbox {

Layout LayOut(SIZE textSize, bool hasIcon, const std::vector<int>& captionWidths) {
  Layout l;
  int top = kMargin;
  int textX = kMargin;
  int contentHeight = int(textSize.cy);
  if (hasIcon) {
    l.icon = RECT{kMargin, top, kMargin + kIconSize, top + kIconSize};
    textX = kMargin + kIconSize + kMargin;
    contentHeight = std::max(contentHeight, kIconSize);
  }
  // Text shorter than the icon sits level with the icon's middle.
  int textY = top + (contentHeight - int(textSize.cy)) / 2;
  l.text = RECT{textX, textY, textX + int(textSize.cx), textY + int(textSize.cy)};

  int buttonWidth = kButtonMinWidth;
  for (int w : captionWidths) buttonWidth = std::max(buttonWidth, w + kCaptionPadding);
  const int n = int(captionWidths.size());
  const int rowWidth = n * buttonWidth + std::max(0, n - 1) * kButtonGap;

  l.client.cx = std::max<LONG>(l.text.right + kMargin, rowWidth + 2 * kMargin);
  const int rowY = top + contentHeight + kMargin;
  l.client.cy = rowY + kButtonHeight + kMargin;
  int x = (int(l.client.cx) - rowWidth) / 2;
  for (int i = 0; i < n; ++i) {
    l.buttons.push_back(RECT{x, rowY, x + buttonWidth, rowY + kButtonHeight});
    x += buttonWidth + kButtonGap;
  }
  return l;
}

RECT PlaceWindow(SIZE windowSize, const RECT& around, const RECT& workArea) {
  int x = around.left + ((around.right - around.left) - int(windowSize.cx)) / 2;
  int y = around.top + ((around.bottom - around.top) - int(windowSize.cy)) / 2;
  x = std::max<int>(workArea.left, std::min<int>(x, workArea.right - int(windowSize.cx)));
  y = std::max<int>(workArea.top, std::min<int>(y, workArea.bottom - int(windowSize.cy)));
  return RECT{x, y, x + int(windowSize.cx), y + int(windowSize.cy)};
}

}  // namespace win::msgbox
