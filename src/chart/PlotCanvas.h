#pragma once
// The chart's drawing surface. TPlotCanvas3D draws on a framework canvas through GDI; every
// operation a chart uses is virtual, so a recording canvas (SVG, metafile) that overrides them
// receives the whole picture. Operations built from others (Polyline, Frame3D, Arrow, PlaneAtZ,
// gradients) call the virtual primitives rather than GDI, for the same reason.

#include <array>
#include <memory>
#include <vector>

#include "framework/Colors.h"
#include "framework/GraphicsObjects.h"
#include "framework/GraphicsTypes.h"
#include "framework/Persistent.h"

namespace fw {
class TCanvas;
class TGraphic;
class TBitmap;
}  // namespace fw

namespace chart {

using fw::Integer;
using fw::String;
using fw::TColor;
using fw::TPoint;
using fw::TRect;

enum TPenEndStyle { esRound, esSquare, esFlat };

// A framework pen that can be hidden, given flat or square ends, or drawn as alternate pixels.
class TChartPen : public fw::TPen {
 public:
  void Assign(fw::TPersistent* Source) override;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TPenEndStyle EndStyle() const { return FEndStyle; }
  void SetEndStyle(TPenEndStyle Value);
  bool SmallDots() const { return FSmallDots; }
  void SetSmallDots(bool Value);

 private:
  bool FVisible = true;
  TPenEndStyle FEndStyle = esRound;
  bool FSmallDots = false;
};

class TChartBrush : public fw::TBrush {};

// The shadow drawn under a text: offsets in pixels, colour, and transparency 0..100.
class TPlotShadow : public fw::TPersistent {
 public:
  void Assign(fw::TPersistent* Source) override;
  TColor Color = fw::clGray;
  Integer HorizSize = 0;
  Integer VertSize = 0;
  Integer Transparency = 0;
  bool Smooth = false;
  bool Visible() const { return HorizSize != 0 || VertSize != 0; }
};

class TPlotFont : public fw::TFont {
 public:
  void Assign(fw::TPersistent* Source) override;
  TPlotShadow* Shadow() { return &FShadow; }
  const TPlotShadow* Shadow() const { return &FShadow; }

 private:
  TPlotShadow FShadow;
};

enum TGradientDirection {
  gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter, gdFromTopLeft, gdFromBottomLeft,
  gdRadial, gdDiagonalUp, gdDiagonalDown
};

class TPlotCanvas3D;

// A colour ramp over a rectangle. StartColor lies on the side the direction names first (the
// top for gdTopBottom, the centre for gdFromCenter and gdRadial); MidColor (clNone = none)
// sits at Balance percent of the way; without it, Balance places the halfway colour.
class TPlotGradient : public fw::TPersistent {
 public:
  void Assign(fw::TPersistent* Source) override;
  void Draw(TPlotCanvas3D* Canvas, const TRect& R) const;

  bool Visible = false;
  TGradientDirection Direction = gdTopBottom;
  TColor StartColor = fw::clWhite;
  TColor MidColor = fw::clNone;
  TColor EndColor = fw::clYellow;
  Integer Balance = 50;
  Integer RadialX = 0;  // offset of the radial centre from the rectangle's centre, pixels
  Integer RadialY = 0;
};
// The largest radial offset (either way) drawing takes, and settings keep; a centre further out
// draws as if it were there.
inline constexpr Integer MaxRadialOffset = 32767;

// How depth is shown. Orthogonal: depth goes up and right at OrthoAngle degrees (oblique
// projection, one pixel of depth per pixel). Otherwise the box is turned about the bounds'
// centre by Rotation (about the vertical axis), then Elevation (about the horizontal axis),
// and projected in parallel; 360 (or 0) for both shows the front face flat.
struct TView3DSettings {
  bool View3D = false;
  Integer Chart3DPercent = 15;
  bool Orthogonal = true;
  Integer OrthoAngle = 45;
  Integer Elevation = 345;
  Integer Rotation = 345;
  Integer Depth = 0;  // pixels of full depth; the centre of rotation lies at Depth / 2
};

enum TCanvasBackMode { cbmTransparent, cbmOpaque };

class TPlotCanvas3D {
 public:
  TPlotCanvas3D();
  virtual ~TPlotCanvas3D();
  TPlotCanvas3D(const TPlotCanvas3D&) = delete;
  TPlotCanvas3D& operator=(const TPlotCanvas3D&) = delete;

  // The framework canvas this one draws on and measures text with (not owned).
  fw::TCanvas* ReferenceCanvas() const { return FReference; }
  void SetReferenceCanvas(fw::TCanvas* Value);
  // The canvas the primitives draw on: the back buffer while a buffered pass runs.
  fw::TCanvas* DrawingCanvas() const;

  TChartPen* Pen() { return FPen.get(); }
  TChartBrush* Brush() { return FBrush.get(); }
  TPlotFont* Font() { return FFont.get(); }
  TView3DSettings& View() { return FView; }
  const TRect& Bounds() const { return FBounds; }

  virtual bool NonGDICanvas() const { return false; }
  // Pen, brush, font, view and text settings of Source; used when a canvas replaces another.
  void AssignSettings(TPlotCanvas3D* Source);

  // With a buffered display, a pass draws into a bitmap that EndDrawing copies out; while the
  // buffer is not marked dirty, ReDrawBitmap shows it again without drawing.
  bool BufferedDisplay() const { return FBuffered; }
  void SetBufferedDisplay(bool Value);
  bool Dirty() const { return FDirty; }
  void Invalidate() { FDirty = true; }
  bool ReDrawBitmap();

