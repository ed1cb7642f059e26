#pragma once
// Graph text, the clipboard form of graphs: per graph an optional "[PROPERTIES]" block of
// key=value lines, then "[DATA]" and one "X<TAB>Y" line per point, several graphs one after
// another. The properties block alone carries one graph's format.

#include "framework/ClassesTypes.h"
#include "workspace/GraphCollection.h"

namespace workspace {

// The graph's format and identity as a "[PROPERTIES]" block (ini values, "." in numbers).
String GraphFormatText(const TGraph& Graph);
// Applies the format keys of a "[PROPERTIES]" block (title, colour, line) to Graph; keys that
// are missing or unreadable leave their property as it is.
void ApplyGraphFormatText(TGraph& Graph, const String& Text);

}  // namespace workspace
