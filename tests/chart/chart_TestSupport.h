#pragma once
// Shared helpers of the chart engine tests: a fixed number format and a listener that records.

#include <cmath>
#include <vector>

#include "chart/PlotEngine.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Locale.h"

namespace charttest {

// "." for decimals and "," between thousands for the lifetime of the object.
struct PlainNumberFormat {
  PlainNumberFormat() {
    win::locale::SetRegionalDecimalSeparator('.');
    win::locale::SetRegionalThousandSeparator(u',');
  }
  ~PlainNumberFormat() { win::locale::ResetRegionalSettings(); }
};

struct EventRecorder : chart::TChartSeriesListener {
  std::vector<chart::TChartSeriesEvent> events;
  void SeriesEvent(chart::TChartSeries*, chart::TChartSeriesEvent e) override { events.push_back(e); }
};

}  // namespace charttest
