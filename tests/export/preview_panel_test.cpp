// The print preview panel on a headless desktop: the sheet's geometry for a page, dragging the
// margins with the mouse (the chart's print margins follow, the event fires once per move), and
// printing on the PDF printer.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "chart/PlotAxis.h"
#include "chart_export_fixture.h"
#include "export/PlotPreviewPanel.h"
#include "format_test_support.h"
#include "framework/Forms.h"
#include "support/Snapshot.h"

namespace {

using kvexport::TPlotPreviewPanel;
using fw::TRect;

class PreviewPanel : public exporttest::ChartExportTest {
 protected:
  // A 432 x 312 preview (or Width x Height) at (50, 50) of a 320 x 240 chart with margins 10 %
  // all round, on an A4 printer at 150 dpi (1240 x 1754 dots).
  void Build(bool WithChart = true, int Width = 432, int Height = 312) {
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBorderStyle(fw::bsNone);
    form->SetBounds(50, 50, Width, Height);
    preview = new TPlotPreviewPanel(form.get());
    preview->SetParent(form.get());
    preview->SetBounds(0, 0, Width, Height);
    preview->SetPrinter(&printer);
    if (WithChart) {
      MakeChart(320, 240);
      chart_->SetPrintProportional(false);
      chart_->SetPrintMargins(TRect{10, 10, 10, 10});
      preview->SetPanel(chart_.get());
    }
    preview->OnChangeMargins = [this](fw::TObject*, bool Changed, const TRect& M) {
      ++changes;
      EXPECT_TRUE(Changed);
      last = M;
    };
    form->Show();
    Pump();
  }
  void Pump() { desktop->run_until_idle(); }
  win::POINT At(int x, int y) { return preview->ClientToScreen(fw::TPoint{x, y}); }
  void Drag(int x0, int y0, int x1, int y1) {
    desktop->mouse_move(At(x0, y0));
    desktop->mouse_down(At(x0, y0));
    Pump();
    desktop->mouse_move(At(x1, y1));
    Pump();
    desktop->mouse_up(At(x1, y1));
    Pump();
  }

  // Dark pixels of the screen in the column X between rows Y0 and Y1 (excluded) of the preview.
  int DarkInColumn(int X, int Y0, int Y1) {
    int n = 0;
    for (int y = Y0; y < Y1; ++y) {
      const win::POINT p = At(X, y);
      n += (desktop->screen_pixel(p.x, p.y) & 0xFF) < 0x40;
    }
    return n;
  }

