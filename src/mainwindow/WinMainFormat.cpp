// The main window's format commands and the chart double-click that opens the format dialog of
// the part clicked last.

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/PlotMultiSelectorTool.h"
#include "export/forms/WinFrameFormat.h"
#include "framework/ActnList.h"
#include "mainwindow/WinMain.h"

namespace workspace {

void TwndKorvalinMain::BuildFormatActions() {
  FFrameFormat = new fw::TAction(this);
  FFrameFormat->SetName("actFrameFormat");
  FFrameFormat->SetCaption("Формат рамки...");
  FFrameFormat->SetActionList(FActions);
  FFrameFormat->OnExecute = [this](fw::TObject*) { FrameFormatExecute(); };
  FChart->OnDblClick = [this](fw::TObject*) { ChartDblClick(); };
}

void TwndKorvalinMain::FrameFormatExecute() { kvforms::ShowFrameFormat(*FChart->BackWall()->Pen()); }

void TwndKorvalinMain::ChartDblClick() {
  switch (FMultiSelectorTool->ClickedPart().Part) {
    case chart::cpChartRect:
      FrameFormatExecute();
      break;
    default:
      return;
  }
  // The press that opened the dialog goes no further in the chart.
  FChart->SetCancelMouse(true);
}

}  // namespace workspace
