#include "analysis/PolynomGraph.h"

#include <algorithm>
#include <memory>

#include "analysis/Analisis.h"
#include "analysis/CurveFitting.h"
#include "analysis/DerivedGraphs.h"
#include "chart/Series.h"
#include "platform/kernel/Exceptions.h"
#include "workspace/PropSaver.h"

namespace analysis {

void TPolynomParams::Load(const workspace::TPropSaver& Store) {
  Degree = Store.ReadInteger("Degree", 1, PolynomMaxDegree, 2);
  SplitInterval = Store.ReadInteger("SplitInterval", 1, PolynomMaxSplit, 1);
  DoPart = Store.ReadBool("DoPart", false);
  X1 = Store.ReadFloat("X1", 0);
  X2 = Store.ReadFloat("X2", 0);
}

void TPolynomParams::Save(workspace::TPropSaver& Store) const {
  Store.WriteInteger("Degree", Degree);
  Store.WriteInteger("SplitInterval", SplitInterval);
  Store.WriteBool("DoPart", DoPart);
  Store.WriteFloat("X1", X1);
  Store.WriteFloat("X2", X2);
}

TFuncPoints ResamplePoints(const double* X, const double* Y, std::size_t Count, int N) {
  TFuncPoints p;
  if (Count == 0) return p;
  N = std::max(N, 1);
  p.X.reserve(1 + (Count - 1) * std::size_t(N));
  p.Y.reserve(p.X.capacity());
  p.X.push_back(X[0]);
  p.Y.push_back(Y[0]);
  for (std::size_t i = 0; i + 1 < Count; ++i) {
    const double dX = X[i + 1] - X[i], dY = Y[i + 1] - Y[i], h = dX / N;
    for (int j = 1; j <= N; ++j) {
      p.X.push_back(X[i] + j * h);
      p.Y.push_back(Y[i] + dY * (j * h) / dX);
    }
  }
  return p;
}

void ResampleSeries(chart::TChartSeries* Dest, chart::TChartSeries* Source, int N) {
  const TFuncPoints p =
      ResamplePoints(Source->XValues()->Data(), Source->YValues()->Data(), std::size_t(Source->Count()), N);
  Dest->AppendPoints(p.X.data(), p.Y.data(), fw::Integer(p.X.size()));
}

TPolynomFit PolynomPoints(chart::TChartSeries* Source, const TPolynomParams& Params) {
  fw::TComponent owner(nullptr);
  // The points fitted: the source itself, or a working copy densified and/or cut.
  chart::TChartSeries* data = Source;
  if (Params.SplitInterval >= 2 || Params.DoPart) {
    auto* copy = new chart::TLineSeries(&owner);
    copy->XValues()->SetOrder(Source->XValues()->Order());
    if (Params.SplitInterval >= 2)
      ResampleSeries(copy, Source, Params.SplitInterval);
    else
      copy->AppendPoints(Source->XValues()->Data(), Source->YValues()->Data(), Source->Count());
    // A cut that cannot be made leaves the points as they are.
    if (Params.DoPart) TrimSeries(copy, Params.X1, Params.X2);
    data = copy;
  }
  const int terms = Params.Degree + 1;
  if (data->Count() < 2 || data->Count() < terms) throw win::Exception(FuncTooFewPointsMsg);
  auto* fit = new TCurveFittingFunction(&owner);
  fit->SetFactor(1);
  fit->SetTypeFitting(cfPolynomial);
  fit->SetPolyDegree(terms);
  TPolynomFit result;
  result.Points = Compute(data, fit);
  if (result.Points.X.size() < 2) throw win::Exception(FuncTooFewPointsMsg);
  for (int k = 1; k <= terms; ++k) result.Coefficients.push_back(fit->AnswerVector(k));
  return result;
}

}  // namespace analysis
