#include "mainwindow/WinInfo.h"

#include <algorithm>
#include <memory>

#include "framework/StdCtrls.h"
#include "framework/StdCtrlsList.h"
#include "framework/StdCtrlsText.h"
#include "framework/StringList.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/services/SysMetrics.h"
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
  // Every line shows whole: the window widens to the longest one (within the screen).
  fw::Integer longest = 0;
  for (fw::Integer i = 0; i < lines->Count(); ++i)
    longest = std::max(longest, fw::MeasureControlText(FLines->Font(), lines->Strings(i),
                                                       win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx);
  const fw::Integer need = longest + 8 + win::GetSystemMetrics(win::SM_CXVSCROLL) + (Width() - FLines->ClientWidth());
  const fw::Integer screen = fw::Screen ? fw::Screen->Width() - 40 : need;
  if (need > Width()) SetWidth(std::min(need, screen));
}

void ShowInfoWindowModal(TPropSaver& Info) {
  std::unique_ptr<TwndInfo> window(new TwndInfo(fw::Application));
  window->ShowStore(Info);
  window->ShowModal();
}

}  // namespace workspace
