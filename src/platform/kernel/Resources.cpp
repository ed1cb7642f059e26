#include "platform/kernel/Resources.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

// An integer id or an upper-cased name.
struct Key {
  uintptr_t id = 0;
  std::u16string name;
  friend bool operator<(const Key& a, const Key& b) { return a.id != b.id ? a.id < b.id : a.name < b.name; }
};

Key MakeKey(LPCWSTR p) {
  if (IS_INTRESOURCE(p)) return Key{reinterpret_cast<uintptr_t>(p), {}};
  return Key{0, UpperCase(p)};
}

struct Entry {
  std::vector<unsigned char> bytes;
};

struct Bundle {
  std::mutex mutex;
  std::deque<Entry> entries;  // never shrinks, so handed-out pointers stay valid
  std::set<const Entry*> valid;
  std::map<std::pair<Key, Key>, const Entry*> index;
  std::map<UINT, std::u16string> strings;
};

Bundle& TheBundle() {
  static Bundle bundle;
  return bundle;
}

const Entry* Validate(Bundle& b, const void* handle) {
  const auto* entry = static_cast<const Entry*>(handle);
  return b.valid.count(entry) ? entry : nullptr;
}

}  // namespace

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  if (!name || !type) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  auto it = b.index.find({MakeKey(type), MakeKey(name)});
  if (it == b.index.end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HRSRC>(const_cast<Entry*>(it->second));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  if (!Validate(b, resource)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return reinterpret_cast<HGLOBAL>(resource);
}

const void* LockResource(HGLOBAL data) {
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  const Entry* entry = Validate(b, data);
  if (!entry) return nullptr;
  // An empty resource still yields a valid pointer.
  static const unsigned char kEmpty = 0;
  return entry->bytes.empty() ? &kEmpty : entry->bytes.data();
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  const Entry* entry = Validate(b, resource);
  if (!entry) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return DWORD(entry->bytes.size());
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer || bufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  auto it = b.strings.find(id);
  if (it == b.strings.end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (bufferMax > 0) buffer[0] = 0;
    return 0;
  }
  const std::u16string& text = it->second;
  if (bufferMax == 0) {
    // std::map nodes are stable: the text stays where it is until replaced.
    const char16_t* p = text.c_str();
    std::memcpy(buffer, &p, sizeof p);
    return int(text.size());
  }
  const size_t count = std::min(text.size(), size_t(bufferMax - 1));
  std::memcpy(buffer, text.data(), count * sizeof(char16_t));
  buffer[count] = 0;
  return int(count);
}

namespace resources {

void Register(LPCWSTR type, LPCWSTR name, const void* data, std::size_t size) {
  if (!type || !name || (!data && size > 0)) return;
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  Entry& entry = b.entries.emplace_back();
  if (size > 0) entry.bytes.assign(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
  b.valid.insert(&entry);
  b.index[{MakeKey(type), MakeKey(name)}] = &entry;
}

void RegisterString(UINT id, std::u16string_view text) {
  Bundle& b = TheBundle();
  std::lock_guard lock(b.mutex);
  b.strings[id] = std::u16string(text);
}

}  // namespace resources
}  // namespace win
