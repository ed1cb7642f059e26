#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/kernel/LastError.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/UserDrawPaint.h"

namespace win {
namespace {

using userdraw::DrawGlyph;
using userdraw::FillCheckerboard;
using userdraw::FillSysColor;

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// Glyphs, 'X' painted.
const char* const kCheckMark[] = {"......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...", "..X...."};
const char* const kBullet[] = {".XX.", "XXXX", "XXXX", ".XX."};
const char* const kClose[] = {"XX....XX", ".XX..XX.", "..XXXX..", "...XX...", "..XXXX..", ".XX..XX.", "XX....XX"};
const char* const kMinimize[] = {".........", ".........", ".........", ".........", ".........",
                                 ".........", ".........", ".XXXXXX..", ".XXXXXX.."};
const char* const kMaximize[] = {"XXXXXXXXX", "XXXXXXXXX", "X.......X", "X.......X", "X.......X",
                                 "X.......X", "X.......X", "X.......X", "XXXXXXXXX"};
const char* const kRestore[] = {"..XXXXXX.", "..XXXXXX.", "..X....X.", "XXXXXX.X.", "XXXXXX.X.",
                                "X....XXX.", "X....X...", "X....X...", "XXXXXX..."};
const char* const kHelp[] = {"..XXXX..", ".XX..XX.", ".....XX.", "....XX..", "...XX...",
                             "...XX...", "........", "...XX...", "...XX..."};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

template <size_t N>
void CentreGlyph(HDC hdc, const RECT& r, const char* const (&rows)[N], COLORREF color, int shift = 0) {
  int w = int(std::strlen(rows[0])), h = int(N);
  DrawGlyph(hdc, r.left + (Width(r) - w) / 2 + shift, r.top + (Height(r) - h) / 2 + shift, rows, h, color);
}

// An enabled glyph in the text colour; a disabled one embossed: highlight one pixel down-right
// under the shadow.
template <size_t N>
void StateGlyph(HDC hdc, const RECT& r, const char* const (&rows)[N], UINT state, int shift) {
  if (state & DFCS_INACTIVE) {
    CentreGlyph(hdc, r, rows, GetSysColor(COLOR_BTNHIGHLIGHT), shift + 1);
    CentreGlyph(hdc, r, rows, GetSysColor(COLOR_BTNSHADOW), shift);
  } else {
    CentreGlyph(hdc, r, rows, GetSysColor(COLOR_BTNTEXT), shift);
  }
}

// The push-button face; returns the rectangle inside its edge.
RECT PushButton(HDC hdc, const RECT& rc, UINT state) {
  RECT r = rc;
  UINT look = (state & DFCS_MONO) ? BF_MONO : (state & DFCS_FLAT) ? BF_FLAT : BF_SOFT;
  bool down = (state & (DFCS_PUSHED | DFCS_CHECKED)) != 0;
  DrawEdge(hdc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST | look);
  if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED) && !(look & (BF_MONO | BF_FLAT)))
    FillCheckerboard(hdc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
  else
    FillSysColor(hdc, r, (look & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE);
  return r;
}

RECT CentredSquare(const RECT& r, int side) {
  int x = r.left + (Width(r) - side) / 2, y = r.top + (Height(r) - side) / 2;
  return RECT{x, y, x + side, y + side};
}

void CheckBox(HDC hdc, const RECT& rc, UINT state) {
  RECT box = CentredSquare(rc, std::min(Width(rc), Height(rc)));
  UINT look = (state & DFCS_MONO) ? BF_MONO : (state & DFCS_FLAT) ? BF_FLAT : 0;
  DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST | look);
  bool threeState = (state & DFCS_BUTTON3STATE) != 0;
  bool checked = (state & DFCS_CHECKED) != 0;
  if (threeState && checked)
    FillCheckerboard(hdc, box, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
  else
    FillSysColor(hdc, box, (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW);
  if (checked) {
    bool grey = threeState || (state & DFCS_INACTIVE);
    CentreGlyph(hdc, box, kCheckMark, GetSysColor(grey ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
  }
}

// The 12x12 radio glyph. Rings are listed as spans per row; x + y < 11 is the top-left half.
struct Span {
  int row, from, to;  // inclusive
};
const Span kOuterRing[] = {{0, 4, 7},  {1, 2, 3},  {1, 8, 9},   {2, 1, 1},  {2, 10, 10}, {3, 1, 1},  {3, 10, 10},
                           {4, 0, 0},  {4, 11, 11}, {5, 0, 0},  {5, 11, 11}, {6, 0, 0},  {6, 11, 11}, {7, 0, 0},
                           {7, 11, 11}, {8, 1, 1}, {8, 10, 10}, {9, 1, 1},  {9, 10, 10}, {10, 2, 3}, {10, 8, 9},
                           {11, 4, 7}};
const Span kInnerRing[] = {{1, 4, 7}, {2, 2, 3}, {2, 8, 9}, {3, 2, 2}, {3, 9, 9}, {4, 1, 1}, {4, 10, 10},
                           {5, 1, 1}, {5, 10, 10}, {6, 1, 1}, {6, 10, 10}, {7, 1, 1}, {7, 10, 10}, {8, 2, 2},
                           {8, 9, 9}, {9, 2, 3}, {9, 8, 9}, {10, 4, 7}};
const Span kInside[] = {{2, 4, 7}, {3, 3, 8}, {4, 2, 9}, {5, 2, 9}, {6, 2, 9}, {7, 2, 9}, {8, 3, 8}, {9, 4, 7}};
const Span kDot[] = {{4, 5, 6}, {5, 4, 7}, {6, 4, 7}, {7, 5, 6}};

template <size_t N>
void PaintSpans(HDC hdc, int x0, int y0, const Span (&spans)[N], COLORREF topLeft, COLORREF bottomRight) {
  for (const Span& s : spans)
    for (int x = s.from; x <= s.to; ++x) SetPixelV(hdc, x0 + x, y0 + s.row, x + s.row < 11 ? topLeft : bottomRight);
}

void RadioButton(HDC hdc, const RECT& rc, UINT state) {
  RECT g = CentredSquare(rc, 12);
  bool mono = (state & (DFCS_MONO | DFCS_FLAT)) != 0;
  COLORREF frame = GetSysColor(mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
  PaintSpans(hdc, g.left, g.top, kOuterRing, frame, mono ? frame : GetSysColor(COLOR_BTNHIGHLIGHT));
  COLORREF inside = GetSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW);
  if (mono)
    PaintSpans(hdc, g.left, g.top, kInnerRing, inside, inside);
  else
    PaintSpans(hdc, g.left, g.top, kInnerRing, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  PaintSpans(hdc, g.left, g.top, kInside, inside, inside);
  if (state & DFCS_CHECKED) {
    COLORREF dot = GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    PaintSpans(hdc, g.left, g.top, kDot, dot, dot);
  }
}

// A filled triangle pointing along `part` (DFCS_SCROLLUP ... RIGHT) with n + 1 rows.
void Arrow(HDC hdc, const RECT& r, UINT part, int shift, COLORREF color) {
  int n = std::max(1, (std::min(Width(r), Height(r)) - 4) / 4);
  bool vertical = part == DFCS_SCROLLUP || part == DFCS_SCROLLDOWN || part == DFCS_SCROLLCOMBOBOX;
  int boxW = vertical ? 2 * n + 1 : n + 1, boxH = vertical ? n + 1 : 2 * n + 1;
  int x0 = r.left + (Width(r) - boxW) / 2 + shift, y0 = r.top + (Height(r) - boxH) / 2 + shift;
  for (int i = 0; i <= n; ++i) {
    // Line i of the triangle: the base (2n + 1 long) first for down/right, last for up/left.
    int len = 2 * (n - i) + 1;
    RECT line;
    switch (part) {
      case DFCS_SCROLLUP: line = RECT{x0 + n - i, y0 + i, x0 + n - i + 2 * i + 1, y0 + i + 1}; break;
      case DFCS_SCROLLLEFT: line = RECT{x0 + i, y0 + n - i, x0 + i + 1, y0 + n + i + 1}; break;
      case DFCS_SCROLLRIGHT: line = RECT{x0 + i, y0 + i, x0 + i + 1, y0 + i + len}; break;
      default: line = RECT{x0 + i, y0 + i, x0 + i + len, y0 + i + 1}; break;  // down, combo box
    }
    userdraw::FillColor(hdc, line, color);
  }
}

void ScrollArrow(HDC hdc, const RECT& rc, UINT part, UINT state) {
  RECT r = rc;
  int shift = 0;
  if (state & DFCS_PUSHED) {
    DrawEdge(hdc, &r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    FillSysColor(hdc, r, COLOR_BTNFACE);
    shift = 1;
  } else {
    PushButton(hdc, rc, state & (DFCS_FLAT | DFCS_MONO));
  }
  if (state & DFCS_INACTIVE) {
    Arrow(hdc, rc, part, shift + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    Arrow(hdc, rc, part, shift, GetSysColor(COLOR_BTNSHADOW));
  } else {
    Arrow(hdc, rc, part, shift, GetSysColor(COLOR_BTNTEXT));
  }
}

// Ridges lit from the top left, by distance k = (right - 1 - x) + (bottom - 1 - y) from the
// corner: k = 1, 2, 5, 6, 9, 10 shadow; 3, 7, 11 highlight; up to the side less 4. Mirrored, the grip sits in the
// bottom-left corner (right-to-left layouts).
void SizeGrip(HDC hdc, const RECT& r, bool mirrored) {
  FillSysColor(hdc, r, COLOR_BTNFACE);
  int maxK = std::min(Width(r), Height(r)) - 4;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int k = 1; k <= std::min(maxK, 11); ++k) {
    int phase = (k - 1) % 4;
    if (phase == 3) continue;
    COLORREF c = phase == 2 ? light : shadow;
    for (int d = 0; d <= k; ++d)
      SetPixelV(hdc, mirrored ? r.left + d : r.right - 1 - d, r.bottom - 1 - (k - d), c);
  }
}

BOOL Caption(HDC hdc, const RECT& rc, UINT state) {
  UINT part = state & 0xFF;
  if (part > DFCS_CAPTIONHELP) return FALSE;
  bool pushed = (state & DFCS_PUSHED) != 0;
  PushButton(hdc, rc, state & (DFCS_PUSHED | DFCS_FLAT | DFCS_MONO));
  int shift = pushed ? 1 : 0;
  switch (part) {
    case DFCS_CAPTIONCLOSE: StateGlyph(hdc, rc, kClose, state, shift); break;
    case DFCS_CAPTIONMIN: StateGlyph(hdc, rc, kMinimize, state, shift); break;
    case DFCS_CAPTIONMAX: StateGlyph(hdc, rc, kMaximize, state, shift); break;
    case DFCS_CAPTIONRESTORE: StateGlyph(hdc, rc, kRestore, state, shift); break;
    default: StateGlyph(hdc, rc, kHelp, state, shift); break;
  }
  return TRUE;
}

BOOL MenuMark(HDC hdc, const RECT& rc, UINT state) {
  UINT part = state & 0xFF;
  if (part != DFCS_MENUARROW && part != DFCS_MENUCHECK && part != DFCS_MENUBULLET && part != DFCS_MENUARROWRIGHT)
    return FALSE;
  userdraw::FillColor(hdc, rc, kWhite);
  if (part == DFCS_MENUCHECK)
    CentreGlyph(hdc, rc, kCheckMark, kBlack);
  else if (part == DFCS_MENUBULLET)
    CentreGlyph(hdc, rc, kBullet, kBlack);
  else
    Arrow(hdc, rc, DFCS_SCROLLRIGHT, 0, kBlack);
  return TRUE;
}

BOOL Button(HDC hdc, RECT* lprc, UINT state) {
  UINT part = state & 0xFF;
  if (part & DFCS_BUTTONPUSH) {
    RECT inner = PushButton(hdc, *lprc, state);
    if (state & DFCS_ADJUSTRECT) *lprc = inner;
    return TRUE;
  }
  if (part & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) {
    RadioButton(hdc, *lprc, state);
    return TRUE;
  }
  if ((part & ~DFCS_BUTTON3STATE) == DFCS_BUTTONCHECK) {
    CheckBox(hdc, *lprc, state);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState) {
  if (!userdraw::IsDrawableDC(hdc) || !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Glyphs have fixed sizes: nothing may spill out of a rectangle smaller than they are.
  int saved = SaveDC(hdc);
  IntersectClipRect(hdc, lprc->left, lprc->top, lprc->right, lprc->bottom);
  BOOL ok = FALSE;
  switch (uType) {
    case DFC_BUTTON: ok = Button(hdc, lprc, uState); break;
    case DFC_CAPTION: ok = Caption(hdc, *lprc, uState); break;
    case DFC_MENU:
    case DFC_POPUPMENU: ok = MenuMark(hdc, *lprc, uState); break;
    case DFC_SCROLL: {
      UINT part = uState & 0xFF;
      if (part == DFCS_SCROLLSIZEGRIP || part == DFCS_SCROLLSIZEGRIPRIGHT) {
        SizeGrip(hdc, *lprc, part == DFCS_SCROLLSIZEGRIPRIGHT);
        ok = TRUE;
      } else if (part <= DFCS_SCROLLRIGHT || part == DFCS_SCROLLCOMBOBOX) {
        ScrollArrow(hdc, *lprc, part, uState);
        ok = TRUE;
      }
      break;
    }
    default: break;
  }
  RestoreDC(hdc, saved);
  if (!ok) SetLastError(ERROR_INVALID_PARAMETER);
  return ok;
}

}  // namespace win
