// The metafile recorder: drawing calls of a recording DC as EMF records.

#include "platform/gdi/detail/MetafileRecorder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <mutex>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/MetafileBytes.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {

namespace {

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::vector<Recorder*>& Registry() {
  static std::vector<Recorder*> r;
  return r;
}

// The stock index of `obj`, or -1.
int StockIndex(HGDIOBJ obj) {
  for (int i = WHITE_BRUSH; i <= DC_PEN; ++i)
    if (i != 9 && GetStockObject(i) == obj) return i;
  return -1;
}

// `r` with left <= right and top <= bottom.
RECT Normalized(const RECT& r) {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

// Largest bitmap copied into a record (pixels); larger blits are not recorded.
constexpr int64_t kMaxRecordedPixels = int64_t(1) << 26;

}  // namespace

Recorder::Recorder(DCObj& dc, HDC ref, const RECT* frame, std::u16string_view description) : dc_(dc), ref_(ref) {
  // Without a reference DC the screen is the reference; a memory DC answers for it.
  HDC screen = ref ? nullptr : CreateCompatibleDC(nullptr);
  const HDC device = ref ? ref : screen;
  devicePx_ = SIZE{GetDeviceCaps(device, HORZRES), GetDeviceCaps(device, VERTRES)};
  deviceMm_ = SIZE{GetDeviceCaps(device, HORZSIZE), GetDeviceCaps(device, VERTSIZE)};
  // Micrometres from the resolution, which whole millimetres would round.
  const int dpiX = GetDeviceCaps(device, LOGPIXELSX), dpiY = GetDeviceCaps(device, LOGPIXELSY);
  if (screen) DeleteDC(screen);
  if (devicePx_.cx <= 0 || devicePx_.cy <= 0 || deviceMm_.cx <= 0 || deviceMm_.cy <= 0 || dpiX <= 0 || dpiY <= 0) {
    devicePx_ = SIZE{1920, 1080};
    deviceMm_ = SIZE{508, 285};
    deviceUm_ = SIZE{508000, 285750};
  } else {
    deviceUm_ = SIZE{LONG(int64_t(devicePx_.cx) * 25400 / dpiX), LONG(int64_t(devicePx_.cy) * 25400 / dpiY)};
  }
  if (frame) {
    frameGiven_ = true;
    frame_ = *frame;
  }
  // The header, completed by Finish; the description follows it as two zero-terminated strings
  // (the application's and the picture's name) in one block.
  ByteWriter w(data_);
  ENHMETAHEADER h;
  std::vector<char16_t> desc;
  if (!description.empty()) {
    desc.assign(description.begin(), description.end());
    if (desc.back() != 0) desc.push_back(0);
    desc.push_back(0);
  }
  h.nDescription = DWORD(desc.size());
  h.offDescription = desc.empty() ? 0 : DWORD(sizeof(ENHMETAHEADER));
  h.nSize = DWORD(sizeof(ENHMETAHEADER) + ((desc.size() * 2 + 3) & ~size_t(3)));
  w.Raw(&h, sizeof h);
  w.Raw(desc.data(), desc.size() * 2);
  w.Align();
  records_ = 1;
  std::lock_guard lock(RegistryMutex());
  Registry().push_back(this);
}

Recorder::~Recorder() {
  std::lock_guard lock(RegistryMutex());
  std::erase(Registry(), this);
}

void NotifyRecordersObjectDeleted(HGDIOBJ obj) {
  std::lock_guard lock(RegistryMutex());
  for (Recorder* r : Registry()) r->ObjectDeleted(obj);
}

// --- bounds ---------------------------------------------------------------------------------------

void Recorder::AddBounds(RECT r) {
  // What the clip keeps out is not drawn, so it is not in the bounds either.
  if (dc_.state.clip) {
    const RECT c = dc_.state.clip->Bounds();
    r = RECT{std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right), std::min(r.bottom, c.bottom)};
  }
  if (r.right <= r.left || r.bottom <= r.top) return;
  RECT inclusive{r.left, r.top, r.right - 1, r.bottom - 1};
  if (!haveBounds_) {
    bounds_ = inclusive;
    haveBounds_ = true;
    return;
  }
  bounds_.left = std::min(bounds_.left, inclusive.left);
  bounds_.top = std::min(bounds_.top, inclusive.top);
  bounds_.right = std::max(bounds_.right, inclusive.right);
  bounds_.bottom = std::max(bounds_.bottom, inclusive.bottom);
}

void Recorder::AddLogicalBounds(RECT r, int inflate) {
  const SurfaceShift s = LogicalShift(dc_.state);
  auto x = [&](int64_t v) { return SaturateCoord(v + s.x); };
  auto y = [&](int64_t v) { return SaturateCoord(v + s.y); };
  const int64_t l = std::min(r.left, r.right), rr = std::max(r.left, r.right);
  const int64_t t = std::min(r.top, r.bottom), b = std::max(r.top, r.bottom);
  AddBounds(RECT{x(l - inflate), y(t - inflate), x(rr + inflate), y(b + inflate)});
}

