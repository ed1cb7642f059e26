#pragma once
// The main window's delete command on a chart part clicked last: a chart element (legend,
// axis, a title, the frame, a graph's marks) is hidden rather than deleted.

namespace chart {
class TCustomChart;
struct TSelectorClickedPart;
}  // namespace chart

namespace kvforms {

// Hides the element Part names on Chart and answers true; false for a graph or no part, which
// the delete command deletes or leaves alone.
bool HideClickedPart(chart::TCustomChart& Chart, const chart::TSelectorClickedPart& Part);

}  // namespace kvforms
