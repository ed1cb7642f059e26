// Windows, the tree, placement and lookups.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/kernel/LastError.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {
std::vector<UINT> Only(const std::vector<UINT>& all, std::initializer_list<UINT> keep) {
  std::vector<UINT> out;
  for (UINT m : all)
    if (std::find(keep.begin(), keep.end(), m) != keep.end()) {
      out.push_back(m);
    }
  return out;
}
}  // namespace

class WindowTree : public HeadlessTest {};

TEST_F(WindowTree, CreationSendsNcCreateCalcSizeCreateSizeMoveInOrder) {
  HWND h = Create(WS_POPUP, {10, 20, 100, 50});
  ASSERT_TRUE(h);
  auto got = Only(Messages(h), {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE});
  EXPECT_EQ(got, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{10, 20, 110, 70}));
}

TEST_F(WindowTree, FailedCreateDestroysTheHandle) {
  HWND seen = nullptr;
  HWND h = Create(WS_POPUP, {0, 0, 10, 10}, nullptr, 0, [&](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CREATE) {
      seen = w;
      return -1;
    }
    return std::nullopt;
  });
  EXPECT_EQ(h, nullptr);
  ASSERT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_EQ(Count(seen, WM_DESTROY), 1);
  EXPECT_EQ(Count(seen, WM_NCDESTROY), 1);
}

TEST_F(WindowTree, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND child = Create(WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, parent);
  HWND grandchild = Create(WS_CHILD | WS_VISIBLE, {1, 1, 5, 5}, child);
  ClearLog();
  ASSERT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> order;
  for (auto& m : Log())
    if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) order.push_back({m.hwnd, m.msg});
  std::vector<std::pair<HWND, UINT>> want{{parent, WM_DESTROY},       {child, WM_DESTROY},
                                          {grandchild, WM_DESTROY},   {grandchild, WM_NCDESTROY},
                                          {child, WM_NCDESTROY},      {parent, WM_NCDESTROY}};
  EXPECT_EQ(order, want);
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowTree, OwnedWindowsAreDestroyedWithTheirOwner) {
  HWND owner = Create(WS_POPUP, {0, 0, 100, 100});
  HWND owned = Create(WS_POPUP, {0, 0, 10, 10}, owner);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetParent(owned), owner);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowTree, WindowDestroyingItselfInsideItsHandlerIsSafe) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}, nullptr, 0, [](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER + 1) {
      DestroyWindow(w);
      // The handle is dead now; further calls on it fail cleanly.
      EXPECT_FALSE(IsWindow(w));
      EXPECT_EQ(SendMessageW(w, WM_USER + 2, 0, 0), 0);
      EXPECT_FALSE(SetWindowTextW(w, u"x"));
      return 7;
    }
    return std::nullopt;
  });
  EXPECT_EQ(SendMessageW(h, WM_USER + 1, 0, 0), 7);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(Count(h, WM_USER + 2), 0);
}

TEST_F(WindowTree, CallsOnADestroyedHandleFailTheWin32Way) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  DestroyWindow(h);
  RECT r{1, 2, 3, 4};
  SetLastError(0);
  EXPECT_FALSE(GetWindowRect(h, &r));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(PostMessageW(h, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(DestroyWindow(h));
  EXPECT_FALSE(ShowWindow(h, SW_SHOW));
  EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 1, 1, 0));
  EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE), 0);
  EXPECT_EQ(SetParent(h, nullptr), nullptr);
  EXPECT_EQ(SetCapture(h), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SetFocus(h), nullptr);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(EnableWindow(h, FALSE));
  // A later window never reuses the dead handle's value.
  HWND again = Create(WS_POPUP, {0, 0, 10, 10});
  EXPECT_NE(again, h);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTree, ChildCoordinatesMapThroughParents) {
  HWND top = Create(WS_POPUP | WS_BORDER | WS_VISIBLE, {100, 50, 300, 200});
  HWND child = Create(WS_CHILD | WS_VISIBLE, {10, 20, 100, 100}, top);
  HWND inner = Create(WS_CHILD | WS_VISIBLE, {5, 6, 20, 20}, child);
  POINT p{0, 0};
  ClientToScreen(inner, &p);
  // top's client starts 1 px inside its border
  EXPECT_EQ(p, (POINT{100 + 1 + 10 + 5, 50 + 1 + 20 + 6}));
  POINT q{3, 4};
  EXPECT_EQ(MapWindowPoints(inner, top, &q, 1), int(MAKELONG(15, 26)));
  EXPECT_EQ(q, (POINT{18, 30}));
  ScreenToClient(inner, &p);
  EXPECT_EQ(p, (POINT{0, 0}));
  RECT rc;
  GetClientRect(top, &rc);
  EXPECT_EQ(rc, (RECT{0, 0, 298, 198}));
  EXPECT_TRUE(IsChild(top, inner));
  EXPECT_FALSE(IsChild(inner, top));
  EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
  EXPECT_EQ(GetAncestor(inner, GA_PARENT), child);
}

