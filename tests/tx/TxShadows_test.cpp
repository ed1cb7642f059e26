// Drop shadows: segment geometry, the alpha ramps, the painting method and the windows.

#include "framework/control_fixture.h"
#include "platform/kernel/Modules.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "tx/TxShadows.h"
#include "tx/TxUtilsState.h"

namespace {

using namespace tx;
using fw::TRect;

class ShadowTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTxUtils();
  }
  void TearDown() override {
    win::modules::RestoreAll();
    BindOptionalFunctions();
    DoneTxUtils();
    ControlTest::TearDown();
  }
  static void ExpectRect(const TRect& got, const TRect& want, const char* what) {
    EXPECT_EQ(got.left, want.left) << what;
    EXPECT_EQ(got.top, want.top) << what;
    EXPECT_EQ(got.right, want.right) << what;
    EXPECT_EQ(got.bottom, want.bottom) << what;
  }
  static TRect Bounds(TShadow* s) { return s->BoundsRect(); }
  static std::vector<uint32_t> Ramp(const TShadow& s, int w, int h) {
    std::vector<uint32_t> bits(size_t(w * h));
    s.FillBuffer(bits.data(), w, h);
    return bits;
  }
};

TEST_F(ShadowTest, OneRectangleGetsARightAndABottomSegment) {
  TShadows shadows(TRect{}, TRect{10, 10, 110, 60}, 4, 61, false);
  ASSERT_EQ(shadows.Count(), 2);
  ExpectRect(Bounds(shadows.Shadow(0)), TRect{110, 14, 114, 60}, "vertical");
  EXPECT_EQ(shadows.Shadow(0)->ShadowEdges(), 1);
  EXPECT_NE(dynamic_cast<TVertShadow*>(shadows.Shadow(0)), nullptr);
  ExpectRect(Bounds(shadows.Shadow(1)), TRect{14, 60, 114, 64}, "horizontal");
  EXPECT_EQ(shadows.Shadow(1)->ShadowEdges(), 3);
  EXPECT_EQ(shadows.Shadow(1)->ShadowMethod(), SM_LAYERED);
  EXPECT_TRUE(shadows.Shadow(1)->SaveBits());
  // The layered picture is given at once.
  const auto ex = win::GetWindowLongW(shadows.Shadow(1)->Handle(), win::GWL_EXSTYLE);
  EXPECT_TRUE(ex & win::WS_EX_LAYERED);
  EXPECT_TRUE(ex & win::WS_EX_TOOLWINDOW);
  EXPECT_TRUE(win::GetWindowLongW(shadows.Shadow(1)->Handle(), win::GWL_STYLE) & win::WS_POPUP);
}

TEST_F(ShadowTest, ParentItemAbovePopup) {
  // A toolbar button above its popup, the popup wider to the right.
  const TRect item{20, 0, 60, 20}, popup{20, 20, 120, 80};
  TShadows shadows(item, popup, 4, 61, false);
  ASSERT_EQ(shadows.Count(), 3);
  ExpectRect(Bounds(shadows.Shadow(0)), TRect{24, 80, 124, 84}, "under the popup");
  ExpectRect(Bounds(shadows.Shadow(1)), TRect{60, 4, 64, 20}, "right of the item");
  ExpectRect(Bounds(shadows.Shadow(2)), TRect{120, 24, 124, 80}, "right of the popup");
  EXPECT_EQ(shadows.Shadow(2)->ShadowEdges(), 1);

  // A submenu right of a tall item: the popup ends above the item's bottom.
  TShadows side(TRect{0, 0, 100, 100}, TRect{100, 0, 200, 50}, 4, 61, false);
  ASSERT_EQ(side.Count(), 4);
  ExpectRect(Bounds(side.Shadow(0)), TRect{200, 4, 204, 54}, "right of the popup");
  ExpectRect(Bounds(side.Shadow(1)), TRect{4, 100, 100, 104}, "under the item");
  ExpectRect(Bounds(side.Shadow(2)), TRect{100, 50, 104, 104}, "right of the item below the popup");
  EXPECT_EQ(side.Shadow(2)->ShadowEdges(), 3);
  ExpectRect(Bounds(side.Shadow(3)), TRect{100, 50, 200, 54}, "under the popup, to its left end");
  EXPECT_EQ(side.Shadow(3)->ShadowEdges(), 0);

  // A popup opened upwards that covers the top two rows of its item still counts as above it.
  TShadows upwards(TRect{20, 78, 60, 98}, TRect{20, 0, 120, 80}, 4, 61, false);
  ASSERT_EQ(upwards.Count(), 4);
  ExpectRect(Bounds(upwards.Shadow(0)), TRect{24, 98, 64, 102}, "under the item");
  ExpectRect(Bounds(upwards.Shadow(1)), TRect{120, 4, 124, 80}, "right of the popup");
  ExpectRect(Bounds(upwards.Shadow(2)), TRect{60, 80, 124, 84}, "under the popup, right of the item");
  ExpectRect(Bounds(upwards.Shadow(3)), TRect{60, 79, 64, 98}, "right of the item");

  TShadows overlapping(TRect{0, 0, 50, 50}, TRect{10, 10, 60, 60}, 4, 61, false);
  EXPECT_EQ(overlapping.Count(), 0);
}

