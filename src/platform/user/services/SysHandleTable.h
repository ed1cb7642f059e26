#pragma once
// A table that hands out handle values for objects it owns. A value carries the slot index and
// the slot's generation, so a freed handle never names a later object. Callers hold the mutex
// while they use a found object.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace win {

template <class T>
class SysHandleTable {
 public:
  // `tag` (1..15) is kept in the low bits, so handles of different tables never coincide.
  explicit SysHandleTable(uintptr_t tag) : tag_(tag) {}

  std::mutex& Mutex() { return mutex_; }

  uintptr_t Add(std::unique_ptr<T> obj) {  // mutex held
    uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      index = uint32_t(slots_.size());
      slots_.emplace_back();
    }
    slots_[index].obj = std::move(obj);
    return Encode(index, slots_[index].generation);
  }

  T* Find(uintptr_t value) const {  // mutex held
    uint32_t index;
    if (!Decode(value, &index)) return nullptr;
    return slots_[index].obj.get();
  }

  std::unique_ptr<T> Remove(uintptr_t value) {  // mutex held
    uint32_t index;
    if (!Decode(value, &index) || !slots_[index].obj) return nullptr;
    auto obj = std::move(slots_[index].obj);
    slots_[index].generation = (slots_[index].generation + 1) & kGenerationMask;
    if (slots_[index].generation == 0) slots_[index].generation = 1;
    free_.push_back(index);
    return obj;
  }

  size_t LiveCount() const {  // mutex held
    return slots_.size() - free_.size();
  }

  // Calls f(handle value, object) for every live object. Mutex held; f must not add or remove.
  template <class F>
  void ForEach(F&& f) const {
    for (uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].obj) f(Encode(i, slots_[i].generation), *slots_[i].obj);
  }

 private:
  static constexpr uintptr_t kGenerationMask = 0xFFFF;
  struct Slot {
    std::unique_ptr<T> obj;
    uintptr_t generation = 1;
  };

  uintptr_t Encode(uint32_t index, uintptr_t generation) const {
    return ((uintptr_t(index) + 1) << 20) | (generation << 4) | tag_;
  }
  bool Decode(uintptr_t value, uint32_t* index) const {
    if ((value & 0xF) != tag_) return false;
    uintptr_t slot = value >> 20;
    if (slot == 0 || slot > slots_.size()) return false;
    *index = uint32_t(slot - 1);
    return slots_[*index].generation == ((value >> 4) & kGenerationMask) && slots_[*index].obj != nullptr;
  }

  uintptr_t tag_;
  std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
};

}  // namespace win
