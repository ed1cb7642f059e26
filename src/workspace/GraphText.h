#pragma once
// Graph text, the clipboard form of graphs: per graph an optional "[PROPERTIES]" block of
// key=value lines, then "[DATA]" and one "X<TAB>Y" line per point, several graphs one after
// another. The properties block alone carries one graph's format. Numbers of the data use the
// preferences' decimal separator (either separator is read back); property values use ".".
// Numbers are 15-digit general number text; a value past the largest double only by that
// rounding (the text of ±DBL_MAX) reads back as ±DBL_MAX, "NAN", "INF" and "-INF" read back as
// such, and negative zero is "-0". A null point's line carries a third field "null" after X
// and Y, which readers that take only the first two fields pass over.

#include <vector>

#include "framework/ClassesTypes.h"
#include "workspace/GraphCollection.h"

namespace workspace {

struct TGraphTextOptions {
  bool CopyX = true;
  bool CopyY = true;
  // Only the points inside the series' horizontal axis range.
  bool CopyVisible = false;
  bool CopyProperties = true;
  char DecimalSeparator = ',';

  // The copy options and the decimal separator of the preferences.
  static TGraphTextOptions FromPreferences();
};

// The graphs in order. A graph gives X and Y columns, X alone or Y alone by the options, and
// nothing at all when both columns are off.
String GraphsToText(const TGraphArray& Graphs, const TGraphTextOptions& Options);

// The graph's format and identity as a "[PROPERTIES]" block.
String GraphFormatText(const TGraph& Graph);
// Applies the series format of a "[PROPERTIES]" block (title, colour, visibility, line, pointer)
// to Graph; keys that are missing or unreadable leave their property as it is.
void ApplyGraphFormatText(TGraph& Graph, const String& Text);

// One graph read back from graph text.
struct TGraphTextItem {
  String Properties;  // the "[PROPERTIES]" block, empty when there was none
  std::vector<double> X;
  std::vector<double> Y;
  std::vector<std::size_t> NullPoints;  // indexes into X and Y, ascending
};
// Splits graph text into its graphs. Plain text without section lines is no graph text: the
// result is then empty.
std::vector<TGraphTextItem> ParseGraphText(const String& Text);
bool IsGraphText(const String& Text);

// Adds the graphs of graph text, or one graph ("Clipboard") read by the two-column reader from
// plain text; selects the last one added. Raises EGraphError when the text holds no graph with
// at least two points; graphs added before a failing one stay.
TGraphArray PasteGraphsFromText(TGraphCollection& Graphs, const String& Text);

// The clipboard side: the graphs as graph text with the preferences' copy options, and pasting
// graphs or one graph's format from the clipboard text.
// Pasting raises EGraphError NoGraphTextMsg when the clipboard holds no text (a picture, say).
inline constexpr const char* NoGraphTextMsg =
    "В буфере обмена нет текста графика: скопируйте в него столбцы чисел X и Y";
void CopyGraphsToClipboard(const TGraphArray& Graphs, const TGraphTextOptions& Options);
TGraphArray PasteGraphsFromClipboard(TGraphCollection& Graphs);
void CopyGraphFormatToClipboard(const TGraph& Graph);
// Applies the format of the clipboard's "[PROPERTIES]" block (all but the title) to each graph,
// recording the former format of each as an undo entry. False (nothing changed) when the clipboard holds no properties block.
bool PasteGraphFormatFromClipboard(TGraphCollection& Graphs, const TGraphArray& Targets);

}  // namespace workspace
