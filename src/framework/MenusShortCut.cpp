// Shortcuts and their text, and the "&" accelerators of captions. One table names the keys for
// every layer that writes or reads shortcut text.

#include <array>

#include "framework/Menus.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"

namespace fw {
namespace {

struct KeyNameEntry {
  Word Key;
  const char* Name;
};

constexpr KeyNameEntry kKeyNames[] = {
    {win::VK_BACK, "BkSp"},      {win::VK_TAB, "Tab"},         {win::VK_RETURN, "Enter"},
    {win::VK_ESCAPE, "Esc"},     {win::VK_SPACE, "Space"},     {win::VK_PRIOR, "PgUp"},
    {win::VK_NEXT, "PgDn"},      {win::VK_END, "End"},         {win::VK_HOME, "Home"},
    {win::VK_LEFT, "Left"},      {win::VK_UP, "Up"},           {win::VK_RIGHT, "Right"},
    {win::VK_DOWN, "Down"},      {win::VK_INSERT, "Ins"},      {win::VK_DELETE, "Del"},
    {win::VK_MULTIPLY, "Num *"}, {win::VK_ADD, "Num +"},       {win::VK_SUBTRACT, "Num -"},
    {win::VK_DECIMAL, "Num ."},  {win::VK_DIVIDE, "Num /"},    {win::VK_OEM_PLUS, "="},
    {win::VK_OEM_MINUS, "-"},    {win::VK_OEM_COMMA, ","},     {win::VK_OEM_PERIOD, "."},
    {win::VK_OEM_1, ";"},        {win::VK_OEM_2, "/"},         {win::VK_OEM_3, "`"},
    {win::VK_OEM_4, "["},        {win::VK_OEM_5, "\\"},        {win::VK_OEM_6, "]"},
    {win::VK_OEM_7, "'"},
};

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

String KeyName(Word Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, char(Key));
  if (Key >= win::VK_F1 && Key <= win::VK_F1 + 23) return "F" + IntToStr(Key - win::VK_F1 + 1);
  if (Key >= win::VK_NUMPAD0 && Key <= win::VK_NUMPAD0 + 9) return "Num " + IntToStr(Key - win::VK_NUMPAD0);
  for (const KeyNameEntry& e : kKeyNames)
    if (e.Key == Key) return e.Name;
  return "";
}

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
