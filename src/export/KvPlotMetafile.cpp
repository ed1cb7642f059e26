#include "export/KvPlotMetafile.h"

#include "chart/Chart.h"
#include "framework/ClipbrdMetafile.h"
#include "framework/GraphicsMetafile.h"
#include "framework/SysUtils.h"
#include "platform/gdi/Metafile.h"

namespace kvexport {

namespace {
const char kNoPicture[] = "Не удалось создать рисунок графика";
}  // namespace

chart::TCustomPlotPanel& TKvEMFExportFormat::MetafilePanel(fw::Integer Limit) {
  chart::TCustomPlotPanel& panel = SizedPanel();
  if (Width > Limit || Height > Limit)
    throw fw::Exception(fw::Format("Рисунок %d × %d точек слишком велик для метафайла: не более %d точек по стороне",
                                   fw::Int64(Width), fw::Int64(Height), fw::Int64(Limit)));
  return panel;
}

void TKvEMFExportFormat::SaveToStream(fw::TStream* Stream) {
  chart::TCustomPlotPanel& panel =
      MetafilePanel(Enhanced ? chart::TCustomPlotPanel::MaxMetafileSide : fw::TMetafile::MaxWindowsMetafileSide);
  std::unique_ptr<fw::TMetafile> metafile = panel.CreateMetafile(Enhanced, win::RECT{0, 0, Width, Height});
  if (!metafile || metafile->Empty()) throw fw::Exception(kNoPicture);
  metafile->SaveToStream(Stream);
}

void TKvEMFExportFormat::CopyToClipboard() {
  chart::TCustomPlotPanel& panel =
      MetafilePanel(Enhanced ? chart::TCustomPlotPanel::MaxMetafileSide : fw::TMetafile::MaxWindowsMetafileSide);
  std::unique_ptr<fw::TMetafile> metafile = panel.CreateMetafile(true, win::RECT{0, 0, Width, Height});
  win::HENHMETAFILE handle = metafile->ReleaseHandle();
  if (!handle) throw fw::Exception(kNoPicture);
  fw::SetClipboardMetafile(handle, !Enhanced);
}

}  // namespace kvexport
