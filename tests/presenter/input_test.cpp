// Real pointer and keyboard input from the X server (through xdotool) as our messages.

#include <unistd.h>

#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <QCoreApplication>
#include <QDropEvent>

#include "support/DesktopInputCases.h"
#include "PresenterFixture.h"
#include "platform/user/messages/DragDrop.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"
#include "platform/desktop/DesktopInput.h"
#include "presenter/DroppedFiles.h"
#include "presenter/KeyMapping.h"
#include "platform/kernel/Files.h"

namespace kvtest {
namespace {

using namespace win;

POINT PointOf(LPARAM lp) { return POINT{SHORT(LOWORD(lp)), SHORT(HIWORD(lp))}; }

class InputTest : public PresenterTest {
 protected:
  HWND ShowProbe(const std::u16string& title, DWORD style, int x, int y, int w, int h) {
    HWND hwnd = CreateProbe(title, style | WS_VISIBLE, 0, x, y, w, h, RGB(255, 255, 255));
    EXPECT_TRUE(hwnd);
    EXPECT_TRUE(PumpUntil([&] {
      QWindow* n = Presenter().NativeWindowOf(hwnd);
      return n && n->isExposed();
    }));
    return hwnd;
  }
  // Runs xdotool and then our loop until `msg` reached `hwnd`.
  bool Xdotool(const std::string& args, HWND hwnd, UINT msg, size_t count = 1) {
    CommandResult r = Run("xdotool " + args);
    EXPECT_EQ(r.status, 0) << r.output;
    return PumpUntil([&] { return Messages(hwnd, msg).size() >= count; });
  }
};

TEST_F(InputTest, PointerClickArrivesAtClientCoordinates) {
  HWND h = ShowProbe(u"kv click popup", WS_POPUP, 200, 150, 160, 120);
  ASSERT_TRUE(Xdotool("mousemove 260 190 click 1", h, WM_LBUTTONUP));
  auto downs = Messages(h, WM_LBUTTONDOWN);
  auto ups = Messages(h, WM_LBUTTONUP);
  ASSERT_EQ(downs.size(), 1u);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(PointOf(downs[0].lParam), (POINT{60, 40}));
  EXPECT_EQ(PointOf(ups[0].lParam), (POINT{60, 40}));
  EXPECT_TRUE(downs[0].wParam & MK_LBUTTON);
  EXPECT_FALSE(ups[0].wParam & MK_LBUTTON);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor, (POINT{260, 190}));
}

TEST_F(InputTest, ClickOnFramedWindowIsRelativeToItsClientArea) {
  HWND h = ShowProbe(u"kv click framed", WS_OVERLAPPEDWINDOW, 300, 200, 300, 220);
  POINT client{25, 35};
  ClientToScreen(h, &client);
  ASSERT_TRUE(Xdotool("mousemove " + std::to_string(client.x) + " " + std::to_string(client.y) + " click 1", h,
                      WM_LBUTTONUP));
  auto downs = Messages(h, WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(PointOf(downs[0].lParam), (POINT{25, 35}));
  // A click on the caption is a non-client press.
  RECT wr;
  GetWindowRect(h, &wr);
  ASSERT_TRUE(Xdotool("mousemove " + std::to_string(wr.left + 60) + " " + std::to_string(wr.top + 10) + " click 1",
                      h, WM_NCLBUTTONDOWN));
  EXPECT_EQ(Messages(h, WM_NCLBUTTONDOWN)[0].wParam, WPARAM(HTCAPTION));
}

TEST_F(InputTest, DoubleClicksComeFromOurOwnRules) {
  HWND h = ShowProbe(u"kv double click", WS_POPUP, 100, 400, 120, 80);
  ASSERT_TRUE(Xdotool("mousemove 150 430 click --repeat 2 --delay 40 1", h, WM_LBUTTONUP, 2));
  EXPECT_EQ(Messages(h, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Messages(h, WM_LBUTTONDBLCLK).size(), 1u) << "second press of the pair is a double click";
  ASSERT_TRUE(Xdotool("click 3", h, WM_RBUTTONUP));
  EXPECT_EQ(Messages(h, WM_RBUTTONDOWN).size(), 1u);
}

TEST_F(InputTest, WheelNotchesArriveAsWheelDeltas) {
  HWND h = ShowProbe(u"kv wheel", WS_POPUP, 400, 400, 120, 80);
  ASSERT_TRUE(Xdotool("mousemove 450 430 click 1", h, WM_LBUTTONUP));  // activates and focuses
  ASSERT_EQ(GetFocus(), h);
  ASSERT_TRUE(Xdotool("click 4", h, WM_MOUSEWHEEL));
  ASSERT_TRUE(Xdotool("click 5", h, WM_MOUSEWHEEL, 2));
  auto wheels = Messages(h, WM_MOUSEWHEEL);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wParam), WHEEL_DELTA);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[1].wParam), -WHEEL_DELTA);
  EXPECT_EQ(PointOf(wheels[0].lParam), (POINT{450, 430})) << "wheel messages carry screen coordinates";
  // Buttons 6 and 7 scroll left and right: negative and positive horizontal deltas.
  ASSERT_TRUE(Xdotool("click 7", h, WM_MOUSEHWHEEL));
  ASSERT_TRUE(Xdotool("click 6", h, WM_MOUSEHWHEEL, 2));
  auto sideways = Messages(h, WM_MOUSEHWHEEL);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(sideways[0].wParam), WHEEL_DELTA);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(sideways[1].wParam), -WHEEL_DELTA);
  EXPECT_EQ(Messages(h, WM_MOUSEWHEEL).size(), 2u) << "sideways scrolling is no vertical scrolling";
}