  fw::TPrinter printer;
  std::unique_ptr<fw::TForm> form;
  TPlotPreviewPanel* preview = nullptr;
  int changes = 0;
  TRect last{};
};

TEST_F(PreviewPanel, TheSheetKeepsThePagesProportionsInsideTheClient) {
  Build(false);
  struct Case {
    fw::TPrinterOrientation orientation;
    TRect sheet;
  } cases[] = {
      // Portrait: the height binds, 312 less a fifth from a tenth down, centred across.
      {fw::poPortrait, {127, 31, 304, 281}},
      // Landscape in this client: the width binds, 432 less a fifth from a tenth across.
      {fw::poLandscape, {43, 33, 389, 278}},
  };
  for (const Case& c : cases) {
    printer.SetOrientation(c.orientation);
    EXPECT_EQ(preview->PaperRect(), c.sheet) << c.orientation;
    const TRect m = preview->MarginsRect(c.sheet);
    const int w = c.sheet.right - c.sheet.left;
    EXPECT_EQ(m.left, c.sheet.left + 15 * w / 100) << "15 % with no chart";
  }
  preview->OnGetPaperRect = [](fw::TObject*, TRect& R) { R = TRect{1, 2, 3, 4}; };
  EXPECT_EQ(preview->PaperRect(), (TRect{1, 2, 3, 4}));
}

TEST_F(PreviewPanel, DraggingTheFrameSetsTheChartsMarginsOncePerMove) {
  Build();
  // The sheet is {127, 31, 304, 281} (177 x 250), the area at 10 % {144, 56, 287, 256}.
  const TRect s = preview->PaperRect();
  ASSERT_EQ(s, (TRect{127, 31, 304, 281}));
  struct Case {
    const char* what;
    bool allowResize;
    int x0, y0, x1, y1;
    int changes;
    TRect margins;
  } cases[] = {
      {"left edge in", true, 144, 150, 174, 150, 1, {26, 10, 10, 10}},
      {"left edge past the right one", true, 144, 150, 300, 150, 1, {10, 10, 10, 10}},
      {"left edge off the sheet", true, 144, 150, 100, 150, 1, {10, 10, 10, 10}},
      {"top-left corner", true, 143, 57, 164, 76, 1, {20, 18, 10, 10}},
      {"bottom-right corner", true, 286, 255, 250, 230, 1, {10, 10, 30, 20}},
      {"whole area to the sheet's corner", true, 200, 150, 0, 0, 1, {0, 0, 19, 20}},
      {"edge with resizing off", false, 144, 150, 174, 150, 0, {10, 10, 10, 10}},
      {"move with resizing off", false, 200, 150, 217, 150, 1, {19, 10, 0, 10}},
      {"outside the area", true, 20, 20, 60, 60, 0, {10, 10, 10, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    chart_->SetPrintMargins(TRect{10, 10, 10, 10});
    preview->SetAllowResize(c.allowResize);
    preview->Invalidate();
    Pump();
    changes = 0;
    Drag(c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(chart_->PrintMargins(), c.margins);
    if (c.changes) {
      EXPECT_EQ(last, c.margins);
    }
    EXPECT_FALSE(chart_->PrintProportional());
  }
}

TEST_F(PreviewPanel, TheSheetShowsTheChartAndTheMarginFrameFollowsTheDrag) {
  Build();
  // Sheet {127, 31, 304, 281}, area {144, 56, 287, 256}: the frame's dotted lines cross the
  // white sheet above the area, the shadow lies 4 pixels below and right.
  const auto screen = [&](int x, int y) {
    const win::POINT p = At(x, y);
    return desktop->screen_pixel(p.x, p.y) & 0xFFFFFF;
  };
  EXPECT_EQ(screen(127, 100), win::RGB(0, 0, 0)) << "the sheet's edge";
  EXPECT_EQ(screen(200, 283), win::RGB(128, 128, 128)) << "the shadow";
  EXPECT_EQ(screen(200, 40), win::RGB(255, 255, 255)) << "the paper";
  EXPECT_GT(DarkInColumn(144, 33, 54), 5) << "the left margin line";
  EXPECT_EQ(DarkInColumn(150, 33, 54), 0);
  int red = 0;
  for (int y = 56; y < 256; ++y)
    for (int x = 144; x < 287; x += 2) red += screen(x, y) == win::RGB(255, 0, 0);
  EXPECT_GT(red, 20) << "the chart's line inside the area";
  const std::string shot = kvtest::SnapshotFolder() + "/print-preview-panel.png";
  EXPECT_TRUE(desktop->save_png(shot)) << shot;

  // A drag without DragImage moves only the frame; the release repaints the chart there.
  int paints = 0;
  preview->OnAfterDraw = [&](fw::TObject*) { ++paints; };
  desktop->mouse_move(At(144, 150));
  desktop->mouse_down(At(144, 150));
  desktop->mouse_move(At(174, 150));
  Pump();
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(DarkInColumn(144, 33, 54), 0) << "the old line erased";
  EXPECT_GT(DarkInColumn(174, 33, 54), 5) << "the line at the mouse";
  desktop->mouse_up(At(174, 150));
  Pump();
  EXPECT_EQ(paints, 1);
  // Drawn from the stored 26 %: 127 + 26 * 177 / 100.
  EXPECT_GT(DarkInColumn(173, 33, 54), 5);
  EXPECT_EQ(chart_->PrintMargins().left, 26);
}

TEST_F(PreviewPanel, TheChartStaysInsideTheMarginsDrawnOrAsAPicture) {
  Build();
  // An area 19 pixels wide (sheet {127, 31, 304, 281}): the chart's title is wider than that.
  chart_->SetPrintMargins(TRect{45, 10, 45, 10});
  const auto darkIn = [&](int X0, int X1, int Y0, int Y1) {
    int n = 0;
    for (int y = Y0; y < Y1; ++y)
      for (int x = X0; x < X1; ++x) {
        const win::POINT p = At(x, y);
        n += (desktop->screen_pixel(p.x, p.y) & 0xFF) < 0x80;
      }
    return n;
  };
  struct Case {
    bool AsBitmap, Smooth;
  };
  std::map<bool, std::size_t> shades;  // colours in the area of the picture, by SmoothBitmap
  for (const Case c : {Case{false, true}, Case{true, true}, Case{true, false}}) {
    SCOPED_TRACE(std::string(c.AsBitmap ? "picture" : "drawn") + (c.Smooth ? ", smooth" : ""));
    preview->SetAsBitmap(c.AsBitmap);
    preview->SetSmoothBitmap(c.Smooth);
    preview->Invalidate();
    Pump();
    EXPECT_GT(darkIn(208, 224, 58, 255), 10) << "the chart inside the area";
    // Beside the area on the sheet, below the top margin line and above the bottom one.
    EXPECT_EQ(darkIn(150, 204, 60, 250), 0) << "left of the area";
    EXPECT_EQ(darkIn(228, 280, 60, 250), 0) << "right of the area";
    if (c.AsBitmap) {
      std::set<win::COLORREF> colours;
      for (int y = 58; y < 255; ++y)
        for (int x = 208; x < 224; ++x) {
          const win::POINT p = At(x, y);
          colours.insert(desktop->screen_pixel(p.x, p.y) & 0xFFFFFF);
        }
      shades[c.Smooth] = colours.size();
    }
  }
  // Shrunk smoothly, neighbouring pixels blend into shades a plain shrink never makes.
  EXPECT_GT(shades[true], shades[false] + 5);
}

// The inked part of a page read back from the PDF (rendered at the printer's resolution).
TRect InkedArea(const writertest::PillowPicture& Page) {
  TRect r{Page.Width, Page.Height, 0, 0};
  for (int y = 0; y < Page.Height; ++y)
    for (int x = 0; x < Page.Width; ++x)
      if (Page.Rgb[std::size_t(y * Page.Width + x)] != 0xFFFFFFu)
        r = TRect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
  return r;
}

// Where the chart's red line lies within a rectangle, as fractions of its width and height.
struct Span {
  double Left = 1, Top = 1, Right = 0, Bottom = 0;
};
template <typename Pixel>
Span RedSpan(const TRect& R, Pixel At) {
  Span s;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x) {
      const std::uint32_t rgb = At(x, y);
      const int r = int(rgb & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb >> 16 & 0xFF);
      if (r - g < 60 || r - b < 60) continue;  // reddish: the line, whole or blended
      const double fx = double(x - R.left) / (R.right - R.left), fy = double(y - R.top) / (R.bottom - R.top);
      s = Span{std::min(s.Left, fx), std::min(s.Top, fy), std::max(s.Right, fx), std::max(s.Bottom, fy)};
    }
  return s;
}

TEST_F(PreviewPanel, TheSheetShowsTheChartLaidOutAsItPrints) {
  Build();
  chart_->SetPrintMargins(TRect{20, 10, 5, 40});
  printer.SetResolution(72);
  printer.FileName = dir_.File("page.pdf");
  preview->Invalidate();
  Pump();
  const TRect area = preview->MarginsRect(preview->PaperRect());
  const Span shown = RedSpan(area, [&](int x, int y) {
    const win::POINT p = At(x, y);
    return std::uint32_t(desktop->screen_pixel(p.x, p.y));  // 0x00BBGGRR
  });
  preview->Print();
  const writertest::CommandResult run =
      writertest::RunCommand("pdftoppm -r 72 -png -singlefile '" + printer.FileName + "' '" + dir_.File("page") + "'");
  ASSERT_EQ(run.Status, 0) << run.Output;
  const writertest::PillowPicture page = writertest::ReadAllWithPillow(dir_, {dir_.File("page.png")})[0];
  const Span printed = RedSpan(chart_->ChartPrintRect(printer.PageWidth(), printer.PageHeight()), [&](int x, int y) {
    const std::uint32_t rgb = page.Rgb[std::size_t(y * page.Width + x)];
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16;  // as the screen's 0x00BBGGRR
  });
  // The plot takes the same share of the area on the sheet as on the page, to about a pixel of
  // the sheet.
  ASSERT_LT(printed.Left, printed.Right) << "the line on the page";
  EXPECT_GT(printed.Right - printed.Left, 0.7);
  EXPECT_NEAR(shown.Left, printed.Left, 0.03);
  EXPECT_NEAR(shown.Right, printed.Right, 0.03);
  EXPECT_NEAR(shown.Top, printed.Top, 0.03);
  EXPECT_NEAR(shown.Bottom, printed.Bottom, 0.03);
}

// The height of the bottom axis labels' text in R, in rows: below the labels the chart draws
// nothing, so the columns whose lowest dark pixel lies on the lowest dark row are the labels';
// the median of their dark runs upward from there is the text's height (a column under a tick
// may run on into the tick where the picture is shrunk).
template <typename Pixel>
int BottomLabelRows(const TRect& R, Pixel At) {
  const auto dark = [&](int x, int y) {
    const std::uint32_t c = At(x, y);
    return (c & 0xFF) < 0x80 && (c >> 8 & 0xFF) < 0x80 && (c >> 16 & 0xFF) < 0x80;
  };
  std::vector<int> lowest, runs;
  for (int x = R.left; x < R.right; ++x) {
    int y = R.bottom - 1;
    while (y >= R.top && !dark(x, y)) --y;
    lowest.push_back(y);
  }
  const int bottom = *std::max_element(lowest.begin(), lowest.end());
  for (int x = R.left; x < R.right; ++x) {
    int y = lowest[std::size_t(x - R.left)];
    if (y < bottom - 1) continue;
    const int from = y;
    while (y >= R.top && dark(x, y)) --y;
    runs.push_back(from - y);
  }
  std::nth_element(runs.begin(), runs.begin() + std::ptrdiff_t(runs.size() / 2), runs.end());
  return runs.empty() ? 0 : runs[runs.size() / 2];
}

// The thickness in rows of the highest line across R (ink along more than a quarter of its
// width): the top of the frame around the plot, above which only the title comes.
template <typename Pixel>
int TopLineRows(const TRect& R, Pixel At) {
  const auto across = [&](int y) {
    int run = 0, longest = 0;
    for (int x = R.left; x < R.right; ++x)
      longest = std::max(longest, run = (At(x, y) & 0xE0E0E0) != 0xE0E0E0 ? run + 1 : 0);
    return longest > (R.right - R.left) / 4;
  };
  int y = R.top, rows = 0;
  while (y < R.bottom && !across(y)) ++y;
  while (y < R.bottom && across(y++)) ++rows;
  return rows;
}

// The level of detail lays the chart out larger or smaller on the page: at -100, 0 and +100 the
// bottom axis labels' text takes 2, 1 and 0.5 times its level-0 share of the sheet and of the
// printed page, drawn or as a picture. Drawn, the frame's one-dot line is twice as thick at
// -100 and stays one dot at +100. At level 0 the page holds the chart drawn straight into its
// rectangle, as ever.
TEST_F(PreviewPanel, TheLevelOfDetailScalesTheChartOnTheSheetAndOnThePage) {
  Build(true, 700, 500);
  preview->Margins()->SetVisible(false);
  chart_->SetBounds(0, 0, 640, 480);
  chart_->BottomAxis()->LabelsFont()->SetName(win::WideToUtf8(win::kTestFontFace));
  chart_->BottomAxis()->LabelsFont()->SetSize(16);
  // A landscape sheet of whole dots (600 x 420), so the reader's pixels fall on the printer's.
  printer.SetResolution(72);
  printer.SetPaperSize(25.4 * 420 / 72, 25.4 * 600 / 72);
  printer.SetOrientation(fw::poLandscape);
  printer.FileName = dir_.File("detail.pdf");
  const TRect r = chart_->ChartPrintRect(printer.PageWidth(), printer.PageHeight());
  for (bool asBitmap : {false, true}) {
    preview->SetAsBitmap(asBitmap);
    std::map<int, double> shown, printed;  // the labels' height, a share of the sheet or page
    std::map<int, int> frame;              // the frame line's thickness on the page, in dots
    for (int level : {0, -100, 100}) {
      SCOPED_TRACE(std::string(asBitmap ? "as a picture" : "drawn") + ", level " + std::to_string(level));
      chart_->SetPrintResolution(level);
      preview->Invalidate();
      Pump();
      const TRect sheet = preview->PaperRect();
      shown[level] = double(BottomLabelRows(preview->MarginsRect(sheet), [&](int x, int y) {
                       const win::POINT p = At(x, y);
                       return std::uint32_t(desktop->screen_pixel(p.x, p.y));
                     })) / (sheet.bottom - sheet.top);
      preview->Print();
      const std::string png = dir_.File("level");
      const writertest::CommandResult run =
          writertest::RunCommand("pdftoppm -r 72 -png -singlefile '" + printer.FileName + "' '" + png + "'");
      ASSERT_EQ(run.Status, 0) << run.Output;
      const writertest::PillowPicture page = writertest::ReadAllWithPillow(dir_, {png + ".png"})[0];
      const auto pagePixel = [&](int x, int y) { return page.Rgb[std::size_t(y * page.Width + x)]; };
      printed[level] = double(BottomLabelRows(r, pagePixel)) / page.Height;
      frame[level] = TopLineRows(r, pagePixel);
      if (level == 0 && !asBitmap) {
        // Level 0 prints as ever: the chart drawn straight into its rectangle of the page.
        fw::TBitmap plain;
        plain.SetPixelFormat(fw::pf24bit);
        plain.SetSize(printer.PageWidth(), printer.PageHeight());
        plain.Canvas()->Brush()->SetColor(fw::clWhite);
        plain.Canvas()->FillRect(TRect{0, 0, plain.Width(), plain.Height()});
        chart_->SetPrinting(true);
        chart_->SetBufferedDisplay(false);
        chart_->Draw(*plain.Canvas(), r);
        chart_->SetBufferedDisplay(true);
        chart_->SetPrinting(false);
        EXPECT_TRUE(writertest::BitmapRgb(plain) == page.Rgb) << "the page differs from the chart drawn straight";
      }
    }
    for (int level : {-100, 100}) {
      const double want = std::exp2(-level / 100.0);
      const std::string what = std::string(asBitmap ? "as a picture" : "drawn") + " at " + std::to_string(level);
      EXPECT_NEAR(shown[level] / shown[0], want, 0.15 * want) << "on the sheet, " << what;
      EXPECT_NEAR(printed[level] / printed[0], want, 0.15 * want) << "on the page, " << what;
    }
    if (!asBitmap) {
      EXPECT_EQ(frame, (std::map<int, int>{{-100, 2}, {0, 1}, {100, 1}})) << "the frame's rows, drawn";
    }
  }
}

TEST_F(PreviewPanel, PrintingPutsThePreviewedAreaOnThePageAndRefusesWithoutAPrinter) {
  Build();
  chart_->SetName("Graph");
  chart_->SetPrintMargins(TRect{20, 10, 5, 40});
  printer.SetResolution(72);
  printer.FileName = dir_.File("preview.pdf");
  int afterDraw = 0;
  preview->OnAfterDraw = [&](fw::TObject*) { ++afterDraw; };
  const TRect r = chart_->ChartPrintRect(printer.PageWidth(), printer.PageHeight());
  for (bool asBitmap : {false, true}) {
    SCOPED_TRACE(asBitmap ? "as a picture" : "drawn");
    preview->SetAsBitmap(asBitmap);
    afterDraw = 0;
    preview->Print();
    EXPECT_EQ(afterDraw, 1);
    const std::string png = dir_.File(asBitmap ? "bitmap" : "drawn");
    const writertest::CommandResult run =
        writertest::RunCommand("pdftoppm -r 72 -png -singlefile '" + printer.FileName + "' '" + png + "'");
    ASSERT_EQ(run.Status, 0) << run.Output;
    const writertest::PillowPicture page = writertest::ReadAllWithPillow(dir_, {png + ".png"})[0];
    // The chart's white background is invisible: its ink lies within the area and spans most of it.
    const TRect ink = InkedArea(page);
    EXPECT_GE(ink.left, r.left);
    EXPECT_GE(ink.top, r.top);
    EXPECT_LE(ink.right, r.right);
    EXPECT_LE(ink.bottom, r.bottom);
    EXPECT_GT(ink.right - ink.left, (r.right - r.left) * 3 / 4);
    EXPECT_GT(ink.bottom - ink.top, (r.bottom - r.top) / 2);
    // The job is named after the chart until the preview is given a title.
    const writertest::CommandResult info = writertest::RunCommand("pdfinfo '" + printer.FileName + "'");
    EXPECT_NE(info.Output.find(asBitmap ? "Title:           Печать" : "Title:           Graph"), std::string::npos)
        << info.Output;
    preview->Title = "Печать";
  }
  preview->SetPrinter(nullptr);
  EXPECT_THROW(preview->Print(), fw::EPrinter);
  // The chart going away leaves the preview empty, and printing nothing is no error.
  chart::MainChart = nullptr;
  chart_.reset();
  EXPECT_EQ(preview->Panel(), nullptr);
  preview->Print();
  Pump();
}

}  // namespace
