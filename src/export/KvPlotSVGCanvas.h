#pragma once
// A chart canvas that writes SVG 1.1 instead of painting: every primitive becomes an element
// appended to a string list, one element (or one part of one) per line. Text is measured on the
// reference canvas, so alignment matches what the screen would show.

#include <string>
#include <vector>

#include "chart/PlotCanvas.h"

namespace fw {
class TStrings;
}

namespace kvexport {

class TKvSVGCanvas : public chart::TPlotCanvas3D {
 public:
  // Lines go to Strings (not owned); the XML declaration is added at once.
  explicit TKvSVGCanvas(fw::TStrings* Strings);

  // Writes style="text-antialiasing:true" on the svg element; on by default.
  bool TextAntiAlias = true;

  void SetPixel(chart::Integer X, chart::Integer Y, chart::TColor Value) override;
  void BeginBlending(const chart::TRect& R, chart::Integer Transparency) override;
  void EndBlending() override;

  void Arc(chart::Integer X1, chart::Integer Y1, chart::Integer X2, chart::Integer Y2, chart::Integer X3,
           chart::Integer Y3, chart::Integer X4, chart::Integer Y4) override;
  // Pictures are not exported.
  void Draw(chart::Integer X, chart::Integer Y, fw::TGraphic* Graphic) override;
  void Ellipse(chart::Integer X1, chart::Integer Y1, chart::Integer X2, chart::Integer Y2) override;
  void FillRect(const chart::TRect& R) override;
  void LineTo(chart::Integer X, chart::Integer Y) override;
  void MoveTo(chart::Integer X, chart::Integer Y) override;
  void Pie(chart::Integer X1, chart::Integer Y1, chart::Integer X2, chart::Integer Y2, chart::Integer X3,
           chart::Integer Y3, chart::Integer X4, chart::Integer Y4) override;
  void Rectangle(chart::Integer X1, chart::Integer Y1, chart::Integer X2, chart::Integer Y2) override;
  // Corners are always written with a radius of 5.
  void RoundRect(chart::Integer X1, chart::Integer Y1, chart::Integer X2, chart::Integer Y2,
                 chart::Integer X3, chart::Integer Y3) override;
  void StretchDraw(const chart::TRect& R, fw::TGraphic* Graphic) override;
  void TextOut(chart::Integer X, chart::Integer Y, const chart::String& Text) override;

  // Each clip opens a group that UnClipRectangle closes; EndDrawing closes any left open.
  void ClipRectangle(const chart::TRect& R) override;
  void ClipRoundRectangle(const chart::TRect& R, chart::Integer Corner) override;
  void ClipEllipse(const chart::TRect& R) override;
  void ClipPolygon(const chart::TPoint* Points, chart::Integer Count) override;
  // fw::Exception "oops" when no clip is open.
  void UnClipRectangle() override;

  // A linear ramp from StartColor to EndColor; direction and balance are not written.
  void GradientFill(const chart::TRect& R, chart::TColor StartColor, chart::TColor EndColor,
                    chart::TGradientDirection Direction, chart::Integer Balance) override;
  void Polygon(const chart::TPoint* Points, chart::Integer Count) override;
  using chart::TPlotCanvas3D::Polygon;
  // One polyline element for the whole line.
  void Polyline(const chart::TPoint* Points, chart::Integer Count) override;
  using chart::TPlotCanvas3D::Polyline;
  // The text in a group turned by Angle about (X, Y).
  void RotateLabel(chart::Integer X, chart::Integer Y, const chart::String& Text, double Angle) override;

  // Bounds set the svg element's size.
  void InitDrawing(const chart::TRect& Bounds) override;
  void EndDrawing() override;

  // Counters of the ids written so far ("ClipN", "GradientN") and of clip groups still open.
  chart::Integer ClipCount() const { return FClipCount; }
  chart::Integer OpenClips() const { return FOpenClips; }
  chart::Integer GradientCount() const { return FGradientCount; }

 private:
  struct TRampPoint {
    double X, Y;
  };
  struct TRampStop {
    chart::Integer Percent;
    chart::TColor Color;
  };
  void Add(std::string Line);
  // A linear gradient running from From (first stop) to To (last stop) and Shape (an element
  // start without its end) filled with it.
  void AddRamp(TRampPoint From, TRampPoint To, const std::vector<TRampStop>& Stops, std::string Shape);
  bool PenClear();
  bool BrushClear();
  void AppendStroke(std::string& Line);
  void AppendFill(std::string& Line);
  // The line a polygon element starts with: its tag, fill and stroke; the points follow.
  void AddPolygonStart();
  void OpenClip(std::string Shape);
  void WriteRect(const chart::TRect& R, const char* End);
  void WriteText(chart::Integer X, chart::Integer Y, const chart::String& Text, chart::TColor Color,
                 chart::Integer Width);

  fw::TStrings* FStrings;
  chart::Integer FPenX = 0;
  chart::Integer FPenY = 0;
  chart::Integer FClipCount = 0;
  chart::Integer FOpenClips = 0;
  chart::Integer FGradientCount = 0;
  chart::Integer FTransparency = 0;
};

}  // namespace kvexport