int Recorder::PenInflation() const {
  const PenObj* pen = FindPen(dc_.state.pen);
  if (!pen || pen->style == PS_NULL) return 0;
  return std::max(pen->width, 1) / 2 + 1;
}

// --- objects --------------------------------------------------------------------------------------

DWORD Recorder::ObjectIndex(HGDIOBJ obj) {
  if (int stock = StockIndex(obj); stock >= 0) return ENHMETA_STOCK_OBJECT | DWORD(stock);
  if (auto it = objects_.find(obj); it != objects_.end()) return it->second;
  Object* o = HandleTable::Instance().Find(obj);
  if (!o) return 0;
  std::string fontKey;  // the fields the font's record holds, in its order
  if (o->type == ObjType::Font) {
    const LOGFONTW& lf = static_cast<const FontObj&>(*o).lf;
    fontKey.assign(reinterpret_cast<const char*>(&lf), sizeof lf);
    if (auto it = fontIndexes_.find(fontKey); it != fontIndexes_.end()) {
      objects_.emplace(obj, it->second);
      return it->second;
    }
  }
  DWORD index = 0;
  if (!freeIndexes_.empty()) {
    index = freeIndexes_.back();
    freeIndexes_.pop_back();
  } else {
    if (nextIndex_ >= 0xFFFF) return 0;  // the header counts handles in a WORD
    index = nextIndex_++;
  }
  RecordWriter w(data_, records_);
  if (o->type == ObjType::Pen || o->type == ObjType::ExtPen) {
    const auto& pen = static_cast<const PenObj&>(*o);
    // The plain pen record holds a style alone; a geometric pen, its ends and joins go in the
    // extended record, where the files' readers look for them.
    if (!pen.extended && !pen.geometric && pen.endCap == 0 && pen.join == 0) {
      w.Begin(EMR_CREATEPEN);
      w.U32(index);
      w.U32(pen.style);
      w.I32(pen.width);
      w.I32(0);
      w.U32(pen.color);
    } else {
      w.Begin(EMR_EXTCREATEPEN);
      w.U32(index);
      for (int i = 0; i < 4; ++i) w.U32(0);  // no brush bitmap
      w.U32(pen.style | pen.endCap | pen.join | (pen.geometric ? PS_GEOMETRIC : 0));
      w.U32(DWORD(pen.width));
      w.U32(BS_SOLID);
      w.U32(pen.color);
      w.U32(0);
      w.U32(DWORD(pen.userStyle.size()));
      for (DWORD v : pen.userStyle) w.U32(v);
    }
  } else if (o->type == ObjType::Brush && static_cast<const BrushObj&>(*o).pattern.width() == 8 &&
             static_cast<const BrushObj&>(*o).pattern.height() == 8) {
    // A pattern as an 8x8 bottom-up DIB: monochrome patterns keep their bits (they take the text
    // and background colours where used), colour patterns their colours.
    const auto& brush = static_cast<const BrushObj&>(*o);
    const bool mono = brush.monoPattern;
    BITMAPINFOHEADER h;
    h.biWidth = 8;
    h.biHeight = 8;
    h.biBitCount = mono ? 1 : 32;
    h.biClrUsed = mono ? 2 : 0;
    std::vector<uint8_t> bmi(sizeof h);
    std::memcpy(bmi.data(), &h, sizeof h);
    if (mono) bmi.insert(bmi.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    std::vector<uint8_t> bits(mono ? 8 * 4 : 8 * 8 * 4, 0);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const int row = 7 - y;
        if (mono) {
          if (brush.pattern.pixelIndex(x, y)) bits[size_t(row) * 4] |= uint8_t(0x80 >> x);
        } else {
          const QRgb c = brush.pattern.pixel(x, y);
          uint8_t* px = &bits[(size_t(row) * 8 + size_t(x)) * 4];
          px[0] = uint8_t(qBlue(c));
          px[1] = uint8_t(qGreen(c));
          px[2] = uint8_t(qRed(c));
        }
      }
    constexpr DWORD kFixed = 32;
    w.Begin(mono ? EMR_CREATEMONOBRUSH : EMR_CREATEDIBPATTERNBRUSHPT);
    w.U32(index);
    w.U32(DIB_RGB_COLORS);
    w.U32(kFixed);
    w.U32(DWORD(bmi.size()));
    w.U32(kFixed + DWORD(bmi.size()));
    w.U32(DWORD(bits.size()));
    w.Raw(bmi.data(), bmi.size());
    w.Raw(bits.data(), bits.size());
  } else if (o->type == ObjType::Brush) {
    const auto& brush = static_cast<const BrushObj&>(*o);
    w.Begin(EMR_CREATEBRUSHINDIRECT);
    w.U32(index);
    const bool hatched = brush.style == BS_HATCHED;
    const bool null = brush.style == BS_NULL;
    w.U32(hatched ? BS_HATCHED : null ? BS_NULL : BS_SOLID);
    w.U32(BrushColor(dc_, brush));
    w.U32(hatched ? DWORD(brush.hatch) : 0);
  } else if (o->type == ObjType::Font) {
    const LOGFONTW& lf = static_cast<const FontObj&>(*o).lf;
    w.Begin(EMR_EXTCREATEFONTINDIRECTW);
    w.U32(index);
    w.I32(lf.lfHeight);
    w.I32(lf.lfWidth);
    w.I32(lf.lfEscapement);
    w.I32(lf.lfOrientation);
    w.I32(lf.lfWeight);
    const BYTE bytes[8] = {lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet, lf.lfOutPrecision,
                           lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily};
    w.Raw(bytes, 8);
    w.Raw(lf.lfFaceName, sizeof lf.lfFaceName);
    fontIndexes_.emplace(std::move(fontKey), index);
    fontIndexSet_.insert(index);
  } else {
    freeIndexes_.push_back(index);
    return 0;
  }
  w.End();
  objects_.emplace(obj, index);
  return index;
}

