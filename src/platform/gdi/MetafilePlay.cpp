// Playback of enhanced metafiles: every record replayed through the drawing layer's own calls onto
// the target DC, with the picture frame mapped onto the destination rectangle.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/MetafileBytes.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/gdi/detail/MetafileStore.h"
#include "platform/gdi/detail/Pens.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

int Clamp(double v) { return int(std::clamp(std::lround(v), long(INT32_MIN / 2), long(INT32_MAX / 2))); }

// Recorded device units -> logical units of the target. A frame of the same size as the
// destination maps by whole-pixel translation, so such a playback is exact.
struct Mapping {
  int64_t fromX = 0, fromY = 0;  // frame origin in recorded device pixels
  int64_t toX = 0, toY = 0;      // destination origin
  double sx = 1, sy = 1;
  bool unit = true;
  int X(int64_t x) const {
    return unit ? int(std::clamp<int64_t>(x - fromX + toX, INT32_MIN, INT32_MAX))
                : Clamp(double(toX) + double(x - fromX) * sx);
  }
  int Y(int64_t y) const {
    return unit ? int(std::clamp<int64_t>(y - fromY + toY, INT32_MIN, INT32_MAX))
                : Clamp(double(toY) + double(y - fromY) * sy);
  }
  int W(int w) const { return unit ? w : Clamp(w * sx); }
  int H(int h) const { return unit ? h : Clamp(h * sy); }
};

class Player {
 public:
  Player(HDC hdc, const ENHMETAHEADER& h, Mapping map, DWORD options)
      : hdc_(hdc), map_(map), options_(options), handles_(h.nHandles, nullptr) {}

  void Start() {
    SaveDC(hdc_);
    base_ = GetDCObj();
    // The picture starts from the default state, limited by the DC's clip.
    initialClip_ = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(hdc_, initialClip_) != 1) {
      DeleteObject(initialClip_);
      initialClip_ = nullptr;
    }
    SelectObject(hdc_, GetStockObject(BLACK_PEN));
    SelectObject(hdc_, GetStockObject(WHITE_BRUSH));
    SelectObject(hdc_, GetStockObject(SYSTEM_FONT));
    SetBkMode(hdc_, OPAQUE);
    SetBkColor(hdc_, RGB(255, 255, 255));
    SetTextColor(hdc_, RGB(0, 0, 0));
    SetTextAlign(hdc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetROP2(hdc_, R2_COPYPEN);
    SetPolyFillMode(hdc_, ALTERNATE);
    SetTextCharacterExtra(hdc_, 0);
  }

  void Finish() {
    RestoreDC(hdc_, -(saves_ + 1));
    for (HGDIOBJ h : handles_)
      if (h) DeleteObject(h);
    if (initialClip_) DeleteObject(initialClip_);
  }

  void Play(DWORD type, RecordReader& r);

 private:
  DCObj* GetDCObj() { return FindDC(hdc_); }
  POINT Dev(POINT p) const { return POINT{SaturateCoord(int64_t(p.x) - org_.window.x + org_.viewport.x),
                                          SaturateCoord(int64_t(p.y) - org_.window.y + org_.viewport.y)}; }
  POINT P(POINT p) const {
    const POINT d = Dev(p);
    return POINT{map_.X(d.x), map_.Y(d.y)};
  }
  RECT R(const RECT& r) const {
    const POINT a = P(POINT{r.left, r.top}), b = P(POINT{r.right, r.bottom});
    return RECT{a.x, a.y, b.x, b.y};
  }
  std::vector<POINT> Points(RecordReader& r, size_t off, size_t count, bool small) {
    std::vector<POINT> pts;
    if (!r.Has(off, count * (small ? 4 : 8))) {
      r.ok = false;
      return pts;
    }
    pts.resize(count);
    for (size_t i = 0; i < count; ++i) pts[i] = P(small ? r.Point16(off + i * 4) : r.Point(off + i * 8));
    return pts;
  }
  HGDIOBJ* Slot(DWORD index) { return index > 0 && index < handles_.size() ? &handles_[index] : nullptr; }
  void Store(DWORD index, HGDIOBJ obj) {
    HGDIOBJ* slot = Slot(index);
    if (!slot || !obj) {
      if (obj) DeleteObject(obj);
      return;
    }
    if (*slot) DeleteObject(*slot);
    *slot = obj;
  }
  void Poly(RecordReader& r, DWORD type, bool small);
  void PolyPoly(RecordReader& r, DWORD type, bool small);
  void SelectClip(RecordReader& r);
  void StretchDib(RecordReader& r, RECT dest, POINT srcOrg, SIZE srcSize, size_t offBmi, size_t cbBmi,
                  size_t offBits, size_t cbBits, UINT usage, DWORD rop);
  void Alpha(RecordReader& r);
  void Text(RecordReader& r);
  void Gradient(RecordReader& r);
  HRGN RegionAt(RecordReader& r, size_t off, size_t cb, bool logical);
  void RegionFill(RecordReader& r, DWORD type);
  void Pattern(RecordReader& r, DWORD type);
  HPEN WidenedThinPen(DWORD style, int width, COLORREF color, const std::vector<DWORD>& userStyle) const;
  void ReapplyInitialClip() {
    if (initialClip_) ExtSelectClipRgn(hdc_, initialClip_, RGN_AND);
  }

