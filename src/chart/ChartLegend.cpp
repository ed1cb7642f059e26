#include "chart/ChartLegend.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotEngine.h"

namespace chart {

namespace {

struct Metrics {
  Integer symbol, gap, height, spacing, hMargin, vMargin;
  // Height of a box holding Rows rows.
  Integer BoxHeight(Integer Rows) const { return 2 * LegendPadY + Rows * height + (Rows - 1) * spacing; }
  // How many rows fit in Height pixels.
  Integer RowsIn(Integer Height) const {
    const Integer usable = Height - 2 * LegendPadY + spacing;
    return usable <= 0 ? 0 : usable / (height + spacing);
  }
};

// Sizes beyond any screen are cut, so the arithmetic below stays far from overflowing.
constexpr Integer kMaxSize = 1 << 16, kMaxTextWidth = 1 << 20;

Metrics MetricsOf(const TLegendLayoutParams& P) {
  return Metrics{std::clamp(P.SymbolWidth, 0, kMaxSize), LegendSymbolGap, std::clamp(P.TextHeight, 1, kMaxSize),
                 std::clamp(P.VertSpacing, 0, kMaxSize),  std::clamp(P.HorizMargin, 0, kMaxSize),
                 std::clamp(P.VertMargin, 0, kMaxSize)};
}

// Fills the symbol and text places of an item whose rectangle is set.
void PlaceInside(TLegendItemPlace& Place, const Metrics& M, TLegendSymbolPosition Position, Integer TextWidth) {
  const win::RECT& r = Place.Rect;
  if (Position == spRight) {
    Place.Symbol = win::RECT{r.right - M.symbol, r.top, r.right, r.bottom};
    Place.Text = win::POINT{r.left, r.top};
  } else {
    Place.Symbol = win::RECT{r.left, r.top, r.left + M.symbol, r.bottom};
    Place.Text = win::POINT{r.left + M.symbol + M.gap, r.top};
  }
  Place.TextWidth = TextWidth;
}

std::vector<Integer> DisplayOrder(Integer Count, bool Inverted) {
  std::vector<Integer> order(std::size_t(std::max(Count, 0)));
  for (Integer i = 0; i < Count; ++i) order[std::size_t(i)] = Inverted ? Count - 1 - i : i;
  return order;
}

TLegendLayout LayoutColumn(const TLegendLayoutParams& P, const Metrics& M, const std::vector<Integer>& Widths,
                           win::RECT& R) {
  TLegendLayout out;
  const Integer count = Integer(Widths.size());
  const Integer chartW = R.right - R.left, chartH = R.bottom - R.top;
  Integer widest = 0;
  for (Integer w : Widths) widest = std::max(widest, w);
  Integer boxW = 2 * LegendPadX + M.symbol + M.gap + widest;
  if (!P.CustomPosition) boxW = std::min(boxW, chartW / 2);
  if (boxW <= 2 * LegendPadX) return out;

  Integer rows = count, left = 0, top = 0;
  if (P.CustomPosition) {
    left = P.CustomTopLeft.x;
    top = P.CustomTopLeft.y;
  } else {
    top = R.top + Integer(std::int64_t(chartH) * std::clamp(P.TopPos, 0, 100) / 100);
    if (M.BoxHeight(count) > R.bottom - top) top = std::max(R.top, R.bottom - M.BoxHeight(count));
    rows = std::min(count, M.RowsIn(R.bottom - top));
    if (rows <= 0) return out;
    left = P.Alignment == laLeft ? R.left + M.hMargin : R.right - M.hMargin - boxW;
  }
  out.Box = win::RECT{left, top, left + boxW, top + M.BoxHeight(rows)};
  out.Rows = rows;
  const std::vector<Integer> order = DisplayOrder(count, P.Inverted);
  for (Integer k = 0; k < rows; ++k) {
    TLegendItemPlace place;
    place.Item = order[std::size_t(k)];
    place.Row = k;
    const Integer y = top + LegendPadY + k * (M.height + M.spacing);
    place.Rect = win::RECT{left + LegendPadX, y, out.Box.right - LegendPadX, y + M.height};
    PlaceInside(place, M, P.SymbolPosition, Widths[std::size_t(place.Item)]);
    out.Items.push_back(place);
  }
  if (!P.CustomPosition && P.ResizeChart) {
    if (P.Alignment == laLeft)
      R.left = std::min(out.Box.right + M.hMargin, R.right);
    else
      R.right = std::max(out.Box.left - M.hMargin, R.left);
  }
  return out;
}

TLegendLayout LayoutRows(const TLegendLayoutParams& P, const Metrics& M, const std::vector<Integer>& Widths,
                         win::RECT& R) {
  TLegendLayout out;
  const Integer count = Integer(Widths.size());
  const Integer chartW = R.right - R.left, chartH = R.bottom - R.top;
  const Integer maxRowW = chartW - 2 * M.hMargin - 2 * LegendPadX;
  if (maxRowW <= 0) return out;

  // Items flow left to right; x and row of each, relative to the first row's left end.
  const std::vector<Integer> order = DisplayOrder(count, P.Inverted);
  std::vector<Integer> xs, ws, rowOf;
  std::vector<Integer> rowWidths;
  Integer x = 0;
  for (Integer k = 0; k < count; ++k) {
    const Integer w = std::min(M.symbol + M.gap + Widths[std::size_t(order[std::size_t(k)])], maxRowW);
    if (rowWidths.empty() || x + LegendColumnGap + w > maxRowW) {
      rowWidths.push_back(0);
      x = 0;
    } else {
      x += LegendColumnGap;
    }
    xs.push_back(x);
    ws.push_back(w);
    rowOf.push_back(Integer(rowWidths.size()) - 1);
    x += w;
    rowWidths.back() = x;
  }
  Integer rows = Integer(rowWidths.size());
  if (!P.CustomPosition) rows = std::min(rows, M.RowsIn(chartH / 2));
  if (rows <= 0) return out;

  const Integer innerW = *std::max_element(rowWidths.begin(), rowWidths.begin() + rows);
  const Integer boxW = innerW + 2 * LegendPadX, boxH = M.BoxHeight(rows);
  Integer left = 0, top = 0;
  if (P.CustomPosition) {
    left = P.CustomTopLeft.x;
    top = P.CustomTopLeft.y;
  } else {
    left = R.left + (chartW - boxW) / 2;
    top = P.Alignment == laTop ? R.top + M.vMargin : R.bottom - M.vMargin - boxH;
  }
  out.Box = win::RECT{left, top, left + boxW, top + boxH};
  out.Rows = rows;
  for (Integer k = 0; k < count && rowOf[std::size_t(k)] < rows; ++k) {
    TLegendItemPlace place;
    place.Item = order[std::size_t(k)];
    place.Row = rowOf[std::size_t(k)];
    const Integer itemLeft = left + LegendPadX + xs[std::size_t(k)];
    const Integer y = top + LegendPadY + place.Row * (M.height + M.spacing);
    place.Rect = win::RECT{itemLeft, y, itemLeft + ws[std::size_t(k)], y + M.height};
    PlaceInside(place, M, P.SymbolPosition, Widths[std::size_t(place.Item)]);
    out.Items.push_back(place);
  }
  if (!P.CustomPosition && P.ResizeChart) {
    if (P.Alignment == laTop)
      R.top = std::min(out.Box.bottom + M.vMargin, R.bottom);
    else
      R.bottom = std::max(out.Box.top - M.vMargin, R.top);
  }
  return out;
}

}  // namespace

TLegendLayout LayoutLegend(const TLegendLayoutParams& Params, const std::vector<Integer>& TextWidths,
                           win::RECT& ChartRect) {
  if (TextWidths.empty()) return {};
  std::vector<Integer> widths(TextWidths);
  for (Integer& w : widths) w = std::clamp(w, 0, kMaxTextWidth);
  const Metrics m = MetricsOf(Params);
  if (Params.Alignment == laTop || Params.Alignment == laBottom) return LayoutRows(Params, m, widths, ChartRect);
  return LayoutColumn(Params, m, widths, ChartRect);
}

}  // namespace chart

