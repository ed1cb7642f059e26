#include "presenter/DropShadowWindows.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRasterWindow>
#include <QSurfaceFormat>
#include <QElapsedTimer>

#include <xcb/xcb.h>

#include <cstring>
#include <string>

#include "platform/desktop/DropShadow.h"
#include "platform/user/windows/Window.h"
#include "presenter/NativeStacking.h"

namespace win::presenter {

using desktop::kDropShadowSize;

// A native window that only shows a shadow picture and lets input through.
class ShadowWindow final : public QRasterWindow {
 public:
  ShadowWindow() {
    QSurfaceFormat format = this->format();
    format.setAlphaBufferSize(8);
    setFormat(format);
    setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
             Qt::NoDropShadowWindowHint);
  }
  // The shadow of a window at `window` (device-independent pixels).
  void Place(const QRect& window) {
    QRect area(window.topLeft(), window.size() + QSize(kDropShadowSize, kDropShadowSize));
    if (window.size() != windowSize_) {
      windowSize_ = window.size();
      std::vector<uint32_t> pixels = desktop::DropShadowPicture(window.width(), window.height());
      picture_ = QImage(area.width(), area.height(), QImage::Format_ARGB32_Premultiplied);
      for (int y = 0; y < area.height(); ++y)
        std::memcpy(picture_.scanLine(y), pixels.data() + size_t(y) * size_t(area.width()), size_t(area.width()) * 4);
      update();
    }
    if (geometry() != area) setGeometry(area);
  }
  QWindow* under = nullptr;  // the window it was last stacked below

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, picture_);
  }

 private:
  QSize windowSize_;
  QImage picture_;
};

namespace {

long long NowMs() {
  static const QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer.elapsed();
}

}  // namespace

DropShadowWindows::DropShadowWindows() = default;
DropShadowWindows::~DropShadowWindows() = default;

bool DropShadowWindows::AskDesktop() const {
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith("wayland")) return true;
  xcb_connection_t* c = XConnection();
  if (platform != "xcb" || !c) return false;
  // Every screen of the display: whichever the windows are on, a compositor there blends.
  const int screens = xcb_setup_roots_length(xcb_get_setup(c));
  for (int n = 0; n < screens; ++n) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(n);
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(name.size()), name.c_str()), nullptr);
    if (!atom) continue;
    xcb_atom_t id = atom->atom;
    free(atom);
    if (id == XCB_ATOM_NONE) continue;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, id), nullptr);
    const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    if (owned) return true;
  }
  return false;
}

bool DropShadowWindows::CanBlend() const {
  const long long now = NowMs();
  const long long asked = askedAtMs_.load();
  if (asked < 0 || now - asked >= 1000) {
    canBlend_ = AskDesktop();
    askedAtMs_ = now;
  }
  return canBlend_;
}

void DropShadowWindows::Sync(const std::map<HWND, QWindow*>& shown, bool restacked) {
  for (auto it = shadows_.begin(); it != shadows_.end();) {
    auto found = shown.find(it->first);
    if (found == shown.end() || !found->second->isVisible() || !desktop::CastsDropShadow(it->first))
      it = shadows_.erase(it);
    else
      ++it;
  }
  for (const auto& [h, window] : shown) {
    if (!window->isVisible() || !desktop::CastsDropShadow(h)) continue;
    auto& shadow = shadows_[h];
    if (!shadow) shadow = std::make_unique<ShadowWindow>();
    shadow->Place(window->geometry());
    if (!shadow->isVisible()) {
      shadow->setVisible(true);
      shadow->under = nullptr;
    }
    // Only when something moved in the stacking: each restacking wakes the loop again.
    if (restacked || shadow->under != window) {
      // A window manager that framed the window makes it no sibling of the shadow's: the
      // request then fails, and the shadow stays where the manager put it.
      StackNextTo(*shadow, window->winId(), false);
      shadow->under = window;
    }
  }
}

QWindow* DropShadowWindows::ShadowOf(HWND topLevel) const {
  auto it = shadows_.find(topLevel);
  return it == shadows_.end() ? nullptr : it->second.get();
}

}  // namespace win::presenter
