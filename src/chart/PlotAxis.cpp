// Axis scaling: range, increments, labels and the value/pixel mapping.
#include "chart/PlotAxis.h"

#include <algorithm>
#include <cmath>

#include "chart/PlotCanvas.h"
#include "chart/PlotConst.h"
#include "framework/SysUtils.h"

namespace chart {

namespace {
constexpr double kPixelLimit = 1073741824.0;  // 2^30: far outside any surface, safe to add to

// Degrees in 0 .. 359.
Integer NormalAngle(Integer Degrees) {
  const Integer a = Degrees % 360;
  return a < 0 ? a + 360 : a;
}
}  // namespace

TChartAxisTitle::TChartAxisTitle(TChartAxis* AAxis) : FAxis(AAxis), FFont(std::make_unique<TPlotFont>()) {
  FFont->OnChange = [this](fw::TObject*) { FAxis->Changed(); };
}

TChartAxisTitle::~TChartAxisTitle() = default;

void TChartAxisTitle::SetCaption(const String& Value) {
  if (FCaption != Value) FCaption = Value, FAxis->Changed();
}

void TChartAxisTitle::SetAngle(Integer Value) {
  Value = NormalAngle(Value);
  if (FAngle != Value) FAngle = Value, FAxis->Changed();
}

void TChartAxisTitle::SetSize(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 10000);
  if (FSize != Value) FSize = Value, FAxis->Changed();
}

void TChartAxisTitle::Assign(fw::TPersistent* Source) {
  auto* src = dynamic_cast<TChartAxisTitle*>(Source);
  if (!src) return fw::TPersistent::Assign(Source);
  FCaption = src->FCaption;
  FAngle = src->FAngle;
  FSize = src->FSize;
  FFont->Assign(src->FFont.get());
  FAxis->Changed();
}

namespace {

std::unique_ptr<TChartPen> MakePen(TColor Color, bool Visible, fw::TPenStyle Style = fw::psSolid) {
  auto pen = std::make_unique<TChartPen>();
  pen->SetColor(Color);
  pen->SetVisible(Visible);
  pen->SetStyle(Style);
  return pen;
}

}  // namespace

TChartAxis::TChartAxis(bool AHorizontal)
    : FHorizontal(AHorizontal),
      FTitle(std::make_unique<TChartAxisTitle>(this)),
      FLabelsFont(std::make_unique<TPlotFont>()),
      FGrid(MakePen(fw::clGray, true, fw::psDot)),
      FTicks(MakePen(fw::clDkGray, true)),
      FTicksInner(MakePen(fw::clDkGray, true)),
      FMinorGrid(MakePen(fw::clGray, false, fw::psDot)),
      FMinorTicks(MakePen(fw::clDkGray, true)),
      FAxisPen(MakePen(fw::clBlack, true)) {
  FLabelsFont->SetColor(fw::clBlack);
  FTitle->Font()->SetColor(fw::clBlack);
  // A vertical axis' title reads upwards.
  if (!AHorizontal) FTitle->FAngle = 90;
  WatchTools();
}

TChartAxis::~TChartAxis() = default;

void TChartAxis::WatchTools() {
  auto changed = [this](fw::TObject*) { Changed(); };
  FLabelsFont->OnChange = changed;
  for (TChartPen* pen : {FGrid.get(), FTicks.get(), FTicksInner.get(), FMinorGrid.get(), FMinorTicks.get(),
                         FAxisPen.get()})
    pen->OnChange = changed;
}

void TChartAxis::Changed() {
  if (OnChange) OnChange(this);
}

void TChartAxis::SetVisible(bool Value) {
  if (FVisible != Value) FVisible = Value, Changed();
}
void TChartAxis::SetLabels(bool Value) {
  if (FLabels != Value) FLabels = Value, Changed();
}
void TChartAxis::SetLabelsMultiLine(bool Value) {
  if (FLabelsMultiLine != Value) FLabelsMultiLine = Value, Changed();
}
void TChartAxis::SetLabelsOnAxis(bool Value) {
  if (FLabelsOnAxis != Value) FLabelsOnAxis = Value, Changed();
}
void TChartAxis::SetLabelsAngle(Integer Value) {
  Value = NormalAngle(Value);
  if (FLabelsAngle != Value) FLabelsAngle = Value, Changed();
}

