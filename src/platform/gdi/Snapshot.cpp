// PNG snapshots of bitmaps in any depth.

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <algorithm>

#include "platform/gdi/Snapshot.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/BmpFile.h"

namespace win {

using namespace win::gdi;

bool SaveBitmapAsPng(HBITMAP hbm, const std::string& path, const RECT* part, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  BitmapObj* bmp = FindBitmap(hbm);
  if (!bmp) return fail("not a bitmap handle");
  FlushPainting(*bmp);
  RECT r{0, 0, bmp->width, bmp->height};
  if (part) {
    r.left = std::max<LONG>(part->left, 0);
    r.top = std::max<LONG>(part->top, 0);
    r.right = std::min<LONG>(part->right, bmp->width);
    r.bottom = std::min<LONG>(part->bottom, bmp->height);
  }
  if (r.right <= r.left || r.bottom <= r.top) return fail("nothing of the bitmap lies in the part");
  QImage img(r.right - r.left, r.bottom - r.top, QImage::Format_RGB32);
  for (int y = r.top; y < r.bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y - r.top));
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = ReadPixel(*bmp, x, y);
      line[x - r.left] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !img.save(&buffer, "PNG")) return fail("cannot encode PNG");
  return WriteFileReplacing(path, png.constData(), size_t(png.size()), error);
}

}  // namespace win
