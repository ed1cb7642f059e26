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
  void ThemeChanged() override;

 private:
  fw::TRect ChannelRect();
  fw::TRect ThumbRect();
  win::LRESULT CustomDraw(const win::NMCUSTOMDRAW& Draw);
  // Painted through the current theme (effective thtTx).
  bool ThemedLook();
  tx::TTxItemInfo ItemInfo(bool Pushed, bool Hot, bool Selected);
  TCsTickMark FTickMarks = tmxBottomRight;
  std::unique_ptr<fw::TCanvas> FDrawCanvas;
};

}  // namespace cs
