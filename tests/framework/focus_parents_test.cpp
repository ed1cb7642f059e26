// A control can take the focus only while it and every parent up to its form are visible and
// enabled: Tab passes over it and the form refuses it as the active control.

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

namespace fw::testing {
namespace {

class FocusBox : public TWinControl {
 public:
  explicit FocusBox(TComponent* AOwner) : TWinControl(AOwner) { FTabStop = true; }
};

enum class PanelState { Shown, Hidden, Disabled };

struct FocusCase {
  const char* name;
  PanelState panel;
  bool canFocus;
};

class FocusParentsTests : public ControlTest, public ::testing::WithParamInterface<FocusCase> {};

// first | panel[inner] | last, in that tab order, on a shown form with the focus on first.
TEST_P(FocusParentsTests, TabAndActiveControlFollowTheParentPanel) {
  const FocusCase& p = GetParam();
  TForm form(nullptr);
  auto* first = new FocusBox(&form);
  first->SetParent(&form);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* inner = new FocusBox(&form);
  inner->SetParent(panel);
  auto* last = new FocusBox(&form);
  last->SetParent(&form);
  panel->SetVisible(p.panel != PanelState::Hidden);
  panel->SetEnabled(p.panel != PanelState::Disabled);
  form.Show();
  form.SetActiveControl(first);
  Pump();

  EXPECT_EQ(inner->CanFocus(), p.canFocus);
  desktop->press_key(win::VK_TAB);
  AppPump();
  EXPECT_EQ(form.ActiveControl(), p.canFocus ? static_cast<TWinControl*>(inner) : last);
  if (p.canFocus) {
    EXPECT_NO_THROW(form.SetActiveControl(inner));
  } else {
    EXPECT_THROW(form.SetActiveControl(inner), EInvalidOperation);
  }
}

INSTANTIATE_TEST_SUITE_P(Panels, FocusParentsTests,
                         ::testing::Values(FocusCase{"shown", PanelState::Shown, true},
                                           FocusCase{"hidden", PanelState::Hidden, false},
                                           FocusCase{"disabled", PanelState::Disabled, false}),
                         [](const ::testing::TestParamInfo<FocusCase>& c) {
                           return std::string(c.param.name);
                         });

using FocusFormTests = ControlTest;

TEST_F(FocusFormTests, AControlOnAHiddenFormCannotTakeTheFocus) {
  TForm form(nullptr);
  auto* box = new FocusBox(&form);
  box->SetParent(&form);
  EXPECT_FALSE(box->CanFocus());
  form.Show();
  EXPECT_TRUE(box->CanFocus());
}

}  // namespace
}  // namespace fw::testing