TEST_F(InputTest, EveryCaseOfTheSharedTableArrivesAsOnTheHeadlessDesktop) {
  HWND h = ShowProbe(u"kv shared input", WS_POPUP, 500, 300, 120, 80);
  ASSERT_TRUE(Xdotool("mousemove 550 330 click 1", h, WM_LBUTTONUP));  // activates and focuses
  for (const DesktopInputCase& c : kDesktopInputCases) {
    auto arrived = [&] {
      for (const ProbeMessage& m : Messages(h, c.message))
        if ((m.wParam & c.mask) == (c.wParam & c.mask)) return true;
      return false;
    };
    ClearMessages();
    EXPECT_EQ(Run(std::string("xdotool ") + c.xdotool).status, 0) << c.name;
    EXPECT_TRUE(PumpUntil(arrived)) << c.name;
  }
}

TEST_F(InputTest, KeysGiveVirtualKeysFromTheirPositionAndCharactersFromTheirText) {
  HWND h = ShowProbe(u"kv keys", WS_POPUP, 600, 100, 120, 80);
  ASSERT_TRUE(Xdotool("mousemove 650 130 click 1", h, WM_LBUTTONUP));
  ASSERT_EQ(GetFocus(), h);

  ASSERT_TRUE(Xdotool("key a", h, WM_KEYUP));
  ASSERT_TRUE(PumpUntil([&] { return !Messages(h, WM_CHAR).empty(); }));
  auto downs = Messages(h, WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].wParam, WPARAM('A'));
  EXPECT_EQ((downs[0].lParam >> 16) & 0xFF, 0x1E) << "set-1 scan code of the A key";
  EXPECT_EQ(Messages(h, WM_CHAR)[0].wParam, WPARAM(u'a'));

  ClearMessages();
  ASSERT_TRUE(Xdotool("key shift+a", h, WM_CHAR));
  EXPECT_EQ(Messages(h, WM_CHAR)[0].wParam, WPARAM(u'A'));

  ClearMessages();
  ASSERT_TRUE(Xdotool("key ctrl+c", h, WM_CHAR));
  EXPECT_EQ(Messages(h, WM_CHAR)[0].wParam, WPARAM(0x03));
  auto ctrlC = Messages(h, WM_KEYDOWN);
  ASSERT_EQ(ctrlC.size(), 2u);
  EXPECT_EQ(ctrlC[0].wParam, WPARAM(VK_CONTROL));
  EXPECT_EQ(ctrlC[1].wParam, WPARAM('C'));

  ClearMessages();
  ASSERT_TRUE(Xdotool("key Left", h, WM_KEYUP));
  auto left = Messages(h, WM_KEYDOWN);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].wParam, WPARAM(VK_LEFT));
  EXPECT_TRUE(left[0].lParam & (LPARAM(1) << 24)) << "arrow keys are extended keys";
  EXPECT_TRUE(Messages(h, WM_CHAR).empty());

  ClearMessages();
  ASSERT_TRUE(Xdotool("key Return", h, WM_CHAR));
  EXPECT_EQ(Messages(h, WM_KEYDOWN)[0].wParam, WPARAM(VK_RETURN));
  EXPECT_EQ(Messages(h, WM_CHAR)[0].wParam, WPARAM(u'\r'));
}

