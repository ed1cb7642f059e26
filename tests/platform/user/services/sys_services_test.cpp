// Small services: the sound sink and its scheme, accessibility events and the message trace.

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Registry.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Sound.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/MessageTrace.h"
#include "support/HeadlessFixture.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class SysServices : public HeadlessTest {
 protected:
  void TearDown() override {
    ResetPlayedSounds();
    ResetWinEvents();
    registry::Clear();
    user::SetStandardErrorTrace(false);
    HeadlessTest::TearDown();
  }
};

// Whether the scheme gives the event a sound, read the way menus read it.
bool SchemeHasSound(const char16_t* event) {
  std::u16string path = std::u16string(u"AppEvents\\Schemes\\Apps\\.Default\\") + event + u"\\.Current";
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  BYTE data[8] = {};
  DWORD size = sizeof data;
  LSTATUS r = RegQueryValueExW(key, nullptr, nullptr, nullptr, data, &size);
  RegCloseKey(key);
  return (r == ERROR_SUCCESS && data[0] != 0) || r == ERROR_MORE_DATA;
}

TEST_F(SysServices, SoundsAreRecordedAndTheSchemeSaysWhichEventsHaveOne) {
  EXPECT_FALSE(SchemeHasSound(u"MenuPopup"));
  SetSoundSchemeEntry(u"MenuPopup", u"popup.wav");
  SetSoundSchemeEntry(u"MenuCommand", u"");
  EXPECT_TRUE(SchemeHasSound(u"MenuPopup"));
  EXPECT_FALSE(SchemeHasSound(u"MenuCommand"));
  const DWORD flags = SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;
  EXPECT_TRUE(PlaySoundW(u"MenuPopup", nullptr, flags));
  EXPECT_TRUE(PlaySoundW(nullptr, nullptr, 0));
  auto played = PlayedSounds();
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0].name, u"MenuPopup");
  EXPECT_EQ(played[0].flags, 0x10013u);
  EXPECT_TRUE(played[1].name.empty());
}

TEST_F(SysServices, AccessibilityEventsAreRecordedInOrder) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, h, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, h, OBJID_MENU, 3);
  auto events = RecordedWinEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].event, EVENT_SYSTEM_MENUPOPUPSTART);
  EXPECT_EQ(events[1].hwnd, h);
  EXPECT_EQ(events[1].idObject, OBJID_MENU);
  EXPECT_EQ(events[1].idChild, 3);
}

TEST_F(SysServices, TheMessageTraceNamesEachDeliveredMessage) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  struct Case {
    UINT msg;
    bool post;
    const char* expected;
  };
  const Case cases[] = {
      {WM_GETTEXTLENGTH, false, "sent WM_GETTEXTLENGTH (0x000E)"},
      {WM_USER + 5, true, "posted WM_USER+5 (0x0405)"},
      {WM_APP + 0x10, false, "sent WM_APP+0x10 (0x8010)"},
      {0xC123, false, "sent 0xC123 (0xC123)"},
  };
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    user::SetStandardErrorTrace(true);
    if (c.post) {
      PostMessageW(h, c.msg, 7, 9);
      desktop->run_until_idle();
    } else {
      SendMessageW(h, c.msg, 7, 0);
    }
    user::SetStandardErrorTrace(false);
    std::string out = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find(c.expected), std::string::npos) << out;
    EXPECT_NE(out.find("\"KvTestWindow\" wParam=0x7"), std::string::npos) << out;
  }
  // Off, nothing is written.
  ::testing::internal::CaptureStderr();
  SendMessageW(h, WM_NULL, 0, 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
