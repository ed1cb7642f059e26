#include "analysis/DerivedGraphs.h"

#include <cmath>
#include <memory>

#include "analysis/PlotFunci.h"
#include "analysis/PlotSmoothingSpline.h"
#include "chart/Series.h"
#include "platform/kernel/Exceptions.h"
#include "workspace/PropSaver.h"

namespace analysis {

TFuncPoints Compute(chart::TChartSeries* Source, chart::TPlotFunction* Function) {
  fw::TComponent owner(nullptr);
  auto* temp = new chart::TLineSeries(&owner);
  temp->SetFunctionType(Function);
  temp->SetDataSource(Source);
  temp->CheckDataSource();
  TFuncPoints p;
  const fw::Integer count = temp->Count();
  const double* x = temp->XValues()->Data();
  const double* y = temp->YValues()->Data();
  p.X.assign(x, x + count);
  p.Y.assign(y, y + count);
  temp->SetDataSource(nullptr);
  return p;
}

void TEnvelopeParams::Load(const workspace::TPropSaver& Store) {
  Low = Store.ReadBool("Low", false);
  UseStep = Store.ReadBool("UseStep", false);
  Step = Store.ReadFloat("Step", 1.0);
  Factor = Store.ReadInteger("Factor", 1);
}

void TEnvelopeParams::Save(workspace::TPropSaver& Store) const {
  Store.WriteBool("Low", Low);
  Store.WriteBool("UseStep", UseStep);
  Store.WriteFloat("Step", Step);
  Store.WriteInteger("Factor", Factor);
}

TFuncPoints SplinePoints(chart::TChartSeries* Source, const TSplineParams& Params) {
  fw::TComponent owner(nullptr);
  auto* function = new TSmoothingFunction(&owner);
  function->SetInterpolate(Params.Interpolate);
  function->SetFactor(Params.Factor);
  return Compute(Source, function);
}

TFuncPoints EnvelopePoints(chart::TChartSeries* Source, const TEnvelopeParams& Params) {
  if (Params.UseStep && !(Params.Step > 0 && std::isfinite(Params.Step))) throw win::Exception(FuncBadStepMsg);
  fw::TComponent owner(nullptr);
  chart::TPlotFunction* function =
      Params.Low ? static_cast<chart::TPlotFunction*>(new TLowPlotFunction(&owner)) : new THighPlotFunction(&owner);
  if (Params.UseStep) {
    function->SetPeriodStyle(chart::psRange);
    function->SetPeriod(Params.Step);
  } else {
    function->SetPeriodStyle(chart::psNumPoints);
    function->SetPeriod(Params.Factor);
  }
  function->SetPeriodAlign(chart::paCenter);
  return Compute(Source, function);
}

}  // namespace analysis
