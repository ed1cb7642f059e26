#pragma once
// The find-result windows: small topmost tool windows, one per measure (maximum, minimum, delta,
// average with its deviations, integral), each evaluating its measure of the bound graph over
// [X1, X2]. The bounds are typed, taken from the graph or the bottom axis, pasted, or picked on
// the chart through the main window's point pick. Every open window follows the graph selected
// in the main window.

#include <array>

#include "framework/Forms.h"

namespace fw {
class TStringGrid;
}
namespace cs {
class TCsButton;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

enum TFindOpKind : int { fkMax = 0, fkMin = 1, fkDelta = 3, fkAverage = 4, fkIntegral = 5 };

class TwndFindOp : public fw::TForm {
 public:
  TwndFindOp(fw::TComponent* AOwner, TFindOpKind Kind);
  ~TwndFindOp() override;

  TFindOpKind Kind() const { return FKind; }
  // "MAX", "MIN", "DELTA", "AVERAGE", "INTEGRAL".
  const char* KindName() const;
  fw::Integer GraphIndex() const { return FGraphIndex; }
  // Binds the window to the graph at Index: the caption becomes the kind's name, " - " and the
  // graph's title; results already shown stay.
  void Bind(fw::Integer Index);

  // The toolbar's work, also reached by its buttons and keys.
  void Search();
  void CopyBoundsOrResults();
  void PasteBounds();
  void ClearBoundsOrResults();
  void SetBoundsFromGraph(bool Left, bool Right);
  void SetBoundsFromAxis(bool Left, bool Right);
  // The pick toggles: Both false picks one bound (X1 when fedX1 has the focus, else X2).
  void TogglePick(bool Both);

  cs::TLxCsFloatEdit* fedX1 = nullptr;
  cs::TLxCsFloatEdit* fedX2 = nullptr;
  cs::TCsButton* butSearch = nullptr;
  cs::TCsButton* tbutPickPoint = nullptr;
  cs::TCsButton* tbutPickPoints = nullptr;
  fw::TStringGrid* Grid = nullptr;

 private:
  void BuildToolbar();
  void LayOutGrid();
  void FormClose(fw::TCloseAction& Action);

  TFindOpKind FKind;
  fw::Integer FGraphIndex = -1;
};

// One slot per kind (slot 2 unused); a window is made on first use and kept.
extern std::array<TwndFindOp*, 6> FindOpWindows;

// Nothing without graphs; else makes (first time) and shows the window of Kind, bound to GraphIndex.
void ShowFindOpWindow(TFindOpKind Kind, fw::Integer GraphIndex);
// Binds every open find window to GraphIndex.
void SetFindOpWindowsGraph(fw::Integer GraphIndex);
// Frees every find window.
void CloseFindOpWindows();
// Cancels the pick armed by Window, if it armed the one armed now.
void CancelFindOpPick(TwndFindOp* Window);

}  // namespace analysis
