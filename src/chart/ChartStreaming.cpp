#include "chart/ChartStreaming.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotTools.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "chart/SeriesPointer.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"

namespace chart {

using fw::FieldProp;
using fw::FuncProp;
using fw::ObjectProp;
using fw::Prop;
using fw::RegisterProperties;

// Children and parents in streams ------------------------------------------------------------

void TCustomAxisPanel::GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent*) {
  for (TChartSeries* s : FSeriesList) Proc(s);
  for (TPlotCustomTool* t : FTools) Proc(t);
}

void TCustomChartElement::SetParentComponent(fw::TComponent* Value) {
  if (auto* chart = dynamic_cast<TCustomAxisPanel*>(Value)) SetParentChart(chart);
}

void TChartSeries::SetParentComponent(fw::TComponent* Value) {
  if (auto* chart = dynamic_cast<TCustomAxisPanel*>(Value)) SetParentChart(chart);
}

// "Data": the points as count, then X and Y of each point (little-endian doubles), then a flags
// byte (1: labels follow, each a 32-bit length and UTF-8; 2: colours follow, 32 bits each).
namespace {

void PutLE(fw::TStream* s, uint64_t v, int bytes) {
  unsigned char b[8];
  for (int i = 0; i < bytes; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
  s->WriteBuffer(b, bytes);
}
uint64_t GetLE(fw::TStream* s, int bytes) {
  unsigned char b[8] = {};
  s->ReadBuffer(b, bytes);
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint64_t(b[i]) << (8 * i);
  return v;
}
double GetDouble(fw::TStream* s) {
  uint64_t bits = GetLE(s, 8);
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}
void PutDouble(fw::TStream* s, double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, 8);
  PutLE(s, bits, 8);
}
[[noreturn]] void BadData() { throw fw::EReadError("Invalid series data"); }

// Values are written as stored: the lists' multipliers are properties of their own and apply
// again on reading.
void WriteSeriesData(const TChartSeries* Series, fw::TStream* S) {
  const Integer n = Series->Count();
  PutLE(S, uint64_t(n), 4);
  const double* xs = Series->XValues()->Data();
  const double* ys = Series->YValues()->Data();
  for (Integer i = 0; i < n; ++i) {
    PutDouble(S, xs[i]);
    PutDouble(S, ys[i]);
  }
  const bool labels = !Series->Labels().Empty();
  const bool colors = Series->HasPointColors();
  fw::Byte flags = fw::Byte((labels ? 1 : 0) | (colors ? 2 : 0));
  S->WriteBuffer(&flags, 1);
  for (Integer i = 0; labels && i < n; ++i) {
    const String& text = Series->PointLabel(i);
    PutLE(S, text.size(), 4);
    if (!text.empty()) S->WriteBuffer(text.data(), Integer(text.size()));
  }
  for (Integer i = 0; colors && i < n; ++i) PutLE(S, uint32_t(Series->PointColor(i)), 4);
}

// Everything is read and checked before the series changes.
void ReadSeriesData(TChartSeries* Series, fw::TStream* S) {
  const auto left = [S] { return S->Size() - S->Position(); };
  const uint64_t n = GetLE(S, 4);
  if (fw::Int64(n) * 16 + 1 > left()) BadData();
  std::vector<double> xs(n), ys(n);
  for (uint64_t i = 0; i < n; ++i) {
    xs[i] = GetDouble(S);
    ys[i] = GetDouble(S);
  }
  fw::Byte flags = 0;
  S->ReadBuffer(&flags, 1);
  if (flags > 3) BadData();
  std::vector<String> labels;
  if (flags & 1) {
    labels.resize(n);
    for (auto& text : labels) {
      uint64_t size = GetLE(S, 4);
      if (fw::Int64(size) > left()) BadData();
      text.resize(size);
      if (size) S->ReadBuffer(text.data(), Integer(size));
    }
  }
  std::vector<TColor> colors;
  if (flags & 2) {
    colors.resize(n);
    for (auto& c : colors) c = TColor(uint32_t(GetLE(S, 4)));
  }
  if (left() != 0) BadData();
  Series->BeginUpdate();
  Series->Clear();
  for (uint64_t i = 0; i < n; ++i)
    Series->AddPoint(xs[i], ys[i], labels.empty() ? String() : labels[i], colors.empty() ? clTeeColor : colors[i]);
  Series->EndUpdate();
}

// The index of an axis in its chart's axis list, -1 for none or a stray axis.
Integer AxisIndex(const TCustomAxisPanel* Chart, const TChartAxis* Axis) {
  if (!Chart || !Axis) return -1;
  const auto& axes = Chart->AxesList();
  auto it = std::find(axes.begin(), axes.end(), Axis);
  return it == axes.end() ? -1 : Integer(it - axes.begin());
}
TChartAxis* AxisAt(const TCustomAxisPanel* Chart, Integer Index) {
  if (!Chart || Index < 0 || Index >= Integer(Chart->AxesList().size())) throw fw::EReadError("Invalid property value");
  return Chart->AxesList()[size_t(Index)];
}

}  // namespace

