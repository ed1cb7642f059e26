#pragma once
// The chart engine's data side: value lists, labels, the series base with its point colours,
// events and data sources, calculating functions, the class registries and the helpers other
// units call on series.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "chart/SeriesLineSummary.h"
#include "platform/kernel/WinDef.h"

namespace fw {
class TStrings;
class TFiler;
class TCanvas;
}  // namespace fw

namespace chart {

using fw::Integer;
using fw::String;
using fw::TColor;

class TChartSeries;
class TChartAxis;
class TPlotFunction;
class TPlotCanvas3D;
class TCustomAxisPanel;
class TChartPen;
class TChartBrush;
class TSeriesMarks;

// Point and series colour markers.
inline constexpr TColor clTeeColor = fw::clDefault;  // $20000000: the series or palette colour applies
inline constexpr TColor clNullPoint = fw::clNone;    // $1FFFFFFF: the point is null, not drawn

// The default palette: point (or series) i takes entry i mod PlotPaletteSize.
inline constexpr Integer PlotPaletteSize = 20;
TColor PlotDefaultPaletteColor(Integer Index);

// Number text by a picture such as "#,##0.###": '0' a digit always shown, '#' a digit shown
// when significant, ',' anywhere in the integer part groups thousands with the regional
// separator, '.' the regional decimal separator, "E+00"/"E-00" scientific notation, text in
// quotes copied, and up to three ';'-separated sections (positive; negative; zero). NaN and
// infinities give "NAN", "INF", "-INF".
String PlotFormatFloat(std::string_view Format, double Value);

// The value format a series starts with.
inline constexpr const char* DefaultValueFormat = "#,##0.###";

enum TChartListOrder { loNone, loAscending, loDescending };

// One dimension of a series' points: contiguous doubles. Statistics are computed on demand
// and cached until the next change; NaN and infinite values take no part in them.
class TChartValueList : public fw::TPersistent {
 public:
  TChartValueList(TChartSeries* AOwner, const String& AName);

