#include "controls/CsTrackBar.h"

#include <cmath>

#include "framework/Colors.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/messages/Input.h"
#include "tx/Tx.h"
#include "tx/TxParentBackground.h"
#include "tx/TxThemes.h"

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
  fw::TTrackBar::SetTickMarks(system);
  if (sameSystemStyle && HandleAllocated()) RecreateWnd();  // both <-> centre
}

void TCsTrackBar::ThemeChanged() {
  if (HandleAllocated()) RecreateWnd();
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
      const bool paintChannel = DoDrawChannel(canvas, channel, pstPrePaint);
      if (paintChannel && ThemedLook()) {
        tx::CurrentTheme->PaintButton(canvas, channel, ItemInfo(true, false, false));
        fw::TRect inner = channel;
        win::InflateRect(&inner, -1, -1);  // the themed selection sits one more pixel in
        const fw::TRect selection = SelectionRect(inner);
        if (!win::IsRectEmpty(&selection)) tx::CurrentTheme->PaintButton(canvas, selection, ItemInfo(false, false, true));
      } else if (paintChannel) {
        canvas->Brush()->SetStyle(fw::bsSolid);
        canvas->Brush()->SetColor(fw::clWindow);
        canvas->FillRect(channel);
        fw::TRect r = channel;
        win::DrawEdge(Draw.hdc, &r, win::EDGE_SUNKEN, win::BF_RECT);
        const fw::TRect selection = SelectionRect(channel);
        if (!win::IsRectEmpty(&selection)) {
          canvas->Brush()->SetColor(fw::clHighlight);
          canvas->FillRect(selection);
        }
      }
      DoDrawChannel(canvas, channel, pstPostPaint);
      if (FTickMarks == tmxCenter) DrawTicks(canvas);
      result = win::CDRF_SKIPDEFAULT;
      break;
    }
    case win::TBCD_THUMB: {
      fw::TRect thumb = ThumbRect();
      const bool paintThumb = DoDrawThumb(canvas, thumb, pstPrePaint);
      if (paintThumb && ThemedLook()) {
        // Hot while it is being dragged.
        tx::CurrentTheme->PaintButton(canvas, thumb, ItemInfo(false, win::GetCapture() == Handle(), false));
      } else if (paintThumb) {
        canvas->Brush()->SetStyle(fw::bsSolid);
        canvas->Brush()->SetColor(fw::clBtnFace);
        canvas->FillRect(thumb);
        fw::TRect r = thumb;
        win::DrawFrameControl(Draw.hdc, &r, win::DFC_BUTTON, win::DFCS_BUTTONPUSH);
      }
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
  if (Message.Msg == fw::CN_NOTIFY) {
    const auto* header = reinterpret_cast<const win::NMHDR*>(Message.LParam);
    if (header != nullptr && header->code == win::NM_CUSTOMDRAW) {
      Message.Result = CustomDraw(*reinterpret_cast<const win::NMCUSTOMDRAW*>(Message.LParam));
      return;
    }
  }
  TCsThemed<fw::TTrackBar>::Dispatch(Message);
}

}  // namespace cs
