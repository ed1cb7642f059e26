// Gradients, outlines, glyphs, grip dots and radio shapes the themes share.

#include "themes/ThemeKit.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "themes/vrnThemes.h"
#include "toolbars/TBCommon.h"
#include "tx/TxThemes.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes::kit {

namespace {

Integer Channel(TColor c, int shift) {
  return (c >> shift) & 0xFF;
}

TColor Rgb(Integer r, Integer g, Integer b) {
  return TColor(r | (g << 8) | (b << 16));
}

}  // namespace

TColor Ramp(TColor From, TColor To, Integer I, Integer N) {
  const TColor f = tx::ResolveColor(From), t = tx::ResolveColor(To);
  if (N == 0) return f;
  TColor c = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const Integer a = Channel(f, shift), b = Channel(t, shift);
    c |= TColor((a + (b - a) * I / N) & 0xFF) << shift;
  }
  return c;
}

void PaintGradientBands(TCanvas* Canvas, const TRect& R, TColor Top, TColor Bottom, bool Vertical,
                        const TRect* Clip) {
  if (IsEmpty(R)) return;
  TRect area = R;
  if (Clip && !win::IntersectRect(&area, &R, Clip)) return;
  const Integer N = (Vertical ? R.bottom - R.top : R.right - R.left) - 1;
  const Integer first = Vertical ? area.top - R.top : area.left - R.left;
  const Integer last = Vertical ? area.bottom - R.top : area.right - R.left;
  for (Integer j = first; j < last; ++j) {
    // A single line takes the top colour; otherwise line j is Bottom + (Top - Bottom)(N - j) / N.
    const TColor c = N == 0 ? tx::ResolveColor(Top) : Ramp(Bottom, Top, N - j, N);
    const TRect line = Vertical ? TRect{area.left, R.top + j, area.right, R.top + j + 1}
                                : TRect{R.left + j, area.top, R.left + j + 1, area.bottom};
    tx::FillRectColor(Canvas->Handle(), line, c);
  }
}

void PaintGradientBitmap(TCanvas* Canvas, const TRect& R, TColor C1, TColor C2) {
  if (IsEmpty(R)) return;
  const TColor c1 = tx::ResolveColor(C1), c2 = tx::ResolveColor(C2);
  const Integer h = R.bottom - R.top, H = h - 1;
  if (H <= 0) {
    tx::FillRectColor(Canvas->Handle(), R, c2);
    return;
  }
  const TColor c3 = Overshoot(c1, c2);
  const Integer half = H / 2;
  // Ramp row y of H, stretched over the h lines of R: line r shows row r * H / h.
  for (Integer r = 0; r < h; ++r) {
    const Integer y = r * H / h;
    const TColor c = y < half ? Ramp(c2, c1, y, half) : Ramp(c3, c1, y, H);
    tx::FillRectColor(Canvas->Handle(), TRect{R.left, R.top + r, R.right, R.top + r + 1}, c);
  }
}

TColor Overshoot(TColor C1, TColor C2) {
  const TColor c1 = tx::ResolveColor(C1), c2 = tx::ResolveColor(C2);
  return Channel(c1, 0) > Channel(c2, 0) ? c1 : Extrapolated(c1, c2);
}

TColor Extrapolated(TColor C1, TColor C2) {
  const TColor c1 = tx::ResolveColor(C1), c2 = tx::ResolveColor(C2);
  Integer ch[3];
  for (int k = 0; k < 3; ++k) {
    const Integer a = Channel(c1, 8 * k), b = Channel(c2, 8 * k);
    ch[k] = std::clamp(b + (a - b) * 15 / 9, Integer(0), Integer(255));
  }
  return Rgb(ch[0], ch[1], ch[2]);
}

void PaintStripedBackground(TCanvas* Canvas, const TRect& R, const TRect& P, TColor Color, Integer Period) {
  if (IsEmpty(P) || Color == fw::clNone) return;
  Fill(Canvas, P, Color);
  const win::HDC dc = Canvas->Handle();
  const TColor stripe =
      TColor(win::GetNearestColor(dc, win::COLORREF(tx::OffsetColor(tx::ResolveColor(Color), -12))));
  // The first line at or below P's top that lies on R's grid (never above the painted part).
  const Integer offset = ((P.top - R.top) % Period + Period) % Period;
  for (Integer y = offset == 0 ? P.top : P.top + Period - offset; y < P.bottom && y < R.bottom; y += Period)
    tx::FillRectColor(dc, TRect{P.left, y, P.right, y + 1}, stripe);
}