  TChartSeries* Owner() const { return FOwner; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  TChartListOrder Order() const { return FOrder; }
  // Ordering a list that holds points sorts the owner's points by it.
  void SetOrder(TChartListOrder Value);
  bool DateTime() const { return FDateTime; }
  void SetDateTime(bool Value) { FDateTime = Value; }
  // Every value read through Value and the statistics is the stored value times Multiplier.
  double Multiplier() const { return FMultiplier; }
  void SetMultiplier(double Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // Name of another list of the parent series that functions read instead of this one.
  const String& ValueSource() const { return FValueSource; }
  void SetValueSource(const String& Value) { FValueSource = Value; }

  Integer Count() const { return Integer(FValues.size()); }
  // No range check: callers keep Index in 0 .. Count-1.
  double Value(Integer Index) const { return FValues[std::size_t(Index)] * FMultiplier; }
  // Stores Value as it is (the multiplier applies on reading); out of range does nothing.
  void SetValue(Integer Index, double Value);
  double operator[](Integer Index) const { return Value(Index); }
  double First() const { return Value(0); }
  double Last() const { return Value(Count() - 1); }
  // Stored values as they are (without the multiplier), for drawing loops.
  const double* Data() const { return FValues.data(); }
  std::size_t Capacity() const { return FValues.capacity(); }
  // Changes with every change of the values or the multiplier, and is never shared by two
  // lists: what is derived from the values is kept valid by comparing it.
  std::uint64_t Stamp() const { return FStamp; }

  double MinValue() const;
  double MaxValue() const;
  double Total() const;
  double TotalABS() const;

  // Index of the first value equal to Value, or -1 (binary search on ordered lists).
  Integer Locate(double Value) const;
  // Sorts by Order, moving the owner's other lists and labels in step.
  void Sort();
  // Values become 0, 1, ..., Count-1.
  void FillSequence();
  // Removes from this list only; series remove points from all lists together.
  void Delete(Integer Index);
  void Delete(Integer From, Integer Quantity);
  void Exchange(Integer Index1, Integer Index2);
  void Assign(fw::TPersistent* Source) override;

 private:
  friend class TChartSeries;
  void InsertRaw(Integer Index, double Value);
  void AppendRaw(double Value);
  void ClearRaw();
  void Changed();
  // The stored values for a writer that changes them directly; counts as a change.
  std::vector<double>& Writable() { return Changed(), FValues; }
  void Recalc() const;

  TChartSeries* FOwner;
  String FName;
  std::vector<double> FValues;
  TChartListOrder FOrder = loNone;
  bool FDateTime = false;
  bool FModified = false;
  double FMultiplier = 1.0;
  String FValueSource;
  mutable bool FStale = true;
  mutable double FMin = 0, FMax = 0, FTotal = 0, FTotalAbs = 0;
  std::uint64_t FStamp;
};

// Point labels, allocated only once a label is set.
class TLabelsList {
 public:
  Integer Count() const { return Integer(FLabels.size()); }
  // Empty past the end.
  const String& Labels(Integer Index) const;
  // Grows the list with empty labels up to Index.
  void SetLabels(Integer Index, const String& Value);
  bool Empty() const { return FLabels.empty(); }

 private:
  friend class TChartSeries;
  void InsertAt(Integer Index, const String& Value);
  void DeleteRange(Integer From, Integer Quantity);
  void Swap(Integer A, Integer B);
  std::vector<String> FLabels;
};

// What a series tells its listeners.
enum TChartSeriesEvent {
  seAdd = 0,
  seRemove = 1,
  seChangeTitle = 2,
  seChangeColor = 3,
  seSwap = 4,
  seChangeActive = 5,
  seDataChanged = 6
};

class TChartSeriesListener {
 public:
  virtual ~TChartSeriesListener() = default;
  virtual void SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) = 0;
};

// The base of every series: the X and Y lists (and any further ones), labels, optional point
// colours, events, data sources and a calculating function.
class TChartSeries : public fw::TComponent, private TChartSeriesListener {
 public:
  explicit TChartSeries(fw::TComponent* AOwner);
  ~TChartSeries() override;

  // Value lists: 0 is X, 1 is Y, further lists follow.
  TChartValueList* XValues() const { return FValueLists[0].get(); }
  TChartValueList* YValues() const { return FValueLists[1].get(); }
  Integer ValuesListCount() const { return Integer(FValueLists.size()); }
  TChartValueList* ValueList(Integer Index) const { return FValueLists[std::size_t(Index)].get(); }
  TChartValueList* ValueListByName(std::string_view Name) const;
  // False for series drawn sideways, whose mandatory list is X.
  bool YMandatory() const { return FYMandatory; }
  TChartValueList* MandatoryValueList() const { return FYMandatory ? YValues() : XValues(); }
  TChartValueList* NotMandatoryValueList() const { return FYMandatory ? XValues() : YValues(); }
  const TLabelsList& Labels() const { return FLabels; }
  TLabelsList& Labels() { return FLabels; }

  Integer Count() const { return XValues()->Count(); }
  double PointX(Integer Index) const { return XValues()->Value(Index); }
  double PointY(Integer Index) const { return YValues()->Value(Index); }
  void SetPointX(Integer Index, double Value);
  void SetPointY(Integer Index, double Value);
  String PointLabel(Integer Index) const { return FLabels.Labels(Index); }
  void SetPointLabel(Integer Index, const String& Value);

