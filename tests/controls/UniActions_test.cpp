// Wide actions and their links to wide menu items and wide controls.
#include <gtest/gtest.h>

#include "controls/UniActions.h"
#include "controls/UniComboBox.h"
#include "controls/UniMenus.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/control_fixture.h"

namespace cs {
namespace {

using WideActionTest = fw::testing::ControlTest;

TEST_F(WideActionTest, WideCaptionReachesLinkedMenuItemsAndControls) {
  fw::TForm form(nullptr);
  TUniAction action(nullptr);
  action.SetCaption(u"Сохранить");
  action.SetHint(u"Сохранить|Записывает");
  auto* item = new TUniMenuItem(&form);
  item->SetAction(&action);
  auto* combo = new TUniComboBox(&form);
  combo->SetParent(&form);
  combo->SetAction(&action);
  EXPECT_EQ(item->Caption(), u"Сохранить");
  EXPECT_EQ(combo->Text(), u"Сохранить");
  EXPECT_EQ(combo->Hint(), u"Сохранить|Записывает");
  // A text the framework's form cannot hold (an unpaired surrogate) reaches the clients whole.
  const WideString wide(u"Сохранить \xD83D", 11);
  action.SetCaption(wide);
  EXPECT_EQ(action.Caption(), wide);
  EXPECT_EQ(item->Caption(), wide);
  EXPECT_EQ(combo->Text(), wide);  // its Unicode window holds the wide text whole
  action.SetHint(u"Новая ✓");
  EXPECT_EQ(item->Hint(), u"Новая ✓");
  EXPECT_EQ(combo->Hint(), u"Новая ✓");
  item->SetAction(nullptr);
  combo->SetAction(nullptr);
}

TEST_F(WideActionTest, ClientChangedIndependentlyIsNotUpdated) {
  fw::TForm form(nullptr);
  TUniAction action(nullptr);
  action.SetCaption(u"Открыть");
  auto* item = new TUniMenuItem(&form);
  item->SetAction(&action);
  item->SetCaption(u"Своё");
  action.SetCaption(u"Открыть…");
  EXPECT_EQ(item->Caption(), u"Своё");
  item->SetAction(nullptr);
}

TEST_F(WideActionTest, ActionChangeTakesTheCaptionWhenEmptyOrTheName) {
  fw::TForm form(nullptr);
  TUniAction action(nullptr);
  action.SetCaption(u"Печать");
  action.SetHint(u"Печатает");
  auto* named = new TUniComboBox(&form);
  named->SetParent(&form);
  named->SetName("Combo1");
  named->SetText(u"Combo1");
  named->SetHint(u"своя");
  form.BeginLoad();
  named->SetAction(&action);  // while loading: CheckDefaults
  form.EndLoad();
  EXPECT_EQ(named->Text(), u"Печать");
  EXPECT_EQ(named->Hint(), u"своя");  // a hint of its own stays
  named->SetAction(nullptr);
}

TEST_F(WideActionTest, PlainFrameworkActionPassesItsTextAndAssignCopiesWideTexts) {
  fw::TForm form(nullptr);
  fw::TAction plain(nullptr);
  plain.SetCaption("Обычное");
  auto* combo = new TUniComboBox(&form);
  combo->SetParent(&form);
  combo->SetAction(&plain);
  EXPECT_EQ(combo->Text(), u"Обычное");
  EXPECT_EQ(FindActionHelper(&plain), nullptr);
  EXPECT_EQ(WideActionCaption(&plain), u"Обычное");
  combo->SetAction(nullptr);
  TUniAction source(nullptr), copy(nullptr);
  source.SetCaption(u"Источник \U0001F600");
  source.SetHint(u"Подсказка");
  copy.Assign(&source);
  EXPECT_EQ(copy.Caption(), u"Источник \U0001F600");
  EXPECT_EQ(copy.Hint(), u"Подсказка");
  TUniAction fromControl(nullptr);
  combo->SetText(u"Из поля");
  fromControl.Assign(combo);
  EXPECT_EQ(fromControl.Caption(), u"Из поля");
  source.SetCaption(u"");
  EXPECT_EQ(source.Caption(), u"");
}

TEST(WideActionLinks, ClassesByControl) {
  fw::TButton button(nullptr);
  fw::TPanel panel(nullptr);
  fw::TLabel label(nullptr);
  std::unique_ptr<fw::TControlActionLink> b(WideActionLinkClass(&button)(&button));
  std::unique_ptr<fw::TControlActionLink> w(WideActionLinkClass(&panel)(&panel));
  std::unique_ptr<fw::TControlActionLink> c(WideActionLinkClass(&label)(&label));
  EXPECT_NE(dynamic_cast<TUniButtonActionLink*>(b.get()), nullptr);
  EXPECT_NE(dynamic_cast<TUniWinControlActionLink*>(w.get()), nullptr);
  EXPECT_EQ(dynamic_cast<TUniWinControlActionLink*>(c.get()), nullptr);
  EXPECT_NE(dynamic_cast<TUniControlActionLink*>(c.get()), nullptr);
}

}  // namespace
}  // namespace cs
