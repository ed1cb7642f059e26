// The window system's accessibility events reach Qt's accessibility on the native windows.

#include <QAccessible>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <vector>

#include "PresenterFixture.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/services/AccessibleParts.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "presenter/AccessibilityBridge.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;

struct QtHeard {
  QAccessible::Event type;
  QObject* object;
  QAccessible::Role role;
  QString name;
};
std::vector<QtHeard> gQtHeard;

AccessiblePart Part(std::u16string name, LONG role, DWORD state, RECT bounds) {
  AccessiblePart p;
  p.name = std::move(name);
  p.role = role;
  p.state = state;
  p.bounds = bounds;
  return p;
}

void Record(QAccessibleEvent* e) {
  QAccessibleInterface* iface = e->accessibleInterface();
  gQtHeard.push_back({e->type(), e->object(), iface ? iface->role() : QAccessible::NoRole,
                      iface ? iface->text(QAccessible::Name) : QString()});
}

// Qt's accessibility asks our factory for the object of each native window. The presenter's own
// bridge installs it, and a further bridge, made and ended, leaves it in place. These cases come
// first in the run, before any case makes a bridge of its own: the presenter's is then the only one.
using AccessibleWindowsTest = PresenterTest;

TEST_F(AccessibleWindowsTest, QtReadsOurWindowsOnceABridgeExistsAndAfterASecondOneEnded) {
  const struct {
    const char16_t* title;
    int bridgesBefore;  // made and ended before the window is read
  } table[] = {{u"kv first reader", 0}, {u"kv second reader", 1}, {u"kv third reader", 2}};
  for (const auto& row : table) {
    for (int i = 0; i < row.bridgesBefore; ++i)
      presenter::AccessibilityBridge([](HWND top) { return Presenter().NativeWindowOf(top); }, Record);
    // A new window each time: Qt keeps the object it made for a window.
    HWND h = CreateProbe(row.title, WS_POPUP | WS_VISIBLE, 0, 60, 60, 120, 40, RGB(200, 200, 200));
    ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(h) != nullptr; }));
    SetAccessibleInfoSource(h, [] {
      AccessibleWindowInfo info;
      info.role = ROLE_SYSTEM_TOOLBAR;
      info.name = u"Стандартная";
      info.parts.push_back(Part(u"Открыть", ROLE_SYSTEM_PUSHBUTTON, 0, RECT{62, 62, 90, 98}));
      return info;
    });
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Presenter().NativeWindowOf(h));
    ASSERT_NE(window, nullptr) << row.bridgesBefore;
    EXPECT_EQ(window->role(), QAccessible::ToolBar) << row.bridgesBefore;
    EXPECT_EQ(window->text(QAccessible::Name), QString("Стандартная")) << row.bridgesBefore;
    ASSERT_EQ(window->childCount(), 1) << row.bridgesBefore;
    EXPECT_EQ(window->child(0)->text(QAccessible::Name), QString("Открыть")) << row.bridgesBefore;
    SetAccessibleInfoSource(h, nullptr);
    DestroyWindow(h);
  }
}

class AccessibilityTest : public PresenterTest {
 protected:
  void SetUp() override {
    PresenterTest::SetUp();
    gQtHeard.clear();
    // A second bridge beside the presenter's, delivering to the test instead of to Qt (which
    // passes events on only while an assistive technology listens).
    bridge_ = std::make_unique<presenter::AccessibilityBridge>(
        [](HWND top) { return Presenter().NativeWindowOf(top); }, Record);
  }
  void TearDown() override {
    bridge_.reset();
    PresenterTest::TearDown();
  }
  std::unique_ptr<presenter::AccessibilityBridge> bridge_;
};

TEST_F(AccessibilityTest, EventsOfShownWindowsBecomeQtEventsOnTheirNativeWindow) {
  HWND h = CreateProbe(u"kv accessible probe", WS_POPUP | WS_VISIBLE, 0, 50, 50, 120, 80, RGB(0, 90, 0));
  // Events of a window not shown are dropped: wait until the native window shows.
  ASSERT_TRUE(PumpUntil([&] {
    QWindow* w = Presenter().NativeWindowOf(h);
    return w && w->isVisible();
  })) << "the probe's native window did not show";
  QWindow* native = Presenter().NativeWindowOf(h);
  const struct {
    DWORD event;
    QAccessible::Event type;
  } table[] = {
      {EVENT_SYSTEM_MENUSTART, QAccessible::MenuStart},       {EVENT_SYSTEM_MENUEND, QAccessible::MenuEnd},
      {EVENT_SYSTEM_MENUPOPUPSTART, QAccessible::PopupMenuStart},
      {EVENT_SYSTEM_MENUPOPUPEND, QAccessible::PopupMenuEnd}, {EVENT_OBJECT_FOCUS, QAccessible::Focus},
      {EVENT_OBJECT_NAMECHANGE, QAccessible::NameChanged},    {EVENT_OBJECT_STATECHANGE, QAccessible::StateChanged},
  };
  for (const auto& row : table) {
    gQtHeard.clear();
    NotifyWinEvent(row.event, h, OBJID_CLIENT, 2);
    ASSERT_EQ(gQtHeard.size(), 1u) << row.event;
    EXPECT_EQ(gQtHeard[0].type, row.type);
    EXPECT_EQ(gQtHeard[0].object, native);
    EXPECT_EQ(gQtHeard[0].role, QAccessible::Window);
    EXPECT_EQ(gQtHeard[0].name, QString("kv accessible probe"));
  }
  // A hidden window and an event without a Qt counterpart tell Qt nothing.
  gQtHeard.clear();
  NotifyWinEvent(0x4242, h, OBJID_CLIENT, CHILDID_SELF);
  ShowWindow(h, SW_HIDE);
  ASSERT_TRUE(PumpUntil([&] { return !native->isVisible(); }));
  NotifyWinEvent(EVENT_OBJECT_FOCUS, h, OBJID_CLIENT, CHILDID_SELF);
  EXPECT_TRUE(gQtHeard.empty());
}

