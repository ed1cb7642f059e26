// Fonts, pens, shadows and gradients as ';'-separated fields: round trips, and broken fields
// leaving the object as it was.

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "chart/PlotCanvas.h"
#include "framework/GraphicsObjects.h"
#include "workspace/PropSaver.h"

namespace {

using workspace::TPropSaver;

std::unique_ptr<TPropSaver> Reparsed(const TPropSaver& store) {
  auto copy = TPropSaver::FromStrings(nullptr, store.Section());
  copy->SetText(store.GetText());
  return copy;
}

TEST(PropSaverObjects, FontRoundTripWithSemicolonInName) {
  fw::TFont font;
  font.SetName("Odd;Name Sans");
  font.SetSize(13);
  font.SetColor(fw::clNavy);
  font.SetStyle({fw::fsBold, fw::fsStrikeOut});
  font.SetCharset(204);
  auto store = TPropSaver::FromStrings(nullptr, "TITLE");
  store->WriteFont("Font", &font);
  auto copy = Reparsed(*store);
  fw::TFont back;
  ASSERT_TRUE(copy->ReadFont("Font", &back));
  EXPECT_EQ(back.Name(), "Odd;Name Sans");
  EXPECT_EQ(back.Size(), 13);
  EXPECT_EQ(back.Color(), fw::clNavy);
  EXPECT_TRUE(back.Style().Contains(fw::fsBold));
  EXPECT_TRUE(back.Style().Contains(fw::fsStrikeOut));
  EXPECT_FALSE(back.Style().Contains(fw::fsItalic));
  EXPECT_EQ(back.Charset(), 204);
}

TEST(PropSaverObjects, BrokenFontLeavesFontUnchanged) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->SetText(
      "[S]\r\nNoName=10;$00000000;0;1;\r\nBadSize=x;$0;0;1;Arial\r\nBadStyle=10;$0;99;1;Arial\r\n"
      "Few=10;$0;0\r\nZero=0;$0;0;1;Arial\r\n");
  fw::TFont font;
  font.SetName("Keep");
  font.SetSize(9);
  for (const char* key : {"NoName", "BadSize", "BadStyle", "Few", "Zero", "Missing"}) {
    EXPECT_FALSE(store->ReadFont(key, &font)) << key;
    EXPECT_EQ(font.Name(), "Keep") << key;
    EXPECT_EQ(font.Size(), 9) << key;
  }
}

TEST(PropSaverObjects, PenAndChartPen) {
  fw::TPen pen;
  pen.SetColor(fw::clGreen);
  pen.SetWidth(3);
  pen.SetStyle(fw::psDashDot);
  pen.SetMode(fw::pmXor);
  chart::TChartPen chartPen;
  chartPen.SetColor(fw::clRed);
  chartPen.SetWidth(2);
  chartPen.SetStyle(fw::psDot);
  chartPen.SetVisible(false);
  chartPen.SetEndStyle(chart::esFlat);
  chartPen.SetSmallDots(true);
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WritePen("Pen", &pen);
  store->WritePen("ChartPen", &chartPen);
  EXPECT_EQ(store->ReadString("Pen", ""), "$00008000;3;3;14");
  auto copy = Reparsed(*store);

  fw::TPen pen2;
  ASSERT_TRUE(copy->ReadPen("Pen", &pen2));
  EXPECT_EQ(pen2.Color(), fw::clGreen);
  EXPECT_EQ(pen2.Width(), 3);
  EXPECT_EQ(pen2.Style(), fw::psDashDot);
  EXPECT_EQ(pen2.Mode(), fw::pmXor);

  chart::TChartPen chartPen2;
  ASSERT_TRUE(copy->ReadPen("ChartPen", &chartPen2));
  EXPECT_EQ(chartPen2.Color(), fw::clRed);
  EXPECT_EQ(chartPen2.Width(), 2);
  EXPECT_EQ(chartPen2.Style(), fw::psDot);
  EXPECT_FALSE(chartPen2.Visible());
  EXPECT_EQ(chartPen2.EndStyle(), chart::esFlat);
  EXPECT_TRUE(chartPen2.SmallDots());

  copy->SetText("[S]\r\nStyle=$0;1;42;4\r\nWidth=$0;0;0;4\r\nEnd=$0;1;0;4;1;9;0\r\n");
  chart::TChartPen kept;
  kept.SetWidth(5);
  for (const char* key : {"Style", "Width", "End"}) {
    EXPECT_FALSE(copy->ReadPen(key, &kept)) << key;
    EXPECT_EQ(kept.Width(), 5) << key;
  }
}

