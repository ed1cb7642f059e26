#include "framework/PropInfo.h"

#include <memory>
#include <mutex>
#include <stdexcept>
#include <typeindex>
#include <unordered_map>

#include "framework/SysUtils.h"

namespace fw {

namespace {

struct TPropTable {
  const std::type_info* Type = nullptr;
  const std::type_info* Parent = nullptr;
  std::function<bool(TPersistent*)> IsInstance;
  std::vector<TPropInfo> Props;
};

std::mutex gTablesLock;
// The property list of each class asked for so far; cleared whenever a table changes.
std::unordered_map<std::type_index, std::vector<const TPropInfo*>> gListCache;
std::vector<std::unique_ptr<TPropTable>>& Tables() {
  static std::vector<std::unique_ptr<TPropTable>> tables;
  return tables;
}

const TPropTable* TableOf(const std::type_info* type) {
  for (const auto& t : Tables())
    if (*t->Type == *type) return t.get();
  return nullptr;
}

// Root first: the chain of tables from the root class down to Table.
std::vector<const TPropTable*> Chain(const TPropTable* table) {
  std::vector<const TPropTable*> chain;
  // A parent named but not registered ends the chain; the guard stops a table naming itself.
  while (table && chain.size() < Tables().size()) {
    chain.insert(chain.begin(), table);
    table = table->Parent ? TableOf(table->Parent) : nullptr;
  }
  return chain;
}

}  // namespace

bool TPropInfo::ShouldStore(TPersistent* Instance) const {
  if (IsStored && !IsStored(Instance)) return false;
  if (Kind == pkObject) return GetObject(Instance) != nullptr;
  TPropValue value = Get(Instance);
  if (DefaultValue) return value != *DefaultValue;
  if (const auto* s = std::get_if<String>(&value)) return !s->empty();
  if (const auto* w = std::get_if<WideString>(&value)) return !w->empty();
  if (const auto* c = std::get_if<TComponent*>(&value)) return *c != nullptr;
  return true;
}

void RegisterPropTable(const std::type_info& Type, const std::type_info* Parent,
                       std::function<bool(TPersistent*)> IsInstance, std::vector<TPropInfo> Props) {
  for (const TPropInfo& p : Props)
    if (p.Kind == pkEnumeration && p.EnumNames.empty())
      throw std::logic_error("enumeration property " + p.Name + " has no value names");
  std::lock_guard lock(gTablesLock);
  gListCache.clear();
  auto table = std::make_unique<TPropTable>();
  table->Type = &Type;
  table->Parent = Parent;
  table->IsInstance = std::move(IsInstance);
  table->Props = std::move(Props);
  for (auto& t : Tables())
    if (*t->Type == Type) {
      t = std::move(table);
      return;
    }
  Tables().push_back(std::move(table));
}

// The framework's own tables (GraphicsProps.cpp), registered at the first look-up.
void RegisterGraphicsProperties();

std::vector<const TPropInfo*> GetPropList(TPersistent* Instance) {
  std::vector<const TPropInfo*> list;
  if (!Instance) return list;
  static std::once_flag graphics;
  std::call_once(graphics, RegisterGraphicsProperties);
  std::lock_guard lock(gTablesLock);
  const std::type_index type(typeid(*Instance));
  if (auto it = gListCache.find(type); it != gListCache.end()) return it->second;
  // The most derived applicable table is the one with the longest chain.
  std::vector<const TPropTable*> best;
  for (const auto& t : Tables()) {
    if (!t->IsInstance(Instance)) continue;
    std::vector<const TPropTable*> chain = Chain(t.get());
    if (chain.size() > best.size()) best = std::move(chain);
  }
  for (const TPropTable* t : best)
    for (const TPropInfo& p : t->Props) list.push_back(&p);
  gListCache.emplace(type, list);
  return list;
}

const TPropInfo* GetPropInfo(TPersistent* Instance, std::string_view Name) {
  for (const TPropInfo* p : GetPropList(Instance))
    if (AnsiSameText(p->Name, Name)) return p;
  return nullptr;
}

}  // namespace fw
