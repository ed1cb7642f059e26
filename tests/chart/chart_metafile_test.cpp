// The chart's metafile picture: recorded through the normal canvas path, it plays back into a
// bitmap with the pixels CreateBitmap gives; the clipboard copies of the picture.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <string>

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "chart_Fixture.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsMetafile.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace {

using chart::TChart;
using chart::TLineSeries;
using fw::Integer;
using fw::TColor;
using fw::TRect;
using charttest::PixelOf;

class ChartMetafileTest : public charttest::ChartTest {
 protected:
  // Three line series (one dashed), two titles, the legend and both grids, in the test font.
  void Dress(TChart& c) {
    c.SetColor(fw::clWhite);
    c.BackWall()->SetColor(0xF0F0E0);
    c.Title()->SetText("Values");
    c.Foot()->SetText("time");
    for (chart::TPlotFont* f : {c.Title()->Font(), c.Foot()->Font(), c.Legend()->Font(),
                                c.BottomAxis()->LabelsFont(), c.LeftAxis()->LabelsFont()})
      f->SetName("Korvalin Test");
    for (chart::TChartAxis* axis : {c.BottomAxis(), c.LeftAxis()}) {
      axis->Grid()->SetVisible(true);
      axis->Grid()->SetColor(0x30A030);
    }
    const TColor colors[3] = {0xA03030, 0x3030A0, 0x208080};
    for (int s = 0; s < 3; ++s) {
      auto* line = new TLineSeries(&c);
      line->SetTitle("S" + std::to_string(s));
      line->SetSeriesColor(colors[s]);
      for (int i = 0; i <= 20; ++i) line->AddXY(i, (i * (s + 2) * 7 + s * 13) % 50 + s * 10);
      if (s == 1) line->LinePen()->SetStyle(fw::psDash);
      line->SetParentChart(&c);
    }
    c.Legend()->SetVisible(true);
  }
};

// A white 24-bit bitmap with the metafile played over it at its own size.
std::unique_ptr<fw::TBitmap> Played(fw::TMetafile& mf, int w, int h) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(fw::clWhite);
  b->Canvas()->FillRect(TRect{0, 0, w, h});
  b->Canvas()->Draw(0, 0, &mf);
  return b;
}

TEST_F(ChartMetafileTest, PlayedMetafileHasTheBitmapsPixels) {
  TChart chart(nullptr);
  Dress(chart);
  const TRect r{0, 0, 420, 300};
  auto bmp = chart.CreateBitmap(fw::clWhite, r, fw::pf24bit);
  auto mf = chart.CreateMetafile(true, r);
  ASSERT_NE(mf, nullptr);
  ASSERT_FALSE(mf->Empty());
  EXPECT_TRUE(mf->Enhanced());
  EXPECT_EQ(mf->Width(), 420);
  EXPECT_EQ(mf->Height(), 300);
  // The picture is vector records, not one bitmap of the chart.
  std::vector<uint8_t> bytes(win::GetEnhMetaFileBits(mf->Handle(), 0, nullptr));
  win::GetEnhMetaFileBits(mf->Handle(), win::UINT(bytes.size()), bytes.data());
  int texts = 0, lines = 0, blits = 0;
  for (size_t off = 0; off + 8 <= bytes.size();) {
    uint32_t type, size;
    std::memcpy(&type, &bytes[off], 4);
    std::memcpy(&size, &bytes[off + 4], 4);
    texts += type == win::EMR_EXTTEXTOUTW;
    lines += type == win::EMR_POLYLINE16 || type == win::EMR_POLYLINE || type == win::EMR_LINETO;
    blits += type == win::EMR_STRETCHDIBITS;
    off += size;
  }
  EXPECT_GT(texts, 5) << "titles, legend entries and labels";
  EXPECT_GT(lines, 3);
  EXPECT_EQ(blits, 0);

  auto played = Played(*mf, 420, 300);
  int differ = 0, inked = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 420; ++x) {
      const TColor a = PixelOf(*bmp, x, y), b = PixelOf(*played, x, y);
      differ += a != b;
      inked += a != fw::clWhite;
    }
  EXPECT_GT(inked, 5000);
  EXPECT_EQ(differ, 0);
  // The drawing leaves the panel as it was: the window's next paint is not disturbed.
  EXPECT_TRUE(chart.BufferedDisplay());
}

TEST_F(ChartMetafileTest, TransparentLegendBlendsOverWhatWasRecordedBeneathIt) {
  // The blend reads back the picture under the legend; the metafile is made first, so no pixels
  // of an earlier bitmap can stand in for it.
  TChart chart(nullptr);
  Dress(chart);
  chart.SetColor(fw::clYellow);
  chart.Legend()->SetTransparency(50);
  const TRect r{0, 0, 420, 300};
  auto mf = chart.CreateMetafile(true, r);
  auto bmp = chart.CreateBitmap(fw::clYellow, r, fw::pf24bit);
  auto played = Played(*mf, 420, 300);
  int differ = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 420; ++x) differ += PixelOf(*bmp, x, y) != PixelOf(*played, x, y);
  EXPECT_EQ(differ, 0);
  const win::RECT legend = chart.Legend()->ShapeBounds();
  const TColor inside = PixelOf(*played, legend.left + 3, legend.bottom - 3);
  EXPECT_NE(inside, fw::clWhite);
  EXPECT_NE(inside, fw::clYellow);
}

