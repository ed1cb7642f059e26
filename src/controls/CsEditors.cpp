#include "controls/CsEditors.h"

#include "controls/CsDrawing.h"
#include "framework/GraphicsCanvas.h"
#include "platform/controls/Edit.h"
#include "platform/user/painting/Paint.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/services/SysMetrics.h"
#include "tx/TxParentBackground.h"

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
  if (Message.Msg == win::WM_PAINT) PaintThemedBorder();
}

void TCsComboBox::PaintThemedBorder() {
  const TCsThemeType effective = EffectiveThemeType();
  if (effective == thtNone || !HandleAllocated()) return;
  const win::HDC dc = win::GetDC(Handle());
  if (dc == nullptr) return;
  // The field and its text, just painted by the inherited paint, stay as they are: a theme
  // fills its edit frame.
  const int buttonWidth = Style() == fw::csSimple ? 0 : win::GetSystemMetrics(win::SM_CXHSCROLL);
  const fw::TRect r{0, 0, Width(), Height()};
  win::ExcludeClipRect(dc, 2, 2, r.right - 2 - buttonWidth, r.bottom - 2);
  if (effective == thtTx) tx::PaintParentBackground(this, dc, r);
  fw::TCanvas canvas;
  canvas.SetHandle(dc);
  PaintComboButton(&canvas, r, Enabled(), buttonWidth, ThemeType(), DroppedDown(), MouseInControl() || Focused());
  canvas.SetHandle(nullptr);
  win::SelectClipRgn(dc, nullptr);
  win::ReleaseDC(Handle(), dc);
}

}  // namespace cs