void FrameRoundRect(TCanvas* Canvas, const TRect& R, Integer LeftRound, Integer RightRound) {
  const Integer L = R.left, T = R.top, Rt = R.right - 1, B = R.bottom - 1;
  const fw::TPoint p[9] = {{L + LeftRound, T},   {Rt - RightRound, T}, {Rt, T + RightRound},
                           {Rt, B - RightRound}, {Rt - RightRound, B}, {L + LeftRound, B},
                           {L, B - LeftRound},   {L, T + LeftRound},   {L + LeftRound, T}};
  Canvas->Polyline(p, 9);
}

void DrawPattern(win::HDC DC, Integer X, Integer Y, Integer Width, Integer Height, const uint16_t* Rows,
                 TColor Color) {
  // The pattern routine centres in its box: this box puts the corner exactly at (X, Y).
  tx::DrawMonoPattern(DC, TRect{X, Y, X + Width - 1, Y + Height - 1}, Width, Height, Rows, Color);
}

void DrawCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color) {
  static constexpr uint16_t kCross[7] = {0xC3, 0x66, 0x3C, 0x18, 0x3C, 0x66, 0xC3};
  DrawPattern(Canvas->Handle(), (R.left + R.right - 7) / 2, (R.top + R.bottom - 7) / 2, 8, 7, kCross, Color);
}

void DrawGripDot(TCanvas* Canvas, Integer X, Integer Y) {
  Pixel(Canvas, X, Y, fw::clWhite);
  Pixel(Canvas, X, Y + 1, fw::clWhite);
  Pixel(Canvas, X + 1, Y, fw::clWhite);
  Pixel(Canvas, X + 1, Y + 1, fw::clBlack);
  for (const auto& [dx, dy] : {std::pair{2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}})
    Pixel(Canvas, X + dx, Y + dy, 0xB0B0B0);
}

void RadioOutline(TCanvas* Canvas, Integer X, Integer Y) {
  static constexpr int kPoints[24][2] = {{0, 8},  {0, 4},  {1, 3},  {1, 2},   {2, 1},   {3, 1},
                                         {4, 0},  {8, 0},  {9, 1},  {10, 1},  {11, 2},  {11, 3},
                                         {12, 4}, {12, 8}, {11, 9}, {11, 10}, {10, 11}, {9, 11},
                                         {8, 12}, {4, 12}, {3, 11}, {2, 11},  {1, 10},  {1, 9}};
  fw::TPoint p[24];
  for (int i = 0; i < 24; ++i) p[i] = {X + kPoints[i][0], Y + kPoints[i][1]};
  Canvas->Polygon(p, 24);
}

void RadioRowFill(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight) {
  static constexpr Integer kInset[] = {3, 1, 1, 0, 0, 0, 0, 0, 1, 1, 3};
  const Integer H = R.bottom - R.top - 1;
  for (Integer i = 0; i <= H; ++i) {
    const Integer inset = i < Integer(std::size(kInset)) ? kInset[i] : 0;
    const Integer y = R.bottom - 1 - i;
    const Integer left = R.left + inset, right = R.right - inset;
    if (right <= left) continue;
    const bool top = i == H;
    TColor c = Ramp(Bottom, Top, i, H);
    if (top && Highlight != fw::clNone) c = Highlight;
    Fill(Canvas, TRect{left, y, right, y + 1}, c);
    if (!top && Highlight != fw::clNone && (i % 2) == 1) Pixel(Canvas, left, y, Highlight);
  }
}

void RadioRowFillSplit(TCanvas* Canvas, const TRect& R, TColor C1, TColor C2) {
  static constexpr Integer kInset[] = {3, 1, 1, 0, 0, 0, 0, 0, 1, 1, 3};
  const Integer H = R.bottom - R.top - 1, half = H / 2;
  const TColor c3 = Overshoot(C1, C2);
  for (Integer i = 0; i <= H; ++i) {
    const Integer inset = i < Integer(std::size(kInset)) ? kInset[i] : 0;
    const Integer left = R.left + inset, right = R.right - inset;
    if (right <= left) continue;
    const TColor c = i < half ? Ramp(C2, C1, i, half) : Ramp(c3, C1, i, H);
    Fill(Canvas, TRect{left, R.top + i, right, R.top + i + 1}, c);
  }
}

