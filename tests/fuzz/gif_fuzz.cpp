// Bytes fed to the GIF reader: it either loads (with warnings) or raises GIFException. What it
// loads is written again and its frames are rendered, so the writer and the renderer meet every
// odd picture the reader lets through.

#include <cstddef>
#include <cstdint>

#include "export/GIFImage.h"
#include "export/GIFImageException.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageItems.h"
#include "framework/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  kvexport::TGIFImage image;
  int warnings = 0;
  image.OnWarning = [&](fw::TObject*, int, const std::string&) { ++warnings; };
  fw::TMemoryStream in;
  if (Size > 0) in.WriteBuffer(Data, static_cast<fw::Integer>(Size));
  in.SetPosition(0);
  try {
    image.LoadFromStream(&in);
  } catch (const kvexport::GIFException&) {
    // A refused file keeps what had been read; that part must still be usable.
  }
  // A few bytes can declare frames of millions of pixels; coding those again only runs the same
  // loops for seconds, so the writer meets the pictures of up to a few megapixels.
  long pixels = 0;
  for (int i = 0; i < image.Images().Count(); ++i)
    pixels += static_cast<long>(image.Images()[i]->Width()) * image.Images()[i]->Height();
  if (pixels <= 4L << 20) {
    try {
      fw::TMemoryStream out;
      image.SaveToStream(&out);
    } catch (const kvexport::GIFException&) {
      // No frames, or pixels outside every colour table.
    }
  }
  for (int i = 0; i < image.Images().Count(); ++i) {
    kvexport::TGIFSubImage* frame = image.Images()[i];
    if (static_cast<long>(frame->Width()) * frame->Height() <= 512 * 512) frame->Bitmap();
  }
  return 0;
}
