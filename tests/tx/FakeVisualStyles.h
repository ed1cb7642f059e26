#pragma once
// A stand-in visual-style library for tests: registers entry points under "uxtheme.dll" that
// record every call, answer colours, margins and sizes from tables the test fills, and paint a
// part as a solid block (colour from part and state) so the styled branches can be watched.

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tx/TxUxThemes.h"

namespace txtest {

struct UxCall {
  std::string function;
  std::u16string themeClass;  // of the handle
  int part = 0, state = 0, prop = 0;
  win::RECT rect{};
};

class FakeVisualStyles {
 public:
  // Registers the entry points; with `active` false IsThemeActive answers no.
  explicit FakeVisualStyles(bool active = true);
  // Unregisters the library, so later code finds none.
  ~FakeVisualStyles();

  // The colour a solid part is painted in: $00PPSS80 with P = part, S = state.
  static win::COLORREF PartColor(int part, int state) { return win::COLORREF(0x80 | (state << 8) | (part << 16)); }

  std::vector<UxCall> Calls(const std::string& function) const;
  bool Drew(const std::u16string& themeClass, int part, int state) const;
  void Clear();

  // Answers of the queries, keyed by (class, part, state, prop); a missing key fails the query.
  std::map<std::tuple<std::u16string, int, int, int>, win::COLORREF> colors;
  std::map<std::tuple<std::u16string, int, int, int>, tx::MARGINS> margins;
  std::map<std::tuple<std::u16string, int, int>, win::SIZE> partSizes;
  // Content rectangles are the bounding rectangle inset by these (left, top, right, bottom).
  std::map<std::u16string, win::RECT> contentInsets;
  bool active = true;
  std::vector<UxCall> calls;
};

// The fake in use (one at a time).
FakeVisualStyles* CurrentFake();

}  // namespace txtest
