// Unicode windows: the control set's windows are made under their ".UnicodeClass" classes and
// subclassed by a trap, keep their wide caption across re-creation, answer the window system's
// text questions, and leave nothing behind with their control; the caption holders of controls
// without a window.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "controls/CsLists.h"
#include "controls/UniCaptionHolders.h"
#include "controls/UniCodePages.h"
#include "controls/UniComboBox.h"
#include "controls/UniControlTrap.h"
#include "controls/UniControls.h"
#include "controls/UniWindows.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/controls/Edit.h"
#include "framework/stdctrls_support.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"

namespace cs {
namespace {

// A text the framework's UTF-8 cannot hold: it ends in an unpaired surrogate.
const WideString kLoneSurrogate(u"Подпись \xD83D", 9);

std::u16string ClassNameOf(win::HWND Wnd) {
  char16_t name[128] = {};
  const int n = win::GetClassNameW(Wnd, name, 128);
  return std::u16string(name, std::size_t(std::max(n, 0)));
}

// A memo whose window a test can destroy while the memo lives on.
class TDetachableMemo : public TCsMemo {
 public:
  using TCsMemo::TCsMemo;
  using fw::TWinControl::DestroyHandle;
};

class UnicodeWindowTest : public fw::testing::StdCtrlsTest {
 protected:
  // Counts the messages that reach the control's message method, put before the trap's.
  void CountMessages(fw::TWinControl* Control) {
    fw::TWndMessageMethod previous = Control->WindowProc;
    Control->WindowProc = [this, previous](fw::TMessage& M) {
      if (M.Msg == win::WM_SETTEXT) ++setTexts;
      if (M.Msg == fw::CM_TEXTCHANGED) ++textChanges;
      previous(M);
    };
  }
  int setTexts = 0, textChanges = 0;
};

TEST_F(UnicodeWindowTest, ControlSetWindowsAreUnicodeClassesSubclassingTheirStandardClass) {
  auto* memo = Add<TCsMemo>(10, 10, 200, 80);
  auto* combo = Add<TUniComboBox>(10, 100, 150, 21);
  ShowForm();
  for (fw::TWinControl* c : std::initializer_list<fw::TWinControl*>{memo, combo}) {
    EXPECT_EQ(ClassNameOf(c->Handle()), Utf8ToWide(c->ClassName()) + u".UnicodeClass");
    EXPECT_TRUE(IsUnicodeWindow(c->Handle()));
    TWinControlTrap* trap = FindControlTrap(c);
    ASSERT_NE(trap, nullptr);
    EXPECT_EQ(trap->Handle(), c->Handle());
    EXPECT_NE(c->DefWndProc(), &win::DefWindowProcW) << "the trap's default procedure";
    EXPECT_EQ(win::GetDlgCtrlID(c->Handle()), int(reinterpret_cast<win::LONG_PTR>(c->Handle())))
        << "a child without an id takes its handle";
  }
  EXPECT_FALSE(IsUnicodeWindow(form->Handle()));
  EXPECT_EQ(PendingTrapCount(), 0u);
  // Still the standard controls underneath: the edit keeps lines, the combo box its items.
  memo->SetText("один\r\nдва");
  EXPECT_EQ(win::SendMessageW(memo->Handle(), win::EM_GETLINECOUNT, 0, 0), 2);
  combo->Items()->Add(u"Пункт");
  combo->SetItemIndex(0);
  EXPECT_EQ(WideControlText(combo), u"Пункт");
}

TEST_F(UnicodeWindowTest, AWideCaptionSurvivesTheWindowsRecreationAndWaitsWithItsTrap) {
  auto* memo = Add<TCsMemo>(10, 10, 200, 80);
  ShowForm();
  SetWideControlText(memo, kLoneSurrogate);
  EXPECT_EQ(WideControlText(memo), kLoneSurrogate) << "the Unicode window holds it whole";
  TWinControlTrap* trap = FindControlTrap(memo);
  memo->RecreateWnd();
  Pump();
  memo->HandleNeeded();
  EXPECT_EQ(WideControlText(memo), kLoneSurrogate);
  EXPECT_EQ(FindControlTrap(memo), trap) << "the same trap takes the new window";
  EXPECT_EQ(trap->Handle(), memo->Handle());
  EXPECT_EQ(PendingTrapCount(), 0u);
}

TEST_F(UnicodeWindowTest, SameTextSendsNothingAndANewTextOneChangeNotice) {
  auto* memo = Add<TCsMemo>(10, 10, 200, 80);
  ShowForm();
  SetWideControlText(memo, u"Текст ✓");
  CountMessages(memo);
  SetWideControlText(memo, u"Текст ✓");
  EXPECT_EQ(setTexts, 0);
  EXPECT_EQ(textChanges, 0);
  SetWideControlText(memo, kLoneSurrogate);
  EXPECT_EQ(setTexts, 1);
  EXPECT_EQ(textChanges, 1);
  // The framework's own text message goes through the window too.
  memo->SetText("Третий");
  EXPECT_EQ(WideControlText(memo), u"Третий");
}

TEST_F(UnicodeWindowTest, AWideCharacterReachesKeyPressAndTheWindowWhole) {
  auto* memo = Add<TCsMemo>(10, 10, 200, 80);
  ShowForm();
  std::vector<char16_t> pressed;
  memo->OnKeyPress = [&](fw::TObject*, char16_t& Key) { pressed.push_back(Key); };
  win::SendMessageW(memo->Handle(), win::WM_CHAR, 0x0416, 1);
  EXPECT_EQ(pressed, (std::vector<char16_t>{u'\u0416'}));
  EXPECT_EQ(WideControlText(memo), u"\u0416");
}

TEST_F(UnicodeWindowTest, NotifyFormatIsUnicodeForUnicodeWindows) {
  auto* memo = Add<TCsMemo>(10, 10, 200, 80);
  auto* plain = Add<fw::TEdit>(10, 100, 100, 21);
  ShowForm();
  EXPECT_EQ(win::SendMessageW(memo->Handle(), win::WM_NOTIFYFORMAT,
                              reinterpret_cast<win::WPARAM>(memo->Handle()), 3 /* NF_QUERY */),
            2);
  EXPECT_EQ(win::SendMessageW(memo->Handle(), win::WM_NOTIFYFORMAT,
                              reinterpret_cast<win::WPARAM>(plain->Handle()), 3),
            1);
}

TEST_F(UnicodeWindowTest, NothingIsLeftWithTheControl) {
  const std::size_t holders = WideCaptionHolderCount();
  auto* memo = new TDetachableMemo(form);
  const std::type_info& own = memo->WindowProc.target_type();
  memo->SetParent(form);
  ShowForm();
  EXPECT_NE(memo->WindowProc.target_type(), own) << "the trap's message method comes first";
  SetWideControlHint(memo, u"Подсказка");
  memo->DestroyHandle();
  EXPECT_EQ(PendingTrapCount(), 1u) << "the trap waits for the next window";
  EXPECT_EQ(memo->WindowProc.target_type(), own) << "the control's own message method is back";
  EXPECT_EQ(WideCaptionHolderCount(), holders + 1);
  delete memo;
  EXPECT_EQ(PendingTrapCount(), 0u);
  EXPECT_EQ(WideCaptionHolderCount(), holders);
}

TEST_F(UnicodeWindowTest, SubclassingAWindowThatIsNotUnicodeIsRefused) {
  auto* plain = Add<fw::TEdit>(10, 100, 100, 21);
  ShowForm();
  try {
    SubclassUnicodeControl(plain, u"x");
    FAIL() << "no error";
  } catch (const EUniInternalError& e) {
    EXPECT_STREQ(e.what(), "Internal Error: SubClassUnicodeControl.Control is not Unicode.");
  }
}

TEST_F(UnicodeWindowTest, TheUnicodeClassIsRegisteredOnceAndAForeignOneReplaced) {
  fw::TCreateParams params;
  params.WinClassName = std::u16string(70, u'K');
  params.WindowClass.lpfnWndProc = &win::DefWindowProcW;
  const WideString name = RegisterUnicodeClass(params);
  EXPECT_EQ(name, std::u16string(64, u'K') + u".UnicodeClass");
  win::WNDCLASSW wc{};
  ASSERT_TRUE(win::GetClassInfoW(nullptr, name.c_str(), &wc));
  EXPECT_EQ(wc.lpfnWndProc, &UnicodeInitWndProc);
  EXPECT_EQ(RegisterUnicodeClass(params), name);
  // A window of the longest such class is known as a Unicode window.
  const win::HWND wnd = win::CreateWindowExW(0, name.c_str(), u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(IsUnicodeWindow(wnd));
  win::DestroyWindow(wnd);
  // A class of that name with another procedure gives way.
  win::UnregisterClassW(name.c_str(), nullptr);
  win::WNDCLASSW foreign{};
  foreign.lpfnWndProc = &win::DefWindowProcW;
  foreign.lpszClassName = name.c_str();
  ASSERT_NE(win::RegisterClassW(&foreign), 0);
  RegisterUnicodeClass(params);
  ASSERT_TRUE(win::GetClassInfoW(nullptr, name.c_str(), &wc));
  EXPECT_EQ(wc.lpfnWndProc, &UnicodeInitWndProc);
  win::UnregisterClassW(name.c_str(), nullptr);
}

// Controls without a window keep their wide caption in a holder; what the framework was given
// since, also while a windowed control's window was away, wins over the holder's text.
TEST_F(UnicodeWindowTest, HoldersKeepWideCaptionsUntilTheFrameworkTextChanges) {
  auto* label = Add<fw::TLabel>(10, 10, 100, 20);
  SetWideControlText(label, kLoneSurrogate);
  EXPECT_EQ(WideControlText(label), kLoneSurrogate);
  label->SetCaption("Другая");
  EXPECT_EQ(WideControlText(label), u"Другая");
  auto* memo = new TCsMemo(form);  // no parent: no window
  SetWideControlText(memo, kLoneSurrogate);
  EXPECT_EQ(WideControlText(memo), kLoneSurrogate);
  memo->SetText("Новый");
  EXPECT_EQ(WideControlText(memo), u"Новый");
  SetWideControlHint(label, kLoneSurrogate);
  EXPECT_EQ(WideControlHint(label), kLoneSurrogate);
}

}  // namespace
}  // namespace cs
