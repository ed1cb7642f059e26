#include "controls/CsEditors.h"

#include "controls/CsDrawing.h"
#include "framework/GraphicsCanvas.h"
#include "platform/controls/Edit.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysMetrics.h"

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

void TCsComboBox::Dispatch(fw::TMessage& Message) {
  TCsThemed<TUniComboBox>::Dispatch(Message);
  if (Message.Msg != win::WM_PAINT || GetEffectiveThemeType(ThemeType()) == thtNone || !HandleAllocated()) return;
  const win::HDC dc = win::GetWindowDC(Handle());
  if (dc == nullptr) return;
  fw::TCanvas canvas;
  canvas.SetHandle(dc);
  PaintComboButton(&canvas, {0, 0, Width(), Height()}, Enabled(), win::GetSystemMetrics(win::SM_CXVSCROLL),
                   ThemeType(), DroppedDown(), MouseInControl() || Focused());
  canvas.SetHandle(nullptr);
  win::ReleaseDC(Handle(), dc);
}

}  // namespace cs
