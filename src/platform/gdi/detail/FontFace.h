#pragma once
// A realised font: what a LOGFONTW resolves to, with GDI's integer metrics and per-character
// advances. Faces are immutable once built and shared between every font object with the same
// LOGFONTW, so a face is built once however many handles name it.

#include <QColor>
#include <QPointF>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/GdiTypes.h"

class QPainter;

namespace win::gdi {

class FontFace {
 public:
  virtual ~FontFace() = default;
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // The face for `lf`, from the process-wide cache. Never null: where no font can be loaded at
  // all the face still answers, with zero advances and no glyphs.
  static std::shared_ptr<const FontFace> Resolve(const LOGFONTW& lf);

  const LOGFONTW& LogFont() const { return lf_; }
  const TEXTMETRICW& Metrics() const { return tm_; }
  // The family actually used (after substitution).
  const std::u16string& FaceName() const { return face_; }
  // Tenths of a degree, counter-clockwise, normalised to [0, 3600).
  int Escapement() const { return escapement_; }
  bool Antialiased() const { return antialiased_; }

  // Integer advance of each UTF-16 unit of `text` into `out` (text.size() entries). The high
  // unit of a surrogate pair carries the pair's advance and the low unit 0. No kerning.
  void Advances(std::u16string_view text, int* out) const;
  // Advance of one code point.
  virtual int Advance(char32_t cp) const = 0;
  // Sum of the advances of `text`.
  int Width(std::u16string_view text) const;

  // Underline and strike-out lines: offsets of the line's first row from the baseline (positive
  // is downwards) and thickness, in pixels.
  int UnderlineOffset() const { return underlineOffset_; }
  int StrikeOutOffset() const { return strikeOutOffset_; }
  int LineThickness() const { return lineThickness_; }

  // Draws the glyphs of `text` in the painter's current (unrotated) coordinates with the
  // baseline starting at `origin`; character i starts at origin.x + offsets[i].
  virtual void Draw(QPainter& painter, QPointF origin, std::u16string_view text, const int* offsets,
                    QColor color) const = 0;

 protected:
  explicit FontFace(const LOGFONTW& lf);

  LOGFONTW lf_{};
  TEXTMETRICW tm_{};
  std::u16string face_;
  int escapement_ = 0;
  bool antialiased_ = true;
  int underlineOffset_ = 1;
  int strikeOutOffset_ = -3;
  int lineThickness_ = 1;
};

// The two kinds of faces: the built-in box font of exact metrics, and real fonts through Qt.
std::shared_ptr<const FontFace> MakeTestFace(const LOGFONTW& lf);
std::shared_ptr<const FontFace> MakeQtFace(const LOGFONTW& lf, std::u16string_view family);

// The face name of a LOGFONTW up to its terminating zero (at most LF_FACESIZE - 1 characters).
std::u16string_view FaceNameOf(const LOGFONTW& lf);

// Upper bound on |lfHeight| and |lfWidth|; larger fonts are refused.
inline constexpr LONG kMaxFontPixels = 16384;
// Longer texts are refused rather than laid out (a count from uninitialised memory).
inline constexpr size_t kMaxTextUnits = size_t(1) << 24;
// Text extents and positions are kept within this, so that no sum of them overflows an int;
// text that would reach further is refused.
inline constexpr int64_t kMaxTextExtent = int64_t(1) << 30;

}  // namespace win::gdi
