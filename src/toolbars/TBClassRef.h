#pragma once
// Class references of the toolbar framework: which class to make, and a factory for it. Items
// name the class of their viewer and popup window, popup windows the class of their view, so a
// themed layer replaces a class by overriding one getter. Objects made through Create get their
// AfterConstruction call (when the class has one), where the work that needs the final class's
// virtuals happens.

#include <typeinfo>

namespace toolbars {

template <class Base, class... Args>
class TTBClassRef {
 public:
  using TFactory = Base* (*)(Args...);

  template <class T>
  static TTBClassRef Of() {
    return TTBClassRef(&typeid(T), [](Args... a) -> Base* {
      T* obj = new T(a...);
      if constexpr (requires { obj->AfterConstruction(); }) {
        try {
          obj->AfterConstruction();
        } catch (...) {
          delete obj;
          throw;
        }
      }
      return obj;
    });
  }

  Base* Create(Args... a) const { return FCreate(a...); }
  // Obj is exactly of this class (not of a class derived from it).
  bool IsClassOf(const Base* Obj) const { return Obj != nullptr && typeid(*Obj) == *FType; }
  const std::type_info& Type() const { return *FType; }
  friend bool operator==(const TTBClassRef& A, const TTBClassRef& B) { return *A.FType == *B.FType; }

 private:
  TTBClassRef(const std::type_info* AType, TFactory ACreate) : FType(AType), FCreate(ACreate) {}
  const std::type_info* FType;
  TFactory FCreate;
};

}  // namespace toolbars