void PaintMenuLineMarks(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& I, TColor Text, TColor Split) {
  const Integer m = win::GetSystemMetrics(win::SM_CXMENUCHECK);
  if (I.ItemOptions & tx::IO_SPLIT) {
    const TColor split = !I.Enabled ? Text : I.HoverKind == tx::hkMouseHover ? TColor(0xFFFFFF) : Split;
    Line(Canvas, R.right - m - 1, R.top + 1, R.right - m - 1, R.bottom - 1, split);
  }
  if (I.ItemOptions & tx::IO_HAS_SUBMENU) {
    const Integer x = R.right - (2 * m) / 3 - 1, y = R.bottom / 2;
    Triangle(Canvas, {x, y - 3}, {x, y + 3}, {x + 3, y}, Text);
  }
}

void DrawCheckTick(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  const Integer x = (R.left + R.right) / 2 - 2, y = (R.top + R.bottom) / 2;
  const fw::TPoint p[7] = {{x - 2, y - 1}, {x, y + 1}, {x + 4, y - 3}, {x + 4, y - 2},
                           {x, y + 2},     {x - 2, y}, {x - 2, y - 1}};
  Canvas->Polyline(p, 7);
}

void DrawChevronArrows(TCanvas* Canvas, const TRect& R, bool Vertical, TColor Color) {
  if (!Vertical) {
    static constexpr uint16_t kRight[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
    DrawPattern(Canvas->Handle(), R.left + 2, 4, 8, 5, kRight, Color);
  } else {
    static constexpr uint16_t kDown[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
    DrawPattern(Canvas->Handle(), R.right - 9, R.top + 2, 5, 8, kDown, Color);
  }
}

void DrawScrollArrow(TCanvas* Canvas, const TRect& R, Integer ButtonType, TColor c) {
  const Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  const Integer s = 3 * std::min(cx - R.left, cy - R.top) / 4;
  switch (ButtonType) {
    case tx::PSBT_UP: Triangle(Canvas, {cx + s, cy + s / 2}, {cx, cy + s / 2 - s}, {cx - s, cy + s / 2}, c); break;
    case tx::PSBT_DOWN: {
      const Integer y0 = (R.top + R.bottom - 1) / 2 - s / 2;
      Triangle(Canvas, {cx + s, y0}, {cx, y0 + s}, {cx - s, y0}, c);
      break;
    }
    case tx::PSBT_LEFT: {
      const Integer x0 = cx + s / 2;
      Triangle(Canvas, {x0, cy + s}, {x0 - s, cy}, {x0, cy - s}, c);
      break;
    }
    case tx::PSBT_RIGHT: {
      const Integer x0 = (R.left + R.right - 1) / 2 - s / 2;
      Triangle(Canvas, {x0, cy + s}, {x0 + s, cy}, {x0, cy - s}, c);
      break;
    }
    default: break;
  }
}

void SplitDockPanel(const TRect& R, bool Caption, bool Vertical, TRect& Strip, TRect& Client) {
  Strip = Client = R;
  if (!Caption) return;
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  if (Vertical) {
    Strip.bottom = std::min(R.bottom, R.top + t);
    Client.top = Strip.bottom;
  } else {
    Strip.right = std::min(R.right, R.left + t);
    Client.left = Strip.right;
  }
}

void JoinPopupToParent(TCanvas* Canvas, const TRect& R, const TRect& P, TColor Color) {
  if (IsEmpty(P)) return;
  const TRect d = Deflated(R, 1);
  const Integer x0 = std::max(P.left, R.left), x1 = std::min(P.right, R.right);
  const Integer y0 = std::max(P.top, R.top), y1 = std::min(P.bottom, R.bottom);
  if (P.bottom == d.top || P.bottom == R.top) {
    if (x1 > x0) Line(Canvas, x0, R.top, x1, R.top, Color);
  } else if (P.top == d.bottom || P.top == R.bottom) {
    if (x1 > x0) Line(Canvas, x0, R.bottom - 1, x1, R.bottom - 1, Color);
  } else if (P.right == d.left || P.right == R.left) {
    if (y1 > y0) Line(Canvas, R.left, y0, R.left, y1, Color);
  } else if (P.left == d.right || P.left == R.right) {
    if (y1 > y0) Line(Canvas, R.right - 1, y0, R.right - 1, y1, Color);
  }
}

void DrawSizeGripSteps(TCanvas* Canvas, const TRect& R, TColor First, TColor Second) {
  const Integer s = std::min(R.right - R.left, R.bottom - R.top);
  // One round of steps; clNone skips a step.
  std::vector<TColor> round = {First, Second};
  if (s >= 9 && s < 13) round = {First, Second, fw::clNone};
  if (s >= 13) round = {First, fw::clNone, Second, fw::clNone};
  Integer d = 2;
  for (int k = 0; k < 3; ++k)
    for (TColor c : round) {
      Line(Canvas, R.right - 1 - d, R.bottom - 1, R.right, R.bottom - d - 2, c);
      ++d;
    }
}

void GradientDown(TCanvas* Canvas, const TRect& R, TColor Top, TColor Bottom) {
  if (!IsEmpty(R)) FillGradient(Canvas, R, Bottom, Top, true);
}

void Edge(TCanvas* Canvas, TRect R, unsigned Edge, unsigned Flags) { win::DrawEdge(Canvas->Handle(), &R, Edge, Flags); }

void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
  if (Color == fw::clNone || IsEmpty(R)) return;
  tx::FillRectColor(Canvas->Handle(), R, Color);
}

void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
  if (Color == fw::clNone) return;
  tx::DrawLineColor(Canvas->Handle(), X1, Y1, X2, Y2, Color);
}

