// The message box: scripted answers, buttons and return codes, keyboard, mouse, layout and
// placement, the owner's disabling, and its text on the clipboard.

#include "platform/controls/MessageBox.h"

#include "platform/controls/MessageBoxButton.h"
#include "platform/controls/MessageBoxLayout.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/kernel/LastError.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"

namespace kvtest {
namespace {

using namespace win;

class MessageBoxTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    desktop::ClearScriptedAnswers();
    ClearMessageBoxHistory();
    ResetClipboard();
    owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 80, 400, 300});
  }
  void TearDown() override {
    desktop::ClearScriptedAnswers();
    ResetClipboard();
    HeadlessTest::TearDown();
  }
  // The open box: the parent of the focused button.
  static HWND OpenBox() { return GetParent(GetFocus()); }
  void Keys(std::initializer_list<UINT> keys) {
    for (UINT k : keys) desktop->script([this, k] { desktop->press_key(k); });
  }
  void Chars(std::initializer_list<char16_t> chars, bool alt = false) {
    for (char16_t c : chars)
      desktop->script([c, alt] { PostMessageW(GetFocus(), alt ? WM_SYSCHAR : WM_CHAR, WPARAM(c), 0); });
  }
  static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  HWND owner = nullptr;
};

TEST_F(MessageBoxTest, ScriptedAnswerReturnsAtOnceAndIsRecorded) {
  desktop::PushScriptedAnswer("MessageBox", {IDYES, {}, 0});
  EXPECT_EQ(MessageBoxW(owner, u"Удалить график?", u"Вопрос", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(desktop::PendingScriptedAnswers(), 0u);
  EXPECT_TRUE(IsWindowEnabled(owner));
  ASSERT_EQ(MessageBoxHistory().size(), 1u);
  EXPECT_EQ(MessageBoxHistory()[0].text, u"Удалить график?");
  EXPECT_EQ(MessageBoxHistory()[0].caption, u"Вопрос");
  EXPECT_EQ(MessageBoxHistory()[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
  // A null caption reads "Ошибка".
  desktop::PushScriptedAnswer("MessageBox", {IDOK, {}, 0});
  EXPECT_EQ(MessageBoxW(nullptr, u"x", nullptr, MB_OK), IDOK);
  EXPECT_EQ(MessageBoxHistory().back().caption, u"Ошибка");
}

TEST_F(MessageBoxTest, AnsiTextIsReadAsCp1251) {
  desktop::PushScriptedAnswer("MessageBox", {IDOK, {}, 0});
  MessageBoxA(owner, "\xcf\xf0\xe8\xe2\xe5\xf2", "\xce\xea", MB_OK);
  ASSERT_EQ(MessageBoxHistory().size(), 1u);
  EXPECT_EQ(MessageBoxHistory()[0].text, u"Привет");
  EXPECT_EQ(MessageBoxHistory()[0].caption, u"Ок");
}

TEST_F(MessageBoxTest, UnknownButtonSetsAndDeadOwnersFail) {
  SetLastError(0);
  EXPECT_EQ(MessageBoxW(owner, u"x", u"y", 0x000F), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MSGBOX_STYLE);
  HWND dead = Create(WS_OVERLAPPEDWINDOW, {0, 0, 100, 100});
  DestroyWindow(dead);
  EXPECT_EQ(MessageBoxW(dead, u"x", u"y", MB_OK), 0);
  EXPECT_TRUE(MessageBoxHistory().empty());
}

TEST_F(MessageBoxTest, EnterChoosesTheDefaultButton) {
  Keys({VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNO | MB_DEFBUTTON2), IDNO);
  Keys({VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  Keys({VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_ABORTRETRYIGNORE), IDABORT);
  // A default beyond the buttons falls back to the first.
  Keys({VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_RETRYCANCEL | MB_DEFBUTTON3), IDRETRY);
}

TEST_F(MessageBoxTest, EscapeCancelsOnlyWhereThereIsCancelOrALoneOk) {
  Keys({VK_ESCAPE});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OKCANCEL), IDCANCEL);
  Keys({VK_ESCAPE});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OK), IDOK);
  // Yes/No cannot be escaped: the box stays until a button is chosen.
  Keys({VK_ESCAPE, VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNO), IDYES);
  EXPECT_EQ(desktop->pending_script(), 0u);
}

TEST_F(MessageBoxTest, TabAndArrowsMoveTheFocusAndTheDefault) {
  Keys({VK_TAB, VK_TAB, VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNOCANCEL), IDCANCEL);
  Keys({VK_LEFT, VK_RETURN});  // wraps from the first to the last
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNO), IDNO);
  Keys({VK_RIGHT});
  desktop->script([] {
    HWND box = OpenBox();
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDNO);
    // The focused button is drawn as the default one.
    EXPECT_EQ(GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & LONG(BS_TYPEMASK), LONG(BS_DEFPUSHBUTTON));
    EXPECT_EQ(GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & LONG(BS_TYPEMASK), LONG(BS_PUSHBUTTON));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNO), IDNO);
}

