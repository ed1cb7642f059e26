#pragma once
// The life cycle of a theme that paints everything itself: the first instance of its class makes
// the unit's resources (the glyph list) and the last frees them, each instance listens for
// system changes and rebuilds its colour table when the system colours change.

#include "themes/ThemeDeclaration.h"
#include "themes/vrnThemes.h"
#include "tx/TxThemes.h"

namespace themes {

class TUnitTheme : public tx::TTxTheme {
 public:
  KV_THEME_TYPE_NAMES

  using TTxTheme::TTxTheme;
  ~TUnitTheme() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour table; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

 protected:
  // Counts in the unit of the class Theme, then listens and builds the colour table: the whole of
  // AfterConstruction of every theme built on this one.
  template <class Theme>
  void JoinUnit() {
    TThemeUnit<Theme>::AddInstance();
    FLeaveUnit = &TThemeUnit<Theme>::RemoveInstance;
    FGlyphs = &TThemeUnit<Theme>::GlyphImages;
    Start();
  }
  // The glyph list of the unit joined (none before).
  fw::TImageList* Glyphs() const { return FGlyphs ? *FGlyphs : nullptr; }

 private:
  void Start();
  bool FListening = false;
  void (*FLeaveUnit)() = nullptr;
  fw::TImageList** FGlyphs = nullptr;
};

}  // namespace themes
