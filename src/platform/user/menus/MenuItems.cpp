// Menu items: adding, changing and removing them, their descriptions and their check, enable
// and default states.

#include <algorithm>
#include <cstddef>

#include "platform/kernel/LastError.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace menu {
namespace {

inline constexpr UINT GMDI_USEDISABLED = 0x0001, GMDI_GOINTOPOPUPS = 0x0002;
inline constexpr UINT kStateMask = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;
inline constexpr UINT kOldInfoSize = UINT(offsetof(MENUITEMINFOW, hbmpItem));

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

// A submenu must be a live menu that does not contain `parent`.
bool SubMenuAllowed(HMENU parent, HMENU sub) {
  if (!sub) return true;
  if (!FindMenu(sub)) return Fail(ERROR_INVALID_MENU_HANDLE);
  if (WouldCycle(parent, sub)) return Fail(ERROR_INVALID_PARAMETER);
  return true;
}

// An item from the MF_ flags of AppendMenu, InsertMenu and ModifyMenu.
bool ItemFromFlags(HMENU parent, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem, Item* out) {
  Item it;
  if (flags & MF_SEPARATOR) {
    it.type = MFT_SEPARATOR;
  } else if (flags & MF_BITMAP) {
    it.type = MFT_BITMAP;
    it.bitmap = reinterpret_cast<HBITMAP>(const_cast<LPWSTR>(newItem));
  } else if (flags & MF_OWNERDRAW) {
    it.type = MFT_OWNERDRAW;
    it.data = reinterpret_cast<ULONG_PTR>(newItem);
  } else {
    it.type = MFT_STRING;
    if (newItem) it.text = newItem;
  }
  it.type |= flags & (MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
  it.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE);
  if (flags & MF_POPUP) {
    HMENU sub = reinterpret_cast<HMENU>(idNewItem);
    if (!sub || !SubMenuAllowed(parent, sub)) {
      if (!sub) SetLastError(ERROR_INVALID_MENU_HANDLE);
      return false;
    }
    it.subMenu = sub;
  }
  // A submenu item's command is its submenu handle, as callers that search by command expect.
  it.id = UINT(idNewItem);
  *out = std::move(it);
  return true;
}

bool InfoSizeOk(const MENUITEMINFOW* info) {
  return info && (info->cbSize == sizeof(MENUITEMINFOW) || info->cbSize == kOldInfoSize);
}

// A live menu and a record of a size this system knows.
bool InfoCallOk(HMENU hmenu, const MENUITEMINFOW* info) {
  if (!CheckMenu(hmenu)) return false;
  return InfoSizeOk(info) || Fail(ERROR_INVALID_PARAMETER);
}

bool InfoAllowed(HMENU parent, const MENUITEMINFOW& info) {
  // MIIM_TYPE is the old form of MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP; the two do not mix.
  if ((info.fMask & MIIM_TYPE) && (info.fMask & (MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP)))
    return Fail(ERROR_INVALID_PARAMETER);
  if (info.cbSize == kOldInfoSize && (info.fMask & MIIM_BITMAP)) return Fail(ERROR_INVALID_PARAMETER);
  if ((info.fMask & MIIM_SUBMENU) && !SubMenuAllowed(parent, info.hSubMenu)) return false;
  return true;
}

void ClearDefault(MenuObj& m) {
  for (Item& other : m.items) other.state &= ~MFS_DEFAULT;
}

void ApplyInfo(MenuObj& m, Item& it, const MENUITEMINFOW& info) {
  if (info.fMask & MIIM_TYPE) {
    it.type = info.fType;
    if (info.fType & MFT_BITMAP)
      it.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    else if (it.HasText())
      it.text = info.dwTypeData ? std::u16string(info.dwTypeData) : std::u16string();
  }
  if (info.fMask & MIIM_FTYPE) it.type = info.fType;
  if (info.fMask & MIIM_STRING) it.text = info.dwTypeData ? std::u16string(info.dwTypeData) : std::u16string();
  if (info.fMask & MIIM_BITMAP) it.bitmap = info.hbmpItem;
  if (info.fMask & MIIM_STATE) {
    if (info.fState & MFS_DEFAULT) ClearDefault(m);
    it.state = info.fState & kStateMask;
  }
  if (info.fMask & MIIM_ID) it.id = info.wID;
  if (info.fMask & MIIM_SUBMENU) it.subMenu = info.hSubMenu;
  if (info.fMask & MIIM_CHECKMARKS) {
    it.checkedBitmap = info.hbmpChecked;
    it.uncheckedBitmap = info.hbmpUnchecked;
  }
  if (info.fMask & MIIM_DATA) it.data = info.dwItemData;
}

void CopyText(const std::u16string& text, MENUITEMINFOW* info) {
  if (!info->dwTypeData || info->cch == 0) {
    info->cch = UINT(text.size());
    return;
  }
  size_t n = std::min(text.size(), size_t(info->cch - 1));
  std::copy_n(text.data(), n, info->dwTypeData);
  info->dwTypeData[n] = 0;
  info->cch = UINT(n);
}

// Where a new item goes: by position (past the end appends) or before the item with a command.
bool InsertionPoint(HMENU hmenu, UINT position, bool byPosition, ItemRef* out) {
  MenuObj* m = CheckMenu(hmenu);
  if (!m) return false;
  if (byPosition) {
    *out = ItemRef{hmenu, m, std::min<size_t>(position, m->items.size())};
    return true;
  }
  return Locate(hmenu, position, false, out);
}

bool Insert(HMENU hmenu, UINT position, bool byPosition, Item item) {
  ItemRef at;
  if (!InsertionPoint(hmenu, position, byPosition, &at)) return false;
  if (item.subMenu && WouldCycle(at.menu, item.subMenu)) return Fail(ERROR_INVALID_PARAMETER);
  if (item.state & MFS_DEFAULT) ClearDefault(*at.obj);
  at.obj->items.insert(at.obj->items.begin() + std::ptrdiff_t(at.index), std::move(item));
  return true;
}

bool Erase(HMENU hmenu, UINT position, UINT flags, bool destroySub) {
  ItemRef ref;
  if (!Locate(hmenu, position, (flags & MF_BYPOSITION) != 0, &ref)) return false;
  HMENU sub = ref.item().subMenu;
  ref.obj->items.erase(ref.obj->items.begin() + std::ptrdiff_t(ref.index));
  if (destroySub && sub) DestroyTree(sub);
  return true;
}

}  // namespace
}  // namespace menu

