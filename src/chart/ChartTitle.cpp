// Chart titles: layout along the top or bottom edge of the chart, and drawing.
#include "chart/ChartTitle.h"

#include <algorithm>

#include "chart/PlotCanvas.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/Rects.h"

namespace chart {

namespace {
constexpr Integer TitleGap = 4;        // between a title box and what lies next to it
constexpr Integer TitleHorizPad = 4;   // between the box's sides and the text
constexpr Integer TitleVertPad = 2;    // between the box's top/bottom and the text
}  // namespace

TChartTitle::TChartTitle(fw::TComponent* AOwner) : TPlotCustomShapePosition(AOwner) {
  SetTransparent(true);
  Frame()->SetVisible(false);
  Font()->SetColor(fw::clBlue);
}

TChartTitle::~TChartTitle() = default;

void TChartTitle::SetText(const String& Value) {
  Store(FText, Value);
}

void TChartTitle::SetAlignment(TTitleAlignment Value) {
  Store(FAlignment, Value);
}

std::vector<String> TChartTitle::Lines() const {
  std::vector<String> lines;
  if (FText.empty()) return lines;
  String line;
  for (std::size_t i = 0; i < FText.size(); ++i) {
    const char c = FText[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < FText.size() && FText[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

bool TChartTitle::Shown() const { return Visible() && !FText.empty(); }

void TChartTitle::CalcRect(TPlotCanvas3D& Canvas, win::RECT& R) {
  if (!Shown()) {
    SetShapeBounds(win::RECT{});
    return;
  }
  Canvas.Font()->Assign(Font());
  Integer textW = 0, textH = 0;
  for (const String& line : Lines()) {
    textW = std::max(textW, Canvas.TextWidth(line.empty() ? String(" ") : line));
    textH += Canvas.TextHeight(line.empty() ? String(" ") : line);
  }
  const Integer w = textW + 2 * TitleHorizPad, h = textH + 2 * TitleVertPad;
  win::RECT box{};
  if (CustomPosition()) {
    box = win::RECT{Left(), Top(), Left() + w, Top() + h};
  } else {
    switch (FAlignment) {
      case tlaLeft: box.left = R.left + TitleGap; break;
      case tlaRight: box.left = R.right - TitleGap - w; break;
      default: box.left = R.left + (R.right - R.left - w) / 2; break;
    }
    box.right = box.left + w;
    if (FIsFoot) {
      box.bottom = R.bottom - TitleGap;
      box.top = box.bottom - h;
      R.bottom = box.top;
    } else {
      box.top = R.top + TitleGap;
      box.bottom = box.top + h;
      R.top = box.bottom;
    }
  }
  SetShapeBounds(box);
}

void TChartTitle::Draw(TPlotCanvas3D& Canvas) {
  if (!Shown()) return;
  const win::RECT box = ShapeBounds();
  DrawShape(Canvas, box);
  Canvas.Font()->Assign(Font());
  Canvas.SetBackMode(cbmTransparent);
  Canvas.SetTextAlign(win::TA_LEFT | win::TA_TOP);
  Integer y = box.top + TitleVertPad;
  for (const String& line : Lines()) {
    const Integer w = Canvas.TextWidth(line);
    Integer x;
    switch (FAlignment) {
      case tlaLeft: x = box.left + TitleHorizPad; break;
      case tlaRight: x = box.right - TitleHorizPad - w; break;
      default: x = box.left + (box.right - box.left - w) / 2; break;
    }
    Canvas.TextOut(x, y, line);
    y += Canvas.TextHeight(line.empty() ? String(" ") : line);
  }
}

bool TChartTitle::Clicked(Integer X, Integer Y) const {
  if (!Shown()) return false;
  return win::PtInRect(&ShapeBounds(), win::POINT{X, Y});
}

}  // namespace chart
