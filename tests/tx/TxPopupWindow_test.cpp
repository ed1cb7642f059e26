// The themed popup window: frame and background through the theme, its view type, the drop
// shadow made on the framework's "shown" notice (1578), placement against an anchor rectangle,
// and painting a parent's background behind a control.

#include <memory>

#include "framework/ExtCtrls.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/control_fixture.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "support/MessageSequence.h"
#include "toolbars/TBCommon.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxLists.h"
#include "tx/TxPopupWindow.h"
#include "tx/TxUtils.h"

namespace {

using namespace tx;
using toolbars::TBM_POPUPSHOWING;
using toolbars::TTBPopupPlacement;
using toolbars::TTBPopupWindow;
using txtest::TProbeTheme;

// The visible themed popups.
std::vector<TTxPopupWindow*> ShownPopups() {
  std::vector<TTxPopupWindow*> out;
  win::EnumWindows(
      [](win::HWND h, win::LPARAM lp) -> win::BOOL {
        if (auto* p = dynamic_cast<TTxPopupWindow*>(fw::FindControl(h)); p && win::IsWindowVisible(h))
          reinterpret_cast<std::vector<TTxPopupWindow*>*>(lp)->push_back(p);
        return win::TRUE;
      },
      reinterpret_cast<win::LPARAM>(&out));
  return out;
}

class ThemedPopupTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    InitTx();
    if (!IsThemeRegistered("Probe")) RegisterTheme("Probe", &ThemeClassOf<TProbeTheme>);
    TProbeTheme::ShadowType = PST_NONE;
    TProbeTheme::PopupAlignment = false;
    SetCurrentTheme("Probe");
    probe = dynamic_cast<TProbeTheme*>(CurrentTheme);
    // The form the menu belongs to keeps the focus while the menu is open.
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    win::SetFocus(owner);
    Pump();
    menu = new TTxPopupMenu(nullptr);
    for (const char* c : {"&Open", "&Save", "E&xit"}) {
      auto* it = new TTxItem(menu);
      it->SetCaption(c);
      menu->Items()->Add(it);
    }
  }
  void TearDown() override {
    delete menu;
    SetCurrentTheme("Default");
    DoneTx();
    win::ResetSystemParameters();
    ControlTest::TearDown();
  }
  // Opens the menu, runs `look` while it is shown, then closes it with Esc.
  void WhileOpen(const std::function<void(TTxPopupWindow*)>& look, fw::Integer x = 100, fw::Integer y = 100) {
    desktop->script([&] {
      auto popups = ShownPopups();
      ASSERT_EQ(popups.size(), 1u);
      look(popups[0]);
      desktop->press_key(win::VK_ESCAPE);
    });
    menu->Popup(x, y);
  }

  win::HWND owner = nullptr;
  TProbeTheme* probe = nullptr;
  TTxPopupMenu* menu = nullptr;
};

TEST_F(ThemedPopupTest, FrameAndBackgroundComeFromTheTheme) {
  WhileOpen([&](TTxPopupWindow* p) {
    TRect w{}, c{};
    win::GetWindowRect(p->Handle(), &w);
    win::GetClientRect(p->Handle(), &c);
    EXPECT_EQ(c.right, w.right - w.left - 6);
    EXPECT_EQ(c.bottom, w.bottom - w.top - 6);
    probe->Calls.clear();
    win::RedrawWindow(p->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME |
                                                         win::RDW_UPDATENOW);
    auto bg = probe->Of("Background");
    ASSERT_FALSE(bg.empty());
    EXPECT_EQ(bg[0].Flags, 0x00C0FFEEu);  // the theme's popup colour
    EXPECT_FALSE(bg[0].Flag);             // not transparent
    EXPECT_EQ(probe->BackgroundViewType, VT_POPUP_MENU);
    ASSERT_FALSE(probe->Of("PopupNC").empty());
    EXPECT_EQ(probe->Of("PopupNC")[0].R, (TRect{0, 0, w.right - w.left, w.bottom - w.top}));
    EXPECT_EQ(probe->LastPopup.ViewType, VT_POPUP_MENU);
    EXPECT_EQ(probe->LastPopup.BorderSize.x, 3);
    EXPECT_EQ(probe->LastPopup.WindowHandle, p->Handle());
    EXPECT_EQ(win::SendMessageW(p->Handle(), TXM_GETVIEWTYPE, 0, 0), VT_POPUP_MENU);
  });
}

