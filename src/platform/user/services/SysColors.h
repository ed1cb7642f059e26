#pragma once
// System colours: the classic "Windows Standard" scheme (button face 212,208,200, dark-blue
// active caption 10,36,106 fading to 166,202,240, grey inactive caption ...), changeable with
// SetSysColors, which tells every top-level window with WM_SYSCOLORCHANGE.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_DESKTOP = 1, COLOR_ACTIVECAPTION = 2,
                     COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6,
                     COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10,
                     COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13,
                     COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_3DFACE = 15, COLOR_BTNSHADOW = 16,
                     COLOR_3DSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18,
                     COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20, COLOR_BTNHILIGHT = 20,
                     COLOR_3DHIGHLIGHT = 20, COLOR_3DHILIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22,
                     COLOR_INFOTEXT = 23, COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26,
                     COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
                     COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30;
// Number of indexes, 0 .. 30 (index 25 is the unnamed alternate button face).
inline constexpr int kSysColorCount = 31;

// 0 for an index outside the table.
DWORD GetSysColor(int nIndex);
// Sets the listed colours, then sends WM_SYSCOLORCHANGE to the top-level windows. Fails (FALSE,
// nothing changed) for a null list with a positive count or an index outside the table.
BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues);

// A solid brush of the colour, owned by the system: callers never delete it (a deleted one is
// made again). After SetSysColors a changed colour gets a new brush; the old handle stays
// valid with the old colour. Null for an index outside the table.
HBRUSH GetSysColorBrush(int nIndex);

// Back to the classic scheme without telling any window (for tests).
void ResetSysColors();

}  // namespace win
