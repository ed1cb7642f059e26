// Measuring text in a DC's selected font. Extents ignore the font's escapement, as GDI's do: a
// rotated string is as long as the same string unrotated.

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/FontObjects.h"

namespace win {
using namespace gdi;

namespace {

constexpr int kMaxTextUnits = 1 << 24;

// Cumulative widths of the first i + 1 characters, with the DC's character extra space.
std::vector<int> PartialWidths(const DCObj& dc, const FontFace& face, std::u16string_view s) {
  std::vector<int> out(s.size());
  face.Advances(s, out.data());
  int total = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    bool pairTail = out[i] == 0 && s[i] >= 0xDC00 && s[i] <= 0xDFFF;
    total += out[i] + (pairTail ? 0 : dc.state.textCharExtra);
    out[i] = total;
  }
  return out;
}

}  // namespace

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size) {
  return GetTextExtentExPointW(hdc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR text, int count, int maxExtent, INT* fit, INT* partial,
                           SIZE* size) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || count < 0 || count > kMaxTextUnits || (count > 0 && !text) || !size) return FALSE;
  auto face = SelectedFace(*dc);
  std::vector<int> widths = PartialWidths(*dc, *face, std::u16string_view(text ? text : u"", size_t(count)));
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
