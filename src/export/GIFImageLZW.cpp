#include "export/GIFImageEncoder.h"

#include <cstring>

namespace kvexport {
namespace {

// Strings already in the code table, keyed by prefix code << 8 | pixel. The table never holds
// more than 4096 entries, so 8009 slots leave the probes short.
class THashTable {
 public:
  static constexpr int kSize = 8009;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

  void Clear() { std::memset(slots_, 0xFF, sizeof slots_); }

  // The slot that holds Key, or the empty slot where Key belongs.
  int Find(std::uint32_t Key) const {
    int slot = Hash(Key);
    const int step = Step(slot);
    for (;;) {
      const std::uint32_t entry = slots_[slot];
      if (entry == kEmpty || (entry >> 12) == Key) return slot;
      slot = Next(slot, step);
    }
  }
  // The code in a slot Find returned, or -1 when the slot is empty.
  int CodeAt(int Slot) const { return slots_[Slot] == kEmpty ? -1 : static_cast<int>(slots_[Slot] & 0xFFF); }
  void Store(int Slot, std::uint32_t Key, int Code) {
    slots_[Slot] = Key << 12 | static_cast<std::uint32_t>(Code);
  }

 private:
  static int Hash(std::uint32_t Key) { return static_cast<int>(((Key >> 4) ^ Key) % kSize); }
  // The step is fixed for one key, and coprime to the prime table size, so every slot is reached.
  static int Step(int Slot) { return Slot == 0 ? 1 : kSize - Slot; }
  static int Next(int Slot, int Step) {
    Slot -= Step;
    return Slot < 0 ? Slot + kSize : Slot;
  }

  std::uint32_t slots_[kSize];
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

  void DoCompress() override {
    table_ = std::make_unique<THashTable>();
    Clear();
    int prefix = CurrentPixel();
    while (BumpPixel()) {
      const int pixel = CurrentPixel();
      const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | static_cast<std::uint32_t>(pixel);
      const int slot = table_->Find(key);
      const int code = table_->CodeAt(slot);
      if (code >= 0) {
        prefix = code;
        continue;
      }
      OutputCode(prefix);
      prefix = pixel;
      if (freeEntry_ >= 4095) {
        Clear();
      } else {
        table_->Store(slot, key, freeEntry_);
        ++freeEntry_;
      }
    }
    OutputCode(prefix);
    table_.reset();
  }

 private:
  std::unique_ptr<THashTable> table_;
  int freeEntry_ = 0;
};

}  // namespace

std::unique_ptr<TGIFEncoder> MakeLZWEncoder(std::vector<std::uint8_t>& Out) {
  return std::make_unique<TLZWEncoder>(Out);
}

}  // namespace kvexport
