// The control set's multi-dock: its positions, the refusal to move while it holds a panel, and
// the client position in which every panel takes the dock's width.

#include "controls/CsMultiDock.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/control_fixture.h"
#include "tx/Tx.h"
#include "tx/TxDkPanels.h"

namespace {

using namespace cs;

class CsMultiDockTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tx::InitTx();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(20, 20, 500, 300);
    dock = new TCsMultiDock(form);
    form->Show();
  }
  void TearDown() override {
    delete form;
    tx::DoneTx();
    ControlTest::TearDown();
  }
  tx::TTxDockablePanel* NewPanel(fw::Integer Pos) {
    auto* p = new tx::TTxDockablePanel(form);
    p->SetDockPos(Pos);
    p->SetCurrentDock(dock);
    Pump();
    return p;
  }
  fw::TForm* form = nullptr;
  TCsMultiDock* dock = nullptr;
};

TEST_F(CsMultiDockTest, PositionsMapOntoDockSides) {
  const struct {
    TCsDockPosition Position;
    toolbars::TTBDockPosition Side;
    fw::TAlign Align;
  } cases[] = {
      {dpxLeft, toolbars::dpLeft, fw::alLeft},     {dpxRight, toolbars::dpRight, fw::alRight},
      {dpxBottom, toolbars::dpBottom, fw::alBottom}, {dpxClient, toolbars::dpLeft, fw::alClient},
      {dpxTop, toolbars::dpTop, fw::alTop},
  };
  EXPECT_EQ(dock->Position(), dpxTop);
  for (const auto& c : cases) {
    dock->SetPosition(c.Position);
    EXPECT_EQ(dock->Position(), c.Position);
    EXPECT_EQ(static_cast<toolbars::TTBDock*>(dock)->Position(), c.Side);
    EXPECT_EQ(dock->Align(), c.Align);
  }
}

TEST_F(CsMultiDockTest, APanelPinsThePosition) {
  dock->SetParent(form);
  NewPanel(0);
  try {
    dock->SetPosition(dpxLeft);
    FAIL() << "the position changed under a panel";
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot change Position of a TTBDock if it already contains controls");
  }
  EXPECT_EQ(dock->Position(), dpxTop);
}

TEST_F(CsMultiDockTest, AClientDockGivesEveryPanelItsWidth) {
  dock->SetPosition(dpxClient);
  dock->SetParent(form);
  Pump();
  auto* a = NewPanel(0);
  auto* b = NewPanel(1);
  Pump();
  EXPECT_EQ(dock->Width(), form->ClientWidth());
  for (auto* p : {a, b}) {
    EXPECT_EQ(p->Width(), dock->ClientWidth());
    EXPECT_EQ(p->Left(), 0);
  }
  EXPECT_EQ(a->Height() + b->Height(), dock->ClientHeight());
  form->SetBounds(20, 20, 640, 300);
  Pump();
  EXPECT_EQ(a->Width(), dock->ClientWidth()) << "and again when the form grows";
}

}  // namespace