void TChartSeries::DefineProperties(fw::TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Data", [this](fw::TStream* S) { ReadSeriesData(this, S); },
      [this](fw::TStream* S) { WriteSeriesData(this, S); }, Count() > 0);
}

// Property tables ----------------------------------------------------------------------------

const std::vector<String>& SeriesMarksStyleNames() {
  static const std::vector<String> names = {"smsValue",        "smsPercent",      "smsLabel",
                                            "smsLabelPercent", "smsLabelValue",   "smsLegend",
                                            "smsPercentTotal", "smsLabelPercentTotal",
                                            "smsXValue",       "smsXY"};
  return names;
}

namespace {

void RegisterDrawingObjects() {
  RegisterProperties<TChartPen, fw::TPen>({
      Prop("Visible", &TChartPen::Visible, &TChartPen::SetVisible),
      Prop("EndStyle", &TChartPen::EndStyle, &TChartPen::SetEndStyle).Names({"esRound", "esSquare", "esFlat"}),
      Prop("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots),
  });
  RegisterProperties<TPlotShadow>({
      FieldProp("Color", &TPlotShadow::Color),
      FieldProp("HorizSize", &TPlotShadow::HorizSize),
      FieldProp("VertSize", &TPlotShadow::VertSize),
      FieldProp("Transparency", &TPlotShadow::Transparency),
      FieldProp("Smooth", &TPlotShadow::Smooth),
  });
  RegisterProperties<TPlotFont, fw::TFont>(
      {ObjectProp("Shadow", static_cast<TPlotShadow* (TPlotFont::*)()>(&TPlotFont::Shadow))});
  RegisterProperties<TPlotGradient>({
      FieldProp("Visible", &TPlotGradient::Visible),
      FieldProp("Direction", &TPlotGradient::Direction)
          .Names({"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter", "gdFromTopLeft",
                  "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"}),
      FieldProp("StartColor", &TPlotGradient::StartColor),
      FieldProp("MidColor", &TPlotGradient::MidColor),
      FieldProp("EndColor", &TPlotGradient::EndColor),
      FieldProp("Balance", &TPlotGradient::Balance),
      FieldProp("RadialX", &TPlotGradient::RadialX),
      FieldProp("RadialY", &TPlotGradient::RadialY),
  });
}

void RegisterElements() {
  RegisterProperties<TCustomChartElement>({
      Prop("Active", &TCustomChartElement::Active, &TCustomChartElement::SetActive).Default(true),
      ObjectProp("Brush", &TCustomChartElement::Brush),
      ObjectProp("Pen", &TCustomChartElement::Pen),
  });
  using S = TPlotCustomShapePosition;
  RegisterProperties<S, TCustomChartElement>({
      Prop("Visible", &S::Visible, &S::SetVisible),
      Prop("Color", &S::Color, &S::SetColor),
      Prop("Transparent", &S::Transparent, &S::SetTransparent),
      Prop("Transparency", &S::Transparency, &S::SetTransparency),
      ObjectProp("Frame", &S::Frame),
      Prop("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle).Names({"fosRectangle", "fosRoundRectangle"}),
      ObjectProp("Shadow", &S::Shadow),
      ObjectProp("Gradient", &S::Gradient),
      ObjectProp("Font", &S::Font),
      Prop("CustomPosition", &S::CustomPosition, &S::SetCustomPosition),
      // Where the box was drawn is layout, not a setting: stored only when the user placed it.
      Prop("Left", &S::Left, &S::SetLeft).Stored([](fw::TPersistent* p) { return static_cast<S*>(p)->CustomPosition(); }),
      Prop("Top", &S::Top, &S::SetTop).Stored([](fw::TPersistent* p) { return static_cast<S*>(p)->CustomPosition(); }),
  });
  RegisterProperties<TChartTitle, S>({
      Prop("Text", &TChartTitle::Text, &TChartTitle::SetText),
      Prop("Alignment", &TChartTitle::Alignment, &TChartTitle::SetAlignment).Names({"tlaLeft", "tlaRight", "tlaCenter"}),
  });
  using L = TChartLegend;
  RegisterProperties<L, S>({
      Prop("Alignment", &L::Alignment, &L::SetAlignment).Names({"laLeft", "laRight", "laTop", "laBottom"}),
      Prop("Inverted", &L::Inverted, &L::SetInverted),
      Prop("SymbolWidth", &L::SymbolWidth, &L::SetSymbolWidth),
      Prop("SymbolPosition", &L::SymbolPosition, &L::SetSymbolPosition).Names({"spLeft", "spRight"}),
      Prop("VertSpacing", &L::VertSpacing, &L::SetVertSpacing),
      Prop("HorizMargin", &L::HorizMargin, &L::SetHorizMargin),
      Prop("VertMargin", &L::VertMargin, &L::SetVertMargin),
      Prop("TopPos", &L::TopPos, &L::SetTopPos),
      Prop("ResizeChart", &L::ResizeChart, &L::SetResizeChart),
      ObjectProp("DividingLines", &L::DividingLines),
  });
  RegisterProperties<TChartWall, TCustomChartElement>({
      Prop("Color", &TChartWall::Color, &TChartWall::SetColor),
      ObjectProp("Gradient", &TChartWall::Gradient),
      Prop("Transparent", &TChartWall::Transparent, &TChartWall::SetTransparent),
      Prop("Size", &TChartWall::Size, &TChartWall::SetSize),
  });
}

void RegisterAxes() {
  RegisterProperties<TChartAxisTitle>({
      Prop("Caption", &TChartAxisTitle::Caption, &TChartAxisTitle::SetCaption),
      ObjectProp("Font", &TChartAxisTitle::Font),
      Prop("Angle", &TChartAxisTitle::Angle, &TChartAxisTitle::SetAngle),
      Prop("Size", &TChartAxisTitle::Size, &TChartAxisTitle::SetSize),
  });
  using A = TChartAxis;
  RegisterProperties<A>({
      Prop("Automatic", &A::Automatic, &A::SetAutomatic),
      Prop("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum),
      Prop("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum),
      // The bounds refuse to cross: each one read widens the range first when it must.
      FuncProp<A, double>(
          "Minimum", [](A* a) { return a->Minimum(); },
          [](A* a, double v) {
            if (v > a->Maximum()) a->SetMaximum(v);
            a->SetMinimum(v);
          }),
      FuncProp<A, double>(
          "Maximum", [](A* a) { return a->Maximum(); },
          [](A* a, double v) {
            if (v < a->Minimum()) a->SetMinimum(v);
            a->SetMaximum(v);
          }),
      Prop("Increment", &A::Increment, &A::SetIncrement),
      Prop("Logarithmic", &A::Logarithmic, &A::SetLogarithmic),
      Prop("LogarithmicBase", &A::LogarithmicBase, &A::SetLogarithmicBase),
      Prop("Inverted", &A::Inverted, &A::SetInverted),
      Prop("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel),
      Prop("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat),
      Prop("Visible", &A::Visible, &A::SetVisible),
      ObjectProp("Title", &A::Title),
      Prop("Labels", &A::Labels, &A::SetLabels),
      ObjectProp("LabelsFont", &A::LabelsFont),
      Prop("LabelsSize", &A::LabelsSize, &A::SetLabelsSize),
      Prop("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle),
      Prop("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine),
      Prop("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis),
      ObjectProp("Grid", &A::Grid),
      ObjectProp("Ticks", &A::Ticks),
      ObjectProp("TicksInner", &A::TicksInner),
      ObjectProp("MinorGrid", &A::MinorGrid),
      ObjectProp("MinorTicks", &A::MinorTicks),
      ObjectProp("Axis", &A::Axis),
      Prop("TickLength", &A::TickLength, &A::SetTickLength),
      Prop("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength),
      Prop("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount),
      Prop("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength),
      Prop("PositionPercent", &A::PositionPercent, &A::SetPositionPercent),
      Prop("StartPosition", &A::StartPosition, &A::SetStartPosition),
      Prop("EndPosition", &A::EndPosition, &A::SetEndPosition),
  });
}

void RegisterSeries() {
  RegisterProperties<TChartValueList>({
      Prop("Name", &TChartValueList::Name, &TChartValueList::SetName),
      Prop("Order", &TChartValueList::Order, &TChartValueList::SetOrder).Names({"loNone", "loAscending", "loDescending"}),
      Prop("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime),
      Prop("Multiplier", &TChartValueList::Multiplier, &TChartValueList::SetMultiplier),
      Prop("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource),
  });
  using M = TSeriesMarks;
  RegisterProperties<M>({
      Prop("Visible", &M::Visible, &M::SetVisible),
      Prop("Style", &M::Style, &M::SetStyle).Names(SeriesMarksStyleNames()),
      Prop("Color", &M::Color, &M::SetColor),
      Prop("Transparent", &M::Transparent, &M::SetTransparent),
      ObjectProp("Frame", &M::Frame),
      ObjectProp("Arrow", &M::Arrow),
      ObjectProp("Font", &M::Font),
      Prop("ArrowLength", &M::ArrowLength, &M::SetArrowLength),
  });
  using C = TChartSeries;
  // A series' axes are stored as their indexes in the chart's axis list (as a tool's "AxisID"),
  // only when they are not the bottom and left axes a series joins on.
  auto axisProp = [](const char* Name, TChartAxis* (C::*Get)() const, void (C::*Set)(TChartAxis*), Integer Usual) {
    return FuncProp<C, Integer>(
               Name, [Get](C* s) { return AxisIndex(s->ParentChart(), (s->*Get)()); },
               [Set](C* s, Integer v) { (s->*Set)(AxisAt(s->ParentChart(), v)); })
        .Stored([Get, Usual](fw::TPersistent* p) {
          auto* s = static_cast<C*>(p);
          Integer index = AxisIndex(s->ParentChart(), (s->*Get)());
          return index >= 0 && index != Usual;
        });
  };
  RegisterProperties<C>({
      Prop("Active", &C::Active, &C::SetActive).Default(true),
      Prop("Title", &C::Title, &C::SetTitle),
      Prop("SeriesColor", &C::SeriesColor, &C::SetSeriesColor).Stored([](fw::TPersistent* p) {
        return static_cast<C*>(p)->HasSeriesColor();
      }),
      Prop("ColorEachPoint", &C::ColorEachPoint, &C::SetColorEachPoint),
      Prop("ShowInLegend", &C::ShowInLegend, &C::SetShowInLegend),
      Prop("ValueFormat", &C::ValueFormat, &C::SetValueFormat),
      axisProp("HorizAxis", &C::HorizAxis, &C::SetHorizAxis, 0),
      axisProp("VertAxis", &C::VertAxis, &C::SetVertAxis, 2),
      ObjectProp("XValues", &C::XValues),
      ObjectProp("YValues", &C::YValues),
      ObjectProp("Marks", &C::Marks),
      ObjectProp("Brush", &C::Brush),
  });
  using P = TSeriesPointer;
  RegisterProperties<P>({
      Prop("Visible", &P::Visible, &P::SetVisible),
      Prop("Style", &P::Style, &P::SetStyle)
          .Names({"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross", "psStar",
                  "psDiamond", "psSmallDot"}),
      Prop("Color", &P::Color, &P::SetColor),
      Prop("HorizSize", &P::HorizSize, &P::SetHorizSize),
      Prop("VertSize", &P::VertSize, &P::SetVertSize),
      ObjectProp("Pen", &P::Pen),
  });
  RegisterProperties<TCustomSeries, C>({
      ObjectProp("LinePen", &TCustomSeries::LinePen),
      ObjectProp("Pointer", &TCustomSeries::Pointer),
  });
}

void RegisterChartAndTools() {
  fw::RegisterClass<TChart>();
  using T = TCustomAxisPanel;
  RegisterProperties<TCustomPlotPanel>({
      Prop("Width", &TCustomPlotPanel::Width, &TCustomPlotPanel::SetWidth),
      Prop("Height", &TCustomPlotPanel::Height, &TCustomPlotPanel::SetHeight),
      Prop("Color", &TCustomPlotPanel::Color, &TCustomPlotPanel::SetColor),
  });
  RegisterProperties<TCustomPlotPanelExtended, TCustomPlotPanel>({
      ObjectProp("Gradient", &TCustomPlotPanelExtended::Gradient),
  });
  RegisterProperties<T, TCustomPlotPanelExtended>({
      Prop("AllowZoom", &T::AllowZoom, &T::SetAllowZoom),
      Prop("AllowPanning", &T::AllowPanning, &T::SetAllowPanning),
      Prop("View3D", &T::View3D, &T::SetView3D),
      ObjectProp("BottomAxis", &T::BottomAxis),
      ObjectProp("TopAxis", &T::TopAxis),
      ObjectProp("LeftAxis", &T::LeftAxis),
      ObjectProp("RightAxis", &T::RightAxis),
      ObjectProp("DepthAxis", &T::DepthAxis),
      ObjectProp("DepthTopAxis", &T::DepthTopAxis),
  });
  RegisterProperties<TCustomChart, T>({
      ObjectProp("Title", &TCustomChart::Title),
      ObjectProp("SubTitle", &TCustomChart::SubTitle),
      ObjectProp("Foot", &TCustomChart::Foot),
      ObjectProp("SubFoot", &TCustomChart::SubFoot),
      ObjectProp("Legend", &TCustomChart::Legend),
      ObjectProp("BackWall", &TCustomChart::BackWall),
      ObjectProp("LeftWall", &TCustomChart::LeftWall),
      ObjectProp("BottomWall", &TCustomChart::BottomWall),
  });

  RegisterProperties<TPlotCustomTool, TCustomChartElement>({});
  RegisterProperties<TPlotCustomToolSeries, TPlotCustomTool>({
      Prop("Series", &TPlotCustomToolSeries::Series, &TPlotCustomToolSeries::SetSeries),
  });
  // The axis is stored as its index in the chart's axis list, read once the tool is in its chart.
  RegisterProperties<TPlotCustomToolAxis, TPlotCustomTool>({
      FuncProp<TPlotCustomToolAxis, Integer>(
          "AxisID", [](TPlotCustomToolAxis* t) { return t->AxisID(); },
          [](TPlotCustomToolAxis* t, Integer v) { t->SetAxis(AxisAt(t->ParentChart(), v)); })
          .Stored([](fw::TPersistent* p) { return static_cast<TPlotCustomToolAxis*>(p)->Axis() != nullptr; }),
  });
}

}  // namespace

void RegisterChartProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterDrawingObjects();
    RegisterElements();
    RegisterAxes();
    RegisterSeries();
    RegisterChartAndTools();
  });
}

}  // namespace chart