  struct Origins {
    POINT window{};
    POINT viewport{};
  };
  HDC hdc_;
  DCObj* base_ = nullptr;
  Mapping map_;
  DWORD options_;
  std::vector<HGDIOBJ> handles_;
  Origins org_;
  std::vector<Origins> savedOrg_;
  int saves_ = 0;
  HRGN initialClip_ = nullptr;
};

void Player::Poly(RecordReader& r, DWORD type, bool small) {
  const DWORD count = r.U32(24);
  std::vector<POINT> pts = Points(r, 28, count, small);
  if (!r.ok || count == 0) return;
  if (type == EMR_POLYLINE) Polyline(hdc_, pts.data(), int(count));
  else if (type == EMR_POLYGON) Polygon(hdc_, pts.data(), int(count));
  else PolylineTo(hdc_, pts.data(), count);
}

void Player::PolyPoly(RecordReader& r, DWORD type, bool small) {
  const DWORD polys = r.U32(24), total = r.U32(28);
  if (!r.ok || !r.Has(32, size_t(polys) * 4)) return;
  std::vector<DWORD> counts(polys);
  uint64_t sum = 0;
  for (DWORD i = 0; i < polys; ++i) sum += counts[i] = r.U32(32 + size_t(i) * 4);
  if (sum != total) return;
  std::vector<POINT> pts = Points(r, 32 + size_t(polys) * 4, total, small);
  if (!r.ok) return;
  if (type == EMR_POLYPOLYLINE) {
    PolyPolyline(hdc_, pts.data(), counts.data(), polys);
  } else {
    std::vector<INT> icounts(counts.begin(), counts.end());
    PolyPolygon(hdc_, pts.data(), icounts.data(), int(polys));
  }
}

void Player::SelectClip(RecordReader& r) {
  const DWORD cb = r.U32(8);
  const int mode = int(r.U32(12));
  if (!r.ok) return;
  if (cb == 0) {
    if (mode == RGN_COPY) SelectClipRgn(hdc_, initialClip_);
    return;
  }
  HRGN rgn = RegionAt(r, 16, cb, false);
  if (!rgn) return;
  ExtSelectClipRgn(hdc_, rgn, mode);
  DeleteObject(rgn);
  ReapplyInitialClip();
}

// A region of RGNDATA rectangles at `off` (`cb` bytes), mapped into the target's logical units;
// null when the data does not fit in the record.
HRGN Player::RegionAt(RecordReader& r, size_t off, size_t cb, bool logical) {
  const DWORD n = r.U32(off + 8);
  if (!r.ok || cb < 32 || !r.Has(off + 32, size_t(n) * 16) || size_t(n) * 16 > cb - 32) return nullptr;
  const DCObj* dc = GetDCObj();
  const SurfaceShift shift = dc && !logical ? LogicalShift(dc->state) : SurfaceShift{};
  std::vector<RECT> rects;
  rects.reserve(n);
  for (DWORD i = 0; i < n; ++i) {
    const RECT d = r.Rect(off + 32 + size_t(i) * 16);
    // Logical records go through the recorded origins, clip regions are device units already.
    const RECT m = logical ? R(d) : RECT{map_.X(d.left), map_.Y(d.top), map_.X(d.right), map_.Y(d.bottom)};
    const RECT t{SaturateCoord(m.left + shift.x), SaturateCoord(m.top + shift.y), SaturateCoord(m.right + shift.x),
                 SaturateCoord(m.bottom + shift.y)};
    if (t.right > t.left && t.bottom > t.top) rects.push_back(t);
  }
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (RegionObj* obj = FindRegion(rgn)) obj->rgn = Region::FromRects(rects);
  return rgn;
}