using namespace menu;

BOOL AppendMenuW(HMENU hmenu, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem) {
  return InsertMenuW(hmenu, kNoId, flags | MF_BYPOSITION, idNewItem, newItem);
}

BOOL InsertMenuW(HMENU hmenu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem) {
  std::lock_guard lock(MenuLock());
  if (!CheckMenu(hmenu)) return FALSE;
  Item item;
  if (!ItemFromFlags(hmenu, flags, idNewItem, newItem, &item)) return FALSE;
  return Insert(hmenu, position, (flags & MF_BYPOSITION) != 0, std::move(item)) ? TRUE : FALSE;
}

BOOL ModifyMenuW(HMENU hmenu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem) {
  std::lock_guard lock(MenuLock());
  ItemRef ref;
  if (!Locate(hmenu, position, (flags & MF_BYPOSITION) != 0, &ref)) return FALSE;
  Item item;
  if (!ItemFromFlags(ref.menu, flags, idNewItem, newItem, &item)) return FALSE;
  HMENU oldSub = ref.item().subMenu;
  item.rect = ref.item().rect;
  ref.item() = std::move(item);
  // The item owned its submenu; replacing it frees the old one.
  if (oldSub && oldSub != ref.item().subMenu) DestroyTree(oldSub);
  return TRUE;
}

