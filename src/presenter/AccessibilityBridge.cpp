#include "presenter/AccessibilityBridge.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QGuiApplication>
#include <QWindow>

#include <optional>
#include <string_view>

#include "platform/kernel/Threads.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "presenter/NativeWindow.h"

namespace win::presenter {
namespace {

// The bridges listening, newest first through previous_; events arrive on the presenter's thread.
AccessibilityBridge* gBridge = nullptr;

std::optional<QAccessible::Event> QtEventOf(DWORD event) {
  switch (event) {
    case EVENT_SYSTEM_MENUSTART: return QAccessible::MenuStart;
    case EVENT_SYSTEM_MENUEND: return QAccessible::MenuEnd;
    case EVENT_SYSTEM_MENUPOPUPSTART: return QAccessible::PopupMenuStart;
    case EVENT_SYSTEM_MENUPOPUPEND: return QAccessible::PopupMenuEnd;
    case EVENT_OBJECT_CREATE: return QAccessible::ObjectCreated;
    case EVENT_OBJECT_DESTROY: return QAccessible::ObjectDestroyed;
    case EVENT_OBJECT_SHOW: return QAccessible::ObjectShow;
    case EVENT_OBJECT_HIDE: return QAccessible::ObjectHide;
    case EVENT_OBJECT_FOCUS: return QAccessible::Focus;
    case EVENT_OBJECT_SELECTION: return QAccessible::Selection;
    case EVENT_OBJECT_STATECHANGE: return QAccessible::StateChanged;
    case EVENT_OBJECT_NAMECHANGE: return QAccessible::NameChanged;
    default: return std::nullopt;
  }
}

// A native window as one accessible object, described from our window it shows.
class WindowAccessible final : public QAccessibleObject {
 public:
  explicit WindowAccessible(NativeWindow* w) : QAccessibleObject(w), window_(w) {}
  QWindow* window() const override { return window_; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return {};
    char16_t buf[256] = {};
    int n = GetWindowTextW(window_->hwnd(), buf, 256);
    return QString::fromUtf16(buf, n);
  }
  QAccessible::Role role() const override {
    char16_t cls[32] = {};
    GetClassNameW(window_->hwnd(), cls, 32);
    if (std::u16string_view(cls) == u"#32768") return QAccessible::PopupMenu;
    if (std::u16string_view(cls) == u"#32770") return QAccessible::Dialog;
    return QAccessible::Window;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invisible = !IsWindowVisible(window_->hwnd());
    s.active = GetActiveWindow() == window_->hwnd();
    s.disabled = !IsWindowEnabled(window_->hwnd());
    return s;
  }
  QRect rect() const override {
    RECT r{};
    GetWindowRect(window_->hwnd(), &r);
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }

 private:
  NativeWindow* window_;
};

QAccessibleInterface* AccessibleOf(const QString&, QObject* object) {
  if (auto* w = dynamic_cast<NativeWindow*>(object)) return new WindowAccessible(w);
  return nullptr;
}

}  // namespace

AccessibilityBridge::AccessibilityBridge(std::function<QWindow*(HWND)> nativeWindowOf, Deliver deliver)
    : nativeWindowOf_(std::move(nativeWindowOf)), deliver_(std::move(deliver)) {
  if (!deliver_) deliver_ = [](QAccessibleEvent* e) { QAccessible::updateAccessibility(e); };
  previous_ = gBridge;
  gBridge = this;
  if (!previous_) QAccessible::installFactory(AccessibleOf);
  hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &AccessibilityBridge::Heard, 0, GetCurrentThreadId(),
                          WINEVENT_OUTOFCONTEXT);
}

AccessibilityBridge::~AccessibilityBridge() {
  if (hook_) UnhookWinEvent(hook_);
  for (AccessibilityBridge** link = &gBridge; *link; link = &(*link)->previous_)
    if (*link == this) {
      *link = previous_;
      break;
    }
  if (!gBridge) QAccessible::removeFactory(AccessibleOf);
}

void AccessibilityBridge::Heard(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG, LONG idChild, DWORD, DWORD) {
  for (AccessibilityBridge* b = gBridge; b; b = b->previous_)
    if (b->hook_ == hook) b->Pass(event, hwnd, idChild);
}

void AccessibilityBridge::Pass(DWORD event, HWND hwnd, LONG) const {
  std::optional<QAccessible::Event> type = QtEventOf(event);
  if (!type || !hwnd) return;
  HWND top = GetAncestor(hwnd, GA_ROOT);
  QWindow* window = top ? nativeWindowOf_(top) : nullptr;
  if (!window || !window->isVisible()) return;
  if (*type == QAccessible::StateChanged) {
    QAccessibleStateChangeEvent changed(window, QAccessible::State());
    deliver_(&changed);
    return;
  }
  QAccessibleEvent e(window, *type);
  deliver_(&e);
}

}  // namespace win::presenter
