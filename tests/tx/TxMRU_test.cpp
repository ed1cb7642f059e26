// Recent-files entries as themed items, the item that stands for them in a menu, and the item
// that shows and hides a control.

#include <memory>

#include "framework/ExtCtrls.h"
#include "framework/control_fixture.h"
#include "tx/Tx.h"
#include "tx/TxMRU.h"

namespace {

using namespace tx;

class MRUTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
  }
  void TearDown() override {
    DoneTx();
    ControlTest::TearDown();
  }
};

TEST_F(MRUTest, EntriesAreThemedAndNumberedFromTheKeyShift) {
  TTxMRUList list(nullptr);
  list.Add("/data/a.txt");
  list.Add("/data/b.txt");
  ASSERT_EQ(list.RootItem()->Count(), 2);
  EXPECT_NE(dynamic_cast<TTxItem*>(list.RootItem()->Items(0)), nullptr);
  const String before = list.RootItem()->Items(0)->Caption();
  list.SetKeyShift(-2);
  EXPECT_EQ(list.KeyShift(), 0);
  list.SetKeyShift(3);
  EXPECT_NE(list.RootItem()->Items(0)->Caption(), before);  // numbered from 4 now
  EXPECT_NE(list.RootItem()->Items(0)->Caption().find('4'), String::npos);
}

TEST_F(MRUTest, ListItemLinksTheEntriesAndForgetsAFreedList) {
  TTxMRUListItem item(nullptr);
  EXPECT_EQ(item.Caption(), "(Tx MRU List)");
  EXPECT_TRUE(item.ItemStyle() & toolbars::tbisEmbeddedGroup);
  auto list = std::make_unique<TTxMRUList>(nullptr);
  item.SetMRUList(list.get());
  EXPECT_EQ(item.LinkSubitems(), list->RootItem());
  list.reset();
  EXPECT_EQ(item.MRUList(), nullptr);
  EXPECT_EQ(item.LinkSubitems(), nullptr);
}

TEST_F(MRUTest, VisibilityToggleFollowsAndSwitchesItsControl) {
  auto panel = std::make_unique<fw::TPanel>(nullptr);
  panel->SetCaption("Data panel");
  panel->SetVisible(true);
  TTxVisibilityToggleItem item(nullptr);
  item.SetControl(panel.get());
  EXPECT_EQ(item.Caption(), "Data panel");
  EXPECT_TRUE(item.Checked());
  item.Click();
  EXPECT_FALSE(panel->Visible());
  item.InitiateAction();
  EXPECT_FALSE(item.Checked());
  panel.reset();  // a freed control is forgotten
  EXPECT_EQ(item.Control(), nullptr);
  item.Click();  // nothing to toggle
}

}  // namespace
