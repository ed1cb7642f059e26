// The chart element formats of the settings store: titles, legend, series, axes, the chart.
#include <cmath>
#include <cstdint>
#include <limits>

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "chart/SeriesPointer.h"
#include "framework/IniFiles.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

// Makes Section current for one writer or reader and restores the caller's section after it.
class TSectionSwitch {
 public:
  TSectionSwitch(TPropSaver& Store, std::string_view Section) : FStore(Store), FSaved(Store.Section()) {
    Store.SetSection(Section);
  }
  ~TSectionSwitch() { FStore.SetSection(FSaved); }
  TSectionSwitch(const TSectionSwitch&) = delete;
  TSectionSwitch& operator=(const TSectionSwitch&) = delete;

 private:
  TPropSaver& FStore;
  String FSaved;
};

// An enumeration value read back only when it lies in [Low, High].
template <typename E, typename Set>
void ReadEnum(const TPropSaver& Store, std::string_view Ident, Integer Low, Integer High, Set&& Apply) {
  if (!Store.ValueExists(Ident)) return;
  const Integer v = Store.ReadInteger(Ident, Low - 1);
  if (v >= Low && v <= High) Apply(E(v));
}

template <typename Set>
void ReadBoolKey(const TPropSaver& Store, std::string_view Ident, Set&& Apply) {
  if (Store.ValueExists(Ident)) Apply(Store.ReadBool(Ident, false));
}

template <typename Set>
void ReadIntegerKey(const TPropSaver& Store, std::string_view Ident, Set&& Apply) {
  if (!Store.ValueExists(Ident)) return;
  constexpr Integer missing = INT32_MIN;
  const Integer v = Store.ReadInteger(Ident, missing);
  if (v != missing) Apply(v);
}

template <typename Set>
void ReadFloatKey(const TPropSaver& Store, std::string_view Ident, Set&& Apply) {
  if (!Store.ValueExists(Ident)) return;
  const double v = Store.ReadFloat(Ident, std::numeric_limits<double>::quiet_NaN());
  if (std::isfinite(v)) Apply(v);
}

template <typename Set>
void ReadColorKey(const TPropSaver& Store, std::string_view Ident, Set&& Apply) {
  if (!Store.ValueExists(Ident)) return;
  constexpr fw::TColor missing = fw::TColor(0x7EADBEEF);
  const fw::TColor c = Store.ReadColor(Ident, missing);
  if (c != missing) Apply(c);
}

}  // namespace

void TPropSaver::WriteShape(const chart::TPlotCustomShapePosition* Shape) {
  WriteBool("Visible", Shape->Visible());
  WriteColor("Color", Shape->Color());
  WriteBool("Transparent", Shape->Transparent());
  WriteInteger("Transparency", Shape->Transparency());
  WritePen("Frame", Shape->Frame());
  WriteInteger("ShapeStyle", Shape->ShapeStyle());
  WriteShadow("Shadow", Shape->Shadow());
  WriteGradient("Gradient", Shape->Gradient());
  WriteFont("Font", Shape->Font());
  WriteBool("CustomPosition", Shape->CustomPosition());
  WriteInteger("Left", Shape->Left());
  WriteInteger("Top", Shape->Top());
}

void TPropSaver::ReadShape(chart::TPlotCustomShapePosition* Shape) {
  ReadBoolKey(*this, "Visible", [&](bool v) { Shape->SetVisible(v); });
  ReadColorKey(*this, "Color", [&](fw::TColor c) { Shape->SetColor(c); });
  ReadBoolKey(*this, "Transparent", [&](bool v) { Shape->SetTransparent(v); });
  ReadIntegerKey(*this, "Transparency", [&](Integer v) {
    if (v >= 0 && v <= 100) Shape->SetTransparency(v);
  });
  ReadPen("Frame", Shape->Frame());
  ReadEnum<chart::TChartObjectShapeStyle>(*this, "ShapeStyle", chart::fosRectangle, chart::fosRoundRectangle,
                                          [&](auto v) { Shape->SetShapeStyle(v); });
  ReadShadow("Shadow", Shape->Shadow());
  ReadGradient("Gradient", Shape->Gradient());
  ReadFont("Font", Shape->Font());
  // A custom position is the box's place; the place alone would turn it on.
  const bool custom = ReadBool("CustomPosition", Shape->CustomPosition());
  if (custom) {
    ReadIntegerKey(*this, "Left", [&](Integer v) { Shape->SetLeft(v); });
    ReadIntegerKey(*this, "Top", [&](Integer v) { Shape->SetTop(v); });
  }
  Shape->SetCustomPosition(custom);
}

