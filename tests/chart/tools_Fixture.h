#pragma once
// A chart for the tool tests: 400 x 300 at (100, 100), axes fixed at 0..10 (bottom) and 0..30
// (left), and three square-point series, each with points at x = 2, 5 and 8 and its own height.

#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart_Fixture.h"
#include "platform/user/windows/WinUserTypes.h"

namespace charttest {

class ToolChartTest : public ChartTest {
 protected:
  void Build() {
    chart = ShowChart(100, 100, 400, 300);
    chart->Legend()->SetVisible(false);
    chart->BottomAxis()->SetMinMax(0, 10);
    chart->LeftAxis()->SetMinMax(0, 30);
    for (int i = 0; i < 3; ++i) {
      series[i] = new SquareSeries(form.get());
      for (double x : {2.0, 5.0, 8.0}) series[i]->AddXY(x, 5 + 10 * i + x / 2);
      series[i]->SetParentChart(chart);
    }
    Pump();
  }
  // Client pixel of point Index of series S.
  fw::TPoint Px(int S, int Index) const {
    return fw::TPoint{series[S]->CalcXPos(Index), series[S]->CalcYPos(Index)};
  }
  // Buttons as the desktop numbers them: 0 left, 1 right. Presses are a second apart, so that
  // two of them never make a double click.
  void Press(fw::TPoint P, int Button = 0, bool Ctrl = false) {
    desktop->advance(1000);
    if (Ctrl) desktop->key_down(win::VK_CONTROL);
    desktop->mouse_move(At(chart, P.x, P.y));
    desktop->mouse_down(At(chart, P.x, P.y), Button);
    Pump();
    if (Ctrl) desktop->key_up(win::VK_CONTROL);
  }
  void Move(fw::TPoint P) {
    desktop->mouse_move(At(chart, P.x, P.y));
    Pump();
  }
  void Release(fw::TPoint P, int Button = 0) {
    desktop->mouse_up(At(chart, P.x, P.y), Button);
    Pump();
  }
  void Click(fw::TPoint P, int Button = 0, bool Ctrl = false) {
    Press(P, Button, Ctrl);
    Release(P, Button);
  }

  chart::TChart* chart = nullptr;
  SquareSeries* series[3] = {};
};

}  // namespace charttest
