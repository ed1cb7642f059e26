// Graph text through the clipboard: several graphs with their properties copied and pasted
// back, the copy options, plain two-column text, and a graph's format alone.

#include <bit>
#include <cmath>
#include <functional>
#include <limits>

#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "workspace/Common.h"
#include "workspace/GraphText.h"
#include "workspace_fixture.h"

namespace {

using fw::String;
using workspace::TGraph;
using workspace::TGraphTextOptions;

class GraphTextTest : public wstest::WorkspaceTest {
 protected:
  static TGraphTextOptions Options(bool X, bool Y, bool Props, bool Visible = false, char Sep = ',') {
    TGraphTextOptions o;
    o.CopyX = X;
    o.CopyY = Y;
    o.CopyProperties = Props;
    o.CopyVisible = Visible;
    o.DecimalSeparator = Sep;
    return o;
  }
};

TEST_F(GraphTextTest, SeveralGraphsRoundTripThroughTheClipboard) {
  TGraph* data = AddData({0, 1.5, 2}, {-3, 0.25, 1e-7}, "/d/data.txt");
  data->Series()->SetSeriesColor(fw::clGreen);
  data->Series()->Pen()->SetWidth(3);
  static_cast<chart::TLineSeries*>(data->Series())->Pointer()->SetVisible(true);
  TGraph* expr = graphs->AddGraph(NewSeries({0, 0.5, 1}, {0, 0.125, 1}), "a*x^3",
                                  {std::int64_t(1), 0.0, 1.0, 0.5, String("a=1;")}, "Куб");
  expr->Series()->SetActive(false);
  TGraph* param = graphs->AddGraph(NewSeries({1, 2}, {3, 4}), "sin(t);cos(t)", {std::int64_t(2), -1.0, 2.0, 0.001}, "");
  TGraph* spline = graphs->AddGraph(NewSeries({0, 1}, {5, 6}), "SplineFunction",
                                    {std::int64_t(3), data->Series(), true, std::int64_t(4)}, "Сплайн");

  workspace::CopyGraphsToClipboard({data, expr, param, spline}, Options(true, true, true));
  const int before = graphs->Count();
  const workspace::TGraphArray pasted = workspace::PasteGraphsFromClipboard(*graphs);
  ASSERT_EQ(pasted.size(), 4u);
  ASSERT_EQ(graphs->Count(), before + 4);
  EXPECT_EQ(graphs->Current(), pasted.back());

  EXPECT_EQ(Xs(pasted[0]->Series()), Xs(data->Series()));
  EXPECT_EQ(Ys(pasted[0]->Series()), Ys(data->Series()));
  EXPECT_EQ(pasted[0]->Source, "Clipboard");
  EXPECT_EQ(pasted[0]->Series()->Title(), "data.txt");
  EXPECT_EQ(pasted[0]->Series()->SeriesColor(), fw::clGreen);
  EXPECT_EQ(pasted[0]->Series()->Pen()->Width(), 3);
  EXPECT_TRUE(static_cast<chart::TLineSeries*>(pasted[0]->Series())->Pointer()->Visible());

  EXPECT_EQ(pasted[1]->Kind, workspace::gkExpression);
  EXPECT_EQ(pasted[1]->Source, "a*x^3");
  EXPECT_EQ(pasted[1]->LimStop, 1.0);
  EXPECT_EQ(pasted[1]->LimStep, 0.5);
  EXPECT_EQ(pasted[1]->AuxParams, "a=1;");
  EXPECT_EQ(pasted[1]->Series()->Title(), "Куб");
  EXPECT_FALSE(pasted[1]->Series()->Active());

  EXPECT_EQ(pasted[2]->Kind, workspace::gkParametric);
  EXPECT_EQ(pasted[2]->Source, "sin(t);cos(t)");
  EXPECT_EQ(pasted[2]->LimStart, -1.0);
  EXPECT_EQ(pasted[2]->LimStep, 0.001);

  // The graph a spline was made from is not on the clipboard: the copy is plain data.
  EXPECT_EQ(pasted[3]->Kind, workspace::gkData);
  EXPECT_EQ(pasted[3]->SourceSeries, nullptr);
  EXPECT_EQ(pasted[3]->Series()->Title(), "Сплайн");

  // Every pasted graph can be undone.
  for (int i = 0; i < 4; ++i) undo->Undo();
  EXPECT_EQ(graphs->Count(), before);
}

// Every point graph text can represent comes back bit for bit, with either separator: the
// extremes of double (written rounded past them), denormals, negative zero, NaN and null points.
TEST_F(GraphTextTest, ExtremeAndNullPointsSurviveTheRoundTrip) {
  const double max = std::numeric_limits<double>::max(), tiny = std::numeric_limits<double>::denorm_min();
  const std::vector<double> xs{-max, -1, -0.0, tiny, 2, 3, max};
  const std::vector<double> ys{max, -0.0, 7 * tiny, -max, std::nan(""), 5, 1};
  for (char sep : {',', '.'}) {
    TGraph* graph = AddData(xs, ys, "/d/x.txt");
    graph->Series()->SetPointColor(5, chart::clNullPoint);
    workspace::CopyGraphsToClipboard({graph}, Options(true, true, false, false, sep));
    const workspace::TGraphArray pasted = workspace::PasteGraphsFromClipboard(*graphs);
    ASSERT_EQ(pasted.size(), 1u);
    chart::TChartSeries* s = pasted[0]->Series();
    ASSERT_EQ(s->Count(), 7) << sep;
    const auto bits = [](double v) { return std::isnan(v) ? ~std::uint64_t(0) : std::bit_cast<std::uint64_t>(v); };
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(bits(s->PointX(i)), bits(xs[i])) << sep << i;
      EXPECT_EQ(bits(s->PointY(i)), bits(ys[i])) << sep << i;
      EXPECT_EQ(s->IsNullPoint(i), i == 4 || i == 5) << sep << i;
    }
  }
}

