#pragma once
// The list of recently used file names (index 0 = the most recent, at most MaxItems), mirrored as
// the children of a hidden root item with numbered captions ("&1 name" ... "&9", "&A" ... "&Z").
// A menu shows them through an item linked to RootItem; choosing one moves it to the top and
// reports it through OnClick.

#include <functional>
#include <memory>

#include "framework/StringList.h"
#include "toolbars/TBItem.h"

namespace toolbars {

class TTBMRUList;

// The names, kept in step with the menu items: string i belongs to item i of the root item.
class TTBMRUListStrings : public fw::TStrings {
 public:
  explicit TTBMRUListStrings(TTBMRUList* AList);
  ~TTBMRUListStrings() override;
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  void Put(Integer Index, const String& S) override;
  void Clear() override;
  void Delete(Integer Index) override;
  // Compares as file names do here: case matters.
  Integer IndexOf(std::string_view S) const override;
  void Insert(Integer Index, const String& S) override;
  void Move(Integer CurIndex, Integer NewIndex) override;

 private:
  void Changed();
  TTBMRUList* FList;
  std::unique_ptr<fw::TStringList> FStrings;
};

using TTBMRUListClickEvent = std::function<void(TObject* Sender, const String& Filename)>;

class TTBMRUList : public TComponent {
 public:
  explicit TTBMRUList(TComponent* AOwner);
  ~TTBMRUList() override;

  // Puts Filename at the top (moving it there when present, with the new spelling).
  void Add(const String& Filename);
  TTBMRUListStrings* Items() const { return FItems.get(); }
  // Copies the names in, each inserted as by Add's Insert (captions rebuilt, MaxItems applied).
  void SetItems(fw::TStrings* Value);
  TTBCustomItem* RootItem() const { return FRootItem.get(); }

  bool AddFullPath() const { return FAddFullPath; }
  void SetAddFullPath(bool Value) { FAddFullPath = Value; }
  bool HidePathExtension() const { return FHidePathExtension; }
  void SetHidePathExtension(bool Value);
  Integer MaxItems() const { return FMaxItems; }
  // A negative value counts as 0.
  void SetMaxItems(Integer Value);
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }

  TNotifyEvent OnChange;
  TTBMRUListClickEvent OnClick;

  // ---- virtual operations, in the order subclasses rely on ----
  // Accelerator index of the first caption (0 = "1").
  virtual Integer GetFirstKey();
  // The class of the generated menu items.
  virtual TTBItemClass GetItemClass();
  virtual void RebuildItems();

 protected:
  friend class TTBMRUListStrings;
  void ItemClick(TObject* Sender);
  void NotifyChange();

  std::unique_ptr<TTBCustomItem> FRootItem;
  std::unique_ptr<TTBMRUListStrings> FItems;
  bool FAddFullPath = true;
  bool FHidePathExtension = true;
  Integer FMaxItems = 4;
  String FPrefix = "MRU";
  bool FRebuilding = false;
};

}  // namespace toolbars
