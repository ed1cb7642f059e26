#include "presenter/AccessibilityBridge.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#include <optional>
#include <string_view>
#include <vector>

#include "platform/kernel/Threads.h"
#include "platform/user/messages/Input.h"
#include "platform/user/services/AccessibleParts.h"
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

// Every role our accessible parts answer, as the reader should hear it; a part without one, or
// with one not listed, is a plain window.
QAccessible::Role QtRoleOf(LONG role) {
  switch (role) {
    case ROLE_SYSTEM_MENUBAR: return QAccessible::MenuBar;
    case ROLE_SYSTEM_MENUPOPUP: return QAccessible::PopupMenu;
    case ROLE_SYSTEM_MENUITEM: return QAccessible::MenuItem;
    case ROLE_SYSTEM_TOOLBAR: return QAccessible::ToolBar;
    case ROLE_SYSTEM_STATUSBAR: return QAccessible::StatusBar;
    case ROLE_SYSTEM_SEPARATOR: return QAccessible::Separator;
    case ROLE_SYSTEM_STATICTEXT: return QAccessible::StaticText;
    case ROLE_SYSTEM_TEXT: return QAccessible::EditableText;
    case ROLE_SYSTEM_PUSHBUTTON: return QAccessible::Button;
    case ROLE_SYSTEM_COMBOBOX: return QAccessible::ComboBox;
    case ROLE_SYSTEM_SPINBUTTON: return QAccessible::SpinBox;
    case ROLE_SYSTEM_BUTTONMENU: return QAccessible::ButtonMenu;
    case ROLE_SYSTEM_BUTTONDROPDOWNGRID: return QAccessible::ButtonDropGrid;
    case ROLE_SYSTEM_WHITESPACE: return QAccessible::Whitespace;
    case ROLE_SYSTEM_CLIENT: return QAccessible::Client;
    default: return QAccessible::Window;
  }
}