void Pixel(TCanvas* Canvas, Integer X, Integer Y, TColor Color) {
  if (Color != fw::clNone) Canvas->SetPixels(X, Y, tx::ResolveColor(Color));
}

void Frame(TCanvas* Canvas, const TRect& R, TColor Color) {
  if (Color == fw::clNone || IsEmpty(R)) return;
  TRect r = R;
  tx::FrameRectColor(Canvas->Handle(), r, Color, false);
}

void Triangle(TCanvas* Canvas, fw::TPoint A, fw::TPoint B, fw::TPoint C, TColor Color) {
  if (Color == fw::clNone) return;
  const fw::TPoint p[3] = {A, B, C};
  tx::PolygonColor(Canvas->Handle(), p, 2, Color, Color);
}

void DrawPointingArrow(TCanvas* Canvas, Integer Cx, Integer Cy, Integer ButtonType, Integer HalfWidth, Integer Back,
                       Integer Ahead, TColor Color) {
  const Integer w = HalfWidth;
  switch (ButtonType) {
    case tx::PSBT_UP: Triangle(Canvas, {Cx - w, Cy + Back}, {Cx + w, Cy + Back}, {Cx, Cy - Ahead}, Color); break;
    case tx::PSBT_DOWN: Triangle(Canvas, {Cx - w, Cy - Back}, {Cx + w, Cy - Back}, {Cx, Cy + Ahead}, Color); break;
    case tx::PSBT_LEFT: Triangle(Canvas, {Cx + Back, Cy - w}, {Cx + Back, Cy + w}, {Cx - Ahead, Cy}, Color); break;
    case tx::PSBT_RIGHT: Triangle(Canvas, {Cx - Back, Cy - w}, {Cx - Back, Cy + w}, {Cx + Ahead, Cy}, Color); break;
    default: break;
  }
}

TButtonOutline::TButtonOutline(const TRect& ARect, const tx::TTxItemInfo& I, Integer SplitLeftCut) : R(ARect) {
  if (I.ComboPart == tx::cpSplitRight) {
    --R.left;
    Left = 1;
  }
  if (I.ComboPart == tx::cpSplitLeft) Right = SplitLeftCut;
  if (!(I.ItemOptions & tx::IO_TOOLBAR_STYLE)) Left = Right = 1;
}

