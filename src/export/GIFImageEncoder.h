#pragma once
// Shared machinery of the two GIF encoders: sub-block packing, bit output and pixel order.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kvexport {

struct GIFCodedFrame;

// Packs bytes into data sub-blocks of at most 255 bytes, each preceded by its length.
class TGIFWriter {
 public:
  explicit TGIFWriter(std::vector<std::uint8_t>& Out) : out_(Out) {}
  void Put(std::uint8_t Byte) {
    buffer_[count_++] = Byte;
    if (count_ == 256) Flush();
  }
  // Writes the pending, possibly short, block.
  void Flush();

 private:
  std::vector<std::uint8_t>& out_;
  std::uint8_t buffer_[256] = {};
  int count_ = 1;
};

class TGIFEncoder {
 public:
  explicit TGIFEncoder(std::vector<std::uint8_t>& Out) : out_(Out) {}
  virtual ~TGIFEncoder() = default;
  TGIFEncoder(const TGIFEncoder&) = delete;
  TGIFEncoder& operator=(const TGIFEncoder&) = delete;

  void Encode(const GIFCodedFrame& Frame);

 protected:
  virtual void OutputCode(int Code);
  virtual void Clear();
  virtual void DoCompress() = 0;

  // Moves to the next pixel in traversal order; false when none is left.
  bool BumpPixel();
  // The current pixel, checked against the colour count.
  int CurrentPixel() const;
  // For interlaced frames, the start of the next row in interlace order; null when no row is
  // left or the frame is not interlaced.
  const std::uint8_t* NextInterlacedRow();
  // Raises the colour table error when one of Count pixels is not below the colour count.
  void CheckColors(const std::uint8_t* Pixels, std::size_t Count) const;

  std::vector<std::uint8_t>& out_;
  TGIFWriter* writer_ = nullptr;
  int bitsPerPixel_ = 2;
  int colorCount_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool interlace_ = false;
  const std::uint8_t* data_ = nullptr;
  std::uint32_t bitBucket_ = 0;
  int bitCount_ = 0;
  bool justCleared_ = false;
  int bitsPerCode_ = 0;
  int initBitsPerCode_ = 0;
  int maxCode_ = 0;
  int clearCode_ = 0;
  int endCode_ = 0;
  int baseCode_ = 0;
  const std::uint8_t* pixel_ = nullptr;
  long long pixelsLeft_ = 0;
  int row_ = 0;
  int pass_ = 0;
};

std::unique_ptr<TGIFEncoder> MakeLZWEncoder(std::vector<std::uint8_t>& Out);
std::unique_ptr<TGIFEncoder> MakeRLEEncoder(std::vector<std::uint8_t>& Out);

}  // namespace kvexport
