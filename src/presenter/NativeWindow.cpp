#include "presenter/NativeWindow.h"

#include <QAccessible>

#include <QCursor>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QRegion>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "platform/desktop/DesktopInput.h"
#include "platform/desktop/DesktopView.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "presenter/DroppedFiles.h"
#include "presenter/KeyMapping.h"

namespace win::presenter {
namespace {

using namespace desktop;

std::optional<MouseButton> ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    case Qt::BackButton: return MouseButton::X1;
    case Qt::ForwardButton: return MouseButton::X2;
    default: return std::nullopt;
  }
}

std::vector<std::u16string> LocalFiles(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  // The list's own bytes: QUrl would decode a name that is not UTF-8 into replacement characters.
  const QByteArray list = mime->data(QStringLiteral("text/uri-list"));
  return LocalFilesOfUriList(std::string_view(list.constData(), std::size_t(list.size())));
}

// The start-up measure (tools/startup-measure) asks, through the environment, when the first
// picture of a window of ours reached the display: said once, in the monotonic clock's
// nanoseconds, which the measuring script reads on the same clock.
void ReportFirstFrame() {
  static bool reported = false;
  if (reported) return;
  reported = true;
  if (!std::getenv("KV_REPORT_FIRST_FRAME")) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::fprintf(stderr, "first-frame %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
  std::fflush(stderr);
}

}  // namespace

NativeWindow::NativeWindow(HWND topLevel) : hwnd_(topLevel) {}

void NativeWindow::SetIconStrip(bool strip) {
  iconStrip_ = strip;
  // The native state follows quietly: the window stays minimised on our side.
  if (strip && (windowStates() & Qt::WindowMinimized)) setWindowStates(Qt::WindowNoState);
}

POINT NativeWindow::ToScreen(QPointF local) const {
  return POINT{rect_.left + LONG(std::floor(local.x())), rect_.top + LONG(std::floor(local.y()))};
}

void NativeWindow::RequestGeometry(const QRect& geometry) {
  // A window manager may drop or merge requests; the oldest ones go when too many wait.
  constexpr size_t kMaxWaiting = 32;
  if (requested_.size() == kMaxWaiting) requested_.pop_front();
  requested_.push_back(geometry);
  desktopGeometry_.reset();
  setGeometry(geometry);
}

std::optional<QRect> NativeWindow::TakeDesktopGeometry() { return std::exchange(desktopGeometry_, std::nullopt); }

std::optional<bool> NativeWindow::TakeDesktopMaximised() { return std::exchange(desktopMaximised_, std::nullopt); }

void NativeWindow::OnGeometryChanged() {
  const QRect now = geometry();
  // Confirmations arrive in the order asked: one confirmed makes the earlier ones moot.
  auto it = std::find(requested_.begin(), requested_.end(), now);
  if (it != requested_.end()) {
    requested_.erase(requested_.begin(), it + 1);
    return;
  }
  const QRect ours(rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top);
  if (now == ours || !isVisible() || iconStrip_ || (windowStates() & Qt::WindowMinimized)) return;
  desktopGeometry_ = now;
}

void NativeWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  SurfaceView s = SurfaceOf(hwnd_);
  if (!s.bits) {
    painter.fillRect(event->rect(), Qt::black);
    return;
  }
  LayeredLook look = LayeredLookOf(hwnd_);
  QImage picture(reinterpret_cast<const uchar*>(s.bits), s.width, s.height, qsizetype(s.stride) * 4,
                 look.perPixelAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  const QRect bounds(0, 0, s.width, s.height);
  for (const QRect& r : event->region()) {
    QRect inside = r.intersected(bounds);
    if (inside.isEmpty()) continue;
    if (look.perPixelAlpha) {
      painter.drawImage(inside.topLeft(), picture, inside);
    } else {
      // Drawing leaves the alpha byte undefined; an RGB32 picture must hold 0xFF there. Rows go
      // through one small band kept for every paint, not a copy of the whole area, whose fresh
      // pages would all be faulted in on the first paint.
      const int width = inside.width();
      const int rowsPerBand = std::max(1, kBandPixels / width);
      band_.resize(size_t(width) * size_t(std::min(rowsPerBand, inside.height())));
      for (int top = inside.top(); top <= inside.bottom(); top += rowsPerBand) {
        const int rows = std::min(rowsPerBand, inside.bottom() + 1 - top);
        uint32_t* out = band_.data();
        for (int y = top; y < top + rows; ++y) {
          const uint32_t* in = s.bits + size_t(y) * size_t(s.stride) + size_t(inside.left());
          for (int x = 0; x < width; ++x) *out++ = in[x] | 0xFF000000u;
        }
        const QImage opaque(reinterpret_cast<const uchar*>(band_.data()), width, rows, width * 4, QImage::Format_RGB32);
        painter.drawImage(QPoint(inside.left(), top), opaque);
      }
    }
  }
  for (const QRect& r : event->region().subtracted(QRegion(bounds))) painter.fillRect(r, Qt::black);
  painter.end();
  ReportFirstFrame();
}