TEST_F(AccessibilityTest, APopupMenuIsToldAsAPopupMenuFromItsStartToItsEnd) {
  HWND owner = CreateProbe(u"kv menu owner", WS_POPUP | WS_VISIBLE, 0, 200, 200, 200, 100, RGB(0, 0, 90));
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 7, u"Item");
  ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(owner) != nullptr; }));
  // End the menu once its window is on the desktop.
  SetTimer(owner, 1, 50, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  TrackPopupMenuEx(menu, TPM_RETURNCMD, 220, 220, owner, nullptr);
  KillTimer(owner, 1);
  DestroyMenu(menu);
  std::vector<QAccessible::Event> types;
  bool popupRole = false;
  for (const QtHeard& h : gQtHeard) {
    types.push_back(h.type);
    if (h.type == QAccessible::PopupMenuStart) popupRole = h.role == QAccessible::PopupMenu;
  }
  ASSERT_FALSE(types.empty());
  EXPECT_EQ(types.front(), QAccessible::MenuStart);
  EXPECT_EQ(types.back(), QAccessible::MenuEnd);
  EXPECT_NE(std::find(types.begin(), types.end(), QAccessible::PopupMenuStart), types.end());
  EXPECT_TRUE(popupRole);
}

// A window that draws its own items describes them: the native window lists them as children and a
// focus event names the focused one.
TEST_F(AccessibilityTest, DescribedPartsAreChildrenOfTheNativeWindow) {
  HWND h = CreateProbe(u"kv menu", WS_POPUP | WS_VISIBLE, 0, 60, 60, 120, 60, RGB(200, 200, 200));
  ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(h) != nullptr; }));
  DWORD openState = 0;
  SetAccessibleInfoSource(h, [&] {
    AccessibleWindowInfo info;
    info.role = ROLE_SYSTEM_MENUPOPUP;
    info.name = u"File";
    info.parts.push_back(Part(u"Open\tCtrl+O", ROLE_SYSTEM_MENUITEM, openState, RECT{63, 63, 177, 81}));
    info.parts.push_back(Part(u"Recent", ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_HASPOPUP, RECT{63, 81, 177, 99}));
    return info;
  });
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Presenter().NativeWindowOf(h));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::PopupMenu);
  EXPECT_EQ(window->text(QAccessible::Name), QString("File")) << "the description names the window";
  ASSERT_EQ(window->childCount(), 2);
  QAccessibleInterface* recent = window->child(1);
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->text(QAccessible::Name), QString("Recent"));
  EXPECT_EQ(recent->role(), QAccessible::MenuItem);
  EXPECT_TRUE(recent->state().hasPopup);
  EXPECT_EQ(recent->rect(), QRect(63, 81, 114, 18));
  EXPECT_EQ(recent->parent(), window);
  EXPECT_EQ(window->indexOfChild(recent), 1);
  EXPECT_EQ(window->child(1), recent) << "one interface per child";

  openState = STATE_SYSTEM_FOCUSED;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, h, OBJID_CLIENT, 1);
  ASSERT_EQ(gQtHeard.size(), 1u);
  EXPECT_EQ(gQtHeard[0].type, QAccessible::Focus);
  EXPECT_EQ(gQtHeard[0].role, QAccessible::MenuItem);
  EXPECT_EQ(gQtHeard[0].name, QString("Open\tCtrl+O"));
  EXPECT_TRUE(window->child(0)->state().focused);

  // Without a description the window has no children again.
  SetAccessibleInfoSource(h, nullptr);
  EXPECT_EQ(window->childCount(), 0);
  EXPECT_FALSE(recent->isValid());
  DestroyWindow(h);
}


