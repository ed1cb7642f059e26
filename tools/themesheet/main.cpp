// The theme sheet: every element each theme paints, in its main states, one column per theme.

#include <cstdio>
#include <string>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/StringList.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/gdi/Snapshot.h"
#include "themes/ThemeList.h"
#include "themes/ThemeSheet.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: kv_themesheet <output.png> [theme names...]\n", stderr);
    return 2;
  }
  win::desktop::HeadlessDesktop desktop(800, 600);
  tx::InitTx();
  themes::RegisterThemes();
  std::vector<std::string> names;
  for (int i = 2; i < argc; ++i) names.emplace_back(argv[i]);
  if (names.empty())
    for (const auto& entry : tx::ThemeRegistry()) names.push_back(entry.Name);
  int status = 0;
  try {
    fw::TBitmap sheet;
    themes::DrawThemeSheet(&sheet, names);
    std::string error;
    if (!win::SaveBitmapAsPng(sheet.Handle(), argv[1], nullptr, &error)) {
      std::fprintf(stderr, "kv_themesheet: %s\n", error.c_str());
      status = 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kv_themesheet: %s\n", e.what());
    status = 1;
  }
  tx::DoneTx();
  return status;
}
