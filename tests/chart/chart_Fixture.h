#pragma once
// Shared pieces of the chart control tests: a headless desktop with an application, a chart on
// a borderless form, a tool that records what it hears, and pixel reading from a bitmap.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotTools.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "support/HeadlessFixture.h"

namespace charttest {

// Records paint events as "p<kind>" and mouse events as "d"/"m"/"u" with the tool's name; may
// claim the mouse events of some kinds.
class RecordingTool : public chart::TPlotCustomTool {
 public:
  RecordingTool(fw::TComponent* Owner, std::vector<std::string>* Log, std::string Tag)
      : chart::TPlotCustomTool(Owner), log(Log), tag(std::move(Tag)) {}
  void HandleChartEvent(chart::TChartToolEvent Kind) override {
    log->push_back(tag + ":p" + std::to_string(int(Kind)));
  }
  void HandleMouseEvent(chart::TChartMouseEvent Kind, fw::TMouseButton, fw::TShiftState, fw::Integer X,
                        fw::Integer Y) override {
    static const char* names[] = {"d", "m", "u"};
    log->push_back(tag + ":" + names[Kind]);
    lastX = X;
    lastY = Y;
    if (claim[Kind] && ParentChart()) ParentChart()->SetCancelMouse(true);
  }
  std::vector<std::string>* log;
  std::string tag;
  bool claim[3] = {false, false, false};
  fw::Integer lastX = -1, lastY = -1;
};

// A series whose points are drawn as 3x3 squares centred on their pixels, in the series colour,
// and found within 2 pixels (independent of the line drawing).
class SquareSeries : public chart::TChartSeries {
 public:
  using chart::TChartSeries::TChartSeries;
  void DrawAllValues(chart::TPlotCanvas3D& Canvas) override {
    ++draws;
    if (!HorizAxis() || !VertAxis()) return;
    Canvas.Brush()->SetStyle(fw::bsSolid);
    Canvas.Brush()->SetColor(SeriesColor());
    for (fw::Integer i = 0; i < Count(); ++i) {
      if (IsNullPoint(i)) continue;
      const fw::Integer x = HorizAxis()->CalcPosValue(PointX(i)), y = VertAxis()->CalcPosValue(PointY(i));
      Canvas.FillRect(fw::TRect{x - 1, y - 1, x + 2, y + 2});
    }
  }
  fw::Integer PointAt(fw::Integer X, fw::Integer Y) override {
    for (fw::Integer i = 0; i < Count(); ++i) {
      if (IsNullPoint(i)) continue;
      const fw::Integer x = HorizAxis()->CalcPosValue(PointX(i)), y = VertAxis()->CalcPosValue(PointY(i));
      if (std::abs(X - x) <= 2 && std::abs(Y - y) <= 2) return i;
    }
    return -1;
  }
  int draws = 0;
};

class ChartTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
  }
  void TearDown() override {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  void Pump() { desktop->run_until_idle(); }

  // A borderless form at (Left, Top) holding a chart that fills it.
  chart::TChart* ShowChart(fw::Integer Left, fw::Integer Top, fw::Integer Width, fw::Integer Height) {
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBorderStyle(fw::bsNone);
    form->SetBounds(Left, Top, Width, Height);
    auto* c = new chart::TChart(form.get());
    c->SetParent(form.get());
    c->SetBounds(0, 0, Width, Height);
    form->Show();
    Pump();
    return c;
  }
  win::POINT At(fw::TControl* c, int x, int y) { return c->ClientToScreen(fw::TPoint{x, y}); }

  std::unique_ptr<fw::TForm> form;
};

// The pixel of a bitmap at (X, Y) as RGB.
inline fw::TColor PixelOf(fw::TBitmap& Bitmap, int X, int Y) { return Bitmap.Canvas()->Pixels(X, Y) & 0xFFFFFF; }

}  // namespace charttest