// A probe that paints all it is given of the frame in one colour.
class TFramePaintingProbe : public TProbeTheme {
 public:
  using TProbeTheme::TProbeTheme;
  static constexpr TColor kFrame = 0x00203040;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& Info) override {
    TProbeTheme::PaintPopupNCArea(Canvas, R, Info);
    Canvas->Brush()->SetColor(kFrame);
    Canvas->FillRect(R);
  }
};

// The theme's frame reaches every side of the border and none of the client area.
TEST_F(ThemedPopupTest, TheThemesFrameCoversTheWholeBorderAndNoMore) {
  if (!IsThemeRegistered("ProbeFrame")) RegisterTheme("ProbeFrame", &ThemeClassOf<TFramePaintingProbe>);
  SetCurrentTheme("ProbeFrame");
  WhileOpen([&](TTxPopupWindow* p) {
    win::RedrawWindow(p->Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_FRAME | win::RDW_UPDATENOW);
    TRect w{};
    win::GetWindowRect(p->Handle(), &w);
    const int midX = (w.left + w.right) / 2, midY = (w.top + w.bottom) / 2;
    const win::POINT border[] = {{midX, w.top},        {midX, w.top + 2},  {midX, w.bottom - 3},
                                 {midX, w.bottom - 1}, {w.left, midY},     {w.left + 2, midY},
                                 {w.right - 3, midY},  {w.right - 1, midY}};
    for (const win::POINT& pt : border)
      EXPECT_EQ(TColor(desktop->screen_pixel(pt.x, pt.y)), TFramePaintingProbe::kFrame)
          << pt.x - w.left << "," << pt.y - w.top;
    const win::POINT client[] = {
        {midX, w.top + 3}, {midX, w.bottom - 4}, {w.left + 3, midY}, {w.right - 4, midY}};
    for (const win::POINT& pt : client)
      EXPECT_NE(TColor(desktop->screen_pixel(pt.x, pt.y)), TFramePaintingProbe::kFrame)
          << pt.x - w.left << "," << pt.y - w.top;
  });
}

TEST_F(ThemedPopupTest, ItemsOfAThemedPopupPaintThroughTheTheme) {
  WhileOpen([&](TTxPopupWindow* p) {
    probe->Calls.clear();
    win::RedrawWindow(p->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_UPDATENOW);
    auto items = probe->Of("MenuItem");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Info.ViewType, VT_POPUP_MENU);
    auto captions = probe->Of("Caption");
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[2].Text, "E&xit");
  });
}

TEST_F(ThemedPopupTest, SystemShadowOnlyWhenTheThemeAsks) {
  struct Case {
    fw::Integer type;
    bool dropShadow;
  } cases[] = {{PST_NONE, false}, {PST_SYSTEM, true}, {PST_LAYERED, false}};
  for (const auto& c : cases) {
    TProbeTheme::ShadowType = c.type;
    WhileOpen([&](TTxPopupWindow* p) {
      const auto style = win::GetClassLongPtrW(p->Handle(), win::GCL_STYLE);
      EXPECT_EQ((style & win::CS_DROPSHADOW) != 0, c.dropShadow) << c.type;
      EXPECT_EQ(style & win::CS_SAVEBITS, 0u);
      win::WCHAR name[64] = {};
      int n = win::GetClassNameW(p->Handle(), name, 64);
      EXPECT_EQ(n > 0 && name[n - 1] == u'S', c.dropShadow) << c.type;
      EXPECT_EQ(p->Shadows() != nullptr, c.type == PST_LAYERED) << c.type;
    });
  }
}

