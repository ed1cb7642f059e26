#include "themes/ThemeList.h"

#include "themes/TxAluminumTheme.h"
#include "themes/TxDefaultXPTheme.h"
#include "themes/TxDreamTheme.h"
#include "themes/TxMirandaTheme.h"
#include "themes/TxPatternedTheme.h"
#include "themes/TxNexos5Theme.h"
#include "themes/TxOfficeKTheme.h"
#include "themes/TxSentimoXTheme.h"
#include "themes/TxZezioTheme.h"
#include "tx/TxThemes.h"

namespace themes {

// The registration order: Default (registered by the current-theme unit), Aluminum, Stripes, Monai,
// Zezio, DefaultXP, OfficeK, Dream, Miranda, Nexos5, SentimoX.
void RegisterThemes() {
  if (tx::IsThemeRegistered("DefaultXP")) return;
  RegisterAluminumTheme();
  RegisterStripesTheme();
  RegisterMonaiTheme();
  RegisterZezioTheme();
  RegisterDefaultXPTheme();
  RegisterOfficeKTheme();
  RegisterDreamTheme();
  RegisterMirandaTheme();
  RegisterNexos5Theme();
  RegisterSentimoXTheme();
}

}  // namespace themes
