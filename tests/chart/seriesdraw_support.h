#pragma once
// Shared fixtures of the axis and series drawing tests: a chart canvas over a white 24-bit
// bitmap with the fixed test font, and a canvas that records the virtual operations it receives
// without drawing anything.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/PlotCanvas.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"

namespace drawtest {

using fw::TColor;
using fw::TPoint;

// The test font at its natural size: 7 pixels per character, 13 high, ascent 10.
inline void UseTestFont(fw::TFont* Font, TColor Color = fw::clBlack) {
  Font->SetName("Korvalin Test");
  Font->SetHeight(-13);
  Font->SetColor(Color);
}

class DrawSurface {
 public:
  DrawSurface(int Width, int Height) : width(Width), height(Height) {
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(Width, Height);
    Clear();
  }
  void Clear() {
    bitmap.Canvas()->Brush()->SetColor(fw::clWhite);
    bitmap.Canvas()->Brush()->SetStyle(fw::bsSolid);
    bitmap.Canvas()->FillRect(fw::TRect{0, 0, width, height});
  }
  // The pixel whatever the canvas's clip.
  TColor At(int X, int Y) {
    win::HDC dc = bitmap.Canvas()->Handle();
    const int saved = win::SaveDC(dc);
    win::SelectClipRgn(dc, nullptr);
    const TColor c = TColor(win::GetPixel(dc, X, Y) & 0xFFFFFF);
    win::RestoreDC(dc, saved);
    return c;
  }
  int CountNotWhite() {
    int n = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) n += At(x, y) != fw::clWhite;
    return n;
  }
  int width, height;
  fw::TBitmap bitmap;
};

// One operation a recording canvas received.
struct Call {
  std::string op;
  std::vector<TPoint> points;
  std::string text;
  TColor penColor = fw::clNone;
  double angle = 0;
};

// Records every drawing operation (the reference canvas is only used to measure text), so a
// test can check that all of a drawing reaches the overridable operations.
class RecordingCanvas : public chart::TPlotCanvas3D {
 public:
  std::vector<Call> calls;

  std::vector<Call> Of(const std::string& Op) const {
    std::vector<Call> out;
    for (const Call& c : calls)
      if (c.op == Op) out.push_back(c);
    return out;
  }

  void Polyline(const TPoint* Points, fw::Integer Count) override {
    Add("Polyline", std::vector<TPoint>(Points, Points + Count));
  }
  void Polygon(const TPoint* Points, fw::Integer Count) override {
    Add("Polygon", std::vector<TPoint>(Points, Points + Count));
  }
  void MoveTo(fw::Integer X, fw::Integer Y) override { Add("MoveTo", {{X, Y}}); }
  void LineTo(fw::Integer X, fw::Integer Y) override { Add("LineTo", {{X, Y}}); }
  void Line(fw::Integer X0, fw::Integer Y0, fw::Integer X1, fw::Integer Y1) override {
    Add("Line", {{X0, Y0}, {X1, Y1}});
  }
  void DoHorizLine(fw::Integer X0, fw::Integer X1, fw::Integer Y) override { Add("HorizLine", {{X0, Y}, {X1, Y}}); }
  void DoVertLine(fw::Integer X, fw::Integer Y0, fw::Integer Y1) override { Add("VertLine", {{X, Y0}, {X, Y1}}); }
  void Rectangle(fw::Integer X1, fw::Integer Y1, fw::Integer X2, fw::Integer Y2) override {
    Add("Rectangle", {{X1, Y1}, {X2, Y2}});
  }
  void Ellipse(fw::Integer X1, fw::Integer Y1, fw::Integer X2, fw::Integer Y2) override {
    Add("Ellipse", {{X1, Y1}, {X2, Y2}});
  }
  void SetPixel(fw::Integer X, fw::Integer Y, TColor) override { Add("SetPixel", {{X, Y}}); }
  void TextOut(fw::Integer X, fw::Integer Y, const fw::String& Text) override {
    Add("TextOut", {{X, Y}}, Text);
  }
  void RotateLabel(fw::Integer X, fw::Integer Y, const fw::String& Text, double Angle) override {
    Add("RotateLabel", {{X, Y}}, Text, Angle);
  }

 private:
  void Add(const std::string& Op, std::vector<TPoint> Points, const std::string& Text = {}, double Angle = 0) {
    Call c;
    c.op = Op;
    c.points = std::move(Points);
    c.text = Text;
    c.penColor = Pen()->Visible() ? Pen()->Color() : fw::clNone;
    c.angle = Angle;
    calls.push_back(std::move(c));
  }
};

}  // namespace drawtest
