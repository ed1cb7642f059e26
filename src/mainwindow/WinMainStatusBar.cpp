// The main window's status line: the control set's status bar, painted by the current theme,
// with a panel for the graph count and one for the current graph's title.

#include "controls/CsItems.h"
#include "chart/PlotEngine.h"
#include "controls/CsStatusBar.h"
#include "mainwindow/WinMain.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"

namespace workspace {

namespace {

constexpr const char* kPanelSeparator = "  |  ";

}  // namespace

void TwndKorvalinMain::BuildStatusBar() {
  FStatus = new cs::TCsStatusBar(this);
  FStatus->SetName("StatusBar");
  FStatus->SetParent(this);
  fw::TComponent* panels = FStatus->Items();
  FStatusCount = new cs::TCsLabelItem(panels);
  FStatusSeparator = new cs::TCsSeparatorItem(panels);
  FStatusGraph = new cs::TCsLabelItem(panels);
  for (toolbars::TTBCustomItem* item : {static_cast<toolbars::TTBCustomItem*>(FStatusCount),
                                        static_cast<toolbars::TTBCustomItem*>(FStatusSeparator),
                                        static_cast<toolbars::TTBCustomItem*>(FStatusGraph)})
    FStatus->Items()->Add(item);
  ShowStatus();
}

void TwndKorvalinMain::ShowStatus() {
  FStatusCount->SetCaption("Графиков: " + std::to_string(FGraphs ? FGraphs->Count() : 0));
  TGraph* current = FGraphs ? FGraphs->Current() : nullptr;
  // Without a current graph its panel and the line before it go.
  FStatusGraph->SetCaption(current ? current->Series()->Title() : fw::String());
  FStatusGraph->SetVisible(current != nullptr);
  FStatusSeparator->SetVisible(current != nullptr);
}

fw::String TwndKorvalinMain::StatusText() const {
  fw::String text = FStatusCount->Caption();
  if (FStatusGraph->Visible()) text += kPanelSeparator + FStatusGraph->Caption();
  return text;
}

}  // namespace workspace
