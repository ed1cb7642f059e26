#pragma once
// The modal dialogs of the operations on graphs: axis limits, normalisation, offset and trim.
// Each routine makes its dialog, runs it and frees it; the settings of the last three are read
// from the settings file when the dialog is made and written back on OK.

#include "analysis/GraphOperations.h"
#include "framework/Forms.h"

namespace chart {
class TChartAxis;
}
namespace cs {
class TCsCheckBox;
class TCsRadioButton;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

class TwndNorm : public fw::TForm {
 public:
  explicit TwndNorm(fw::TComponent* AOwner);
  void ShowParams(const TNormParams& Params);
  TNormParams Params() const;

  cs::TCsRadioButton* rbX = nullptr;
  cs::TCsRadioButton* rbY = nullptr;
  cs::TCsCheckBox* cbMax = nullptr;
  cs::TLxCsFloatEdit* fedFactor = nullptr;

 private:
  void AxisClicked();
};

class TwndOffset : public fw::TForm {
 public:
  explicit TwndOffset(fw::TComponent* AOwner);
  void ShowParams(const TOffsetParams& Params);
  TOffsetParams Params() const;

  cs::TCsRadioButton* rbH = nullptr;
  cs::TCsRadioButton* rbV = nullptr;
  cs::TCsRadioButton* rbMax = nullptr;
  cs::TCsRadioButton* rbMin = nullptr;
  cs::TCsRadioButton* rbAvg = nullptr;
  cs::TCsRadioButton* rbUsr = nullptr;
  cs::TLxCsFloatEdit* fedOffset = nullptr;

 private:
  void DirectionClicked(bool Horizontal);
};

class TwndTrim : public fw::TForm {
 public:
  explicit TwndTrim(fw::TComponent* AOwner);
  void ShowParams(const TTrimParams& Params);
  TTrimParams Params() const;

  cs::TCsCheckBox* cbTrimLeft = nullptr;
  cs::TCsCheckBox* cbTrimRight = nullptr;
  cs::TLxCsFloatEdit* fedTrimLeft = nullptr;
  cs::TLxCsFloatEdit* fedTrimRight = nullptr;
};

// What the limits dialog sets on an axis.
struct TAxisLimits {
  double Min = 0, Max = 0, Step = 0;
  bool AutoMin = false, AutoMax = false, AutoStep = false;
  static TAxisLimits Of(const chart::TChartAxis& Axis);
  void ApplyTo(chart::TChartAxis& Axis) const;
};

class TwndLimits : public fw::TForm {
 public:
  TwndLimits(fw::TComponent* AOwner, const fw::String& Caption);
  void ShowLimits(const TAxisLimits& Limits);
  TAxisLimits Limits() const;

  cs::TLxCsFloatEdit* fedMin = nullptr;
  cs::TLxCsFloatEdit* fedMax = nullptr;
  cs::TLxCsFloatEdit* fedStep = nullptr;
  cs::TCsCheckBox* cbMin = nullptr;
  cs::TCsCheckBox* cbMax = nullptr;
  cs::TCsCheckBox* cbStep = nullptr;
};

void EditAxisLimits(chart::TChartAxis* Axis);
void EditBothAxesLimits(chart::TChartAxis* Axis);
void NormalizeGraphs();
void OffsetGraphs();
void TrimGraphs();

}  // namespace analysis
