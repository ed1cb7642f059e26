#include "platform/gdi/detail/FontFace.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/gdi/detail/FontSubstitution.h"
#include "platform/kernel/Utf16.h"

namespace win::gdi {
namespace {

// The cache key is the LOGFONTW's bytes with everything after the face name's terminator
// cleared, so that garbage past the name does not split identical fonts.
using FaceKey = std::array<char, sizeof(LOGFONTW)>;

FaceKey KeyOf(const LOGFONTW& lf) {
  LOGFONTW clean = lf;
  std::u16string_view face = FaceNameOf(lf);
  std::memset(clean.lfFaceName, 0, sizeof(clean.lfFaceName));
  std::memcpy(clean.lfFaceName, face.data(), face.size() * sizeof(char16_t));
  static_assert(sizeof(LOGFONTW) == 5 * sizeof(LONG) + 8 + LF_FACESIZE * sizeof(WCHAR),
                "LOGFONTW must have no padding to serve as a key");
  FaceKey key;
  std::memcpy(key.data(), &clean, sizeof(clean));
  return key;
}

struct FaceKeyHash {
  size_t operator()(const FaceKey& key) const {
    return std::hash<std::string_view>()(std::string_view(key.data(), key.size()));
  }
};

// Faces stay cached while anything uses them; unused ones are dropped once the cache grows past
// this many entries (programs that make a font per label at ever-changing sizes and angles).
constexpr size_t kCacheTrimSize = 256;

}  // namespace

FontFace::FontFace(const LOGFONTW& lf) : lf_(lf) {
  escapement_ = int(lf.lfEscapement % 3600);
  if (escapement_ < 0) escapement_ += 3600;
  antialiased_ = lf.lfQuality != NONANTIALIASED_QUALITY;
  // What every face reports from the LOGFONTW itself; sizes come from the face.
  tm_.tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 1, 1000);
  tm_.tmFirstChar = 0x20;
  tm_.tmLastChar = 0xFFFC;
  tm_.tmDefaultChar = 0x1F;
  tm_.tmBreakChar = 0x20;
  tm_.tmItalic = lf.lfItalic ? 1 : 0;
  tm_.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm_.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  tm_.tmCharSet = lf.lfCharSet;
}

std::u16string_view FaceNameOf(const LOGFONTW& lf) {
  size_t n = 0;
  while (n < size_t(LF_FACESIZE - 1) && lf.lfFaceName[n] != 0) ++n;
  return {lf.lfFaceName, n};
}

void FontFace::Advances(std::u16string_view text, int* out) const {
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (IsPairAt(text, i)) {
      out[i] = Advance(CombineSurrogates(c, text[i + 1]));
      out[++i] = 0;
    } else {
      out[i] = Advance(c);
    }
  }
}

int FontFace::Width(std::u16string_view text) const {
  int total = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (IsPairAt(text, i)) {
      total += Advance(CombineSurrogates(c, text[i + 1]));
      ++i;
    } else {
      total += Advance(c);
    }
  }
  return total;
}

std::shared_ptr<const FontFace> FontFace::Resolve(const LOGFONTW& lf) {
  // Kept for the life of the process, as the GUI application is: each face holds the font
  // engine's data, and a cache destroyed among the exit handlers would release faces after that
  // engine's own globals are gone (those are made later, so they go first).
  static std::mutex& mutex = *new std::mutex;
  static auto& cache = *new std::unordered_map<FaceKey, std::shared_ptr<const FontFace>, FaceKeyHash>;

  const FaceKey key = KeyOf(lf);
  std::lock_guard lock(mutex);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;

  std::u16string_view requested = FaceNameOf(lf);
  std::shared_ptr<const FontFace> face =
      IsTestFace(requested) ? MakeTestFace(lf) : MakeQtFace(lf, SubstituteFace(requested));
  if (cache.size() >= kCacheTrimSize) {
    for (auto i = cache.begin(); i != cache.end();) i = i->second.use_count() == 1 ? cache.erase(i) : std::next(i);
  }
  cache.emplace(key, face);
  return face;
}

}  // namespace win::gdi
