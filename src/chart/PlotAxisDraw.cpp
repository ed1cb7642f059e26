// Axis drawing: layout beside the plot rectangle, grid, line, ticks, labels and title, and the
// hit test. Everything goes through the canvas's virtual operations so recording canvases get
// the whole axis.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotCanvasState.h"
#include "platform/kernel/Rects.h"

namespace chart {

namespace {

// Pixels between the outer ticks and the labels, and between the labels and the title.
constexpr Integer kLabelGap = 2;
constexpr Integer kTitleGap = 2;

Integer Percent(Integer From, Integer To, Integer Pct) {
  return From + Integer(std::lround((double(To) - From) * Pct / 100.0));
}

Integer NormalAngle(Integer Degrees) {
  Integer a = Degrees % 360;
  return a < 0 ? a + 360 : a;
}

std::vector<String> SplitLines(const String& Text, bool MultiLine) {
  std::vector<String> lines;
  if (!MultiLine) {
    lines.push_back(Text);
    return lines;
  }
  std::size_t start = 0;
  for (;;) {
    const std::size_t blank = Text.find(' ', start);
    const String part = Text.substr(start, blank == String::npos ? String::npos : blank - start);
    if (!part.empty()) lines.push_back(part);
    if (blank == String::npos) break;
    start = blank + 1;
  }
  if (lines.empty()) lines.push_back(String());
  return lines;
}

// A block of text lines, centred under one another, turned Angle degrees counter-clockwise
// about its top-left corner; Box is the upright rectangle round the turned block, relative to
// that corner.
struct TextBlock {
  std::vector<String> Lines;
  std::vector<Integer> Widths;
  Integer Width = 0, LineHeight = 0;
  Integer Angle = 0;
  double Cos = 1, Sin = 0;
  TRect Box{};

  TextBlock(TPlotCanvas3D& Canvas, const String& Text, bool MultiLine, Integer AAngle)
      : Lines(SplitLines(Text, MultiLine)), Angle(NormalAngle(AAngle)) {
    for (const String& line : Lines) {
      Widths.push_back(Canvas.TextWidth(line));
      Width = std::max(Width, Widths.back());
    }
    LineHeight = Canvas.TextHeight("W");
    const double a = Angle * std::numbers::pi / 180.0;
    // Right angles exactly, so upright and quarter-turned boxes have whole sizes.
    Cos = Angle == 90 || Angle == 270 ? 0.0 : std::cos(a);
    Sin = Angle == 0 || Angle == 180 ? 0.0 : std::sin(a);
    const double h = double(LineHeight) * double(Lines.size());
    const double xs[4] = {0, double(Width), 0, double(Width)};
    const double ys[4] = {0, 0, h, h};
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
      const TPoint p = Turn(xs[i], ys[i]);
      minX = std::min<double>(minX, p.x), maxX = std::max<double>(maxX, p.x);
      minY = std::min<double>(minY, p.y), maxY = std::max<double>(maxY, p.y);
    }
    Box = TRect{Integer(minX), Integer(minY), Integer(maxX), Integer(maxY)};
  }
  // Screen offset of a point of the upright block.
  TPoint Turn(double X, double Y) const {
    return TPoint{Integer(std::lround(X * Cos + Y * Sin)), Integer(std::lround(-X * Sin + Y * Cos))};
  }
  Integer BoxWidth() const { return Box.right - Box.left; }
  Integer BoxHeight() const { return Box.bottom - Box.top; }
  // Draws the block beside an axis: centred on Centre along it, its near edge at Near, on the
  // Outwards (+1 or -1) side of that edge.
  void DrawBeside(TPlotCanvas3D& Canvas, bool Horizontal, Integer Centre, Integer Near, Integer Outwards) const {
    if (Horizontal)
      Draw(Canvas, Centre - BoxWidth() / 2, Outwards > 0 ? Near : Near - BoxHeight());
    else
      Draw(Canvas, Outwards > 0 ? Near : Near - BoxWidth(), Centre - BoxHeight() / 2);
  }
  // Draws the block so that its turned box has its top-left corner at (Left, Top).
  void Draw(TPlotCanvas3D& Canvas, Integer Left, Integer Top) const {
    const Integer ox = Left - Box.left, oy = Top - Box.top;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
      const TPoint d = Turn((Width - Widths[i]) / 2, double(LineHeight) * double(i));
      if (Angle == 0)
        Canvas.TextOut(ox + d.x, oy + d.y, Lines[i]);
      else
        Canvas.RotateLabel(ox + d.x, oy + d.y, Lines[i], double(Angle));
    }
  }
};

}  // namespace

