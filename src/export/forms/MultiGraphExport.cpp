#include "export/forms/MultiGraphExport.h"

#include <algorithm>
#include <memory>
#include <set>

#include "chart/PlotAxis.h"
#include "chart/PlotEngine.h"
#include "chart/PlotExportData.h"
#include "chart/Series.h"
#include "export/PlotStore.h"
#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/NumberText.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/PropSaver.h"

namespace kvforms {

namespace {

using fw::Integer;
using fw::String;

struct TPoints {
  String Name;
  std::vector<double> X, Y;
};

// The graph's points, only those inside its horizontal axis' range when VisibleOnly.
TPoints PointsOf(const workspace::TGraph& Graph, bool VisibleOnly) {
  const chart::TChartSeries* series = Graph.Series();
  TPoints p;
  p.Name = series->Title();
  const chart::TChartAxis* axis = series->HorizAxis();
  const double lo = axis ? std::min(axis->Minimum(), axis->Maximum()) : 0;
  const double hi = axis ? std::max(axis->Minimum(), axis->Maximum()) : 0;
  for (Integer i = 0; i < series->Count(); ++i) {
    const double x = series->PointX(i);
    if (VisibleOnly && axis && (x < lo || x > hi)) continue;
    p.X.push_back(x);
    p.Y.push_back(series->PointY(i));
  }
  return p;
}

String Number(double Value, const TExportSeparators& Sep) { return win::FloatToGeneralText(Value, Sep.Decimal); }

// Sequential: the X Y rows of one graph, then those of the next.
void AppendSequential(String& Out, const TPoints& P, const TExportSeparators& Sep) {
  for (size_t i = 0; i < P.X.size(); ++i) Out += Number(P.X[i], Sep) + Sep.Value + Number(P.Y[i], Sep) + Sep.Line;
}

// Parallel: per point index the X of the first graph holding it, then every graph's Y (empty
// where a graph has fewer points).
String ParallelText(const std::vector<TPoints>& All, const TExportSeparators& Sep) {
  size_t rows = 0;
  for (const TPoints& p : All) rows = std::max(rows, p.X.size());
  String out;
  for (size_t i = 0; i < rows; ++i) {
    auto holder = std::find_if(All.begin(), All.end(), [i](const TPoints& p) { return i < p.X.size(); });
    out += Number(holder->X[i], Sep);
    for (const TPoints& p : All) out += Sep.Value + (i < p.Y.size() ? Number(p.Y[i], Sep) : String());
    out += Sep.Line;
  }
  return out;
}

bool IsText(const TExportParameters& Params) { return Params.Format == 0 || Params.Format >= 4; }

String Extension(const TExportParameters& Params) {
  switch (Params.Format) {
    case 0: return ".txt";
    case 1: return ".xml";
    case 2: return ".html";
    case 3: return ".xls";
    default: {
      String ext = Params.UserExt;
      ext.erase(0, ext.find_first_not_of('.'));
      return ext.empty() ? String() : "." + ext;
    }
  }
}

// A name a file may carry: no folder separators or control characters, never empty or a dot name.
String FileNamePart(String Name) {
  for (char& c : Name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
  if (Name.empty() || Name == "." || Name == "..") Name = "graph";
  return Name;
}

// The name a graph's file is given before its extension. A typed name left empty falls back to
// the graph's title, as does a source that is not a file (a formula, a pasted graph).
String BaseName(const workspace::TGraph& Graph, const TExportParameters& Params, size_t Index) {
  const String title = Graph.Series()->Title();
  if (Params.Naming == enFilesByTypedNames && Index < Params.Names.size() && !Params.Names[Index].empty())
    return Params.Names[Index];
  if (Params.Naming == enFilesBySourceNames && !Graph.Source.empty() && fw::FileExists(Graph.Source))
    return fw::ChangeFileExt(fw::ExtractFileName(Graph.Source), "");
  return title;
}

// Name split before Ext when it ends with it (letter case aside) and has more before it, with
// that ending as the name spells it: a graph titled "graph.txt" saved as text goes to
// "graph.txt", not "graph.txt.txt". Otherwise the whole name and Ext.
std::pair<String, String> StemAndExtension(const String& Name, const String& Ext) {
  const size_t stem = Name.size() - Ext.size();
  if (Ext.empty() || Name.size() <= Ext.size() || !fw::AnsiSameText(Name.substr(stem), Ext)) return {Name, Ext};
  return {Name.substr(0, stem), Name.substr(stem)};
}

// The table formats' content for Series (a list; Chart nil when they are not on one).
std::string TableBytes(Integer Format, chart::TCustomAxisPanel* Chart, std::vector<chart::TChartSeries*> Series) {
  std::unique_ptr<kvexport::TSeriesData> data;
  if (Format == 1)
    data = std::make_unique<kvexport::TSeriesDataXML>(Chart, Series.size() == 1 ? Series[0] : nullptr);
  else if (Format == 2)
    data = std::make_unique<kvexport::TSeriesDataHTML>(Chart, Series.size() == 1 ? Series[0] : nullptr);
  else
    data = std::make_unique<kvexport::TSeriesDataXLS>(Chart, Series.size() == 1 ? Series[0] : nullptr);
  data->SetSeriesList(std::move(Series));
  fw::TStringStream stream;
  data->SaveToStream(&stream);
  return stream.DataString();
}

}  // namespace

TExportSeparators StoredExportSeparators() {
  workspace::TPropSaver store("EXPORT_DATA", true);
  TExportSeparators sep;
  sep.Decimal = store.ReadInteger("DecimalSeparator", 0, 1, 0) == 1 ? '.' : ',';
  const String value = store.ReadString("ValueSeparator", "");
  sep.Value = value.empty() ? String("\t") : value;
  const Integer line = store.ReadInteger("LineSeparator", 0, 2, 0);
  sep.Line = line == 1 ? "\r" : line == 2 ? "\r\n" : "\n";
  return sep;
}

std::vector<String> ExportFileNames(const std::vector<workspace::TGraph*>& Graphs, const TExportParameters& Params) {
  if (Params.SaveBundle) return {Params.Path};
  const String folder = fw::IncludeTrailingPathDelimiter(Params.Path);
  const String ext = Extension(Params);
  std::set<String> taken;
  std::vector<String> names;
  for (size_t i = 0; i < Graphs.size(); ++i) {
    const auto [base, tail] = StemAndExtension(FileNamePart(BaseName(*Graphs[i], Params, i)), ext);
    // Names met before get 1, 2, ... before the extension.
    String name = base;
    for (Integer n = 1; taken.count(fw::LowerCase(name)); ++n) name = base + std::to_string(n);
    taken.insert(fw::LowerCase(name));
    names.push_back(folder + name + tail);
  }
  return names;
}

std::vector<String> ExportFilesAlreadyThere(const std::vector<workspace::TGraph*>& Graphs,
                                            const TExportParameters& Params) {
  std::vector<String> there;
  if (Graphs.empty() || Params.Path.empty()) return there;  // nothing would be written
  for (const String& name : ExportFileNames(Graphs, Params))
    if (fw::FileExists(name)) there.push_back(name);
  return there;
}

void ExportGraphs(const std::vector<workspace::TGraph*>& Graphs, const TExportParameters& Params,
                  const TExportSeparators& Separators) {
  if (Graphs.empty()) return;
  if (Params.Path.empty())
    throw fw::Exception(Params.SaveBundle ? "Не задано имя файла для сохранения данных"
                                          : "Не задан путь для сохранения файлов");
  const std::vector<String> names = ExportFileNames(Graphs, Params);
  // Everything is made before the first byte is written, so a refusal (too many rows for a
  // worksheet, say) leaves no file behind.
  std::vector<TPoints> points;
  for (const workspace::TGraph* g : Graphs) points.push_back(PointsOf(*g, Params.VisibleOnly));
  // The visible part goes to the table writers as series of its own.
  std::vector<std::unique_ptr<chart::TLineSeries>> copies;
  std::vector<chart::TChartSeries*> series;
  chart::TCustomAxisPanel* chart = Params.VisibleOnly ? nullptr : Graphs[0]->Series()->ParentChart();
  for (size_t i = 0; i < Graphs.size(); ++i) {
    if (!Params.VisibleOnly) {
      series.push_back(Graphs[i]->Series());
      if (Graphs[i]->Series()->ParentChart() != chart) chart = nullptr;
      continue;
    }
    auto copy = std::make_unique<chart::TLineSeries>(nullptr);
    copy->SetTitle(points[i].Name);
    copy->AppendPoints(points[i].X.data(), points[i].Y.data(), Integer(points[i].X.size()));
    series.push_back(copy.get());
    copies.push_back(std::move(copy));
  }
  std::vector<std::string> contents;
  if (Params.SaveBundle) {
    if (!IsText(Params))
      contents.push_back(TableBytes(Params.Format, chart, series));
    else if (Params.Naming == enOneFileParallel)
      contents.push_back(ParallelText(points, Separators));
    else {
      String out;
      for (const TPoints& p : points) AppendSequential(out, p, Separators);
      contents.push_back(out);
    }
  } else {
    for (size_t i = 0; i < Graphs.size(); ++i) {
      if (!IsText(Params)) {
        contents.push_back(TableBytes(Params.Format, chart, {series[i]}));
        continue;
      }
      String out;
      AppendSequential(out, points[i], Separators);
      contents.push_back(out);
    }
  }
  // Every file is written beside its target before the first one is replaced, so a failure
  // part-way leaves all the files the export would replace as they were.
  fw::TSafeSaveBatch batch;
  for (size_t i = 0; i < names.size(); ++i) {
    workspace::WithFileErrors(names[i], workspace::faWrite, [&] {
      batch.Add(names[i], [&](fw::TStream* s) { chart::WriteAllBytes(s, contents[i]); });
    });
  }
  batch.Commit();
}

}  // namespace kvforms
