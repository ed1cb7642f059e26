// The chart grid: layout from the shown series, cell texts and drawing, editing and keys.
#include "chart/PlotChartGrid.h"

#include <algorithm>
#include <memory>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotConst.h"
#include "framework/DateTimeText.h"
#include "framework/Dialogs.h"
#include "framework/GraphicsCanvas.h"
#include "framework/StdCtrlsText.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/windows/WinUserTypes.h"

namespace chart {

namespace {
constexpr Integer kIndexColWidth = 30;
constexpr Integer kColorColWidth = 40;
constexpr Integer kHeaderRowHeight = 20;
// Room beside a cell's text: 2 pixels each side and the grid line.
constexpr Integer kTextMargin = 6;

Integer TextWidth(fw::TFont* Font, const String& Text) {
  return fw::MeasureControlText(Font, Text, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx;
}
}  // namespace

TCustomChartGrid::TCustomChartGrid(fw::TComponent* AOwner) : fw::TCustomGrid(AOwner) {
  SetGridLineWidth(1);
  SetDefaultRowHeight(16);
  SetColWidths(0, kIndexColWidth);
  SetRowHeights(0, kHeaderRowHeight);
  SetFixedCols(1);
  SetOptions(fw::TGridOptions{fw::goFixedVertLine, fw::goFixedHorzLine, fw::goVertLine, fw::goHorzLine,
                              fw::goRangeSelect, fw::goDrawFocusSelected, fw::goRowSizing, fw::goColSizing,
                              fw::goEditing, fw::goTabs, fw::goThumbTracking});
  Layout();
}

TCustomChartGrid::~TCustomChartGrid() { Listen(false); }

void TCustomChartGrid::Listen(bool On) {
  if (!On) {
    if (FListenChart) FListenChart->RemoveListener(this);
    if (FListenSeries) FListenSeries->RemoveListener(this);
    FListenChart = nullptr;
    FListenSeries = nullptr;
    return;
  }
  // A series on a chart is heard through its chart, which also tells of series coming and going.
  FListenChart = FSeries ? FSeries->ParentChart() : FChart;
  FListenSeries = FSeries && !FListenChart ? FSeries : nullptr;
  if (FListenChart) {
    FListenChart->AddListener(this);
    FListenChart->FreeNotification(this);  // a chart freed first is not called afterwards
  }
  if (FListenSeries) FListenSeries->AddListener(this);
}

void TCustomChartGrid::SetChart(TCustomAxisPanel* Value) {
  if (FChart == Value && !FSeries) return;
  Listen(false);
  if (FSeries) FSeries->RemoveFreeNotification(this);
  FSeries = nullptr;
  if (FChart) FChart->RemoveFreeNotification(this);
  FChart = Value;
  if (FChart) FChart->FreeNotification(this);
  Listen(true);
  Layout();
}

void TCustomChartGrid::SetSeries(TChartSeries* Value) {
  if (FSeries == Value) return;
  Listen(false);
  if (FChart) FChart->RemoveFreeNotification(this);
  FChart = nullptr;
  if (FSeries) FSeries->RemoveFreeNotification(this);
  FSeries = Value;
  if (FSeries) FSeries->FreeNotification(this);
  Listen(true);
  Layout();
}

void TCustomChartGrid::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TCustomGrid::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FSeries) {
    // Gone: nothing of it may be called any more.
    if (FListenSeries == FSeries) FListenSeries = nullptr;
    FSeries = nullptr;
    Listen(false);
    Layout();
  } else if (AComponent == FChart) {
    FListenChart = nullptr;
    FChart = nullptr;
    Listen(false);
    Layout();
  } else if (AComponent == FListenChart) {
    FListenChart = nullptr;
  }
}

void TCustomChartGrid::SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) {
  if (FSeries && Series != FSeries) return;
  if (Event == seRemove && Series == FSeries) {
    // The series left the chart the grid listened to: hear the series itself from now on.
    Listen(false);
    FListenSeries = FSeries;
    FSeries->AddListener(this);
  }
  if (Event == seChangeTitle || Event == seChangeColor || Event == seChangeActive)
    Invalidate();
  else
    Layout();
}

void TCustomChartGrid::SetShowColors(bool Value) {
  FShowColors = Value;
  Layout();
}

void TCustomChartGrid::SetShowLabels(bool Value) {
  FShowLabels = Value;
  Layout();
}

void TCustomChartGrid::SetShowXValues(TChartGridShow Value) {
  FShowXValues = Value;
  Layout();
}

void TCustomChartGrid::SetShowTitleRow(bool Value) {
  FShowTitleRow = Value;
  Layout();
}

