// BMP export: the panel draws itself straight into a bitmap of the wanted depth, with its back
// buffer off so the picture lands in the bitmap rather than in the buffer.

#include "export/KvPlotBmp.h"

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsCanvas.h"
#include "framework/SysUtils.h"

namespace kvexport {

std::unique_ptr<fw::TBitmap> TKvBMPExportFormat::BuildBitmap() {
  chart::TCustomPlotPanel& panel = RasterPanel();
  auto bitmap = std::make_unique<fw::TBitmap>();
  const bool nonGdi = panel.Canvas() && panel.Canvas()->NonGDICanvas();
  if (nonGdi)
    bitmap->SetPixelFormat(fw::pf24bit);
  else if (Monochrome)
    bitmap->SetMonochrome(true);
  else
    bitmap->SetPixelFormat(PixelFormat);
  bitmap->SetSize(Width, Height);
  const fw::TRect rect{0, 0, Width, Height};
  fw::TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetStyle(fw::bsSolid);
  canvas->Brush()->SetColor(panel.Color());
  canvas->FillRect(rect);
  struct RestoreBuffering {
    chart::TCustomPlotPanel& Panel;
    bool Buffered;
    ~RestoreBuffering() { Panel.SetBufferedDisplay(Buffered); }
  } restore{panel, panel.BufferedDisplay()};
  panel.SetBufferedDisplay(false);
  panel.Draw(*canvas, rect);
  return bitmap;
}

void TKvBMPExportFormat::SaveToStream(fw::TStream* Stream) {
  BuildBitmap()->SaveToStream(Stream);
}

void TKvBMPExportFormat::CopyToClipboard() {
  fw::Clipboard()->Assign(BuildBitmap().get());
}

}  // namespace kvexport
