#include <gtest/gtest.h>

// Every test binary shares this entry point, so fixtures that need process-wide set-up
// (the offscreen desktop, a fixed locale) get it in one place.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
