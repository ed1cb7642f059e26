// Graph text: writing and reading graphs and graph formats as clipboard text.
#include "workspace/GraphText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <string_view>

#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "framework/Clipbrd.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"
#include "workspace/Common.h"
#include "workspace/OpenFiles.h"
#include "workspace/Operations.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"
#include "workspace/TextReader.h"
#include "workspace/TextReaderAdvice.h"

namespace workspace {

namespace {

constexpr std::string_view kProperties = "PROPERTIES";
constexpr std::string_view kPropertiesHeader = "[PROPERTIES]";
constexpr std::string_view kDataHeader = "[DATA]";
constexpr const char* kClipboardSource = "Clipboard";
constexpr std::string_view kNullField = "null";

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsHeader(std::string_view Line, std::string_view Header) {
  return fw::SameText(TrimView(Line), Header);
}

// One number of a data line: either decimal separator, or the text of a value that is not
// finite as the writer gives it.
bool ParseDataNumber(std::string_view Field, char Separator, double& Value) {
  const char other = Separator == '.' ? ',' : '.';
  if (ParseNumberField(Field, Separator, Value) || ParseNumberField(Field, other, Value)) return true;
  Field = TrimView(Field);
  if (fw::SameText(Field, "NAN")) {
    Value = std::numeric_limits<double>::quiet_NaN();
  } else if (fw::SameText(Field, "INF")) {
    Value = std::numeric_limits<double>::infinity();
  } else if (fw::SameText(Field, "-INF")) {
    Value = -std::numeric_limits<double>::infinity();
  } else {
    return false;
  }
  return true;
}

// A data line: X TAB Y, then, for a null point, TAB "null".
bool ParseDataLine(std::string_view Line, char Separator, double& X, double& Y, bool& Null) {
  const std::size_t tab = Line.find('\t');
  if (tab == std::string_view::npos) return false;
  std::string_view xs = Line.substr(0, tab), ys = Line.substr(tab + 1), rest;
  if (const std::size_t more = ys.find('\t'); more != std::string_view::npos) {
    rest = ys.substr(more + 1);
    ys = ys.substr(0, more);
  }
  Null = fw::SameText(TrimView(rest.substr(0, rest.find('\t'))), kNullField);
  return ParseDataNumber(xs, Separator, X) && ParseDataNumber(ys, Separator, Y);
}

void AppendDataNumber(String& Out, double Value, char Separator) {
  if (Value == 0 && std::signbit(Value)) {
    Out += "-0";
    return;
  }
  win::AppendGeneralText(Out, Value, Separator);
}

// The item's points into Series, null points marked as such. The points are put in X order
// here (equal X keeping their order, as FillSeries does) so that the null marks follow them.
void FillSeriesWithNulls(const TGraphTextItem& Item, chart::TChartSeries* Series) {
  if (Item.NullPoints.empty()) {
    FillSeries(Item.X, Item.Y, Series);
    return;
  }
  const std::size_t n = std::min(Item.X.size(), Item.Y.size());
  std::vector<char> null(n, 0);
  for (std::size_t i : Item.NullPoints)
    if (i < n) null[i] = 1;
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t(0));
  // A NaN X sorts after every number.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const double xa = Item.X[a], xb = Item.X[b];
    return xa < xb || (!std::isnan(xa) && std::isnan(xb));
  });
  std::vector<double> x(n), y(n);
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = Item.X[order[i]];
    y[i] = Item.Y[order[i]];
  }
  FillSeries(x, y, Series);
  for (std::size_t i = 0; i < n; ++i)
    if (null[order[i]]) Series->SetPointColor(Integer(i), chart::clNullPoint);
}

std::unique_ptr<TPropSaver> PropertiesStore(const String& Text) {
  auto store = TPropSaver::FromStrings(nullptr, kProperties);
  store->SetText(Text);
  return store;
}

}  // namespace

