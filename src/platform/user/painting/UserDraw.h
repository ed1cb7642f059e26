#pragma once
// The window system's drawing of its classic elements: 3-D edges, frame controls (buttons,
// check boxes, radio buttons, scroll arrows, size grips, caption buttons, menu marks), focus
// rectangles and captions. Colours come from the system colour table; everything is drawn with
// the drawing layer's fills and pixels, in logical coordinates of the DC.

#include "platform/kernel/WinDef.h"

namespace win {

// Edges
inline constexpr UINT BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004,
                      BDR_SUNKENINNER = 0x0008, BDR_OUTER = 0x0003, BDR_INNER = 0x000C, BDR_RAISED = 0x0005,
                      BDR_SUNKEN = 0x000A;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
                      EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
                      BF_TOPLEFT = BF_TOP | BF_LEFT, BF_TOPRIGHT = BF_TOP | BF_RIGHT,
                      BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT, BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
                      BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM, BF_DIAGONAL = 0x0010,
                      BF_MIDDLE = 0x0800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000,
                      BF_MONO = 0x8000;

// Frame controls
inline constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4, DFC_POPUPMENU = 5;
inline constexpr UINT DFCS_CAPTIONCLOSE = 0x0000, DFCS_CAPTIONMIN = 0x0001, DFCS_CAPTIONMAX = 0x0002,
                      DFCS_CAPTIONRESTORE = 0x0003, DFCS_CAPTIONHELP = 0x0004;
inline constexpr UINT DFCS_MENUARROW = 0x0000, DFCS_MENUCHECK = 0x0001, DFCS_MENUBULLET = 0x0002,
                      DFCS_MENUARROWRIGHT = 0x0004;
inline constexpr UINT DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002,
                      DFCS_SCROLLRIGHT = 0x0003, DFCS_SCROLLCOMBOBOX = 0x0005, DFCS_SCROLLSIZEGRIP = 0x0008,
                      DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIOIMAGE = 0x0001, DFCS_BUTTONRADIOMASK = 0x0002,
                      DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTON3STATE = 0x0008, DFCS_BUTTONPUSH = 0x0010;
inline constexpr UINT DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400,
                      DFCS_TRANSPARENT = 0x0800, DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000,
                      DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// Captions
inline constexpr UINT DC_ACTIVE = 0x0001, DC_SMALLCAP = 0x0002, DC_ICON = 0x0004, DC_TEXT = 0x0008,
                      DC_INBUTTON = 0x0010, DC_GRADIENT = 0x0020, DC_BUTTONS = 0x1000;

// Draws up to two 1-pixel borders (outer, inner) on the sides BF_LEFT/TOP/RIGHT/BOTTOM name:
// the top and left lines first, then the right and bottom lines over the corners they share.
//  - outer raised: 3DLIGHT top-left, 3DDKSHADOW bottom-right; outer sunken: BTNSHADOW, BTNHIGHLIGHT
//  - inner raised: BTNHIGHLIGHT, BTNSHADOW; inner sunken: 3DDKSHADOW, 3DLIGHT
//  - BF_SOFT: top-left colours BTNHIGHLIGHT (outer raised), 3DLIGHT (inner raised),
//    3DDKSHADOW (outer sunken), BTNSHADOW (inner sunken); bottom-right colours unchanged
//  - BF_FLAT: outer BTNSHADOW and inner BTNFACE all round; BF_MONO: outer WINDOWFRAME and inner
//    WINDOW all round (BF_MONO wins over BF_FLAT)
// BF_MIDDLE fills what is left with BTNFACE (WINDOW with BF_FLAT or BF_MONO); BF_ADJUST shrinks
// *qrc by the borders drawn on each side. Diagonal edges are not supported (FALSE).
BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags);

// Classic frame controls in `lprc`:
//  - DFC_BUTTON push buttons: a soft raised edge with a BTNFACE middle; pushed: soft sunken;
//    checked (not pushed): sunken with a BTNHIGHLIGHT/BTNFACE checkerboard middle; DFCS_FLAT and
//    DFCS_MONO give the flat and mono edges. DFCS_ADJUSTRECT leaves *lprc inside the edge.
//  - check boxes: the largest centred square, a sunken edge, a WINDOW middle (BTNFACE when
//    pushed or inactive; checkerboard for a checked 3-state box) and the 7x7 check mark in
//    WINDOWTEXT (BTNSHADOW when inactive or 3-state).
//  - radio buttons (DFCS_BUTTONRADIO or RADIOIMAGE; masks are not drawn): a 12x12 round glyph centred in the rectangle, rings split on the x + y = 11
//    diagonal into BTNSHADOW/BTNHIGHLIGHT (outer) and 3DDKSHADOW/3DLIGHT (inner), a 4x4 round dot
//    when checked.
//  - DFC_SCROLL arrows: a push button with a filled triangle of BTNTEXT, n + 1 rows from 2n + 1
//    pixels down to 1, n = (side - 4) / 4 (side the shorter side); pushed arrows are a flat
//    BTNSHADOW frame with the glyph one pixel down and right; inactive glyphs are embossed
//    (BTNHIGHLIGHT one pixel down-right under BTNSHADOW). The size grip: BTNFACE with three
//    diagonal ridges, each two BTNSHADOW lines then one BTNHIGHLIGHT line counted outwards from
//    the bottom-right corner (bottom-left for DFCS_SCROLLSIZEGRIPRIGHT).
//  - DFC_CAPTION buttons: a push button with the close, minimise, maximise, restore or help
//    glyph centred in BTNTEXT.
//  - DFC_MENU: a mask: the rectangle white, the arrow, check mark or bullet black.
// FALSE for an unknown type or state.
BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState);

// Inverts every other pixel of the rectangle's 1-pixel border: those whose device coordinates
// add up to an even number. Drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC hdc, const RECT* lprc);

// A caption bar: ACTIVECAPTION or INACTIVECAPTION (with DC_GRADIENT a left-to-right gradient to
// GRADIENTACTIVECAPTION / GRADIENTINACTIVECAPTION), and with DC_TEXT the window's text in the
// caption font (DC_SMALLCAP: the small-caption font) and CAPTIONTEXT / INACTIVECAPTIONTEXT,
// left-aligned after a 2-pixel margin, vertically centred, cut with an ellipsis. There are no
// window icons: DC_ICON draws nothing.
BOOL DrawCaption(HWND hwnd, HDC hdc, const RECT* lprect, UINT flags);

// DrawIconEx: see services/Icons.h.

}  // namespace win
