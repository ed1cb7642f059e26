// SVG export. The panel's canvas is taken out alive, an SVG canvas with its settings is put in
// for one drawing pass, then the SVG canvas is taken out and freed and the panel's own canvas goes
// back as it was. Repainting stays off meanwhile so the window never draws through
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

  // Put back exactly as found, also when drawing raises: the own canvas is reinstalled only after
  // the SVG canvas is taken out, so it does not take over the SVG canvas' settings (unbuffered,
  // with whatever pen, brush and font the drawing left).
  struct PutBack {
    chart::TCustomPlotPanel& Panel;
    std::unique_ptr<chart::TPlotCanvas3D> Own;
    bool AutoRepaint;
    bool Buffered;
    ~PutBack() {
      std::unique_ptr<chart::TPlotCanvas3D> svg = Panel.SetCanvas(nullptr);
      if (Own) {
        Panel.SetCanvas(std::move(Own));
        Panel.SetBufferedDisplay(Buffered);
      }
      Panel.SetAutoRepaint(AutoRepaint);
    }
  } putBack{panel, nullptr, panel.AutoRepaint(), panel.BufferedDisplay()};
  panel.SetAutoRepaint(false);
  putBack.Own = panel.SetCanvas(nullptr);

  auto svg = std::make_unique<TKvSVGCanvas>(lines.get());
  if (putBack.Own) svg->AssignSettings(putBack.Own.get());
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
