#include "controls/CsEditors.h"

#include "platform/controls/Edit.h"

namespace cs {

win::DWORD EditAlignmentStyle(fw::TAlignment Alignment) {
  switch (Alignment) {
    case fw::taRightJustify: return win::ES_RIGHT;
    case fw::taCenter: return win::ES_CENTER;
    default: return win::ES_LEFT;
  }
}

void TAlignedEdit::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TAlignedEdit::CreateParams(fw::TCreateParams& Params) {
  fw::TEdit::CreateParams(Params);
  Params.Style = (Params.Style & ~(win::ES_RIGHT | win::ES_CENTER)) | EditAlignmentStyle(FAlignment);
}

}  // namespace cs