TEST_F(WindowTree, SetParentMakesAChildTopLevelAndBack) {
  HWND form = Create(WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
  HWND bar = Create(WS_CHILD | WS_VISIBLE, {10, 10, 50, 20}, form);
  SetWindowLongPtrW(bar, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(SetParent(bar, nullptr), form);
  EXPECT_EQ(GetAncestor(bar, GA_PARENT), GetDesktopWindow());
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_EQ(r, (RECT{10, 10, 60, 30}));  // the same numbers, now screen coordinates
  EXPECT_TRUE(IsWindowVisible(bar));
  bool top = false;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) top |= h == bar;
  EXPECT_TRUE(top);
  SetWindowLongPtrW(bar, GWL_STYLE, WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(SetParent(bar, form), GetDesktopWindow());
  EXPECT_TRUE(IsChild(form, bar));
  EXPECT_EQ(SetParent(form, bar), nullptr);  // a window cannot go under its own child
}

TEST_F(WindowTree, TopmostAndOwnedWindowsKeepTheirZOrder) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
  HWND topmost = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, nullptr, WS_EX_TOPMOST);
  HWND b = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
  EXPECT_EQ(GetTopWindow(nullptr), topmost);  // b was created later but cannot rise above a topmost window
  HWND owned = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, a);
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // Bringing the owner up brings its owned window along, above it.
  EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), owned);
  EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(nullptr), b);
  EXPECT_TRUE(GetWindowLongPtrW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(b, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(GetWindowLongPtrW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetTopWindow(nullptr), topmost);
}

// A screen stacks its native windows by the list of visible ones: a window shown or hidden
// changes that list, and the screen hears of it after the window itself.
TEST_F(WindowTree, ShowingAndHidingTellsTheScreenTheNewStacking) {
  using Event = win::desktop::HeadlessDesktop::Event;
  HWND main = Create(WS_POPUP | WS_VISIBLE, {0, 0, 300, 200});
  HWND popup = Create(WS_POPUP, {20, 20, 100, 80}, nullptr, WS_EX_TOPMOST);
  auto lastStacking = [&]() -> std::optional<HWND> {
    const auto& events = desktop->events();
    for (auto it = events.rbegin(); it != events.rend(); ++it)
      if (it->kind == Event::ZOrder) return it->hwnd;
    return std::nullopt;
  };
  const struct {
    UINT flags;
    HWND top;
  } steps[] = {{SWP_SHOWWINDOW, popup}, {SWP_HIDEWINDOW, main}, {SWP_SHOWWINDOW, popup}};
  for (const auto& step : steps) {
    desktop->clear_events();
    SetWindowPos(popup, nullptr, 0, 0, 0, 0,
                 step.flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(lastStacking(), std::optional<HWND>(step.top));
  }
  desktop->clear_events();
  ShowWindow(popup, SW_HIDE);
  ShowWindow(popup, SW_SHOWNA);
  EXPECT_EQ(lastStacking(), std::optional<HWND>(popup)) << "ShowWindow goes the same way";
}

TEST_F(WindowTree, SetWindowPosReportsChangesAndHonoursChanging) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_WINDOWPOSCHANGING) {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lp);
      if (!(wp->flags & SWP_NOSIZE)) wp->cx = std::min(wp->cx, 150);  // a maximum width
    }
    return std::nullopt;
  });
  ClearLog();
  SetWindowPos(h, nullptr, 5, 6, 400, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{5, 6, 155, 86}));
  auto got = Only(Messages(h), {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE});
  EXPECT_EQ(got, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  for (auto& m : Log(h))
    if (m.msg == WM_SIZE) {
      EXPECT_EQ(m.lParam, MAKELPARAM(150, 80));
    }
  ClearLog();
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Count(h, WM_SIZE), 0);
  EXPECT_EQ(Count(h, WM_MOVE), 0);
  ClearLog();
  ShowWindow(h, SW_HIDE);
  EXPECT_EQ(Count(h, WM_SHOWWINDOW), 1);
  EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(WindowTree, WindowFromPointPassesThroughTransparentWindows) {
  HWND back = Create(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND glass = Create(WS_POPUP | WS_VISIBLE, {50, 50, 100, 100}, nullptr, 0, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  });
  HWND child = Create(WS_CHILD | WS_VISIBLE, {10, 10, 30, 30}, back);
  HWND disabled = Create(WS_CHILD | WS_VISIBLE | WS_DISABLED, {100, 100, 30, 30}, back);
  EXPECT_EQ(WindowFromPoint({60, 60}), back);   // through the glass
  EXPECT_EQ(WindowFromPoint({15, 15}), child);
  EXPECT_EQ(WindowFromPoint({110, 110}), back);  // a disabled child's point belongs to its parent
  EXPECT_EQ(WindowFromPoint({500, 500}), nullptr);
  EXPECT_EQ(ChildWindowFromPoint(back, {110, 110}), disabled);
  EXPECT_EQ(ChildWindowFromPointEx(back, {110, 110}, CWP_SKIPDISABLED), back);
  EXPECT_EQ(ChildWindowFromPoint(back, {300, 300}), nullptr);
  (void)glass;
}

