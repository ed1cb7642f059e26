#pragma once
// The chart tool classes in the tool-class registry (so that a class is found by its name), and
// the published properties of each: the names a chart stream stores for a tool of that class.

#include <vector>

#include "framework/ClassesTypes.h"

namespace chart {

struct TToolPublishedProperties {
  const char* ClassName;
  std::vector<const char*> Properties;
};

// Every registered tool class with its published properties, in registry order.
const std::vector<TToolPublishedProperties>& ChartToolPublishedProperties();

void RegisterChartTools();
void UnRegisterChartTools();

}  // namespace chart
