#include "analysis/WinEnterText.h"

#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "analysis/TemplatesMenu.h"
#include "controls/CsLists.h"
#include "tx/TxItems.h"
#include "tx/TxToolbar.h"

namespace analysis {

TwndEnterText::TwndEnterText(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndEnterText", "", 260, 140);
  Memo1 = new cs::TCsMemo(this);
  Memo1->SetName("Memo1");
  TDialogLayout::Place(Memo1, this, 4, 4, 252, 112);
  Memo1->SetText("");
  MakeOkCancel(this, 260, 140);
}

void TwndEnterText::SetTemplatesKind(int Kind) {
  if ((Kind != 1 && Kind != 2) || itTemplates) return;
  itTemplates = MakeSubmenuBar(this, "itTemplates", "Заготовки", {4, 2, 80, 15});
  TDialogLayout::Place(Memo1, this, 4, 20, 252, 96);
  FillTemplates(Kind);
}

void TwndEnterText::FillTemplates(int Kind) {
  FillTemplatesMenu(Kind, itTemplates, [this, Kind] {
    if (EditTemplates(Kind)) FillTemplates(Kind);
  }, [this](const std::string& Template) { Memo1->SetSelText(Template); });
}

bool EnterText(const fw::String& Caption, fw::String& Text, int Mode, int TemplatesKind) {
  auto window = std::make_unique<TwndEnterText>(fw::Application);
  window->SetCaption(Caption);
  window->SetTemplatesKind(TemplatesKind);
  window->Memo1->SetText(Text);
  if (window->ShowModal() != fw::mrOk) return false;
  Text = window->Memo1->Text();
  return true;
}

}  // namespace analysis
