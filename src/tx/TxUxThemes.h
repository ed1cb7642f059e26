#pragma once
// The visual-style library, bound by name at run time. Each entry point is a global function
// pointer, null until the library is loaded and null again after it is freed. This system ships
// no visual-style library, so styles are inactive and every caller takes its classic branch;
// a provider that registers the entry points under "uxtheme.dll" (tests do) turns them on.

#include "platform/gdi/GdiTypes.h"
#include "platform/user/windows/WinUserTypes.h"

namespace tx {

using HTHEME = win::HANDLE;
using HRESULT = win::LONG;
inline constexpr HRESULT S_OK = 0;

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};
struct INTLIST {
  int iValueCount = 0;
  int iValues[402] = {};
};
enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// Property ids used by the themes.
inline constexpr int TMT_CAPTIONMARGINS = 3603, TMT_FILLCOLOR = 3802, TMT_TEXTCOLOR = 3803;

// Every entry point, in the order they are taken: (name, result, parameters).
#define KV_UXTHEME_ENTRY_POINTS(X)                                                                              \
  X(OpenThemeData, HTHEME, (win::HWND, win::LPCWSTR))                                                           \
  X(CloseThemeData, HRESULT, (HTHEME))                                                                          \
  X(DrawThemeBackground, HRESULT, (HTHEME, win::HDC, int, int, const win::RECT*, const win::RECT*))             \
  X(DrawThemeText, HRESULT,                                                                                     \
    (HTHEME, win::HDC, int, int, win::LPCWSTR, int, win::DWORD, win::DWORD, const win::RECT*))                  \
  X(GetThemeBackgroundContentRect, HRESULT, (HTHEME, win::HDC, int, int, const win::RECT*, win::RECT*))         \
  X(GetThemePartSize, HRESULT, (HTHEME, win::HDC, int, int, const win::RECT*, THEMESIZE, win::SIZE*))           \
  X(GetThemeTextExtent, HRESULT,                                                                                \
    (HTHEME, win::HDC, int, int, win::LPCWSTR, int, win::DWORD, const win::RECT*, win::RECT*))                  \
  X(GetThemeTextMetrics, HRESULT, (HTHEME, win::HDC, int, int, win::TEXTMETRICW*))                              \
  X(GetThemeBackgroundRegion, HRESULT, (HTHEME, win::HDC, int, int, const win::RECT*, win::HRGN*))              \
  X(HitTestThemeBackground, HRESULT,                                                                            \
    (HTHEME, win::HDC, int, int, win::DWORD, const win::RECT*, win::HRGN, win::POINT, win::WORD*))              \
  X(DrawThemeEdge, HRESULT, (HTHEME, win::HDC, int, int, const win::RECT*, win::UINT, win::UINT, win::RECT*))   \
  X(DrawThemeIcon, HRESULT, (HTHEME, win::HDC, int, int, const win::RECT*, win::HANDLE, int))                   \
  X(IsThemePartDefined, win::BOOL, (HTHEME, int, int))                                                          \
  X(IsThemeBackgroundPartiallyTransparent, win::BOOL, (HTHEME, int, int))                                       \
  X(GetThemeColor, HRESULT, (HTHEME, int, int, int, win::COLORREF*))                                            \
  X(GetThemeMetric, HRESULT, (HTHEME, win::HDC, int, int, int, int*))                                           \
  X(GetThemeString, HRESULT, (HTHEME, int, int, int, win::LPWSTR, int))                                         \
  X(GetThemeBool, HRESULT, (HTHEME, int, int, int, win::BOOL*))                                                 \
  X(GetThemeInt, HRESULT, (HTHEME, int, int, int, int*))                                                        \
  X(GetThemeEnumValue, HRESULT, (HTHEME, int, int, int, int*))                                                  \
  X(GetThemePosition, HRESULT, (HTHEME, int, int, int, win::POINT*))                                            \
  X(GetThemeFont, HRESULT, (HTHEME, win::HDC, int, int, int, win::LOGFONTW*))                                   \
  X(GetThemeRect, HRESULT, (HTHEME, int, int, int, win::RECT*))                                                 \
  X(GetThemeMargins, HRESULT, (HTHEME, win::HDC, int, int, int, const win::RECT*, MARGINS*))                    \
  X(GetThemeIntList, HRESULT, (HTHEME, int, int, int, INTLIST*))                                                \
  X(GetThemePropertyOrigin, HRESULT, (HTHEME, int, int, int, int*))                                             \
  X(SetWindowTheme, HRESULT, (win::HWND, win::LPCWSTR, win::LPCWSTR))                                           \
  X(GetThemeFilename, HRESULT, (HTHEME, int, int, int, win::LPWSTR, int))                                       \
  X(GetThemeSysColor, win::COLORREF, (HTHEME, int))                                                             \
  X(GetThemeSysColorBrush, win::HBRUSH, (HTHEME, int))                                                          \
  X(GetThemeSysBool, win::BOOL, (HTHEME, int))                                                                  \
  X(GetThemeSysSize, int, (HTHEME, int))                                                                        \
  X(GetThemeSysFont, HRESULT, (HTHEME, int, win::LOGFONTW*))                                                    \
  X(GetThemeSysString, HRESULT, (HTHEME, int, win::LPWSTR, int))                                                \
  X(GetThemeSysInt, HRESULT, (HTHEME, int, int*))                                                               \
  X(IsThemeActive, win::BOOL, ())                                                                               \
  X(IsAppThemed, win::BOOL, ())                                                                                 \
  X(GetWindowTheme, HTHEME, (win::HWND))                                                                        \
  X(EnableThemeDialogTexture, HRESULT, (win::HWND, win::DWORD))                                                 \
  X(IsThemeDialogTextureEnabled, win::BOOL, (win::HWND))                                                        \
  X(GetThemeAppProperties, win::DWORD, ())                                                                      \
  X(SetThemeAppProperties, void, (win::DWORD))                                                                  \
  X(GetCurrentThemeName, HRESULT, (win::LPWSTR, int, win::LPWSTR, int, win::LPWSTR, int))                       \
  X(GetThemeDocumentationProperty, HRESULT, (win::LPCWSTR, win::LPCWSTR, win::LPWSTR, int))                     \
  X(DrawThemeParentBackground, HRESULT, (win::HWND, win::HDC, const win::RECT*))                                \
  X(EnableTheming, HRESULT, (win::BOOL))

// The entry points live in their own namespace: their names (GetCurrentThemeName ...) are
// also names of the engine's own routines.
namespace ux {
#define KV_UXTHEME_DECLARE(name, result, params) \
  using T##name = result(*) params;              \
  extern T##name name;
KV_UXTHEME_ENTRY_POINTS(KV_UXTHEME_DECLARE)
#undef KV_UXTHEME_DECLARE
}  // namespace ux

// Loads the library when not loaded and takes every entry point (a missing one stays null);
// true when the library is loaded.
bool LoadUxTheme();
// Frees the library and clears every entry point; nothing when not loaded.
void FreeUxTheme();
// The library is loaded and both IsAppThemed and IsThemeActive (asked in this order) say yes.
bool IsUxThemeActive();

// Calls that do nothing (false, or the given default) when the entry point or the handle is
// missing, for painters whose styled branch must never fault.
bool DrawThemePart(HTHEME Theme, win::HDC DC, int Part, int State, const win::RECT& R,
                   const win::RECT* Clip = nullptr);
win::COLORREF ThemeColorOr(HTHEME Theme, int Part, int State, int Prop, win::COLORREF Default);

}  // namespace tx
