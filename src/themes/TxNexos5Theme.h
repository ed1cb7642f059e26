#pragma once
// "Nexos5": white toolbars, menus and panels with a thin line every 5 pixels, a pale blue base
// colour for hot, pushed and open items, glassy two-stage gradients, banded grey caption bars,
// cut-corner button frames, dotted separators and grey grip dashes.

#include "themes/ThemeStates.h"
#include "themes/vrnThemes.h"
#include "themes/ThemeDeclaration.h"
#include "tx/TxThemes.h"

namespace themes {

class TTxNexos5Theme : public tx::TTxTheme {
 public:
  KV_THEME_TYPE_NAMES

  explicit TTxNexos5Theme(const String& AName) : TTxTheme(AName) {}
  ~TTxNexos5Theme() override;
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour table; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  KV_THEME_OPERATIONS
  void UpdateColorCache() override;

  // The look's fixed colours.
  static constexpr TColor BaseColor = 0xF6DAC9, ShadeColor = 0xC0C0C0;
  static TColor CheckedHotColor();
  static TColor LightBaseColor();

  // The colour table; after each rebuild every field but the toolbar edge and the edit frame
  // holds the nearest colour the screen shows.
  TColor MenubarColor = fw::clNone, ToolbarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, ToolbarEdgeColor = fw::clNone, EditFrameColor = fw::clNone,
         PopupFrameColor = fw::clNone, SplitLineColor = fw::clNone, PaneDividerColor = fw::clNone;
  // [0 floating toolbar, 1 dockable panel][0 active, 1 inactive].
  struct TWinFrame {
    TColor Border = fw::clNone, Fill = fw::clNone, Text = fw::clNone;
  } WinFrameColors[2][2];
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];

  TColor GetPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor GetButtonPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 protected:
  // A pressed half of a spin button (the glassy gradient here).
  virtual void PaintPressedSpinHalf(TCanvas* Canvas, const TRect& Half);
  // The caption bars' gradient ends, shared with the themes built on this one.
  static constexpr TColor kBarTop = 0xF0F0F0, kBarBottom = 0xD0D0D0;
  // The row of the close glyph strip for a close button's state bits.
  static int CloseState(Integer CloseButtonState, bool Active);
  // The unit resources of the class Theme: the first instance makes them, the last frees them.
  template <class Theme>
  void JoinUnit() {
    TThemeUnit<Theme>::AddInstance();
    FLeaveUnit = &TThemeUnit<Theme>::RemoveInstance;
    FGlyphs = &TThemeUnit<Theme>::GlyphImages;
  }
  // Listens to system changes and builds the colour table.
  void Start();
  // The colour of toolbars, menus and panels the table is built against.
  virtual TColor ViewBaseColor() const { return 0xFFFFFF; }
  fw::TImageList* Glyphs() const { return FGlyphs ? *FGlyphs : nullptr; }
  // The close button of floating windows and panels in colour state S, in the square Q.
  void PaintCaptionCloseButton(TCanvas* Canvas, const TRect& Q, int S);
  void PaintEditButtonFrame(TCanvas* Canvas, const TRect& R, bool Pressed, Integer State, bool Embedded);

 private:
  bool FListening = false;
  void (*FLeaveUnit)() = nullptr;
  fw::TImageList** FGlyphs = nullptr;
};

void RegisterNexos5Theme();

}  // namespace themes
