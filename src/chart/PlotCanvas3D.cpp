// Depth: the projection of the chart canvas, the primitives drawn at a depth, and the GDI
// gradient fills.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/PlotCanvas.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"

namespace chart {

namespace {

double Radians(Integer Degrees) { return Degrees * std::numbers::pi / 180.0; }

Integer Round(double V) { return Integer(std::lround(V)); }

}  // namespace

// Rows give screen X and Y of a point relative to the centre of rotation.
void TPlotCanvas3D::ProjectionMatrix(double M[2][3]) const {
  const double r = Radians(FView.Rotation), e = Radians(FView.Elevation);
  M[0][0] = std::cos(r);
  M[0][1] = 0;
  M[0][2] = -std::sin(r);
  M[1][0] = -std::sin(e) * std::sin(r);
  M[1][1] = std::cos(e);
  M[1][2] = -std::sin(e) * std::cos(r);
}

TPoint TPlotCanvas3D::Calc3DPos(Integer X, Integer Y, Integer Z) const {
  if (!FView.View3D) return TPoint{X, Y};
  if (FView.Orthogonal) {
    const double a = Radians(FView.OrthoAngle);
    return TPoint{X + Round(Z * std::cos(a)), Y - Round(Z * std::sin(a))};
  }
  double M[2][3];
  ProjectionMatrix(M);
  const double cx = (FBounds.left + FBounds.right) / 2.0, cy = (FBounds.top + FBounds.bottom) / 2.0;
  const double cz = FView.Depth / 2.0;
  const double x = X - cx, y = Y - cy, z = Z - cz;
  return TPoint{Round(cx + M[0][0] * x + M[0][1] * y + M[0][2] * z),
                Round(cy + M[1][0] * x + M[1][1] * y + M[1][2] * z)};
}

TPoint TPlotCanvas3D::Calc2DPos(Integer X, Integer Y, Integer Z) const {
  if (!FView.View3D) return TPoint{X, Y};
  if (FView.Orthogonal) {
    const double a = Radians(FView.OrthoAngle);
    return TPoint{X - Round(Z * std::cos(a)), Y + Round(Z * std::sin(a))};
  }
  double M[2][3];
  ProjectionMatrix(M);
  const double cx = (FBounds.left + FBounds.right) / 2.0, cy = (FBounds.top + FBounds.bottom) / 2.0;
  const double z = Z - FView.Depth / 2.0;
  const double u = X - cx - M[0][2] * z, v = Y - cy - M[1][2] * z;
  const double det = M[0][0] * M[1][1] - M[0][1] * M[1][0];
  // Seen edge-on, the plane at depth Z has no inverse: the point stays where it is.
  if (std::fabs(det) < 1e-9) return TPoint{X, Y};
  const double x = (u * M[1][1] - v * M[0][1]) / det;
  const double y = (v * M[0][0] - u * M[1][0]) / det;
  return TPoint{Round(cx + x), Round(cy + y)};
}

void TPlotCanvas3D::SetPixel3D(Integer X, Integer Y, Integer Z, TColor Value) {
  const TPoint p = Calc3DPos(X, Y, Z);
  SetPixel(p.x, p.y, Value);
}

void TPlotCanvas3D::HorizLine3D(Integer Left, Integer Right, Integer Y, Integer Z) {
  LineWithZ(Left, Y, Right, Y, Z);
}

void TPlotCanvas3D::VertLine3D(Integer X, Integer Top, Integer Bottom, Integer Z) {
  LineWithZ(X, Top, X, Bottom, Z);
}

void TPlotCanvas3D::ZLine3D(Integer X, Integer Y, Integer Z0, Integer Z1) {
  const TPoint a = Calc3DPos(X, Y, Z0), b = Calc3DPos(X, Y, Z1);
  Line(a.x, a.y, b.x, b.y);
}

void TPlotCanvas3D::LineWithZ(Integer X0, Integer Y0, Integer X1, Integer Y1, Integer Z) {
  const TPoint a = Calc3DPos(X0, Y0, Z), b = Calc3DPos(X1, Y1, Z);
  Line(a.x, a.y, b.x, b.y);
}

void TPlotCanvas3D::MoveTo3D(Integer X, Integer Y, Integer Z) {
  const TPoint p = Calc3DPos(X, Y, Z);
  MoveTo(p.x, p.y);
}

void TPlotCanvas3D::LineTo3D(Integer X, Integer Y, Integer Z) {
  const TPoint p = Calc3DPos(X, Y, Z);
  LineTo(p.x, p.y);
}

void TPlotCanvas3D::RotateLabel3D(Integer X, Integer Y, Integer Z, const String& Text, double Angle) {
  const TPoint p = Calc3DPos(X, Y, Z);
  RotateLabel(p.x, p.y, Text, Angle);
}

void TPlotCanvas3D::TextOut3D(Integer X, Integer Y, Integer Z, const String& Text) {
  const TPoint p = Calc3DPos(X, Y, Z);
  TextOut(p.x, p.y, Text);
}

void TPlotCanvas3D::PolygonFour() { Polygon(FourPoints.data(), 4); }

void TPlotCanvas3D::PlaneAtZ(const TRect& R, Integer Z) {
  FourPoints = {Calc3DPos(R.left, R.top, Z), Calc3DPos(R.right, R.top, Z), Calc3DPos(R.right, R.bottom, Z),
                Calc3DPos(R.left, R.bottom, Z)};
  PolygonFour();
}

namespace {

win::TRIVERTEX Vertex(Integer X, Integer Y, TColor C) {
  const Integer rgb = fw::ColorToRGB(C);
  win::TRIVERTEX v;
  v.x = X;
  v.y = Y;
  v.Red = win::COLOR16((rgb & 0xFF) << 8);
  v.Green = win::COLOR16(((rgb >> 8) & 0xFF) << 8);
  v.Blue = win::COLOR16(((rgb >> 16) & 0xFF) << 8);
  return v;
}

TColor Average(TColor A, TColor B) {
  const Integer a = fw::ColorToRGB(A), b = fw::ColorToRGB(B);
  Integer out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
  return out;
}

TColor Mix(TColor A, TColor B, double T) {
  const Integer a = fw::ColorToRGB(A), b = fw::ColorToRGB(B);
  Integer out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double c = ((a >> shift) & 0xFF) * (1 - T) + ((b >> shift) & 0xFF) * T;
    out |= Integer(std::lround(c)) << shift;
  }
  return out;
}

void FillRectRamp(win::HDC DC, const TRect& R, TColor From, TColor To, bool Horizontal) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  const win::TRIVERTEX v[2] = {Vertex(R.left, R.top, From), Vertex(R.right, R.bottom, To)};
  const win::GRADIENT_RECT g{0, 1};
  win::GradientFill(DC, v, 2, &g, 1, Horizontal ? win::GRADIENT_FILL_RECT_H : win::GRADIENT_FILL_RECT_V);
}

