#pragma once
// The spline and envelope dialogs: a new derived graph of the current graph, or a derived graph
// rebuilt in place from its remembered source with the changed values.

#include "analysis/DerivedGraphs.h"
#include "framework/Forms.h"

namespace workspace {
class TGraph;
}
namespace cs {
class TCsCheckBox;
class TCsRadioButton;
class TCsSpinEdit;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

inline constexpr const char* SplineSourceName = "SplineFunction";
inline constexpr const char* EnvelopeSourceName = "EnvelopeFunction";

class TwndSplineEdit : public fw::TForm {
 public:
  explicit TwndSplineEdit(fw::TComponent* AOwner);
  void ShowParams(const TSplineParams& Params);
  TSplineParams Params() const;

  cs::TCsCheckBox* cbInterpolate = nullptr;
  cs::TCsSpinEdit* seFactor = nullptr;
};

class TwndEnvelopeEdit : public fw::TForm {
 public:
  explicit TwndEnvelopeEdit(fw::TComponent* AOwner);
  void ShowParams(const TEnvelopeParams& Params);
  TEnvelopeParams Params() const;

  cs::TCsRadioButton* rbPeriodPoint = nullptr;
  cs::TCsSpinEdit* sePeriodPoint = nullptr;
  cs::TCsRadioButton* rbPeriodStep = nullptr;
  cs::TLxCsFloatEdit* fedPeriodStep = nullptr;
  cs::TCsRadioButton* rbHigh = nullptr;
  cs::TCsRadioButton* rbLow = nullptr;
};

// Without a graph: a new graph from the current one; with a graph of the routine's kind: that
// graph rebuilt from its source series.
void EditSplineGraph(workspace::TGraph* Graph);
void EditEnvelopeGraph(workspace::TGraph* Graph);

}  // namespace analysis
