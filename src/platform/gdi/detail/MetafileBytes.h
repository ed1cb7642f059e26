#pragma once
// Internal to the drawing layer: little-endian writing and bounds-checked reading of EMF records.

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::gdi {

static_assert(std::endian::native == std::endian::little, "records are copied as they lie in memory");

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Raw(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    if (n) out_.insert(out_.end(), b, b + n);
  }
  void U32(uint32_t v) { Raw(&v, 4); }
  void I32(int32_t v) { Raw(&v, 4); }
  void F32(float v) { Raw(&v, 4); }
  void Point(POINT p) { I32(p.x), I32(p.y); }
  void Point16(POINT p) {
    const int16_t v[2] = {int16_t(p.x), int16_t(p.y)};
    Raw(v, 4);
  }
  void Rect(const RECT& r) { I32(r.left), I32(r.top), I32(r.right), I32(r.bottom); }
  // A record's bounds keep right and bottom inside the box.
  void InclusiveRect(const RECT& r) { Rect(RECT{r.left, r.top, r.right - 1, r.bottom - 1}); }
  void IdentityTransform() {
    const float m[6] = {1, 0, 0, 1, 0, 0};
    Raw(m, sizeof m);
  }
  void Align() { out_.resize((out_.size() + 3) & ~size_t(3), 0); }

 protected:
  std::vector<uint8_t>& out_;
};

// One record at a time: Begin writes type and a size placeholder, End pads and patches the size.
class RecordWriter : public ByteWriter {
 public:
  RecordWriter(std::vector<uint8_t>& out, uint32_t& records) : ByteWriter(out), records_(records) {}
  void Begin(DWORD type) {
    start_ = out_.size();
    U32(type);
    U32(0);
  }
  void End() {
    Align();
    const uint32_t size = uint32_t(out_.size() - start_);
    std::memcpy(out_.data() + start_ + 4, &size, 4);
    ++records_;
  }

 private:
  uint32_t& records_;
  size_t start_ = 0;
};

// Reads fields of one record; every read is checked against the record's size, and a failed read
// leaves `ok` false and yields zeros.
class RecordReader {
 public:
  RecordReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool ok = true;
  size_t Size() const { return size_; }
  const uint8_t* Data() const { return data_; }
  bool Has(size_t offset, size_t n) const { return offset <= size_ && n <= size_ - offset; }
  uint32_t U32(size_t off) {
    uint32_t v = 0;
    if (Has(off, 4)) std::memcpy(&v, data_ + off, 4);
    else ok = false;
    return v;
  }
  int32_t I32(size_t off) { return int32_t(U32(off)); }
  float F32(size_t off) {
    const uint32_t u = U32(off);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
  }
  POINT Point(size_t off) { return POINT{I32(off), I32(off + 4)}; }
  POINT Point16(size_t off) {
    const uint32_t u = U32(off);
    return POINT{int16_t(u & 0xFFFF), int16_t(u >> 16)};
  }
  RECT Rect(size_t off) { return RECT{I32(off), I32(off + 4), I32(off + 8), I32(off + 12)}; }
  // The rectangle at the point at `off` with the width at `widthOff` and the height at
  // `heightOff`; the far edges saturate at the int range rather than overflow.
  RECT Extent(size_t off, size_t widthOff, size_t heightOff) {
    const int64_t x = I32(off), y = I32(off + 4);
    auto saturate = [](int64_t v) { return int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v); };
    return RECT{int32_t(x), int32_t(y), saturate(x + I32(widthOff)), saturate(y + I32(heightOff))};
  }
  // A pointer to `n` bytes at `off`, or null (and not ok) when they are not all in the record.
  const uint8_t* Bytes(size_t off, size_t n) {
    if (Has(off, n)) return data_ + off;
    ok = false;
    return nullptr;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace win::gdi
