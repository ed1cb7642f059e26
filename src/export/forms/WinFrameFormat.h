#pragma once
// The frame format dialog: the pen framing the chart's plot rectangle. Only OK writes the
// controls back into the pen; Cancel leaves it untouched.

#include "export/forms/PenControls.h"
#include "framework/Forms.h"

namespace chart {
class TChartPen;
}
namespace cs {
class TCsButton;
class TCsColorButton;
class TCsGroupBox;
class TCsPenButton;
}  // namespace cs

namespace kvforms {

class TwndFrameFormat : public fw::TForm {
 public:
  TwndFrameFormat(fw::TComponent* AOwner, chart::TChartPen& Frame);
  // The controls into the pen.
  void StoreFrame();

  cs::TCsGroupBox* gbxFrame = nullptr;
  cs::TCsCheckBox* CsCheckBox1 = nullptr;
  cs::TCsPenButton* CsPenButton1 = nullptr;
  cs::TCsSpinEdit* CsSpinEdit1 = nullptr;
  cs::TCsColorButton* CsColorButton1 = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butCancel = nullptr;
  TPenControls Pen;

 private:
  chart::TChartPen& FFrame;
};

// Shows the dialog modally on Frame; OK writes it. Answers the modal result. Freeing Holder
// (the chart or element the pen belongs to) while the dialog is open closes it as cancelled.
fw::Integer ShowFrameFormat(chart::TChartPen& Frame, fw::TComponent* Holder = nullptr);

}  // namespace kvforms
