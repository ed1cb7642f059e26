// Painting steps shared by the Default theme's files.

#include "platform/gdi/Gdi.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/UserDraw.h"
#include "toolbars/TBCommon.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxPaintHelpers.h"

namespace tx::detail {

void Edge(win::HDC DC, TRect& R, win::UINT EdgeKind, win::UINT Flags) { win::DrawEdge(DC, &R, EdgeKind, Flags); }

void Triangle(win::HDC DC, TPoint A, TPoint B, TPoint C, TColor Color) {
  const TPoint points[3] = {A, B, C};
  PolygonColor(DC, points, 2, Color, Color);
}

void CaptionText(fw::TCanvas* Canvas, const String& Text, TRect R, win::UINT Format, bool Rotated, TColor Color) {
  const win::HDC dc = Canvas->Handle();
  const win::HGDIOBJ oldFont = win::SelectObject(dc, Canvas->Font()->Handle());
  const win::COLORREF oldColor = win::SetTextColor(dc, win::COLORREF(ResolveColor(Color)));
  const int oldMode = win::SetBkMode(dc, win::TRANSPARENT);
  if (Rotated) {
    toolbars::DrawRotatedText(dc, Text, R, Format);
  } else {
    const std::u16string wide = win::Utf8ToWide(Text);
    win::DrawTextW(dc, wide.c_str(), int(wide.size()), &R, Format);
  }
  win::SetBkMode(dc, oldMode);
  win::SetTextColor(dc, oldColor);
  win::SelectObject(dc, oldFont);
}

}  // namespace tx::detail
