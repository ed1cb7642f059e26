#include "presenter/DesktopPresenter.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QSurfaceFormat>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>

#include "platform/desktop/DesktopInput.h"
#include "platform/desktop/DesktopView.h"
#include "platform/desktop/ScreenCompositor.h"
#include "platform/kernel/Clock.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "presenter/AccessibilityBridge.h"
#include "presenter/ClipboardBridge.h"
#include "presenter/CursorShapes.h"
#include "presenter/DropShadowWindows.h"
#include "presenter/FontWarmUp.h"
#include "presenter/KeyMapping.h"
#include "presenter/NativeStacking.h"
#include "presenter/NativeWindow.h"
#include "presenter/PrintQueues.h"
#include "presenter/ScreenOverlay.h"
#include "presenter/ScreenMonitors.h"
#include "presenter/WindowKinds.h"

namespace win::presenter {
namespace {

using desktop::LayeredLook;
using desktop::LayeredLookOf;
using desktop::SurfaceOf;
using desktop::SurfaceView;
using desktop::WindowShapeOf;

// How long a window manager has to iconify a window before we show it as a strip ourselves.
constexpr int kIconifyWaitMs = 400;

bool OnGuiThread() { return qApp && QThread::currentThread() == qApp->thread(); }

// Runs `f` on the GUI thread: now when already there, else queued (and dropped when `context`
// is gone by then).
template <class F>
void OnGui(QObject* context, F f) {
  if (OnGuiThread())
    f();
  else if (context)
    QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
}

void StartGuiApplication() {
  if (QCoreApplication::instance()) return;
  // Our coordinates are device pixels: one surface pixel is one screen pixel.
  if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // Qt keeps references to argc and argv for the application's lifetime.
  static int argc = 1;
  static char name[] = "korvalin";
  static char* argv[] = {name, nullptr};
  // Never deleted: the drawing layer's fonts use it until the process ends.
  new QGuiApplication(argc, argv);
}

QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QString TitleOf(HWND h) {
  int n = GetWindowTextLengthW(h);
  if (n <= 0) return {};
  std::u16string text(size_t(n) + 1, u'\0');
  n = GetWindowTextW(h, text.data(), n + 1);
  return QString::fromUtf16(text.data(), n);
}

// The pixels of a colour-keyed window that are not the key: runs per row, already in the banded
// order a region keeps, so the region is made in one step.
QRegion OutsideColourKey(const SurfaceView& s, COLORREF key) {
  const uint32_t k = (uint32_t(GetRValue(key)) << 16) | (uint32_t(GetGValue(key)) << 8) | GetBValue(key);
  std::vector<QRect> runs;
  for (int y = 0; y < s.height; ++y) {
    const uint32_t* row = s.Row(y);
    for (int x = 0; x < s.width;) {
      while (x < s.width && (row[x] & 0xFFFFFF) == k) ++x;
      int start = x;
      while (x < s.width && (row[x] & 0xFFFFFF) != k) ++x;
      if (x > start) runs.emplace_back(start, y, x - start, 1);
    }
  }
  QRegion shown;
  if (!runs.empty()) shown.setRects(runs.data(), int(runs.size()));
  return shown;
}

}  // namespace

struct DesktopPresenter::State {
  FontWarmUp fonts;  // first: the font list is read while the rest starts
  QAbstractEventDispatcher* dispatcher = nullptr;
  std::atomic<bool> waiting{false};
  std::unique_ptr<QObject> context;  // receiver of our signal connections; deleting it disconnects
  std::map<HWND, std::unique_ptr<NativeWindow>> windows;
  std::vector<HWND> order;  // visible top-level windows, topmost first
  std::vector<QWindow*> stacked;  // the native order last applied, topmost first
  HWND captureTop = nullptr;
  QWindow* grabbed = nullptr;
  bool grabPending = false;
  HWND activeSynced = nullptr;
  // The window being maximised because the desktop maximised it: its own maximised rectangle is
  // not asked of the native window, which a window manager would take as a wish to leave that state.
  HWND followingMaximise = nullptr;
  std::optional<HWND> nativeFocus;  // the desktop moved its focus (null: to no window of ours)
  std::optional<bool> nativeForeground;
  bool keyboardMoved = false;  // the desktop's keyboard focus came to or left our windows
  QCursor cursor{Qt::ArrowCursor};
  std::unique_ptr<ClipboardBridge> clipboard;
  // What GetDC(NULL) measures and draws on: our windows composed as the desktop shows them.
  std::unique_ptr<desktop::ScreenCompositor> screen;
  std::unique_ptr<ScreenOverlay> overlay;  // what was drawn on the screen, over every window
  std::unique_ptr<AccessibilityBridge> accessibility;
  std::unique_ptr<DropShadowWindows> shadows = std::make_unique<DropShadowWindows>();
  std::unique_ptr<PrintQueues> printQueues = std::make_unique<PrintQueues>();

