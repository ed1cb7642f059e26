#include "platform/kernel/Registry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

struct Value {
  DWORD type = REG_NONE;
  std::string bytes;
};

struct Store {
  std::mutex mutex;
  // Full key path ("80000001\software\...") in lower case.
  std::set<std::u16string> keys;
  std::map<std::u16string, std::map<std::u16string, Value>> values;
  std::map<uintptr_t, std::u16string> open;
  uintptr_t nextHandle = 0x3000;
};

Store& TheStore() {
  static Store store;
  return store;
}

bool IsRoot(HKEY key) {
  const auto v = reinterpret_cast<uintptr_t>(key);
  return v >= 0x80000000u && v <= 0x80000003u;
}

std::u16string RootName(HKEY key) {
  const auto v = reinterpret_cast<uintptr_t>(key);
  return std::u16string(1, char16_t(u'0' + (v & 0xF)));
}

// Lower case, no leading, trailing or doubled separators.
std::u16string NormalPath(std::u16string_view path) {
  std::u16string out;
  for (char16_t c : path) {
    if (c == u'\\') {
      if (!out.empty() && out.back() != u'\\') out += u'\\';
    } else {
      out += ToLowerChar(c);
    }
  }
  if (!out.empty() && out.back() == u'\\') out.pop_back();
  return out;
}

std::u16string Join(const std::u16string& base, const std::u16string& sub) {
  return sub.empty() ? base : base + u'\\' + sub;
}

// Resolves a key handle to its full path; false for an unknown handle.
bool PathOf(Store& s, HKEY key, std::u16string& path) {
  if (IsRoot(key)) {
    path = RootName(key);
    return true;
  }
  auto it = s.open.find(reinterpret_cast<uintptr_t>(key));
  if (it == s.open.end()) return false;
  path = it->second;
  return true;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result) {
  if (!result) return LSTATUS(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  std::u16string base;
  if (!PathOf(s, key, base)) return LSTATUS(ERROR_INVALID_HANDLE);
  const std::u16string full = Join(base, NormalPath(subKey ? std::u16string_view(subKey) : u""));
  if (full != base && !s.keys.count(full)) return LSTATUS(ERROR_FILE_NOT_FOUND);
  const uintptr_t handle = s.nextHandle;
  s.nextHandle += 4;
  s.open.emplace(handle, full);
  *result = reinterpret_cast<HKEY>(handle);
  return LSTATUS(ERROR_SUCCESS);
}

LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (reserved || (data && !dataSize)) return LSTATUS(ERROR_INVALID_PARAMETER);
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  std::u16string path;
  if (!PathOf(s, key, path)) return LSTATUS(ERROR_INVALID_HANDLE);
  auto values = s.values.find(path);
  if (values == s.values.end()) return LSTATUS(ERROR_FILE_NOT_FOUND);
  auto value = values->second.find(LowerCase(valueName ? std::u16string_view(valueName) : u""));
  if (value == values->second.end()) return LSTATUS(ERROR_FILE_NOT_FOUND);
  if (type) *type = value->second.type;
  const DWORD size = DWORD(value->second.bytes.size());
  if (!dataSize) return LSTATUS(ERROR_SUCCESS);
  if (data && *dataSize < size) {
    *dataSize = size;
    return LSTATUS(ERROR_MORE_DATA);
  }
  if (data) std::memcpy(data, value->second.bytes.data(), size);
  *dataSize = size;
  return LSTATUS(ERROR_SUCCESS);
}

LSTATUS RegCloseKey(HKEY key) {
  if (IsRoot(key)) return LSTATUS(ERROR_SUCCESS);
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  return s.open.erase(reinterpret_cast<uintptr_t>(key)) ? LSTATUS(ERROR_SUCCESS) : LSTATUS(ERROR_INVALID_HANDLE);
}

namespace registry {

void SetValue(HKEY root, std::u16string_view path, std::u16string_view name, DWORD type, std::string_view bytes) {
  if (!IsRoot(root)) return;
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  const std::u16string rel = NormalPath(path);
  std::u16string full = RootName(root);
  // Every ancestor exists too, so it can be opened step by step.
  size_t start = 0;
  while (start <= rel.size() && !rel.empty()) {
    const size_t sep = rel.find(u'\\', start);
    s.keys.insert(Join(RootName(root), rel.substr(0, sep)));
    if (sep == std::u16string::npos) break;
    start = sep + 1;
  }
  full = Join(full, rel);
  s.values[full][LowerCase(name)] = Value{type, std::string(bytes)};
}

void SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text) {
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
  bytes.append(sizeof(char16_t), '\0');  // stored with its terminator, as the system does
  SetValue(root, path, name, REG_SZ, bytes);
}

void SetDword(HKEY root, std::u16string_view path, std::u16string_view name, DWORD value) {
  SetValue(root, path, name, REG_DWORD, std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
}

void Clear() {
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  s.keys.clear();
  s.values.clear();
}

}  // namespace registry
}  // namespace win
