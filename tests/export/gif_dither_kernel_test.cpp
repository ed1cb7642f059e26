// Where each ditherer spreads the error of one pixel: a lookup that matches every colour exactly
// but one (the "impulse", mapped to black) makes every other pixel's input show the share of the
// impulse's error that reached it. Rows are walked in serpentine order, so an impulse on a row
// walked right to left spreads mirrored.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "export/GIFImageReduce.h"

using namespace kvexport;

namespace {

constexpr int kWidth = 13, kHeight = 6, kColumn = 6, kImpulse = 200;

// Every colour is its own palette colour except the impulse's red, which gives black; the red of
// each lookup is recorded by (row, column).
class TRecordingLookup : public TColorLookup {
 public:
  TRecordingLookup() : TColorLookup(256) {}
  int Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override {
    Seen[{Row, Column}] = Red;
    const bool impulse = Red == kImpulse;
    R = impulse ? 0 : Red;
    G = Green;
    B = Blue;
    return impulse;
  }
  int Row = 0, Column = 0;
  std::map<std::pair<int, int>, int> Seen;
};

struct TKernelCase {
  const char* Name;
  std::function<std::unique_ptr<TDitherEngine>(TColorLookup&)> Make;
  int Divisor;
  std::vector<TKernelDitherer::TWeight> Weights;  // row below, columns ahead in the scan direction
};

template <class D>
std::function<std::unique_ptr<TDitherEngine>(TColorLookup&)> Maker() {
  return [](TColorLookup& L) { return std::make_unique<D>(kWidth, L); };
}

// The red each pixel's lookup got with the impulse at (ImpulseRow, kColumn), all else black.
std::map<std::pair<int, int>, int> Spread(const TKernelCase& C, int ImpulseRow) {
  TRecordingLookup lookup;
  std::unique_ptr<TDitherEngine> ditherer = C.Make(lookup);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = ditherer->Column(); x >= 0 && x < kWidth; x = ditherer->Column()) {
      lookup.Row = y;
      lookup.Column = x;
      const std::uint8_t red = y == ImpulseRow && x == kColumn ? kImpulse : 0;
      std::uint8_t r, g, b;
      ditherer->Dither(red, 0, 0, r, g, b);
    }
    ditherer->NextLine();
  }
  return lookup.Seen;
}

TEST(GifDitherKernels, OnePixelsErrorReachesTheKernelsNeighboursWithItsWeights) {
  const TKernelCase cases[] = {
      {"Floyd-Steinberg", Maker<TFloydSteinbergDitherer>(), 16, {{0, 1, 7}, {1, -1, 3}, {1, 0, 5}, {1, 1, 1}}},
      {"Stucki", Maker<TStuckiDitherer>(), 42,
       {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},
        {2, -2, 1}, {2, -1, 2}, {2, 0, 4}, {2, 1, 2}, {2, 2, 1}}},
      {"Sierra", Maker<TSierraDitherer>(), 32,
       {{0, 1, 5}, {0, 2, 3}, {1, -2, 2}, {1, -1, 4}, {1, 0, 5}, {1, 1, 4}, {1, 2, 2},
        {2, -1, 2}, {2, 0, 3}, {2, 1, 2}}},
      {"JaJuNI", Maker<TJaJuNiDitherer>(), 48,
       {{0, 1, 7}, {0, 2, 5}, {1, -2, 3}, {1, -1, 5}, {1, 0, 7}, {1, 1, 5}, {1, 2, 3},
        {2, -2, 1}, {2, -1, 3}, {2, 0, 5}, {2, 1, 3}, {2, 2, 1}}},
      {"SteveArche", Maker<TSteveArcheDitherer>(), 200,
       {{0, 2, 32}, {1, -3, 12}, {1, -1, 26}, {1, 1, 30}, {1, 3, 16}, {2, -2, 12}, {2, 0, 26}, {2, 2, 12},
        {3, -3, 5}, {3, -1, 12}, {3, 1, 12}, {3, 3, 5}}},
      {"Burkes", Maker<TBurkesDitherer>(), 32,
       {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}}},
  };
  for (const TKernelCase& c : cases) {
    for (int impulseRow : {0, 1}) {  // walked left to right, then right to left
      SCOPED_TRACE(std::string(c.Name) + (impulseRow ? ", backwards" : ", forwards"));
      const int direction = impulseRow == 0 ? 1 : -1;
      std::map<std::pair<int, int>, int> expected;
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) expected[{y, x}] = 0;
      expected[{impulseRow, kColumn}] = kImpulse;
      for (const auto& w : c.Weights)
        expected[{impulseRow + w.Row, kColumn + direction * w.Offset}] = (kImpulse * w.Weight + c.Divisor / 2) / c.Divisor;
      EXPECT_EQ(Spread(c, impulseRow), expected);
    }
  }
}

}  // namespace