  NativeWindow* Find(HWND h) const {
    auto it = windows.find(h);
    return it == windows.end() ? nullptr : it->second.get();
  }
  void Present(HWND h, const RECT& rect);
  void Configure(NativeWindow& w);
  void ApplyShape(NativeWindow& w);
  void ApplyZOrder();
  void KeepUnmanagedInOrder();
  void ApplyGrab();
  void SyncActivationToDesktop();
  void TakeDesktopState();
  void FollowDesktopGeometry();
  void Forget(NativeWindow* w);
  void MakeScreenSurface();
  void SyncShadows(bool restacked);
};

void DesktopPresenter::State::SyncShadows(bool restacked) {
  if (shadows->Empty() && !shadows->CanBlend()) return;
  std::map<HWND, QWindow*> shown;
  for (const auto& [h, w] : windows) shown.emplace(h, w.get());
  shadows->Sync(shown, restacked);
}

void DesktopPresenter::State::MakeScreenSurface() {
  RECT r = VirtualScreenRect();
  const int width = std::max(1, int(r.right - r.left)), height = std::max(1, int(r.bottom - r.top));
  if (screen && screen->Width() == width && screen->Height() == height) return;
  desktop::SetDesktopSurface(nullptr);
  if (overlay) overlay->setVisible(false);
  screen = std::make_unique<desktop::ScreenCompositor>(width, height);
  desktop::SetDesktopSurface(screen->Bitmap());
}

void DesktopPresenter::State::Configure(NativeWindow& w) {
  HWND h = w.hwnd();
  HWND owner = GetWindow(h, GW_OWNER);
  NativeWindow* ownerWindow = owner ? Find(GetAncestor(owner, GA_ROOT)) : nullptr;
  Qt::WindowFlags flags = NativeFlagsFor(DWORD(GetWindowLongPtrW(h, GWL_STYLE)), DWORD(GetWindowLongPtrW(h, GWL_EXSTYLE)),
                                         ownerWindow != nullptr);
  if (w.flags() != flags) {
    bool visible = w.isVisible();
    if (visible) w.setVisible(false);  // most window managers read the kind only when mapping
    w.setFlags(flags);
  }
  if (w.transientParent() != ownerWindow) w.setTransientParent(ownerWindow);
  QString title = TitleOf(h);
  if (w.title() != title) w.setTitle(title);
  LayeredLook look = LayeredLookOf(h);
  if (!qFuzzyCompare(w.opacity(), look.opacity)) w.setOpacity(look.opacity);
  if (w.cursor() != cursor) w.setCursor(cursor);
}

void DesktopPresenter::State::ApplyShape(NativeWindow& w) {
  QRegion mask;
  bool shaped = false;
  if (auto rects = WindowShapeOf(w.hwnd())) {
    // The window region's rectangles come banded, as a QRegion keeps its own.
    std::vector<QRect> bands;
    for (const RECT& r : *rects) bands.push_back(ToQRect(r));
    if (!bands.empty()) mask.setRects(bands.data(), int(bands.size()));
    shaped = true;
  }
  if (auto key = LayeredLookOf(w.hwnd()).colourKey) {
    SurfaceView s = SurfaceOf(w.hwnd());
    QRegion shown = s.bits ? OutsideColourKey(s, *key) : QRegion();
    mask = shaped ? mask.intersected(shown) : shown;
    shaped = true;
  }
  if (shaped && mask.isEmpty()) mask = QRegion(-1, -1, 1, 1);  // an empty shape shows nothing
  if (w.mask() != mask) w.setMask(mask);
}

void DesktopPresenter::State::Present(HWND h, const RECT& rect) {
  auto& slot = windows[h];
  if (!slot) slot = std::make_unique<NativeWindow>(h);
  NativeWindow& w = *slot;
  LayeredLook look = LayeredLookOf(h);
  // A picture with its own alpha needs a native window with an alpha channel, which is chosen
  // when the native window is made: make it again when that changes.
  if (look.perPixelAlpha != (w.format().alphaBufferSize() > 0)) {
    if (w.handle()) {
      if (grabbed == &w) grabbed = nullptr;
      std::erase(stacked, static_cast<QWindow*>(&w));
      w.destroy();
    }
    QSurfaceFormat format = w.format();
    format.setAlphaBufferSize(look.perPixelAlpha ? 8 : -1);
    w.setFormat(format);
  }
  Configure(w);
  w.SetScreenRect(rect);
  QRect geometry = ToQRect(rect);
  bool showable = !geometry.isEmpty() && look.hasContent && IsWindowVisible(h);
  if (!showable) {
    if (w.isVisible()) w.setVisible(false);
    return;
  }
  // A minimised window of ours sits far off the screen; natively it is iconified instead, or,
  // where nothing iconifies it (no window manager), shown as its caption strip at the bottom left.
  bool minimised = IsIconic(h);
  if (!minimised && w.IconStrip()) w.SetIconStrip(false);
  if (minimised && w.IconStrip()) {
    if (w.geometry() != geometry) w.RequestGeometry(geometry);
    ApplyShape(w);
    if (!w.isVisible()) w.setVisible(true);
    return;
  }
  // Our window restored from maximised takes the native window out of that state too, or a window
  // manager would keep it over the whole screen.
  const bool zoomed = IsZoomed(h);
  if (w.ZoomedShown() && !zoomed && (w.windowStates() & Qt::WindowMaximized)) w.setWindowStates(Qt::WindowNoState);
  w.SetZoomedShown(zoomed);
  if (!minimised && geometry != w.geometry() && followingMaximise != h) w.RequestGeometry(geometry);
  ApplyShape(w);
  if (!w.isVisible()) {
    w.setVisible(true);
    stacked.clear();  // a newly mapped window lands on top: restack at the next pause
  }
  if (minimised != bool(w.windowStates() & Qt::WindowMinimized)) {
    w.setWindowStates(minimised ? Qt::WindowMinimized : Qt::WindowNoState);
    if (minimised) {
      // An iconified window is no longer exposed; one still shown a while later was not iconified.
      QPointer<NativeWindow> native(&w);
      QTimer::singleShot(kIconifyWaitMs, context.get(), [this, native, h] {
        if (!native || !native->isExposed() || !IsWindow(h) || !IsIconic(h)) return;
        native->SetIconStrip(true);
        // Our minimised window moves there too, so that pointer input on the strip finds it.
        RECT r;
        if (!GetWindowRect(h, &r)) return;
        const QRect work = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry() : QRect();
        SetWindowPos(h, nullptr, work.left(), work.bottom() + 1 - (r.bottom - r.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (GetWindowRect(h, &r)) Present(h, r);
      });
    }
  }
  if (captureTop == h && grabbed != &w) grabPending = true;
}

void DesktopPresenter::State::ApplyZOrder() {
  std::vector<QWindow*> wanted;
  for (HWND h : order)
    if (NativeWindow* w = Find(h); w && w->isVisible()) wanted.push_back(w);
  if (wanted == stacked) return;
  for (auto it = wanted.rbegin(); it != wanted.rend(); ++it) (*it)->raise();
  stacked = std::move(wanted);
  // Without a window manager nothing keeps the drawing on the screen above the windows raised.
  if (overlay && overlay->isVisible()) overlay->raise();
  // A window manager raises the windows it manages when it gets to our requests, and above those
  // it does not (a floating toolbar, raised at once): they are put back in our order then.
  KeepUnmanagedInOrder();
  for (int delayMs : {100, 400}) QTimer::singleShot(delayMs, context.get(), [this] { KeepUnmanagedInOrder(); });
}

void DesktopPresenter::State::KeepUnmanagedInOrder() {
  // Windows the window manager does not manage and that do not stay on top of everything: each
  // goes directly above the managed window below it in our order, unless it already lies between
  // that one and the managed window above it. Without a window manager every window is the
  // root's child and the raising above has stacked them all.
  auto unmanaged = [](const QWindow* w) {
    return w->type() == Qt::ToolTip && !(w->flags() & Qt::WindowStaysOnTopHint);
  };
  if (std::none_of(stacked.begin(), stacked.end(), unmanaged)) return;
  std::vector<unsigned long> outer;  // the root's child of each stacked window, topmost first
  bool framed = false;
  for (QWindow* w : stacked) {
    outer.push_back(OutermostXWindow(*w));
    framed = framed || (outer.back() && outer.back() != w->winId());
  }
  if (!framed) return;
  std::vector<unsigned long> root = RootStacking();  // bottom first
  auto place = [&root](unsigned long x) { return std::find(root.begin(), root.end(), x) - root.begin(); };
  const std::ptrdiff_t count = std::ptrdiff_t(stacked.size());
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (!unmanaged(stacked[size_t(i)]) || !outer[size_t(i)]) continue;
    std::ptrdiff_t below = i + 1, above = i - 1;
    while (below < count && unmanaged(stacked[size_t(below)])) ++below;
    while (above >= 0 && unmanaged(stacked[size_t(above)])) --above;
    if (below == count) continue;
    const auto at = place(outer[size_t(i)]);
    const bool overBelow = at > place(outer[size_t(below)]);
    const bool underAbove = above < 0 || at < place(outer[size_t(above)]);
    if (overBelow && underAbove) continue;
    StackNextTo(*stacked[size_t(i)], outer[size_t(below)], true);
    root = RootStacking();
  }
}

void DesktopPresenter::State::ApplyGrab() {
  NativeWindow* target = captureTop ? Find(captureTop) : nullptr;
  if (target && !target->isExposed()) target = nullptr;
  if (grabbed && grabbed != target) {
    grabbed->setMouseGrabEnabled(false);
    grabbed = nullptr;
  }
  grabPending = false;
  if (!target || grabbed == target) {
    grabPending = captureTop && !target;  // held by a window not yet on the screen
    return;
  }
  if (target->setMouseGrabEnabled(true))
    grabbed = target;
  else
    grabPending = true;
}

void DesktopPresenter::State::SyncActivationToDesktop() {
  HWND active = GetActiveWindow();
  if (active == activeSynced) return;
  activeSynced = active;
  NativeWindow* w = Find(active);
  if (w && w->isVisible() && QGuiApplication::focusWindow() != w) w->requestActivate();
}

void DesktopPresenter::State::TakeDesktopState() {
  if (keyboardMoved) {
    // Keys went up or down elsewhere meanwhile (Alt+Tab, a window manager's dialog): only the
    // modifiers the desktop says are held now stay down.
    keyboardMoved = false;
    desktop::InjectKeyboardResync(HeldModifierKeys(QGuiApplication::queryKeyboardModifiers()));
  }
  if (nativeForeground) {
    bool active = *nativeForeground;
    nativeForeground.reset();
    desktop::InjectApplicationActive(active);
  }
  FollowDesktopGeometry();
  if (nativeFocus) {
    HWND h = *nativeFocus;
    nativeFocus.reset();
    if (h && IsWindow(h) && IsWindowVisible(h) && IsWindowEnabled(h) && GetActiveWindow() != h) SetActiveWindow(h);
    // The desktop focused a window of ours that a modal one disables (the window manager's own
    // choice, or a click on it): the desktop is told again which window is active, which brings
    // the modal one back up, as a click on its disabled owner does.
    activeSynced = h && IsWindow(h) && !IsWindowEnabled(h) ? nullptr : GetActiveWindow();
  }
}

void DesktopPresenter::State::FollowDesktopGeometry() {
  // Our windows take the maximised state and the geometry the desktop chose (sizing runs our
  // window procedures, so it waits for the loop's pause); the native window then already is where
  // ours goes. The state comes first: maximising remembers the size ours had before.
  struct Change {
    HWND h;
    std::optional<bool> maximised;
    std::optional<QRect> geometry;
  };
  std::vector<Change> changes;
  for (auto& [h, w] : windows) {
    Change c{h, w->TakeDesktopMaximised(), w->TakeDesktopGeometry()};
    if (c.maximised || c.geometry) changes.push_back(c);
  }
  for (const Change& c : changes) {
    if (!IsWindow(c.h) || !IsWindowVisible(c.h) || IsIconic(c.h)) continue;
    std::optional<QRect> geometry = c.geometry;
    if (c.maximised && *c.maximised != bool(IsZoomed(c.h))) {
      followingMaximise = *c.maximised ? c.h : nullptr;
      ShowWindow(c.h, *c.maximised ? SW_MAXIMIZE : SW_RESTORE);
      followingMaximise = nullptr;
      // Maximised, ours takes the place the window manager gave the native window.
      if (NativeWindow* w = Find(c.h); w && *c.maximised && !geometry) geometry = w->geometry();
    }
    if (!geometry || !IsWindow(c.h)) continue;
    const QRect& g = *geometry;
    SetWindowPos(c.h, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void DesktopPresenter::State::Forget(NativeWindow* w) {
  if (grabbed == w) {
    w->setMouseGrabEnabled(false);
    grabbed = nullptr;
  }
  std::erase(stacked, static_cast<QWindow*>(w));
  for (auto& [h, other] : windows)
    if (other->transientParent() == w) other->setTransientParent(nullptr);
}

bool DesktopPresenter::DisplayAvailable() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* v = std::getenv(name); v && *v) return true;
  return false;
}

DesktopPresenter::DesktopPresenter() : state_((StartGuiApplication(), std::make_unique<State>())) {
  State& s = *state_;
  s.dispatcher = QAbstractEventDispatcher::instance(qApp->thread());
  s.context = std::make_unique<QObject>();
  QObject* ctx = s.context.get();
  auto applyScreens = [&s] {
    ApplyScreensAsMonitors();
    s.MakeScreenSurface();
  };
  applyScreens();
  auto watchScreen = [ctx, applyScreens](QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, ctx, applyScreens);
    QObject::connect(screen, &QScreen::availableGeometryChanged, ctx, applyScreens);
  };
  for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
  QObject::connect(qApp, &QGuiApplication::screenAdded, ctx, [watchScreen, applyScreens](QScreen* screen) {
    watchScreen(screen);
    applyScreens();
  });
  QObject::connect(qApp, &QGuiApplication::screenRemoved, ctx, applyScreens);
  QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, ctx, applyScreens);
  // The desktop's focus and foreground are taken over when the event loop pauses, outside
  // Qt's event handling, because activation runs our window procedures.
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, ctx, [&s](QWindow* focus) {
    auto* ours = dynamic_cast<NativeWindow*>(focus);
    s.nativeFocus = ours ? ours->hwnd() : nullptr;
    s.keyboardMoved = true;
  });
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, ctx,
                   [&s](Qt::ApplicationState state) { s.nativeForeground = state == Qt::ApplicationActive; });
  s.accessibility = std::make_unique<AccessibilityBridge>([&s](HWND top) -> QWindow* { return s.Find(top); });
  SetCursorChangeListener([&s](HCURSOR current, bool visible) {
    OnGui(s.context.get(), [&s, current, visible] {
      s.cursor = NativeCursorFor(current, visible);
      for (auto& [h, w] : s.windows) w->setCursor(s.cursor);
    });
  });
  s.cursor = NativeCursorFor(GetCursor(), true);
  s.clipboard = std::make_unique<ClipboardBridge>();
  desktop::SetScreen(this);
}

