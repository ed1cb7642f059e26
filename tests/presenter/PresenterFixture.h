#pragma once
// Tests of the desktop presenter against a real X server (the test runs under xvfb-run): one
// presenter for the whole binary, a window class that records its messages and paints itself
// in one colour, a pump that runs our loop until a condition holds, and external X clients.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/user/windows/WinUserTypes.h"

class QImage;

namespace win::presenter {
class DesktopPresenter;
}

namespace kvtest {

struct ProbeMessage {
  win::HWND hwnd;
  win::UINT msg;
  win::WPARAM wParam;
  win::LPARAM lParam;
};

struct CommandResult {
  int status = -1;  // exit status, -1 when it could not run
  std::string output;
};

class PresenterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  static win::presenter::DesktopPresenter& Presenter();

  // A top-level window of the probe class at (x, y) with the given size, filled with `colour`.
  win::HWND CreateProbe(const std::u16string& title, win::DWORD style, win::DWORD exStyle, int x, int y, int width,
                        int height, win::COLORREF colour, win::HWND owner = nullptr);
  static void SetFill(win::HWND hwnd, win::COLORREF colour);

  // Runs our message loop (waiting in the presenter) until `done` holds or `timeoutMs` passes.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
  // Runs a shell command while our loop keeps running (other X clients may need us to answer).
  CommandResult Run(const std::string& command);
  // The screen's pixels as the X server holds them.
  QImage GrabScreen(int x, int y, int width, int height);

  // The X window id of the native window titled `title` (only mapped ones unless `any`); 0 when none.
  unsigned long FindXWindow(const std::string& title, bool any = false);
  // Position and size of an X window as xdotool reports them; an empty rectangle when unknown.
  win::RECT XGeometry(unsigned long window);

  std::vector<ProbeMessage> Messages(win::HWND hwnd, win::UINT msg) const;
  void ClearMessages();

  std::vector<win::HWND> created_;
};

// Quotes text for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace kvtest
