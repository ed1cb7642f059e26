// The table behind every GDI handle: slot index in the low 32 bits (plus one, so no handle is
// null), the slot's generation in the high bits. A slot's generation moves on when its object is
// removed, so a stale handle never finds the next object placed in the same slot.

#include <cstdint>

#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {
namespace {

constexpr uint64_t kIndexMask = 0xFFFFFFFFull;

uintptr_t MakeHandle(uint32_t index, uint32_t generation) {
  return uintptr_t((uint64_t(generation) << 32) | (uint64_t(index) + 1));
}

}  // namespace

HandleTable& HandleTable::Instance() {
  // Never destroyed: handles may be released by static destructors of other parts at exit.
  static HandleTable* table = new HandleTable;
  return *table;
}

HGDIOBJ HandleTable::Add(std::unique_ptr<Object> obj) {
  if (!obj) return nullptr;
  std::lock_guard lock(mutex_);
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    if (slots_.size() >= kIndexMask - 1) return nullptr;
    index = uint32_t(slots_.size());
    slots_.emplace_back();
  }
  Slot& slot = slots_[index];
  slot.obj = std::move(obj);
  return reinterpret_cast<HGDIOBJ>(MakeHandle(index, slot.generation));
}

Object* HandleTable::Find(HGDIOBJ h) const {
  const uint64_t v = uint64_t(reinterpret_cast<uintptr_t>(h));
  const uint64_t low = v & kIndexMask;
  if (low == 0) return nullptr;
  const uint64_t index = low - 1;
  const uint32_t generation = uint32_t(v >> 32);
  std::lock_guard lock(mutex_);
  if (index >= slots_.size()) return nullptr;
  const Slot& slot = slots_[index];
  if (slot.generation != generation || !slot.obj) return nullptr;
  return slot.obj.get();
}

bool HandleTable::Remove(HGDIOBJ h) {
  std::unique_ptr<Object> doomed;
  {
    const uint64_t v = uint64_t(reinterpret_cast<uintptr_t>(h));
    const uint64_t low = v & kIndexMask;
    if (low == 0) return false;
    const uint64_t index = low - 1;
    std::lock_guard lock(mutex_);
    if (index >= slots_.size()) return false;
    Slot& slot = slots_[index];
    if (slot.generation != uint32_t(v >> 32) || !slot.obj) return false;
    if (slot.obj->stock) return false;  // shared for the life of the process
    doomed = std::move(slot.obj);
    // Generation 0 is never handed out, so a wrapped counter cannot revive handle values.
    if (++slot.generation == 0) slot.generation = 1;
    free_.push_back(uint32_t(index));
  }
  // Destroyed outside the lock: an object's destructor may release other handles.
  return true;
}

size_t HandleTable::LiveCount() const {
  std::lock_guard lock(mutex_);
  return slots_.size() - free_.size();
}

}  // namespace win::gdi
