// EnumFontFamiliesExW: the faces of the substitution table, each once, with their metrics.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"

using namespace win;

namespace {

struct Heard {
  std::vector<std::u16string> faces;
  std::vector<LONG> heights;
  int stopAfter = 1000;
};

int Collect(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM target) {
  auto* h = reinterpret_cast<Heard*>(target);
  EXPECT_EQ(type, TRUETYPE_FONTTYPE);
  h->faces.emplace_back(lf->lfFaceName);
  h->heights.push_back(tm->tmHeight);
  return int(h->faces.size()) < h->stopAfter ? 1 : 0;
}

TEST(FontEnumeration, EveryFaceOnceOrTheOneNamedOrUntilTold) {
  LOGFONTW all;
  Heard every;
  EXPECT_EQ(EnumFontFamiliesExW(nullptr, &all, Collect, LPARAM(&every), 0), 1);
  ASSERT_GE(every.faces.size(), 5u);
  for (const char16_t* face : {u"Tahoma", u"Arial", u"Courier New", u"Times New Roman"})
    EXPECT_EQ(std::count(every.faces.begin(), every.faces.end(), face), 1) << std::string(face, face + 3);
  for (LONG h : every.heights) EXPECT_GT(h, 0);

  LOGFONTW one;
  std::u16string name = u"aRiAl";
  name.copy(one.lfFaceName, name.size());
  Heard named;
  EnumFontFamiliesExW(nullptr, &one, Collect, LPARAM(&named), 0);
  EXPECT_EQ(named.faces, std::vector<std::u16string>{u"Arial"});

  Heard stopped;
  stopped.stopAfter = 2;
  EXPECT_EQ(EnumFontFamiliesExW(nullptr, &all, Collect, LPARAM(&stopped), 0), 0);
  EXPECT_EQ(stopped.faces.size(), 2u);

  std::u16string unknown = u"No Such Face";
  LOGFONTW none;
  unknown.copy(none.lfFaceName, unknown.size());
  Heard nothing;
  EXPECT_EQ(EnumFontFamiliesExW(nullptr, &none, Collect, LPARAM(&nothing), 0), 1);
  EXPECT_TRUE(nothing.faces.empty());
}

}  // namespace