void Recorder::SelectObject(HGDIOBJ obj) {
  const DWORD index = ObjectIndex(obj);
  if (index == 0) return;
  RecordWriter w(data_, records_);
  w.Begin(EMR_SELECTOBJECT);
  w.U32(index);
  w.End();
}

void Recorder::ObjectDeleted(HGDIOBJ obj) {
  auto it = objects_.find(obj);
  if (it == objects_.end()) return;
  if (fontIndexSet_.count(it->second) != 0) {  // kept for the next font like it
    objects_.erase(it);
    return;
  }
  RecordWriter w(data_, records_);
  w.Begin(EMR_DELETEOBJECT);
  w.U32(it->second);
  w.End();
  freeIndexes_.push_back(it->second);
  objects_.erase(it);
}

// --- state ----------------------------------------------------------------------------------------

void Recorder::SetValue(DWORD type, DWORD value) {
  RecordWriter w(data_, records_);
  w.Begin(type);
  w.U32(value);
  w.End();
}

void Recorder::SetPoint(DWORD type, POINT p) {
  RecordWriter w(data_, records_);
  w.Begin(type);
  w.Point(p);
  w.End();
  if (type == EMR_MOVETOEX) positionWrittenAt_ = records_;
}

// Readers that build one path of a move and the lines after it end the path at any other record
// (a pen selected, a background mode set) and then drop the lines that follow, which start
// nowhere: the dotted grid a chart draws as a move, its pen, then a line went missing. Repeating
// the move (the current position, which nothing but drawing changes) changes nothing for a reader
// that keeps the position.
void Recorder::RepeatPosition() {
  if (records_ != positionWrittenAt_) SetPoint(EMR_MOVETOEX, dc_.state.curPos);
}

void Recorder::SaveDC() {
  RecordWriter w(data_, records_);
  w.Begin(EMR_SAVEDC);
  w.End();
}

void Recorder::RestoreDC(int saved) {
  // Records hold the relative form (-1 = the last saved state).
  const int relative = saved < 0 ? saved : saved - int(dc_.saved.size()) - 1;
  RecordWriter w(data_, records_);
  w.Begin(EMR_RESTOREDC);
  w.I32(relative);
  w.End();
}

void Recorder::ClipRect(DWORD type, const RECT& rc) {
  RecordWriter w(data_, records_);
  w.Begin(type);
  w.Rect(rc);
  w.End();
}

void Recorder::SelectClip(HRGN handle, int mode) {
  const RegionObj* obj = handle ? FindRegion(handle) : nullptr;
  if (handle && !obj) return;
  RecordWriter w(data_, records_);
  w.Begin(EMR_EXTSELECTCLIPRGN);
  if (!obj) {
    w.U32(0);
    w.U32(DWORD(mode));
  } else {
    const Region& rgn = obj->rgn;
    const auto& rects = rgn.Rects();
    w.U32(DWORD(32 + 16 * rects.size()));
    w.U32(DWORD(mode));
    w.U32(32);
    w.U32(RDH_RECTANGLES);
    w.U32(DWORD(rects.size()));
    w.U32(DWORD(16 * rects.size()));
    w.Rect(rgn.Bounds());
    for (const RECT& r : rects) w.Rect(r);
  }
  w.End();
}

