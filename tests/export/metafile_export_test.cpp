// The chart as EMF and WMF files, read by independent renderers (emf2svg-conv then rsvg-convert
// for EMF, wmf2gd for WMF) and compared with the chart's own bitmap; the placeable header of the
// WMF file read back field by field.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>

#include "chart_export_fixture.h"
#include "chart/PlotAxis.h"
#include "export/KvPlotMetafile.h"
#include "format_test_support.h"

namespace {

using namespace writertest;
using kvexport::TKvEMFExportFormat;

class MetafileExport : public exporttest::ChartExportTest {
 protected:
  static constexpr int kWidth = 320, kHeight = 240;
  void SetUp() override {
    ChartExportTest::SetUp();
    MakeChart(kWidth, kHeight, 50, 0.3);
  }
  std::string Save(bool Enhanced) {
    TKvEMFExportFormat f(Enhanced);
    f.Panel = chart_.get();
    const std::string path = dir_.File(Enhanced ? "chart.emf" : "chart.wmf");
    f.SaveToFile(path);
    return path;
  }
  // Share of pixels of the chart's bitmap with no pixel of a close colour at most one pixel away in
  // P (renderers place edges and glyphs differently by a pixel).
  double DifferingShare(const std::vector<std::uint32_t>& P) {
    auto b = chart_->CreateBitmap(chart_->Color(), fw::TRect{0, 0, kWidth, kHeight}, fw::pf24bit);
    const std::vector<std::uint32_t> want = BitmapRgb(*b);
    EXPECT_EQ(P.size(), want.size());
    if (P.size() != want.size()) return 1;
    auto close = [](std::uint32_t a, std::uint32_t c) {
      for (int s : {0, 8, 16})
        if (std::abs(int(a >> s & 0xFF) - int(c >> s & 0xFF)) > 64) return false;
      return true;
    };
    std::size_t differing = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
          for (int dx = -1; dx <= 1 && !found; ++dx) {
            const int u = x + dx, v = y + dy;
            found = u >= 0 && v >= 0 && u < kWidth && v < kHeight &&
                    close(want[std::size_t(y * kWidth + x)], P[std::size_t(v * kWidth + u)]);
          }
        differing += !found;
      }
    return double(differing) / double(want.size());
  }
  // The share a blank picture would get, against which a rendering must do far better.
  double BlankShare() { return DifferingShare(std::vector<std::uint32_t>(std::size_t(kWidth * kHeight), 0xFFFFFF)); }
};

TEST_F(MetafileExport, EmfRenderedByAnotherReaderLooksLikeTheChart) {
  const std::string emf = Save(true);
  const CommandResult svg = RunCommand("emf2svg-conv -i '" + emf + "' -o '" + emf + ".svg'");
  ASSERT_EQ(svg.Status, 0) << svg.Output;
  const CommandResult png =
      RunCommand("rsvg-convert -b white -w " + std::to_string(kWidth) + " -h " + std::to_string(kHeight) + " -o '" +
                 emf + ".png' '" + emf + ".svg'");
  ASSERT_EQ(png.Status, 0) << png.Output;
  const double share = DifferingShare(ReadWithPillow(dir_, emf + ".png").Rgb);
  std::cout << "EMF: " << share * 100 << "% of pixels differ (a blank picture: " << BlankShare() * 100 << "%)\n";
  EXPECT_LT(share, BlankShare() / 4);
}

TEST_F(MetafileExport, WmfIsPlaceableAndRenderedByAnotherReaderLooksLikeTheChart) {
  const std::string wmf = Save(false);
  const std::string script = dir_.File("header.py");
  WriteFile(script,
            "import struct, sys\nb = open(sys.argv[1], 'rb').read()\n"
            "w = struct.unpack('<11H', b[:22])\nx = 0\nfor v in w[:10]: x ^= v\n"
            "key, hmf, l, t, r, bt, inch = struct.unpack('<IHhhhhH', b[:16])\n"
            "typ, hsize, ver, size = struct.unpack('<HHHI', b[22:32])\n"
            "print('%x' % key, l, t, r, bt, inch, x == w[10], typ, hsize, '%x' % ver, size * 2 == len(b) - 22)\n");
  const CommandResult header = RunCommand("/usr/bin/python3 '" + script + "' '" + wmf + "'");
  ASSERT_EQ(header.Status, 0) << header.Output;
  EXPECT_EQ(header.Output, "9ac6cdd7 0 0 320 240 96 True 1 9 300 True\n");
  const CommandResult png = RunCommand("wmf2gd -t png --maxpect --maxwidth=" + std::to_string(kWidth) + " --maxheight=" +
                                       std::to_string(kHeight) + " -o '" + wmf + ".png' '" + wmf + "'");
  ASSERT_EQ(png.Status, 0) << png.Output;
  const PillowPicture p = ReadWithPillow(dir_, wmf + ".png");
  ASSERT_EQ(p.Width, kWidth);
  ASSERT_EQ(p.Height, kHeight);
  const double share = DifferingShare(p.Rgb);
  std::cout << "WMF: " << share * 100 << "% of pixels differ (a blank picture: " << BlankShare() * 100 << "%)\n";
  EXPECT_LT(share, BlankShare() / 4);
}

