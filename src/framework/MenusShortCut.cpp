// Shortcuts and their text, and the "&" accelerators of captions. One table names the keys for
// every layer that writes or reads shortcut text.

#include <array>

#include "framework/Menus.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"

namespace fw {
namespace {

constexpr std::array<std::pair<TShortCut, const char*>, 3> kModifiers = {{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
}};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

String UpperChar(char32_t c) {
  std::u16string w;
  if (c >= 0x10000) {
    c -= 0x10000;
    w.push_back(char16_t(0xD800 + (c >> 10)));
    w.push_back(char16_t(0xDC00 + (c & 0x3FF)));
  } else {
    w.push_back(char16_t(c));
  }
  return AnsiUpperCase(win::WideToUtf8(w));
}

}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if ((Key & 0xFF00) != 0) return 0;
  TShortCut sc = Key;
  if (Shift.Contains(ssShift)) sc |= scShift;
  if (Shift.Contains(ssCtrl)) sc |= scCtrl;
  if (Shift.Contains(ssAlt)) sc |= scAlt;
  return sc;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & 0x00FF;
  Shift = {};
  if (ShortCut & scShift) Shift.Include(ssShift);
  if (ShortCut & scCtrl) Shift.Include(ssCtrl);
  if (ShortCut & scAlt) Shift.Include(ssAlt);
}

// The platform keeps the one table of key names (its GetKeyNameTextW reads it too).
String KeyName(Word Key) { return win::WideToUtf8(win::KeyNameOfVirtualKey(Key)); }

String ShortCutToText(TShortCut ShortCut) {
  String name = KeyName(ShortCut & 0xFF);
  if (name.empty()) return "";
  String text;
  for (const auto& [bit, prefix] : kModifiers)
    if (ShortCut & bit) text += prefix;
  return text + name;
}

TShortCut TextToShortCut(std::string_view Text) {
  TShortCut shift = 0;
  bool found = true;
  while (found) {
    found = false;
    for (const auto& [bit, prefix] : kModifiers) {
      std::string_view p(prefix);
      if (StartsWithNoCase(Text, p)) {
        shift |= bit;
        Text.remove_prefix(p.size());
        found = true;
      }
    }
  }
  if (Text.empty()) return 0;
  for (Word key = 0x08; key <= 0xFF; ++key) {
    String name = KeyName(key);
    if (!name.empty() && SameText(name, Text)) return TShortCut(key | shift);
  }
  return 0;
}

String StripHotkey(std::string_view Text) {
  String out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size() && Text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Text[i];
  }
  return out;
}

String GetHotkey(std::string_view Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    std::u16string w = win::Utf8ToWide(Text.substr(i + 1));
    if (w.empty()) return "";
    char32_t c = w[0];
    if (c >= 0xD800 && c < 0xDC00 && w.size() > 1) c = 0x10000 + ((c - 0xD800) << 10) + (w[1] - 0xDC00);
    return UpperChar(c);
  }
  return "";
}

bool IsAccel(char16_t Key, std::string_view Text) {
  String hot = GetHotkey(Text);
  return !hot.empty() && hot == UpperChar(Key);
}

}  // namespace fw
