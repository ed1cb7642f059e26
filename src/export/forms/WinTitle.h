#pragma once
// The title format dialog: one of the chart's four titles, edited in place. Apply and OK write
// the controls into the title; Cancel reads back the snapshot taken when the dialog opened.

#include <memory>

#include "export/forms/AlignmentMenu.h"
#include "export/forms/PenControls.h"
#include "export/forms/ShadowControls.h"
#include "framework/Forms.h"

namespace chart {
class TChartTitle;
}
namespace cs {
class TCsButton;
class TCsColorButton;
class TCsCheckBox;
class TCsComboBox;
class TCsGroupBox;
class TCsPanel;
class TCsRadioButton;
class TCsSpinEdit;
}  // namespace cs
namespace fw {
class TMemo;
class TPageControl;
}  // namespace fw
namespace workspace {
class TPropSaver;
}

namespace tx {
class TTxItem;
class TTxSubmenuItem;
}  // namespace tx

namespace kvforms {

class TFontNameCombo;

class TwndTitle : public fw::TForm {
 public:
  TwndTitle(fw::TComponent* AOwner, chart::TChartTitle& Title);
  ~TwndTitle() override;

  // Every control into the title. A font size that is not an integer raises the conversion
  // error after text, visibility and font name are written; the rest is then left alone.
  void Apply();
  // The title as it was when the dialog opened.
  void RestoreTitle();
  // Enables the frame, colour and shadow controls for the fine view, the top and left spins
  // for a custom position.
  void UpdateEnabled();

  fw::TPageControl* PageControl1 = nullptr;
  cs::TCsCheckBox* cbShowTitle = nullptr;
  fw::TMemo* Memo1 = nullptr;
  TFontNameCombo* cbxFontName = nullptr;
  // The title templates submenu: a template chosen becomes the memo's text.
  tx::TTxSubmenuItem* itTemplates = nullptr;
  cs::TCsComboBox* cbxFontSize = nullptr;
  cs::TCsCheckBox* itFontBold = nullptr;
  cs::TCsCheckBox* itFontItalic = nullptr;
  cs::TCsCheckBox* itFontUnderline = nullptr;
  cs::TCsColorButton* itFontColor = nullptr;
  // The alignment submenu and its three entries (Alignment holds them together).
  TAlignmentMenu Alignment;
  tx::TTxSubmenuItem* itAlignment = nullptr;
  tx::TTxItem* itAlLeft = nullptr;
  tx::TTxItem* itAlCenter = nullptr;
  tx::TTxItem* itAlRight = nullptr;
  cs::TCsRadioButton* itViewSimple = nullptr;
  cs::TCsRadioButton* itViewFine = nullptr;
  cs::TCsSpinEdit* seTransparency = nullptr;
  cs::TCsColorButton* butColor = nullptr;
  // Paints a colour ramp in place of a caption; opens the gradient dialog on the title's gradient.
  cs::TCsButton* butGradient = nullptr;
  cs::TCsGroupBox* gbxFrame = nullptr;
  cs::TCsRadioButton* itFrameSquare = nullptr;
  cs::TCsRadioButton* itFrameRound = nullptr;
  cs::TCsRadioButton* itPosAuto = nullptr;
  cs::TCsRadioButton* itPosCustom = nullptr;
  cs::TCsSpinEdit* seCoordTop = nullptr;
  cs::TCsSpinEdit* seCoordLeft = nullptr;
  cs::TCsGroupBox* gbxShadow = nullptr;
  cs::TCsRadioButton* itShadowSimple = nullptr;
  cs::TCsRadioButton* itShadowSmooth = nullptr;
  cs::TCsColorButton* butShadowColor = nullptr;
  cs::TCsSpinEdit* seShadowSize = nullptr;
  cs::TCsSpinEdit* seShadowTransp = nullptr;
  cs::TCsButton* butCancel = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butApply = nullptr;
  TPenControls FramePen;
  TShadowControls Shadow;
  // Colours held until Apply.
  fw::TColor FontColor = fw::clBlack;
  fw::TColor BackColor = fw::clWhite;

 private:
  void BuildMainPage(fw::TWinControl* Page);
  void BuildExtraPage(fw::TWinControl* Page);
  void LoadControls();
  chart::TChartTitle& FTitle;
  std::unique_ptr<workspace::TPropSaver> FSnapshot;
};

// The window caption for Title by which of Chart's titles it is.
fw::String TitleCaption(const chart::TChartTitle& Title);
// Shows the dialog modally on Title and answers the modal result; any end but OK restores the
// title. The press that opened it goes no further in the chart.
fw::Integer ShowTitleFormat(chart::TChartTitle& Title);

}  // namespace kvforms
