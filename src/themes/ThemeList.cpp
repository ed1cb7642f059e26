#include "themes/ThemeList.h"

#include "themes/TxDefaultXPTheme.h"
#include "themes/TxDreamTheme.h"
#include "themes/TxMirandaTheme.h"
#include "tx/TxThemes.h"

namespace themes {

void RegisterThemes() {
  if (tx::IsThemeRegistered("DefaultXP")) return;
  RegisterDefaultXPTheme();
  RegisterDreamTheme();
  RegisterMirandaTheme();
}

}  // namespace themes
