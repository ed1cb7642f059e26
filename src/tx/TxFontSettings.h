#pragma once
// Per-item font overrides: forced styles, a size in percent of the base font, a colour and a
// face name. The owning item hears of every change through OnChange (it re-measures itself).

#include <functional>

#include "framework/Persistent.h"
#include "platform/kernel/Exceptions.h"
#include "tx/TxThemesTypes.h"

namespace fw {
class TFont;
}

namespace tx {

// A property given a value it cannot take; the old value stays.
class ETxPropertyError : public win::Exception {
 public:
  using win::Exception::Exception;
};

enum TTriState : Byte { tsDefault = 0, tsTrue = 1, tsFalse = 2 };

inline constexpr Integer kMinFontSize = 25, kMaxFontSize = 1000;

class TFontSettings : public fw::TPersistent {
 public:
  TTriState Bold() const { return FBold; }
  void SetBold(TTriState Value) { Store(FBold, Value); }
  TTriState Italic() const { return FItalic; }
  void SetItalic(TTriState Value) { Store(FItalic, Value); }
  TTriState Underline() const { return FUnderline; }
  void SetUnderline(TTriState Value) { Store(FUnderline, Value); }
  TTriState StrikeOut() const { return FStrikeOut; }
  void SetStrikeOut(TTriState Value) { Store(FStrikeOut, Value); }
  // Percent of the base size; "Font size must be between 25 and 1000" outside that range.
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Store(FColor, Value); }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { Store(FName, Value); }

  // Copies all seven values from another TFontSettings with one OnChange (none when equal).
  void Assign(fw::TPersistent* Source) override;
  bool operator==(const TFontSettings& Other) const;

  // Changes Font by the overrides.
  void Apply(fw::TFont* Font) const;
  // A new font (the caller deletes it) made from SourceFont with the overrides; Color takes
  // the colour override when there is one.
  win::HFONT CreateTransformedFont(win::HFONT SourceFont, TColor& Color) const;
  // A height or point size scaled by Size, as the overrides scale fonts.
  Integer ScaleFontSize(Integer Value) const { return FSize == 100 ? Value : (Value * FSize + 50) / 100; }

  std::function<void()> OnChange;

 private:
  template <class T>
  void Store(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed() {
    if (OnChange) OnChange();
  }

  TTriState FBold = tsDefault, FItalic = tsDefault, FUnderline = tsDefault, FStrikeOut = tsDefault;
  Integer FSize = 100;
  TColor FColor = fw::clNone;
  String FName;
};

}  // namespace tx
