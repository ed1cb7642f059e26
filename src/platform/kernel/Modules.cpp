#include "platform/kernel/Modules.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

struct Function {
  FARPROC address = nullptr;
  bool hidden = false;
};

struct Module {
  uintptr_t handle = 0;
  std::map<std::string, Function> functions;
  bool hidden = false;
  int loadCount = 0;

  bool Present() const {
    if (hidden) return false;
    for (const auto& [name, fn] : functions)
      if (!fn.hidden) return true;
    return false;
  }
};

struct Table {
  std::mutex mutex;
  std::map<std::u16string, Module> modules;
  // Module handles are small tagged values, never valid addresses.
  uintptr_t nextHandle = 0x7E000010;
};

Table& TheTable() {
  static Table table;
  return table;
}

std::u16string Canonical(std::u16string_view name) {
  // Only the file name counts, as the table has no folders.
  const size_t slash = name.find_last_of(u"/\\");
  std::u16string result = LowerCase(slash == std::u16string_view::npos ? name : name.substr(slash + 1));
  if (result.find(u'.') == std::u16string::npos) result += u".dll";
  return result;
}

Module* FindByHandle(Table& table, HMODULE handle) {
  for (auto& [name, module] : table.modules)
    if (module.handle == reinterpret_cast<uintptr_t>(handle)) return &module;
  return nullptr;
}

Module& Ensure(Table& table, std::u16string_view name) {
  Module& module = table.modules[Canonical(name)];
  if (module.handle == 0) {
    module.handle = table.nextHandle;
    table.nextHandle += 0x10;
  }
  return module;
}

HMODULE Open(LPCWSTR fileName, bool countLoad) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  auto it = table.modules.find(Canonical(fileName));
  if (it == table.modules.end() || !it->second.Present()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (countLoad) ++it->second.loadCount;
  return reinterpret_cast<HMODULE>(it->second.handle);
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR fileName) { return Open(fileName, true); }
HMODULE GetModuleHandleW(LPCWSTR moduleName) { return Open(moduleName, false); }

BOOL FreeLibrary(HMODULE handle) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  Module* module = FindByHandle(table, handle);
  if (!module || module->loadCount <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  --module->loadCount;
  return TRUE;
}

FARPROC GetProcAddress(HMODULE handle, LPCSTR procName) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  Module* module = FindByHandle(table, handle);
  if (!module) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Lookup by ordinal (a small integer in place of the name) is not supported.
  if (!procName || reinterpret_cast<uintptr_t>(procName) <= 0xFFFF || module->hidden) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  auto it = module->functions.find(procName);
  if (it == module->functions.end() || it->second.hidden || !it->second.address) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return it->second.address;
}

namespace modules {

void Register(std::u16string_view moduleName, std::string_view function, FARPROC address) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  Module& module = Ensure(table, moduleName);
  Function& entry = module.functions[std::string(function)];
  entry.address = address;
}

void Unregister(std::u16string_view moduleName) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  table.modules.erase(Canonical(moduleName));
}

void RemoveForTesting(std::u16string_view moduleName, std::string_view function) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  auto it = table.modules.find(Canonical(moduleName));
  if (it == table.modules.end()) return;
  auto fn = it->second.functions.find(std::string(function));
  if (fn != it->second.functions.end()) fn->second.hidden = true;
}

void RemoveModuleForTesting(std::u16string_view moduleName) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  auto it = table.modules.find(Canonical(moduleName));
  if (it != table.modules.end()) it->second.hidden = true;
}

void RestoreAll() {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  for (auto& [name, module] : table.modules) {
    module.hidden = false;
    for (auto& [fnName, fn] : module.functions) fn.hidden = false;
  }
}

}  // namespace modules
}  // namespace win