TEST_F(MessageBoxTest, MnemonicLettersWithOrWithoutAlt) {
  Chars({u'н'});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNO), IDNO);
  Chars({u'Д'}, true);
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_YESNOCANCEL), IDYES);
  Chars({u'р'});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_ABORTRETRYIGNORE), IDABORT);
  // "&Повтор" and "&Пропустить" share their letter: it moves the focus between them.
  Chars({u'п', u'п'});
  Keys({VK_RETURN});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_ABORTRETRYIGNORE), IDIGNORE);
  // A letter of no button changes nothing.
  ResetMessageBeeps();
  Chars({u'q'});
  Keys({VK_ESCAPE});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBeepCount(), 2);  // the box's own sound and the refused letter
}

TEST_F(MessageBoxTest, ClickingAButtonChoosesIt) {
  desktop->script([this] {
    RECT r{};
    GetWindowRect(GetDlgItem(OpenBox(), IDCANCEL), &r);
    desktop->click(Centre(r));
  });
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OKCANCEL), IDCANCEL);
  // Pressing on a button and releasing outside it chooses nothing.
  desktop->script([this] {
    RECT r{};
    GetWindowRect(GetDlgItem(OpenBox(), IDOK), &r);
    desktop->mouse_down(Centre(r));
    desktop->mouse_up(POINT{r.left - 40, r.top - 40});
  });
  Keys({VK_ESCAPE});
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, OwnerIsDisabledWhileTheBoxIsUpAndFocusComesBack) {
  HWND child = Create(WS_CHILD | WS_VISIBLE, {10, 10, 50, 20}, owner);
  SetFocus(child);
  bool enabledDuring = true;
  HWND boxOwner = nullptr;
  desktop->script([&] {
    enabledDuring = IsWindowEnabled(owner) != FALSE;
    boxOwner = GetWindow(OpenBox(), GW_OWNER);
    desktop->press_key(VK_RETURN);
  });
  // A child as the owner means its top-level window.
  EXPECT_EQ(MessageBoxW(child, u"t", u"c", MB_OK), IDOK);
  EXPECT_FALSE(enabledDuring);
  EXPECT_EQ(boxOwner, owner);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetFocus(), child);
}

TEST_F(MessageBoxTest, BoxIsCentredOnItsOwnerOrTheWorkArea) {
  RECT box{}, ownerRect{}, work{};
  GetWindowRect(owner, &ownerRect);
  desktop->script([&] {
    GetWindowRect(OpenBox(), &box);
    desktop->press_key(VK_RETURN);
  });
  MessageBoxW(owner, u"text", u"c", MB_OK);
  EXPECT_NEAR(Centre(box).x, Centre(ownerRect).x, 1);
  EXPECT_NEAR(Centre(box).y, Centre(ownerRect).y, 1);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  desktop->script([&] {
    GetWindowRect(OpenBox(), &box);
    desktop->press_key(VK_RETURN);
  });
  MessageBoxW(nullptr, u"text", u"c", MB_OK | MB_TOPMOST);
  EXPECT_NEAR(Centre(box).x, Centre(work).x, 1);
  EXPECT_NEAR(Centre(box).y, Centre(work).y, 1);
}

TEST_F(MessageBoxTest, LongTextWrapsAtAMaximumWidthAndButtonsAreCentred) {
  std::u16string longText;
  for (int i = 0; i < 80; ++i) longText += u"слово ";
  RECT work{}, shortBox{}, longBox{}, client{}, ok{}, cancel{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  desktop->script([&] {
    GetWindowRect(OpenBox(), &shortBox);
    desktop->press_key(VK_RETURN);
  });
  MessageBoxW(owner, u"short", u"c", MB_OK);
  desktop->script([&] {
    HWND box = OpenBox();
    GetWindowRect(box, &longBox);
    GetClientRect(box, &client);
    GetWindowRect(GetDlgItem(box, IDOK), &ok);
    GetWindowRect(GetDlgItem(box, IDCANCEL), &cancel);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&ok), 2);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&cancel), 2);
    desktop->press_key(VK_RETURN);
  });
  MessageBoxW(owner, longText.c_str(), u"c", MB_OKCANCEL);
  EXPECT_LE(longBox.right - longBox.left, (work.right - work.left) * 5 / 8 + 2 * msgbox::kMargin + 20);
  EXPECT_GT(longBox.bottom - longBox.top, shortBox.bottom - shortBox.top);  // wrapped onto more lines
  EXPECT_NEAR(ok.left - client.left, client.right - cancel.right, 1);
  EXPECT_EQ(ok.top, cancel.top);
  EXPECT_EQ(cancel.left - ok.right, msgbox::kButtonGap);
}