void Recorder::OffsetClip(int dx, int dy) { SetPoint(EMR_OFFSETCLIPRGN, POINT{dx, dy}); }

// --- drawing --------------------------------------------------------------------------------------

void Recorder::LineTo(POINT to) {
  const POINT from = dc_.state.curPos;
  AddLogicalBounds(RECT{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                        std::max(from.y, to.y) + 1},
                   PenInflation());
  RepeatPosition();
  SetPoint(EMR_LINETO, to);
  positionWrittenAt_ = records_;
}

namespace {

RECT PointsBox(const POINT* p, size_t n) {
  RECT r{p[0].x, p[0].y, p[0].x, p[0].y};
  for (size_t i = 1; i < n; ++i) {
    r.left = std::min(r.left, p[i].x);
    r.top = std::min(r.top, p[i].y);
    r.right = std::max(r.right, p[i].x);
    r.bottom = std::max(r.bottom, p[i].y);
  }
  return r;
}

bool Fits16(const RECT& r) {
  return r.left >= INT16_MIN && r.top >= INT16_MIN && r.right <= INT16_MAX && r.bottom <= INT16_MAX;
}

DWORD Short16(DWORD type) {
  switch (type) {
    case EMR_POLYLINE: return EMR_POLYLINE16;
    case EMR_POLYGON: return EMR_POLYGON16;
    case EMR_POLYLINETO: return EMR_POLYLINETO16;
    case EMR_POLYPOLYLINE: return EMR_POLYPOLYLINE16;
    case EMR_POLYPOLYGON: return EMR_POLYPOLYGON16;
    default: return type;
  }
}

}  // namespace

void Recorder::Poly(DWORD type, const POINT* points, size_t count) {
  if (count == 0) return;
  RECT box = PointsBox(points, count);
  if (type == EMR_POLYLINETO) {
    const POINT cp = dc_.state.curPos;
    box = RECT{std::min(box.left, cp.x), std::min(box.top, cp.y), std::max(box.right, cp.x),
               std::max(box.bottom, cp.y)};
  }
  AddLogicalBounds(RECT{box.left, box.top, box.right + 1, box.bottom + 1}, PenInflation());
  const bool small = Fits16(box);
  if (type == EMR_POLYLINETO) RepeatPosition();
  RecordWriter w(data_, records_);
  w.Begin(small ? Short16(type) : type);
  w.Rect(box);
  w.U32(DWORD(count));
  for (size_t i = 0; i < count; ++i) small ? w.Point16(points[i]) : w.Point(points[i]);
  w.End();
  if (type == EMR_POLYLINETO) positionWrittenAt_ = records_;
}

void Recorder::PolyPoly(DWORD type, const POINT* points, const DWORD* counts, size_t polyCount) {
  size_t total = 0;
  for (size_t i = 0; i < polyCount; ++i) total += counts[i];
  if (total == 0) return;
  const RECT box = PointsBox(points, total);
  AddLogicalBounds(RECT{box.left, box.top, box.right + 1, box.bottom + 1}, PenInflation());
  const bool small = Fits16(box);
  RecordWriter w(data_, records_);
  w.Begin(small ? Short16(type) : type);
  w.Rect(box);
  w.U32(DWORD(polyCount));
  w.U32(DWORD(total));
  for (size_t i = 0; i < polyCount; ++i) w.U32(counts[i]);
  for (size_t i = 0; i < total; ++i) small ? w.Point16(points[i]) : w.Point(points[i]);
  w.End();
}

void Recorder::Shape(DWORD type, const RECT& box, SIZE corner) {
  AddLogicalBounds(box, PenInflation());
  RecordWriter w(data_, records_);
  w.Begin(type);
  w.Rect(box);
  if (type == EMR_ROUNDRECT) {
    w.I32(corner.cx);
    w.I32(corner.cy);
  }
  w.End();
}

void Recorder::Polygons(const POINT* points, const INT* counts, int polyCount) {
  if (polyCount == 1) {
    Poly(EMR_POLYGON, points, size_t(counts[0]));
    return;
  }
  std::vector<DWORD> c(counts, counts + polyCount);
  PolyPoly(EMR_POLYPOLYGON, points, c.data(), c.size());
}

void Recorder::Arc(DWORD type, const RECT& box, POINT start, POINT end) {
  AddLogicalBounds(box, PenInflation());
  if (type == EMR_ARCTO) RepeatPosition();
  RecordWriter w(data_, records_);
  w.Begin(type);
  w.Rect(box);
  w.Point(start);
  w.Point(end);
  w.End();
  if (type == EMR_ARCTO) positionWrittenAt_ = records_;
}

void Recorder::SetPixel(POINT p, COLORREF c) {
  AddLogicalBounds(RECT{p.x, p.y, p.x + 1, p.y + 1}, 0);
  RecordWriter w(data_, records_);
  w.Begin(EMR_SETPIXELV);
  w.Point(p);
  w.U32(c);
  w.End();
}

