#pragma once
// The chart control. TCustomPlotPanel paints through an installed TPlotCanvas3D (and its back
// buffer), makes pictures of itself and prints; TCustomAxisPanel holds the series, the axes and
// the tools and runs the paint and mouse protocol (zoom, scroll, tool events); TCustomChart adds
// titles, legend and walls, lays them out and answers which part lies under a pixel.
//
// Canvas ownership: the panel owns its installed canvas. SetCanvas(new) copies the installed
// canvas' settings into the new one, frees the old one and returns nullptr; SetCanvas(nullptr)
// takes the installed canvas out and hands it back to the caller alive (the panel then draws
// nothing until a canvas is installed again).

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "chart/PlotEngine.h"
#include "framework/Controls.h"
#include "framework/GraphicsBitmap.h"

namespace fw {
class TMetafile;
}

namespace chart {

class TChartAxis;
class TChartTitle;
class TChartLegend;
class TChartWall;
class TPlotCanvas3D;
class TPlotGradient;
class TPlotCustomTool;
struct TView3DSettings;

using fw::TRect;

// What lies under a pixel of the chart (one byte).
enum TSelectorPartCode : std::uint8_t {
  cpNone = 0,
  cpLegend = 1,
  cpAxis = 2,
  cpSeries = 3,
  cpTitle = 4,
  cpFoot = 5,
  cpChartRect = 6,
  cpSeriesMarks = 7,
  cpSubTitle = 8,
  cpSubFoot = 9
};

struct TSelectorClickedPart {
  TSelectorPartCode Part = cpNone;
  Integer PointIndex = -1;  // the point, mark or legend item under the pixel
  TChartSeries* Series = nullptr;
  TChartAxis* Axis = nullptr;
};

// Asked on each press before any tool: setting Handled claims the press, so that no tool, no
// OnMouseDown and no zoom or scroll sees it.
using TBeforeMouseDownEvent =
    std::function<void(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y, bool& Handled)>;

// Asked before the chart scrolls an axis: the proposed bounds, and whether to scroll at all.
using TAllowScrollEvent =
    std::function<void(TChartAxis* Axis, double& AMin, double& AMax, bool& AllowScroll)>;

class TCustomPlotPanel : public fw::TCustomControl {
 public:
  explicit TCustomPlotPanel(fw::TComponent* AOwner);
  ~TCustomPlotPanel() override;

  // The installed chart canvas (nullptr while taken out). The control's own framework canvas
  // stays reachable as fw::TCustomControl::Canvas().
  TPlotCanvas3D* Canvas() const { return FPlotCanvas.get(); }
  // See the ownership note at the top of this file.
  std::unique_ptr<TPlotCanvas3D> SetCanvas(std::unique_ptr<TPlotCanvas3D> Value);

  bool BufferedDisplay() const;
  void SetBufferedDisplay(bool Value);
  // Off: changes do not repaint (Invalidate only marks the picture stale).
  bool AutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value);
  // Set by a tool (or a dialog) to claim the mouse event under way; cleared before each event.
  bool CancelMouse() const { return FCancelMouse; }
  void SetCancelMouse(bool Value) { FCancelMouse = Value; }
  // True while the chart draws for a printer or a preview.
  bool Printing() const { return FPrinting; }
  void SetPrinting(bool Value) { FPrinting = Value; }

  // Print margins in percent of the page: left, top, right, bottom.
  const TRect& PrintMargins() const { return FPrintMargins; }
  void SetPrintMargins(const TRect& Value);
  // Margins that keep the chart's own aspect ratio on the page.
  bool PrintProportional() const { return FPrintProportional; }
  void SetPrintProportional(bool Value) { FPrintProportional = Value; }
  // -100..100: the level of detail of printing. The chart is laid out for a printed area at
  // 2^(Level/100) times the area's size and then mapped onto it, so that its texts, lines and
  // marks come out at 2^(-Level/100) times their size at level 0: -100 twice as large (fewer
  // labels fit), +100 half as large (more of them). Level 0 draws at the area's own size.
  Integer PrintResolution() const { return FPrintResolution; }
  void SetPrintResolution(Integer Value);
  // The size (from 0, 0; at least 1 x 1) the chart is laid out at for a printed area of Width x
  // Height at the level of detail: exactly that size at level 0. A scale up gives way where the
  // picture would outgrow a metafile.
  TRect PrintLayoutRect(Integer Width, Integer Height) const;
  // Margins (percent) for a page of the given size that keep the chart's aspect ratio, centred.
  TRect CalcProportionalMargins(Integer PageWidth, Integer PageHeight);
  // The chart's rectangle on a page of the given size (proportional margins recomputed first
  // when PrintProportional).
  TRect ChartPrintRect(Integer PageWidth, Integer PageHeight);
  // Draws the chart into R of a printer (or any) canvas, marked as printing, laid out at the
  // level of detail (PrintLayoutRect): at level 0 straight into R, else as a metafile picture
  // of the layout's size stretched into R, its one-dot lines widening where it is enlarged.
  void PrintPartial(fw::TCanvas& PrinterCanvas, const TRect& R);

