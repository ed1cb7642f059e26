#include "export/forms/WinFrameFormat.h"

#include <memory>

#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/DialogControls.h"
#include "export/forms/TargetWatch.h"
#include "framework/Graphics.h"
#include "workspace/Common.h"

namespace kvforms {

TwndFrameFormat::TwndFrameFormat(fw::TComponent* AOwner, chart::TChartPen& Frame)
    : fw::TForm(AOwner), FFrame(Frame) {
  SetName("wndFrameFormat");
  SetCaption("Формат рамки");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(220);
  SetClientHeight(168);
  SetColor(workspace::GetThemeFormColor());

  gbxFrame = MakeGroupBox(this, "gbxFrame", "Рамка", {6, 4, 208, 124});
  CsCheckBox1 = MakeCheckBox(gbxFrame, "CsCheckBox1", "Отображать", {10, 18, 120, 17});
  MakeLabel(gbxFrame, "Стиль", {10, 44, 60, 14});
  CsPenButton1 = MakePenStyleButton(gbxFrame, "CsPenButton1", {76, 40, 124, 21});
  MakeLabel(gbxFrame, "Толщина", {10, 70, 60, 14});
  CsSpinEdit1 = MakeSpinEdit(gbxFrame, "CsSpinEdit1", 20, {76, 66, 60, 21});
  CsSpinEdit1->SetMinValue(1);
  MakeLabel(gbxFrame, "Цвет", {10, 96, 60, 14});
  CsColorButton1 = MakeColorButton(gbxFrame, "CsColorButton1", {76, 92, 76, 21},
                                   [this](fw::TColor Value) { Pen.Color = Value; });

  const fw::Integer top = ClientHeight() - 32;
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {40, top, 80, 25});
  butOk->SetDefault(true);
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {130, top, 80, 25});
  butCancel->SetCancel(true);

  Pen = TPenControls{CsCheckBox1, CsPenButton1, CsSpinEdit1, CsColorButton1, nullptr};
  SyncPenControls(Pen, FFrame, true);
}

void TwndFrameFormat::StoreFrame() { SyncPenControls(Pen, FFrame, false); }

fw::Integer ShowFrameFormat(chart::TChartPen& Frame, fw::TComponent* Holder) {
  std::unique_ptr<TwndFrameFormat> dialog(new TwndFrameFormat(fw::Application, Frame));
  auto* watch = new TTargetWatch(dialog.get());
  watch->Watch(Holder);
  const fw::Integer result = dialog->ShowModal();
  if (watch->Gone()) return fw::mrCancel;
  if (result == fw::mrOk) dialog->StoreFrame();
  return result;
}

}  // namespace kvforms
