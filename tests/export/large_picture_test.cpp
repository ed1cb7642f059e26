// Pictures at the largest size the save dialog offers, in every raster format, read back by
// Pillow; and a size beyond memory refused before any file is made.

#include <gtest/gtest.h>

#include "chart_export_fixture.h"
#include "export/KvPlotExport.h"
#include "format_test_support.h"
#include "support/MemoryLimit.h"

namespace {

using namespace writertest;

class LargePictureTest : public exporttest::ChartExportTest {
 protected:
  void SetUp() override {
    ChartExportTest::SetUp();
    MakeChart(300, 200);
  }
};

TEST_F(LargePictureTest, EveryRasterFormatWritesTheLargestDialogSize) {
  if (kvtest::UnderAddressSanitizer())
    GTEST_SKIP() << "gigabytes of pixels under the sanitizer take minutes; the release tree runs it";
  const char* exts[] = {".bmp", ".jpg", ".gif", ".tif", ".pcx"};
  std::string command = "/usr/bin/python3 -c \"import sys\nfrom PIL import Image\nImage.MAX_IMAGE_PIXELS = None\n"
                        "for p in sys.argv[1:]:\n im = Image.open(p); im.load(); print(im.size[0], im.size[1], "
                        "'%02x%02x%02x' % im.convert('RGB').getpixel((5, 5)))\"";
  for (const char* ext : exts) {
    std::unique_ptr<kvexport::TKvPlotExportFormat> f = kvexport::CreateExportFormat(ext);
    f->Width = 10000;
    f->Height = 10000;
    ASSERT_NO_THROW(f->SaveToFile(dir_.File(std::string("big") + ext))) << ext;
    command += " '" + dir_.File(std::string("big") + ext) + "'";
  }
  const CommandResult r = RunCommand(command);
  ASSERT_EQ(r.Status, 0) << r.Output;
  std::istringstream lines(r.Output);
  for (const char* ext : exts) {
    int width = 0, height = 0;
    std::string corner;
    lines >> width >> height >> corner;
    EXPECT_EQ(width, 10000) << ext;
    EXPECT_EQ(height, 10000) << ext;
    EXPECT_EQ(corner, "ffffff") << ext << ": the chart's white background";
  }
}

TEST_F(LargePictureTest, APictureBeyondMemoryIsRefusedBeforeStarting) {
  for (const char* ext : {".bmp", ".jpg", ".gif", ".tif", ".pcx"}) {
    std::unique_ptr<kvexport::TKvPlotExportFormat> f = kvexport::CreateExportFormat(ext);
    f->Width = 100000;
    f->Height = 90000;
    try {
      f->SaveToFile(dir_.File(std::string("huge") + ext));
      ADD_FAILURE() << ext << " accepted";
    } catch (const fw::Exception& e) {
      EXPECT_EQ(e.Message(), "Недостаточно памяти для рисунка 100000 × 90000 точек") << ext;
    }
  }
  EXPECT_TRUE(dir_.Entries().empty());
}

// Under a process memory limit the machine's free memory says nothing: the limit is respected,
// and the picture refused with the same message, leaving no file behind.
TEST_F(LargePictureTest, AProcessMemoryLimitIsRespected) {
  if (!kvtest::MemoryLimitsWork()) GTEST_SKIP() << "address-space limits do not work under the sanitizer";
  const std::string file = dir_.File("limited.jpg");
  const int status = kvtest::RunWithMemoryLimit(std::uint64_t(300) << 20, [&] {
    std::unique_ptr<kvexport::TKvPlotExportFormat> f = kvexport::CreateExportFormat(".jpg");
    f->Width = 10000;
    f->Height = 10000;
    try {
      f->SaveToFile(file);
    } catch (const fw::Exception& e) {
      return e.Message() == "Недостаточно памяти для рисунка 10000 × 10000 точек" ? 0 : 3;
    } catch (...) {
      return 4;
    }
    return 2;
  });
  EXPECT_EQ(status, 0) << "2: saved anyway, 3: another message, 4: another exception, 134: aborted";
  EXPECT_TRUE(dir_.Entries().empty());
}

}  // namespace