void TPropSaver::WriteTitle(std::string_view Section, const chart::TChartTitle* Title) {
  if (!Title) return;
  TSectionSwitch in(*this, Section);
  WriteShape(Title);
  WriteMultiLine("Text", Title->Text());
  WriteInteger("Alignment", Title->Alignment());
}

bool TPropSaver::ReadTitle(std::string_view Section, chart::TChartTitle* Title) {
  if (!Title || !FIni->SectionExists(Section)) return false;
  TSectionSwitch in(*this, Section);
  ReadShape(Title);
  if (ValueExists("Text")) Title->SetText(ReadMultiLine("Text", Title->Text()));
  ReadEnum<chart::TTitleAlignment>(*this, "Alignment", chart::tlaLeft, chart::tlaCenter,
                                   [&](auto v) { Title->SetAlignment(v); });
  return true;
}

void TPropSaver::WriteLegend(std::string_view Section, const chart::TChartLegend* Legend) {
  if (!Legend) return;
  TSectionSwitch in(*this, Section);
  WriteShape(Legend);
  WriteInteger("Alignment", Legend->Alignment());
  WriteBool("Inverted", Legend->Inverted());
  WriteInteger("SymbolWidth", Legend->SymbolWidth());
  WriteInteger("SymbolPosition", Legend->SymbolPosition());
  WriteInteger("VertSpacing", Legend->VertSpacing());
  WriteInteger("HorizMargin", Legend->HorizMargin());
  WriteInteger("VertMargin", Legend->VertMargin());
  WriteInteger("TopPos", Legend->TopPos());
  WriteBool("ResizeChart", Legend->ResizeChart());
  WritePen("DividingLines", Legend->DividingLines());
}

bool TPropSaver::ReadLegend(std::string_view Section, chart::TChartLegend* Legend) {
  if (!Legend || !FIni->SectionExists(Section)) return false;
  TSectionSwitch in(*this, Section);
  ReadShape(Legend);
  ReadEnum<chart::TLegendAlignment>(*this, "Alignment", chart::laLeft, chart::laBottom,
                                    [&](auto v) { Legend->SetAlignment(v); });
  ReadBoolKey(*this, "Inverted", [&](bool v) { Legend->SetInverted(v); });
  ReadIntegerKey(*this, "SymbolWidth", [&](Integer v) {
    if (v >= 0) Legend->SetSymbolWidth(v);
  });
  ReadEnum<chart::TLegendSymbolPosition>(*this, "SymbolPosition", chart::spLeft, chart::spRight,
                                         [&](auto v) { Legend->SetSymbolPosition(v); });
  ReadIntegerKey(*this, "VertSpacing", [&](Integer v) { Legend->SetVertSpacing(v); });
  ReadIntegerKey(*this, "HorizMargin", [&](Integer v) { Legend->SetHorizMargin(v); });
  ReadIntegerKey(*this, "VertMargin", [&](Integer v) { Legend->SetVertMargin(v); });
  ReadIntegerKey(*this, "TopPos", [&](Integer v) {
    if (v >= 0 && v <= 100) Legend->SetTopPos(v);
  });
  ReadBoolKey(*this, "ResizeChart", [&](bool v) { Legend->SetResizeChart(v); });
  ReadPen("DividingLines", Legend->DividingLines());
  return true;
}

void TPropSaver::WriteSeriesFormat(std::string_view Section, const chart::TChartSeries* Series) {
  if (!Series) return;
  TSectionSwitch in(*this, Section);
  WriteColor("Color", Series->SeriesColor());
  WriteMultiLine("Title", Series->Title());
  WriteBool("Visible", Series->Active());
  WriteBool("ShowInLegend", Series->ShowInLegend());
  WriteBool("ColorEachPoint", Series->ColorEachPoint());
  WriteString("ValueFormat", Series->ValueFormat());
  WritePen("Pen", Series->Pen());
  if (const chart::TSeriesMarks* marks = Series->Marks()) {
    WriteBool("MarksVisible", marks->Visible());
    WriteInteger("MarksStyle", marks->Style());
  }
  if (const auto* line = dynamic_cast<const chart::TCustomSeries*>(Series)) {
    const chart::TSeriesPointer* pointer = line->Pointer();
    WriteBool("PointerVisible", pointer->Visible());
    WriteInteger("PointerStyle", pointer->Style());
    WriteColor("PointerColor", pointer->Color());
    WriteInteger("PointerHorizSize", pointer->HorizSize());
    WriteInteger("PointerVertSize", pointer->VertSize());
    WritePen("PointerPen", pointer->Pen());
  }
}

