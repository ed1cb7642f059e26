// The legend on a chart: which series it lists, where CalcRect puts it, what Draw paints (with
// the fixed test font: 7 pixels a character, 13 high, glyph boxes 6 wide and 10 high) and which
// item a click finds.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "support/HeadlessFixture.h"
#include "seriesdraw_support.h"

namespace {

using chart::Integer;
using fw::TColor;

// Paints its legend symbol as a box of the series colour and remembers where.
class BoxSymbolSeries : public chart::TLineSeries {
 public:
  using TLineSeries::TLineSeries;
  void DrawLegendSymbol(chart::TPlotCanvas3D& Canvas, const win::RECT& Rect) override {
    symbols.push_back(Rect);
    Canvas.Brush()->SetStyle(fw::bsSolid);
    Canvas.Brush()->SetColor(SeriesColor());
    Canvas.FillRect(Rect);
  }
  std::vector<win::RECT> symbols;
};

constexpr TColor kPaper = fw::clWhite;
constexpr TColor kLegendBack = 0x99CCEE;
constexpr TColor kText = 0x103070;

class LegendOnChart : public kvtest::HeadlessTest {
 protected:
  static constexpr int kW = 400, kH = 300;
  void SetUp() override {
    HeadlessTest::SetUp();
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(kW, kH);
    bitmap.Canvas()->Brush()->SetColor(kPaper);
    bitmap.Canvas()->FillRect(fw::TRect{0, 0, kW, kH});
    canvas.SetReferenceCanvas(bitmap.Canvas());
    chartObj = std::make_unique<chart::TChart>(nullptr);
    legend = std::make_unique<chart::TChartLegend>(nullptr);
    legend->SetParentChart(chartObj.get());
    drawtest::UseTestFont(legend->Font(), kText);
    legend->SetColor(kLegendBack);
    legend->SetHorizMargin(6);
    legend->SetVertMargin(4);
    legend->SetTopPos(0);
  }
  void TearDown() override {
    for (auto& s : series) s->SetParentChart(nullptr);
    series.clear();
    legend.reset();
    chartObj.reset();
    HeadlessTest::TearDown();
  }
  BoxSymbolSeries* Add(const std::string& title, TColor color) {
    series.push_back(std::make_unique<BoxSymbolSeries>(nullptr));
    BoxSymbolSeries* s = series.back().get();
    s->SetTitle(title);
    s->SetSeriesColor(color);
    s->SetParentChart(chartObj.get());
    return s;
  }
  win::RECT Layout(win::RECT r = win::RECT{0, 0, kW, kH}) {
    legend->CalcRect(canvas, r);
    return r;
  }
  TColor At(int x, int y) {
    win::HDC dc = bitmap.Canvas()->Handle();
    const int saved = win::SaveDC(dc);
    win::SelectClipRgn(dc, nullptr);
    const TColor c = TColor(win::GetPixel(dc, x, y) & 0xFFFFFF);
    win::RestoreDC(dc, saved);
    return c;
  }
  // Straight from the pixel rows (blue, green, red), whatever the clip.
  int CountIn(const win::RECT& r, TColor c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      const auto* row = static_cast<const unsigned char*>(bitmap.ScanLine(y));
      for (int x = r.left; x < r.right; ++x) {
        const unsigned char* p = row + 3 * x;
        n += TColor(p[2] | (p[1] << 8) | (p[0] << 16)) == c;
      }
    }
    return n;
  }

  fw::TBitmap bitmap;
  chart::TPlotCanvas3D canvas;
  std::unique_ptr<chart::TChart> chartObj;
  std::unique_ptr<chart::TChartLegend> legend;
  std::vector<std::unique_ptr<BoxSymbolSeries>> series;
};

