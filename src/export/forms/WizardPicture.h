#pragma once
// The picture at the left of the multi-graph save wizard: several sheets, each with a graph of
// its own colour, going down into a disk, on a blue band that darkens upwards. Drawn in code at
// any size, so it needs no picture file.

#include "framework/Controls.h"

namespace kvforms {

class TWizardPicture : public fw::TGraphicControl {
 public:
  explicit TWizardPicture(fw::TComponent* AOwner);

 protected:
  void Paint() override;

 private:
  void PaintBand(const fw::TRect& R);
  // A sheet with a folded corner, lines of text and a graph drawn in Graph.
  void PaintSheet(const fw::TRect& R, fw::TColor Graph);
  void PaintDisk(const fw::TRect& R);
};

}  // namespace kvforms