QRect QtRectOf(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QString QtTextOf(const std::u16string& s) { return QString::fromUtf16(s.data(), qsizetype(s.size())); }

// The name assistive technology knows an action by: pressing and opening have Qt's own.
QString QtActionNameOf(const std::u16string& action) {
  if (action == u"Press" || action == u"Execute") return QAccessibleActionInterface::pressAction();
  if (action == u"Open") return QAccessibleActionInterface::showMenuAction();
  return QtTextOf(action);
}

// The first shown child whose rectangle holds the screen point.
QAccessibleInterface* ChildAtPoint(const QAccessibleInterface* parent, int x, int y) {
  for (int i = 0, n = parent->childCount(); i < n; ++i) {
    QAccessibleInterface* c = parent->child(i);
    if (c && c->isValid() && !c->state().invisible && c->rect().contains(x, y)) return c;
  }
  return nullptr;
}

// One part (a menu item, a button, or a bar inside the window with its own parts) of a window
// that draws its own items, found by its path of indexes and read afresh from the window's
// accessible information on every question.
class PartAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PartAccessible(NativeWindow* w, QAccessibleInterface* parent, std::vector<int> path)
      : window_(w), parent_(parent), path_(std::move(path)) {}
  ~PartAccessible() override {
    for (QAccessible::Id id : children_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }
  bool isValid() const override { return window_ && Part().has_value(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return window_; }
  QAccessibleInterface* parent() const override { return parent_; }
  int childCount() const override {
    auto part = Part();
    return part ? int(part->children.size()) : 0;
  }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (size_t(index) >= children_.size()) children_.resize(size_t(index) + 1, 0);
    QAccessible::Id& id = children_[size_t(index)];
    if (!id) {
      std::vector<int> path = path_;
      path.push_back(index);
      id = QAccessible::registerAccessibleInterface(
          new PartAccessible(window_, const_cast<PartAccessible*>(this), std::move(path)));
    }
    return QAccessible::accessibleInterface(id);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t i = 0; i < children_.size(); ++i)
      if (children_[i] && QAccessible::accessibleInterface(children_[i]) == child) return int(i);
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override { return ChildAtPoint(this, x, y); }
  QString text(QAccessible::Text t) const override {
    auto part = Part();
    if (!part) return {};
    if (t == QAccessible::Name) return QtTextOf(part->name);
    if (t == QAccessible::Accelerator) return QtTextOf(part->shortcut);
    return {};
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override {
    QStringList names;
    auto part = Part();
    if (part && part->doDefaultAction && !part->defaultAction.empty()) names << QtActionNameOf(part->defaultAction);
    if (part && part->takeFocus) names << setFocusAction();
    return names;
  }
  void doAction(const QString& name) override {
    auto part = Part();
    if (!part) return;
    if (part->doDefaultAction && !part->defaultAction.empty() && name == QtActionNameOf(part->defaultAction))
      part->doDefaultAction();
    else if (part->takeFocus && name == setFocusAction())
      part->takeFocus();
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    auto part = Part();
    if (part && !part->shortcut.empty() && !part->defaultAction.empty() && name == QtActionNameOf(part->defaultAction))
      return {QtTextOf(part->shortcut)};
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override {
    auto part = Part();
    return part ? QtRoleOf(part->role) : QAccessible::NoRole;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    auto part = Part();
    if (!part) {
      s.invalid = true;
      return s;
    }
    s.disabled = (part->state & STATE_SYSTEM_UNAVAILABLE) != 0;
    s.focused = (part->state & STATE_SYSTEM_FOCUSED) != 0;
    s.pressed = (part->state & STATE_SYSTEM_PRESSED) != 0;
    s.checked = (part->state & STATE_SYSTEM_CHECKED) != 0;
    s.hotTracked = (part->state & STATE_SYSTEM_HOTTRACKED) != 0;
    s.invisible = (part->state & STATE_SYSTEM_INVISIBLE) != 0;
    s.focusable = (part->state & STATE_SYSTEM_FOCUSABLE) != 0;
    s.hasPopup = (part->state & STATE_SYSTEM_HASPOPUP) != 0;
    return s;
  }
  QRect rect() const override {
    auto part = Part();
    return part ? QtRectOf(part->bounds) : QRect();
  }

 private:
  std::optional<AccessiblePart> Part() const {
    if (!window_ || path_.empty()) return std::nullopt;
    AccessibleWindowInfo info = AccessibleInfoOf(window_->hwnd());
    const std::vector<AccessiblePart>* level = &info.parts;
    const AccessiblePart* part = nullptr;
    for (int index : path_) {
      if (index < 0 || size_t(index) >= level->size()) return std::nullopt;
      part = &(*level)[size_t(index)];
      level = &part->children;
    }
    return *part;
  }
  QPointer<NativeWindow> window_;
  QAccessibleInterface* parent_;  // owns this one
  std::vector<int> path_;
  mutable std::vector<QAccessible::Id> children_;
};

// A native window as one accessible object, described from our window it shows; a window that
// draws its own items (menus, toolbars) lists them as its children.
class WindowAccessible final : public QAccessibleObject {
 public:
  explicit WindowAccessible(NativeWindow* w) : QAccessibleObject(w), window_(w) {}
  ~WindowAccessible() override {
    for (QAccessible::Id id : children_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }
  QWindow* window() const override { return window_; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
  int childCount() const override { return int(AccessibleInfoOf(window_->hwnd()).parts.size()); }
  QAccessibleInterface* childAt(int x, int y) const override { return ChildAtPoint(this, x, y); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (size_t(index) >= children_.size()) children_.resize(size_t(index) + 1, 0);
    QAccessible::Id& id = children_[size_t(index)];
    if (!id)
      id = QAccessible::registerAccessibleInterface(
          new PartAccessible(window_, const_cast<WindowAccessible*>(this), std::vector<int>{index}));
    return QAccessible::accessibleInterface(id);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t i = 0; i < children_.size(); ++i)
      if (children_[i] && QAccessible::accessibleInterface(children_[i]) == child) return int(i);
    return -1;
  }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return {};
    std::u16string described = AccessibleInfoOf(window_->hwnd()).name;
    if (!described.empty()) return QString::fromUtf16(described.data(), qsizetype(described.size()));
    char16_t buf[256] = {};
    int n = GetWindowTextW(window_->hwnd(), buf, 256);
    return QString::fromUtf16(buf, n);
  }
  QAccessible::Role role() const override {
    if (LONG role = AccessibleInfoOf(window_->hwnd()).role) return QtRoleOf(role);
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
    return QtRectOf(r);
  }

 private:
  NativeWindow* window_;
  mutable std::vector<QAccessible::Id> children_;
};

// The indexes leading to the part that stands for Window among Parts (and their children).
bool PathTo(const std::vector<AccessiblePart>& parts, HWND window, std::vector<int>& path) {
  for (size_t i = 0; i < parts.size(); ++i) {
    path.push_back(int(i));
    if (parts[i].window == window || PathTo(parts[i].children, window, path)) return true;
    path.pop_back();
  }
  return false;
}

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

void AccessibilityBridge::Pass(DWORD event, HWND hwnd, LONG idChild) const {
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
  AccessibleWindowInfo info = AccessibleInfoOf(top);
  if (hwnd != top) {
    // A window inside the top-level one (a toolbar on a form) is one of its parts: the event is
    // that part's, or its child's.
    std::vector<int> path;
    if (!PathTo(info.parts, hwnd, path)) return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    for (int index : path) iface = iface ? iface->child(index) : nullptr;
    if (iface && idChild > 0) iface = iface->child(idChild - 1);
    if (!iface) return;
    QAccessibleEvent e(iface, *type);
    deliver_(&e);
    return;
  }
  QAccessibleEvent e(window, *type);
  // An event about one of the window's own parts names that part.
  if (idChild > 0 && size_t(idChild) <= info.parts.size()) e.setChild(idChild - 1);
  deliver_(&e);
}

}  // namespace win::presenter