std::vector<TChartSeries*> TCustomChartGrid::ShownSeries() const {
  if (FSeries) return {FSeries};
  if (FChart) return {FChart->SeriesList().begin(), FChart->SeriesList().end()};
  return {};
}

void TCustomChartGrid::Layout() {
  const Integer h = HeaderRows();
  FColumns.assign(1, TColumn{});
  Integer colorCol = -1;
  Integer rows = 0;
  if (FSeries || FChart) {
    if (FShowColors) {
      colorCol = Integer(FColumns.size());
      FColumns.push_back(TColumn{ckColors});
    }
    if (FShowLabels) FColumns.push_back(TColumn{ckLabels});
    for (TChartSeries* s : ShownSeries()) {
      const bool x = FShowXValues == cgsYes || (FShowXValues == cgsAuto && HasCustomXValues(s));
      bool first = true;
      for (Integer list = x ? 0 : 1; list < s->ValuesListCount(); ++list) {
        FColumns.push_back(TColumn{ckValues, s, list, first});
        first = false;
      }
      rows = std::max(rows, s->Count());
    }
  }
  FPointRows = rows;
  const Integer cols = Integer(FColumns.size());
  SetColCount(cols);
  SetRowCount(h + std::max<Integer>(rows, 1));
  SetFixedCols(std::min<Integer>(1, cols - 1));
  SetFixedRows(h);
  // The row numbers show whole (the values widen their columns as they are drawn).
  SetColWidths(0, std::max(kIndexColWidth, TextWidth(Font(), std::to_string(std::max<Integer>(rows - 1, 0))) + kTextMargin));
  if (colorCol > 0 && cols > 1) SetColWidths(colorCol, kColorColWidth);
  // The current cell stays out of the fixed column and the header.
  if ((Col() == 0 && cols > 1) || Row() < h) FocusCell(std::max<Integer>(Col(), cols > 1 ? 1 : 0), std::max(Row(), h), true);
  Invalidate();
}

const TCustomChartGrid::TColumn* TCustomChartGrid::Column(Integer ACol) const {
  return ACol >= 0 && ACol < Integer(FColumns.size()) ? &FColumns[std::size_t(ACol)] : nullptr;
}

TChartSeries* TCustomChartGrid::KeySeries(Integer ACol) const {
  const TColumn* c = Column(ACol);
  if (c && c->Kind == ckColors) c = Column(ACol + 1);
  if (c && c->Series) return c->Series;
  const std::vector<TChartSeries*> shown = ShownSeries();
  return shown.empty() ? nullptr : shown.front();
}

String TCustomChartGrid::ValueText(const TColumn& Column, Integer Index, bool Full) const {
  TChartSeries& s = *Column.Series;
  if (Index >= s.Count() || s.IsNullPoint(Index)) return {};
  const TChartValueList* list = s.ValueList(Column.List);
  const double v = list->Value(Index);
  // A time of day alone below 1; a negative value is a date before the base date and shows it,
  // so that the text read back is the same value.
  if (list->DateTime()) return v >= 0 && v < 1 ? fw::TimeToStr(v) : fw::DateTimeToStr(v);
  // The editor starts from every digit, and so does a cell while the series keeps the format it
  // started with (whose three decimals would hide what the value has); a format given to the
  // series is shown as given.
  return Full || s.ValueFormat() == DefaultValueFormat ? fw::FloatToStr(v) : s.FormatValue(v);
}

void TCustomChartGrid::Paint() {
  fw::TCustomGrid::Paint();
  // Columns too narrow for a value drawn widen now, outside the cells' drawing; the change
  // paints them again.
  std::vector<std::pair<Integer, Integer>> widen;
  widen.swap(FWiden);
  for (const auto& [col, width] : widen)
    if (col < ColCount() && width > ColWidths(col)) SetColWidths(col, width);
}

void TCustomChartGrid::CMFontChanged(fw::TMessage& Message) {
  fw::TCustomGrid::CMFontChanged(Message);
  Layout();
}

String TCustomChartGrid::CellText(Integer ACol, Integer ARow) const {
  const TColumn* c = Column(ACol);
  const Integer h = HeaderRows();
  if (!c || ARow < 0 || ARow >= RowCount()) return {};
  const Integer r = ARow - h;
  if (c->Kind == ckIndex) {
    if (ARow == h - 1) return "#";
    // Rows without a point have no number, unless the grid edits (the row to type the first in).
    const bool numbered = r >= 0 && (r < FPointRows || Options().Contains(fw::goEditing));
    return numbered ? std::to_string(r) : String();
  }
  if (ARow == h - 1) {
    if (c->Kind == ckLabels) return PlotMsg_Text;
    if (c->Kind == ckColors) return PlotMsg_Colors;
    return FShowTitleRow ? c->Series->ValueList(c->List)->Name() : String();
  }
  if (r < 0) return {};
  switch (c->Kind) {
    case ckLabels:
      for (TChartSeries* s : ShownSeries())
        if (s->Labels().Count() > r) return s->PointLabel(r);
      return {};
    case ckValues:
      return ValueText(*c, r, false);
    default:
      return {};
  }
}