DesktopPresenter::~DesktopPresenter() {
  if (desktop::GetScreen() == this) desktop::SetScreen(nullptr);
  SetCursorChangeListener(nullptr);
  State& s = *state_;
  s.accessibility.reset();
  s.shadows.reset();
  s.printQueues.reset();
  s.clipboard.reset();
  s.context.reset();
  desktop::SetDesktopSurface(nullptr);
  s.overlay.reset();
  s.screen.reset();
  if (s.grabbed) s.grabbed->setMouseGrabEnabled(false);
  s.grabbed = nullptr;
  for (auto& [h, w] : s.windows) w->setTransientParent(nullptr);
  s.windows.clear();
}

QWindow* DesktopPresenter::NativeWindowOf(HWND topLevel) const { return state_->Find(topLevel); }

QWindow* DesktopPresenter::ShadowWindowOf(HWND topLevel) const { return state_->shadows->ShadowOf(topLevel); }

bool DesktopPresenter::CanBlend() const { return state_->shadows && state_->shadows->CanBlend(); }

void DesktopPresenter::PrepareDesktopDrawing() {
  if (!state_->screen) return;
  state_->screen->Compose();
  state_->screen->Remember();
}

void DesktopPresenter::DesktopDrawn() {
  State& s = *state_;
  if (!s.screen || !OnGuiThread() || !s.screen->ChangedSinceRemembered()) return;
  if (!s.overlay) s.overlay = std::make_unique<ScreenOverlay>();
  s.overlay->ShowDrawing(*s.screen, VirtualScreenRect());
}

