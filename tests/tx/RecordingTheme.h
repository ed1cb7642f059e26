#pragma once
// A theme that paints nothing and records the notices it hears: enough for the registry, the
// manager and the current-theme tests, which must not depend on a real theme's looks.

#include <vector>

#include "framework/ControlMessages.h"
#include "tx/TxThemes.h"

namespace txtest {

class TRecordingTheme : public tx::TTxTheme {
 public:
  using TTxTheme::TTxTheme;
  ~TRecordingTheme() override { ++Destroyed; }
  void Dispatch(fw::TMessage& Message) override {
    Heard.push_back(Message);
    TTxTheme::Dispatch(Message);
  }
  std::vector<fw::TMessage> Heard;
  static inline int Destroyed = 0;

  tx::TPoint GetImageOffset(tx::TCanvas*, const tx::TTxItemInfo&, tx::TCustomImageList*) override { return {}; }
  tx::TColor GetItemColor(const tx::TTxItemInfo&) override { return 0; }
  tx::TColor GetItemTextColor(const tx::TTxItemInfo&) override { return 0; }
  tx::TColor GetItemImageBackground(const tx::TTxItemInfo&) override { return 0; }
  void GetMargins(tx::Integer, tx::TTxMargins&) override {}
  tx::Integer GetPopupShadowType() override { return tx::PST_NONE; }
  void GetViewBorder(tx::Integer, tx::TPoint&) override {}
  tx::TColor GetViewColor(tx::Integer) override { return 0; }
  void GetViewMargins(tx::Integer, tx::TTxMargins&) override {}
  void PaintBackground(tx::TCanvas*, const tx::TRect&, const tx::TRect&, const tx::TRect&, tx::TColor, bool,
                       tx::Integer) override {}
  void PaintButton(tx::TCanvas*, const tx::TRect&, const tx::TTxItemInfo&) override {}
  void PaintCaption(tx::TCanvas*, const tx::TRect&, const tx::TTxItemInfo&, const tx::String&, tx::Cardinal,
                    bool) override {}
  void PaintCheckMark(tx::TCanvas*, tx::TRect, const tx::TTxItemInfo&) override {}
  void PaintChevron(tx::TCanvas*, tx::TRect, const tx::TTxItemInfo&) override {}
  void PaintEditFrame(tx::TCanvas*, const tx::TRect&, tx::TTxItemInfo&, const tx::TTxEditFrameInfo&) override {}
  void PaintEditButton(tx::TCanvas*, const tx::TRect&, tx::TTxItemInfo&, const tx::TTxEditButtonInfo&) override {}
  void PaintDock(tx::TCanvas*, const tx::TRect&, const tx::TRect&, tx::Integer) override {}
  void PaintDockPanelNCArea(tx::TCanvas*, tx::TRect, const tx::TTxDockPanelInfo&) override {}
  void PaintDropDownArrow(tx::TCanvas*, const tx::TRect&, const tx::TTxItemInfo&) override {}
  void PaintFloatingBorder(tx::TCanvas*, const tx::TRect&, const tx::TTxFloatingWindowInfo&) override {}
  void PaintFrame(tx::TCanvas*, const tx::TRect&, const tx::TTxItemInfo&) override {}
  void PaintImage(tx::TCanvas*, tx::TRect, const tx::TTxItemInfo&, tx::TCustomImageList*, tx::Integer) override {}
  void PaintMDIButton(tx::TCanvas*, tx::TRect, const tx::TTxItemInfo&, tx::Cardinal) override {}
  void PaintMenuItem(tx::TCanvas*, const tx::TRect&, tx::TTxItemInfo&) override {}
  void PaintMenuItemFrame(tx::TCanvas*, const tx::TRect&, const tx::TTxItemInfo&) override {}
  void PaintScrollButton(tx::TCanvas*, const tx::TRect&, tx::Integer, bool) override {}
  void PaintPopupNCArea(tx::TCanvas*, tx::TRect, const tx::TTxPopupInfo&) override {}
  void PaintSeparator(tx::TCanvas*, tx::TRect, tx::TTxItemInfo, bool, bool) override {}
  void PaintToolbarNCArea(tx::TCanvas*, tx::TRect, const tx::TTxToolbarInfo&) override {}
  void PaintFrameControl(tx::TCanvas*, tx::TRect, tx::Integer, tx::Integer, void*) override {}
  void PaintStatusBar(tx::TCanvas*, tx::TRect, tx::Integer) override {}
  tx::Integer GetIntegerMetric(tx::Integer) override { return -1; }
  bool GetBooleanMetric(tx::Integer) override { return false; }
};

// An object that records what reaches its Dispatch, and may act on it.
class TListener : public fw::TObject {
 public:
  void Dispatch(fw::TMessage& Message) override {
    Heard.push_back(Message);
    if (OnMessage) OnMessage(Message);
  }
  std::vector<fw::TMessage> Heard;
  std::function<void(fw::TMessage&)> OnMessage;
};

}  // namespace txtest