TRect SpinHalf(const TRect& B, int K) {
  return K == 0 ? TRect{B.left, B.top, B.right, (B.top + B.bottom + 1) / 2}
                : TRect{B.left, (B.top + B.bottom) / 2, B.right, B.bottom};
}

void DrawSpinArrow(TCanvas* Canvas, const TRect& H, bool Up, TColor Color, Integer Offset) {
  const Integer x = (H.left + H.right) / 2 + Offset, y = (H.top + H.bottom - (Up ? 1 : 0)) / 2 + Offset;
  DrawPointingArrow(Canvas, x, y, Up ? tx::PSBT_UP : tx::PSBT_DOWN, 2, 1, 1, Color);
}

void DrawRadioRing(TCanvas* Canvas, const TRect& R, bool Checked, TColor Mark, Integer DotInset) {
  RadioOutline(Canvas, R.left, R.top);
  if (Checked) {
    Canvas->Pen()->SetColor(Mark);
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(Mark);
    Canvas->Ellipse(Deflated(R, DotInset));
  }
  Canvas->Brush()->SetStyle(fw::bsSolid);
}

TRect FloatingClient(const TRect& R, const tx::TTxFloatingWindowInfo& Info) {
  const fw::TPoint b = Info.FloatingBorderSize;
  return TRect{R.left + b.x, R.top + b.y, R.right - b.x, R.bottom - b.y};
}

void FillAround(TCanvas* Canvas, const TRect& R, const TRect& Client, TColor Color) {
  const win::HDC dc = Canvas->Handle();
  const int saved = win::SaveDC(dc);
  win::ExcludeClipRect(dc, Client.left, Client.top, Client.right, Client.bottom);
  Fill(Canvas, R, Color);
  win::RestoreDC(dc, saved);
}

void PaintCornerPixels(TCanvas* Canvas, const TRect& R, TColor Color) {
  for (const fw::TPoint& p : {fw::TPoint{R.left, R.top}, fw::TPoint{R.right - 1, R.top},
                              fw::TPoint{R.left, R.bottom - 1}, fw::TPoint{R.right - 1, R.bottom - 1}})
    Pixel(Canvas, p.x, p.y, Color);
}

void PaintSeparatorLine(TCanvas* Canvas, const TRect& R, bool Horizontal, Integer Inset, TColor Color) {
  const TClipTo clip(Canvas, R);
  if (Horizontal) {
    const Integer y = (R.top + R.bottom) / 2;
    Line(Canvas, R.left + Inset, y, R.right - Inset, y, Color);
  } else {
    const Integer x = (R.left + R.right) / 2;
    Line(Canvas, x, R.top + Inset, x, R.bottom - Inset, Color);
  }
}

void Text(TCanvas* Canvas, const fw::String& S, TRect R, fw::Cardinal Format, bool Rotated, TColor Color) {
  const win::HDC dc = Canvas->Handle();
  const win::HGDIOBJ oldFont = win::SelectObject(dc, Canvas->Font()->Handle());
  const win::COLORREF oldColor = win::SetTextColor(dc, win::COLORREF(tx::ResolveColor(Color)));
  const int oldMode = win::SetBkMode(dc, win::TRANSPARENT);
  if (Rotated) {
    toolbars::DrawRotatedText(dc, S, R, Format);
  } else {
    const std::u16string wide = win::Utf8ToWide(S);
    win::DrawTextW(dc, wide.c_str(), int(wide.size()), &R, Format);
  }
  win::SetBkMode(dc, oldMode);
  win::SetTextColor(dc, oldColor);
  win::SelectObject(dc, oldFont);
}

