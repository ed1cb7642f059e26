#pragma once
// The roots of the class tree: TObject (class name, type tests) and TPersistent (Assign), and the
// registry of classes by name through which components made in code are found again by name.

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

#include "framework/ClassesTypes.h"

namespace fw {

class TComponent;
class TFiler;
struct TMessage;  // framework/ControlMessages.h

// The unqualified class name of a C++ type ("TButton" for fw::TButton).
String ClassNameOf(const std::type_info& type);

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  String ClassName() const { return ClassNameOf(typeid(*this)); }
  template <typename T>
  bool InheritsFrom() const {
    return dynamic_cast<const T*>(this) != nullptr;
  }

  // Message handling by number, for any object (themes, relays and views hear notices this way,
  // not only controls): a class answers its messages in an override of Dispatch, calling its
  // handler (named after the message) or the inherited Dispatch; a message nobody answers ends
  // in DefaultHandler, which does nothing here.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
};

class TPersistent : public TObject {
 public:
  // Copies Source into this object; the base asks Source to do it (AssignTo) and raises
  // EConvertError "Cannot assign a <source class> to a <this class>" when neither knows how.
  virtual void Assign(TPersistent* Source);
  // The object that owns this one in a name path (collections and their items use it).
  virtual TPersistent* GetOwner() { return nullptr; }
  // Names the extra stream properties that are not published (Filer->DefineProperty); the
  // component streams call it on every object they write or read.
  virtual void DefineProperties(TFiler* Filer) {}

 protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
};

// A class reference of the registry: the name and how to make an instance.
struct TPersistentClassInfo {
  String Name;
  const std::type_info* Type = nullptr;
  // Makes an instance with the given owner (components) or without one.
  std::function<TPersistent*(TComponent* Owner)> Create;
};
using TPersistentClass = const TPersistentClassInfo*;

// Registering a name twice keeps the first class. Names compare without case.
void RegisterClassInfo(TPersistentClassInfo info);
void UnRegisterClassName(std::string_view name);
// nullptr when the name is unknown.
TPersistentClass GetClass(std::string_view name);
// Raises EClassNotFound "Class %s not found" when the name is unknown.
TPersistentClass FindClass(std::string_view name);

template <typename T>
void RegisterClass() {
  TPersistentClassInfo info;
  info.Name = ClassNameOf(typeid(T));
  info.Type = &typeid(T);
  info.Create = [](TComponent* owner) -> TPersistent* {
    if constexpr (std::is_constructible_v<T, TComponent*>) {
      return new T(owner);
    } else {
      (void)owner;
      return new T();
    }
  };
  RegisterClassInfo(std::move(info));
}

}  // namespace fw
