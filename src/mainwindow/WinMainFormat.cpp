// The main window's format commands and the chart double-click that opens the format dialog of
// the part clicked last.

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/PlotMultiSelectorTool.h"
#include "export/forms/WinFrameFormat.h"
#include "export/forms/WinTitle.h"
#include "framework/ActnList.h"
#include "mainwindow/WinMain.h"

namespace workspace {

void TwndKorvalinMain::BuildFormatActions() {
  FFrameFormat = new fw::TAction(this);
  FFrameFormat->SetName("actFrameFormat");
  FFrameFormat->SetCaption("Формат рамки...");
  FFrameFormat->SetActionList(FActions);
  FFrameFormat->OnExecute = [this](fw::TObject*) { FrameFormatExecute(); };
  FTitleFormat = new fw::TAction(this);
  FTitleFormat->SetName("actTitleFormat");
  FTitleFormat->SetCaption("Формат заголовка...");
  FTitleFormat->SetActionList(FActions);
  FTitleFormat->OnExecute = [this](fw::TObject*) { kvforms::ShowTitleFormat(*FChart->Title()); };
  FChart->OnDblClick = [this](fw::TObject*) { ChartDblClick(); };
}

void TwndKorvalinMain::FrameFormatExecute() { kvforms::ShowFrameFormat(*FChart->BackWall()->Pen()); }

void TwndKorvalinMain::ChartDblClick() {
  switch (FMultiSelectorTool->ClickedPart().Part) {
    case chart::cpTitle:
      kvforms::ShowTitleFormat(*FChart->Title());
      break;
    case chart::cpSubTitle:
      kvforms::ShowTitleFormat(*FChart->SubTitle());
      break;
    case chart::cpFoot:
      kvforms::ShowTitleFormat(*FChart->Foot());
      break;
    case chart::cpSubFoot:
      kvforms::ShowTitleFormat(*FChart->SubFoot());
      break;
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
