#pragma once
// Editor forms of the series tools, built in code: a series chooser for any tool working on one
// series, and the drag-point tool's form adding its drag style and the series' mouse cursor.
// Nothing in the program opens them; a caller sets Tool and shows the form.

#include "framework/Forms.h"

namespace cs {
class TCsComboBox;
class TCsGroupBox;
class TCsLabel;
class TCsRadioButton;
}  // namespace cs
namespace chart {
class TPlotCustomToolSeries;
class TDragPointTool;
}  // namespace chart

namespace analysis {

class TSeriesToolEditor : public fw::TForm {
 public:
  explicit TSeriesToolEditor(fw::TComponent* AOwner);

  chart::TPlotCustomToolSeries* Tool() const { return FTool; }
  // Lists the series of the tool's chart (none without a chart) and selects the tool's series.
  void SetTool(chart::TPlotCustomToolSeries* Value);

  cs::TCsLabel* LabelSeries = nullptr;
  cs::TCsComboBox* CBSeries = nullptr;

 protected:
  // After the tool was given (again) or its series was changed from the combo box.
  virtual void ToolChanged() {}

 private:
  void CBSeriesChange(fw::TObject* Sender);

  chart::TPlotCustomToolSeries* FTool = nullptr;
};

class TDragPointToolEdit : public TSeriesToolEditor {
 public:
  explicit TDragPointToolEdit(fw::TComponent* AOwner);

  cs::TCsGroupBox* RGDragStyle = nullptr;
  cs::TCsRadioButton* RBX = nullptr;
  cs::TCsRadioButton* RBY = nullptr;
  cs::TCsRadioButton* RBBoth = nullptr;
  cs::TCsLabel* LabelCursor = nullptr;
  cs::TCsComboBox* CBCursor = nullptr;

 protected:
  void ToolChanged() override;

 private:
  chart::TDragPointTool* DragTool() const;
  void RadioClick(fw::TObject* Sender);
  void CBCursorChange(fw::TObject* Sender);
};

// The editor form classes that form streams name.
void RegisterToolEditorForms();
void UnRegisterToolEditorForms();

}  // namespace analysis