Integer TChartAxis::Outwards() const {
  if (FHorizontal) return FOtherSide ? -1 : 1;
  return FOtherSide ? 1 : -1;
}

void TChartAxis::SetPlotRect(const win::RECT& PlotRect) {
  FPlotRect = PlotRect;
  if (FHorizontal) {
    SetPositions(Percent(PlotRect.left, PlotRect.right, FStartPosition),
                 Percent(PlotRect.left, PlotRect.right, FEndPosition));
    FPosAxis = FOtherSide ? Percent(PlotRect.top, PlotRect.bottom, FPositionPercent)
                          : Percent(PlotRect.bottom, PlotRect.top, FPositionPercent);
  } else {
    SetPositions(Percent(PlotRect.top, PlotRect.bottom, FStartPosition),
                 Percent(PlotRect.top, PlotRect.bottom, FEndPosition));
    FPosAxis = FOtherSide ? Percent(PlotRect.right, PlotRect.left, FPositionPercent)
                          : Percent(PlotRect.left, PlotRect.right, FPositionPercent);
  }
}

Integer TChartAxis::LabelSizeAlong(TPlotCanvas3D& Canvas) {
  Integer size = 1;
  for (double v : {FMinimum, FMaximum}) {
    const TextBlock block(Canvas, LabelText(v), FLabelsMultiLine, FLabelsAngle);
    size = std::max(size, FHorizontal ? block.BoxWidth() : block.BoxHeight());
  }
  // Room between neighbours: a blank's width along a horizontal axis, a little along a vertical.
  return size + (FHorizontal ? std::max<Integer>(4, Canvas.TextWidth(" ")) : 2);
}

std::vector<double> TChartAxis::CurrentLabels(TPlotCanvas3D& Canvas, double& Increment) {
  Canvas.Font()->Assign(FLabelsFont.get());
  // The first guess measures the end labels only; the labels of that step may be wider ("1,05"
  // between "1" and "3"), so each guess is checked on the texts it draws and the room per label
  // grows until no two neighbours overlap, however the labels are turned.
  const Integer gap = FHorizontal ? std::max<Integer>(4, Canvas.TextWidth(" ")) : 2;
  const Integer length = std::max<Integer>(1, std::abs(IAxisSize()));
  Integer along = LabelSizeAlong(Canvas);
  for (;;) {
    Increment = CalcIncrement(along);
    std::vector<double> values = LabelValues(along);
    double worst = 1;  // the most room a pair of neighbours needs, over the room it has
    Integer previousSize = 0, previousPos = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const TextBlock block(Canvas, LabelText(values[i], Increment), FLabelsMultiLine, FLabelsAngle);
      const Integer size = FHorizontal ? block.BoxWidth() : block.BoxHeight();
      const Integer pos = CalcPosValue(values[i]);
      if (i > 0) {
        const double room = std::max<double>(1, std::abs(pos - previousPos));
        worst = std::max(worst, double(std::max(size, previousSize) + gap) / room);
      }
      previousSize = size;
      previousPos = pos;
    }
    if (worst <= 1 || along >= length) return values;
    along = std::min<Integer>(length, std::max<Integer>(along + 1, Integer(std::ceil(along * worst))));
  }
}

std::vector<double> TChartAxis::PlaceTicks(TPlotCanvas3D& Canvas, double& Increment) {
  std::vector<double> values = CurrentLabels(Canvas, Increment);
  FTickPositions.clear();
  for (double v : values) FTickPositions.push_back(CalcPosValue(v));
  return values;
}

Integer TChartAxis::LabelsDepth(TPlotCanvas3D& Canvas, const std::vector<double>& Values, double Increment) {
  if (FLabelsSize > 0) return FLabelsSize;
  Integer depth = 0;
  for (double v : Values) {
    const TextBlock block(Canvas, LabelText(v, Increment), FLabelsMultiLine, FLabelsAngle);
    depth = std::max(depth, FHorizontal ? block.BoxHeight() : block.BoxWidth());
  }
  return depth;
}

