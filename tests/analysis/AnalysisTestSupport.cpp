#include "AnalysisTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <unistd.h>

#include "chart/PlotEngine.h"

namespace analysis_test {

std::vector<double> XsOf(const chart::TChartSeries& Series) {
  std::vector<double> v;
  for (fw::Integer i = 0; i < Series.Count(); ++i) v.push_back(Series.PointX(i));
  return v;
}

std::vector<double> YsOf(const chart::TChartSeries& Series) {
  std::vector<double> v;
  for (fw::Integer i = 0; i < Series.Count(); ++i) v.push_back(Series.PointY(i));
  return v;
}

std::vector<double> RunNumPy(const std::string& Body) {
  std::vector<double> out;
  char name[] = "/tmp/kv_analysis_XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) return out;
  const std::string script = "import numpy as np\n" + Body;
  if (write(fd, script.data(), script.size()) != ssize_t(script.size())) {
    close(fd);
    std::remove(name);
    return out;
  }
  close(fd);
  if (FILE* pipe = popen(("/usr/bin/python3 " + std::string(name)).c_str(), "r")) {
    double v;
    while (std::fscanf(pipe, "%lf", &v) == 1) out.push_back(v);
    pclose(pipe);
  }
  std::remove(name);
  return out;
}

std::string PyArray(const std::vector<double>& Values) {
  std::ostringstream o;
  o.precision(17);
  o << "np.array([";
  for (double v : Values) o << v << ",";
  o << "],dtype=float)";
  return o.str();
}

}  // namespace analysis_test
