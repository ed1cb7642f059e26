// Open-high-low-close, candle and volume series; the ADX and RSI functions.
#include "analysis/PlotFinancial.h"

#include "analysis/FunctionGaps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "analysis/PointBuffer.h"
#include "analysis/WindowSum.h"
#include "chart/AxisPixels.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"
#include "framework/SysUtils.h"

namespace analysis {

using chart::TChartSeries;
using chart::TChartValueList;
using chart::TPlotCanvas3D;

// ---- OHLC ------------------------------------------------------------------------------------

TOHLCSeries::TOHLCSeries(fw::TComponent* AOwner) : chart::TCustomSeries(AOwner) {
  XValues()->SetName("Date");
  XValues()->SetDateTime(true);
  YValues()->SetName("Close");
  FHigh = AddValueList("High");
  FLow = AddValueList("Low");
  FOpen = AddValueList("Open");
}

Integer TOHLCSeries::AddOHLC(double Date, double Open, double High, double Low, double Close) {
  // One change reported once the four values are in place, so functions reading the series
  // never see a point without its high, low and open.
  BeginUpdate();
  const Integer index = AddPoint(Date, Close);
  FHigh->SetValue(index, High);
  FLow->SetValue(index, Low);
  FOpen->SetValue(index, Open);
  EndUpdate();
  return index;
}

bool TOHLCSeries::ValueRange(const TChartValueList* List, double& Min, double& Max) const {
  if (!TCustomSeries::ValueRange(List, Min, Max)) return false;
  if (List != YValues() || CloseOnly()) return true;
  for (const TChartValueList* other : {FHigh, FLow, FOpen}) {
    double lo, hi;
    if (!TCustomSeries::ValueRange(other, lo, hi)) continue;
    Min = std::min(Min, lo);
    Max = std::max(Max, hi);
  }
  return true;
}

// ---- candles ---------------------------------------------------------------------------------

TCandleSeries::TCandleSeries(fw::TComponent* AOwner)
    : TOHLCSeries(AOwner), FHighLowPen(std::make_unique<chart::TChartPen>()) {
  FHighLowPen->SetColor(chart::clTeeColor);
  FHighLowPen->OnChange = [this](fw::TObject*) { Repaint(); };
  Pointer()->SetDraw3D(false);
}

TCandleSeries::~TCandleSeries() = default;

void TCandleSeries::SetCandleStyle(TCandleStyle Value) {
  if (FCandleStyle == Value) return;
  FCandleStyle = Value;
  Pointer()->SetVisible(Value != csLine);
  Repaint();
}

void TCandleSeries::SetCandleWidth(Integer Value) {
  if (FCandleWidth == Value) return;
  FCandleWidth = std::max<Integer>(0, Value);
  Repaint();
}

void TCandleSeries::SetUpCloseColor(TColor Value) {
  if (FUpCloseColor == Value) return;
  FUpCloseColor = Value;
  Repaint();
}

void TCandleSeries::SetDownCloseColor(TColor Value) {
  if (FDownCloseColor == Value) return;
  FDownCloseColor = Value;
  Repaint();
}

void TCandleSeries::SetShowOpenTick(bool Value) {
  if (FShowOpenTick == Value) return;
  FShowOpenTick = Value;
  Repaint();
}

void TCandleSeries::SetShowCloseTick(bool Value) {
  if (FShowCloseTick == Value) return;
  FShowCloseTick = Value;
  Repaint();
}

TColor TCandleSeries::DecidedColor(Integer Index) const {
  const TColor own = PointColor(Index);
  if (own != chart::clTeeColor && own != SeriesColor() && own != chart::clNullPoint) return own;
  const double o = OpenValues()->Value(Index), c = PointY(Index);
  if (c > o) return FUpCloseColor;
  if (c < o) return FDownCloseColor;
  if (Index == 0) return FUpCloseColor;
  const double previous = PointY(Index - 1);
  if (c > previous) return FUpCloseColor;
  if (c < previous) return FDownCloseColor;
  return fw::clNone;
}

TColor TCandleSeries::CandleColor(Integer Index) const {
  // A run of unchanged candles repeats the colour before it: walk back to the point that
  // decides, without recursion (flat data may hold a million of them).
  for (Integer i = Index;; --i)
    if (const TColor c = DecidedColor(i); c != fw::clNone) return c;
}

TCandleSeries::Pixels TCandleSeries::PixelsOf(Integer Index) const {
  return {CalcXPos(Index), CalcYPosValue(OpenValues()->Value(Index)), CalcYPosValue(HighValues()->Value(Index)),
          CalcYPosValue(LowValues()->Value(Index)), CalcYPos(Index)};
}

void TCandleSeries::DrawValues(TPlotCanvas3D& Canvas) {
  if (DrawComposed(Canvas)) return;
  Integer previousX = 0, previousClose = 0;
  bool hasPrevious = false;
  for (Integer i = FirstValueIndex(); i <= LastValueIndex(); ++i) {
    if (!PointIsDrawable(i)) {
      hasPrevious = false;  // a null point breaks the close line
      continue;
    }
    if (FCandleStyle != csLine || hasPrevious) DrawCandle(Canvas, i, previousX, previousClose);
    previousX = CalcXPos(i);
    previousClose = CalcYPos(i);
    hasPrevious = true;
  }
}

void TCandleSeries::DrawCandle(TPlotCanvas3D& Canvas, Integer Index, Integer PreviousX, Integer PreviousClose) {
  const Pixels p = PixelsOf(Index);
  const TColor color = CandleColor(Index);
  chart::TChartPen* pen = Pointer()->Pen();
  switch (FCandleStyle) {
    case csLine:
      Canvas.AssignVisiblePenColor(Pen(), color);
      Canvas.Line(PreviousX, PreviousClose, p.X, p.Close);
      return;
    case csCandleBar:
      Canvas.AssignVisiblePenColor(pen, color);
      Canvas.Line(p.X, p.High, p.X, p.Low + 1);
      if (FShowOpenTick) Canvas.Line(p.X - LeftHalf(), p.Open, p.X + 1, p.Open);
      if (FShowCloseTick) Canvas.Line(p.X, p.Close, p.X + RightHalf() + 1, p.Close);
      return;
    case csCandleStick:
      if (FHighLowPen->Visible()) {
        const TColor lineColor = FHighLowPen->Color() == chart::clTeeColor ? Pen()->Color() : FHighLowPen->Color();
        Canvas.AssignVisiblePenColor(FHighLowPen.get(), lineColor);
        Canvas.Line(p.X, p.High, p.X, p.Low + 1);
      }
      break;
    case csOpenClose:
      break;
  }
  const Integer top = std::min(p.Open, p.Close), bottom = std::max(p.Open, p.Close);
  Canvas.Brush()->SetColor(color);
  Canvas.Brush()->SetStyle(fw::bsSolid);
  if (DrawsCubes(Canvas)) {
    DrawCube(Canvas, chart::TRect{p.X - LeftHalf(), top, p.X + RightHalf(), std::max(bottom, top + 1)}, color);
    return;
  }
  if (pen->Visible()) {
    Canvas.AssignVisiblePenColor(pen, pen->Color());
    Canvas.Rectangle(p.X - LeftHalf(), top, p.X + RightHalf(), bottom + 1);
  } else {
    Canvas.FillRect(chart::TRect{p.X - LeftHalf(), top, p.X + RightHalf(), std::max(bottom, top + 1)});
  }
}

namespace {

// A pen whose 1-pixel solid strokes cover the same pixels as a fill in its colour.
bool PlainPen(const chart::TChartPen* Pen) {
  return Pen->Width() <= 1 && Pen->Style() == fw::psSolid && Pen->Mode() == fw::pmCopy && !Pen->SmallDots() &&
         Pen->EndStyle() == chart::esRound;
}

// The rows a 1-pixel line from (X, From) to (X, To) covers: it stops short of To.
void LineRows(Integer From, Integer To, Integer& Top, Integer& Bottom) {
  if (From <= To) {
    Top = From, Bottom = To - 1;
  } else {
    Top = To + 1, Bottom = From;
  }
}

}  // namespace

bool TCandleSeries::DrawsCubes(TPlotCanvas3D& Canvas) const { return Canvas.View().View3D && Pointer()->Draw3D(); }

void TCandleSeries::DrawCube(TPlotCanvas3D& Canvas, const chart::TRect& R, TColor Color) {
  const Integer z0 = StartZ(), z1 = EndZ();
  auto at = [&Canvas](Integer X, Integer Y, Integer Z) { return Canvas.Calc3DPos(X, Y, Z); };
  Canvas.AssignVisiblePenColor(Pointer()->Pen(), Pointer()->Pen()->Color());
  // Depth runs up and to the right: the top and the right side show behind the front.
  const TColor rgb = fw::ColorToRGB(Color);
  Canvas.Brush()->SetColor(Pointer()->Dark3D() ? TColor((rgb >> 1) & 0x7F7F7F) : Color);
  Canvas.Polygon({at(R.left, R.top, z0), at(R.left, R.top, z1), at(R.right, R.top, z1), at(R.right, R.top, z0)});
  Canvas.Polygon(
      {at(R.right, R.top, z0), at(R.right, R.top, z1), at(R.right, R.bottom, z1), at(R.right, R.bottom, z0)});
  Canvas.Brush()->SetColor(Color);
  Canvas.RectangleWithZ(R, z0);
}

bool TCandleSeries::DrawComposed(TPlotCanvas3D& Canvas) {
  if (FCandleStyle != csCandleStick && FCandleStyle != csOpenClose) return false;
  if (DrawsCubes(Canvas)) return false;
  if (Canvas.NonGDICanvas() || Canvas.Brush()->Bitmap()) return false;
  const int depth = TCandleColumns::SurfaceDepth(Canvas);
  if (!depth) return false;
  chart::TChartPen* pen = Pointer()->Pen();
  const bool outline = pen->Visible(), highLow = FCandleStyle == csCandleStick && FHighLowPen->Visible();
  if ((outline && !PlainPen(pen)) || (highLow && !PlainPen(FHighLowPen.get()))) return false;
  const Integer first = std::max<Integer>(FirstValueIndex(), 0), last = std::min<Integer>(LastValueIndex(), Count() - 1);
  if (last < first) return false;

  if (!HorizAxis() || !VertAxis()) return false;

  struct Candle {
    Integer x, top, bottom, lineTop, lineBottom;
    int color;
  };
  std::vector<Candle> shapes;
  shapes.reserve(std::size_t(last - first + 1));
  Integer left = 0, right = -1, top = 0, bottom = -1;
  auto widen = [&](Integer L, Integer T, Integer R, Integer B) {
    if (L > R || T > B) return;
    if (right < left) {
      left = L, top = T, right = R, bottom = B;
      return;
    }
    left = std::min(left, L), top = std::min(top, T), right = std::max(right, R), bottom = std::max(bottom, B);
  };
  // The axes' mapping taken once; values it does not promise to map as the axis does go to it.
  const chart::TAxisPixels toX(*HorizAxis()), toY(*VertAxis());
  auto pixelX = [&](double V) { return std::isfinite(V) ? Integer(toX.Pixel(V)) : CalcXPosValue(V); };
  auto pixelY = [&](double V) { return std::isfinite(V) ? Integer(toY.Pixel(V)) : CalcYPosValue(V); };
  const TChartValueList &xs = *XValues(), &ys = *YValues(), &opens = *OpenValues(), &highs = *HighValues(),
                        &lows = *LowValues();
  // Colours are numbered as the area's cells keep them; too many for that and candles are drawn
  // one by one.
  FComposed.ForgetColors();
  // Colours forward in one pass: an undecided candle takes the one before it.
  TColor color = CandleColor(first);
  for (Integer i = first; i <= last; ++i) {
    if (i > first)
      if (const TColor decided = DecidedColor(i); decided != fw::clNone) color = decided;
    if (!PointIsDrawable(i)) continue;
    const int index = FComposed.ColorIndex(color);
    if (index < 0) return false;
    const Integer x = pixelX(xs.Value(i)), open = pixelY(opens.Value(i)), close = pixelY(ys.Value(i));
    Candle c{x, std::min(open, close), std::max(open, close), 0, -1, index};
    // Without an outline the fill covers at least one row.
    if (!outline) c.bottom = std::max(c.bottom, c.top + 1) - 1;
    widen(x - LeftHalf(), c.top, x + RightHalf() - 1, c.bottom);
    if (highLow) {
      LineRows(pixelY(highs.Value(i)), pixelY(lows.Value(i)) + 1, c.lineTop, c.lineBottom);
      widen(x, c.lineTop, x, c.lineBottom);
    }
    shapes.push_back(c);
  }
  if (right < left) return false;
  const std::int64_t columns = std::int64_t(right) - left + 1, rows = std::int64_t(bottom) - top + 1;
  if (columns * rows > TCandleColumns::kMaxCells || rows > TCandleColumns::kMaxRows ||
      !ComposesColumns(Integer(shapes.size()), Integer(columns)))
    return false;
  const TColor lineColor = FHighLowPen->Color() == chart::clTeeColor ? Pen()->Color() : FHighLowPen->Color();
  const int outlineIndex = outline ? FComposed.ColorIndex(pen->Color()) : 0;
  const int lineIndex = highLow ? FComposed.ColorIndex(lineColor) : 0;
  if (outlineIndex < 0 || lineIndex < 0) return false;

  // Last candle first, each in the reverse of its own drawing order: the body's outline and
  // inside (apart from each other), then the high-low line beneath them.
  TCandleColumns& picture = FComposed;
  picture.SetArea(left, top, right, bottom);
  for (auto c = shapes.rbegin(); c != shapes.rend(); ++c) {
    const Integer l = c->x - LeftHalf(), r = c->x + RightHalf() - 1;
    if (outline) {
      picture.PaintRect(l + 1, c->top + 1, r - 1, c->bottom - 1, c->color);
      picture.PaintRect(l, c->top, r, c->bottom, outlineIndex);
    } else {
      picture.PaintRect(l, c->top, r, c->bottom, c->color);
    }
    if (highLow) picture.PaintRect(c->x, c->lineTop, c->x, c->lineBottom, lineIndex);
  }
  picture.DrawTo(Canvas, depth);
  return true;
}

namespace {

bool Within(Integer V, Integer A, Integer B) { return V >= std::min(A, B) && V <= std::max(A, B); }

// The pixel lies within one pixel of the segment.
bool NearSegment(Integer X, Integer Y, Integer X0, Integer Y0, Integer X1, Integer Y1) {
  const double dx = X1 - X0, dy = Y1 - Y0, len2 = dx * dx + dy * dy;
  const double t = len2 == 0 ? 0 : std::clamp(((X - X0) * dx + (Y - Y0) * dy) / len2, 0.0, 1.0);
  return std::hypot(X0 + t * dx - X, Y0 + t * dy - Y) <= 1;
}

}  // namespace

Integer TCandleSeries::PointAt(Integer X, Integer Y) {
  for (Integer i = std::max<Integer>(FirstValueIndex(), 0); i <= LastValueIndex() && i < Count(); ++i) {
    if (!PointIsDrawable(i)) continue;
    const Pixels p = PixelsOf(i);
    bool hit = false;
    switch (FCandleStyle) {
      case csLine:
        hit = i > 0 && PointIsDrawable(i - 1) && NearSegment(X, Y, CalcXPos(i - 1), CalcYPos(i - 1), p.X, p.Close);
        break;
      case csCandleBar:
        hit = (X == p.X && Within(Y, p.High, p.Low)) || (FShowOpenTick && Y == p.Open && Within(X, p.X - LeftHalf(), p.X)) ||
              (FShowCloseTick && Y == p.Close && Within(X, p.X, p.X + RightHalf()));
        break;
      case csCandleStick:
      case csOpenClose:
        hit = (X >= p.X - LeftHalf() && X < p.X + RightHalf() && Within(Y, p.Open, p.Close)) ||
              (FCandleStyle == csCandleStick && X == p.X && Within(Y, p.High, p.Low));
        break;
    }
    if (hit) return i;
  }
  return -1;
}

// ---- volume ----------------------------------------------------------------------------------

TVolumeSeries::TVolumeSeries(fw::TComponent* AOwner) : chart::TCustomSeries(AOwner) {
  YValues()->SetName("Volume");
  Pointer()->SetVisible(false);
}

void TVolumeSeries::SetUseYOrigin(bool Value) {
  if (FUseYOrigin == Value) return;
  FUseYOrigin = Value;
  Repaint();
}

void TVolumeSeries::SetYOrigin(double Value) {
  if (FYOrigin == Value) return;
  FYOrigin = Value;
  Repaint();
}

Integer TVolumeSeries::OriginPixel() const {
  // The axis minimum lies at its bottom, or at its top when the axis is inverted.
  return CalcYPosValue(FUseYOrigin ? FYOrigin : (VertAxis() ? VertAxis()->Minimum() : 0));
}

void TVolumeSeries::DrawValues(TPlotCanvas3D& Canvas) {
  if (!LinePen()->Visible()) return;
  const Integer origin = OriginPixel();
  for (Integer i = FirstValueIndex(); i <= LastValueIndex(); ++i) {
    if (!PointIsDrawable(i)) continue;
    const Integer x = CalcXPos(i), y = CalcYPos(i);
    Canvas.AssignVisiblePenColor(LinePen(), ValueColor(i));
    // The line's last pixel is the point's own row.
    Canvas.Line(x, origin, x, y < origin ? y - 1 : y + 1);
  }
}

Integer TVolumeSeries::PointAt(Integer X, Integer Y) {
  const Integer origin = OriginPixel();
  for (Integer i = std::max<Integer>(FirstValueIndex(), 0); i <= LastValueIndex() && i < Count(); ++i)
    if (PointIsDrawable(i) && std::abs(X - CalcXPos(i)) <= 1 && Within(Y, origin, CalcYPos(i))) return i;
  return -1;
}

// ---- owned lines of functions ----------------------------------------------------------------

void FollowFunctionSeries(TChartSeries* Line, chart::TPlotFunction* Function, TChartSeries* Source) {
  TChartSeries* parent = Function->ParentSeries();
  if (!parent) return;
  if (Line->ParentChart() != parent->ParentChart()) Line->SetParentChart(parent->ParentChart());
  Line->SetHorizAxis(parent->HorizAxis());
  Line->SetVertAxis(parent->VertAxis());
  Line->SetShowInLegend(false);
  if (Source) Line->XValues()->SetDateTime(Source->XValues()->DateTime());
}

namespace {

chart::TFastLineSeries* OwnedLine(fw::TComponent* Owner, TColor Color) {
  auto* line = new chart::TFastLineSeries(Owner);
  line->SetSeriesColor(Color);
  line->SetShowInLegend(false);
  return line;
}

// Clears Line and fills it in one update.
struct LineFill {
  explicit LineFill(TChartSeries* ALine) : Line(ALine) {
    Line->BeginUpdate();
    Line->Clear();
  }
  ~LineFill() { Line->EndUpdate(); }
  TChartSeries* Line;
};

}  // namespace

// ---- ADX -------------------------------------------------------------------------------------

TADXFunction::TADXFunction(fw::TComponent* AOwner)
    : chart::TPlotFunction(AOwner), FUpLine(OwnedLine(this, 0x008000)), FDownLine(OwnedLine(this, 0x0000FF)) {
  SetSingleSource(true);
  SetPeriod(14);
}

TADXFunction::~TADXFunction() = default;

chart::TChartPen* TADXFunction::UpLinePen() const { return FUpLine->Pen(); }
chart::TChartPen* TADXFunction::DownLinePen() const { return FDownLine->Pen(); }

void TADXFunction::ComputeFromSource(TChartSeries* Source) {
  FollowFunctionSeries(FUpLine, this, Source);
  FollowFunctionSeries(FDownLine, this, Source);
  LineFill up(FUpLine), down(FDownLine);
  auto* ohlc = dynamic_cast<TOHLCSeries*>(Source);
  const double period = Period();
  if (!ohlc || !ParentSeries() || period < 2) return;
  const Integer n = ohlc->Count();
  if (n < 2 * period) return;
  const TChartValueList *high = ohlc->HighValues(), *low = ohlc->LowValues(), *close = ohlc->CloseValues();
  const TChartValueList* xs = ohlc->XValues();
  const Integer p = Integer(std::round(period));
  double tr = 0, plus = 0, minus = 0;
  double adx = 0;
  // A move from or to a gap (a null point, a value that is not a number) is left out of the
  // sums, which go on from before it: the lines break there and keep no trace of it.
  auto gap = [&](Integer i) {
    return IsGap(ohlc, close, i) || !std::isfinite(high->Value(i)) || !std::isfinite(low->Value(i));
  };
  Integer moves = 0;
  for (Integer i = 1; i < n; ++i) {
    if (gap(i) || gap(i - 1)) {
      if (moves >= p) {
        FUpLine->AddXY(xs->Value(i), kGap);
        FDownLine->AddXY(xs->Value(i), kGap);
        AddResultPoint(xs->Value(i), kGap);
      }
      continue;
    }
    ++moves;
    const double h = high->Value(i), l = low->Value(i), c0 = close->Value(i - 1);
    const double range = std::max({h - l, std::fabs(h - c0), std::fabs(l - c0)});
    const double u = h - high->Value(i - 1), d = low->Value(i - 1) - l;
    const double pdm = u > d ? std::max(u, 0.0) : 0, mdm = d > u ? std::max(d, 0.0) : 0;
    if (moves <= p) {
      tr += range, plus += pdm, minus += mdm;
      if (moves < p) continue;
    } else {
      tr = tr - tr / period + range;
      plus = plus - plus / period + pdm;
      minus = minus - minus / period + mdm;
    }
    // Flat data has no true range and no directional move: both lines and DX are 0 there.
    const double upValue = tr > 0 ? 100 * plus / tr : 0, downValue = tr > 0 ? 100 * minus / tr : 0;
    FUpLine->AddXY(xs->Value(i), upValue);
    FDownLine->AddXY(xs->Value(i), downValue);
    const double dx = upValue + downValue > 0 ? 100 * std::fabs(upValue - downValue) / (upValue + downValue) : 0;
    adx = moves == p ? dx / (period - 1) : ((period - 1) * adx + dx) / period;
    AddResultPoint(xs->Value(i), adx);
  }
}

// ---- RSI -------------------------------------------------------------------------------------

void TRSIFunction::SetStyle(TRSIStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RequestRecompute();
}

bool TRSIFunction::FindLists(TChartSeries* Source, TLists& Lists) const {
  // Looked up for each computation: a pointer kept from an earlier source could outlive it.
  Lists.Close = Source ? Source->ValueListByName("CLOSE") : nullptr;
  Lists.Open = Source ? Source->ValueListByName("OPEN") : nullptr;
  return Lists.Close && (FStyle == rsiClose || Lists.Open);
}

bool TRSIFunction::Term(TChartSeries* Source, const TLists& Lists, Integer Index, double& Gain, double& Loss) const {
  Gain = Loss = 0;
  // A value that is not a finite number makes the difference one too; null points are marked.
  const bool nulls = Source->HasPointColors();
  if (FStyle == rsiClose) {
    if (Index == 0) return true;
    const double d = Lists.Close->Value(Index) - Lists.Close->Value(Index - 1);
    if (!std::isfinite(d) || (nulls && (Source->IsNullPoint(Index) || Source->IsNullPoint(Index - 1)))) return false;
    (d >= 0 ? Gain : Loss) = std::fabs(d);
    return true;
  }
  const double close = Lists.Close->Value(Index), open = Lists.Open->Value(Index);
  if (!std::isfinite(close) || !std::isfinite(open) || (nulls && Source->IsNullPoint(Index))) return false;
  (open <= close ? Gain : Loss) = close;
  return true;
}

double TRSIFunction::Value(double Gains, double Losses, Integer Count) const {
  if (Losses == 0) return 100;
  const double g = Gains / Count, l = Losses / Count;
  return std::clamp(100 - 100 / (1 + std::fabs(g / l)), 0.0, 100.0);
}

double TRSIFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  TLists lists;
  if (!FindLists(Source, lists)) return 0;
  const bool whole = First == -1;
  if (whole) First = 0, Last = Source->Count() - 1;
  double gains = 0, losses = 0, g, l;
  for (Integer i = FStyle == rsiClose ? First + 1 : First; i <= Last; ++i) {
    if (!Term(Source, lists, i, g, l)) {
      if (!whole) return kGap;
      continue;  // the whole series leaves its gaps out
    }
    gains += g;
    losses += l;
  }
  return Value(gains, losses, Last - First + 1);
}

