#include "analysis/PlotToolEditors.h"

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "chart/Chart.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotEngine.h"
#include "chart/PlotPenDlg.h"
#include "chart/PlotTools.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "framework/StringList.h"

namespace analysis {

namespace {

cs::TCsComboBox* MakeDropDown(fw::TWinControl* Parent, const char* Name, TUnits At) {
  auto* combo = new cs::TCsComboBox(Parent);
  combo->SetName(Name);
  TDialogLayout::Place(combo, Parent, At.Left, At.Top, At.Width, At.Height);
  combo->SetStyle(fw::csDropDownList);
  return combo;
}

// The items as UTF-8 text, the view the chart's helpers fill.
fw::TStrings* ItemsOf(fw::TCustomComboBox* Combo) { return Combo->Items(); }

}  // namespace

TSeriesToolEditor::TSeriesToolEditor(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "SeriesToolEditor", "", 160, 84);
  LabelSeries = MakeLabel(this, u"&Series:", {6, 8, 40, 10});
  CBSeries = MakeDropDown(this, "CBSeries", {48, 6, 100, 12});
  CBSeries->OnChange = [this](fw::TObject* Sender) { CBSeriesChange(Sender); };
}

void TSeriesToolEditor::SetTool(chart::TPlotCustomToolSeries* Value) {
  FTool = Value;
  ItemsOf(CBSeries)->Clear();
  chart::TCustomAxisPanel* chart = FTool ? FTool->ParentChart() : nullptr;
  if (chart) chart::ListSeriesInStrings(ItemsOf(CBSeries), chart->SeriesList());
  CBSeries->SetItemIndex(FTool && FTool->Series() ? ItemsOf(CBSeries)->IndexOfObject(FTool->Series()) : -1);
  ToolChanged();
}

void TSeriesToolEditor::CBSeriesChange(fw::TObject*) {
  if (!FTool) return;
  const fw::Integer index = CBSeries->ItemIndex();
  FTool->SetSeries(index < 0 ? nullptr : static_cast<chart::TChartSeries*>(ItemsOf(CBSeries)->Objects(index)));
  ToolChanged();
}

TDragPointToolEdit::TDragPointToolEdit(fw::TComponent* AOwner) : TSeriesToolEditor(AOwner) {
  SetName("DragPointToolEdit");
  RGDragStyle = MakeGroup(this, u"Drag Style:", {6, 24, 66, 52});
  RBX = MakeRadio(RGDragStyle, "RBX", u"&X", {8, 12, 44, 10});
  RBY = MakeRadio(RGDragStyle, "RBY", u"&Y", {8, 24, 44, 10});
  RBBoth = MakeRadio(RGDragStyle, "RBBoth", u"&Both", {8, 36, 44, 10});
  for (cs::TCsRadioButton* radio : {RBX, RBY, RBBoth})
    radio->OnClick = [this](fw::TObject* Sender) { RadioClick(Sender); };
  LabelCursor = MakeLabel(this, u"&Cursor:", {78, 28, 40, 10});
  CBCursor = MakeDropDown(this, "CBCursor", {78, 40, 70, 12});
  CBCursor->OnChange = [this](fw::TObject* Sender) { CBCursorChange(Sender); };
  ToolChanged();
}

chart::TDragPointTool* TDragPointToolEdit::DragTool() const { return dynamic_cast<chart::TDragPointTool*>(Tool()); }

void TDragPointToolEdit::ToolChanged() {
  chart::TDragPointTool* tool = DragTool();
  const chart::TDragPointStyle style = tool ? tool->DragStyle() : chart::dsBoth;
  RBX->SetChecked(style == chart::dsX);
  RBY->SetChecked(style == chart::dsY);
  RBBoth->SetChecked(style == chart::dsBoth);
  chart::TChartSeries* series = tool ? tool->Series() : nullptr;
  ItemsOf(CBCursor)->Clear();
  if (series) chart::FillCursorList(*CBCursor, series->Cursor());
  CBCursor->SetEnabled(series != nullptr);
}

void TDragPointToolEdit::RadioClick(fw::TObject* Sender) {
  chart::TDragPointTool* tool = DragTool();
  auto* radio = static_cast<cs::TCsRadioButton*>(Sender);
  if (!tool || !radio->Checked()) return;
  tool->SetDragStyle(radio == RBX ? chart::dsX : radio == RBY ? chart::dsY : chart::dsBoth);
}

void TDragPointToolEdit::CBCursorChange(fw::TObject*) {
  chart::TDragPointTool* tool = DragTool();
  chart::TChartSeries* series = tool ? tool->Series() : nullptr;
  const fw::Integer index = CBCursor->ItemIndex();
  if (!series || index < 0) return;
  series->SetCursor(chart::CursorFromName(series->Cursor(), ItemsOf(CBCursor)->Strings(index)));
}

void RegisterToolEditorForms() { fw::RegisterClass<TDragPointToolEdit>(); }

void UnRegisterToolEditorForms() { fw::UnRegisterClassName("TDragPointToolEdit"); }

}  // namespace analysis
