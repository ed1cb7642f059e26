#pragma once
// What the find-result windows and the group search windows share: the toolbar of bound, copy,
// paste, clear and pick commands, the bounds group with X1 and X2, the search button and the
// result grid, and the point pick that sets a bound from a press on the chart.

#include <functional>
#include <vector>

#include "framework/Forms.h"

namespace chart {
class TChartSeries;
}
namespace fw {
class TStringGrid;
}
namespace cs {
class TCsButton;
class TCsItem;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

enum TFindOpKind : int { fkMax = 0, fkMin = 1, fkDelta = 3, fkAverage = 4, fkIntegral = 5 };

// "MAX", "MIN", "DELTA", "AVERAGE", "INTEGRAL".
const char* FindOpKindName(TFindOpKind Kind);
// The kind's numbers of Series over [A, B]: X and Y (maximum, minimum); MaxX, MaxY, MinX, MinY,
// MaxX - MinX, MaxY - MinY (delta); Mean, Mean - MinY, MaxY - Mean (average); the integral.
// Empty when no point lies in [A, B]; the integral's refusals raise.
std::vector<double> FindOpMeasure(TFindOpKind Kind, const chart::TChartSeries& Series, double A, double B);

class TFindOpForm : public fw::TForm {
 public:
  TFindOpForm(fw::TComponent* AOwner, TFindOpKind Kind, const char* Name);
  ~TFindOpForm() override;

  TFindOpKind Kind() const { return FKind; }

  virtual void Search() = 0;
  // With an edit focused: the bounds as "X1 X2"; else the grid's selected cells.
  void CopyBoundsOrResults();
  // Clipboard text split at tabs and blanks: the first number to X1, the second to X2.
  void PasteBounds();
  // With an edit focused both bounds become 0; else the results are emptied.
  void ClearBoundsOrResults();
  // X1 (Left) and/or X2 (Right) from the graphs' X range or from the bottom axis' visible range.
  void SetBoundsFromGraph(bool Left, bool Right);
  void SetBoundsFromAxis(bool Left, bool Right);
  // The pick toggles: Both false picks one bound (X1 when fedX1 has the focus, else X2).
  void TogglePick(bool Both);
  // Cancels the pick if this window armed the one armed now.
  void CancelPick();

  cs::TLxCsFloatEdit* fedX1 = nullptr;
  cs::TLxCsFloatEdit* fedX2 = nullptr;
  cs::TCsButton* butSearch = nullptr;
  // Check items of the toolbar.
  cs::TCsItem* tbutPickPoint = nullptr;
  cs::TCsItem* tbutPickPoints = nullptr;
  fw::TStringGrid* Grid = nullptr;

 protected:
  virtual void ClearResults() = 0;
  // The smallest and largest X the "absolute" bound items take; false when there is none.
  virtual bool GraphXRange(double& Min, double& Max) const = 0;
  // The grid's top in pixels.
  fw::Integer GridTop() const;
  // Widens each grid column that cuts a cell to its widest cell, and the grid and the window as
  // far as the columns then need; nothing ever narrows (a long title or number shows whole).
  void FitGridColumns();
  // Esc cancels this window's pick, or else closes the window.
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;

 private:
  void BuildToolbar();

  TFindOpKind FKind;
};

// Runs a window command, a failure shown in the application's error box.
void GuardedCommand(const std::function<void()>& Work);

}  // namespace analysis
