// Korvalin on the real desktop: the presenter shows our windows through the display, Qt's stock
// dialogs answer the file, colour and font dialogs, and the program runs its main window.

#include <cstdio>

#include "platform/kernel/Files.h"
#include "platform/kernel/HeapReuse.h"
#include "presenter/DesktopPresenter.h"
#include "presenter/Dialogs.h"
#include "mainwindow/Startup.h"

int main() {
  win::KeepFreedBlocksForReuse();
  // Under a file size limit a save that reaches it is said like a full disk, not fatal.
  win::ReportFileSizeLimitAsWriteError();
  using win::presenter::DesktopPresenter;
  if (!DesktopPresenter::DisplayAvailable()) {
    std::fputs("Korvalin 4: no display to show the main window on (is DISPLAY set?).\n", stderr);
    return 1;
  }
  win::presenter::QtCommonDialogs dialogs;  // before the presenter, which keeps its application
  DesktopPresenter desktop;
  dialogs.SetPresenter(&desktop);
  return workspace::RunKorvalin();
}
