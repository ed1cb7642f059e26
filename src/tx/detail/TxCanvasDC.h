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

}  // namespace tx::detail
