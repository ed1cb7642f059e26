#pragma once
// The series list: an owner-drawn list box with one row per series of a chart and four columns
// (type icon, active check box, colour symbol, title). It follows the chart's series events,
// switches series on and off, exchanges two series by dragging a row onto another, renames in
// place (F2), and, when allowed, deletes (Delete), recolours and retypes series.

#include <functional>

#include "chart/PlotEngine.h"
#include "framework/StdCtrlsList.h"

namespace chart {
class TCustomAxisPanel;
}
namespace fw {
class TEdit;
class TStrings;
}

namespace analysis {

using fw::Integer;
using fw::String;

enum TCheckBoxesStyle { cbsCheck, cbsRadio };

// Columns of a row, left to right.
enum TChartListBoxColumn { clbIcon = 0, clbActive = 1, clbColor = 2, clbTitle = 3 };

using TSeriesNotifyEvent = std::function<void(fw::TObject* Sender, chart::TChartSeries* Series)>;
using TChangeOrderEvent =
    std::function<void(fw::TObject* Sender, chart::TChartSeries* Series1, chart::TChartSeries* Series2)>;
using TDblClickSeriesEvent = std::function<void(fw::TObject* Sender, Integer Index)>;

class TChartListBox : public fw::TCustomListBox, private chart::TChartSeriesListener {
 public:
  explicit TChartListBox(fw::TComponent* AOwner);
  ~TChartListBox() override;

  // Detaches from the former chart, attaches and fills the rows (nullptr: no rows).
  chart::TCustomAxisPanel* Chart() const { return FChart; }
  void SetChart(chart::TCustomAxisPanel* Value);

  bool AllowAddSeries() const { return FAllowAddSeries; }
  void SetAllowAddSeries(bool Value) { FAllowAddSeries = Value; }
  bool AllowDeleteSeries() const { return FAllowDeleteSeries; }
  void SetAllowDeleteSeries(bool Value) { FAllowDeleteSeries = Value; }
  bool AskDelete() const { return FAskDelete; }
  void SetAskDelete(bool Value) { FAskDelete = Value; }
  bool EnableChangeColor() const { return FEnableChangeColor; }
  void SetEnableChangeColor(bool Value) { FEnableChangeColor = Value; }
  bool EnableDragSeries() const { return FEnableDragSeries; }
  void SetEnableDragSeries(bool Value) { FEnableDragSeries = Value; }
  bool EnableChangeType() const { return FEnableChangeType; }
  void SetEnableChangeType(bool Value) { FEnableChangeType = Value; }
  // Radio buttons leave only the first active series active.
  TCheckBoxesStyle CheckStyle() const { return FCheckStyle; }
  void SetCheckStyle(TCheckBoxesStyle Value);
  bool ShowSeriesIcon() const { return ColumnVisible(clbIcon); }
  void SetShowSeriesIcon(bool Value) { SetColumnVisible(clbIcon, Value); }
  bool ShowActiveCheck() const { return ColumnVisible(clbActive); }
  void SetShowActiveCheck(bool Value) { SetColumnVisible(clbActive, Value); }
  bool ShowSeriesColor() const { return ColumnVisible(clbColor); }
  void SetShowSeriesColor(bool Value) { SetColumnVisible(clbColor, Value); }
  bool ShowSeriesTitle() const { return ColumnVisible(clbTitle); }
  void SetShowSeriesTitle(bool Value) { SetColumnVisible(clbTitle, Value); }

  // The sum of the widths of the visible columns before Column.
  Integer SectionLeft(Integer Column) const;
  // Column is visible and left < X < left + width.
  bool PointInSection(const fw::TPoint& P, Integer Column) const;

  // A second list kept equal to the rows, text and series (for a chooser elsewhere that lists the
  // same series). Not owned: its holder sets nullptr before freeing it. Setting it copies the rows.
  fw::TStrings* OtherItems() const { return FOtherItems; }
  void SetOtherItems(fw::TStrings* Value);

  // Each row's series (nullptr outside the rows).
  chart::TChartSeries* SeriesAt(Integer Row);
  chart::TChartSeries* SelectedSeries();

