#include "mainwindow/WinInfo.h"

#include <memory>

#include "framework/StdCtrls.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "workspace/Common.h"
#include "workspace/PropSaver.h"

namespace workspace {

TwndInfo::TwndInfo(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetName("wndInfo");
  SetCaption("Информация");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poMainFormCenter);
  SetBounds(0, 0, 420, 320);
  SetColor(GetThemeFormColor());

  FOk = new fw::TButton(this);
  FOk->SetParent(this);
  FOk->SetCaption("OK");
  FOk->SetModalResult(fw::mrOk);
  FOk->SetDefault(true);
  FOk->SetAlign(fw::alBottom);
  FOk->SetHeight(28);

  FLines = new fw::TListBox(this);
  FLines->SetParent(this);
  FLines->SetAlign(fw::alClient);
}

void TwndInfo::ShowStore(const TPropSaver& Info) {
  fw::TStrings* lines = FLines->Items();
  lines->Clear();
  fw::TStringList sections;
  Info.ReadSections(&sections);
  for (fw::Integer s = 0; s < sections.Count(); ++s) {
    if (sections.Count() > 1) lines->Add("[" + sections.Strings(s) + "]");
    fw::TStringList values;
    Info.ReadSectionValues(sections.Strings(s), &values);
    for (fw::Integer i = 0; i < values.Count(); ++i) lines->Add(values.Names(i) + " = " + values.ValueFromIndex(i));
  }
}

void ShowInfoWindowModal(TPropSaver& Info) {
  std::unique_ptr<TwndInfo> window(new TwndInfo(fw::Application));
  window->ShowStore(Info);
  window->ShowModal();
}

}  // namespace workspace