void DesktopPresenter::WindowShown(HWND topLevel, const RECT& screenRect) {
  if (state_->screen) state_->screen->MarkAllDirty();
  OnGui(state_->context.get(), [this, topLevel, screenRect] { state_->Present(topLevel, screenRect); });
}

void DesktopPresenter::WindowMoved(HWND topLevel, const RECT& screenRect) {
  if (state_->screen) state_->screen->MarkAllDirty();
  OnGui(state_->context.get(), [this, topLevel, screenRect] {
    if (state_->Find(topLevel)) state_->Present(topLevel, screenRect);
  });
}

void DesktopPresenter::WindowHidden(HWND topLevel) {
  if (state_->screen) state_->screen->MarkAllDirty();
  OnGui(state_->context.get(), [this, topLevel] {
    if (NativeWindow* w = state_->Find(topLevel)) {
      if (state_->grabbed == w) {
        w->setMouseGrabEnabled(false);
        state_->grabbed = nullptr;
      }
      w->setVisible(false);
    }
  });
}

void DesktopPresenter::WindowDestroyed(HWND topLevel) {
  if (state_->screen) state_->screen->MarkAllDirty();
  OnGui(state_->context.get(), [this, topLevel] {
    auto it = state_->windows.find(topLevel);
    if (it == state_->windows.end()) return;
    std::unique_ptr<NativeWindow> w = std::move(it->second);
    state_->windows.erase(it);
    state_->Forget(w.get());
  });
}