void TChartAxis::SetLength(Integer& Field, Integer Value, Integer Limit) {
  Value = std::clamp<Integer>(Value, 0, Limit);
  if (Field != Value) Field = Value, Changed();
}
void TChartAxis::SetLabelsSize(Integer Value) { SetLength(FLabelsSize, Value, 10000); }
void TChartAxis::SetTickLength(Integer Value) { SetLength(FTickLength, Value, 1000); }
void TChartAxis::SetTickInnerLength(Integer Value) { SetLength(FTickInnerLength, Value, 1000); }
void TChartAxis::SetMinorTickCount(Integer Value) { SetLength(FMinorTickCount, Value, 100); }
void TChartAxis::SetMinorTickLength(Integer Value) { SetLength(FMinorTickLength, Value, 1000); }
void TChartAxis::SetPositionPercent(Integer Value) { SetLength(FPositionPercent, Value, 100); }
void TChartAxis::SetStartPosition(Integer Value) { SetLength(FStartPosition, Value, 100); }
void TChartAxis::SetEndPosition(Integer Value) { SetLength(FEndPosition, Value, 100); }

void TChartAxis::SetHorizontal(bool Value) {
  if (FHorizontal != Value) FHorizontal = Value, Changed();
}
void TChartAxis::SetOtherSide(bool Value) {
  if (FOtherSide != Value) FOtherSide = Value, Changed();
}
void TChartAxis::SetAutomatic(bool Value) {
  if (FAutomatic != Value) FAutomatic = Value, Changed();
}
void TChartAxis::SetAutomaticMinimum(bool Value) {
  if (FAutomaticMinimum != Value) FAutomaticMinimum = Value, Changed();
}
void TChartAxis::SetAutomaticMaximum(bool Value) {
  if (FAutomaticMaximum != Value) FAutomaticMaximum = Value, Changed();
}
void TChartAxis::SetInverted(bool Value) {
  if (FInverted != Value) FInverted = Value, Changed();
}
void TChartAxis::SetRoundFirstLabel(bool Value) {
  if (FRoundFirstLabel != Value) FRoundFirstLabel = Value, Changed();
}
void TChartAxis::SetLogarithmic(bool Value) {
  if (FLogarithmic != Value) FLogarithmic = Value, Changed();
}
void TChartAxis::SetAxisValuesFormat(const String& Value) {
  if (FAxisValuesFormat != Value) FAxisValuesFormat = Value, Changed();
}

void TChartAxis::SetMinimum(double Value) {
  if (!std::isfinite(Value)) throw fw::Exception(PlotMsg_AxisBounds);
  if (Value > FMaximum) throw fw::Exception(PlotMsg_AxisMinAboveMax);
  if (FMinimum != Value) FMinimum = Value, Changed();
}

void TChartAxis::SetMaximum(double Value) {
  if (!std::isfinite(Value)) throw fw::Exception(PlotMsg_AxisBounds);
  if (Value < FMinimum) throw fw::Exception(PlotMsg_AxisMaxBelowMin);
  if (FMaximum != Value) FMaximum = Value, Changed();
}

void TChartAxis::SetMinMax(double AMin, double AMax) {
  if (!std::isfinite(AMin) || !std::isfinite(AMax)) throw fw::Exception(PlotMsg_AxisBounds);
  if (AMin > AMax) std::swap(AMin, AMax);
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  FMinimum = AMin;
  FMaximum = AMax;
  Changed();
}

void TChartAxis::SetIncrement(double Value) {
  if (!(Value >= 0)) throw fw::Exception(PlotMsg_AxisIncrement);
  if (FIncrement != Value) FIncrement = Value, Changed();
}

void TChartAxis::SetLogarithmicBase(double Value) {
  if (!(Value > 1) || !std::isfinite(Value)) throw fw::Exception(PlotMsg_LogBase);
  if (FLogarithmicBase != Value) FLogarithmicBase = Value, Changed();
}

void TChartAxis::WidenByPixels(Integer Low, Integer High) {
  const Integer room = std::abs(IAxisSize()) - Low - High;
  if (room <= 0 || FLogarithmic || !(FMaximum > FMinimum)) return;
  const double perPixel = (FMaximum - FMinimum) / room;
  if (FAutomatic || FAutomaticMinimum) FMinimum -= Low * perPixel;
  if (FAutomatic || FAutomaticMaximum) FMaximum += High * perPixel;
}

void TChartAxis::SetPositions(Integer StartPos, Integer EndPos) {
  FIStartPos = StartPos;
  FIEndPos = EndPos;
}

bool TChartAxis::MapRange(double& Lo, double& Hi) const {
  Lo = FMinimum;
  Hi = FMaximum;
  if (!FLogarithmic) return true;
  if (Hi <= 0) return false;
  if (Lo <= 0) Lo = Hi / FLogarithmicBase;
  Lo = std::log(Lo);
  Hi = std::log(Hi);
  return true;
}