  // Lists the chart's series by display name and selects Series' row (row 0 when it is not
  // listed), then OnOtherItemsChange and OnRefresh.
  void FillSeries(chart::TChartSeries* Series);
  // FillSeries keeping the selected series.
  void UpdateSeries();
  // Exchanges rows From and To and their series in the chart (through OnExchangeSeries when
  // set), then OnChangeOrder, and selects To.
  void MoveSeries(Integer From, Integer To);
  // Opens the title edit over the selected row (when titles are shown).
  void RenameSeries();
  // Frees the selected series after asking (AskDelete).
  void DeleteSeries();
  // The chart engine has no gallery or type-change hooks set: these do nothing.
  void AddSeries() {}
  void ChangeTypeSeries() {}

  Integer ItemIndex() override;
  void SelectAll() override;
  void SetParent(fw::TWinControl* AParent) override;

  // The in-place title edit (nullptr until the first rename).
  fw::TEdit* TitleEdit() const { return FEdit; }

  TSeriesNotifyEvent OnChangeActive;
  TSeriesNotifyEvent OnChangeColor;
  TSeriesNotifyEvent OnRemovedSeries;
  TChangeOrderEvent OnChangeOrder;
  TDblClickSeriesEvent OnDblClickSeries;
  // After the other-items list was refilled or one of its entries changed, and after each press.
  fw::TNotifyEvent OnOtherItemsChange;
  fw::TNotifyEvent OnRefresh;
  // Where a workspace keeps its own list of the chart's series: with these set, the list box
  // asks them to retitle or exchange series instead of changing the chart itself (the chart's
  // events bring the change back to the rows).
  std::function<void(chart::TChartSeries* Series, const String& Title)> OnSetSeriesTitle;
  std::function<void(chart::TChartSeries* Series1, chart::TChartSeries* Series2)> OnExchangeSeries;

 protected:
  void DrawItem(Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  struct TColumn {
    Integer Width;
    bool Visible;
  };
  void SeriesEvent(chart::TChartSeries* Series, chart::TChartSeriesEvent Event) override;
  bool ColumnVisible(Integer Column) const { return FColumns[Column].Visible; }
  void SetColumnVisible(Integer Column, bool Value);
  void ToggleActive(chart::TChartSeries* Series);
  void ChangeColor(chart::TChartSeries* Series);
  void EditKeyDown(fw::TObject* Sender, fw::Word& Key, fw::TShiftState Shift);
  void EditKeyPress(fw::TObject* Sender, char16_t& Key);
  // Stores the edit's text as the title (Store) or drops it; hides the edit either way. An
  // empty title is refused with a beep, the old one kept.
  void CloseEdit(bool Store);
  void DoRefresh();
  void OtherItemsChanged();
  // The rows copied into the other-items list.
  void CopyRowsToOtherItems();
  // A series added at the end of the chart's list, after the series the rows hold: one row is
  // appended, which leaves the list as refilling it would, without the refill's cost. False
  // when the rows and the chart differ otherwise.
  bool AppendRow(chart::TChartSeries* Series);

  chart::TCustomAxisPanel* FChart = nullptr;
  fw::TStrings* FOtherItems = nullptr;
  // Counts the refills, to see whether one followed an exchange.
  unsigned FFills = 0;
  TColumn FColumns[4] = {{26, true}, {16, true}, {26, true}, {216, true}};
  bool FAllowAddSeries = true;
  bool FAllowDeleteSeries = true;
  bool FAskDelete = true;
  bool FEnableChangeColor = true;
  bool FEnableDragSeries = true;
  bool FEnableChangeType = true;
  TCheckBoxesStyle FCheckStyle = cbsCheck;
  fw::TEdit* FEdit = nullptr;
  // The next press is the second of a double click: it starts no drag.
  bool FDblClicked = false;
  // The row a drag started on (-1: no drag), and where the last press was.
  Integer FDragRow = -1;
  fw::TPoint FPress{};
};

}  // namespace analysis