void Recorder::RegionFill(const Region& rgn, HBRUSH brush, bool invert, SIZE frame) {
  const bool framed = frame.cx > 0 || frame.cy > 0;
  DWORD index = 0;
  if (!invert && brush && (index = ObjectIndex(brush)) == 0) return;
  const DWORD type = invert ? EMR_INVERTRGN : !brush ? EMR_PAINTRGN : framed ? EMR_FRAMERGN : EMR_FILLRGN;
  const RECT box = rgn.Bounds();
  AddLogicalBounds(box, 0);
  const auto& rects = rgn.Rects();
  RecordWriter w(data_, records_);
  w.Begin(type);
  w.InclusiveRect(box);
  w.U32(DWORD(32 + 16 * rects.size()));
  if (type == EMR_FILLRGN || type == EMR_FRAMERGN) w.U32(index);
  if (type == EMR_FRAMERGN) {
    w.I32(frame.cx);
    w.I32(frame.cy);
  }
  w.U32(32);
  w.U32(RDH_RECTANGLES);
  w.U32(DWORD(rects.size()));
  w.U32(DWORD(16 * rects.size()));
  w.Rect(box);
  for (const RECT& r : rects) w.Rect(r);
  w.End();
}

void Recorder::PatBlts(const RECT* rects, size_t count, DWORD rop) {
  // A blit draws no outline, but some readers stroke its rectangle with the selected pen (a
  // chart's wide frame pen outlined the legend's background): the null pen goes around it.
  const Object* o = HandleTable::Instance().Find(dc_.state.pen);
  const auto* pen = o && (o->type == ObjType::Pen || o->type == ObjType::ExtPen) ? static_cast<const PenObj*>(o)
                                                                                 : nullptr;
  bool penSwapped = false;
  for (size_t i = 0; i < count; ++i) {
    const RECT& r = rects[i];
    if (r.right <= r.left || r.bottom <= r.top) continue;
    if (!penSwapped && pen && pen->style != PS_NULL) {
      SetValue(EMR_SELECTOBJECT, ENHMETA_STOCK_OBJECT | NULL_PEN);
      penSwapped = true;
    }
    AddLogicalBounds(r, 0);
    RecordWriter w(data_, records_);
    w.Begin(EMR_BITBLT);
    w.InclusiveRect(r);
    w.I32(r.left);
    w.I32(r.top);
    w.I32(r.right - r.left);
    w.I32(r.bottom - r.top);
    w.U32(rop);
    w.I32(0);
    w.I32(0);
    w.IdentityTransform();
    for (int k = 0; k < 6; ++k) w.U32(0);  // background colour, usage, no source bitmap
    w.End();
  }
  if (penSwapped) SelectObject(dc_.state.pen);
}

void Recorder::FillRect(const RECT& rc, HBRUSH handle, const BrushObj* brush, bool frameOnly, DWORD rop) {
  RECT rects[4] = {rc};
  size_t count = 1;
  if (frameOnly) {
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    rects[0] = RECT{rc.left, rc.top, rc.right, rc.top + 1};
    rects[1] = RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom};
    rects[2] = RECT{rc.left, rc.top + 1, rc.left + 1, rc.bottom - 1};
    rects[3] = RECT{rc.right - 1, rc.top + 1, rc.right, rc.bottom - 1};
    count = 4;
  }
  if (!brush || handle == dc_.state.brush) {
    PatBlts(rects, count, rop);
    return;
  }
  // The brush is selected around the blits; a system-colour brush, which is no object, goes as a
  // solid brush of its present colour made for the occasion.
  DWORD index = HandleTable::Instance().Find(handle) ? ObjectIndex(handle) : 0;
  DWORD temporary = 0;
  if (index == 0) {
    if (!freeIndexes_.empty()) {
      index = freeIndexes_.back();
      freeIndexes_.pop_back();
    } else if (nextIndex_ < 0xFFFF) {
      index = nextIndex_++;
    } else {
      return;
    }
    temporary = index;
    RecordWriter w(data_, records_);
    w.Begin(EMR_CREATEBRUSHINDIRECT);
    w.U32(index);
    w.U32(BS_SOLID);
    w.U32(BrushColor(dc_, *brush));
    w.U32(0);
    w.End();
  }
  SetValue(EMR_SELECTOBJECT, index);
  PatBlts(rects, count, rop);
  SelectObject(dc_.state.brush);
  if (temporary) {
    SetValue(EMR_DELETEOBJECT, temporary);
    freeIndexes_.push_back(temporary);
  }
}