void TCustomChartGrid::DrawCell(Integer ACol, Integer ARow, const fw::TRect& ARect, fw::TGridDrawState AState) {
  fw::TCanvas& canvas = *Canvas();
  const TColumn* c = Column(ACol);
  if (!c) return;
  if (AState.Contains(fw::gdFixed)) {
    canvas.Brush()->SetColor(FixedColor());
    canvas.FillRect(ARect);
  }
  const Integer h = HeaderRows();
  if (ARow == 0 && c->Kind == ckValues && (FShowTitleRow || !FSeries)) {
    // The series' symbol and name over its first column.
    if (!c->FirstOfSeries) return;
    TPlotCanvas3D symbol;
    symbol.SetReferenceCanvas(&canvas);
    c->Series->DrawLegendSymbol(symbol, win::RECT{ARect.left + 4, ARect.top + 4, ARect.left + 16, ARect.top + 16});
    canvas.Brush()->SetStyle(fw::bsClear);
    canvas.Font()->SetColor(Font()->Color());
    canvas.TextOut(ARect.left + 18, ARect.top + 4, SeriesDisplayName(c->Series, FChart ? &FChart->SeriesList() : nullptr));
    canvas.Brush()->SetStyle(fw::bsSolid);
    return;
  }
  if (ARow == 0 && c->Kind == ckValues) {  // one series without the title row: the list's name
    canvas.Brush()->SetStyle(fw::bsClear);
    canvas.TextOut(ARect.left + 18, ARect.top + 4, c->Series->ValueList(c->List)->Name());
    canvas.Brush()->SetStyle(fw::bsSolid);
    return;
  }
  if (c->Kind == ckColors && ARow >= h) {
    TChartSeries* s = KeySeries(ACol);
    const Integer r = ARow - h;
    const bool point = s && r < s->Count() && !s->IsNullPoint(r);
    canvas.Brush()->SetColor(point ? s->ValueColor(r) : Color());
    canvas.FillRect(ARect);
    return;
  }
  if (c->Kind == ckIndex && !AState.Contains(fw::gdFixed)) {
    // The number column looks fixed even when it is the only column (an empty grid).
    canvas.Brush()->SetColor(FixedColor());
    canvas.FillRect(ARect);
  }
  const String text = CellText(ACol, ARow);
  if (text.empty()) return;
  canvas.Brush()->SetStyle(fw::bsClear);
  if (c->Kind == ckLabels || c->Kind == ckColors) {
    canvas.TextOut(ARect.left + 2, ARect.top + 2, text);
  } else {
    const Integer width = canvas.TextWidth(text);
    canvas.TextOut(ARect.right - 2 - width, ARect.top + 2, text);
    if (c->Kind == ckValues && width + kTextMargin > ARect.right - ARect.left) FWiden.emplace_back(ACol, width + kTextMargin);
  }
  canvas.Brush()->SetStyle(fw::bsSolid);
}

bool TCustomChartGrid::SelectCell(Integer ACol, Integer ARow) {
  return ACol != 0 && ARow >= HeaderRows() && fw::TCustomGrid::SelectCell(ACol, ARow);
}

bool TCustomChartGrid::CanEditShow() {
  if (!Options().Contains(fw::goEditing) || Col() == 0 || Row() < HeaderRows()) return false;
  const TColumn* c = Column(Col());
  if (!c || c->Kind == ckColors) return false;
  // Points computed from data sources are not typed in.
  if (c->Series && (!c->Series->DataSources().empty() || c->Series->FunctionType())) return false;
  bool allow = true;
  if (OnEditingCell) OnEditingCell(this, Col(), Row(), allow);
  return allow && fw::TCustomGrid::CanEditShow();
}

String TCustomChartGrid::GetEditText(Integer ACol, Integer ARow) {
  const TColumn* c = Column(ACol);
  const Integer r = ARow - HeaderRows();
  if (!c || r < 0) return {};
  if (c->Kind == ckValues) return ValueText(*c, r, true);
  return CellText(ACol, ARow);
}

void TCustomChartGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  const TColumn* c = Column(ACol);
  const Integer r = ARow - HeaderRows();
  if (!c || r < 0 || c->Kind == ckIndex || c->Kind == ckColors) return;
  auto pad = [r](TChartSeries& s) {
    while (s.Count() <= r) s.AddNullValue();
  };
  if (c->Kind == ckLabels) {
    const std::vector<TChartSeries*> shown = ShownSeries();
    for (TChartSeries* s : shown) pad(*s);
    if (!shown.empty()) shown.front()->SetPointLabel(r, Value);
  } else {
    TChartSeries& s = *c->Series;
    const String text = fw::Trim(Value);
    // Converted before anything changes: a text that is no number (no date and time on a
    // date-time list), or one beyond the double's range, leaves the series as it was.
    TChartValueList* list = s.ValueList(c->List);
    // The date-time text shows whole seconds: committed unchanged, it keeps the value.
    const bool unchanged = list->DateTime() && !text.empty() && text == ValueText(*c, r, true);
    const double v = text.empty()      ? 0.0
                     : unchanged       ? list->Value(r)
                     : list->DateTime() ? fw::StrToDateTime(text)
                                        : fw::StrToDouble(text);
    pad(s);
    if (text.empty()) {
      s.SetPointColor(r, clNullPoint);
    } else {
      s.BeginUpdate();
      if (s.IsNullPoint(r)) s.SetPointColor(r, clTeeColor);
      list->SetValue(r, v);
      s.EndUpdate();
    }
    s.NotifyDataChanged();
    if (s.ParentChart()) s.ParentChart()->Invalidate();
  }
  fw::TCustomGrid::SetEditText(ACol, ARow, Value);
}

void TCustomChartGrid::SelectAll() {
  if (ColCount() < 2 || FPointRows == 0) return;
  SetSelection(fw::TGridRect{1, HeaderRows(), ColCount() - 1, RowCount() - 1});
}

void TCustomChartGrid::AppendRow() {
  if (!Options().Contains(fw::goEditing)) return;
  for (TChartSeries* s : ShownSeries()) s->AddNullValue();
  Layout();
  FocusCell(Col(), RowCount() - 1, true);
}

void TCustomChartGrid::EditColor() {
  TChartSeries* s = KeySeries(Col());
  const Integer r = Row() - HeaderRows();
  if (!s || r < 0 || r >= s->Count()) return;
  fw::TColorDialog dialog(this);
  dialog.SetColor(s->ValueColor(r));
  if (!dialog.Execute()) return;
  s->SetPointColor(r, dialog.Color());
  s->Repaint();
  InvalidateCell(Col(), Row());
  if (OnChangeColor) OnChangeColor(this);
}

void TCustomChartGrid::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Shift.Contains(fw::ssCtrl)) return fw::TCustomGrid::KeyDown(Key, Shift);
  const TColumn* c = Column(Col());
  const bool colors = c && c->Kind == ckColors;
  const bool lastRow = Row() == RowCount() - 1;
  const Integer r = Row() - HeaderRows();
  TChartSeries* s = KeySeries(Col());
  switch (Key) {
    case win::VK_RETURN:
    case win::VK_SPACE:
    case win::VK_F2:
      if (colors && Row() >= HeaderRows()) {
        EditColor();
        Key = 0;
        return;
      }
      break;
    case win::VK_UP:
      // An empty last row, still null and unlabelled, goes again.
      if (lastRow && s && r >= 0 && r < s->Count() && s->IsNullPoint(r) && s->PointLabel(r).empty()) {
        s->DeletePoint(r);
        Key = 0;
        return;
      }
      break;
    case win::VK_DOWN:
      if (lastRow) {
        if (Options().Contains(fw::goEditing) && s) {
          s->AddNullValue();
          FocusCell(Col(), RowCount() - 1, true);
        }
        Key = 0;
        return;
      }
      break;
    case win::VK_INSERT:
      AppendRow();
      Key = 0;
      return;
    case win::VK_DELETE:
      if (!EditorMode()) ShowEditor();
      break;
    default:
      break;
  }
  fw::TCustomGrid::KeyDown(Key, Shift);
}

void TCustomChartGrid::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  fw::TCustomGrid::MouseUp(Button, Shift, X, Y);
  const fw::TGridCoord cell = MouseCoord(X, Y);
  const TColumn* c = Column(cell.X);
  // A click on a column's header selects its data cells.
  if (EditorMode() || !c || c->Kind == ckIndex || cell.Y < 0 || cell.Y >= HeaderRows()) return;
  SetSelection(fw::TGridRect{cell.X, HeaderRows(), cell.X, RowCount() - 1});
}

TChartGrid::TChartGrid(fw::TComponent* AOwner) : TCustomChartGrid(AOwner) {}

TChartGrid::~TChartGrid() = default;

}  // namespace chart
