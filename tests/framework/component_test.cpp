#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HeadlessFixture.h"
#include "framework/ClassesUtilWindow.h"
#include "framework/Component.h"
#include "framework/Sets.h"
#include "framework/SysUtils.h"
#include "framework/Timer.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

std::vector<std::string> gLog;

class TProbe : public TComponent {
 public:
  explicit TProbe(TComponent* AOwner, std::string label = "") : TComponent(AOwner), label_(std::move(label)) {}
  ~TProbe() override {
    if (!label_.empty()) gLog.push_back("free " + label_);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && AComponent == Linked) Linked = nullptr;
    if (!label_.empty()) {
      gLog.push_back(label_ + (Operation == opInsert ? " insert " : " remove ") +
                     (AComponent ? AComponent->Name() : std::string("?")));
    }
    TComponent::Notification(AComponent, Operation);
  }
  void Loaded() override {
    gLog.push_back("loaded " + label_ + (ComponentState().Contains(csReading) ? " reading" : ""));
    TComponent::Loaded();
  }
  TComponent* Linked = nullptr;

 private:
  std::string label_;
};

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { gLog.clear(); }
};

TEST_F(ComponentTest, OwnerFreesOwnedComponentsLastInsertedFirst) {
  auto* owner = new TProbe(nullptr);
  new TProbe(owner, "a");
  new TProbe(owner, "b");
  new TProbe(owner, "c");
  EXPECT_EQ(owner->ComponentCount(), 3);
  gLog.clear();
  delete owner;
  std::vector<std::string> frees;
  for (auto& l : gLog) {
    if (l.rfind("free", 0) == 0) frees.push_back(l);
  }
  EXPECT_EQ(frees, (std::vector<std::string>{"free c", "free b", "free a"}));
}

TEST_F(ComponentTest, ComponentsIndexAndOwnerStayConsistent) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(a->Owner(), &owner);
  b->SetComponentIndex(0);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(a->ComponentIndex(), 1);
  EXPECT_THROW(owner.Components(2), EListError);
  try {
    owner.Components(-1);
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
  }
  delete a;  // freed alone: leaves its owner's list
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
}

TEST_F(ComponentTest, NamesAreValidatedAndUniqueAmongSiblings) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  EXPECT_EQ(owner.FindComponent("button1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  try {
    b->SetName("BUTTON1");
    FAIL() << "duplicate accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  EXPECT_EQ(b->Name(), "");
  try {
    b->SetName("1abc");
    FAIL() << "invalid identifier accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1abc' is not a valid component name");
  }
  a->SetName("button1");  // the same name in another case renames itself
  EXPECT_EQ(a->Name(), "button1");
  b->SetName("Button2");
  b->SetName("");  // unnamed components never collide
  auto* c = new TComponent(&owner);
  EXPECT_NO_THROW(c->SetName("Button2"));
  // Inserting a component whose name is taken is refused as well.
  TComponent other(nullptr);
  auto* d = new TComponent(&other);
  d->SetName("Button2");
  EXPECT_THROW(owner.InsertComponent(d), EComponentError);
  EXPECT_EQ(d->Owner(), &other);
}

TEST_F(ComponentTest, OwnerAndSiblingsAreToldOfInsertAndRemove) {
  TProbe owner(nullptr, "owner");
  auto* a = new TProbe(&owner, "a");
  a->SetName("A");
  gLog.clear();
  auto* b = new TComponent(nullptr);
  b->SetName("B");
  owner.InsertComponent(b);
  EXPECT_EQ(gLog, (std::vector<std::string>{"owner insert B", "a insert B"}));
  gLog.clear();
  owner.RemoveComponent(b);
  EXPECT_EQ(b->Owner(), nullptr);
  EXPECT_EQ(gLog, (std::vector<std::string>{"owner remove B", "a remove B"}));
  delete b;
}

