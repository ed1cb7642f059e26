// Enhanced metafile records converted to a Windows metafile (16-bit records). The converter keeps
// the drawing state the records ask for and writes state records only before something is drawn
// and only where the emitted state differs, so saved and restored states, clip resets and objects
// deleted while selected all come out as flat, valid Windows metafile records. Coordinates are the
// recorded device pixels; the window origin and extent map them onto the picture.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Metafile.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/MetafileBytes.h"
#include "platform/gdi/detail/MetafileStore.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"

namespace win::gdi {
namespace {

// Windows metafile record functions.
enum : uint16_t {
  META_EOF = 0x0000, META_SAVEDC = 0x001E, META_SETBKMODE = 0x0102, META_SETMAPMODE = 0x0103,
  META_SETROP2 = 0x0104, META_SETPOLYFILLMODE = 0x0106, META_SETSTRETCHBLTMODE = 0x0107,
  META_RESTOREDC = 0x0127, META_SELECTOBJECT = 0x012D, META_SETTEXTALIGN = 0x012E,
  META_DIBCREATEPATTERNBRUSH = 0x0142, META_DELETEOBJECT = 0x01F0, META_SETBKCOLOR = 0x0201,
  META_SETTEXTCOLOR = 0x0209, META_SETWINDOWORG = 0x020B, META_SETWINDOWEXT = 0x020C, META_LINETO = 0x0213,
  META_MOVETO = 0x0214, META_CREATEPENINDIRECT = 0x02FA, META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC, META_POLYGON = 0x0324, META_POLYLINE = 0x0325,
  META_INTERSECTCLIPRECT = 0x0416, META_ELLIPSE = 0x0418, META_RECTANGLE = 0x041B, META_SETPIXEL = 0x041F,
  META_POLYPOLYGON = 0x0538, META_ROUNDRECT = 0x061C, META_PATBLT = 0x061D, META_ARC = 0x0817,
  META_PIE = 0x081A, META_CHORD = 0x0830, META_EXTTEXTOUT = 0x0A32, META_STRETCHDIB = 0x0F43,
};

// Points of one polyline record; longer lines go in pieces that share their end points.
constexpr size_t kMaxPoints = 8000;
// What the 16-bit records count in a signed word: a polygon's points, a text's characters, a
// picture's side. A polygon cannot be cut without changing what it fills.
constexpr size_t kMaxWordCount = 32767;
// Polygons of one poly-polygon and points of each: unsigned words.
constexpr size_t kMaxUnsignedCount = 65535;

int16_t S16(int64_t v) { return int16_t(std::clamp<int64_t>(v, -32768, 32767)); }

// One record: its words after the size and function, then the record around them.
class Words {
 public:
  void W(int64_t v) { words_.push_back(uint16_t(S16(v))); }
  void U(uint16_t v) { words_.push_back(v); }
  void D(uint32_t v) { words_.push_back(uint16_t(v)), words_.push_back(uint16_t(v >> 16)); }
  void Bytes(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; i += 2) words_.push_back(uint16_t(p[i] | (i + 1 < n ? p[i + 1] << 8 : 0)));
  }
  const std::vector<uint16_t>& Get() const { return words_; }

 private:
  std::vector<uint16_t> words_;
};

// A drawing object as the Windows metafile creates it.
struct ObjectDef {
  uint16_t function = 0;
  Words params;
  bool isPen = false, isBrush = false, isFont = false;
};

struct State {
  uint32_t pen = ENHMETA_STOCK_OBJECT | BLACK_PEN;
  uint32_t brush = ENHMETA_STOCK_OBJECT | WHITE_BRUSH;
  uint32_t font = ENHMETA_STOCK_OBJECT | SYSTEM_FONT;
  COLORREF textColor = RGB(0, 0, 0), bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE, rop2 = R2_COPYPEN, polyFill = ALTERNATE, stretchMode = BLACKONWHITE;
  UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  std::optional<RECT> clip;  // device pixels; none: the whole picture
  POINT windowOrg{}, viewportOrg{};
};

// The state as written so far; unknown fields are written before the next drawing.
struct Emitted {
  std::optional<uint32_t> pen, brush, font;
  std::optional<COLORREF> textColor, bkColor;
  std::optional<int> bkMode, rop2, polyFill, stretchMode;
  std::optional<UINT> textAlign;
  std::optional<RECT> clip;
  bool clipLevel = false;  // a SaveDC holds the state below the current clip
};

class Converter {
 public:
  explicit Converter(RECT frame) : frame_(frame) {}

  void Run(const std::vector<uint8_t>& data);
  std::vector<uint8_t> Finish();
  // Something drawn has no 16-bit form (a picture side, a polygon's points, a text's length):
  // the file would hold less than was drawn, so none is made.
  bool Refused() const { return refused_; }

