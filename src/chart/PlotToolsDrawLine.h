#pragma once
// Lines drawn by the user on the chart with the mouse, kept in axis values: new ones are drawn
// by a drag over empty space, existing ones are selected, moved, or stretched by their ends.

#include <functional>

#include "chart/PlotTools.h"
#include "framework/Collections.h"

namespace chart {

enum TDrawLineStyle { dlLine, dlHorizParallel, dlVertParallel };

class TDrawLine : public fw::TCollectionItem {
 public:
  using fw::TCollectionItem::TCollectionItem;
  void Assign(fw::TPersistent* Source) override;
  TDrawLineStyle Style = dlLine;
  // The ends in axis values.
  double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};

class TDrawLineTool;

// The tool's lines; a selected line that is deleted is no longer selected.
class TDrawLines : public fw::TCollection {
 public:
  explicit TDrawLines(TDrawLineTool* Tool);
  TDrawLine* Line(Integer Index) const { return ItemsAs<TDrawLine>(Index); }
  TDrawLine* AddLine() { return static_cast<TDrawLine*>(Add()); }

 protected:
  void Update(fw::TCollectionItem* Item) override;
  void Notify(fw::TCollectionItem* Item, fw::TCollectionNotification Action) override;

 private:
  TDrawLineTool* FTool;
};

using TDrawLineSelectingEvent = std::function<void(TDrawLineTool* Sender, TDrawLine* Line, bool& AllowSelect)>;

class TDrawLineTool : public TPlotCustomToolSeries {
 public:
  explicit TDrawLineTool(fw::TComponent* AOwner);
  ~TDrawLineTool() override;

  fw::TMouseButton Button() const { return FButton; }
  void SetButton(fw::TMouseButton Value) { FButton = Value; }
  bool EnableDraw() const { return FEnableDraw; }
  void SetEnableDraw(bool Value) { FEnableDraw = Value; }
  bool EnableSelect() const { return FEnableSelect; }
  void SetEnableSelect(bool Value) { FEnableSelect = Value; }
  TDrawLines* Lines() const { return FLines.get(); }
  TDrawLine* Selected() const { return FSelected; }

  // The line under (X, Y) (the selected one first) and which part: 0 body, 1 start, 2 end.
  TDrawLine* LineAt(Integer X, Integer Y, Integer& Part) const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TDrawLineEdit"; }

  fw::TNotifyEvent OnDraggedLine;
  fw::TNotifyEvent OnDragLine;
  fw::TNotifyEvent OnNewLine;
  fw::TNotifyEvent OnSelect;
  TDrawLineSelectingEvent OnSelecting;

 private:
  friend class TDrawLines;
  void LineGoing(const fw::TCollectionItem* Line);
  fw::TPoint ToPixels(double X, double Y) const;
  void FromPixels(fw::TPoint P, double& X, double& Y) const;
  // The segments a line of the style shows between two pixel ends.
  void DrawShape(fw::TCanvas& Canvas, TDrawLineStyle Style, fw::TPoint A, fw::TPoint B) const;
  void DrawXor(fw::TCanvas& Canvas) const;
  void XorDrag();

  fw::TMouseButton FButton = fw::mbLeft;
  bool FEnableDraw = true;
  bool FEnableSelect = true;
  std::unique_ptr<TDrawLines> FLines;
  TDrawLine* FSelected = nullptr;
  // The gesture under way: 0 none, 1 a new line, 2 the whole line, 3 its start, 4 its end.
  Integer FGesture = 0;
  fw::TPoint FFrom{}, FTo{}, FLast{};
};

}  // namespace chart