TEST_F(MessageBoxTest, CtrlCCopiesTheBoxText) {
  desktop->script([this] {
    desktop->key_down(VK_CONTROL);
    desktop->press_key('C');
    desktop->key_up(VK_CONTROL);
  });
  Keys({VK_ESCAPE});
  EXPECT_EQ(MessageBoxW(owner, u"Файл не найден", u"Ошибка", MB_OKCANCEL | MB_ICONHAND), IDCANCEL);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(h, nullptr);
  std::u16string got(static_cast<const char16_t*>(GlobalLock(HGLOBAL(h))));
  GlobalUnlock(HGLOBAL(h));
  CloseClipboard();
  const std::u16string rule = u"---------------------------\r\n";
  EXPECT_EQ(got, rule + u"Ошибка\r\n" + rule + u"Файл не найден\r\n" + rule + u"ОК   Отмена   \r\n" + rule);
}

TEST_F(MessageBoxTest, IconsAreColouredSymbols) {
  struct Case {
    UINT icon;
    COLORREF colour;
    POINT probe;  // inside the shape, clear of the symbol
  } cases[] = {{MB_ICONHAND, RGB(220, 0, 0), {6, 16}},
               {MB_ICONQUESTION, RGB(0, 0, 255), {6, 16}},
               {MB_ICONEXCLAMATION, RGB(255, 210, 0), {6, 30}},
               {MB_ICONASTERISK, RGB(0, 0, 255), {6, 16}}};
  for (const Case& c : cases) {
    COLORREF seen = 0;
    desktop->script([&] {
      HWND box = OpenBox();
      desktop->run_until_idle();
      POINT p{msgbox::kMargin + c.probe.x, msgbox::kMargin + c.probe.y};
      ClientToScreen(box, &p);
      seen = desktop->screen_pixel(p.x, p.y);
      desktop->press_key(VK_RETURN);
    });
    ResetMessageBeeps();
    MessageBoxW(owner, u"t", u"c", MB_OK | c.icon);
    EXPECT_EQ(seen, c.colour) << "icon " << c.icon;
    EXPECT_EQ(LastMessageBeepType(), c.icon);
  }
}

TEST_F(MessageBoxTest, QuitDuringTheBoxEndsItAndIsPassedOn) {
  desktop->script([] { PostQuitMessage(5); });
  EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OKCANCEL), 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 5u);
}

TEST_F(MessageBoxTest, ModalityFlagsAreAcceptedAndTopmostBoxesStayOnTop) {
  for (UINT flags : {UINT(MB_TOPMOST), UINT(MB_SYSTEMMODAL), UINT(MB_TASKMODAL), UINT(MB_APPLMODAL)}) {
    LONG ex = 0;
    desktop->script([&] {
      ex = GetWindowLongW(OpenBox(), GWL_EXSTYLE);
      desktop->press_key(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxW(owner, u"t", u"c", MB_OK | flags), IDOK);
    bool topmost = (ex & LONG(WS_EX_TOPMOST)) != 0;
    EXPECT_EQ(topmost, flags == MB_TOPMOST || flags == MB_SYSTEMMODAL) << flags;
  }
}

TEST(MessageBoxLayoutTest, IconTextAndButtonRow) {
  msgbox::Layout l = msgbox::LayOut(SIZE{100, 13}, true, {20, 200});
  // Short text sits level with the icon's middle, right of it.
  EXPECT_EQ(l.text.left, 2 * msgbox::kMargin + msgbox::kIconSize);
  EXPECT_EQ(l.text.top, msgbox::kMargin + (msgbox::kIconSize - 13) / 2);
  // Buttons share the width of the widest caption and are centred.
  ASSERT_EQ(l.buttons.size(), 2u);
  EXPECT_EQ(l.buttons[0].right - l.buttons[0].left, 200 + msgbox::kCaptionPadding);
  EXPECT_EQ(l.buttons[0].left, l.client.cx - l.buttons[1].right);
  EXPECT_EQ(l.client.cy, msgbox::kMargin * 3 + msgbox::kIconSize + msgbox::kButtonHeight);
  RECT placed = msgbox::PlaceWindow(SIZE{300, 200}, RECT{-500, -500, -400, -400}, RECT{0, 0, 800, 600});
  EXPECT_EQ(placed.left, 0);  // kept on the work area
  EXPECT_EQ(placed.top, 0);
}

}  // namespace
}  // namespace kvtest
