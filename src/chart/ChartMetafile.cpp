// The chart's picture as a metafile, and the chart's pictures on the clipboard.

#include <algorithm>
#include <memory>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsMetafile.h"
#include "platform/gdi/Metafile.h"
#include "platform/user/services/ClipboardFormats.h"

namespace chart {

namespace {
// Largest metafile picture, pixels per side (as for bitmaps).
constexpr Integer MaxMetafileSide = 32768;
}  // namespace

std::unique_ptr<fw::TMetafile> TCustomPlotPanel::CreateMetafile(bool Enhanced, const win::RECT& R) {
  // At least 1 x 1: an empty or inverted rectangle still makes a picture.
  const Integer w = Integer(std::clamp<std::int64_t>(std::int64_t(R.right) - R.left, 1, MaxMetafileSide));
  const Integer h = Integer(std::clamp<std::int64_t>(std::int64_t(R.bottom) - R.top, 1, MaxMetafileSide));
  auto metafile = std::make_unique<fw::TMetafile>();
  metafile->SetEnhanced(Enhanced);
  metafile->SetWidth(w);
  metafile->SetHeight(h);
  {
    fw::TMetafileCanvas canvas(metafile.get(), nullptr);
    if (!FPlotCanvas) {
      canvas.Brush()->SetStyle(fw::bsSolid);
      canvas.Brush()->SetColor(Color());
      canvas.FillRect(TRect{0, 0, w, h});
    } else {
      // Drawn straight onto the recording canvas: a back buffer would make the picture one bitmap.
      struct Restore {
        TCustomPlotPanel* p;
        bool buffered;
        ~Restore() { p->SetBufferedDisplay(buffered); }
      } restore{this, BufferedDisplay()};
      SetBufferedDisplay(false);
      Draw(canvas, TRect{0, 0, w, h});
    }
  }  // the metafile receives the records here
  return metafile;
}

void TCustomPlotPanel::CopyToClipboardMetafile(bool Enhanced) {
  // Only enhanced metafiles exist here: a Windows-format request is given the same records.
  std::unique_ptr<fw::TMetafile> metafile = CreateMetafile(Enhanced, TRect{0, 0, Width(), Height()});
  win::HENHMETAFILE handle = metafile->ReleaseHandle();
  try {
    fw::Clipboard()->SetAsHandle(win::CF_ENHMETAFILE, handle);
  } catch (...) {
    win::DeleteEnhMetaFile(handle);
    throw;
  }
}

void TCustomPlotPanel::CopyToClipboardBitmap() {
  std::unique_ptr<fw::TBitmap> bitmap = CreateBitmap(Color(), TRect{0, 0, Width(), Height()}, fw::pfDevice);
  if (bitmap) fw::Clipboard()->Assign(bitmap.get());
}

}  // namespace chart
