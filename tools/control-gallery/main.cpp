// The control gallery on the real desktop: one dialog-like form with every control of the
// control set's first part. Events go to standard output for the smoke test that drives it.

#include <cstdio>
#include <cstdlib>

#include "GalleryForm.h"
#include "presenter/DesktopPresenter.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"

int main() {
  using win::presenter::DesktopPresenter;
  if (!DesktopPresenter::DisplayAvailable()) {
    std::puts("control-gallery: no display to show the form on.");
    return 0;
  }
  DesktopPresenter desktop;
  gallery::TGalleryForm::Report = [](const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  };
  fw::Application->Initialize();
  // The themed engine with every theme, so that the theme menu can switch between them.
  tx::InitTx();
  themes::RegisterThemes();
  if (const char* theme = std::getenv("KV_GALLERY_THEME")) tx::SetCurrentTheme(theme);
  fw::Application->CreateForm<gallery::TGalleryForm>();
  fw::Application->Run();
  delete fw::Application->MainForm();
  tx::DoneTx();
  return 0;
}
