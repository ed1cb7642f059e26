// EnumFontFamiliesExW over the face substitution table (see GdiText.h).

#include <algorithm>
#include <string_view>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontSubstitution.h"

namespace win {
namespace {

bool SameFace(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) {
           return lower(x) == lower(y);
         });
}

}  // namespace

int EnumFontFamiliesExW(HDC hdc, const LOGFONTW* lf, FONTENUMPROCW proc, LPARAM lParam, DWORD) {
  if (!proc) return 0;
  const std::u16string_view wanted = lf ? std::u16string_view(lf->lfFaceName) : std::u16string_view();
  HDC dc = hdc ? hdc : CreateCompatibleDC(nullptr);
  int last = 1;
  for (std::u16string_view face : gdi::SubstitutionFaceNames()) {
    if (!wanted.empty() && !SameFace(face, wanted)) continue;
    LOGFONTW found;
    found.lfCharSet = lf ? lf->lfCharSet : DEFAULT_CHARSET;
    face.copy(found.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
    TEXTMETRICW tm;
    HFONT font = CreateFontIndirectW(&found);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    found.lfHeight = tm.tmHeight;
    found.lfWeight = tm.tmWeight;
    found.lfPitchAndFamily = tm.tmPitchAndFamily;
    last = proc(&found, &tm, TRUETYPE_FONTTYPE, lParam);
    if (last == 0) break;
  }
  if (!hdc) DeleteDC(dc);
  return last;
}

}  // namespace win
