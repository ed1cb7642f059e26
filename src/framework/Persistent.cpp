#include "framework/Persistent.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "framework/SysUtils.h"

namespace fw {

String ClassNameOf(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  String full = status == 0 && name ? String(name.get()) : String(type.name());
  // Drop namespaces and template arguments: the framework's names are plain identifiers.
  std::size_t angle = full.find('<');
  if (angle != String::npos) full.erase(angle);
  std::size_t colon = full.rfind("::");
  return colon == String::npos ? full : full.substr(colon + 2);
}

void TObject::Dispatch(TMessage& Message) { DefaultHandler(Message); }

void TObject::DefaultHandler(TMessage&) {}

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
  } else {
    AssignError(nullptr);
  }
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  String sourceName = Source ? Source->ClassName() : String("nil");
  throw EConvertError(Format("Cannot assign a %s to a %s", sourceName, ClassName()));
}

namespace {
std::mutex gRegistryLock;
// Entries are held by pointer so that class references stay valid as the registry grows.
std::vector<std::unique_ptr<TPersistentClassInfo>>& Registry() {
  static std::vector<std::unique_ptr<TPersistentClassInfo>> classes;
  return classes;
}
}  // namespace

void RegisterClassInfo(TPersistentClassInfo info) {
  std::lock_guard lock(gRegistryLock);
  for (const auto& c : Registry()) {
    if (AnsiSameText(c->Name, info.Name)) return;
  }
  Registry().push_back(std::make_unique<TPersistentClassInfo>(std::move(info)));
}

void UnRegisterClassName(std::string_view name) {
  std::lock_guard lock(gRegistryLock);
  auto& r = Registry();
  std::erase_if(r, [&](const auto& c) { return AnsiSameText(c->Name, name); });
}

TPersistentClass GetClass(std::string_view name) {
  std::lock_guard lock(gRegistryLock);
  for (const auto& c : Registry()) {
    if (AnsiSameText(c->Name, name)) return c.get();
  }
  return nullptr;
}

TPersistentClass FindClass(std::string_view name) {
  TPersistentClass c = GetClass(name);
  if (!c) throw EClassNotFound(Format("Class %s not found", String(name)));
  return c;
}

}  // namespace fw
