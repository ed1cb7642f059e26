// A chart with its series, axes and tools written to a component stream and read back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotTools.h"
#include "chart/Series.h"
#include "chart/SeriesPointer.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"

using namespace chart;

namespace {

// A tool class registered the way each tool class registers: its class for reading by name,
// its own properties in one call after its base's.
class TStreamAxisTool : public TPlotCustomToolAxis {
 public:
  using TPlotCustomToolAxis::TPlotCustomToolAxis;
  Integer Size() const { return FSize; }
  void SetSize(Integer Value) { FSize = Value; }
  Integer FSize = 20;
};
class TStreamSeriesTool : public TPlotCustomToolSeries {
 public:
  using TPlotCustomToolSeries::TPlotCustomToolSeries;
};

const std::vector<TPlotClassInfo> kStreamTools = {PlotClassOf<TStreamAxisTool>(), PlotClassOf<TStreamSeriesTool>()};

void RegisterAll() {
  RegisterLineSeriesClasses();
  RegisterToolTypes(kStreamTools);
  fw::RegisterProperties<TStreamAxisTool, TPlotCustomToolAxis>(
      {fw::Prop("Size", &TStreamAxisTool::Size, &TStreamAxisTool::SetSize).Default(20)});
}

std::unique_ptr<TChart> MakeChart() {
  RegisterAll();
  auto chart = std::make_unique<TChart>(nullptr);
  chart->SetName("Chart1");
  chart->SetWidth(420);
  chart->Title()->SetText("Измерения");
  chart->Legend()->SetAlignment(laBottom);
  chart->BottomAxis()->SetMinMax(-2.5, 40);
  chart->BottomAxis()->Title()->SetCaption("t, с");
  chart->BottomAxis()->Grid()->SetColor(fw::clRed);
  chart->LeftAxis()->SetLogarithmic(true);
  auto* a = new TLineSeries(chart.get());
  a->SetName("Series1");
  a->SetTitle("первый");
  a->SetSeriesColor(fw::clBlue);
  a->Pointer()->SetVisible(true);
  a->Pointer()->SetStyle(psDiamond);
  for (int i = 0; i < 50; ++i) a->AddPoint(i * 0.5, i * i - 3.25, i % 7 ? "" : "метка", i == 3 ? fw::clLime : clTeeColor);
  a->AddNullPoint(30, 1);
  chart->AddSeries(a);
  auto* b = new TFastLineSeries(chart.get());
  b->SetName("Series2");
  b->SetActive(false);
  b->AddPoint(1, 2);
  chart->AddSeries(b);
  b->SetVertAxis(chart->RightAxis());
  auto* axisTool = new TStreamAxisTool(chart.get());
  axisTool->SetName("AxisTool");
  axisTool->SetAxis(chart->RightAxis());
  axisTool->SetSize(35);
  auto* seriesTool = new TStreamSeriesTool(chart.get());
  seriesTool->SetName("SeriesTool");
  seriesTool->SetParentChart(chart.get());
  seriesTool->SetSeries(b);
  seriesTool->SetActive(false);
  return chart;
}

std::string Write(fw::TComponent* c) {
  fw::TStringStream s;
  s.WriteComponent(c);
  return s.DataString();
}

TChart* Read(const std::string& bytes, fw::TComponent* Owner) {
  fw::TStringStream s(bytes);
  return dynamic_cast<TChart*>(s.ReadComponent(Owner));
}

// What a user sees of a chart, one line per aspect, from public properties only.
std::string Describe(const TChart& c) {
  std::string d = fw::Format("%d %s %d\n", c.Width(), c.Title()->Text(), fw::Int64(c.Legend()->Alignment()));
  for (TChartAxis* axis : {c.BottomAxis(), c.LeftAxis(), c.RightAxis()})
    d += fw::Format("axis %d %g %g %d %s %d\n", fw::Int64(axis->Automatic()), axis->Minimum(), axis->Maximum(),
                    fw::Int64(axis->Logarithmic()), axis->Title()->Caption(), fw::Int64(axis->Grid()->Color()));
  for (Integer i = 0; i < c.SeriesCount(); ++i) {
    TChartSeries* s = c.Series(i);
    d += fw::Format("%s %s %s %d %d %d\n", s->ClassName(), s->Name(), s->Title(), fw::Int64(s->Active()),
                    fw::Int64(s->SeriesColor()), fw::Int64(s->VertAxis() == c.RightAxis()));
    for (Integer p = 0; p < s->Count(); ++p)
      d += fw::Format(" %g,%g,%s,%d", s->PointX(p), s->PointY(p), s->PointLabel(p), fw::Int64(s->PointColor(p)));
    if (auto* line = dynamic_cast<TCustomSeries*>(s))
      d += fw::Format(" pointer %d %d", fw::Int64(line->Pointer()->Visible()), fw::Int64(line->Pointer()->Style()));
    d += "\n";
  }
  for (TPlotCustomTool* t : c.Tools()) {
    d += fw::Format("%s %s %d", t->ClassName(), t->Name(), fw::Int64(t->Active()));
    if (auto* at = dynamic_cast<TStreamAxisTool*>(t)) d += fw::Format(" axis %d size %d", at->AxisID(), at->Size());
    if (auto* st = dynamic_cast<TPlotCustomToolSeries*>(t))
      d += " series " + (st->Series() ? st->Series()->Name() : std::string("-"));
    d += "\n";
  }
  return d;
}

}  // namespace

