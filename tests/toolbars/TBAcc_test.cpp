#include "toolbars/TBAcc.h"

#include "ToolbarsFixture.h"
#include "framework/Menus.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars::testing {
namespace {

class Accessibility : public ToolbarsTest {
 protected:
  std::unique_ptr<TTBView> View(bool toolbar) {
    auto v = std::make_unique<TTBView>(nullptr, nullptr, &root, nullptr, toolbar, false, false);
    v->AfterConstruction();
    v->ValidatePositions();
    return v;
  }
  TTBCustomItem* Add(const char* caption, TTBItemStyle add = 0) {
    auto* it = new StyledItem(&root, caption, add);
    root.Add(it);
    return it;
  }
  static fw::WideString Name(const TTBAccRef& o) {
    fw::WideString n;
    EXPECT_EQ(o->get_accName(CHILDID_SELF, n), S_OK);
    return n;
  }
  static fw::Cardinal State(const TTBAccRef& o) {
    fw::Cardinal s = 0;
    EXPECT_EQ(o->get_accState(CHILDID_SELF, s), S_OK);
    return s;
  }
  TTBRootItem root{nullptr};
};

TEST_F(Accessibility, NamesAndShortcutsOfItems) {
  auto* open = Add("&Open\tCtrl+O");
  auto* save = Add("Save");
  save->SetShortCut(fw::scCtrl | 'S');
  auto popup = View(false);
  auto toolbar = View(true);
  EXPECT_EQ(Name(ViewerAccObject(popup->Find(open))), u"Open\tCtrl+O");
  EXPECT_EQ(Name(ViewerAccObject(popup->Find(save))), u"Save\tCtrl+S");
  EXPECT_EQ(Name(ViewerAccObject(toolbar->Find(open))), u"Open") << "toolbar style: the caption alone";
  fw::WideString key;
  EXPECT_EQ(ViewerAccObject(toolbar->Find(open))->get_accKeyboardShortcut(CHILDID_SELF, key), S_OK);
  EXPECT_EQ(key, u"Alt+o");
  EXPECT_EQ(ViewerAccObject(popup->Find(open))->get_accKeyboardShortcut(CHILDID_SELF, key), S_OK);
  EXPECT_EQ(key, u"o");
  EXPECT_EQ(ViewerAccObject(popup->Find(save))->get_accKeyboardShortcut(CHILDID_SELF, key), S_FALSE);
  fw::Integer role = 0;
  ViewerAccObject(popup->Find(open))->get_accRole(CHILDID_SELF, role);
  EXPECT_EQ(role, 12);
  ViewerAccObject(toolbar->Find(open))->get_accRole(CHILDID_SELF, role);
  EXPECT_EQ(role, 43);
  EXPECT_EQ(ViewerAccObject(popup->Find(open))->get_accName(3, key), E_INVALIDARG);
}

// A question about a child the item does not have, or asked after its viewer is gone, fails and
// answers nothing: a reader that misses the error finds empty values, not the last answer.
TEST_F(Accessibility, RefusedQuestionsLeaveEmptyAnswers) {
  auto* open = Add("&Open\tCtrl+O");
  open->SetChecked(true);
  auto popup = View(false);
  TTBAccRef o = ViewerAccObject(popup->Find(open));
  const auto ask = [&](fw::Integer child, HRESULT expected) {
    fw::WideString name = u"x", value = u"x", key = u"x";
    fw::Integer role = 99;
    fw::Cardinal state = 99;
    EXPECT_EQ(o->get_accName(child, name), expected);
    EXPECT_EQ(o->get_accValue(child, value), expected);
    EXPECT_EQ(o->get_accRole(child, role), expected);
    EXPECT_EQ(o->get_accState(child, state), expected);
    EXPECT_EQ(o->get_accKeyboardShortcut(child, key), expected);
    EXPECT_EQ(name, u"");
    EXPECT_EQ(value, u"");
    EXPECT_EQ(role, 0);
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(key, u"");
  };
  ask(3, E_INVALIDARG);
  popup.reset();  // the viewer goes; the object a reader holds stays
  ask(CHILDID_SELF, E_FAIL);
}

// Nothing describes a bar or a button beyond its name: description, help, help topic and
// selection are empty with S_FALSE, for both objects, and fail once the owner is gone.
TEST_F(Accessibility, DescriptionHelpAndSelectionAreEmpty) {
  auto* open = Add("&Open");
  auto toolbar = View(true);
  TTBAccRef objects[] = {toolbar->GetAccObject(), ViewerAccObject(toolbar->Find(open))};
  struct Case {
    fw::Integer Child;
    HRESULT Expected;
  };
  auto ask = [](const TTBAccRef& o, const Case& c) {
    SCOPED_TRACE(c.Child);
    fw::WideString text = u"x", file = u"x";
    fw::Integer topic = 7;
    EXPECT_EQ(o->get_accDescription(c.Child, text), c.Expected);
    EXPECT_EQ(text, u"");
    text = u"x";
    EXPECT_EQ(o->get_accHelp(c.Child, text), c.Expected);
    EXPECT_EQ(text, u"");
    EXPECT_EQ(o->get_accHelpTopic(c.Child, file, topic), c.Expected);
    EXPECT_EQ(file, u"");
    EXPECT_EQ(topic, 0);
  };
  for (const TTBAccRef& o : objects) {
    for (const Case& c : {Case{CHILDID_SELF, S_FALSE}, Case{2, E_INVALIDARG}}) ask(o, c);
    TTBAccVariant selection;
    selection.IsChildId = true;
    EXPECT_EQ(o->get_accSelection(selection), S_FALSE);
    EXPECT_TRUE(selection.Empty());
  }
  toolbar.reset();
  for (const TTBAccRef& o : objects) {
    ask(o, Case{CHILDID_SELF, E_FAIL});
    TTBAccVariant selection;
    EXPECT_EQ(o->get_accSelection(selection), E_FAIL);
  }
}

TEST_F(Accessibility, StatesAndCounting) {
  auto* sub = Add("&More", tbisSubmenu);
  auto* checked = Add("Checked");
  checked->SetChecked(true);
  auto* off = Add("Off");
  off->SetEnabled(false);
  auto* hidden = Add("Hidden");
  hidden->SetVisible(false);
  auto view = View(false);
  view->SetSelected(view->Find(sub));
  EXPECT_EQ(State(ViewerAccObject(view->Find(sub))) & (STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_HASPOPUP),
            STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_HASPOPUP);
  EXPECT_TRUE(State(ViewerAccObject(view->Find(checked))) & STATE_SYSTEM_CHECKED);
  EXPECT_TRUE(State(ViewerAccObject(view->Find(off))) & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_TRUE(State(ViewerAccObject(view->Find(hidden))) & STATE_SYSTEM_INVISIBLE);
  auto vo = view->GetAccObject();
  fw::Integer count = 0;
  EXPECT_EQ(vo->get_accChildCount(count), S_OK);
  EXPECT_EQ(count, 3) << "the hidden item is not counted";
  TTBAccVariant child;
  EXPECT_EQ(vo->get_accChild(2, child), S_OK);
  EXPECT_EQ(Name(child.Object), u"Checked");
  EXPECT_EQ(vo->get_accChild(4, child), E_INVALIDARG);
  fw::Integer role = 0;
  vo->get_accRole(CHILDID_SELF, role);
  EXPECT_EQ(role, ROLE_SYSTEM_MENUPOPUP);
  TTBAccVariant nav;
  EXPECT_EQ(vo->accNavigate(NAVDIR_LASTCHILD, CHILDID_SELF, nav), S_OK);
  EXPECT_EQ(Name(nav.Object), u"Off");
  auto first = ViewerAccObject(view->Find(sub));
  EXPECT_EQ(first->accNavigate(NAVDIR_NEXT, CHILDID_SELF, nav), S_OK);
  EXPECT_EQ(Name(nav.Object), u"Checked");
  EXPECT_EQ(first->accNavigate(NAVDIR_PREVIOUS, CHILDID_SELF, nav), S_FALSE);
  EXPECT_TRUE(nav.Empty());
}

TEST_F(Accessibility, AnObjectOutlivingItsViewerFails) {
  auto* it = Add("Gone");
  auto view = View(false);
  TTBAccRef held = ViewerAccObject(view->Find(it));
  EXPECT_EQ(ViewerAccObject(view->Find(it)), held) << "one object per viewer while it is held";
  delete it;
  fw::WideString n;
  EXPECT_EQ(held->get_accName(CHILDID_SELF, n), E_FAIL);
  EXPECT_EQ(held->put_accName(CHILDID_SELF, u"x"), S_FALSE);
  fw::Integer live = TTBCustomAccObject::LiveCount();
  held.reset();
  EXPECT_EQ(TTBCustomAccObject::LiveCount(), live - 1);
}

TEST_F(Accessibility, ChevronHiddenButtonsCountButAreInvisible) {
  class ChevronView : public TTBView {
   public:
    using TTBView::TTBView;
    TTBCustomItem* GetChevronItem() override { return Chevron; }
    TTBCustomItem* Chevron = nullptr;
  };
  for (int i = 0; i < 5; ++i) Add("Button");
  TTBCustomItem chevron(nullptr);
  ChevronView view(nullptr, nullptr, &root, nullptr, true, false, true);
  view.Chevron = &chevron;
  view.AfterConstruction();
  view.SetChevronOffset(60);
  view.SetChevronSize(12);
  view.ValidatePositions();
  fw::Integer count = 0;
  view.GetAccObject()->get_accChildCount(count);
  EXPECT_EQ(count, 6) << "five buttons, some off edge, and the chevron";
  bool someInvisible = false;
  for (int i = 0; i < 5; ++i)
    if (view.Viewers(i)->OffEdge()) {
      someInvisible = true;
      EXPECT_TRUE(State(ViewerAccObject(view.Viewers(i))) & STATE_SYSTEM_INVISIBLE);
    }
  EXPECT_TRUE(someInvisible);
}

// Through a popup menu's loop: names of popups, default actions, actions posted for later.
class MenuAccessibility : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    Pump();
    menu = new TTBPopupMenu(nullptr);
    more = new StyledItem(menu, "&More", tbisSubmenu);
    menu->Items()->Add(more);
    inner = new StyledItem(menu, "&Inner");
    more->Add(inner);
    go = new StyledItem(menu, "&Go");
    go->OnClick = [this](TObject*) { ++clicks; };
    menu->Items()->Add(go);
  }
  void TearDown() override {
    delete menu;
    ToolbarsTest::TearDown();
  }
  win::HWND owner = nullptr;
  TTBPopupMenu* menu = nullptr;
  TTBCustomItem *more = nullptr, *inner = nullptr, *go = nullptr;
  int clicks = 0;
};