double TChartAxis::CalcPosValueD(double Value) const {
  double lo, hi;
  bool log = FLogarithmic && MapRange(lo, hi);
  if (!log) lo = FMinimum, hi = FMaximum;
  double v = Value;
  if (log) v = Value > 0 ? std::log(Value) : -HUGE_VAL;
  double ratio;
  if (std::isnan(v))
    ratio = 0;
  else if (hi == lo)
    ratio = 0.5;
  else
    ratio = AxisRatio(v, lo, hi);
  const double size = double(FIEndPos) - double(FIStartPos);
  double pos = Flipped() ? FIEndPos - ratio * size : FIStartPos + ratio * size;
  if (std::isnan(pos)) pos = Flipped() ? FIEndPos : FIStartPos;
  return std::clamp(pos, -kPixelLimit, kPixelLimit);
}

Integer TChartAxis::CalcPosValue(double Value) const { return Integer(std::lround(CalcPosValueD(Value))); }

double TChartAxis::CalcPosPoint(Integer Pixel) const {
  double lo, hi;
  bool log = FLogarithmic && MapRange(lo, hi);
  if (!log) lo = FMinimum, hi = FMaximum;
  const double size = double(FIEndPos) - double(FIStartPos);
  if (size == 0) return FMinimum;
  double ratio = Flipped() ? (FIEndPos - double(Pixel)) / size : (double(Pixel) - FIStartPos) / size;
  // A range wider than the largest double is taken in halves.
  const double v = std::isfinite(hi - lo) ? lo + ratio * (hi - lo) : 2 * (lo / 2 + ratio * (hi / 2 - lo / 2));
  return log ? std::exp(v) : v;
}

double TChartAxis::ReadableIncrement(double Range, Integer AxisLength, Integer LabelSize) {
  if (!std::isfinite(Range) || Range <= 0) return 0;
  const double maxLabels = std::max(1.0, double(AxisLength) / std::max(1, LabelSize));
  const double raw = Range / maxLabels;
  double mag = std::pow(10.0, std::floor(std::log10(raw)));
  for (;;) {
    for (double m : {1.0, 2.0, 5.0})
      if (m * mag >= raw * (1 - 1e-9)) return m * mag;
    mag *= 10;
  }
}

double TChartAxis::CalcIncrement(Integer LabelSize) const {
  const Integer length = std::abs(IAxisSize());
  if (FLogarithmic) {
    double lo, hi;
    if (!MapRange(lo, hi)) return 0;
    double decades = (hi - lo) / std::log(FLogarithmicBase);
    return std::max(1.0, ReadableIncrement(decades, length, LabelSize));
  }
  return std::max(FIncrement, ReadableIncrement(FMaximum - FMinimum, length, LabelSize));
}

std::vector<double> TChartAxis::LabelValues(Integer LabelSize) const {
  std::vector<double> out;
  if (!std::isfinite(FMinimum) || !std::isfinite(FMaximum)) return out;
  const double inc = CalcIncrement(LabelSize);
  if (FLogarithmic) {
    double lo, hi;
    if (!MapRange(lo, hi) || inc <= 0) return out;
    const double lb = std::log(FLogarithmicBase);
    const double eps = 1e-9;
    double first = std::ceil(lo / lb - eps), last = std::floor(hi / lb + eps);
    first = std::ceil(first / inc - eps) * inc;
    for (double k = first; k <= last && out.size() < 10000; k += inc) out.push_back(std::pow(FLogarithmicBase, k));
    return out;
  }
  if (inc <= 0) {
    out.push_back(FMinimum);
    return out;
  }
  const double first = FRoundFirstLabel ? std::ceil(FMinimum / inc - 1e-9) * inc : FMinimum;
  const double stop = FMaximum + inc * 1e-9;
  for (int k = 0; out.size() < 10000; ++k) {
    double v = first + k * inc;
    if (v > stop) break;
    if (std::fabs(v) < inc * 1e-9) v = 0;
    out.push_back(v);
  }
  return out;
}

String TChartAxis::LabelText(double Value, double Increment) const {
  String text = PlotFormatFloat(FAxisValuesFormat, Value);
  if (!(Increment > 0) || !std::isfinite(Increment) || FLogarithmic) return text;
  if (text != PlotFormatFloat(FAxisValuesFormat, Value + Increment)) return text;
  // The format hides the step: as many decimals as the step needs.
  int decimals = std::clamp(int(std::ceil(-std::log10(Increment) - 1e-9)), 0, 20);
  const double rounded = std::round(Value / Increment) * Increment;
  return PlotFormatFloat("#,##0." + String(std::size_t(decimals), '#'), rounded);
}