void Player::RegionFill(RecordReader& r, DWORD type) {
  const size_t cb = r.U32(24);
  const bool withBrush = type == EMR_FILLRGN || type == EMR_FRAMERGN;
  const HGDIOBJ* brush = withBrush ? Slot(r.U32(28)) : nullptr;
  const size_t off = type == EMR_FRAMERGN ? 40 : withBrush ? 32 : 28;
  HRGN rgn = RegionAt(r, off, cb, true);
  if (!rgn) return;
  if (type == EMR_INVERTRGN) {
    InvertRgn(hdc_, rgn);
  } else if (type == EMR_PAINTRGN) {
    PaintRgn(hdc_, rgn);
  } else if (brush && *brush) {
    if (type == EMR_FILLRGN)
      FillRgn(hdc_, rgn, static_cast<HBRUSH>(*brush));
    else
      FrameRgn(hdc_, rgn, static_cast<HBRUSH>(*brush), std::max(1, map_.W(r.I32(32))), std::max(1, map_.H(r.I32(36))));
  }
  DeleteObject(rgn);
}

void Player::StretchDib(RecordReader& r, RECT dest, POINT srcOrg, SIZE srcSize, size_t offBmi, size_t cbBmi,
                        size_t offBits, size_t cbBits, UINT usage, DWORD rop) {
  const uint8_t* bmiBytes = r.Bytes(offBmi, cbBmi);
  const uint8_t* bits = r.Bytes(offBits, cbBits);
  if (!bmiBytes || !bits || cbBmi < sizeof(BITMAPINFOHEADER)) return;
  BITMAPINFO info;
  std::memcpy(&info, bmiBytes, std::min(cbBmi, sizeof info));
  DibLayout layout;
  // The copy must hold the whole header and colour table: StretchDIBits reads them from it.
  if (!ParseDibHeader(bmiBytes, cbBmi, layout) || layout.imageBytes > cbBits || layout.headerBytes > sizeof info)
    return;
  StretchDIBits(hdc_, dest.left, dest.top, SaturateCoord(int64_t(dest.right) - dest.left), SaturateCoord(int64_t(dest.bottom) - dest.top), srcOrg.x, srcOrg.y,
                srcSize.cx, srcSize.cy, bits, &info, usage, rop);
}

void Player::Alpha(RecordReader& r) {
  const RECT dest = R(r.Extent(24, 32, 36));
  const DWORD blendBits = r.U32(40);
  const POINT src{r.I32(44), r.I32(48)};
  const size_t offBmi = r.U32(84), cbBmi = r.U32(88), offBits = r.U32(92), cbBits = r.U32(96);
  const SIZE srcSize{r.I32(100), r.I32(104)};
  const uint8_t* bmiBytes = r.Bytes(offBmi, cbBmi);
  const uint8_t* bits = r.Bytes(offBits, cbBits);
  if (!r.ok || !bmiBytes || !bits) return;
  DibLayout layout;
  if (!ParseDibHeader(bmiBytes, cbBmi, layout) || layout.imageBytes > cbBits) return;
  std::unique_ptr<BitmapObj> decoded = DibToBitmap(layout, bits, cbBits);
  if (!decoded || decoded->bpp != 32) return;
  // The source as a 32-bit DIB section in a memory DC, its alpha kept, blended from there.
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = layout.width;
  bi.bmiHeader.biHeight = -layout.height;
  bi.bmiHeader.biBitCount = 32;
  void* dst = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &dst, nullptr, 0);
  if (!bmp) return;
  std::memcpy(dst, decoded->bits.data(), std::min(decoded->bits.size(), size_t(layout.width) * layout.height * 4));
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  const BLENDFUNCTION blend{BYTE(blendBits), BYTE(blendBits >> 8), BYTE(blendBits >> 16), BYTE(blendBits >> 24)};
  win::AlphaBlend(hdc_, dest.left, dest.top, SaturateCoord(int64_t(dest.right) - dest.left), SaturateCoord(int64_t(dest.bottom) - dest.top), mem, src.x, src.y,
                  srcSize.cx, srcSize.cy, blend);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
}

