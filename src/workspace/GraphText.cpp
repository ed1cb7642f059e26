// Graph text: writing and reading graphs and graph formats as clipboard text.
#include "workspace/GraphText.h"

namespace workspace {

String GraphFormatText(const TGraph&) { return "[PROPERTIES]\r\n"; }
void ApplyGraphFormatText(TGraph&, const String&) {}

}  // namespace workspace
