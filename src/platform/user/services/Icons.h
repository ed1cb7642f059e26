#pragma once
// Icons of the window system. The program's icons are its RT_RCDATA resources holding .ico
// data; the program's own icon is the one named "MAINICON" (ExtractIconExW's icon 0). An icon
// handle keeps one image (the size nearest to the one asked for) until DestroyIcon.

#include "platform/kernel/WinDef.h"

namespace win {

inline const LPCWSTR kProgramIconName = u"MAINICON";

inline constexpr UINT IMAGE_BITMAP = 0, IMAGE_ICON = 1, IMAGE_CURSOR = 2;
inline constexpr UINT LR_DEFAULTCOLOR = 0x0000, LR_DEFAULTSIZE = 0x0040, LR_SHARED = 0x8000;
inline constexpr UINT DI_MASK = 0x0001, DI_IMAGE = 0x0002, DI_NORMAL = 0x0003, DI_COMPAT = 0x0004,
                      DI_DEFAULTSIZE = 0x0008;

// IMAGE_ICON only: the program's icon resource `name`, with the image nearest to cx × cy (0:
// with LR_DEFAULTSIZE the SM_CXICON size, else 32). Null with ERROR_RESOURCE_NAME_NOT_FOUND when
// there is no such resource, ERROR_INVALID_PARAMETER for another type, ERROR_INVALID_DATA when
// the resource is no usable icon.
HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad);

// Icons of the program file (the only file whose icons can be read): with index -1 and no
// handles asked, the number of icons it has; else icon `index` (and the next nIcons - 1) at the
// large (SM_CXICON) and small (SM_CXSMICON) sizes into whichever arrays are given. Returns the
// number of icons extracted; 0 for another file or an index beyond the icons.
UINT ExtractIconExW(LPCWSTR lpszFile, int nIconIndex, HICON* phiconLarge, HICON* phiconSmall, UINT nIcons);

BOOL DestroyIcon(HICON hIcon);
// The size of the icon's image; false for a dead handle.
BOOL GetIconSize(HICON hIcon, SIZE* size);

// Draws the icon at (xLeft, yTop) stretched to cxWidth × cyWidth (0: its own size, or with
// DI_DEFAULTSIZE the SM_CXICON size). DI_NORMAL blends it over what is there (alpha icons by
// their alpha, masked ones only where the mask is opaque); DI_IMAGE draws its colours opaque;
// DI_MASK its mask (black opaque, white see-through). A brush fills the rectangle first.
// FALSE with ERROR_INVALID_CURSOR_HANDLE for a dead handle.
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);

}  // namespace win
