// The image format classes on a real chart: the choice by extension, the picture size, each
// raster file read back by Pillow against the chart's own picture, the SVG document through
// xmllint and rsvg-convert with the chart's canvas put back, and failed saves leaving no file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "export/GIFImage.h"
#include "export/GIFImageFrame.h"
#include "export/KvPlotBmp.h"
#include "export/KvPlotExport.h"
#include "export/KvPlotGIF.h"
#include "export/KvPlotJPEG.h"
#include "export/KvPlotMetafile.h"
#include "export/KvPlotPCX.h"
#include "export/KvPlotSVG.h"
#include "export/KvPlotTiff.h"
#include "chart_export_fixture.h"
#include "format_test_support.h"
#include "framework/Clipbrd.h"
#include "framework/Forms.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/Clipboard.h"
#include "support/HeadlessFixture.h"

namespace {

using namespace writertest;
using namespace kvexport;

class FormatTest : public exporttest::ChartExportTest {
 protected:
  static constexpr int kWidth = 160, kHeight = 120;

  void SetUp() override {
    ChartExportTest::SetUp();
    MakeChart(kWidth, kHeight);
  }
  // A series that unclips once too often, which makes the SVG canvas raise halfway through.
  chart::TChartSeries* AddUnclipper() {
    class Unclipper : public chart::TChartSeries {
     public:
      using chart::TChartSeries::TChartSeries;
      void DrawAllValues(chart::TPlotCanvas3D& Canvas) override {
        Canvas.UnClipRectangle();
        Canvas.UnClipRectangle();
      }
    };
    auto* bad = new Unclipper(chart_.get());
    bad->AddXY(1, 1);
    bad->SetParentChart(chart_.get());
    return bad;
  }
  // The chart's own picture, as the raster formats should hold it.
  std::vector<std::uint32_t> ChartPixels(int Width = kWidth, int Height = kHeight) {
    auto b = chart_->CreateBitmap(chart_->Color(), fw::TRect{0, 0, Width, Height}, fw::pf24bit);
    return BitmapRgb(*b);
  }
};

TEST_F(FormatTest, ExtensionChoosesTheFormatForTheMainChartAtItsSize) {
  struct Case {
    const char* Ext;
    bool (*Is)(TKvPlotExportFormat*);
  };
  const Case cases[] = {
      {".bmp", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvBMPExportFormat*>(f) != nullptr; }},
      {".jpg", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvJPEGExportFormat*>(f) != nullptr; }},
      {".jpeg", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvJPEGExportFormat*>(f) != nullptr; }},
      {".gif", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvGIFExportFormat*>(f) != nullptr; }},
      {".svg", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvSVGExportFormat*>(f) != nullptr; }},
      {".tif", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvTIFFExportFormat*>(f) != nullptr; }},
      {".tiff", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvTIFFExportFormat*>(f) != nullptr; }},
      {".pcx", [](TKvPlotExportFormat* f) { return dynamic_cast<TKvPCXExportFormat*>(f) != nullptr; }},
      {".emf", [](TKvPlotExportFormat* f) { auto* m = dynamic_cast<TKvEMFExportFormat*>(f); return m && m->Enhanced; }},
      {".wmf", [](TKvPlotExportFormat* f) { auto* m = dynamic_cast<TKvEMFExportFormat*>(f); return m && !m->Enhanced; }},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TKvPlotExportFormat> f = CreateExportFormat(c.Ext);
    ASSERT_NE(f, nullptr) << c.Ext;
    EXPECT_TRUE(c.Is(f.get())) << c.Ext;
    EXPECT_EQ(f->Panel, chart_.get());
    EXPECT_EQ(f->Width, kWidth);
    EXPECT_EQ(f->Height, kHeight);
  }
  auto jpeg = CreateExportFormat(".jpeg");
  auto* j = dynamic_cast<TKvJPEGExportFormat*>(jpeg.get());
  EXPECT_EQ(j->CompressionQuality, 95);
  EXPECT_FALSE(j->Grayscale);
  EXPECT_EQ(j->Performance, fw::jpBestQuality);
  for (const char* ext : {".png", ".JPG", ""}) {
    try {
      CreateExportFormat(ext);
      ADD_FAILURE() << ext << " accepted";
    } catch (const fw::Exception& e) {
      EXPECT_EQ(e.Message(), "Неподдерживаемый формат изображения");
    }
  }
}

