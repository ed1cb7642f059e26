#include "chart/ChartLegend.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotCanvasState.h"
#include "chart/PlotEngine.h"
#include "platform/kernel/Rects.h"

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

// Appends an item Width wide at (Left, Top), its symbol and text placed inside it.
void AddItem(TLegendLayout& L, const Metrics& M, TLegendSymbolPosition Position, Integer Item, Integer Row,
             Integer Left, Integer Top, Integer Width, Integer TextWidth) {
  TLegendItemPlace place;
  place.Item = Item;
  place.Row = Row;
  place.Rect = win::RECT{Left, Top, Left + Width, Top + M.height};
  const win::RECT& r = place.Rect;
  if (Position == spRight) {
    place.Symbol = win::RECT{r.right - M.symbol, r.top, r.right, r.bottom};
    place.Text = win::POINT{r.left, r.top};
  } else {
    place.Symbol = win::RECT{r.left, r.top, r.left + M.symbol, r.bottom};
    place.Text = win::POINT{r.left + M.symbol + M.gap, r.top};
  }
  place.TextWidth = TextWidth;
  L.Items.push_back(place);
}

// The chart rectangle gives up the box and the margin on both sides of it.
void TakeRoom(const TLegendLayoutParams& P, const Metrics& M, const win::RECT& Box, win::RECT& R) {
  if (P.CustomPosition || !P.ResizeChart) return;
  switch (P.Alignment) {
    case laLeft: R.left = std::min(Box.right + M.hMargin, R.right); break;
    case laRight: R.right = std::max(Box.left - M.hMargin, R.left); break;
    case laTop: R.top = std::min(Box.bottom + M.vMargin, R.bottom); break;
    case laBottom: R.bottom = std::max(Box.top - M.vMargin, R.top); break;
  }
}

std::vector<Integer> DisplayOrder(Integer Count, bool Inverted) {
  std::vector<Integer> order(std::size_t(std::max(Count, 0)));
  for (Integer i = 0; i < Count; ++i) order[std::size_t(i)] = Inverted ? Count - 1 - i : i;
  return order;
}

TLegendLayout LayoutColumn(const TLegendLayoutParams& P, const Metrics& M, const std::vector<Integer>& Widths,
                           const win::RECT& R) {
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
    const Integer item = order[std::size_t(k)];
    AddItem(out, M, P.SymbolPosition, item, k, left + LegendPadX, top + LegendPadY + k * (M.height + M.spacing),
            boxW - 2 * LegendPadX, Widths[std::size_t(item)]);
  }
  return out;
}

TLegendLayout LayoutRows(const TLegendLayoutParams& P, const Metrics& M, const std::vector<Integer>& Widths,
                         const win::RECT& R) {
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
    const Integer item = order[std::size_t(k)], row = rowOf[std::size_t(k)];
    AddItem(out, M, P.SymbolPosition, item, row, left + LegendPadX + xs[std::size_t(k)],
            top + LegendPadY + row * (M.height + M.spacing), ws[std::size_t(k)], Widths[std::size_t(item)]);
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
  const bool rows = Params.Alignment == laTop || Params.Alignment == laBottom;
  TLegendLayout layout = rows ? LayoutRows(Params, m, widths, ChartRect) : LayoutColumn(Params, m, widths, ChartRect);
  if (!layout.Items.empty()) TakeRoom(Params, m, layout.Box, ChartRect);
  return layout;
}

TChartLegend::TChartLegend(fw::TComponent* AOwner)
    : TPlotCustomShapePosition(AOwner), FDividingLines(std::make_unique<TChartPen>()) {
  FDividingLines->SetVisible(false);
  FDividingLines->OnChange = [this](fw::TObject*) { InvalidateChart(); };
}

TChartLegend::~TChartLegend() = default;

