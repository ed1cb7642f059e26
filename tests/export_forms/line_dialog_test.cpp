// The line properties dialog: OK writing the controls into the current graph's series or into
// every selected one, one undo entry per changed graph, Cancel after Apply restoring each
// series (through the chart's stream), clamped spins, and the remembered position.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartStreaming.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesPointer.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPenButton.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "export/forms/WinLineProp.h"
#include "export_forms/ColourPicks.h"
#include "framework/Forms.h"
#include "framework/Streams.h"
#include "support/HeadlessFixture.h"
#include "toolbars/TBItem.h"
#include "tx/TxPopupWindow.h"
#include "workspace/DataModule.h"
#include "workspace/GraphCollection.h"
#include "workspace/Operations.h"

namespace {

using kvforms::TwndLineProp;

class LineDialogTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    chart::RegisterChartProperties();
    chart = std::make_unique<chart::TChart>(nullptr);
    chart->SetName("Chart1");
    graphs = std::make_unique<workspace::TGraphCollection>(chart.get());
    undo = std::make_unique<workspace::TOperationCollection>(graphs.get());
    graphs->OnGetSelectedSeries = [this] { return selected; };
    for (const char* title : {"G1", "G2", "G3"}) {
      auto* s = new chart::TLineSeries(nullptr);
      s->AddXY(1, 2);
      s->AddXY(2, 3);
      series.push_back(s);
      graphs->AddGraph(s, title, {}, title);
    }
    graphs->Select(1);
    undo->Clear();
  }
  void TearDown() override {
    undo.reset();
    graphs.reset();
    chart.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  std::string Stream() {
    fw::TStringStream s;
    s.WriteComponent(chart.get());
    return s.DataString();
  }
  fw::Integer Run(fw::TModalResult Result, std::function<void(TwndLineProp&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TwndLineProp*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          if (Result == fw::mrOk)
            dialog->butOk->Click();
          else
            dialog->SetModalResult(Result);
        }
    });
    return kvforms::ShowLineProp(*graphs);
  }
  static void Edit(TwndLineProp& d) {
    d.LinePen.Width->SetValue(4);
    d.LinePen.Style->SetSelectedStyle(fw::psDash);
    d.LinePen.SetColor(fw::clRed);
    d.cbShowInLegend->SetChecked(false);
    d.cbPointVisible->SetChecked(true);
    d.pmPointers->Items()->Items(7)->Click();  // "Ромб"
    d.sePointSizeH->SetValue(6);
    d.sePointSizeV->SetValue(9);
    d.MarkerColor = fw::clBlue;
    d.MarkerPen.Width->SetValue(3);
  }
  void ExpectEdited(const chart::TLineSeries& s) {
    EXPECT_EQ(s.LinePen()->Width(), 4);
    EXPECT_EQ(s.LinePen()->Style(), fw::psDash);
    EXPECT_EQ(s.SeriesColor(), fw::clRed);
    EXPECT_FALSE(s.ShowInLegend());
    EXPECT_TRUE(s.Pointer()->Visible());
    EXPECT_EQ(s.Pointer()->Style(), chart::psDiamond);
    EXPECT_EQ(s.Pointer()->HorizSize(), 6);
    EXPECT_EQ(s.Pointer()->VertSize(), 9);
    EXPECT_EQ(s.Pointer()->Color(), fw::clBlue);
    EXPECT_EQ(s.Pointer()->Pen()->Width(), 3);
  }
  std::unique_ptr<chart::TChart> chart;
  std::unique_ptr<workspace::TGraphCollection> graphs;
  std::unique_ptr<workspace::TOperationCollection> undo;
  std::vector<chart::TChartSeries*> selected;
  std::vector<chart::TLineSeries*> series;
};

TEST_F(LineDialogTest, OkWithoutSelectionChangesOnlyTheCurrentGraphAndUndoesIt) {
  const std::string before = Stream();
  EXPECT_EQ(Run(fw::mrOk, [this](TwndLineProp& d) {
              EXPECT_EQ(d.Caption(), "Свойства линии графика");
              EXPECT_EQ(d.LinePen.Color, series[1]->SeriesColor());
              Edit(d);
            }),
            fw::mrOk);
  ExpectEdited(*series[1]);
  EXPECT_TRUE(series[0]->ShowInLegend());
  EXPECT_TRUE(series[2]->ShowInLegend());
  ASSERT_EQ(undo->Count(), 1);
  EXPECT_EQ(undo->UndoCaption(), "Отменить изменение свойств линии");
  undo->Undo();
  EXPECT_EQ(Stream(), before);
}

