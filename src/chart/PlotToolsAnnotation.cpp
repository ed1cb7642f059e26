// Annotation and rectangle tools: placing the box, drawing it with its text and callout, and
// the rectangle's move and resize by the mouse.
#include "chart/PlotToolsAnnotation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/StringList.h"

namespace chart {

void TPlotShapePosition::SetBevel(fw::TBevelCut Value) {
  if (Value != fw::bvNone && Value != fw::bvLowered && Value != fw::bvRaised) return;
  Store(FBevel, Value);
}

void TPlotShapePosition::SetBevelWidth(Integer Value) { Store(FBevelWidth, std::max<Integer>(0, Value)); }

void TPlotShapePosition::DrawBevel(TPlotCanvas3D& Canvas, const win::RECT& R) const {
  if (FBevel == fw::bvNone || FBevelWidth <= 0) return;
  const Integer frame = Frame()->Visible() ? std::max<Integer>(1, Frame()->Width()) : 0;
  fw::TRect inner{R.left + frame, R.top + frame, R.right - frame, R.bottom - frame};
  const fw::TColor light = fw::clBtnHighlight, dark = fw::clBtnShadow;
  if (FBevel == fw::bvRaised)
    Canvas.Frame3D(inner, light, dark, FBevelWidth);
  else
    Canvas.Frame3D(inner, dark, light, FBevelWidth);
}

namespace {

// The edges of a rectangle tool are hit from less than this many pixels away.
constexpr Integer kEdgeTolerance = 4;
// The smallest distance between opposite edges while resizing.
constexpr Integer kMinSide = 3;

std::vector<String> TextLines(const String& Text) {
  fw::TStringList list;
  list.SetText(Text.empty() ? String(" ") : Text);  // an empty text still takes one blank line
  std::vector<String> lines;
  for (Integer i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  if (lines.empty()) lines.push_back(" ");
  return lines;
}

}  // namespace

TAnnotationCallout::TAnnotationCallout(fw::TComponent* AOwner) : TCustomChartElement(AOwner) {
  Pen()->SetVisible(false);  // the arrow shows once the callout is made visible
}

TAnnotationTool::TAnnotationTool(fw::TComponent* AOwner)
    : TPlotCustomTool(AOwner), FShape(new TPlotShapePosition(this)), FCallout(new TAnnotationCallout(this)) {}

TAnnotationTool::~TAnnotationTool() = default;

String TAnnotationTool::Description() const { return "Annotation"; }

void TAnnotationTool::SetParentChart(TCustomAxisPanel* Value) {
  TPlotCustomTool::SetParentChart(Value);
  FShape->SetParentChart(Value);
  FCallout->SetParentChart(Value);
  InvalidateChart();
}

fw::TPoint TAnnotationTool::TextPosition(Integer TextWidth, Integer TextHeight) const {
  const Integer w = ParentChart() ? ParentChart()->Width() : 0, h = ParentChart() ? ParentChart()->Height() : 0;
  if (FShape->CustomPosition()) {
    if (FPositionUnits == muPercent)
      return fw::TPoint{Integer(std::lround(FShape->Left() * w * 0.01)), Integer(std::lround(FShape->Top() * h * 0.01))};
    return fw::TPoint{FShape->Left() + 4, FShape->Top() + 2};
  }
  switch (FPosition) {
    case ppLeftBottom: return fw::TPoint{10, h - TextHeight - 8};
    case ppRightTop: return fw::TPoint{w - TextWidth - 8, 10};
    case ppRightBottom: return fw::TPoint{w - TextWidth - 8, h - TextHeight - 8};
    case ppLeftTop: break;
  }
  return fw::TPoint{10, 10};
}

win::RECT TAnnotationTool::BoxRect(Integer TextWidth, Integer TextHeight) const {
  const fw::TPoint p = TextPosition(TextWidth, TextHeight);
  const Integer w = FAutoSize ? TextWidth + 6 : FWidth, h = FAutoSize ? TextHeight + 4 : FHeight;
  return win::RECT{p.x - 4, p.y - 2, p.x - 4 + w, p.y - 2 + h};
}

bool TAnnotationTool::Clicked(Integer X, Integer Y) const {
  const win::RECT& r = FShape->ShapeBounds();
  return X >= r.left && X < r.right && Y >= r.top && Y < r.bottom;
}

void TAnnotationTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomTool::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  if (Kind != cteAfterDraw || !chart || !chart->Canvas() || !FShape->Visible()) return;
  TPlotCanvas3D& canvas = *chart->Canvas();
  canvas.Font()->Assign(FShape->Font());
  const std::vector<String> lines = TextLines(FText);
  Integer textWidth = 0;
  for (const String& line : lines) textWidth = std::max(textWidth, canvas.TextWidth(line));
  const Integer lineHeight = canvas.TextHeight("W");
  const Integer textHeight = Integer(lines.size()) * lineHeight;
  const win::RECT box = BoxRect(textWidth, textHeight);
  const bool custom = FShape->CustomPosition();
  FShape->SetBounds(box);
  FShape->SetCustomPosition(custom);  // recording where it went is not the user's placing
  FShape->DrawShape(canvas, box);
  FShape->DrawBevel(canvas, box);
  canvas.SetBackMode(cbmTransparent);
  const fw::TPoint at = TextPosition(textWidth, textHeight);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Integer y = at.y + Integer(i) * lineHeight;
    const Integer w = canvas.TextWidth(lines[i]);
    const Integer x = FTextAlignment == fw::taCenter         ? (box.left + box.right - w) / 2
                      : FTextAlignment == fw::taRightJustify ? box.right - 2 - w
                                                             : at.x;
    canvas.TextOut(x, y, lines[i]);
  }
  if (FCallout->Visible() || FCallout->Pen()->Visible()) {
    // From the point to the nearest point of the box.
    const Integer px = FCallout->XPosition, py = FCallout->YPosition;
    const TPoint to{std::clamp<Integer>(px, box.left, box.right), std::clamp<Integer>(py, box.top, box.bottom)};
    canvas.AssignVisiblePenColor(FCallout->Pen(), FCallout->Pen()->Color());
    canvas.Arrow(false, to, TPoint{px, py}, 8, 8, FCallout->ZPosition);
  }
}

void TAnnotationTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                       Integer X, Integer Y) {
  TPlotCustomTool::HandleMouseEvent(Kind, Button, Shift, X, Y);
  if (!ParentChart() || !Clicked(X, Y)) return;
  if (Kind == cmeDown && OnClick) OnClick(this, Button, Shift, X, Y);
  if (Kind == cmeMove && FCursor != fw::crDefault) {
    ParentChart()->SetCursor(FCursor);
    ParentChart()->SetCancelMouse(true);
  }
}

TRectangleTool::TRectangleTool(fw::TComponent* AOwner) : TAnnotationTool(AOwner) {
  SetAutoSize(false);
  Shape()->SetLeft(10);
  Shape()->SetTop(10);
  SetWidth(50);
  SetHeight(50);
  Shape()->Shadow()->HorizSize = Shape()->Shadow()->VertSize = 0;
  Shape()->SetTransparency(75);
  SetPositionUnits(muPixels);
  SetCursor(fw::crHandPoint);
}

TRectangleTool::~TRectangleTool() = default;

String TRectangleTool::Description() const { return "Rectangle"; }

Integer TRectangleTool::EdgeAt(Integer X, Integer Y) const {
  const win::RECT& r = Shape()->ShapeBounds();
  if (!Clicked(X, Y)) return 0;
  if (std::abs(X - r.left) < kEdgeTolerance) return 1;
  if (std::abs(Y - r.top) < kEdgeTolerance) return 2;
  if (std::abs(X - r.right) < kEdgeTolerance) return 3;
  if (std::abs(Y - r.bottom) < kEdgeTolerance) return 4;
  return 0;
}

void TRectangleTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                      Integer X, Integer Y) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  win::RECT r = Shape()->ShapeBounds();
  switch (Kind) {
    case cmeDown: {
      FEdge = EdgeAt(X, Y);
      FMoving = FEdge == 0 && Clicked(X, Y);
      if (FEdge == 0 && !FMoving) break;
      const Integer ex = FEdge == 3 ? r.right : r.left, ey = FEdge == 4 ? r.bottom : r.top;
      FOffset = fw::TPoint{X - ex, Y - ey};
      chart->SetCancelMouse(true);
      break;
    }
    case cmeMove:
      if (FMoving) {
        Shape()->SetLeft(X - FOffset.x);
        Shape()->SetTop(Y - FOffset.y);
        chart->SetCancelMouse(true);
        if (OnDragging) OnDragging(this);
      } else if (FEdge != 0) {
        const Integer x = X - FOffset.x, y = Y - FOffset.y;
        if (FEdge == 1) r.left = std::min(x, r.right - kMinSide);
        if (FEdge == 2) r.top = std::min(y, r.bottom - kMinSide);
        if (FEdge == 3) r.right = std::max(x, r.left + kMinSide);
        if (FEdge == 4) r.bottom = std::max(y, r.top + kMinSide);
        Shape()->SetLeft(r.left);
        Shape()->SetTop(r.top);
        SetWidth(r.right - r.left);
        SetHeight(r.bottom - r.top);
        Shape()->SetBounds(r);
        chart->SetCancelMouse(true);
        if (OnResizing) OnResizing(this);
      } else {
        const Integer edge = EdgeAt(X, Y);
        const fw::TCursor cursor = edge == 1 || edge == 3   ? fw::crSizeWE
                                   : edge == 2 || edge == 4 ? fw::crSizeNS
                                   : Clicked(X, Y)          ? Cursor()
                                                            : fw::crDefault;
        if (cursor != fw::crDefault) {
          chart->SetCursor(cursor);
          chart->SetCancelMouse(true);
        }
      }
      break;
    case cmeUp:
      FEdge = 0;
      FMoving = false;
      break;
  }
}

}  // namespace chart