// The framework shows the popup, then tells it (1578, 3 = shown without animation); only then
// the layered shadow windows are made and shown.
TEST_F(ThemedPopupTest, LayeredShadowFollowsTheShownNotice) {
  TProbeTheme::ShadowType = PST_LAYERED;
  kvtest::MessageRecorder rec(win::kChannelLifetime | win::kChannelPrivate);
  rec.Ignore(win::WM_NCDESTROY);
  win::HWND popup = nullptr, below = nullptr, right = nullptr;
  WhileOpen([&](TTxPopupWindow* p) {
    popup = p->Handle();
    ASSERT_NE(p->Shadows(), nullptr);
    ASSERT_EQ(p->Shadows()->Count(), 2);  // below and right of the popup
    below = p->Shadows()->Shadow(0)->Handle();
    right = p->Shadows()->Shadow(1)->Handle();
    EXPECT_TRUE(win::IsWindowVisible(below));
    // Drawn behind the popup: the popup comes first in the z-order.
    win::HWND w = win::GetWindow(popup, win::GW_HWNDNEXT);
    EXPECT_TRUE(w == below || w == right);
  });
  using kvtest::Msg;
  using kvtest::Sent;
  EXPECT_TRUE(rec.Matches({
      // The menu loop's own windows come first.
      Sent(win::WM_NCCREATE).Optional(), Sent(win::WM_CREATE).Optional(),
      Sent(win::WM_NCCREATE).Optional(), Sent(win::WM_CREATE).Optional(),
      Sent(win::WM_NCCREATE, popup), Sent(win::WM_CREATE, popup),
      Msg(TBM_POPUPSHOWING, popup).W(toolbars::TPS_NOANIM),
      Sent(win::WM_NCCREATE, below), Sent(win::WM_CREATE, below),
      Sent(win::WM_NCCREATE, right), Sent(win::WM_CREATE, right),
      // The shadows go before the popup they belong to.
      Sent(win::WM_DESTROY, right).Optional(), Sent(win::WM_DESTROY, below),
      Sent(win::WM_DESTROY, right).Optional(), Sent(win::WM_DESTROY, popup),
  }));
}

// Without a compositing desktop a translucent ramp would show as a solid black band: the shadow
// takes the low-colour path, two pixels of plain clBtnShadow, and keeps its alpha ramp otherwise.
TEST_F(ThemedPopupTest, ShadowIsAPlainNarrowBandWhenTheScreenCannotBlend) {
  TProbeTheme::ShadowType = PST_LAYERED;
  for (bool canBlend : {true, false}) {
    desktop->set_can_blend(canBlend);
    WhileOpen([&](TTxPopupWindow* p) {
      // No ASSERT here: the menu must still get its Esc.
      EXPECT_TRUE(p->Shadows() && p->Shadows()->Count() == 2);
      if (!p->Shadows()) return;
      win::RECT popup{};
      win::GetWindowRect(p->Handle(), &popup);
      int found = 0;
      for (Integer k = 0; k < p->Shadows()->Count(); ++k) {
        TShadow* s = p->Shadows()->Shadow(k);
        win::RECT r{};
        win::GetWindowRect(s->Handle(), &r);
        if (r.left != popup.right) continue;  // the band along the right edge
        ++found;
        EXPECT_EQ(r.right - r.left, canBlend ? 4 : 2) << canBlend;
        if (canBlend) {
          EXPECT_NE(s->ShadowMethod(), SM_PLAIN);
        } else {
          EXPECT_EQ(s->ShadowMethod(), SM_PLAIN);
          EXPECT_EQ(s->Color(), fw::clBtnShadow);
          EXPECT_EQ(win::GetWindowLongW(s->Handle(), win::GWL_EXSTYLE) & win::WS_EX_LAYERED, 0);
        }
      }
      EXPECT_EQ(found, 1) << canBlend;
    });
  }
  desktop->set_can_blend(true);
}

