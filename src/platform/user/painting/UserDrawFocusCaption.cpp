#include <algorithm>
#include <string>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/LastError.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/UserDrawPaint.h"

namespace win {
namespace {

constexpr int kCaptionTextMargin = 2;

// Inverts the logical pixel (x, y) when its device coordinates add up to an even number.
void InvertDot(HDC hdc, int x, int y, int deviceParity) {
  if (((x + y + deviceParity) & 1) != 0) return;
  RECT dot{x, y, x + 1, y + 1};
  InvertRect(hdc, &dot);
}

void FillGradient(HDC hdc, const RECT& r, COLORREF from, COLORREF to) {
  TRIVERTEX v[2];
  v[0].x = r.left;
  v[0].y = r.top;
  v[0].Red = COLOR16(GetRValue(from) << 8);
  v[0].Green = COLOR16(GetGValue(from) << 8);
  v[0].Blue = COLOR16(GetBValue(from) << 8);
  v[1].x = r.right;
  v[1].y = r.bottom;
  v[1].Red = COLOR16(GetRValue(to) << 8);
  v[1].Green = COLOR16(GetGValue(to) << 8);
  v[1].Blue = COLOR16(GetBValue(to) << 8);
  GRADIENT_RECT mesh{0, 1};
  GradientFill(hdc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
}

void CaptionText(HWND hwnd, HDC hdc, const RECT& r, UINT flags) {
  int length = hwnd ? GetWindowTextLengthW(hwnd) : 0;
  if (length <= 0) return;
  std::u16string text(size_t(length) + 1, u'\0');
  text.resize(size_t(std::max(0, GetWindowTextW(hwnd, text.data(), length + 1))));
  if (text.empty()) return;
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof(ncm);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return;
  HFONT font = CreateFontIndirectW((flags & DC_SMALLCAP) ? &ncm.lfSmCaptionFont : &ncm.lfCaptionFont);
  HGDIOBJ oldFont = SelectObject(hdc, font);
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  COLORREF oldColor =
      SetTextColor(hdc, GetSysColor((flags & DC_ACTIVE) ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT textRect{r.left + kCaptionTextMargin, r.top, r.right, r.bottom};
  DrawTextW(hdc, text.c_str(), int(text.size()), &textRect,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  SetTextColor(hdc, oldColor);
  SetBkMode(hdc, oldMode);
  SelectObject(hdc, oldFont);
  DeleteObject(font);
}

}  // namespace

BOOL DrawFocusRect(HDC hdc, const RECT* lprc) {
  if (!userdraw::IsDrawableDC(hdc) || !lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  POINT origin{0, 0};
  if (!LPtoDP(hdc, &origin, 1)) return FALSE;
  int parity = (origin.x + origin.y) & 1;
  const RECT& r = *lprc;
  RECT clip;
  if (r.right <= r.left || r.bottom <= r.top || GetClipBox(hdc, &clip) == ERROR) return TRUE;
  // Only the part that can show is walked, so a huge rectangle costs no more than the DC's size.
  auto inside = [&clip](int x, int y) { return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom; };
  int x0 = std::max(r.left, clip.left), x1 = std::min(r.right, clip.right);
  int y0 = std::max(r.top + 1, clip.top), y1 = std::min(r.bottom - 1, clip.bottom);
  for (int x = x0; x < x1; ++x) {
    if (inside(x, r.top)) InvertDot(hdc, x, r.top, parity);
    if (r.bottom - 1 > r.top && inside(x, r.bottom - 1)) InvertDot(hdc, x, r.bottom - 1, parity);
  }
  for (int y = y0; y < y1; ++y) {
    if (inside(r.left, y)) InvertDot(hdc, r.left, y, parity);
    if (r.right - 1 > r.left && inside(r.right - 1, y)) InvertDot(hdc, r.right - 1, y, parity);
  }
  return TRUE;
}

BOOL DrawCaption(HWND hwnd, HDC hdc, const RECT* lprect, UINT flags) {
  if (!userdraw::IsDrawableDC(hdc) || !lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT& r = *lprect;
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  bool active = (flags & DC_ACTIVE) != 0;
  COLORREF base = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  if (flags & DC_GRADIENT)
    FillGradient(hdc, r, base,
                 GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION));
  else
    userdraw::FillColor(hdc, r, base);
  if (flags & DC_TEXT) CaptionText(hwnd, hdc, r, flags);
  return TRUE;
}


}  // namespace win