TGraphTextOptions TGraphTextOptions::FromPreferences() {
  TGraphTextOptions o;
  o.CopyX = Preferences.CopyX;
  o.CopyY = Preferences.CopyY;
  o.CopyVisible = Preferences.CopyVisible;
  o.CopyProperties = Preferences.CopyProperties;
  o.DecimalSeparator = Preferences.DecimalSeparator();
  return o;
}

String GraphFormatText(const TGraph& Graph) {
  auto store = TPropSaver::FromStrings(nullptr, kProperties);
  store->WriteMultiLine("Source", Graph.Source);
  store->WriteInteger("Kind", Graph.Kind);
  if (Graph.Kind == gkExpression || Graph.Kind == gkParametric) {
    store->WriteFloat("LimStart", Graph.LimStart);
    store->WriteFloat("LimStop", Graph.LimStop);
    store->WriteFloat("LimStep", Graph.LimStep);
    store->WriteMultiLine("AuxParams", Graph.AuxParams);
  }
  store->WriteSeriesFormat(kProperties, Graph.Series());
  return store->GetText();
}

void ApplyGraphFormatText(TGraph& Graph, const String& Text) {
  PropertiesStore(Text)->ReadSeriesFormat(kProperties, Graph.Series());
}

String GraphsToText(const TGraphArray& Graphs, const TGraphTextOptions& Options) {
  String out;
  const char sep = Options.DecimalSeparator;
  for (const TGraph* graph : Graphs) {
    if (!graph || (!Options.CopyX && !Options.CopyY)) continue;
    chart::TChartSeries* s = graph->Series();
    if (Options.CopyProperties) out += GraphFormatText(*graph);
    out += kDataHeader;
    out += "\r\n";
    double low = 0, high = 0;
    const chart::TChartAxis* axis = s->HorizAxis();
    const bool visibleOnly = Options.CopyVisible && axis;
    if (visibleOnly) {
      low = std::min(axis->Minimum(), axis->Maximum());
      high = std::max(axis->Minimum(), axis->Maximum());
    }
    for (Integer i = 0; i < s->Count(); ++i) {
      const double x = s->PointX(i);
      if (visibleOnly && !(x >= low && x <= high)) continue;
      if (Options.CopyX) AppendDataNumber(out, x, sep);
      if (Options.CopyX && Options.CopyY) out += '\t';
      if (Options.CopyY) AppendDataNumber(out, s->PointY(i), sep);
      if (Options.CopyX && Options.CopyY && s->IsNullPoint(i)) {
        out += '\t';
        out += kNullField;
      }
      out += "\r\n";
    }
  }
  return out;
}

bool IsGraphText(const String& Text) {
  bool found = false;
  win::ForEachLineOf(Text, [&](std::string_view line) {
    found = found || IsHeader(line, kPropertiesHeader) || IsHeader(line, kDataHeader);
  });
  return found;
}

std::vector<TGraphTextItem> ParseGraphText(const String& Text) {
  std::vector<TGraphTextItem> items;
  enum { None, Props, Data } state = None;
  const char sep = Preferences.DecimalSeparator();
  win::ForEachLineOf(Text, [&](std::string_view line) {
    if (IsHeader(line, kPropertiesHeader)) {
      items.emplace_back();
      items.back().Properties = String(kPropertiesHeader) + "\r\n";
      state = Props;
    } else if (IsHeader(line, kDataHeader)) {
      // Data without a properties block of its own starts the next graph.
      if (state != Props) items.emplace_back();
      state = Data;
    } else if (state == Props) {
      items.back().Properties.append(line).append("\r\n");
    } else if (state == Data) {
      double x, y;
      bool null = false;
      if (ParseDataLine(line, sep, x, y, null)) {
        TGraphTextItem& item = items.back();
        if (null) item.NullPoints.push_back(item.X.size());
        item.X.push_back(x);
        item.Y.push_back(y);
      }
    }
  });
  return items;
}

