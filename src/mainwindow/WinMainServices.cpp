// The services the dialogs of the analysis and export libraries reach through the workspace's
// seams: the notice balloon, the information window, the current theme's form colour and the
// title template menus.

#include "analysis/TemplatesMenu.h"
#include "mainwindow/WinInfo.h"
#include "mainwindow/WinMain.h"
#include "toolbars/TBItem.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"
#include "tx/TxThemesTypes.h"
#include "workspace/Common.h"

namespace workspace {

namespace {

// Dialogs take the colour of the theme's toolbars: the themes with a colour of their own answer
// it there, the others (the default one among them) clBtnFace.
fw::TColor ThemeFormColor() { return tx::CurrentTheme ? tx::CurrentTheme->GetViewColor(tx::VT_TOOLBAR) : fw::clBtnFace; }

}  // namespace

void TwndKorvalinMain::InstallServices() {
  SetBalloonHintHandler([this](const fw::String& Title, const fw::String& Text, fw::Integer BalloonType) {
    ShowNotice(Title, Text, BalloonType);
  });
  SetInfoWindowHandler(ShowInfoWindowModal);
  SetThemeFormColorHandler(ThemeFormColor);
  SetTemplatesHandlers(
      [](int Kind, fw::TComponent* ParentItem, std::function<void()> OnEdit, TTemplateTextEvent OnTemplate) {
        if (auto* item = dynamic_cast<toolbars::TTBCustomItem*>(ParentItem))
          analysis::FillTemplatesMenu(Kind, item, std::move(OnEdit), std::move(OnTemplate));
      },
      analysis::EditTemplates);
}

void TwndKorvalinMain::RemoveServices() {
  SetBalloonHintHandler(nullptr);
  SetInfoWindowHandler(nullptr);
  SetThemeFormColorHandler(nullptr);
  SetTemplatesHandlers(nullptr, nullptr);
}

}  // namespace workspace
