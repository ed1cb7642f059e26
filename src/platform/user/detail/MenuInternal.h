#pragma once
// Internal to the menu code: the objects behind HMENU handles. Every access holds the table's
// mutex (MenuLock); code that sends messages drops it first and looks menus up again afterwards,
// because a window procedure may change or destroy a menu while one is open.

#include <mutex>
#include <string>
#include <vector>

#include "platform/user/menus/MenuTypes.h"

namespace win::menu {

inline constexpr UINT kNoId = 0xFFFFFFFF;

struct Item {
  UINT type = MFT_STRING;  // MFT_ bits
  UINT state = 0;          // MFS_ bits
  UINT id = 0;
  HMENU subMenu = nullptr;
  HBITMAP checkedBitmap = nullptr;
  HBITMAP uncheckedBitmap = nullptr;
  ULONG_PTR data = 0;
  std::u16string text;
  HBITMAP bitmap = nullptr;  // hbmpItem, or the MFT_BITMAP picture
  // Layout: in the client area of the popup window showing it, or in the window coordinates of
  // the window whose bar shows it.
  RECT rect{};

  bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
  bool IsOwnerDraw() const { return (type & MFT_OWNERDRAW) != 0; }
  bool IsBitmap() const { return (type & MFT_BITMAP) != 0; }
  bool HasText() const { return !(type & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)); }
  bool IsDisabled() const { return (state & MFS_DISABLED) != 0; }
  // Can be highlighted by keys and the mouse.
  bool Selectable() const { return !IsSeparator(); }
};

struct MenuObj {
  bool popup = false;  // CreatePopupMenu; false for CreateMenu
  std::vector<Item> items;
  DWORD style = 0;
  UINT cyMax = 0;
  HBRUSH background = nullptr;
  DWORD helpId = 0;
  ULONG_PTR menuData = 0;
  // Where the layout in Item::rect is shown: an open popup menu window, or the window whose
  // menu bar this is (barHost).
  HWND popupWindow = nullptr;
  HWND barHost = nullptr;
  SIZE size{};  // last layout
};

std::mutex& MenuLock();
MenuObj* FindMenu(HMENU menu);  // lock held; null for a bad handle (no error set)
MenuObj* CheckMenu(HMENU menu); // lock held; sets ERROR_INVALID_MENU_HANDLE when bad

struct ItemRef {
  HMENU menu = nullptr;
  MenuObj* obj = nullptr;
  size_t index = 0;
  Item& item() const { return obj->items[index]; }
};
// Finds an item by position (in `menu` only) or by command (depth first through submenus).
// Lock held. False (and ERROR_MENU_ITEM_NOT_FOUND) when there is none.
bool Locate(HMENU menu, UINT item, bool byPosition, ItemRef* out);
// True when `sub` is `menu` or has it somewhere below it: making `sub` a submenu of `menu`
// would close a loop.
bool WouldCycle(HMENU menu, HMENU sub);
// Destroys a menu and its submenus. Lock held.
void DestroyTree(HMENU menu);
// Destroys a menu and its submenus except those still in use elsewhere: a submenu of a menu
// outside the tree, or one of `heldElsewhere` (menu bars of other windows), is kept with
// everything below it. Lock held.
void DestroyTreeKeepingShared(HMENU menu, const std::vector<HMENU>& heldElsewhere);

// The submenus leading from `root` to the item with command `id`: each step is the position of a
// submenu item and the submenu it opens. Takes the lock itself.
struct PathStep {
  int index = 0;
  HMENU subMenu = nullptr;
};
bool FindCommandPath(HMENU root, UINT id, std::vector<PathStep>* path);

// The MF_ flags of an item as GetMenuState reports them.
UINT ItemFlags(const Item& item);

}  // namespace win::menu
