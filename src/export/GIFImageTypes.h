#pragma once
// Small types shared by the GIF image classes: settings, drawing options, palettes and events.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/ClassesTypes.h"
#include "framework/Sets.h"
#include "platform/gdi/GdiTypes.h"

namespace fw {
class TObject;
class TStream;
class TBitmap;
class TCanvas;
class TGraphic;
}

namespace kvexport {

// 87a = 1, 89a = 2, 0 = none.
enum TGIFVersion { gvUnknown = 0, gv87a = 1, gv89a = 2 };

// How a bitmap of more than 256 colours is brought down to a palette (the stored byte value).
enum class TColorReduction : std::uint8_t {
  None = 0,
  Windows20 = 1,
  Windows256 = 2,
  WindowsGray = 3,
  Monochrome = 4,
  GrayScale = 5,
  Netscape = 6,
  Quantize = 7,
  QuantizeWindows = 8,
  Palette = 9,
};

// The error diffusion used while reducing colours (the stored byte value).
enum class TDitherMode : std::uint8_t {
  Nearest = 0,
  FloydSteinberg = 1,
  Stucki = 2,
  Sierra = 3,
  JaJuNI = 4,
  SteveArche = 5,
  Burkes = 6,
};

// Coding of the frames' pixel data.
enum class TGIFCompression : std::uint8_t { LZW = 0, RLE = 1 };

// Drawing options, bit 0 upward.
enum class TGIFDrawOption {
  AsyncPaint,
  Transparent,
  Animate,
  Loop,
  LoopForever,
  ValidateCanvas,
  DirectDraw,
  ClearOnLoop,
  Tile,
  Dither,
  AutoDither,
};
using TGIFDrawOptions = fw::TSet<TGIFDrawOption>;
// AsyncPaint, Transparent, Animate, Loop, Dither, AutoDither.
inline constexpr std::uint64_t GIFDefaultDrawOptionBits = 0x060F;

// Disposal methods of a graphic control extension.
enum TDisposalMethod { dmNoDisposal = 0, dmNone = 1, dmBackground = 2, dmPrevious = 3 };

// A palette as a list of entries; empty means "no palette".
using TGIFPalette = std::vector<win::PALETTEENTRY>;
inline constexpr win::BYTE PC_NOCOLLAPSE = 0x04;

// One colour of a colour map, in file order.
struct TGIFColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend constexpr bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

enum class TProgressStage { Starting, Running, Ending };

// Severity is 1 for every warning of the GIF unit; the operation goes on after it.
using TGIFWarning = std::function<void(fw::TObject* Sender, int Severity, const std::string& Message)>;
using TGIFProgressEvent = std::function<void(fw::TObject* Sender, TProgressStage Stage, int PercentDone,
                                             const std::string& Message)>;

// Thread priorities, as the animation threads are given them.
enum TGIFThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

}  // namespace kvexport