TEST_F(InputTest, CaptureGrabsThePointerOutsideOurWindows) {
  HWND h = ShowProbe(u"kv capture", WS_POPUP, 100, 100, 100, 100);
  SetCapture(h);
  ASSERT_EQ(GetCapture(), h);
  PumpUntil([] { return false; }, 0);
  ASSERT_TRUE(Xdotool("mousemove 400 300 click 1", h, WM_LBUTTONUP));
  auto downs = Messages(h, WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(PointOf(downs[0].lParam), (POINT{300, 200})) << "a captured click outside the window";

  // Released: a click outside no longer reaches us, one inside does (and comes after it).
  ReleaseCapture();
  PumpUntil([] { return false; }, 0);
  ClearMessages();
  ASSERT_EQ(Run("xdotool mousemove 400 300 click 1").status, 0);
  ASSERT_TRUE(Xdotool("mousemove 150 150 click 1", h, WM_LBUTTONUP));
  downs = Messages(h, WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(PointOf(downs[0].lParam), (POINT{50, 50}));
}

TEST_F(InputTest, LeavingTheNativeWindowEndsLeaveTracking) {
  HWND h = ShowProbe(u"kv leave", WS_POPUP, 900, 500, 100, 100);
  ASSERT_TRUE(Xdotool("mousemove 950 550", h, WM_MOUSEMOVE));
  TRACKMOUSEEVENT tme;
  tme.cbSize = sizeof tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = h;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  EXPECT_TRUE(Xdotool("mousemove 1200 900", h, WM_MOUSELEAVE));
}

TEST_F(InputTest, DroppedFilesReachTheWindowThatAcceptsThem) {
  HWND h = ShowProbe(u"kv drop", WS_POPUP, 50, 600, 200, 100);
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromUtf8("/tmp/Данные 1.txt")), QUrl("https://example.org/x"),
                 QUrl::fromLocalFile("/tmp/b.csv")});

  // Not accepted while the window does not take files.
  QDragEnterEvent refused(QPoint(20, 30), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(native, &refused);
  EXPECT_FALSE(refused.isAccepted());

  DragAcceptFiles(h, TRUE);
  QDragEnterEvent enter(QPoint(20, 30), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(native, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 30), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(native, &drop);
  EXPECT_TRUE(drop.isAccepted());
  ASSERT_TRUE(PumpUntil([&] { return !Messages(h, WM_DROPFILES).empty(); }));
  HDROP hdrop = reinterpret_cast<HDROP>(Messages(h, WM_DROPFILES)[0].wParam);
  ASSERT_EQ(DragQueryFileW(hdrop, 0xFFFFFFFF, nullptr, 0), 2u) << "only local files are dropped";
  char16_t name[64];
  ASSERT_GT(DragQueryFileW(hdrop, 0, name, 64), 0u);
  EXPECT_EQ(std::u16string(name), u"/tmp/Данные 1.txt");
  DragQueryFileW(hdrop, 1, name, 64);
  EXPECT_EQ(std::u16string(name), u"/tmp/b.csv");
  POINT pt;
  EXPECT_TRUE(DragQueryPoint(hdrop, &pt));
  EXPECT_EQ(pt, (POINT{20, 30}));
  DragFinish(hdrop);
}

// A name on disk that is not UTF-8 (Windows Cyrillic, a stray byte) reaches the window byte for
// byte: each such byte as the lone surrogate the file functions turn back into it.
TEST_F(InputTest, DroppedNamesThatAreNotUtf8KeepTheirBytes) {
  HWND h = ShowProbe(u"kv drop bytes", WS_POPUP, 50, 600, 200, 100);
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  DragAcceptFiles(h, TRUE);
  QMimeData files;
  files.setData("text/uri-list", "file:///tmp/%C4%E0%ED%ED%FB%E5.txt\r\nfile:///tmp/a%FFb%20c.txt\r\n");
  QDropEvent drop(QPointF(20, 30), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(native, &drop);
  EXPECT_TRUE(drop.isAccepted());
  ASSERT_TRUE(PumpUntil([&] { return !Messages(h, WM_DROPFILES).empty(); }));
  HDROP hdrop = reinterpret_cast<HDROP>(Messages(h, WM_DROPFILES)[0].wParam);
  ASSERT_EQ(DragQueryFileW(hdrop, 0xFFFFFFFF, nullptr, 0), 2u);
  const char* const bytes[] = {"/tmp/\xC4\xE0\xED\xED\xFB\xE5.txt", "/tmp/a\xFF" "b c.txt"};
  for (UINT i = 0; i < 2; ++i) {
    char16_t name[64];
    ASSERT_GT(DragQueryFileW(hdrop, i, name, 64), 0u);
    EXPECT_EQ(NativePathOf(name), bytes[i]) << i;
  }
  DragFinish(hdrop);
}

// Which entries of a URI list are local files, and their bytes.
TEST(DroppedUriList, LocalFilesOnlyWithTheirBytes) {
  char host[256] = {};
  ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
  const struct {
    std::string list;
    std::vector<std::string> paths;
  } cases[] = {
      {"file:///tmp/x.txt\r\nfile:///tmp/y.txt\r\n", {"/tmp/x.txt", "/tmp/y.txt"}},
      {"file:///tmp/x.txt\nfile:///tmp/y.txt", {"/tmp/x.txt", "/tmp/y.txt"}},  // LF alone, no end at the last
      {"# dragged from a file manager\r\nfile:///a%20b\r\n", {"/a b"}},
      {"file://localhost/a\r\nFILE://LocalHost/b\r\nfile:/c\r\n", {"/a", "/b", "/c"}},
      {"file://" + std::string(host) + "/d\r\n", {"/d"}},
      {"file://elsewhere.example/e\r\nhttps://example.org/f\r\nsmb://server/g\r\n", {}},
      {"file:///h%2\r\nfile:///i%zz\r\nfile:///j%41\r\n", {"/h%2", "/i%zz", "/jA"}},  // broken escapes stay
      {"file:///k?query\r\nfile:///l#part\r\nfile:///m%3F%23\r\n", {"/k", "/l", "/m?#"}},
      {"file:///n%00o\r\nfile://\r\nfile:relative\r\n\r\n", {}},  // no zero byte, no relative names
      {"file:///%D0%94%D0%B0 %C4%E0\r\n", {"/\xD0\x94\xD0\xB0 \xC4\xE0"}},
  };
  for (const auto& c : cases) EXPECT_EQ(win::presenter::LocalPathsOfUriList(c.list), c.paths) << c.list;
}

TEST_F(InputTest, ActivationLeadsTheDesktopsFocusAndFollowsIt) {
  HWND a = ShowProbe(u"kv activate a", WS_POPUP, 700, 600, 100, 80);
  HWND b = ShowProbe(u"kv activate b", WS_POPUP, 850, 600, 100, 80);
  unsigned long xa = FindXWindow("kv activate a"), xb = FindXWindow("kv activate b");
  ASSERT_TRUE(xa && xb);
  auto desktopFocus = [&] { return std::strtoul(Run("xdotool getwindowfocus").output.c_str(), nullptr, 10); };
  // We activate a window: the desktop's focus moves to it.
  SetActiveWindow(a);
  EXPECT_TRUE(PumpUntil([&] { return desktopFocus() == xa; }));
  SetActiveWindow(b);
  EXPECT_TRUE(PumpUntil([&] { return desktopFocus() == xb; }));
  EXPECT_EQ(GetActiveWindow(), b);
  // The desktop moves its focus: our activation follows. (Last: a focus change made by another
  // client at the server's current time outdates the timestamps our own requests carry.)
  ClearMessages();
  ASSERT_EQ(Run("xdotool windowfocus " + std::to_string(xa)).status, 0);
  EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == a; }));
  EXPECT_FALSE(Messages(a, WM_ACTIVATE).empty());
  EXPECT_FALSE(Messages(b, WM_ACTIVATE).empty()) << "b is told it lost activation";
}

