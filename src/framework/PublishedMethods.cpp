#include "framework/PublishedMethods.h"

#include <memory>
#include <mutex>

#include "framework/Persistent.h"
#include "framework/SysUtils.h"

namespace fw {

namespace {

struct TMethodTable {
  const std::type_info* Type;
  bool (*IsInstance)(TObject*);
  std::vector<TMethodEntry> Methods;
};

std::mutex gMethodsLock;
std::vector<TMethodTable>& MethodTables() {
  static std::vector<TMethodTable>* tables = new std::vector<TMethodTable>();
  return *tables;
}

}  // namespace

void RegisterMethodTable(const std::type_info& Type, bool (*IsInstance)(TObject*), std::vector<TMethodEntry> Methods) {
  std::lock_guard lock(gMethodsLock);
  for (TMethodTable& t : MethodTables())
    if (*t.Type == Type) {
      t.Methods = std::move(Methods);
      return;
    }
  MethodTables().push_back({&Type, IsInstance, std::move(Methods)});
}

TNotifyEvent MethodAddress(TObject* Instance, std::string_view Name) {
  if (!Instance || Name.empty()) return nullptr;
  std::lock_guard lock(gMethodsLock);
  for (const TMethodTable& t : MethodTables()) {
    if (!t.IsInstance(Instance)) continue;
    for (const TMethodEntry& m : t.Methods)
      if (AnsiSameText(m.Name, Name)) return TPublishedMethod(m.Name, Instance, m.Member, m.Call);
  }
  return nullptr;
}

String MethodName(const TNotifyEvent& Event) {
  if (const auto* m = Event.target<TPublishedMethod>()) return m->Name();
  return {};
}

}  // namespace fw
