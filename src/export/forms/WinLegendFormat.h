#pragma once
// The legend format dialog. Apply and OK write the controls into the legend; Cancel reads back
// the snapshot taken when the dialog opened.

#include <memory>

#include "export/forms/PenControls.h"
#include "export/forms/ShadowControls.h"
#include "framework/Forms.h"

namespace chart {
class TChartLegend;
class TPlotFont;
}  // namespace chart
namespace cs {
class TCsButton;
class TCsColorButton;
class TCsCheckBox;
class TCsComboBox;
class TCsRadioButton;
class TCsSpinEdit;
}  // namespace cs
namespace workspace {
class TPropSaver;
}

namespace kvforms {

class TwndLegendFormat : public fw::TForm {
 public:
  TwndLegendFormat(fw::TComponent* AOwner, chart::TChartLegend& Legend);
  ~TwndLegendFormat() override;

  void Apply();
  // The legend as it was when the dialog opened.
  void RestoreLegend();
  // "Другое" enables the top and left spins and disables the margin and top position, any
  // other placement the reverse.
  void UpdatePlacement();

  cs::TCsCheckBox* cbShowLegend = nullptr;
  cs::TCsColorButton* itColor = nullptr;
  cs::TCsButton* itGradient = nullptr;
  cs::TCsRadioButton* itDirect = nullptr;
  cs::TCsRadioButton* itInverse = nullptr;
  cs::TCsSpinEdit* seSymbolWidth = nullptr;
  cs::TCsSpinEdit* seTransparency = nullptr;
  cs::TCsRadioButton* itViewSimple = nullptr;
  cs::TCsRadioButton* itViewFine = nullptr;
  cs::TCsRadioButton* itTextLeft = nullptr;
  cs::TCsRadioButton* itTextRight = nullptr;
  TPenControls FramePen, DividerPen;
  TShadowControls Shadow;
  cs::TCsRadioButton* itFrameSquare = nullptr;
  cs::TCsRadioButton* itFrameRound = nullptr;
  cs::TCsSpinEdit* seInterval = nullptr;
  cs::TCsSpinEdit* seShadowSize = nullptr;
  cs::TCsSpinEdit* seShadowTransp = nullptr;
  cs::TCsColorButton* itShadowColor = nullptr;
  cs::TCsRadioButton* itShadowSimple = nullptr;
  cs::TCsRadioButton* itShadowSmooth = nullptr;
  cs::TCsComboBox* cbxLayot = nullptr;
  cs::TCsSpinEdit* seMargin = nullptr;
  cs::TCsSpinEdit* seTopPos = nullptr;
  cs::TCsSpinEdit* seCoordTop = nullptr;
  cs::TCsSpinEdit* seCoordLeft = nullptr;
  cs::TCsButton* itFont = nullptr;
  cs::TCsButton* butCancel = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butApply = nullptr;
  // Held until Apply.
  fw::TColor BackColor = fw::clWhite;
  std::unique_ptr<chart::TPlotFont> WorkFont;

 private:
  void LoadControls();
  chart::TChartLegend& FLegend;
  std::unique_ptr<workspace::TPropSaver> FSnapshot;
};

// Shows the dialog modally on Legend and answers the modal result; any end but OK restores
// the legend.
fw::Integer ShowLegendFormat(chart::TChartLegend& Legend);

}  // namespace kvforms