void Player::Text(RecordReader& r) {
  const POINT ref = r.Point(36);
  const DWORD count = r.U32(44);
  const size_t offString = r.U32(48);
  const UINT options = r.U32(52);
  const RECT rc = r.Rect(56);
  const size_t offDx = r.U32(72);
  if (!r.ok || count > (1u << 20)) return;
  const uint8_t* str = r.Bytes(offString, size_t(count) * 2);
  if (!str) return;
  std::u16string text(count, u'\0');
  std::memcpy(text.data(), str, size_t(count) * 2);
  std::vector<INT> dx;
  if (offDx != 0 && r.Has(offDx, size_t(count) * 4)) {
    dx.resize(count);
    // Scaled spacing from the scaled running offsets, so rounding does not add up along the text.
    int64_t run = 0;
    int prev = 0;
    for (DWORD i = 0; i < count; ++i) {
      run += r.I32(offDx + size_t(i) * 4);
      const int next = map_.W(int(std::clamp<int64_t>(run, INT32_MIN / 2, INT32_MAX / 2)));
      dx[i] = next - prev;
      prev = next;
    }
  }
  const RECT mapped = R(rc);
  const POINT p = P(ref);
  ExtTextOutW(hdc_, p.x, p.y, options, (options & (ETO_OPAQUE | ETO_CLIPPED)) ? &mapped : nullptr,
              reinterpret_cast<LPCWSTR>(text.data()), count, dx.empty() ? nullptr : dx.data());
}

