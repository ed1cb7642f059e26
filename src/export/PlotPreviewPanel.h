#pragma once
// TPlotPreviewPanel: a sheet of paper with the chart drawn inside its print margins. The user
// drags a margin or a corner, or moves the whole printed area; the chart's print margins follow.
// Print draws the chart on the printer exactly as the sheet shows it.

#include <functional>
#include <memory>
#include <vector>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/Printers.h"

namespace kvexport {

using fw::Integer;
using fw::String;
using fw::TColor;
using fw::TRect;

// The pen of the margin lines: small dots, dotted, visible.
class TPreviewChartPen : public chart::TChartPen {
 public:
  TPreviewChartPen();
};

// The charts previewed and printed together; the first one is the preview's Panel.
class TPlotPanelsList {
 public:
  Integer Count() const { return Integer(FItems.size()); }
  chart::TCustomPlotPanel* Items(Integer Index) const { return FItems[std::size_t(Index)]; }
  void Add(chart::TCustomPlotPanel* Panel) { FItems.push_back(Panel); }
  void Remove(chart::TCustomPlotPanel* Panel);
  // Puts Panel first (once); nullptr takes the first entry out.
  void SetFirst(chart::TCustomPlotPanel* Panel);

 private:
  std::vector<chart::TCustomPlotPanel*> FItems;
};

enum TPreviewOrientation { ppoDefault, ppoPortrait, ppoLandscape };

// What the mouse drags: an edge, the whole area or a corner.
enum TPreviewDragMode {
  dmNone = 0, dmLeft = 1, dmTop = 2, dmRight = 3, dmBottom = 4, dmMove = 5,
  dmTopLeft = 6, dmTopRight = 7, dmBottomLeft = 8, dmBottomRight = 9
};

using TPreviewChangeMarginsEvent = std::function<void(fw::TObject* Sender, bool Changed, const TRect& Margins)>;
using TPreviewGetPaperRectEvent = std::function<void(fw::TObject* Sender, TRect& PaperRect)>;
using TPreviewNotifyEvent = std::function<void(fw::TObject* Sender)>;

class TPlotPreviewPanel : public chart::TCustomPlotPanelExtended {
 public:
  explicit TPlotPreviewPanel(fw::TComponent* AOwner);
  ~TPlotPreviewPanel() override;

  chart::TCustomPlotPanel* Panel() const { return FPanels.Count() ? FPanels.Items(0) : nullptr; }
  void SetPanel(chart::TCustomPlotPanel* Value);
  TPlotPanelsList& Panels() { return FPanels; }

  // The printer printed on and whose page the sheet shows (not owned); nullptr: no printer, the
  // sheet takes the screen's proportions and Print refuses.
  fw::TPrinter* Printer() const { return FPrinter; }
  void SetPrinter(fw::TPrinter* Value);

  bool AllowResize() const { return FAllowResize; }
  void SetAllowResize(bool Value) { FAllowResize = Value; }
  bool AllowMove() const { return FAllowMove; }
  void SetAllowMove(bool Value) { FAllowMove = Value; }
  bool AsBitmap() const { return FAsBitmap; }
  void SetAsBitmap(bool Value);
  bool DragImage() const { return FDragImage; }
  void SetDragImage(bool Value) { FDragImage = Value; }
  TPreviewChartPen* Margins() { return &FMargins; }
  TPreviewOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPreviewOrientation Value);
  TColor PaperColor() const { return FPaperColor; }
  void SetPaperColor(TColor Value);
  chart::TPlotShadow* PaperShadow() { return &FPaperShadow; }
  bool ShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);
  bool SmoothBitmap() const { return FSmoothBitmap; }
  void SetSmoothBitmap(bool Value);
  // The print job's title; empty: the chart's component name.
  String Title;

  TPreviewChangeMarginsEvent OnChangeMargins;
  TPreviewGetPaperRectEvent OnGetPaperRect;
  TPreviewNotifyEvent OnAfterDraw;

  // The sheet and the chart's area on it, in panel pixels, as the next paint draws them.
  TRect PaperRect();
  TRect MarginsRect(const TRect& Paper);
  // What a press at (X, Y) would drag.
  TPreviewDragMode HitTest(Integer X, Integer Y);

  // Prints every chart of the list on the printer as previewed (EPrinter without a printer).
  void Print();

 protected:
  void Paint() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  void PageSize(Integer& Width, Integer& Height);
  void ApplyOrientation();
  void DrawMarginLines(fw::TCanvas& Canvas, const TRect& Paper, const TRect& Margins);
  void DrawFrameOnWindow();
  void DragTo(Integer X, Integer Y);
  void Changed(const TRect& Before);

  TPlotPanelsList FPanels;
  fw::TPrinter* FPrinter = nullptr;
  bool FAllowResize = true;
  bool FAllowMove = true;
  bool FAsBitmap = false;
  bool FDragImage = false;
  TPreviewChartPen FMargins;
  TPreviewOrientation FOrientation = ppoDefault;
  TColor FPaperColor = fw::clWhite;
  chart::TPlotShadow FPaperShadow;
  bool FShowImage = true;
  bool FSmoothBitmap = true;
  bool FInPaint = false;
  TPreviewDragMode FDragMode = dmNone;
  fw::TPoint FPressPoint{};
  TRect FPressMargins{};
  TRect FPaper{}, FMarginsRect{};
};

}  // namespace kvexport
