#include "themes/ThemeList.h"

#include "themes/TxDefaultXPTheme.h"
#include "tx/TxThemes.h"

namespace themes {

void RegisterThemes() {
  if (tx::IsThemeRegistered("DefaultXP")) return;
  RegisterDefaultXPTheme();
}

}  // namespace themes