TEST_F(LineDialogTest, OkWithSelectionChangesEverySelectedGraph) {
  selected = {series[2], series[0]};
  Run(fw::mrOk, Edit);
  ExpectEdited(*series[0]);
  ExpectEdited(*series[2]);
  EXPECT_TRUE(series[1]->ShowInLegend());
  EXPECT_EQ(undo->Count(), 2);
}

// The controls show the current graph's line and markers, also when other graphs are selected.
TEST_F(LineDialogTest, ControlsShowTheCurrentGraph) {
  series[1]->LinePen()->SetWidth(5);
  series[1]->Pointer()->SetHorizSize(7);
  series[0]->LinePen()->SetWidth(2);
  selected = {series[0], series[2]};  // the current graph, G2, is not among them
  Run(fw::mrCancel, [](TwndLineProp& d) {
    EXPECT_EQ(d.LinePen.Width->Value(), 5);
    EXPECT_EQ(d.sePointSizeH->Value(), 7);
  });
  EXPECT_EQ(series[0]->LinePen()->Width(), 2);
}

TEST_F(LineDialogTest, ColourButtonsShowAndWriteTheirColours) {
  chart::TLineSeries* s = series[1];
  s->SetSeriesColor(fw::clPurple);
  s->Pointer()->SetColor(fw::clYellow);
  s->Pointer()->Pen()->SetColor(fw::clTeal);
  const std::vector<kvtest::TColourCase<TwndLineProp>> cases = {
      {"line", [](TwndLineProp& d) { return d.LinePen.ColorButton; }, [s] { return s->SeriesColor(); },
       fw::clPurple},
      {"marker", [](TwndLineProp& d) { return d.butColorMarker; }, [s] { return s->Pointer()->Color(); },
       fw::clYellow},
      {"marker frame", [](TwndLineProp& d) { return d.MarkerPen.ColorButton; },
       [s] { return s->Pointer()->Pen()->Color(); }, fw::clTeal},
  };
  kvtest::ExpectColourButtonsWrite<TwndLineProp>(
      cases,
      [this](fw::TModalResult Result, std::function<void(TwndLineProp&)> Work) {
        Run(Result, std::move(Work));
      },
      [this] { return Stream(); });
}

// The marker style button shows the graph's marker picture and names it in its hint; its menu
// offers the nine markers as pictures in style order, and the one chosen is what Apply writes.
TEST_F(LineDialogTest, MarkerMenuOffersTheNinePicturesAndTheChosenOneIsWritten) {
  const std::unique_ptr<workspace::TDataModule1> images =
      workspace::DataModule1 ? nullptr : std::make_unique<workspace::TDataModule1>(nullptr);
  const struct {
    chart::TSeriesPointerStyle before;
    int chosen;
    const char* before_hint;
  } rows[] = {
      {chart::psRectangle, 8, "Квадрат"}, {chart::psStar, 0, "Звезда"}, {chart::psSmallDot, 3, "Точка"}};
  for (const auto& r : rows) {
    series[1]->Pointer()->SetStyle(r.before);
    Run(fw::mrOk, [&r](TwndLineProp& d) {
      EXPECT_EQ(d.butPointStyle->Images(), workspace::DataModule1->PointerImages());
      EXPECT_EQ(d.butPointStyle->ImageIndex(), static_cast<fw::Integer>(r.before));
      EXPECT_EQ(cs::WideToUtf8(d.butPointStyle->Hint()), r.before_hint);
      EXPECT_EQ(d.butPointStyle->DropDownMenu(), d.pmPointers);
      EXPECT_EQ(d.pmPointers->Name(), "pmPointers");
      ASSERT_EQ(d.pmPointers->Items()->Count(), kvforms::kPointStyleCount);
      for (int i = 0; i < kvforms::kPointStyleCount; ++i) {
        EXPECT_EQ(d.pmPointers->Items()->Items(i)->ImageIndex(), i);
        EXPECT_EQ(d.pmPointers->Items()->Items(i)->Caption(), kvforms::kPointStyleNames[i]);
      }
      d.pmPointers->Items()->Items(r.chosen)->Click();
      EXPECT_EQ(d.butPointStyle->ImageIndex(), r.chosen);
      EXPECT_EQ(cs::WideToUtf8(d.butPointStyle->Hint()), kvforms::kPointStyleNames[r.chosen]);
    });
    EXPECT_EQ(static_cast<int>(series[1]->Pointer()->Style()), r.chosen) << r.before_hint;
  }
}

