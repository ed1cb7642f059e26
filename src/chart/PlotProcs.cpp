#include "chart/PlotProcs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <typeinfo>

#include "chart/PlotEngine.h"
#include "chart/Series.h"
#include "framework/Dialogs.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/user/painting/UserDraw.h"

namespace chart {

using fw::Integer;

namespace {

// Where a Size-long piece centred between Low and High starts; in 64 bits, so a span across the
// whole coordinate range does not wrap round.
Integer CentredStart(Integer Low, Integer High, Integer Size) {
  return Integer((std::int64_t(Low) + High - Size) / 2);
}

}  // namespace

void DrawCheckBox(fw::TCanvas& Canvas, Integer Left, Integer Top, bool Checked, bool IsRadio) {
  win::RECT r{Left, Top, Left + PlotCheckBoxSize, Top + PlotCheckBoxSize};
  win::UINT state = IsRadio ? win::DFCS_BUTTONRADIO : win::DFCS_BUTTONCHECK;
  if (Checked) state |= win::DFCS_CHECKED;
  win::DrawFrameControl(Canvas.Handle(), &r, win::DFC_BUTTON, state);
}

void DrawCheckBox(fw::TCanvas& Canvas, const win::RECT& Rect, bool Checked, bool IsRadio) {
  DrawCheckBox(Canvas, CentredStart(Rect.left, Rect.right, PlotCheckBoxSize),
               CentredStart(Rect.top, Rect.bottom, PlotCheckBoxSize), Checked, IsRadio);
}

TPlotClassPicture PlotClassPictureOf(const TChartSeries* Series) {
  if (!Series) return TPlotClassPicture::Other;
  if (Series->FunctionType()) return TPlotClassPicture::Function;
  if (dynamic_cast<const TFastLineSeries*>(Series)) return TPlotClassPicture::FastLine;
  if (dynamic_cast<const TCustomLineSeries*>(Series)) return TPlotClassPicture::Line;
  return TPlotClassPicture::Other;
}

TPlotClassPicture PlotClassPictureOf(const TPlotClassInfo& Info) {
  if (!Info.Type) return TPlotClassPicture::Other;
  const std::type_info& type = *Info.Type;
  if (type == typeid(TFastLineSeries)) return TPlotClassPicture::FastLine;
  if (type == typeid(TLineSeries) || type == typeid(TCustomLineSeries)) return TPlotClassPicture::Line;
  for (const TPlotClassInfo& f : PlotFunctionGallery())
    if (f.Type && *f.Type == type) return TPlotClassPicture::Function;
  return TPlotClassPicture::Other;
}

namespace {

constexpr std::array<fw::TPoint, 4> kZigzag{{{2, 11}, {6, 5}, {9, 9}, {13, 3}}};

// A polyline that includes its last pixel (GDI leaves the end point of a line out).
void ZigzagLine(fw::TCanvas& C, fw::TColor Color) {
  C.Pen()->SetColor(Color);
  C.Pen()->SetWidth(1);
  C.Polyline(kZigzag.data(), Integer(kZigzag.size()));
  C.SetPixels(kZigzag.back().x, kZigzag.back().y, Color);
}

void FillBox(fw::TCanvas& C, Integer Left, Integer Top, Integer Right, Integer Bottom, fw::TColor Color) {
  C.Brush()->SetColor(Color);
  C.FillRect(fw::TRect{Left, Top, Right, Bottom});
}

void DrawPicture(fw::TCanvas& C, TPlotClassPicture Picture, bool FrameOnly) {
  const Integer n = PlotClassPictureSize;
  FillBox(C, 0, 0, n, n, fw::clWindow);
  C.Brush()->SetColor(fw::clBtnShadow);
  C.FrameRect(fw::TRect{0, 0, n, n});
  if (FrameOnly) return;
  switch (Picture) {
    case TPlotClassPicture::Line:
      ZigzagLine(C, fw::clNavy);
      for (const fw::TPoint& p : kZigzag) FillBox(C, p.x - 1, p.y - 1, p.x + 2, p.y + 2, fw::clRed);
      break;
    case TPlotClassPicture::FastLine:
      ZigzagLine(C, fw::clNavy);
      break;
    case TPlotClassPicture::Function:
      ZigzagLine(C, fw::clGray);
      FillBox(C, 2, 8, 14, 9, fw::clRed);
      break;
    case TPlotClassPicture::Other:
      FillBox(C, 3, 9, 5, 13, fw::clTeal);
      FillBox(C, 7, 6, 9, 13, fw::clTeal);
      FillBox(C, 11, 3, 13, 13, fw::clTeal);
      break;
  }
}

// The picture is drawn on its own bitmap, so the caller's canvas keeps its pen and brush, and
// only the part inside Rect is copied.
void DrawPictureIn(fw::TCanvas& Canvas, const win::RECT& Rect, TPlotClassPicture Picture, bool FrameOnly) {
  const Integer n = PlotClassPictureSize;
  if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
  const Integer left = CentredStart(Rect.left, Rect.right, n), top = CentredStart(Rect.top, Rect.bottom, n);
  const fw::TRect dest{std::max(left, Rect.left), std::max(top, Rect.top), std::min(left + n, Rect.right),
                       std::min(top + n, Rect.bottom)};
  if (dest.right <= dest.left || dest.bottom <= dest.top) return;
  const fw::TRect source{dest.left - left, dest.top - top, dest.right - left, dest.bottom - top};

  fw::TBitmap picture;
  picture.SetPixelFormat(fw::pf24bit);
  picture.SetSize(n, n);
  DrawPicture(*picture.Canvas(), Picture, FrameOnly);
  Canvas.CopyRect(dest, picture.Canvas(), source);
}

}  // namespace

void PlotDrawClassBitmap(fw::TCanvas& Canvas, const win::RECT& Rect, const TChartSeries* Series) {
  DrawPictureIn(Canvas, Rect, PlotClassPictureOf(Series), Series == nullptr);
}

void PlotDrawClassBitmap(fw::TCanvas& Canvas, const win::RECT& Rect, const TPlotClassInfo& Info) {
  DrawPictureIn(Canvas, Rect, PlotClassPictureOf(Info), false);
}

bool EditColorDialog(fw::TComponent* Owner, fw::TColor& Color) {
  fw::TColorDialog dialog(Owner);
  dialog.SetColor(Color);
  if (!dialog.Execute()) return false;
  Color = dialog.Color();
  return true;
}

}  // namespace chart