void Recorder::AppendSourceBits(std::vector<uint8_t>& bmi, std::vector<uint8_t>& bits, HDC src, POINT org,
                                SIZE size, bool keepAlpha) {
  // A bottom-up 32-bit DIB of the source rectangle; what lies outside the source bitmap is black.
  BITMAPINFOHEADER h;
  h.biWidth = size.cx;
  h.biHeight = size.cy;
  h.biBitCount = 32;
  h.biSizeImage = DWORD(size.cx) * DWORD(size.cy) * 4;
  bmi.resize(sizeof h);
  std::memcpy(bmi.data(), &h, sizeof h);
  bits.assign(h.biSizeImage, 0);
  DCObj* sdc = FindDC(src);
  BitmapObj* bmp = sdc ? FindBitmap(sdc->bitmap) : nullptr;
  if (!bmp) return;
  FlushPainting(*bmp);
  const SurfaceShift s = SurfaceOffset(*sdc);
  for (int y = 0; y < size.cy; ++y) {
    const int64_t sy = int64_t(org.y) + s.y + y;
    uint8_t* row = bits.data() + size_t(size.cy - 1 - y) * size_t(size.cx) * 4;
    if (sy < 0 || sy >= bmp->height) continue;
    for (int x = 0; x < size.cx; ++x) {
      const int64_t sx = int64_t(org.x) + s.x + x;
      if (sx < 0 || sx >= bmp->width) continue;
      uint8_t* px = row + size_t(x) * 4;
      if (bmp->bpp == 32) {
        std::memcpy(px, bmp->bits.data() + size_t(sy) * bmp->stride + size_t(sx) * 4, 4);
        if (!keepAlpha) px[3] = 0;
      } else {
        const COLORREF c = ReadPixel(*bmp, int(sx), int(sy));
        px[0] = GetBValue(c);
        px[1] = GetGValue(c);
        px[2] = GetRValue(c);
      }
    }
  }
}

namespace {

// The STRETCHDIBITS record with `bmi` and `bits` after its fixed part.
void WriteStretchDib(RecordWriter& w, const RECT& dest, POINT srcOrg, SIZE srcSize, const std::vector<uint8_t>& bmi,
                     const std::vector<uint8_t>& bits, UINT usage, DWORD rop) {
  constexpr DWORD kFixed = 80;
  const DWORD bmiPadded = DWORD((bmi.size() + 3) & ~size_t(3));
  w.Begin(EMR_STRETCHDIBITS);
  w.InclusiveRect(Normalized(dest));
  w.I32(dest.left);
  w.I32(dest.top);
  w.I32(srcOrg.x);
  w.I32(srcOrg.y);
  w.I32(srcSize.cx);
  w.I32(srcSize.cy);
  w.U32(kFixed);
  w.U32(DWORD(bmi.size()));
  w.U32(kFixed + bmiPadded);
  w.U32(DWORD(bits.size()));
  w.U32(usage);
  w.U32(rop);
  w.I32(dest.right - dest.left);
  w.I32(dest.bottom - dest.top);
  w.Raw(bmi.data(), bmi.size());
  w.Align();
  w.Raw(bits.data(), bits.size());
  w.Align();
  w.End();
}

}  // namespace

