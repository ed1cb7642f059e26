// The chart grid on the headless desktop: layout by its switches, following the series, and
// editing values with the keyboard.
#include <gtest/gtest.h>

#include "chart/PlotChartGrid.h"
#include "chart_Fixture.h"
#include "framework/DateTimeText.h"
#include "framework/GraphicsCanvas.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/WinUserTypes.h"

using namespace chart;

namespace {

class ChartGridTest : public charttest::ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    chart = ShowChart(50, 50, 300, 200);
    for (int i = 0; i < 2; ++i) {
      series[i] = new charttest::SquareSeries(form.get());
      series[i]->SetParentChart(chart);
    }
    grid = new TChartGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 300, 200);
    grid->BringToFront();
  }
  std::vector<std::string> Row(int R) const {
    std::vector<std::string> texts;
    for (int c = 0; c < grid->ColCount(); ++c) texts.push_back(grid->CellText(c, R));
    return texts;
  }
  void Type(const std::u16string& Text) {
    for (char16_t ch : Text) desktop->type_char(ch);
    Pump();
  }
  void Key(win::UINT Vk) {
    desktop->press_key(Vk);
    Pump();
  }
  TChart* chart = nullptr;
  charttest::SquareSeries* series[2] = {};
  TChartGrid* grid = nullptr;
};

