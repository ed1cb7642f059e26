// Once the window system runs, FillRect takes (HBRUSH)(COLOR_x + 1) and paints the current
// system colour.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class GdifixSysColorFill : public HeadlessTest {};

COLORREF FillAndRead(int colorIndex) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  const RECT rc{0, 0, 2, 2};
  const int ok = FillRect(dc, &rc, reinterpret_cast<HBRUSH>(uintptr_t(colorIndex) + 1));
  const COLORREF c = ok ? GetPixel(dc, 1, 1) : CLR_INVALID;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
  return c;
}

TEST_F(GdifixSysColorFill, FillRectPaintsTheCurrentSystemColour) {
  ASSERT_NE(GetDesktopWindow(), nullptr);  // the window system is running
  EXPECT_EQ(FillAndRead(COLOR_BTNFACE), COLORREF(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(FillAndRead(COLOR_HIGHLIGHT), COLORREF(GetSysColor(COLOR_HIGHLIGHT)));
  const COLORREF before = GetSysColor(COLOR_INFOBK);
  const INT index = COLOR_INFOBK;
  const COLORREF changed = RGB(1, 2, 3);
  ASSERT_TRUE(SetSysColors(1, &index, &changed));
  EXPECT_EQ(FillAndRead(COLOR_INFOBK), changed);
  ASSERT_TRUE(SetSysColors(1, &index, &before));
  EXPECT_EQ(FillAndRead(COLOR_INFOBK), before);
}

}  // namespace
