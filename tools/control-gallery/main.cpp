// The control gallery on the real desktop: one dialog-like form with every control of the
// control set's first part. Events go to standard output for the smoke test that drives it.

#include <cstdio>

#include "GalleryForm.h"
#include "presenter/DesktopPresenter.h"

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
  fw::Application->CreateForm<gallery::TGalleryForm>();
  fw::Application->Run();
  delete fw::Application->MainForm();
  return 0;
}