void DesktopPresenter::ZOrderChanged(const std::vector<HWND>& topFirst) {
  if (state_->screen) state_->screen->MarkAllDirty();
  OnGui(state_->context.get(), [this, topFirst] { state_->order = topFirst; });
}

void DesktopPresenter::WindowRepainted(HWND topLevel, const RECT& dirty) {
  if (state_->screen) state_->screen->MarkWindowDirty(topLevel, dirty);
  OnGui(state_->context.get(), [this, topLevel, dirty] {
    NativeWindow* w = state_->Find(topLevel);
    if (!w) return;
    if (!w->isVisible()) {
      // A layered window shows once it has content.
      if (IsWindowVisible(topLevel)) state_->Present(topLevel, w->ScreenRect());
      return;
    }
    state_->Present(topLevel, w->ScreenRect());
    w->update(ToQRect(dirty));
  });
}

void DesktopPresenter::CaptureChanged(HWND hwnd) {
  OnGui(state_->context.get(), [this, hwnd] {
    state_->captureTop = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    state_->ApplyGrab();
  });
}

bool DesktopPresenter::WaitForWork(std::optional<ULONGLONG> deadlineMs) {
  if (!OnGuiThread()) return false;  // other threads wait on their own queues
  State& s = *state_;
  const std::vector<QWindow*> stackedBefore = s.stacked;
  s.ApplyZOrder();
  s.SyncShadows(s.stacked != stackedBefore);
  if (s.grabPending) s.ApplyGrab();
  s.SyncActivationToDesktop();
  s.clipboard->RetryPending();
  QTimer deadline;
  if (deadlineMs && !clock::IsVirtual()) {
    ULONGLONG now = clock::NowMs();
    if (*deadlineMs <= now) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      s.TakeDesktopState();
      return true;
    }
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(int(std::min<ULONGLONG>(*deadlineMs - now, 24ull * 3600 * 1000)));
  }
  s.waiting = true;
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  s.waiting = false;
  s.TakeDesktopState();
  return true;
}

void DesktopPresenter::Wake() {
  // Our own thread posting while it runs needs no wake-up; any other thread always does.
  if (OnGuiThread() && !state_->waiting) return;
  if (state_->dispatcher) state_->dispatcher->wakeUp();
}

}  // namespace win::presenter
