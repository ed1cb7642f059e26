#include "mainwindow/DragCursors.h"

#include <array>
#include <cstdint>

#include "framework/Forms.h"
#include "platform/kernel/Resources.h"
#include "platform/user/messages/Cursor.h"

namespace workspace {
namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

// 'X' outline, '.' fill; the hot spot is the arrow's tip.
constexpr std::array<const char*, 17> kArrow = {
    "X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X", "X........X",
    "X.....XXXXX", "X..X..X", "X.X X..X", "XX  X..X", "X    X..X", "     X..X", "      XX"};

void Put(win::CursorImage& Image, int X, int Y, std::uint32_t Color) {
  if (X >= 0 && Y >= 0 && X < kSize && Y < kSize) Image.argb[std::size_t(Y) * kSize + X] = Color;
}

// A sheet with a black frame and white inside, its top-left corner at (X, Y).
void Sheet(win::CursorImage& Image, int X, int Y) {
  constexpr int w = 9, h = 11;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Put(Image, X + x, Y + y, x == 0 || y == 0 || x == w - 1 || y == h - 1 ? kBlack : kWhite);
  for (int line = 3; line < h - 2; line += 2)
    for (int x = 2; x < w - 2; ++x) Put(Image, X + x, Y + line, kBlack);
}

// The plus of a copy in a white square, bottom right.
void Plus(win::CursorImage& Image) {
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) Put(Image, 22 + x, 22 + y, x == 0 || y == 0 || x == 8 || y == 8 ? kBlack : kWhite);
  for (int i = 2; i < 7; ++i) {
    Put(Image, 22 + i, 26, kBlack);
    Put(Image, 26, 22 + i, kBlack);
  }
}

win::CursorImage DragImage(bool Several, bool Copy) {
  win::CursorImage image;
  image.width = image.height = kSize;
  image.hotSpot = {0, 0};
  image.argb.assign(std::size_t(kSize) * kSize, 0);
  for (std::size_t y = 0; y < kArrow.size(); ++y)
    for (std::size_t x = 0; kArrow[y][x] != '\0'; ++x) {
      const char c = kArrow[y][x];
      if (c != ' ') Put(image, int(x), int(y), c == 'X' ? kBlack : kWhite);
    }
  if (Several) Sheet(image, 15, 12);
  Sheet(image, 12, 15);
  if (Copy) Plus(image);
  return image;
}

// The program's module handle, as Win32 has it: any instance but null names the program's own
// cursors rather than the system's.
const win::HINSTANCE kProgram = reinterpret_cast<win::HINSTANCE>(std::uintptr_t(0x400000));

}  // namespace

void LoadDragCursors() {
  struct TShape {
    fw::TCursor Cursor;
    bool Several, Copy;
  };
  constexpr TShape shapes[] = {{crDragFile, false, false},
                               {crDragFiles, true, false},
                               {crDragFileCopy, false, true},
                               {crDragFilesCopy, true, true}};
  for (const TShape& shape : shapes) {
    win::RegisterCursorResource(win::WORD(shape.Cursor), DragImage(shape.Several, shape.Copy));
    if (fw::Screen)
      fw::Screen->SetCursors(shape.Cursor,
                             win::LoadCursorW(kProgram, win::MAKEINTRESOURCEW(win::WORD(shape.Cursor))));
  }
}

}  // namespace workspace