TEST_F(WindowTree, ProcedureReplacementChainsThroughCallWindowProc) {
  static WNDPROC previous = nullptr;
  static int subclassCalls = 0;
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  WNDPROC sub = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    ++subclassCalls;
    if (m == WM_USER + 5) return 55;
    return CallWindowProcW(previous, w, m, wp, lp);
  };
  previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sub)));
  ASSERT_TRUE(previous);
  EXPECT_EQ(SendMessageW(h, WM_USER + 5, 0, 0), 55);
  SetWindowTextW(h, u"abc");  // reaches the original procedure's default text handling
  WCHAR buf[8];
  EXPECT_EQ(GetWindowTextW(h, buf, 8), 3);
  EXPECT_EQ(std::u16string(buf), u"abc");
  EXPECT_GE(subclassCalls, 3);
  // A closure procedure installed the same way; the value it gives back can be called later.
  int seen = 0;
  WNDPROC closure = MakeObjectInstance([&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER + 6) return ++seen;
    return CallWindowProcW(sub, w, m, wp, lp);
  });
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(closure));
  EXPECT_EQ(SendMessageW(h, WM_USER + 6, 0, 0), 1);
  EXPECT_EQ(SendMessageW(h, WM_USER + 5, 0, 0), 55);
  WNDPROC stored = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
  EXPECT_EQ(CallWindowProcW(stored, h, WM_USER + 6, 0, 0), 2);
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  FreeObjectInstance(closure);
  EXPECT_EQ(CallWindowProcW(closure, h, WM_USER + 6, 0, 0), 0);  // a freed instance calls nothing
}

