// The collection's clipboard commands: graph text or the chart's picture.
#include <memory>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsBitmap.h"
#include "workspace/GraphCollection.h"
#include "workspace/GraphText.h"
#include "workspace/Preferences.h"

namespace workspace {

void TGraphCollection::CopyText() {
  TGraphArray graphs = SelectedGraphs();
  if (graphs.empty() && Current()) graphs.push_back(Current());
  if (graphs.empty()) return;
  if (OnCopyTextDialog && !OnCopyTextDialog()) return;
  CopyGraphsToClipboard(graphs, TGraphTextOptions::FromPreferences());
}

// The picture goes in the preferences' copy format: an enhanced metafile (EMF, and WMF, which
// the clipboard offers from the same records) or a bitmap.
void TGraphCollection::CopyImage() {
  if (!FChart) return;
  if (OnShowSelectionMarks) OnShowSelectionMarks(false);
  struct Restore {
    TGraphCollection& Graphs;
    ~Restore() {
      if (Graphs.OnShowSelectionMarks) Graphs.OnShowSelectionMarks(true);
    }
  } restore{*this};
  if (OnCopyImageDialog && !OnCopyImageDialog()) return;

  chart::TPlotGradient* gradient = FChart->Gradient();
  const fw::TColor color = FChart->Color();
  const bool gradientVisible = gradient && gradient->Visible;
  FChart->SetColor(fw::clWhite);
  if (gradient) gradient->Visible = false;
  struct RestoreLook {
    chart::TCustomChart* Chart;
    fw::TColor Color;
    bool GradientVisible;
    ~RestoreLook() {
      Chart->SetColor(Color);
      if (Chart->Gradient()) Chart->Gradient()->Visible = GradientVisible;
      Chart->Invalidate();
    }
  } restoreLook{FChart, color, gradientVisible};
  switch (Preferences.CopyFormat) {
    case cfWMF:
      FChart->CopyToClipboardMetafile(false);
      break;
    case cfEMF:
      FChart->CopyToClipboardMetafile(true);
      break;
    default: {
      std::unique_ptr<fw::TBitmap> picture = FChart->CreateBitmap(fw::clWhite, FChart->ClientRect(), fw::pf24bit);
      fw::Clipboard()->Assign(picture.get());
    }
  }
}

void TGraphCollection::CopyToClipboard() {
  if (!SelectedGraphs().empty())
    CopyText();
  else
    CopyImage();
}

}  // namespace workspace