TEST_F(MenuAccessibility, DefaultActionsAndNames) {
  fw::WideString moreAction, goAction, submenuName, closeAction;
  HRESULT executed = E_FAIL;
  desktop->script([&] {
    TTBView* v = Popups()[0]->View();
    ViewerAccObject(v->Find(more))->get_accDefaultAction(CHILDID_SELF, moreAction);
    ViewerAccObject(v->Find(go))->get_accDefaultAction(CHILDID_SELF, goAction);
    v->SetSelected(v->Find(more));
    v->OpenChildPopup(false);
    ViewerAccObject(v->Find(more))->get_accDefaultAction(CHILDID_SELF, closeAction);
    v->OpenViewerView()->GetAccObject()->get_accName(CHILDID_SELF, submenuName);
    // On the open item the default action closes its submenu.
    ViewerAccObject(v->Find(more))->accDoDefaultAction(CHILDID_SELF);
    EXPECT_EQ(v->OpenViewer(), nullptr);
    executed = ViewerAccObject(v->Find(go))->accDoDefaultAction(CHILDID_SELF);
    EXPECT_EQ(clicks, 0) << "queued, not run inside the call";
  });
  menu->Popup(100, 100);
  Pump();
  EXPECT_EQ(moreAction, u"Open");
  EXPECT_EQ(goAction, u"Execute");
  EXPECT_EQ(closeAction, u"Close");
  EXPECT_EQ(submenuName, u"More");
  EXPECT_EQ(executed, S_OK);
  EXPECT_EQ(clicks, 1) << "the queued execute chose the item, whose click ran after the loop";
}

