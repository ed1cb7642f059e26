// Placement of menu windows on the screen.

#include "platform/user/detail/MenuPlacement.h"

#include "platform/kernel/Rects.h"
#include "platform/user/detail/MenuLayout.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/services/Monitor.h"

namespace win::menu {
namespace {

void MoveTo(RECT* r, int x, int y) { OffsetRect(r, x - r->left, y - r->top); }

// Keeps the rectangle inside the work area (its top-left corner wins when it is too big).
void Clamp(RECT* r, const RECT& work) {
  int x = r->left, y = r->top;
  if (r->right > work.right) x -= r->right - work.right;
  if (r->bottom > work.bottom) y -= r->bottom - work.bottom;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  MoveTo(r, x, y);
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

RECT PlacePopupMenu(SIZE size, POINT pt, UINT flags, const RECT* exclude, const RECT& work) {
  int w = size.cx, h = size.cy;
  int x = pt.x, y = pt.y;
  if (flags & TPM_RIGHTALIGN)
    x -= w;
  else if (flags & TPM_CENTERALIGN)
    x -= w / 2;
  if (flags & TPM_BOTTOMALIGN)
    y -= h;
  else if (flags & TPM_VCENTERALIGN)
    y -= h / 2;
  // Flip to the other side of the point rather than cover it.
  if (x + w > work.right && pt.x - w >= work.left) x = pt.x - w;
  if (x < work.left && pt.x + w <= work.right) x = pt.x;
  if (y + h > work.bottom && pt.y - h >= work.top) y = pt.y - h;
  if (y < work.top && pt.y + h <= work.bottom) y = pt.y;
  RECT r{x, y, x + w, y + h};
  Clamp(&r, work);
  if (exclude && Overlaps(r, *exclude)) {
    if (flags & TPM_VERTICAL) {
      bool preferAbove = (flags & TPM_BOTTOMALIGN) != 0;
      bool fitsBelow = exclude->bottom + h <= work.bottom, fitsAbove = exclude->top - h >= work.top;
      int top = (preferAbove ? (fitsAbove || !fitsBelow) : !fitsBelow && fitsAbove) ? exclude->top - h : exclude->bottom;
      MoveTo(&r, r.left, top);
    } else {
      bool preferLeft = (flags & TPM_RIGHTALIGN) != 0;
      bool fitsRight = exclude->right + w <= work.right, fitsLeft = exclude->left - w >= work.left;
      int left = (preferLeft ? (fitsLeft || !fitsRight) : !fitsRight && fitsLeft) ? exclude->left - w : exclude->right;
      MoveTo(&r, left, r.top);
    }
    // Keep the side chosen; only what still sticks out of the work area moves back in.
    RECT kept = r;
    Clamp(&kept, work);
    if (flags & TPM_VERTICAL)
      MoveTo(&r, kept.left, r.top);
    else
      MoveTo(&r, r.left, kept.top);
  }
  return r;
}

RECT PlaceSubmenu(SIZE size, const RECT& parentWindow, const RECT& parentItem, const RECT& work) {
  int x = parentWindow.right - kPopupBorder;
  if (x + size.cx > work.right) x = parentWindow.left + kPopupBorder - size.cx;
  RECT r{x, parentItem.top - kPopupBorder, x + size.cx, parentItem.top - kPopupBorder + size.cy};
  Clamp(&r, work);
  return r;
}

RECT WorkAreaAt(POINT pt) {
  MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi)) return mi.rcWork;
  return RECT{0, 0, 1 << 15, 1 << 15};
}

}  // namespace win::menu
