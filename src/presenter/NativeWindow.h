#pragma once
// One native window showing a top-level window of ours: it paints from the window's surface and
// turns the desktop's input on it into our input.

#include <QRasterWindow>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::presenter {

class NativeWindow final : public QRasterWindow {
 public:
  explicit NativeWindow(HWND topLevel);
  HWND hwnd() const { return hwnd_; }
  // Our screen rectangle of the window, so pointer positions map to our coordinates even when a
  // window manager placed the native window elsewhere.
  void SetScreenRect(const RECT& rect) { rect_ = rect; }
  const RECT& ScreenRect() const { return rect_; }
  // Asks the native window for `geometry`. The desktop confirms it later; until then the
  // geometries reported back are told apart from those the desktop chose itself.
  void RequestGeometry(const QRect& geometry);
  // The geometry the desktop gave the native window on its own (a window manager's resize or
  // move, `xdotool windowsize`), once; our window is to follow it.
  std::optional<QRect> TakeDesktopGeometry();
  // The maximised state the desktop gave the native window on its own (a window manager's
  // maximise or restore), once; our window is to follow it.
  std::optional<bool> TakeDesktopMaximised();
  // Whether our window was maximised when last shown, so that its restore is passed on.
  bool ZoomedShown() const { return zoomedShown_; }
  void SetZoomedShown(bool zoomed) { zoomedShown_ = zoomed; }
  // Shown as the caption strip of a minimised window where the desktop could not iconify it.
  bool IconStrip() const { return iconStrip_; }
  void SetIconStrip(bool strip);
  // The window's accessible object, so the application lists it to assistive technology.
  QAccessibleInterface* accessibleRoot() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  POINT ToScreen(QPointF local) const;
  void OnMouse(QEvent* event);
  void OnKey(QEvent* event);
  bool OnDrag(QEvent* event);
  void OnGeometryChanged();
  HWND hwnd_;
  RECT rect_{};
  bool iconStrip_ = false;
  std::deque<QRect> requested_;  // asked of the desktop and not yet confirmed, oldest first
  std::optional<QRect> desktopGeometry_;
  std::optional<bool> desktopMaximised_;
  bool zoomedShown_ = false;
  // Opaque rows on their way to the desktop: at most kBandPixels (or one row).
  static constexpr int kBandPixels = 16384;
  std::vector<uint32_t> band_;
};

}  // namespace win::presenter
