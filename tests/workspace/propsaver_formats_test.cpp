// Chart element formats in the settings store: titles, legend, series, axes and the whole chart
// written and read back onto fresh objects; damaged keys leave their property alone; the
// caller's section stays current.

#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"
#include "workspace/PropSaver.h"
#include "workspace_fixture.h"

namespace {

using workspace::TPropSaver;

class PropSaverFormatsTest : public wstest::WorkspaceTest {
 protected:
  std::unique_ptr<TPropSaver> store = TPropSaver::FromStrings(nullptr, "PREFERENCES");
  // A second chart, formatted by reading.
  chart::TChart* OtherChart() {
    auto* c = new chart::TChart(form.get());
    c->SetParent(form.get());
    return c;
  }
};

TEST_F(PropSaverFormatsTest, TitleRoundTrip) {
  chart::TChartTitle* t = chart->Title();
  t->SetText("Первая строка\r\nвторая");
  t->SetAlignment(chart::tlaRight);
  t->SetColor(fw::clYellow);
  t->SetTransparent(false);
  t->SetTransparency(35);
  t->SetShapeStyle(chart::fosRoundRectangle);
  t->Frame()->SetColor(fw::clRed);
  t->Frame()->SetWidth(3);
  t->Font()->SetSize(17);
  t->Gradient()->Visible = true;
  t->Gradient()->StartColor = fw::clBlue;
  t->SetLeft(40);
  t->SetTop(12);
  store->WriteTitle("TITLE", t);
  EXPECT_EQ(store->Section(), "PREFERENCES");

  chart::TChartTitle* r = OtherChart()->Title();
  ASSERT_TRUE(store->ReadTitle("TITLE", r));
  EXPECT_EQ(r->Text(), "Первая строка\r\nвторая");
  EXPECT_EQ(r->Alignment(), chart::tlaRight);
  EXPECT_EQ(r->Color(), fw::clYellow);
  EXPECT_EQ(r->Transparency(), 35);
  EXPECT_EQ(r->ShapeStyle(), chart::fosRoundRectangle);
  EXPECT_EQ(r->Frame()->Color(), fw::clRed);
  EXPECT_EQ(r->Frame()->Width(), 3);
  EXPECT_EQ(r->Font()->Size(), 17);
  EXPECT_TRUE(r->Gradient()->Visible);
  EXPECT_EQ(r->Gradient()->StartColor, fw::clBlue);
  EXPECT_TRUE(r->CustomPosition());
  EXPECT_EQ(r->Left(), 40);
  EXPECT_EQ(r->Top(), 12);
  EXPECT_EQ(store->Section(), "PREFERENCES");
  EXPECT_FALSE(store->ReadTitle("NO_SUCH_SECTION", r));
}

TEST_F(PropSaverFormatsTest, LegendRoundTripAndBrokenValues) {
  chart::TChartLegend* l = chart->Legend();
  l->SetAlignment(chart::laBottom);
  l->SetInverted(true);
  l->SetSymbolWidth(33);
  l->SetSymbolPosition(chart::spRight);
  l->SetTopPos(40);
  l->SetResizeChart(false);
  l->DividingLines()->SetVisible(true);
  l->SetVisible(false);
  store->WriteLegend("LEGEND", l);

  chart::TChartLegend* r = OtherChart()->Legend();
  ASSERT_TRUE(store->ReadLegend("LEGEND", r));
  EXPECT_EQ(r->Alignment(), chart::laBottom);
  EXPECT_TRUE(r->Inverted());
  EXPECT_EQ(r->SymbolWidth(), 33);
  EXPECT_EQ(r->SymbolPosition(), chart::spRight);
  EXPECT_EQ(r->TopPos(), 40);
  EXPECT_FALSE(r->ResizeChart());
  EXPECT_TRUE(r->DividingLines()->Visible());
  EXPECT_FALSE(r->Visible());

  // Values out of range or unreadable leave the property as it was.
  store->SetSection("LEGEND");
  store->WriteString("Alignment", "7");
  store->WriteString("TopPos", "250");
  store->WriteString("SymbolWidth", "wide");
  store->WriteString("Transparency", "-5");
  store->WriteString("Color", "green");
  chart::TChartLegend* fresh = OtherChart()->Legend();
  const auto alignment = fresh->Alignment();
  const auto topPos = fresh->TopPos();
  const auto width = fresh->SymbolWidth();
  const auto color = fresh->Color();
  ASSERT_TRUE(store->ReadLegend("LEGEND", fresh));
  EXPECT_EQ(fresh->Alignment(), alignment);
  EXPECT_EQ(fresh->TopPos(), topPos);
  EXPECT_EQ(fresh->SymbolWidth(), width);
  EXPECT_EQ(fresh->Color(), color);
  EXPECT_TRUE(fresh->Inverted());  // the readable keys still apply
}

TEST_F(PropSaverFormatsTest, SeriesFormatRoundTrip) {
  chart::TLineSeries s(nullptr);
  s.SetSeriesColor(fw::clTeal);
  s.SetTitle("Ряд");
  s.SetActive(false);
  s.SetShowInLegend(false);
  s.SetColorEachPoint(true);
  s.SetValueFormat("0.00");
  s.Pen()->SetWidth(5);
  s.Pen()->SetStyle(fw::psDash);
  s.Pointer()->SetVisible(true);
  s.Pointer()->SetStyle(chart::psDiamond);
  s.Pointer()->SetHorizSize(7);
  store->WriteSeriesFormat("SERIES", &s);
  chart::TLineSeries r(nullptr);
  ASSERT_TRUE(store->ReadSeriesFormat("SERIES", &r));
  EXPECT_EQ(r.SeriesColor(), fw::clTeal);
  EXPECT_EQ(r.Title(), "Ряд");
  EXPECT_FALSE(r.Active());
  EXPECT_FALSE(r.ShowInLegend());
  EXPECT_TRUE(r.ColorEachPoint());
  EXPECT_EQ(r.ValueFormat(), "0.00");
  EXPECT_EQ(r.Pen()->Width(), 5);
  EXPECT_EQ(r.Pen()->Style(), fw::psDash);
  EXPECT_TRUE(r.Pointer()->Visible());
  EXPECT_EQ(r.Pointer()->Style(), chart::psDiamond);
  EXPECT_EQ(r.Pointer()->HorizSize(), 7);
  // A pointer style out of range is left alone.
  store->SetSection("SERIES");
  store->WriteInteger("PointerStyle", 42);
  ASSERT_TRUE(store->ReadSeriesFormat("SERIES", &r));
  EXPECT_EQ(r.Pointer()->Style(), chart::psDiamond);
}

TEST_F(PropSaverFormatsTest, AxisRoundTripKeepsTheRangeAndItsFlags) {
  chart::TChartAxis* a = chart->LeftAxis();
  a->SetMinMax(-2.5, 7.25);
  a->SetIncrement(0.5);
  a->SetInverted(true);
  a->SetLogarithmicBase(2);
  a->SetAxisValuesFormat("0.0");
  a->Title()->SetCaption("Напряжение, В");
  a->Title()->SetAngle(90);
  a->Grid()->SetColor(fw::clGray);
  a->Grid()->SetStyle(fw::psDot);
  a->SetLabelsAngle(45);
  a->SetMinorTickCount(4);
  store->WriteAxis("AXIS", a);
  chart::TChartAxis* r = OtherChart()->LeftAxis();
  ASSERT_TRUE(store->ReadAxis("AXIS", r));
  EXPECT_EQ(r->Minimum(), -2.5);
  EXPECT_EQ(r->Maximum(), 7.25);
  EXPECT_EQ(r->Automatic(), a->Automatic());
  EXPECT_EQ(r->AutomaticMinimum(), a->AutomaticMinimum());
  EXPECT_EQ(r->Increment(), 0.5);
  EXPECT_TRUE(r->Inverted());
  EXPECT_EQ(r->LogarithmicBase(), 2.0);
  EXPECT_EQ(r->AxisValuesFormat(), "0.0");
  EXPECT_EQ(r->Title()->Caption(), "Напряжение, В");
  EXPECT_EQ(r->Title()->Angle(), 90);
  EXPECT_EQ(r->Grid()->Color(), fw::clGray);
  EXPECT_EQ(r->Grid()->Style(), fw::psDot);
  EXPECT_EQ(r->LabelsAngle(), 45);
  EXPECT_EQ(r->MinorTickCount(), 4);
}

TEST_F(PropSaverFormatsTest, WholeChartThroughTheStoreText) {
  chart->SetColor(fw::clSilver);
  chart->BackWall()->SetColor(fw::clCream);
  chart->Foot()->SetText("Подпись");
  chart->Legend()->SetAlignment(chart::laTop);
  chart->BottomAxis()->SetMinMax(1, 2);
  store->WriteChart("CHART", chart);
  // Through the text, as a workspace file keeps it.
  auto reread = TPropSaver::FromStrings(nullptr, "PREFERENCES");
  reread->SetText(store->GetText());
  chart::TChart* other = OtherChart();
  ASSERT_TRUE(reread->ReadChart("CHART", other));
  EXPECT_EQ(other->Color(), fw::clSilver);
  EXPECT_EQ(other->BackWall()->Color(), fw::clCream);
  EXPECT_EQ(other->Foot()->Text(), "Подпись");
  EXPECT_EQ(other->Legend()->Alignment(), chart::laTop);
  EXPECT_EQ(other->BottomAxis()->Minimum(), 1);
  EXPECT_EQ(other->BottomAxis()->Maximum(), 2);
  EXPECT_FALSE(reread->ReadChart("OTHER", other));
}

}  // namespace
