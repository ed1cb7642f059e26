#include "presenter/ClipboardBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QThread>

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardFormats.h"

namespace win::presenter {
namespace {

QClipboard* DesktopClipboard() { return QGuiApplication::clipboard(); }

bool OnGuiThread() { return QThread::currentThread() == qApp->thread(); }

// Draws `draw` onto a white picture of the given size.
template <class F>
QImage Render(int width, int height, F draw) {
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO bmi;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP target = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!target || !bits) return {};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  draw(dc, all);
  QImage picture = QImage(static_cast<const uchar*>(bits), width, height, width * 4, QImage::Format_RGB32).copy();
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(target);
  return picture;
}

// Our clipboard's picture for other programs: its bitmap, else its metafile at its frame's size
// on the reference device. Null when it holds neither.
QImage OurClipboardPicture() {
  if (!OpenClipboard(nullptr)) return {};
  QImage picture;
  if (auto bitmap = HBITMAP(GetClipboardData(CF_BITMAP))) {
    BITMAP info;
    if (GetObjectW(bitmap, sizeof info, &info))
      picture = Render(info.bmWidth, std::abs(info.bmHeight), [bitmap](HDC dc, const RECT& r) {
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, r.right, r.bottom, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
      });
  } else if (auto metafile = HENHMETAFILE(GetClipboardData(CF_ENHMETAFILE))) {
    ENHMETAHEADER header;
    if (GetEnhMetaFileHeader(metafile, sizeof header, &header)) {
      // The frame is in hundredths of a millimetre; the reference device says how many pixels
      // a millimetre has.
      auto pixels = [](LONG hundredths, LONG devicePixels, LONG millimetres) {
        return millimetres > 0 ? int((int64_t(hundredths) * devicePixels + millimetres * 50) / (millimetres * 100))
                               : int(hundredths * 96 / 2540);
      };
      const RECT& f = header.rclFrame;
      int width = pixels(f.right - f.left, header.szlDevice.cx, header.szlMillimeters.cx);
      int height = pixels(f.bottom - f.top, header.szlDevice.cy, header.szlMillimeters.cy);
      picture = Render(std::min(width, 16384), std::min(height, 16384),
                       [metafile](HDC dc, const RECT& r) { PlayEnhMetaFile(dc, metafile, &r); });
    }
  }
  CloseClipboard();
  return picture;
}

}  // namespace

ClipboardBridge::ClipboardBridge() {
  connection_ = QObject::connect(DesktopClipboard(), &QClipboard::dataChanged, qApp, [this] { DesktopChanged(); });
  previous_ = SetClipboardMirror(this);
  TakeDesktopTextAtStart();
}

ClipboardBridge::~ClipboardBridge() {
  SetClipboardMirror(previous_);
  QObject::disconnect(connection_);  // this bridge's only: another may still listen
}

void ClipboardBridge::OurClipboardChanged(const std::optional<std::string>& utf8Text) {
  if (mirroring_) return;
  QImage picture = OurClipboardPicture();
  auto apply = [text = utf8Text, picture] {
    QClipboard* cb = DesktopClipboard();
    if (!text && picture.isNull()) {
      // Ours holds nothing others read: what the desktop held before is no longer current.
      if (cb->ownsClipboard()) cb->clear();
      return;
    }
    auto* data = new QMimeData;
    if (text) data->setText(QString::fromUtf8(text->data(), qsizetype(text->size())));
    if (!picture.isNull()) data->setImageData(picture);
    cb->setMimeData(data);
  };
  if (OnGuiThread())
    apply();
  else
    QMetaObject::invokeMethod(qApp, apply, Qt::QueuedConnection);
}

void ClipboardBridge::DesktopChanged() {
  QClipboard* cb = DesktopClipboard();
  if (cb->ownsClipboard()) return;  // our own text coming back
  const QMimeData* data = cb->mimeData();
  // Nobody holds the desktop's clipboard (it was cleared, or its owner left): ours stays.
  if (!data || data->formats().isEmpty()) {
    pending_ = false;
    return;
  }
  mirroring_ = true;
  if (data->hasText()) {
    QByteArray utf8 = data->text().toUtf8();
    pending_ = !TakeDesktopClipboardText(std::string_view(utf8.constData(), size_t(utf8.size())));
  } else if (OpenClipboard(nullptr)) {
    // Something we cannot take yet: what we held is no longer what the desktop holds.
    EmptyClipboard();
    CloseClipboard();
    pending_ = false;
  } else {
    pending_ = true;
  }
  mirroring_ = false;
}

void ClipboardBridge::TakeDesktopTextAtStart() {
  // While ours holds nothing, only the desktop's text matters: asking for the text alone spares
  // listing every picture format Qt can read (loading its image plugins) before the first window
  // shows.
  if (CountClipboardFormats() != 0) {
    DesktopChanged();
    return;
  }
  QClipboard* cb = DesktopClipboard();
  if (cb->ownsClipboard()) return;
  // Asking whether there is text at all would list the formats too; empty text leaves ours empty.
  const QString text = cb->text();
  if (text.isEmpty()) return;
  mirroring_ = true;
  QByteArray utf8 = text.toUtf8();
  pending_ = !TakeDesktopClipboardText(std::string_view(utf8.constData(), size_t(utf8.size())));
  mirroring_ = false;
}

void ClipboardBridge::RetryPending() {
  if (pending_) DesktopChanged();
}

}  // namespace win::presenter
