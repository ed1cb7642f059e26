// Class registries of series, functions and tools, and the helpers that describe series.
#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotConst.h"
#include "chart/PlotEngine.h"
#include "chart/SeriesMarks.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"

namespace chart {

namespace {

std::vector<TPlotClassInfo>& SeriesRegistry() {
  static std::vector<TPlotClassInfo> list;
  return list;
}
std::vector<TPlotClassInfo>& FunctionRegistry() {
  static std::vector<TPlotClassInfo> list;
  return list;
}
std::vector<TPlotClassInfo>& ToolRegistry() {
  static std::vector<TPlotClassInfo> list;
  return list;
}

const TPlotClassInfo* Find(const std::vector<TPlotClassInfo>& list, const std::type_info& type) {
  for (const auto& info : list)
    if (*info.Type == type) return &info;
  return nullptr;
}

void Register(std::vector<TPlotClassInfo>& list, TPlotClassInfo info) {
  if (!info.Type || Find(list, *info.Type)) return;
  fw::TPersistentClassInfo streaming;
  streaming.Name = info.Name;
  streaming.Type = info.Type;
  auto create = info.Create;
  streaming.Create = [create](fw::TComponent* owner) -> fw::TPersistent* { return create(owner); };
  fw::RegisterClassInfo(std::move(streaming));
  list.push_back(std::move(info));
}

void Unregister(std::vector<TPlotClassInfo>& list, const std::type_info& type) {
  auto it = std::find_if(list.begin(), list.end(), [&](const TPlotClassInfo& i) { return *i.Type == type; });
  if (it == list.end()) return;
  fw::UnRegisterClassName(it->Name);
  list.erase(it);
}

}  // namespace

void RegisterPlotSeries(TPlotClassInfo Info) { Register(SeriesRegistry(), std::move(Info)); }
void UnRegisterPlotSeries(const std::type_info& Type) { Unregister(SeriesRegistry(), Type); }
const std::vector<TPlotClassInfo>& PlotSeriesGallery() { return SeriesRegistry(); }

void RegisterPlotFunction(TPlotClassInfo Info) { Register(FunctionRegistry(), std::move(Info)); }
void RegisterStandardFunction(TPlotClassInfo Info) {
  Info.Page = PlotMsg_FunctionsPage;
  RegisterPlotFunction(std::move(Info));
}
void UnRegisterPlotFunction(const std::type_info& Type) { Unregister(FunctionRegistry(), Type); }
const std::vector<TPlotClassInfo>& PlotFunctionGallery() { return FunctionRegistry(); }

void RegisterToolTypes(const std::vector<TPlotClassInfo>& Tools) {
  for (const auto& t : Tools) Register(ToolRegistry(), t);
}
void UnregisterToolTypes(const std::vector<TPlotClassInfo>& Tools) {
  for (const auto& t : Tools)
    if (t.Type) Unregister(ToolRegistry(), *t.Type);
}
const std::vector<TPlotClassInfo>& PlotToolTypes() { return ToolRegistry(); }

String SeriesGalleryDescription(const TChartSeries* Series) {
  if (!Series) return {};
  if (const TPlotClassInfo* info = Find(SeriesRegistry(), typeid(*Series)))
    if (!info->Description.empty()) return info->Description;
  return Series->ClassName();
}

String SeriesDisplayName(const TChartSeries* Series, const TChartSeriesList* List) {
  if (!Series) return {};
  if (!Series->Title().empty()) return Series->Title();
  if (!Series->Name().empty()) return Series->Name();
  if (!List && Series->ParentChart()) List = &Series->ParentChart()->SeriesList();
  Integer index = List ? List->IndexOf(Series) : -1;
  return index < 0 ? String(PlotMsg_Series) : String(PlotMsg_Series) + fw::IntToStr(index + 1);
}

void ListSeriesInStrings(fw::TStrings* Strings, const TChartSeriesList& List) {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  for (TChartSeries* s : List) Strings->AddObject(SeriesDisplayName(s, &List), s);
  Strings->EndUpdate();
}

bool HasCustomXValues(const TChartSeries* Series) {
  if (!Series || Series->Count() == 0) return false;
  const Integer n = Series->Count();
  if (Series->PointX(n - 1) != double(n - 1)) return true;
  for (Integer i = 0, stop = std::min<Integer>(n, 10001); i < stop; ++i)
    if (Series->PointX(i) != double(i)) return true;
  return false;
}

std::uint8_t SeriesDataFlags(const TChartSeries* Series) {
  if (!Series) return 0;
  std::uint8_t flags = 0;
  if (HasCustomXValues(Series)) flags |= 1;
  if (Series->HasPointColors()) {
    const TColor own = Series->SeriesColor();
    for (Integer i = 0, stop = std::min<Integer>(Series->Count(), 10001); i < stop; ++i) {
      TColor c = Series->PointColor(i);
      if (c != own && c != clTeeColor) {
        flags |= 2;
        break;
      }
    }
  }
  for (Integer i = 0, stop = std::min<Integer>(Series->Count(), 101); i < stop; ++i)
    if (!Series->PointLabel(i).empty()) {
      flags |= 4;
      break;
    }
  if (Series->Marks() && Series->Marks()->Positions().ExistCustom()) flags |= 8;
  return flags;
}

void ConvexHull(std::vector<win::POINT>& Points) {
  auto less = [](const win::POINT& a, const win::POINT& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); };
  std::sort(Points.begin(), Points.end(), less);
  Points.erase(std::unique(Points.begin(), Points.end()), Points.end());
  if (Points.size() < 3) return;
  // Exact cross product: with coordinates anywhere in the int range, each product needs 65 bits.
  __extension__ typedef __int128 Wide;
  auto cross = [](const win::POINT& o, const win::POINT& a, const win::POINT& b) {
    return Wide(std::int64_t(a.x) - o.x) * (std::int64_t(b.y) - o.y) - Wide(std::int64_t(a.y) - o.y) * (std::int64_t(b.x) - o.x);
  };
  std::vector<win::POINT> hull(Points.size() * 2);
  std::size_t k = 0;
  for (const auto& p : Points) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (std::size_t i = Points.size() - 1, t = k + 1; i-- > 0;) {
    const auto& p = Points[i];
    while (k >= t && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  hull.resize(k - 1);
  Points.swap(hull);
}

}  // namespace chart