TEST_F(FormatTest, ZeroSizeMeansThePanelsSizeAndAMissingPanelRaises) {
  TKvTIFFExportFormat f;
  try {
    f.SaveToFile(dir_.File("none.tif"));
    ADD_FAILURE() << "saved without a panel";
  } catch (const fw::Exception& e) {
    EXPECT_EQ(e.Message(), "Panel property is not set in Export format");
  }
  EXPECT_TRUE(dir_.Entries().empty());
  f.Panel = chart_.get();
  f.Width = 50;
  f.CheckSize();
  EXPECT_EQ(f.Width, 50);
  EXPECT_EQ(f.Height, kHeight);
}

TEST_F(FormatTest, TiffAndPcxHoldTheChartsPixels) {
  for (const char* name : {"chart.tif", "chart.pcx"}) {
    std::unique_ptr<TKvPlotExportFormat> f = CreateExportFormat(fw::ExtractFileExt(name));
    f->SaveToFile(dir_.File(name));
    const PillowPicture p = ReadWithPillow(dir_, dir_.File(name));
    EXPECT_EQ(p.Mode, "RGB") << name;
    EXPECT_EQ(p.Width, kWidth);
    EXPECT_EQ(p.Height, kHeight);
    EXPECT_EQ(p.Rgb, ChartPixels()) << name;
  }
  const CommandResult info = RunCommand("tiffinfo '" + dir_.File("chart.tif") + "'");
  EXPECT_EQ(info.Status, 0) << info.Output;
  for (const std::string& name : dir_.Entries())
    EXPECT_EQ(name.find(".part"), std::string::npos) << "working file left beside the pictures: " << name;
}

TEST_F(FormatTest, ChosenSizeIsTheSizeOfThePicture) {
  TKvTIFFExportFormat f;
  f.Panel = chart_.get();
  f.Width = 90;
  f.Height = 70;
  f.SaveToFile(dir_.File("small.tif"));
  const PillowPicture p = ReadWithPillow(dir_, dir_.File("small.tif"));
  EXPECT_EQ(p.Width, 90);
  EXPECT_EQ(p.Height, 70);
  EXPECT_EQ(p.Rgb, ChartPixels(90, 70));
}

TEST_F(FormatTest, BmpIsWrittenAtTheChosenDepthWithBufferingRestored) {
  ASSERT_TRUE(chart_->BufferedDisplay());
  struct Case {
    fw::TPixelFormat Format;
    bool Monochrome;
    const char* Mode;
  };
  const std::vector<Case> cases = {Case{fw::pf24bit, false, "RGB"}, Case{fw::pfDevice, false, "RGB"},
                                   Case{fw::pf32bit, false, "RGB"}, Case{fw::pf16bit, false, "RGB"},
                                   Case{fw::pf8bit, false, "P"},    Case{fw::pf4bit, false, "P"},
                                   Case{fw::pf1bit, false, "1"},    Case{fw::pf24bit, true, "1"}};
  std::vector<std::string> paths;
  for (const Case& c : cases) {
    TKvBMPExportFormat f;
    f.Panel = chart_.get();
    f.PixelFormat = c.Format;
    f.Monochrome = c.Monochrome;
    paths.push_back(dir_.File("chart" + std::to_string(paths.size()) + ".bmp"));
    f.SaveToFile(paths.back());
    EXPECT_TRUE(chart_->BufferedDisplay());
  }
  const std::vector<PillowPicture> pictures = ReadAllWithPillow(dir_, paths);
  const std::vector<std::uint32_t> chartPixels = ChartPixels();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const PillowPicture& p = pictures[i];
    EXPECT_EQ(p.Mode, c.Mode) << i;
    EXPECT_EQ(p.Width, kWidth);
    EXPECT_EQ(p.Height, kHeight);
    if ((c.Format == fw::pf24bit || c.Format == fw::pf32bit || c.Format == fw::pfDevice) && !c.Monochrome) {
      EXPECT_EQ(p.Rgb, chartPixels) << i;
    }
    // White stays white at every depth: the top-left corner is the panel's colour.
    ASSERT_FALSE(p.Rgb.empty());
    EXPECT_EQ(p.Rgb[0], 0xFFFFFFu) << i;
  }
}

