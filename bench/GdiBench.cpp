// The drawing layer against the same work done directly with QPainter: a 1,000,000-vertex
// polyline with a one-pixel pen and 100,000 rectangle fills, both into a 1600x1200 surface.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <cmath>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"

namespace {

constexpr int kWidth = 1600, kHeight = 1200;
constexpr int kVertices = 1'000'000, kRects = 100'000, kColours = 8;

// Deterministic pseudo-random numbers, the same for both sides of each pair.
struct Lcg {
  uint32_t state = 12345;
  uint32_t Next() { return state = state * 1664525u + 1013904223u; }
  int Below(int n) { return int((Next() >> 8) % uint32_t(n)); }
};

// A chart-like trace: x sweeps the surface, y follows a wave with noise.
std::vector<win::POINT> TracePoints() {
  std::vector<win::POINT> pts(kVertices);
  Lcg rng;
  for (int i = 0; i < kVertices; ++i) {
    const double wave = std::sin(i * 0.0005) * 450 + std::sin(i * 0.013) * 80;
    pts[size_t(i)] = win::POINT{win::LONG(int64_t(i) * kWidth / kVertices),
                                win::LONG(kHeight / 2 + wave + rng.Below(61) - 30)};
  }
  return pts;
}

std::vector<win::RECT> FillRects() {
  std::vector<win::RECT> rects(kRects);
  Lcg rng;
  for (auto& r : rects) {
    const int w = 1 + rng.Below(64), h = 1 + rng.Below(64);
    const int x = rng.Below(kWidth - w), y = rng.Below(kHeight - h);
    r = win::RECT{x, y, x + w, y + h};
  }
  return rects;
}

win::COLORREF Colour(int i) { return win::RGB(win::BYTE(40 * i), win::BYTE(255 - 30 * i), win::BYTE(90 + 20 * i)); }

// A 32-bpp surface in a memory DC.
struct GdiSurface {
  GdiSurface() {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = win::CreateCompatibleDC(nullptr);
    old = win::SelectObject(dc, bmp);
  }
  ~GdiSurface() {
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    win::DeleteObject(bmp);
  }
  win::HBITMAP bmp;
  win::HDC dc;
  win::HGDIOBJ old;
};

void BM_GdiPolyline1M(benchmark::State& state) {
  const std::vector<win::POINT> pts = TracePoints();
  GdiSurface s;
  for (auto _ : state) {
    win::Polyline(s.dc, pts.data(), int(pts.size()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GdiPolyline1M)->Unit(benchmark::kMillisecond);

void BM_QtPolyline1M(benchmark::State& state) {
  const std::vector<win::POINT> src = TracePoints();
  std::vector<QPoint> pts;
  pts.reserve(src.size());
  for (const auto& p : src) pts.emplace_back(p.x, p.y);
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter painter(&img);
  QPen pen(Qt::black, 0);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  for (auto _ : state) {
    painter.drawPolyline(pts.data(), int(pts.size()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_QtPolyline1M)->Unit(benchmark::kMillisecond);

void BM_GdiFillRect100k(benchmark::State& state) {
  const std::vector<win::RECT> rects = FillRects();
  GdiSurface s;
  win::HBRUSH brushes[kColours];
  for (int i = 0; i < kColours; ++i) brushes[i] = win::CreateSolidBrush(Colour(i));
  for (auto _ : state) {
    for (size_t i = 0; i < rects.size(); ++i) win::FillRect(s.dc, &rects[i], brushes[i % kColours]);
    benchmark::ClobberMemory();
  }
  for (auto b : brushes) win::DeleteObject(b);
}
BENCHMARK(BM_GdiFillRect100k)->Unit(benchmark::kMillisecond);

void BM_QtFillRect100k(benchmark::State& state) {
  const std::vector<win::RECT> src = FillRects();
  std::vector<QRect> rects;
  rects.reserve(src.size());
  for (const auto& r : src) rects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
  QColor colours[kColours];
  for (int i = 0; i < kColours; ++i) {
    const win::COLORREF c = Colour(i);
    colours[i] = QColor(win::GetRValue(c), win::GetGValue(c), win::GetBValue(c));
  }
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter painter(&img);
  for (auto _ : state) {
    for (size_t i = 0; i < rects.size(); ++i) painter.fillRect(rects[i], colours[i % kColours]);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_QtFillRect100k)->Unit(benchmark::kMillisecond);

}  // namespace
