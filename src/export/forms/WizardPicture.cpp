#include "export/forms/WizardPicture.h"

#include <algorithm>
#include <vector>

#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"

namespace kvforms {
namespace {

constexpr fw::TColor kBandTop = 0x009A4E1F;     // dark blue (colours are 0x00BBGGRR)
constexpr fw::TColor kBandBottom = 0x00EEC39C;  // light blue
constexpr fw::TColor kSheetFrame = 0x00707070;
constexpr fw::TColor kTextLine = 0x00C8C8C8;
constexpr fw::TColor kDisk = 0x00503C28;
constexpr fw::TColor kGraphs[] = {0x002828D8, 0x0030A030, 0x00D06020};  // red, green, blue

fw::TColor Mix(fw::TColor From, fw::TColor To, int Step, int Steps) {
  auto channel = [&](int Shift) {
    const int a = (From >> Shift) & 0xFF, b = (To >> Shift) & 0xFF;
    return (a + (b - a) * Step / std::max(1, Steps)) << Shift;
  };
  return static_cast<fw::TColor>(channel(0) | channel(8) | channel(16));
}

}  // namespace

TWizardPicture::TWizardPicture(fw::TComponent* AOwner) : fw::TGraphicControl(AOwner) {
  SetWidth(136);
  SetHeight(236);
}

void TWizardPicture::Paint() {
  const fw::TRect r = ClientRect();
  const fw::Integer w = r.right - r.left, h = r.bottom - r.top;
  if (w < 40 || h < 60) return;
  PaintBand(r);
  // Three sheets stepping down to the right, the last one in front.
  const fw::Integer sheetW = w * 46 / 100, sheetH = sheetW * 13 / 10;
  const fw::Integer stepX = (w - sheetW - 16) / 2, stepY = sheetH / 4;
  for (int i = 0; i < 3; ++i) {
    const fw::Integer left = r.left + 8 + stepX * i, top = r.top + 12 + stepY * i;
    PaintSheet(fw::Rect(left, top, left + sheetW, top + sheetH), kGraphs[i]);
  }
  // An arrow from the sheets down into the disk.
  const fw::Integer sheetsBottom = r.top + 12 + stepY * 2 + sheetH;
  const fw::Integer diskSize = std::min(w * 45 / 100, h - (sheetsBottom - r.top) - 40);
  const fw::Integer cx = r.left + w / 2;
  const fw::Integer diskTop = r.bottom - 12 - diskSize;
  fw::TCanvas& c = *Canvas();
  c.Pen()->SetColor(fw::clWhite);
  c.Brush()->SetStyle(fw::bsSolid);
  c.Brush()->SetColor(fw::clWhite);
  const fw::Integer arrowTop = sheetsBottom + 6, arrowBottom = diskTop - 4;
  if (arrowBottom - arrowTop > 10) {
    c.FillRect(fw::Rect(cx - 4, arrowTop, cx + 4, arrowBottom - 9));
    c.Polygon(
        std::vector<fw::TPoint>{{cx - 11, arrowBottom - 10}, {cx + 11, arrowBottom - 10}, {cx, arrowBottom}});
  }
  if (diskSize > 16) PaintDisk(fw::Rect(cx - diskSize / 2, diskTop, cx + diskSize / 2, diskTop + diskSize));
}

void TWizardPicture::PaintBand(const fw::TRect& R) {
  fw::TCanvas& c = *Canvas();
  c.Brush()->SetStyle(fw::bsSolid);
  const fw::Integer h = R.bottom - R.top;
  for (fw::Integer y = 0; y < h; y += 2) {
    c.Brush()->SetColor(Mix(kBandTop, kBandBottom, static_cast<int>(y), static_cast<int>(h)));
    c.FillRect(fw::Rect(R.left, R.top + y, R.right, std::min(R.top + y + 2, R.bottom)));
  }
}

void TWizardPicture::PaintSheet(const fw::TRect& R, fw::TColor Graph) {
  fw::TCanvas& c = *Canvas();
  const fw::Integer fold = (R.right - R.left) / 5;
  c.Pen()->SetStyle(fw::psSolid);
  c.Pen()->SetWidth(1);
  c.Pen()->SetColor(kSheetFrame);
  c.Brush()->SetStyle(fw::bsSolid);
  c.Brush()->SetColor(fw::clWhite);
  c.Polygon(std::vector<fw::TPoint>{{R.left, R.top},
                                    {R.right - fold, R.top},
                                    {R.right, R.top + fold},
                                    {R.right, R.bottom},
                                    {R.left, R.bottom}});
  c.Brush()->SetColor(kTextLine);
  c.Polygon(std::vector<fw::TPoint>{
      {R.right - fold, R.top}, {R.right - fold, R.top + fold}, {R.right, R.top + fold}});
  // Two lines of text under the fold, then the graph's axes and its curve.
  const fw::Integer inner = 5;
  for (int i = 0; i < 2; ++i) {
    const fw::Integer y = R.top + fold + 4 + i * 5;
    c.FillRect(fw::Rect(R.left + inner, y, R.right - inner - (i ? fold : 0), y + 2));
  }
  const fw::Integer gx0 = R.left + inner, gx1 = R.right - inner;
  const fw::Integer gy0 = R.top + fold + 16, gy1 = R.bottom - inner;
  if (gy1 - gy0 < 8) return;
  c.Pen()->SetColor(kSheetFrame);
  c.MoveTo(gx0, gy0);
  c.LineTo(gx0, gy1);
  c.LineTo(gx1, gy1);
  c.Pen()->SetColor(Graph);
  c.Pen()->SetWidth(2);
  static constexpr int kCurve[] = {70, 35, 55, 15, 40, 60, 30};  // heights in percent
  const int n = static_cast<int>(std::size(kCurve));
  for (int i = 0; i < n; ++i) {
    const fw::Integer x = gx0 + 2 + (gx1 - gx0 - 4) * i / (n - 1);
    const fw::Integer y = gy1 - 2 - (gy1 - gy0 - 4) * kCurve[(i + static_cast<int>(Graph & 3)) % n] / 100;
    if (i == 0)
      c.MoveTo(x, y);
    else
      c.LineTo(x, y);
  }
  c.Pen()->SetWidth(1);
}

void TWizardPicture::PaintDisk(const fw::TRect& R) {
  fw::TCanvas& c = *Canvas();
  const fw::Integer s = R.right - R.left;
  c.Pen()->SetColor(kDisk);
  c.Brush()->SetColor(kDisk);
  const fw::Integer cut = s / 7;
  c.Polygon(std::vector<fw::TPoint>{{R.left, R.top},
                                    {R.right - cut, R.top},
                                    {R.right, R.top + cut},
                                    {R.right, R.bottom},
                                    {R.left, R.bottom}});
  // The shutter at the top and the label below it.
  c.Brush()->SetColor(0x00C0C0C0);
  c.Pen()->SetColor(0x00C0C0C0);
  c.FillRect(fw::Rect(R.left + s / 4, R.top, R.right - s / 4, R.top + s * 3 / 10));
  c.Brush()->SetColor(kDisk);
  c.FillRect(
      fw::Rect(R.left + s / 2 + s / 16, R.top + s / 20, R.left + s / 2 + s / 16 + s / 9, R.top + s / 4));
  c.Brush()->SetColor(fw::clWhite);
  c.FillRect(fw::Rect(R.left + s / 8, R.top + s * 9 / 20, R.right - s / 8, R.bottom - s / 12));
  c.Brush()->SetColor(kTextLine);
  for (int i = 0; i < 3; ++i) {
    const fw::Integer y = R.top + s * 11 / 20 + i * s / 9;
    if (y + 2 < R.bottom - s / 12) c.FillRect(fw::Rect(R.left + s / 5, y, R.right - s / 5, y + 2));
  }
}

}  // namespace kvforms
