// The information window is a service of the main window: while the window lives a result is
// shown in it, once the window has gone asking for one shows nothing.

#include "mainwindow/WinInfo.h"
#include "mainwindow/mainwindow_fixture.h"

namespace mainwindowtest {
namespace {

TEST_F(MainWindowTest, InformationWindowIsShownOnlyWhileTheMainWindowLives) {
  auto info = workspace::TPropSaver::FromStrings(nullptr, "Результат");
  info->WriteFloat("K0", 1.5);
  int shown = 0;
  auto answerInfoWindow = [&] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* window = dynamic_cast<workspace::TwndInfo*>(fw::Screen->Forms(i))) {
        ++shown;
        window->SetModalResult(fw::mrOk);
      }
  };
  desktop->script(answerInfoWindow);
  workspace::ShowInfoWindow(*info);
  EXPECT_EQ(shown, 1);

  delete form;
  form = nullptr;
  Pump();
  desktop->script(answerInfoWindow);
  workspace::ShowInfoWindow(*info);
  EXPECT_EQ(shown, 1) << "no window without the main window";
  EXPECT_EQ(desktop->pending_script(), 1u) << "nothing waited for a dialog";
}

}  // namespace
}  // namespace mainwindowtest