  // A new bitmap of R's size with the chart drawn into it over BackColor; 24 bits per pixel when
  // the canvas is not GDI-based, else PixelFormat.
  std::unique_ptr<fw::TBitmap> CreateBitmap(TColor BackColor, const win::RECT& R, fw::TPixelFormat PixelFormat);
  // A new metafile of R's size (at least 1 x 1) with the chart recorded into it over Color
  // (ChartMetafile.cpp; include framework/GraphicsMetafile.h to use it). A side above
  // MaxMetafileSide raises fw::EInvalidGraphicOperation rather than make a smaller picture.
  static constexpr Integer MaxMetafileSide = 32768;
  std::unique_ptr<fw::TMetafile> CreateMetafile(bool Enhanced, const win::RECT& R);
  // The chart at its Width x Height on the clipboard: as an enhanced metafile (also when
  // Enhanced is false: Windows-format metafiles are not made), or as a bitmap.
  void CopyToClipboardMetafile(bool Enhanced);
  void CopyToClipboardBitmap();
  // Draws the whole chart into UserCanvas within R.
  virtual void Draw(fw::TCanvas& UserCanvas, const win::RECT& R);

  // Marks the picture stale and, with AutoRepaint, asks the window to repaint.
  void Invalidate() override;

 protected:
  // The chart's picture within R on the installed canvas (which has begun its pass).
  virtual void InternalDraw(TPlotCanvas3D& Canvas, const TRect& R);
  // The panel background: BackColor when a picture is made over one, else Color.
  TColor BackgroundColor() const;
  void Paint() override;
  void WMEraseBkgnd(fw::TMessage& Message) override;
  void CMColorChanged(fw::TMessage& Message) override;

 private:
  std::unique_ptr<TPlotCanvas3D> FPlotCanvas;
  bool FAutoRepaint = true;
  bool FCancelMouse = false;
  bool FPrinting = false;
  TRect FPrintMargins{15, 15, 15, 15};
  bool FPrintProportional = true;
  Integer FPrintResolution = 0;
  bool FHasDrawBackColor = false;
  TColor FDrawBackColor = fw::clWhite;
};

// A panel whose background may be a gradient.
class TCustomPlotPanelExtended : public TCustomPlotPanel {
 public:
  explicit TCustomPlotPanelExtended(fw::TComponent* AOwner);
  ~TCustomPlotPanelExtended() override;

  TPlotGradient* Gradient() const { return FGradient.get(); }

 protected:
  void InternalDraw(TPlotCanvas3D& Canvas, const TRect& R) override;

 private:
  std::unique_ptr<TPlotGradient> FGradient;
};

// One paint: background; tool event 2; layout (titles, legend, depth, the axes' room, plot
// rectangle); walls; event 3; grid; event 1 and OnBeforeDrawSeries; the active series clipped
// to the plot rectangle, then their marks; event 4; axes; titles and legend; event 0 and
// OnAfterDraw. Each mouse press, move and release: CancelMouse cleared, the active tools in list
// order until one sets CancelMouse, the OnMouse* event, then (unless claimed) the chart's own
// zoom and scroll.
class TCustomAxisPanel : public TCustomPlotPanelExtended, private TChartSeriesListener {
 public:
  explicit TCustomAxisPanel(fw::TComponent* AOwner);
  ~TCustomAxisPanel() override;

