// Menu objects: the handle table, creation and destruction, lookups and the menu-wide settings.

#include "platform/user/menus/Menu.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "platform/kernel/LastError.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/services/SysHandleTable.h"

namespace win {
namespace menu {
namespace {

SysHandleTable<MenuObj>& Table() {
  static SysHandleTable<MenuObj> table(0x9);
  return table;
}

HMENU NewMenu(bool popup) {
  std::lock_guard lock(MenuLock());
  auto obj = std::make_unique<MenuObj>();
  obj->popup = popup;
  return reinterpret_cast<HMENU>(Table().Add(std::move(obj)));
}

bool LocateByCommand(HMENU menu, UINT id, ItemRef* out, int depth) {
  MenuObj* m = FindMenu(menu);
  // A menu may be shared by several parents, but never holds itself; the depth cap only guards
  // against a loop made behind our back.
  if (!m || depth > 64) return false;
  for (size_t i = 0; i < m->items.size(); ++i) {
    Item& it = m->items[i];
    if (it.subMenu) {
      if (LocateByCommand(it.subMenu, id, out, depth + 1)) return true;
    }
    if (it.id == id) {
      *out = ItemRef{menu, m, i};
      return true;
    }
  }
  return false;
}

bool Contains(HMENU tree, HMENU wanted, int depth) {
  if (tree == wanted) return true;
  MenuObj* m = FindMenu(tree);
  if (!m || depth > 64) return false;
  for (const Item& it : m->items)
    if (it.subMenu && Contains(it.subMenu, wanted, depth + 1)) return true;
  return false;
}

bool PathTo(HMENU menu, UINT id, std::vector<PathStep>* path, int depth) {
  MenuObj* m = FindMenu(menu);
  if (!m || depth > 64) return false;
  for (size_t i = 0; i < m->items.size(); ++i) {
    const Item& it = m->items[i];
    if (it.subMenu) {
      path->push_back(PathStep{int(i), it.subMenu});
      if (PathTo(it.subMenu, id, path, depth + 1)) return true;
      path->pop_back();
    }
    if (it.id == id) return true;
  }
  return false;
}

// Adds `menu` and every menu below it to `out`.
void CollectTree(HMENU menu, std::unordered_set<HMENU>* out) {
  if (!out->insert(menu).second) return;
  MenuObj* m = FindMenu(menu);
  if (!m) return;
  for (const Item& it : m->items)
    if (it.subMenu) CollectTree(it.subMenu, out);
}

}  // namespace

bool FindCommandPath(HMENU root, UINT id, std::vector<PathStep>* path) {
  std::lock_guard lock(MenuLock());
  path->clear();
  return PathTo(root, id, path, 0);
}

std::mutex& MenuLock() { return Table().Mutex(); }

MenuObj* FindMenu(HMENU menu) { return Table().Find(reinterpret_cast<uintptr_t>(menu)); }

MenuObj* CheckMenu(HMENU menu) {
  MenuObj* m = FindMenu(menu);
  if (!m) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return m;
}

bool Locate(HMENU menu, UINT item, bool byPosition, ItemRef* out) {
  MenuObj* m = CheckMenu(menu);
  if (!m) return false;
  if (byPosition) {
    if (item < m->items.size()) {
      *out = ItemRef{menu, m, item};
      return true;
    }
  } else if (LocateByCommand(menu, item, out, 0)) {
    return true;
  }
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return false;
}

bool WouldCycle(HMENU menu, HMENU sub) { return Contains(sub, menu, 0); }

void DestroyTree(HMENU menu) {
  std::unique_ptr<MenuObj> obj = Table().Remove(reinterpret_cast<uintptr_t>(menu));
  if (!obj) return;
  for (const Item& it : obj->items)
    if (it.subMenu) DestroyTree(it.subMenu);
}

void DestroyTreeKeepingShared(HMENU menu, const std::vector<HMENU>& heldElsewhere) {
  std::unordered_set<HMENU> tree;
  CollectTree(menu, &tree);
  std::unordered_set<HMENU> kept;
  for (HMENU h : heldElsewhere)
    if (tree.count(h)) CollectTree(h, &kept);
  Table().ForEach([&](uintptr_t value, const MenuObj& m) {
    if (tree.count(reinterpret_cast<HMENU>(value))) return;
    for (const Item& it : m.items)
      if (it.subMenu && tree.count(it.subMenu)) CollectTree(it.subMenu, &kept);
  });
  for (HMENU h : tree)
    if (!kept.count(h)) Table().Remove(reinterpret_cast<uintptr_t>(h));
}

UINT ItemFlags(const Item& item) {
  UINT flags = (item.type & ~MFT_RADIOCHECK) | item.state;
  if (item.subMenu) {
    int count = 0;
    if (MenuObj* sub = FindMenu(item.subMenu)) count = int(std::min<size_t>(sub->items.size(), 0xFF));
    return MF_POPUP | (UINT(count) << 8) | (flags & 0xFF);
  }
  return flags;
}

}  // namespace menu

using namespace menu;

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU hmenu) {
  std::lock_guard lock(MenuLock());
  if (!CheckMenu(hmenu)) return FALSE;
  DestroyTree(hmenu);
  return TRUE;
}