TEST_F(GraphTextTest, TextLayoutOfTheColumns) {
  TGraph* g = AddData({0, 2}, {1.5, -3});
  EXPECT_EQ(workspace::GraphsToText({g}, Options(true, true, false)), "[DATA]\r\n0\t1,5\r\n2\t-3\r\n");
  EXPECT_EQ(workspace::GraphsToText({g}, Options(true, false, false, false, '.')), "[DATA]\r\n0\r\n2\r\n");
  EXPECT_EQ(workspace::GraphsToText({g}, Options(false, true, false, false, '.')), "[DATA]\r\n1.5\r\n-3\r\n");
  // Neither column: nothing of the graph.
  EXPECT_EQ(workspace::GraphsToText({g}, Options(false, false, true)), "");
  const String withProps = workspace::GraphsToText({g}, Options(true, true, true));
  EXPECT_EQ(withProps.rfind("[PROPERTIES]\r\n", 0), 0u);
  EXPECT_NE(withProps.find("\r\n[DATA]\r\n0\t1,5\r\n"), String::npos);
}

TEST_F(GraphTextTest, VisibleRangeOnly) {
  TGraph* g = AddData({0, 1, 2, 3, 4}, {0, 10, 20, 30, 40});
  chart::TChartAxis* axis = g->Series()->HorizAxis();
  ASSERT_NE(axis, nullptr);
  axis->SetMinMax(0.5, 3);
  EXPECT_EQ(workspace::GraphsToText({g}, Options(true, true, false, true, '.')), "[DATA]\r\n1\t10\r\n2\t20\r\n3\t30\r\n");
}

TEST_F(GraphTextTest, DataReadWithEitherSeparatorAndGraphsWithoutProperties) {
  workspace::Preferences.PointDecimalSeparator = false;
  const String text = "[DATA]\r\n1.5\t2\r\n2,5\t3\r\nnoise\r\n[DATA]\n7\t8\n9\t10\n";
  const auto items = workspace::ParseGraphText(text);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].X, (std::vector<double>{1.5, 2.5}));
  EXPECT_EQ(items[1].Y, (std::vector<double>{8, 10}));
  EXPECT_TRUE(items[0].Properties.empty());
  const auto pasted = workspace::PasteGraphsFromText(*graphs, text);
  ASSERT_EQ(pasted.size(), 2u);
  EXPECT_EQ(pasted[1]->Series()->Title(), "Clipboard");
  // Points out of X order come in sorted, like the points of a file.
  const auto unsorted = workspace::PasteGraphsFromText(*graphs, "[DATA]\n3\t30\n1\t10\n2\t20\n");
  ASSERT_EQ(unsorted.size(), 1u);
  EXPECT_EQ(Xs(unsorted[0]->Series()), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Ys(unsorted[0]->Series()), (std::vector<double>{10, 20, 30}));
}

