#pragma once
// The canvas's DC with its font selected, for measuring and drawing text with the platform's
// own calls outside the canvas's methods.

#include "framework/GraphicsCanvas.h"

namespace tx::detail {

inline win::HDC FontDC(fw::TCanvas* Canvas) {
  win::HDC dc = Canvas->Handle();  // the DC first: selecting the font needs it
  Canvas->RequiredState(fw::csFontValid);
  return dc;
}

// A canvas over a DC it does not own.
class TDCCanvas {
 public:
  explicit TDCCanvas(win::HDC DC) { FCanvas.SetHandle(DC); }
  ~TDCCanvas() { FCanvas.SetHandle(nullptr); }
  TDCCanvas(const TDCCanvas&) = delete;
  TDCCanvas& operator=(const TDCCanvas&) = delete;
  fw::TCanvas* operator->() { return &FCanvas; }
  fw::TCanvas* get() { return &FCanvas; }

 private:
  fw::TCanvas FCanvas;
};

}  // namespace tx::detail
