#pragma once
// The graph toolbar: the title, line colour and line width of the current graph, shown as it
// changes and edited in place. Each edit is one undo entry of the graph's line format (the
// title goes through the collection's rename). Without a current graph the items are disabled.

#include "mainwindow/MainWindowBars.h"

namespace chart {
class TChartPen;
}

namespace workspace {

class TGraph;
class TGraphCollection;

class TGraphToolbar {
 public:
  // The toolbar on the top dock's Row of Bars.
  TGraphToolbar(TMainWindowBars& Bars, int Row);

  TBar* Bar() const { return FBar; }
  TBarEdit* TitleItem() const { return FTitle; }
  TBarColor* ColorItem() const { return FColor; }
  TBarSpinEdit* WidthItem() const { return FWidth; }

  void SetGraphs(TGraphCollection* Graphs) { FGraphs = Graphs; }
  // Shows the current graph of the collection.
  void Follow();

 private:
  friend void SyncPenToolbar(TGraphToolbar& Container, chart::TChartPen& Pen, bool ToControls);
  TGraph* Current() const;
  void AcceptTitle(fw::String& Text, bool& Accept);
  void ChooseColor();
  void WidthChanged();
  // Writes the colour and width items into the current graph's line, with an undo entry when the
  // format changed.
  void StoreLine();

  TBar* FBar = nullptr;
  TBarEdit* FTitle = nullptr;
  TBarColor* FColor = nullptr;
  TBarSpinEdit* FWidth = nullptr;
  TGraphCollection* FGraphs = nullptr;
  bool FShowing = false;
};

inline constexpr int GraphLineWidthMax = 10;

// ToControls: the pen's colour and width into the toolbar's items; else the items into the pen,
// the width kept within 1 .. GraphLineWidthMax.
void SyncPenToolbar(TGraphToolbar& Container, chart::TChartPen& Pen, bool ToControls);

}  // namespace workspace
