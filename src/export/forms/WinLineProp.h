#pragma once
// The line properties dialog: the line pen, legend entry and point markers of the selected
// graphs' series, or of the current graph's when none is selected. Apply writes the controls
// into every one of them; Cancel reads each back from the snapshot taken when the dialog opened.

#include <memory>
#include <vector>

#include "export/forms/PenControls.h"
#include "export/forms/PointStyleButton.h"
#include "framework/Forms.h"

namespace chart {
class TCustomSeries;
}
namespace cs {
class TCsButton;
class TCsColorButton;
class TCsCheckBox;
class TCsComboBox;
class TCsGroupBox;
class TCsPanel;
class TCsSpinEdit;
}  // namespace cs
namespace tx {
class TTxPopupMenu;
}
namespace workspace {
class TGraph;
class TGraphCollection;
class TPropSaver;
}  // namespace workspace

namespace kvforms {

class TwndLineProp : public fw::TForm {
 public:
  // Targets: the series edited, the first one loading the controls; Selected tells whether they
  // are a selection (snapshot sections "SERIES0", "SERIES1", ...) or the current graph's
  // series alone ("SERIES").
  // The controls show Current (the current graph's series; the first target when none is given).
  TwndLineProp(fw::TComponent* AOwner, std::vector<chart::TCustomSeries*> Targets, bool Selected,
               chart::TCustomSeries* Current = nullptr);
  ~TwndLineProp() override;

  void Apply();
  // Every target as it was when the dialog opened.
  void Restore();
  // Series, freed while the dialog is open, is neither written nor restored again.
  void Forget(const fw::TComponent* Series);

  cs::TCsGroupBox* gbxLinePen = nullptr;
  TPenControls LinePen;
  cs::TCsCheckBox* cbShowInLegend = nullptr;
  cs::TCsCheckBox* cbPointVisible = nullptr;
  // Shows the chosen marker's picture; its menu pmPointers offers the nine markers (square,
  // circle, two triangles, cross, diagonal cross, star, diamond, dot), the chosen entry's image
  // index being the marker style.
  TPointStyleButton PointStyle;
  cs::TCsButton* butPointStyle = nullptr;
  tx::TTxPopupMenu* pmPointers = nullptr;
  cs::TCsSpinEdit* sePointSizeH = nullptr;
  cs::TCsSpinEdit* sePointSizeV = nullptr;
  cs::TCsColorButton* butColorMarker = nullptr;
  cs::TCsGroupBox* gbxMarkerFrame = nullptr;
  TPenControls MarkerPen;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butCancel = nullptr;
  cs::TCsButton* butApply = nullptr;
  // The marker colour, held until Apply.
  fw::TColor MarkerColor = fw::clBlack;

 private:
  void SetMarkerColor(fw::TColor Value);
  std::vector<chart::TCustomSeries*> FTargets;
  bool FSelected;
  std::unique_ptr<workspace::TPropSaver> FSnapshot;
};

// The graphs the dialog edits: the selected ones, or the current one when none is selected (only
// those whose series has a line and markers). Empty: there is nothing for the command to do.
std::vector<workspace::TGraph*> LinePropGraphs(const workspace::TGraphCollection& Graphs);

// Shows the dialog modally on the selected graphs' series, or the current graph's; nothing
// when there is neither. OK records one undo entry per changed graph holding its former format;
// any end but OK restores the series. Answers the modal result (mrNone when nothing was shown).
fw::Integer ShowLineProp(workspace::TGraphCollection& Graphs);

}  // namespace kvforms
