// The published properties of the framework's pens, brushes and fonts. No defaults: owners make
// these objects with values of their own (a grid pen is grey), so every value is stored.
#include "framework/GraphicsObjects.h"
#include "framework/PropInfo.h"

namespace fw {

void RegisterGraphicsProperties() {
  RegisterProperties<TPen>({
      Prop("Color", &TPen::Color, &TPen::SetColor),
      Prop("Style", &TPen::Style, &TPen::SetStyle)
          .Names({"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}),
      Prop("Width", &TPen::Width, &TPen::SetWidth),
  });
  RegisterProperties<TBrush>({
      Prop("Color", &TBrush::Color, &TBrush::SetColor),
      Prop("Style", &TBrush::Style, &TBrush::SetStyle)
          .Names({"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
                  "bsDiagCross"}),
  });
  RegisterProperties<TFont>({
      Prop("Name", &TFont::Name, &TFont::SetName),
      Prop("Height", &TFont::Height, &TFont::SetHeight),
      Prop("Color", &TFont::Color, &TFont::SetColor),
      // The style set as its bits: fsBold 1, fsItalic 2, fsUnderline 4, fsStrikeOut 8.
      FuncProp<TFont, Integer>(
          "Style", [](TFont* f) { return Integer(f->Style().Bits()); },
          [](TFont* f, Integer v) { f->SetStyle(TFontStyles::FromBits(uint64_t(v) & 15)); }),
  });
}

}  // namespace fw
