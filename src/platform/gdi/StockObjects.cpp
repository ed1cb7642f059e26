// Stock objects: made once, shared by every DC, never deleted.

#include <array>
#include <cstring>
#include <mutex>
#include <string_view>

#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {
namespace {

constexpr int kStockCount = DC_PEN + 1;

std::unique_ptr<Object> SolidBrush(COLORREF c, UINT style = BS_SOLID) {
  auto b = std::make_unique<BrushObj>();
  b->style = style;
  b->color = c;
  return b;
}

std::unique_ptr<Object> Pen(COLORREF c, UINT style = PS_SOLID) {
  auto p = std::make_unique<PenObj>();
  p->style = style;
  p->color = c;
  return p;
}

// Stock fonts are logical fonts like any other; the font part builds their faces on first use.
std::unique_ptr<Object> Font(std::u16string_view face, LONG height, LONG weight, BYTE pitch) {
  auto f = std::make_unique<FontObj>();
  f->lf.lfHeight = height;
  f->lf.lfWeight = weight;
  f->lf.lfPitchAndFamily = pitch;
  std::copy_n(face.data(), std::min<size_t>(face.size(), LF_FACESIZE - 1), f->lf.lfFaceName);
  return f;
}

std::unique_ptr<Object> Make(int index) {
  switch (index) {
    case WHITE_BRUSH: return SolidBrush(RGB(255, 255, 255));
    case LTGRAY_BRUSH: return SolidBrush(RGB(192, 192, 192));
    case GRAY_BRUSH: return SolidBrush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return SolidBrush(RGB(64, 64, 64));
    case BLACK_BRUSH: return SolidBrush(RGB(0, 0, 0));
    case NULL_BRUSH: return SolidBrush(0, BS_NULL);
    case WHITE_PEN: return Pen(RGB(255, 255, 255));
    case BLACK_PEN: return Pen(RGB(0, 0, 0));
    case NULL_PEN: return Pen(0, PS_NULL);
    case OEM_FIXED_FONT: return Font(u"Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    case ANSI_FIXED_FONT: return Font(u"Courier New", 13, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    case ANSI_VAR_FONT: return Font(u"MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    case SYSTEM_FONT: return Font(u"System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    case DEVICE_DEFAULT_FONT: return Font(u"System", 16, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    case SYSTEM_FIXED_FONT: return Font(u"Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    case DEFAULT_GUI_FONT: return Font(u"MS Sans Serif", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_PALETTE: {
      auto pal = std::make_unique<PaletteObj>();
      static constexpr BYTE kLevels[2][3] = {{0, 0, 0}, {255, 255, 255}};
      for (const auto& l : kLevels) pal->entries.push_back(PALETTEENTRY{l[0], l[1], l[2], 0});
      return pal;
    }
    case DC_BRUSH: {
      auto b = std::make_unique<BrushObj>();
      b->color = RGB(255, 255, 255);
      b->dcColor = true;
      return b;
    }
    case DC_PEN: {
      auto p = std::make_unique<PenObj>();
      p->dcColor = true;
      return p;
    }
    default: return nullptr;
  }
}

}  // namespace
}  // namespace win::gdi

namespace win {

HGDIOBJ GetStockObject(int index) {
  // Never destroyed: static destructors elsewhere may still ask for stock objects at exit.
  struct Table {
    std::mutex mutex;
    std::array<HGDIOBJ, gdi::kStockCount> made{};
  };
  static Table* table = new Table;
  if (index < 0 || index >= gdi::kStockCount) return nullptr;
  std::lock_guard lock(table->mutex);
  auto& made = table->made;
  if (!made[index]) {
    std::unique_ptr<gdi::Object> obj = gdi::Make(index);
    if (!obj) return nullptr;
    obj->stock = true;
    made[index] = gdi::HandleTable::Instance().Add(std::move(obj));
  }
  return made[index];
}

}  // namespace win
