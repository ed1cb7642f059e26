#pragma once
// A chart title: lines of text in a framed box, placed along the top (titles) or the bottom
// (feet) of the chart, aligned left, centred or right, or held at a custom position.

#include <vector>

#include "chart/ChartElement.h"
#include "framework/GraphicsTypes.h"

namespace chart {

using fw::String;

// The same numbers as the framework's text alignment (left, right, centre).
enum TTitleAlignment { tlaLeft = 0, tlaRight = 1, tlaCenter = 2 };

class TChartTitle : public TPlotCustomShapePosition {
 public:
  explicit TChartTitle(fw::TComponent* AOwner);
  ~TChartTitle() override;

  // Lines separated by line breaks ("\r\n", "\n" or "\r").
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  std::vector<String> Lines() const;
  TTitleAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TTitleAlignment Value);
  // Feet are laid out from the bottom of the chart upwards.
  bool IsFoot() const { return FIsFoot; }
  void SetIsFoot(bool Value) { FIsFoot = Value; }

  // The rectangle the title occupied when last drawn (empty when it was not drawn).
  const win::RECT& Bounds() const { return ShapeBounds(); }

  // Layout: takes the title's room from the top (or, for a foot, the bottom) of R and remembers
  // where the box goes. Nothing for a hidden or empty title (its bounds become empty).
  void CalcRect(TPlotCanvas3D& Canvas, win::RECT& R);
  // Draws the box and the lines where CalcRect put them.
  void Draw(TPlotCanvas3D& Canvas);
  // True when the title is shown and P lies in its bounds.
  bool Clicked(Integer X, Integer Y) const;

 private:
  bool Shown() const;
  String FText;
  TTitleAlignment FAlignment = tlaCenter;
  bool FIsFoot = false;
};

}  // namespace chart
