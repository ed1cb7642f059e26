#include "mainwindow/ShortCutTable.h"

#include "framework/StringList.h"
#include "platform/kernel/Resources.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

void TShortCutTable::Add(std::string_view Key, std::string_view Action) {
  Key = Trimmed(Key);
  Action = Trimmed(Action);
  const fw::TShortCut shortcut = fw::TextToShortCut(Key);
  if (shortcut == 0 || Action.empty()) return;
  FEntries.push_back(Entry{shortcut, fw::String(Action)});
}

void TShortCutTable::LoadFromText(std::string_view Text) {
  FEntries.clear();
  while (!Text.empty()) {
    std::size_t end = Text.find('\n');
    std::string_view line = Text.substr(0, end);
    Text = end == std::string_view::npos ? std::string_view{} : Text.substr(end + 1);
    // The key may itself end in "=" (Ctrl+=): the action follows the last "=".
    std::size_t eq = line.rfind('=');
    if (eq == std::string_view::npos || eq == 0) continue;
    Add(line.substr(0, eq), line.substr(eq + 1));
  }
}

bool TShortCutTable::Load(TPropSaver& Store, const std::function<bool(std::string_view)>& IsAction) {
  TShortCutTable defaults;
  defaults.LoadFromText(DefaultShortCutsText());
  FEntries.clear();
  fw::TStringList keys;
  Store.ReadSection(ShortCutsSection, &keys);
  std::vector<fw::String> unreadable;  // actions whose stored binding did not read
  const fw::String previous = Store.Section();
  Store.SetSection(ShortCutsSection);
  for (fw::Integer i = 0; i < keys.Count(); ++i) {
    const fw::String stored = Store.ReadString(keys.Strings(i), {});
    fw::String key = keys.Strings(i);
    std::string_view action = Trimmed(stored);
    // A hand-written "Ctrl+==actExit": the store splits at the first "=", but the key ends in
    // "=" and the action follows the second.
    if (action.starts_with('=') && fw::TextToShortCut(Trimmed(key + "=")) != 0) {
      key += "=";
      action = Trimmed(action.substr(1));
    }
    if (action.empty() || (IsAction && !IsAction(action))) continue;
    const std::size_t before = FEntries.size();
    Add(key, action);
    if (FEntries.size() == before) unreadable.emplace_back(action);
  }
  Store.SetSection(previous);
  if (FEntries.empty()) {
    FEntries = defaults.FEntries;
    return !FEntries.empty();
  }
  for (const fw::String& action : unreadable) {
    for (const Entry& e : defaults.FEntries)
      if (e.Action == action && ActionFor(e.ShortCut).empty()) FEntries.push_back(e);
  }
  return true;
}

fw::String TShortCutTable::ActionFor(fw::TShortCut ShortCut) const {
  for (const Entry& e : FEntries)
    if (e.ShortCut == ShortCut) return e.Action;
  return {};
}

fw::TShortCut TShortCutTable::FirstBinding(std::string_view Action) const {
  for (const Entry& e : FEntries)
    if (e.Action == Action) return e.ShortCut;
  return 0;
}

fw::String DefaultShortCutsText() {
  win::HRSRC found = win::FindResourceW(nullptr, u"DEFAULTSHORTCUTS", win::RT_RCDATA);
  if (!found) return {};
  win::HGLOBAL data = win::LoadResource(nullptr, found);
  const void* bytes = win::LockResource(data);
  if (!bytes) return {};
  return fw::String(static_cast<const char*>(bytes), win::SizeofResource(nullptr, found));
}

}  // namespace workspace
