// Classic non-client geometry.
//
// Frames: a thick (sizing) frame is SM_CXFRAME wide, a dialog frame SM_CXDLGFRAME, a thin border
// SM_CXBORDER. The caption band is SM_CYCAPTION - 1 high (SM_CYSMCAPTION - 1 for tool windows)
// with a one-pixel line below it. Caption buttons are (SM_CXSIZE - 2) x (SM_CYSIZE - 4), two
// pixels below the caption's top; the close button ends two pixels before the caption's right
// end, maximise sits two pixels left of it and minimise touches maximise. Below the caption come
// the menu bar, then the client edge, then the scroll bars (vertical on the right, horizontal at
// the bottom, the size box where both meet), then the client area. No part ever turns inside out:
// when the window is too small, the inner parts shrink to nothing.

#include "platform/user/frames/FrameLayout.h"

#include <algorithm>

#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/WinUserTypes.h"

namespace win::frame {
namespace {

RECT Inset(const RECT& r, int l, int t, int rr, int b) {
  RECT o{r.left + l, r.top + t, r.right - rr, r.bottom - b};
  o.right = std::max(o.right, o.left);
  o.bottom = std::max(o.bottom, o.top);
  if (o.left > r.right) o.left = o.right = r.right;
  if (o.top > r.bottom) o.top = o.bottom = r.bottom;
  return o;
}

bool In(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Clips a rectangle to `bounds`; an empty result collapses to zero size.
RECT ClipTo(const RECT& r, const RECT& bounds) {
  RECT o{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
         std::min(r.bottom, bounds.bottom)};
  if (o.right <= o.left || o.bottom <= o.top) return RECT{};
  return o;
}

}  // namespace

BorderKind BorderKindOf(DWORD style, DWORD exStyle) {
  if (style & WS_THICKFRAME) return BorderKind::Thick;
  if ((exStyle & WS_EX_DLGMODALFRAME) || (style & WS_DLGFRAME)) return BorderKind::Dialog;
  if (style & WS_BORDER) return BorderKind::Thin;
  return BorderKind::None;
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int CaptionHeight(DWORD style, DWORD exStyle) {
  if (!HasCaption(style)) return 0;
  return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int MenuBarWidth(DWORD style, DWORD exStyle, int windowWidth) {
  RECT bar = ComputeFrameLayout(FrameStyle{style & ~WS_CHILD, exStyle, 1}, windowWidth, 1000).menuBar;
  return bar.right - bar.left;
}

FrameLayout ComputeFrameLayout(const FrameStyle& fs, int width, int height) {
  FrameLayout l;
  l.width = std::max(width, 0);
  l.height = std::max(height, 0);
  RECT r{0, 0, l.width, l.height};

  l.border = BorderKindOf(fs.style, fs.exStyle);
  switch (l.border) {
    case BorderKind::Thick: l.borderX = GetSystemMetrics(SM_CXFRAME); l.borderY = GetSystemMetrics(SM_CYFRAME); break;
    case BorderKind::Dialog:
      l.borderX = GetSystemMetrics(SM_CXDLGFRAME);
      l.borderY = GetSystemMetrics(SM_CYDLGFRAME);
      break;
    case BorderKind::Thin: l.borderX = GetSystemMetrics(SM_CXBORDER); l.borderY = GetSystemMetrics(SM_CYBORDER); break;
    case BorderKind::None: break;
  }
  r = Inset(r, l.borderX, l.borderY, l.borderX, l.borderY);

  l.hasCaption = HasCaption(fs.style);
  if (l.hasCaption) {
    l.smallCaption = (fs.exStyle & WS_EX_TOOLWINDOW) != 0;
    int full = CaptionHeight(fs.style, fs.exStyle);
    l.caption = RECT{r.left, r.top, r.right, std::min(r.top + full - 1, r.bottom)};
    r = Inset(r, 0, full, 0, 0);
    l.captionText = l.caption;

    if (fs.style & WS_SYSMENU) {
      int bw = GetSystemMetrics(l.smallCaption ? SM_CXSMSIZE : SM_CXSIZE) - 2;
      int bh = GetSystemMetrics(l.smallCaption ? SM_CYSMSIZE : SM_CYSIZE) - 4;
      int top = l.caption.top + 2;
      RECT close{l.caption.right - 2 - bw, top, l.caption.right - 2, top + bh};
      l.closeButton = ClipTo(close, l.caption);
      int left = close.left;
      if (!l.smallCaption) {
        if (fs.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
          RECT max{close.left - 2 - bw, top, close.left - 2, top + bh};
          RECT min{max.left - bw, top, max.left, top + bh};
          l.maxButton = ClipTo(max, l.caption);
          l.minButton = ClipTo(min, l.caption);
          left = min.left;
        } else if (fs.exStyle & WS_EX_CONTEXTHELP) {
          RECT help{close.left - 2 - bw, top, close.left - 2, top + bh};
          l.helpButton = ClipTo(help, l.caption);
          left = help.left;
        }
        if (!(fs.exStyle & WS_EX_DLGMODALFRAME)) {
          int icon = GetSystemMetrics(SM_CXSMICON);
          int iconH = GetSystemMetrics(SM_CYSMICON);
          int y = l.caption.top + std::max(0, (l.caption.bottom - l.caption.top - iconH) / 2);
          l.sysIcon = ClipTo(RECT{l.caption.left + 1, y, l.caption.left + 1 + icon, y + iconH}, l.caption);
          l.captionText.left = std::min(l.caption.right, l.caption.left + 1 + icon);
        }
      }
      l.captionText.right = std::max(l.captionText.left, std::min(l.caption.right, left - 2));
    }
  }

  if (fs.menuBarHeight > 0 && !(fs.style & WS_CHILD)) {
    l.menuBar = RECT{r.left, r.top, r.right, std::min(r.top + fs.menuBarHeight, r.bottom)};
    r = Inset(r, 0, fs.menuBarHeight, 0, 0);
  }

  // Both edges may be asked for: the static edge then lies inside the client edge.
  if (fs.exStyle & WS_EX_CLIENTEDGE) l.edge += GetSystemMetrics(SM_CXEDGE);
  if (fs.exStyle & WS_EX_STATICEDGE) l.edge += GetSystemMetrics(SM_CXBORDER);
  l.edgeOuter = r;
  r = Inset(r, l.edge, l.edge, l.edge, l.edge);

  // A scroll bar takes its room only when there is room for it.
  int vw = GetSystemMetrics(SM_CXVSCROLL), hh = GetSystemMetrics(SM_CYHSCROLL);
  bool v = (fs.style & WS_VSCROLL) && r.right - r.left >= vw;
  bool h = (fs.style & WS_HSCROLL) && r.bottom - r.top >= hh;
  if (v) {
    l.vScroll = RECT{r.right - vw, r.top, r.right, h ? r.bottom - hh : r.bottom};
    r.right -= vw;
  }
  if (h) {
    l.hScroll = RECT{r.left, r.bottom - hh, r.right, r.bottom};
    r.bottom -= hh;
  }
  if (v && h) l.sizeBox = RECT{r.right, r.bottom, r.right + vw, r.bottom + hh};
  l.client = r;
  return l;
}

LRESULT HitTestLayout(const FrameLayout& l, const FrameStyle& fs, POINT p) {
  RECT all{0, 0, l.width, l.height};
  if (!In(all, p)) return HTNOWHERE;
  if (In(l.client, p)) return HTCLIENT;

  bool inFrame = p.x < l.borderX || p.x >= l.width - l.borderX || p.y < l.borderY || p.y >= l.height - l.borderY;
  if (inFrame) {
    if (l.border != BorderKind::Thick || (fs.style & (WS_MAXIMIZE | WS_MINIMIZE))) return HTBORDER;
    // Corners reach along each edge as far as a caption button is wide, beyond the frame.
    int cx = l.borderX + GetSystemMetrics(SM_CXSIZE), cy = l.borderY + GetSystemMetrics(SM_CYSIZE);
    bool left = p.x < cx, right = p.x >= l.width - cx, top = p.y < cy, bottom = p.y >= l.height - cy;
    if (p.y < l.borderY) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (p.y >= l.height - l.borderY) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (p.x < l.borderX) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  if (l.hasCaption && p.y < l.caption.bottom + 1 && p.y >= l.caption.top) {
    if (In(l.sysIcon, p)) return HTSYSMENU;
    if (In(l.closeButton, p)) return HTCLOSE;
    if (In(l.maxButton, p)) return HTMAXBUTTON;
    if (In(l.minButton, p)) return HTMINBUTTON;
    if (In(l.helpButton, p)) return HTHELP;
    return HTCAPTION;
  }
  if (In(l.menuBar, p)) return HTMENU;
  if (In(l.vScroll, p)) return HTVSCROLL;
  if (In(l.hScroll, p)) return HTHSCROLL;
  if (In(l.sizeBox, p)) return HTGROWBOX;
  if (l.edge > 0 && In(l.edgeOuter, p)) return HTBORDER;
  return HTNOWHERE;
}

}  // namespace win::frame
