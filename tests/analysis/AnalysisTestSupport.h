#pragma once
// Helpers of the analysis tests: error messages of calls, and numbers computed by a Python
// script with NumPy (the reference side of the cross-checks).

#include <string>
#include <vector>

namespace chart {
class TChartSeries;
}

namespace analysis_test {

// The X (Y) values of a series' points.
std::vector<double> XsOf(const chart::TChartSeries& Series);
std::vector<double> YsOf(const chart::TChartSeries& Series);

// The message of the exception Call raises ("" when it raises none).
template <typename F>
std::string ErrorOf(F Call) {
  try {
    Call();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

// Runs Body after "import numpy as np" with /usr/bin/python3 and returns every number it
// printed (empty when Python could not run).
std::vector<double> RunNumPy(const std::string& Body);

// A NumPy array literal holding Values exactly.
std::string PyArray(const std::vector<double>& Values);

}  // namespace analysis_test
