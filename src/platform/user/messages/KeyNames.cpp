// The names of keys, one table for every layer that writes or reads key or shortcut text.

#include <algorithm>
#include <string>

#include "platform/user/messages/Input.h"

namespace win {
namespace {

struct KeyNameEntry {
  UINT key;
  const char16_t* name;
};

constexpr KeyNameEntry kKeyNames[] = {
    {VK_BACK, u"BkSp"},      {VK_TAB, u"Tab"},         {VK_RETURN, u"Enter"},    {VK_ESCAPE, u"Esc"},
    {VK_SPACE, u"Space"},    {VK_PRIOR, u"PgUp"},      {VK_NEXT, u"PgDn"},       {VK_END, u"End"},
    {VK_HOME, u"Home"},      {VK_LEFT, u"Left"},       {VK_UP, u"Up"},           {VK_RIGHT, u"Right"},
    {VK_DOWN, u"Down"},      {VK_INSERT, u"Ins"},      {VK_DELETE, u"Del"},      {VK_MULTIPLY, u"Num *"},
    {VK_ADD, u"Num +"},      {VK_SUBTRACT, u"Num -"},  {VK_DECIMAL, u"Num ."},   {VK_DIVIDE, u"Num /"},
    {VK_OEM_PLUS, u"="},     {VK_OEM_MINUS, u"-"},     {VK_OEM_COMMA, u","},     {VK_OEM_PERIOD, u"."},
    {VK_OEM_1, u";"},        {VK_OEM_2, u"/"},         {VK_OEM_3, u"`"},         {VK_OEM_4, u"["},
    {VK_OEM_5, u"\\"},       {VK_OEM_6, u"]"},         {VK_OEM_7, u"'"},
};

std::u16string Number(UINT n) {
  std::u16string out;
  do {
    out.insert(out.begin(), char16_t(u'0' + n % 10));
    n /= 10;
  } while (n != 0);
  return out;
}

}  // namespace

std::u16string KeyNameOfVirtualKey(UINT vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::u16string(1, char16_t(vk));
  if (vk >= VK_F1 && vk <= VK_F1 + 23) return u"F" + Number(vk - VK_F1 + 1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return u"Num " + Number(vk - VK_NUMPAD0);
  for (const KeyNameEntry& e : kKeyNames)
    if (e.key == vk) return e.name;
  return {};
}

int GetKeyNameTextW(LONG lParam, LPWSTR buffer, int size) {
  if (buffer == nullptr || size < 1) return 0;
  const UINT scan = (UINT(lParam) >> 16) & 0xFF;
  const std::u16string name = KeyNameOfVirtualKey(MapVirtualKeyW(scan, MAPVK_VSC_TO_VK));
  const int n = std::min(int(name.size()), size - 1);
  std::copy_n(name.begin(), n, buffer);
  buffer[n] = 0;
  return n;
}

}  // namespace win
