#include "controls/ShortCutEditor.h"

#include "platform/user/windows/WinUserTypes.h"

namespace cs {
namespace {

constexpr const char* kNoShortCut = "Нет";

}  // namespace

fw::String ShortCutDisplayText(fw::TShortCut ShortCut) {
  const fw::String text = fw::ShortCutToText(ShortCut);
  fw::String result;
  for (char c : text) {
    if (c == '+') result += " + ";
    else result += c;
  }
  return result;
}

TShortCutEditor::TShortCutEditor(fw::TComponent* AOwner) : fw::TCustomEdit(AOwner) { SetText(kNoShortCut); }

void TShortCutEditor::SetShortCut(fw::TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  SetText(ShortCutDisplayText(Value));
}

void TShortCutEditor::ShowCleared() {
  FShortCut = 0;
  SetText(kNoShortCut);
  FCleared = true;
}

void TShortCutEditor::AddModifierText(const fw::String& S) {
  if (S == FLastModifierText) return;
  FLastModifierText = S;
  SetText(GetText() + S);
}

void TShortCutEditor::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  fw::TCustomEdit::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (FCleared) {
    SetText("");
    FLastModifierText.clear();
    FCleared = false;
  }
  const bool plain = !Shift.Contains(fw::ssShift) && !Shift.Contains(fw::ssCtrl) && !Shift.Contains(fw::ssAlt);
  if (plain && ((Key == win::VK_DELETE && FClearOnDel) || (Key == win::VK_ESCAPE && FClearOnEsc) ||
                (Key == win::VK_BACK && FClearOnBkSp))) {
    ShowCleared();
  } else if (Key == win::VK_SHIFT) {
    AddModifierText("Shift + ");
  } else if (Key == win::VK_CONTROL) {
    AddModifierText("Ctrl + ");
  } else if (Key == win::VK_MENU) {
    AddModifierText("Alt + ");
  } else {
    const fw::TShortCut shortCut = fw::ShortCut(Key, Shift);
    // A key the framework has no name for could be neither shown nor stored as text.
    if (fw::ShortCutToText(shortCut).empty()) {
      ShowCleared();
    } else {
      FShortCut = shortCut;
      SetText(ShortCutDisplayText(shortCut));
      FCleared = true;
    }
  }
  Key = 0;  // the edit itself must not act on the key (Delete would cut the text)
}

void TShortCutEditor::KeyUp(fw::Word& Key, fw::TShiftState Shift) {
  fw::TCustomEdit::KeyUp(Key, Shift);
  if (!FCleared) {
    FShortCut = 0;
    FCleared = true;
  }
}

void TShortCutEditor::KeyPress(char16_t& Key) {
  fw::TCustomEdit::KeyPress(Key);
  Key = 0;  // the text is the shortcut's name, never what the key types
}

}  // namespace cs
