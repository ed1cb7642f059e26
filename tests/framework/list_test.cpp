#include <gtest/gtest.h>

#include <vector>

#include "framework/Contnrs.h"
#include "framework/SysUtils.h"
#include "strings_TestSupport.h"

namespace fw {
namespace {

class TRecordingList : public TList {
 public:
  std::vector<std::pair<void*, TListNotification>> log;

 protected:
  void Notify(void* Ptr, TListNotification Action) override { log.emplace_back(Ptr, Action); }
};

TEST(ListPointers, AddInsertDeleteMoveExchange) {
  int a = 1, b = 2, c = 3;
  TList list;
  list.Add(&a);
  list.Add(&c);
  list.Insert(1, &b);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(1), &b);
  list.Move(0, 2);
  EXPECT_EQ(list.First(), &b);
  EXPECT_EQ(list.Last(), &a);
  list.Exchange(0, 2);
  EXPECT_EQ(list.IndexOf(&a), 0);
  EXPECT_EQ(list.Remove(&c), 1);
  EXPECT_EQ(list.Remove(&c), -1);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(y) - *static_cast<int*>(x); });
  EXPECT_EQ(list.First(), &b);
  try {
    list.Items(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.Insert(5, &a), EListError);
  EXPECT_THROW(list.SetCapacity(1), EListError);
}

TEST(ListPointers, PackAndCount) {
  int a = 0;
  TList list;
  list.SetCount(3);
  list.SetItems(1, &a);
  EXPECT_EQ(list.Items(0), nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0), &a);
  list.SetCapacity(50);
  EXPECT_GE(list.Capacity(), 50);
  EXPECT_EQ(list.Count(), 1);
}

TEST(ListPointers, NotifySeesAddsDeletesAndExtracts) {
  int a = 0, b = 0;
  TRecordingList list;
  list.Add(&a);
  list.Add(&b);
  list.Extract(&a);
  list.Delete(0);
  list.Add(nullptr);  // nil entries are not notified
  ASSERT_EQ(list.log.size(), 4u);
  EXPECT_EQ(list.log[0], std::make_pair(static_cast<void*>(&a), lnAdded));
  EXPECT_EQ(list.log[2], std::make_pair(static_cast<void*>(&a), lnExtracted));
  EXPECT_EQ(list.log[3], std::make_pair(static_cast<void*>(&b), lnDeleted));
}


TEST(ListObjects, OwningListFreesDeletedButNotExtracted) {
  int freed = 0;
  auto* kept = new TCountedObject(freed);
  {
    TObjectList list;
    list.Add(new TCountedObject(freed));
    list.Add(kept);
    list.Add(new TCountedObject(freed));
    list.Delete(0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(list.Extract(kept), kept);
    EXPECT_EQ(freed, 1);
  }
  EXPECT_EQ(freed, 2);
  delete kept;
  int notOwned = 0;
  TCountedObject stack(notOwned);
  {
    TObjectList list(false);
    list.Add(&stack);
  }
  EXPECT_EQ(notOwned, 0);
}

}  // namespace
}  // namespace fw
