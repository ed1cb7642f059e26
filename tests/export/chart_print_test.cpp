// The chart printed on the PDF printer into its print rectangle: the page in the PDF (read by
// poppler's tools) holds exactly the same drawing made on a plain bitmap of the page's size.

#include <gtest/gtest.h>

#include "chart_export_fixture.h"
#include "format_test_support.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Printers.h"

namespace {

using namespace writertest;

class ChartPrint : public exporttest::ChartExportTest {};

TEST_F(ChartPrint, ThePdfPageHoldsTheChartInsideTheMargins) {
  MakeChart(320, 240);
  chart_->SetPrintMargins(fw::TRect{10, 10, 10, 50});
  fw::TPrinter printer;
  printer.SetResolution(72);
  // A sheet of whole dots (600 x 800), so the reader's pixels fall on the printer's.
  printer.SetPaperSize(25.4 * 600 / 72, 25.4 * 800 / 72);
  printer.FileName = dir_.File("chart.pdf");
  const fw::TRect r = chart_->ChartPrintRect(printer.PageWidth(), printer.PageHeight());
  printer.BeginDoc();
  chart_->PrintPartial(*printer.Canvas(), r);
  printer.EndDoc();
  // The page as a reader renders it (pdftoppm) at the printer's resolution.
  const CommandResult png = RunCommand("pdftoppm -r 72 -png -singlefile '" + printer.FileName + "' '" + dir_.File("page") + "'");
  ASSERT_EQ(png.Status, 0) << png.Output;
  const std::vector<PillowPicture> read = ReadAllWithPillow(dir_, {dir_.File("page.png")});
  const PillowPicture& page = read[0];
  ASSERT_EQ(page.Width, printer.PageWidth()) << "the sheet's size in the PDF";
  ASSERT_EQ(page.Height, printer.PageHeight());
  // The same drawing on a plain page-sized bitmap: the printer must add or lose nothing.
  fw::TBitmap sheet;
  sheet.SetPixelFormat(fw::pf24bit);
  sheet.SetSize(printer.PageWidth(), printer.PageHeight());
  sheet.Canvas()->Brush()->SetColor(fw::clWhite);
  sheet.Canvas()->FillRect(fw::TRect{0, 0, sheet.Width(), sheet.Height()});
  chart_->PrintPartial(*sheet.Canvas(), r);
  const std::vector<std::uint32_t> want = BitmapRgb(sheet);
  ASSERT_EQ(page.Rgb.size(), want.size());
  std::size_t differing = 0, inked = 0;
  for (std::size_t i = 0; i < want.size(); ++i) {
    inked += want[i] != 0xFFFFFFu;
    for (int s : {0, 8, 16})
      if (std::abs(int(page.Rgb[i] >> s & 0xFF) - int(want[i] >> s & 0xFF)) > 0) {
        ++differing;
        break;
      }
  }
  EXPECT_GT(inked, want.size() / 50) << "the chart was drawn";
  EXPECT_EQ(differing, 0u) << "pixels of the page that differ from the drawing";
  EXPECT_EQ(page.Rgb[std::size_t(5 * page.Width + 5)], 0xFFFFFFu) << "the margin stays blank";
  EXPECT_EQ(page.Rgb[std::size_t((page.Height - 5) * page.Width + 5)], 0xFFFFFFu);
}

}  // namespace
