// Where popup menus and submenus go on the screen.

#include <gtest/gtest.h>

#include "platform/user/detail/MenuPlacement.h"
#include "platform/user/menus/MenuTypes.h"

using namespace win;
using menu::PlacePopupMenu;
using menu::PlaceSubmenu;

namespace {

const RECT kWork{0, 0, 800, 560};
const SIZE kSize{100, 200};

TEST(MenuPlacement, AlignmentFlagsPlaceTheMenuAroundThePoint) {
  POINT pt{400, 300};
  EXPECT_EQ(PlacePopupMenu(kSize, {400, 200}, TPM_LEFTALIGN | TPM_TOPALIGN, nullptr, kWork), (RECT{400, 200, 500, 400}));
  EXPECT_EQ(PlacePopupMenu(kSize, pt, TPM_RIGHTALIGN, nullptr, kWork), (RECT{300, 300, 400, 500}));
  EXPECT_EQ(PlacePopupMenu(kSize, pt, TPM_CENTERALIGN | TPM_BOTTOMALIGN, nullptr, kWork), (RECT{350, 100, 450, 300}));
  EXPECT_EQ(PlacePopupMenu(kSize, pt, TPM_VCENTERALIGN, nullptr, kWork), (RECT{400, 200, 500, 400}));
}

TEST(MenuPlacement, FlipsToTheOtherSideOfThePointAtTheWorkAreaEdges) {
  // Near the right and bottom edges the menu opens left of and above the point.
  EXPECT_EQ(PlacePopupMenu(kSize, {750, 500}, 0, nullptr, kWork), (RECT{650, 300, 750, 500}));
  // Right-aligned near the left edge: it opens right of the point instead.
  EXPECT_EQ(PlacePopupMenu(kSize, {50, 10}, TPM_RIGHTALIGN, nullptr, kWork), (RECT{50, 10, 150, 210}));
  // No room on either side: pushed inside the work area.
  EXPECT_EQ(PlacePopupMenu(SIZE{100, 500}, {10, 300}, 0, nullptr, kWork), (RECT{10, 60, 110, 560}));
  // Bigger than the work area: the top-left corner stays visible.
  EXPECT_EQ(PlacePopupMenu(SIZE{900, 100}, {10, 10}, 0, nullptr, kWork).left, 0);
}

TEST(MenuPlacement, TheExclusionRectangleIsAvoided) {
  // A drop-down under a bar item, as the menu bar asks.
  RECT item{200, 20, 260, 39};
  EXPECT_EQ(PlacePopupMenu(kSize, {200, 39}, TPM_VERTICAL, &item, kWork), (RECT{200, 39, 300, 239}));
  // The same item near the bottom: the menu goes above the item, never over it.
  RECT low{200, 500, 260, 519};
  EXPECT_EQ(PlacePopupMenu(kSize, {200, 519}, TPM_VERTICAL, &low, kWork), (RECT{200, 300, 300, 500}));
  // Horizontal: beside the rectangle, left of it when the right has no room.
  RECT right{700, 100, 790, 120};
  EXPECT_EQ(PlacePopupMenu(kSize, {700, 100}, TPM_HORIZONTAL, &right, kWork), (RECT{600, 100, 700, 300}));
  RECT left{100, 100, 150, 120};
  EXPECT_EQ(PlacePopupMenu(kSize, {100, 100}, TPM_HORIZONTAL, &left, kWork), (RECT{150, 100, 250, 300}));
  // A rectangle the menu does not meet changes nothing.
  RECT far{0, 0, 10, 10};
  EXPECT_EQ(PlacePopupMenu(kSize, {400, 200}, TPM_VERTICAL, &far, kWork), (RECT{400, 200, 500, 400}));
}

TEST(MenuPlacement, SubmenusOpenBesideTheirParent) {
  RECT parent{100, 100, 250, 400}, item{103, 150, 247, 167};
  RECT r = PlaceSubmenu(kSize, parent, item, kWork);
  EXPECT_EQ(r, (RECT{247, 147, 347, 347}));
  // No room on the right: left of the parent, overlapping its frame by the same amount.
  RECT rightParent{600, 100, 750, 400};
  r = PlaceSubmenu(kSize, rightParent, RECT{603, 150, 747, 167}, kWork);
  EXPECT_EQ(r, (RECT{503, 147, 603, 347}));
  // Near the bottom it moves up to stay on the work area.
  r = PlaceSubmenu(kSize, parent, RECT{103, 500, 247, 517}, kWork);
  EXPECT_EQ(r.bottom, kWork.bottom);
}

}  // namespace
