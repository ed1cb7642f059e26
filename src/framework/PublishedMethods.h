#pragma once
// Event handlers a class publishes by name, so that a component stream can store which handler
// an event holds and find it again when reading: a form registers its handlers once,
//
//   fw::RegisterMethods<TMainForm>({{"OpenExecute", &TMainForm::OpenExecute}});
//
// and an event set to fw::MethodAddress(form, "OpenExecute") is written as that name. A handler
// made any other way (a lambda) names no code: it is not stored.

#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/ClassesTypes.h"

namespace fw {

// A published handler bound to the instance that publishes it; callable as a TNotifyEvent.
class TPublishedMethod {
 public:
  using TCall = void (*)(const void* Member, TObject* Instance, TObject* Sender);
  TPublishedMethod(String Name, TObject* Instance, const void* Member, TCall Call)
      : FName(std::move(Name)), FInstance(Instance), FMember(Member), FCall(Call) {}
  void operator()(TObject* Sender) const { FCall(FMember, FInstance, Sender); }
  const String& Name() const { return FName; }
  TObject* Instance() const { return FInstance; }

 private:
  String FName;
  TObject* FInstance;
  const void* FMember;  // the registered member pointer (lives in the class's table)
  TCall FCall;
};

struct TMethodEntry {
  String Name;
  const void* Member;
  TPublishedMethod::TCall Call;
};

// Registers (or replaces) the handlers class C publishes; a class also publishes its bases'.
void RegisterMethodTable(const std::type_info& Type, bool (*IsInstance)(TObject*), std::vector<TMethodEntry> Methods);

template <typename C>
void RegisterMethods(std::vector<std::pair<String, void (C::*)(TObject*)>> Methods) {
  using TMember = void (C::*)(TObject*);
  // The member pointers need a home that outlives the table: one per class, never freed.
  static std::vector<TMember>* members = new std::vector<TMember>();
  members->clear();
  members->reserve(Methods.size());
  std::vector<TMethodEntry> entries;
  for (auto& [name, member] : Methods) {
    members->push_back(member);
    entries.push_back({name, &members->back(), [](const void* m, TObject* instance, TObject* sender) {
                         (static_cast<C*>(instance)->**static_cast<const TMember*>(m))(sender);
                       }});
  }
  RegisterMethodTable(
      typeid(C), [](TObject* o) { return dynamic_cast<C*>(o) != nullptr; }, std::move(entries));
}

// The handler Instance publishes under Name (letter case aside), bound to it; empty when it
// publishes none of that name.
TNotifyEvent MethodAddress(TObject* Instance, std::string_view Name);
// The name of the published handler an event holds; empty for none or a handler of another kind.
String MethodName(const TNotifyEvent& Event);

}  // namespace fw
