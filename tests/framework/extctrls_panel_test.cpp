// Panels: bevel and border pixels, the caption, and the room left for aligned children.

#include "framework/ExtCtrls.h"
#include "stdctrls_support.h"

namespace fw::testing {
namespace {

class PanelTests : public StdCtrlsTest {
 protected:
  TColor Pixel(TControl* c, int x, int y) {
    win::POINT p = At(c, x, y);
    return TColor(desktop->screen_pixel(p.x, p.y));
  }
};

TEST_F(PanelTests, RaisedOuterAndLoweredInnerBevelsAroundTheBorder) {
  auto* panel = Add<TPanel>(10, 10, 100, 60);
  panel->SetColor(clYellow);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  panel->SetBevelInner(bvLowered);
  ShowForm();
  const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  // Outer raised: light top-left, dark bottom-right, two pixels deep.
  EXPECT_EQ(Pixel(panel, 0, 30), light);
  EXPECT_EQ(Pixel(panel, 1, 30), light);
  EXPECT_EQ(Pixel(panel, 50, 0), light);
  EXPECT_EQ(Pixel(panel, 99, 30), dark);
  EXPECT_EQ(Pixel(panel, 98, 30), dark);
  EXPECT_EQ(Pixel(panel, 50, 59), dark);
  // The border in the panel's colour.
  EXPECT_EQ(Pixel(panel, 2, 30), clYellow);
  EXPECT_EQ(Pixel(panel, 4, 30), clYellow);
  // Inner lowered: dark top-left, light bottom-right.
  EXPECT_EQ(Pixel(panel, 5, 30), dark);
  EXPECT_EQ(Pixel(panel, 6, 30), dark);
  EXPECT_EQ(Pixel(panel, 93, 30), light);
  EXPECT_EQ(Pixel(panel, 50, 53), light);
  EXPECT_EQ(Pixel(panel, 7, 30), clYellow);

  panel->SetBevelOuter(bvNone);
  panel->SetBevelInner(bvNone);
  Pump();
  EXPECT_EQ(Pixel(panel, 0, 30), clYellow);
}

TEST_F(PanelTests, CaptionIsCentredInTheFontColour) {
  auto* panel = Add<TPanel>(10, 10, 101, 41);
  panel->SetColor(clWhite);
  panel->Font()->SetColor(clRed);
  panel->SetCaption("H");
  ShowForm();
  // One 7-pixel character centred: columns 47..53, rows 14..26 of the 41-pixel height.
  bool red = false;
  for (int x = 47; x < 54; ++x)
    for (int y = 14; y < 27; ++y) red = red || Pixel(panel, x, y) == clRed;
  EXPECT_TRUE(red);
  EXPECT_EQ(Pixel(panel, 20, 20), clWhite);
  EXPECT_EQ(Pixel(panel, 80, 20), clWhite);
  panel->SetAlignment(taLeftJustify);
  Pump();
  red = false;
  for (int x = 1; x < 8; ++x)
    for (int y = 14; y < 27; ++y) red = red || Pixel(panel, x, y) == clRed;
  EXPECT_TRUE(red);
  EXPECT_EQ(Pixel(panel, 50, 20), clWhite);
}

TEST_F(PanelTests, AlignedChildrenStayInsideTheBevelsAndBorder) {
  auto* panel = Add<TPanel>(10, 10, 200, 100);
  auto* child = Add<TPanel>(0, 0, 10, 10, panel);
  child->SetAlign(alClient);
  EXPECT_EQ(child->Left(), 1);
  EXPECT_EQ(child->Width(), 198);
  panel->SetBorderWidth(4);
  panel->SetBevelInner(bvRaised);
  panel->SetBevelWidth(2);
  EXPECT_EQ(child->Left(), 8);
  EXPECT_EQ(child->Top(), 8);
  EXPECT_EQ(child->Width(), 184);
  EXPECT_EQ(child->Height(), 84);
  panel->SetBorderStyle(bsSingle);
  ShowForm();
  EXPECT_NE(win::GetWindowLongW(panel->Handle(), win::GWL_STYLE) & win::LONG(win::WS_BORDER), 0);
  EXPECT_EQ(child->Left(), 8);
  EXPECT_EQ(child->Width(), panel->ClientWidth() - 16);
}

}  // namespace
}  // namespace fw::testing
