#pragma once
// Stock-market series and indicators: open-high-low-close points, candles, volume bars, and the
// average directional index and relative strength index computed from an OHLC source.

#include <memory>

#include "analysis/CandleColumns.h"
#include "chart/Series.h"

namespace analysis {

using fw::Integer;
using fw::String;
using fw::TColor;

// Points of a date (X, "Date") and four values: "Close" (Y), "High", "Low" and "Open".
class TOHLCSeries : public chart::TCustomSeries {
 public:
  explicit TOHLCSeries(fw::TComponent* AOwner);

  chart::TChartValueList* DateValues() const { return XValues(); }
  chart::TChartValueList* CloseValues() const { return YValues(); }
  chart::TChartValueList* HighValues() const { return FHigh; }
  chart::TChartValueList* LowValues() const { return FLow; }
  chart::TChartValueList* OpenValues() const { return FOpen; }

  // Adds one point (without label, default colour) and returns its index.
  Integer AddOHLC(double Date, double Open, double High, double Low, double Close);
  // The Y range covers all four lists.
  bool ValueRange(const chart::TChartValueList* List, double& Min, double& Max) const override;

 protected:
  // True when only the close values are drawn (their range alone counts).
  virtual bool CloseOnly() const { return false; }

 private:
  chart::TChartValueList* FHigh;
  chart::TChartValueList* FLow;
  chart::TChartValueList* FOpen;
};

enum TCandleStyle { csCandleStick, csCandleBar, csOpenClose, csLine };

class TCandleSeries : public TOHLCSeries {
 public:
  explicit TCandleSeries(fw::TComponent* AOwner);
  ~TCandleSeries() override;

  TCandleStyle CandleStyle() const { return FCandleStyle; }
  // csLine hides the pointer; every other style shows it.
  void SetCandleStyle(TCandleStyle Value);
  Integer CandleWidth() const { return FCandleWidth; }
  void SetCandleWidth(Integer Value);
  TColor UpCloseColor() const { return FUpCloseColor; }
  void SetUpCloseColor(TColor Value);
  TColor DownCloseColor() const { return FDownCloseColor; }
  void SetDownCloseColor(TColor Value);
  bool ShowOpenTick() const { return FShowOpenTick; }
  void SetShowOpenTick(bool Value);
  bool ShowCloseTick() const { return FShowCloseTick; }
  void SetShowCloseTick(bool Value);
  // The high-low line's pen; while its colour is left at the default, the series pen's colour.
  chart::TChartPen* HighLowPen() const { return FHighLowPen.get(); }

  // A point's own colour, else up or down by its close against its open (or against the
  // previous close when they are equal).
  TColor CandleColor(Integer Index) const;
  // The body's pixel columns: CandleWidth div 2 left of X, the rest right of it.
  Integer LeftHalf() const { return FCandleWidth / 2; }
  Integer RightHalf() const { return FCandleWidth - FCandleWidth / 2; }

  Integer PointAt(Integer X, Integer Y) override;
  String GetEditorClassName() const override { return "TCandleEditor"; }
  // "Bar", "No Open", "No Close", "No Border", "Line".
  std::vector<String> ListSubStyles() const override;
  void ApplySubStyle(Integer Index) override;
  // The gallery's preview: 4 sample candles 12 pixels wide with a 2-pixel pen, greyed when the
  // gallery shows the class disabled.
  void PrepareForGallery(bool Enabled);
  // Replaces the points by Count days of a random walk of closes from today, with the open at
  // the previous close and the high and low around both.
  void FillSampleValues(Integer Count = 40);

 protected:
  void DrawValues(chart::TPlotCanvas3D& Canvas) override;
  bool CloseOnly() const override { return FCandleStyle == csLine; }
  // Whether Candles candles over Columns pixel columns are composed column by column rather
  // than drawn one by one (the picture is the same either way).
  virtual bool ComposesColumns(Integer Candles, Integer Columns) const { return Candles >= 4 * Columns; }

