// The chart's picture as a metafile, and the chart's pictures on the clipboard.

#include <algorithm>
#include <memory>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "framework/Clipbrd.h"
#include "framework/ClipbrdMetafile.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsMetafile.h"
#include "framework/SysUtils.h"
#include "platform/gdi/Metafile.h"
#include "platform/user/services/ClipboardFormats.h"

namespace chart {

std::unique_ptr<fw::TMetafile> TCustomPlotPanel::CreateMetafile(bool Enhanced, const win::RECT& R) {
  // At least 1 x 1: an empty or inverted rectangle still makes a picture. A larger one than a
  // metafile holds is refused, never cut to size.
  const std::int64_t width = std::int64_t(R.right) - R.left, height = std::int64_t(R.bottom) - R.top;
  if (width > MaxMetafileSide || height > MaxMetafileSide)
    throw fw::EInvalidGraphicOperation(fw::Format("A metafile picture has at most %d units a side, not %d x %d",
                                                  fw::Int64(MaxMetafileSide), width, height));
  const Integer w = Integer(std::max<std::int64_t>(width, 1));
  const Integer h = Integer(std::max<std::int64_t>(height, 1));
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
  // Drawing records enhanced metafiles; a Windows-format copy is made from the same records.
  std::unique_ptr<fw::TMetafile> metafile = CreateMetafile(true, TRect{0, 0, Width(), Height()});
  fw::SetClipboardMetafile(metafile->ReleaseHandle(), !Enhanced);
}

void TCustomPlotPanel::CopyToClipboardBitmap() {
  std::unique_ptr<fw::TBitmap> bitmap = CreateBitmap(Color(), TRect{0, 0, Width(), Height()}, fw::pfDevice);
  if (bitmap) fw::Clipboard()->Assign(bitmap.get());
}

}  // namespace chart
