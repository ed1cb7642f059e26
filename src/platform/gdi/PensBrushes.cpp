// Creating pens and brushes, and the pixel patterns they paint.

#include <algorithm>

#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/Pens.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

// Cosmetic dash patterns, one entry per pixel (documented in GdiPaintObjects.h).
std::vector<uint8_t> Expand(const std::vector<DWORD>& runs) {
  std::vector<uint8_t> mask;
  bool on = true;
  for (DWORD n : runs) {
    mask.insert(mask.end(), size_t(n), uint8_t(on));
    on = !on;
  }
  return mask;
}
const std::vector<uint8_t>& DashMask(UINT style) {
  static const std::vector<std::vector<uint8_t>> masks = [] {
    std::vector<std::vector<uint8_t>> m;
    for (UINT s = PS_SOLID; s <= PS_ALTERNATE; ++s) m.push_back(Expand(CosmeticDashRuns(s)));
    return m;
  }();
  static const std::vector<uint8_t> none;
  return style < masks.size() ? masks[style] : none;
}

constexpr size_t kMaxStyleLength = 4096;

HBRUSH AddBrush(std::unique_ptr<BrushObj> b) {
  return static_cast<HBRUSH>(HandleTable::Instance().Add(std::move(b)));
}

bool HatchBit(int hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL: return y == 0;
    case HS_VERTICAL: return x == 0;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 0 || y == 0;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
  }
}

// A brush with its own copy of the top-left 8x8 pixels of `bmp` (tiled when smaller), so later
// changes to the bitmap do not change the brush. A monochrome pattern keeps bits, not colours.
HBRUSH PatternBrush(const BitmapObj& bmp, UINT style, bool mono) {
  auto b = std::make_unique<BrushObj>();
  b->style = style;
  b->monoPattern = mono;
  if (mono) {
    b->pattern = QImage(8, 8, QImage::Format_Mono);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) b->pattern.setPixel(x, y, GetRaw(bmp, x % bmp.width, y % bmp.height) ? 1 : 0);
  } else {
    b->pattern = QImage(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const COLORREF c = ReadPixel(bmp, x % bmp.width, y % bmp.height);
        b->pattern.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
      }
  }
  return AddBrush(std::move(b));
}

}  // namespace

const std::vector<DWORD>& CosmeticDashRuns(UINT style) {
  static const std::vector<DWORD> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
      alternate{1, 1}, none;
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return none;
  }
}

COLORREF BrushColor(const DCObj& dc, const BrushObj& brush) {
  if (brush.dcColor) return dc.state.dcBrushColor;
  if (brush.sysColor >= 0) return SysColorValue(brush.sysColor);
  return brush.color;
}

COLORREF PenColor(const DCObj& dc, const PenObj& pen) { return pen.dcColor ? dc.state.dcPenColor : pen.color; }

bool IsThinPen(const PenObj& pen) { return !pen.geometric && pen.width <= 1; }

LineStyle ThinPenStyle(const DCObj& dc, const PenObj& pen, std::vector<uint8_t>& storage) {
  LineStyle s;
  s.color = PenColor(dc, pen);
  s.opaqueGaps = dc.state.bkMode == OPAQUE;
  s.gapColor = dc.state.bkColor;
  if (pen.style == PS_USERSTYLE && !pen.userStyle.empty()) {
    storage.clear();
    bool on = true;
    for (DWORD n : pen.userStyle) {
      storage.insert(storage.end(), std::min<size_t>(n, kMaxStyleLength - storage.size()), uint8_t(on));
      on = !on;
    }
    if (pen.userStyle.size() % 2) {  // an odd list repeats with the roles swapped
      const size_t half = storage.size();
      for (size_t i = 0; i < half && storage.size() < 2 * kMaxStyleLength; ++i) storage.push_back(uint8_t(!storage[i]));
    }
  } else {
    storage = DashMask(pen.style);
  }
  s.mask = storage.data();
  s.length = int(storage.size());
  return s;
}

