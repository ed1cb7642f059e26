#pragma once
// A modal dialog for editing a longer text over several lines.

#include "framework/Forms.h"

namespace cs {
class TCsMemo;
}

namespace analysis {

class TwndEnterText : public fw::TForm {
 public:
  explicit TwndEnterText(fw::TComponent* AOwner);
  cs::TCsMemo* Memo1 = nullptr;
};

// Shows Text under Caption; on OK Text takes the edited text (Mode 2: as typed) and the result
// is true. Only TemplatesKind 0 (no template menu) is offered.
bool EnterText(const fw::String& Caption, fw::String& Text, int Mode, int TemplatesKind);

}  // namespace analysis
