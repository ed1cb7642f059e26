// Every public header of the platform, the framework and the toolkit, included together with
// both namespaces open: a constant or type defined by two headers stops this file compiling.
#include "PublicHeaders.inc"

#include <gtest/gtest.h>

using namespace win;
using namespace fw;

TEST(PublicHeaders, SharedConstantsHaveOneDefinition) {
  // Accessibility events and the part queries name the same parts with the same ids.
  EXPECT_EQ(OBJID_SYSMENU, -1);
  EXPECT_EQ(OBJID_MENU, -3);
  EXPECT_EQ(OBJID_CLIENT, -4);
  EXPECT_EQ(OBJID_VSCROLL, -5);
  EXPECT_EQ(OBJID_HSCROLL, -6);
  // The framework's controls answer WM_GETDLGCODE with the platform's codes.
  EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS, 0x0083);
  EXPECT_EQ(DLGC_WANTALLKEYS, DLGC_WANTMESSAGE);
}
