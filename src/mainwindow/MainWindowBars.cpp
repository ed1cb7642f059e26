#include "mainwindow/MainWindowBars.h"

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "toolbars/TBFloatingParent.h"

namespace workspace {

namespace {

using toolbars::TTBCustomItem;
using toolbars::TTBDockPosition;

constexpr const char* kDockNames[] = {"DockTop", "DockBottom", "DockLeft", "DockRight"};

fw::String WithKey(const fw::String& Caption, const fw::String& Key) {
  return Key.empty() ? Caption : Caption + "\t" + Key;
}

}  // namespace

TMainWindowBars::TMainWindowBars(fw::TForm* Form) : FForm(Form) {
  for (TTBDockPosition p : {toolbars::dpTop, toolbars::dpBottom, toolbars::dpLeft, toolbars::dpRight}) {
    auto* dock = new TBarDock(Form);
    dock->SetName(kDockNames[p]);
    dock->SetPosition(p);
    dock->SetFixAlign(true);
    dock->SetParent(Form);
    FDocks[p] = dock;
  }
}

void TMainWindowBars::KeepDocksAtTheEdges() {
  // Controls aligned to one side keep the order of their places: a place just past the edge puts
  // the dock before every other, and the line it keeps while empty keeps it there.
  FDocks[toolbars::dpLeft]->SetLeft(-1);
  FDocks[toolbars::dpRight]->SetLeft(FForm->ClientWidth() + 1);
}

std::vector<toolbars::TTBDock*> TMainWindowBars::Docks() const { return {FDocks, FDocks + 4}; }

std::vector<toolbars::TTBCustomDockableWindow*> TMainWindowBars::DockableWindows() const {
  return {FToolbars.begin(), FToolbars.end()};
}

TBar* TMainWindowBars::Toolbar(std::string_view Name) const {
  for (TBar* bar : FToolbars)
    if (bar->Name() == Name) return bar;
  return nullptr;
}

TBar* TMainWindowBars::AddMenuBar() {
  auto* bar = new TBar(FForm);
  bar->AfterConstruction();
  bar->SetName("MainMenuBar");
  bar->SetCaption("Главное меню");
  bar->SetMenuBar(true);
  bar->SetCloseButton(false);
  bar->SetFullSize(true);
  bar->SetShrinkMode(toolbars::tbsmWrap);
  bar->SetDockRow(0);
  bar->SetDockPos(0);
  bar->SetCurrentDock(FDocks[toolbars::dpTop]);
  // Keys pressed while a floating toolbar of the form is active: the form does not see them, so
  // they reach its key table from here. With the form itself active its key handler runs them.
  bar->OnShortCut = [this](fw::TMessage& Message, bool& Handled) {
    fw::TCustomForm* active = fw::Screen ? fw::Screen->ActiveForm() : nullptr;
    auto* floating = dynamic_cast<toolbars::TTBFloatingWindowParent*>(active);
    if (!floating || floating->ParentForm() != FForm || !OnFloatingShortCut) return;
    const fw::TShortCut key =
        fw::ShortCut(fw::Word(Message.WParam), fw::KeyDataToShiftState(Message.LParam));
    Handled = OnFloatingShortCut(key);
  };
  FMenuBar = bar;
  FToolbars.push_back(bar);
  return bar;
}

TTBCustomItem* TMainWindowBars::AddMenu(const char* Caption, const std::vector<fw::TAction*>& Actions,
                                        TTBCustomItem* Parent) {
  if (!Parent) Parent = FMenuBar->Items();
  auto* menu = new TBarSubmenu(FForm);
  menu->SetCaption(Caption);
  Parent->Add(menu);
  for (fw::TAction* action : Actions) {
    if (action)
      AddCommand(menu, action, true);
    else
      AddSeparator(menu);
  }
  return menu;
}

TBar* TMainWindowBars::AddToolbar(const char* Name, const char* Caption, TTBDockPosition Position, int Row,
                                  const std::vector<fw::TAction*>& Actions) {
  auto* bar = new TBar(FForm);
  bar->AfterConstruction();
  bar->SetName(Name);
  bar->SetCaption(Caption);
  // Docked as well as floating, each button names itself in a hint.
  bar->SetShowHint(true);
  // Too little room hides the last buttons first.
  bar->SetChevronPriorityForNewItems(toolbars::tbcpLowest);
  for (fw::TAction* action : Actions) {
    if (action)
      AddCommand(bar->Items(), action, false);
    else
      AddSeparator(bar->Items());
  }
  // After the toolbars already in the row: a wanted place just past theirs, which the dock
  // turns into the place right after them.
  fw::Integer pos = 0;
  for (TBar* other : FToolbars)
    if (other->CurrentDock() == FDocks[Position] && other->DockRow() == Row) pos = std::max(pos, other->DockPos() + 1);
  bar->SetDockRow(Row);
  bar->SetDockPos(pos);
  bar->SetCurrentDock(FDocks[Position]);
  FToolbars.push_back(bar);
  return bar;
}

TTBCustomItem* TMainWindowBars::AddCommand(TTBCustomItem* Parent, fw::TAction* Action, bool InMenu) {
  auto* item = new TBarItem(FForm);
  item->SetCaption(Action->Caption());
  item->SetImageIndex(Action->ImageIndex());
  item->OnClick = [Action](fw::TObject*) { Action->Execute(); };
  Parent->Add(item);
  FCommands.push_back({item, Action, InMenu});
  return item;
}

void TMainWindowBars::AddSeparator(TTBCustomItem* Parent) { Parent->Add(new TBarSeparator(FForm)); }

void TMainWindowBars::AddToolbarToggles(TTBCustomItem* Parent) {
  for (TBar* bar : FToolbars) {
    if (bar == FMenuBar) continue;
    auto* toggle = new TBarToggle(FForm);
    toggle->SetControl(bar);
    Parent->Add(toggle);
  }
  // The same toggles on a right click on any bar's frame or on a dock.
  FBarsMenu = new TBarPopupMenu(FForm);
  FBarsMenu->SetName("BarsPopupMenu");
  FBarsMenu->Items()->SetLinkSubitems(Parent);
  for (TBar* bar : FToolbars) bar->SetPopupMenu(FBarsMenu);
  for (TBarDock* dock : FDocks) dock->SetPopupMenu(FBarsMenu);
}

TBarRecentList* TMainWindowBars::AddRecentFiles(TTBCustomItem* Parent, fw::Integer Index) {
  FRecent = new TBarRecentList(FForm);
  FRecent->SetName("RecentFiles");
  auto* item = new TBarRecentItem(FForm);
  item->SetMRUList(FRecent);
  Parent->Insert(Index, item);
  return FRecent;
}

TTBCustomItem* TMainWindowBars::MenuItemOf(const fw::TAction* Action) const {
  for (const TCommand& c : FCommands)
    if (c.InMenu && c.Action == Action) return c.Item;
  return nullptr;
}

void TMainWindowBars::Refresh(const std::function<fw::String(const fw::TAction*)>& KeyText) {
  for (const TCommand& c : FCommands) {
    const fw::String key = KeyText ? KeyText(c.Action) : fw::String();
    if (c.InMenu) {
      c.Item->SetCaption(WithKey(c.Action->Caption(), key));
    } else {
      c.Item->SetCaption(c.Action->Caption());
      c.Item->SetHint(key.empty() ? c.Action->Caption() : c.Action->Caption() + " (" + key + ")");
    }
    c.Item->SetImageIndex(c.Action->ImageIndex());
    c.Item->SetEnabled(c.Action->Enabled());
    c.Item->SetChecked(c.Action->Checked());
  }
}

void TMainWindowBars::SetImages(fw::TCustomImageList* MenuImages, fw::TCustomImageList* ButtonImages) {
  for (TBar* bar : FToolbars) bar->SetImages(bar == FMenuBar ? MenuImages : ButtonImages);
}

}  // namespace workspace