TEST_F(LegendOnChart, ListsActiveSeriesShownInTheLegendInChartOrder) {
  BoxSymbolSeries* a = Add("Alpha", fw::clRed);
  BoxSymbolSeries* hidden = Add("Hidden", fw::clGreen);
  BoxSymbolSeries* off = Add("Off", fw::clBlue);
  BoxSymbolSeries* d = Add("", fw::clNavy);
  hidden->SetShowInLegend(false);
  off->SetActive(false);
  Layout();
  ASSERT_EQ(legend->ItemCount(), 2);
  EXPECT_EQ(legend->ItemSeries(0), a);
  EXPECT_EQ(legend->ItemSeries(1), d);
  EXPECT_EQ(legend->ItemSeries(2), nullptr);
  EXPECT_EQ(legend->ItemSeries(-1), nullptr);
  // An untitled, unnamed series shows as "Series" and its 1-based place in the chart: 7 characters.
  ASSERT_EQ(legend->Layout().Items.size(), 2u);
  EXPECT_EQ(legend->Layout().Items[1].TextWidth, 7 * 7);
  EXPECT_EQ(legend->Layout().Items[0].TextWidth, 5 * 7);
}

TEST_F(LegendOnChart, RightLegendTakesItsRoomFromTheChartRectangle) {
  Add("A", fw::clRed);
  Add("Bcd", fw::clGreen);
  Add("Efghij", fw::clBlue);
  const win::RECT r = Layout();
  const win::RECT& box = legend->ShapeBounds();
  // 4 + symbol 20 + 4 + 6 characters of 7 + 4; 2 + 3 rows of 13 + 2.
  EXPECT_EQ(box.right - box.left, 74);
  EXPECT_EQ(box.bottom - box.top, 43);
  EXPECT_EQ(box.right, kW - 6);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(r.right, box.left - 6);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.bottom, kH);

  legend->SetResizeChart(false);
  const win::RECT kept = Layout();
  EXPECT_EQ(kept.right, kW);
}

TEST_F(LegendOnChart, DrawsFrameBackgroundSymbolsAndTexts) {
  Add("Ab", fw::clRed);
  Add("Cde", fw::clBlue);
  Layout();
  legend->Draw(canvas);
  const win::RECT box = legend->ShapeBounds();
  const auto& items = legend->Layout().Items;
  ASSERT_EQ(items.size(), 2u);
  // Frame: the default pen is black and one pixel wide, on the box's outermost pixels.
  EXPECT_EQ(At(box.left, box.top + 10), fw::clBlack);
  EXPECT_EQ(At(box.right - 1, box.top + 10), fw::clBlack);
  EXPECT_EQ(At(box.left + 10, box.top), fw::clBlack);
  EXPECT_EQ(At(box.left + 10, box.bottom - 1), fw::clBlack);
  EXPECT_EQ(At(box.left - 1, box.top + 10), kPaper);
  EXPECT_EQ(At(box.right, box.top + 10), kPaper);
  // Background inside the frame.
  EXPECT_EQ(At(box.left + 1, box.top + 1), kLegendBack);
  EXPECT_EQ(At(box.right - 2, box.bottom - 2), kLegendBack);
  // Symbols: exactly their rectangles, in the series' colours, left of the texts.
  const win::RECT s0 = items[0].Symbol, s1 = items[1].Symbol;
  EXPECT_EQ(s0.left, box.left + 4);
  EXPECT_EQ(s0.right - s0.left, 20);
  EXPECT_EQ(CountIn(s0, fw::clRed), 20 * 13);
  EXPECT_EQ(CountIn(s1, fw::clBlue), 20 * 13);
  EXPECT_EQ(At(s0.right, s0.top + 5), kLegendBack) << "gap between symbol and text";
  EXPECT_EQ(At(s0.left - 1, s0.top + 5), kLegendBack);
  EXPECT_EQ(series[0]->symbols.size(), 1u);
  // Texts in the font colour: glyph boxes of 6 x 10 every 7 pixels from the text origin.
  const win::POINT t = items[1].Text;
  EXPECT_EQ(t.x, s1.right + 4);
  EXPECT_EQ(At(t.x, t.y), kText);
  EXPECT_EQ(At(t.x + 5, t.y + 9), kText);
  EXPECT_EQ(At(t.x + 6, t.y + 5), kLegendBack) << "between two glyphs";
  EXPECT_EQ(At(t.x + 14, t.y + 5), kText) << "the third character";
  EXPECT_EQ(At(t.x + 21, t.y + 5), kLegendBack) << "after the last";
  EXPECT_EQ(At(t.x, t.y + 10), kLegendBack) << "below the glyphs";
}