void PaintClassicFloatingBorder(TCanvas* Canvas, const TRect& R, const tx::TTxFloatingWindowInfo& Info) {
  const win::HDC dc = Canvas->Handle();
  TRect button{}, caption{};
  tx::GetFloatingCloseButtonRect(Info, true, button);
  tx::GetFloatingCaptionRect(Info, true, false, caption);
  const bool closeShown = Info.CloseButtonState & tx::CDBS_VISIBLE;
  const bool pressed = Info.CloseButtonState & tx::CDBS_PRESSED;
  if (closeShown) caption.right = button.left;
  if (Info.RedrawPart & tx::WRP_BORDER) {
    const int saved = win::SaveDC(dc);
    const fw::TPoint b = Info.FloatingBorderSize;
    win::ExcludeClipRect(dc, R.left + b.x, R.top + b.y, R.right - b.x, R.bottom - b.y);
    TRect edge = R;
    win::DrawEdge(dc, &edge, win::EDGE_RAISED, win::BF_RECT | win::BF_MIDDLE);
    win::RestoreDC(dc, saved);
  }
  if (!Info.ShowCaption) return;
  win::BOOL gradient = win::FALSE;
  const bool gradients =
      win::SystemParametersInfoW(win::SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) && gradient;
  const TRect core = Deflated(button, 2);
  if (Info.RedrawPart & tx::WRP_CAPTION) {
    const win::UINT flags = win::DC_SMALLCAP | win::DC_TEXT | (Info.Active ? win::DC_ACTIVE : 0) |
                            (gradients ? win::DC_GRADIENT : 0);
    win::DrawCaption(Info.WindowHandle, dc, &caption, flags);
    tx::DrawLineColor(dc, R.left + Info.FloatingBorderSize.x, caption.bottom,
                      R.right - Info.FloatingBorderSize.x, caption.bottom, fw::clBtnFace);
    if (closeShown) {
      const TColor c = Info.Active ? (gradients ? fw::clGradientActiveCaption : fw::clActiveCaption)
                                   : (gradients ? fw::clGradientInactiveCaption : fw::clInactiveCaption);
      const int saved = win::SaveDC(dc);
      win::ExcludeClipRect(dc, core.left, core.top, core.right, core.bottom);
      tx::FillRectColor(dc, button, c);
      win::RestoreDC(dc, saved);
    }
  }
  if (closeShown && (Info.RedrawPart & tx::WRP_CLOSEBTN)) {
    TRect r = core;
    win::DrawFrameControl(dc, &r, win::DFC_CAPTION,
                          win::DFCS_CAPTIONCLOSE | (pressed ? win::DFCS_PUSHED : 0));
  }
}

TClipTo::TClipTo(TCanvas* Canvas, const TRect& R)
    : FDC(Canvas->Handle()), FSaved(win::CreateRectRgn(0, 0, 0, 0)) {
  FHadClip = win::GetClipRgn(FDC, FSaved) == 1;
  win::IntersectClipRect(FDC, R.left, R.top, R.right, R.bottom);
}

TClipTo::~TClipTo() {
  win::SelectClipRgn(FDC, FHadClip ? FSaved : nullptr);
  win::DeleteObject(FSaved);
}

bool PaintQuietImage(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& Item, fw::TCustomImageList* Images,
                     Integer Index, bool Dark, bool IdleContrast) {
  if (!Item.Enabled) {
    if (Dark)
      tx::DrawIconDarkMask(Canvas, R, Images, Index, fw::clBtnShadow);
    else
      tx::DrawIconDisabled(Canvas, R, Images, Index, 0);
    return true;
  }
  if (Item.Selected || Item.Pushed || Item.HoverKind != tx::hkNone) return false;
  if (Dark || tx::HighContrastColors || tx::LowColorDisplay)
    tx::DrawIconContrasted(Canvas, R, Images, Index, IdleContrast);
  else
    tx::DrawIconBlended(Canvas, R, Images, Index, fw::clWindow, 255);
  return true;
}

void PaintLiftedImage(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& Item,
                      fw::TCustomImageList* Images, Integer Index, TColor Background) {
  if (!Images) return;
  const bool dark = tx::GetColorLuminance(Background) < 80;
  if (PaintQuietImage(Canvas, R, Item, Images, Index, dark, dark)) return;
  const auto shifted = [&](int d) { return TRect{R.left + d, R.top + d, R.right + d, R.bottom + d}; };
  if (!Item.Selected && (!Item.Pushed || Item.IsPopupParent)) {
    // Lifted: two grey copies beneath, the image one pixel up and left.
    tx::DrawIconDisabled(Canvas, R, Images, Index, 1);
    tx::DrawIconDisabled(Canvas, shifted(1), Images, Index, 1);
    tx::DrawIconContrasted(Canvas, shifted(-1), Images, Index, dark);
  } else {
    tx::DrawIconContrasted(Canvas, R, Images, Index, dark);
  }
}

}  // namespace themes::kit
