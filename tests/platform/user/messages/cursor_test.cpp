#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/services/MonitorLayout.h"

namespace win {
namespace {

HINSTANCE Program() { return reinterpret_cast<HINSTANCE>(uintptr_t(0x400000)); }

class CursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCursorState();
    ResetMonitorLayout();
  }
  void TearDown() override {
    ResetCursorState();
    ResetMonitorLayout();
  }
};

TEST_F(CursorTest, EverySystemCursorLoadsAsOneSharedHandleNamedByItsNumber) {
  const LPCWSTR names[] = {IDC_ARROW,   IDC_IBEAM,  IDC_WAIT,   IDC_CROSS,       IDC_SIZEALL,
                           IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS,     IDC_NO,
                           IDC_HAND,    IDC_APPSTARTING, IDC_HELP, IDC_UPARROW};
  std::set<HCURSOR> seen;
  for (LPCWSTR name : names) {
    HCURSOR h = LoadCursorW(nullptr, name);
    ASSERT_NE(h, nullptr) << reinterpret_cast<uintptr_t>(name);
    EXPECT_EQ(LoadCursorW(nullptr, name), h);
    EXPECT_EQ(CursorShapeId(h), int(reinterpret_cast<uintptr_t>(name)));
    EXPECT_TRUE(IsSystemCursor(h));
    EXPECT_TRUE(DestroyCursor(h));  // shared: still there afterwards
    EXPECT_EQ(CursorShapeId(h), int(reinterpret_cast<uintptr_t>(name)));
    seen.insert(h);
  }
  EXPECT_EQ(seen.size(), std::size(names));
  EXPECT_EQ(CursorShapeId(LoadCursorW(nullptr, IDC_SIZEWE)), 32644);
}

TEST_F(CursorTest, UnknownNamesFail) {
  SetLastError(0);
  EXPECT_EQ(LoadCursorW(nullptr, CursorResourceName(1)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(LoadCursorW(nullptr, u"ARROW"), nullptr);
  // System numbers are not the program's resources.
  EXPECT_EQ(LoadCursorW(Program(), IDC_ARROW), nullptr);
  EXPECT_EQ(CursorShapeId(reinterpret_cast<HCURSOR>(uintptr_t(0x12345))), 0);
  EXPECT_FALSE(DestroyCursor(reinterpret_cast<HCURSOR>(uintptr_t(0x12345))));
}

TEST_F(CursorTest, ProgramCursorsComeFromRegisteredResourceNumbers) {
  EXPECT_EQ(LoadCursorW(Program(), CursorResourceName(1999)), nullptr);  // never registered
  CursorImage image;
  image.hotSpot = POINT{3, 4};
  image.width = 2;
  image.height = 1;
  image.argb = {0xFF000000, 0x00FFFFFF};
  RegisterCursorResource(1001, image);
  HCURSOR h = LoadCursorW(Program(), CursorResourceName(1001));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(LoadCursorW(Program(), CursorResourceName(1001)), h);
  EXPECT_EQ(LoadCursorW(nullptr, CursorResourceName(1001)), nullptr);
  EXPECT_EQ(CursorShapeId(h), 1001);
  EXPECT_FALSE(IsSystemCursor(h));
  CursorImage back;
  ASSERT_TRUE(GetCursorImage(h, &back));
  EXPECT_EQ(back.hotSpot, (POINT{3, 4}));
  EXPECT_EQ(back.argb, image.argb);
  EXPECT_FALSE(GetCursorImage(LoadCursorW(nullptr, IDC_ARROW), &back));

  image.hotSpot = POINT{0, 0};
  RegisterCursorResource(1001, image);
  EXPECT_EQ(LoadCursorW(Program(), CursorResourceName(1001)), h);
  ASSERT_TRUE(GetCursorImage(h, &back));
  EXPECT_EQ(back.hotSpot, (POINT{0, 0}));
}

TEST_F(CursorTest, CurrentCursorStartsAsArrowAndChangesAreReported) {
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  std::vector<std::pair<HCURSOR, bool>> heard;
  SetCursorChangeListener([&](HCURSOR h, bool visible) { heard.emplace_back(h, visible); });
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW), beam = LoadCursorW(nullptr, IDC_IBEAM);
  EXPECT_EQ(SetCursor(beam), arrow);
  EXPECT_EQ(SetCursor(beam), beam);  // no change, nothing reported
  EXPECT_EQ(GetCursor(), beam);
  EXPECT_EQ(SetCursor(nullptr), beam);
  EXPECT_EQ(GetCursor(), nullptr);
  SetLastError(0);
  EXPECT_EQ(SetCursor(reinterpret_cast<HCURSOR>(uintptr_t(0x777))), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_CURSOR_HANDLE);
  EXPECT_EQ(GetCursor(), nullptr);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], std::make_pair(beam, true));
  EXPECT_EQ(heard[1], std::make_pair(HCURSOR(nullptr), true));
}

TEST_F(CursorTest, DisplayCounterHidesBelowZero) {
  std::vector<bool> visibility;
  SetCursorChangeListener([&](HCURSOR, bool visible) { visibility.push_back(visible); });
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(ShowCursor(TRUE), 1);
  EXPECT_EQ(visibility, (std::vector<bool>{false, true}));
}

TEST_F(CursorTest, ConfinementIsCutToTheScreenAndClampsPoints) {
  RECT r{};
  ASSERT_TRUE(GetClipCursor(&r));
  EXPECT_EQ(r, (RECT{0, 0, 1920, 1080}));
  EXPECT_EQ(ClampToCursorClip(POINT{5000, -5}), (POINT{1919, 0}));

  RECT box{100, 200, 300, 400};
  ASSERT_TRUE(ClipCursor(&box));
  ASSERT_TRUE(GetClipCursor(&r));
  EXPECT_EQ(r, box);
  EXPECT_EQ(ClampToCursorClip(POINT{0, 0}), (POINT{100, 200}));
  EXPECT_EQ(ClampToCursorClip(POINT{300, 400}), (POINT{299, 399}));
  EXPECT_EQ(ClampToCursorClip(POINT{150, 250}), (POINT{150, 250}));

  RECT overEdge{1900, 1000, 2500, 1500};
  ASSERT_TRUE(ClipCursor(&overEdge));
  ASSERT_TRUE(GetClipCursor(&r));
  EXPECT_EQ(r, (RECT{1900, 1000, 1920, 1080}));

  RECT offScreen{3000, 3000, 3100, 3100};
  EXPECT_FALSE(ClipCursor(&offScreen));
  ASSERT_TRUE(GetClipCursor(&r));
  EXPECT_EQ(r, (RECT{1900, 1000, 1920, 1080}));
  ASSERT_TRUE(ClipCursor(nullptr));
  ASSERT_TRUE(GetClipCursor(&r));
  EXPECT_EQ(r, (RECT{0, 0, 1920, 1080}));
  EXPECT_FALSE(GetClipCursor(nullptr));
}

}  // namespace
}  // namespace win
