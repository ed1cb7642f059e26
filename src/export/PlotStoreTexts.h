#pragma once
// The texts the table exports share: numbers, colours and text made safe for markup.

#include <string_view>

#include "framework/ClassesTypes.h"
#include "framework/Colors.h"

namespace kvexport {

// The general number text with the regional decimal separator.
fw::String ExportNumberText(double Value);
// "#RRGGBB" in upper-case hexadecimal, system colours resolved; empty for "no colour".
fw::String ExportColorText(fw::TColor Color);
// Text for a double-quoted XML attribute: & < > " escaped, tab and line ends as character
// references (a reader would turn them into blanks), other control characters, which XML cannot
// carry, and ill-formed UTF-8 as U+FFFD.
void AppendXmlAttributeText(fw::String& Out, std::string_view Text);
// Text for HTML cell content: & < > escaped.
void AppendHtmlText(fw::String& Out, std::string_view Text);

}  // namespace kvexport
