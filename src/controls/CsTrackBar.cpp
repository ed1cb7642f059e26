#include "controls/CsTrackBar.h"

#include <cmath>

#include "framework/Colors.h"
#include "framework/ExtCtrls.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "controls/CsThemeNexus.h"
#include "tx/Tx.h"
#include "tx/TxParentBackground.h"
#include "tx/TxThemes.h"
#include "tx/TxUxThemes.h"

namespace cs {

TCsTrackBar::TCsTrackBar(fw::TComponent* AOwner)
    : TCsThemed<fw::TTrackBar>(AOwner), FDrawCanvas(std::make_unique<fw::TCanvas>()) {
  SetThemeType(thtWindows);
}

TCsTrackBar::~TCsTrackBar() = default;

void TCsTrackBar::SetTickMarks(TCsTickMark Value) {
  if (FTickMarks == Value) return;
  const fw::TTickMark system = Value == tmxBottomRight ? fw::tmBottomRight
                               : Value == tmxTopLeft   ? fw::tmTopLeft
                                                       : fw::tmBoth;
  const bool sameSystemStyle = system == fw::TTrackBar::TickMarks();
  FTickMarks = Value;
  KeepingFocus([&] {
    fw::TTrackBar::SetTickMarks(system);                      // another system style: a new window
    if (sameSystemStyle && HandleAllocated()) RecreateWnd();  // both <-> centre
  });
}

void TCsTrackBar::KeepingFocus(const std::function<void()>& Remake) {
  // The old window goes with the focus it had: the new one takes it back, so the keys a user was
  // moving the thumb with still move it after a switch of theme.
  const bool hadFocus = Focused();
  Remake();
  if (hadFocus && !Focused() && CanFocus()) SetFocus();
}

void TCsTrackBar::CreateWnd() {
  TCsThemed<fw::TTrackBar>::CreateWnd();
  FWindowThemeType = ThemeType();
}

void TCsTrackBar::ThemeChanged() {
  if (!HandleAllocated()) return;
  // Made anew only for a new look: a window destroyed while the pointer enters it or a press
  // gives it the focus would take the press and its drag along.
  if (ThemeType() != FWindowThemeType) {
    KeepingFocus([this] { RecreateWnd(); });
    return;
  }
  TCsThemed<fw::TTrackBar>::ThemeChanged();
}

void TCsTrackBar::CMMouseLeave(fw::TMessage& Message) {
  TCsThemed<fw::TTrackBar>::CMMouseLeave(Message);
  TrackThumbHover();
}

fw::TRect TCsTrackBar::ChannelRect() {
  fw::TRect r{};
  if (HandleAllocated()) win::SendMessageW(Handle(), win::TBM_GETCHANNELRECT, 0, reinterpret_cast<win::LPARAM>(&r));
  if (Orientation() == fw::trVertical) r = {r.top, r.left, r.bottom, r.right};
  return r;
}

fw::TRect TCsTrackBar::ThumbRect() {
  fw::TRect r{};
  if (HandleAllocated()) win::SendMessageW(Handle(), win::TBM_GETTHUMBRECT, 0, reinterpret_cast<win::LPARAM>(&r));
  return r;
}

fw::TRect TCsTrackBar::SelectionRect(const fw::TRect& Channel) {
  const int range = Max() - Min();
  if (range <= 0 || SelEnd() <= SelStart()) return {0, 0, 0, 0};
  fw::TRect inner = Channel;
  win::InflateRect(&inner, -1, -1);
  const double scale = double(inner.right - inner.left) / range;
  // Positions count from Min, so a range not starting at 0 still lands on its own values.
  const int from = inner.left + int(std::lround((SelStart() - Min()) * scale));
  const int to = inner.left + int(std::lround((SelEnd() - Min()) * scale));
  return {from, inner.top, to, inner.bottom};
}

bool TCsTrackBar::DoDrawChannel(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) {
  bool paintDefault = true;
  if (OnDrawChannel) OnDrawChannel(this, ACanvas, ARect, PaintStage, paintDefault);
  return paintDefault;
}

bool TCsTrackBar::DoDrawThumb(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) {
  bool paintDefault = true;
  if (OnDrawThumb) OnDrawThumb(this, ACanvas, ARect, PaintStage, paintDefault);
  return paintDefault;
}

bool TCsTrackBar::DoDrawChannelTics(fw::TCanvas* ACanvas, fw::Integer X, fw::Integer Y) {
  bool paintDefault = true;
  if (OnDrawChannelTics) OnDrawChannelTics(this, ACanvas, X, Y, paintDefault);
  return paintDefault;
}

void TCsTrackBar::DrawTicks(fw::TCanvas* ACanvas) {
  const fw::TRect channel = ChannelRect();
  const fw::TRect thumb = ThumbRect();
  const bool vertical = Orientation() == fw::trVertical;
  const int half = (vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left) / 2;
  const int cross = (channel.top + channel.bottom) / 2;
  std::vector<int> along{channel.left + half};
  for (int i = 0;; ++i) {
    const auto pos = win::SendMessageW(Handle(), win::TBM_GETTICPOS, win::WPARAM(i), 0);
    if (pos < 0) break;
    along.push_back(int(pos));
  }
  along.push_back(channel.right - half);
  for (int a : along) {
    const int x = vertical ? cross : a, y = vertical ? a : cross;
    if (DoDrawChannelTics(ACanvas, x, y)) win::SetPixel(ACanvas->Handle(), x, y, 0);
  }
}

bool TCsTrackBar::ThemedLook() { return EffectiveThemeType() == thtTx && tx::CurrentTheme != nullptr; }

namespace {

// The visual-style part of the thumb: pointing to the ticks' side, or plain with ticks on both.
int ThumbPart(bool Vertical, TCsTickMark Marks) {
  const bool both = Marks == tmxBoth || Marks == tmxCenter;
  if (Vertical) return both ? 6 : Marks == tmxTopLeft ? 7 : 8;
  return both ? 3 : Marks == tmxTopLeft ? 5 : 4;
}

bool DrawTrackBarPart(win::HDC DC, int Part, int State, const fw::TRect& R) {
  return ThemeNexus() != nullptr && tx::DrawThemePart(ThemeNexus()->TrackBarThemeHandle(), DC, Part, State, R);
}

}  // namespace

bool TCsTrackBar::ThumbHot() {
  if (!HandleAllocated()) return false;
  const bool dragged = win::GetCapture() == Handle();
  if (EffectiveThemeType() != thtWindows) return dragged;
  // The system look marks the thumb the keys move, or the one under the pointer (there is no
  // design time here to leave out).
  if (Focused()) return !dragged;
  win::POINT pt{};
  win::GetCursorPos(&pt);
  win::ScreenToClient(Handle(), &pt);
  const fw::TRect thumb = ThumbRect();
  return win::PtInRect(&thumb, pt) != 0;
}

void TCsTrackBar::TrackThumbHover() {
  if (!HandleAllocated() || ThumbHot() == FThumbHotShown) return;
  const fw::TRect thumb = ThumbRect();
  win::InvalidateRect(Handle(), &thumb, win::FALSE);
}

void TCsTrackBar::PaintThumb(fw::TCanvas* ACanvas, win::HDC DC, const fw::TRect& Thumb) {
  const bool hot = ThumbHot();
  FThumbHotShown = hot;
  switch (EffectiveThemeType()) {
    case thtTx:
      if (tx::CurrentTheme != nullptr) {
        tx::CurrentTheme->PaintButton(ACanvas, Thumb, ItemInfo(false, hot, false));
        return;
      }
      break;
    case thtWindows:
      if (DrawTrackBarPart(DC, ThumbPart(Orientation() == fw::trVertical, FTickMarks), hot ? 2 : 1, Thumb)) return;
      break;
    case thtNone: break;
  }
  ACanvas->Brush()->SetStyle(fw::bsSolid);
  ACanvas->Brush()->SetColor(fw::clBtnFace);
  ACanvas->FillRect(Thumb);
  fw::TRect r = Thumb;
  win::DrawFrameControl(DC, &r, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
}

void TCsTrackBar::PaintChannel(fw::TCanvas* ACanvas, win::HDC DC, const fw::TRect& Channel) {
  if (ThemedLook()) {
    tx::CurrentTheme->PaintButton(ACanvas, Channel, ItemInfo(true, false, false));
    fw::TRect inner = Channel;
    win::InflateRect(&inner, -1, -1);  // the themed selection sits one more pixel in
    const fw::TRect selection = SelectionRect(inner);
    if (!win::IsRectEmpty(&selection)) tx::CurrentTheme->PaintButton(ACanvas, selection, ItemInfo(false, false, true));
    return;
  }
  const bool styled = EffectiveThemeType() == thtWindows &&
                      DrawTrackBarPart(DC, Orientation() == fw::trVertical ? 2 : 1, 1, Channel);
  if (!styled) {
    ACanvas->Brush()->SetStyle(fw::bsSolid);
    ACanvas->Brush()->SetColor(fw::clWindow);
    ACanvas->FillRect(Channel);
    // Sunk in two frames: shadow and highlight outside, dark shadow and face inside.
    fw::TRect r = Channel;
    fw::Frame3D(ACanvas, r, fw::clBtnShadow, fw::clBtnHighlight, 1);
    fw::Frame3D(ACanvas, r, fw::cl3DDkShadow, fw::clBtnFace, 1);
  }
  const fw::TRect selection = SelectionRect(Channel);
  if (!win::IsRectEmpty(&selection)) {
    ACanvas->Brush()->SetStyle(fw::bsSolid);
    ACanvas->Brush()->SetColor(fw::clHighlight);
    ACanvas->FillRect(selection);
  }
}

tx::TTxItemInfo TCsTrackBar::ItemInfo(bool Pushed, bool Hot, bool Selected) {
  tx::TTxItemInfo info;
  info.ViewType = tx::VT_TOOLBAR_NORMAL;
  info.ItemOptions = tx::IO_TOOLBAR_STYLE | tx::IO_APP_ACTIVE;
  info.Enabled = Enabled();
  info.Pushed = Pushed;
  info.HoverKind = Hot ? tx::hkMouseHover : tx::hkNone;
  info.Selected = Selected;
  return info;
}

win::LRESULT TCsTrackBar::CustomDraw(const win::NMCUSTOMDRAW& Draw) {
  if (Draw.dwDrawStage == win::CDDS_PREPAINT) return win::CDRF_NOTIFYITEMDRAW;
  if (Draw.dwDrawStage != win::CDDS_ITEMPREPAINT) return win::CDRF_DODEFAULT;
  FDrawCanvas->SetHandle(Draw.hdc);
  fw::TCanvas* canvas = FDrawCanvas.get();
  win::LRESULT result = win::CDRF_DODEFAULT;
  switch (Draw.dwItemSpec) {
    case win::TBCD_TICS:
      // The ticks come first: the bar takes what lies behind it (a themed dialog face, a dock)
      // before anything of its own is drawn, not the plain face the platform filled in.
      tx::PaintParentBackground(this, Draw.hdc, ClientRect());
      if (FTickMarks == tmxCenter) {
        if (Focused()) DrawFocusRectangle(canvas, ClientRect());
        result = win::CDRF_SKIPDEFAULT;
      }
      break;
    case win::TBCD_CHANNEL: {
      fw::TRect channel = ChannelRect();
      if (DoDrawChannel(canvas, channel, pstPrePaint)) PaintChannel(canvas, Draw.hdc, channel);
      DoDrawChannel(canvas, channel, pstPostPaint);
      if (FTickMarks == tmxCenter) DrawTicks(canvas);
      result = win::CDRF_SKIPDEFAULT;
      break;
    }
    case win::TBCD_THUMB: {
      fw::TRect thumb = ThumbRect();
      if (DoDrawThumb(canvas, thumb, pstPrePaint)) PaintThumb(canvas, Draw.hdc, thumb);
      DoDrawThumb(canvas, thumb, pstPostPaint);
      result = win::CDRF_SKIPDEFAULT;
      break;
    }
    default: break;
  }
  FDrawCanvas->SetHandle(nullptr);
  return result;
}

void TCsTrackBar::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == tx::TXM_THEMECHANGE) {
    // Another theme: a window of the new look.
    if (Message.WParam == tx::TSC_AFTER_CHANGE && HandleAllocated()) KeepingFocus([this] { RecreateWnd(); });
    return;
  }
  if (Message.Msg == fw::CN_NOTIFY) {
    const auto* header = reinterpret_cast<const win::NMHDR*>(Message.LParam);
    if (header != nullptr && header->code == win::NM_CUSTOMDRAW) {
      Message.Result = CustomDraw(*reinterpret_cast<const win::NMCUSTOMDRAW*>(Message.LParam));
      return;
    }
  }
  TCsThemed<fw::TTrackBar>::Dispatch(Message);
  if (Message.Msg == win::WM_MOUSEMOVE) TrackThumbHover();
}

}  // namespace cs