TEST_F(FormatTest, GifHoldsTheChartsPixels) {
  TKvGIFExportFormat f;
  f.Panel = chart_.get();
  f.SaveToFile(dir_.File("chart.gif"));
  const PillowPicture p = ReadWithPillow(dir_, dir_.File("chart.gif"));
  EXPECT_EQ(p.Mode, "P");
  EXPECT_EQ(p.Width, kWidth);
  EXPECT_EQ(p.Height, kHeight);
  EXPECT_EQ(p.Rgb, ChartPixels()) << "a chart of few colours needs no reduction";
  const CommandResult info = RunCommand("giftext '" + dir_.File("chart.gif") + "'");
  EXPECT_EQ(info.Status, 0) << info.Output;

  // A gradient gives far more than 256 colours: the default settings still make a picture.
  chart_->Gradient()->Visible = true;
  chart_->Gradient()->StartColor = fw::clYellow;
  chart_->Gradient()->EndColor = fw::clNavy;
  f.SaveToFile(dir_.File("gradient.gif"));
  const PillowPicture g = ReadWithPillow(dir_, dir_.File("gradient.gif"));
  EXPECT_EQ(g.Width, kWidth);
  EXPECT_EQ(g.Height, kHeight);
}

TEST_F(FormatTest, JpegFollowsItsSettings) {
  TKvJPEGExportFormat f;
  f.Panel = chart_.get();
  f.SaveToFile(dir_.File("colour.jpg"));
  const PillowPicture colour = ReadWithPillow(dir_, dir_.File("colour.jpg"));
  EXPECT_EQ(colour.Mode, "RGB");
  ASSERT_EQ(colour.Rgb.size(), std::size_t(kWidth * kHeight));
  const std::vector<std::uint32_t> want = ChartPixels();
  double error = 0;
  for (std::size_t i = 0; i < want.size(); ++i)
    for (int s : {0, 8, 16}) error += std::abs(int(colour.Rgb[i] >> s & 0xFF) - int(want[i] >> s & 0xFF));
  EXPECT_LT(error / (want.size() * 3), 4.0) << "quality 95 stays close to the chart";

  f.Grayscale = true;
  f.ProgressiveEncoding = true;
  f.SaveToFile(dir_.File("grey.jpg"));
  EXPECT_EQ(ReadWithPillow(dir_, dir_.File("grey.jpg")).Mode, "L");
  const std::string script = dir_.File("progressive.py");
  WriteFile(script,
            "import sys\nfrom PIL import Image\nprint(Image.open(sys.argv[1]).info.get('progressive', 0))\n");
  const CommandResult r = RunCommand("/usr/bin/python3 '" + script + "' '" + dir_.File("grey.jpg") + "'");
  EXPECT_EQ(r.Output.substr(0, 1), "1") << r.Output;
}

