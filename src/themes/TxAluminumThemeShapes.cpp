// Aluminum's chamfered shapes: filled and framed with smoothed corners, and the raised frame.

#include "framework/GraphicsCanvas.h"
#include "themes/ThemeKit.h"
#include "themes/TxAluminumTheme.h"
#include "tx/TxUtils.h"

namespace themes {

using namespace tx;

namespace {

struct TCornerBlend {
  Integer Dx, Dy, Alpha;
};
// The blends of one corner per radius, as offsets from the corner pixel into the shape.
constexpr TCornerBlend kRadius1[] = {{0, 0, 63}, {1, 1, 63}};
constexpr TCornerBlend kRadius2[] = {{0, 0, 31}, {1, 0, 127}, {0, 1, 127}, {1, 1, 159}};
constexpr TCornerBlend kRadius3[] = {{0, 0, 0},    {1, 0, 47},  {0, 1, 47}, {2, 0, 143},
                                     {0, 2, 143}, {1, 1, 175}, {2, 1, 63}, {1, 2, 63}};

Integer Clamp(Integer r) { return r < 0 ? 0 : r > 3 ? 3 : r; }

// Blends one corner: (X, Y) the corner pixel, (Sx, Sy) the directions into the shape.
void BlendCorner(win::HDC DC, Integer X, Integer Y, Integer Sx, Integer Sy, Integer Radius, TColor Color) {
  const TCornerBlend* table = Radius == 1 ? kRadius1 : Radius == 2 ? kRadius2 : kRadius3;
  const int n = Radius == 1 ? 2 : Radius == 2 ? 4 : 8;
  for (int i = 0; i < n; ++i) BlendPixel(DC, X + Sx * table[i].Dx, Y + Sy * table[i].Dy, Color, table[i].Alpha);
}

}  // namespace

void AluRoundedFill(TCanvas* Canvas, const TRect& R, TCornerRadii Rd, TColor Color) {
  if (Color == fw::clNone || kit::IsEmpty(R)) return;
  const Integer L = R.left, T = R.top, Rt = R.right - 1, B = R.bottom - 1;
  const Integer a = Clamp(Rd.TopLeft), b = Clamp(Rd.TopRight), c = Clamp(Rd.BottomRight), d = Clamp(Rd.BottomLeft);
  const TPoint p[8] = {{L + a, T}, {Rt - b, T}, {Rt, T + b}, {Rt, B - c}, {Rt - c, B}, {L + d, B}, {L, B - d}, {L, T + a}};
  PolygonColor(Canvas->Handle(), p, 7, Color, Color);
}

void AluRoundedFrame(TCanvas* Canvas, const TRect& R, TCornerRadii Rd, TColor Color) {
  if (Color == fw::clNone || kit::IsEmpty(R)) return;
  Color = ResolveColor(Color);
  const win::HDC dc = Canvas->Handle();
  const Integer L = R.left, T = R.top, Rt = R.right - 1, B = R.bottom - 1;
  const Integer a = Clamp(Rd.TopLeft), b = Clamp(Rd.TopRight), c = Clamp(Rd.BottomRight), d = Clamp(Rd.BottomLeft);
  // Lines end one pixel beyond their last point (the end point is not painted).
  if (Rt - b + 1 > L + a) DrawLineColor(dc, L + a, T, Rt - b + 1, T, Color);
  if (Rt - c + 1 > L + d) DrawLineColor(dc, L + d, B, Rt - c + 1, B, Color);
  if (B - d + 1 > T + a) DrawLineColor(dc, L, T + a, L, B - d + 1, Color);
  if (B - c + 1 > T + b) DrawLineColor(dc, Rt, T + b, Rt, B - c + 1, Color);
  if (a) BlendCorner(dc, L, T, 1, 1, a, Color);
  if (b) BlendCorner(dc, Rt, T, -1, 1, b, Color);
  if (c) BlendCorner(dc, Rt, B, -1, -1, c, Color);
  if (d) BlendCorner(dc, L, B, 1, -1, d, Color);
}

void AluRaisedFrame(TCanvas* Canvas, const TRect& R, Integer Radius, TColor TopLeft, TColor BottomRight,
                    TColor CornerBack) {
  if (kit::IsEmpty(R)) return;
  TopLeft = ResolveColor(TopLeft);
  BottomRight = ResolveColor(BottomRight);
  const win::HDC dc = Canvas->Handle();
  const Integer r = Radius < 1 ? 1 : Radius > 2 ? 2 : Radius;
  const Integer L = R.left, T = R.top, Rt = R.right - 1, B = R.bottom - 1;
  DrawLineColor(dc, L + r, T, Rt - r + 1, T, TopLeft);
  DrawLineColor(dc, L, T + r, L, B - r + 1, TopLeft);
  DrawLineColor(dc, L + r, B, Rt - r + 1, B, BottomRight);
  DrawLineColor(dc, Rt, T + r, Rt, B - r + 1, BottomRight);
  // Each corner: (X, Y), directions into the frame, its edge colour.
  const TColor mixed = MixColors(TopLeft, BottomRight, 127);
  struct TCorner {
    Integer X, Y, Sx, Sy;
    TColor C;
  } corners[4] = {{L, T, 1, 1, TopLeft}, {Rt, T, -1, 1, mixed}, {Rt, B, -1, -1, BottomRight}, {L, B, 1, -1, mixed}};
  for (const TCorner& k : corners) {
    if (CornerBack == fw::clNone) {
      if (r == 1) {
        BlendPixel(dc, k.X, k.Y, k.C, 63);
      } else {
        BlendPixel(dc, k.X, k.Y, k.C, 31);
        BlendPixel(dc, k.X + k.Sx, k.Y, k.C, 143);
        BlendPixel(dc, k.X, k.Y + k.Sy, k.C, 143);
        BlendPixel(dc, k.X + k.Sx, k.Y + k.Sy, k.C, 207);
      }
    } else if (r == 1) {
      kit::Pixel(Canvas, k.X, k.Y, MixColors(k.C, CornerBack, 127));
    } else {
      kit::Pixel(Canvas, k.X, k.Y, MixColors(k.C, CornerBack, 31));
      kit::Pixel(Canvas, k.X + k.Sx, k.Y, MixColors(k.C, CornerBack, 175));
      kit::Pixel(Canvas, k.X, k.Y + k.Sy, MixColors(k.C, CornerBack, 175));
      kit::Pixel(Canvas, k.X + k.Sx, k.Y + k.Sy, k.C);
    }
  }
}

}  // namespace themes