bool TChartAxis::DataRange(double& Lo, double& Hi) const {
  if (!FSeriesList) return false;
  bool any = false;
  for (TChartSeries* s : *FSeriesList) {
    if (!s->Active() || !s->IsOnAxis(this) || s->Count() == 0) continue;
    const bool horiz = s->HorizAxis() == this;
    double lo, hi;
    // A series of null points only has no range to give.
    if (!s->ValueRange(horiz ? s->XValues() : s->YValues(), lo, hi)) continue;
    if (!any) {
      Lo = lo, Hi = hi, any = true;
    } else {
      Lo = std::min(Lo, lo), Hi = std::max(Hi, hi);
    }
  }
  return any;
}

void TChartAxis::AdjustMaxMin() {
  double lo, hi;
  if (!DataRange(lo, hi)) return;
  bool changed = false;
  if (FAutomatic || FAutomaticMinimum) changed |= FMinimum != lo, FMinimum = lo;
  if (FAutomatic || FAutomaticMaximum) changed |= FMaximum != hi, FMaximum = hi;
  if (FMaximum < FMinimum) std::swap(FMinimum, FMaximum);
  if (changed) Changed();
}

void TChartAxis::Scroll(double Offset, bool CheckLimits) {
  if (!std::isfinite(Offset)) return;
  if (CheckLimits) {
    double lo, hi;
    if (DataRange(lo, hi)) {
      if (Offset > 0 && FMaximum + Offset > hi) return;
      if (Offset < 0 && FMinimum + Offset < lo) return;
    }
  }
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  FMinimum += Offset;
  FMaximum += Offset;
  Changed();
}

void TChartAxis::Assign(fw::TPersistent* Source) {
  auto* src = dynamic_cast<TChartAxis*>(Source);
  if (!src) return fw::TPersistent::Assign(Source);
  FHorizontal = src->FHorizontal;
  FOtherSide = src->FOtherSide;
  FAutomatic = src->FAutomatic;
  FAutomaticMinimum = src->FAutomaticMinimum;
  FAutomaticMaximum = src->FAutomaticMaximum;
  FMinimum = src->FMinimum;
  FMaximum = src->FMaximum;
  FIncrement = src->FIncrement;
  FLogarithmic = src->FLogarithmic;
  FLogarithmicBase = src->FLogarithmicBase;
  FInverted = src->FInverted;
  FRoundFirstLabel = src->FRoundFirstLabel;
  FAxisValuesFormat = src->FAxisValuesFormat;
  FVisible = src->FVisible;
  FLabels = src->FLabels;
  FLabelsSize = src->FLabelsSize;
  FLabelsAngle = src->FLabelsAngle;
  FLabelsMultiLine = src->FLabelsMultiLine;
  FLabelsOnAxis = src->FLabelsOnAxis;
  FTickLength = src->FTickLength;
  FTickInnerLength = src->FTickInnerLength;
  FMinorTickCount = src->FMinorTickCount;
  FMinorTickLength = src->FMinorTickLength;
  FPositionPercent = src->FPositionPercent;
  FStartPosition = src->FStartPosition;
  FEndPosition = src->FEndPosition;
  // The tools report each change; one report at the end is enough.
  const fw::TNotifyEvent report = std::move(OnChange);
  OnChange = nullptr;
  FTitle->Assign(src->FTitle.get());
  FLabelsFont->Assign(src->FLabelsFont.get());
  FGrid->Assign(src->FGrid.get());
  FTicks->Assign(src->FTicks.get());
  FTicksInner->Assign(src->FTicksInner.get());
  FMinorGrid->Assign(src->FMinorGrid.get());
  FMinorTicks->Assign(src->FMinorTicks.get());
  FAxisPen->Assign(src->FAxisPen.get());
  OnChange = report;
  Changed();
}

static double ExtremeXOnAxis(const TChartSeriesList& List, const TChartAxis* Axis, bool Max) {
  bool any = false;
  double result = 0;
  for (TChartSeries* s : List) {
    if (!s->Active() || !s->IsOnAxis(Axis) || s->Count() == 0) continue;
    double v = Max ? s->MaxXValue() : s->MinXValue();
    if (!any || (Max ? v > result : v < result)) result = v;
    any = true;
  }
  return result;
}

double MinimumXOnAxis(const TChartSeriesList& List, const TChartAxis* Axis) {
  return ExtremeXOnAxis(List, Axis, false);
}
double MaximumXOnAxis(const TChartSeriesList& List, const TChartAxis* Axis) {
  return ExtremeXOnAxis(List, Axis, true);
}

}  // namespace chart
