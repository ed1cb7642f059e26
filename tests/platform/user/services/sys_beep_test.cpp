#include <gtest/gtest.h>

#include <vector>

#include "platform/user/services/Beep.h"

namespace win {
namespace {

TEST(MessageBeep, CountsEveryBeepAndPassesTheTypeOn) {
  ResetMessageBeeps();
  std::vector<UINT> heard;
  SetMessageBeepListener([&](UINT type) { heard.push_back(type); });
  EXPECT_TRUE(MessageBeep(0));
  EXPECT_TRUE(MessageBeep(0x10));
  EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
  EXPECT_EQ(MessageBeepCount(), 3);
  EXPECT_EQ(LastMessageBeepType(), 0xFFFFFFFFu);
  EXPECT_EQ(heard, (std::vector<UINT>{0, 0x10, 0xFFFFFFFF}));
  ResetMessageBeeps();
  EXPECT_EQ(MessageBeepCount(), 0);
  MessageBeep(0);
  EXPECT_EQ(heard.size(), 3u);  // the listener went with the reset
}

}  // namespace
}  // namespace win
