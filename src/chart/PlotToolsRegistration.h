#pragma once
// The chart tool classes in the tool-class registry, so that a class is found by its name and a
// chart stream naming one reads it back with its properties.

namespace chart {

// The stored properties of every tool class, for reading tools back from chart streams
// (registered once; RegisterChartTools calls it).
void RegisterChartToolProperties();

void RegisterChartTools();
void UnRegisterChartTools();

}  // namespace chart
