#include "presenter/NativeStacking.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

namespace win::presenter {

xcb_connection_t* XConnection() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

unsigned long OutermostXWindow(const QWindow& window) {
  xcb_connection_t* c = XConnection();
  if (!c || !window.handle()) return 0;
  xcb_window_t current = xcb_window_t(window.winId());
  for (;;) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, current), nullptr);
    if (!tree) return 0;
    const xcb_window_t parent = tree->parent, root = tree->root;
    free(tree);
    if (parent == root || parent == XCB_WINDOW_NONE) return current;
    current = parent;
  }
}

void StackNextTo(const QWindow& window, unsigned long sibling, bool above) {
  xcb_connection_t* c = XConnection();
  if (!c || !window.handle() || !sibling) return;
  const uint32_t values[] = {uint32_t(sibling), above ? uint32_t(XCB_STACK_MODE_ABOVE) : uint32_t(XCB_STACK_MODE_BELOW)};
  xcb_void_cookie_t cookie = xcb_configure_window_checked(
      c, xcb_window_t(window.winId()), XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
  free(xcb_request_check(c, cookie));  // checked, so a refusal is not reported as an X error
}

std::vector<unsigned long> RootStacking() {
  std::vector<unsigned long> order;
  xcb_connection_t* c = XConnection();
  if (!c) return order;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!screen) return order;
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr);
  if (!tree) return order;
  const xcb_window_t* children = xcb_query_tree_children(tree);
  order.assign(children, children + xcb_query_tree_children_length(tree));
  free(tree);
  return order;
}

}  // namespace win::presenter