bool TPropSaver::ReadSeriesFormat(std::string_view Section, chart::TChartSeries* Series) {
  if (!Series || !FIni->SectionExists(Section)) return false;
  TSectionSwitch in(*this, Section);
  ReadColorKey(*this, "Color", [&](fw::TColor c) { Series->SetSeriesColor(c); });
  if (ValueExists("Title")) Series->SetTitle(ReadMultiLine("Title", Series->Title()));
  ReadBoolKey(*this, "Visible", [&](bool v) { Series->SetActive(v); });
  ReadBoolKey(*this, "ShowInLegend", [&](bool v) { Series->SetShowInLegend(v); });
  ReadBoolKey(*this, "ColorEachPoint", [&](bool v) { Series->SetColorEachPoint(v); });
  if (ValueExists("ValueFormat")) Series->SetValueFormat(ReadString("ValueFormat", Series->ValueFormat()));
  ReadPen("Pen", Series->Pen());
  if (chart::TSeriesMarks* marks = Series->Marks()) {
    ReadBoolKey(*this, "MarksVisible", [&](bool v) { marks->SetVisible(v); });
    ReadEnum<chart::TSeriesMarksStyle>(*this, "MarksStyle", chart::smsValue, chart::smsXY,
                                       [&](auto v) { marks->SetStyle(v); });
  }
  if (auto* line = dynamic_cast<chart::TCustomSeries*>(Series)) {
    chart::TSeriesPointer* pointer = line->Pointer();
    ReadBoolKey(*this, "PointerVisible", [&](bool v) { pointer->SetVisible(v); });
    ReadIntegerKey(*this, "PointerStyle", [&](Integer v) { pointer->SetStyle(v); });
    ReadColorKey(*this, "PointerColor", [&](fw::TColor c) { pointer->SetColor(c); });
    ReadIntegerKey(*this, "PointerHorizSize", [&](Integer v) {
      if (v >= 0) pointer->SetHorizSize(v);
    });
    ReadIntegerKey(*this, "PointerVertSize", [&](Integer v) {
      if (v >= 0) pointer->SetVertSize(v);
    });
    ReadPen("PointerPen", pointer->Pen());
  }
  return true;
}

void TPropSaver::WriteAxis(std::string_view Section, const chart::TChartAxis* Axis) {
  if (!Axis) return;
  TSectionSwitch in(*this, Section);
  WriteBool("Visible", Axis->Visible());
  WriteBool("Automatic", Axis->Automatic());
  WriteBool("AutomaticMinimum", Axis->AutomaticMinimum());
  WriteBool("AutomaticMaximum", Axis->AutomaticMaximum());
  WriteFloat("Minimum", Axis->Minimum());
  WriteFloat("Maximum", Axis->Maximum());
  WriteFloat("Increment", Axis->Increment());
  WriteBool("Logarithmic", Axis->Logarithmic());
  WriteFloat("LogarithmicBase", Axis->LogarithmicBase());
  WriteBool("Inverted", Axis->Inverted());
  WriteBool("RoundFirstLabel", Axis->RoundFirstLabel());
  WriteString("AxisValuesFormat", Axis->AxisValuesFormat());
  WriteMultiLine("Title", Axis->Title()->Caption());
  WriteFont("TitleFont", Axis->Title()->Font());
  WriteInteger("TitleAngle", Axis->Title()->Angle());
  WriteBool("Labels", Axis->Labels());
  WriteFont("LabelsFont", Axis->LabelsFont());
  WriteInteger("LabelsAngle", Axis->LabelsAngle());
  WritePen("AxisPen", Axis->Axis());
  WritePen("Grid", Axis->Grid());
  WritePen("MinorGrid", Axis->MinorGrid());
  WritePen("Ticks", Axis->Ticks());
  WritePen("TicksInner", Axis->TicksInner());
  WritePen("MinorTicks", Axis->MinorTicks());
  WriteInteger("TickLength", Axis->TickLength());
  WriteInteger("MinorTickCount", Axis->MinorTickCount());
}