TGraphArray PasteGraphsFromText(TGraphCollection& Graphs, const String& Text) {
  TGraphArray added;
  if (!IsGraphText(Text)) {
    auto series = std::make_unique<chart::TLineSeries>(nullptr);
    TTextReadReport report;
    const TTextReaderSettings settings = TTextReaderSettings::FromPreferences();
    LoadTwoColumnSeries(Text, settings, series.get(), &report);
    added.push_back(Graphs.AddGraph(series.get(), kClipboardSource, {}, {}));
    series.release();
    Graphs.SelectLastAdded();
    if (MisreadSeparatorPossible(settings)) {
      const String advice = MisreadSeparatorAdvice(std::string_view(Text).substr(0, TooFewPointsSampleSize), settings);
      if (!advice.empty())
        fw::AppMessageBox("Текст из буфера обмена прочитан, но, вероятно, неверно.\n" + advice, win::MB_ICONWARNING);
    }
    if (report.SkippedLines > 0)
      ShowBalloonHint("Не все строки прочитаны", SkippedLinesNote("Буфер обмена", report.SkippedLines),
                      SkippedLinesBalloon);
    return added;
  }
  String firstError;
  for (const TGraphTextItem& item : ParseGraphText(Text)) {
    if (item.X.size() < 2) {
      if (firstError.empty()) firstError = TooFewPointsMsg;
      continue;
    }
    auto series = std::make_unique<chart::TLineSeries>(nullptr);
    FillSeriesWithNulls(item, series.get());

    auto props = PropertiesStore(item.Properties);
    Integer kind = props->ReadInteger("Kind", gkData);
    // A derived graph arrives without the graph it was computed from: it is plain data here.
    if (kind < 0 || kind >= GraphKindCount || IsDerivedKind(kind)) kind = gkData;
    String source = kClipboardSource;
    TGraphParams params{std::int64_t(kind)};
    if (kind == gkExpression || kind == gkParametric) {
      source = props->ReadMultiLine("Source", source);
      params.push_back(props->ReadFloat("LimStart", DefaultLimStart));
      params.push_back(props->ReadFloat("LimStop", DefaultLimStop));
      params.push_back(props->ReadFloat("LimStep", DefaultLimStep));
      if (kind == gkExpression) params.push_back(props->ReadMultiLine("AuxParams", {}));
    }
    TGraph* graph = Graphs.AddGraph(series.get(), source, params, props->ReadMultiLine("Title", {}));
    series.release();
    props->ReadSeriesFormat(kProperties, graph->Series());
    added.push_back(graph);
  }
  if (added.empty()) throw EGraphError(firstError.empty() ? String(TooFewPointsMsg) : firstError);
  Graphs.SelectLastAdded();
  return added;
}

void CopyGraphsToClipboard(const TGraphArray& Graphs, const TGraphTextOptions& Options) {
  fw::Clipboard()->SetAsText(GraphsToText(Graphs, Options));
}

TGraphArray PasteGraphsFromClipboard(TGraphCollection& Graphs) {
  const String text = fw::Clipboard()->AsText();
  // A picture, or nothing: there are no numbers to miss.
  if (fw::Trim(text).empty()) throw EGraphError(NoGraphTextMsg);
  return PasteGraphsFromText(Graphs, text);
}

void CopyGraphFormatToClipboard(const TGraph& Graph) { fw::Clipboard()->SetAsText(GraphFormatText(Graph)); }

bool PasteGraphFormatFromClipboard(TGraphCollection& Graphs, const TGraphArray& Targets) {
  String properties;
  for (const TGraphTextItem& item : ParseGraphText(fw::Clipboard()->AsText()))
    if (!item.Properties.empty()) {
      properties = item.Properties;
      break;
    }
  if (properties.empty()) return false;
  // A format carries no name: the graphs keep their titles.
  auto format = PropertiesStore(properties);
  format->DeleteKey("Title");
  for (TGraph* graph : Targets) {
    if (!graph) continue;
    const String former = GraphFormatText(*graph);
    format->ReadSeriesFormat(kProperties, graph->Series());
    if (Graphs.Operations())
      Graphs.Operations()->AddOperation(opLineFormat, {std::int64_t(graph->Id()), former});
  }
  Graphs.Changed();
  return true;
}

}  // namespace workspace
