#pragma once
// The print dialog: the main chart on a preview of the page, with orientation, margins,
// proportional sizing, smoothing of the sheet, level of detail, copies and the printer; the
// choices are kept in the settings file's section "PRINT" whenever the chart is printed.

#include <memory>

#include "framework/Forms.h"

namespace fw {
class TPrinter;
}  // namespace fw
namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsGroupBox;
class TCsLabel;
class TCsRadioButton;
class TCsSpinEdit;
class TCsTrackBar;
}  // namespace cs
namespace chart {
class TChart;
class TMultiSelectorTool;
}  // namespace chart
namespace kvexport {
class TPlotPreviewPanel;
}

namespace kvforms {

class TwndPrint : public fw::TForm {
 public:
  // Binds the preview to Chart and loads section "PRINT" of the settings file; Selector (may be
  // nullptr) is off while the dialog shows.
  TwndPrint(fw::TComponent* AOwner, chart::TChart* Chart, chart::TMultiSelectorTool* Selector);
  ~TwndPrint() override;

  fw::TPrinter* Printer() const { return FPrinter.get(); }
  // Stores the choices in "PRINT", then prints the chart as previewed, once per copy. On the PDF
  // printer without a file name the file is asked for first (no print when that is cancelled).
  void butPrintClick();
  // Makes the printer of that place in the printer list current.
  void ChoosePrinter(fw::Integer Index);
  // "Принтер...": the printer set-up (queue, paper, orientation); on OK the caption names the
  // printer and the orientation buttons and the preview follow it.
  void SetUpPrinter();

  kvexport::TPlotPreviewPanel* p = nullptr;
  cs::TCsGroupBox* gbxOrient = nullptr;
  cs::TCsRadioButton* cbPortrait = nullptr;
  cs::TCsRadioButton* cbLandscape = nullptr;
  cs::TCsGroupBox* gbxMargin = nullptr;
  cs::TCsSpinEdit* seLeft = nullptr;
  cs::TCsSpinEdit* seTop = nullptr;
  cs::TCsSpinEdit* seRight = nullptr;
  cs::TCsSpinEdit* seBottom = nullptr;
  cs::TCsGroupBox* gbxOptions = nullptr;
  cs::TCsCheckBox* cbProportional = nullptr;
  cs::TCsCheckBox* cbShowMargins = nullptr;
  cs::TCsCheckBox* cbAsImage = nullptr;
  cs::TCsGroupBox* gbxCopy = nullptr;
  cs::TCsSpinEdit* seCopies = nullptr;
  cs::TCsGroupBox* gbxAux = nullptr;
  cs::TCsTrackBar* tbResolution = nullptr;
  cs::TCsLabel* labResolutionNormal = nullptr;
  cs::TCsButton* butPrinter = nullptr;
  cs::TCsButton* butPrint = nullptr;
  cs::TCsButton* butCancel = nullptr;

 protected:
  void DoShow() override;
  void DoClose(fw::TCloseAction& Action) override;

 private:
  void BuildControls();
  void LoadSettings();
  void AttachHandlers();
  void UpdateCaption();

  void OrientationClick();
  void ProportionalClick();
  void MarginChange(cs::TCsSpinEdit* Edit);
  void PreviewMarginsChanged(bool Changed);
  // The chart's margins into the four edits, their handlers held off.
  void ShowMargins();
  // The chart's proportional margins on the printer's page become its print margins.
  void ApplyProportionalMargins();
  void UncheckProportionalQuietly();
  void RestoreChart();

  chart::TChart* FChart;
  chart::TMultiSelectorTool* FSelector;
  std::unique_ptr<fw::TPrinter> FPrinter;
  fw::TRect FMargins{};  // the working copy of the chart's margins
  bool FChartChanged = false;
  fw::TColor FColor = 0, FWallColor = 0;
  bool FGradientVisible = false;
};

// Shows the print dialog modally on Chart.
void ShowPrintDialog(chart::TChart* Chart, chart::TMultiSelectorTool* Selector);

}  // namespace kvforms
