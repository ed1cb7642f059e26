// The control set's track bar: owner-draw stages, the selection measured from Min, centre ticks
// and the window recreated between both and centre ticks.
#include <gtest/gtest.h>

#include "controls/CsTrackBar.h"
#include "framework/stdctrls_support.h"

namespace cs {
namespace {

class CsTrackBarTest : public fw::testing::StdCtrlsTest {};

TEST_F(CsTrackBarTest, SelectionCountsFromMin) {
  TCsTrackBar bar(nullptr);
  bar.SetMax(110);
  bar.SetMin(10);
  bar.SetSelStart(35);
  bar.SetSelEnd(60);
  // A channel of 102 pixels: 100 inside, one pixel per value.
  const fw::TRect sel = bar.SelectionRect({0, 0, 102, 6});
  EXPECT_EQ(sel.left, 1 + 25);
  EXPECT_EQ(sel.right, 1 + 50);
  bar.SetSelEnd(20);  // before the start: nothing
  EXPECT_EQ(bar.SelectionRect({0, 0, 102, 6}).right, 0);
}

TEST_F(CsTrackBarTest, MinAboveMaxIsKeptConsistent) {
  TCsTrackBar bar(nullptr);
  bar.SetMin(20);  // above the default Max of 10
  EXPECT_EQ(bar.Max(), 20);
  EXPECT_EQ(bar.SelectionRect({0, 0, 102, 6}).right, 0);  // empty range: no selection, no division
}

TEST_F(CsTrackBarTest, OwnerDrawStagesAndCentreTicks) {
  auto* bar = Add<TCsTrackBar>(10, 10, 200, 40);
  std::vector<std::string> stages;
  bar->OnDrawChannel = [&](fw::TObject*, fw::TCanvas*, fw::TRect&, TCsPaintStage stage, bool&) {
    stages.push_back(stage == pstPrePaint ? "channel-pre" : "channel-post");
  };
  bar->OnDrawThumb = [&](fw::TObject*, fw::TCanvas*, fw::TRect&, TCsPaintStage stage, bool& paintDefault) {
    stages.push_back(stage == pstPrePaint ? "thumb-pre" : "thumb-post");
  };
  int ticks = 0;
  bar->OnDrawChannelTics = [&](fw::TObject*, fw::TCanvas*, fw::Integer, fw::Integer, bool&) { ++ticks; };
  ShowForm();
  EXPECT_EQ(stages, (std::vector<std::string>{"channel-pre", "channel-post", "thumb-pre", "thumb-post"}));
  EXPECT_EQ(ticks, 0);
  bar->SetTickMarks(tmxBoth);
  Pump();
  const win::HWND before = bar->Handle();
  bar->SetTickMarks(tmxCenter);  // the same system style: the window is made again
  Pump();
  EXPECT_NE(bar->Handle(), before);
  EXPECT_EQ(ticks, 11);  // both ends and the nine positions between 0 and 10
}

}  // namespace
}  // namespace cs
