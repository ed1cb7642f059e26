// Every registered series, function and tool class answers the name of its editor form.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "analysis/AnalysisRegistration.h"
#include "chart/PlotEngine.h"
#include "chart/PlotTools.h"
#include "chart/PlotToolsRegistration.h"

namespace {

// The name a class made through its registry entry answers ("?" when it is none of the three).
std::string EditorNameOf(const chart::TPlotClassInfo& Info) {
  fw::TComponent owner(nullptr);
  fw::TComponent* made = Info.Create(&owner);
  if (auto* series = dynamic_cast<chart::TChartSeries*>(made)) return series->GetEditorClassName();
  if (auto* function = dynamic_cast<chart::TPlotFunction*>(made)) return function->GetEditorClassName();
  if (auto* tool = dynamic_cast<chart::TPlotCustomTool*>(made)) return tool->GetEditorClassName();
  return "?";
}

TEST(EditorNames, EachRegisteredClassAnswersItsEditorForm) {
  analysis::RegisterAnalysis();
  chart::RegisterChartTools();
  const std::string base = "TPlotFunctionEditor";
  const std::map<std::string, std::string> expected = {
      // series
      {"TCandleSeries", "TCandleEditor"},
      {"TVolumeSeries", "TVolumeSeriesEditor"},
      {"THistogramSeries", "THistogramSeriesEditor"},
      {"THorizHistogramSeries", "THistogramSeriesEditor"},
      // functions
      {"TADXFunction", "TADXFuncEditor"},
      {"TRSIFunction", base},
      {"TMovingAverageFunction", "TMovAveFuncEditor"},
      {"TExpMovAveFunction", base},
      {"TExpAverageFunction", "TExpAveFuncEditor"},
      {"TMomentumFunction", base},
      {"TMomentumDivFunction", base},
      {"TStdDeviationFunction", "TRMSFuncEditor"},
      {"TRMSFunction", "TRMSFuncEditor"},
      {"TMACDFunction", "TMACDFuncEditor"},
      {"TStochasticFunction", base},
      {"TBollingerFunction", "TBollingerFuncEditor"},
      {"TCrossPointsFunction", ""},
      {"TPerformanceFunction", base},
      {"TVarianceFunction", base},
      {"TPerimeterFunction", base},
      // tools
      {"TCursorTool", "TCursorToolEditor"},
      {"TDragMarksTool", "TDragMarksToolEditor"},
      {"TAxisArrowTool", "TAxisArrowToolEditor"},
      {"TDrawLineTool", "TDrawLineEdit"},
      {"TNearestTool", "TNearestToolEdit"},
      {"TColorBandTool", "TColorBandToolEditor"},
      {"TColorLineTool", "TColorLineToolEditor"},
      {"TRotateTool", "TRotateToolEditor"},
      {"TChartImageTool", "TChartImageToolEditor"},
      {"TMarksTipTool", "TMarksTipToolEdit"},
      {"TAnnotationTool", "TAnnotationToolEdit"},
      {"TSeriesAnimationTool", "TSeriesAnimToolEditor"},
      {"TGridBandTool", "TGridBandToolEdit"},
      {"TAxisScrollTool", ""},
      {"TRectangleTool", "TAnnotationToolEdit"},
      {"TClipSeriesTool", ""},
      {"TDragPointTool", "TDragPointToolEdit"},
  };
  std::map<std::string, std::string> found;
  for (const auto* list : {&chart::PlotSeriesGallery(), &chart::PlotFunctionGallery(), &chart::PlotToolTypes()})
    for (const chart::TPlotClassInfo& info : *list)
      if (expected.count(info.Name)) found[info.Name] = EditorNameOf(info);
  chart::UnRegisterChartTools();
  analysis::UnRegisterAnalysis();
  for (const auto& [name, editor] : expected) {
    ASSERT_TRUE(found.count(name)) << name << " is not registered";
    EXPECT_EQ(found[name], editor) << name;
  }
}

}  // namespace