QPen WidePen(const DCObj& dc, const PenObj& pen) {
  const COLORREF color = PenColor(dc, pen);
  QPen q(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
  q.setWidth(std::max(1, pen.width));
  q.setCapStyle(pen.endCap == PS_ENDCAP_FLAT ? Qt::FlatCap : pen.endCap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
  q.setJoinStyle(pen.join == PS_JOIN_BEVEL ? Qt::BevelJoin : pen.join == PS_JOIN_MITER ? Qt::MiterJoin : Qt::RoundJoin);
  if (pen.geometric) {
    QList<qreal> dashes;
    switch (pen.style) {
      case PS_DASH: dashes = {3, 1}; break;
      case PS_DOT: dashes = {1, 1}; break;
      case PS_DASHDOT: dashes = {3, 1, 1, 1}; break;
      case PS_DASHDOTDOT: dashes = {3, 1, 1, 1, 1, 1}; break;
      case PS_USERSTYLE:
        for (DWORD n : pen.userStyle) dashes.push_back(std::max<qreal>(n, 0.01) / std::max(1, pen.width));
        if (dashes.size() % 2) dashes.append(dashes);
        break;
      default: break;
    }
    if (!dashes.isEmpty()) q.setDashPattern(dashes);
  }
  return q;
}

bool BrushPattern(const DCObj& dc, const BrushObj& brush, COLORREF colors[64], bool transparent[64]) {
  std::fill(transparent, transparent + 64, false);
  switch (brush.style) {
    case BS_NULL: return false;
    case BS_HATCHED:
      for (int i = 0; i < 64; ++i) {
        const bool ink = HatchBit(brush.hatch, i % 8, i / 8);
        colors[i] = ink ? brush.color : dc.state.bkColor;
        transparent[i] = !ink && dc.state.bkMode == TRANSPARENT;
      }
      return true;
    case BS_PATTERN:
    case BS_DIBPATTERN:
      for (int i = 0; i < 64; ++i) {
        const int x = i % 8, y = i / 8;
        if (brush.monoPattern) {
          colors[i] = brush.pattern.pixelIndex(x, y) ? dc.state.bkColor : dc.state.textColor;
        } else {
          const QRgb c = brush.pattern.pixel(x, y);
          colors[i] = RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c)));
        }
      }
      return true;
    default:
      std::fill(colors, colors + 64, BrushColor(dc, brush));
      return true;
  }
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
  const UINT kind = style & PS_STYLE_MASK;
  const bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
  if (!brush || kind > PS_ALTERNATE || (!geometric && width != 1) || width > 0xFFFF ||
      (kind == PS_USERSTYLE) != (styleCount > 0) || styleCount > 16 || (styleCount && !styles) ||
      (kind == PS_ALTERNATE && geometric)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto pen = std::make_unique<PenObj>();
  pen->style = kind;
  pen->endCap = style & PS_ENDCAP_MASK;
  pen->join = style & PS_JOIN_MASK;
  pen->geometric = geometric;
  pen->width = int(width);
  pen->color = brush->lbStyle == BS_NULL ? 0 : brush->lbColor;
  if (brush->lbStyle == BS_NULL) pen->style = PS_NULL;
  pen->extended = true;
  pen->userStyle.assign(styles, styles + styleCount);
  return static_cast<HPEN>(HandleTable::Instance().Add(std::move(pen)));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < 0 || UINT(style) > PS_INSIDEFRAME || width > 0xFFFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto pen = std::make_unique<PenObj>();
  pen->style = UINT(style);
  pen->width = std::max(0, width);
  pen->color = color & 0xFFFFFF;
  // Wide pens are geometric with round ends and joins; dashes apply to one-pixel pens only.
  if (pen->width > 1) {
    pen->geometric = true;
    if (pen->style != PS_NULL && pen->style != PS_INSIDEFRAME) pen->style = PS_SOLID;
  }
  return static_cast<HPEN>(HandleTable::Instance().Add(std::move(pen)));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreatePen(int(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto b = std::make_unique<BrushObj>();
  b->style = BS_SOLID;
  b->color = color & 0xFFFFFF;
  return AddBrush(std::move(b));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto b = std::make_unique<BrushObj>();
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color & 0xFFFFFF;
  return AddBrush(std::move(b));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  BitmapObj* bmp = FindBitmap(bitmap);
  if (!bmp || bmp->width <= 0 || bmp->height <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  FlushPainting(*bmp);
  return PatternBrush(*bmp, BS_PATTERN, bmp->bpp == 1);
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
  DibLayout layout;
  const auto* info = static_cast<const uint8_t*>(packedDib);
  std::unique_ptr<BitmapObj> dib;
  // Palette-index DIBs would need the DC's palette at use time; only RGB colours are taken.
  if (info && usage == DIB_RGB_COLORS && ParseDibHeader(info, SIZE_MAX, layout) && layout.width > 0 &&
      layout.height > 0)
    dib = DibToBitmap(layout, info + layout.headerBytes, layout.imageBytes);
  if (!dib) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return PatternBrush(*dib, BS_DIBPATTERN, false);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_HATCHED: return CreateHatchBrush(int(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    case BS_DIBPATTERNPT: return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(lb->lbHatch), lb->lbColor);
    case BS_NULL: {
      auto b = std::make_unique<BrushObj>();
      b->style = BS_NULL;
      return AddBrush(std::move(b));
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

}  // namespace win