// Corners in the order top-left, top-right, bottom-right, bottom-left.
void FillCorners(win::HDC DC, const TRect& R, const TColor (&C)[4]) {
  const win::TRIVERTEX v[4] = {Vertex(R.left, R.top, C[0]), Vertex(R.right, R.top, C[1]),
                               Vertex(R.right, R.bottom, C[2]), Vertex(R.left, R.bottom, C[3])};
  const win::GRADIENT_TRIANGLE t[2] = {{0, 1, 3}, {1, 2, 3}};
  win::GradientFill(DC, v, 4, t, 2, win::GRADIENT_FILL_TRIANGLE);
}

void FillFromCentre(win::HDC DC, const TRect& R, TColor Centre, TColor Edge) {
  const Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  const win::TRIVERTEX v[5] = {Vertex(cx, cy, Centre), Vertex(R.left, R.top, Edge), Vertex(R.right, R.top, Edge),
                               Vertex(R.right, R.bottom, Edge), Vertex(R.left, R.bottom, Edge)};
  const win::GRADIENT_TRIANGLE t[4] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}};
  win::GradientFill(DC, v, 5, t, 4, win::GRADIENT_FILL_TRIANGLE);
}

// Concentric ellipses from the edge colour inwards to the centre colour.
void FillRadial(win::HDC DC, const TRect& R, TPoint Offset, TColor Centre, TColor Edge) {
  // In 64 bits, the offset bounded: an offset read from a file may be anything.
  const auto centre = [](Integer From, Integer To, Integer By) {
    return Integer((std::int64_t(From) + To) / 2 + std::clamp<Integer>(By, -MaxRadialOffset, MaxRadialOffset));
  };
  const Integer cx = centre(R.left, R.right, Offset.x), cy = centre(R.top, R.bottom, Offset.y);
  const double dl = double(R.left) - cx, dt = double(R.top) - cy, dr = double(R.right) - cx, db = double(R.bottom) - cy;
  const double far = std::max({std::hypot(dl, dt), std::hypot(dr, dt), std::hypot(dl, db), std::hypot(dr, db)});
  const int saved = win::SaveDC(DC);
  win::IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  win::HBRUSH edge = win::CreateSolidBrush(win::COLORREF(fw::ColorToRGB(Edge)));
  win::FillRect(DC, &R, edge);
  win::DeleteObject(edge);
  const Integer steps = std::clamp<Integer>(Integer(far), 1, 128);
  win::SelectObject(DC, win::GetStockObject(win::NULL_PEN));
  for (Integer i = steps - 1; i >= 0; --i) {
    const double radius = far * i / steps;
    const double t = 1.0 - double(i) / steps;  // weight of the centre colour
    win::HBRUSH b = win::CreateSolidBrush(win::COLORREF(fw::ColorToRGB(Mix(Edge, Centre, t))));
    win::HGDIOBJ old = win::SelectObject(DC, b);
    const Integer r = Integer(std::ceil(radius));
    win::Ellipse(DC, cx - r, cy - r, cx + r + 1, cy + r + 1);
    win::SelectObject(DC, old);
    win::DeleteObject(b);
  }
  win::RestoreDC(DC, saved);
}

}  // namespace

