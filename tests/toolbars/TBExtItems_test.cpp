#include "toolbars/TBExtItems.h"

#include "ToolbarsFixture.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemPopup.h"

namespace toolbars::testing {
namespace {

class RecordingEditItem : public TTBEditItem {
 public:
  using TTBEditItem::TTBEditItem;
  void DoTextChanged(TTBEditItemChangeReason Reason) override { reasons.push_back(Reason); }
  std::vector<TTBEditItemChangeReason> reasons;
};

class EditItem : public ToolbarsTest {};

TEST_F(EditItem, CharCaseAndChangeReasons) {
  RecordingEditItem item(nullptr);
  item.SetCharCase(fw::ecUpperCase);
  item.SetText("abc");
  EXPECT_EQ(item.Text(), "ABC");
  item.SetCharCase(fw::ecLowerCase);
  EXPECT_EQ(item.Text(), "abc") << "a new case rewrites the stored text at once";
  item.SetTextEx("Z", tcrEditControl);
  EXPECT_EQ(item.reasons, (std::vector<TTBEditItemChangeReason>{tcrSetProperty, tcrSetProperty, tcrEditControl}));
  item.SetText("z");
  EXPECT_EQ(item.reasons.size(), 3u) << "the same text again is no change";
  String t = "x";
  item.OnAcceptText = [](TObject*, String& NewText, bool& Accept) {
    Accept = NewText != "no";
    NewText += "!";
  };
  EXPECT_TRUE(item.DoAcceptText(t));
  EXPECT_EQ(t, "x!");
  t = "no";
  EXPECT_FALSE(item.DoAcceptText(t));
}

TEST_F(EditItem, EditActionFillsTheItem) {
  TTBEditAction action(nullptr);
  action.SetEditCaption("&Find:");
  action.SetText("needle");
  TTBEditItem item(nullptr);
  item.SetAction(&action);
  EXPECT_EQ(item.EditCaption(), "&Find:");
  EXPECT_EQ(item.Text(), "needle");
  action.SetText("pin");
  EXPECT_EQ(item.Text(), "pin") << "linked while the item shows the action's text";
  item.SetText("mine");
  action.SetText("other");
  EXPECT_EQ(item.Text(), "mine");
}

// The action's edit options reach the item linked to it, at the link and when they change later
// while the item still has the action's.
TEST_F(EditItem, EditActionGivesTheItemItsOptions) {
  TTBEditAction action(nullptr);
  action.SetEditOptions(TTBEditItemOptions{tboUseEditWhenVertical});
  TTBEditItem item(nullptr);
  ASSERT_TRUE(item.EditOptions().Empty());
  item.SetAction(&action);
  EXPECT_TRUE(item.EditOptions().Contains(tboUseEditWhenVertical));
  action.SetEditOptions(TTBEditItemOptions{});
  EXPECT_TRUE(item.EditOptions().Empty());
}

// Sizes with the fixed test font: 13 pixels high, 7 pixels a character.
TEST_F(EditItem, SizesAndTheEditRectangle) {
  TTBRootItem root(nullptr);
  auto* item = new TTBEditItem(&root);
  root.Add(item);
  win::LOGFONTW lf{};
  std::copy(win::kTestFontFace.begin(), win::kTestFontFace.end(), lf.lfFaceName);
  win::HFONT font = win::CreateFontIndirectW(&lf);
  win::HDC dc = win::GetDC(nullptr);
  win::HGDIOBJ old = win::SelectObject(dc, font);
  fw::TCanvas canvas;
  canvas.SetHandle(dc);
  struct Case {
    bool toolbar;
    const char* caption;
    Integer w, h;
  };
  for (auto c : {Case{true, "", 64, 20}, Case{true, "&Find:", 64, 20}, Case{false, "", 64, 20},
                 Case{false, "&Find:", 64 + 35 + 10, 20}}) {
    item->SetEditCaption(c.caption);
    TTBView view(nullptr, nullptr, &root, nullptr, c.toolbar, false, false);
    view.AfterConstruction();
    TTBItemViewer* v = view.Find(item);
    ASSERT_NE(dynamic_cast<TTBEditItemViewer*>(v), nullptr);
    Integer w = 0, h = 0;
    win::SelectObject(dc, font);
    v->CalcSize(&canvas, w, h);
    EXPECT_EQ(w, c.w) << c.toolbar << " " << c.caption;
    EXPECT_EQ(h, c.h) << c.toolbar << " " << c.caption;
    EXPECT_EQ(v->CaptionShown(), !c.toolbar && *c.caption) << c.caption;
  }
  canvas.SetHandle(nullptr);
  win::SelectObject(dc, old);
  win::ReleaseDC(nullptr, dc);
  win::DeleteObject(font);
}

TEST_F(EditItem, VerticalViewsShowAPlainViewerUnlessAsked) {
  TTBRootItem root(nullptr);
  auto* item = new TTBEditItem(&root);
  root.Add(item);
  TTBView view(nullptr, nullptr, &root, nullptr, true, false, false);
  view.AfterConstruction();
  view.SetOrientation(tbvoVertical);
  view.ValidatePositions();
  EXPECT_EQ(dynamic_cast<TTBEditItemViewer*>(view.Find(item)), nullptr) << "recreated for the vertical view";
  item->SetEditOptions({tboUseEditWhenVertical});
  view.ValidatePositions();
  EXPECT_NE(dynamic_cast<TTBEditItemViewer*>(view.Find(item)), nullptr);
}

// The in-place edit inside a popup menu's loop.
class InPlaceEdit : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    win::SetFocus(owner);
    Pump();
    menu = new TTBPopupMenu(nullptr);
    edit = new TTBEditItem(menu);
    edit->SetEditCaption("&Find:");
    edit->SetText("old");
    menu->Items()->Add(edit);
    next = new TTBCustomItem(menu);
    next->SetCaption("&Next");
    next->OnClick = [this](TObject*) { ++nextClicks; };
    menu->Items()->Add(next);
  }
  void TearDown() override {
    delete menu;
    ToolbarsTest::TearDown();
  }
  static TTBView* PopupView() {
    auto popups = Popups();
    return popups.empty() ? nullptr : popups.back()->View();
  }
  // Starts the edit by keyboard: the first item is selected, Enter executes it.
  void StartEdit() {
    desktop->script([this] { desktop->press_key(win::VK_DOWN); });
    desktop->script([this] { desktop->press_key(win::VK_RETURN); });
  }
  void Type(const char16_t* text) {
    desktop->script([this, text] {
      for (const char16_t* c = text; *c; ++c) desktop->type_char(*c);
    });
  }
  win::HWND owner = nullptr;
  TTBPopupMenu* menu = nullptr;
  TTBEditItem* edit = nullptr;
  TTBCustomItem* next = nullptr;
  int nextClicks = 0;
};

