// The optional functions are in the run-time symbol table once the window system runs, without
// anyone registering them by hand, and disappear when a test removes them.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/kernel/Modules.h"
#include "platform/user/messages/Input.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class EntryPoints : public HeadlessTest {
 protected:
  void TearDown() override {
    modules::RestoreAll();
    HeadlessTest::TearDown();
  }
};

TEST_F(EntryPoints, OptionalFunctionsAreFoundByNameFromTheStart) {
  HMODULE user32 = GetModuleHandleW(u"USER32");
  HMODULE msimg32 = GetModuleHandleW(u"msimg32.dll");
  ASSERT_NE(user32, nullptr);
  ASSERT_NE(msimg32, nullptr);
  EXPECT_EQ(GetProcAddress(user32, "UpdateLayeredWindow"), reinterpret_cast<FARPROC>(&UpdateLayeredWindow));
  EXPECT_EQ(GetProcAddress(user32, "TrackMouseEvent"), reinterpret_cast<FARPROC>(&TrackMouseEvent));
  EXPECT_EQ(GetProcAddress(user32, "LockSetForegroundWindow"), reinterpret_cast<FARPROC>(&LockSetForegroundWindow));
  EXPECT_EQ(GetProcAddress(user32, "MonitorFromRect"), reinterpret_cast<FARPROC>(&MonitorFromRect));
  EXPECT_EQ(GetProcAddress(msimg32, "AlphaBlend"), reinterpret_cast<FARPROC>(&AlphaBlend));
  EXPECT_EQ(GetProcAddress(msimg32, "GradientFill"), reinterpret_cast<FARPROC>(&GradientFill));
  EXPECT_EQ(GetProcAddress(user32, "NoSuchFunction"), nullptr);
}

TEST_F(EntryPoints, ARemovedEntryIsNotFoundUntilRestored) {
  HMODULE user32 = LoadLibraryW(u"user32.dll");
  ASSERT_NE(user32, nullptr);
  modules::RemoveForTesting(u"user32.dll", "UpdateLayeredWindow");
  EXPECT_EQ(GetProcAddress(user32, "UpdateLayeredWindow"), nullptr);
  EXPECT_NE(GetProcAddress(user32, "TrackMouseEvent"), nullptr);  // only the one entry goes
  modules::RemoveModuleForTesting(u"msimg32.dll");
  EXPECT_EQ(LoadLibraryW(u"msimg32.dll"), nullptr);
  modules::RestoreAll();
  EXPECT_NE(GetProcAddress(user32, "UpdateLayeredWindow"), nullptr);
  EXPECT_NE(LoadLibraryW(u"msimg32.dll"), nullptr);
  FreeLibrary(user32);
}

TEST_F(EntryPoints, UpdateLayeredWindowWorksThroughTheLookedUpAddress) {
  using Ulw = BOOL (*)(HWND, HDC, const POINT*, const SIZE*, HDC, const POINT*, COLORREF, const BLENDFUNCTION*, DWORD);
  auto ulw = reinterpret_cast<Ulw>(GetProcAddress(GetModuleHandleW(u"user32"), "UpdateLayeredWindow"));
  ASSERT_NE(ulw, nullptr);
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 8, 8}, nullptr, WS_EX_LAYERED);
  HDC mem = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  HBITMAP pic = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, pic);
  RECT all{0, 0, 8, 8};
  HBRUSH b = CreateSolidBrush(RGB(0, 120, 240));
  FillRect(mem, &all, b);
  DeleteObject(b);
  POINT pos{30, 40}, src{0, 0};
  SIZE size{8, 8};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
  EXPECT_TRUE(ulw(h, nullptr, &pos, &size, mem, &src, 0, &blend, ULW_OPAQUE));
  EXPECT_EQ(desktop->screen_pixel(33, 43), RGB(0, 120, 240));
  SelectObject(mem, old);
  DeleteObject(pic);
  DeleteDC(mem);
}

}  // namespace