  // Adds a point, inserted in X order when the X list is ordered (a NaN X goes last); returns
  // its index. A non-finite X or Y makes a null point.
  Integer AddPoint(double X, double Y, const String& Label = {}, TColor Color = clTeeColor);
  Integer AddXY(double X, double Y, const String& Label = {}, TColor Color = clTeeColor) {
    return AddPoint(X, Y, Label, Color);
  }
  // At X = Count.
  Integer AddValue(double Value, const String& Label = {}, TColor Color = clTeeColor);
  Integer Add(double Value, const String& Label = {}, TColor Color = clTeeColor) {
    return AddValue(Value, Label, Color);
  }
  // Null points carry the colour clNullPoint: value 0 at X = Count, or at (X, Y).
  Integer AddNullValue(const String& Label = {});
  Integer AddNull(const String& Label = {}) { return AddNullValue(Label); }
  Integer AddNullPoint(double X, double Y, const String& Label = {});

  // Out-of-range requests do nothing.
  void DeletePoint(Integer Index);
  void Delete(Integer Index) { DeletePoint(Index); }
  // RemoveGap lowers the X values after the removed points by Quantity, so an index-like X
  // sequence keeps no hole.
  void DeletePoints(Integer Start, Integer Quantity, bool RemoveGap = false);
  void Clear();
  // Clears this series and copies every point (X, Y, label, colour) of Source.
  void CopyPointsFrom(TChartSeries* Source);
  // Copies all value lists (count and names permitting), labels and colours of Source.
  void AssignValues(TChartSeries* Source);
  // Appends Count points after the last one in one step, without labels or colours. The caller
  // keeps an ordered X list in order: no X below the last point's, ascending among themselves.
  void AppendPoints(const double* X, const double* Y, Integer Count);
  // Replaces every point by the points of X and Y, whose storage the series takes over (no
  // copy); the first min(size) points count, without labels or colours. X is in the order the
  // X list keeps, as for AppendPoints.
  void AdoptPoints(std::vector<double>&& X, std::vector<double>&& Y);

  // The class name of the series' editor form (empty: the class has none of its own).
  virtual String GetEditorClassName() const { return {}; }
  // Pixels the series reaches past its lowest and highest value along Axis (bars wider than
  // their points); an automatic axis widens its range by the largest of its series.
  virtual void CalcAxisMargins(const TChartAxis& Axis, Integer& Low, Integer& High) const {
    (void)Axis;
    Low = High = 0;
  }
  // The gallery's variants of the class after its plain style, by name, in order.
  virtual std::vector<String> ListSubStyles() const { return {}; }
  // Gives the series the look of variant Index (0 the first of ListSubStyles); an index outside
  // the list changes nothing.
  virtual void ApplySubStyle(Integer Index) { (void)Index; }
  // The point's own colour ($20000000 when none was set).
  virtual TColor PointColor(Integer Index) const;
  void SetPointColor(Integer Index, TColor Value);
  // The colour the point is drawn with: clNone for a null point, its own colour, else the
  // palette entry (ColorEachPoint) or the series colour.
  TColor ValueColor(Integer Index) const;
  bool IsNullPoint(Integer Index) const;
  bool IsNull(Integer Index) const { return IsNullPoint(Index); }
  bool HasPointColors() const { return !FColors.empty(); }

  // The stored colour, else the palette's first entry.
  TColor SeriesColor() const;
  virtual void SetSeriesColor(TColor Value);
  // False while the series has no colour of its own (the palette's first entry shows).
  bool HasSeriesColor() const { return FSeriesColor != clTeeColor; }
  bool ColorEachPoint() const { return FColorEachPoint; }
  void SetColorEachPoint(bool Value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool ShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool Value) { FShowInLegend = Value; }
  const String& ValueFormat() const { return FValueFormat; }
  void SetValueFormat(const String& Value);
  // A value as text in the series' value format.
  String FormatValue(double Value) const;

  // Extremes over the points that are not null (NaN and infinities count as null). An empty
  // series (or one of null points only) gives 0.
  double MinXValue() const;
  double MaxXValue() const;
  double MinYValue() const;
  double MaxYValue() const;
  // Both extremes of List (one of this series' lists) over those points in one pass; false (and
  // 0, 0) when no point counts.
  // The pass is remembered while the lists keep their stamps and no point has its own colour.
  // A series may widen the range of its Y list by further lists it draws.
  virtual bool ValueRange(const TChartValueList* List, double& Min, double& Max) const;
  // The block summary of the stored X and Y, brought up to date.
  const TLineSummary& LineSummary() const;

