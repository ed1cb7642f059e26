#include "controls/CsThemedControl.h"

#include "controls/CsDrawing.h"
#include "framework/Colors.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/windows/Window.h"
#include "tx/TxParentBackground.h"
#include "tx/TxUtils.h"

namespace cs {

fw::TColor ParentBackgroundColor(fw::TControl* Control) {
  for (fw::TWinControl* parent = Control->Parent(); parent != nullptr; parent = parent->Parent())
    if (parent->Color() != fw::clNone) return parent->Color();
  return fw::clBtnFace;
}

void PaintControlBackground(fw::TWinControl* Control, win::HDC DC) {
  const fw::TRect client = Control->ClientRect();
  if (Control->Color() != fw::clNone) {
    tx::FillRectColor(DC, client, Control->Color());
    return;
  }
  win::POINT origin{0, 0};
  win::GetWindowOrgEx(DC, &origin);
  fw::TWinControl* parent = Control->Parent();
  if ((origin.x == 0 && origin.y == 0) || parent == nullptr) {
    tx::PaintParentBackground(Control, DC, client);
    return;
  }
  const fw::TPoint place = parent->ScreenToClient(Control->ClientToScreen(fw::TPoint{0, 0}));
  const int saved = win::SaveDC(DC);
  win::SetWindowOrgEx(DC, origin.x + place.x, origin.y + place.y, nullptr);
  fw::TMessage erase{win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(DC), reinterpret_cast<win::LPARAM>(DC), 0};
  parent->Dispatch(erase);
  if (erase.Result == 0) {
    const fw::TRect area{place.x, place.y, place.x + client.right, place.y + client.bottom};
    tx::FillRectColor(DC, area, tx::GetEffectiveColor(parent));
  }
  win::RestoreDC(DC, saved);
}

bool PaintThemedFrame(fw::TWinControl* Control, TCsThemeType ThemeType, bool Hot) {
  if (GetEffectiveThemeType(ThemeType) == thtNone || !Control->HandleAllocated()) return false;
  const win::HWND wnd = Control->Handle();
  const win::HDC dc = win::GetWindowDC(wnd);
  if (dc == nullptr) return false;
  win::RECT window{}, client{};
  win::GetWindowRect(wnd, &window);
  win::GetClientRect(wnd, &client);
  win::POINT origin{0, 0};
  win::ClientToScreen(wnd, &origin);
  const fw::TRect r{0, 0, window.right - window.left, window.bottom - window.top};
  const int cx = origin.x - window.left, cy = origin.y - window.top;
  win::ExcludeClipRect(dc, cx, cy, cx + client.right, cy + client.bottom);
  fw::TCanvas canvas;
  canvas.SetHandle(dc);
  if (ThemeType == thtTx) {
    // The frame's corners show what lies behind the control.
    const int saved = win::SaveDC(dc);
    win::SetWindowOrgEx(dc, cx, cy, nullptr);
    tx::PaintParentBackground(Control, dc, {-cx, -cy, r.right - cx, r.bottom - cy});
    win::RestoreDC(dc, saved);
  }
  PaintEditBorder(&canvas, r, Control->Enabled(), false, ThemeType, Hot);
  canvas.SetHandle(nullptr);
  win::ReleaseDC(wnd, dc);
  return true;
}

}  // namespace cs
