#pragma once
// The main window's docks, menu bar and toolbars, made of the control set's dock, toolbar, items
// and popup menu. The recent-files list, the bar toggles and the graph toolbar's colour and spin
// fields are the themed engine's: the control set has no classes of its own for them. Every class
// the bars are made of is named here once (TBarDock .. TBarSpinEdit). The bars run the form's actions: menu items show the action's caption with its
// key, buttons its picture with the caption and key as hint; both follow its enabled and checked
// state on Refresh.

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/CsEditItems.h"
#include "controls/CsItems.h"
#include "controls/CsToolbars.h"
#include "framework/Menus.h"
#include "toolbars/TBDock.h"
#include "tx/TxExtItems.h"
#include "tx/TxMRU.h"
#include "tx/TxSpinEditItem.h"

namespace fw {
class TAction;
class TCustomImageList;
class TForm;
}  // namespace fw
namespace toolbars {
class TTBCustomDockableWindow;
class TTBCustomItem;
}  // namespace toolbars

namespace workspace {

using TBarDock = cs::TCsDock;
using TBar = cs::TCsToolbar;
using TBarItem = cs::TCsItem;
using TBarSubmenu = cs::TCsSubmenuItem;
using TBarSeparator = cs::TCsSeparatorItem;
using TBarPopupMenu = cs::TCsPopupMenu;
using TBarEdit = cs::TCsEditItem;
using TBarRecentList = tx::TTxMRUList;
using TBarRecentItem = tx::TTxMRUListItem;
using TBarToggle = tx::TTxVisibilityToggleItem;
using TBarColor = tx::TTxColorItem;
using TBarSpinEdit = tx::TTxSpinEditItem;

class TMainWindowBars {
 public:
  // The four docks on Form's edges, made now so that they sit outside what the form aligns later.
  explicit TMainWindowBars(fw::TForm* Form);

  TBarDock* Dock(toolbars::TTBDockPosition Position) const { return FDocks[Position]; }
  // The side docks back at the form's very edges, outside panels the form aligned to the same
  // side after the docks were made.
  void KeepDocksAtTheEdges();
  // Indexed by TTBDockPosition.
  std::vector<toolbars::TTBDock*> Docks() const;
  TBar* MenuBar() const { return FMenuBar; }
  // The menu bar and the toolbars, in the order they were made.
  const std::vector<TBar*>& Toolbars() const { return FToolbars; }
  std::vector<toolbars::TTBCustomDockableWindow*> DockableWindows() const;
  TBar* Toolbar(std::string_view Name) const;

  // The menu bar on the top dock, first row.
  TBar* AddMenuBar();
  // A drop-down menu of Actions (nullptr a separator) on Parent (the menu bar's items when null).
  toolbars::TTBCustomItem* AddMenu(const char* Caption, const std::vector<fw::TAction*>& Actions,
                                   toolbars::TTBCustomItem* Parent = nullptr);
  // A toolbar of buttons for Actions (nullptr a separator) on Position's dock, Row, after the
  // toolbars already there.
  TBar* AddToolbar(const char* Name, const char* Caption, toolbars::TTBDockPosition Position, int Row,
                   const std::vector<fw::TAction*>& Actions);
  // A command item for Action on Parent.
  toolbars::TTBCustomItem* AddCommand(toolbars::TTBCustomItem* Parent, fw::TAction* Action, bool InMenu);
  void AddSeparator(toolbars::TTBCustomItem* Parent);
  // Checked items that show and hide each toolbar (the menu bar stays), also the popup menu of
  // every bar and dock.
  void AddToolbarToggles(toolbars::TTBCustomItem* Parent);
  TBarPopupMenu* BarsMenu() const { return FBarsMenu; }
  // The recent-files list, its entries shown in Parent at Index.
  TBarRecentList* AddRecentFiles(toolbars::TTBCustomItem* Parent, fw::Integer Index);
  TBarRecentList* RecentFiles() const { return FRecent; }

  // The first menu item that runs Action; nullptr when no menu has one.
  toolbars::TTBCustomItem* MenuItemOf(const fw::TAction* Action) const;
  // Captions and hints with KeyText(Action) after a tab, enabled and checked from the actions.
  void Refresh(const std::function<fw::String(const fw::TAction*)>& KeyText);
  void SetImages(fw::TCustomImageList* MenuImages, fw::TCustomImageList* ButtonImages);

  // Keys pressed while one of the form's floating toolbars is active go to the form's key
  // table through this (true: a command ran).
  std::function<bool(fw::TShortCut)> OnFloatingShortCut;

 private:
  struct TCommand {
    toolbars::TTBCustomItem* Item;
    fw::TAction* Action;
    bool InMenu;
  };
  fw::TForm* FForm;
  TBarDock* FDocks[4] = {};
  TBar* FMenuBar = nullptr;
  std::vector<TBar*> FToolbars;
  std::vector<TCommand> FCommands;
  TBarRecentList* FRecent = nullptr;
  TBarPopupMenu* FBarsMenu = nullptr;
};

}  // namespace workspace
