#include "themes/ThemeList.h"

#include "themes/TxDefaultXPTheme.h"
#include "themes/TxDreamTheme.h"
#include "themes/TxMirandaTheme.h"
#include "themes/TxNexos5Theme.h"
#include "themes/TxSentimoXTheme.h"
#include "tx/TxThemes.h"

namespace themes {

void RegisterThemes() {
  if (tx::IsThemeRegistered("DefaultXP")) return;
  RegisterDefaultXPTheme();
  RegisterDreamTheme();
  RegisterMirandaTheme();
  RegisterNexos5Theme();
  RegisterSentimoXTheme();
}

}  // namespace themes
