#pragma once
// The program's clipboard object: every time the clipboard is really opened, and again just
// before it is really closed, it puts the Russian locale (1049) on it as CF_LOCALE, so that all
// text the program places is read back with the Cyrillic code page by other programs.

#include "framework/Clipbrd.h"

namespace workspace {

inline constexpr unsigned RussianLocale = 1049;

class TRusClipboard : public fw::TClipboard {
 public:
  void Open() override;
  void Close() override;

 private:
  void PutLocale();
};

}  // namespace workspace
