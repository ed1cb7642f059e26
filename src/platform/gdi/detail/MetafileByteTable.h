#pragma once
// The bytes of metafiles behind handles: one table per handle kind, each with its own counter,
// so handles are never reused and the kinds never answer for each other.

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace win::gdi {

class MetafileByteTable {
 public:
  using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

  explicit MetafileByteTable(uintptr_t FirstHandle) : next_(FirstHandle) {}

  uintptr_t Add(std::vector<uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    const uintptr_t id = next_;
    next_ += 4;
    files_.emplace(id, std::make_shared<const std::vector<uint8_t>>(std::move(bytes)));
    return id;
  }
  // Null for a handle that is not (or no longer) in the table.
  Bytes Find(uintptr_t id) const {
    std::lock_guard lock(mutex_);
    const auto it = files_.find(id);
    return it == files_.end() ? nullptr : it->second;
  }
  bool Erase(uintptr_t id) {
    std::lock_guard lock(mutex_);
    return files_.erase(id) != 0;
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_map<uintptr_t, Bytes> files_;
  uintptr_t next_;
};

}  // namespace win::gdi
