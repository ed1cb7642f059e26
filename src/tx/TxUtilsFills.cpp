// Two-colour gradients (the system's GradientFill when present, else one-pixel bands from a
// cache of colour ramps) and the brushed-metal texture (random profiles pre-rendered into
// one-pixel strips per colour and strength, tiled with blits).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"
#include "tx/detail/TxFillData.h"

namespace tx {

namespace {

constexpr int kCacheSize = 16;

// --- Gradient ramps ---------------------------------------------------------------------------

struct Ramp {
  Integer count = 0;
  TColor first = 0, last = 0;
  std::vector<TColor> colors;
  // The ramp as a 32-bit strip, one pixel thick, across (horizontal) or down (vertical); made on
  // first use, so a fill is one blit instead of a brush per band.
  std::array<win::HBITMAP, 2> strips{};
  void FreeStrips() {
    for (win::HBITMAP& s : strips)
      if (s) {
        win::DeleteObject(s);
        s = nullptr;
      }
  }
};
std::array<Ramp, kCacheSize> gRamps;
int gNextRamp = 0;

Ramp& RampFor(Integer N, TColor c1, TColor c2) {
  for (int i = kCacheSize - 1; i >= 0; --i)
    if (gRamps[i].count == N && gRamps[i].first == c1 && gRamps[i].last == c2) return gRamps[i];
  Ramp& ramp = gRamps[gNextRamp];
  gNextRamp = (gNextRamp + 1) % kCacheSize;
  ramp.FreeStrips();
  ramp.count = N;
  ramp.first = c1;
  ramp.last = c2;
  ramp.colors.resize(size_t(N));
  for (Integer i = 0; i < N; ++i) {
    TColor c = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const Integer a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
      const Integer v = N == 1 ? a + (b - a) / 2 : a + ((b - a) * i + (N - 1) / 2) / (N - 1);
      c |= v << shift;
    }
    ramp.colors[size_t(i)] = c;
  }
  return ramp;
}

win::HBITMAP StripOf(Ramp& ramp, bool Vertical) {
  win::HBITMAP& strip = ramp.strips[Vertical ? 1 : 0];
  if (strip) return strip;
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = Vertical ? 1 : ramp.count;
  bi.bmiHeader.biHeight = -(Vertical ? ramp.count : 1);
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  strip = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!strip) return nullptr;
  auto* px = static_cast<uint32_t*>(bits);
  for (Integer i = 0; i < ramp.count; ++i) px[i] = uint32_t(SwapRedBlue(ramp.colors[size_t(i)]));
  return strip;
}

void GradientBands(win::HDC DC, const TRect& R, TColor c1, TColor c2, bool Vertical) {
  const Integer N = Vertical ? R.bottom - R.top : R.right - R.left;
  if (N < 1) return;
  TRect clip{};
  if (win::GetClipBox(DC, &clip) == win::ERROR) clip = R;
  const Integer start = Vertical ? R.top : R.left;
  const Integer first = std::max(0, (Vertical ? clip.top : clip.left) - start);
  const Integer last = std::min(N - 1, (Vertical ? clip.bottom : clip.right) - start - 1);
  if (first > last) return;
  Ramp& ramp = RampFor(N, c1, c2);
  const Integer bands = last - first + 1;
  const Integer acrossFrom = Vertical ? std::max(R.left, clip.left) : std::max(R.top, clip.top);
  const Integer acrossTo = Vertical ? std::min(R.right, clip.right) : std::min(R.bottom, clip.bottom);
  // Whichever needs fewer calls: one solid fill per band, or one copy of the ramp's strip per
  // line across the bands.
  if (acrossTo - acrossFrom > bands) {
    for (Integer i = first; i <= last; ++i) {
      const TRect band = Vertical ? TRect{R.left, start + i, R.right, start + i + 1}
                                  : TRect{start + i, R.top, start + i + 1, R.bottom};
      const win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(ramp.colors[size_t(i)]));
      win::FillRect(DC, &band, brush);
      win::DeleteObject(brush);
    }
    return;
  }
  const win::HBITMAP strip = StripOf(ramp, Vertical);
  if (!strip) return;
  const win::HDC stripDC = win::CreateCompatibleDC(DC);
  const win::HGDIOBJ old = win::SelectObject(stripDC, strip);
  for (Integer a = acrossFrom; a < acrossTo; ++a) {
    if (Vertical)
      win::BitBlt(DC, a, start + first, 1, bands, stripDC, 0, first, win::SRCCOPY);
    else
      win::BitBlt(DC, start + first, a, bands, 1, stripDC, first, 0, win::SRCCOPY);
  }
  win::SelectObject(stripDC, old);
  win::DeleteDC(stripDC);
}

