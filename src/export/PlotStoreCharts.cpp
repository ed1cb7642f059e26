#include "export/PlotStoreCharts.h"

#include "framework/Persistent.h"

namespace kvexport {

void RegisterPlotStoreClasses() {
  fw::RegisterClass<TChartChart>();
  fw::RegisterClass<TODBCChart>();
}

void UnRegisterPlotStoreClasses() {
  fw::UnRegisterClassName(fw::ClassNameOf(typeid(TChartChart)));
  fw::UnRegisterClassName(fw::ClassNameOf(typeid(TODBCChart)));
}

}  // namespace kvexport