void Player::Pattern(RecordReader& r, DWORD type) {
  const DWORD index = r.U32(8);
  const size_t offBmi = r.U32(16), cbBmi = r.U32(20), offBits = r.U32(24), cbBits = r.U32(28);
  const uint8_t* bmi = r.Bytes(offBmi, cbBmi);
  const uint8_t* bits = r.Bytes(offBits, cbBits);
  DibLayout layout;
  if (!r.ok || !Slot(index) || !bmi || !bits || !ParseDibHeader(bmi, cbBmi, layout) || layout.imageBytes > cbBits ||
      layout.width > 64 || layout.height > 64)
    return;
  if (type == EMR_CREATEDIBPATTERNBRUSHPT) {
    std::vector<uint8_t> packed(bmi, bmi + layout.headerBytes);
    packed.insert(packed.end(), bits, bits + layout.imageBytes);
    Store(index, CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
    return;
  }
  // A monochrome brush: its bits as a 1-bpp bitmap (rows of whole 16-bit words).
  std::unique_ptr<BitmapObj> decoded = DibToBitmap(layout, bits, cbBits);
  if (!decoded || decoded->bpp != 1) return;
  const size_t rowBytes = size_t((decoded->width + 15) / 16) * 2;
  std::vector<uint8_t> rows(rowBytes * size_t(decoded->height), 0);
  for (int y = 0; y < decoded->height; ++y)
    std::memcpy(&rows[size_t(y) * rowBytes], decoded->bits.data() + size_t(y) * size_t(decoded->stride),
                std::min(rowBytes, size_t(decoded->stride)));
  HBITMAP mono = CreateBitmap(decoded->width, decoded->height, 1, 1, rows.data());
  if (!mono) return;
  Store(index, CreatePatternBrush(mono));
  DeleteObject(mono);
}

// With PLAY_WIDEN_THIN_PENS and the picture enlarged, a pen one unit wide as the stretch draws
// it: as wide as the stretch (rounded), its dashes as long, covering the enlarged pixels of the
// one-pixel pen. A solid one becomes a pen like the wider ones; a dashed one a geometric pen
// with flat ends, so each dash keeps its scaled length, whose pattern is the pixel runs of the
// cosmetic style stretched (pen widths scale by themselves for the geometric styles). Null for
// a pen that plays as recorded.
HPEN Player::WidenedThinPen(DWORD style, int width, COLORREF color, const std::vector<DWORD>& userStyle) const {
  const UINT kind = style & PS_STYLE_MASK;
  if (!(options_ & PLAY_WIDEN_THIN_PENS) || map_.unit || map_.sx <= 1 || width != 1 || kind == PS_NULL) return nullptr;
  const bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
  const int w = std::max(1, map_.W(1));
  const std::vector<DWORD>& runs = kind == PS_USERSTYLE || geometric ? userStyle : CosmeticDashRuns(kind);
  if (runs.empty() && w == 1) return nullptr;
  HPEN pen;
  if (runs.empty() && !geometric) {
    pen = CreatePen(int(kind), w, color);
  } else {
    std::vector<DWORD> scaled;
    for (DWORD n : runs) scaled.push_back(DWORD(std::max(1, map_.W(int(std::min<DWORD>(n, 1u << 20))))));
    const DWORD type = geometric ? style & ~DWORD(PS_STYLE_MASK)
                       : w > 1   ? PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_ROUND
                                 : PS_COSMETIC;
    LOGBRUSH lb;
    lb.lbStyle = BS_SOLID;
    lb.lbColor = color;
    lb.lbHatch = 0;
    pen = ExtCreatePen(type | (scaled.empty() ? kind : PS_USERSTYLE), DWORD(w), &lb, DWORD(scaled.size()),
                       scaled.empty() ? nullptr : scaled.data());
  }
  // On the enlarged pixels: lines and outlines where the stretched picture has them.
  if (PenObj* obj = FindPen(pen); obj && w > 1) obj->pixelCells = true;
  return pen;
}

void Player::Gradient(RecordReader& r) {
  const DWORD nVer = r.U32(24), nMesh = r.U32(28), mode = r.U32(32);
  if (!r.ok || mode > GRADIENT_FILL_TRIANGLE || !r.Has(36, size_t(nVer) * 16)) return;
  const size_t meshSize = mode == GRADIENT_FILL_TRIANGLE ? 12 : 8;
  const uint8_t* mesh = r.Bytes(36 + size_t(nVer) * 16, size_t(nMesh) * meshSize);
  if (!mesh) return;
  std::vector<TRIVERTEX> v(nVer);
  for (DWORD i = 0; i < nVer; ++i) {
    const size_t off = 36 + size_t(i) * 16;
    const POINT p = P(r.Point(off));
    v[i].x = p.x;
    v[i].y = p.y;
    const uint32_t rg = r.U32(off + 8), ba = r.U32(off + 12);
    v[i].Red = COLOR16(rg & 0xFFFF);
    v[i].Green = COLOR16(rg >> 16);
    v[i].Blue = COLOR16(ba & 0xFFFF);
    v[i].Alpha = COLOR16(ba >> 16);
  }
  // Copy the mesh into aligned storage: ULONG indexes are validated by GradientFill itself.
  std::vector<ULONG> meshCopy(size_t(nMesh) * meshSize / 4);
  if (!meshCopy.empty()) std::memcpy(meshCopy.data(), mesh, meshCopy.size() * 4);
  GradientFill(hdc_, v.data(), nVer, meshCopy.data(), nMesh, mode);
}

void Player::Play(DWORD type, RecordReader& r) {
  switch (type) {
    case EMR_SETBKMODE: SetBkMode(hdc_, int(r.U32(8))); break;
    case EMR_SETROP2: SetROP2(hdc_, int(r.U32(8))); break;
    case EMR_SETPOLYFILLMODE: SetPolyFillMode(hdc_, int(r.U32(8))); break;
    case EMR_SETTEXTALIGN: SetTextAlign(hdc_, r.U32(8)); break;
    case EMR_SETSTRETCHBLTMODE: SetStretchBltMode(hdc_, int(r.U32(8))); break;
    case EMR_SETTEXTCOLOR: SetTextColor(hdc_, r.U32(8)); break;
    case EMR_SETBKCOLOR: SetBkColor(hdc_, r.U32(8)); break;
    case EMR_SETWINDOWORGEX: org_.window = r.Point(8); break;
    case EMR_SETVIEWPORTORGEX: org_.viewport = r.Point(8); break;
    case EMR_SETBRUSHORGEX: {
      const POINT d = r.Point(8);
      const DCObj* dc = GetDCObj();
      const SurfaceShift s = dc ? LogicalShift(dc->state) : SurfaceShift{};
      SetBrushOrgEx(hdc_, SaturateCoord(map_.X(d.x) + s.x), SaturateCoord(map_.Y(d.y) + s.y), nullptr);
      break;
    }
    case EMR_MOVETOEX: {
      const POINT p = P(r.Point(8));
      MoveToEx(hdc_, p.x, p.y, nullptr);
      break;
    }
    case EMR_LINETO: {
      const POINT p = P(r.Point(8));
      LineTo(hdc_, p.x, p.y);
      break;
    }
    case EMR_SETPIXELV: {
      const POINT p = P(r.Point(8));
      SetPixelV(hdc_, p.x, p.y, r.U32(16));
      break;
    }
    case EMR_POLYLINE: case EMR_POLYGON: case EMR_POLYLINETO: Poly(r, type, false); break;
    case EMR_POLYLINE16: Poly(r, EMR_POLYLINE, true); break;
    case EMR_POLYGON16: Poly(r, EMR_POLYGON, true); break;
    case EMR_POLYLINETO16: Poly(r, EMR_POLYLINETO, true); break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: PolyPoly(r, type, false); break;
    case EMR_POLYPOLYLINE16: PolyPoly(r, EMR_POLYPOLYLINE, true); break;
    case EMR_POLYPOLYGON16: PolyPoly(r, EMR_POLYPOLYGON, true); break;
    case EMR_RECTANGLE: case EMR_ELLIPSE: {
      const RECT b = R(r.Rect(8));
      if (!r.ok) break;
      (type == EMR_RECTANGLE ? Rectangle : Ellipse)(hdc_, b.left, b.top, b.right, b.bottom);
      break;
    }
    case EMR_ROUNDRECT: {
      const RECT b = R(r.Rect(8));
      const int w = map_.W(r.I32(24)), h = map_.H(r.I32(28));
      if (r.ok) RoundRect(hdc_, b.left, b.top, b.right, b.bottom, w, h);
      break;
    }
    case EMR_ARC: case EMR_ARCTO: case EMR_CHORD: case EMR_PIE: {
      const RECT b = R(r.Rect(8));
      const POINT s = P(r.Point(24)), e = P(r.Point(32));
      if (!r.ok) break;
      auto fn = type == EMR_ARC ? Arc : type == EMR_ARCTO ? ArcTo : type == EMR_CHORD ? Chord : Pie;
      fn(hdc_, b.left, b.top, b.right, b.bottom, s.x, s.y, e.x, e.y);
      break;
    }
    case EMR_SAVEDC:
      SaveDC(hdc_);
      savedOrg_.push_back(org_);
      ++saves_;
      break;
    case EMR_RESTOREDC: {
      const int rel = r.I32(8);
      if (!r.ok || rel >= 0 || -int64_t(rel) > saves_) break;  // never past the playback's own state
      RestoreDC(hdc_, rel);
      saves_ += rel;
      org_ = savedOrg_[size_t(saves_)];
      savedOrg_.resize(size_t(saves_));
      break;
    }
    case EMR_SELECTOBJECT: {
      const DWORD index = r.U32(8);
      if (!r.ok) break;
      if (index & ENHMETA_STOCK_OBJECT) {
        if (HGDIOBJ stock = GetStockObject(int(index & 0xFF)); stock && (index & 0x7FFFFF00) == 0)
          SelectObject(hdc_, stock);
      } else if (HGDIOBJ* slot = Slot(index); slot && *slot) {
        SelectObject(hdc_, *slot);
      }
      break;
    }
    case EMR_DELETEOBJECT: {
      HGDIOBJ* slot = Slot(r.U32(8));
      if (!slot || !*slot) break;
      // An object still selected is put back to the stock one first, so it can go.
      for (HDC dc = hdc_; dc;) {
        const DWORD kind = GetObjectType(*slot);
        if (GetCurrentObject(dc, kind == OBJ_EXTPEN ? OBJ_PEN : kind) == *slot)
          SelectObject(dc, GetStockObject(kind == OBJ_BRUSH ? WHITE_BRUSH : kind == OBJ_FONT ? SYSTEM_FONT : BLACK_PEN));
        dc = nullptr;
      }
      if (DeleteObject(*slot)) *slot = nullptr;
      break;
    }
    case EMR_CREATEPEN: {
      const DWORD index = r.U32(8), style = r.U32(12);
      const int width = r.I32(16);
      const COLORREF color = r.U32(24);
      if (!r.ok || !Slot(index)) break;
      if (HPEN widened = WidenedThinPen(style & PS_STYLE_MASK, width, color, {})) Store(index, widened);
      else Store(index, CreatePen(int(style & (PS_STYLE_MASK)), width > 1 ? std::max(1, map_.W(width)) : width, color));
      break;
    }
    case EMR_EXTCREATEPEN: {
      const DWORD index = r.U32(8), style = r.U32(28), width = r.U32(32), entries = r.U32(48);
      LOGBRUSH lb;
      lb.lbStyle = r.U32(36);
      lb.lbColor = r.U32(40);
      lb.lbHatch = r.U32(44);
      if (!r.ok || !Slot(index) || entries > 16 || !r.Has(52, size_t(entries) * 4)) break;
      std::vector<DWORD> styles(entries);
      for (DWORD i = 0; i < entries; ++i) styles[i] = r.U32(52 + size_t(i) * 4);
      const DWORD w = width > 1 ? DWORD(std::max(1, map_.W(int(std::min<DWORD>(width, 1u << 20))))) : width;
      if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_HATCHED && lb.lbStyle != BS_NULL) lb.lbStyle = BS_SOLID;
      HPEN widened = lb.lbStyle == BS_NULL ? nullptr : WidenedThinPen(style, int(width), lb.lbColor, styles);
      Store(index, widened ? widened : ExtCreatePen(style, w, &lb, entries, entries ? styles.data() : nullptr));
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      const DWORD index = r.U32(8);
      LOGBRUSH lb;
      lb.lbStyle = r.U32(12);
      lb.lbColor = r.U32(16);
      lb.lbHatch = r.U32(20);
      if (!r.ok || !Slot(index)) break;
      if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_HATCHED && lb.lbStyle != BS_NULL) lb.lbStyle = BS_SOLID;
      Store(index, CreateBrushIndirect(&lb));
      break;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: case EMR_CREATEMONOBRUSH: Pattern(r, type); break;
    case EMR_EXTCREATEFONTINDIRECTW: {
      const DWORD index = r.U32(8);
      const uint8_t* raw = r.Bytes(12, 92);
      if (!raw || !Slot(index)) break;
      LOGFONTW lf;
      std::memcpy(&lf.lfHeight, raw, 4);
      std::memcpy(&lf.lfWidth, raw + 4, 4);
      std::memcpy(&lf.lfEscapement, raw + 8, 4);
      std::memcpy(&lf.lfOrientation, raw + 12, 4);
      std::memcpy(&lf.lfWeight, raw + 16, 4);
      lf.lfItalic = raw[20];
      lf.lfUnderline = raw[21];
      lf.lfStrikeOut = raw[22];
      lf.lfCharSet = raw[23];
      lf.lfOutPrecision = raw[24];
      lf.lfClipPrecision = raw[25];
      lf.lfQuality = raw[26];
      lf.lfPitchAndFamily = raw[27];
      std::memcpy(lf.lfFaceName, raw + 28, sizeof lf.lfFaceName);
      lf.lfFaceName[LF_FACESIZE - 1] = 0;
      lf.lfHeight = map_.H(lf.lfHeight);
      lf.lfWidth = map_.W(lf.lfWidth);
      Store(index, CreateFontIndirectW(&lf));
      break;
    }
    case EMR_INTERSECTCLIPRECT: case EMR_EXCLUDECLIPRECT: {
      const RECT c = R(r.Rect(8));
      if (!r.ok) break;
      (type == EMR_INTERSECTCLIPRECT ? IntersectClipRect : ExcludeClipRect)(hdc_, c.left, c.top, c.right, c.bottom);
      break;
    }
    case EMR_OFFSETCLIPRGN: {
      const POINT d = r.Point(8);
      if (r.ok) OffsetClipRgn(hdc_, map_.W(d.x), map_.H(d.y));
      ReapplyInitialClip();
      break;
    }
    case EMR_EXTSELECTCLIPRGN: SelectClip(r); break;
    case EMR_FILLRGN: case EMR_FRAMERGN: case EMR_INVERTRGN: case EMR_PAINTRGN: RegionFill(r, type); break;
    case EMR_BITBLT: {
      const RECT dest = R(r.Extent(24, 32, 36));
      const DWORD rop = r.U32(40);
      const size_t cbBmi = r.U32(88);
      if (!r.ok) break;
      if (cbBmi == 0) {
        PatBlt(hdc_, dest.left, dest.top, SaturateCoord(int64_t(dest.right) - dest.left), SaturateCoord(int64_t(dest.bottom) - dest.top), rop);
      } else {
        const SIZE size{r.I32(32), r.I32(36)};
        StretchDib(r, dest, POINT{r.I32(44), r.I32(48)}, size, r.U32(84), cbBmi, r.U32(92), r.U32(96), r.U32(80),
                   rop);
      }
      break;
    }
    case EMR_STRETCHDIBITS: {
      const RECT dest = R(r.Extent(24, 72, 76));
      if (!r.ok) break;
      StretchDib(r, dest, POINT{r.I32(32), r.I32(36)}, SIZE{r.I32(40), r.I32(44)}, r.U32(48), r.U32(52), r.U32(56),
                 r.U32(60), r.U32(64), r.U32(68));
      break;
    }
    case EMR_ALPHABLEND: Alpha(r); break;
    case EMR_GRADIENTFILL: Gradient(r); break;
    case EMR_EXTTEXTOUTW: Text(r); break;
    default: break;  // records this layer does not draw are passed over
  }
}