TEST_F(ComponentTest, FreeNotificationClearsLinksBothWays) {
  TProbe form(nullptr);
  auto* user = new TProbe(&form);
  auto* target = new TProbe(nullptr);  // not owned by the same owner
  user->Linked = target;
  target->FreeNotification(user);
  delete target;
  EXPECT_EQ(user->Linked, nullptr);

  // The link works in the other direction too, and a removed link stays silent.
  auto* other = new TProbe(nullptr);
  other->Linked = user;
  user->FreeNotification(other);
  other->RemoveFreeNotification(user);
  auto* keep = other->Linked;
  delete user;
  EXPECT_EQ(other->Linked, keep);  // no notification after RemoveFreeNotification
  delete other;
}

TEST_F(ComponentTest, LinkedComponentFreedBeforeOwnerLeavesNoDanglingLink) {
  // Under the address sanitizer this fails if the owner keeps a pointer to the freed target.
  auto* a = new TProbe(nullptr);
  auto* b = new TProbe(nullptr);
  a->Linked = b;
  b->Linked = a;
  a->FreeNotification(b);
  b->FreeNotification(a);  // linking twice keeps one link
  delete b;
  EXPECT_EQ(a->Linked, nullptr);
  delete a;  // would reach the freed b if its link had survived
}

TEST_F(ComponentTest, DestroyingIsSetOnTheTreeBeforeChildrenGo) {
  bool destroying = false;
  struct TWatch : TComponent {
    TWatch(TComponent* owner, bool& flag) : TComponent(owner), flag_(flag) {}
    ~TWatch() override { flag_ = Owner() == nullptr && ComponentState().Contains(csDestroying); }
    bool& flag_;
  };
  auto* owner = new TComponent(nullptr);
  new TWatch(owner, destroying);
  delete owner;
  EXPECT_TRUE(destroying);
}

TEST_F(ComponentTest, BeginLoadDefersAndEndLoadCallsLoadedChildrenFirst) {
  TProbe form(nullptr, "form");
  auto* a = new TProbe(&form, "a");
  form.BeginLoad();
  EXPECT_TRUE(form.ComponentState().Contains(csLoading));
  EXPECT_TRUE(a->ComponentState().Contains(csLoading));
  auto* b = new TProbe(&form, "b");  // made while loading: loads too
  EXPECT_TRUE(b->ComponentState().Contains(csLoading));
  gLog.clear();
  form.EndLoad();
  EXPECT_EQ(gLog, (std::vector<std::string>{"loaded a", "loaded b", "loaded form"}));
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
  EXPECT_FALSE(b->ComponentState().Contains(csLoading));
  EXPECT_FALSE(form.ComponentState().Contains(csDesigning));
}

class TColorThing : public TPersistent {
 public:
  int color = 0;
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TColorThing*>(Source)) {
      color = s->color;
      return;
    }
    TPersistent::Assign(Source);
  }
};
class TOtherThing : public TPersistent {};

TEST_F(ComponentTest, AssignCopiesOrRaisesWithBothClassNames) {
  TColorThing a, b;
  a.color = 7;
  b.Assign(&a);
  EXPECT_EQ(b.color, 7);
  TOtherThing o;
  try {
    b.Assign(&o);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TOtherThing to a TColorThing");
  }
  try {
    o.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TOtherThing");
  }
  EXPECT_EQ(a.ClassName(), "TColorThing");
  EXPECT_TRUE(a.InheritsFrom<TPersistent>());
  EXPECT_FALSE(a.InheritsFrom<TComponent>());
}

class TRegisteredWidget : public TComponent {
 public:
  using TComponent::TComponent;
};

TEST_F(ComponentTest, ClassRegistryFindsByNameAndMakesOwnedInstances) {
  RegisterClass<TRegisteredWidget>();
  TPersistentClass cls = FindClass("tregisteredwidget");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->Name, "TRegisteredWidget");
  TComponent owner(nullptr);
  TPersistent* made = cls->Create(&owner);
  EXPECT_NE(dynamic_cast<TRegisteredWidget*>(made), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
  try {
    FindClass("TNoSuchClass");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
  }
  UnRegisterClassName("TRegisteredWidget");
  EXPECT_EQ(GetClass("TRegisteredWidget"), nullptr);
}

