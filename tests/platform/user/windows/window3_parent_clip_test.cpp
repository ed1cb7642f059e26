// GetDCEx with DCX_PARENTCLIP: the child draws with its own origin but may cover what its parent
// may show (its parent's client area, clipped as the parent is).

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

constexpr COLORREF kInk = RGB(200, 30, 60);

// A frameless top-level `top` holding `parent` at (20, 20) 300x200; in it `child` at (50, 50) and
// `sibling` at (150, 50), both 40x40.
class ParentClip : public kvtest::HeadlessTest {
 protected:
  void Build(DWORD parentStyle) {
    top = Create(WS_POPUP | WS_VISIBLE, {100, 100, 400, 300});
    parent = Create(WS_CHILD | WS_VISIBLE | parentStyle, {20, 20, 300, 200}, top);
    child = Create(WS_CHILD | WS_VISIBLE, {50, 50, 40, 40}, parent);
    sibling = Create(WS_CHILD | WS_VISIBLE, {150, 50, 40, 40}, parent);
    desktop->run_until_idle();
  }
  // Fills `r` (the child's client coordinates) through a DC from GetDCEx.
  void Fill(const RECT& r, DWORD flags) {
    HDC dc = GetDCEx(child, nullptr, flags);
    ASSERT_NE(dc, nullptr);
    HBRUSH brush = CreateSolidBrush(kInk);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(child, dc);
  }
  // Whether the ink reached a point given in the parent's client coordinates.
  bool Inked(int x, int y) { return desktop->surface_pixel(top, 20 + x, 20 + y) == kInk; }

  HWND top = nullptr, parent = nullptr, child = nullptr, sibling = nullptr;
};

TEST_F(ParentClip, TheChildReachesItsParentsAreaFromItsOwnOrigin) {
  Build(0);
  ASSERT_FALSE(Inked(10, 10));
  Fill(RECT{-45, -45, 1, 1}, DCX_PARENTCLIP | DCX_CACHE);
  EXPECT_TRUE(Inked(50, 50));  // the child's (0, 0)
  EXPECT_FALSE(Inked(51, 51));
  EXPECT_TRUE(Inked(5, 5));    // the parent's area above the child
  EXPECT_FALSE(Inked(4, 4));
}

TEST_F(ParentClip, NothingOutsideTheParentsClientArea) {
  Build(0);
  Fill(RECT{-100, -100, 400, 400}, DCX_PARENTCLIP | DCX_CACHE);
  EXPECT_TRUE(Inked(0, 0));
  EXPECT_TRUE(Inked(299, 199));
  EXPECT_TRUE(Inked(160, 60));  // the parent does not clip its children: over the sibling too
  EXPECT_FALSE(desktop->surface_pixel(top, 19, 19) == kInk);
  EXPECT_FALSE(desktop->surface_pixel(top, 320, 220) == kInk);
}

TEST_F(ParentClip, AParentThatClipsItsChildrenKeepsTheSiblingsButNotTheChildItself) {
  Build(WS_CLIPCHILDREN);
  Fill(RECT{-100, -100, 400, 400}, DCX_PARENTCLIP | DCX_CACHE);
  EXPECT_TRUE(Inked(10, 10));
  EXPECT_TRUE(Inked(60, 60));    // the child
  EXPECT_FALSE(Inked(160, 60));  // the sibling
  EXPECT_TRUE(Inked(200, 60));
}

TEST_F(ParentClip, AParentClippingItsSiblingsStaysBelowThem) {
  top = Create(WS_POPUP | WS_VISIBLE, {100, 100, 400, 300});
  // Created first, so above the parent; it covers the parent's top left corner.
  HWND cover = Create(WS_CHILD | WS_VISIBLE, {0, 0, 60, 60}, top);
  parent = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {20, 20, 300, 200}, top);
  child = Create(WS_CHILD | WS_VISIBLE, {50, 50, 40, 40}, parent);
  ASSERT_NE(cover, nullptr);
  desktop->run_until_idle();
  Fill(RECT{-100, -100, 400, 400}, DCX_PARENTCLIP | DCX_CACHE);
  EXPECT_FALSE(Inked(10, 10));  // under the cover
  EXPECT_TRUE(Inked(45, 10));
  EXPECT_TRUE(Inked(10, 45));
}

TEST_F(ParentClip, WithoutTheFlagTheChildStaysInItsOwnArea) {
  Build(0);
  Fill(RECT{-100, -100, 400, 400}, DCX_CACHE);
  EXPECT_TRUE(Inked(50, 50));
  EXPECT_TRUE(Inked(89, 89));
  EXPECT_FALSE(Inked(49, 49));
  EXPECT_FALSE(Inked(90, 90));
}

}  // namespace
