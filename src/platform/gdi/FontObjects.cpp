#include "platform/gdi/detail/FontObjects.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/GdiObjects.h"

namespace win {
namespace gdi {
namespace {

LOGFONTW MakeLogFont(LONG height, LONG weight, BYTE pitchAndFamily, std::u16string_view face) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = pitchAndFamily;
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  return lf;
}

}  // namespace

bool StockFontLogFont(int stockIndex, LOGFONTW* out) {
  if (!out) return false;
  switch (stockIndex) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      *out = MakeLogFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, u"System");
      return true;
    case DEFAULT_GUI_FONT:
      *out = MakeLogFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"MS Sans Serif");
      return true;
    case ANSI_VAR_FONT:
      *out = MakeLogFont(13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, u"MS Sans Serif");
      return true;
    // The fixed stock fonts use the one monospaced family of the substitution table.
    case ANSI_FIXED_FONT:
      *out = MakeLogFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Courier New");
      return true;
    case OEM_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      *out = MakeLogFont(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, u"Courier New");
      return true;
    default:
      return false;
  }
}

std::shared_ptr<const FontFace> FaceOfFont(HFONT font) {
  FontObj* obj = FindFont(font);
  return obj ? FontFace::Resolve(obj->lf) : nullptr;
}

std::shared_ptr<const FontFace> SelectedFace(const DCObj& dc) {
  if (auto face = FaceOfFont(dc.state.font)) return face;
  LOGFONTW system{};
  StockFontLogFont(SYSTEM_FONT, &system);
  return FontFace::Resolve(system);
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