TEST_F(GraphTextTest, GraphTextWithTooFewPointsAddsNothingAndSaysWhy) {
  try {
    workspace::PasteGraphsFromText(*graphs, "[PROPERTIES]\r\nTitle=x\r\n[DATA]\r\n1\t2\r\n");
    FAIL();
  } catch (const workspace::EGraphError& e) {
    EXPECT_STREQ(e.what(), "Слишком мало точек для построения");
  }
  EXPECT_EQ(graphs->Count(), 0);
  EXPECT_EQ(chart->SeriesCount(), 0);
}

TEST_F(GraphTextTest, PlainTwoColumnTextFromTheClipboard) {
  workspace::Preferences.PointDecimalSeparator = false;
  workspace::Preferences.Delimiters = "\t ;";
  workspace::Preferences.SkipLines = 0;
  fw::Clipboard()->SetAsText("X\tY\r\n3,5\t1\r\n1\t2\r\n2\t3\r\n");
  const auto pasted = workspace::PasteGraphsFromClipboard(*graphs);
  ASSERT_EQ(pasted.size(), 1u);
  EXPECT_EQ(pasted[0]->Source, "Clipboard");
  EXPECT_EQ(Xs(pasted[0]->Series()), (std::vector<double>{1, 2, 3.5}));
  EXPECT_EQ(graphs->Current(), pasted[0]);
  fw::Clipboard()->SetAsText("просто текст");
  EXPECT_THROW(workspace::PasteGraphsFromClipboard(*graphs), workspace::EGraphError);
  EXPECT_EQ(graphs->Count(), 1);
  // Lines past the header that gave no point are said, as for files.
  std::vector<std::string> notes;
  workspace::SetBalloonHintHandler(
      [&](const std::string&, const std::string& text, fw::Integer) { notes.push_back(text); });
  fw::Clipboard()->SetAsText("1\t2\r\n2.5\t3\r\n3\t4\r\n");
  workspace::PasteGraphsFromClipboard(*graphs);
  workspace::SetBalloonHintHandler(nullptr);
  EXPECT_EQ(notes, (std::vector<std::string>{"Буфер обмена: строк, не прочитанных как пары чисел: 1"}));
}

// A picture on the clipboard (or nothing) is not "too few points": there is no graph text.
TEST_F(GraphTextTest, PastingAPictureSaysThereIsNoGraphText) {
  fw::TBitmap picture;
  picture.SetWidth(4);
  picture.SetHeight(4);
  for (const std::function<void()>& fill : std::vector<std::function<void()>>{
           [&] { fw::Clipboard()->Assign(&picture); }, [] { fw::Clipboard()->SetAsText(" \r\n"); },
           [] { fw::Clipboard()->Clear(); }}) {
    fill();
    try {
      workspace::PasteGraphsFromClipboard(*graphs);
      ADD_FAILURE() << "pasted";
    } catch (const workspace::EGraphError& e) {
      EXPECT_STREQ(e.what(), workspace::NoGraphTextMsg);
    }
  }
  EXPECT_EQ(graphs->Count(), 0);
}

TEST_F(GraphTextTest, FormatCopyAndPasteWithUndo) {
  TGraph* from = AddData({0, 1}, {0, 1});
  from->Series()->SetSeriesColor(fw::clFuchsia);
  from->Series()->SetTitle("Образец");
  from->Series()->Pen()->SetWidth(4);
  TGraph* a = AddData({0, 1}, {0, 1}, "a.txt");
  TGraph* b = AddData({0, 1}, {0, 1}, "b.txt");
  a->Series()->SetSeriesColor(fw::clRed);
  b->Series()->SetSeriesColor(fw::clBlue);
  workspace::CopyGraphFormatToClipboard(*from);
  const String text = fw::Clipboard()->AsText();
  EXPECT_EQ(text.find("[DATA]"), String::npos);
  ASSERT_TRUE(workspace::PasteGraphFormatFromClipboard(*graphs, {a, b}));
  EXPECT_EQ(a->Series()->SeriesColor(), fw::clFuchsia);
  EXPECT_EQ(b->Series()->Pen()->Width(), 4);
  // A format gives no name: the titles stay.
  EXPECT_EQ(a->Series()->Title(), "a.txt");
  EXPECT_EQ(b->Series()->Title(), "b.txt");
  // The points stay.
  EXPECT_EQ(Xs(a->Series()), (std::vector<double>{0, 1}));
  EXPECT_EQ(undo->UndoCaption(), "Отменить изменение свойств линии");
  undo->Undo();
  EXPECT_EQ(b->Series()->SeriesColor(), fw::clBlue);
  EXPECT_EQ(b->Series()->Pen()->Width(), 1);
  undo->Undo();
  EXPECT_EQ(a->Series()->SeriesColor(), fw::clRed);
  // No properties block on the clipboard: nothing changes.
  fw::Clipboard()->SetAsText("1\t2\r\n");
  EXPECT_FALSE(workspace::PasteGraphFormatFromClipboard(*graphs, {a}));
  EXPECT_EQ(a->Series()->SeriesColor(), fw::clRed);
}

}  // namespace

