// Real fonts through Qt's font engine. Glyph advances are the font's linear (unhinted) advances
// rounded to whole pixels one glyph at a time, so measurements depend only on the font file and
// a string is exactly as wide as the sum of its characters.

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/QtGui.h"
#include "platform/kernel/Utf16.h"

namespace win::gdi {
namespace {

// Character height used when lfHeight is 0.
constexpr double kDefaultEmPixels = 12.0;
// Code points below this (Latin and Cyrillic) are kept in a table filled on first use: each
// costs loading its glyph, and a face serves few of them.
constexpr char32_t kTableEnd = 0x500;

QString QStringOf(std::u16string_view s) { return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size())); }

BYTE FamilyBits(std::u16string_view family) {
  if (family == u"Liberation Mono") return FF_MODERN;
  if (family == u"Liberation Serif") return FF_ROMAN;
  return FF_SWISS;
}

class QtFace final : public FontFace {
 public:
  QtFace(const LOGFONTW& lf, std::u16string_view family) : FontFace(lf) {
    // Without a GUI application Qt has no font database; the face then measures nothing.
    if (EnsureQtGui()) {
      QFont font(QStringOf(family));
      font.setStyleStrategy(
          QFont::StyleStrategy(QFont::NoFontMerging | (antialiased_ ? QFont::PreferAntialias : QFont::NoAntialias)));
      font.setHintingPreference(QFont::PreferNoHinting);
      font.setKerning(false);
      font.setWeight(QFont::Weight(tm_.tmWeight));
      font.setItalic(lf.lfItalic != 0);
      font.setPixelSize(100);
      raw_ = QRawFont::fromFont(font);
    }

    // Negative heights give the character (em) height, positive ones the cell height.
    double em = kDefaultEmPixels;
    if (lf.lfHeight < 0) {
      em = -double(lf.lfHeight);
    } else if (lf.lfHeight > 0 && raw_.isValid()) {
      double cellPerEm = (raw_.ascent() + raw_.descent()) / raw_.pixelSize();
      em = cellPerEm > 0 ? lf.lfHeight / cellPerEm : lf.lfHeight;
    }
    em = std::max(em, 1.0);
    if (raw_.isValid()) raw_.setPixelSize(em);
    face_ = raw_.isValid() ? raw_.familyName().toStdU16String() : std::u16string(family);

    if (lf.lfWidth != 0 && raw_.isValid() && raw_.averageCharWidth() > 0)
      hscale_ = std::labs(lf.lfWidth) / raw_.averageCharWidth();

    table_ = std::make_unique<std::atomic<uint64_t>[]>(kTableEnd);

    int ascent = raw_.isValid() ? int(std::lround(raw_.ascent())) : int(std::lround(em));
    int descent = raw_.isValid() ? int(std::lround(raw_.descent())) : 0;
    tm_.tmHeight = lf.lfHeight > 0 ? lf.lfHeight : ascent + descent;
    tm_.tmAscent = std::min(ascent, int(tm_.tmHeight));
    tm_.tmDescent = tm_.tmHeight - tm_.tmAscent;
    tm_.tmInternalLeading = std::max(0, int(tm_.tmHeight) - int(std::lround(em)));
    tm_.tmExternalLeading = raw_.isValid() ? std::max(0, int(std::lround(raw_.leading()))) : 0;
    tm_.tmAveCharWidth = raw_.isValid() ? int(std::lround(raw_.averageCharWidth() * hscale_)) : 0;
    tm_.tmMaxCharWidth = raw_.isValid() ? int(std::lround(raw_.maxCharWidth() * hscale_)) : 0;
    bool fixedPitch = Advance(U'i') == Advance(U'W') && Advance(U'.') == Advance(U'M');
    tm_.tmPitchAndFamily = BYTE(FamilyBits(family) | TMPF_VECTOR | TMPF_TRUETYPE | (fixedPitch ? 0 : TMPF_FIXED_PITCH));

    if (raw_.isValid()) {
      lineThickness_ = std::max(1, int(std::lround(raw_.lineThickness())));
      underlineOffset_ = std::max(1, int(std::lround(raw_.underlinePosition())));
      strikeOutOffset_ = -std::max(1, int(std::lround(raw_.xHeight() / 2)));
    }
  }

  int Advance(char32_t cp) const override { return Lookup(cp).advance; }

  void Draw(QPainter& painter, QPointF origin, std::u16string_view text, const int* offsets,
            QColor color) const override {
    if (!raw_.isValid() || text.empty()) return;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(qsizetype(text.size()));
    positions.reserve(qsizetype(text.size()));
    for (size_t i = 0; i < text.size(); ++i) {
      char32_t cp = text[i];
      size_t at = i;
      if (IsPairAt(text, i)) {
        cp = CombineSurrogates(text[i], text[i + 1]);
        ++i;
      }
      glyphs.push_back(Lookup(cp).index);
      positions.push_back(QPointF(offsets[at] / hscale_, 0));
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.save();
    painter.setPen(color);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased_);
    painter.translate(origin);
    if (hscale_ != 1.0) painter.scale(hscale_, 1.0);
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.restore();
  }

 private:
  struct Glyph {
    quint32 index = 0;
    int advance = 0;
  };

  Glyph Make(const QChar* chars, int n) const {
    Glyph g;
    if (!raw_.isValid()) return g;
    quint32 index = 0;
    int count = 1;
    if (!raw_.glyphIndexesForChars(chars, n, &index, &count) || count < 1) return g;
    QPointF advance;
    raw_.advancesForGlyphIndexes(&index, &advance, 1, QRawFont::SeparateAdvances | QRawFont::UseDesignMetrics);
    g.index = index;
    g.advance = int(std::lround(advance.x() * hscale_));
    return g;
  }

  // A table entry: the glyph index in the low half, the advance above it, and a bit saying filled.
  static constexpr uint64_t kFilled = uint64_t(1) << 63;
  static uint64_t Pack(Glyph g) { return kFilled | (uint64_t(uint32_t(g.advance)) << 32) | g.index; }
  static Glyph Unpack(uint64_t v) { return Glyph{quint32(v & 0xFFFFFFFFu), int(int32_t(uint32_t(v >> 32) & 0x7FFFFFFFu))}; }

  Glyph Lookup(char32_t cp) const {
    if (cp < kTableEnd) {
      if (uint64_t v = table_[cp].load(std::memory_order_acquire); v & kFilled) return Unpack(v);
    }
    std::lock_guard lock(mutex_);
    if (cp < kTableEnd) {
      if (uint64_t v = table_[cp].load(std::memory_order_relaxed); v & kFilled) return Unpack(v);
      const QChar c{char16_t(cp)};
      const Glyph g = Make(&c, 1);
      table_[cp].store(Pack(g), std::memory_order_release);
      return g;
    }
    auto it = others_.find(cp);
    if (it != others_.end()) return it->second;
    QChar pair[2];
    int n = 1;
    if (cp >= 0x10000) {
      pair[0] = QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
      pair[1] = QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      n = 2;
    } else {
      pair[0] = QChar(char16_t(cp));
    }
    Glyph g = Make(pair, n);
    others_.emplace(cp, g);
    return g;
  }

  QRawFont raw_;
  double hscale_ = 1.0;
  std::unique_ptr<std::atomic<uint64_t>[]> table_;
  mutable std::mutex mutex_;
  mutable std::unordered_map<char32_t, Glyph> others_;
};

}  // namespace

std::shared_ptr<const FontFace> MakeQtFace(const LOGFONTW& lf, std::u16string_view family) {
  return std::make_shared<QtFace>(lf, family);
}

}  // namespace win::gdi
