#include "export/GIFImageEncoder.h"

#include <cstddef>
#include <memory>

namespace kvexport {
namespace {

// Strings already in the code table, indexed directly by pixel << 12 | prefix code: one load
// per pixel instead of a hash probe chain. Runs of one colour walk consecutive prefix codes, so
// their lookups share cache lines. Clearing resets only the entries handed out since the last
// clear.
class TCodeTable {
 public:
  static constexpr std::size_t kEntries = std::size_t{256} << 12;

  TCodeTable() : codes_(std::make_unique<std::uint16_t[]>(kEntries)) {}

  static std::uint32_t Key(int Prefix, int Pixel) {
    return static_cast<std::uint32_t>(Pixel) << 12 | static_cast<std::uint32_t>(Prefix);
  }
  // The code of a string, or 0 when it is not in the table (0 is never a string code).
  int Find(std::uint32_t Key) const { return codes_[Key]; }
  void Store(std::uint32_t Key, int Code) {
    codes_[Key] = static_cast<std::uint16_t>(Code);
    keys_[usedCount_++] = Key;
  }
  void Clear() {
    for (int i = 0; i < usedCount_; ++i) codes_[keys_[i]] = 0;
    usedCount_ = 0;
  }

 private:
  std::unique_ptr<std::uint16_t[]> codes_;
  std::uint32_t keys_[4096] = {};
  int usedCount_ = 0;
};

class TLZWEncoder final : public TGIFEncoder {
 public:
  using TGIFEncoder::TGIFEncoder;

 protected:
  void OutputCode(int Code) override {
    TGIFEncoder::OutputCode(Code);
    if (justCleared_) {
      bitsPerCode_ = initBitsPerCode_;
      maxCode_ = (1 << bitsPerCode_) - 1;
      justCleared_ = false;
    } else if (freeEntry_ > maxCode_) {
      ++bitsPerCode_;
      // Codes stay within 12 bits: the table is cleared before code 4095 would be given out.
      maxCode_ = bitsPerCode_ == 12 ? 4096 : (1 << bitsPerCode_) - 1;
    }
  }

  void Clear() override {
    TGIFEncoder::Clear();
    table_->Clear();
    freeEntry_ = clearCode_ + 2;
  }

  // One tight loop over the pixels: codes are packed into a local bit accumulator and whole
  // bytes go straight to the sub-block writer, with no per-pixel calls.
  void DoCompress() override {
    table_ = std::make_unique<TCodeTable>();
    TCodeTable& table = *table_;
    Clear();
    TGIFWriter& writer = *writer_;
    std::uint64_t bits = bitBucket_ & ((std::uint64_t{1} << bitCount_) - 1);
    int bitCount = bitCount_;
    int codeSize = bitsPerCode_;
    int maxCode = maxCode_;
    int freeEntry = freeEntry_;
    const int clearCode = clearCode_;
    const int initCodeSize = initBitsPerCode_;
    // Same code width rules as OutputCode: the width grows once the next free code no longer
    // fits, and drops back to the initial width right after a clear code.
    auto emit = [&](int code) {
      bits |= static_cast<std::uint64_t>(code) << bitCount;
      bitCount += codeSize;
      while (bitCount >= 8) {
        writer.Put(static_cast<std::uint8_t>(bits));
        bits >>= 8;
        bitCount -= 8;
      }
    };
    auto emitAndResize = [&](int code) {
      emit(code);
      if (freeEntry > maxCode) {
        ++codeSize;
        maxCode = codeSize == 12 ? 4096 : (1 << codeSize) - 1;
      }
    };

    const std::uint8_t* span = data_;
    std::size_t spanLength = interlace_ ? static_cast<std::size_t>(width_)
                                        : static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    CheckColors(span, spanLength);
    int prefix = span[0];
    std::size_t start = 1;
    for (;;) {
      for (std::size_t i = start; i < spanLength; ++i) {
        const int pixel = span[i];
        const std::uint32_t key = TCodeTable::Key(prefix, pixel);
        const int code = table.Find(key);
        if (code != 0) {
          prefix = code;
          continue;
        }
        emitAndResize(prefix);
        prefix = pixel;
        if (freeEntry >= 4095) {
          emit(clearCode);
          codeSize = initCodeSize;
          maxCode = (1 << codeSize) - 1;
          table.Clear();
          freeEntry = clearCode + 2;
        } else {
          table.Store(key, freeEntry);
          ++freeEntry;
        }
      }
      span = NextInterlacedRow();
      if (!span) break;
      CheckColors(span, spanLength);
      start = 0;
    }
    bitBucket_ = static_cast<std::uint32_t>(bits);
    bitCount_ = bitCount;
    bitsPerCode_ = codeSize;
    maxCode_ = maxCode;
    freeEntry_ = freeEntry;
    justCleared_ = false;
    OutputCode(prefix);
    table_.reset();
  }

 private:
  std::unique_ptr<TCodeTable> table_;
  int freeEntry_ = 0;
};

}  // namespace

std::unique_ptr<TGIFEncoder> MakeLZWEncoder(std::vector<std::uint8_t>& Out) {
  return std::make_unique<TLZWEncoder>(Out);
}

}  // namespace kvexport