void TChartLegend::SetAlignment(TLegendAlignment Value) {
  if (Value >= laLeft && Value <= laBottom) Store(FParams.Alignment, Value);
}
void TChartLegend::SetInverted(bool Value) { Store(FParams.Inverted, Value); }
void TChartLegend::SetSymbolWidth(Integer Value) { Store(FParams.SymbolWidth, std::max(Value, 0)); }
void TChartLegend::SetSymbolPosition(TLegendSymbolPosition Value) {
  if (Value == spLeft || Value == spRight) Store(FParams.SymbolPosition, Value);
}
void TChartLegend::SetVertSpacing(Integer Value) { Store(FParams.VertSpacing, std::max(Value, 0)); }
void TChartLegend::SetHorizMargin(Integer Value) { Store(FParams.HorizMargin, std::max(Value, 0)); }
void TChartLegend::SetVertMargin(Integer Value) { Store(FParams.VertMargin, std::max(Value, 0)); }
void TChartLegend::SetTopPos(Integer Value) { Store(FParams.TopPos, std::clamp(Value, 0, 100)); }
void TChartLegend::SetResizeChart(bool Value) { Store(FParams.ResizeChart, Value); }

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
    std::vector<Integer> widths;
    widths.reserve(FTexts.size());
    {
      TPlotCanvasStateKeeper keep(Canvas);
      Canvas.Font()->Assign(Font());
      for (const fw::String& text : FTexts) widths.push_back(Canvas.TextWidth(text));
      FParams.TextHeight = Canvas.TextHeight("W");
    }
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

namespace {

// The longest start of Text (whole characters) that fits Width with "…" after it; Text itself when
// it fits, the ellipsis alone when no character does.
fw::String TextWithEllipsis(TPlotCanvas3D& Canvas, const fw::String& Text, Integer Width) {
  static const fw::String ellipsis = "\u2026";
  if (Canvas.TextWidth(Text) <= Width) return Text;
  std::vector<std::size_t> ends;  // byte ends of the characters (UTF-8)
  for (std::size_t i = 1; i <= Text.size(); ++i)
    if (i == Text.size() || (static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80) ends.push_back(i);
  std::size_t lo = 0, hi = ends.size();  // characters that fit: at least lo, fewer than hi + 1
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (Canvas.TextWidth(Text.substr(0, ends[mid - 1]) + ellipsis) <= Width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return (lo ? Text.substr(0, ends[lo - 1]) : fw::String()) + ellipsis;
}

}  // namespace

void TChartLegend::Draw(TPlotCanvas3D& Canvas) {
  if (!Visible() || FLayout.Items.empty()) return;
  DrawShape(Canvas, FLayout.Box);
  DrawDividingLines(Canvas);

  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(0);
  for (const TLegendItemPlace& place : FLayout.Items) {
    TChartSeries* series = ItemSeries(place.Item);
    if (!series) continue;
    series->DrawLegendSymbol(Canvas, place.Symbol);
    const Integer textRight = FParams.SymbolPosition == spRight ? place.Symbol.left - LegendSymbolGap : place.Rect.right;
    const bool cut = place.Text.x + place.TextWidth > textRight;
    Canvas.Font()->Assign(Font());  // after the symbol, which may set a font of its own
    const fw::String& text = FTexts[std::size_t(place.Item)];
    if (!cut) {
      Canvas.TextOut(place.Text.x, place.Text.y, text);
      continue;
    }
    // A name too long for its room ends in an ellipsis, so that it shows it is cut.
    Canvas.ClipRectangle(TRect{place.Text.x, place.Rect.top, textRight, place.Rect.bottom});
    Canvas.TextOut(place.Text.x, place.Text.y, TextWithEllipsis(Canvas, text, textRight - place.Text.x));
    Canvas.UnClipRectangle();
  }
}

Integer TChartLegend::Clicked(Integer X, Integer Y) const {
  if (!Visible()) return -1;
  for (const TLegendItemPlace& place : FLayout.Items)
    if (win::PtInRect(&place.Rect, win::POINT{X, Y})) return place.Item;
  return -1;
}

}  // namespace chart
