// The clipboard exchange of GIF pictures: a bitmap for everyone, and the GIF stream itself under
// the registered "GIF Image" format.

#include "export/GIFImage.h"
#include "export/GIFImageException.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Streams.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace kvexport {

void TGIFImage::SaveToClipboardFormat(win::UINT& Format, win::HANDLE& Data, TGIFPalette& APalette) {
  Format = 0;
  Data = nullptr;
  APalette.clear();
  if (Empty()) return;

  fw::TMemoryStream stream;
  SaveToStream(&stream);
  win::HGLOBAL block =
      win::GlobalAllocCopy(static_cast<const fw::TCustomMemoryStream&>(stream).Memory(),
                           static_cast<std::size_t>(stream.Size()));
  if (!block || !win::SetClipboardData(CF_GIF(), block)) {
    if (block) win::GlobalFree(block);
    throw GIFException("Failed to store GIF on clipboard");
  }
  std::unique_ptr<fw::TBitmap> bitmap = RenderBitmap();
  Format = win::CF_BITMAP;
  APalette = Palette();
  Data = bitmap->ReleaseHandle();
}

void TGIFImage::LoadFromClipboardFormat(win::UINT Format, win::HANDLE Data, const TGIFPalette& APalette) {
  (void)APalette;
  if (!Data) Data = win::GetClipboardData(Format);
  if (Data && Format == CF_GIF()) {
    auto block = static_cast<win::HGLOBAL>(Data);
    fw::TMemoryStream stream;
    if (const void* p = win::GlobalLock(block)) {
      stream.WriteBuffer(p, static_cast<fw::Integer>(win::GlobalSize(block)));
      win::GlobalUnlock(block);
    }
    stream.SetPosition(0);
    LoadFromStream(&stream);
    return;
  }
  if (Data && Format == win::CF_BITMAP) {
    // The clipboard keeps its bitmap: it is borrowed for the copy only.
    fw::TBitmap borrowed;
    borrowed.SetHandle(static_cast<win::HBITMAP>(Data));
    fw::TBitmap copy;
    copy.Assign(&borrowed);
    borrowed.ReleaseHandle();
    Assign(&copy);
    return;
  }
  throw fw::EInvalidGraphic("Unsupported clipboard format");
}

void CopyGIFToClipboard(TGIFImage& Image) {
  fw::TClipboard* clipboard = fw::Clipboard();
  clipboard->Open();
  try {
    win::EmptyClipboard();
    win::UINT format = 0;
    win::HANDLE data = nullptr;
    TGIFPalette palette;
    Image.SaveToClipboardFormat(format, data, palette);
    if (data && !win::SetClipboardData(format, data)) win::DeleteObject(data);
  } catch (...) {
    clipboard->Close();
    throw;
  }
  clipboard->Close();
}

}  // namespace kvexport