TEST_F(InPlaceEdit, EnterAcceptsAndClosesTheMenu) {
  StartEdit();
  Type(u"new");
  desktop->script([this] { desktop->press_key(win::VK_RETURN); });
  menu->Popup(100, 100);
  EXPECT_EQ(edit->Text(), "new");
  EXPECT_EQ(PopupView(), nullptr);
  Pump();
  EXPECT_EQ(nextClicks, 0);
  EXPECT_EQ(win::GetFocus(), owner) << "the focus went back";
}

TEST_F(InPlaceEdit, EscKeepsTheTextAndTheMenu) {
  TTBCustomItem* selectedAfter = nullptr;
  StartEdit();
  Type(u"zzz");
  desktop->script([this] { desktop->press_key(win::VK_ESCAPE); });
  bool editControlGone = false;
  desktop->script([&] {
    if (TTBView* v = PopupView(); v && v->Selected()) {
      selectedAfter = v->Selected()->Item();
      auto* viewer = dynamic_cast<TTBEditItemViewer*>(v->Selected());
      editControlGone = viewer && viewer->EditControl() == nullptr;
    }
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_TRUE(editControlGone) << "the edit control lives only while the edit runs";
  EXPECT_EQ(edit->Text(), "old");
  ASSERT_NE(selectedAfter, nullptr) << "the menu stayed open";
  EXPECT_EQ(selectedAfter, edit);
}

TEST_F(InPlaceEdit, TabAcceptsAndMovesOn) {
  TTBCustomItem* selectedAfter = nullptr;
  edit->OnAcceptText = [](TObject*, String& NewText, bool&) { NewText = "[" + NewText + "]"; };
  StartEdit();
  Type(u"ab");
  desktop->script([this] { desktop->press_key(win::VK_TAB); });
  desktop->script([&] {
    if (TTBView* v = PopupView(); v && v->Selected()) selectedAfter = v->Selected()->Item();
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(edit->Text(), "[ab]");
  ASSERT_NE(selectedAfter, nullptr);
  EXPECT_EQ(selectedAfter, next);
}

// A click is a press and a release queued together, as the desktop delivers them: the press
// starts the edit, and the release, queued for the menu before the edit existed, must not end it.
TEST_F(InPlaceEdit, AClickStartsTheEditAndTheKeysGoIntoIt) {
  desktop->script([this] {
    TRect r = PopupView()->Find(edit)->ScreenBoundsRect();
    win::POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    desktop->mouse_move(p);
    desktop->click(p);
  });
  Type(u"new");
  desktop->script([this] { desktop->press_key(win::VK_RETURN); });
  menu->Popup(100, 100);
  EXPECT_EQ(edit->Text(), "new");
  EXPECT_EQ(PopupView(), nullptr) << "Enter closed the menu";
}

TEST_F(InPlaceEdit, AClickElsewhereEndsTheEditAndIsSeenByTheMenu) {
  for (bool extended : {false, true}) {
    edit->SetText("old");
    edit->SetExtendedAccept(extended);
    nextClicks = 0;
    StartEdit();
    Type(u"typed");
    desktop->script([this] {
      TTBView* v = PopupView();
      TRect r = v->Find(next)->ScreenBoundsRect();
      win::POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      desktop->mouse_move(p);
      desktop->click(p);
    });
    menu->Popup(100, 100);
    Pump();
    EXPECT_EQ(edit->Text(), extended ? "typed" : "old") << extended;
    EXPECT_EQ(nextClicks, 1) << "the click chose the other item";
  }
}

}  // namespace
}  // namespace toolbars::testing
