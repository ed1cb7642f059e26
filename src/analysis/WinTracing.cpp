#include "analysis/WinTracing.h"

#include <algorithm>

#include "analysis/DialogControls.h"
#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotToolsCursor.h"
#include "controls/CsButtons.h"
#include "controls/CsLayout.h"
#include "controls/FloatEdit.h"
#include "framework/StdCtrlsText.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiText.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace analysis {

chart::TCursorTool* TracingTool = nullptr;
TwndTracing* TracingWindow = nullptr;

namespace {
// The section's name is kept as the settings files have it.
constexpr const char* kSection = "TRASING_WINDOW";
}  // namespace

TwndTracing::TwndTracing(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndTracing", "Трассировка", 250, 20);
  SetBorderStyle(fw::bsToolWindow);
  SetFormStyle(fw::fsStayOnTop);
  SetPosition(fw::poDesigned);
  MakeLabel(this, u"X", {4, 6, 8, 10});
  fedX = MakeFloatEdit(this, "fedX", {12, 4, 60, 12});
  fw::TControl* labelY = MakeLabel(this, u"Y", {76, 6, 8, 10});
  fedY = MakeFloatEdit(this, "fedY", {84, 4, 60, 12});
  // The read-outs are as wide as the longest number the cursor can report (a sign, fifteen
  // digits and a three-digit exponent), so no digit hides past the edge.
  const fw::String longest = fw::String("-8") + fw::DecimalSeparator() + "88888888888888E-308";
  const fw::Integer needed = fw::MeasureControlText(fedX->Font(), longest, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx +
                             (fedX->Width() - fedX->ClientWidth()) + 8;
  const fw::Integer grow = std::max<fw::Integer>(0, needed - fedX->Width());
  fedX->SetWidth(fedX->Width() + grow);
  labelY->SetLeft(labelY->Left() + grow);
  fedY->SetBounds(fedY->Left() + grow, fedY->Top(), fedY->Width() + grow, fedY->Height());
  butCrossHair = MakeCheck(this, "butCrossHair", u"Перекрестье", {150, 5, 56, 10});
  butCrossHair->SetLeft(butCrossHair->Left() + 2 * grow);
  butCrossHair->SetHint(u"Показывать перекрестье");
  butCrossHair->SetShowHint(true);
  butClose = MakeButton(this, "butClose", u"Выкл.", fw::mrNone, {210, 3, 36, 14});
  // The button follows the check box's measured caption.
  butClose->SetLeft(std::max(butClose->Left(), cs::RightOf(butCrossHair) + TDialogLayout::X(2)));
  SetClientWidth(std::max(ClientWidth(), cs::RightOf(butClose) + TDialogLayout::X(4)));
  butClose->SetHint(u"Выключить трассировку");
  butClose->SetShowHint(true);

  workspace::TPropSaver store(kSection, true);
  // Never placed yet: inside the chart's top right corner, near what it traces.
  if (!store.ReadFormPosition(this) && chart::MainChart && chart::MainChart->HandleAllocated()) {
    constexpr fw::Integer kInset = 8;
    const fw::TPoint corner = chart::MainChart->ClientToScreen(fw::TPoint{chart::MainChart->ClientWidth(), 0});
    SetBounds(corner.x - Width() - kInset, corner.y + kInset, Width(), Height());
  }
  butCrossHair->SetChecked(store.ReadBool("ShowCrossHair", true));
  ApplyCrossHair();
  butCrossHair->OnClick = [this](fw::TObject*) { ApplyCrossHair(); };
  butClose->OnClick = [this](fw::TObject*) { Close(); };
  OnClose = [this](fw::TObject*, fw::TCloseAction& Action) { FormClose(Action); };
  if (TracingTool) TracingTool->SetActive(true);
}

TwndTracing::~TwndTracing() {
  if (TracingWindow == this) TracingWindow = nullptr;
}

void TwndTracing::ShowValues(double X, double Y) {
  fedX->SetValue(X);
  fedY->SetValue(Y);
}

void TwndTracing::ApplyCrossHair() {
  const bool on = butCrossHair->Checked();
  if (TracingTool) TracingTool->Pen()->SetVisible(on);
  if (chart::MainChart) {
    chart::MainChart->SetCursor(on ? fw::crCross : fw::crDefault);
    chart::MainChart->Invalidate();
  }
}

void TwndTracing::FormClose(fw::TCloseAction& Action) {
  Action = fw::caFree;
  TracingWindow = nullptr;
  if (chart::MainChart) chart::MainChart->SetCursor(fw::crDefault);
  if (TracingTool) TracingTool->SetActive(false);
  workspace::TPropSaver store(kSection, true);
  store.WriteFormPosition(this);
  store.WriteBool("ShowCrossHair", butCrossHair->Checked());
  workspace::KeepSettings(store);
}

void ToggleTracing() {
  if (!TracingWindow) TracingWindow = new TwndTracing(fw::Application);
  TracingWindow->Show();
}

}  // namespace analysis