void NativeWindow::OnMouse(QEvent* event) {
  auto* me = static_cast<QMouseEvent*>(event);
  POINT pt = ToScreen(me->position());
  switch (event->type()) {
    case QEvent::MouseMove:
      InjectMouseMove(pt);
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
      if (auto b = ButtonOf(me->button())) InjectMouseButton(pt, *b, event->type() == QEvent::MouseButtonPress);
      break;
    default:
      break;  // double clicks are recognised by our own rules from the presses
  }
  event->accept();
}

void NativeWindow::OnKey(QEvent* event) {
  auto* ke = static_cast<QKeyEvent*>(event);
  bool down = event->type() == QEvent::KeyPress;
  // Held keys repeat as further presses; the releases in between are not real.
  if (!down && ke->isAutoRepeat()) return;
  PhysicalKey key = KeyFromNativeScanCode(ke->nativeScanCode(), ke->nativeVirtualKey());
  QString text = ke->text();
  std::u16string_view typed(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
  Qt::KeyboardModifiers mods = ke->modifiers();
  // The modifiers held with an ordinary key are the desktop's word: a release that went to a
  // window manager grabbing the keyboard (its Alt+F4) no longer leaves Alt down for us.
  if (!IsModifierKey(key.vk)) desktop::InjectHeldModifiers(HeldModifierKeys(mods));
  bool ctrlWithoutAlt = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
  InjectKey(key, down, typed, ctrlWithoutAlt);
  event->accept();
}

bool NativeWindow::OnDrag(QEvent* event) {
  auto* de = static_cast<QDropEvent*>(event);
  POINT pt = ToScreen(de->position());
  std::vector<std::u16string> files = LocalFiles(de->mimeData());
  bool wanted = !files.empty() && FileDropTargetAt(pt);
  if (event->type() == QEvent::Drop && wanted) wanted = InjectFileDrop(pt, files);
  if (wanted) {
    de->setDropAction(Qt::CopyAction);
    de->accept();
  } else {
    de->ignore();
  }
  return true;
}

bool NativeWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      OnMouse(event);
      return true;
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(event);
      POINT pt = ToScreen(we->position());
      QPoint delta = we->angleDelta();
      InjectWheel(pt, delta.y(), false);
      // Positive horizontal deltas scroll right in our messages, left in Qt's.
      InjectWheel(pt, -delta.x(), true);
      return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      OnKey(event);
      return true;
    case QEvent::Enter:
      InjectMouseMove(ToScreen(static_cast<QEnterEvent*>(event)->position()));
      return true;
    case QEvent::Leave: {
      // Our windows know nothing of the others on the desktop: the pointer's move to where it
      // went is what ends hover tracking.
      QPoint g = QCursor::pos();
      InjectMouseMove(POINT{g.x(), g.y()});
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return OnDrag(event);
    case QEvent::WindowStateChange: {
      // Iconified or restored from the desktop (a task bar): ours follows through its own
      // system commands. Changes we made ourselves find our window already there.
      bool minimised = windowStates() & Qt::WindowMinimized;
      if (!iconStrip_ && minimised != bool(IsIconic(hwnd_))) PostMessageW(hwnd_, WM_SYSCOMMAND, minimised ? SC_MINIMIZE : SC_RESTORE, 0);
      // Maximised or restored by a window manager: ours follows at the loop's next pause, before
      // the geometry that came with it, so that our window keeps its earlier size to restore to.
      bool maximised = windowStates() & Qt::WindowMaximized;
      if (!minimised && maximised != bool(IsZoomed(hwnd_))) desktopMaximised_ = maximised;
      return QRasterWindow::event(event);
    }
    case QEvent::Move:
    case QEvent::Resize:
      OnGeometryChanged();
      return QRasterWindow::event(event);
    case QEvent::Close:
      // Closing from the desktop (the window manager) goes through our own close handling.
      event->ignore();
      PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    default:
      return QRasterWindow::event(event);
  }
}

QAccessibleInterface* NativeWindow::accessibleRoot() const {
  return QAccessible::queryAccessibleInterface(const_cast<NativeWindow*>(this));
}

}  // namespace win::presenter
