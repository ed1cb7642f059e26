// TMetafile and TMetafileCanvas: sizes, recording through a canvas, drawing and stretching,
// copies and the EMF bytes through streams.

#include <gtest/gtest.h>

#include <cstring>

#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsMetafile.h"
#include "framework/GraphicsObjects.h"
#include "framework/Streams.h"
#include "graphics_test_support.h"
#include "platform/gdi/Metafile.h"

namespace {

using fw::TBitmap;
using fw::TMetafile;
using fw::TMetafileCanvas;

// A white 32-bit bitmap.
void WhiteBitmap(TBitmap& b, int w, int h) {
  b.SetPixelFormat(fw::pf32bit);
  b.SetSize(w, h);
  b.Canvas()->Brush()->SetColor(fw::clWhite);
  b.Canvas()->FillRect(fw::Rect(0, 0, w, h));
}

// The same drawing for a metafile canvas and a bitmap canvas.
void Paint(fw::TCanvas& c) {
  c.Brush()->SetColor(fw::clRed);
  c.FillRect(fw::Rect(2, 2, 20, 12));
  c.Pen()->SetColor(fw::clBlue);
  c.Pen()->SetWidth(2);
  c.MoveTo(0, 29);
  c.LineTo(39, 15);
  c.Brush()->SetColor(fw::clLime);
  c.Ellipse(22, 2, 38, 14);
}

TEST(MetafileGraphic, SizesInPixelsAndHundredthsOfMillimetres) {
  TMetafile mf;
  EXPECT_TRUE(mf.Empty());
  EXPECT_TRUE(mf.Enhanced());
  mf.SetWidth(96);
  mf.SetHeight(48);
  EXPECT_EQ(mf.MMWidth(), 2540);  // one inch at the screen's 96 pixels per inch
  EXPECT_EQ(mf.MMHeight(), 1270);
  EXPECT_EQ(mf.Width(), 96);
  EXPECT_EQ(mf.Height(), 48);
  for (int px : {1, 7, 333, 401, 1081}) {
    mf.SetHeight(px);
    EXPECT_EQ(mf.Height(), px) << "pixels survive the trip through .01 mm";
  }
  mf.SetMMWidth(-5);
  EXPECT_EQ(mf.MMWidth(), 0);
}

TEST(MetafileGraphic, CanvasRecordsAndDrawingMatchesTheBitmapCanvas) {
  TMetafile mf;
  mf.SetWidth(40);
  mf.SetHeight(30);
  {
    TMetafileCanvas canvas(&mf, nullptr);
    Paint(canvas);
    EXPECT_TRUE(mf.Empty()) << "the records arrive when the canvas goes";
  }
  ASSERT_FALSE(mf.Empty());
  EXPECT_EQ(mf.Width(), 40);
  EXPECT_EQ(mf.Height(), 30);

  TBitmap direct, played;
  WhiteBitmap(direct, 40, 30);
  WhiteBitmap(played, 40, 30);
  Paint(*direct.Canvas());
  played.Canvas()->Draw(0, 0, &mf);
  const auto a = kvtest::PixelsByDIBits(direct), b = kvtest::PixelsByDIBits(played);
  ASSERT_EQ(a.size(), 1200u);
  EXPECT_EQ(a, b);
  EXPECT_EQ(b[5 * 40 + 5], 0xFF0000u) << "red fill (0x00RRGGBB)";
}

TEST(MetafileGraphic, StretchDrawScalesTheFrame) {
  TMetafile mf;
  mf.SetWidth(10);
  mf.SetHeight(10);
  {
    TMetafileCanvas canvas(&mf, nullptr);
    canvas.Brush()->SetColor(fw::clBlack);
    canvas.FillRect(fw::Rect(0, 0, 5, 5));  // the top-left quarter
  }
  TBitmap b;
  WhiteBitmap(b, 40, 40);
  b.Canvas()->StretchDraw(fw::Rect(10, 10, 30, 30), &mf);
  const auto px = kvtest::PixelsByDIBits(b);
  auto at = [&](int x, int y) { return px[size_t(y) * 40 + size_t(x)]; };
  EXPECT_EQ(at(10, 10), 0u);
  EXPECT_EQ(at(19, 19), 0u);
  EXPECT_EQ(at(20, 19), 0xFFFFFFu);
  EXPECT_EQ(at(19, 20), 0xFFFFFFu);
  EXPECT_EQ(at(9, 10), 0xFFFFFFu);
}

TEST(MetafileGraphic, UnsizedCanvasTakesTheFrameOfWhatWasDrawn) {
  TMetafile mf;
  {
    TMetafileCanvas canvas(&mf, nullptr);
    canvas.Brush()->SetColor(fw::clRed);
    canvas.FillRect(fw::Rect(0, 0, 30, 20));
  }
  EXPECT_EQ(mf.Width(), 30);
  EXPECT_EQ(mf.Height(), 20);
}

TEST(MetafileGraphic, AssignCopiesAndStreamsCarryTheBytes) {
  TMetafile mf;
  mf.SetWidth(20);
  mf.SetHeight(20);
  {
    TMetafileCanvas canvas(&mf, nullptr);
    canvas.Rectangle(1, 1, 15, 15);
  }
  TMetafile copy;
  copy.Assign(&mf);
  ASSERT_FALSE(copy.Empty());
  EXPECT_NE(copy.Handle(), mf.Handle());
  EXPECT_EQ(copy.MMWidth(), mf.MMWidth());

  fw::TMemoryStream saved;
  mf.SaveToStream(&saved);
  EXPECT_EQ(saved.Size(), fw::Int64(win::GetEnhMetaFileBits(mf.Handle(), 0, nullptr)));
  saved.SetPosition(0);
  TMetafile loaded;
  loaded.LoadFromStream(&saved);
  EXPECT_EQ(loaded.Width(), 20);
  fw::TMemoryStream again;
  loaded.SaveToStream(&again);
  ASSERT_EQ(again.Size(), saved.Size());
  EXPECT_EQ(std::memcmp(again.Memory(), saved.Memory(), size_t(saved.Size())), 0);

  // Bad bytes leave the picture as it was.
  fw::TMemoryStream junk;
  const char text[] = "not a metafile at all, not at all";
  junk.WriteBuffer(text, sizeof text);
  junk.SetPosition(0);
  const win::HENHMETAFILE before = loaded.Handle();
  EXPECT_THROW(loaded.LoadFromStream(&junk), fw::EInvalidGraphic);
  EXPECT_EQ(loaded.Handle(), before);
  EXPECT_TRUE(win::IsEnhMetaFile(before));

  TMetafile empty;
  fw::TMemoryStream out;
  EXPECT_THROW(empty.SaveToStream(&out), fw::EInvalidGraphicOperation);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
}

}  // namespace
