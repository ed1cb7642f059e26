// The application's help hooks: OnHelp sees each request first; the help system shows nothing.

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "platform/kernel/LastError.h"
#include "platform/user/services/WinHelp.h"

namespace fw::testing {
namespace {

using ApplicationHelp = ControlTest;

TEST_F(ApplicationHelp, RequestsGoToOnHelpThenToAHelpSystemThatShowsNothing) {
  Application->HelpFile = "korvalin.hlp";
  EXPECT_FALSE(Application->HelpContext(42));  // no handler: the help system answers false
  EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);

  struct Heard {
    Word Command;
    NativeInt Data;
  };
  std::vector<Heard> heard;
  bool answer = true, pass = false;
  Application->OnHelp = [&](Word Command, NativeInt Data, bool& CallHelp) {
    heard.push_back({Command, Data});
    CallHelp = pass;
    return answer;
  };
  EXPECT_TRUE(Application->HelpContext(42));
  EXPECT_TRUE(Application->HelpCommand(Integer(win::HELP_CONTEXTPOPUP), 7));
  pass = true;  // handed on: the help system's answer counts
  EXPECT_FALSE(Application->HelpCommand(Integer(win::HELP_FINDER), 0));
  EXPECT_FALSE(Application->HelpContext(0));  // context 0 asks nothing
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0].Command, win::HELP_CONTEXT);
  EXPECT_EQ(heard[0].Data, 42);
  EXPECT_EQ(heard[1].Command, win::HELP_CONTEXTPOPUP);
  EXPECT_EQ(heard[2].Command, win::HELP_FINDER);
  EXPECT_TRUE(win::WinHelpW(nullptr, nullptr, win::HELP_QUIT, 0));
}

}  // namespace
}  // namespace fw::testing