namespace chart {

TChartLegend::TChartLegend(fw::TComponent* AOwner)
    : TPlotCustomShapePosition(AOwner), FDividingLines(std::make_unique<TChartPen>()) {
  FDividingLines->SetVisible(false);
  FDividingLines->OnChange = [this](fw::TObject*) { Changed(); };
}

TChartLegend::~TChartLegend() = default;

void TChartLegend::Changed() { InvalidateChart(); }

void TChartLegend::SetAlignment(TLegendAlignment Value) {
  if (Value < laLeft || Value > laBottom || FParams.Alignment == Value) return;
  FParams.Alignment = Value;
  Changed();
}

void TChartLegend::SetInverted(bool Value) {
  if (FParams.Inverted == Value) return;
  FParams.Inverted = Value;
  Changed();
}

void TChartLegend::SetSymbolWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (FParams.SymbolWidth == Value) return;
  FParams.SymbolWidth = Value;
  Changed();
}

void TChartLegend::SetSymbolPosition(TLegendSymbolPosition Value) {
  if ((Value != spLeft && Value != spRight) || FParams.SymbolPosition == Value) return;
  FParams.SymbolPosition = Value;
  Changed();
}

void TChartLegend::SetVertSpacing(Integer Value) {
  Value = std::max(Value, 0);
  if (FParams.VertSpacing == Value) return;
  FParams.VertSpacing = Value;
  Changed();
}

void TChartLegend::SetHorizMargin(Integer Value) {
  Value = std::max(Value, 0);
  if (FParams.HorizMargin == Value) return;
  FParams.HorizMargin = Value;
  Changed();
}

