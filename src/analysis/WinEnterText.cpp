#include "analysis/WinEnterText.h"

#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "controls/CsLists.h"

namespace analysis {

TwndEnterText::TwndEnterText(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndEnterText", "", 260, 140);
  Memo1 = new cs::TCsMemo(this);
  Memo1->SetName("Memo1");
  TDialogLayout::Place(Memo1, this, 4, 4, 252, 112);
  Memo1->SetText("");
  MakeOkCancel(this, 260, 140);
}

bool EnterText(const fw::String& Caption, fw::String& Text, int Mode, int TemplatesKind) {
  auto window = std::make_unique<TwndEnterText>(fw::Application);
  window->SetCaption(Caption);
  window->Memo1->SetText(Text);
  if (window->ShowModal() != fw::mrOk) return false;
  Text = window->Memo1->Text();
  return true;
}

}  // namespace analysis