TEST_F(FormatTest, SvgDrawsThroughItsOwnCanvasAndGivesTheChartItsCanvasBack) {
  chart::TPlotCanvas3D* own = chart_->Canvas();
  ASSERT_NE(own, nullptr);
  TKvSVGExportFormat f;
  f.Panel = chart_.get();
  std::unique_ptr<fw::TStringList> lines = f.BuildSVG();
  EXPECT_EQ(chart_->Canvas(), own) << "the chart's canvas is back, alive";
  EXPECT_TRUE(chart_->AutoRepaint());
  ASSERT_GT(lines->Count(), 4);
  EXPECT_EQ(lines->Get(2).rfind("<svg width=\"160px\" height=\"120px\" xmlns=", 0), 0u) << lines->Get(2);
  EXPECT_NE(lines->Text().find("<polyline"), std::string::npos) << "the series as one line";
  EXPECT_EQ(lines->Get(lines->Count() - 1), "</svg>");
  EXPECT_EQ(lines->Get(2).find("antialiasing"), std::string::npos) << "off unless asked for";
  EXPECT_NE(lines->Text().find("Picture"), std::string::npos) << "the title's text";

  f.TextAntiAlias = true;
  f.SaveToFile(dir_.File("chart.svg"));
  const CommandResult lint = RunCommand("xmllint --noout '" + dir_.File("chart.svg") + "'");
  EXPECT_EQ(lint.Status, 0) << lint.Output;
  const CommandResult render =
      RunCommand("rsvg-convert -o '" + dir_.File("chart.png") + "' '" + dir_.File("chart.svg") + "'");
  ASSERT_EQ(render.Status, 0) << render.Output;
  const PillowPicture p = ReadWithPillow(dir_, dir_.File("chart.png"));
  EXPECT_EQ(p.Width, kWidth);
  EXPECT_EQ(p.Height, kHeight);
  ASSERT_FALSE(p.Rgb.empty());
  EXPECT_EQ(p.Rgb[0], 0xFFFFFFu) << "the panel's white background";
}

TEST_F(FormatTest, SvgLeavesTheChartWholeWhenDrawingFails) {
  AddUnclipper();
  chart::TPlotCanvas3D* own = chart_->Canvas();
  TKvSVGExportFormat f;
  f.Panel = chart_.get();
  EXPECT_THROW(f.SaveToFile(dir_.File("bad.svg")), fw::Exception);
  EXPECT_EQ(chart_->Canvas(), own);
  EXPECT_TRUE(chart_->AutoRepaint());
  EXPECT_TRUE(dir_.Entries().empty()) << "no file, whole or partial";
}

TEST_F(FormatTest, SvgPutsTheChartBackExactlyAsFound) {
  // Drawing state of the chart's own canvas that the export must not overwrite with its own.
  chart::TPlotCanvas3D* own = chart_->Canvas();
  ASSERT_TRUE(chart_->BufferedDisplay()) << "a chart starts buffered";
  own->Pen()->SetColor(fw::clFuchsia);
  own->Pen()->SetWidth(7);
  own->Brush()->SetColor(fw::clAqua);
  own->Font()->SetSize(31);
  auto unchanged = [&](const char* When) {
    EXPECT_EQ(chart_->Canvas(), own) << When;
    EXPECT_TRUE(chart_->BufferedDisplay()) << When;
    EXPECT_EQ(own->Pen()->Color(), fw::clFuchsia) << When;
    EXPECT_EQ(own->Pen()->Width(), 7) << When;
    EXPECT_EQ(own->Brush()->Color(), fw::clAqua) << When;
    EXPECT_EQ(own->Font()->Size(), 31) << When;
    EXPECT_EQ(chart_->Color(), fw::clWhite) << When;
  };
  TKvSVGExportFormat f;
  f.Panel = chart_.get();
  ASSERT_GT(f.BuildSVG()->Count(), 4);
  unchanged("after a drawing");
  EXPECT_TRUE(chart_->AutoRepaint());
  // Repainting that was off stays off.
  chart_->SetAutoRepaint(false);
  f.BuildSVG();
  EXPECT_FALSE(chart_->AutoRepaint());
  chart_->SetAutoRepaint(true);

  // The same when drawing raises halfway.
  chart::TChartSeries* bad = AddUnclipper();
  EXPECT_THROW(f.BuildSVG(), fw::Exception);
  unchanged("after a failed drawing");
  EXPECT_TRUE(chart_->AutoRepaint());
  // An unbuffered chart stays unbuffered.
  bad->SetParentChart(nullptr);
  chart_->SetBufferedDisplay(false);
  f.BuildSVG();
  EXPECT_FALSE(chart_->BufferedDisplay());
}