void TPlotCanvas3D::GradientFill(const TRect& R, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                                 Integer Balance) {
  fw::TCanvas* c = DrawingCanvas();
  if (!c || R.right <= R.left || R.bottom <= R.top) return;
  c->RequiredState({fw::csHandleValid});
  win::HDC dc = c->Handle();
  const Integer balance = std::clamp<Integer>(Balance, 0, 100);
  switch (Direction) {
    case gdTopBottom:
    case gdBottomTop:
    case gdLeftRight:
    case gdRightLeft: {
      const bool horiz = Direction == gdLeftRight || Direction == gdRightLeft;
      const bool back = Direction == gdBottomTop || Direction == gdRightLeft;
      const TColor first = back ? EndColor : StartColor, last = back ? StartColor : EndColor;
      if (balance == 50) {
        FillRectRamp(dc, R, first, last, horiz);
        break;
      }
      // The halfway colour lies Balance percent from the start side.
      const Integer length = horiz ? R.right - R.left : R.bottom - R.top;
      const Integer split = length * (back ? 100 - balance : balance) / 100;
      TRect a = R, b = R;
      if (horiz)
        a.right = b.left = R.left + split;
      else
        a.bottom = b.top = R.top + split;
      const TColor mid = Average(StartColor, EndColor);
      FillRectRamp(dc, a, first, mid, horiz);
      FillRectRamp(dc, b, mid, last, horiz);
      break;
    }
    case gdFromCenter:
      FillFromCentre(dc, R, StartColor, EndColor);
      break;
    case gdFromTopLeft:
      FillCorners(dc, R, {StartColor, EndColor, EndColor, EndColor});
      break;
    case gdFromBottomLeft:
      FillCorners(dc, R, {EndColor, EndColor, EndColor, StartColor});
      break;
    case gdRadial:
      FillRadial(dc, R, RadialOffset, StartColor, EndColor);
      break;
    case gdDiagonalUp: {
      const TColor m = Average(StartColor, EndColor);
      FillCorners(dc, R, {m, EndColor, m, StartColor});
      break;
    }
    case gdDiagonalDown: {
      const TColor m = Average(StartColor, EndColor);
      FillCorners(dc, R, {StartColor, m, EndColor, m});
      break;
    }
  }
}

}  // namespace chart