TEST_F(ThemedPopupTest, ToolBoxAndChevronPopupsAnswerTheirViewType) {
  auto* box = new TTxSubmenuItem(menu);
  box->SetToolBoxPopup(true);
  menu->Items()->Add(box);
  std::unique_ptr<TTBPopupWindow> w(
      toolbars::TTBPopupWindowClass::Of<TTxPopupWindow>().Create(nullptr, nullptr, box, false));
  EXPECT_EQ(static_cast<TTxPopupWindow*>(w.get())->GetPopupViewType(), VT_POPUP_TOOLBOX);
  std::unique_ptr<TTBPopupWindow> c(
      toolbars::TTBPopupWindowClass::Of<TTxChevronPopupWindow>().Create(nullptr, nullptr, box, false));
  EXPECT_EQ(static_cast<TTxPopupWindow*>(c.get())->GetPopupViewType(), VT_POPUP_CHEVRON);
  std::unique_ptr<TTBPopupWindow> m(
      toolbars::TTBPopupWindowClass::Of<TTxPopupWindow>().Create(nullptr, nullptr, menu->Items(), false));
  EXPECT_EQ(static_cast<TTxPopupWindow*>(m.get())->GetPopupViewType(), VT_POPUP_MENU);
  // A popup holding a single list: no shadow of either kind.
  struct TOneList : TTxCustomList {
    using TTxCustomList::TTxCustomList;
    String GetItemText(fw::Integer) override { return "x"; }
    fw::Integer GetCount() override { return 3; }
  };
  auto* holder = new TTxSubmenuItem(menu);
  holder->Add(new TOneList(menu));
  menu->Items()->Add(holder);
  std::unique_ptr<TTBPopupWindow> l(
      toolbars::TTBPopupWindowClass::Of<TTxPopupWindow>().Create(nullptr, nullptr, holder, false));
  auto* list = static_cast<TTxPopupWindow*>(l.get());
  EXPECT_EQ(list->GetPopupViewType(), VT_POPUP_LIST);
  EXPECT_FALSE(list->CanShowShadow());
  TProbeTheme::ShadowType = PST_SYSTEM;
  EXPECT_EQ(win::GetClassLongPtrW(list->Handle(), win::GCL_STYLE) & win::CS_DROPSHADOW, 0u);
  TProbeTheme::ShadowType = PST_NONE;
  fw::TMessage q{TXM_GETVIEWTYPE, 0, 0, 0};
  menu->Dispatch(q);
  EXPECT_EQ(q.Result, VT_POPUP_MENU);
}

// ---- placement -------------------------------------------------------------------------------

TEST_F(ThemedPopupTest, AlignedPopupsShareTheParentItemsEdge) {
  TProbeTheme::PopupAlignment = true;
  TTBPopupPlacement p;
  p.ParentItemRect = TRect{10, 10, 60, 30};
  p.X = 10;
  p.Y = 30;  // just below the item
  p.W = 100;
  p.H = 80;
  p.NCSizeX = p.NCSizeY = 3;
  TTBPopupPlacement seen;
  AdjustThemedPopupPosition(nullptr, p, [&] { seen = p; });
  EXPECT_EQ(seen.Y, 29);  // moved up onto the item's last row
  EXPECT_EQ(seen.X, 10);
  EXPECT_EQ(seen.W, 99);
  EXPECT_EQ(seen.NCSizeX, 0);
  EXPECT_EQ(seen.ParentItemRect, (TRect{10, 10, 59, 29}));
  EXPECT_EQ(p.W, 100);  // the size is given back after placing
  EXPECT_EQ(p.H, 80);
  EXPECT_TRUE(p.PlaySound);

  TTBPopupPlacement sub;
  sub.PositionAsSubmenu = true;
  sub.X = 200;
  sub.Y = 50;
  sub.NCSizeX = sub.NCSizeY = 3;
  sub.W = 100;
  AdjustThemedPopupPosition(nullptr, sub, [] {});
  EXPECT_EQ(sub.X, 203);
  EXPECT_EQ(sub.Y, 53);
  EXPECT_EQ(sub.W, 100);

  TProbeTheme::PopupAlignment = false;
  TTBPopupPlacement plain = p;
  AdjustThemedPopupPosition(nullptr, plain, [] {});
  EXPECT_EQ(plain.X, p.X);
  EXPECT_EQ(plain.W, p.W);
}

