// Metafiles: recording a chart-like picture (a 1,000,000-vertex polyline, 10,000 short texts and
// 10,000 rectangle fills) and playing it back at its own size into a 1600x1200 bitmap, against
// drawing the same calls straight into the bitmap.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/Metafile.h"

namespace {

constexpr int kWidth = 1600, kHeight = 1200;
constexpr int kVertices = 1'000'000, kItems = 10'000;

std::vector<win::POINT> Trace() {
  std::vector<win::POINT> pts(kVertices);
  for (int i = 0; i < kVertices; ++i)
    pts[size_t(i)] = win::POINT{win::LONG(int64_t(i) * kWidth / kVertices),
                                win::LONG(kHeight / 2 + std::sin(i * 0.0005) * 450 + (int64_t(i) * 7919 % 61) - 30)};
  return pts;
}

void Picture(win::HDC dc, const std::vector<win::POINT>& trace) {
  win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::RGB(200, 30, 30));
  win::HBRUSH brush = win::CreateSolidBrush(win::RGB(30, 30, 200));
  win::HGDIOBJ oldPen = win::SelectObject(dc, pen);
  win::Polyline(dc, trace.data(), int(trace.size()));
  for (int i = 0; i < kItems; ++i) {
    const win::RECT r{(i * 37) % kWidth, (i * 53) % kHeight, (i * 37) % kWidth + 9, (i * 53) % kHeight + 7};
    win::FillRect(dc, &r, brush);
    win::TextOutW(dc, r.left, r.bottom, u"12.5", 4);
  }
  win::SelectObject(dc, oldPen);
  win::DeleteObject(pen);
  win::DeleteObject(brush);
}

struct Target {
  Target() {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = win::CreateCompatibleDC(nullptr);
    old = win::SelectObject(dc, bmp);
  }
  ~Target() {
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    win::DeleteObject(bmp);
  }
  win::HBITMAP bmp = nullptr;
  win::HDC dc = nullptr;
  win::HGDIOBJ old = nullptr;
};

win::HENHMETAFILE Record(const std::vector<win::POINT>& trace) {
  const win::RECT frame{0, 0, kWidth * 2540 / 96 - 1, kHeight * 2540 / 96 - 1};
  win::HDC dc = win::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  Picture(dc, trace);
  return win::CloseEnhMetaFile(dc);
}

void BM_MetafileRecord(benchmark::State& state) {
  const auto trace = Trace();
  for (auto _ : state) win::DeleteEnhMetaFile(Record(trace));
}
BENCHMARK(BM_MetafileRecord)->Unit(benchmark::kMillisecond);

void BM_MetafilePlay(benchmark::State& state) {
  const auto trace = Trace();
  win::HENHMETAFILE mf = Record(trace);
  Target target;
  const win::RECT dest{0, 0, kWidth, kHeight};
  for (auto _ : state) win::PlayEnhMetaFile(target.dc, mf, &dest);
  win::DeleteEnhMetaFile(mf);
}
BENCHMARK(BM_MetafilePlay)->Unit(benchmark::kMillisecond);

void BM_MetafileSameDrawingDirect(benchmark::State& state) {
  const auto trace = Trace();
  Target target;
  for (auto _ : state) Picture(target.dc, trace);
}
BENCHMARK(BM_MetafileSameDrawingDirect)->Unit(benchmark::kMillisecond);

}  // namespace