enum TTestFlag { tfA, tfB, tfC, tfLast = 63 };
TEST_F(ComponentTest, SetsBehaveAsSets) {
  TSet<TTestFlag> s{tfA, tfC};
  EXPECT_TRUE(s.Contains(tfA));
  EXPECT_FALSE(s.Contains(tfB));
  s.Include(tfLast);
  EXPECT_TRUE(s.Contains(tfLast));
  EXPECT_EQ(s - TSet<TTestFlag>(tfA), (TSet<TTestFlag>{tfC, tfLast}));
  EXPECT_EQ(s * (TSet<TTestFlag>{tfA, tfB}), TSet<TTestFlag>(tfA));
  EXPECT_TRUE(TSet<TTestFlag>(tfC).SubsetOf(s));
  EXPECT_FALSE(TSet<TTestFlag>(tfB).SubsetOf(s));
  EXPECT_TRUE((s + tfB).Contains(tfB));
  EXPECT_TRUE(TSet<TTestFlag>().Empty());
}

class ComponentDeferredFreeTest : public kvtest::HeadlessTest {};

TEST_F(ComponentDeferredFreeTest, ComponentFreedFromItsOwnEventHandlerGoesAfterTheHandler) {
  gLog.clear();
  TProbe watcher(nullptr);
  auto* timer = new TTimer(nullptr);
  watcher.Linked = timer;
  timer->FreeNotification(&watcher);
  int fired = 0;
  timer->SetInterval(50);
  timer->OnTimer = [&](TObject* sender) {
    ++fired;
    PostFree(static_cast<TComponent*>(sender));
    // Still whole after asking: the handler may go on using it.
    EXPECT_TRUE(static_cast<TTimer*>(sender)->Enabled());
  };
  desktop->advance(60);
  desktop->run_until_idle();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(watcher.Linked, nullptr);
  desktop->advance(200);
  desktop->run_until_idle();
  EXPECT_EQ(fired, 1);
}

TEST_F(ComponentDeferredFreeTest, PendingFreeIsDroppedWhenTheComponentGoesFirst) {
  auto* owner = new TComponent(nullptr);
  auto* child = new TProbe(owner, "child");
  PostFree(child);
  delete owner;  // frees the child now
  gLog.clear();
  desktop->run_until_idle();  // the posted free must not touch it again
  EXPECT_TRUE(gLog.empty());
}

TEST_F(ComponentDeferredFreeTest, HiddenWindowsDeliverToTheirMethodUntilDeallocated) {
  std::vector<win::UINT> seen;
  win::HWND wnd = AllocateHWnd([&](win::UINT msg, win::WPARAM w, win::LPARAM) -> win::LRESULT {
    seen.push_back(msg);
    return win::LRESULT(w * 2);
  });
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(AllocatedHWndAlive(wnd));
  EXPECT_FALSE(win::IsWindowVisible(wnd));
  EXPECT_EQ(win::SendMessageW(wnd, win::WM_USER + 5, 21, 0), 42);
  win::PostMessageW(wnd, win::WM_USER + 6, 0, 0);
  desktop->run_until_idle();
  EXPECT_EQ(seen, (std::vector<win::UINT>{win::WM_USER + 5, win::WM_USER + 6}));
  DeallocateHWnd(wnd);
  EXPECT_FALSE(AllocatedHWndAlive(wnd));
  EXPECT_FALSE(win::IsWindow(wnd));
  // A window that is not ours is never destroyed through DeallocateHWnd.
  win::HWND foreign = Create(0, {0, 0, 10, 10});
  DeallocateHWnd(foreign);
  EXPECT_TRUE(win::IsWindow(foreign));
  EXPECT_FALSE(AllocatedHWndAlive(foreign));
}

TEST_F(ComponentDeferredFreeTest, HiddenWindowOfAFormerDesktopCountsAsGone) {
  win::HWND wnd = AllocateHWnd([](win::UINT, win::WPARAM, win::LPARAM) -> win::LRESULT { return 0; });
  desktop.reset();
  desktop = std::make_unique<win::desktop::HeadlessDesktop>(800, 600);
  EXPECT_FALSE(AllocatedHWndAlive(wnd));
  DeallocateHWnd(wnd);
  // Deferred frees work on the new desktop too.
  auto* c = new TProbe(nullptr, "late");
  gLog.clear();
  PostFree(c);
  desktop->run_until_idle();
  EXPECT_EQ(gLog, (std::vector<std::string>{"free late"}));
}

}  // namespace
}  // namespace fw