// The header's bounds hold what was drawn inside the picture, also with turned text at the
// left edge and lines clipped at the plot's border; another reader sizes the picture by them.
TEST_F(MetafileExport, EmfBoundsStayInsideThePictureWithTurnedTextAndClipping) {
  chart_->LeftAxis()->Title()->SetCaption("Y, мм");  // turned by 90 degrees, near the left edge
  chart_->LeftAxis()->SetMinMax(-3, 3);  // the line leaves the plot and is clipped
  chart_->BottomAxis()->Title()->SetCaption("Время");
  const std::string emf = Save(true);
  const std::string script = dir_.File("bounds.py");
  WriteFile(script,
            "import struct, sys\nb = open(sys.argv[1], 'rb').read()\n"
            "print(*struct.unpack('<4i', b[8:24]))\n");
  const CommandResult bounds = RunCommand("/usr/bin/python3 '" + script + "' '" + emf + "'");
  ASSERT_EQ(bounds.Status, 0) << bounds.Output;
  int left = 0, top = 0, right = 0, bottom = 0;
  std::istringstream(bounds.Output) >> left >> top >> right >> bottom;
  EXPECT_GE(left, 0) << bounds.Output;
  EXPECT_GE(top, 0) << bounds.Output;
  EXPECT_LE(right, kWidth - 1) << bounds.Output;
  EXPECT_LE(bottom, kHeight - 1) << bounds.Output;
  EXPECT_GT(right - left, kWidth * 9 / 10) << bounds.Output;  // the white background covers it all
  // emf2svg takes the picture's size and offset from the bounds: the picture's own size, with
  // the drawing not moved.
  const CommandResult svg = RunCommand("emf2svg-conv -i '" + emf + "' -o '" + emf + ".svg'");
  ASSERT_EQ(svg.Status, 0) << svg.Output;
  const std::string text = exporttest::ReadText(emf + ".svg");
  double width = 0, height = 0, dx = 1, dy = 1;
  const std::size_t at = text.find("width=\"");
  ASSERT_NE(at, std::string::npos) << text.substr(0, 300);
  ASSERT_EQ(std::sscanf(text.c_str() + at, "width=\"%lf\" height=\"%lf\"", &width, &height), 2) << text.substr(0, 300);
  const std::size_t shift = text.find("translate(");
  ASSERT_NE(shift, std::string::npos);
  ASSERT_EQ(std::sscanf(text.c_str() + shift, "translate(%lf, %lf)", &dx, &dy), 2) << text.substr(shift, 40);
  EXPECT_NEAR(width, kWidth, 1);
  EXPECT_NEAR(height, kHeight, 1);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
}

// A picture larger than the format holds is refused with the size it was asked for, before a
// file is made; the largest one each format holds is saved at its full size.
TEST_F(MetafileExport, PicturesBeyondTheFormatsSizeAreRefusedNotCut) {
  struct Case { bool Enhanced; int Width, Height; const char* Refusal; };
  const Case cases[] = {
      {true, 40000, 100, "Рисунок 40000 × 100 точек слишком велик для метафайла: не более 32768 точек по стороне"},
      {false, 100, 32768, "Рисунок 100 × 32768 точек слишком велик для метафайла: не более 32767 точек по стороне"},
      {true, 32768, 50, nullptr},
      {false, 32767, 50, nullptr},
  };
  for (const Case& c : cases) {
    TKvEMFExportFormat f(c.Enhanced);
    f.Panel = chart_.get();
    f.Width = c.Width;
    f.Height = c.Height;
    const std::string path = dir_.File(c.Enhanced ? "big.emf" : "big.wmf");
    if (!c.Refusal) {
      ASSERT_NO_THROW(f.SaveToFile(path)) << c.Width;
      const std::string bytes = exporttest::ReadText(path);
      ASSERT_GT(bytes.size(), 22u);
      // The WMF's placeable box, or the EMF's frame in .01 mm, has the full width.
      std::int32_t right = 0;
      if (c.Enhanced) {
        std::memcpy(&right, bytes.data() + 32, 4);  // rclFrame.right
        EXPECT_NEAR(right / 100.0 / 25.4 * 96, c.Width, 2);
      } else {
        std::int16_t box = 0;
        std::memcpy(&box, bytes.data() + 10, 2);
        EXPECT_EQ(box, c.Width);
      }
      std::remove(path.c_str());
      continue;
    }
    try {
      f.SaveToFile(path);
      ADD_FAILURE() << c.Width << " x " << c.Height << " saved";
    } catch (const fw::Exception& e) {
      EXPECT_EQ(e.Message(), c.Refusal);
    }
    EXPECT_TRUE(dir_.Entries().empty());
  }
}

}  // namespace