TEST_F(FormatTest, SavingFollowsLinksKeepsPermissionsAndLeavesOthersFilesAlone) {
  TKvBMPExportFormat f;
  f.Panel = chart_.get();
  f.Width = 20;
  f.Height = 10;
  fw::TMemoryStream expected;
  f.SaveToStream(&expected);
  const std::string target = dir_.File("target.bmp");
  const std::string link = dir_.File("link.bmp");
  WriteFile(target, "old");
  WriteFile(target + ".part", "someone else's");
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_symlink(target, link);
  f.SaveToFile(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(target), StreamBytes(expected));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(target + ".part"), Bytes({'s', 'o', 'm', 'e', 'o', 'n', 'e', ' ', 'e', 'l', 's', 'e', '\'', 's'}));
  // A folder is not replaced by a picture.
  std::filesystem::create_directory(dir_.File("folder.bmp"));
  EXPECT_THROW(f.SaveToFile(dir_.File("folder.bmp")), fw::EFCreateError);
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("folder.bmp")));
  EXPECT_EQ(dir_.Entries().size(), 4u);
}

TEST_F(FormatTest, FailedSavesLeaveNoFileAndKeepAnOldOne) {
  // Into a folder that does not exist: the creation fails under the name asked for.
  TKvTIFFExportFormat f;
  f.Panel = chart_.get();
  try {
    f.SaveToFile(dir_.File("missing/chart.tif"));
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const fw::EFCreateError& e) {
    EXPECT_NE(e.Message().find("missing/chart.tif\""), std::string::npos) << e.Message();
  }
  // A picture too large to make: the old file stays as it was and nothing else is left.
  WriteFile(dir_.File("old.pcx"), "old contents");
  TKvPCXExportFormat pcx;
  TKvTIFFExportFormat tiffFormat;
  TKvJPEGExportFormat jpeg;
  for (TKvPlotExportFormat* format :
       {static_cast<TKvPlotExportFormat*>(&pcx), static_cast<TKvPlotExportFormat*>(&tiffFormat),
        static_cast<TKvPlotExportFormat*>(&jpeg)}) {
    format->Panel = chart_.get();
    format->Width = 200000;
    format->Height = 200000;
    EXPECT_THROW(format->SaveToFile(dir_.File("old.pcx")), fw::Exception);
  }
  EXPECT_EQ(ReadFile(dir_.File("old.pcx")),
            Bytes({'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"old.pcx"});
}

TEST_F(FormatTest, ClipboardGetsTheSvgAsTextAndTheRasterFormatsAsBitmaps) {
  TKvSVGExportFormat svg;
  svg.Panel = chart_.get();
  svg.CopyToClipboard();
  const std::string text = fw::Clipboard()->AsText();
  EXPECT_EQ(text.substr(0, 5), "<?xml");
  EXPECT_NE(text.find("</svg>"), std::string::npos);

  // GIF goes both as a bitmap and as the GIF file itself.
  TKvGIFExportFormat gif;
  gif.Panel = chart_.get();
  gif.Width = 40;
  gif.Height = 25;
  gif.CopyToClipboard();
  ASSERT_TRUE(win::OpenClipboard(nullptr));
  EXPECT_TRUE(win::IsClipboardFormatAvailable(win::CF_BITMAP));
  ASSERT_TRUE(win::IsClipboardFormatAvailable(CF_GIF()));
  TGIFImage fromClipboard;
  fromClipboard.LoadFromClipboardFormat(CF_GIF(), nullptr, {});
  win::CloseClipboard();
  EXPECT_EQ(fromClipboard.Width(), 40);
  EXPECT_EQ(fromClipboard.Height(), 25);
  ASSERT_EQ(fromClipboard.Images().Count(), 1);
  EXPECT_EQ(fromClipboard.Images()[0]->Data(), gif.BuildImage()->Images()[0]->Data());

  TKvTIFFExportFormat tiff;
  tiff.Panel = chart_.get();
  tiff.Width = 30;
  tiff.Height = 20;
  tiff.CopyToClipboard();
  fw::TBitmap pasted;
  pasted.Assign(fw::Clipboard());
  EXPECT_EQ(pasted.Width(), 30);
  EXPECT_EQ(pasted.Height(), 20);
}

}  // namespace