TEST_F(LegendOnChart, SymbolRightOfTheTextAndTransparentBox) {
  Add("Abc", fw::clRed);
  legend->SetSymbolPosition(chart::spRight);
  legend->SetTransparent(true);
  Layout();
  legend->Draw(canvas);
  const win::RECT box = legend->ShapeBounds();
  const auto& item = legend->Layout().Items.at(0);
  EXPECT_EQ(item.Text.x, box.left + 4);
  EXPECT_EQ(At(item.Text.x, item.Text.y), kText);
  EXPECT_EQ(item.Symbol.right, box.right - 4);
  EXPECT_EQ(CountIn(item.Symbol, fw::clRed), 20 * 13);
  EXPECT_EQ(At(box.left + 1, box.top + 1), kPaper) << "a transparent legend paints no background";
  EXPECT_EQ(At(box.left, box.top + 5), fw::clBlack) << "but keeps its frame";
}

TEST_F(LegendOnChart, LongTextsAreCutAtTheItem) {
  Add(std::string(40, 'W'), fw::clRed);
  win::RECT r{0, 0, 200, 100};
  legend->CalcRect(canvas, r);
  legend->Draw(canvas);
  const win::RECT box = legend->ShapeBounds();
  EXPECT_EQ(box.right - box.left, 100) << "half the chart rectangle";
  const auto& item = legend->Layout().Items.at(0);
  for (int x = item.Rect.right; x < box.right + 60; ++x)
    EXPECT_NE(At(x, item.Text.y + 3), kText) << "text drawn past its item at " << x;
  // The clip is gone afterwards: the canvas draws everywhere again.
  canvas.Brush()->SetColor(fw::clLime);
  canvas.FillRect(fw::TRect{300, 200, 310, 210});
  EXPECT_EQ(At(305, 205), fw::clLime);
}

// A name too long for its item is shortened to whole characters followed by an ellipsis that
// fits the item; a name that fits is drawn as it is.
TEST_F(LegendOnChart, LongNamesEndInAnEllipsis) {
  const std::string longName = "Напряжение на выходе усилителя, канал 2";
  Add(longName, fw::clRed);
  Add("U", fw::clBlue);
  drawtest::RecordingCanvas recorder;
  recorder.SetReferenceCanvas(bitmap.Canvas());
  win::RECT r{0, 0, 200, 100};
  legend->CalcRect(recorder, r);
  legend->Draw(recorder);
  const auto texts = recorder.Of("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  const std::string& shown = texts[0].text;
  const std::string ellipsis = "\u2026";
  ASSERT_GT(shown.size(), ellipsis.size());
  EXPECT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis);
  const std::string kept = shown.substr(0, shown.size() - ellipsis.size());
  EXPECT_EQ(longName.rfind(kept, 0), 0u) << "a start of the name";
  EXPECT_NE((static_cast<unsigned char>(longName[kept.size()]) & 0xC0), 0x80u) << "cut between characters";
  const auto& item = legend->Layout().Items.at(0);
  recorder.Font()->Assign(legend->Font());
  EXPECT_LE(item.Text.x + recorder.TextWidth(shown), item.Rect.right);
  std::size_t next = kept.size() + 1;  // one character more
  while (next < longName.size() && (static_cast<unsigned char>(longName[next]) & 0xC0) == 0x80) ++next;
  EXPECT_GT(item.Text.x + recorder.TextWidth(longName.substr(0, next) + ellipsis), item.Rect.right - 2)
      << "no shorter than it must be";
  EXPECT_EQ(texts[1].text, "U");
}

