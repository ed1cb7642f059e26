// The control gallery on the real desktop: one dialog-like form with every control of the
// control set. Events go to standard output for the smoke test that drives it. "--theme NAME"
// shows it in another registered theme (for screenshots).

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "GalleryForm.h"
#include "presenter/DesktopPresenter.h"
#include "presenter/Dialogs.h"
#include "controls/CsThemeNexus.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"

int main(int argc, char** argv) {
  using win::presenter::DesktopPresenter;
  if (!DesktopPresenter::DisplayAvailable()) {
    std::puts("control-gallery: no display to show the form on.");
    return 0;
  }
  win::presenter::QtCommonDialogs dialogs;  // before the presenter, which keeps its application
  DesktopPresenter desktop;
  dialogs.SetPresenter(&desktop);
  gallery::TGalleryForm::Report = [](const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  };
  // Every theme registered, so that the theme menu can switch between them.
  tx::InitTx();
  cs::StartControlSet();
  themes::RegisterThemes();
  if (argc == 3 && std::strcmp(argv[1], "--theme") == 0)
    tx::SetCurrentTheme(argv[2]);
  else if (const char* theme = std::getenv("KV_GALLERY_THEME"))
    tx::SetCurrentTheme(theme);
  fw::Application->Initialize();
  fw::Application->CreateForm<gallery::TGalleryForm>();
  fw::Application->Run();
  delete fw::Application->MainForm();
  cs::StopControlSet();
  tx::DoneTx();
  return 0;
}
