// The built-in test font: exact, file-independent metrics and glyphs drawn as boxes, so tests can
// say precisely where text lands.

#include <QPainter>

#include <cmath>
#include <cstdlib>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontFace.h"

namespace win::gdi {
namespace {

constexpr int kNaturalHeight = 13;
constexpr int kNaturalAscent = 10;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x00A0; }

class TestFace final : public FontFace {
 public:
  explicit TestFace(const LOGFONTW& lf) : FontFace(lf) {
    int height = lf.lfHeight == 0 ? kNaturalHeight : int(std::labs(lf.lfHeight));
    int ascent = int(std::lround(height * double(kNaturalAscent) / kNaturalHeight));
    advance_ = lf.lfWidth != 0 ? int(std::labs(lf.lfWidth)) : int(std::lround(0.54 * height));
    face_ = std::u16string(kTestFontFace);

    tm_.tmHeight = height;
    tm_.tmAscent = ascent;
    tm_.tmDescent = height - ascent;
    tm_.tmInternalLeading = 0;
    tm_.tmExternalLeading = 0;
    tm_.tmAveCharWidth = advance_;
    tm_.tmMaxCharWidth = advance_;
    tm_.tmPitchAndFamily = FF_MODERN | TMPF_VECTOR | TMPF_TRUETYPE;  // fixed pitch: bit 0 clear

    underlineOffset_ = 1;
    strikeOutOffset_ = -int(std::lround(ascent / 2.0));
    lineThickness_ = 1;
  }

  int Advance(char32_t) const override { return advance_; }

  void Draw(QPainter& painter, QPointF origin, std::u16string_view text, const int* offsets,
            QColor color) const override {
    int boxWidth = advance_ - 1;
    if (boxWidth <= 0 || tm_.tmAscent <= 0) return;
    for (size_t i = 0; i < text.size(); ++i) {
      char16_t c = text[i];
      if (IsBlank(c) || (c >= 0xDC00 && c <= 0xDFFF)) continue;
      painter.fillRect(QRectF(origin.x() + offsets[i], origin.y() - tm_.tmAscent, boxWidth, tm_.tmAscent), color);
    }
  }

 private:
  int advance_ = 7;
};

}  // namespace

std::shared_ptr<const FontFace> MakeTestFace(const LOGFONTW& lf) { return std::make_shared<TestFace>(lf); }

}  // namespace win::gdi
