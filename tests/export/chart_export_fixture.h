#pragma once
// A fixture for the chart picture formats: a fresh application and, on request, the main chart
// with one red sine line and a title in the test font; a scratch folder for the files.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "export_test_files.h"
#include "framework/Forms.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "support/HeadlessFixture.h"

namespace exporttest {

class ChartExportTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
  }
  void TearDown() override {
    chart::MainChart = nullptr;
    chart_.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  // The main chart, Width x Height on white, its line Points samples of a sine Step apart.
  chart::TChart& MakeChart(int Width, int Height, int Points = 20, double Step = 0.5) {
    chart_ = std::make_unique<chart::TChart>(nullptr);
    chart_->SetBounds(0, 0, Width, Height);
    chart_->SetColor(fw::clWhite);
    chart_->Title()->SetText("Picture");
    chart_->Title()->Font()->SetName(win::WideToUtf8(win::kTestFontFace));
    auto* series = new chart::TLineSeries(chart_.get());
    series->SetParentChart(chart_.get());
    series->SetSeriesColor(fw::clRed);
    for (int i = 0; i < Points; ++i) series->AddXY(i, std::sin(i * Step) * 10);
    chart::MainChart = chart_.get();
    return *chart_;
  }

  std::unique_ptr<chart::TChart> chart_;
  ScratchDir dir_;
};

}  // namespace exporttest
