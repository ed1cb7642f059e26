// Serpentine ditherers: plain lookup, Floyd-Steinberg with one error row, and the kernel
// ditherers with several error rows.

#include <algorithm>
#include <cstdlib>

#include "export/GIFImageReduce.h"

namespace kvexport {

namespace {

inline int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// One row in the ditherer's direction, with the ditherer's own Dither called directly (no
// dispatch per pixel).
template <typename D>
void WalkRow(D& Ditherer, const std::uint8_t* Bgr, std::uint8_t* Indices) {
  std::uint8_t r = 0, g = 0, b = 0;
  const int width = Ditherer.Width();
  for (int x = Ditherer.Column(); x >= 0 && x < width; x = Ditherer.Column()) {
    const std::uint8_t* p = Bgr + static_cast<std::size_t>(x) * 3;
    Indices[x] = static_cast<std::uint8_t>(Ditherer.D::Dither(p[2], p[1], p[0], r, g, b));
  }
}

}  // namespace

TDitherEngine::TDitherEngine(int AWidth, TColorLookup& ALookup) : FLookup(ALookup), FWidth(AWidth) {}

int TDitherEngine::Dither(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                          std::uint8_t& G, std::uint8_t& B) {
  const int index = FLookup.Lookup(Red, Green, Blue, R, G, B);
  FColumn += FDirection;
  return index;
}

void TDitherEngine::DitherRow(const std::uint8_t* Bgr, std::uint8_t* Indices) { WalkRow(*this, Bgr, Indices); }

void TDitherEngine::NextLine() {
  FDirection = -FDirection;
  FColumn = FDirection > 0 ? 0 : FWidth - 1;
}

// --- Floyd-Steinberg ----------------------------------------------------------------------------

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int AWidth, TColorLookup& ALookup)
    : TDitherEngine(AWidth, ALookup), FErrors(static_cast<std::size_t>(AWidth + 2) * 3, 0) {}

int TFloydSteinbergDitherer::Dither(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                                    std::uint8_t& G, std::uint8_t& B) {
  // Cell col + 1 holds the error the row above left for this column; the cell behind (in scan
  // direction) is already passed and takes the error for the pixel below-behind.
  int* current = FErrors.data() + static_cast<std::size_t>(FColumn + 1) * 3;
  int* behind = current - FDirection * 3;
  const int v0 = Clamp255(Red + (FAhead[0] + current[0] + 8) / 16);
  const int v1 = Clamp255(Green + (FAhead[1] + current[1] + 8) / 16);
  const int v2 = Clamp255(Blue + (FAhead[2] + current[2] + 8) / 16);
  std::uint8_t r = 0, g = 0, b = 0;
  const int index = FLookup.Lookup(static_cast<std::uint8_t>(v0), static_cast<std::uint8_t>(v1),
                                   static_cast<std::uint8_t>(v2), r, g, b);
  R = r;
  G = g;
  B = b;
  // Channel by channel in scalars: gathering the three bytes the lookup stored into one wide
  // load stalls the store forwarding.
  auto spread = [&](int c, int e) {
    behind[c] = FBelowBehind[c] + 3 * e;
    FBelowBehind[c] = FBelow[c] + 5 * e;
    FBelow[c] = e;
    FAhead[c] = 7 * e;
  };
  spread(0, v0 - r);
  spread(1, v1 - g);
  spread(2, v2 - b);
  FColumn += FDirection;
  return index;
}

void TFloydSteinbergDitherer::DitherRow(const std::uint8_t* Bgr, std::uint8_t* Indices) {
  WalkRow(*this, Bgr, Indices);
}

void TFloydSteinbergDitherer::NextLine() {
  // The last pixel's below value goes to its own column.
  int* last = FErrors.data() + static_cast<std::size_t>(FColumn + 1 - FDirection) * 3;
  for (int c = 0; c < 3; ++c) {
    last[c] = FBelowBehind[c];
    FAhead[c] = FBelowBehind[c] = FBelow[c] = 0;
  }
  TDitherEngine::NextLine();
}

// --- Kernel ditherers ---------------------------------------------------------------------------

TKernelDitherer::TKernelDitherer(int AWidth, TColorLookup& ALookup, int ADivisor, std::vector<TWeight> AKernel)
    : TDitherEngine(AWidth, ALookup), FDivisor(ADivisor), FKernel(std::move(AKernel)) {
  for (const TWeight& w : FKernel) {
    FMargin = std::max(FMargin, std::abs(w.Offset));
    FRows = std::max(FRows, w.Row + 1);
  }
  FErrors.assign(static_cast<std::size_t>(FRows),
                 std::vector<int>(static_cast<std::size_t>(AWidth + 2 * FMargin) * 3, 0));
}

