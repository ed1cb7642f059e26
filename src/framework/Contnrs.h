#pragma once
// TList, a list of untyped pointers with a notification hook, and TObjectList, which can own
// the objects it holds.

#include <functional>
#include <vector>

#include "framework/Persistent.h"

namespace fw {

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

// A descendant that overrides Notify calls Clear() in its own destructor: by the time the base
// destructor runs, the override is gone.
class TList : public TObject {
 public:
  ~TList() override;

  Integer Add(void* Item);
  void Insert(Integer Index, void* Item);
  void Delete(Integer Index);
  // Index of the removed item, or -1.
  Integer Remove(void* Item);
  // Takes the item out without the lnDeleted notification (an owning list does not free it).
  void* Extract(void* Item);
  Integer IndexOf(const void* Item) const;
  void Exchange(Integer Index1, Integer Index2);
  void Move(Integer CurIndex, Integer NewIndex);
  void Sort(const TListSortCompare& Compare);
  // Drops the nil entries.
  void Pack();
  virtual void Clear();

  void* Items(Integer Index) const;
  void SetItems(Integer Index, void* Item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  Integer Count() const { return Integer(FList.size()); }
  // A smaller count drops items (notified); a larger one appends nils.
  void SetCount(Integer NewCount);
  Integer Capacity() const { return Integer(FList.capacity()); }
  void SetCapacity(Integer NewCapacity);

 protected:
  virtual void Notify(void* Ptr, TListNotification Action);
  [[noreturn]] static void Error(const char* Message, Integer Data);

 private:
  void CheckIndex(Integer Index) const;
  std::vector<void*> FList;
};

class TObjectList : public TList {
 public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;
  Integer Add(TObject* AObject) { return TList::Add(AObject); }
  TObject* Items(Integer Index) const { return static_cast<TObject*>(TList::Items(Index)); }
  Integer IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
  Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* AObject) { return static_cast<TObject*>(TList::Extract(AObject)); }
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  bool FOwnsObjects;
};

}  // namespace fw
