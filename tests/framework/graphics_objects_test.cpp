#include <gtest/gtest.h>

#include "framework/GraphicsObjects.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"

namespace fw {
namespace {

TEST(GraphicsFont, HandleMadeLazilyAndRemadeAfterAChange) {
  TFont font;
  EXPECT_FALSE(font.HandleAllocated());
  int changes = 0;
  font.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &font);
    ++changes;
  };
  font.SetName("Arial");
  font.SetStyle({fsBold, fsUnderline});
  font.SetOrientation(900);
  EXPECT_EQ(changes, 3);
  win::HFONT first = font.Handle();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(font.Handle(), first);
  win::LOGFONTW lf;
  ASSERT_GT(win::GetObjectW(first, sizeof lf, &lf), 0);
  EXPECT_EQ(win::WideToUtf8(lf.lfFaceName), "Arial");
  EXPECT_EQ(lf.lfWeight, win::FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfItalic, 0);
  EXPECT_EQ(lf.lfEscapement, 900);

  font.SetColor(clRed);  // not part of the font object
  EXPECT_EQ(font.Handle(), first);
  font.SetHeight(-20);
  EXPECT_EQ(win::GetObjectType(first), 0u) << "the old font object is deleted";
  ASSERT_GT(win::GetObjectW(font.Handle(), sizeof lf, &lf), 0);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(changes, 5);
  font.SetHeight(-20);
  EXPECT_EQ(changes, 5) << "setting the same value changes nothing";
}

TEST(GraphicsFont, SizeInPointsAtNinetySixDpi) {
  TFont font;
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -11);
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -16);
  EXPECT_EQ(font.Size(), 12);
  font.SetHeight(-13);
  EXPECT_EQ(font.Size(), 10);  // 9.75 rounds up
}

TEST(GraphicsFont, AssignCopiesEverySetting) {
  TFont a, b;
  a.SetName("Courier New");
  a.SetHeight(-17);
  a.SetStyle({fsItalic, fsStrikeOut});
  a.SetColor(clNavy);
  a.SetCharset(204);
  a.SetPitch(fpFixed);
  a.SetOrientation(2700);
  a.SetQuality(fqNonAntialiased);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Name(), "Courier New");
  EXPECT_EQ(b.Height(), -17);
  EXPECT_EQ(b.Style(), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(b.Color(), clNavy);
  EXPECT_EQ(b.Charset(), 204);
  EXPECT_EQ(b.Pitch(), fpFixed);
  EXPECT_EQ(b.Orientation(), 2700);
  EXPECT_EQ(b.Quality(), fqNonAntialiased);
  TPen pen;
  EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(GraphicsPen, StylesModesAndHandle) {
  TPen pen;
  pen.SetColor(clRed);
  pen.SetWidth(3);
  win::LOGPEN lp;
  ASSERT_GT(win::GetObjectW(pen.Handle(), sizeof lp, &lp), 0);
  EXPECT_EQ(lp.lopnColor, 0x0000FFu);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  pen.SetWidth(0);
  EXPECT_EQ(pen.Width(), 3);
  pen.SetStyle(psClear);
  ASSERT_GT(win::GetObjectW(pen.Handle(), sizeof lp, &lp), 0);
  EXPECT_EQ(lp.lopnStyle & win::PS_STYLE_MASK, win::PS_NULL);
  EXPECT_EQ(PenModeToRop2(pmXor), win::R2_XORPEN);
  EXPECT_EQ(PenModeToRop2(pmNot), win::R2_NOT);
  EXPECT_EQ(PenModeToRop2(pmCopy), win::R2_COPYPEN);
  EXPECT_EQ(PenModeToRop2(pmNotXor), win::R2_NOTXORPEN);
  EXPECT_EQ(PenModeToRop2(pmMaskPenNot), win::R2_MASKPENNOT);
}

TEST(GraphicsBrush, StylesGiveTheMatchingBrushes) {
  TBrush brush;
  win::LOGBRUSH lb;
  ASSERT_GT(win::GetObjectW(brush.Handle(), sizeof lb, &lb), 0);
  EXPECT_EQ(lb.lbStyle, win::BS_SOLID);
  EXPECT_EQ(lb.lbColor, 0xFFFFFFu);
  brush.SetStyle(bsDiagCross);
  brush.SetColor(clGreen);
  ASSERT_GT(win::GetObjectW(brush.Handle(), sizeof lb, &lb), 0);
  EXPECT_EQ(lb.lbStyle, win::BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, uintptr_t(win::HS_DIAGCROSS));
  EXPECT_EQ(lb.lbColor, 0x008000u);
  brush.SetStyle(bsClear);
  EXPECT_EQ(brush.Handle(), win::GetStockObject(win::NULL_BRUSH));
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid) << "a colour makes a clear brush paint";
}

}  // namespace
}  // namespace fw
