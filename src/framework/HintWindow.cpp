#include "framework/HintWindow.h"

#include "framework/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace fw {

const THintWindowClassInfo* THintWindow::ClassInfo() {
  static const THintWindowClassInfo info("THintWindow", [](TComponent* o) { return new THintWindow(o); }, nullptr);
  return &info;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  SetColor(Application != nullptr ? Application->HintColor() : clInfoBk);
  if (Screen != nullptr) FFont->Assign(Screen->HintFont());
  FCanvas->Font()->Assign(FFont.get());
}

THintWindow::~THintWindow() { DestroyHandle(); }

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = win::WS_POPUP | win::WS_BORDER;
  Params.ExStyle = win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  Params.WindowClass.style |= win::CS_SAVEBITS;
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  SetCaption(AHint);
  TRect r = Rect;
  // Four rows taller than measured: the text is painted 2 pixels down inside the border, and its
  // last rows would be cut off otherwise.
  r.bottom += 4;
  // Kept on the screen.
  if (Screen != nullptr) {
    TRect desk = Screen->DesktopRect();
    if (r.right > desk.right) win::OffsetRect(&r, desk.right - r.right, 0);
    if (r.left < desk.left) win::OffsetRect(&r, desk.left - r.left, 0);
    if (r.bottom > desk.bottom) win::OffsetRect(&r, 0, desk.bottom - r.bottom);
    if (r.top < desk.top) win::OffsetRect(&r, 0, desk.top - r.top);
  }
  SetBoundsRect(r);
  win::SetWindowPos(Handle(), win::HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
  FVisible = true;
  FShowing = true;
  Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

TRect THintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*) {
  TRect r = Rect(0, 0, MaxWidth, 0);
  FCanvas->Font()->Assign(FFont.get());
  TCanvas* c = FCanvas.get();
  std::u16string text = win::Utf8ToWide(AHint);
  c->RequiredState({csHandleValid, csFontValid});
  win::DrawTextW(c->Handle(), text.c_str(), -1, &r,
                 win::DT_CALCRECT | win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  r.left += 2;
  r.top += 2;
  TCanvas* c = FCanvas.get();
  c->Font()->Assign(FFont.get());
  c->Font()->SetColor(Screen != nullptr ? Screen->HintFont()->Color() : clInfoText);
  c->Brush()->SetStyle(bsClear);
  std::u16string text = win::Utf8ToWide(Caption());
  c->RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::SetTextColor(c->Handle(), win::COLORREF(ColorToRGB(c->Font()->Color())));
  win::SetBkMode(c->Handle(), win::TRANSPARENT);
  win::DrawTextW(c->Handle(), text.c_str(), -1, &r, win::DT_LEFT | win::DT_NOPREFIX | win::DT_WORDBREAK);
}

void THintWindow::ReleaseHandle() {
  FVisible = false;
  FShowing = false;
  DestroyHandle();
}

bool THintWindow::IsHintMsg(const win::MSG& Msg) {
  return (Msg.message >= win::WM_KEYFIRST && Msg.message <= win::WM_KEYLAST) ||
         Msg.message == win::WM_LBUTTONDOWN || Msg.message == win::WM_RBUTTONDOWN ||
         Msg.message == win::WM_MBUTTONDOWN || Msg.message == win::WM_NCLBUTTONDOWN ||
         Msg.message == win::WM_NCRBUTTONDOWN || Msg.message == win::WM_ACTIVATEAPP;
}

void THintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_NCHITTEST) {
    Message.Result = win::HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(Message);
}

}  // namespace fw
