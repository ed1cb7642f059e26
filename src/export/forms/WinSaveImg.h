#pragma once
// The save-image dialog: the picture's size (with a lock keeping its proportions) and the
// options of the chosen format in a box of its own. SaveChartImage is the chart's one way to a
// picture file through it.

#include "framework/Forms.h"

namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsComboBox;
class TCsGroupBox;
class TCsRadioButton;
class TCsSpinEdit;
}  // namespace cs
namespace chart {
class TMultiSelectorTool;
}
namespace kvexport {
class TKvPlotExportFormat;
}

namespace kvforms {

class TwndSaveImg : public fw::TForm {
 public:
  explicit TwndSaveImg(fw::TComponent* AOwner);

  // Shows the box of the format named by Ext (the lower-case extension with its dot) with
  // Format's options in it, and the client height that fits it. Other extensions, ".jpeg"
  // among them, show the size box alone.
  void LoadFormat(const fw::String& Ext, const kvexport::TKvPlotExportFormat& Format);
  // The size (fitted first, as FitSize) and the options of that box back into Format.
  void ReadFormat(const fw::String& Ext, kvexport::TKvPlotExportFormat& Format);
  // Brings a size typed past a field's limits within them, as each field is left and on OK, and
  // shows what will be saved: each field clamped alone, or with the lock on both shrunk by one
  // factor so the proportion stays. A number past the integer range counts at its size; text
  // that is no number reads as the field reads it (0, the chart's own size).
  void FitSize();

  // Colour of the theme, and the lock's starting proportion from the two size edits.
  void FormShow();
  void seWidthChange();
  void seHeightChange();

  cs::TCsGroupBox* CsGroupBox3 = nullptr;
  cs::TCsSpinEdit* seWidth = nullptr;
  cs::TCsSpinEdit* seHeight = nullptr;
  cs::TCsCheckBox* cbProportional = nullptr;
  cs::TCsGroupBox* gbxBMP = nullptr;
  cs::TCsComboBox* cbxPixelFormat = nullptr;
  cs::TCsCheckBox* cbMonochrome = nullptr;
  cs::TCsGroupBox* gbxJPEG = nullptr;
  cs::TCsRadioButton* rgQuality = nullptr;
  cs::TCsRadioButton* rbSpeed = nullptr;
  cs::TCsSpinEdit* seQuality = nullptr;
  cs::TCsCheckBox* cbGrayScale = nullptr;
  cs::TCsGroupBox* gbxGIF = nullptr;
  cs::TCsRadioButton* rbLZW = nullptr;
  cs::TCsRadioButton* rbRLE = nullptr;
  cs::TCsComboBox* cbxDitherMode = nullptr;
  cs::TCsComboBox* cbxColorReduction = nullptr;
  cs::TCsGroupBox* gbxSVG = nullptr;
  cs::TCsCheckBox* cbAntiAlias = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butCancel = nullptr;

 protected:
  void DoShow() override;

 private:
  // With the lock on, sets Target to Source x TargetPart / SourcePart in whole pixels (at least 1
  // for a Source of at least 1), past its limit too until FitSize (Target's own handler held
  // off); with it off, the two values become the proportion the lock keeps. The proportion is a
  // pair of values seen, never the edits' values while the lock holds: typed digit by digit, a
  // width passes through 1, 13, 138 on its way to 1380, and a ratio taken from those rounded
  // steps would drift to a square. A pair with a 0 or a negative size gives no proportion and the
  // last one stays.
  void KeepProportion(cs::TCsSpinEdit* Source, cs::TCsSpinEdit* Target, fw::Extended& SourcePart,
                      fw::Extended& TargetPart);
  fw::Extended FLastWidth = 0;
  fw::Extended FLastHeight = 0;
};

// Saves the main chart as the picture FileName names by its extension, after the dialog's OK:
// the chart white, without its gradient and with Selector (may be nullptr) off for the whole
// time, restored (the selector on) in every case. A finished save shows the balloon
// "Сохранение завершено". An extension of no picture format raises "Неподдерживаемый формат
// изображения".
void SaveChartImage(const fw::String& FileName, chart::TMultiSelectorTool* Selector);

}  // namespace kvforms