BOOL Recorder::Blt(const RECT& dest, HDC src, POINT srcOrg, SIZE srcSize, DWORD rop) {
  if (!RopUsesSource(uint8_t((rop >> 16) & 0xFF))) {
    // Blits of any direction are kept as their normalised rectangle.
    const RECT r = Normalized(dest);
    PatBlts(&r, 1, rop);
    return TRUE;
  }
  if (!FindDC(src)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (srcSize.cx <= 0 || srcSize.cy <= 0 || int64_t(srcSize.cx) * srcSize.cy > kMaxRecordedPixels) return FALSE;
  std::vector<uint8_t> bmi, bits;
  AppendSourceBits(bmi, bits, src, srcOrg, srcSize, false);
  AddLogicalBounds(dest, 0);
  RecordWriter w(data_, records_);
  WriteStretchDib(w, dest, POINT{0, 0}, srcSize, bmi, bits, DIB_RGB_COLORS, rop);
  return TRUE;
}

int Recorder::DibBlt(const RECT& dest, POINT srcOrg, SIZE srcSize, const void* bits, const BITMAPINFO* info,
                     UINT usage, DWORD rop) {
  DibLayout layout;
  if (!info || !bits || usage != DIB_RGB_COLORS ||
      !ParseDibHeader(reinterpret_cast<const uint8_t*>(info), sizeof(BITMAPINFO), layout) ||
      int64_t(layout.width) * layout.height > kMaxRecordedPixels) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::vector<uint8_t> bmi(layout.headerBytes);
  std::memcpy(bmi.data(), info, std::min(layout.headerBytes, sizeof(BITMAPINFO)));
  std::vector<uint8_t> data(layout.imageBytes);
  std::memcpy(data.data(), bits, layout.imageBytes);
  AddLogicalBounds(dest, 0);
  RecordWriter w(data_, records_);
  WriteStretchDib(w, dest, srcOrg, srcSize, bmi, data, usage, rop);
  return std::abs(srcSize.cy);
}

BOOL Recorder::AlphaBlend(const RECT& dest, HDC src, const RECT& srcRect, BLENDFUNCTION blend) {
  const SIZE size{srcRect.right - srcRect.left, srcRect.bottom - srcRect.top};
  if (!FindDC(src)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (size.cx <= 0 || size.cy <= 0 || int64_t(size.cx) * size.cy > kMaxRecordedPixels) return FALSE;
  std::vector<uint8_t> bmi, bits;
  AppendSourceBits(bmi, bits, src, POINT{srcRect.left, srcRect.top}, size, true);
  AddLogicalBounds(dest, 0);
  constexpr DWORD kFixed = 108;
  RecordWriter w(data_, records_);
  w.Begin(EMR_ALPHABLEND);
  w.InclusiveRect(dest);
  w.I32(dest.left);
  w.I32(dest.top);
  w.I32(dest.right - dest.left);
  w.I32(dest.bottom - dest.top);
  w.U32(DWORD(blend.BlendOp) | DWORD(blend.BlendFlags) << 8 | DWORD(blend.SourceConstantAlpha) << 16 |
        DWORD(blend.AlphaFormat) << 24);
  w.I32(0);
  w.I32(0);
  w.IdentityTransform();
  w.U32(0);
  w.U32(DIB_RGB_COLORS);
  w.U32(kFixed);
  w.U32(DWORD(bmi.size()));
  w.U32(kFixed + DWORD(bmi.size()));
  w.U32(DWORD(bits.size()));
  w.I32(size.cx);
  w.I32(size.cy);
  w.Raw(bmi.data(), bmi.size());
  w.Raw(bits.data(), bits.size());
  w.End();
  return TRUE;
}

BOOL Recorder::GradientFill(const TRIVERTEX* v, ULONG nVertices, const void* mesh, ULONG nMesh, ULONG mode) {
  if (mode > GRADIENT_FILL_TRIANGLE || !v || nVertices == 0 || nVertices > (1u << 20) || nMesh > (1u << 20) ||
      (nMesh && !mesh)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT box{v[0].x, v[0].y, v[0].x, v[0].y};
  for (ULONG i = 1; i < nVertices; ++i) {
    box.left = std::min(box.left, v[i].x);
    box.top = std::min(box.top, v[i].y);
    box.right = std::max(box.right, v[i].x);
    box.bottom = std::max(box.bottom, v[i].y);
  }
  AddLogicalBounds(box, 0);
  const size_t meshBytes = size_t(nMesh) * (mode == GRADIENT_FILL_TRIANGLE ? 12 : 8);
  RecordWriter w(data_, records_);
  w.Begin(EMR_GRADIENTFILL);
  w.InclusiveRect(box);
  w.U32(nVertices);
  w.U32(nMesh);
  w.U32(mode);
  for (ULONG i = 0; i < nVertices; ++i) {
    w.I32(v[i].x);
    w.I32(v[i].y);
    const uint16_t c[4] = {v[i].Red, v[i].Green, v[i].Blue, v[i].Alpha};
    w.Raw(c, 8);
  }
  w.Raw(mesh, meshBytes);
  w.End();
  return TRUE;
}

void Recorder::TextOut(POINT p, UINT align, UINT options, const RECT* rect, std::u16string_view text,
                       const int* offsets, int width) {
  if (align & TA_UPDATECP) p = dc_.state.curPos;
  // Text laid out by DrawText has its own alignment; the DC's is set around it.
  const bool ownAlign = align != dc_.state.textAlign;
  if (ownAlign) SetValue(EMR_SETTEXTALIGN, align);
  // Bounds: the text's cell by the alignment (a square round the reference point for turned text),
  // and the opaque rectangle.
  const FontObj* font = FindFont(dc_.state.font);
  const int height = font && font->lf.lfHeight != 0 ? std::abs(font->lf.lfHeight) * 3 / 2 : 20;
  RECT box{0, 0, 0, 0};
  if (!text.empty()) {
    // The cell relative to the reference point by the alignment, then turned round that point by
    // the escapement (counter-clockwise on the screen).
    const int left = (align & TA_CENTER) == TA_CENTER ? -width / 2 : (align & TA_RIGHT) ? -width : 0;
    const int top = (align & TA_BASELINE) == TA_BASELINE ? -height : (align & TA_BOTTOM) ? -height : 0;
    const int escapement = font ? font->lf.lfEscapement % 3600 : 0;
    if (escapement != 0) {
      const double angle = escapement * std::numbers::pi / 1800, c = std::cos(angle), sn = std::sin(angle);
      double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
      for (const double dx : {double(left - 1), double(left + width + 2)})
        for (const double dy : {double(top - 1), double(top + height + 2)}) {
          const double x = dx * c + dy * sn, y = -dx * sn + dy * c;
          x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
      box = RECT{LONG(p.x + std::floor(x0)), LONG(p.y + std::floor(y0)), LONG(p.x + std::ceil(x1) + 1),
                 LONG(p.y + std::ceil(y1) + 1)};
    } else {
      box = RECT{p.x + left - 1, p.y + top - 1, p.x + left + width + 2, p.y + top + height + 2};
    }
  }
  if (rect && (options & ETO_OPAQUE)) {
    const RECT o = Normalized(*rect);
    box = text.empty() ? o
                       : RECT{std::min(box.left, o.left), std::min(box.top, o.top), std::max(box.right, o.right),
                              std::max(box.bottom, o.bottom)};
  }
  AddLogicalBounds(box, 0);

  constexpr DWORD kFixed = 76;
  const DWORD count = DWORD(text.size());
  const DWORD offString = kFixed;
  const DWORD offDx = offString + ((count * 2 + 3) & ~DWORD(3));
  RecordWriter w(data_, records_);
  w.Begin(EMR_EXTTEXTOUTW);
  w.InclusiveRect(box);
  w.U32(1);  // GM_COMPATIBLE
  w.F32(1.0f);
  w.F32(1.0f);
  w.Point(p);
  w.U32(count);
  w.U32(offString);
  w.U32(options);
  w.Rect(rect ? *rect : RECT{});
  w.U32(offDx);
  w.Raw(text.data(), count * 2);
  w.Align();
  for (DWORD i = 0; i < count; ++i) w.I32((i + 1 < count ? offsets[i + 1] : width) - offsets[i]);
  w.End();
  if (ownAlign) SetValue(EMR_SETTEXTALIGN, dc_.state.textAlign);
}

void Recorder::Close(std::vector<uint8_t>& data, uint32_t& records) const {
  {
    RecordWriter w(data, records);
    w.Begin(EMR_EOF);
    w.U32(0);
    w.U32(16);
    w.U32(20);
    w.End();
  }
  ENHMETAHEADER h;
  std::memcpy(&h, data.data(), sizeof h);
  // The bounds of what was drawn inside the picture: readers size the picture by them.
  RECT bounds = bounds_;
  bool haveBounds = haveBounds_;
  if (frameGiven_ && haveBounds) {
    auto toPixelX = [&](int64_t units) { return LONG(std::floor(double(units) * devicePx_.cx * 10 / deviceUm_.cx)); };
    auto toPixelY = [&](int64_t units) { return LONG(std::floor(double(units) * devicePx_.cy * 10 / deviceUm_.cy)); };
    const RECT f{toPixelX(frame_.left), toPixelY(frame_.top), toPixelX(int64_t(frame_.right) + 1) - 1,
                 toPixelY(int64_t(frame_.bottom) + 1) - 1};
    bounds = RECT{std::max(bounds.left, f.left), std::max(bounds.top, f.top), std::min(bounds.right, f.right),
                  std::min(bounds.bottom, f.bottom)};
    haveBounds = bounds.left <= bounds.right && bounds.top <= bounds.bottom;
  }
  h.rclBounds = haveBounds ? bounds : RECT{0, 0, -1, -1};
  auto toFrameX = [&](int64_t px) { return LONG(px * deviceUm_.cx / 10 / devicePx_.cx); };
  auto toFrameY = [&](int64_t px) { return LONG(px * deviceUm_.cy / 10 / devicePx_.cy); };
  if (frameGiven_)
    h.rclFrame = frame_;
  else if (haveBounds_)
    h.rclFrame = RECT{toFrameX(bounds_.left), toFrameY(bounds_.top), toFrameX(int64_t(bounds_.right) + 1) - 1,
                      toFrameY(int64_t(bounds_.bottom) + 1) - 1};
  else
    h.rclFrame = RECT{0, 0, 0, 0};
  h.nBytes = DWORD(data.size());
  h.nRecords = records;
  h.nHandles = WORD(nextIndex_);
  h.szlDevice = devicePx_;
  h.szlMillimeters = deviceMm_;
  h.szlMicrometers = deviceUm_;
  std::memcpy(data.data(), &h, sizeof h);
}

std::vector<uint8_t> Recorder::Finish() {
  Close(data_, records_);
  return std::move(data_);
}

std::vector<uint8_t> Recorder::Snapshot() const {
  std::vector<uint8_t> copy = data_;
  uint32_t records = records_;
  Close(copy, records);
  return copy;
}

}  // namespace win::gdi