 private:
  struct Pixels {
    Integer X, Open, High, Low, Close;
  };
  Pixels PixelsOf(Integer Index) const;
  void DrawCandle(chart::TPlotCanvas3D& Canvas, Integer Index, Integer PreviousX, Integer PreviousClose);
  // The colour a point's own colour or its move decides, clNone when it repeats the one before.
  TColor DecidedColor(Integer Index) const;
  // Draws the bodies and high-low lines through a TCandleColumns when they are crowded and
  // drawn with plain pens; false (nothing drawn) otherwise.
  bool DrawComposed(chart::TPlotCanvas3D& Canvas);
  // In a 3D view with Draw3D the body is a cube over the series' depth.
  bool DrawsCubes(chart::TPlotCanvas3D& Canvas) const;
  void DrawCube(chart::TPlotCanvas3D& Canvas, const chart::TRect& R, TColor Color);

  TCandleStyle FCandleStyle = csCandleStick;
  Integer FCandleWidth = 4;
  TColor FUpCloseColor = fw::clWhite;
  TColor FDownCloseColor = 0x0000FF;
  bool FShowOpenTick = true;
  bool FShowCloseTick = true;
  std::unique_ptr<chart::TChartPen> FHighLowPen;
  TCandleColumns FComposed;  // kept between draws for its buffers
};

// One vertical line per point, from the origin to its value in the point's colour.
class TVolumeSeries : public chart::TCustomSeries {
 public:
  explicit TVolumeSeries(fw::TComponent* AOwner);
  chart::TChartValueList* VolumeValues() const { return YValues(); }
  // With UseYOrigin the lines start at YOrigin, else at the vertical axis' far end.
  bool UseYOrigin() const { return FUseYOrigin; }
  void SetUseYOrigin(bool Value);
  double YOrigin() const { return FYOrigin; }
  void SetYOrigin(double Value);
  Integer PointAt(Integer X, Integer Y) override;
  String GetEditorClassName() const override { return "TVolumeSeriesEditor"; }
  // "Dotted", "Colors", "Origin".
  std::vector<String> ListSubStyles() const override;
  void ApplySubStyle(Integer Index) override;
  // Replaces the points by Count random volumes, one per index.
  void FillSampleValues(Integer Count = 40);

 protected:
  void DrawValues(chart::TPlotCanvas3D& Canvas) override;

 private:
  Integer OriginPixel() const;
  bool FUseYOrigin = false;
  double FYOrigin = 0;
};

// The average directional index with its up (+DI) and down (-DI) lines, owned and hidden from
// the legend. Needs Period ≥ 2 and at least 2·Period points of an OHLC source.
class TADXFunction : public chart::TPlotFunction {
 public:
  explicit TADXFunction(fw::TComponent* AOwner);
  ~TADXFunction() override;
  String GetEditorClassName() const override { return "TADXFuncEditor"; }
  void ComputeFromSource(chart::TChartSeries* Source) override;
  chart::TFastLineSeries* UpLine() const { return FUpLine; }
  chart::TFastLineSeries* DownLine() const { return FDownLine; }
  chart::TChartPen* UpLinePen() const;
  chart::TChartPen* DownLinePen() const;

 private:
  chart::TFastLineSeries* FUpLine;
  chart::TFastLineSeries* FDownLine;
};

enum TRSIStyle { rsiOpenClose, rsiClose };

// The relative strength index of each moving window of an OHLC source.
class TRSIFunction : public chart::TPlotMovingFunction {
 public:
  explicit TRSIFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  void ComputeByPeriods(chart::TChartSeries* Source) override;
  TRSIStyle Style() const { return FStyle; }
  void SetStyle(TRSIStyle Value);

 private:
  struct TLists {
    const chart::TChartValueList* Close = nullptr;
    const chart::TChartValueList* Open = nullptr;
  };
  // The Close and Open lists of Source; false when the style's lists are missing.
  bool FindLists(chart::TChartSeries* Source, TLists& Lists) const;
  // The gain and loss point Index adds; false when it is a gap.
  bool Term(chart::TChartSeries* Source, const TLists& Lists, Integer Index, double& Gain, double& Loss) const;
  double Value(double Gains, double Losses, Integer Count) const;
  TRSIStyle FStyle = rsiOpenClose;
};

// Keeps an owned line of a function in step with the function's series: the same chart and
// axes, hidden from the legend, the date flag of Source's X list.
void FollowFunctionSeries(chart::TChartSeries* Line, chart::TPlotFunction* Function, chart::TChartSeries* Source);

void RegisterFinancialClasses();
void UnRegisterFinancialClasses();

}  // namespace analysis