BOOL IsMenu(HMENU hmenu) {
  std::lock_guard lock(MenuLock());
  return FindMenu(hmenu) ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU hmenu) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = CheckMenu(hmenu);
  return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hmenu, int position) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = CheckMenu(hmenu);
  if (!m || position < 0 || size_t(position) >= m->items.size()) return kNoId;
  const Item& it = m->items[size_t(position)];
  return it.subMenu ? kNoId : it.id;
}

HMENU GetSubMenu(HMENU hmenu, int position) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = CheckMenu(hmenu);
  if (!m || position < 0 || size_t(position) >= m->items.size()) return nullptr;
  return m->items[size_t(position)].subMenu;
}

UINT GetMenuState(HMENU hmenu, UINT id, UINT flags) {
  std::lock_guard lock(MenuLock());
  ItemRef ref;
  if (!Locate(hmenu, id, (flags & MF_BYPOSITION) != 0, &ref)) return kNoId;
  return ItemFlags(ref.item());
}

int GetMenuStringW(HMENU hmenu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
  std::lock_guard lock(MenuLock());
  ItemRef ref;
  if (!Locate(hmenu, item, (flags & MF_BYPOSITION) != 0, &ref)) return 0;
  const Item& it = ref.item();
  const std::u16string empty;
  const std::u16string& text = it.HasText() ? it.text : empty;
  if (!buffer || maxCount <= 0) return int(text.size());
  size_t n = std::min(text.size(), size_t(maxCount - 1));
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return int(n);
}

BOOL SetMenuInfo(HMENU hmenu, const MENUINFO* info) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = CheckMenu(hmenu);
  if (!m) return FALSE;
  if (!info || info->cbSize != sizeof(MENUINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto apply = [info](MenuObj& target) {
    if (info->fMask & MIM_STYLE) target.style = info->dwStyle;
    if (info->fMask & MIM_MAXHEIGHT) target.cyMax = info->cyMax;
    if (info->fMask & MIM_BACKGROUND) target.background = info->hbrBack;
    if (info->fMask & MIM_HELPID) target.helpId = info->dwContextHelpID;
    if (info->fMask & MIM_MENUDATA) target.menuData = info->dwMenuData;
  };
  apply(*m);
  if (info->fMask & MIM_APPLYTOSUBMENUS) {
    std::vector<HMENU> pending;
    for (const Item& it : m->items)
      if (it.subMenu) pending.push_back(it.subMenu);
    std::vector<HMENU> seen{hmenu};
    while (!pending.empty()) {
      HMENU h = pending.back();
      pending.pop_back();
      if (std::find(seen.begin(), seen.end(), h) != seen.end()) continue;
      seen.push_back(h);
      MenuObj* sub = FindMenu(h);
      if (!sub) continue;
      apply(*sub);
      for (const Item& it : sub->items)
        if (it.subMenu) pending.push_back(it.subMenu);
    }
  }
  return TRUE;
}

BOOL GetMenuInfo(HMENU hmenu, MENUINFO* info) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = CheckMenu(hmenu);
  if (!m) return FALSE;
  if (!info || info->cbSize != sizeof(MENUINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (info->fMask & MIM_STYLE) info->dwStyle = m->style;
  if (info->fMask & MIM_MAXHEIGHT) info->cyMax = m->cyMax;
  if (info->fMask & MIM_BACKGROUND) info->hbrBack = m->background;
  if (info->fMask & MIM_HELPID) info->dwContextHelpID = m->helpId;
  if (info->fMask & MIM_MENUDATA) info->dwMenuData = m->menuData;
  return TRUE;
}

}  // namespace win
