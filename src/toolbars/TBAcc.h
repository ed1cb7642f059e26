#pragma once
// Accessibility objects of menus and toolbars. Views and item viewers draw themselves and hold
// no standard controls, so assistive technology learns about them through these objects, made on
// demand: a view's object stands for the whole bar or popup (its children are the viewers), an
// item viewer's object for one button or menu entry. Each operation answers as the accessibility
// interface of the desktop does (S_OK, S_FALSE or an error code), so the answers can be handed on
// unchanged. An object may outlive its owner (a client still holds it): it then answers E_FAIL.

#include <cstdint>
#include <memory>

#include "framework/ClassesTypes.h"
#include "framework/GraphicsTypes.h"
#include "platform/user/services/AccessibleParts.h"
#include "platform/user/services/ObjectIds.h"

namespace toolbars {

class TTBView;
class TTBItemViewer;

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0, S_FALSE = 1, E_NOTIMPL = HRESULT(0x80004001), E_FAIL = HRESULT(0x80004005),
                         E_INVALIDARG = HRESULT(0x80070057), E_UNEXPECTED = HRESULT(0x8000FFFF),
                         DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003);

// Roles and states are the window system's (ROLE_SYSTEM_, STATE_SYSTEM_); navigation directions
// and selection flags, with the desktop's values:
inline constexpr fw::Integer NAVDIR_UP = 1, NAVDIR_DOWN = 2, NAVDIR_LEFT = 3, NAVDIR_RIGHT = 4, NAVDIR_NEXT = 5,
                             NAVDIR_PREVIOUS = 6, NAVDIR_FIRSTCHILD = 7, NAVDIR_LASTCHILD = 8;
inline constexpr fw::Integer SELFLAG_TAKEFOCUS = 1;
using win::CHILDID_SELF;
using win::ROLE_SYSTEM_MENUBAR, win::ROLE_SYSTEM_MENUPOPUP, win::ROLE_SYSTEM_MENUITEM, win::ROLE_SYSTEM_TOOLBAR;
using win::STATE_SYSTEM_UNAVAILABLE, win::STATE_SYSTEM_FOCUSED, win::STATE_SYSTEM_PRESSED, win::STATE_SYSTEM_CHECKED,
    win::STATE_SYSTEM_HOTTRACKED, win::STATE_SYSTEM_INVISIBLE, win::STATE_SYSTEM_FOCUSABLE, win::STATE_SYSTEM_HASPOPUP;

class TTBCustomAccObject;
using TTBAccRef = std::shared_ptr<TTBCustomAccObject>;

// What an operation hands back besides its result: an object, a child id, or nothing.
struct TTBAccVariant {
  TTBAccRef Object;       // set: that object
  bool IsChildId = false; // set: ChildId (CHILDID_SELF = the object asked)
  fw::Integer ChildId = 0;
  bool Empty() const { return !Object && !IsChildId; }
};

// The base of both objects; every operation takes the child asked about (only CHILDID_SELF
// except where noted).
class TTBCustomAccObject : public std::enable_shared_from_this<TTBCustomAccObject> {
 public:
  TTBCustomAccObject();
  virtual ~TTBCustomAccObject();
  TTBCustomAccObject(const TTBCustomAccObject&) = delete;
  TTBCustomAccObject& operator=(const TTBCustomAccObject&) = delete;

  // The owner dies: from now on the object answers E_FAIL.
  virtual void ClientIsDestroying() = 0;

  virtual HRESULT get_accParent(TTBAccVariant& Parent) = 0;
  virtual HRESULT get_accChildCount(fw::Integer& Count) = 0;
  virtual HRESULT get_accChild(fw::Integer Child, TTBAccVariant& Object) = 0;
  virtual HRESULT get_accName(fw::Integer Child, fw::WideString& Name) = 0;
  virtual HRESULT get_accValue(fw::Integer Child, fw::WideString& Value) = 0;
  virtual HRESULT get_accRole(fw::Integer Child, fw::Integer& Role) = 0;
  virtual HRESULT get_accState(fw::Integer Child, fw::Cardinal& State) = 0;
  virtual HRESULT get_accKeyboardShortcut(fw::Integer Child, fw::WideString& Shortcut) = 0;
  virtual HRESULT get_accFocus(TTBAccVariant& Focus) = 0;
  virtual HRESULT get_accDefaultAction(fw::Integer Child, fw::WideString& Action) = 0;
  virtual HRESULT accSelect(fw::Integer Flags, fw::Integer Child) = 0;
  virtual HRESULT accLocation(fw::Integer& Left, fw::Integer& Top, fw::Integer& Width, fw::Integer& Height,
                              fw::Integer Child) = 0;
  virtual HRESULT accNavigate(fw::Integer NavDir, fw::Integer Start, TTBAccVariant& End) = 0;
  virtual HRESULT accHitTest(fw::Integer X, fw::Integer Y, TTBAccVariant& Hit) = 0;
  virtual HRESULT accDoDefaultAction(fw::Integer Child) = 0;
  HRESULT put_accName(fw::Integer, const fw::WideString&) { return S_FALSE; }
  HRESULT put_accValue(fw::Integer, const fw::WideString&) { return S_FALSE; }
  // Neither a bar nor a button has a description, help text, help topic or selection of its
  // own: nothing and S_FALSE (E_FAIL once the owner is gone, E_INVALIDARG for another child).
  HRESULT get_accDescription(fw::Integer Child, fw::WideString& Description);
  HRESULT get_accHelp(fw::Integer Child, fw::WideString& Help);
  HRESULT get_accHelpTopic(fw::Integer Child, fw::WideString& HelpFile, fw::Integer& Topic);
  HRESULT get_accSelection(TTBAccVariant& Selection);