TEST_F(MenuAccessibility, ThePopupWindowDescribesItsItems) {
  win::AccessibleWindowInfo open, afterKey;
  win::HWND popup = nullptr;
  desktop->script([&] {
    popup = Popups()[0]->Handle();
    open = win::AccessibleInfoOf(popup);
    desktop->press_key(win::VK_END);
  });
  desktop->script([&] {
    afterKey = win::AccessibleInfoOf(popup);
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(open.role, win::ROLE_SYSTEM_MENUPOPUP);
  EXPECT_TRUE(open.name.empty()) << "a popup menu of its own has no parent item to be named after";
  ASSERT_EQ(open.parts.size(), 2u);
  EXPECT_EQ(open.parts[0].name, u"More");
  EXPECT_EQ(open.parts[0].role, win::ROLE_SYSTEM_MENUITEM);
  EXPECT_TRUE(open.parts[0].state & win::STATE_SYSTEM_HASPOPUP);
  EXPECT_EQ(open.parts[1].name, u"Go");
  EXPECT_GT(open.parts[1].bounds.top, open.parts[0].bounds.top);
  EXPECT_GE(open.parts[0].bounds.left, 100) << "screen coordinates";
  ASSERT_EQ(afterKey.parts.size(), 2u);
  EXPECT_TRUE(afterKey.parts[1].state & win::STATE_SYSTEM_FOCUSED);
  EXPECT_TRUE(win::AccessibleInfoOf(popup).parts.empty()) << "a closed popup describes nothing";
  bool focusOnGo = false;
  for (auto& e : win::RecordedWinEvents())
    if (e.event == win::EVENT_OBJECT_FOCUS && e.hwnd == popup && e.idChild == 2) focusOnGo = true;
  EXPECT_TRUE(focusOnGo) << "the focus event names the part the description lists second";
}

TEST_F(MenuAccessibility, EventsOfTheLoop) {
  desktop->script([&] { desktop->press_key(win::VK_DOWN); });
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  menu->Popup(100, 100);
  bool focus = false;
  for (auto& e : win::RecordedWinEvents())
    if (e.event == win::EVENT_OBJECT_FOCUS && e.idObject == win::OBJID_CLIENT && e.idChild == 1) focus = true;
  EXPECT_TRUE(focus) << "selecting the first item by key tells its position";
}

}  // namespace
}  // namespace toolbars::testing