TEST_F(ShadowTest, MethodFollowsTheOptionalFunctions) {
  EXPECT_EQ(THorzShadow(TRect{0, 0, 10, 4}, 61, false, 3).ShadowMethod(), SM_LAYERED);
  EXPECT_EQ(THorzShadow(TRect{0, 0, 10, 4}, 61, true, 3).ShadowMethod(), SM_PLAIN);
  win::modules::RemoveForTesting(u"user32.dll", "UpdateLayeredWindow");
  BindOptionalFunctions();
  EXPECT_EQ(THorzShadow(TRect{0, 0, 10, 4}, 61, false, 3).ShadowMethod(), SM_ALPHABLEND);
  win::modules::RemoveForTesting(u"msimg32.dll", "AlphaBlend");
  BindOptionalFunctions();
  EXPECT_EQ(THorzShadow(TRect{0, 0, 10, 4}, 61, false, 3).ShadowMethod(), SM_PLAIN);
  // Without blending the shadow is half as wide: a plain shadow-coloured band.
  TShadows shadows(TRect{}, TRect{0, 0, 40, 40}, 4, 61, false);
  ExpectRect(Bounds(shadows.Shadow(0)), TRect{40, 2, 42, 40}, "2 pixels");
}

TEST_F(ShadowTest, LowColourDisplaysGetANarrowPlainBand) {
  TShadows shadows(TRect{}, TRect{0, 0, 40, 40}, 4, 61, true);
  ASSERT_EQ(shadows.Count(), 2);
  EXPECT_EQ(shadows.Shadow(1)->ShadowMethod(), SM_PLAIN);
  EXPECT_EQ(Bounds(shadows.Shadow(1)).bottom - Bounds(shadows.Shadow(1)).top, 2);
  EXPECT_EQ(shadows.Shadow(1)->Color(), fw::clBtnShadow);
}

TEST_F(ShadowTest, RampsFadeDownAndAcross) {
  THorzShadow h(TRect{0, 0, 20, 4}, 61, false, 0);
  const auto bits = Ramp(h, 20, 4);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(bits[size_t(y * 20 + 10)] >> 24, uint32_t(255 - y * 64)) << y;
  for (uint32_t p : bits) EXPECT_EQ(p & 0xFFFFFF, 0u) << "black";

  TVertShadow v(TRect{0, 0, 4, 20}, 61, false, 0);
  const auto vbits = Ramp(v, 4, 20);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(vbits[size_t(10 * 4 + x)] >> 24, uint32_t(255 - x * 64)) << x;

  // Narrower than twice its height: both ends fade, no flat part in the middle.
  THorzShadow narrow(TRect{0, 0, 6, 4}, 61, false, 3);
  const auto nbits = Ramp(narrow, 6, 4);
  EXPECT_LT(nbits[0] >> 24, 255u);
  EXPECT_LT(nbits[5] >> 24, 255u);
  EXPECT_EQ(nbits[0] >> 24, nbits[5] >> 24) << "the ends mirror each other";
  for (int x = 0; x < 6; ++x) EXPECT_LT(nbits[size_t(x)] >> 24, 255u) << "no flat part at " << x;
  // A fading start is lighter at the segment's very start than further in.
  THorzShadow start(TRect{0, 0, 20, 4}, 61, false, 1);
  const auto sbits = Ramp(start, 20, 4);
  EXPECT_LT(sbits[0] >> 24, sbits[3] >> 24);
  EXPECT_EQ(sbits[19] >> 24, 255u);
}

TEST_F(ShadowTest, ClicksPassThrough) {
  TShadows shadows(TRect{}, TRect{10, 10, 60, 60}, 4, 61, false);
  shadows.Show(nullptr);
  const win::HWND wnd = shadows.Shadow(0)->Handle();
  EXPECT_TRUE(win::IsWindowVisible(wnd));
  EXPECT_EQ(win::SendMessageW(wnd, win::WM_NCHITTEST, 0, win::MAKELPARAM(61, 30)), win::HTTRANSPARENT);
  EXPECT_NE(win::WindowFromPoint(win::POINT{61, 30}), wnd);
}

}  // namespace