TEST_F(ChartMetafileTest, RectangleOfNoSizeStillGivesAOnePixelPicture) {
  TChart chart(nullptr);
  Dress(chart);
  for (const TRect& r : {TRect{0, 0, 0, 0}, TRect{50, 50, 10, 10}}) {
    auto mf = chart.CreateMetafile(false, r);
    ASSERT_NE(mf, nullptr);
    EXPECT_FALSE(mf->Enhanced());
    EXPECT_EQ(mf->Width(), 1);
    EXPECT_EQ(mf->Height(), 1);
  }
  auto offset = chart.CreateMetafile(true, TRect{100, 40, 300, 190});
  ASSERT_NE(offset, nullptr);
  EXPECT_EQ(offset->Width(), 200);
  EXPECT_EQ(offset->Height(), 150);
}

TEST_F(ChartMetafileTest, ClipboardCopiesOfThePicture) {
  TChart* chart = ShowChart(0, 0, 300, 200);
  Dress(*chart);
  chart->CopyToClipboardMetafile(true);
  ASSERT_TRUE(win::IsClipboardFormatAvailable(win::CF_ENHMETAFILE));
  ASSERT_TRUE(win::OpenClipboard(nullptr));
  auto h = static_cast<win::HENHMETAFILE>(win::GetClipboardData(win::CF_ENHMETAFILE));
  ASSERT_NE(h, nullptr);
  fw::TMetafile copy;
  copy.SetHandle(win::CopyEnhMetaFileW(h, nullptr));
  win::CloseClipboard();
  EXPECT_EQ(copy.Width(), chart->Width());
  EXPECT_EQ(copy.Height(), chart->Height());
  auto bmp = chart->CreateBitmap(fw::clWhite, TRect{0, 0, 300, 200}, fw::pf24bit);
  auto played = Played(copy, 300, 200);
  int differ = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) differ += PixelOf(*bmp, x, y) != PixelOf(*played, x, y);
  EXPECT_EQ(differ, 0);

  chart->CopyToClipboardBitmap();
  EXPECT_TRUE(win::IsClipboardFormatAvailable(win::CF_BITMAP));
  EXPECT_FALSE(win::IsClipboardFormatAvailable(win::CF_ENHMETAFILE)) << "a new copy replaces the old";
  ASSERT_TRUE(win::OpenClipboard(nullptr));
  win::BITMAP info{};
  ASSERT_NE(win::GetObjectW(win::GetClipboardData(win::CF_BITMAP), sizeof info, &info), 0);
  win::CloseClipboard();
  EXPECT_EQ(info.bmWidth, 300);
  EXPECT_EQ(info.bmHeight, 200);
}

// A Windows-format copy goes as CF_METAFILEPICT, with the enhanced picture beside it: the
// Windows metafile is the enhanced one's records in their 16-bit form, and libwmf reads it.
TEST_F(ChartMetafileTest, WindowsMetafileCopyGoesAsAMetafilePicture) {
  TChart* chart = ShowChart(0, 0, 300, 200);
  Dress(*chart);
  chart->CopyToClipboardMetafile(false);
  ASSERT_TRUE(win::IsClipboardFormatAvailable(win::CF_METAFILEPICT));
  ASSERT_TRUE(win::IsClipboardFormatAvailable(win::CF_ENHMETAFILE));
  ASSERT_TRUE(win::OpenClipboard(nullptr));
  const auto block = static_cast<win::HGLOBAL>(win::GetClipboardData(win::CF_METAFILEPICT));
  const auto emf = static_cast<win::HENHMETAFILE>(win::GetClipboardData(win::CF_ENHMETAFILE));
  win::METAFILEPICT picture{};
  std::memcpy(&picture, win::GlobalLock(block), sizeof picture);
  win::GlobalUnlock(block);
  std::vector<win::BYTE> wmf(win::GetMetaFileBitsEx(picture.hMF, 0, nullptr));
  ASSERT_EQ(win::GetMetaFileBitsEx(picture.hMF, win::UINT(wmf.size()), wmf.data()), wmf.size());
  std::vector<win::BYTE> want(win::GetWinMetaFileBits(emf, 0, nullptr, win::MM_ANISOTROPIC, nullptr));
  win::GetWinMetaFileBits(emf, win::UINT(want.size()), want.data(), win::MM_ANISOTROPIC, nullptr);
  win::ENHMETAHEADER header{};
  win::GetEnhMetaFileHeader(emf, sizeof header, &header);
  win::CloseClipboard();
  EXPECT_EQ(wmf, want);
  EXPECT_EQ(picture.mm, win::MM_ANISOTROPIC);
  // The picture's size in hundredths of a millimetre: the frame's.
  EXPECT_EQ(picture.xExt, header.rclFrame.right - header.rclFrame.left + 1);
  EXPECT_EQ(picture.yExt, header.rclFrame.bottom - header.rclFrame.top + 1);
  EXPECT_GT(picture.xExt, picture.yExt);

  // With a placeable header (300 x 200 units, 96 a inch) libwmf's converter reads it.
  std::vector<std::uint16_t> placeable = {0xCDD7, 0x9AC6, 0, 0, 0, 300, 200, 96, 0, 0};
  std::uint16_t sum = 0;
  for (std::uint16_t w : placeable) sum ^= w;
  placeable.push_back(sum);
  const std::string path = ::testing::TempDir() + "chart-copy.wmf";
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(placeable.data(), 2, placeable.size(), f);
    std::fwrite(wmf.data(), 1, wmf.size(), f);
    std::fclose(f);
  }
  const std::string svg = path + ".svg";
  ASSERT_EQ(std::system(("wmf2svg -o '" + svg + "' '" + path + "' 2>/dev/null").c_str()), 0);
  std::FILE* f = std::fopen(svg.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::string text(1 << 20, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), f));
  std::fclose(f);
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_GT(text.size(), 1000u) << "the chart's lines and texts";
  std::remove(path.c_str());
  std::remove(svg.c_str());
}

}  // namespace
