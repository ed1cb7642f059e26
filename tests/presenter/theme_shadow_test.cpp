// The themes' own drop shadows on the real desktop: with a compositing manager the layered
// alpha ramps darken what lies right of and below a popup, fading outwards.

#include <QImage>

#include <cstdlib>
#include <string>

#include "PresenterFixture.h"
#include "presenter/DesktopPresenter.h"
#include "tx/TxShadows.h"
#include "tx/TxUtilsState.h"

namespace kvtest {
namespace {

using namespace win;

class ThemeShadowTest : public PresenterTest {
 protected:
  void TearDown() override {
    if (!compositor_.empty()) Run("kill " + compositor_);
    tx::DoneTxUtils();
    PresenterTest::TearDown();
  }
  int Grey(int x, int y) { return qRed(GrabScreen(x, y, 1, 1).pixel(0, 0)); }
  std::string compositor_;
};

TEST_F(ThemeShadowTest, LayeredRampsBlendWithACompositor) {
  tx::InitTxUtils();
  CreateProbe(u"kv ramp ground", WS_POPUP | WS_VISIBLE, 0, 200, 200, 300, 250, RGB(255, 255, 255));
  CommandResult started = Run("xcompmgr >/dev/null 2>&1 & echo $!");
  ASSERT_EQ(started.status, 0) << started.output;
  compositor_ = started.output.substr(0, started.output.find('\n'));
  ASSERT_TRUE(PumpUntil([&] { return Presenter().CanBlend(); }, 5000)) << "xcompmgr did not start";
  HWND popup = CreateProbe(u"kv ramp popup", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, 250, 260, 120, 90, RGB(0, 0, 0));
  tx::TShadows shadows(RECT{}, RECT{250, 260, 370, 350}, 4, 61, false);
  ASSERT_EQ(shadows.Shadow(0)->ShadowMethod(), tx::SM_LAYERED);
  shadows.Show(popup);
  // Right of the popup the white ground darkens most next to it and fades to white 4 pixels on.
  EXPECT_TRUE(PumpUntil([&] { return Grey(370, 300) < 215; })) << Grey(370, 300);
  EXPECT_LT(Grey(370, 300), Grey(372, 300));
  EXPECT_LT(Grey(372, 300), 255);
  EXPECT_EQ(Grey(374, 300), 255);
  EXPECT_TRUE(PumpUntil([&] { return Grey(310, 350) < Grey(310, 352); })) << "below, fading downwards";
  EXPECT_EQ(Grey(310, 354), 255);
  PumpUntil([] { return false; }, 300);
  if (const char* dir = std::getenv("KV_SCREENSHOT_DIR"))
    GrabScreen(200, 200, 300, 250).save(QString::fromUtf8(dir) + "/theme-shadow.png");
}

}  // namespace
}  // namespace kvtest
