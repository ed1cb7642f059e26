#pragma once
// Drop shadows of popup windows: small top-level windows beside the popup (and its parent item),
// each painting an alpha ramp of black. Layered windows where the system can blend them, an
// alpha blend onto the window where only that exists, else a plain shadow-coloured band.

#include <array>
#include <cstdint>
#include <memory>

#include "framework/Controls.h"

namespace tx {

using fw::Byte;
using fw::Integer;
using fw::TRect;

// How a shadow window paints.
inline constexpr Integer SM_PLAIN = 0, SM_LAYERED = 1, SM_ALPHABLEND = 2;

class TShadow : public fw::TCustomControl {
 public:
  // Edges: 1 = the ramp fades out at the segment's start, 2 = at its end.
  TShadow(const TRect& BoundsRect, Byte Opacity, bool NoAlpha, Integer Edges);
  ~TShadow() override;

  Byte Opacity() const { return FOpacity; }
  Integer ShadowEdges() const { return FShadowEdges; }
  Integer ShadowMethod() const { return FShadowMethod; }
  void SetSaveBits(bool Value) { FSaveBits = Value; }
  bool SaveBits() const { return FSaveBits; }
  // Shows the window behind After without activating it.
  void Show(win::HWND After);
  // Gives a layered shadow its picture (once after creation; again on every erase).
  void UpdateLayered();
  // The ramp: W x H pixels of black with alpha in the top byte, rows top-down.
  virtual void FillBuffer(uint32_t* Bits, Integer W, Integer H) const = 0;

  void Dispatch(fw::TMessage& Message) override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;

 private:
  void WMEraseBkgnd(fw::TMessage& Message) override;

  Byte FOpacity;
  Integer FShadowEdges;
  Integer FShadowMethod = SM_PLAIN;
  bool FSaveBits = false;
};

// Below a rectangle: rows fade from the top down.
class THorzShadow : public TShadow {
 public:
  using TShadow::TShadow;
  void FillBuffer(uint32_t* Bits, Integer W, Integer H) const override;
};

// Right of a rectangle: columns fade from the left to the right.
class TVertShadow : public TShadow {
 public:
  using TShadow::TShadow;
  void FillBuffer(uint32_t* Bits, Integer W, Integer H) const override;
};

class TShadows {
 public:
  // R1: the parent item on the screen (empty when none), R2: the popup on the screen.
  TShadows(const TRect& R1, const TRect& R2, Integer Size, Byte Opacity, bool NoAlpha);
  ~TShadows();
  void SetSaveBits(bool Value);
  void Show(win::HWND After);
  // The windows made, in the order made (for tests).
  Integer Count() const;
  TShadow* Shadow(Integer Index) const;

 private:
  void Add(bool Vertical, const TRect& R, Integer Edges, Byte Opacity, bool NoAlpha);
  std::array<std::unique_ptr<TShadow>, 6> FShadows;
  bool FSaveBits = false;
};

}  // namespace tx