  // The chart whose series list holds this series (nullptr: none). Setting it takes the series
  // out of the old chart's list and appends it to the new one's.
  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  void SetParentChart(TCustomAxisPanel* Value);
  // Streaming (ChartStreaming.cpp): a series read as a chart's child joins that chart; its
  // points travel as the binary property "Data".
  void SetParentComponent(fw::TComponent* Value) override;
  void DefineProperties(fw::TFiler* Filer) override;

  // Drawing, called by the chart in this order within one paint: the points, then the marks.
  // On the plain GDI canvas a line goes straight to its DC through the per-column reduction; a
  // derived canvas (SVG, metafile) receives one Polyline per unbroken run instead.
  // The legend draws each series' symbol into its item's rectangle. Nothing is drawn without
  // both axes; null points and NaN or infinite values are left out.
  virtual void DrawAllValues(TPlotCanvas3D& Canvas);
  virtual void DrawMarks(TPlotCanvas3D& Canvas);
  virtual void DrawLegendSymbol(TPlotCanvas3D& Canvas, const win::RECT& Rect);
  // Index of the point drawn under pixel (X, Y), or -1 (the base draws no points).
  virtual Integer PointAt(Integer X, Integer Y);

  // Appearance. The pen's colour and the series colour follow each other. Changes of the pen,
  // brush, marks or pointer are announced as a colour change (listeners repaint).
  TChartPen* Pen() const { return FPen.get(); }
  TChartBrush* Brush() const { return FBrush.get(); }
  TSeriesMarks* Marks() const { return FMarks.get(); }
  // The mouse cursor over the series' points (0: the chart's own).
  Integer Cursor() const { return FCursor; }
  void SetCursor(Integer Value) { FCursor = Value; }
  // The text of point Index's mark by the marks' style; empty out of range.
  String MarkText(Integer Index) const;

  // Pixels of a value on the series' axes (0 without the axis) and of point Index.
  Integer CalcXPosValue(double Value) const;
  Integer CalcYPosValue(double Value) const;
  Integer CalcXPos(Integer Index) const { return CalcXPosValue(PointX(Index)); }
  Integer CalcYPos(Integer Index) const { return CalcYPosValue(PointY(Index)); }
  Integer PointPixelX(Integer Index) const { return CalcXPos(Index); }
  Integer PointPixelY(Integer Index) const { return CalcYPos(Index); }
  // The points the last drawing looked at (the X range of the horizontal axis on an ascending
  // X list, else all points); -1 before the first drawing and for an empty series.
  Integer FirstValueIndex() const { return FFirstValueIndex; }
  Integer LastValueIndex() const { return FLastValueIndex; }
  // The values on the series' axes under the mouse position the parent chart saw last; both 0
  // without a parent chart or an axis.
  void CursorToValues(double& X, double& Y) const;
  // The series' place in depth (pixels from the front) for charts shown in 3D, set by the chart
  // at layout (0 in a flat chart); tools marking points or marks in 3D use MiddleZ. The series
  // itself draws on the front plane.
  Integer StartZ() const { return FStartZ; }
  Integer EndZ() const { return FEndZ; }
  Integer MiddleZ() const { return (FStartZ + FEndZ) / 2; }
  void SetDepthPositions(Integer Start, Integer End) { FStartZ = Start, FEndZ = End; }
  // Told just before and just after the points are drawn (one handler each).
  fw::TNotifyEvent OnBeforeDrawValues;
  fw::TNotifyEvent OnAfterDrawValues;
  // Announces a change of appearance (the chart and lists showing the series repaint).
  void Repaint() { NotifySeriesEvent(seChangeColor); }

