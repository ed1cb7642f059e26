// The PDF document the printer writes, read back by poppler: every pixel of a picture that is
// deflated in several pieces at once comes back at its place, a sheet without ink stays blank,
// and the title survives in any letters.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "format_test_support.h"
#include "platform/gdi/PdfDocument.h"

namespace {

using namespace writertest;

TEST(PdfDocument, PicturesInManyPiecesComeBackWholeAndBlankSheetsStayBlank) {
  ScratchDir dir;
  // 72 dots per inch on a sheet of 1000 x 1100 points: one dot a point.
  win::gdi::PdfPaper paper;
  paper.widthMM = 25.4 * 1000 / 72;
  paper.heightMM = 25.4 * 1100 / 72;
  paper.resolution = 72;
  win::gdi::PdfDocument pdf(paper, "Печать графика", "Korvalin");
  ASSERT_TRUE(pdf.Started());
  // Ink from (3, 2) to (995, 1096) only, with a noisy middle: about 3.3 MB of rows, the share
  // of three pieces.
  constexpr int W = 1000, H = 1100;
  std::vector<std::uint8_t> bgr(std::size_t(W) * H * 3, 0xFF);
  std::uint32_t state = 99;
  for (int y = 2; y < H - 3; ++y)
    for (int x = 3; x < W - 4; ++x) {
      state = state * 1664525u + 1013904223u;
      std::uint8_t* p = &bgr[(std::size_t(y) * W + std::size_t(x)) * 3];
      p[0] = std::uint8_t(x), p[1] = std::uint8_t(y), p[2] = std::uint8_t(state >> 24);
    }
  ASSERT_TRUE(pdf.AddPage(bgr.data(), W, H, W * 3));
  const std::vector<std::uint8_t> blank(std::size_t(W) * H * 3, 0xFF);
  ASSERT_TRUE(pdf.AddPage(blank.data(), W, H, W * 3));
  EXPECT_FALSE(pdf.AddPage(blank.data(), 0, H, 0));
  EXPECT_EQ(pdf.PageCount(), 2);
  const std::string bytes = pdf.Finish();
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(pdf.Finish().empty()) << "a document ends once";
  // The picture's stream is one whole zlib stream: zlib's own reader checks its checksum too.
  const std::size_t length = bytes.find("/Length ", bytes.find("/Subtype /Image")) + 8;
  const std::size_t data = bytes.find("stream\n", length) + 7;
  std::vector<Bytef> rows(std::size_t(W - 7) * (H - 5) * 3);
  uLongf size = uLongf(rows.size());
  EXPECT_EQ(uncompress(rows.data(), &size, reinterpret_cast<const Bytef*>(bytes.data() + data),
                       uLong(std::stoul(bytes.substr(length, 10)))),
            Z_OK);
  EXPECT_EQ(size, rows.size());
  const std::string file = dir.File("doc.pdf");
  WriteFile(file, bytes);

  const CommandResult info = RunCommand("pdfinfo '" + file + "'");
  ASSERT_EQ(info.Status, 0) << info.Output;
  EXPECT_NE(info.Output.find("Title:           Печать графика"), std::string::npos) << info.Output;
  EXPECT_NE(info.Output.find("Pages:           2"), std::string::npos) << info.Output;
  EXPECT_NE(info.Output.find("1000 x 1100 pts"), std::string::npos) << info.Output;
  const CommandResult png = RunCommand("pdftoppm -r 72 -png '" + file + "' '" + dir.File("page") + "'");
  ASSERT_EQ(png.Status, 0) << png.Output;
  const std::vector<PillowPicture> pages = ReadAllWithPillow(dir, {dir.File("page-1.png"), dir.File("page-2.png")});
  ASSERT_EQ(pages[0].Width, W);
  ASSERT_EQ(pages[0].Height, H);
  std::size_t differing = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const std::uint8_t* p = &bgr[(std::size_t(y) * W + std::size_t(x)) * 3];
      const std::uint32_t want = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
      differing += pages[0].Rgb[std::size_t(y) * W + std::size_t(x)] != want;
    }
  EXPECT_EQ(differing, 0u);
  std::size_t inked = 0;
  for (std::uint32_t rgb : pages[1].Rgb) inked += rgb != 0xFFFFFFu;
  EXPECT_EQ(inked, 0u);
}

}  // namespace