BOOL InsertMenuItemW(HMENU hmenu, UINT position, BOOL byPosition, const MENUITEMINFOW* info) {
  std::lock_guard lock(MenuLock());
  if (!InfoCallOk(hmenu, info)) return FALSE;
  if (!InfoAllowed(hmenu, *info)) return FALSE;
  ItemRef at;
  if (!InsertionPoint(hmenu, position, byPosition != FALSE, &at)) return FALSE;
  if ((info->fMask & MIIM_SUBMENU) && info->hSubMenu && WouldCycle(at.menu, info->hSubMenu)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Item item;
  ApplyInfo(*at.obj, item, *info);
  at.obj->items.insert(at.obj->items.begin() + std::ptrdiff_t(at.index), std::move(item));
  return TRUE;
}

BOOL SetMenuItemInfoW(HMENU hmenu, UINT position, BOOL byPosition, const MENUITEMINFOW* info) {
  std::lock_guard lock(MenuLock());
  if (!InfoCallOk(hmenu, info)) return FALSE;
  ItemRef ref;
  if (!Locate(hmenu, position, byPosition != FALSE, &ref)) return FALSE;
  if (!InfoAllowed(ref.menu, *info)) return FALSE;
  ApplyInfo(*ref.obj, ref.item(), *info);
  return TRUE;
}

BOOL GetMenuItemInfoW(HMENU hmenu, UINT position, BOOL byPosition, MENUITEMINFOW* info) {
  std::lock_guard lock(MenuLock());
  if (!InfoCallOk(hmenu, info)) return FALSE;
  ItemRef ref;
  if (!Locate(hmenu, position, byPosition != FALSE, &ref)) return FALSE;
  const Item& it = ref.item();
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = it.type;
  if (info->fMask & MIIM_TYPE) {
    if (it.IsBitmap())
      info->dwTypeData = reinterpret_cast<LPWSTR>(it.bitmap);
    else if (it.HasText())
      CopyText(it.text, info);
    else
      info->cch = 0;
  }
  if (info->fMask & MIIM_STRING) CopyText(it.HasText() ? it.text : std::u16string(), info);
  if ((info->fMask & MIIM_BITMAP) && info->cbSize == sizeof(MENUITEMINFOW)) info->hbmpItem = it.bitmap;
  if (info->fMask & MIIM_STATE) info->fState = it.state;
  if (info->fMask & MIIM_ID) info->wID = it.id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = it.subMenu;
  if (info->fMask & MIIM_CHECKMARKS) {
    info->hbmpChecked = it.checkedBitmap;
    info->hbmpUnchecked = it.uncheckedBitmap;
  }
  if (info->fMask & MIIM_DATA) info->dwItemData = it.data;
  return TRUE;
}

BOOL RemoveMenu(HMENU hmenu, UINT position, UINT flags) {
  std::lock_guard lock(MenuLock());
  return Erase(hmenu, position, flags, false) ? TRUE : FALSE;
}

BOOL DeleteMenu(HMENU hmenu, UINT position, UINT flags) {
  std::lock_guard lock(MenuLock());
  return Erase(hmenu, position, flags, true) ? TRUE : FALSE;
}

DWORD CheckMenuItem(HMENU hmenu, UINT id, UINT check) {
  std::lock_guard lock(MenuLock());
  ItemRef ref;
  if (!Locate(hmenu, id, (check & MF_BYPOSITION) != 0, &ref)) return kNoId;
  Item& it = ref.item();
  DWORD previous = it.state & MF_CHECKED;
  it.state = (it.state & ~MFS_CHECKED) | (check & MF_CHECKED);
  return previous;
}

BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags) {
  std::lock_guard lock(MenuLock());
  bool byPosition = (flags & MF_BYPOSITION) != 0;
  if (first > last || check < first || check > last) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ItemRef ref;
  // By command, the group is the menu that holds `check`.
  if (!Locate(hmenu, check, byPosition, &ref)) return FALSE;
  MenuObj& m = *ref.obj;
  for (size_t i = 0; i < m.items.size(); ++i) {
    Item& it = m.items[i];
    UINT key = byPosition ? UINT(i) : it.id;
    if (key < first || key > last || it.subMenu) continue;
    if (i == ref.index) {
      it.type |= MFT_RADIOCHECK;
      it.state |= MFS_CHECKED;
    } else {
      it.state &= ~MFS_CHECKED;
    }
  }
  return TRUE;
}

BOOL EnableMenuItem(HMENU hmenu, UINT id, UINT enable) {
  std::lock_guard lock(MenuLock());
  ItemRef ref;
  if (!Locate(hmenu, id, (enable & MF_BYPOSITION) != 0, &ref)) return -1;
  Item& it = ref.item();
  BOOL previous = BOOL(it.state & (MF_GRAYED | MF_DISABLED));
  it.state = (it.state & ~UINT(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return previous;
}

BOOL SetMenuDefaultItem(HMENU hmenu, UINT item, UINT byPosition) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = CheckMenu(hmenu);
  if (!m) return FALSE;
  if (item == kNoId) {
    ClearDefault(*m);
    return TRUE;
  }
  // Only the menu's own items can be its default.
  for (size_t i = 0; i < m->items.size(); ++i) {
    if (byPosition ? i == item : m->items[i].id == item) {
      ClearDefault(*m);
      m->items[i].state |= MFS_DEFAULT;
      return TRUE;
    }
  }
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return FALSE;
}

UINT GetMenuDefaultItem(HMENU hmenu, UINT byPosition, UINT flags) {
  std::lock_guard lock(MenuLock());
  HMENU current = hmenu;
  for (int depth = 0; depth < 64; ++depth) {
    MenuObj* m = depth == 0 ? CheckMenu(current) : FindMenu(current);
    if (!m) return kNoId;
    auto it = std::find_if(m->items.begin(), m->items.end(), [](const Item& i) { return i.state & MFS_DEFAULT; });
    if (it == m->items.end()) return kNoId;
    if (it->IsDisabled() && !(flags & GMDI_USEDISABLED)) return kNoId;
    if ((flags & GMDI_GOINTOPOPUPS) && it->subMenu) {
      MenuObj* sub = FindMenu(it->subMenu);
      bool subHasDefault =
          sub && std::any_of(sub->items.begin(), sub->items.end(), [](const Item& i) { return i.state & MFS_DEFAULT; });
      if (subHasDefault) {
        current = it->subMenu;
        continue;
      }
    }
    return byPosition ? UINT(it - m->items.begin()) : it->id;
  }
  return kNoId;
}

BOOL HiliteMenuItem(HWND hwnd, HMENU hmenu, UINT item, UINT hilite) {
  HWND barHost = nullptr;
  {
    std::lock_guard lock(MenuLock());
    ItemRef ref;
    if (!Locate(hmenu, item, (hilite & MF_BYPOSITION) != 0, &ref)) return FALSE;
    Item& it = ref.item();
    it.state = (it.state & ~MFS_HILITE) | (hilite & MF_HILITE);
    barHost = ref.obj->barHost;
  }
  // A highlighted bar item shows at once.
  if (hwnd && hwnd == barHost && IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return TRUE;
}

}  // namespace win
