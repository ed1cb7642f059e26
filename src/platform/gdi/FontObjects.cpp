#include "platform/gdi/detail/FontObjects.h"

#include <cstdlib>
#include <mutex>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/GdiObjects.h"

namespace win {
namespace gdi {

std::shared_ptr<const FontFace> FaceOfFont(HFONT font) {
  FontObj* obj = FindFont(font);
  if (!obj) return nullptr;
  // Not std::call_once: its first call per flag costs a futex wake, and fonts made for one
  // drawing (rotated captions) each pay it.
  if (!obj->faceResolved.load(std::memory_order_acquire)) {
    static std::mutex resolving;
    std::lock_guard lock(resolving);
    if (!obj->faceResolved.load(std::memory_order_relaxed)) {
      obj->face = FontFace::Resolve(obj->lf);
      obj->faceResolved.store(true, std::memory_order_release);
    }
  }
  return obj->face;
}

std::shared_ptr<const FontFace> SelectedFace(const DCObj& dc) {
  if (auto face = FaceOfFont(dc.state.font)) return face;
  // Every DC starts with the system font selected; this covers a DC whose font was deleted
  // under it: the default logical font.
  static const std::shared_ptr<const FontFace> defaultFace = FontFace::Resolve(LOGFONTW{});
  return defaultFace;
}

}  // namespace gdi

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
  if (!lf) return nullptr;
  if (std::labs(lf->lfHeight) > gdi::kMaxFontPixels || std::labs(lf->lfWidth) > gdi::kMaxFontPixels) return nullptr;
  auto obj = std::make_unique<gdi::FontObj>();
  obj->lf = *lf;
  obj->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(gdi::HandleTable::Instance().Add(std::move(obj)));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfUnderline = underline ? 1 : 0;
  lf.lfStrikeOut = strikeOut ? 1 : 0;
  lf.lfCharSet = BYTE(charSet);
  lf.lfOutPrecision = BYTE(outPrecision);
  lf.lfClipPrecision = BYTE(clipPrecision);
  lf.lfQuality = BYTE(quality);
  lf.lfPitchAndFamily = BYTE(pitchAndFamily);
  if (faceName)
    for (int i = 0; i < LF_FACESIZE - 1 && faceName[i]; ++i) lf.lfFaceName[i] = faceName[i];
  return CreateFontIndirectW(&lf);
}

}  // namespace win
