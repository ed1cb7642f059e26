#include "export/GIFImageCoders.h"
#include "export/GIFImageException.h"
#include "framework/Streams.h"

#include <cstring>
#include <memory>

namespace kvexport {
namespace {

constexpr int kMaxCodes = 4096;

// Where the code stream comes from: a byte block or a stream, read a sub-block at a time.
class TCodeSource {
 public:
  virtual ~TCodeSource() = default;
  // Up to Count bytes; fewer at the end of the data.
  virtual std::size_t Read(std::uint8_t* Buffer, std::size_t Count) = 0;
  // Moves forward by up to Count bytes.
  virtual void Skip(std::size_t Count) = 0;

  bool ReadByte(std::size_t& Value) {
    std::uint8_t b = 0;
    if (Read(&b, 1) != 1) return false;
    Value = b;
    return true;
  }
};

class TBlockSource final : public TCodeSource {
 public:
  TBlockSource(const std::uint8_t* Data, std::size_t Size) : data_(Data), size_(Data ? Size : 0) {}
  std::size_t Read(std::uint8_t* Buffer, std::size_t Count) override {
    const std::size_t n = Count < size_ - pos_ ? Count : size_ - pos_;
    if (n > 0) std::memcpy(Buffer, data_ + pos_, n);
    pos_ += n;
    return n;
  }
  void Skip(std::size_t Count) override { pos_ += Count < size_ - pos_ ? Count : size_ - pos_; }
  std::size_t Position() const { return pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class TStreamSource final : public TCodeSource {
 public:
  explicit TStreamSource(fw::TStream& Stream) : stream_(Stream) {}
  std::size_t Read(std::uint8_t* Buffer, std::size_t Count) override {
    const auto n = stream_.Read(Buffer, static_cast<fw::Integer>(Count));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  void Skip(std::size_t Count) override {
    const std::size_t n = Count < Left() ? Count : Left();
    stream_.Seek(static_cast<fw::Int64>(n), fw::soCurrent);
  }
  std::size_t Left() {
    const fw::Int64 left = stream_.Size() - stream_.Position();
    return left > 0 ? static_cast<std::size_t>(left) : 0;
  }

 private:
  fw::TStream& stream_;
};

// Classic GIF LZW decoder: codes come from a bit reader over the data sub-blocks, strings are
// unwound through prefix/suffix tables onto a stack, and one pixel is handed out per call.
class TGIFDecoder {
 public:
  TGIFDecoder(TCodeSource& Source, const GIFWarningHandler& Warning) : source_(Source), warning_(Warning) {}

  // Reads the minimum code size; false when the data hold none.
  bool Start() {
    std::size_t bits = 0;
    if (!source_.ReadByte(bits)) return false;
    bitsPerPixel_ = static_cast<int>(bits);
    // Pixels are stored as bytes and the tables hold 12-bit codes.
    if (bitsPerPixel_ > 8) throw GIFException("Invalid GIF data");
    clearCode_ = 1 << bitsPerPixel_;
    endCode_ = clearCode_ + 1;
    codeSize_ = bitsPerPixel_ + 1;
    maxCode_ = 2 * clearCode_;
    freeCode_ = clearCode_ + 2;
    return true;
  }

  // The next pixel, or -1 when the data ran out, -2 at the end code.
  int ReadPixel() {
    if (sp_ > 0) return stack_[--sp_];
    return DecodeNext();
  }

  // Moves past any data sub-blocks still ahead, up to and including the zero block.
  void SkipToZeroBlock() {
    std::size_t count = 0;
    while (!zeroBlockSeen_ && source_.ReadByte(count) && count != 0) source_.Skip(count);
    zeroBlockSeen_ = true;
    readerDone_ = true;
  }

 private:
  void Warn(const char* Message) const {
    if (warning_) warning_(Message);
  }

  void Push(int Value) {
    if (sp_ >= kMaxCodes) throw GIFException("Invalid GIF data");
    stack_[sp_++] = static_cast<std::uint16_t>(Value);
  }

  int NextCode() {
    if (firstCall_) {
      firstCall_ = false;
      return clearCode_;
    }
    if (curBit_ + codeSize_ >= lastBit_) {
      if (readerDone_) {
        if (curBit_ >= lastBit_) Warn("Decoder bit buffer under-run");
        return -1;
      }
      buffer_[0] = buffer_[lastByte_ - 2];
      buffer_[1] = buffer_[lastByte_ - 1];
      std::size_t count = 0;
      if (!source_.ReadByte(count)) return -1;
      if (count == 0) {
        zeroBlockSeen_ = true;
        readerDone_ = true;
      }
      const std::size_t got = source_.Read(buffer_ + 2, count);
      if (got < count) {
        Warn("Premature end of data");
        count = got;
      }
      // Bytes past the data may be looked at by a code that straddles the end: keep them zero.
      std::memset(buffer_ + 2 + count, 0, sizeof buffer_ - 2 - count);
      lastByte_ = 2 + static_cast<int>(count);
      curBit_ = curBit_ - lastBit_ + 16;
      lastBit_ = 8 * lastByte_;
    }
    const int byte = curBit_ / 8;
    const std::uint32_t bits = static_cast<std::uint32_t>(buffer_[byte]) |
                               static_cast<std::uint32_t>(buffer_[byte + 1]) << 8 |
                               static_cast<std::uint32_t>(buffer_[byte + 2]) << 16;
    const int code = static_cast<int>((bits >> (curBit_ % 8)) & ((1u << codeSize_) - 1));
    curBit_ += codeSize_;
    return code;
  }

  int AtEndCode() {
    if (!zeroBlockSeen_) SkipToZeroBlock();
    return -2;
  }

  int DecodeNext() {
    int code = NextCode();
    if (code < 0) return code;
    if (code == clearCode_) {
      for (int i = 0; i < clearCode_; ++i) {
        prefix_[i] = 0;
        suffix_[i] = static_cast<std::uint8_t>(i);
      }
      std::memset(prefix_ + clearCode_, 0, sizeof(prefix_[0]) * (kMaxCodes - clearCode_));
      std::memset(suffix_ + clearCode_, 0, sizeof(suffix_[0]) * (kMaxCodes - clearCode_));
      codeSize_ = bitsPerPixel_ + 1;
      maxCode_ = 2 * clearCode_;
      freeCode_ = clearCode_ + 2;
      sp_ = 0;
      do code = NextCode();
      while (code == clearCode_);
      if (code < 0) return code;
      if (code == endCode_) return AtEndCode();
      // Right after a clear only single pixels have codes.
      if (code > clearCode_) throw GIFException("Invalid GIF data");
      firstCode_ = oldCode_ = code;
      return code;
    }
    if (code == endCode_) return AtEndCode();

    const int inCode = code;
    // A code may name at most the entry about to be made; anything past it is corrupt, and
    // would let the prefix chain loop.
    if (code > freeCode_) throw GIFException("Invalid GIF data");
    if (code == freeCode_) {
      Push(firstCode_);
      code = oldCode_;
    }
    while (code >= clearCode_) {
      Push(suffix_[code]);
      if (prefix_[code] == code) throw GIFException("Circular decoder table entry");
      code = prefix_[code];
    }
    firstCode_ = suffix_[code];
    Push(firstCode_);
    if (freeCode_ < kMaxCodes) {
      prefix_[freeCode_] = static_cast<std::uint16_t>(oldCode_);
      suffix_[freeCode_] = static_cast<std::uint8_t>(firstCode_);
      ++freeCode_;
      if (freeCode_ >= maxCode_ && maxCode_ < kMaxCodes) {
        maxCode_ *= 2;
        ++codeSize_;
      }
    }
    oldCode_ = inCode;
    return stack_[--sp_];
  }

  TCodeSource& source_;
  const GIFWarningHandler& warning_;

  std::uint16_t prefix_[kMaxCodes] = {};
  std::uint8_t suffix_[kMaxCodes] = {};
  std::uint16_t stack_[kMaxCodes] = {};
  int sp_ = 0;

  std::uint8_t buffer_[2 + 255 + 3] = {};
  int curBit_ = 0;
  int lastBit_ = 0;
  int lastByte_ = 2;
  bool firstCall_ = true;
  bool zeroBlockSeen_ = false;
  bool readerDone_ = false;

  int bitsPerPixel_ = 0;
  int clearCode_ = 0;
  int endCode_ = 0;
  int codeSize_ = 0;
  int maxCode_ = 0;
  int freeCode_ = 0;
  int firstCode_ = 0;
  int oldCode_ = 0;
};

// Fills the rows of one pass; false once the decoder has nothing more to give.
bool FillRows(TGIFDecoder& Decoder, std::uint8_t* Pixels, int Width, int Height, int FirstRow, int Step) {
  for (int y = FirstRow; y < Height; y += Step) {
    std::uint8_t* row = Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width);
    for (int x = 0; x < Width; ++x) {
      const int value = Decoder.ReadPixel();
      if (value < 0) return false;
      row[x] = static_cast<std::uint8_t>(value);
    }
  }
  return true;
}

void DecodeFrame(TCodeSource& Source, std::uint8_t* Pixels, int Width, int Height, bool Interlaced,
                 std::uint8_t Prefill, const GIFWarningHandler& Warning) {
  if (Width < 0 || Height < 0) throw GIFException("Invalid GIF data");
  if (Pixels)
    std::memset(Pixels, Prefill, static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
  auto decoder = std::make_unique<TGIFDecoder>(Source, Warning);
  if (!decoder->Start()) return;
  if (Pixels) {
    if (Interlaced) {
      static constexpr int kFirst[4] = {0, 4, 2, 1};
      static constexpr int kStep[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        if (!FillRows(*decoder, Pixels, Width, Height, kFirst[pass], kStep[pass])) break;
    } else {
      FillRows(*decoder, Pixels, Width, Height, 0, 1);
    }
  }
  // Normally this meets the end code; any data still ahead belong to this frame and are skipped.
  decoder->ReadPixel();
  decoder->SkipToZeroBlock();
}

}  // namespace

std::size_t GIFDecodeFrame(const std::uint8_t* Data, std::size_t Size, std::uint8_t* Pixels, int Width,
                           int Height, bool Interlaced, std::uint8_t Prefill,
                           const GIFWarningHandler& Warning) {
  TBlockSource source(Data, Size);
  DecodeFrame(source, Pixels, Width, Height, Interlaced, Prefill, Warning);
  return source.Position();
}

void GIFDecodeFrame(fw::TStream& Stream, std::uint8_t* Pixels, int Width, int Height, bool Interlaced,
                    std::uint8_t Prefill, const GIFWarningHandler& Warning) {
  TStreamSource source(Stream);
  DecodeFrame(source, Pixels, Width, Height, Interlaced, Prefill, Warning);
}

}  // namespace kvexport
