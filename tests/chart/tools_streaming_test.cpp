// A chart holding one tool of each registered tool class, with settings other than the usual
// ones, written to a component stream and read back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotToolsAnnotation.h"
#include "chart/PlotToolsAxisArrow.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsBands.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsDrawLine.h"
#include "chart/PlotToolsLines.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/PlotToolsRegistration.h"
#include "chart/PlotToolsSeries.h"
#include "chart/Series.h"
#include "framework/Filer.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsPicture.h"
#include "framework/Streams.h"

using namespace chart;

namespace {

struct ToolCase {
  const char* ClassName;
  std::function<void(TPlotCustomTool*, TChart*)> Set;
  // Lines the text form holds for the tool (indented as its properties).
  std::vector<const char*> Stored;
};

template <typename T>
std::function<void(TPlotCustomTool*, TChart*)> As(std::function<void(T*, TChart*)> Set) {
  return [Set](TPlotCustomTool* t, TChart* c) { Set(dynamic_cast<T*>(t), c); };
}

// Each tool placed on a chart with a series "Series1", given settings other than its usual ones.
const std::vector<ToolCase> kCases = {
    {"TCursorTool", As<TCursorTool>([](auto* t, auto* c) { t->SetSeries(c->Series(0)), t->SetStyle(cssVertical); }),
     {"Series = Series1", "Style = cssVertical"}},
    {"TDragMarksTool", As<TDragMarksTool>([](auto* t, auto*) { t->SetActive(false); }), {"Active = false"}},
    {"TAxisArrowTool", As<TAxisArrowTool>([](auto* t, auto* c) { t->SetAxis(c->LeftAxis()), t->SetPosition(aaEnd); }),
     {"AxisID = 2", "Position = aaEnd"}},
    {"TDrawLineTool", As<TDrawLineTool>([](auto* t, auto*) {
       t->SetButton(fw::mbRight);
       TDrawLine* line = t->Lines()->AddLine();
       line->Style = dlVertParallel, line->X1 = 7.25;
     }),
     {"Button = mbRight", "Style = dlVertParallel", "X1 = 7.25"}},
    {"TNearestTool", As<TNearestTool>([](auto* t, auto*) { t->SetStyle(hsDiamond), t->LinePen()->SetWidth(3); }),
     {"Style = hsDiamond", "LinePen.Width = 3"}},
    {"TColorBandTool", As<TColorBandTool>([](auto* t, auto* c) {
       t->SetAxis(c->BottomAxis()), t->SetStartValue(2.5), t->SetCursor(-21);
       t->Gradient()->Direction = gdRadial;
     }),
     {"AxisID = 0", "StartValue = 2.5", "Cursor = -21", "Gradient.Direction = gdRadial"}},
    {"TColorLineTool", As<TColorLineTool>([](auto* t, auto* c) { t->SetAxis(c->LeftAxis()), t->SetStyle(clCenter); }),
     {"Style = clCenter"}},
    {"TRotateTool", As<TRotateTool>([](auto* t, auto*) { t->SetStyle(rsElevation), t->SetInverted(true); }),
     {"Style = rsElevation", "Inverted = true"}},
    {"TChartImageTool", As<TChartImageTool>([](auto* t, auto*) {
       fw::TBitmap bitmap;
       bitmap.SetSize(3, 2);
       t->Picture()->SetGraphic(&bitmap);
     }),
     {"Picture.Data = <03626D70424D"}},  // "bmp", then the bitmap's file
    {"TMarksTipTool", As<TMarksTipTool>([](auto* t, auto*) { t->SetMouseAction(mtmClick), t->SetStyle(smsXY); }),
     {"MouseAction = mtmClick", "Style = smsXY"}},
    {"TAnnotationTool", As<TAnnotationTool>([](auto* t, auto*) {
       t->SetText("Пик\nвторой"), t->SetTextAlignment(fw::taCenter), t->SetWidth(120);
       t->Callout()->XPosition = 40;
       t->Shape()->SetShapeStyle(fosRoundRectangle);
       t->Shape()->SetBevel(fw::bvLowered), t->Shape()->SetBevelWidth(3);
     }),
     {"Text = \"Пик\\nвторой\"", "TextAlignment = taCenter", "Width = 120", "Callout.XPosition = 40",
      "Shape.ShapeStyle = fosRoundRectangle", "Shape.Bevel = bvLowered", "Shape.BevelWidth = 3"}},
    {"TSeriesAnimationTool", As<TSeriesAnimationTool>([](auto* t, auto*) { t->SetLoop(salCircular), t->SetSteps(7); }),
     {"Loop = salCircular", "Steps = 7"}},
    {"TGridBandTool", As<TGridBandTool>([](auto* t, auto* c) {
       t->SetAxis(c->LeftAxis());
       t->Band2()->BackColor = fw::clGray;
     }),
     {"Band2.BackColor = 8421504"}},
    {"TAxisScrollTool", As<TAxisScrollTool>([](auto* t, auto* c) { t->SetAxis(c->RightAxis()); }), {"AxisID = 3"}},
    {"TRectangleTool", As<TRectangleTool>([](auto* t, auto*) { t->SetPositionUnits(muPercent); }),
     {"PositionUnits = muPercent"}},
    {"TClipSeriesTool", As<TClipSeriesTool>([](auto* t, auto* c) { t->SetSeries(c->Series(0)); }),
     {"Series = Series1"}},
    {"TDragPointTool", As<TDragPointTool>([](auto* t, auto*) { t->SetDragStyle(dsY); }), {"DragStyle = dsY"}},
};

std::string Write(fw::TComponent* c) {
  fw::TStringStream s;
  s.WriteComponent(c);
  return s.DataString();
}

std::string ToText(const std::string& bytes) {
  fw::TStringStream in(bytes), text;
  fw::ComponentBinaryToText(&in, &text);
  return text.DataString();
}

std::string ToBinary(const std::string& text) {
  fw::TStringStream in(text), binary;
  fw::ComponentTextToBinary(&in, &binary);
  return binary.DataString();
}

// The text of one tool's block, from its header to the next component.
std::string ToolBlock(const std::string& text, const std::string& header) {
  size_t from = text.find(header);
  if (from == std::string::npos) return {};
  return text.substr(from, text.find("\n  T", from + 1) - from);
}

class ToolsStreaming : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLineSeriesClasses();
    RegisterChartTools();
  }
  void TearDown() override { UnRegisterChartTools(); }
};