Integer TChartAxis::TitleDepth(TPlotCanvas3D& Canvas) {
  if (FTitle->Caption().empty()) return 0;
  if (FTitle->Size() > 0) return FTitle->Size();
  Canvas.Font()->Assign(FTitle->Font());
  const TextBlock block(Canvas, FTitle->Caption(), false, FTitle->Angle());
  return FHorizontal ? block.BoxHeight() : block.BoxWidth();
}

Integer TChartAxis::SizeNeeded(TPlotCanvas3D& Canvas) {
  if (!FVisible) return 0;
  TPlotCanvasStateKeeper keep(Canvas);
  // Before the first layout the axis has no span: the canvas's extent stands in for it.
  const Integer start = FIStartPos, end = FIEndPos;
  if (start == end) {
    const TRect& b = Canvas.Bounds();
    if (FHorizontal)
      SetPositions(b.left, b.right);
    else
      SetPositions(b.top, b.bottom);
  }
  Integer size = FTicks->Visible() ? FTickLength : 0;
  if (FLabels) {
    double increment = 0;
    const std::vector<double> values = CurrentLabels(Canvas, increment);
    size += kLabelGap + LabelsDepth(Canvas, values, increment);
  }
  if (!FTitle->Caption().empty()) size += kTitleGap + TitleDepth(Canvas);
  SetPositions(start, end);
  return size;
}

void TChartAxis::CrossLine(TPlotCanvas3D& Canvas, Integer P, Integer From, Integer To) {
  if (From == To) return;
  if (FHorizontal)
    Canvas.DoVertLine(P, From, To);
  else
    Canvas.DoHorizLine(From, To, P);
}

std::vector<double> TChartAxis::MinorValues(const std::vector<double>& Values, double Increment) const {
  std::vector<double> out;
  if (FMinorTickCount <= 0 || Values.empty() || !(Increment > 0)) return out;
  // The label before the first and after the last, so minor marks fill the axis' ends too.
  std::vector<double> ext;
  ext.reserve(Values.size() + 2);
  if (FLogarithmic) {
    const double factor = std::pow(FLogarithmicBase, Increment);
    ext.push_back(Values.front() / factor);
    ext.insert(ext.end(), Values.begin(), Values.end());
    ext.push_back(Values.back() * factor);
  } else {
    ext.push_back(Values.front() - Increment);
    ext.insert(ext.end(), Values.begin(), Values.end());
    ext.push_back(Values.back() + Increment);
  }
  const double lo = std::min(FMinimum, FMaximum), hi = std::max(FMinimum, FMaximum);
  for (std::size_t i = 0; i + 1 < ext.size(); ++i) {
    const double step = (ext[i + 1] - ext[i]) / (FMinorTickCount + 1);
    for (Integer k = 1; k <= FMinorTickCount; ++k) {
      const double v = ext[i] + step * k;
      if (v >= lo && v <= hi && std::isfinite(v)) out.push_back(v);
    }
  }
  return out;
}

void TChartAxis::DrawGrid(TPlotCanvas3D& Canvas) {
  FTickPositions.clear();
  if (!FVisible) return;
  TPlotCanvasStateKeeper keep(Canvas);
  double increment = 0;
  const std::vector<double> values = PlaceTicks(Canvas, increment);
  if (OnDrawGrid) OnDrawGrid(*this, Canvas);
  const Integer from = FHorizontal ? FPlotRect.top : FPlotRect.left;
  const Integer to = FHorizontal ? FPlotRect.bottom : FPlotRect.right;
  if (FMinorGrid->Visible()) {
    Canvas.AssignVisiblePenColor(FMinorGrid.get(), FMinorGrid->Color());
    for (double v : MinorValues(values, increment)) CrossLine(Canvas, CalcPosValue(v), from, to);
  }
  if (FGrid->Visible()) {
    Canvas.AssignVisiblePenColor(FGrid.get(), FGrid->Color());
    for (Integer p : FTickPositions) CrossLine(Canvas, p, from, to);
  }
}

