#pragma once
// The chart's own hand cursor (an open hand, for dragging the chart's contents). The platform has
// no such shape, so the program carries its picture and registers it as cursor number 2020.

#include "framework/Controls.h"

namespace chart {

inline constexpr fw::TCursor crPlotHand = 2020;

// Makes crPlotHand usable: the picture becomes the program's cursor 2020 and Screen's cursor
// list gets its handle. Calling it again changes nothing.
void RegisterPlotHandCursor();

}  // namespace chart