// --- Brushed texture --------------------------------------------------------------------------

constexpr int kProfiles = 8, kRows = 1024;
std::array<std::vector<Integer>, kProfiles> gProfiles;  // min, max pairs: 2L values
std::array<Integer, kRows> gProfileIndex{};
std::array<Integer, kRows> gOffset{};

struct BrushedEntry {
  TColor color = 0;
  Integer strength = 0;
  std::array<win::HBITMAP, kProfiles> strips{};
  std::array<const uint32_t*, kProfiles> pixels{};  // each strip's one row
  ~BrushedEntry() {
    for (win::HBITMAP s : strips)
      if (s) win::DeleteObject(s);
  }
};
std::array<std::unique_ptr<BrushedEntry>, kCacheSize> gBrushed;
int gNextBrushed = 0;

win::HBITMAP MakeStrip(const std::vector<Integer>& profile, TColor color, Integer strength, const uint32_t** Pixels) {
  const int w = int(profile.size());
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  auto* px = static_cast<uint32_t*>(bits);
  for (int j = 0; j < w; ++j) {
    const auto channel = [&](Integer c) { return std::clamp(c * 256 + profile[size_t(j)] * strength, 0, 61184) >> 8; };
    px[j] = uint32_t((channel(color & 0xFF) << 16) | (channel((color >> 8) & 0xFF) << 8) |
                     channel((color >> 16) & 0xFF));
  }
  *Pixels = px;
  return bmp;
}

const BrushedEntry* BrushedFor(TColor color, Integer strength) {
  for (int i = kCacheSize - 1; i >= 0; --i)
    if (gBrushed[i] && gBrushed[i]->color == color && gBrushed[i]->strength == strength) return gBrushed[i].get();
  if (gProfiles[0].empty()) detail::GenerateBrushedProfiles();
  auto entry = std::make_unique<BrushedEntry>();
  entry->color = color;
  entry->strength = strength;
  for (int k = 0; k < kProfiles; ++k)
    entry->strips[size_t(k)] = MakeStrip(gProfiles[size_t(k)], color, strength, &entry->pixels[size_t(k)]);
  auto& slot = gBrushed[size_t(gNextBrushed)];
  gNextBrushed = (gNextBrushed + 1) % kCacheSize;
  slot = std::move(entry);
  return slot.get();
}

Integer FloorMod(Integer a, Integer m) { return ((a % m) + m) % m; }

}  // namespace

namespace detail {

void GenerateBrushedProfiles() {
  std::mt19937 rng(0x4B76u);
  const auto random = [&](Integer n) { return Integer(std::uniform_int_distribution<Integer>(0, n - 1)(rng)); };
  const auto phase = [&] { return std::uniform_real_distribution<double>(0.0, 2.0 * std::numbers::pi)(rng); };
  for (auto& profile : gProfiles) {
    const Integer L = (random(101) + 100) / 2;
    double p[7];
    for (double& v : p) v = phase();
    profile.assign(size_t(2 * L), 0);
    for (Integer i = 0; i < L; ++i) {
      const double t = double(i) * 2.0 * std::numbers::pi / double(L);
      Integer a = Integer(std::nearbyint(150 * std::sin(t) + 100 * std::sin(2 * t + p[0]) +
                                         50 * std::sin(3 * t + p[1]) + 20 * std::sin(4 * t + p[2])));
      Integer b = Integer(std::nearbyint(150 * std::sin(t + p[3]) + 100 * std::sin(2 * t + p[4]) +
                                         50 * std::sin(3 * t + p[5]) + 20 * std::sin(4 * t + p[6])));
      a = std::clamp(a, -255, 255);
      b = std::clamp(b, -255, 255);
      if (std::abs(a - b) >= 301) {
        const Integer mid = (a + b) / 2;
        a = mid - 150;
        b = mid + 150;
      }
      profile[size_t(2 * i)] = std::min(a, b);
      profile[size_t(2 * i + 1)] = std::max(a, b);
    }
  }
  for (Integer r = 0; r < kRows; ++r) {
    gProfileIndex[size_t(r)] = random(kProfiles);
    const Integer length = Integer(gProfiles[size_t(gProfileIndex[size_t(r)])].size());
    gOffset[size_t(r)] = (random(length) & ~1) + (r & 1);
  }
}

void FreeFillData() {
  ClearBrushedCache();
  for (auto& ramp : gRamps) {
    ramp.FreeStrips();
    ramp = Ramp{};
  }
  gNextRamp = 0;
  for (auto& profile : gProfiles) profile.clear();
}

int GradientRampCount() {
  return int(std::count_if(gRamps.begin(), gRamps.end(), [](const Ramp& r) { return r.count > 0; }));
}
int BrushedCacheCount() {
  return int(std::count_if(gBrushed.begin(), gBrushed.end(), [](const auto& e) { return e != nullptr; }));
}

}  // namespace detail

