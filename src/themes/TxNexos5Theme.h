#pragma once
// "Nexos5": white toolbars, menus and panels with a thin line every 5 pixels, a pale blue base
// colour for hot, pushed and open items, glassy two-stage gradients, banded grey caption bars,
// cut-corner button frames, dotted separators and grey grip dashes.

#include "themes/ThemeTable.h"

namespace themes {

class TTxNexos5Theme : public TTableTheme {
 public:
  using TTableTheme::TTableTheme;
  void AfterConstruction() override { JoinUnit<TTxNexos5Theme>(); }

  KV_THEME_PAINTERS
  Integer GetIntegerMetric(Integer Index) override;
  void UpdateColorCache() override;

  // The look's fixed colours.
  static constexpr TColor BaseColor = 0xF6DAC9, ShadeColor = 0xC0C0C0;
  static TColor CheckedHotColor();
  static TColor LightBaseColor();

  // Beyond the table; after each rebuild every field but the toolbar edge and the edit frame holds
  // the nearest colour the screen shows, as the table does.
  TColor ToolbarEdgeColor = fw::clNone, EditFrameColor = fw::clNone, SplitLineColor = fw::clNone,
         PaneDividerColor = fw::clNone;
  // [0 floating toolbar, 1 dockable panel][0 active, 1 inactive].
  struct TWinFrame {
    TColor Border = fw::clNone, Fill = fw::clNone, Text = fw::clNone;
  } WinFrameColors[2][2];

 protected:
  // A pressed half of a spin button (the glassy gradient here).
  virtual void PaintPressedSpinHalf(TCanvas* Canvas, const TRect& Half);
  // A menu-bar item (Hot when hovered or open) in R.
  virtual void PaintMenuBarButton(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& ItemInfo, bool Hot);
  // A checked button's face (and the pen of its frame) while not hovered; also the image button
  // of a checked menu line.
  virtual void PaintCheckedIdleFace(TCanvas* Canvas, const TRect& Face);
  // The frame of a checked menu line's image button when pushed or hovered.
  virtual TColor LitMenuImageFrame() const;
  // A floating window's caption text (Kind 0 toolbar, 1 panel; Inactive 0 or 1), how many pixels
  // the close square sits above the caption strip, and the close button in its state.
  virtual TColor FloatingCaptionText(int Kind, int Inactive) const;
  virtual Integer FloatingCloseRaise() const { return 0; }
  virtual void PaintFloatingClose(TCanvas* Canvas, const TRect& Q, int State);
  // A docked toolbar's edges, one dash of its drag handle (Stacked: one of a column of dashes
  // beside a horizontal bar) and its close button in the square Q.
  virtual void PaintToolbarEdges(TCanvas* Canvas, const TRect& R, Integer ViewType);
  virtual void PaintGripDash(TCanvas* Canvas, Integer X, Integer Y, Integer W, bool Stacked);
  virtual void PaintToolbarClose(TCanvas* Canvas, const TRect& Q, int State);
  // The caption bars' gradient ends, shared with the themes built on this one.
  static constexpr TColor kBarTop = 0xF0F0F0, kBarBottom = 0xD0D0D0;
  // The row of the close glyph strip for a close button's state bits.
  static int CloseState(Integer CloseButtonState, bool Active);
  // The colour of toolbars, menus and panels the table is built against.
  virtual TColor ViewBaseColor() const { return 0xFFFFFF; }
  // The close button of floating windows and panels in colour state S, in the square Q.
  void PaintCaptionCloseButton(TCanvas* Canvas, const TRect& Q, int S);
  // A dock panel's banded caption bar inside In (along the top when IsVertical, else down the
  // left side), its close button and its text; Bc is the panel's brush colour.
  void PaintDockPanelCaption(TCanvas* Canvas, const TRect& In, const tx::TTxDockPanelInfo& Info, TColor Bc);
  void PaintEditButtonFrame(TCanvas* Canvas, const TRect& R, bool Pressed, Integer State, bool Embedded);
};

void RegisterNexos5Theme();

}  // namespace themes
