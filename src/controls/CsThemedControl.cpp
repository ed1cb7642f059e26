#include "controls/CsThemedControl.h"

#include "framework/Colors.h"

namespace cs {

fw::TColor ParentBackgroundColor(fw::TControl* Control) {
  for (fw::TWinControl* parent = Control->Parent(); parent != nullptr; parent = parent->Parent())
    if (parent->Color() != fw::clNone) return parent->Color();
  return fw::clBtnFace;
}

}  // namespace cs
