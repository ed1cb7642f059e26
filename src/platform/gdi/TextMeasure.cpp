// Measuring text in a DC's selected font. Extents ignore the font's escapement, as GDI's do: a
// rotated string is as long as the same string unrotated.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/FontObjects.h"

namespace win {
using namespace gdi;

namespace {

// Cumulative widths of the first i + 1 characters, with the DC's character extra space; false
// when the text would reach beyond any coordinate.
bool PartialWidths(const DCObj& dc, const FontFace& face, std::u16string_view s, std::vector<int>& out) {
  out.resize(s.size());
  face.Advances(s, out.data());
  int64_t total = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    bool pairTail = out[i] == 0 && s[i] >= 0xDC00 && s[i] <= 0xDFFF;
    total += out[i] + (pairTail ? 0 : int64_t(dc.state.textCharExtra));
    if (total > kMaxTextExtent || total < -kMaxTextExtent) return false;
    out[i] = int(total);
  }
  return true;
}

}  // namespace

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size) {
  return GetTextExtentExPointW(hdc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR text, int count, int maxExtent, INT* fit, INT* partial,
                           SIZE* size) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || count < 0 || size_t(count) > kMaxTextUnits || (count > 0 && !text) || !size) return FALSE;
  auto face = SelectedFace(*dc);
  std::vector<int> widths;
  if (!PartialWidths(*dc, *face, std::u16string_view(text ? text : u"", size_t(count)), widths)) return FALSE;
  if (partial) std::copy(widths.begin(), widths.end(), partial);
  if (fit) *fit = int(std::upper_bound(widths.begin(), widths.end(), maxExtent) - widths.begin());
  size->cx = widths.empty() ? 0 : widths.back();
  size->cy = face->Metrics().tmHeight;
  return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !tm) return FALSE;
  *tm = SelectedFace(*dc)->Metrics();
  return TRUE;
}

BOOL GetCharWidth32W(HDC hdc, UINT first, UINT last, INT* widths) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !widths || last < first || last > 0x10FFFF) return FALSE;
  auto face = SelectedFace(*dc);
  for (UINT c = first; c <= last; ++c) *widths++ = face->Advance(char32_t(c));
  return TRUE;
}

int GetTextFaceW(HDC hdc, int count, LPWSTR faceName) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return 0;
  const std::u16string& face = SelectedFace(*dc)->FaceName();
  if (!faceName) return int(face.size()) + 1;
  if (count <= 0) return 0;
  size_t n = std::min(face.size(), size_t(count) - 1);
  std::copy_n(face.begin(), n, faceName);
  faceName[n] = 0;
  return int(n) + 1;
}

}  // namespace win