bool TPropSaver::ReadAxis(std::string_view Section, chart::TChartAxis* Axis) {
  if (!Axis || !FIni->SectionExists(Section)) return false;
  TSectionSwitch in(*this, Section);
  ReadBoolKey(*this, "Visible", [&](bool v) { Axis->SetVisible(v); });
  // The range first, the automatic flags after it: setting a bound may switch them off.
  if (ValueExists("Minimum") && ValueExists("Maximum")) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double lo = ReadFloat("Minimum", nan), hi = ReadFloat("Maximum", nan);
    if (std::isfinite(lo) && std::isfinite(hi) && lo <= hi) Axis->SetMinMax(lo, hi);
  }
  ReadBoolKey(*this, "AutomaticMinimum", [&](bool v) { Axis->SetAutomaticMinimum(v); });
  ReadBoolKey(*this, "AutomaticMaximum", [&](bool v) { Axis->SetAutomaticMaximum(v); });
  ReadBoolKey(*this, "Automatic", [&](bool v) { Axis->SetAutomatic(v); });
  ReadFloatKey(*this, "Increment", [&](double v) {
    if (v >= 0) Axis->SetIncrement(v);
  });
  ReadFloatKey(*this, "LogarithmicBase", [&](double v) {
    if (v > 1) Axis->SetLogarithmicBase(v);
  });
  ReadBoolKey(*this, "Logarithmic", [&](bool v) { Axis->SetLogarithmic(v); });
  ReadBoolKey(*this, "Inverted", [&](bool v) { Axis->SetInverted(v); });
  ReadBoolKey(*this, "RoundFirstLabel", [&](bool v) { Axis->SetRoundFirstLabel(v); });
  if (ValueExists("AxisValuesFormat")) Axis->SetAxisValuesFormat(ReadString("AxisValuesFormat", {}));
  if (ValueExists("Title")) Axis->Title()->SetCaption(ReadMultiLine("Title", {}));
  ReadFont("TitleFont", Axis->Title()->Font());
  ReadIntegerKey(*this, "TitleAngle", [&](Integer v) { Axis->Title()->SetAngle(v); });
  ReadBoolKey(*this, "Labels", [&](bool v) { Axis->SetLabels(v); });
  ReadFont("LabelsFont", Axis->LabelsFont());
  ReadIntegerKey(*this, "LabelsAngle", [&](Integer v) { Axis->SetLabelsAngle(v); });
  ReadPen("AxisPen", Axis->Axis());
  ReadPen("Grid", Axis->Grid());
  ReadPen("MinorGrid", Axis->MinorGrid());
  ReadPen("Ticks", Axis->Ticks());
  ReadPen("TicksInner", Axis->TicksInner());
  ReadPen("MinorTicks", Axis->MinorTicks());
  ReadIntegerKey(*this, "TickLength", [&](Integer v) {
    if (v >= 0) Axis->SetTickLength(v);
  });
  ReadIntegerKey(*this, "MinorTickCount", [&](Integer v) {
    if (v >= 0) Axis->SetMinorTickCount(v);
  });
  return true;
}

void TPropSaver::WriteChart(std::string_view Section, const chart::TCustomChart* Chart) {
  if (!Chart) return;
  const String s(Section);
  {
    TSectionSwitch in(*this, s);
    WriteColor("Color", Chart->Color());
    WriteGradient("Gradient", Chart->Gradient());
    WriteColor("BackWallColor", Chart->BackWall()->Color());
    WriteBool("BackWallTransparent", Chart->BackWall()->Transparent());
    WriteGradient("BackWallGradient", Chart->BackWall()->Gradient());
  }
  WriteTitle(s + "_TITLE", Chart->Title());
  WriteTitle(s + "_SUBTITLE", Chart->SubTitle());
  WriteTitle(s + "_FOOT", Chart->Foot());
  WriteTitle(s + "_SUBFOOT", Chart->SubFoot());
  WriteLegend(s + "_LEGEND", Chart->Legend());
  for (std::size_t i = 0; i < Chart->AxesList().size(); ++i)
    WriteAxis(s + "_AXIS" + std::to_string(i), Chart->AxesList()[i]);
}

bool TPropSaver::ReadChart(std::string_view Section, chart::TCustomChart* Chart) {
  if (!Chart || !FIni->SectionExists(Section)) return false;
  const String s(Section);
  {
    TSectionSwitch in(*this, s);
    ReadColorKey(*this, "Color", [&](fw::TColor c) { Chart->SetColor(c); });
    ReadGradient("Gradient", Chart->Gradient());
    ReadColorKey(*this, "BackWallColor", [&](fw::TColor c) { Chart->BackWall()->SetColor(c); });
    ReadBoolKey(*this, "BackWallTransparent", [&](bool v) { Chart->BackWall()->SetTransparent(v); });
    ReadGradient("BackWallGradient", Chart->BackWall()->Gradient());
  }
  ReadTitle(s + "_TITLE", Chart->Title());
  ReadTitle(s + "_SUBTITLE", Chart->SubTitle());
  ReadTitle(s + "_FOOT", Chart->Foot());
  ReadTitle(s + "_SUBFOOT", Chart->SubFoot());
  ReadLegend(s + "_LEGEND", Chart->Legend());
  for (std::size_t i = 0; i < Chart->AxesList().size(); ++i)
    ReadAxis(s + "_AXIS" + std::to_string(i), Chart->AxesList()[i]);
  Chart->Invalidate();
  return true;
}

}  // namespace workspace
