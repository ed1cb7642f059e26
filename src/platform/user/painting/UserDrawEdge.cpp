#include <optional>

#include "platform/kernel/LastError.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/UserDrawPaint.h"

namespace win {
namespace {

struct BorderColors {
  int topLeft;
  int bottomRight;
};

// The colours of one border from its two bits (raised, sunken); nothing when neither or both.
std::optional<BorderColors> Border(bool raised, bool sunken, bool outer, UINT flags) {
  if (flags & BF_MONO) return BorderColors{outer ? COLOR_WINDOWFRAME : COLOR_WINDOW, outer ? COLOR_WINDOWFRAME : COLOR_WINDOW};
  if (flags & BF_FLAT) return BorderColors{outer ? COLOR_BTNSHADOW : COLOR_BTNFACE, outer ? COLOR_BTNSHADOW : COLOR_BTNFACE};
  if (raised == sunken) return std::nullopt;
  bool soft = (flags & BF_SOFT) != 0;
  if (outer) {
    if (raised) return BorderColors{soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return BorderColors{soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  }
  if (raised) return BorderColors{soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  return BorderColors{soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// One border on the named sides of `r`, which then shrinks past it on those sides.
void DrawBorder(HDC hdc, RECT& r, const BorderColors& c, UINT flags) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (flags & BF_LEFT) userdraw::FillSysColor(hdc, RECT{r.left, r.top, r.left + 1, r.bottom}, c.topLeft);
  if (flags & BF_TOP) userdraw::FillSysColor(hdc, RECT{r.left, r.top, r.right, r.top + 1}, c.topLeft);
  if (flags & BF_RIGHT) userdraw::FillSysColor(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, c.bottomRight);
  if (flags & BF_BOTTOM) userdraw::FillSysColor(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, c.bottomRight);
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_RIGHT) --r.right;
  if (flags & BF_BOTTOM) --r.bottom;
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
  if (!userdraw::IsDrawableDC(hdc) || !qrc || (grfFlags & BF_DIAGONAL)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT r = *qrc;
  bool hasOuter = (edge & BDR_OUTER) != 0, hasInner = (edge & BDR_INNER) != 0;
  if (hasOuter) {
    if (auto c = Border(edge & BDR_RAISEDOUTER, edge & BDR_SUNKENOUTER, true, grfFlags)) DrawBorder(hdc, r, *c, grfFlags);
  }
  if (hasInner) {
    if (auto c = Border(edge & BDR_RAISEDINNER, edge & BDR_SUNKENINNER, false, grfFlags)) DrawBorder(hdc, r, *c, grfFlags);
  }
  if ((grfFlags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
    userdraw::FillSysColor(hdc, r, (grfFlags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (grfFlags & BF_ADJUST) {
    int width = (hasOuter ? 1 : 0) + (hasInner ? 1 : 0);
    if (grfFlags & BF_LEFT) qrc->left += width;
    if (grfFlags & BF_TOP) qrc->top += width;
    if (grfFlags & BF_RIGHT) qrc->right -= width;
    if (grfFlags & BF_BOTTOM) qrc->bottom -= width;
  }
  return TRUE;
}

}  // namespace win
