#pragma once
// A modal dialog for editing a longer text over several lines, with the title templates of
// kind 1 (axis titles) or 2 (chart titles) in a "Заготовки" menu when asked for.

#include "framework/Forms.h"

namespace cs {
class TCsMemo;
}
namespace tx {
class TTxSubmenuItem;
}

namespace analysis {

class TwndEnterText : public fw::TForm {
 public:
  explicit TwndEnterText(fw::TComponent* AOwner);
  // Kind 1 or 2 adds the templates menu above the memo; a chosen template goes in at the caret.
  void SetTemplatesKind(int Kind);
  cs::TCsMemo* Memo1 = nullptr;
  tx::TTxSubmenuItem* itTemplates = nullptr;

 private:
  void FillTemplates(int Kind);
};

// Shows Text under Caption; on OK Text takes the edited text (Mode 2: as typed) and the result
// is true. TemplatesKind 0 shows no template menu, 1 and 2 the axis and chart title templates.
bool EnterText(const fw::String& Caption, fw::String& Text, int Mode, int TemplatesKind);

}  // namespace analysis
