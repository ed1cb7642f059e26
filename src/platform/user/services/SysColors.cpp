#include "platform/user/services/SysColors.h"

#include <array>
#include <vector>
#include <mutex>

#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/LastError.h"
#include "platform/user/services/SysWindowLink.h"

namespace win {
namespace {

constexpr UINT kSysColorChangeMessage = 0x0015;  // WM_SYSCOLORCHANGE

using ColorTable = std::array<COLORREF, kSysColorCount>;

constexpr ColorTable kClassicScheme = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25: alternate button face
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

struct ColorState {
  std::mutex mutex;
  ColorTable colors = kClassicScheme;
  std::array<HBRUSH, kSysColorCount> brushes = {};
  std::array<COLORREF, kSysColorCount> brushColors = {};
  std::vector<HBRUSH> retired;  // brushes of earlier colours, kept for holders of their handles
};

ColorState& State() {
  static ColorState s;
  return s;
}

bool InTable(int index) { return index >= 0 && index < kSysColorCount; }

}  // namespace

DWORD GetSysColor(int nIndex) {
  if (!InTable(nIndex)) return 0;
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.colors[size_t(nIndex)];
}

HBRUSH GetSysColorBrush(int nIndex) {
  if (!InTable(nIndex)) return nullptr;
  auto& s = State();
  std::lock_guard lock(s.mutex);
  auto i = size_t(nIndex);
  HBRUSH& brush = s.brushes[i];
  bool alive = brush && GetObjectType(brush) == OBJ_BRUSH;
  if (alive && s.brushColors[i] == s.colors[i]) return brush;
  if (alive) s.retired.push_back(brush);
  brush = CreateSolidBrush(s.colors[i]);
  s.brushColors[i] = s.colors[i];
  return brush;
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues) {
  if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (int i = 0; i < cElements; ++i) {
    if (!InTable(lpaElements[i])) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    // Only the 24 colour bits are kept, as the colour table stores them.
    for (int i = 0; i < cElements; ++i) s.colors[size_t(lpaElements[i])] = lpaRgbValues[i] & 0x00FFFFFF;
  }
  LinkSendToTopLevelWindows(kSysColorChangeMessage, 0, 0);
  return TRUE;
}

void ResetSysColors() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.colors = kClassicScheme;
}

}  // namespace win
