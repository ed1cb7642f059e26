#pragma once
// The main window's commands that open a dialog or window of the analysis and format libraries,
// each with the form it opens.

#include <functional>
#include <vector>

#include "analysis/FuncGraph.h"
#include "analysis/WinDerivedEdit.h"
#include "analysis/WinFindOp.h"
#include "analysis/WinOperations.h"
#include "analysis/WinPolynom.h"
#include "analysis/WinSelect.h"
#include "analysis/WinTracing.h"
#include "chart/Series.h"
#include "export/forms/WinAxesFormat.h"
#include "export/forms/WinFrameFormat.h"
#include "export/forms/WinLegendFormat.h"
#include "export/forms/WinLineProp.h"
#include "export/forms/WinPrint.h"
#include "export/forms/WinTitle.h"
#include "framework/Menus.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {

struct TReach {
  const char* Command;
  std::function<fw::TAction*(TwndKorvalinMain&)> Action;
  // True when the form that opened is the expected one.
  std::function<bool(fw::TCustomForm*)> Is;
  bool Modal = true;
};

template <class T>
inline std::function<bool(fw::TCustomForm*)> Is() {
  return [](fw::TCustomForm* Form) { return dynamic_cast<T*>(Form) != nullptr; };
}

inline std::vector<TReach> DialogCommands() {
  using M = TwndKorvalinMain;
  return {
      {"normalise", [](M& m) { return m.NormalizeAction(); }, Is<analysis::TwndNorm>()},
      {"offset", [](M& m) { return m.OffsetAction(); }, Is<analysis::TwndOffset>()},
      {"trim", [](M& m) { return m.TrimAction(); }, Is<analysis::TwndTrim>()},
      {"limits X", [](M& m) { return m.LimitsXAction(); }, Is<analysis::TwndLimits>()},
      {"difference", [](M& m) { return m.ArithmeticActions()[1]; }, Is<analysis::TwndGraphSelect>()},
      {"resampled sum", [](M& m) { return m.ArithmeticActions()[4]; }, Is<analysis::TwndGraphSelect>()},
      {"mean line", [](M& m) { return m.GroupLineActions()[0]; }, Is<analysis::TwndGraphSelect>()},
      {"upper envelope", [](M& m) { return m.GroupLineActions()[1]; }, Is<analysis::TwndGraphSelect>()},
      {"lower envelope", [](M& m) { return m.GroupLineActions()[2]; }, Is<analysis::TwndGraphSelect>()},
      {"resampled mean", [](M& m) { return m.GroupLineActions()[3]; }, Is<analysis::TwndGraphSelect>()},
      {"group maximum", [](M& m) { return m.FindGroupActions()[0]; }, Is<analysis::TwndGraphSelect>()},
      {"y = f(x)", [](M& m) { return m.AddFuncGraphAction(); }, Is<analysis::TwndFuncGraph>()},
      {"parametric", [](M& m) { return m.AddParamFuncGraphAction(); }, Is<analysis::TwndFuncGraph1>()},
      {"spline", [](M& m) { return m.AddSplineAction(); }, Is<analysis::TwndSplineEdit>()},
      {"envelope", [](M& m) { return m.AddEnvelopeAction(); }, Is<analysis::TwndEnvelopeEdit>()},
      {"title", [](M& m) { return m.TitleFormatAction(); }, Is<kvforms::TwndTitle>()},
      {"legend", [](M& m) { return m.LegendFormatAction(); }, Is<kvforms::TwndLegendFormat>()},
      {"frame", [](M& m) { return m.FrameFormatAction(); }, Is<kvforms::TwndFrameFormat>()},
      {"axis X", [](M& m) { return m.AxisXFormatAction(); }, Is<kvforms::TwndAxisFormat>()},
      {"axis Y", [](M& m) { return m.AxisYFormatAction(); }, Is<kvforms::TwndAxisFormat>()},
      {"line", [](M& m) { return m.LinePropAction(); }, Is<kvforms::TwndLineProp>()},
      {"print", [](M& m) { return m.PrintAction(); }, Is<kvforms::TwndPrint>()},
      {"maximum", [](M& m) { return m.FindActions()[0]; }, Is<analysis::TwndFindOp>(), false},
      {"polynomial", [](M& m) { return m.AddPolynomAction(); }, Is<analysis::TwndPolynomEdit>(), false},
      {"tracing", [](M& m) { return m.ToggleTracingAction(); }, Is<analysis::TwndTracing>(), false},
  };
}

}  // namespace mainwindowtest