  TChartAxis* HorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(TChartAxis* Value) { FHorizAxis = Value; }
  TChartAxis* VertAxis() const { return FVertAxis; }
  void SetVertAxis(TChartAxis* Value) { FVertAxis = Value; }
  bool IsOnAxis(const TChartAxis* Axis) const { return Axis && (Axis == FHorizAxis || Axis == FVertAxis); }

  // Events are held while updates are open and delivered at the outer EndUpdate, which always
  // reports a data change.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }
  void NotifyDataChanged();
  void AddListener(TChartSeriesListener* Listener);
  void RemoveListener(TChartSeriesListener* Listener);
  // Broadcasts Event to the listeners (held while updating).
  void NotifySeriesEvent(TChartSeriesEvent Event);

  // Data sources and the calculating function. The series owns no source; a source going away
  // leaves the list.
  const std::vector<TChartSeries*>& DataSources() const { return FDataSources; }
  void AddDataSource(TChartSeries* Source);
  void RemoveDataSource(TChartSeries* Source);
  // Makes Source the only data source (none for nullptr).
  void SetDataSource(TChartSeries* Source);
  TPlotFunction* FunctionType() const { return FFunction; }
  // The series does not own its function (its owner does); nullptr detaches it.
  void SetFunctionType(TPlotFunction* Value);
  // Recomputes the points from the data sources through the function, when both exist.
  void CheckDataSource();

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  // A point is drawable: not null, both values finite.
  bool PointIsDrawable(Integer Index) const;

 protected:
  // Adds a further value list (after X and Y).
  TChartValueList* AddValueList(const String& Name);
  void SetYMandatory(bool Value) { FYMandatory = Value; }
  // Draws points FirstValueIndex .. LastValueIndex on the series' axes (nothing in the base).
  virtual void DrawValues(TPlotCanvas3D& Canvas);
  // Sets the visible range for the axes' current scale.
  void CalcFirstLastVisibleIndex();
  // On an ascending X list: the points with X in MinX .. MaxX and one more at each end (true);
  // otherwise all points (false).
  bool IndexRangeOfX(double MinX, double MaxX, Integer& First, Integer& Last) const;

 private:
  friend class TChartValueList;
  friend class TPlotFunction;
  void SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) override;
  Integer InsertPosition(double X) const;
  void InsertPointAt(Integer Index, double X, double Y, const String& Label, TColor Color);
  void Deliver(TChartSeriesEvent Event);
  // Reorders every list, the labels and the colours by the permutation (new[i] = old[Perm[i]]).
  void Permute(const std::vector<Integer>& Perm);
  void Changed();
  double Extreme(const TChartValueList* List, bool Max) const;
  bool ScanValueRange(const TChartValueList* List, double& Min, double& Max) const;

