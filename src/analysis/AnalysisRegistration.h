#pragma once
// What the analysis layer puts into the chart engine and the workspace at start-up, and takes
// out again at shutdown: the basic functions on the standard page, the smoothing and fitting
// functions on the "Extended" page, the financial and statistical functions and series on the
// "Financial", "Extended" and "Stats" pages, the tool editor forms streams name, and the cutting routines the graphs' Trim calls.

namespace analysis {

void RegisterAnalysis();
void UnRegisterAnalysis();

}  // namespace analysis
