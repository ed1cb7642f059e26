// The chart classes the data export unit makes known by name.

#include <gtest/gtest.h>

#include <memory>

#include "export/PlotStoreCharts.h"
#include "framework/Persistent.h"

namespace {

TEST(PlotStoreClasses, AreFoundByNameWhileRegistered) {
  kvexport::RegisterPlotStoreClasses();
  fw::TPersistentClass odbc = fw::GetClass("TODBCChart");
  ASSERT_NE(odbc, nullptr);
  std::unique_ptr<fw::TPersistent> made(odbc->Create(nullptr));
  EXPECT_NE(dynamic_cast<kvexport::TChartChart*>(made.get()), nullptr);
  EXPECT_NE(dynamic_cast<chart::TChart*>(made.get()), nullptr);
  EXPECT_EQ(made->ClassName(), "TODBCChart");
  ASSERT_NE(fw::GetClass("TChartChart"), nullptr);
  kvexport::UnRegisterPlotStoreClasses();
  EXPECT_EQ(fw::GetClass("TChartChart"), nullptr);
  EXPECT_EQ(fw::GetClass("TODBCChart"), nullptr);
}

}  // namespace
