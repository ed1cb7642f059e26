// What the gallery offers of the financial series: their variants, the candle preview and the
// random sample points.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include "analysis/PlotFinancial.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"

namespace analysis {
namespace {

std::mt19937& Generator() {
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}

double Uniform(double Low, double High) { return std::uniform_real_distribution<double>(Low, High)(Generator()); }

// Today as a date value (days since 30 December 1899).
double Today() {
  const auto days = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return double(days.time_since_epoch().count()) + 25569.0;
}

}  // namespace

std::vector<String> TCandleSeries::ListSubStyles() const { return {"Bar", "No Open", "No Close", "No Border", "Line"}; }

void TCandleSeries::ApplySubStyle(Integer Index) {
  switch (Index) {
    case 0:
      SetCandleStyle(csCandleBar);
      break;
    case 1:
      SetCandleStyle(csCandleBar);
      SetShowOpenTick(false);
      break;
    case 2:
      SetCandleStyle(csCandleBar);
      SetShowCloseTick(false);
      break;
    case 3:
      SetCandleStyle(csCandleStick);
      Pointer()->Pen()->SetVisible(false);
      break;
    case 4:
      SetCandleStyle(csLine);
      break;
    default:
      break;
  }
}

void TCandleSeries::PrepareForGallery(bool Enabled) {
  FillSampleValues(4);
  SetCandleWidth(12);
  Pointer()->Pen()->SetWidth(2);
  if (Enabled) {
    SetUpCloseColor(0xFF0000);
  } else {
    SetUpCloseColor(0xC0C0C0);
    SetDownCloseColor(0x808080);
    Pointer()->Pen()->SetColor(0x808080);
  }
}

void TCandleSeries::FillSampleValues(Integer Count) {
  BeginUpdate();
  Clear();
  const double today = Today();
  double close = Uniform(50, 150);
  for (Integer i = 0; i < Count; ++i) {
    const double open = close;
    close = std::max(1.0, open + Uniform(-10, 10));
    AddOHLC(today + i, open, std::max(open, close) + Uniform(0, 5), std::min(open, close) - Uniform(0, 5), close);
  }
  EndUpdate();
}

std::vector<String> TVolumeSeries::ListSubStyles() const { return {"Dotted", "Colors", "Origin"}; }

void TVolumeSeries::ApplySubStyle(Integer Index) {
  switch (Index) {
    case 0:
      LinePen()->SetSmallDots(true);
      break;
    case 1:
      SetColorEachPoint(true);
      break;
    case 2:
      SetUseYOrigin(true);
      break;
    default:
      break;
  }
}

void TVolumeSeries::FillSampleValues(Integer Count) {
  BeginUpdate();
  Clear();
  for (Integer i = 0; i < Count; ++i) AddXY(i, std::round(Uniform(0, 1000)));
  EndUpdate();
}

}  // namespace analysis
