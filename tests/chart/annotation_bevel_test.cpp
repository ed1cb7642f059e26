// The annotation box's bevel: rings of highlight and shadow inside the frame, raised or
// lowered, as wide as BevelWidth; none for bvNone.

#include "canvas_support.h"
#include "chart/PlotToolsAnnotation.h"
#include "framework/Colors.h"

namespace {

using canvastest::CanvasOnBitmap;
using chart::TPlotShapePosition;

class AnnotationBevel : public CanvasOnBitmap {};

TEST_F(AnnotationBevel, RingsOfHighlightAndShadowInsideTheFrame) {
  const fw::TColor light = fw::TColor(fw::ColorToRGB(fw::clBtnHighlight));
  const fw::TColor dark = fw::TColor(fw::ColorToRGB(fw::clBtnShadow));
  const fw::TColor paper = fw::clWhite;
  struct Case {
    fw::TBevelCut bevel;
    int width;
    fw::TColor topLeft, bottomRight;  // of the rings; paper: none drawn
  } const cases[] = {{fw::bvRaised, 2, light, dark},
                     {fw::bvLowered, 2, dark, light},
                     {fw::bvLowered, 1, dark, light},
                     {fw::bvNone, 2, paper, paper},
                     {fw::bvRaised, 0, paper, paper}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.bevel) * 10 + c.width);
    SetUp();  // a fresh white bitmap
    TPlotShapePosition shape(nullptr);
    shape.Frame()->SetVisible(true);
    shape.Frame()->SetWidth(1);
    shape.SetBevel(c.bevel);
    shape.SetBevelWidth(c.width);
    const win::RECT box{10, 10, 70, 50};
    shape.DrawBevel(canvas_, box);
    for (int ring = 0; ring < 3; ++ring) {
      const bool drawn = ring < c.width;
      EXPECT_EQ(At(box.left + 1 + ring, 30), drawn ? c.topLeft : paper) << ring;
      EXPECT_EQ(At(40, box.top + 1 + ring), drawn ? c.topLeft : paper) << ring;
      EXPECT_EQ(At(box.right - 2 - ring, 30), drawn ? c.bottomRight : paper) << ring;
      EXPECT_EQ(At(40, box.bottom - 2 - ring), drawn ? c.bottomRight : paper) << ring;
    }
    EXPECT_EQ(At(box.left, 30), paper);  // the frame's own pixel is left to the frame
  }
  // A cut the box does not have is refused.
  TPlotShapePosition shape(nullptr);
  shape.SetBevel(fw::bvSpace);
  EXPECT_EQ(shape.Bevel(), fw::bvNone);
}

}  // namespace