// Every role a part answers reaches Qt as the role it means; one Qt has no word for is a plain
// window.
TEST_F(AccessibilityTest, EveryRoleOfAPartReachesQtAsTheRoleItMeans) {
  HWND h = CreateProbe(u"kv roles", WS_POPUP | WS_VISIBLE, 0, 60, 60, 300, 30, RGB(200, 200, 200));
  ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(h) != nullptr; }));
  const struct {
    LONG role;
    QAccessible::Role qt;
  } table[] = {
      {ROLE_SYSTEM_MENUBAR, QAccessible::MenuBar},        {ROLE_SYSTEM_MENUPOPUP, QAccessible::PopupMenu},
      {ROLE_SYSTEM_MENUITEM, QAccessible::MenuItem},      {ROLE_SYSTEM_TOOLBAR, QAccessible::ToolBar},
      {ROLE_SYSTEM_STATUSBAR, QAccessible::StatusBar},    {ROLE_SYSTEM_SEPARATOR, QAccessible::Separator},
      {ROLE_SYSTEM_STATICTEXT, QAccessible::StaticText},  {ROLE_SYSTEM_TEXT, QAccessible::EditableText},
      {ROLE_SYSTEM_PUSHBUTTON, QAccessible::Button},      {ROLE_SYSTEM_COMBOBOX, QAccessible::ComboBox},
      {ROLE_SYSTEM_SPINBUTTON, QAccessible::SpinBox},     {ROLE_SYSTEM_BUTTONMENU, QAccessible::ButtonMenu},
      {ROLE_SYSTEM_BUTTONDROPDOWNGRID, QAccessible::ButtonDropGrid},
      {ROLE_SYSTEM_WHITESPACE, QAccessible::Whitespace},  {ROLE_SYSTEM_CLIENT, QAccessible::Client},
      {0, QAccessible::Window},                           {4242, QAccessible::Window},
  };
  SetAccessibleInfoSource(h, [&] {
    AccessibleWindowInfo info;
    info.role = ROLE_SYSTEM_STATUSBAR;
    for (const auto& row : table) info.parts.push_back(Part(u"part", row.role, 0, RECT{62, 62, 80, 80}));
    return info;
  });
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Presenter().NativeWindowOf(h));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::StatusBar);
  ASSERT_EQ(window->childCount(), int(std::size(table)));
  for (int i = 0; i < window->childCount(); ++i) EXPECT_EQ(window->child(i)->role(), table[i].qt) << table[i].role;
  SetAccessibleInfoSource(h, nullptr);
  DestroyWindow(h);
}

// A described part is found under a point, and the actions its description offers (the default
// one with its keys, taking the focus) are done on request.
TEST_F(AccessibilityTest, DescribedPartsAnswerHitTestsAndDoTheirActions) {
  HWND h = CreateProbe(u"kv bar", WS_POPUP | WS_VISIBLE, 0, 60, 60, 200, 30, RGB(200, 200, 200));
  ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(h) != nullptr; }));
  int pressed = 0, focused = 0;
  SetAccessibleInfoSource(h, [&] {
    AccessibleWindowInfo info;
    info.role = ROLE_SYSTEM_TOOLBAR;
    AccessiblePart open = Part(u"Open", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, RECT{62, 62, 90, 88});
    open.shortcut = u"Alt+o";
    open.defaultAction = u"Press";
    open.doDefaultAction = [&] { return ++pressed > 0; };
    open.takeFocus = [&] { return ++focused > 0; };
    info.parts.push_back(open);
    AccessiblePart recent = Part(u"Recent", ROLE_SYSTEM_BUTTONMENU, 0, RECT{90, 62, 130, 88});
    recent.defaultAction = u"Open";
    recent.doDefaultAction = [] { return true; };
    info.parts.push_back(recent);
    info.parts.push_back(Part(u"Hidden", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, RECT{130, 62, 160, 88}));
    return info;
  });
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Presenter().NativeWindowOf(h));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->childAt(70, 70), window->child(0));
  EXPECT_EQ(window->childAt(100, 70), window->child(1));
  EXPECT_EQ(window->childAt(140, 70), nullptr) << "an invisible part is not hit";
  EXPECT_EQ(window->childAt(20, 20), nullptr);
  EXPECT_EQ(window->child(0)->childAt(70, 70), nullptr) << "a button has no parts of its own";

  QAccessibleActionInterface* open = window->child(0)->actionInterface();
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->actionNames(),
            (QStringList{QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::setFocusAction()}));
  EXPECT_EQ(open->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList{"Alt+o"});
  EXPECT_EQ(window->child(0)->text(QAccessible::Accelerator), QString("Alt+o"));
  open->doAction(QAccessibleActionInterface::pressAction());
  open->doAction(QAccessibleActionInterface::setFocusAction());
  open->doAction(QAccessibleActionInterface::showMenuAction());  // not offered: nothing
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(focused, 1);
  EXPECT_EQ(window->child(1)->actionInterface()->actionNames(),
            QStringList{QAccessibleActionInterface::showMenuAction()});
  EXPECT_TRUE(window->child(2)->actionInterface()->actionNames().isEmpty());
  SetAccessibleInfoSource(h, nullptr);
  DestroyWindow(h);
}

}  // namespace
}  // namespace kvtest