TEST_F(ToolsStreaming, EveryToolClassReadsBackWithItsSettings) {
  ASSERT_EQ(kCases.size(), PlotToolTypes().size());  // every registered class has a case
  TChart chart(nullptr);
  chart.SetName("Chart1");
  auto* series = new TLineSeries(&chart);
  series->SetName("Series1");
  series->AddPoint(1, 2);
  series->AddPoint(3, 5);
  chart.AddSeries(series);
  int n = 0;
  for (const ToolCase& c : kCases) {
    fw::TPersistentClass cls = fw::GetClass(c.ClassName);
    ASSERT_NE(cls, nullptr) << c.ClassName;
    auto* tool = dynamic_cast<TPlotCustomTool*>(cls->Create(&chart));
    ASSERT_NE(tool, nullptr) << c.ClassName;
    tool->SetName("Tool" + std::to_string(++n));
    tool->SetParentChart(&chart);
    c.Set(tool, &chart);
  }

  const std::string bytes = Write(&chart);
  const std::string text = ToText(bytes);
  n = 0;
  for (const ToolCase& c : kCases) {
    const std::string block = ToolBlock(text, std::string(c.ClassName) + " Tool" + std::to_string(++n) + " {");
    ASSERT_FALSE(block.empty()) << c.ClassName;
    for (const char* line : c.Stored) EXPECT_NE(block.find(line), std::string::npos) << block << "\nlacks " << line;
  }

  // Read back from the binary and from the text form: the same classes in the same order,
  // each writing what the original wrote.
  for (const std::string& source : {bytes, ToBinary(text)}) {
    fw::TComponent owner(nullptr);
    fw::TStringStream in(source);
    auto* back = dynamic_cast<TChart*>(in.ReadComponent(&owner));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Tools().size(), kCases.size());
    for (size_t i = 0; i < kCases.size(); ++i) EXPECT_EQ(back->Tools()[i]->ClassName(), kCases[i].ClassName);
    EXPECT_EQ(dynamic_cast<TPlotCustomToolSeries*>(back->Tools()[0])->Series(), back->Series(0));
    EXPECT_EQ(dynamic_cast<TChartImageTool*>(back->Tools()[8])->Picture()->Width(), 3);
    EXPECT_EQ(Write(back), bytes);
  }
}

// A picture of no known format, or whose bytes are not a picture, is refused with the chart.
TEST_F(ToolsStreaming, DamagedPictureDataIsRefused) {
  fw::TComponent owner(nullptr);
  for (const char* data : {"<>", "<03787878424D>", "<03626D70424D0000>"}) {
    const std::string text = std::string("TChart { TChartImageTool T { Picture.Data = ") + data + " } }";
    fw::TStringStream in(ToBinary(text));
    EXPECT_THROW(in.ReadComponent(&owner), fw::EReadError) << data;
    EXPECT_EQ(owner.ComponentCount(), 0) << data;
  }
}

}  // namespace