// The frame in recorded device pixels: [left, right) x [top, bottom). The device's size in
// micrometres is the finer measure; headers without it give millimetres only.
RECT FramePixels(const ENHMETAHEADER& h) {
  const bool micro = h.nSize >= sizeof(ENHMETAHEADER) && h.szlMicrometers.cx > 0 && h.szlMicrometers.cy > 0;
  const double unitsX = micro ? h.szlMicrometers.cx / 10.0 : h.szlMillimeters.cx * 100.0;
  const double unitsY = micro ? h.szlMicrometers.cy / 10.0 : h.szlMillimeters.cy * 100.0;
  const RECT& f = h.rclFrame;
  if (h.szlDevice.cx <= 0 || h.szlDevice.cy <= 0 || unitsX <= 0 || unitsY <= 0 || f.right < f.left ||
      f.bottom < f.top)
    return RECT{h.rclBounds.left, h.rclBounds.top, h.rclBounds.right + 1, h.rclBounds.bottom + 1};
  auto px = [](int64_t v, LONG dev, double units) {
    return LONG(std::clamp<double>(std::llround(double(v) * dev / units), INT32_MIN / 2, INT32_MAX / 2));
  };
  return RECT{px(f.left, h.szlDevice.cx, unitsX), px(f.top, h.szlDevice.cy, unitsY),
              px(int64_t(f.right) + 1, h.szlDevice.cx, unitsX), px(int64_t(f.bottom) + 1, h.szlDevice.cy, unitsY)};
}

