#pragma once
// Published properties: per class, a small declarative table of the properties the component
// streams read and write (C++ has no run-time type information of this kind). A class's table
// names its parent class, so an instance sees its own properties after its ancestors'.
//
//   fw::RegisterProperties<TChartLegend, TPlotCustomShapePosition>({
//       fw::Prop("Alignment", &TChartLegend::Alignment, &TChartLegend::SetAlignment)
//           .Names({"laLeft", "laRight", "laTop", "laBottom"}).Default(laRight),
//       fw::ObjectProp("DividingLines", &TChartLegend::DividingLines)});

#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <variant>
#include <vector>

#include "framework/Persistent.h"
#include "framework/PublishedMethods.h"

namespace fw {

class TComponent;

enum TPropKind {
  pkInteger,     // whole numbers up to 64 bits
  pkFloat,       // Extended
  pkBoolean,
  pkEnumeration, // stored by its value's name
  pkString,      // UTF-8
  pkWideString,
  pkObject,      // a persistent object the instance owns: its own properties are stored
  pkComponent,   // a link to another component: stored by name, resolved when reading ends
  pkMethod       // an event holding a published handler: stored by the handler's name, found
                 // again among the handlers the read's root (or its owner) publishes
};

// A property's value as the streams carry it: ordinals (integers, booleans, enumerations) as
// Int64, floats as Extended, texts, and components for links.
using TPropValue = std::variant<Int64, Extended, String, WideString, TComponent*>;

struct TPropInfo {
  String Name;
  TPropKind Kind = pkInteger;
  // Value names by ordinal, for pkEnumeration.
  std::vector<String> EnumNames;
  std::function<TPropValue(TPersistent*)> Get;
  std::function<void(TPersistent*, const TPropValue&)> Set;  // empty for pkObject
  std::function<TPersistent*(TPersistent*)> GetObject;       // pkObject only
  // pkMethod: Get gives the handler's name (empty: none stored), SetMethod takes the handler.
  std::function<void(TPersistent*, const TNotifyEvent&)> SetMethod;
  // Not stored when the value equals the default; without one, numbers are always stored and
  // texts when not empty.
  std::optional<TPropValue> DefaultValue;
  // Not stored at all when this says so.
  std::function<bool(TPersistent*)> IsStored;
  // A pkInteger property holding one UTF-16 character (a password character, a separator):
  // wide controls store it once more as text beside the number.
  bool IsWideChar = false;

  TPropInfo& WideChar() {
    IsWideChar = true;
    return *this;
  }
  TPropInfo& Default(TPropValue Value) {
    DefaultValue = std::move(Value);
    return *this;
  }
  template <typename E>
    requires std::is_enum_v<E>
  TPropInfo& Default(E Value) {
    DefaultValue = Int64(Value);
    return *this;
  }
  TPropInfo& Default(bool Value) {
    DefaultValue = Int64(Value);
    return *this;
  }
  TPropInfo& Default(Integer Value) {
    DefaultValue = Int64(Value);
    return *this;
  }
  TPropInfo& Default(double Value) {
    DefaultValue = Extended(Value);
    return *this;
  }
  TPropInfo& Names(std::vector<String> Values) {
    EnumNames = std::move(Values);
    Kind = pkEnumeration;
    return *this;
  }
  TPropInfo& Stored(std::function<bool(TPersistent*)> Predicate) {
    IsStored = std::move(Predicate);
    return *this;
  }
  // Whether Instance's value is to be written.
  bool ShouldStore(TPersistent* Instance) const;
};

namespace detail {

template <typename V>
constexpr TPropKind KindOf() {
  if constexpr (std::is_same_v<V, bool>) return pkBoolean;
  else if constexpr (std::is_enum_v<V>) return pkEnumeration;  // its Names are required
  else if constexpr (std::is_integral_v<V>) return pkInteger;
  else if constexpr (std::is_floating_point_v<V>) return pkFloat;
  else if constexpr (std::is_same_v<V, String>) return pkString;
  else if constexpr (std::is_same_v<V, WideString>) return pkWideString;
  else if constexpr (std::is_pointer_v<V>) return pkComponent;
  else static_assert(!sizeof(V), "no stream kind for this property type");
}

template <typename V>
TPropValue ToValue(const V& v) {
  if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) return Int64(v);
  else if constexpr (std::is_floating_point_v<V>) return Extended(v);
  else if constexpr (std::is_pointer_v<V>) return static_cast<TComponent*>(v);
  else return v;
}

template <typename V>
V FromValue(const TPropValue& v) {
  if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) return V(std::get<Int64>(v));
  else if constexpr (std::is_floating_point_v<V>) return V(std::get<Extended>(v));
  else if constexpr (std::is_pointer_v<V>) {
    // A link of the wrong class reads as none rather than as a miscast pointer.
    return dynamic_cast<V>(std::get<TComponent*>(v));
  } else return std::get<V>(v);
}

}  // namespace detail

