#pragma once
// An edit in which the user sets a keyboard shortcut by pressing it: modifiers show as prefixes
// while held, the next key completes the combination. Typed characters never reach the text.

#include "controls/CsThemedControl.h"
#include "framework/Menus.h"
#include "framework/StdCtrlsEdit.h"

namespace cs {

class TShortCutEditor : public fw::TCustomEdit {
 public:
  explicit TShortCutEditor(fw::TComponent* AOwner);

  // The text shows the framework's name of the shortcut with blanks round each "+".
  fw::TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(fw::TShortCut Value);
  // Esc, Delete or Backspace without modifiers clears the shortcut instead of being one.
  bool ClearOnEsc() const { return FClearOnEsc; }
  void SetClearOnEsc(bool Value) { FClearOnEsc = Value; }
  bool ClearOnDel() const { return FClearOnDel; }
  void SetClearOnDel(bool Value) { FClearOnDel = Value; }
  bool ClearOnBkSp() const { return FClearOnBkSp; }
  void SetClearOnBkSp(bool Value) { FClearOnBkSp = Value; }
  // The next key press starts a new combination.
  bool Cleared() const { return FCleared; }

 protected:
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

 private:
  void AddModifierText(const fw::String& S);
  void ShowCleared();
  fw::TShortCut FShortCut = 0;
  bool FCleared = true;
  fw::String FLastModifierText;
  bool FClearOnEsc = false, FClearOnDel = false, FClearOnBkSp = false;
};

class TCsShortCutEditor : public TCsFramed<TShortCutEditor> {
 public:
  using TCsFramed<TShortCutEditor>::TCsFramed;
};

// The framework's shortcut text with " + " between the parts.
fw::String ShortCutDisplayText(fw::TShortCut ShortCut);

}  // namespace cs
