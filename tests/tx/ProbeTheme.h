#pragma once
// A theme with fixed metrics and margins that logs every painting call it gets with its
// rectangle and item record: the viewers' geometry and state can be read off the log.

#include <map>
#include <string>
#include <vector>

#include "tx/RecordingTheme.h"

namespace txtest {

struct ProbeCall {
  std::string Op;
  tx::TRect R{};
  tx::TTxItemInfo Info;
  tx::String Text;
  tx::Cardinal Flags = 0;
  bool Flag = false;   // Rotated (captions), Horizontal (separators)
  bool Flag2 = false;  // LineOnly (separators)
};

class TProbeTheme : public TRecordingTheme {
 public:
  using TRecordingTheme::TRecordingTheme;
  // Split arrow 11, drop-down arrow 8 with margin 2, menu spacing 1/2/2, separators 6 and 7.
  std::map<tx::Integer, tx::Integer> Metrics{{10, 11}, {20, 8}, {21, 2}, {32, 1}, {33, 2}, {34, 2},
                                             {35, 7},  {50, 6}, {60, 2}, {61, 1}, {62, 1}, {65, 13}, {66, 3}};
  tx::TTxMargins MenuMargins{0, 0, 2, 2};
  std::vector<ProbeCall> Calls;
  // Read when a popup asks; shared by every instance (the registry makes them).
  static inline tx::Integer ShadowType = tx::PST_NONE;
  static inline bool PopupAlignment = false;
  static inline tx::TPoint PopupBorder{3, 3};

  std::vector<ProbeCall> Of(const std::string& op) const {
    std::vector<ProbeCall> out;
    for (const auto& c : Calls)
      if (c.Op == op) out.push_back(c);
    return out;
  }

  tx::Integer GetIntegerMetric(tx::Integer Index) override {
    auto it = Metrics.find(Index);
    return it == Metrics.end() ? -1 : it->second;
  }
  tx::Integer GetPopupShadowType() override { return ShadowType; }
  // Docks painted by the theme (boolean metric 5).
  static inline bool ThemedDocks = false;
  // The frame of a floating toolbar.
  static inline tx::TPoint FloatingBorder{2, 5};
  static constexpr tx::TColor kToolbarColor = 0x00B0C0D0;
  bool GetBooleanMetric(tx::Integer Index) override {
    return (Index == tx::TMB_POPUP_ALIGNMENT && PopupAlignment) || (Index == tx::TMB_VISUAL_STYLES && ThemedDocks);
  }
  void GetViewBorder(tx::Integer ViewType, tx::TPoint& Border) override {
    if (ViewType & tx::VT_POPUP)
      Border = PopupBorder;
    else if ((ViewType & tx::VT_TOOLBAR) && (ViewType & tx::VT_FLOATING))
      Border = FloatingBorder;
    else
      Border = tx::TPoint{0, 0};
  }
  tx::TColor GetViewColor(tx::Integer ViewType) override {
    if (ViewType & tx::VT_POPUP) return 0x00C0FFEE;
    return (ViewType & tx::VT_TOOLBAR) ? kToolbarColor : 0;
  }
  void PaintDock(tx::TCanvas*, const tx::TRect&, const tx::TRect& DockRect, tx::Integer Position) override {
    Calls.push_back({"Dock", DockRect, {}, "", tx::Cardinal(Position), false, false});
  }
  void PaintChevron(tx::TCanvas*, tx::TRect R, const tx::TTxItemInfo& I) override { Log("Chevron", R, I); }
  void PaintFloatingBorder(tx::TCanvas*, const tx::TRect& R, const tx::TTxFloatingWindowInfo& Info) override {
    Calls.push_back({"FloatingBorder", R, {}, Info.Caption, tx::Cardinal(Info.RedrawPart), Info.ShowCaption, false});
    LastFloating = Info;
  }
  tx::TTxFloatingWindowInfo LastFloating;
  void PaintToolbarNCArea(tx::TCanvas*, tx::TRect R, const tx::TTxToolbarInfo& Info) override {
    Calls.push_back({"ToolbarNC", R, {}, "", 0, false, false});
    LastToolbar = Info;
  }
  tx::TTxToolbarInfo LastToolbar;
  void PaintBackground(tx::TCanvas*, const tx::TRect&, const tx::TRect& R, const tx::TRect&, tx::TColor Color,
                       bool Transparent, tx::Integer ViewType) override {
    Calls.push_back({"Background", R, {}, "", tx::Cardinal(Color), Transparent, false});
    BackgroundViewType = ViewType;
  }
  void PaintPopupNCArea(tx::TCanvas*, tx::TRect R, const tx::TTxPopupInfo& Info) override {
    Calls.push_back({"PopupNC", R, {}, "", 0, false, false});
    LastPopup = Info;
  }
  void PaintEditFrame(tx::TCanvas*, const tx::TRect& R, tx::TTxItemInfo& I, const tx::TTxEditFrameInfo& E) override {
    Log("EditFrame", R, I);
    LastEdit = E;
  }
  void PaintMenuItemFrame(tx::TCanvas*, const tx::TRect& R, const tx::TTxItemInfo& I) override {
    Log("MenuItemFrame", R, I);
  }
  tx::TTxEditFrameInfo LastEdit;
  tx::Integer BackgroundViewType = 0;
  tx::TTxPopupInfo LastPopup;
  void GetMargins(tx::Integer Id, tx::TTxMargins& M) override {
    if (Id == tx::MID_MENUITEM) M = MenuMargins;
  }
  void PaintButton(tx::TCanvas*, const tx::TRect& R, const tx::TTxItemInfo& I) override { Log("Button", R, I); }
  void PaintDropDownArrow(tx::TCanvas*, const tx::TRect& R, const tx::TTxItemInfo& I) override {
    Log("Arrow", R, I);
  }
  void PaintCaption(tx::TCanvas*, const tx::TRect& R, const tx::TTxItemInfo& I, const tx::String& S,
                    tx::Cardinal F, bool Rotated) override {
    Calls.push_back({"Caption", R, I, S, F, Rotated, false});
  }
  void PaintCheckMark(tx::TCanvas*, tx::TRect R, const tx::TTxItemInfo& I) override { Log("Check", R, I); }
  void PaintImage(tx::TCanvas*, tx::TRect R, const tx::TTxItemInfo& I, tx::TCustomImageList*,
                  tx::Integer Index) override {
    Calls.push_back({"Image", R, I, "", tx::Cardinal(Index), false, false});
  }
  void PaintMenuItem(tx::TCanvas*, const tx::TRect& R, tx::TTxItemInfo& I) override { Log("MenuItem", R, I); }
  void PaintSeparator(tx::TCanvas*, tx::TRect R, tx::TTxItemInfo I, bool Horizontal, bool LineOnly) override {
    Calls.push_back({"Separator", R, I, "", 0, Horizontal, LineOnly});
  }

 private:
  void PaintStatusBar(tx::TCanvas*, tx::TRect R, tx::Integer Part) override {
    Calls.push_back({"StatusBar", R, {}, "", tx::Cardinal(Part), false, false});
  }
  void Log(const char* Op, const tx::TRect& R, const tx::TTxItemInfo& I) { Calls.push_back({Op, R, I, "", 0, false, false}); }
};

}  // namespace txtest
