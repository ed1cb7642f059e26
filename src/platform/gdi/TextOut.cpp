#include "platform/gdi/detail/TextOut.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/FontObjects.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/TextConvert.h"

namespace win {
namespace gdi {
namespace {

QColor ColorOf(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QRect QRectOf(const RECT& r) {
  int left = std::min(r.left, r.right), top = std::min(r.top, r.bottom);
  return QRect(left, top, std::abs(r.right - r.left), std::abs(r.bottom - r.top));
}

}  // namespace

int RunStartX(UINT align, int width) {
  if ((align & TA_CENTER) == TA_CENTER) return -(width / 2);
  if (align & TA_RIGHT) return -width;
  return 0;
}

int RunBaselineY(UINT align, const TEXTMETRICW& tm) {
  if ((align & TA_BASELINE) == TA_BASELINE) return 0;
  if (align & TA_BOTTOM) return -tm.tmDescent;
  return tm.tmAscent;
}

bool PaintTextRun(DCObj& dc, const FontFace& face, const TextRun& run) {
  QPainter* p = PreparePainter(dc);
  if (!p) return dc.recorder != nullptr;  // a recording DC has nothing to paint, and that is no failure
  const TEXTMETRICW& tm = face.Metrics();
  const QColor text = ColorOf(dc.state.textColor);
  const QColor back = ColorOf(dc.state.bkColor);

  p->save();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);  // text ignores the ROP2 mode
  p->setRenderHint(QPainter::Antialiasing, false);
  if (run.rect && (run.options & ETO_OPAQUE)) p->fillRect(QRectOf(*run.rect), back);
  if (run.rect && (run.options & ETO_CLIPPED)) p->setClipRect(QRectOf(*run.rect), Qt::IntersectClip);

  p->translate(run.x, run.y);
  if (face.Escapement() != 0) p->rotate(-face.Escapement() / 10.0);
  const int startX = RunStartX(run.align, run.width);
  const int baseline = RunBaselineY(run.align, tm);
  const int thickness = face.LineThickness();
  if (run.glyphs) {
    if (dc.state.bkMode == OPAQUE) p->fillRect(QRect(startX, baseline - tm.tmAscent, run.width, tm.tmHeight), back);
    face.Draw(*p, QPointF(startX, baseline), run.text, run.offsets, text);
    if (face.LogFont().lfUnderline)
      p->fillRect(QRect(startX, baseline + face.UnderlineOffset(), run.width, thickness), text);
    if (face.LogFont().lfStrikeOut)
      p->fillRect(QRect(startX, baseline + face.StrikeOutOffset(), run.width, thickness), text);
  }
  if (run.marked >= 0 && size_t(run.marked) < run.text.size())
    p->fillRect(QRect(startX + run.offsets[run.marked], baseline + face.UnderlineOffset(), run.markedWidth, thickness),
                text);
  p->restore();
  return true;
}

}  // namespace gdi

using namespace gdi;

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || (count > 0 && !text) || count > kMaxTextUnits) return FALSE;
  auto face = SelectedFace(*dc);
  std::u16string_view s(text ? text : u"", count);

  // Offsets of the characters from the spacing array, or from the advances plus the DC's
  // character extra space (not after the second half of a surrogate pair).
  std::vector<int> advances(count);
  if (dx)
    std::copy_n(dx, count, advances.begin());
  else
    face->Advances(s, advances.data());
  const int64_t extra = dx ? 0 : dc->state.textCharExtra;
  std::vector<int> offsets(count);
  int64_t total = 0;
  for (UINT i = 0; i < count; ++i) {
    offsets[i] = int(total);
    bool pairTail = !dx && advances[i] == 0 && s[i] >= 0xDC00 && s[i] <= 0xDFFF;
    total += advances[i] + (pairTail ? 0 : extra);
    if (total > kMaxTextExtent || total < -kMaxTextExtent) return FALSE;
  }
  const int width = int(total);

  const UINT align = dc->state.textAlign;
  const bool updateCP = (align & TA_UPDATECP) != 0;
  if (updateCP) {
    x = dc->state.curPos.x;
    y = dc->state.curPos.y;
  }
  if (dc->recorder) dc->recorder->TextOut(POINT{x, y}, align, options, rect, s, offsets.data(), width);
  TextRun run;
  run.x = x;
  run.y = y;
  run.align = align;
  run.options = options;
  run.rect = rect;
  run.text = s;
  run.offsets = offsets.data();
  run.width = width;
  if (!PaintTextRun(*dc, *face, run)) return FALSE;

  if (updateCP) {
    // The current position moves along the baseline past the text (back for right alignment).
    int move = (align & TA_CENTER) == TA_CENTER ? 0 : (align & TA_RIGHT) ? -width : width;
    double angle = face->Escapement() * std::numbers::pi / 1800.0;
    auto clampToLong = [](int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    dc->state.curPos.x = clampToLong(int64_t(x) + std::lround(move * std::cos(angle)));
    dc->state.curPos.y = clampToLong(int64_t(y) - std::lround(move * std::sin(angle)));
  }
  return TRUE;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutW(hdc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx) {
  if ((count > 0 && !text) || count > kMaxTextUnits) return FALSE;
  // Every CP1251 byte is one UTF-16 unit, so `dx` still lines up with the characters.
  std::u16string wide = Cp1251ToWide(std::string_view(text ? text : "", count));
  return ExtTextOutW(hdc, x, y, options, rect, wide.c_str(), UINT(wide.size()), dx);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

}  // namespace win
