#pragma once
// Test fixture on the headless desktop: a window class whose procedure records every message
// and lets a test answer any of them.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/windows/WinUserTypes.h"

namespace kvtest {

struct LoggedMessage {
  win::HWND hwnd;
  win::UINT msg;
  win::WPARAM wParam;
  win::LPARAM lParam;
};

// Answers a message (a value) or lets the default procedure handle it (nullopt).
using Handler = std::function<std::optional<win::LRESULT>(win::HWND, win::UINT, win::WPARAM, win::LPARAM)>;

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A window of the recording class ("KvTestWindow", CS_DBLCLKS, white background). Rectangles
  // are (x, y, width, height) in the parent's client coordinates (screen for top-level windows).
  win::HWND Create(win::DWORD style, win::RECT rect, win::HWND parent = nullptr, win::DWORD exStyle = 0,
                   Handler handler = nullptr);
  void SetHandler(win::HWND hwnd, Handler handler);

  // Messages logged since the last ClearLog, optionally only those of `hwnd` / of one number.
  std::vector<LoggedMessage> Log(win::HWND hwnd = nullptr) const;
  std::vector<win::UINT> Messages(win::HWND hwnd) const;  // message numbers in order
  int Count(win::HWND hwnd, win::UINT msg) const;
  void ClearLog();

  std::unique_ptr<win::desktop::HeadlessDesktop> desktop;
  bool expectStarvation = false;
};

}  // namespace kvtest
