#pragma once
// Shared pieces of the data export tests: a chart with line series, a pinned regional decimal
// separator, a scratch folder, and the independent readers run through /usr/bin/python3.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "export_test_files.h"
#include "platform/kernel/Locale.h"

namespace datatest {

// A series with a third value list, "Z", after X and Y.
class TZSeries : public chart::TChartSeries {
 public:
  explicit TZSeries(fw::TComponent* Owner) : chart::TChartSeries(Owner) { AddValueList("Z"); }
  void AddXYZ(double X, double Y, double Z) {
    const fw::Integer i = AddXY(X, Y);
    ValueList(2)->SetValue(i, Z);
  }
};

class DataExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::locale::SetRegionalDecimalSeparator(',');
    chart::RegisterLineSeriesClasses();  // the gallery names the XML export writes
    chart_ = std::make_unique<chart::TChart>(nullptr);
  }
  void TearDown() override {
    series_.clear();
    chart_.reset();
    win::locale::ResetRegionalSettings();
  }

  // A line series on the chart with the points (x, y).
  chart::TLineSeries* AddLine(const std::string& Title,
                              std::initializer_list<std::pair<double, double>> Points) {
    auto* s = new chart::TLineSeries(nullptr);
    series_.emplace_back(s);
    s->SetTitle(Title);
    for (const auto& p : Points) s->AddXY(p.first, p.second);
    chart_->AddSeries(s);
    return s;
  }
  chart::TLineSeries* AddIndexLine(const std::string& Title, int Count, double YStep = 1.5) {
    auto* s = AddLine(Title, {});
    for (int i = 0; i < Count; ++i) s->AddXY(i, i * YStep);
    return s;
  }
  TZSeries* AddZSeries(const std::string& Title) {
    auto* s = new TZSeries(nullptr);
    series_.emplace_back(s);
    s->SetTitle(Title);
    chart_->AddSeries(s);
    return s;
  }

  std::string Path(const std::string& Name) const { return dir_.File(Name); }

  static std::string ReadFile(const std::string& FileName) { return exporttest::ReadText(FileName); }
  static void WriteFile(const std::string& FileName, const std::string& Bytes) {
    exporttest::WriteFile(FileName, Bytes);
  }
  // Runs a Python program (its text, then the arguments) and returns what it printed; the test
  // fails when the program does.
  std::string Python(const std::string& Program, const std::vector<std::string>& Args) {
    const std::string script = Path("reader.py");
    WriteFile(script, Program);
    std::string command = "PYTHONIOENCODING=utf-8 /usr/bin/python3 '" + script + "'";
    for (const std::string& a : Args) command += " '" + a + "'";
    return Run(command + " 2>&1");
  }
  // Command's output; without Status the test fails when the command does.
  static std::string Run(const std::string& Command, int* Status = nullptr) {
    int status = -1;
    std::string out = exporttest::CommandOutput(Command, &status);
    if (Status)
      *Status = status;
    else
      EXPECT_EQ(status, 0) << Command << "\n" << out;
    return out;
  }

  chart::TChart* Chart() { return chart_.get(); }

 private:
  exporttest::ScratchDir dir_;
  std::unique_ptr<chart::TChart> chart_;
  std::vector<std::unique_ptr<chart::TChartSeries>> series_;
};

}  // namespace datatest
