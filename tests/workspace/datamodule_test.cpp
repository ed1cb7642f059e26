// The data module's images: every command image in every list (the 18-pixel ones are the
// 16-pixel pictures with a clear frame), disabled images embossed, and the pen-style and pointer
// images drawn exactly as the chart draws those lines and shapes.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/user/services/SysColors.h"
#include "support/HeadlessFixture.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"

namespace {

using fw::TColor;
using Picture = std::vector<TColor>;

// A white (or other) bitmap to draw one image or one reference drawing on.
struct Surface {
  Surface(int W, int H, TColor Background) : width(W), height(H) {
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(W, H);
    bitmap.Canvas()->Brush()->SetColor(Background);
    bitmap.Canvas()->FillRect(fw::Rect(0, 0, W, H));
  }
  Picture Pixels() {
    Picture p;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) p.push_back(TColor(win::GetPixel(bitmap.Canvas()->Handle(), x, y) & 0xFFFFFF));
    return p;
  }
  int width, height;
  fw::TBitmap bitmap;
};

Picture Drawn(fw::TImageList* List, int Index, TColor Background, bool Enabled = true) {
  Surface s(List->Width(), List->Height(), Background);
  List->Draw(s.bitmap.Canvas(), 0, 0, Index, Enabled);
  return s.Pixels();
}

class DataModuleTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    module = std::make_unique<workspace::TDataModule1>(nullptr);
  }
  void TearDown() override {
    module.reset();
    HeadlessTest::TearDown();
  }
  struct CommandList {
    const char* name;
    fw::TImageList* list;
    int size;
  };
  std::vector<CommandList> CommandLists() const {
    return {{"big", module->BigImages(), workspace::BigImageSize},
            {"small", module->SmallImages(), workspace::SmallImageSize},
            {"18", module->Images18(), workspace::Images18Size},
            {"menu", module->MenuImages(), workspace::SmallImageSize}};
  }
  std::unique_ptr<workspace::TDataModule1> module;
};

TEST_F(DataModuleTest, EveryTableIndexHasItsOwnVisibleImageInEveryList) {
  EXPECT_EQ(workspace::DataModule1, module.get());
  for (const auto& [name, list, size] : CommandLists()) {
    SCOPED_TRACE(name);
    ASSERT_EQ(list->Count(), int(workspace::CommandImageCount));
    EXPECT_EQ(list->Width(), size);
    EXPECT_EQ(list->Height(), size);
    std::set<Picture> distinct;
    for (const auto& source : workspace::CommandImageSources) {
      const Picture onWhite = Drawn(list, source.Index, fw::clWhite);
      EXPECT_NE(onWhite, Drawn(list, source.Index, fw::clBlack)) << source.Meaning << " shows nothing";
      distinct.insert(onWhite);
    }
    EXPECT_EQ(distinct.size(), std::size(workspace::CommandImageSources)) << "two commands share a picture";
  }
}

TEST_F(DataModuleTest, The18PixelImagesAreTheSmallPicturesInAClearFrame) {
  for (const int index : {int(workspace::imgOpen), int(workspace::imgSearch), int(workspace::imgEditTemplates)}) {
    const Picture framed = Drawn(module->Images18(), index, fw::clBlack);
    const Picture small = Drawn(module->SmallImages(), index, fw::clBlack);
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 18; ++x) {
        const TColor got = framed[size_t(y * 18 + x)];
        const bool frame = x == 0 || y == 0 || x == 17 || y == 17;
        ASSERT_EQ(got, frame ? fw::clBlack : small[size_t((y - 1) * 16 + x - 1)]) << index << " at " << x << "," << y;
      }
  }
}

TEST_F(DataModuleTest, DisabledImagesAreEmbossedInShadowAndHighlight) {
  const TColor face = TColor(win::GetSysColor(win::COLOR_BTNFACE));
  const TColor shadow = TColor(win::GetSysColor(win::COLOR_BTNSHADOW));
  const TColor highlight = TColor(win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
  for (const auto& [name, list, size] : CommandLists())
    for (const int index : {int(workspace::imgOpen), int(workspace::imgSearch)}) {
      SCOPED_TRACE(std::string(name) + " image " + std::to_string(index));
      int shadows = 0, highlights = 0;
      for (const TColor c : Drawn(list, index, face, false)) {
        ASSERT_TRUE(c == face || c == shadow || c == highlight) << std::hex << c;
        shadows += c == shadow;
        highlights += c == highlight;
      }
      EXPECT_GT(shadows, size);
      EXPECT_GT(highlights, 0) << "the raised copy shows beside the shadow";
    }
}

TEST_F(DataModuleTest, PenStyleAndPointerImagesAreTheChartsOwnDrawings) {
  chart::TChartPen pen;
  chart::TSeriesPointer pointer(nullptr);
  struct Row {
    fw::TImageList* list;
    int count;
    std::function<void(chart::TPlotCanvas3D&, int)> draw;  // the chart drawing style i
  };
  const Row rows[] = {
      {module->PenStyleImages(), workspace::PenStyleImageCount,
       [&](chart::TPlotCanvas3D& canvas, int style) {
         pen.SetStyle(fw::TPenStyle(style));
         canvas.AssignVisiblePenColor(&pen, fw::clBlack);
         canvas.Line(1, workspace::PenStyleImageHeight / 2, workspace::PenStyleImageWidth - 1,
                     workspace::PenStyleImageHeight / 2);
       }},
      {module->PointerImages(), workspace::PointerImageCount,
       [&](chart::TPlotCanvas3D& canvas, int style) {
         pointer.SetStyle(style);
         pointer.DrawPointer(canvas, 7, 7, fw::clRed, 5, 5);
       }},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(row.list->Count(), row.count);
    std::set<Picture> distinct;
    for (int style = 0; style < row.count; ++style) {
      Surface reference(row.list->Width(), row.list->Height(), fw::clWhite);
      chart::TPlotCanvas3D canvas;
      canvas.SetReferenceCanvas(reference.bitmap.Canvas());
      row.draw(canvas, style);
      const Picture image = Drawn(row.list, style, fw::clWhite);
      EXPECT_EQ(image, reference.Pixels()) << row.list->Name() << " style " << style;
      distinct.insert(image);
    }
    EXPECT_EQ(distinct.size(), size_t(row.count)) << row.list->Name() << ": each style looks different";
  }
}

}  // namespace
