// Painting the classic frame.
//
// Thick frame: a raised edge, then the ACTIVEBORDER/INACTIVEBORDER band, then one pixel of
// BTNFACE. Dialog frame: the raised edge and BTNFACE. Thin border: WINDOWFRAME. The caption is
// drawn by DrawCaption (gradient when SPI_GETGRADIENTCAPTIONS is on) with a BTNFACE line below
// it; the text ends (with an ellipsis when too long) where the buttons begin.

#include "platform/user/detail/FramePaint.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/frames/FrameMenuBar.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/detail/ScrollBarDraw.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/UserDrawPaint.h"
#include "platform/user/windows/Window.h"

namespace win::frame {
namespace {

// Fills the ring between `outer` and `inner`.
void FillRing(HDC hdc, const RECT& outer, const RECT& inner, int colorIndex) {
  RECT parts[4] = {{outer.left, outer.top, outer.right, inner.top},
                   {outer.left, inner.bottom, outer.right, outer.bottom},
                   {outer.left, inner.top, inner.left, inner.bottom},
                   {inner.right, inner.top, outer.right, inner.bottom}};
  for (const RECT& r : parts)
    if (!IsRectEmpty(&r)) userdraw::FillSysColor(hdc, r, colorIndex);
}

RECT Shrink(const RECT& r, int dx, int dy) {
  RECT o{r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
  if (o.right < o.left) o.right = o.left;
  if (o.bottom < o.top) o.bottom = o.top;
  return o;
}

void PaintBorder(HDC hdc, const FrameLayout& l, bool active) {
  RECT all{0, 0, l.width, l.height};
  switch (l.border) {
    case BorderKind::None: return;
    case BorderKind::Thin: {
      HBRUSH b = GetSysColorBrush(COLOR_WINDOWFRAME);
      FrameRect(hdc, &all, b);
      return;
    }
    case BorderKind::Dialog:
    case BorderKind::Thick: {
      RECT edge = all;
      DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT);
      RECT afterEdge = Shrink(all, 2, 2);
      RECT inner = Shrink(all, l.borderX, l.borderY);
      if (l.border == BorderKind::Thick) {
        RECT band = Shrink(all, l.borderX - 1, l.borderY - 1);
        FillRing(hdc, afterEdge, band, active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
        FillRing(hdc, band, inner, COLOR_BTNFACE);
      } else {
        FillRing(hdc, afterEdge, inner, COLOR_BTNFACE);
      }
      return;
    }
  }
}

void PaintCaption(HDC hdc, const WindowFrame& f, bool active) {
  const FrameLayout& l = f.layout;
  if (!l.hasCaption || IsRectEmpty(&l.caption)) return;
  BOOL gradient = FALSE;
  SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  UINT flags = (active ? DC_ACTIVE : 0) | (l.smallCaption ? DC_SMALLCAP : 0) | (gradient ? DC_GRADIENT : 0);
  int start = active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
  int end = gradient ? (active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION) : start;

  // The icon's place keeps the start colour, the text runs (with its ellipsis) up to the
  // buttons, and the strip behind the buttons has the end colour.
  int textLeft = std::max(l.caption.left, l.captionText.left);
  int textRight = std::max(textLeft, l.captionText.right);
  RECT icon{l.caption.left, l.caption.top, textLeft, l.caption.bottom};
  RECT text{textLeft, l.caption.top, textRight, l.caption.bottom};
  RECT buttons{textRight, l.caption.top, l.caption.right, l.caption.bottom};
  if (!IsRectEmpty(&icon)) userdraw::FillSysColor(hdc, icon, start);
  if (!IsRectEmpty(&text)) DrawCaption(f.hwnd, hdc, &text, flags | DC_TEXT);
  if (!IsRectEmpty(&buttons)) userdraw::FillSysColor(hdc, buttons, end);
  RECT line{l.caption.left, l.caption.bottom, l.caption.right, l.caption.bottom + 1};
  userdraw::FillSysColor(hdc, line, COLOR_BTNFACE);
}

void PaintButton(HDC hdc, RECT r, UINT glyph, bool pushed, bool enabled) {
  if (IsRectEmpty(&r)) return;
  DrawFrameControl(hdc, &r, DFC_CAPTION, glyph | (pushed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
}

}  // namespace

bool CaptionButtonEnabled(HWND hwnd, LRESULT hit) {
  DWORD style = DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE));
  switch (hit) {
    case HTCLOSE:
      if (GetClassLongPtrW(hwnd, GCL_STYLE) & CS_NOCLOSE) return false;
      return SystemMenuCommandEnabled(hwnd, SC_CLOSE);
    case HTMAXBUTTON: return (style & WS_MAXIMIZEBOX) != 0;
    case HTMINBUTTON: return (style & WS_MINIMIZEBOX) != 0;
    case HTHELP: return true;
    default: return false;
  }
}

namespace {

void PaintCaptionButtons(HDC hdc, const WindowFrame& f, LRESULT pressed) {
  const FrameLayout& l = f.layout;
  DWORD style = f.style.style;
  PaintButton(hdc, l.closeButton, DFCS_CAPTIONCLOSE, pressed == HTCLOSE, CaptionButtonEnabled(f.hwnd, HTCLOSE));
  PaintButton(hdc, l.maxButton, (style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, pressed == HTMAXBUTTON,
              CaptionButtonEnabled(f.hwnd, HTMAXBUTTON));
  PaintButton(hdc, l.minButton, (style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, pressed == HTMINBUTTON,
              CaptionButtonEnabled(f.hwnd, HTMINBUTTON));
  PaintButton(hdc, l.helpButton, DFCS_CAPTIONHELP, pressed == HTHELP, true);
}

}  // namespace

void PaintFrame(HDC hdc, const WindowFrame& f, bool active, LRESULT pressed) {
  const FrameLayout& l = f.layout;
  PaintBorder(hdc, l, active);
  PaintCaption(hdc, f, active);
  PaintCaptionButtons(hdc, f, pressed);
  if (!IsRectEmpty(&l.menuBar)) {
    if (MenuBar().paint)
      MenuBar().paint(f.hwnd, hdc, &l.menuBar);
    else
      userdraw::FillSysColor(hdc, l.menuBar, COLOR_MENU);
  }
  if (l.edge > 0) {
    RECT e = l.edgeOuter;
    if (f.style.exStyle & WS_EX_CLIENTEDGE) DrawEdge(hdc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (f.style.exStyle & WS_EX_STATICEDGE) DrawEdge(hdc, &e, BDR_SUNKENOUTER, BF_RECT);
  }
  FrameState* s = FindState(f.hwnd);
  for (int bar : {SB_HORZ, SB_VERT}) {
    const RECT& r = bar == SB_HORZ ? l.hScroll : l.vScroll;
    if (IsRectEmpty(&r)) continue;
    ScrollBarParts p = PartsOf(f.hwnd, bar);
    ScrollData d = s ? s->bars[bar] : ScrollData{};
    DrawScrollBar(hdc, p, d, s && s->pressedBar == bar ? s->pressedPart : ScrollPart::None);
  }
  // The grip shows where the window can be sized from the box.
  DrawSizeBox(hdc, l.sizeBox, l.border == BorderKind::Thick && !(f.style.style & (WS_MAXIMIZE | WS_MINIMIZE)));
}

}  // namespace win::frame
