#pragma once
// A chart on a headless desktop with a graph collection and its undo stack, and helpers to make
// series and files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/Forms.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "support/HeadlessFixture.h"
#include "workspace/GraphCollection.h"
#include "workspace/Operations.h"
#include "workspace/Preferences.h"

namespace wstest {

class WorkspaceTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    savedPreferences = workspace::Preferences;
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    chart = new chart::TChart(form.get());
    chart->SetParent(form.get());
    chart->SetBounds(0, 0, 400, 300);
    graphs = std::make_unique<workspace::TGraphCollection>(chart);
    undo = std::make_unique<workspace::TOperationCollection>(graphs.get());
    win::ClearMessageBoxHistory();
    win::desktop::ClearScriptedAnswers();
    char tmpl[] = "/tmp/workspacetestXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override {
    undo.reset();
    graphs.reset();
    form.reset();
    workspace::Preferences = savedPreferences;
    win::desktop::ClearScriptedAnswers();
    std::system(("rm -rf '" + dir + "'").c_str());
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }

  // A line series with the points (X[i], Y[i]).
  static chart::TLineSeries* NewSeries(const std::vector<double>& X, const std::vector<double>& Y) {
    auto* s = new chart::TLineSeries(nullptr);
    for (std::size_t i = 0; i < X.size(); ++i) s->AddPoint(X[i], Y[i]);
    return s;
  }
  workspace::TGraph* AddData(const std::vector<double>& X, const std::vector<double>& Y,
                             const std::string& Source = "/data/a.txt") {
    return graphs->AddGraph(NewSeries(X, Y), Source, {}, {});
  }
  std::string WriteFile(const std::string& Name, const std::string& Bytes) {
    const std::string path = dir + "/" + Name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(Bytes.data(), 1, Bytes.size(), f);
    std::fclose(f);
    return path;
  }
  static std::vector<double> Xs(const chart::TChartSeries* S) {
    std::vector<double> v;
    for (int i = 0; i < S->Count(); ++i) v.push_back(S->PointX(i));
    return v;
  }
  static std::vector<double> Ys(const chart::TChartSeries* S) {
    std::vector<double> v;
    for (int i = 0; i < S->Count(); ++i) v.push_back(S->PointY(i));
    return v;
  }

  std::unique_ptr<fw::TForm> form;
  chart::TChart* chart = nullptr;
  std::unique_ptr<workspace::TGraphCollection> graphs;
  std::unique_ptr<workspace::TOperationCollection> undo;
  workspace::TPreferences savedPreferences;
  std::string dir;
};

}  // namespace wstest
