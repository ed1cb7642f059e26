#pragma once
// A grid of the point values of one series, or of every series of a chart: one row per point
// index, one column per shown value list, with optional label and colour columns. It follows
// the series' events (points added, removed, changed) and, when editing is allowed, edits the
// values, the labels and the point colours.

#include <functional>
#include <utility>
#include <vector>

#include "chart/PlotEngine.h"
#include "framework/Grids.h"

namespace chart {

class TCustomAxisPanel;

enum TChartGridShow { cgsAuto, cgsNo, cgsYes };

using TEditingCellEvent = std::function<void(fw::TObject* Sender, Integer ACol, Integer ARow, bool& AllowEdit)>;

class TCustomChartGrid : public fw::TCustomGrid, private TChartSeriesListener {
 public:
  explicit TCustomChartGrid(fw::TComponent* AOwner);
  ~TCustomChartGrid() override;

  // Every series of this chart, in the chart's order.
  TCustomAxisPanel* Chart() const { return FChart; }
  void SetChart(TCustomAxisPanel* Value);
  // Only this series (clears Chart).
  TChartSeries* Series() const { return FSeries; }
  void SetSeries(TChartSeries* Value);
  bool ShowColors() const { return FShowColors; }
  void SetShowColors(bool Value);
  bool ShowLabels() const { return FShowLabels; }
  void SetShowLabels(bool Value);
  TChartGridShow ShowXValues() const { return FShowXValues; }
  void SetShowXValues(TChartGridShow Value);
  // Two header rows (series titles, then value-list names) instead of one.
  bool ShowTitleRow() const { return FShowTitleRow; }
  void SetShowTitleRow(bool Value);

  // The text of a cell as shown (and as the header reads). Values show every digit they need
  // (up to 15 significant ones) unless the series was given a value format of its own; a
  // column widens when a value drawn in it does not fit.
  String CellText(Integer ACol, Integer ARow) const;
  // All data cells of the value and label columns.
  void SelectAll();
  // With editing allowed: a null point at the end of the series (or of every series), its row
  // made current.
  void AppendRow();

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  fw::TNotifyEvent OnChangeColor;
  TEditingCellEvent OnEditingCell;

 protected:
  void DrawCell(Integer ACol, Integer ARow, const fw::TRect& ARect, fw::TGridDrawState AState) override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  bool CanEditShow() override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void CMFontChanged(fw::TMessage& Message) override;
  void Paint() override;

 private:
  enum TColumnKind { ckIndex, ckColors, ckLabels, ckValues };
  struct TColumn {
    TColumnKind Kind = ckIndex;
    TChartSeries* Series = nullptr;
    Integer List = 0;       // value list of the series
    bool FirstOfSeries = false;
  };

  void SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) override;
  void Listen(bool On);
  void Layout();
  Integer HeaderRows() const { return FShowTitleRow ? 2 : 1; }
  std::vector<TChartSeries*> ShownSeries() const;
  const TColumn* Column(Integer ACol) const;
  // The series the keys act on in a column: its own, or the next column's for the colour column.
  TChartSeries* KeySeries(Integer ACol) const;
  String ValueText(const TColumn& Column, Integer Index, bool Full) const;

  void EditColor();

  TCustomAxisPanel* FChart = nullptr;
  TChartSeries* FSeries = nullptr;
  // Where the grid listens: the chart, or the bound series itself.
  TCustomAxisPanel* FListenChart = nullptr;
  TChartSeries* FListenSeries = nullptr;
  bool FShowColors = false;
  bool FShowLabels = true;
  TChartGridShow FShowXValues = cgsAuto;
  bool FShowTitleRow = true;
  std::vector<TColumn> FColumns;
  // The largest point count of the shown series.
  Integer FPointRows = 0;
  // Columns whose drawn values wanted more room: (column, width).
  std::vector<std::pair<Integer, Integer>> FWiden;
};

// The grid with its properties published.
class TChartGrid : public TCustomChartGrid {
 public:
  explicit TChartGrid(fw::TComponent* AOwner);
  ~TChartGrid() override;
};

}  // namespace chart
