#pragma once
// The polynomial window: a modeless, always-on-top window that fits a polynomial to a graph (a
// new graph of kind 4) or rebuilds a polynomial graph in place, shows the coefficients in the
// information window and picks the sub-range's bounds on the chart.

#include "analysis/PolynomGraph.h"
#include "framework/Forms.h"

namespace chart {
class TChartSeries;
}
namespace workspace {
class TGraph;
}
namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsSpinEdit;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

class TwndPolynomEdit : public fw::TForm {
 public:
  // Graph: a polynomial graph to rebuild, or nullptr for a new one of Source.
  TwndPolynomEdit(fw::TComponent* AOwner, workspace::TGraph* Graph, chart::TChartSeries* Source);
  ~TwndPolynomEdit() override;

  void ShowParams(const TPolynomParams& Params);
  TPolynomParams Params() const;
  workspace::TGraph* Graph() const { return FGraph; }
  chart::TChartSeries* Source() const { return FSource; }
  // The X1 and X2 edits and their picks follow the sub-range check.
  void UpdatePartControls();
  // Arms the pick of X1 (First) or X2, or cancels it when its item is already down.
  void TogglePick(bool First);
  void butOkClick();

  cs::TCsSpinEdit* seDegree = nullptr;
  cs::TCsSpinEdit* seSplitInterval = nullptr;
  cs::TCsCheckBox* cbDoPart = nullptr;
  cs::TLxCsFloatEdit* fedX1 = nullptr;
  cs::TLxCsFloatEdit* fedX2 = nullptr;
  cs::TCsButton* butPickPoint1 = nullptr;
  cs::TCsButton* butPickPoint2 = nullptr;

 protected:
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  workspace::TGraph* FGraph;
  // The rebuilt graph's series: it going away means the graph went.
  chart::TChartSeries* FGraphSeries = nullptr;
  chart::TChartSeries* FSource;
  bool FRebuild;
};

// The window whose pick is armed (nullptr when none).
extern TwndPolynomEdit* PolynomPickWindow;
// The pick handlers: with Accept, the X under the press on the main chart goes to X1 (X2); in
// every case the pick ends and its item comes up.
void PickPolynomX1(fw::Integer X, fw::Integer Y, bool Accept);
void PickPolynomX2(fw::Integer X, fw::Integer Y, bool Accept);
// Cancels an armed polynomial pick.
void CancelPolynomPick();

// Shows the window: without a graph on the current graph's series, with a graph of kind 4 on its
// source series. Returns the window (nullptr when there is nothing to fit).
TwndPolynomEdit* EditPolynomGraph(workspace::TGraph* Graph);

}  // namespace analysis
