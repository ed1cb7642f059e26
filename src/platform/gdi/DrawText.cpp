#include <algorithm>
#include <string>
#include <string_view>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/DrawTextLayout.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/FontObjects.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/gdi/detail/TextOut.h"
#include "platform/kernel/TextConvert.h"

namespace win {
using namespace gdi;

namespace {

size_t LengthOf(const char16_t* s) {
  size_t n = 0;
  while (n < kMaxTextUnits && s[n]) ++n;
  return n;
}

// Writes the shown text back under DT_MODIFYSTRING: the caller's buffer holds `count` + 4 units.
void WriteBack(LPWSTR buffer, size_t count, std::u16string_view shown) {
  size_t n = std::min(shown.size(), count + 3);
  std::copy_n(shown.begin(), n, buffer);
  buffer[n] = 0;
}

void PaintLines(DCObj& dc, const FontFace& face, const DrawTextLayout& layout, const RECT& rect, UINT format) {
  for (const LaidOutLine& line : layout.lines) {
    if (!line.visible) continue;
    TextRun run;
    run.x = line.x;
    run.y = line.y;
    run.align = TA_LEFT | TA_TOP;
    run.options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    run.rect = &rect;
    run.text = line.text;
    run.offsets = line.offsets.data();
    run.width = line.width;
    run.glyphs = !(format & DT_PREFIXONLY);
    if (line.prefix >= 0 && !(format & DT_HIDEPREFIX)) {
      size_t next = size_t(line.prefix) + 1;
      run.marked = line.prefix;
      run.markedWidth = (next < line.offsets.size() ? line.offsets[next] : line.width) - line.offsets[size_t(line.prefix)];
    }
    if (dc.recorder && run.glyphs)
      dc.recorder->TextOut(POINT{run.x, run.y}, run.align, run.options, run.rect, run.text, run.offsets, run.width);
    if (!PaintTextRun(dc, face, run)) return;
  }
}

}  // namespace

int DrawTextExW(HDC hdc, LPWSTR text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !rect || (count != 0 && !text)) return 0;
  if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  size_t length = count < 0 ? LengthOf(text) : size_t(count);
  if (length > kMaxTextUnits) return 0;
  std::u16string_view view(text ? text : u"", length);

  DrawTextOptions options;
  options.rect = *rect;
  if (format & DT_TABSTOP) {
    // Without a parameter block the tab length rides in bits 8-15 of the format.
    if (params) {
      options.tabLength = params->iTabLength;
    } else {
      options.tabLength = int((format >> 8) & 0xFF);
      format &= ~0xFF00u;
    }
  }
  options.format = format;
  options.charExtra = dc->state.textCharExtra;
  if (params) {
    options.leftMargin = params->iLeftMargin;
    options.rightMargin = params->iRightMargin;
  }

  auto face = SelectedFace(*dc);
  DrawTextLayout layout = LayOutDrawText(*face, view, options);
  if (params) params->uiLengthDrawn = layout.lengthDrawn;
  if ((format & DT_MODIFYSTRING) && layout.modified && text) WriteBack(text, length, layout.modifiedText);
  if (format & DT_CALCRECT) {
    *rect = layout.textRect;
    return layout.height;
  }
  PaintLines(*dc, *face, layout, *rect, format);
  return layout.height;
}

int DrawTextW(HDC hdc, LPCWSTR text, int count, RECT* rect, UINT format) {
  // The text is written only under DT_MODIFYSTRING, which requires a writable buffer.
  return DrawTextExW(hdc, const_cast<LPWSTR>(text), count, rect, format, nullptr);
}

int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format) {
  if (count != 0 && !text) return 0;
  std::string_view bytes = count < 0 ? std::string_view(text) : std::string_view(text ? text : "", size_t(count));
  const std::u16string original = Cp1251ToWide(bytes);
  std::u16string wide = original;
  wide.resize(original.size() + 4);
  int height = DrawTextExW(hdc, wide.data(), int(original.size()), rect, format, nullptr);
  if ((format & DT_MODIFYSTRING) && std::u16string_view(wide.data(), original.size() + 1) !=
                                        std::u16string_view(original.c_str(), original.size() + 1)) {
    std::string shown = WideToCp1251(std::u16string_view(wide.c_str()));
    // The same room rule as the wide call: `count` + 4 bytes.
    size_t n = std::min(shown.size(), bytes.size() + 3);
    char* out = const_cast<char*>(text);
    std::copy_n(shown.begin(), n, out);
    out[n] = 0;
  }
  return height;
}

}  // namespace win
