// The theme menu: the registered themes in order with the current one checked, a click switching
// the theme once, rebuilding without side effects, and entries naming no registered theme.

#include <gtest/gtest.h>

#include <memory>

#include "controls/CsStatusBar.h"
#include "controls/CsThemeMenu.h"
#include "framework/Forms.h"
#include "framework/control_fixture.h"
#include "platform/kernel/TextConvert.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"

namespace cs {
namespace {

// Counts the theme switches it hears.
class TSwitchCounter : public fw::TObject {
 public:
  int Switches = 0;
  void Dispatch(fw::TMessage& M) override {
    if (M.Msg == tx::TXM_THEMECHANGE && M.WParam == tx::TSC_AFTER_CHANGE && M.LParam == 1) ++Switches;
  }
};

class CsThemeMenuTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tx::InitTx();
    for (const char* name : {"Zezio", "Aluminum"})
      if (!tx::IsThemeRegistered(name)) tx::RegisterTheme(name, &tx::ThemeClassOf<tx::TTxDefaultTheme>);
    tx::AddThemeChangeListener(&counter);
  }
  void TearDown() override {
    tx::RemoveThemeChangeListener(&counter);
    tx::SetCurrentTheme("Default");
    tx::DoneTx();
    ControlTest::TearDown();
  }
  // The captions of the generated entries in menu order, with "*" before the checked one.
  static std::vector<std::string> Entries(toolbars::TTBCustomItem* group) {
    std::vector<std::string> out;
    for (Integer i = 0; i < group->Count(); ++i) {
      toolbars::TTBCustomItem* it = group->Items(i);
      if (it->GroupIndex() != TCsRadioGroupItem::RadioGroupIndex) continue;
      out.push_back((it->Checked() ? "*" : "") + it->Caption());
    }
    return out;
  }
  toolbars::TTBCustomItem* EntryNamed(toolbars::TTBCustomItem* group, const std::string& caption) {
    for (Integer i = 0; i < group->Count(); ++i)
      if (group->Items(i)->Caption() == caption) return group->Items(i);
    return nullptr;
  }
  TSwitchCounter counter;
};

TEST_F(CsThemeMenuTest, ListsTheThemesDefaultFirstWithTheCurrentChecked) {
  TCsThemeGroupItem menu(nullptr);
  EXPECT_EQ(Entries(&menu), (std::vector<std::string>{"*Default", "Aluminum", "Zezio"}));
  tx::SetCurrentTheme("Zezio");
  menu.Recreate();
  EXPECT_EQ(Entries(&menu), (std::vector<std::string>{"Default", "Aluminum", "*Zezio"}));
}

TEST_F(CsThemeMenuTest, ClickSwitchesOnceTheCheckedEntryDoesNothing) {
  TCsThemeGroupItem menu(nullptr);
  int clicks = 0;
  fw::TObject* sender = nullptr;
  menu.OnClick = [&](fw::TObject* S) {
    ++clicks;
    sender = S;
  };
  EXPECT_EQ(counter.Switches, 0);  // making the menu switched nothing
  EntryNamed(&menu, "Default")->Click();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(counter.Switches, 0);
  toolbars::TTBCustomItem* aluminum = EntryNamed(&menu, "Aluminum");
  aluminum->Click();
  EXPECT_EQ(tx::GetCurrentThemeName(), "Aluminum");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(sender, aluminum);
  EXPECT_EQ(counter.Switches, 1);
  EXPECT_EQ(Entries(&menu), (std::vector<std::string>{"Default", "*Aluminum", "Zezio"}));
}

