#pragma once
// Process-wide state of the drawing utilities: the optional system functions (bound by name, each
// may be missing), the shared work bitmaps, the small-caption font. Started and ended by
// reference count; the theme manager remakes the bitmaps and the font on every system change.

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsObjects.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/user/windows/WinUserTypes.h"

namespace tx {

using TUpdateLayeredWindowProc = win::BOOL (*)(win::HWND, win::HDC, const win::POINT*, const win::SIZE*, win::HDC,
                                               const win::POINT*, win::COLORREF, const win::BLENDFUNCTION*,
                                               win::DWORD);
using TAlphaBlendProc = win::BOOL (*)(win::HDC, int, int, int, int, win::HDC, int, int, int, int,
                                      win::BLENDFUNCTION);
using TGradientFillProc = win::BOOL (*)(win::HDC, const win::TRIVERTEX*, win::ULONG, const void*, win::ULONG,
                                        win::ULONG);

extern TUpdateLayeredWindowProc UpdateLayeredWindowProc;
extern TAlphaBlendProc AlphaBlendProc;
extern TGradientFillProc GradientFillProc;

// 24-bit bitmaps the image routines size per call, a monochrome mask bitmap, and the 8 x 8 bitmap
// whose canvas answers GetNearestColor.
extern fw::TBitmap* WorkBitmap1;
extern fw::TBitmap* WorkBitmap2;
extern fw::TBitmap* MonoWorkBitmap;
extern fw::TBitmap* NearestColorBitmap;
// The system's small-caption font (the default font when the system cannot say).
extern fw::TFont* SmallCaptionFont;

// Reference-counted start and end: the first start binds the optional functions, makes the
// bitmaps and the font and generates the brushed-texture profiles; the last end frees them.
void InitTxUtils();
void DoneTxUtils();
// Frees and makes again the work bitmaps and the small-caption font (system changes).
void RecreateTxUtilsObjects();
// Looks the optional functions up again (tests remove and restore them).
void BindOptionalFunctions();

}  // namespace tx