TEST_F(LegendOnChart, DividingLinesRunBetweenRows) {
  Add("Ab", fw::clRed);
  Add("Cd", fw::clBlue);
  legend->SetVertSpacing(4);
  Layout();
  legend->Draw(canvas);
  const auto& items = legend->Layout().Items;
  const int y = items[0].Rect.bottom + 2;
  const int x = legend->ShapeBounds().left + 10;
  EXPECT_EQ(At(x, y), kLegendBack) << "hidden by default";
  legend->DividingLines()->SetVisible(true);
  legend->DividingLines()->SetColor(fw::clFuchsia);
  legend->Draw(canvas);
  EXPECT_EQ(At(x, y), fw::clFuchsia);
  EXPECT_EQ(At(x, y - 1), kLegendBack);
  EXPECT_EQ(At(x, items[0].Rect.top - 1), kLegendBack) << "no line above the first row";
}

TEST_F(LegendOnChart, ClickedFindsEachItemAndNothingElsewhere) {
  for (int i = 0; i < 5; ++i) Add("Item" + std::to_string(i), chart::PlotDefaultPaletteColor(i));
  for (bool inverted : {false, true}) {
    legend->SetInverted(inverted);
    Layout();
    const auto& items = legend->Layout().Items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items.front().Item, inverted ? 4 : 0) << "inverted lists the last series first";
    for (const auto& it : items) {
      EXPECT_EQ(legend->Clicked(it.Symbol.left, it.Symbol.top), it.Item);
      EXPECT_EQ(legend->Clicked(it.Text.x + 3, it.Text.y + 12), it.Item);
      EXPECT_EQ(legend->Clicked(it.Rect.right - 1, it.Rect.bottom - 1), it.Item);
    }
    const win::RECT box = legend->ShapeBounds();
    EXPECT_EQ(legend->Clicked(box.left - 1, box.top + 5), -1);
    EXPECT_EQ(legend->Clicked(box.left + 1, box.top + 5), -1) << "the padding is no item";
    EXPECT_EQ(legend->Clicked(box.left + 10, box.bottom), -1);
    EXPECT_EQ(legend->Clicked(10, 10), -1);
  }
  legend->SetVisible(false);
  const auto& first = legend->Layout().Items.front();
  EXPECT_EQ(legend->Clicked(first.Text.x, first.Text.y), -1) << "a hidden legend has no items to click";
}

TEST_F(LegendOnChart, HiddenEmptyOrChartlessLegendTakesNoRoomAndDrawsNothing) {
  const win::RECT all{0, 0, kW, kH};
  EXPECT_EQ(Layout().right, kW) << "no series";
  legend->Draw(canvas);
  Add("Abc", fw::clRed);
  legend->SetVisible(false);
  EXPECT_EQ(Layout().right, kW);
  legend->Draw(canvas);
  EXPECT_EQ(CountIn(all, kPaper), kW * kH);
  EXPECT_TRUE(series[0]->symbols.empty());
  chart::TChartLegend alone(nullptr);
  win::RECT r = all;
  alone.CalcRect(canvas, r);
  alone.Draw(canvas);
  EXPECT_EQ(alone.ItemCount(), 0);
  EXPECT_EQ(alone.Clicked(5, 5), -1);
  EXPECT_EQ(r.right, kW);
  EXPECT_EQ(CountIn(all, kPaper), kW * kH);
}

