#pragma once
// Internal to the drawing layer: the objects behind GDI handles and the handle table.
// Public headers never include this file; Qt types may appear here and nowhere above gdi.

#include <QImage>
#include <QPainter>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/detail/PixelBuffer.h"

namespace win::gdi {

enum class ObjType : uint8_t { Pen, ExtPen, Brush, Font, Bitmap, Region, Palette, DC };

struct Object {
  explicit Object(ObjType t) : type(t) {}
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  ObjType type;
  bool stock = false;        // stock objects ignore DeleteObject
  int selectedCount = 0;     // DCs holding it; DeleteObject of a selected object fails
};

struct PenObj : Object {
  PenObj() : Object(ObjType::Pen) {}
  UINT style = PS_SOLID;     // PS_STYLE_MASK part
  UINT endCap = PS_ENDCAP_ROUND;
  UINT join = PS_JOIN_ROUND;
  bool geometric = false;    // PS_GEOMETRIC (ExtCreatePen) or width > 1
  int width = 0;             // 0 and 1 are one device pixel
  COLORREF color = 0;
  bool extended = false;     // made by ExtCreatePen (GetObject gives an EXTLOGPEN)
  std::vector<DWORD> userStyle;  // PS_USERSTYLE on/off lengths
  bool dcColor = false;      // DC_PEN: draws in the DC's pen colour
  // A one-pixel pen widened with an enlarged picture: it covers the enlarged pixels the
  // one-pixel pen would, so its lines lie half its width right of and below their points (on
  // the pixels' centres) and its shapes' outlines inside their bounds.
  bool pixelCells = false;
};

struct BrushObj : Object {
  BrushObj() : Object(ObjType::Brush) {}
  UINT style = BS_SOLID;     // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN, BS_DIBPATTERN
  COLORREF color = 0;
  int hatch = 0;             // HS_* for BS_HATCHED
  // 8x8 pattern for BS_PATTERN / BS_DIBPATTERN. A monochrome pattern keeps its bits and takes the
  // DC's text (0 bits) and background (1 bits) colours when used, as GDI does.
  bool monoPattern = false;
  QImage pattern;            // Format_RGB32 for colour patterns, Format_Mono for monochrome ones
  bool dcColor = false;      // DC_BRUSH: paints in the DC's brush colour
  int sysColor = -1;         // COLOR_ index for the (HBRUSH)(index + 1) values FillRect accepts
};

class FontFace;

struct FontObj : Object {
  FontObj() : Object(ObjType::Font) {}
  LOGFONTW lf{};
  // The face lf resolves to, looked up once on first use: a font's LOGFONTW never changes, and
  // every text call would otherwise look it up again in the shared face cache.
  mutable std::atomic<bool> faceResolved{false};
  mutable std::shared_ptr<const FontFace> face;
};

struct RegionObj : Object {
  RegionObj() : Object(ObjType::Region) {}
  Region rgn;
};

struct PaletteObj : Object {
  PaletteObj() : Object(ObjType::Palette) {}
  std::vector<PALETTEENTRY> entries;
};

// A bitmap's pixels. Rows are stored top-down whatever the creating BITMAPINFO said; the bits
// pointer CreateDIBSection hands out addresses row 0 = top. 16, 24 and 32 bpp are painted
// directly through a QImage wrapping the same memory; 1, 4 and 8 bpp are painted through a
// 32-bit working copy that is written back after each drawing call.
struct BitmapObj : Object {
  BitmapObj() : Object(ObjType::Bitmap) {}
  int width = 0;
  int height = 0;
  int bpp = 32;                          // 1, 4, 8, 16, 24, 32
  int stride = 0;                        // bytes per row, DWORD aligned
  DWORD redMask = 0, greenMask = 0, blueMask = 0;  // 16 bpp: 0x7C00/0x3E0/0x1F or 0xF800/0x7E0/0x1F
  std::vector<RGBQUAD> colorTable;       // 1, 4, 8 bpp
  PixelBuffer bits;                      // at least stride * height bytes (a surface keeps rows ahead)
  // Parts a resize gave a surface that still hold old bytes; made black before anything reads or
  // writes them (surface pixels).
  Region stale;
  bool dibSection = true;
  struct DCObj* selectedInto = nullptr;  // a bitmap is selected into at most one DC
  // The image DCs paint on: wraps `bits` for 16/24/32 bpp, a 32-bit working copy for 1/4/8 bpp.
  QImage paintImage;
  bool workCopy = false;                 // paintImage is a copy that must be written back
};

// Drawing state that SaveDC/RestoreDC keep.
struct DCState {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HPALETTE palette = nullptr;
  int rop2 = R2_COPYPEN;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  int polyFillMode = ALTERNATE;
  int stretchBltMode = BLACKONWHITE;
  int mapMode = MM_TEXT;
  int textCharExtra = 0;
  COLORREF dcBrushColor = RGB(255, 255, 255);  // what DC_BRUSH and DC_PEN paint with
  COLORREF dcPenColor = RGB(0, 0, 0);
  POINT windowOrg{};                     // logical -> device: p - windowOrg + viewportOrg
  POINT viewportOrg{};
  POINT brushOrg{};
  POINT curPos{};
  std::optional<Region> clip;            // the application's clip region, device coordinates
};

enum class DCKind : uint8_t { Memory, Window, Metafile, Info };

struct DCObj : Object {
  DCObj() : Object(ObjType::DC) {}
  DCKind kind = DCKind::Memory;
  HBITMAP bitmap = nullptr;              // selected bitmap (memory DC) or the window surface
  // Window DCs: where the window's client or frame origin lies on the surface, and the part of
  // the surface the window may paint (children and siblings already clipped out). Device
  // coordinates of the DC are relative to `origin`.
  POINT origin{};
  std::optional<Region> visible;         // in DC device coordinates; none = the whole surface
  DCState state;
  std::vector<DCState> saved;
  // Metafile DCs record through this hook (set by the metafile recorder); null elsewhere.
  class Recorder* recorder = nullptr;
  // The painter kept open on the target between calls (drawing calls are far cheaper without a
  // begin/end per call). Ended by FlushPainting before anyone touches the bits directly.
  std::unique_ptr<QPainter> painter;
  // Bookkeeping of DC.cpp: `deviceSerial` moves whenever origins, clip, visible region or the
  // target change; the painter's transform and clip and the cached clip are rebuilt only then.
  uint64_t deviceSerial = 1;
  uint64_t painterSerial = 0;
  uint64_t clipSerial = 0;
  std::optional<Region> cachedClip;      // EffectiveClip of `clipSerial`
};

// Logical + shift = surface pixel. Kept in 64 bits: the origins may lie anywhere in the int range.
struct SurfaceShift {
  int64_t x = 0;
  int64_t y = 0;
};

// Call after changing anything EffectiveClip or the device transform depends on.
inline void DeviceChanged(DCObj& dc) { ++dc.deviceSerial; }

// Brushes (Brushes.cpp): the 8x8 pattern a brush paints on `dc`, as COLORREFs, row-major; device
// pixel (x, y) of the DC takes entry ((y - brushOrg.y) & 7) * 8 + ((x - brushOrg.x) & 7).
// `transparent[i]` is set for hatch background pixels that a TRANSPARENT background mode leaves
// alone (all false for other brushes). False for BS_NULL brushes (nothing to paint).
bool BrushPattern(const DCObj& dc, const BrushObj& brush, COLORREF colors[64], bool transparent[64]);
// The colour a solid brush or a pen paints with on `dc` (DC_BRUSH, DC_PEN and system-colour
// brushes take theirs from the DC or the system colours).
COLORREF BrushColor(const DCObj& dc, const BrushObj& brush);
COLORREF PenColor(const DCObj& dc, const PenObj& pen);
// The current colour of system colour `index` (0 without a resolver).
COLORREF SysColorValue(int index);

// --- Contracts between the parts of the drawing layer -------------------------------------------

// Bitmaps (Bitmaps.cpp): the image to paint on for `bmp`, made on first use; and the write-back
// of a working copy into the bitmap's own bits (no-op when the image wraps the bits).
QImage& PaintTarget(BitmapObj& bmp);
void CommitPaintTarget(BitmapObj& bmp);
// Pixels of any depth as COLORREF (palette looked up / nearest palette entry chosen).
COLORREF ReadPixel(const BitmapObj& bmp, int x, int y);
void WritePixel(BitmapObj& bmp, int x, int y, COLORREF c);

// Device contexts (DC.cpp): a painter on the DC's target with the device transform (window and
// viewport origins, the window DC's origin) and the effective clip (visible region intersected
// with the application's clip) applied; null when the DC has nothing to paint on.
QPainter* PreparePainter(DCObj& dc);
// Ends any painter open on `bmp` and commits its pixels, so its bits can be read or written
// directly (a resized surface's stale parts are made black). Blits, DIB transfers and pixel
// access call it first.
void FlushPainting(BitmapObj& bmp);
// The same for drawing through `dc` onto its bitmap: what the DC reaches was made ready when it
// was made or given its visible region, so the rest of a resized surface may stay stale.
void FlushPaintingThrough(const DCObj& dc, BitmapObj& bmp);
// Makes the stale parts of a resized surface inside `area` (surface pixels; all when null) black.
void ClearStale(BitmapObj& bmp, const Region* area);
// The effective clip of a DC in device coordinates (surface pixels), or none for "everything".
std::optional<Region> EffectiveClip(const DCObj& dc);

// The handle table. Handles are table indexes with a generation count, so a deleted handle never
// names a later object. Lookups are thread-safe; objects themselves are used by one thread.
class HandleTable {
 public:
  static HandleTable& Instance();
  HGDIOBJ Add(std::unique_ptr<Object> obj);
  Object* Find(HGDIOBJ h) const;
  template <class T>
  T* FindAs(HGDIOBJ h, ObjType t) const {
    Object* o = Find(h);
    return (o && o->type == t) ? static_cast<T*>(o) : nullptr;
  }
  bool Remove(HGDIOBJ h);  // frees the object
  size_t LiveCount() const;

 private:
  struct Slot {
    std::unique_ptr<Object> obj;
    uint32_t generation = 1;
  };
  mutable std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
};

inline PenObj* FindPen(HGDIOBJ h) { return HandleTable::Instance().FindAs<PenObj>(h, ObjType::Pen); }
inline BrushObj* FindBrush(HGDIOBJ h) { return HandleTable::Instance().FindAs<BrushObj>(h, ObjType::Brush); }
inline FontObj* FindFont(HGDIOBJ h) { return HandleTable::Instance().FindAs<FontObj>(h, ObjType::Font); }
inline RegionObj* FindRegion(HGDIOBJ h) { return HandleTable::Instance().FindAs<RegionObj>(h, ObjType::Region); }
inline BitmapObj* FindBitmap(HGDIOBJ h) { return HandleTable::Instance().FindAs<BitmapObj>(h, ObjType::Bitmap); }
inline DCObj* FindDC(HDC h) { return HandleTable::Instance().FindAs<DCObj>(h, ObjType::DC); }

}  // namespace win::gdi
