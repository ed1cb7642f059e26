#pragma once
// The main window's key bindings: lines "shortcut=action name" in order, from the settings
// file's section "SHORTCUTS" or, when that section is missing, from the built-in
// "DefaultShortCuts" text. A key looks up the first line with its shortcut; an action may have
// several bindings, of which menus show the first. The keyboard never ends up dead: an action
// whose stored binding cannot be read keeps its built-in bindings, and a section without one
// usable binding counts as missing.

#include <functional>
#include <string_view>
#include <vector>

#include "framework/Menus.h"

namespace workspace {

class TPropSaver;

class TShortCutTable {
 public:
  struct Entry {
    fw::TShortCut ShortCut = 0;
    fw::String Action;
  };

  // Lines "Ctrl+O=actOpen"; lines without "=", with an unknown shortcut text or without an
  // action name are left out.
  void LoadFromText(std::string_view Text);
  // Section "SHORTCUTS" of Store when it gives a usable binding (one naming an action for which
  // IsAction holds; any action when IsAction is empty), else the "DefaultShortCuts" resource.
  // Lines of the section whose shortcut cannot be read give their action its built-in
  // bindings, those of its keys no other binding of the section took. False when neither
  // gave a binding.
  bool Load(TPropSaver& Store, const std::function<bool(std::string_view)>& IsAction = {});

  const std::vector<Entry>& Entries() const { return FEntries; }
  // The action name of the first binding of ShortCut; empty when none.
  fw::String ActionFor(fw::TShortCut ShortCut) const;
  // The first binding of Action (0 when it has none).
  fw::TShortCut FirstBinding(std::string_view Action) const;

 private:
  void Add(std::string_view Key, std::string_view Action);
  std::vector<Entry> FEntries;
};

inline constexpr const char* ShortCutsSection = "SHORTCUTS";

// The text of the built-in "DefaultShortCuts" resource (empty when the program has none).
fw::String DefaultShortCutsText();

}  // namespace workspace
