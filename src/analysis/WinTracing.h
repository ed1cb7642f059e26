#pragma once
// The tracing window: a small topmost tool window that keeps the main chart's cursor tool on
// while it is open and shows the X and Y the tool reports.

#include "framework/Forms.h"

namespace chart {
class TCursorTool;
}
namespace cs {
class TCsButton;
class TCsCheckBox;
class TLxCsFloatEdit;
}  // namespace cs

namespace analysis {

class TwndTracing : public fw::TForm {
 public:
  explicit TwndTracing(fw::TComponent* AOwner);
  ~TwndTracing() override;

  // The values the cursor tool reports.
  void ShowValues(double X, double Y);

  cs::TLxCsFloatEdit* fedX = nullptr;
  cs::TLxCsFloatEdit* fedY = nullptr;
  cs::TCsCheckBox* butCrossHair = nullptr;
  cs::TCsButton* butClose = nullptr;

 private:
  void ApplyCrossHair();
  void FormClose(fw::TCloseAction& Action);
};

// The main chart's cursor tool (set by the main window at start) and the open tracing window.
extern chart::TCursorTool* TracingTool;
extern TwndTracing* TracingWindow;

// Makes the window on first use, else shows it again.
void ToggleTracing();

}  // namespace analysis