  std::vector<std::unique_ptr<TChartValueList>> FValueLists;
  // The last ValueRange of X, of Y and of one other list, with the stamps it was taken at.
  struct RangeMemo {
    std::uint64_t x = 0, y = 0, v = 0;
    bool found = false;
    double lo = 0, hi = 0;
  };
  mutable RangeMemo FRangeMemo[3];
  mutable TLineSummary FLineSummary;
  TLabelsList FLabels;
  std::vector<TColor> FColors;  // empty until a point colour is set
  bool FYMandatory = true;
  TColor FSeriesColor = clTeeColor;
  bool FSyncingPen = false;
  bool FColorEachPoint = false;
  String FTitle;
  bool FActive = true;
  bool FShowInLegend = true;
  String FValueFormat = DefaultValueFormat;
  TChartAxis* FHorizAxis = nullptr;
  TChartAxis* FVertAxis = nullptr;
  TCustomAxisPanel* FParentChart = nullptr;
  Integer FUpdateCount = 0;
  std::vector<TChartSeriesEvent> FPending;
  std::vector<TChartSeriesListener*> FListeners;
  std::vector<TChartSeries*> FDataSources;
  TPlotFunction* FFunction = nullptr;
  bool FComputing = false;
  std::unique_ptr<TChartPen> FPen;
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TSeriesMarks> FMarks;
  Integer FCursor = 0;
  Integer FFirstValueIndex = -1;
  Integer FLastValueIndex = -1;
  Integer FStartZ = 0;
  Integer FEndZ = 0;
};

// A list of series the list does not own.
class TChartSeriesList {
 public:
  Integer Count() const { return Integer(FItems.size()); }
  // No range check.
  TChartSeries* Items(Integer Index) const { return FItems[std::size_t(Index)]; }
  TChartSeries* operator[](Integer Index) const { return Items(Index); }
  Integer Add(TChartSeries* Series);
  void Delete(Integer Index);
  Integer Remove(TChartSeries* Series);
  void Clear() { FItems.clear(); }
  Integer IndexOf(const TChartSeries* Series) const;
  void Exchange(Integer Index1, Integer Index2);
  void Assign(const TChartSeriesList& Source) { FItems = Source.FItems; }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<TChartSeries*> FItems;
};

enum TPlotPeriodStyle { psNumPoints, psRange };
enum TPlotPeriodAlign { paFirst, paCenter, paLast };

// A calculating function fills its parent series from the parent's data sources.
//
// How periods are cut (the rules every derived function relies on):
// - psNumPoints: Period is rounded to a whole number of points (at least 1). Periods are
//   [0, n-1], [n, 2n-1], ...; a last period with fewer than n points is computed as well.
// - psRange: Period is an X width. Periods start at the source's first X: period k takes the
//   points with X0 + k*Period <= X < X0 + (k+1)*Period, walking the points in order (the source
//   is expected in ascending X). A range without points gives no result; the last range may be
//   partial.
// - Each result is placed at the X of its first point (paFirst), of its last point (paLast) or,
//   for paCenter, at the period's middle X = (X of first point + X of last point) / 2.
// - Period 0 computes once over the whole source (ValueOverRange with -1, -1); a line series
//   gets that value at the source's smallest and largest X, other series one point at the
//   middle of those.
// - A moving function takes every window of n consecutive points (n = Period rounded, at least
//   1), from [0, n-1] to [Count-n, Count-1], each result placed as above; a source shorter than
//   n gives no points.
class TPlotFunction : public fw::TComponent {
 public:
  explicit TPlotFunction(fw::TComponent* AOwner);
  ~TPlotFunction() override;

  double Period() const { return FPeriod; }
  // Raises "Function Period should be >= 0" for a negative (or NaN) value.
  void SetPeriod(double Value);
  TPlotPeriodStyle PeriodStyle() const { return FPeriodStyle; }
  void SetPeriodStyle(TPlotPeriodStyle Value);
  TPlotPeriodAlign PeriodAlign() const { return FPeriodAlign; }
  void SetPeriodAlign(TPlotPeriodAlign Value);
  TChartSeries* ParentSeries() const { return FParent; }
  bool CanUsePeriod() const { return FCanUsePeriod; }
  bool SingleSource() const { return FSingleSource; }
  bool HideSourceList() const { return FHideSourceList; }

  virtual String GetEditorClassName() const;
  virtual double ValueOverRange(TChartSeries* Source, Integer First, Integer Last);
  virtual double ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index);

  // Fills the parent from Source, or from all sources when the parent has several.
  virtual void ComputeFromSource(TChartSeries* Source);
  void Compute(TChartSeries* Source, TChartValueList* XList);
  virtual void ComputeWhole(TChartSeries* Source);
  virtual void ComputeByPeriods(TChartSeries* Source);
  virtual void ComputeOneRange(TChartSeries* Source, Integer First, Integer Last);
  // The list of Source the function reads: the one the parent's mandatory list names as its
  // ValueSource, else Source's mandatory list.
  TChartValueList* SourceValueList(TChartSeries* Source) const;
  // Refills the parent after a change of a property the result depends on.
  virtual void RequestRecompute();

