#pragma once
// The chart several benchmarks draw, print or export: titled "Random walk", one line series of
// Points points of a seeded random walk (X rising by 0.5..1.5 per point), the same every run.

#include <cstdint>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/Series.h"

namespace bench {

inline void FillRandomWalkChart(chart::TChart& Chart, int Points) {
  Chart.Title()->SetText("Random walk");
  auto* series = new chart::TLineSeries(&Chart);
  uint32_t seed = 2024;
  auto unit = [&] {
    seed = seed * 1664525u + 1013904223u;
    return double(seed >> 8) / double(1u << 24);
  };
  double x = 0, y = 0;
  series->BeginUpdate();
  for (int i = 0; i < Points; ++i) {
    x += 0.5 + unit();
    y += unit() - 0.5;
    series->AddXY(x, y);
  }
  series->EndUpdate();
  series->SetTitle("Walk");
  series->SetParentChart(&Chart);
}

}  // namespace bench