int TKernelDitherer::Dither(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                            std::uint8_t& G, std::uint8_t& B) {
  const std::size_t cell = static_cast<std::size_t>(FColumn + FMargin) * 3;
  const int* sum = FErrors[0].data() + cell;
  const int half = FDivisor / 2;
  const int v0 = Clamp255(Red + (sum[0] + half) / FDivisor);
  const int v1 = Clamp255(Green + (sum[1] + half) / FDivisor);
  const int v2 = Clamp255(Blue + (sum[2] + half) / FDivisor);
  std::uint8_t r = 0, g = 0, b = 0;
  const int index = FLookup.Lookup(static_cast<std::uint8_t>(v0), static_cast<std::uint8_t>(v1),
                                   static_cast<std::uint8_t>(v2), r, g, b);
  R = r;
  G = g;
  B = b;
  const int e0 = v0 - r, e1 = v1 - g, e2 = v2 - b;
  if (e0 != 0 || e1 != 0 || e2 != 0) {
    for (const TWeight& w : FKernel) {
      int* target = FErrors[static_cast<std::size_t>(w.Row)].data() +
                    static_cast<std::ptrdiff_t>(FColumn + w.Offset * FDirection + FMargin) * 3;
      target[0] += e0 * w.Weight;
      target[1] += e1 * w.Weight;
      target[2] += e2 * w.Weight;
    }
  }
  FColumn += FDirection;
  return index;
}

void TKernelDitherer::DitherRow(const std::uint8_t* Bgr, std::uint8_t* Indices) { WalkRow(*this, Bgr, Indices); }

void TKernelDitherer::NextLine() {
  // The finished row is reused, zeroed, as the last one.
  std::rotate(FErrors.begin(), FErrors.begin() + 1, FErrors.end());
  std::fill(FErrors.back().begin(), FErrors.back().end(), 0);
  TDitherEngine::NextLine();
}

namespace {

using W = TKernelDitherer::TWeight;

// Rows 0 (+1, +2 ahead) and a full five-column row below, as the 5-by-3 kernels share.
std::vector<W> FiveByThree(int a1, int a2, const int (&r1)[5], const int (&r2)[5]) {
  std::vector<W> k{{0, 1, a1}, {0, 2, a2}};
  for (int i = 0; i < 5; ++i)
    if (r1[i] != 0) k.push_back({1, i - 2, r1[i]});
  for (int i = 0; i < 5; ++i)
    if (r2[i] != 0) k.push_back({2, i - 2, r2[i]});
  return k;
}

}  // namespace

TStuckiDitherer::TStuckiDitherer(int AWidth, TColorLookup& ALookup)
    : T5by3Ditherer(AWidth, ALookup, 42, FiveByThree(8, 4, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1})) {}

TSierraDitherer::TSierraDitherer(int AWidth, TColorLookup& ALookup)
    : T5by3Ditherer(AWidth, ALookup, 32, FiveByThree(5, 3, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0})) {}

TJaJuNiDitherer::TJaJuNiDitherer(int AWidth, TColorLookup& ALookup)
    : T5by3Ditherer(AWidth, ALookup, 48, FiveByThree(7, 5, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1})) {}

TSteveArcheDitherer::TSteveArcheDitherer(int AWidth, TColorLookup& ALookup)
    : TKernelDitherer(AWidth, ALookup, 200,
                      {{0, 2, 32},
                       {1, -3, 12},
                       {1, -1, 26},
                       {1, 1, 30},
                       {1, 3, 16},
                       {2, -2, 12},
                       {2, 0, 26},
                       {2, 2, 12},
                       {3, -3, 5},
                       {3, -1, 12},
                       {3, 1, 12},
                       {3, 3, 5}}) {}

TBurkesDitherer::TBurkesDitherer(int AWidth, TColorLookup& ALookup)
    : TKernelDitherer(AWidth, ALookup, 32,
                      {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}}) {}

std::unique_ptr<TDitherEngine> MakeDitherer(TDitherMode Mode, int Width, TColorLookup& Lookup) {
  switch (Mode) {
    case TDitherMode::Nearest: return std::make_unique<TDitherEngine>(Width, Lookup);
    case TDitherMode::FloydSteinberg: return std::make_unique<TFloydSteinbergDitherer>(Width, Lookup);
    case TDitherMode::Stucki: return std::make_unique<TStuckiDitherer>(Width, Lookup);
    case TDitherMode::Sierra: return std::make_unique<TSierraDitherer>(Width, Lookup);
    case TDitherMode::JaJuNI: return std::make_unique<TJaJuNiDitherer>(Width, Lookup);
    case TDitherMode::SteveArche: return std::make_unique<TSteveArcheDitherer>(Width, Lookup);
    case TDitherMode::Burkes: return std::make_unique<TBurkesDitherer>(Width, Lookup);
  }
  return nullptr;
}

}  // namespace kvexport
