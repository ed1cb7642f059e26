// Colour arithmetic of the drawing utilities.

#include <algorithm>
#include <cassert>
#include <cmath>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/services/SysColors.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace tx {

namespace {

constexpr Integer R(TColor c) { return c & 0xFF; }
constexpr Integer G(TColor c) { return (c >> 8) & 0xFF; }
constexpr Integer B(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor Rgb(Integer r, Integer g, Integer b) { return r | (g << 8) | (b << 16); }
constexpr Integer Clamp255(Integer v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// The weights of the distance space: a colour is the vector (r, g, b) scaled to a box of
// 195 x 390 x 65 (single precision, as the distance is defined).
constexpr float kWeightR = 0.764706f, kWeightG = 1.529410f, kWeightB = 0.254902f;
constexpr float kBoxR = 195.0f, kBoxG = 390.0f, kBoxB = 65.0f;

struct Vec {
  float x, y, z;
};
Vec ToVec(TColor c) { return {float(R(c)) * kWeightR, float(G(c)) * kWeightG, float(B(c)) * kWeightB}; }
float Length(const Vec& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
Vec Mirror(const Vec& v) { return {kBoxR - v.x, kBoxG - v.y, kBoxB - v.z}; }

TColor Nearest(TColor c) {
  if (!NearestColorBitmap) return c;
  return TColor(win::GetNearestColor(NearestColorBitmap->Canvas()->Handle(), win::COLORREF(c)));
}

// Dark backgrounds need up to twice the distance.
float AdjustContrastThreshold(float T, TColor Background) {
  const float d = ColorDistance(Background, 0);
  return d < 220.0f ? (2.0f - d / 220.0f) * T : T;
}

TColor AdjustContrast(TColor Color, TColor Background, float T) {
  Vec c = ToVec(Color), b = ToVec(Background);
  const float dc = Length(c), db = Length(b);
  const bool lighter = dc <= db ? db < T : 442.0f - T > db;
  if (lighter) {
    c = Mirror(c);
    b = Mirror(b);
  }
  const float n = std::max(Length(c), 0.01f);
  const float p = (c.x * b.x + c.y * b.y + c.z * b.z) / n;
  const float q2 = std::max(0.0f, Length(b) * Length(b) - p * p);
  const float k = (p - std::sqrt(std::max(0.0f, T * T - q2))) / n;
  Vec r{c.x * k, c.y * k, c.z * k};
  if (lighter) r = Mirror(r);
  r.x = std::clamp(r.x, 0.0f, kBoxR);
  r.y = std::clamp(r.y, 0.0f, kBoxG);
  r.z = std::clamp(r.z, 0.0f, kBoxB);
  const auto channel = [](float v, float w) { return Clamp255(Integer(std::trunc(v / w + 0.5f))); };
  return Rgb(channel(r.x, kWeightR), channel(r.y, kWeightG), channel(r.z, kWeightB));
}

float HueChannel(float m1, float m2, float h) {
  h -= std::floor(h);
  if (h * 6.0f < 1.0f) return m1 + (m2 - m1) * h * 6.0f;
  if (h * 2.0f < 1.0f) return m2;
  if (h * 3.0f < 2.0f) return m1 + (m2 - m1) * (2.0f / 3.0f - h) * 6.0f;
  return m1;
}

}  // namespace

TColor ResolveColor(TColor Color) { return Color < 0 ? TColor(fw::ColorToRGB(Color)) : Color; }

TColor MixColors(TColor C1, TColor C2, Integer W) {
  assert(W >= 0 && W < 256);
  C1 = ResolveColor(C1);
  C2 = ResolveColor(C2);
  const auto mix = [W](Integer a, Integer b) { return (a * W + b * (255 - W)) >> 8; };
  return Rgb(mix(R(C1), R(C2)), mix(G(C1), G(C2)), mix(B(C1), B(C2)));
}

TColor MixColorsNearest(TColor C1, TColor C2, Integer W) { return Nearest(MixColors(C1, C2, W)); }

TColor OffsetColor(TColor Color, Integer Delta) {
  Color = ResolveColor(Color);
  return Rgb(Clamp255(R(Color) + Delta), Clamp255(G(Color) + Delta), Clamp255(B(Color) + Delta));
}

TColor OffsetColorNearest(TColor Color, Integer Delta) { return Nearest(OffsetColor(Color, Delta)); }

TColor BlendColors(TColor C1, TColor C2, Integer W) {
  C1 = ResolveColor(C1);
  C2 = ResolveColor(C2);
  const auto blend = [W](Integer a, Integer b) {
    return W < 100 ? (b * (100 - W) + a * W + 50) / 100 : (b * (1000 - W) + a * W + 500) / 1000;
  };
  return Rgb(blend(R(C1), R(C2)), blend(G(C1), G(C2)), blend(B(C1), B(C2)));
}

Integer GetColorLuminance(TColor Color) {
  Color = ResolveColor(Color);
  return (76 * R(Color) + 150 * G(Color) + 30 * B(Color)) >> 8;
}

bool IsDarkColor(TColor Color, Integer Threshold) {
  Color = ResolveColor(Color);
  return 76 * R(Color) + 150 * G(Color) + 30 * B(Color) < Threshold * 256;
}

float ColorDistance(TColor C1, TColor C2) {
  const float dr = float(R(C1) - R(C2)) * kWeightR;
  const float dg = float(G(C1) - G(C2)) * kWeightG;
  const float db = float(B(C1) - B(C2)) * kWeightB;
  return std::sqrt(dr * dr + dg * dg + db * db);
}

void EnsureContrast(TColor& Color, TColor Background, Integer Threshold) {
  Color = ResolveColor(Color);
  Background = ResolveColor(Background);
  const float T = AdjustContrastThreshold(float(Threshold), Background);
  if (ColorDistance(Background, Color) > T) return;
  Color = AdjustContrast(Color, Background, T);
}

void ColorToHSL(TColor Color, float& H, float& S, float& L) {
  Color = ResolveColor(Color);
  const float r = float(R(Color)) / 255.0f, g = float(G(Color)) / 255.0f, b = float(B(Color)) / 255.0f;
  const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
  L = (mx + mn) / 2.0f;
  if (mx == mn) {
    H = S = 0.0f;
    return;
  }
  const float delta = mx - mn;
  S = L < 0.5f ? delta / (mx + mn) : delta / (2.0f - mx - mn);
  if (r == mx)
    H = (g - b) / delta;
  else if (g == mx)
    H = 2.0f + (b - r) / delta;
  else
    H = 4.0f + (r - g) / delta;
  H /= 6.0f;
  if (H < 0.0f) H += 1.0f;
}

TColor HSLToColor(float H, float S, float L) {
  if (S == 0.0f) {
    const Integer v = Clamp255(Integer(std::nearbyint(L * 255.0f)));
    return Rgb(v, v, v);
  }
  const float m2 = L <= 0.5f ? L * (1.0f + S) : L + S - L * S;
  const float m1 = 2.0f * L - m2;
  const auto channel = [&](float h) { return Clamp255(Integer(std::nearbyint(255.0f * HueChannel(m1, m2, h)))); };
  return Rgb(channel(H + 1.0f / 3.0f), channel(H), channel(H - 1.0f / 3.0f));
}

bool IsColorValid(TColor Color) {
  if (Color == fw::clNone) return true;
  if (Color < 0) return (Color & 0x7FFFFF00) == 0 && (Color & 0xFF) < win::kSysColorCount;
  return Color <= 0xFFFFFF;
}

TColor SwapRedBlue(TColor Color) { return (Color & TColor(0xFF00FF00u)) | B(Color) | (R(Color) << 16); }

}  // namespace tx