namespace {

class CopyCommandsTest : public wstest::WorkspaceTest {};

TEST_F(CopyCommandsTest, CopyTextAsksTheDialogAndCopiesTheSelection) {
  TGraph* a = AddData({0, 1}, {2, 3});
  TGraph* b = AddData({5, 6}, {7, 8});
  workspace::Preferences.CopyProperties = false;
  workspace::Preferences.CopyX = workspace::Preferences.CopyY = true;
  fw::Clipboard()->SetAsText("before");
  // Nothing selected and no current graph: nothing to copy.
  graphs->CopyText();
  EXPECT_EQ(fw::Clipboard()->AsText(), "before");
  graphs->OnGetSelectedSeries = [&] { return std::vector<chart::TChartSeries*>{b->Series(), a->Series()}; };
  graphs->OnCopyTextDialog = [] { return false; };
  graphs->CopyText();
  EXPECT_EQ(fw::Clipboard()->AsText(), "before");
  graphs->OnCopyTextDialog = [] {
    workspace::Preferences.CopyY = false;  // the dialog edits the options
    return true;
  };
  graphs->CopyToClipboard();
  EXPECT_EQ(fw::Clipboard()->AsText(), "[DATA]\r\n5\r\n6\r\n[DATA]\r\n0\r\n1\r\n");
  // Without a selection the current graph is copied.
  graphs->OnGetSelectedSeries = nullptr;
  graphs->OnCopyTextDialog = nullptr;
  workspace::Preferences.CopyY = true;
  graphs->Select(0);
  graphs->CopyText();
  EXPECT_EQ(fw::Clipboard()->AsText(), "[DATA]\r\n0\t2\r\n1\t3\r\n");
}

TEST_F(CopyCommandsTest, CopyImagePutsAWhitePictureAndRestoresTheChart) {
  AddData({0, 1}, {2, 3});
  // No text on the picture: the system font machinery stays out of the test.
  chart->Legend()->SetVisible(false);
  chart->Title()->SetVisible(false);
  for (chart::TChartAxis* axis : chart->AxesList()) axis->SetVisible(false);
  chart->SetColor(fw::clNavy);
  chart->Gradient()->Visible = true;
  std::vector<bool> marks;
  graphs->OnShowSelectionMarks = [&](bool show) { marks.push_back(show); };
  graphs->OnCopyImageDialog = [] { return false; };
  fw::Clipboard()->SetAsText("before");
  graphs->CopyToClipboard();  // nothing selected: the picture, but the dialog says no
  EXPECT_EQ(fw::Clipboard()->AsText(), "before");
  EXPECT_EQ(marks, (std::vector<bool>{false, true}));
  graphs->OnCopyImageDialog = [] { return true; };
  workspace::Preferences.CopyFormat = workspace::cfBMP;
  graphs->CopyImage();
  fw::TBitmap picture;
  picture.Assign(fw::Clipboard());
  EXPECT_EQ(picture.Width(), chart->ClientWidth());
  EXPECT_EQ(picture.Canvas()->Pixels(1, 1) & 0xFFFFFF, fw::clWhite);
  EXPECT_EQ(chart->Color(), fw::clNavy);
  EXPECT_TRUE(chart->Gradient()->Visible);
  EXPECT_EQ(marks.size(), 4u);

  // The metafile formats put the chart's records on the clipboard instead.
  workspace::Preferences.CopyFormat = workspace::cfEMF;
  graphs->CopyImage();
  fw::Clipboard()->Open();
  EXPECT_TRUE(fw::Clipboard()->HasFormat(14 /* CF_ENHMETAFILE */));
  fw::Clipboard()->Close();
  EXPECT_EQ(chart->Color(), fw::clNavy);
}

}  // namespace
