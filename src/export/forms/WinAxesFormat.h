#pragma once
// The axis format dialog: title, line, position, grid and ticks, labels and scale of one chart
// axis. Apply and OK write into the axis; Cancel assigns it back from the copy taken at opening.

#include <memory>

#include "export/forms/PenControls.h"
#include "framework/Forms.h"

namespace chart {
class TChartAxis;
class TPlotFont;
}  // namespace chart
namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsSpinEdit;
class TFloatEdit;
}  // namespace cs
namespace fw {
class TMemo;
class TPageControl;
}  // namespace fw

namespace tx {
class TTxSubmenuItem;
}

namespace kvforms {

class TwndAxisFormat : public fw::TForm {
 public:
  TwndAxisFormat(fw::TComponent* AOwner, chart::TChartAxis& Axis);
  ~TwndAxisFormat() override;

  void Apply();
  // The axis as it was when the dialog opened.
  void RestoreAxis();
  // Each scale edit is enabled only while its automatic box is clear.
  void UpdateScaleEdits();

  fw::TPageControl* PageControl1 = nullptr;
  cs::TCsCheckBox* cbShowAxis = nullptr;
  fw::TMemo* memoTitle = nullptr;
  // The title templates submenu: a template chosen becomes the memo's text.
  tx::TTxSubmenuItem* itTemplates = nullptr;
  cs::TCsButton* butTitleFont = nullptr;
  cs::TCsSpinEdit* seTitleSize = nullptr;
  cs::TCsSpinEdit* seTitleAngle = nullptr;
  TPenControls AxisPen, GridPen, TicksPen, InnerTicksPen, MinorGridPen, MinorTicksPen;
  cs::TCsSpinEdit* seAxisPos = nullptr;
  cs::TCsSpinEdit* seAxisEnd = nullptr;
  cs::TCsSpinEdit* seAxisStart = nullptr;
  cs::TFloatEdit* fedStep = nullptr;
  cs::TCsSpinEdit* seOuterSize = nullptr;
  cs::TCsSpinEdit* seInnerSize = nullptr;
  cs::TCsSpinEdit* seMinorGridCount = nullptr;
  cs::TCsSpinEdit* seMinorTickSize = nullptr;
  cs::TCsCheckBox* cbLabShow = nullptr;
  cs::TCsSpinEdit* seLabSize = nullptr;
  cs::TCsSpinEdit* seLabAngle = nullptr;
  cs::TCsButton* butLabFont = nullptr;
  cs::TCsCheckBox* cbLabRound = nullptr;
  cs::TCsCheckBox* cbLabAxes = nullptr;
  cs::TCsCheckBox* cbLabMulti = nullptr;
  cs::TCsCheckBox* cbScAuto = nullptr;
  cs::TCsCheckBox* cbScMinAuto = nullptr;
  cs::TFloatEdit* fedScMin = nullptr;
  cs::TCsCheckBox* cbScMaxAuto = nullptr;
  cs::TFloatEdit* fedScMax = nullptr;
  cs::TCsCheckBox* cbScInverted = nullptr;
  cs::TCsCheckBox* cbScLog = nullptr;
  cs::TCsButton* butCancel = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butApply = nullptr;

 private:
  void BuildTitlePage(fw::TWinControl* Page);
  void BuildGridPage(fw::TWinControl* Page);
  void BuildLabelsPage(fw::TWinControl* Page);
  void LoadControls();
  void ShowFontDescriptions();
  chart::TChartAxis& FAxis;
  std::unique_ptr<chart::TChartAxis> FBackup;
  std::unique_ptr<chart::TPlotFont> FTitleFont, FLabelsFont;
};

// Shows the dialog modally on Axis and answers the modal result; any end but OK restores the
// axis.
fw::Integer ShowAxisFormat(chart::TChartAxis& Axis);

}  // namespace kvforms
