#include "chart/PlotHandCursor.h"

#include <array>

#include "framework/Forms.h"
#include "platform/kernel/Resources.h"
#include "platform/user/messages/Cursor.h"

namespace chart {
namespace {

// 'X' outline, '.' fill, ' ' see-through; the hot spot is the palm's centre.
constexpr std::array<const char*, 16> kHand = {
    "       XX       ",
    "   XX X..XXX    ",
    "  X..XX..X..X   ",
    "  X..XX..X..X X ",
    "   X..X..X..XX.X",
    "   X..X..X..X..X",
    " XX X.......X..X",
    "X..XX..........X",
    "X...X.........X ",
    " X............X ",
    "  X...........X ",
    "  X..........X  ",
    "   X.........X  ",
    "    X.......X   ",
    "     X......X   ",
    "     X......X   ",
};
constexpr int kCursorSize = 32;

// The program's module handle, as Win32 has it: any instance but null names the program's own
// cursors rather than the system's.
const win::HINSTANCE kProgram = reinterpret_cast<win::HINSTANCE>(uintptr_t(0x400000));

win::CursorImage HandImage() {
  win::CursorImage image;
  image.width = image.height = kCursorSize;
  image.hotSpot = {8, 8};
  image.argb.assign(size_t(kCursorSize) * kCursorSize, 0);
  for (size_t y = 0; y < kHand.size(); ++y)
    for (size_t x = 0; kHand[y][x] != '\0'; ++x) {
      const char c = kHand[y][x];
      if (c != ' ') image.argb[y * kCursorSize + x] = c == 'X' ? 0xFF000000u : 0xFFFFFFFFu;
    }
  return image;
}

}  // namespace

void RegisterPlotHandCursor() {
  win::RegisterCursorResource(win::WORD(crPlotHand), HandImage());
  if (fw::Screen)
    fw::Screen->SetCursors(crPlotHand, win::LoadCursorW(kProgram, win::MAKEINTRESOURCEW(win::WORD(crPlotHand))));
}

}  // namespace chart