win::TRIVERTEX GradientVertex(Integer X, Integer Y, TColor Color) {
  Color = ResolveColor(Color);
  win::TRIVERTEX v;
  v.x = X;
  v.y = Y;
  v.Red = win::COLOR16((Color & 0xFF) << 8);
  v.Green = win::COLOR16(((Color >> 8) & 0xFF) << 8);
  v.Blue = win::COLOR16(((Color >> 16) & 0xFF) << 8);
  return v;
}

void GradientFillRect(win::HDC DC, const TRect& R, TColor StartColor, TColor EndColor, bool Vertical) {
  if (R.right <= R.left || R.bottom <= R.top || !win::RectVisible(DC, &R)) return;
  StartColor = ResolveColor(StartColor);
  EndColor = ResolveColor(EndColor);
  if (!GradientFillProc) {
    GradientBands(DC, R, StartColor, EndColor, Vertical);
    return;
  }
  const win::TRIVERTEX vertices[2] = {GradientVertex(R.left, R.top, StartColor),
                                      GradientVertex(R.right, R.bottom, EndColor)};
  const win::GRADIENT_RECT mesh{0, 1};
  GradientFillProc(DC, vertices, 2, &mesh, 1, Vertical ? win::GRADIENT_FILL_RECT_V : win::GRADIENT_FILL_RECT_H);
}

void BrushedFill(win::HDC DC, const TPoint* Origin, const TRect& R, TColor Color, Integer Strength) {
  if (Color == fw::clNone || R.right <= R.left || R.bottom <= R.top || !win::RectVisible(DC, &R)) return;
  const TPoint origin = Origin ? *Origin : TPoint{0, 0};
  TRect clip{};
  if (win::GetClipBox(DC, &clip) == win::ERROR) clip = R;
  const Integer top = std::max(R.top, clip.top), bottom = std::min(R.bottom, clip.bottom);
  const Integer left = std::max(R.left, clip.left), right = std::min(R.right, clip.right);
  if (top >= bottom || left >= right) return;
  const BrushedEntry* entry = BrushedFor(ResolveColor(Color), Strength);
  // The visible part is put together row by row from the strips in memory and copied at once:
  // one copy per row and strip length went through the target's clipping each time.
  const Integer w = right - left, h = bottom - top;
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP block = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!block) return;
  auto* out = static_cast<uint32_t*>(bits);
  std::vector<bool> painted(size_t(h), false);  // a row whose strip is missing stays as it was
  for (Integer y = top; y < bottom; ++y, out += w) {
    const Integer r = FloorMod(y - origin.y, kRows);
    const Integer k = gProfileIndex[size_t(r)];
    const Integer length = Integer(gProfiles[size_t(k)].size());
    const uint32_t* strip = entry->pixels[size_t(k)];
    if (length <= 0 || !strip) continue;
    painted[size_t(y - top)] = true;
    // The strip repeats every length pixels, its start at origin.x - offset of the row.
    Integer from = FloorMod(left - (origin.x - gOffset[size_t(r)]), length);
    for (Integer x = 0; x < w;) {
      const Integer run = std::min(length - from, w - x);
      std::copy(strip + from, strip + from + run, out + x);
      x += run;
      from = 0;
    }
  }
  const win::HDC blockDC = win::CreateCompatibleDC(DC);
  const win::HGDIOBJ old = win::SelectObject(blockDC, block);
  for (Integer y = 0; y < h;) {
    if (!painted[size_t(y)]) {
      ++y;
      continue;
    }
    Integer end = y;
    while (end < h && painted[size_t(end)]) ++end;
    win::BitBlt(DC, left, top + y, w, end - y, blockDC, 0, y, win::SRCCOPY);
    y = end;
  }
  win::SelectObject(blockDC, old);
  win::DeleteDC(blockDC);
  win::DeleteObject(block);
}

void ClearBrushedCache() {
  for (auto& e : gBrushed) e.reset();
  gNextBrushed = 0;
}

}  // namespace tx
