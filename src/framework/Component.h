#pragma once
// TComponent: named objects in an ownership tree. An owner frees what it owns (last inserted
// first); a component that goes away tells its owner's other components and every component
// linked to it by FreeNotification, so that no one keeps a dangling pointer.

#include <functional>
#include <string_view>
#include <vector>

#include "framework/Persistent.h"
#include "framework/Sets.h"

namespace fw {

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,  // never set: the program has no design time
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

// A derived class whose owned components refer back to it (a parent control, a form) calls
// DestroyComponents() in its own destructor, so they go while it is still whole; the base
// destructor frees whatever is left.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  Integer ComponentCount() const { return Integer(FComponents.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..ComponentCount-1.
  TComponent* Components(Integer Index) const;
  Integer ComponentIndex() const;
  void SetComponentIndex(Integer Value);
  // Owned component of that name (case-insensitive), or nullptr. An empty name finds nothing.
  TComponent* FindComponent(std::string_view AName) const;

  const String& Name() const { return FName; }
  // A valid identifier or empty, unique among the owner's components: EComponentError
  // "'%s' is not a valid component name" or "A component named %s already exists".
  virtual void SetName(const String& NewName);
  NativeInt Tag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, the last inserted first.
  void DestroyComponents();
  // Marks this component as going away (csDestroying), recursively for what it owns.
  void Destroying();

  // Links two components: each is told (Notification with opRemove) when the other is freed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Construction in code as a unit: between BeginLoad and EndLoad this component and every
  // component it owns (including ones created meanwhile) are in csLoading, so setters can defer
  // work; EndLoad then calls Loaded on the owned components in order of insertion and last on
  // this one.
  void BeginLoad();
  void EndLoad();

  // Another component was inserted into or removed from this one's owner (or this one), or a
  // component linked by FreeNotification is going away. Overrides clear their references and
  // call the base, which passes the news on to every owned component. A component being freed
  // has already run its derived destructors: compare the pointer, do not call into it.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Streaming: the components written after this one's properties, as its children (none in
  // the base), and, when a stream reads a child back, the component it was a child of (called
  // before the child's properties are read; nothing in the base).
  virtual void GetChildren(const std::function<void(TComponent* Child)>& Proc, TComponent* Root) {}
  virtual void SetParentComponent(TComponent* Value) {}
  // Whether the component is written as a child of another (GetParentComponent) rather than
  // of its owner; none in the base.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  // Moves Child to position Order among the children GetChildren lists (nothing in the base).
  virtual void SetChildOrder(TComponent* Child, Integer Order) {}

 protected:
  virtual void Loaded();
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  void SetLoading();

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void NotifyOwned(TComponent* AComponent, TOperation Operation);
  void LoadedTree();

  TComponent* FOwner = nullptr;
  String FName;
  NativeInt FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// A safe free from inside the component's own event handler: the component is deleted when the
// message loop next runs (a posted message to a hidden window). If it is freed earlier by other
// means, the pending free is dropped. Needs a window system (a desktop) on the calling thread.
void PostFree(TComponent* AComponent);
// Runs the frees posted so far at once (message loops call it through the posted message).
void ProcessPostedFrees();

}  // namespace fw