  // The series shown, in drawing order (not owned: series belong to their owner component).
  const TChartSeriesList& SeriesList() const { return FSeriesList; }
  Integer SeriesCount() const { return FSeriesList.Count(); }
  // No range check.
  TChartSeries* Series(Integer Index) const { return FSeriesList.Items(Index); }
  // Appends the series (taking it from another chart first); a series without axes is put on
  // the bottom and left axes.
  // A series without a colour of its own takes the first palette colour no other series of
  // the chart shows.
  void AddSeries(TChartSeries* Series);
  void RemoveSeries(TChartSeries* Series);
  void ExchangeSeries(TChartSeries* Series1, TChartSeries* Series2);
  // Told of every series event of the chart's series, and of series added (0) and removed (1).
  void AddListener(TChartSeriesListener* Listener);
  void RemoveListener(TChartSeriesListener* Listener);

  // Axes in creation order: 0 bottom, 1 top, 2 left, 3 right, 4 depth, 5 depth top, then custom
  // axes. The chart owns them.
  const std::vector<TChartAxis*>& AxesList() const { return FAxesList; }
  TChartAxis* BottomAxis() const { return FAxesList[0]; }
  TChartAxis* TopAxis() const { return FAxesList[1]; }
  TChartAxis* LeftAxis() const { return FAxesList[2]; }
  TChartAxis* RightAxis() const { return FAxesList[3]; }
  TChartAxis* DepthAxis() const { return FAxesList[4]; }
  TChartAxis* DepthTopAxis() const { return FAxesList[5]; }
  // A further axis owned by the chart.
  TChartAxis* AddCustomAxis(bool Horizontal);

  // The plot rectangle of the last layout.
  const TRect& ChartRect() const { return FChartRect; }
  // The mouse position in client pixels: where the mouse is now when the chart has a window,
  // else the last position a mouse event brought.
  fw::TPoint GetCursorPos();

  double MinimumXOnAxis(const TChartAxis* Axis) const;
  double MaximumXOnAxis(const TChartAxis* Axis) const;

  // The tools in event order (not owned).
  const std::vector<TPlotCustomTool*>& Tools() const { return FTools; }
  // A stream writes the chart's series, then its tools, as its children, whoever owns them
  // (ChartStreaming.cpp).
  void GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent* Root) override;
  void AddTool(TPlotCustomTool* Tool);
  void RemoveTool(TPlotCustomTool* Tool);

  // Depth view; copied into the canvas at each paint.
  TView3DSettings& View3DOptions() { return *FView3D; }
  bool View3D() const;
  void SetView3D(bool Value);

  // A fixed number of points per page (0: none); series that size their bars by the points
  // shown take it instead. Values below 0 count as 0.
  Integer MaxPointsPerPage() const { return FMaxPointsPerPage; }
  void SetMaxPointsPerPage(Integer Value);

  // Zoom by a left drag, scroll by a right drag.
  bool AllowZoom() const { return FAllowZoom; }
  void SetAllowZoom(bool Value) { FAllowZoom = Value; }
  bool AllowPanning() const { return FAllowPanning; }
  void SetAllowPanning(bool Value) { FAllowPanning = Value; }
  bool Zoomed() const { return FZoomed; }
  // Zooms into a pixel rectangle of the plot area (every axis takes the values under it).
  void ZoomRect(const TRect& R);
  // Back to automatic scaling on every axis.
  void UndoZoom();

  // Draws straight onto the window outside a paint (XOR marks that follow the mouse: tools'
  // lines, the zoom frame); nothing without a window. The next paint redraws the whole picture
  // rather than the back buffer, which does not hold what was drawn here.
  void DrawOnWindow(const std::function<void(fw::TCanvas& Canvas)>& Draw);

  // True while a picture of the chart is being drawn (tools' paint events come then).
  bool Drawing() const { return FDrawing; }

  TBeforeMouseDownEvent OnBeforeMouseDown;
  TAllowScrollEvent OnAllowScroll;
  fw::TNotifyEvent OnScroll;
  fw::TNotifyEvent OnZoom;
  fw::TNotifyEvent OnUndoZoom;
  fw::TNotifyEvent OnBeforeDrawSeries;
  fw::TNotifyEvent OnAfterDraw;

  // Ignored while the chart draws (automatic scaling then changes the axes).
  void Invalidate() override;

 protected:
  void InternalDraw(TPlotCanvas3D& Canvas, const TRect& R) override;
  void Paint() override;
  // Drawn and laid out: visible, not a depth axis, and the bottom or left axis or one a series
  // is on.
  bool AxisShown(const TChartAxis* Axis) const;
  bool IsDepthAxis(const TChartAxis* Axis) const;
  // Each automatic axis makes room for the margins its series ask (CalcAxisMargins).
  void WidenAxesBySeriesMargins();
  // Pixels of depth of the 3D view for a plot rectangle (0 in 2D).
  Integer Depth3D(const TRect& R) const;
  // Titles and legend take their room from R before the axes do.
  virtual void CalcTitlesAndLegend(TPlotCanvas3D& Canvas, TRect& R);
  virtual void DrawWalls(TPlotCanvas3D& Canvas, const TRect& PlotRect);
  virtual void DrawTitlesAndLegend(TPlotCanvas3D& Canvas);
  // Passes a paint event to every active tool in list order.
  void BroadcastToolEvent(Integer Kind);

  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseLeave(fw::TMessage& Message) override;
  void WMCancelMode(fw::TMessage& Message) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  void SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) override;
  void Broadcast(TChartSeries* Series, TChartSeriesEvent Event);
  TChartAxis* NewAxis(bool Horizontal, bool OtherSide);
  TColor FreePaletteColor() const;
  // The axis of this chart a joining series goes on, for the axis it names (Default for none).
  TChartAxis* OwnAxis(TChartAxis* Axis, TChartAxis* Default) const;
  void LeaveAxes(TChartSeries* Series) const;
  void AxisChanged(fw::TObject* Sender);
  // Passes a mouse event to the tools; false when one claimed it.
  bool ToolsMouse(Integer Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y);
  void DrawZoomFrame();
  void ScrollAxes(Integer DX, Integer DY);

  void ForgetComponent(const fw::TComponent* Component);

  TChartSeriesList FSeriesList;
  // Each listed series with its component address, to recognise it while it is being freed.
  std::vector<std::pair<const fw::TComponent*, TChartSeries*>> FSeriesComponents;
  std::vector<TChartSeriesListener*> FListeners;
  std::vector<std::unique_ptr<TChartAxis>> FAxes;
  std::vector<TChartAxis*> FAxesList;
  std::vector<TPlotCustomTool*> FTools;
  std::unique_ptr<TView3DSettings> FView3D;
  Integer FMaxPointsPerPage = 0;
  TRect FChartRect{};
  fw::TPoint FCursorPos{};
  bool FAllowZoom = true;
  bool FAllowPanning = true;
  bool FZoomed = false;
  // Mouse drag state.
  enum TDragKind { dkNone, dkZoom, dkScroll };
  TDragKind FDrag = dkNone;
  fw::TPoint FDragStart{};
  fw::TPoint FDragLast{};
  bool FZoomFrameShown = false;
  fw::TCursor FOwnCursor = fw::crDefault;
  bool FToolCursorShown = false;
  bool FDrawing = false;
  bool FInPaint = false;
};

