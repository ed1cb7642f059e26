#pragma once
// TCollection and TCollectionItem: a list of items of one class made by the collection itself,
// with identities, ordering and change notification; TOwnedCollection names its owner.

#include <functional>
#include <vector>

#include "framework/Persistent.h"

namespace fw {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Joins Collection (when given) at its end.
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (or out of any, with nullptr).
  void SetCollection(TCollection* Value);
  Integer ID() const { return FID; }
  Integer Index() const;
  virtual void SetIndex(Integer Value);
  virtual String DisplayName() const;
  TPersistent* GetOwner() override;

 protected:
  // Tells the collection (Update) unless it is being updated; AllItems asks for a full update.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  Integer FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// How a collection makes its items.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;
template <typename T>
TCollectionItemClass CollectionItemClass() {
  return [](TCollection* c) -> TCollectionItem* { return new T(c); };
}

class TCollection : public TPersistent {
 public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(Integer Index);
  void Delete(Integer Index);
  void Clear();
  // Items(i) raises EListError "List index out of bounds (%d)" outside 0..Count-1.
  TCollectionItem* Items(Integer Index) const;
  template <typename T>
  T* ItemsAs(Integer Index) const {
    return static_cast<T*>(Items(Index));
  }
  Integer Count() const { return Integer(FItems.size()); }
  TCollectionItem* FindItemID(Integer ID) const;
  Integer NextID() const { return FNextID; }
  const TCollectionItemClass& ItemClass() const { return FItemClass; }
  // Clears this collection and adds, for each item of Source, a new item assigned from it.
  void Assign(TPersistent* Source) override;

  virtual void BeginUpdate();
  virtual void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }
  TPersistent* GetOwner() override { return nullptr; }

 protected:
  // Called with the changed item, or nullptr when every item (or the list) changed.
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, Integer NewIndex);

  TCollectionItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  Integer FNextID = 0;
  Integer FUpdateCount = 0;
};

class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
      : TCollection(std::move(ItemClass)), FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

}  // namespace fw