void TChartAxis::DrawTicks(TPlotCanvas3D& Canvas, const std::vector<double>& Values, double Increment) {
  const Integer o = Outwards();
  if (FTicksInner->Visible() && FTickInnerLength > 0) {
    Canvas.AssignVisiblePenColor(FTicksInner.get(), FTicksInner->Color());
    for (Integer p : FTickPositions) CrossLine(Canvas, p, FPosAxis - o, FPosAxis - o - o * FTickInnerLength);
  }
  if (FMinorTicks->Visible() && FMinorTickLength > 0) {
    Canvas.AssignVisiblePenColor(FMinorTicks.get(), FMinorTicks->Color());
    for (double v : MinorValues(Values, Increment))
      CrossLine(Canvas, CalcPosValue(v), FPosAxis + o, FPosAxis + o + o * FMinorTickLength);
  }
  if (FTicks->Visible() && FTickLength > 0) {
    Canvas.AssignVisiblePenColor(FTicks.get(), FTicks->Color());
    for (Integer p : FTickPositions) CrossLine(Canvas, p, FPosAxis + o, FPosAxis + o + o * FTickLength);
  }
}

void TChartAxis::DrawLabels(TPlotCanvas3D& Canvas, const std::vector<double>& Values, double Increment) {
  Canvas.Font()->Assign(FLabelsFont.get());
  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(0);
  const Integer o = Outwards();
  // The labels' near edge: their boxes start one gap past the outer ticks.
  const Integer near = FPosAxis + o * ((FTicks->Visible() ? FTickLength : 0) + kLabelGap) + (o < 0 ? 1 : 0);
  const Integer lo = std::min(FIStartPos, FIEndPos), hi = std::max(FIStartPos, FIEndPos);
  for (std::size_t i = 0; i < Values.size(); ++i) {
    const Integer p = FTickPositions[i];
    if (FLabelsOnAxis && (p < lo || p > hi)) continue;
    const TextBlock block(Canvas, LabelText(Values[i], Increment), FLabelsMultiLine, FLabelsAngle);
    block.DrawBeside(Canvas, FHorizontal, p, near, o);
  }
}

void TChartAxis::DrawTitle(TPlotCanvas3D& Canvas, Integer Offset) {
  Canvas.Font()->Assign(FTitle->Font());
  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(0);
  const TextBlock block(Canvas, FTitle->Caption(), false, FTitle->Angle());
  const Integer o = Outwards();
  const Integer near = FPosAxis + o * Offset + (o < 0 ? 1 : 0);
  block.DrawBeside(Canvas, FHorizontal, (FIStartPos + FIEndPos) / 2, near, o);
}

void TChartAxis::Draw(TPlotCanvas3D& Canvas) {
  if (!FVisible) return;
  TPlotCanvasStateKeeper keep(Canvas);
  double increment = 0;
  const std::vector<double> values = PlaceTicks(Canvas, increment);

  if (FAxisPen->Visible()) {
    Canvas.AssignVisiblePenColor(FAxisPen.get(), FAxisPen->Color());
    const Integer lo = std::min(FIStartPos, FIEndPos), hi = std::max(FIStartPos, FIEndPos);
    if (FHorizontal)
      Canvas.DoHorizLine(lo, hi + 1, FPosAxis);
    else
      Canvas.DoVertLine(FPosAxis, lo, hi + 1);
  }
  DrawTicks(Canvas, values, increment);
  Integer offset = FTicks->Visible() ? FTickLength : 0;
  if (FLabels) {
    DrawLabels(Canvas, values, increment);
    offset += kLabelGap + LabelsDepth(Canvas, values, increment);
  }
  if (!FTitle->Caption().empty()) DrawTitle(Canvas, offset + kTitleGap);
}

win::RECT TChartAxis::AxisRect() const {
  const Integer lo = std::min(FIStartPos, FIEndPos), hi = std::max(FIStartPos, FIEndPos);
  const Integer t = ClickTolerance;
  if (FHorizontal) return win::RECT{lo - t, FPosAxis - t, hi + t + 1, FPosAxis + t + 1};
  return win::RECT{FPosAxis - t, lo - t, FPosAxis + t + 1, hi + t + 1};
}

bool TChartAxis::Clicked(Integer X, Integer Y) const {
  if (!FVisible) return false;
  const win::RECT r = AxisRect();
  return win::PtInRect(&r, win::POINT{X, Y});
}

}  // namespace chart