// Plays whole-metafile bytes (already checked) with `map` and the PLAY_ options.
void PlayBytes(HDC hdc, const std::vector<uint8_t>& data, const Mapping& map, DWORD options) {
  ENHMETAHEADER h;
  std::memcpy(&h, data.data(), sizeof h);
  Player player(hdc, h, map, options);
  player.Start();
  size_t off = 0;
  while (off + 8 <= data.size()) {
    DWORD type, len;
    std::memcpy(&type, data.data() + off, 4);
    std::memcpy(&len, data.data() + off + 4, 4);
    if (type == EMR_EOF || len < 8 || len > data.size() - off) break;
    RecordReader reader(data.data() + off, len);
    if (type != EMR_HEADER) player.Play(type, reader);
    off += len;
  }
  player.Finish();
}

// Largest picture of a recording DC made into pixels for reading (pixels per side).
constexpr LONG kMaxRecordedSide = 16384;

}  // namespace

RECT MetafileFramePixels(const ENHMETAHEADER& header) { return FramePixels(header); }

RecordedPixels::~RecordedPixels() {
  if (dc_) {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  if (bmp_) DeleteObject(bmp_);
}

bool RecordedPixels::Take(const DCObj& recording) {
  RECT b;
  if (!recording.recorder || !recording.recorder->Bounds(b)) return false;
  const LONG w = b.right + 1, h = b.bottom + 1;
  if (w <= 0 || h <= 0 || w > kMaxRecordedSide || h > kMaxRecordedSide) return false;
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp_) return false;
  std::memset(bits, 0xFF, size_t(w) * size_t(h) * 4);
  dc_ = CreateCompatibleDC(nullptr);
  old_ = SelectObject(dc_, bmp_);
  PlayBytes(dc_, recording.recorder->Snapshot(), Mapping{}, 0);  // device coordinates as recorded
  return true;
}

}  // namespace win::gdi

