// Start-up and shutdown registration of the analysis layer.
#include "analysis/AnalysisRegistration.h"

#include "analysis/Analisis.h"
#include "analysis/CurveFitting.h"
#include "analysis/PlotFinancial.h"
#include "analysis/PlotFunci.h"
#include "analysis/PlotSmoothingSpline.h"
#include "analysis/PlotStatistics.h"
#include "analysis/PlotToolEditors.h"
#include "workspace/Graph.h"

namespace analysis {

void RegisterAnalysis() {
  RegisterBasicFunctions();
  RegisterSmoothingFunction();
  RegisterFittingFunctions();
  RegisterFinancialClasses();
  RegisterStatisticalClasses();
  RegisterToolEditorForms();
  workspace::GraphTrimRoutines.TrimLeft = TrimSeriesLeft;
  workspace::GraphTrimRoutines.TrimRight = TrimSeriesRight;
}

void UnRegisterAnalysis() {
  workspace::GraphTrimRoutines = {};
  UnRegisterToolEditorForms();
  UnRegisterStatisticalClasses();
  UnRegisterFinancialClasses();
  UnRegisterFittingFunctions();
  UnRegisterSmoothingFunction();
  UnRegisterBasicFunctions();
}

}  // namespace analysis