TEST_F(ThemedPopupTest, AnchoredPopupFlipsAboveAndStaysOnTheMonitor) {
  auto* root = menu->Items();
  struct Case {
    const char* name;
    TRect anchor;
    fw::Byte alignment;
    fw::Integer x, y;
  } cases[] = {
      {"room below", {100, 100, 180, 120}, 0, 100, 120},
      {"flips above", {100, 700, 180, 720}, 0, 100, 700 - 80},
      {"right-aligned", {100, 100, 180, 120}, 1, 180 - 120, 120},
      {"pushed in from the right", {950, 100, 1000, 120}, 0, 1024 - 120, 120},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    root->PopupRect = c.anchor;
    TTBPopupPlacement p;
    p.MonitorRect = TRect{0, 0, 1024, 768};
    p.Alignment = c.alignment;
    p.X = c.anchor.left;
    p.Y = c.anchor.bottom;
    p.W = 120;
    p.H = 80;
    root->GetPopupPosition(nullptr, nullptr, p);
    EXPECT_EQ(p.X, c.x);
    EXPECT_EQ(p.Y, c.y);
    EXPECT_EQ(p.ParentItemRect, c.anchor);
  }
  root->PopupRect = TRect{};
}

TEST_F(ThemedPopupTest, PopupAtRectKeepsClearOfTheAnchorWithItsShadow) {
  TProbeTheme::ShadowType = PST_LAYERED;
  const TRect anchor{300, 200, 380, 222};
  TTBPopupWindow* w = menu->Items()->PopupAtRect(false, anchor);
  ASSERT_NE(w, nullptr);
  auto* themed = dynamic_cast<TTxPopupWindow*>(w);
  ASSERT_NE(themed, nullptr);
  EXPECT_EQ(themed->ExcludeRect, anchor);
  EXPECT_EQ(menu->Items()->PopupRect, TRect{});  // restored
  TRect r{};
  win::GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 222);
  delete w;
}

// ---- parent background -----------------------------------------------------------------------

class TErasingPanel : public fw::TPanel {
 public:
  using TPanel::TPanel;
  bool Answer = false;
  int Erases = 0;
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == win::WM_ERASEBKGND && Answer) {
      ++Erases;
      tx::FillRectColor(reinterpret_cast<win::HDC>(Message.WParam), TRect{0, 0, 200, 200}, 0x0000AA00);
      Message.Result = 1;
      return;
    }
    TPanel::Dispatch(Message);
  }
};

TEST_F(ThemedPopupTest, ParentBackgroundBehindAControl) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(20, 20);
  win::HDC dc = bmp.Canvas()->Handle();
  fw::TPanel orphan(nullptr);
  PaintParentBackground(&orphan, dc, TRect{0, 0, 20, 20});
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), fw::ColorToRGB(fw::clBtnFace));

  fw::TForm* form = new fw::TForm(nullptr);
  form->SetBounds(0, 0, 300, 200);
  auto* panel = new TErasingPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 150);
  panel->SetColor(0x000000CC);
  fw::TPanel child(nullptr);
  child.SetParent(panel);
  child.SetBounds(30, 40, 50, 20);
  PaintParentBackground(&child, dc, TRect{0, 0, 20, 20});
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), 0x000000CCu);  // the parent's colour
  panel->Answer = true;
  PaintParentBackground(&child, dc, TRect{0, 0, 20, 20});
  EXPECT_EQ(panel->Erases, 1);
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), 0x0000AA00u);  // what the parent painted
  child.SetParent(nullptr);
  delete form;
}

}  // namespace