class TCustomChart : public TCustomAxisPanel {
 public:
  explicit TCustomChart(fw::TComponent* AOwner);
  ~TCustomChart() override;

  TChartTitle* Title() const { return FTitle; }
  TChartTitle* SubTitle() const { return FSubTitle; }
  TChartTitle* Foot() const { return FFoot; }
  TChartTitle* SubFoot() const { return FSubFoot; }
  TChartLegend* Legend() const { return FLegend; }
  TChartWall* BackWall() const { return FBackWall; }
  TChartWall* LeftWall() const { return FLeftWall; }
  TChartWall* BottomWall() const { return FBottomWall; }

  // What lies at P (client pixels) on the last drawn picture.
  void PartAt(const fw::TPoint& P, TSelectorClickedPart& Part);

 protected:
  void CalcTitlesAndLegend(TPlotCanvas3D& Canvas, TRect& R) override;
  void DrawWalls(TPlotCanvas3D& Canvas, const TRect& PlotRect) override;
  void DrawTitlesAndLegend(TPlotCanvas3D& Canvas) override;

 private:
  // Owned as components of the chart.
  TChartTitle* FTitle = nullptr;
  TChartTitle* FSubTitle = nullptr;
  TChartTitle* FFoot = nullptr;
  TChartTitle* FSubFoot = nullptr;
  TChartLegend* FLegend = nullptr;
  TChartWall* FBackWall = nullptr;
  TChartWall* FLeftWall = nullptr;
  TChartWall* FBottomWall = nullptr;
};

class TChart : public TCustomChart {
 public:
  explicit TChart(fw::TComponent* AOwner);
  ~TChart() override;
};

// The main form's chart; nullptr until the main window sets it.
extern TChart* MainChart;

}  // namespace chart