 protected:
  void AddResultPoint(double X, double Y);
  // Where the result of points First..Last goes, by PeriodAlign.
  double PeriodX(TChartSeries* Source, Integer First, Integer Last) const;
  Integer PeriodPoints() const;
  void SetCanUsePeriod(bool Value) { FCanUsePeriod = Value; }
  void SetSingleSource(bool Value) { FSingleSource = Value; }
  void SetHideSourceList(bool Value) { FHideSourceList = Value; }
  void ComputeManySources(const std::vector<TChartSeries*>& Sources);

 private:
  friend class TChartSeries;
  TChartSeries* FParent = nullptr;
  double FPeriod = 0;
  TPlotPeriodStyle FPeriodStyle = psNumPoints;
  TPlotPeriodAlign FPeriodAlign = paCenter;
  bool FCanUsePeriod = true;
  bool FSingleSource = false;
  bool FHideSourceList = false;
};

class TPlotMovingFunction : public TPlotFunction {
 public:
  explicit TPlotMovingFunction(fw::TComponent* AOwner);
  void ComputeByPeriods(TChartSeries* Source) override;
};

// One registered class of a registry: how to make it, and where the gallery shows it.
struct TPlotClassInfo {
  String Name;
  const std::type_info* Type = nullptr;
  std::function<fw::TComponent*(fw::TComponent* Owner)> Create;
  String Page;
  String Description;
};

template <typename T>
TPlotClassInfo PlotClassOf(const String& Page = {}, const String& Description = {}) {
  TPlotClassInfo info;
  info.Name = fw::ClassNameOf(typeid(T));
  info.Type = &typeid(T);
  info.Create = [](fw::TComponent* Owner) -> fw::TComponent* { return new T(Owner); };
  info.Page = Page;
  info.Description = Description;
  return info;
}

// Upward seam (chart -> the libraries that define series, functions and tools): the registries
// hold their Create functions, so the chart makes classes of higher libraries by name.
// Registering a class again keeps the first entry. Each registration also registers the class
// for streaming by name.
void RegisterPlotSeries(TPlotClassInfo Info);
void UnRegisterPlotSeries(const std::type_info& Type);
const std::vector<TPlotClassInfo>& PlotSeriesGallery();
void RegisterPlotFunction(TPlotClassInfo Info);
void RegisterStandardFunction(TPlotClassInfo Info);  // on the standard page
void UnRegisterPlotFunction(const std::type_info& Type);
const std::vector<TPlotClassInfo>& PlotFunctionGallery();
void RegisterToolTypes(const std::vector<TPlotClassInfo>& Tools);
void UnregisterToolTypes(const std::vector<TPlotClassInfo>& Tools);
const std::vector<TPlotClassInfo>& PlotToolTypes();

// The series' gallery description, else its class name.
String SeriesGalleryDescription(const TChartSeries* Series);
// The title, else the component name, else "Series" with the 1-based position in List, or
// without a List in its chart's series list (just "Series" when it is in none).
String SeriesDisplayName(const TChartSeries* Series, const TChartSeriesList* List = nullptr);
// One line per series of List: its display name, with the series as the line's object.
void ListSeriesInStrings(fw::TStrings* Strings, const TChartSeriesList& List);
// True when the X values are not 0, 1, ..., Count-1 (checks the last and the first 10001).
bool HasCustomXValues(const TChartSeries* Series);
// 1 custom X values, 2 a point colour other than the series colour and not "not set" among the
// first 10001 points, 4 a label among the first 101 points, 8 marks with custom positions.
std::uint8_t SeriesDataFlags(const TChartSeries* Series);

// Draws Series' legend symbol into Rect of a framework canvas (lists and grids show it).
void DrawSeriesSymbolInRect(TChartSeries* Series, fw::TCanvas& Canvas, const win::RECT& Rect);

// Replaces Points (screen pixels) by their convex hull in hull order, starting at the leftmost
// (then topmost) point and going clockwise on the screen, without collinear points.
void ConvexHull(std::vector<win::POINT>& Points);

}  // namespace chart
