#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/SysUtils.h"

namespace fw {
namespace {

class TPoint3 : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  int x = 0;
  void SetX(int v) {
    x = v;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* p = dynamic_cast<TPoint3*>(Source)) {
      x = p->x;
      return;
    }
    TCollectionItem::Assign(Source);
  }
};

class TWatchedCollection : public TOwnedCollection {
 public:
  explicit TWatchedCollection(TPersistent* owner) : TOwnedCollection(owner, CollectionItemClass<TPoint3>()) {}
  std::vector<TCollectionItem*> updates;
  std::vector<TCollectionNotification> notes;

 protected:
  void Update(TCollectionItem* Item) override { updates.push_back(Item); }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    notes.push_back(Action);
    TOwnedCollection::Notify(Item, Action);
  }
};

TEST(CollectionItems, AddInsertDeleteKeepIdsAndIndexes) {
  TComponent owner(nullptr);
  TWatchedCollection c(&owner);
  EXPECT_EQ(c.GetOwner(), &owner);
  auto* a = static_cast<TPoint3*>(c.Add());
  auto* b = static_cast<TPoint3*>(c.Add());
  auto* first = static_cast<TPoint3*>(c.Insert(0));
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Items(0), first);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(b->ID(), 1);
  EXPECT_EQ(first->ID(), 2);
  EXPECT_EQ(c.FindItemID(1), b);
  EXPECT_EQ(a->Collection(), &c);
  EXPECT_EQ(a->GetOwner(), &c);
  c.Delete(1);  // a
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.FindItemID(0), nullptr);
  EXPECT_EQ(c.Add()->ID(), 3);  // identities are never reused
  try {
    c.Items(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  b->SetIndex(0);
  EXPECT_EQ(c.Items(0), b);
  EXPECT_EQ(b->DisplayName(), "TPoint3");
}

TEST(CollectionItems, UpdatesAreBatchedAndNamedPerItem) {
  TWatchedCollection c(nullptr);
  auto* p = static_cast<TPoint3*>(c.Add());
  c.updates.clear();
  p->SetX(5);
  ASSERT_EQ(c.updates.size(), 1u);
  EXPECT_EQ(c.updates[0], p);
  c.updates.clear();
  c.BeginUpdate();
  p->SetX(6);
  c.Add();
  c.Add();
  EXPECT_TRUE(c.updates.empty());
  c.EndUpdate();
  ASSERT_EQ(c.updates.size(), 1u);
  EXPECT_EQ(c.updates[0], nullptr);
  c.notes.clear();
  c.Delete(0);
  EXPECT_EQ(c.notes, (std::vector<TCollectionNotification>{cnDeleting, cnExtracting}));
}

TEST(CollectionItems, AssignCopiesItemsAndItemsMoveBetweenCollections) {
  TWatchedCollection a(nullptr), b(nullptr);
  static_cast<TPoint3*>(a.Add())->x = 1;
  static_cast<TPoint3*>(a.Add())->x = 2;
  b.Add();
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(b.ItemsAs<TPoint3>(1)->x, 2);
  EXPECT_NE(b.Items(0), a.Items(0));
  TCollectionItem* moving = a.Items(0);
  moving->SetCollection(&b);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(b.Count(), 3);
  EXPECT_EQ(moving->Index(), 2);
  delete b.Items(0);  // an item freed alone leaves its collection
  EXPECT_EQ(b.Count(), 2);
  TComponent notACollection(nullptr);
  EXPECT_THROW(b.Assign(&notACollection), EConvertError);
}

}  // namespace
}  // namespace fw