TEST_F(ChartGridTest, LaysOutColumnsAndRowsByItsSwitches) {
  for (double x : {10.0, 20.0, 30.0}) series[0]->AddXY(x, x / 10, "p");
  for (int i = 0; i < 5; ++i) series[1]->Add(i);  // X is the index sequence
  struct Case {
    bool chartMode;
    int seriesIndex;
    bool colors, labels, titleRow;
    TChartGridShow x;
    int cols, rows;
    std::vector<std::string> header;  // the last header row
  } const cases[] = {
      {false, 0, false, false, false, cgsYes, 3, 4, {"#", "", ""}},
      {false, 0, true, true, false, cgsYes, 5, 4, {"#", "Colors", "Text", "", ""}},
      {false, 0, false, false, true, cgsAuto, 3, 5, {"#", "X", "Y"}},
      {false, 1, false, false, true, cgsAuto, 2, 7, {"#", "Y"}},
      {false, 1, false, false, true, cgsNo, 2, 7, {"#", "Y"}},
      {true, 0, false, true, true, cgsYes, 6, 7, {"#", "Text", "X", "Y", "X", "Y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cols << "x" << c.rows);
    grid->SetShowColors(c.colors);
    grid->SetShowLabels(c.labels);
    grid->SetShowTitleRow(c.titleRow);
    grid->SetShowXValues(c.x);
    if (c.chartMode)
      grid->SetChart(chart);
    else
      grid->SetSeries(series[c.seriesIndex]);
    EXPECT_EQ(grid->ColCount(), c.cols);
    EXPECT_EQ(grid->RowCount(), c.rows);
    EXPECT_EQ(Row(c.titleRow ? 1 : 0), c.header);
    EXPECT_EQ(grid->CellText(0, c.titleRow ? 2 : 1), "0");
    Pump();  // and it paints
  }
  grid->SetShowLabels(false);
  grid->SetShowTitleRow(false);
  grid->SetSeries(series[0]);
  EXPECT_EQ(Row(1), (std::vector<std::string>{"0", series[0]->FormatValue(10), series[0]->FormatValue(1)}));
}

// The row numbers and values show whole: the number column widens to the largest row number,
// values show the digits they have (up to 15 significant ones) in columns wide enough for them,
// and rows without a point have no number unless the grid edits.
TEST_F(ChartGridTest, NumbersAndValuesShowWhole) {
  grid->SetShowLabels(false);
  grid->SetShowTitleRow(false);
  grid->SetOptions(fw::TGridOptions{fw::goRangeSelect});  // no editing
  grid->SetShowXValues(cgsYes);
  grid->SetSeries(series[0]);
  EXPECT_EQ(grid->CellText(0, 1), "") << "an empty grid numbers no row";
  const int narrow = grid->ColWidths(0);
  EXPECT_EQ(narrow, 30);
  series[0]->BeginUpdate();
  for (int i = 0; i <= 100000; ++i) series[0]->AddXY(i, i == 100000 || i == 2 ? 0.1234567890123456 : 1);
  series[0]->EndUpdate();
  Pump();  // the drawn value widens its column
  EXPECT_EQ(grid->CellText(0, 100001), "100000");
  EXPECT_EQ(grid->CellText(2, 100001), fw::FloatToStr(0.123456789012346));
  EXPECT_EQ(grid->CellText(2, 100001).size(), 17u) << "15 significant digits";
  EXPECT_EQ(grid->CellText(1, 100001), "100000");
  auto width = [&](const std::string& text) {
    grid->Canvas()->Font()->Assign(grid->Font());
    return grid->Canvas()->TextWidth(text);
  };
  EXPECT_GE(grid->ColWidths(0), width("100000") + 4);
  EXPECT_GE(grid->ColWidths(2), width(grid->CellText(2, 3)) + 4);
  EXPECT_EQ(grid->ColWidths(1), grid->DefaultColWidth()) << "a column whose values fit keeps its width";
  // A format given to the series is kept.
  series[0]->SetValueFormat("0.0");
  EXPECT_EQ(grid->CellText(2, 100001), series[0]->FormatValue(0.1234567890123456));
  // An editing grid keeps a numbered row to type the first point in.
  series[0]->Clear();
  EXPECT_EQ(grid->ColWidths(0), narrow);
  grid->SetOptions(fw::TGridOptions{fw::goEditing});
  EXPECT_EQ(grid->CellText(0, 1), "0");
}

TEST_F(ChartGridTest, FollowsTheSeriesAndForgetsWhatGoesAway) {
  grid->SetShowTitleRow(false);
  grid->SetSeries(series[0]);
  EXPECT_EQ(grid->RowCount(), 2);  // no points: one empty data row
  series[0]->AddXY(1, 2);
  series[0]->AddXY(2, 3);
  EXPECT_EQ(grid->RowCount(), 3);
  series[0]->Delete(0);
  EXPECT_EQ(grid->RowCount(), 2);
  chart->RemoveSeries(series[0]);
  series[0]->AddXY(5, 6);  // still heard without its chart
  EXPECT_EQ(grid->RowCount(), 3);
  delete series[0];
  EXPECT_EQ(grid->Series(), nullptr);
  EXPECT_EQ(grid->ColCount(), 1);
  grid->SetChart(chart);
  delete chart;
  EXPECT_EQ(grid->Chart(), nullptr);
  Pump();
}

// Beside a longer graph, a shorter one's cells end where its points end, even where its arrays
// still hold the values of points deleted from its end.
TEST_F(ChartGridTest, AShorterGraphsCellsEndWithItsPoints) {
  for (int i = 0; i < 5; ++i) series[0]->AddXY(i, 10 + i);
  series[0]->DeletePoints(3, 2);  // three points left
  for (int i = 0; i < 5; ++i) series[1]->AddXY(i, 20 + i);
  grid->SetShowLabels(false);
  grid->SetShowColors(false);
  grid->SetShowTitleRow(false);
  grid->SetShowXValues(cgsYes);
  grid->SetChart(chart);
  ASSERT_EQ(grid->ColCount(), 5);  // #, then X and Y of each graph
  const int first = 1;  // one header row without the title row
  struct Case {
    int point;
    std::vector<std::string> row;
  } const cases[] = {
      {2, {"2", series[0]->FormatValue(2), series[0]->FormatValue(12), series[1]->FormatValue(2), series[1]->FormatValue(22)}},
      {3, {"3", "", "", series[1]->FormatValue(3), series[1]->FormatValue(23)}},
      {4, {"4", "", "", series[1]->FormatValue(4), series[1]->FormatValue(24)}},
  };
  for (const Case& c : cases) EXPECT_EQ(Row(first + c.point), c.row) << "point " << c.point;
  Pump();  // and it paints
}

TEST_F(ChartGridTest, EditsValuesWithTheKeyboardAndRefusesWhatIsNoNumber) {
  series[0]->AddXY(1, 5);
  grid->SetShowLabels(false);
  grid->SetShowTitleRow(false);
  grid->SetShowXValues(cgsYes);
  grid->SetSeries(series[0]);
  Pump();
  win::SetFocus(grid->Handle());
  grid->SetCol(2);  // Y of point 0
  grid->SetRow(1);
  // Esc leaves the value as it was.
  Key(win::VK_F2);
  Type(u"9");
  Key(win::VK_ESCAPE);
  EXPECT_DOUBLE_EQ(series[0]->PointY(0), 5);
  // A number replaces it; a text that is no number is refused and the value stays.
  Key(win::VK_F2);
  Type(u"\b7");
  Key(win::VK_RETURN);
  EXPECT_DOUBLE_EQ(series[0]->PointY(0), 7);
  // So is a number beyond the double's range, which would be an infinity (a gap).
  for (const std::u16string text : {u"xyz", u"1e999", u"-2e400"}) {
    win::ClearMessageBoxHistory();
    Key(win::VK_F2);
    Type(u"\b" + text);
    desktop->script([this] { desktop->press_key(win::VK_RETURN); });  // closes the error box
    Key(win::VK_RETURN);
    win::SetFocus(grid->Handle());
    EXPECT_DOUBLE_EQ(series[0]->PointY(0), 7);
    EXPECT_EQ(series[0]->Count(), 1);
    ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
    EXPECT_EQ(win::MessageBoxHistory()[0].text, u"'" + text + u"' is not a valid floating point value.");
    Key(win::VK_ESCAPE);
  }
  // Down on the last row adds a null point; a number makes it a point, Up on an empty one
  // takes it away again.
  Key(win::VK_DOWN);
  ASSERT_EQ(series[0]->Count(), 2);
  EXPECT_TRUE(series[0]->IsNullPoint(1));
  EXPECT_EQ(grid->Row(), 2);
  Key(win::VK_F2);
  Type(u"4");
  Key(win::VK_RETURN);
  EXPECT_FALSE(series[0]->IsNullPoint(1));
  EXPECT_DOUBLE_EQ(series[0]->PointY(1), 4);
  Key(win::VK_DOWN);
  ASSERT_EQ(series[0]->Count(), 3);
  Key(win::VK_UP);
  EXPECT_EQ(series[0]->Count(), 2);
  // A value with more digits than the cell shows survives an unchanged edit.
  series[0]->SetPointY(0, 0.000123456789);
  grid->SetRow(1);
  Key(win::VK_F2);
  Key(win::VK_RETURN);
  EXPECT_DOUBLE_EQ(series[0]->PointY(0), 0.000123456789);
}

TEST_F(ChartGridTest, DateTimeValuesShowAndReadAsDateAndTime) {
  series[0]->XValues()->SetDateTime(true);
  series[0]->XValues()->SetOrder(loNone);  // rows in the order of the table
  struct Case {
    double Value;
    const char* Text;
  };
  // Below 1 the time of day alone; a negative value is a day before the base date.
  const Case cases[] = {{0, "0:00:00"},
                        {0.5, "12:00:00"},
                        {1, "31.12.1899"},
                        {45000.25, "15.03.2023 6:00:00"},
                        {-1.25, "29.12.1899 6:00:00"}};
  for (const Case& c : cases) series[0]->AddXY(c.Value, 1);
  grid->SetShowLabels(false);
  grid->SetShowTitleRow(false);
  grid->SetShowXValues(cgsYes);
  grid->SetSeries(series[0]);
  Pump();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(grid->CellText(1, i + 1), cases[i].Text) << cases[i].Value;
    // Each text reads back as its value.
    EXPECT_NEAR(fw::StrToDateTime(cases[i].Text), cases[i].Value, 1e-9) << cases[i].Text;
  }
  struct Read {
    const char* Text;
    bool Valid;
    double Value;
  };
  const Read reads[] = {{"01.01.1800", true, -36522},      {"29.02.2024 23:59:30", true, 45351.99965277778},
                        {"1.3.24", true, 45352},          {"6:00 PM", true, 0.75},
                        {"31.02.2024", false, 0},         {"29.02.2023", false, 0},
                        {"12.13.2024", false, 0},         {"24:00", false, 0},
                        {"10.10.2024 12:60", false, 0},   {"13:00 PM", false, 0},
                        {"2024-01-01", false, 0},         {"", false, 0},
                        {"01.01.10000", false, 0},        {"01.01.2024 1:00 x", false, 0}};
  for (const Read& r : reads) {
    double v = -7;
    EXPECT_EQ(fw::TryStrToDateTime(r.Text, v), r.Valid) << r.Text;
    EXPECT_NEAR(v, r.Valid ? r.Value : -7, 1e-9) << r.Text;
  }
  win::SetFocus(grid->Handle());
  grid->SetCol(1);
  grid->SetRow(4);  // 45000.25
  // A date that does not exist is refused with the conversion error; the value stays.
  win::ClearMessageBoxHistory();
  Key(win::VK_F2);
  for (int i = 0; i < 20; ++i) Key(win::VK_BACK);
  Type(u"31.02.2024");
  desktop->script([this] { desktop->press_key(win::VK_RETURN); });
  Key(win::VK_RETURN);
  win::SetFocus(grid->Handle());
  EXPECT_DOUBLE_EQ(series[0]->PointX(3), 45000.25);
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::MessageBoxHistory()[0].text, u"'31.02.2024' is not a valid date and time.");
  Key(win::VK_ESCAPE);
  // A date typed in replaces the value.
  Key(win::VK_F2);
  for (int i = 0; i < 20; ++i) Key(win::VK_BACK);
  Type(u"01.01.1800 12:00");
  Key(win::VK_RETURN);
  EXPECT_DOUBLE_EQ(series[0]->PointX(3), -36522.5);
  EXPECT_EQ(grid->CellText(1, 4), "01.01.1800 12:00:00");
  // The text shows whole seconds: committed unchanged, the value keeps its milliseconds.
  series[0]->SetPointX(3, 45000.2500123);
  Pump();
  Key(win::VK_F2);
  Key(win::VK_RETURN);
  EXPECT_DOUBLE_EQ(series[0]->PointX(3), 45000.2500123);
}

}  // namespace