  // Measuring with the current font on the reference canvas.
  Integer TextWidth(const String& Text);
  Integer TextHeight(const String& Text);
  TColor Pixels(Integer X, Integer Y);

  // Canvas state.
  virtual TColor GetBackColor();
  virtual TCanvasBackMode GetBackMode();
  virtual unsigned GetTextAlign();
  virtual void SetBackColor(TColor Value);
  virtual void SetBackMode(TCanvasBackMode Value);
  virtual void SetPixel(Integer X, Integer Y, TColor Value);
  virtual void SetTextAlign(unsigned Value);
  // The canvas pen becomes Pen (hidden pens clear), drawn in Color.
  virtual void AssignVisiblePenColor(const TChartPen* Pen, TColor Color);

  // What is drawn between these shows the former picture through it by Transparency percent.
  virtual void BeginBlending(const TRect& R, Integer Transparency);
  virtual void EndBlending();

  // 2D primitives.
  virtual void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  virtual void Draw(Integer X, Integer Y, fw::TGraphic* Graphic);
  virtual void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  virtual void FillRect(const TRect& R);
  virtual void LineTo(Integer X, Integer Y);
  virtual void MoveTo(Integer X, Integer Y);
  virtual void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  virtual void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  virtual void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  virtual void StretchDraw(const TRect& R, fw::TGraphic* Graphic);
  virtual void TextOut(Integer X, Integer Y, const String& Text);

  // Clipping (one level; UnClipRectangle removes it).
  virtual void ClipRectangle(const TRect& R);
  virtual void ClipRoundRectangle(const TRect& R, Integer Corner);
  virtual void ClipEllipse(const TRect& R);
  virtual void ClipPolygon(const TPoint* Points, Integer Count);

  virtual void DoHorizLine(Integer X0, Integer X1, Integer Y);
  virtual void DoVertLine(Integer X, Integer Y0, Integer Y1);
  virtual void GradientFill(const TRect& R, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                            Integer Balance);
  virtual void Line(Integer X0, Integer Y0, Integer X1, Integer Y1);
  virtual void Polygon(const TPoint* Points, Integer Count);
  // Text turned Angle degrees counter-clockwise about (X, Y).
  virtual void RotateLabel(Integer X, Integer Y, const String& Text, double Angle);
  virtual void UnClipRectangle();

  // Primitives at a depth.
  virtual void SetPixel3D(Integer X, Integer Y, Integer Z, TColor Value);
  virtual void HorizLine3D(Integer Left, Integer Right, Integer Y, Integer Z);
  virtual void VertLine3D(Integer X, Integer Top, Integer Bottom, Integer Z);
  virtual void ZLine3D(Integer X, Integer Y, Integer Z0, Integer Z1);
  virtual void LineWithZ(Integer X0, Integer Y0, Integer X1, Integer Y1, Integer Z);
  virtual void MoveTo3D(Integer X, Integer Y, Integer Z);
  virtual void LineTo3D(Integer X, Integer Y, Integer Z);
  virtual void RotateLabel3D(Integer X, Integer Y, Integer Z, const String& Text, double Angle);
  virtual void TextOut3D(Integer X, Integer Y, Integer Z, const String& Text);
  // A polygon through FourPoints (set by PlaneAtZ and RectangleWithZ).
  virtual void PolygonFour();

  virtual void InitDrawing(const TRect& Bounds);
  virtual void EndDrawing();

  // Built from the primitives above.
  virtual void Polyline(const TPoint* Points, Integer Count);
  void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), Integer(Points.size())); }
  void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), Integer(Points.size())); }
  // Top and left edges in TopColor, bottom and right in BottomColor, Width pixels inwards;
  // R shrinks by Width.
  void Frame3D(TRect& R, TColor TopColor, TColor BottomColor, Integer Width);
  // A line from From to To with a head HeadWidth wide and HeadHeight long at To.
  void Arrow(bool Filled, TPoint From, TPoint To, Integer HeadWidth, Integer HeadHeight, Integer Z);
  void PlaneAtZ(const TRect& R, Integer Z);
  void RectangleWithZ(const TRect& R, Integer Z) { PlaneAtZ(R, Z); }

  // Projection of a point at depth Z to pixels, and back at a known depth.
  TPoint Calc3DPos(Integer X, Integer Y, Integer Z) const;
  TPoint Calc3DPoint(TPoint P, Integer Z) const { return Calc3DPos(P.x, P.y, Z); }
  TPoint Calc2DPos(Integer X, Integer Y, Integer Z) const;

  std::array<TPoint, 4> FourPoints{};
  // Where a radial gradient's centre sits, relative to the rectangle's centre.
  TPoint RadialOffset{};

 protected:
  // Makes the drawing canvas's tools match Pen, Brush and Font; RAII keeps an extended pen
  // selected for one primitive.
  class ToolScope;
  bool UsesExtendedPen() const;

 private:
  void ProjectionMatrix(double M[2][3]) const;
  void DrawText(Integer X, Integer Y, const String& Text, Integer Orientation);

  fw::TCanvas* FReference = nullptr;
  std::unique_ptr<TChartPen> FPen;
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TPlotFont> FFont;
  TView3DSettings FView;
  TRect FBounds{};
  TColor FBackColor = fw::clWhite;
  TCanvasBackMode FBackMode = cbmTransparent;
  unsigned FTextAlign = 0;
  bool FBuffered = false;
  bool FDirty = true;
  bool FInPass = false;
  std::unique_ptr<fw::TBitmap> FBuffer;
  std::unique_ptr<fw::TBitmap> FBlendSaved;
  TRect FBlendRect{};
  Integer FBlendTransparency = 0;
  bool FBlending = false;
};

}  // namespace chart
