#pragma once
// The system track bar drawn by the control set: channel, thumb and centre ticks, each with an
// owner-draw event in two stages.

#include "controls/CsTextObject.h"
#include "framework/ComCtrls.h"
#include "platform/controls/CommCtrl.h"

namespace cs {

enum TCsTickMark { tmxBottomRight, tmxTopLeft, tmxBoth, tmxCenter };

using TCsDrawPosEvent =
    std::function<void(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::Integer X, fw::Integer Y, bool& PaintDefault)>;

class TCsTrackBar : public TCsThemed<fw::TTrackBar> {
 public:
  explicit TCsTrackBar(fw::TComponent* AOwner);
  ~TCsTrackBar() override;

  // tmxCenter: one-pixel ticks along the middle of the channel.
  TCsTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TCsTickMark Value);
  // The selection's pixel span in the channel (empty without a selection): from SelStart to
  // SelEnd measured from Min.
  fw::TRect SelectionRect(const fw::TRect& Channel);

  TCsDrawEvent OnDrawChannel;
  TCsDrawEvent OnDrawThumb;
  TCsDrawPosEvent OnDrawChannelTics;

  void Dispatch(fw::TMessage& Message) override;

 protected:
  virtual bool DoDrawChannel(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage);
  virtual bool DoDrawChannelTics(fw::TCanvas* ACanvas, fw::Integer X, fw::Integer Y);
  virtual bool DoDrawThumb(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage);
  virtual void DrawTicks(fw::TCanvas* ACanvas);
  void CreateWnd() override;
  // A new theme type or theme makes the window anew; the hot state (pointer or focus in or out)
  // only repaints it.
  void ThemeChanged() override;
  void CMMouseLeave(fw::TMessage& Message) override;

 private:
  // Runs Remake, which makes the window anew, and gives the new window the focus if the old one
  // had it.
  void KeepingFocus(const std::function<void()>& Remake);
  fw::TRect ChannelRect();
  fw::TRect ThumbRect();
  win::LRESULT CustomDraw(const win::NMCUSTOMDRAW& Draw);
  // Painted through the current theme (effective thtTx).
  bool ThemedLook();
  // The thumb's hot state by the effective theme type.
  bool ThumbHot();
  // The system look marks the thumb under the pointer of an unfocused bar: repainted when that
  // changes.
  void TrackThumbHover();
  void PaintThumb(fw::TCanvas* ACanvas, win::HDC DC, const fw::TRect& Thumb);
  void PaintChannel(fw::TCanvas* ACanvas, win::HDC DC, const fw::TRect& Channel);
  tx::TTxItemInfo ItemInfo(bool Pushed, bool Hot, bool Selected);
  TCsTickMark FTickMarks = tmxBottomRight;
  TCsThemeType FWindowThemeType = thtWindows;  // the theme type the window was made with
  bool FThumbHotShown = false;
  std::unique_ptr<fw::TCanvas> FDrawCanvas;
};

}  // namespace cs