TEST_F(WindowTree, LongValuesPropertiesAndText) {
  HWND parent = Create(WS_POPUP, {0, 0, 100, 100});
  HWND child = CreateWindowExW(0, u"KvTestWindow", u"caption", WS_CHILD, 0, 0, 5, 5, parent,
                               reinterpret_cast<HMENU>(uintptr_t(42)), nullptr, nullptr);
  EXPECT_EQ(GetDlgCtrlID(child), 42);
  EXPECT_EQ(GetDlgItem(parent, 42), child);
  EXPECT_EQ(GetWindowTextLengthW(child), 7);
  EXPECT_EQ(SetWindowLongPtrW(child, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrW(child, GWLP_USERDATA), 1234);
  EXPECT_EQ(GetWindowLongPtrW(child, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(parent));
  int dummy;
  EXPECT_TRUE(SetPropW(child, u"Key", &dummy));
  EXPECT_EQ(GetPropW(child, u"KEY"), &dummy);  // names are case-insensitive
  EXPECT_EQ(RemovePropW(child, u"key"), &dummy);
  EXPECT_EQ(GetPropW(child, u"Key"), nullptr);
  WCHAR small[4];
  EXPECT_EQ(GetWindowTextW(child, small, 4), 3);
  EXPECT_EQ(std::u16string(small), u"cap");
  ClearLog();
  SetWindowLongPtrW(child, GWL_STYLE, WS_CHILD | WS_BORDER);
  EXPECT_EQ(Count(child, WM_STYLECHANGING), 1);
  EXPECT_EQ(Count(child, WM_STYLECHANGED), 1);
}

TEST_F(WindowTree, MessageOnlyWindowsAreNeverTopLevelOrVisible) {
  HWND m = CreateWindowExW(0, u"KvTestWindow", u"", WS_VISIBLE, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(m);
  bool listed = false;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) listed |= h == m;
  EXPECT_FALSE(listed);
  EXPECT_FALSE(IsWindowVisible(m));
  EXPECT_TRUE(PostMessageW(m, WM_USER, 1, 2));
  desktop->run_until_idle();
  EXPECT_EQ(Count(m, WM_USER), 1);
}

TEST_F(WindowTree, EnableWindowSendsEnableAndCancelMode) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
  ClearLog();
  EXPECT_FALSE(EnableWindow(h, FALSE));
  EXPECT_FALSE(IsWindowEnabled(h));
  EXPECT_EQ(Only(Messages(h), {WM_CANCELMODE, WM_ENABLE}), (std::vector<UINT>{WM_CANCELMODE, WM_ENABLE}));
  EXPECT_TRUE(EnableWindow(h, TRUE));
}

TEST_F(WindowTree, ClassRegistrationAndInfo) {
  WNDCLASSW wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"KvOther";
  wc.style = CS_SAVEBITS | CS_DROPSHADOW;
  ATOM a = RegisterClassW(&wc);
  ASSERT_NE(a, 0);
  EXPECT_EQ(RegisterClassW(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  WNDCLASSW out;
  EXPECT_TRUE(GetClassInfoW(nullptr, u"kvother", &out));
  EXPECT_EQ(out.style, CS_SAVEBITS | CS_DROPSHADOW);
  HWND h = CreateWindowExW(0, MAKEINTATOM(a), u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(h);
  EXPECT_FALSE(UnregisterClassW(u"KvOther", nullptr));  // still has a window
  DestroyWindow(h);
  EXPECT_TRUE(UnregisterClassW(u"KvOther", nullptr));
  EXPECT_EQ(CreateWindowExW(0, u"KvOther", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateWindowExW(0, u"KvTestWindow", u"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

// A window that destroys itself while asked where a point falls is passed over: the point
// belongs to the window behind it.
TEST_F(WindowTree, AWindowDestroyedByItsOwnHitTestIsPassedOver) {
  HWND back = Create(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  HWND vanishing =
      Create(WS_POPUP | WS_VISIBLE, {50, 50, 100, 100}, nullptr, 0, [](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_NCHITTEST) return std::nullopt;
        DestroyWindow(w);
        return HTCLIENT;
      });
  ASSERT_TRUE(vanishing);
  EXPECT_EQ(WindowFromPoint({60, 60}), back);
  EXPECT_FALSE(IsWindow(vanishing));
}

// The placement record is filled whole, whatever the caller left in it.
TEST_F(WindowTree, PlacementIsFilledWholeForEveryShowState) {
  struct Case {
    DWORD style;
    UINT showCmd;
  };
  for (Case c : {Case{WS_POPUP | WS_VISIBLE, UINT(SW_SHOWNORMAL)}, Case{WS_POPUP, UINT(SW_HIDE)}}) {
    HWND h = Create(c.style, {10, 20, 100, 50});
    WINDOWPLACEMENT wp;
    wp.flags = 0xFFFF;
    wp.showCmd = 0xFFFF;
    ASSERT_TRUE(GetWindowPlacement(h, &wp));
    EXPECT_EQ(wp.flags, 0u) << c.style;
    EXPECT_EQ(wp.showCmd, c.showCmd) << c.style;
    EXPECT_EQ(wp.rcNormalPosition, (RECT{10, 20, 110, 70})) << c.style;
    DestroyWindow(h);
  }
}

// Only a top-level window without the child or pop-up style is overlapped: it gets a caption,
// the window edge and, when asked for defaults, a cascaded place and a size of its own. A
// message-only window of the same style stays bare.
TEST_F(WindowTree, OverlappedStyleIsForTopLevelWindowsOnly) {
  const RECT defaults{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
  HWND top = Create(WS_OVERLAPPED, defaults);
  ASSERT_TRUE(top);
  EXPECT_EQ(DWORD(GetWindowLongW(top, GWL_STYLE)) & (WS_CAPTION | WS_CLIPSIBLINGS), WS_CAPTION | WS_CLIPSIBLINGS);
  EXPECT_TRUE(DWORD(GetWindowLongW(top, GWL_EXSTYLE)) & WS_EX_WINDOWEDGE);
  RECT r{};
  GetWindowRect(top, &r);
  EXPECT_GE(r.left, 60);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 600);

  HWND bare = Create(WS_OVERLAPPED, defaults, HWND_MESSAGE);
  ASSERT_TRUE(bare);
  EXPECT_EQ(DWORD(GetWindowLongW(bare, GWL_STYLE)) & WS_CAPTION, 0u);
  EXPECT_EQ(DWORD(GetWindowLongW(bare, GWL_EXSTYLE)) & WS_EX_WINDOWEDGE, 0u);
  GetWindowRect(bare, &r);
  EXPECT_EQ(r, (RECT{0, 0, 0, 0}));
}
