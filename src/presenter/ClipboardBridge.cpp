#include "presenter/ClipboardBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

#include "platform/user/Clipboard.h"

namespace win::presenter {
namespace {

QClipboard* DesktopClipboard() { return QGuiApplication::clipboard(); }

bool OnGuiThread() { return QThread::currentThread() == qApp->thread(); }

}  // namespace

ClipboardBridge::ClipboardBridge() {
  QObject::connect(DesktopClipboard(), &QClipboard::dataChanged, qApp, [this] { DesktopChanged(); });
  SetClipboardMirror(this);
  DesktopChanged();
}

ClipboardBridge::~ClipboardBridge() {
  SetClipboardMirror(nullptr);
  QObject::disconnect(DesktopClipboard(), &QClipboard::dataChanged, qApp, nullptr);
}

void ClipboardBridge::OurClipboardChanged(const std::optional<std::string>& utf8Text) {
  if (mirroring_) return;
  auto apply = [text = utf8Text] {
    QClipboard* cb = DesktopClipboard();
    if (text)
      cb->setText(QString::fromUtf8(text->data(), qsizetype(text->size())));
    else if (cb->ownsClipboard())
      cb->clear();
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

void ClipboardBridge::RetryPending() {
  if (pending_) DesktopChanged();
}

}  // namespace win::presenter
