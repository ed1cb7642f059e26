#pragma once
// Internal to the drawing layer: the recorder behind a metafile DC. The drawing layer's entry
// points hand each call to it (coordinates logical, as the caller gave them) when
// `DCObj::recorder` is set; it writes the EMF records and keeps the bounds of what was drawn.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"

namespace win::gdi {

struct DCObj;

class Recorder {
 public:
  Recorder(DCObj& dc, HDC ref, const RECT* frame, std::u16string_view description);

  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // State.
  void SetValue(DWORD type, DWORD value);  // SETBKMODE, SETROP2, SETTEXTCOLOR, ...
  void SetPoint(DWORD type, POINT p);      // MOVETOEX, SETWINDOWORGEX, SETVIEWPORTORGEX, SETBRUSHORGEX
  void SaveDC();
  void RestoreDC(int saved);
  void SelectObject(HGDIOBJ obj);
  void ObjectDeleted(HGDIOBJ obj);
  void ClipRect(DWORD type, const RECT& rc);  // INTERSECTCLIPRECT / EXCLUDECLIPRECT
  void SelectClip(HRGN rgn, int mode);        // EXTSELECTCLIPRGN; a null region: no clip
  void OffsetClip(int dx, int dy);

  // Drawing.
  void LineTo(POINT to);
  void Poly(DWORD type, const POINT* points, size_t count);  // POLYLINE, POLYLINETO
  void PolyPoly(DWORD type, const POINT* points, const DWORD* counts, size_t polyCount);
  void Polygons(const POINT* points, const INT* counts, int polyCount);
  void Shape(DWORD type, const RECT& box, SIZE corner);  // RECTANGLE, ELLIPSE, ROUNDRECT
  void Arc(DWORD type, const RECT& box, POINT start, POINT end);
  void SetPixel(POINT p, COLORREF c);
  // FillRgn (`brush`), PaintRgn (null brush), InvertRgn (`invert`) and FrameRgn (a `frame` size).
  void RegionFill(const Region& rgn, HBRUSH brush, bool invert, SIZE frame);
  // FillRect, FrameRect (`frameOnly`) and InvertRect, recorded as the pattern blits GDI makes of
  // them, with `brush` selected around them (null: none needed).
  void FillRect(const RECT& rc, HBRUSH handle, const struct BrushObj* brush, bool frameOnly, DWORD rop);
  BOOL Blt(const RECT& dest, HDC src, POINT srcOrg, SIZE srcSize, DWORD rop);
  int DibBlt(const RECT& dest, POINT srcOrg, SIZE srcSize, const void* bits, const BITMAPINFO* info, UINT usage,
             DWORD rop);
  BOOL AlphaBlend(const RECT& dest, HDC src, const RECT& srcRect, BLENDFUNCTION blend);
  BOOL GradientFill(const TRIVERTEX* vertices, ULONG nVertices, const void* mesh, ULONG nMesh, ULONG mode);
  // Text drawn with alignment `align` (the DC's own, or DrawText's top-left): `offsets` are each
  // character's distance from the first, `width` the whole run.
  void TextOut(POINT p, UINT align, UINT options, const RECT* rect, std::u16string_view text, const int* offsets,
               int width);

  // The DC that answers device questions for the recording DC (null: the screen's answers).
  HDC Reference() const { return ref_; }

  // The finished metafile bytes (header patched, EMR_EOF appended).
  std::vector<uint8_t> Finish();
  // The records so far as a whole metafile; recording goes on.
  std::vector<uint8_t> Snapshot() const;
  // The bounds of what was drawn so far (inclusive device pixels); false when nothing was.
  bool Bounds(RECT& out) const {
    out = bounds_;
    return haveBounds_;
  }

 private:
  void Close(std::vector<uint8_t>& data, uint32_t& records) const;
  DWORD ObjectIndex(HGDIOBJ obj);
  void PatBlts(const RECT* rects, size_t count, DWORD rop);
  void AddBounds(RECT deviceRect);
  void AddLogicalBounds(RECT logical, int inflate);
  int PenInflation() const;
  // Before a record that draws from the current position: the position again, unless the records
  // just before it already end there.
  void RepeatPosition();
  void AppendSourceBits(std::vector<uint8_t>& bmi, std::vector<uint8_t>& bits, HDC src, POINT org, SIZE size,
                        bool keepAlpha);

  DCObj& dc_;
  HDC ref_ = nullptr;
  std::vector<uint8_t> data_;
  uint32_t records_ = 0;
  // The record count when the last record that leaves the current position known to a reader (a
  // move, a line to) was written; the start, where the position is (0, 0), counts as one.
  uint32_t positionWrittenAt_ = 1;
  std::unordered_map<HGDIOBJ, DWORD> objects_;  // handle -> object table index
  // A font stays in the table once created, found by the bytes of its record: a font made again
  // (callers make one for every text they measure or draw) is the entry made before, and the
  // file creates each distinct font once.
  std::unordered_map<std::string, DWORD> fontIndexes_;
  std::unordered_set<DWORD> fontIndexSet_;
  std::vector<DWORD> freeIndexes_;
  DWORD nextIndex_ = 1;
  bool haveBounds_ = false;
  RECT bounds_{};
  bool frameGiven_ = false;
  RECT frame_{};
  SIZE devicePx_{};
  SIZE deviceMm_{};
  SIZE deviceUm_{};
};

// What a recording DC has drawn so far, as pixels: its records played at their own device
// coordinates onto a white bitmap in a memory DC, so blits can read from a recording DC.
class RecordedPixels {
 public:
  RecordedPixels() = default;
  ~RecordedPixels();
  RecordedPixels(const RecordedPixels&) = delete;
  RecordedPixels& operator=(const RecordedPixels&) = delete;
  // False when nothing was drawn or the drawing is too large to copy.
  bool Take(const DCObj& recording);
  HDC dc() const { return dc_; }

 private:
  HBITMAP bmp_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Every live recorder hears of deleted objects, so their table entries are freed in the records.
void NotifyRecordersObjectDeleted(HGDIOBJ obj);

}  // namespace win::gdi
