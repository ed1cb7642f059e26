#pragma once
// The chart engine's message and caption texts, shown to the user as they stand.

namespace chart {

inline constexpr const char* PlotMsg_Text = "Text";
inline constexpr const char* PlotMsg_Colors = "Colors";
inline constexpr const char* PlotMsg_Index = "Index";
inline constexpr const char* PlotMsg_Series = "Series";
inline constexpr const char* PlotMsg_DeleteSeries = "Delete %s ?";
inline constexpr const char* PlotMsg_SelectedSeries = "(Selected Series)";
inline constexpr const char* PlotMsg_FunctionPeriod = "Function Period should be >= 0";
inline constexpr const char* PlotMsg_AxisMaxBelowMin = "Axis maximum should be >= minimum";
inline constexpr const char* PlotMsg_AxisMinAboveMax = "Axis minimum should be <= maximum";
inline constexpr const char* PlotMsg_LogBase = "Axis logarithmic base should be > 1";
inline constexpr const char* PlotMsg_AxisIncrement = "Axis increment should be >= 0";
inline constexpr const char* PlotMsg_AxisBounds = "Axis bounds should be finite numbers";
inline constexpr const char* PlotMsg_ValueListX = "X";
inline constexpr const char* PlotMsg_ValueListY = "Y";
inline constexpr const char* PlotMsg_StandardPage = "Standard";
inline constexpr const char* PlotMsg_FunctionsPage = "Functions";

}  // namespace chart

