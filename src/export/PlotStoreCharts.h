#pragma once
// Two chart classes the class registry knows by name, so that stored forms naming them load:
// they behave exactly as TChart.

#include "chart/Chart.h"

namespace kvexport {

class TChartChart : public chart::TChart {
 public:
  using chart::TChart::TChart;
};

class TODBCChart : public TChartChart {
 public:
  using TChartChart::TChartChart;
};

// At start-up and at shutdown of the program.
void RegisterPlotStoreClasses();
void UnRegisterPlotStoreClasses();

}  // namespace kvexport
