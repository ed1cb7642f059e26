#pragma once
// Fonts, text output, text measuring and DrawText of the drawing layer.
//
// Face names are mapped through one fixed substitution table, so every machine measures the
// same: Tahoma, MS Sans Serif, Verdana, Segoe UI, System, an empty name and every unknown name
// become DejaVu Sans; Arial becomes Liberation Sans, Courier New Liberation Mono and Times New
// Roman Liberation Serif. GetTextFaceW reports the face actually used.
//
// The face kTestFontFace is a built-in font with exact metrics that owe nothing to any font
// file, for tests that check where text lands. At its natural size (lfHeight 0, 13 or -13) every
// character advances 7 pixels, the cell is 13 pixels high with ascent 10 and descent 3, and both
// leadings are 0. Other sizes scale from the cell height H = |lfHeight|: ascent = round(H * 10 /
// 13), descent = H - ascent, advance = round(0.54 * H) (or lfWidth when that is not 0). A glyph
// is drawn as a filled box over the columns [x, x + advance - 1) and the rows [baseline - ascent,
// baseline); blanks (space, tab, no-break space) draw nothing. The underline is the row below the
// baseline; the strike-out is the row round(ascent / 2) above it.

#include <string_view>

#include "platform/gdi/GdiTypes.h"

namespace win {

inline constexpr std::u16string_view kTestFontFace = u"Korvalin Test";

// DrawText formats
inline constexpr UINT DT_TOP = 0x00000000, DT_LEFT = 0x00000000, DT_CENTER = 0x00000001,
                      DT_RIGHT = 0x00000002, DT_VCENTER = 0x00000004, DT_BOTTOM = 0x00000008,
                      DT_WORDBREAK = 0x00000010, DT_SINGLELINE = 0x00000020, DT_EXPANDTABS = 0x00000040,
                      DT_TABSTOP = 0x00000080, DT_NOCLIP = 0x00000100, DT_EXTERNALLEADING = 0x00000200,
                      DT_CALCRECT = 0x00000400, DT_NOPREFIX = 0x00000800, DT_INTERNAL = 0x00001000,
                      DT_EDITCONTROL = 0x00002000, DT_PATH_ELLIPSIS = 0x00004000,
                      DT_END_ELLIPSIS = 0x00008000, DT_MODIFYSTRING = 0x00010000,
                      DT_RTLREADING = 0x00020000, DT_WORD_ELLIPSIS = 0x00040000,
                      DT_NOFULLWIDTHCHARBREAK = 0x00080000, DT_HIDEPREFIX = 0x00100000,
                      DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;    // average character widths per tab stop
  int iLeftMargin = 0;   // logical units
  int iRightMargin = 0;  // logical units
  UINT uiLengthDrawn = 0;
};

// TEXTMETRICW::tmPitchAndFamily bits. TMPF_FIXED_PITCH set means a variable-pitch font.
inline constexpr BYTE TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_DEVICE = 0x08, TMPF_TRUETYPE = 0x04;

// Fonts. Sizes beyond 16384 pixels fail with NULL.
HFONT CreateFontIndirectW(const LOGFONTW* lf);

// Font enumeration: the faces of the substitution table, each once, with its logical font and
// its metrics at the default size. lf->lfFaceName empty lists every face, a name only that
// face (compared without regard to ASCII case); the callback returns 0 to stop. The result is
// the callback's last answer (1 when it was never called).
inline constexpr DWORD RASTER_FONTTYPE = 0x0001, DEVICE_FONTTYPE = 0x0002, TRUETYPE_FONTTYPE = 0x0004;
using FONTENUMPROCW = int (*)(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD fontType, LPARAM lParam);
int EnumFontFamiliesExW(HDC hdc, const LOGFONTW* lf, FONTENUMPROCW proc, LPARAM lParam, DWORD flags);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName);

// Text output. Counts are UTF-16 units (ANSI: bytes of CP1251 text). `dx`, when given, holds the
// distance from each character's origin to the next one's.
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count);
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count);

// Extra space (logical units, may be negative) added after every character by text output and
// measuring, but not when ExtTextOutW is given its own spacing. Set returns the previous value,
// 0x80000000 for a bad DC.
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);

// Measuring, in logical units of the DC's selected font (rotation does not change the extents).
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size);
// `fit` receives how many leading characters fit in `maxExtent` (when not null); `partial[i]`
// receives the width of the first i + 1 characters for every character (when not null).
BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR text, int count, int maxExtent, INT* fit, INT* partial,
                           SIZE* size);
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm);
BOOL GetCharWidth32W(HDC hdc, UINT first, UINT last, INT* widths);
// Copies the face name (at most `count` - 1 characters and a terminating zero) and returns the
// number of characters written including the zero; with a null buffer returns the size needed.
int GetTextFaceW(HDC hdc, int count, LPWSTR faceName);

// Formatted text in a rectangle. `count` -1 means a zero-terminated text. With DT_MODIFYSTRING
// and an ellipsis the buffer receives the text as shown, so it must have room for count + 4
// characters. Returns the height of the text (with DT_VCENTER or DT_BOTTOM: the offset from the
// rectangle's top to the bottom of the text), 0 on failure.
int DrawTextW(HDC hdc, LPCWSTR text, int count, RECT* rect, UINT format);
int DrawTextExW(HDC hdc, LPWSTR text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format);

}  // namespace win
