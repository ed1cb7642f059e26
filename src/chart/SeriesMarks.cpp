// Series marks: their texts, drawing, stored positions and hit test.
#include "chart/SeriesMarks.h"

#include <algorithm>
#include <cmath>

#include "chart/PlotCanvas.h"
#include "chart/PlotCanvasState.h"
#include "platform/kernel/Rects.h"

namespace chart {

namespace {

// Pixels between a mark's frame and its text.
constexpr Integer kMarkMarginX = 2;
constexpr Integer kMarkMarginY = 1;

}  // namespace

TSeriesMarkPosition* TSeriesMarksPositions::Position(Integer Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[std::size_t(Index)].get();
}

TSeriesMarkPosition* TSeriesMarksPositions::SetPosition(Integer Index, const TSeriesMarkPosition& Value) {
  if (Index < 0) return nullptr;
  if (Index >= Count()) FItems.resize(std::size_t(Index) + 1);
  auto& slot = FItems[std::size_t(Index)];
  if (slot)
    *slot = Value;
  else
    slot = std::make_unique<TSeriesMarkPosition>(Value);
  return slot.get();
}

void TSeriesMarksPositions::ClearAutomatic() {
  for (auto& item : FItems)
    if (item && !item->Custom) item.reset();
  while (!FItems.empty() && !FItems.back()) FItems.pop_back();
}

bool TSeriesMarksPositions::ExistCustom() const {
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& p) { return p && p->Custom; });
}

TSeriesMarks::TSeriesMarks(TChartSeries* ASeries)
    : FSeries(ASeries),
      FFrame(std::make_unique<TChartPen>()),
      FArrow(std::make_unique<TChartPen>()),
      FFont(std::make_unique<TPlotFont>()) {
  FFrame->SetColor(fw::clBlack);
  FArrow->SetColor(fw::clGray);
  FFont->SetColor(fw::clBlack);
  auto changed = [this](fw::TObject*) { Changed(); };
  FFrame->OnChange = changed;
  FArrow->OnChange = changed;
  FFont->OnChange = changed;
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarks::Changed() {
  if (FSeries) FSeries->Repaint();
}

void TSeriesMarks::SetVisible(bool Value) {
  if (FVisible != Value) FVisible = Value, Changed();
}
void TSeriesMarks::SetStyle(TSeriesMarksStyle Value) {
  if (FStyle != Value) FStyle = Value, Changed();
}
void TSeriesMarks::SetColor(TColor Value) {
  if (FColor != Value) FColor = Value, Changed();
}
void TSeriesMarks::SetTransparent(bool Value) {
  if (FTransparent != Value) FTransparent = Value, Changed();
}
void TSeriesMarks::SetArrowLength(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 1000);
  if (FArrowLength != Value) FArrowLength = Value, Changed();
}

void TSeriesMarks::Assign(fw::TPersistent* Source) {
  auto* src = dynamic_cast<TSeriesMarks*>(Source);
  if (!src) return fw::TPersistent::Assign(Source);
  FVisible = src->FVisible;
  FStyle = src->FStyle;
  FColor = src->FColor;
  FTransparent = src->FTransparent;
  FArrowLength = src->FArrowLength;
  FFrame->Assign(src->FFrame.get());
  FArrow->Assign(src->FArrow.get());
  FFont->Assign(src->FFont.get());
  Changed();
}

Integer TSeriesMarks::Clicked(Integer X, Integer Y) const {
  if (!FVisible) return -1;
  for (Integer i = FPositions.Count() - 1; i >= 0; --i) {
    const TSeriesMarkPosition* p = FPositions.Position(i);
    if (!p) continue;
    const win::RECT r = p->Bounds();
    if (win::PtInRect(&r, win::POINT{X, Y})) return i;
  }
  return -1;
}

void TSeriesMarks::Draw(TPlotCanvas3D& Canvas, Integer First, Integer Last) {
  FPositions.ClearAutomatic();
  if (!FVisible || !FSeries || First < 0) return;
  TPlotCanvasStateKeeper keep(Canvas);
  Canvas.Font()->Assign(FFont.get());
  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(0);
  const Integer lineHeight = Canvas.TextHeight("W");
  Last = std::min(Last, FSeries->Count() - 1);
  for (Integer i = First; i <= Last; ++i) {
    if (!FSeries->PointIsDrawable(i)) continue;
    const String text = FSeries->MarkText(i);
    if (text.empty()) continue;
    const win::POINT at{FSeries->CalcXPos(i), FSeries->CalcYPos(i)};
    TSeriesMarkPosition* pos = FPositions.Position(i);
    if (pos && pos->Custom) {
      pos->ArrowFrom = at;
    } else {
      TSeriesMarkPosition p;
      p.Width = Canvas.TextWidth(text) + 2 * kMarkMarginX;
      p.Height = lineHeight + 2 * kMarkMarginY;
      p.ArrowFrom = at;
      p.ArrowTo = win::POINT{at.x, at.y - FArrowLength};
      p.LeftTop = win::POINT{at.x - p.Width / 2, p.ArrowTo.y - p.Height};
      pos = FPositions.SetPosition(i, p);
    }
    if (FArrow->Visible() && FArrowLength > 0) {
      Canvas.AssignVisiblePenColor(FArrow.get(), FArrow->Color());
      Canvas.Line(pos->ArrowFrom.x, pos->ArrowFrom.y, pos->ArrowTo.x, pos->ArrowTo.y);
    }
    const win::RECT box = pos->Bounds();
    if (!FTransparent || FFrame->Visible()) {
      Canvas.AssignVisiblePenColor(FFrame.get(), FFrame->Color());
      Canvas.Brush()->SetColor(FColor);
      Canvas.Brush()->SetStyle(FTransparent ? fw::bsClear : fw::bsSolid);
      Canvas.Rectangle(box.left, box.top, box.right, box.bottom);
    }
    Canvas.TextOut(box.left + kMarkMarginX, box.top + kMarkMarginY, text);
  }
}

String TChartSeries::MarkText(Integer Index) const {
  if (Index < 0 || Index >= Count() || !FMarks) return String();
  const TChartValueList* mandatory = MandatoryValueList();
  const double value = mandatory->Value(Index);
  const String label = PointLabel(Index);
  auto percent = [&] {
    const double total = mandatory->TotalABS();
    const double pct = total != 0 && std::isfinite(value) ? std::fabs(value) / total * 100.0 : 0.0;
    return PlotFormatFloat("##0.##", pct) + " %";
  };
  auto percentTotal = [&] { return percent() + " of " + FormatValue(mandatory->TotalABS()); };
  auto labelThen = [&](const String& Rest) { return label.empty() ? Rest : label + " " + Rest; };
  switch (FMarks->Style()) {
    case smsValue:
      return FormatValue(value);
    case smsPercent:
      return percent();
    case smsLabel:
    case smsLegend:
      return label.empty() ? FormatValue(value) : label;
    case smsLabelPercent:
      return labelThen(percent());
    case smsLabelValue:
      return labelThen(FormatValue(value));
    case smsPercentTotal:
      return percentTotal();
    case smsLabelPercentTotal:
      return labelThen(percentTotal());
    case smsXValue:
      return FormatValue(PointX(Index));
    case smsXY:
      return FormatValue(PointX(Index)) + " " + FormatValue(PointY(Index));
  }
  return String();
}

void TChartSeries::DrawMarks(TPlotCanvas3D& Canvas) {
  if (!FMarks) return;
  FMarks->Draw(Canvas, FFirstValueIndex, FLastValueIndex);
}

}  // namespace chart