TEST_F(InputTest, AltGrTypesCharactersNotMenuKeys) {
  HWND h = ShowProbe(u"kv altgr", WS_POPUP, 1000, 100, 100, 80);
  SetActiveWindow(h);
  SetFocus(h);
  ASSERT_EQ(GetFocus(), h);
  // Right Alt of a layout with a third level, then E typing the euro sign (X11 keycodes).
  presenter::PhysicalKey altGr = presenter::KeyFromNativeScanCode(100 + 8, 0xFE03 /* ISO_Level3_Shift */);
  presenter::PhysicalKey e = presenter::KeyFromNativeScanCode(18 + 8, 0x20AC /* EuroSign */);
  ASSERT_TRUE(altGr.altGr);
  desktop::InjectKey(altGr, true, u"", false);
  desktop::InjectKey(e, true, u"€", false);
  desktop::InjectKey(e, false, u"", false);
  desktop::InjectKey(altGr, false, u"", false);
  ASSERT_TRUE(PumpUntil([&] { return Messages(h, WM_KEYUP).size() >= 3; }));
  auto downs = Messages(h, WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_EQ(downs[0].wParam, WPARAM(VK_CONTROL));
  EXPECT_EQ(downs[1].wParam, WPARAM(VK_MENU));
  EXPECT_TRUE(downs[1].lParam & (LPARAM(1) << 24)) << "the right Alt key is extended";
  EXPECT_EQ(downs[2].wParam, WPARAM('E'));
  EXPECT_TRUE(Messages(h, WM_SYSKEYDOWN).empty());
  EXPECT_TRUE(Messages(h, WM_SYSCHAR).empty());
  ASSERT_EQ(Messages(h, WM_CHAR).size(), 1u);
  EXPECT_EQ(Messages(h, WM_CHAR)[0].wParam, WPARAM(u'€'));
  auto ups = Messages(h, WM_KEYUP);
  EXPECT_EQ(ups[1].wParam, WPARAM(VK_MENU));
  EXPECT_EQ(ups[2].wParam, WPARAM(VK_CONTROL));
  EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);
}

}  // namespace
}  // namespace kvtest
