// The main window's format commands and the chart double-click that opens the format dialog of
// the part clicked last.

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/PlotMultiSelectorTool.h"
#include "analysis/WinOperations.h"
#include "export/forms/ClickedPart.h"
#include "export/forms/WinAxesFormat.h"
#include "chart/ChartLegend.h"
#include "export/forms/WinFrameFormat.h"
#include "export/forms/WinLegendFormat.h"
#include "export/forms/WinLineProp.h"
#include "export/forms/WinTitle.h"
#include "framework/ActnList.h"
#include "mainwindow/WinMain.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/messages/MessageQueue.h"
#include "workspace/Preferences.h"

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
  FLegendFormat = new fw::TAction(this);
  FLegendFormat->SetName("actLegendFormat");
  FLegendFormat->SetCaption("Формат легенды...");
  FLegendFormat->SetActionList(FActions);
  FLegendFormat->OnExecute = [this](fw::TObject*) { kvforms::ShowLegendFormat(*FChart->Legend()); };
  FAxisXFormat = new fw::TAction(this);
  FAxisXFormat->SetName("actAxisXFormat");
  FAxisXFormat->SetCaption("Формат горизонтальной оси...");
  FAxisXFormat->SetActionList(FActions);
  FAxisXFormat->OnExecute = [this](fw::TObject*) { kvforms::ShowAxisFormat(*FChart->BottomAxis()); };
  FAxisYFormat = new fw::TAction(this);
  FAxisYFormat->SetName("actAxisYFormat");
  FAxisYFormat->SetCaption("Формат вертикальной оси...");
  FAxisYFormat->SetActionList(FActions);
  FAxisYFormat->OnExecute = [this](fw::TObject*) { kvforms::ShowAxisFormat(*FChart->LeftAxis()); };
  FLineProp = new fw::TAction(this);
  FLineProp->SetName("actLineProp");
  FLineProp->SetCaption("Свойства линии графика...");
  FLineProp->SetActionList(FActions);
  FLineProp->OnExecute = [this](fw::TObject*) { kvforms::ShowLineProp(*FGraphs); };
  FChart->OnDblClick = [this](fw::TObject*) { ChartDblClick(); };
  // Delete hides the chart element clicked last; a graph clicked, or nothing, leaves it to
  // the graph deletion.
  FDelete->OnExecute = [this, deleteGraph = FDelete->OnExecute](fw::TObject* Sender) {
    if (kvforms::HideClickedPart(*FChart, FMultiSelectorTool->ClickedPart())) {
      FMultiSelectorTool->ClearSelection();
      return;
    }
    if (deleteGraph) deleteGraph(Sender);
  };
}

// The line properties edit graphs: without one to edit the command is disabled, in the menu and
// on the toolbar alike, rather than doing nothing when chosen.
void TwndKorvalinMain::UpdateFormatActions() {
  FLineProp->SetEnabled(FGraphs && !kvforms::LinePropGraphs(*FGraphs).empty());
}

void TwndKorvalinMain::FrameFormatExecute() { kvforms::ShowFrameFormat(*FChart->BackWall()->Pen(), FChart); }

void TwndKorvalinMain::ChartDblClick() {
  const chart::TSelectorClickedPart& part = FMultiSelectorTool->ClickedPart();
  switch (part.Part) {
    case chart::cpAxis:
      if (!part.Axis) return;
      if (Preferences.AxisDblClickShowLimits)
        analysis::EditAxisLimits(part.Axis);
      else
        kvforms::ShowAxisFormat(*part.Axis);
      break;
    case chart::cpLegend:
      kvforms::ShowLegendFormat(*FChart->Legend());
      break;
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
    case chart::cpSeries:
      kvforms::ShowLineProp(*FGraphs);
      break;
    default:
      return;
  }
  // The press that opened the dialog goes no further in the chart. The chart hands the press
  // to its tools after this handler, and its release went to the dialog, so the gesture a tool
  // begins with it (an axis scroll) is ended by a posted cancel, once the press is through.
  FChart->SetCancelMouse(true);
  win::PostMessageW(FChart->Handle(), win::WM_CANCELMODE, 0, 0);
}

}  // namespace workspace
