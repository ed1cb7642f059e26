#include "platform/gdi/detail/FontSubstitution.h"

#include "platform/gdi/GdiText.h"

namespace win::gdi {
namespace {

constexpr std::u16string_view kDejaVuSans = u"DejaVu Sans";

struct Substitute {
  std::u16string_view requested;
  std::u16string_view family;
};

constexpr Substitute kTable[] = {
    {u"Tahoma", kDejaVuSans},
    {u"MS Sans Serif", kDejaVuSans},
    {u"Microsoft Sans Serif", kDejaVuSans},
    {u"Verdana", kDejaVuSans},
    {u"Segoe UI", kDejaVuSans},
    {u"System", kDejaVuSans},
    {u"DejaVu Sans", kDejaVuSans},
    {u"Arial", u"Liberation Sans"},
    {u"Liberation Sans", u"Liberation Sans"},
    {u"Courier New", u"Liberation Mono"},
    {u"Liberation Mono", u"Liberation Mono"},
    // The fixed stock fonts' faces stay fixed-pitch.
    {u"Terminal", u"Liberation Mono"},
    {u"Fixedsys", u"Liberation Mono"},
    {u"Times New Roman", u"Liberation Serif"},
    {u"Liberation Serif", u"Liberation Serif"},
};

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

}  // namespace

std::vector<std::u16string_view> SubstitutionFaceNames() {
  std::vector<std::u16string_view> names;
  for (const Substitute& s : kTable) names.push_back(s.requested);
  return names;
}

bool IsTestFace(std::u16string_view requested) { return EqualNoCase(requested, kTestFontFace); }

std::u16string_view SubstituteFace(std::u16string_view requested) {
  if (IsTestFace(requested)) return kTestFontFace;
  for (const Substitute& s : kTable)
    if (EqualNoCase(requested, s.requested)) return s.family;
  return kDejaVuSans;
}

}  // namespace win::gdi
