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

// The life cycle of a theme built on the default theme, which listens and builds the colour cache
// itself: the first instance of Theme makes the resources of Unit, the last frees them.
template <class Theme, class Base, class Unit = TThemeUnit<Theme>>
class TDefaultBasedUnit : public Base {
 public:
  using Base::Base;
  ~TDefaultBasedUnit() override {
    if (FCounted) Unit::RemoveInstance();
  }
  void AfterConstruction() override {
    Unit::AddInstance();
    FCounted = true;
    Base::AfterConstruction();
  }

 private:
  bool FCounted = false;
};

}  // namespace themes
