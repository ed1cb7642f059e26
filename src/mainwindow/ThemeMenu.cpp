#include "mainwindow/ThemeMenu.h"

#include <memory>

#include "framework/StringList.h"
#include "mainwindow/MainWindowBars.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace workspace {

toolbars::TTBCustomItem* AddThemeMenu(toolbars::TTBCustomItem* Parent, fw::TComponent* Owner,
                                      std::function<void(const fw::String& Theme)> Chosen) {
  auto* menu = new TBarSubmenu(Owner);
  menu->SetName("ThemeMenu");
  menu->SetCaption(ThemeMenuCaption);
  Parent->Add(menu);
  fw::TStringList names;
  tx::GetRegisteredThemes(&names);
  for (fw::Integer i = 0; i < names.Count(); ++i) {
    auto* item = new TBarItem(Owner);
    const fw::String name = names.Strings(i);
    item->SetCaption(name);
    item->SetGroupIndex(1);
    item->OnClick = [menu, name, Chosen](fw::TObject*) {
      tx::SetCurrentTheme(name);
      CheckCurrentTheme(menu);
      if (Chosen) Chosen(tx::GetCurrentThemeName());
    };
    menu->Add(item);
  }
  // A switch made elsewhere shows as soon as the menu opens.
  menu->OnPopup = [menu](toolbars::TTBCustomItem*, bool) { CheckCurrentTheme(menu); };
  CheckCurrentTheme(menu);
  return menu;
}

void CheckCurrentTheme(toolbars::TTBCustomItem* ThemeMenu) {
  const fw::String current = tx::GetCurrentThemeName();
  for (fw::Integer i = 0; i < ThemeMenu->Count(); ++i)
    ThemeMenu->Items(i)->SetChecked(ThemeMenu->Items(i)->Caption() == current);
}

}  // namespace workspace
