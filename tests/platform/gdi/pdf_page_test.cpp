// A PDF page: the sheet's size in points, turned for landscape, and a picture of only the part
// that has ink: any byte that is not white, in any colour and at any column (the scan reads eight
// bytes at a time, so the edges of a row and the bytes between whole words matter).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/PdfDocument.h"

namespace win::gdi {
namespace {

struct InkCase {
  int width, height;
  int x, y, channel;  // the one byte that is not white (0 blue, 1 green, 2 red)
};

// "/Width W /Height H" of the page's picture, or "" when the page has none.
std::string ImageSize(const InkCase& c) {
  PdfDocument pdf(PdfPaper{}, "ink", "tests");
  std::vector<uint8_t> rows(std::size_t(c.width) * c.height * 3, 0xFF);
  if (c.x >= 0) rows[(std::size_t(c.y) * c.width + c.x) * 3 + c.channel] = 0xFE;
  if (!pdf.AddPage(rows.data(), c.width, c.height, std::ptrdiff_t(c.width) * 3)) return "failed";
  const std::string bytes = pdf.Finish();
  const std::size_t at = bytes.find("/Width ");
  if (at == std::string::npos) return "";
  return bytes.substr(at, bytes.find(" /ColorSpace", at) - at);
}

TEST(PdfInkBox, OneInkedByteAnywhereGivesAOnePixelPicture) {
  const InkCase inked[] = {
      {20, 5, 0, 0, 0},   // the first byte of the picture
      {20, 5, 0, 3, 0},   // the first byte of a later row
      {20, 5, 0, 2, 2},   // red of the first column
      {20, 5, 19, 4, 2},  // the last byte of the picture
      {20, 5, 19, 1, 0},  // blue of the last column
      {20, 5, 2, 1, 2},   // the last byte of the first eight
      {20, 5, 3, 1, 0},   // the first byte after them
      {1, 1, 0, 0, 1},    // a one-pixel picture
      {3, 2, 2, 1, 0},    // rows shorter than one word
  };
  for (const InkCase& c : inked)
    EXPECT_EQ(ImageSize(c), "/Width 1 /Height 1")
        << c.width << "x" << c.height << " at (" << c.x << ", " << c.y << ") channel " << c.channel;
  EXPECT_EQ(ImageSize({20, 5, -1, 0, 0}), "") << "a white sheet has no picture";
}

TEST(PdfPage, TheSheetIsThePapersSizeInPointsTurnedForLandscape) {
  struct Sheet {
    bool landscape;
    const char* mediaBox;
  };
  for (Sheet s : {Sheet{false, "/MediaBox [0 0 595.0000 842.0000]"}, Sheet{true, "/MediaBox [0 0 842.0000 595.0000]"}}) {
    PdfPaper a4;  // 210 x 297 mm, in whole points
    a4.landscape = s.landscape;
    PdfDocument pdf(a4, "sheet", "tests");
    const std::vector<uint8_t> white(3 * 4, 0xFF);
    ASSERT_TRUE(pdf.AddPage(white.data(), 2, 2, 6));
    EXPECT_NE(pdf.Finish().find(s.mediaBox), std::string::npos) << s.mediaBox;
  }
}

}  // namespace
}  // namespace win::gdi