// A property read and written through a getter and a setter of class C.
template <typename C, typename G, typename S>
TPropInfo Prop(String Name, G (C::*Get)() const, void (C::*Set)(S)) {
  using V = std::remove_cvref_t<G>;
  TPropInfo info;
  info.Name = std::move(Name);
  info.Kind = detail::KindOf<V>();
  info.Get = [Get](TPersistent* p) { return detail::ToValue<V>((static_cast<C*>(p)->*Get)()); };
  info.Set = [Set](TPersistent* p, const TPropValue& v) { (static_cast<C*>(p)->*Set)(detail::FromValue<V>(v)); };
  return info;
}

// A property that is a public field of class C.
template <typename C, typename V>
TPropInfo FieldProp(String Name, V C::*Field) {
  TPropInfo info;
  info.Name = std::move(Name);
  info.Kind = detail::KindOf<V>();
  info.Get = [Field](TPersistent* p) { return detail::ToValue<V>(static_cast<C*>(p)->*Field); };
  info.Set = [Field](TPersistent* p, const TPropValue& v) { static_cast<C*>(p)->*Field = detail::FromValue<V>(v); };
  return info;
}

// A property read and written through functions, for values a plain setter cannot take in
// any order (bounds that must stay ordered, indexes into the owner's lists).
template <typename C, typename V>
TPropInfo FuncProp(String Name, std::function<V(C*)> Get, std::function<void(C*, V)> Set) {
  TPropInfo info;
  info.Name = std::move(Name);
  info.Kind = detail::KindOf<V>();
  info.Get = [Get](TPersistent* p) { return detail::ToValue<V>(Get(static_cast<C*>(p))); };
  info.Set = [Set](TPersistent* p, const TPropValue& v) { Set(static_cast<C*>(p), detail::FromValue<V>(v)); };
  return info;
}

// An event that is a public field of class C, stored by the name of the published handler it
// holds (PublishedMethods.h).
template <typename C>
TPropInfo EventProp(String Name, TNotifyEvent C::*Field) {
  TPropInfo info;
  info.Name = std::move(Name);
  info.Kind = pkMethod;
  info.Get = [Field](TPersistent* p) -> TPropValue { return MethodName(static_cast<C*>(p)->*Field); };
  info.SetMethod = [Field](TPersistent* p, const TNotifyEvent& v) { static_cast<C*>(p)->*Field = v; };
  return info;
}

// An owned persistent object whose own published properties are stored under this name.
template <typename C, typename O>
TPropInfo ObjectProp(String Name, O* (C::*Get)() const) {
  TPropInfo info;
  info.Name = std::move(Name);
  info.Kind = pkObject;
  info.GetObject = [Get](TPersistent* p) -> TPersistent* { return (static_cast<C*>(p)->*Get)(); };
  return info;
}
template <typename C, typename O>
TPropInfo ObjectProp(String Name, O* (C::*Get)()) {
  TPropInfo info;
  info.Name = std::move(Name);
  info.Kind = pkObject;
  info.GetObject = [Get](TPersistent* p) -> TPersistent* { return (static_cast<C*>(p)->*Get)(); };
  return info;
}

// Registers (or replaces) the table of class C, whose parent in the property tree is P (void
// for a root). Call once at start-up, parents in any order. An enumeration property without
// its value names is a programming error (std::logic_error): the reader could not tell which
// numbers are values.
void RegisterPropTable(const std::type_info& Type, const std::type_info* Parent,
                       std::function<bool(TPersistent*)> IsInstance, std::vector<TPropInfo> Props);
template <typename C, typename P = void>
void RegisterProperties(std::vector<TPropInfo> Props) {
  static_assert(std::is_void_v<P> || std::is_base_of_v<P, C>, "the parent table's class must be a base");
  RegisterPropTable(typeid(C), std::is_void_v<P> ? nullptr : &typeid(P),
                    [](TPersistent* p) { return dynamic_cast<C*>(p) != nullptr; }, std::move(Props));
}

// The published properties of Instance, its root class's first; empty when no table applies.
std::vector<const TPropInfo*> GetPropList(TPersistent* Instance);
// The published property of that name (case-insensitive), or nullptr.
const TPropInfo* GetPropInfo(TPersistent* Instance, std::string_view Name);

}  // namespace fw