TEST_F(LegendOnChart, CustomPositionPlacesTheBoxAndSurvivesAnEmptyLegend) {
  BoxSymbolSeries* s = Add("Abc", fw::clRed);
  legend->SetLeft(50);
  legend->SetTop(60);
  EXPECT_TRUE(legend->CustomPosition());
  const win::RECT r = Layout();
  EXPECT_EQ(legend->ShapeBounds().left, 50);
  EXPECT_EQ(legend->ShapeBounds().top, 60);
  EXPECT_EQ(r.right, kW) << "a legend of its own position leaves the chart rectangle";
  legend->Draw(canvas);
  EXPECT_EQ(At(50, 65), fw::clBlack);
  EXPECT_EQ(At(51, 61), kLegendBack);

  s->SetShowInLegend(false);
  Layout();
  EXPECT_EQ(legend->ItemCount(), 0);
  s->SetShowInLegend(true);
  Layout();
  EXPECT_EQ(legend->Left(), 50);
  EXPECT_EQ(legend->Top(), 60);
}

TEST_F(LegendOnChart, SeriesLeavingTheChartAfterLayoutIsNotDrawn) {
  Add("Ab", fw::clRed);
  BoxSymbolSeries* gone = Add("Cd", fw::clBlue);
  Layout();
  gone->SetParentChart(nullptr);
  EXPECT_EQ(legend->ItemSeries(1), nullptr);
  legend->Draw(canvas);
  EXPECT_EQ(series[0]->symbols.size(), 1u);
  EXPECT_TRUE(gone->symbols.empty());
}

TEST_F(LegendOnChart, TheChartsOwnLegendInEachAlignmentOnAPicture) {
  chart::TChartLegend* own = chartObj->Legend();
  ASSERT_NE(own, nullptr);
  own->Font()->SetName("Korvalin Test");
  own->Font()->SetHeight(-13);
  for (chart::TChartAxis* axis : chartObj->AxesList()) axis->LabelsFont()->SetName("Korvalin Test");
  const TColor colours[] = {fw::clRed, fw::clGreen, fw::clBlue};
  for (int i = 0; i < 3; ++i) {
    BoxSymbolSeries* s = Add("Line " + std::to_string(i), colours[i]);
    s->AddXY(0, i);
    s->AddXY(10, 5 + i);
  }
  for (auto align : {chart::laLeft, chart::laRight, chart::laTop, chart::laBottom}) {
    own->SetAlignment(align);
    auto picture = chartObj->CreateBitmap(fw::clWhite, fw::TRect{0, 0, 400, 300}, fw::pf24bit);
    ASSERT_NE(picture, nullptr);
    const win::RECT box = own->ShapeBounds();
    const win::RECT plot = chartObj->ChartRect();
    ASSERT_EQ(own->Layout().Items.size(), 3u) << align;
    EXPECT_TRUE(box.right <= plot.left || plot.right <= box.left || box.bottom <= plot.top || plot.bottom <= box.top)
        << "alignment " << align << ": the plot rectangle runs under the legend";
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 400 && box.bottom <= 300);
    bitmap.Assign(picture.get());
    EXPECT_EQ(At(box.left, (box.top + box.bottom) / 2), fw::clBlack) << align;
    for (const auto& item : own->Layout().Items)
      EXPECT_EQ(CountIn(item.Symbol, colours[item.Item]), 20 * 13) << align << " " << item.Item;
  }
}

TEST_F(LegendOnChart, SettersKeepValuesInRange) {
  legend->SetTopPos(150);
  EXPECT_EQ(legend->TopPos(), 100);
  legend->SetTopPos(-3);
  EXPECT_EQ(legend->TopPos(), 0);
  legend->SetSymbolWidth(-1);
  EXPECT_EQ(legend->SymbolWidth(), 0);
  legend->SetVertSpacing(-1);
  EXPECT_EQ(legend->VertSpacing(), 0);
  legend->SetHorizMargin(-2);
  EXPECT_EQ(legend->HorizMargin(), 0);
  legend->SetAlignment(chart::laTop);
  legend->SetAlignment(chart::TLegendAlignment(7));
  EXPECT_EQ(legend->Alignment(), chart::laTop) << "an unknown alignment is refused";
  legend->SetSymbolPosition(chart::TLegendSymbolPosition(5));
  EXPECT_EQ(legend->SymbolPosition(), chart::spLeft);
}

}  // namespace
