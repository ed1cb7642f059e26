// SVG export. The panel's canvas is taken out alive, an SVG canvas with its settings is put in
// for one drawing pass, and the panel's own canvas goes back through the panel's canvas setter,
// which frees the SVG canvas. Repainting stays off meanwhile so the window never draws through
// the SVG canvas. Text is measured on a memory canvas of the screen's kind, so no window is
// needed.

#include "export/KvPlotSVG.h"

#include "chart/Chart.h"
#include "export/KvPlotSVGCanvas.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsBitmap.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"

namespace kvexport {

std::unique_ptr<fw::TStringList> TKvSVGExportFormat::BuildSVG() {
  chart::TCustomPlotPanel& panel = SizedPanel();
  auto lines = std::make_unique<fw::TStringList>();
  fw::TBitmap measure;
  measure.SetPixelFormat(fw::pf24bit);
  measure.SetSize(1, 1);

  const bool autoRepaint = panel.AutoRepaint();
  panel.SetAutoRepaint(false);
  std::unique_ptr<chart::TPlotCanvas3D> own = panel.SetCanvas(nullptr);
  struct PutBack {
    chart::TCustomPlotPanel& Panel;
    std::unique_ptr<chart::TPlotCanvas3D>& Own;
    bool AutoRepaint;
    ~PutBack() {
      if (Own)
        Panel.SetCanvas(std::move(Own));
      else
        Panel.SetCanvas(nullptr);  // no canvas before: the SVG one is dropped
      Panel.SetAutoRepaint(AutoRepaint);
    }
  } putBack{panel, own, autoRepaint};

  auto svg = std::make_unique<TKvSVGCanvas>(lines.get());
  if (own) svg->AssignSettings(own.get());
  svg->SetBufferedDisplay(false);
  svg->TextAntiAlias = TextAntiAlias;
  panel.SetCanvas(std::move(svg));
  panel.Draw(*measure.Canvas(), fw::TRect{0, 0, Width, Height});
  return lines;
}

void TKvSVGExportFormat::SaveToStream(fw::TStream* Stream) {
  BuildSVG()->SaveToStream(Stream);
}

void TKvSVGExportFormat::CopyToClipboard() {
  fw::Clipboard()->SetAsText(BuildSVG()->Text());
}

}  // namespace kvexport