TEST_F(LineDialogTest, OkWithoutChangesRecordsNoUndo) {
  Run(fw::mrOk, [](TwndLineProp&) {});
  EXPECT_EQ(undo->Count(), 0);
}

TEST_F(LineDialogTest, CancelAfterApplyRestoresEachSeries) {
  series[0]->Pointer()->SetStyle(chart::psStar);
  series[2]->LinePen()->SetWidth(3);
  for (const auto& chosen : std::vector<std::vector<chart::TChartSeries*>>{{}, {series[0], series[1], series[2]}}) {
    selected = chosen;
    const std::string before = Stream();
    EXPECT_EQ(Run(fw::mrCancel,
                  [](TwndLineProp& d) {
                    Edit(d);
                    d.butApply->Click();
                  }),
              fw::mrCancel);
    EXPECT_EQ(Stream(), before);
    EXPECT_EQ(undo->Count(), 0);
  }
}

TEST_F(LineDialogTest, SpinsAreClampedToTheirRanges) {
  Run(fw::mrOk, [](TwndLineProp& d) {
    d.LinePen.Width->SetValue(99);
    d.MarkerPen.Width->SetValue(-5);
    d.sePointSizeH->SetValue(400);
    d.sePointSizeV->SetValue(-1);
  });
  EXPECT_EQ(series[1]->LinePen()->Width(), 20);
  EXPECT_EQ(series[1]->Pointer()->Pen()->Width(), 1);
  EXPECT_EQ(series[1]->Pointer()->HorizSize(), 50);
  EXPECT_EQ(series[1]->Pointer()->VertSize(), 0);
}

TEST_F(LineDialogTest, ReopensWhereItWasClosed) {
  Run(fw::mrCancel, [](TwndLineProp& d) { d.SetBounds(33, 44, d.Width(), d.Height()); });
  Run(fw::mrCancel, [](TwndLineProp& d) {
    EXPECT_EQ(d.Left(), 33);
    EXPECT_EQ(d.Top(), 44);
  });
}

TEST_F(LineDialogTest, NoGraphShowsNothing) {
  graphs->Clear();
  EXPECT_EQ(kvforms::ShowLineProp(*graphs), fw::mrNone);
}

// A graph deleted while the dialog is open ends it as cancelled, even if OK is pressed in the
// same breath: the deleted series is not touched again, the others get back the format they
// had when it opened.
TEST_F(LineDialogTest, AGraphDeletedMeanwhileEndsTheDialogAndRestoresTheOthers) {
  series[2]->LinePen()->SetWidth(3);
  selected = {series[0], series[1], series[2]};
  chart::TLineSeries* first = series[0];
  bool closedItself = false;
  EXPECT_EQ(Run(fw::mrOk,
                [&](TwndLineProp& d) {
                  Edit(d);
                  d.butApply->Click();
                  EXPECT_EQ(series[2]->LinePen()->Width(), 4);
                  selected = {};
                  graphs->Delete(graphs->IndexOf(graphs->BySeries(first)));
                  closedItself = d.ModalResult() == fw::mrCancel;
                }),
            fw::mrCancel);
  EXPECT_TRUE(closedItself);
  EXPECT_EQ(series[2]->LinePen()->Width(), 3);
  EXPECT_TRUE(series[1]->ShowInLegend());
  EXPECT_TRUE(series[2]->ShowInLegend());
  EXPECT_FALSE(series[1]->Pointer()->Style() == chart::psDiamond);
  EXPECT_EQ(undo->Count(), 0);
}

}  // namespace