namespace win {

using namespace win::gdi;

BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE hemf, const RECT* rect) { return PlayEnhMetaFileEx(hdc, hemf, rect, 0); }

BOOL PlayEnhMetaFileEx(HDC hdc, HENHMETAFILE hemf, const RECT* rect, DWORD options) {
  const auto bytes = MetafileBytes(hemf);
  if (!bytes || !DCOrFail(hdc)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Held for the whole playback, whoever deletes the handle meanwhile.
  const std::vector<uint8_t>& data = *bytes;
  ENHMETAHEADER h;
  std::memcpy(&h, data.data(), sizeof h);
  const RECT frame = FramePixels(h);
  Mapping map;
  map.fromX = frame.left;
  map.fromY = frame.top;
  map.toX = rect->left;
  map.toY = rect->top;
  const int64_t fw = int64_t(frame.right) - frame.left, fh = int64_t(frame.bottom) - frame.top;
  const int64_t rw = int64_t(rect->right) - rect->left, rh = int64_t(rect->bottom) - rect->top;
  if (fw <= 0 || fh <= 0) return TRUE;  // nothing was drawn
  map.unit = fw == rw && fh == rh;
  map.sx = double(rw) / double(fw);
  map.sy = double(rh) / double(fh);

  PlayBytes(hdc, data, map, options);
  return TRUE;
}

}  // namespace win
