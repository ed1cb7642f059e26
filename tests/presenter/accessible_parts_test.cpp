// A window that draws its own items describes them, and the desktop's accessibility sees them as
// the children of its native window; a focus event names the focused child.

#include <QAccessible>
#include <QWindow>

#include <memory>
#include <vector>

#include "PresenterFixture.h"
#include "platform/user/services/AccessibleParts.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "presenter/AccessibilityBridge.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;

struct Heard {
  QAccessible::Event type;
  QAccessible::Role role;
  QString name;
};
std::vector<Heard> gHeard;

void Record(QAccessibleEvent* e) {
  QAccessibleInterface* iface = e->accessibleInterface();
  gHeard.push_back({e->type(), iface ? iface->role() : QAccessible::NoRole,
                    iface ? iface->text(QAccessible::Name) : QString()});
}

class AccessiblePartsTest : public PresenterTest {
 protected:
  void SetUp() override {
    PresenterTest::SetUp();
    gHeard.clear();
    bridge_ = std::make_unique<presenter::AccessibilityBridge>(
        [](HWND top) { return Presenter().NativeWindowOf(top); }, Record);
  }
  void TearDown() override {
    bridge_.reset();
    PresenterTest::TearDown();
  }
  std::unique_ptr<presenter::AccessibilityBridge> bridge_;
};

TEST_F(AccessiblePartsTest, PartsAreChildrenOfTheNativeWindow) {
  HWND h = CreateProbe(u"kv menu", WS_POPUP | WS_VISIBLE, 0, 60, 60, 120, 60, RGB(200, 200, 200));
  ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(h) != nullptr; }));
  DWORD openState = 0;
  SetAccessibleInfoSource(h, [&] {
    AccessibleWindowInfo info;
    info.role = ROLE_SYSTEM_MENUPOPUP;
    info.name = u"File";
    info.parts.push_back({u"Open\tCtrl+O", ROLE_SYSTEM_MENUITEM, openState, RECT{63, 63, 177, 81}});
    info.parts.push_back({u"Recent", ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_HASPOPUP, RECT{63, 81, 177, 99}});
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
  ASSERT_EQ(gHeard.size(), 1u);
  EXPECT_EQ(gHeard[0].type, QAccessible::Focus);
  EXPECT_EQ(gHeard[0].role, QAccessible::MenuItem);
  EXPECT_EQ(gHeard[0].name, QString("Open\tCtrl+O"));
  EXPECT_TRUE(window->child(0)->state().focused);

  // Without a description the window has no children again.
  SetAccessibleInfoSource(h, nullptr);
  EXPECT_EQ(window->childCount(), 0);
  EXPECT_FALSE(recent->isValid());
  DestroyWindow(h);
}

}  // namespace
}  // namespace kvtest