void TChartLegend::SetVertMargin(Integer Value) {
  Value = std::max(Value, 0);
  if (FParams.VertMargin == Value) return;
  FParams.VertMargin = Value;
  Changed();
}

void TChartLegend::SetTopPos(Integer Value) {
  Value = std::clamp(Value, 0, 100);
  if (FParams.TopPos == Value) return;
  FParams.TopPos = Value;
  Changed();
}

void TChartLegend::SetResizeChart(bool Value) {
  if (FParams.ResizeChart == Value) return;
  FParams.ResizeChart = Value;
  Changed();
}

TChartSeries* TChartLegend::ItemSeries(Integer Item) const {
  if (Item < 0 || Item >= ItemCount()) return nullptr;
  TChartSeries* series = FItems[std::size_t(Item)];
  // A series taken off the chart since the layout may be gone: only listed ones are handed out.
  const TCustomAxisPanel* chart = ParentChart();
  return chart && chart->SeriesList().IndexOf(series) >= 0 ? series : nullptr;
}

void TChartLegend::CollectItems() {
  FItems.clear();
  FTexts.clear();
  const TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  const TChartSeriesList& list = chart->SeriesList();
  for (TChartSeries* series : list) {
    if (!series || !series->Active() || !series->ShowInLegend()) continue;
    FItems.push_back(series);
    FTexts.push_back(SeriesDisplayName(series, &list));
  }
}

void TChartLegend::CalcRect(TPlotCanvas3D& Canvas, win::RECT& ChartRect) {
  const win::RECT previous = ShapeBounds();
  FLayout = {};
  CollectItems();
  if (Visible() && !FItems.empty()) {
    TPlotFont saved;
    saved.Assign(Canvas.Font());
    Canvas.Font()->Assign(Font());
    std::vector<Integer> widths;
    widths.reserve(FTexts.size());
    for (const fw::String& text : FTexts) widths.push_back(Canvas.TextWidth(text));
    FParams.TextHeight = Canvas.TextHeight("W");
    Canvas.Font()->Assign(&saved);
    FParams.CustomPosition = CustomPosition();
    FParams.CustomTopLeft = win::POINT{previous.left, previous.top};
    FLayout = LayoutLegend(FParams, widths, ChartRect);
  }
  // Nothing shown keeps the corner, so a custom position survives an empty legend.
  if (FLayout.Items.empty())
    SetShapeBounds(win::RECT{previous.left, previous.top, previous.left, previous.top});
  else
    SetShapeBounds(FLayout.Box);
}

void TChartLegend::DrawDividingLines(TPlotCanvas3D& Canvas) {
  if (!FDividingLines->Visible()) return;
  Canvas.AssignVisiblePenColor(FDividingLines.get(), FDividingLines->Color());
  const win::RECT& box = FLayout.Box;
  const Integer spacing = FParams.VertSpacing;
  for (std::size_t i = 1; i < FLayout.Items.size(); ++i) {
    const TLegendItemPlace& prev = FLayout.Items[i - 1];
    const TLegendItemPlace& item = FLayout.Items[i];
    if (item.Row != prev.Row) {
      const Integer y = prev.Rect.bottom + spacing / 2;
      Canvas.DoHorizLine(box.left + 1, box.right - 1, y);
    } else {
      const Integer x = prev.Rect.right + LegendColumnGap / 2;
      Canvas.DoVertLine(x, item.Rect.top, item.Rect.bottom);
    }
  }
}

void TChartLegend::Draw(TPlotCanvas3D& Canvas) {
  if (!Visible() || FLayout.Items.empty()) return;
  DrawShape(Canvas, FLayout.Box);
  DrawDividingLines(Canvas);

  Canvas.Font()->Assign(Font());
  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(0);
  for (const TLegendItemPlace& place : FLayout.Items) {
    TChartSeries* series = ItemSeries(place.Item);
    if (!series) continue;
    series->DrawLegendSymbol(Canvas, place.Symbol);
    const Integer textRight = FParams.SymbolPosition == spRight ? place.Symbol.left - LegendSymbolGap : place.Rect.right;
    const bool cut = place.Text.x + place.TextWidth > textRight;
    if (cut) Canvas.ClipRectangle(TRect{place.Text.x, place.Rect.top, textRight, place.Rect.bottom});
    Canvas.Font()->Assign(Font());  // the symbol may have changed the canvas font
    Canvas.TextOut(place.Text.x, place.Text.y, FTexts[std::size_t(place.Item)]);
    if (cut) Canvas.UnClipRectangle();
  }
}

Integer TChartLegend::Clicked(Integer X, Integer Y) const {
  if (!Visible()) return -1;
  for (const TLegendItemPlace& place : FLayout.Items) {
    const win::RECT& r = place.Rect;
    if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) return place.Item;
  }
  return -1;
}

}  // namespace chart
