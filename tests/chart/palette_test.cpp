#include <gtest/gtest.h>

#include "chart/Series.h"

using namespace chart;

namespace {

TEST(Palette, TwentyClassicColoursRepeating) {
  const TColor expected[20] = {fw::clRed,    fw::clGreen,  fw::clYellow, fw::clBlue,       fw::clWhite,
                               fw::clGray,   fw::clFuchsia, fw::clTeal,  fw::clNavy,       fw::clMaroon,
                               fw::clLime,   fw::clOlive,  fw::clPurple, fw::clSilver,     fw::clAqua,
                               fw::clBlack,  fw::clMoneyGreen, fw::clSkyBlue, fw::clCream, fw::clMedGray};
  for (int i = 0; i < 45; ++i) EXPECT_EQ(PlotDefaultPaletteColor(i), expected[i % 20]) << i;
  EXPECT_EQ(PlotDefaultPaletteColor(-1), expected[19]);
}

TEST(Palette, ColourEachPointWalksThePaletteByPointIndex) {
  TLineSeries s(nullptr);
  for (int i = 0; i < 41; ++i) s.Add(i);
  s.SetColorEachPoint(true);
  for (int i = 0; i < 41; ++i) EXPECT_EQ(s.ValueColor(i), PlotDefaultPaletteColor(i % 20)) << i;
  s.SetColorEachPoint(false);
  s.SetSeriesColor(fw::clTeal);
  EXPECT_EQ(s.ValueColor(7), fw::clTeal);
  s.SetSeriesColor(clTeeColor);  // not set again: the palette's first colour
  EXPECT_EQ(s.SeriesColor(), fw::clRed);
}

}  // namespace