 private:
  void Record(uint16_t function, const Words& w = Words()) {
    const std::vector<uint16_t>& p = w.Get();
    const uint32_t size = uint32_t(3 + p.size());
    out_.push_back(uint16_t(size)), out_.push_back(uint16_t(size >> 16)), out_.push_back(function);
    out_.insert(out_.end(), p.begin(), p.end());
    maxRecord_ = std::max(maxRecord_, size);
  }
  POINT Dev(POINT p) const {
    return POINT{SaturateCoord(int64_t(p.x) - d_.windowOrg.x + d_.viewportOrg.x - frame_.left),
                 SaturateCoord(int64_t(p.y) - d_.windowOrg.y + d_.viewportOrg.y - frame_.top)};
  }
  RECT DevRect(const RECT& r) const {
    const POINT a = Dev(POINT{r.left, r.top}), b = Dev(POINT{r.right, r.bottom});
    return RECT{a.x, a.y, b.x, b.y};
  }
  RECT Shift(const RECT& r) const {
    return RECT{SaturateCoord(int64_t(r.left) - frame_.left), SaturateCoord(int64_t(r.top) - frame_.top),
                SaturateCoord(int64_t(r.right) - frame_.left), SaturateCoord(int64_t(r.bottom) - frame_.top)};
  }
  void WordsRect(Words& w, const RECT& r) { w.W(r.bottom), w.W(r.right), w.W(r.top), w.W(r.left); }

  // Objects: a WMF slot for a definition, made when first selected.
  int SlotFor(uint32_t key);
  void Release(uint32_t key);
  void SelectKey(std::optional<uint32_t>& emitted, uint32_t wanted);
  void Sync();

  void Define(DWORD index, ObjectDef def) {
    const uint32_t key = nextKey_++;
    defs_[key] = std::move(def);
    if (auto old = current_.find(index); old != current_.end()) Forget(old->second);
    current_[index] = key;
  }
  void Forget(uint32_t key);
  uint32_t KeyOf(DWORD index) const {
    if (index & ENHMETA_STOCK_OBJECT) return index;
    auto it = current_.find(index);
    return it == current_.end() ? 0 : it->second;
  }
  bool StockDef(uint32_t key, ObjectDef& def) const;

  void Poly(RecordReader& r, uint16_t function, bool small, bool to);
  void PolyPoly(RecordReader& r, bool polygon, bool small);
  void Text(RecordReader& r);
  void Dib(RecordReader& r, RECT dest, POINT srcOrg, SIZE srcSize, size_t offBmi, size_t cbBmi, size_t offBits,
           size_t cbBits, UINT usage, DWORD rop);
  void Gradient(RecordReader& r);
  std::vector<RECT> RegionRects(RecordReader& r, size_t off, size_t cb);
  void FillRectsWith(uint32_t brushKey, const std::vector<RECT>& rects);
  void PatRects(const std::vector<RECT>& rects, DWORD rop);
  void Play(DWORD type, RecordReader& r);
  void SolidBrushDef(COLORREF color, ObjectDef& def) const {
    def.function = META_CREATEBRUSHINDIRECT;
    def.isBrush = true;
    def.params.U(uint16_t(BS_SOLID)), def.params.D(color), def.params.U(0);
  }