TEST_F(CsThemeMenuTest, RebuildingKeepsOneEntryPerThemeAndOtherItemsAndSwitchesNothing) {
  TCsThemeGroupItem menu(nullptr);
  auto* other = new TCsItem(&menu);
  other->SetCaption(u"Настроить...");
  menu.Add(other);
  int clicks = 0, updates = 0;
  menu.OnClick = [&](fw::TObject*) { ++clicks; };
  menu.OnUpdate = [&](fw::TObject*) { ++updates; };
  menu.Recreate();
  menu.Recreate();
  EXPECT_EQ(Entries(&menu), (std::vector<std::string>{"*Default", "Aluminum", "Zezio"}));
  EXPECT_EQ(menu.Count(), 4);
  EXPECT_EQ(menu.IndexOf(other), 3);
  EXPECT_EQ(updates, 2);
  EXPECT_EQ(clicks, 0);            // rebuilding chooses nothing
  EXPECT_EQ(counter.Switches, 0);  // nor remakes the current theme
}

TEST_F(CsThemeMenuTest, InsertIndexCaptionsAndStaleEntries) {
  TCsThemeGroupItem menu(nullptr);
  for (int i = 0; i < 2; ++i) {
    auto* fixed = new TCsItem(&menu);
    fixed->SetCaption(i == 0 ? u"Первый" : u"Второй");
    menu.Insert(0, fixed);
  }
  menu.SetInsertIndex(2);
  menu.OnGetCaption = [](fw::TObject*, WideString& name) {
    if (name == u"Default") name = u"Стандартная";
  };
  menu.Recreate();
  ASSERT_EQ(menu.Count(), 5);
  EXPECT_EQ(menu.Items(2)->Caption(), "Стандартная");
  EXPECT_TRUE(menu.Items(2)->Checked());

  int clicks = 0;
  menu.OnClick = [&](fw::TObject*) { ++clicks; };
  // An item whose Tag lies outside the list is ignored.
  menu.Items(3)->SetTag(99);
  menu.Items(3)->Click();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(menu.Items(2)->Checked());
  // An entry naming no registered theme switches nothing and leaves the check where it was.
  menu.Strings()->SetStrings(2, "Xito");
  menu.Items(4)->Click();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(counter.Switches, 0);
  EXPECT_EQ(tx::GetCurrentThemeName(), "Default");
  EXPECT_TRUE(menu.Items(2)->Checked());
  EXPECT_FALSE(menu.Items(4)->Checked());
}

TEST_F(CsThemeMenuTest, CurrentThemeNotListedChecksNothing) {
  struct TNarrowMenu : TCsThemeGroupItem {
    explicit TNarrowMenu(fw::TComponent* O) : TCsThemeGroupItem(O) { Recreate(); }
    void DoFillStrings() override {
      TCsThemeGroupItem::DoFillStrings();
      Strings()->Delete(Strings()->IndexOf("Default"));
      SetCheckedIndex(Strings()->IndexOf(tx::GetCurrentThemeName()));
    }
  } menu(nullptr);
  EXPECT_EQ(menu.CheckedIndex(), -1);
  EXPECT_EQ(Entries(&menu), (std::vector<std::string>{"Aluminum", "Zezio"}));
}

TEST_F(CsThemeMenuTest, TheEngineEndingWhileControlsListenIsHarmless) {
  auto* form = fw::Application->CreateForm<fw::TForm>();
  form->SetBounds(10, 10, 300, 200);
  auto* bar = new TCsStatusBar(form);
  bar->SetParent(form);
  form->Show();
  Pump();
  tx::RemoveThemeChangeListener(&counter);
  tx::DoneTx();  // the last end: the relay and its listener list go
  ASSERT_EQ(tx::Nexus, nullptr);
  EXPECT_EQ(GetEffectiveThemeType(thtTx), thtNone);
  delete bar;  // unregisters from nothing
  tx::InitTx();
  tx::AddThemeChangeListener(&counter);
  // A control made now listens to the new relay.
  const tx::Integer before = tx::Nexus->ListenerCount();
  auto* again = new TCsStatusBar(form);
  EXPECT_GT(tx::Nexus->ListenerCount(), before);
  delete again;
  EXPECT_EQ(tx::Nexus->ListenerCount(), before);
  delete form;
}

}  // namespace
}  // namespace cs