  // How many objects are alive (the list that shutdown would cut off).
  static fw::Integer LiveCount();

 protected:
  // S_OK for CHILDID_SELF while the owner lives.
  virtual HRESULT Check(fw::Integer Child) const = 0;
};

class TTBViewAccObject final : public TTBCustomAccObject {
 public:
  explicit TTBViewAccObject(TTBView* AView) : FView(AView) {}
  TTBView* View() const { return FView; }
  void ClientIsDestroying() override { FView = nullptr; }
  HRESULT get_accParent(TTBAccVariant& Parent) override;
  HRESULT get_accChildCount(fw::Integer& Count) override;
  HRESULT get_accChild(fw::Integer Child, TTBAccVariant& Object) override;
  HRESULT get_accName(fw::Integer Child, fw::WideString& Name) override;
  HRESULT get_accValue(fw::Integer Child, fw::WideString& Value) override;
  HRESULT get_accRole(fw::Integer Child, fw::Integer& Role) override;
  HRESULT get_accState(fw::Integer Child, fw::Cardinal& State) override;
  HRESULT get_accKeyboardShortcut(fw::Integer Child, fw::WideString& Shortcut) override;
  HRESULT get_accFocus(TTBAccVariant& Focus) override;
  HRESULT get_accDefaultAction(fw::Integer Child, fw::WideString& Action) override;
  HRESULT accSelect(fw::Integer Flags, fw::Integer Child) override;
  HRESULT accLocation(fw::Integer& Left, fw::Integer& Top, fw::Integer& Width, fw::Integer& Height,
                      fw::Integer Child) override;
  HRESULT accNavigate(fw::Integer NavDir, fw::Integer Start, TTBAccVariant& End) override;
  HRESULT accHitTest(fw::Integer X, fw::Integer Y, TTBAccVariant& Hit) override;
  HRESULT accDoDefaultAction(fw::Integer Child) override;

 private:
  HRESULT Check(fw::Integer Child) const override;
  TTBView* FView;
};

class TTBItemViewerAccObject final : public TTBCustomAccObject {
 public:
  explicit TTBItemViewerAccObject(TTBItemViewer* AViewer) : FViewer(AViewer) {}
  ~TTBItemViewerAccObject() override;
  TTBItemViewer* Viewer() const { return FViewer; }
  void ClientIsDestroying() override { FViewer = nullptr; }
  HRESULT get_accParent(TTBAccVariant& Parent) override;
  HRESULT get_accChildCount(fw::Integer& Count) override;
  HRESULT get_accChild(fw::Integer Child, TTBAccVariant& Object) override;
  HRESULT get_accName(fw::Integer Child, fw::WideString& Name) override;
  HRESULT get_accValue(fw::Integer Child, fw::WideString& Value) override;
  HRESULT get_accRole(fw::Integer Child, fw::Integer& Role) override;
  HRESULT get_accState(fw::Integer Child, fw::Cardinal& State) override;
  HRESULT get_accKeyboardShortcut(fw::Integer Child, fw::WideString& Shortcut) override;
  HRESULT get_accFocus(TTBAccVariant& Focus) override;
  HRESULT get_accDefaultAction(fw::Integer Child, fw::WideString& Action) override;
  HRESULT accSelect(fw::Integer Flags, fw::Integer Child) override;
  HRESULT accLocation(fw::Integer& Left, fw::Integer& Top, fw::Integer& Width, fw::Integer& Height,
                      fw::Integer Child) override;
  HRESULT accNavigate(fw::Integer NavDir, fw::Integer Start, TTBAccVariant& End) override;
  HRESULT accHitTest(fw::Integer X, fw::Integer Y, TTBAccVariant& Hit) override;
  HRESULT accDoDefaultAction(fw::Integer Child) override;

 private:
  HRESULT Check(fw::Integer Child) const override;
  bool CanActOn() const;
  TTBItemViewer* FViewer;
};

// The objects are this program's own: always available.
bool InitializeOleAcc();
// The child id that names the viewer in events and in its view's object: its position among the
// counted viewers (shown, clipped or off edge) plus one; CHILDID_SELF when not counted.
fw::Integer AccChildIdOf(TTBItemViewer* Viewer);
// The viewer's object (made on demand; it lives while someone holds it).
TTBAccRef ViewerAccObject(TTBItemViewer* Viewer);
// The name of the Alt key as shortcuts show it.
fw::WideString AltKeyName();
// The view's window can be acted on through accessibility.
bool IsAccessibleWindowAvailable(TTBView* View);
// The view as the window system describes windows to assistive technology: its role and its
// counted viewers (names, roles, states, screen rectangles). Popup windows install it as their
// window's accessible information.
win::AccessibleWindowInfo DescribeForAccessibility(TTBView* View);
// Runs a select or execute queued through accessibility (Execute: run the item, else only
// select it), if the viewer still exists.
void HandleAccSelect(TTBItemViewer* Viewer, bool Execute);

}  // namespace toolbars
