#pragma once
// Sets of flags over an enumeration whose values lie in 0..63: TShiftState, TAnchors,
// TComponentState and every other flag set of the framework are instances of this one template.

#include <cstdint>
#include <initializer_list>

namespace fw {

template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr TSet(E e) : bits_(Bit(e)) {}  // NOLINT: a single flag reads as a set

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr uint64_t Bits() const { return bits_; }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  // Union, difference and intersection, as the set operators + - * read.
  friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
  constexpr TSet& operator+=(TSet b) { return *this = *this + b; }
  constexpr TSet& operator-=(TSet b) { return *this = *this - b; }
  constexpr TSet& operator*=(TSet b) { return *this = *this * b; }
  friend constexpr bool operator==(TSet a, TSet b) = default;
  // a <= b: every member of a is in b.
  constexpr bool SubsetOf(TSet b) const { return (bits_ & ~b.bits_) == 0; }

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t(1) << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};

}  // namespace fw
