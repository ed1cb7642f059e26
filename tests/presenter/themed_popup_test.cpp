// A themed popup menu on the real desktop: the current theme paints its frame, background and
// items, and its layered shadow (when the theme asks for one) sits right of and below it.

#include <QImage>

#include <cstdlib>
#include <memory>

#include "PresenterFixture.h"
#include "framework/Colors.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"
#include "tx/Tx.h"
#include "tx/TxPopupWindow.h"
#include "tx/TxSpinEditItem.h"

namespace kvtest {
namespace {

using namespace tx;

class ThemedPopupOnScreen : public PresenterTest {
 protected:
  void SetUp() override {
    PresenterTest::SetUp();
    InitTx();
  }
  void TearDown() override {
    DoneTx();
    PresenterTest::TearDown();
  }
};

TEST_F(ThemedPopupOnScreen, DefaultThemePaintsTheMenu) {
  CreateProbe(u"kv popup ground", win::WS_POPUP | win::WS_VISIBLE, 0, 40, 40, 420, 360, win::RGB(255, 255, 255));
  auto menu = std::make_unique<TTxPopupMenu>(nullptr);
  auto add = [&](TTBCustomItem* item, const char* caption) {
    item->SetCaption(caption);
    menu->Items()->Add(item);
  };
  add(new TTxItem(menu.get()), "&Open...");
  add(new TTxItem(menu.get()), "&Save");
  menu->Items()->Add(new TTxSeparatorItem(menu.get()));
  auto* grid = new TTxItem(menu.get());
  grid->SetChecked(true);
  add(grid, "Show &grid");
  add(new TTxSubmenuItem(menu.get()), "&Export");
  auto* spin = new TTxSpinEditItem(menu.get());
  spin->SetEditCaption("Width");
  spin->SetPostfix("px");
  spin->SetSpaceBeforePostfix(true);
  spin->SetValue(12);
  menu->Items()->Add(spin);
  auto* colour = new TTxColorItem(menu.get());
  colour->SetColor(0x000080FF);
  add(colour, "Line colour");

  std::unique_ptr<toolbars::TTBPopupWindow> popup(menu->Items()->PopupAtRect(false, TRect{80, 80, 160, 100}));
  ASSERT_NE(popup, nullptr);
  win::HWND h = popup->Handle();
  ASSERT_TRUE(PumpUntil([&] { return win::IsWindowVisible(h) != 0; }));
  TRect w{};
  win::GetWindowRect(h, &w);
  EXPECT_EQ(w.left, 80);
  EXPECT_EQ(w.top, 100);
  // Inside the frame, right of the items' text, the menu shows the theme's popup colour.
  const win::COLORREF back = fw::ColorToRGB(CurrentTheme->GetViewColor(VT_POPUP_MENU));
  auto px = [&](int x, int y) { return GrabScreen(x, y, 1, 1).pixel(0, 0) & 0xFFFFFF; };
  const QRgb expected = qRgb(win::GetRValue(back), win::GetGValue(back), win::GetBValue(back)) & 0xFFFFFF;
  EXPECT_TRUE(PumpUntil([&] { return px(w.right - 6, w.top + 8) == expected; }))
      << std::hex << px(w.right - 6, w.top + 8) << " vs " << expected;
  // The ground beside it is untouched.
  EXPECT_EQ(px(w.right + 20, w.top + 8), 0xFFFFFFu);
  PumpUntil([] { return false; }, 300);
  if (const char* dir = std::getenv("KV_SCREENSHOT_DIR"))
    GrabScreen(60, 80, 320, 260).save(QString::fromUtf8(dir) + "/themed-popup-menu.png");
  popup.reset();
}

}  // namespace
}  // namespace kvtest