// The test's tool classes leave the tool registry after each test, so other tests see only the
// program's own tools there.
class ChartStreaming : public ::testing::Test {
 protected:
  void TearDown() override { UnregisterToolTypes(kStreamTools); }
};

TEST_F(ChartStreaming, ChartWithSeriesAxesAndToolsReadsBackEqual) {
  auto chart = MakeChart();
  const std::string bytes = Write(chart.get());
  fw::TComponent owner(nullptr);
  TChart* back = Read(bytes, &owner);
  ASSERT_TRUE(back);
  EXPECT_EQ(Describe(*back), Describe(*chart));
  // The links point into the chart read, not at the original.
  auto* tool = dynamic_cast<TPlotCustomToolSeries*>(back->Tools().at(1));
  ASSERT_TRUE(tool);
  EXPECT_EQ(tool->Series(), back->Series(1));
  EXPECT_EQ(back->Tools().at(0)->ParentChart(), back);
  EXPECT_EQ(Write(back), bytes);

  // The same through the text form.
  fw::TStringStream in(bytes), text, binary;
  fw::ComponentBinaryToText(&in, &text);
  text.SetPosition(0);
  fw::ComponentTextToBinary(&text, &binary);
  EXPECT_EQ(binary.DataString(), bytes);
  for (const char* line : {"TChart Chart1 {", "  Legend.Alignment = laBottom", "  TStreamAxisTool AxisTool {",
                           "    AxisID = 3", "    Series = Series2", "    VertAxis = 3"})
    EXPECT_NE(text.DataString().find(line), std::string::npos) << line;
}

// Cut anywhere, or with its series data damaged, the chart stream is refused and nothing read
// stays with the owner.
TEST_F(ChartStreaming, DamagedChartStreamLeavesNothingBehind) {
  const std::string bytes = Write(MakeChart().get());
  fw::TComponent owner(nullptr);
  // Making a chart takes a while: forty cuts spread over the stream, and one byte short.
  std::vector<size_t> cuts{bytes.size() - 1};
  for (size_t k = 0; k < 40; ++k) cuts.push_back(k * bytes.size() / 40);
  for (size_t cut : cuts) {
    EXPECT_THROW(Read(bytes.substr(0, cut), &owner), fw::EStreamError) << cut;
    ASSERT_EQ(owner.ComponentCount(), 0) << cut;
  }
  const std::string texts[] = {
      "TChart { TLineSeries S { Data = <01000000> } }",  // one point announced, none there
      "TChart { TLineSeries S { VertAxis = 99 } }",
      "TChart { TStreamAxisTool T { AxisID = -4 } }",
      "TChart { BottomAxis.Minimum = inf }",
  };
  for (const std::string& text : texts) {
    fw::TStringStream in(text), binary;
    fw::ComponentTextToBinary(&in, &binary);
    EXPECT_THROW(Read(binary.DataString(), &owner), fw::EReadError) << text;
    EXPECT_EQ(owner.ComponentCount(), 0) << text;
  }
}

// Values are stored without the multiplier, so a round trip gives back what was stored and what
// is read through the multiplier, however often it is repeated.
TEST_F(ChartStreaming, PointsKeepTheirValuesThroughRoundTripsWithMultipliers) {
  RegisterAll();
  struct Case { double Multiplier, Stored; };
  const Case cases[] = {{2, 20}, {0, 40}, {-1.5, 1e308}, {1e300, 1e10}, {0.5, -3}};
  for (const Case& c : cases) {
    TChart chart(nullptr);
    auto* s = new TLineSeries(&chart);
    s->SetName("Series1");
    chart.AddSeries(s);
    s->AddPoint(0, c.Stored);
    s->AddPoint(1, 2);
    s->XValues()->SetMultiplier(c.Multiplier);
    s->YValues()->SetMultiplier(c.Multiplier);
    std::string bytes = Write(&chart);
    for (int trip = 0; trip < 3; ++trip) {
      fw::TComponent owner(nullptr);
      TChart* back = Read(bytes, &owner);
      ASSERT_TRUE(back && back->SeriesCount() == 1) << c.Multiplier;
      TChartSeries* r = back->Series(0);
      ASSERT_EQ(r->Count(), 2);
      EXPECT_EQ(r->XValues()->Multiplier(), c.Multiplier);
      EXPECT_EQ(r->XValues()->Data()[1], 1) << c.Multiplier << " trip " << trip;
      EXPECT_EQ(r->YValues()->Data()[0], c.Stored) << c.Multiplier << " trip " << trip;
      EXPECT_EQ(r->YValues()->Data()[1], 2) << c.Multiplier << " trip " << trip;
      EXPECT_EQ(r->PointY(0), c.Stored * c.Multiplier);
      bytes = Write(back);
    }
  }
}