void TRSIFunction::ComputeByPeriods(TChartSeries* Source) {
  // The gains and losses of each window slide along in running sums; a gap makes them NaN
  // while it is in the window.
  TLists lists;
  if (!FindLists(Source, lists)) return;
  const Integer n = PeriodPoints(), count = Source->Count();
  if (count < n) return;
  auto term = [&](Integer i, double& Gain, double& Loss) {
    if (!Term(Source, lists, i, Gain, Loss)) Gain = Loss = kGap;
  };
  TWindowSum gains, losses;
  TPointBuffer results;
  results.Reserve(std::size_t(count - n + 1));
  double g, l;
  // The close style takes the differences inside the window: from its second point on.
  const Integer skip = FStyle == rsiClose ? 1 : 0;
  if (n <= skip) {  // windows of one point have no difference in them
    chart::TPlotMovingFunction::ComputeByPeriods(Source);
    return;
  }
  for (Integer i = skip; i < n - 1; ++i) {
    term(i, g, l);
    gains.Add(g);
    losses.Add(l);
  }
  for (Integer last = n - 1; last < count; ++last) {
    const Integer first = last - n + 1;
    term(last, g, l);
    gains.Add(g);
    losses.Add(l);
    const double sum = gains.Sum() + losses.Sum();
    results.Add(PeriodX(Source, first, last), std::isfinite(sum) ? Value(gains.Sum(), losses.Sum(), n) : kGap);
    term(first + skip, g, l);
    gains.Remove(g);
    losses.Remove(l);
  }
  results.FlushTo(ParentSeries());
}

// ---- registration ----------------------------------------------------------------------------

void RegisterFinancialClasses() {
  const String page = "Financial";
  chart::RegisterPlotSeries(chart::PlotClassOf<TCandleSeries>(page, "Candle"));
  chart::RegisterPlotSeries(chart::PlotClassOf<TVolumeSeries>(page, "Volume"));
  chart::RegisterPlotFunction(chart::PlotClassOf<TADXFunction>(page, "ADX"));
  chart::RegisterPlotFunction(chart::PlotClassOf<TRSIFunction>(page, "R.S.I."));
}

void UnRegisterFinancialClasses() {
  chart::UnRegisterPlotSeries(typeid(TCandleSeries));
  chart::UnRegisterPlotSeries(typeid(TVolumeSeries));
  chart::UnRegisterPlotFunction(typeid(TADXFunction));
  chart::UnRegisterPlotFunction(typeid(TRSIFunction));
}

}  // namespace analysis