  RECT frame_;
  bool refused_ = false;
  std::vector<uint16_t> out_;
  uint32_t maxRecord_ = 0;
  State d_;
  std::vector<State> saved_;
  Emitted e_;
  Emitted savedEmitted_;  // e_ at the SaveDC under the current clip
  POINT pos_{};
  std::map<uint32_t, ObjectDef> defs_;
  std::map<DWORD, uint32_t> current_;      // EMF object index -> definition key
  std::map<uint32_t, int> slots_;          // definition key -> WMF object slot
  std::map<uint32_t, bool> pendingDelete_; // deleted in the EMF while still selected here
  std::vector<bool> used_;
  uint32_t nextKey_ = 1;
  uint32_t gradientKey_ = 0x40000000;      // brushes made for gradient bands
};

bool Converter::StockDef(uint32_t key, ObjectDef& def) const {
  const int stock = int(key & 0xFF);
  auto pen = [&](uint16_t style, COLORREF c) {
    def.function = META_CREATEPENINDIRECT;
    def.isPen = true;
    def.params.U(style), def.params.W(0), def.params.W(0), def.params.D(c);
  };
  auto brush = [&](uint16_t style, COLORREF c) {
    def.function = META_CREATEBRUSHINDIRECT;
    def.isBrush = true;
    def.params.U(style), def.params.D(c), def.params.U(0);
  };
  switch (stock) {
    case WHITE_BRUSH: brush(BS_SOLID, RGB(255, 255, 255)); return true;
    case LTGRAY_BRUSH: brush(BS_SOLID, RGB(192, 192, 192)); return true;
    case GRAY_BRUSH: brush(BS_SOLID, RGB(128, 128, 128)); return true;
    case DKGRAY_BRUSH: brush(BS_SOLID, RGB(64, 64, 64)); return true;
    case BLACK_BRUSH: brush(BS_SOLID, RGB(0, 0, 0)); return true;
    case NULL_BRUSH: brush(BS_NULL, 0); return true;
    case WHITE_PEN: pen(PS_SOLID, RGB(255, 255, 255)); return true;
    case BLACK_PEN: pen(PS_SOLID, RGB(0, 0, 0)); return true;
    case NULL_PEN: pen(PS_NULL, 0); return true;
    default: break;
  }
  if (stock < OEM_FIXED_FONT || stock > DEFAULT_GUI_FONT) return false;
  def.function = META_CREATEFONTINDIRECT;
  def.isFont = true;
  def.params.W(-11), def.params.W(0), def.params.W(0), def.params.W(0), def.params.W(FW_NORMAL);
  const uint8_t flags[8] = {0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0};
  def.params.Bytes(flags, 8);
  uint8_t face[32] = "Tahoma";
  def.params.Bytes(face, 32);
  return true;
}

int Converter::SlotFor(uint32_t key) {
  if (auto it = slots_.find(key); it != slots_.end()) return it->second;
  auto def = defs_.find(key);
  if (def == defs_.end()) {
    ObjectDef stock;
    if (!StockDef(key, stock)) return -1;
    def = defs_.emplace(key, std::move(stock)).first;
  }
  const int slot = int(std::find(used_.begin(), used_.end(), false) - used_.begin());
  if (size_t(slot) == used_.size()) used_.push_back(true);
  used_[size_t(slot)] = true;
  Record(def->second.function, def->second.params);
  slots_[key] = slot;
  return slot;
}

// Frees the WMF object of a definition no longer wanted, unless it is selected.
void Converter::Release(uint32_t key) {
  auto it = slots_.find(key);
  if (it == slots_.end()) return;
  // Selected now, or at the SaveDC that the next RestoreDC returns to: deleted only after.
  auto selectedIn = [key](const Emitted& e) { return e.pen == key || e.brush == key || e.font == key; };
  if (selectedIn(e_) || (e_.clipLevel && selectedIn(savedEmitted_))) {
    pendingDelete_[key] = true;
    return;
  }
  Words w;
  w.U(uint16_t(it->second));
  Record(META_DELETEOBJECT, w);
  used_[size_t(it->second)] = false;
  slots_.erase(it);
  pendingDelete_.erase(key);
  defs_.erase(key);
}

void Converter::Forget(uint32_t key) {
  if (slots_.count(key))
    Release(key);
  else
    defs_.erase(key);
}

void Converter::SelectKey(std::optional<uint32_t>& emitted, uint32_t wanted) {
  if (emitted == wanted) return;
  const int slot = SlotFor(wanted);
  if (slot < 0) return;
  Words w;
  w.U(uint16_t(slot));
  Record(META_SELECTOBJECT, w);
  const std::optional<uint32_t> before = emitted;
  emitted = wanted;
  if (before && pendingDelete_.count(*before)) Release(*before);
}

void Converter::Sync() {
  if (e_.clip.has_value() != d_.clip.has_value() ||
      (d_.clip && (e_.clip->left != d_.clip->left || e_.clip->top != d_.clip->top ||
                   e_.clip->right != d_.clip->right || e_.clip->bottom != d_.clip->bottom)) ||
      (!e_.clipLevel && d_.clip)) {
    if (e_.clipLevel) {
      Words w;
      w.W(-1);
      Record(META_RESTOREDC, w);
      // The restore brings back what was written before the save.
      e_ = savedEmitted_;
      std::vector<uint32_t> pending;
      for (const auto& [key, flag] : pendingDelete_) pending.push_back(key);
      for (uint32_t key : pending) Release(key);
    }
    e_.clipLevel = false;
    e_.clip.reset();
    if (d_.clip) {
      savedEmitted_ = e_;
      Record(META_SAVEDC);
      e_.clipLevel = true;
      Words w;
      WordsRect(w, *d_.clip);
      Record(META_INTERSECTCLIPRECT, w);
      e_.clip = d_.clip;
    }
  }
  SelectKey(e_.pen, d_.pen);
  SelectKey(e_.brush, d_.brush);
  SelectKey(e_.font, d_.font);
  auto word = [&](auto& emitted, auto wanted, uint16_t function) {
    if (emitted == wanted) return;
    Words w;
    w.U(uint16_t(wanted));
    Record(function, w);
    emitted = wanted;
  };
  auto color = [&](std::optional<COLORREF>& emitted, COLORREF wanted, uint16_t function) {
    if (emitted == wanted) return;
    Words w;
    w.D(wanted);
    Record(function, w);
    emitted = wanted;
  };
  color(e_.textColor, d_.textColor, META_SETTEXTCOLOR);
  color(e_.bkColor, d_.bkColor, META_SETBKCOLOR);
  word(e_.bkMode, d_.bkMode, META_SETBKMODE);
  word(e_.rop2, d_.rop2, META_SETROP2);
  word(e_.polyFill, d_.polyFill, META_SETPOLYFILLMODE);
  word(e_.stretchMode, d_.stretchMode, META_SETSTRETCHBLTMODE);
  word(e_.textAlign, d_.textAlign, META_SETTEXTALIGN);
}

void Converter::Poly(RecordReader& r, uint16_t function, bool small, bool to) {
  const DWORD count = r.U32(24);
  if (!r.ok || count == 0 || !r.Has(28, size_t(count) * (small ? 4 : 8))) return;
  std::vector<POINT> pts;
  pts.reserve(count + 1);
  if (to) pts.push_back(pos_);
  for (DWORD i = 0; i < count; ++i) pts.push_back(Dev(small ? r.Point16(28 + size_t(i) * 4) : r.Point(28 + size_t(i) * 8)));
  if (to) pos_ = pts.back();
  Sync();
  auto write = [&](size_t first, size_t n) {
    Words w;
    w.U(uint16_t(n));
    for (size_t i = first; i < first + n; ++i) w.W(pts[i].x), w.W(pts[i].y);
    Record(function, w);
  };
  if (function == META_POLYGON) {
    if (pts.size() > kMaxWordCount) {
      refused_ = true;
      return;
    }
    write(0, pts.size());
    return;
  }
  if (pts.size() <= kMaxPoints) {
    write(0, pts.size());
    return;
  }
  for (size_t first = 0; first + 1 < pts.size(); first += kMaxPoints - 1)
    write(first, std::min(kMaxPoints, pts.size() - first));
}

void Converter::PolyPoly(RecordReader& r, bool polygon, bool small) {
  const DWORD polys = r.U32(24), total = r.U32(28);
  if (!r.ok || polys == 0 || !r.Has(32, size_t(polys) * 4)) return;
  std::vector<DWORD> counts(polys);
  uint64_t sum = 0;
  for (DWORD i = 0; i < polys; ++i) sum += counts[i] = r.U32(32 + size_t(i) * 4);
  const size_t off = 32 + size_t(polys) * 4;
  if (sum != total || !r.Has(off, size_t(total) * (small ? 4 : 8))) return;
  std::vector<POINT> pts(total);
  for (DWORD i = 0; i < total; ++i) pts[i] = Dev(small ? r.Point16(off + size_t(i) * 4) : r.Point(off + size_t(i) * 8));
  Sync();
  if (polygon) {
    if (polys > kMaxUnsignedCount || std::any_of(counts.begin(), counts.end(), [](DWORD c) { return c > kMaxUnsignedCount; })) {
      refused_ = true;
      return;
    }
    Words w;
    w.U(uint16_t(polys));
    for (DWORD c : counts) w.U(uint16_t(c));
    for (const POINT& p : pts) w.W(p.x), w.W(p.y);
    Record(META_POLYPOLYGON, w);
    return;
  }
  size_t first = 0;
  for (DWORD c : counts) {
    for (size_t start = first; c >= 2 && start + 1 < first + c; start += kMaxPoints - 1) {
      const size_t n = std::min(kMaxPoints, first + c - start);
      Words w;
      w.U(uint16_t(n));
      for (size_t i = start; i < start + n; ++i) w.W(pts[i].x), w.W(pts[i].y);
      Record(META_POLYLINE, w);
    }
    first += c;
  }
}

void Converter::Text(RecordReader& r) {
  const POINT ref = Dev(r.Point(36));
  const DWORD count = r.U32(44);
  const size_t offString = r.U32(48);
  const UINT options = r.U32(52);
  const RECT rc = DevRect(r.Rect(56));
  const size_t offDx = r.U32(72);
  if (!r.ok || count == 0) return;
  if (count > kMaxWordCount) {
    refused_ = true;
    return;
  }
  const uint8_t* str = r.Bytes(offString, size_t(count) * 2);
  if (!str) return;
  // One byte per UTF-16 unit, so the spacing stays one value per character.
  std::string bytes;
  for (DWORD i = 0; i < count; ++i) {
    char16_t c;
    std::memcpy(&c, str + size_t(i) * 2, 2);
    const std::string one = WideToCp1251(std::u16string_view(&c, 1));
    bytes += one.size() == 1 ? one[0] : '?';
  }
  Sync();
  Words w;
  w.W(ref.y), w.W(ref.x), w.U(uint16_t(count));
  const uint16_t opts = uint16_t(options & (ETO_OPAQUE | ETO_CLIPPED));
  w.U(opts);
  if (opts) w.W(rc.left), w.W(rc.top), w.W(rc.right), w.W(rc.bottom);
  w.Bytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (offDx != 0 && r.Has(offDx, size_t(count) * 4))
    for (DWORD i = 0; i < count; ++i) w.W(r.I32(offDx + size_t(i) * 4));
  Record(META_EXTTEXTOUT, w);
}

void Converter::Dib(RecordReader& r, RECT dest, POINT srcOrg, SIZE srcSize, size_t offBmi, size_t cbBmi,
                    size_t offBits, size_t cbBits, UINT usage, DWORD rop) {
  const uint8_t* bmi = r.Bytes(offBmi, cbBmi);
  const uint8_t* bits = r.Bytes(offBits, cbBits);
  DibLayout layout;
  if (!bmi || !bits || !ParseDibHeader(bmi, cbBmi, layout) || layout.imageBytes > cbBits) return;
  Sync();
  Words w;
  w.D(rop), w.U(uint16_t(usage)), w.W(srcSize.cy), w.W(srcSize.cx), w.W(srcOrg.y), w.W(srcOrg.x);
  w.W(int64_t(dest.bottom) - dest.top), w.W(int64_t(dest.right) - dest.left), w.W(dest.top), w.W(dest.left);
  w.Bytes(bmi, layout.headerBytes);
  w.Bytes(bits, layout.imageBytes);
  Record(META_STRETCHDIB, w);
}

// Rectangles of RGNDATA at `off` (`cb` bytes), as recorded.
std::vector<RECT> Converter::RegionRects(RecordReader& r, size_t off, size_t cb) {
  std::vector<RECT> rects;
  const DWORD n = r.U32(off + 8);
  if (!r.ok || cb < 32 || !r.Has(off + 32, size_t(n) * 16) || size_t(n) * 16 > cb - 32) return rects;
  for (DWORD i = 0; i < n; ++i) rects.push_back(r.Rect(off + 32 + size_t(i) * 16));
  return rects;
}

// Rectangles [left, right) x [top, bottom) in device pixels filled with a brush and no outline.
void Converter::FillRectsWith(uint32_t brushKey, const std::vector<RECT>& rects) {
  if (rects.empty()) return;
  Sync();
  SelectKey(e_.pen, ENHMETA_STOCK_OBJECT | NULL_PEN);
  SelectKey(e_.brush, brushKey);
  for (const RECT& rc : rects) {
    Words w;
    // Without a pen the rectangle's fill stops one pixel short of right and bottom.
    WordsRect(w, RECT{rc.left, rc.top, rc.right + 1, rc.bottom + 1});
    Record(META_RECTANGLE, w);
  }
}

void Converter::PatRects(const std::vector<RECT>& rects, DWORD rop) {
  Sync();
  for (const RECT& rc : rects) {
    Words w;
    w.D(rop), w.W(int64_t(rc.bottom) - rc.top), w.W(int64_t(rc.right) - rc.left), w.W(rc.top), w.W(rc.left);
    Record(META_PATBLT, w);
  }
}

// Gradients have no record of their own: rectangles become bands of one colour each (a band per
// pixel where the colour changes), triangles are filled with the mean of their corners.
void Converter::Gradient(RecordReader& r) {
  const DWORD nVer = r.U32(24), nMesh = r.U32(28), mode = r.U32(32);
  if (!r.ok || mode > GRADIENT_FILL_TRIANGLE || !r.Has(36, size_t(nVer) * 16)) return;
  const size_t meshSize = mode == GRADIENT_FILL_TRIANGLE ? 12 : 8;
  const size_t meshOff = 36 + size_t(nVer) * 16;
  if (!r.Has(meshOff, size_t(nMesh) * meshSize)) return;
  struct V {
    POINT p;
    double c[3];
  };
  std::vector<V> v(nVer);
  for (DWORD i = 0; i < nVer; ++i) {
    const size_t off = 36 + size_t(i) * 16;
    v[i].p = Dev(r.Point(off));
    const uint32_t rg = r.U32(off + 8), ba = r.U32(off + 12);
    v[i].c[0] = double(rg & 0xFFFF) / 256, v[i].c[1] = double(rg >> 16) / 256, v[i].c[2] = double(ba & 0xFFFF) / 256;
  }
  auto colorAt = [](const double* a, const double* b, double t) {
    int c[3];
    for (int k = 0; k < 3; ++k) c[k] = int(std::clamp(std::lround(a[k] + (b[k] - a[k]) * t), 0L, 255L));
    return RGB(c[0], c[1], c[2]);
  };
  auto band = [&](COLORREF color, const RECT& rc) {
    ObjectDef def;
    SolidBrushDef(color, def);
    const uint32_t key = gradientKey_++;
    defs_[key] = std::move(def);
    FillRectsWith(key, {rc});
    Forget(key);
  };
  for (DWORD m = 0; m < nMesh; ++m) {
    const size_t off = meshOff + size_t(m) * meshSize;
    if (mode == GRADIENT_FILL_TRIANGLE) {
      const DWORD a = r.U32(off), b = r.U32(off + 4), c = r.U32(off + 8);
      if (a >= nVer || b >= nVer || c >= nVer) continue;
      double mean[3];
      for (int k = 0; k < 3; ++k) mean[k] = (v[a].c[k] + v[b].c[k] + v[c].c[k]) / 3;
      ObjectDef def;
      SolidBrushDef(colorAt(mean, mean, 0), def);
      const uint32_t key = gradientKey_++;
      defs_[key] = std::move(def);
      Sync();
      SelectKey(e_.pen, ENHMETA_STOCK_OBJECT | NULL_PEN);
      SelectKey(e_.brush, key);
      Words w;
      w.U(3);
      for (DWORD i : {a, b, c}) w.W(v[i].p.x), w.W(v[i].p.y);
      Record(META_POLYGON, w);
      Forget(key);
      continue;
    }
    const DWORD ul = r.U32(off), lr = r.U32(off + 4);
    if (ul >= nVer || lr >= nVer) continue;
    const RECT box{std::min(v[ul].p.x, v[lr].p.x), std::min(v[ul].p.y, v[lr].p.y), std::max(v[ul].p.x, v[lr].p.x),
                   std::max(v[ul].p.y, v[lr].p.y)};
    const bool horiz = mode == GRADIENT_FILL_RECT_H;
    const int64_t length = horiz ? int64_t(box.right) - box.left : int64_t(box.bottom) - box.top;
    if (length <= 0 || box.right <= box.left || box.bottom <= box.top) continue;
    const V& from = (horiz ? v[ul].p.x <= v[lr].p.x : v[ul].p.y <= v[lr].p.y) ? v[ul] : v[lr];
    const V& to = &from == &v[ul] ? v[lr] : v[ul];
    int64_t start = 0;
    COLORREF current = colorAt(from.c, to.c, 0);
    for (int64_t i = 1; i <= length; ++i) {
      const COLORREF next = i < length ? colorAt(from.c, to.c, double(i) / double(length)) : current + 1;
      if (next == current && i < length) continue;
      band(current, horiz ? RECT{LONG(box.left + start), box.top, LONG(box.left + i), box.bottom}
                          : RECT{box.left, LONG(box.top + start), box.right, LONG(box.top + i)});
      start = i;
      current = next;
    }
  }
}

void Converter::Play(DWORD type, RecordReader& r) {
  switch (type) {
    case EMR_SETBKMODE: d_.bkMode = int(r.U32(8)); break;
    case EMR_SETROP2: d_.rop2 = int(r.U32(8)); break;
    case EMR_SETPOLYFILLMODE: d_.polyFill = int(r.U32(8)); break;
    case EMR_SETTEXTALIGN: d_.textAlign = r.U32(8) & 0xFFFF; break;
    case EMR_SETSTRETCHBLTMODE: d_.stretchMode = int(r.U32(8)); break;
    case EMR_SETTEXTCOLOR: d_.textColor = r.U32(8); break;
    case EMR_SETBKCOLOR: d_.bkColor = r.U32(8); break;
    case EMR_SETWINDOWORGEX: d_.windowOrg = r.Point(8); break;
    case EMR_SETVIEWPORTORGEX: d_.viewportOrg = r.Point(8); break;
    case EMR_MOVETOEX: pos_ = Dev(r.Point(8)); break;
    case EMR_LINETO: {
      const POINT p = Dev(r.Point(8));
      if (!r.ok) break;
      Sync();
      Words m, l;
      m.W(pos_.y), m.W(pos_.x), l.W(p.y), l.W(p.x);
      Record(META_MOVETO, m);
      Record(META_LINETO, l);
      pos_ = p;
      break;
    }
    case EMR_SETPIXELV: {
      const POINT p = Dev(r.Point(8));
      const COLORREF c = r.U32(16);
      if (!r.ok) break;
      Sync();
      Words w;
      w.D(c), w.W(p.y), w.W(p.x);
      Record(META_SETPIXEL, w);
      break;
    }
    case EMR_POLYLINE: Poly(r, META_POLYLINE, false, false); break;
    case EMR_POLYLINE16: Poly(r, META_POLYLINE, true, false); break;
    case EMR_POLYGON: Poly(r, META_POLYGON, false, false); break;
    case EMR_POLYGON16: Poly(r, META_POLYGON, true, false); break;
    case EMR_POLYLINETO: Poly(r, META_POLYLINE, false, true); break;
    case EMR_POLYLINETO16: Poly(r, META_POLYLINE, true, true); break;
    case EMR_POLYPOLYLINE: PolyPoly(r, false, false); break;
    case EMR_POLYPOLYLINE16: PolyPoly(r, false, true); break;
    case EMR_POLYPOLYGON: PolyPoly(r, true, false); break;
    case EMR_POLYPOLYGON16: PolyPoly(r, true, true); break;
    case EMR_RECTANGLE: case EMR_ELLIPSE: {
      const RECT b = DevRect(r.Rect(8));
      if (!r.ok) break;
      Sync();
      Words w;
      WordsRect(w, b);
      Record(type == EMR_RECTANGLE ? META_RECTANGLE : META_ELLIPSE, w);
      break;
    }
    case EMR_ROUNDRECT: {
      const RECT b = DevRect(r.Rect(8));
      const int cw = r.I32(24), ch = r.I32(28);
      if (!r.ok) break;
      Sync();
      Words w;
      w.W(ch), w.W(cw);
      WordsRect(w, b);
      Record(META_ROUNDRECT, w);
      break;
    }
    case EMR_ARC: case EMR_ARCTO: case EMR_CHORD: case EMR_PIE: {
      const RECT b = DevRect(r.Rect(8));
      const POINT s = Dev(r.Point(24)), e = Dev(r.Point(32));
      if (!r.ok) break;
      Sync();
      Words w;
      w.W(e.y), w.W(e.x), w.W(s.y), w.W(s.x);
      WordsRect(w, b);
      Record(type == EMR_CHORD ? META_CHORD : type == EMR_PIE ? META_PIE : META_ARC, w);
      break;
    }
    case EMR_SAVEDC: saved_.push_back(d_); break;
    case EMR_RESTOREDC: {
      const int rel = r.I32(8);
      if (!r.ok || rel >= 0 || size_t(-int64_t(rel)) > saved_.size()) break;
      d_ = saved_[saved_.size() - size_t(-int64_t(rel))];
      saved_.resize(saved_.size() - size_t(-int64_t(rel)));
      break;
    }
    case EMR_SELECTOBJECT: {
      const uint32_t key = KeyOf(r.U32(8));
      if (!r.ok || key == 0) break;
      ObjectDef stock;
      const ObjectDef* def = nullptr;
      if (auto it = defs_.find(key); it != defs_.end()) def = &it->second;
      else if (StockDef(key, stock)) def = &stock;
      if (!def) break;
      if (def->isPen) d_.pen = key;
      if (def->isBrush) d_.brush = key;
      if (def->isFont) d_.font = key;
      break;
    }
    case EMR_DELETEOBJECT: {
      const DWORD index = r.U32(8);
      auto it = current_.find(index);
      if (!r.ok || it == current_.end()) break;
      const uint32_t key = it->second;
      current_.erase(it);
      // Still wanted by the drawing state (the EMF deleted a selected object): kept until unselected.
      if (d_.pen == key || d_.brush == key || d_.font == key) break;
      for (const State& s : saved_)
        if (s.pen == key || s.brush == key || s.font == key) return;
      Forget(key);
      break;
    }
    case EMR_CREATEPEN: {
      const DWORD index = r.U32(8), style = r.U32(12);
      const int width = r.I32(16);
      const COLORREF color = r.U32(24);
      if (!r.ok) break;
      ObjectDef def;
      def.function = META_CREATEPENINDIRECT;
      def.isPen = true;
      def.params.U(uint16_t(style & 0xFFFF)), def.params.W(width), def.params.W(0), def.params.D(color);
      Define(index, std::move(def));
      break;
    }
    case EMR_EXTCREATEPEN: {
      const DWORD index = r.U32(8), style = r.U32(28), width = r.U32(32), brushStyle = r.U32(36);
      const COLORREF color = r.U32(40);
      if (!r.ok) break;
      ObjectDef def;
      def.function = META_CREATEPENINDIRECT;
      def.isPen = true;
      // User styles have no 16-bit form: such pens are drawn solid.
      uint16_t s = uint16_t(style & 0xFFFF);
      if ((s & PS_STYLE_MASK) == PS_USERSTYLE || (s & PS_STYLE_MASK) == PS_ALTERNATE) s &= ~uint16_t(PS_STYLE_MASK);
      if (brushStyle == BS_NULL) s = uint16_t(PS_NULL);
      def.params.U(s), def.params.W(std::min<DWORD>(width, 32767)), def.params.W(0), def.params.D(color);
      Define(index, std::move(def));
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      const DWORD index = r.U32(8), style = r.U32(12), hatch = r.U32(20);
      const COLORREF color = r.U32(16);
      if (!r.ok) break;
      ObjectDef def;
      def.function = META_CREATEBRUSHINDIRECT;
      def.isBrush = true;
      const uint16_t s = style == BS_NULL || style == BS_HATCHED ? uint16_t(style) : uint16_t(BS_SOLID);
      def.params.U(s), def.params.D(color), def.params.U(uint16_t(hatch));
      Define(index, std::move(def));
      break;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: case EMR_CREATEMONOBRUSH: {
      const DWORD index = r.U32(8);
      const size_t offBmi = r.U32(16), cbBmi = r.U32(20), offBits = r.U32(24), cbBits = r.U32(28);
      const uint8_t* bmi = r.Bytes(offBmi, cbBmi);
      const uint8_t* bits = r.Bytes(offBits, cbBits);
      DibLayout layout;
      if (!r.ok || !bmi || !bits || !ParseDibHeader(bmi, cbBmi, layout) || layout.imageBytes > cbBits) break;
      ObjectDef def;
      def.function = META_DIBCREATEPATTERNBRUSH;
      def.isBrush = true;
      def.params.U(uint16_t(BS_DIBPATTERNPT)), def.params.U(uint16_t(DIB_RGB_COLORS));
      def.params.Bytes(bmi, layout.headerBytes);
      def.params.Bytes(bits, layout.imageBytes);
      Define(index, std::move(def));
      break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
      const DWORD index = r.U32(8);
      const uint8_t* raw = r.Bytes(12, 92);
      if (!raw) break;
      int32_t v[5];
      std::memcpy(v, raw, sizeof v);
      std::u16string face(LF_FACESIZE, u'\0');
      std::memcpy(face.data(), raw + 28, LF_FACESIZE * 2);
      face.resize(std::find(face.begin(), face.end(), u'\0') - face.begin());
      std::string name = WideToCp1251(face).substr(0, 31);
      ObjectDef def;
      def.function = META_CREATEFONTINDIRECT;
      def.isFont = true;
      for (int32_t x : v) def.params.W(x);
      // The text is written in Windows Cyrillic, which the character set tells the reader.
      const uint8_t flags[8] = {raw[20], raw[21], raw[22], RUSSIAN_CHARSET, raw[24], raw[25], raw[26], raw[27]};
      def.params.Bytes(flags, 8);
      uint8_t faceBytes[32] = {};
      std::memcpy(faceBytes, name.data(), name.size());
      def.params.Bytes(faceBytes, 32);
      Define(index, std::move(def));
      break;
    }
    case EMR_INTERSECTCLIPRECT: {
      const RECT c = DevRect(r.Rect(8));
      if (!r.ok) break;
      const RECT base = d_.clip.value_or(RECT{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2});
      d_.clip = RECT{std::max(base.left, c.left), std::max(base.top, c.top), std::min(base.right, c.right),
                     std::min(base.bottom, c.bottom)};
      break;
    }
    case EMR_OFFSETCLIPRGN: {
      const POINT p = r.Point(8);
      if (r.ok && d_.clip) *d_.clip = RECT{d_.clip->left + p.x, d_.clip->top + p.y, d_.clip->right + p.x, d_.clip->bottom + p.y};
      break;
    }
    case EMR_EXTSELECTCLIPRGN: {
      const DWORD cb = r.U32(8);
      const int mode = int(r.U32(12));
      if (!r.ok) break;
      if (cb == 0) {
        if (mode == RGN_COPY) d_.clip.reset();
        break;
      }
      // A clip region is kept as its bounding box, the only clip the 16-bit records share widely.
      const std::vector<RECT> rects = RegionRects(r, 16, cb);
      if (rects.empty() || (mode != RGN_COPY && mode != RGN_AND)) break;
      RECT box = Shift(rects[0]);
      for (const RECT& rc : rects) {
        const RECT s = Shift(rc);
        box = RECT{std::min(box.left, s.left), std::min(box.top, s.top), std::max(box.right, s.right),
                   std::max(box.bottom, s.bottom)};
      }
      if (mode == RGN_AND && d_.clip)
        box = RECT{std::max(box.left, d_.clip->left), std::max(box.top, d_.clip->top),
                   std::min(box.right, d_.clip->right), std::min(box.bottom, d_.clip->bottom)};
      d_.clip = box;
      break;
    }
    case EMR_FILLRGN: case EMR_PAINTRGN: case EMR_INVERTRGN: case EMR_FRAMERGN: {
      const size_t cb = r.U32(24);
      const size_t off = type == EMR_FRAMERGN ? 40 : type == EMR_FILLRGN ? 32 : 28;
      std::vector<RECT> rects = RegionRects(r, off, cb);
      for (RECT& rc : rects) rc = DevRect(rc);
      const uint32_t brush = type == EMR_FILLRGN || type == EMR_FRAMERGN ? KeyOf(r.U32(28)) : d_.brush;
      if (type == EMR_INVERTRGN) {
        PatRects(rects, DSTINVERT);
      } else if (type == EMR_FRAMERGN) {
        const LONG fw = std::max(1, r.I32(32)), fh = std::max(1, r.I32(36));
        std::vector<RECT> edges;
        for (const RECT& rc : rects) {
          edges.push_back(RECT{rc.left, rc.top, rc.right, rc.top + fh});
          edges.push_back(RECT{rc.left, rc.bottom - fh, rc.right, rc.bottom});
          edges.push_back(RECT{rc.left, rc.top, rc.left + fw, rc.bottom});
          edges.push_back(RECT{rc.right - fw, rc.top, rc.right, rc.bottom});
        }
        FillRectsWith(brush, edges);
      } else {
        FillRectsWith(brush, rects);
      }
      break;
    }
    case EMR_BITBLT: {
      const RECT dest = DevRect(r.Extent(24, 32, 36));
      const DWORD rop = r.U32(40);
      const size_t cbBmi = r.U32(88);
      if (!r.ok) break;
      if (cbBmi == 0)
        PatRects({dest}, rop);
      else
        Dib(r, dest, POINT{r.I32(44), r.I32(48)}, SIZE{r.I32(32), r.I32(36)}, r.U32(84), cbBmi, r.U32(92), r.U32(96),
            r.U32(80), rop);
      break;
    }
    case EMR_STRETCHDIBITS: {
      const RECT dest = DevRect(r.Extent(24, 72, 76));
      if (!r.ok) break;
      Dib(r, dest, POINT{r.I32(32), r.I32(36)}, SIZE{r.I32(40), r.I32(44)}, r.U32(48), r.U32(52), r.U32(56),
          r.U32(60), r.U32(64), r.U32(68));
      break;
    }
    case EMR_ALPHABLEND: {
      // No blending in 16-bit records: the source is copied.
      const RECT dest = DevRect(r.Extent(24, 32, 36));
      if (!r.ok) break;
      Dib(r, dest, POINT{r.I32(44), r.I32(48)}, SIZE{r.I32(100), r.I32(104)}, r.U32(84), r.U32(88), r.U32(92),
          r.U32(96), DIB_RGB_COLORS, SRCCOPY);
      break;
    }
    case EMR_GRADIENTFILL: Gradient(r); break;
    case EMR_EXTTEXTOUTW: Text(r); break;
    default: break;  // no 16-bit form and nothing drawn (comments, mapper flags, brush origins)
  }
}

void Converter::Run(const std::vector<uint8_t>& data) {
  const int64_t w = int64_t(frame_.right) - frame_.left, h = int64_t(frame_.bottom) - frame_.top;
  if (w > int64_t(kMaxWordCount) || h > int64_t(kMaxWordCount)) {
    refused_ = true;
    return;
  }
  Words mode, org, ext;
  mode.U(MM_ANISOTROPIC);
  org.W(0), org.W(0);
  ext.W(h), ext.W(w);
  Record(META_SETMAPMODE, mode);
  Record(META_SETWINDOWORG, org);
  Record(META_SETWINDOWEXT, ext);
  size_t off = 0;
  while (off + 8 <= data.size()) {
    DWORD type, len;
    std::memcpy(&type, data.data() + off, 4);
    std::memcpy(&len, data.data() + off + 4, 4);
    if (type == EMR_EOF || len < 8 || len > data.size() - off) break;
    RecordReader reader(data.data() + off, len);
    if (type != EMR_HEADER) Play(type, reader);
    off += len;
  }
}

std::vector<uint8_t> Converter::Finish() {
  if (e_.clipLevel) {
    Words w;
    w.W(-1);
    Record(META_RESTOREDC, w);
  }
  Record(META_EOF);
  std::vector<uint8_t> bytes(18 + out_.size() * 2);
  const uint32_t words = uint32_t(9 + out_.size());
  const uint16_t header[9] = {1, 9, 0x0300, uint16_t(words), uint16_t(words >> 16), uint16_t(std::max<size_t>(used_.size(), 1)),
                              uint16_t(maxRecord_), uint16_t(maxRecord_ >> 16), 0};
  std::memcpy(bytes.data(), header, 18);
  std::memcpy(bytes.data() + 18, out_.data(), out_.size() * 2);
  return bytes;
}

}  // namespace
}  // namespace win::gdi

namespace win {

using namespace win::gdi;

UINT GetWinMetaFileBits(HENHMETAFILE hemf, UINT size, BYTE* data, INT mapMode, HDC ref) {
  (void)ref;
  const auto bytes = MetafileBytes(hemf);
  if (!bytes) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (mapMode != MM_ANISOTROPIC) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // The size query and the copy that follows it convert once: the last result is kept for the
  // same metafile bytes (metafiles never change).
  thread_local std::shared_ptr<const std::vector<uint8_t>> lastSource;
  thread_local std::vector<uint8_t> lastResult;
  if (lastSource != bytes) {
    ENHMETAHEADER h;
    std::memcpy(&h, bytes->data(), sizeof h);
    Converter converter(MetafileFramePixels(h));
    converter.Run(*bytes);
    if (converter.Refused()) {
      SetLastError(ERROR_NOT_SUPPORTED);
      return 0;
    }
    lastResult = converter.Finish();
    lastSource = bytes;
  }
  const std::vector<uint8_t>& wmf = lastResult;
  if (!data) return UINT(wmf.size());
  if (size < wmf.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, wmf.data(), wmf.size());
  return UINT(wmf.size());
}

}  // namespace win