TEST(PropSaverObjects, Shadow) {
  chart::TPlotShadow shadow;
  shadow.Color = fw::clSilver;
  shadow.HorizSize = -3;
  shadow.VertSize = 4;
  shadow.Transparency = 60;
  shadow.Smooth = true;
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteShadow("Shadow", &shadow);
  auto copy = Reparsed(*store);
  chart::TPlotShadow back;
  ASSERT_TRUE(copy->ReadShadow("Shadow", &back));
  EXPECT_EQ(back.Color, fw::clSilver);
  EXPECT_EQ(back.HorizSize, -3);
  EXPECT_EQ(back.VertSize, 4);
  EXPECT_EQ(back.Transparency, 60);
  EXPECT_TRUE(back.Smooth);

  copy->WriteString("Shadow", "$0;1;1;101;0");
  EXPECT_FALSE(copy->ReadShadow("Shadow", &back));
  EXPECT_EQ(back.Transparency, 60);
}

TEST(PropSaverObjects, Gradient) {
  chart::TPlotGradient g;
  g.Visible = true;
  g.Direction = chart::gdRadial;
  g.StartColor = fw::clAqua;
  g.MidColor = fw::clNone;
  g.EndColor = fw::clPurple;
  g.Balance = 30;
  g.RadialX = -15;
  g.RadialY = 25;
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteGradient("Gradient", &g);
  auto copy = Reparsed(*store);
  chart::TPlotGradient back;
  ASSERT_TRUE(copy->ReadGradient("Gradient", &back));
  EXPECT_TRUE(back.Visible);
  EXPECT_EQ(back.Direction, chart::gdRadial);
  EXPECT_EQ(back.StartColor, fw::clAqua);
  EXPECT_EQ(back.MidColor, fw::clNone);
  EXPECT_EQ(back.EndColor, fw::clPurple);
  EXPECT_EQ(back.Balance, 30);
  EXPECT_EQ(back.RadialX, -15);
  EXPECT_EQ(back.RadialY, 25);

  chart::TPlotGradient kept;
  for (const char* text : {"1;10;$0;$0;$0;50;0;0", "1;0;$0;$0;$0;50;0", "1;0;$0;$0;$0;150;0;0"}) {
    copy->WriteString("Gradient", text);
    EXPECT_FALSE(copy->ReadGradient("Gradient", &kept)) << text;
    EXPECT_EQ(kept.Direction, chart::gdTopBottom) << text;
    EXPECT_EQ(kept.Balance, 50) << text;
  }
}

}  // namespace

namespace {

// Sizes beyond what can be drawn count as broken fields, in every object reader: the object
// stays as it was (and so is written back as it was), the largest sane size still reads.
TEST(PropSaverObjects, SizesBeyondSaneRangesAreBroken) {
  struct Case { const char* Text; bool Reads; };
  struct Reader { const char* Kind; std::function<bool(const TPropSaver&)> Read; std::vector<Case> Cases; };
  fw::TFont font;
  fw::TPen pen;
  chart::TPlotShadow shadow;
  chart::TPlotGradient gradient;
  const Reader readers[] = {
      {"font", [&](const TPropSaver& s) { return s.ReadFont("V", &font); },
       {{"1000;$0;0;1;Arial", true}, {"-1000;$0;0;1;Arial", true}, {"1001;$0;0;1;Arial", false},
        {"-2147483648;$0;0;1;Arial", false}}},
      {"pen", [&](const TPropSaver& s) { return s.ReadPen("V", &pen); },
       {{"$0;100;0;4", true}, {"$0;101;0;4", false}, {"$0;2147483647;0;4", false}}},
      {"shadow", [&](const TPropSaver& s) { return s.ReadShadow("V", &shadow); },
       {{"$0;32767;-32767;0;0", true}, {"$0;32768;0;0;0", false}, {"$0;0;-2147483648;0;0", false}}},
      {"gradient", [&](const TPropSaver& s) { return s.ReadGradient("V", &gradient); },
       {{"1;7;$0;$0;$0;50;32767;-32767", true}, {"1;7;$0;$0;$0;50;2147483647;0", false},
        {"1;7;$0;$0;$0;50;0;-40000", false}}},
  };
  for (const Reader& r : readers)
    for (const Case& c : r.Cases) {
      auto store = TPropSaver::FromStrings(nullptr, "S");
      store->WriteString("V", c.Text);
      EXPECT_EQ(r.Read(*store), c.Reads) << r.Kind << " " << c.Text;
    }
  EXPECT_EQ(font.Size(), -1000);
  EXPECT_EQ(pen.Width(), 100);
  EXPECT_EQ(shadow.HorizSize, 32767);
  EXPECT_EQ(gradient.RadialX, 32767);
}

// A bounded integer: the default for anything outside the range or no number.
TEST(PropSaverObjects, BoundedIntegersFallBackToTheDefault) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  for (const auto& [text, expected] : std::vector<std::pair<const char*, int>>{
           {"-100", 3}, {"0", 0}, {"50", 50}, {"51", 3}, {"x", 3}, {"2147483647", 3}}) {
    store->WriteString("Size", text);
    EXPECT_EQ(store->ReadInteger("Size", 0, 50, 3), expected) << text;
  }
}

}  // namespace
