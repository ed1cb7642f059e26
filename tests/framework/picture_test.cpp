#include <gtest/gtest.h>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsPicture.h"
#include "framework/Jpeg.h"
#include "framework/Streams.h"
#include "framework/stream_TempFolder.h"

namespace fw {
namespace {

// A format of its own: a text file whose first line is "W H".
class TTextSizeGraphic : public TGraphic {
 public:
  bool Empty() const override { return FW == 0; }
  Integer Width() const override { return FW; }
  Integer Height() const override { return FH; }
  void SetWidth(Integer V) override { FW = V; }
  void SetHeight(Integer V) override { FH = V; }
  void Draw(TCanvas*, const TRect&) override {}
  void LoadFromStream(TStream* Stream) override {
    const std::string s = Stream->ReadRemaining();
    if (std::sscanf(s.c_str(), "%d %d", &FW, &FH) != 2) throw EInvalidGraphic("bad text size");
  }
  void SaveToStream(TStream* Stream) override {
    const std::string s = std::to_string(FW) + " " + std::to_string(FH);
    Stream->WriteBuffer(s.data(), Integer(s.size()));
  }
  void Assign(TPersistent* Source) override {
    if (auto* t = dynamic_cast<TTextSizeGraphic*>(Source)) {
      FW = t->FW;
      FH = t->FH;
      return;
    }
    TGraphic::Assign(Source);
  }

 private:
  int FW = 0, FH = 0;
};

TEST(Picture, LoadsFilesByTheirExtension) {
  kvtest::TempFolder folder;
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(6, 4);
  bmp.SaveToFile(folder.File("a.BMP"));
  TJPEGImage jpg;
  jpg.Assign(&bmp);
  jpg.SaveToFile(folder.File("b.jpeg"));

  TPicture pic;
  int changes = 0;
  pic.OnChange = [&](TObject*) { ++changes; };
  pic.LoadFromFile(folder.File("a.BMP"));
  EXPECT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Width(), 6);
  pic.LoadFromFile(folder.File("b.jpeg"));
  EXPECT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Height(), 4);
  EXPECT_EQ(changes, 2);

  try {
    pic.LoadFromFile(folder.File("c.xyz"));
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }
  EXPECT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr) << "the picture is kept";

  // A JPEG named .bmp: the BMP reader refuses it and the picture stays.
  jpg.SaveToFile(folder.File("fake.bmp"));
  EXPECT_THROW(pic.LoadFromFile(folder.File("fake.bmp")), EInvalidGraphic);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);

  // Changes of the graphic reach the picture's listeners.
  const int before = changes;
  static_cast<TJPEGImage*>(pic.Graphic())->SetCompressionQuality(50);
  EXPECT_EQ(changes, before + 1);
}

TEST(Picture, RegistryTakesNewFormatsAndFiltersListThem) {
  kvtest::TempFolder folder;
  TPicture::RegisterFileFormat("tsz", "Text sizes", &MakeGraphic<TTextSizeGraphic>);
  EXPECT_EQ(GraphicFilter(&MakeGraphic<TTextSizeGraphic>), "Text sizes (*.tsz)|*.tsz");
  EXPECT_EQ(GraphicFilter(&MakeGraphic<TJPEGImage>),
            "All (*.jpg;*.jpeg)|*.jpg;*.jpeg|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg");
  EXPECT_EQ(GraphicFilter(nullptr).substr(0, 40), "All (*.tsz;*.jpg;*.jpeg;*.bmp;*.ico)|*.t");
  EXPECT_EQ(GraphicExtension(&MakeGraphic<TBitmap>), "bmp");

  TTextSizeGraphic g;
  g.SetSize(12, 34);
  g.SaveToFile(folder.File("x.TSZ"));
  TPicture pic;
  pic.LoadFromFile(folder.File("x.TSZ"));
  ASSERT_NE(dynamic_cast<TTextSizeGraphic*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Width(), 12);

  TPicture copy;
  copy.Assign(&pic);
  ASSERT_NE(dynamic_cast<TTextSizeGraphic*>(copy.Graphic()), nullptr);
  EXPECT_NE(copy.Graphic(), pic.Graphic());
  EXPECT_EQ(copy.Height(), 34);

  TPicture::UnregisterGraphicClass(&MakeGraphic<TTextSizeGraphic>);
  EXPECT_EQ(GraphicFilter(&MakeGraphic<TTextSizeGraphic>), "");
  EXPECT_THROW(pic.LoadFromFile(folder.File("x.TSZ")), EInvalidGraphic);
  EXPECT_THROW(copy.Assign(&pic), EInvalidGraphic) << "an unregistered class cannot be copied";
}

TEST(Picture, BitmapReplacesOtherGraphics) {
  TPicture pic;
  EXPECT_EQ(pic.Graphic(), nullptr);
  TJPEGImage jpg;
  TBitmap src;
  src.SetSize(3, 3);
  jpg.Assign(&src);
  pic.SetGraphic(&jpg);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
  TBitmap* b = pic.Bitmap();
  EXPECT_TRUE(b->Empty());
  EXPECT_EQ(pic.Graphic(), b);
  b->SetSize(2, 2);
  EXPECT_EQ(pic.Width(), 2);
  EXPECT_THROW(TPicture().SaveToFile("/tmp/never-written.bmp"), EInvalidGraphicOperation);
}

}  // namespace
}  // namespace fw
