#include "tx/TxColorPalette.h"

#include <algorithm>
#include <cstdio>

#include "framework/GraphicsCanvas.h"
#include "platform/user/services/SysColors.h"
#include "tx/detail/TxCanvasDC.h"
#include "tx/TxUtils.h"

namespace tx {

namespace {

struct TNamedColor {
  fw::TColor Color;  // $BBGGRR
  const char* Name;
};

constexpr Integer kDefaultCols = 8, kDefaultRows = 5;

// Row by row, left to right.
constexpr TNamedColor kDefaultColors[kDefaultRows][kDefaultCols] = {
    {{0x000000, "Black"}, {0x003399, "Brown"}, {0x003333, "Olive Green"}, {0x003300, "Dark Green"},
     {0x663300, "Dark Teal"}, {0x800000, "Dark blue"}, {0x993333, "Indigo"}, {0x333333, "Gray-80%"}},
    {{0x000080, "Dark Red"}, {0x0066FF, "Orange"}, {0x008080, "Dark Yellow"}, {0x008000, "Green"},
     {0x808000, "Teal"}, {0xFF0000, "Blue"}, {0x996666, "Blue-Gray"}, {0x808080, "Gray-50%"}},
    {{0x0000FF, "Red"}, {0x0099FF, "Light Orange"}, {0x00CC99, "Lime"}, {0x669933, "Sea Green"},
     {0xCCCC33, "Aqua"}, {0xFF6633, "Light Blue"}, {0x800080, "Violet"}, {0x969696, "Gray-40%"}},
    {{0xFF00FF, "Pink"}, {0x00CCFF, "Gold"}, {0x00FFFF, "Yellow"}, {0x00FF00, "Bright Green"},
     {0xFFFF00, "Turquoise"}, {0xFFCC00, "Sky Blue"}, {0x663399, "Plum"}, {0xC0C0C0, "Gray-25%"}},
    {{0xCC99FF, "Rose"}, {0x99CCFF, "Tan"}, {0x99FFFF, "Light Yellow"}, {0xCCFFCC, "Light Green"},
     {0xFFFFCC, "Light Turquoise"}, {0xFFCC99, "Pale Blue"}, {0xFF99CC, "Lavender"}, {0xFFFFFF, "White"}},
};

// A colour as the RGB it shows: system colours resolved, only the low 24 bits kept. clNone stays
// clNone; an invalid value becomes clDefault, which no cell holds (the platform would show it as
// black, and a palette must not then claim its black cell).
fw::TColor ComparableRGB(fw::TColor Color) {
  if (Color == fw::clNone) return fw::clNone;
  if (!IsColorValid(Color)) return fw::clDefault;
  if (Color < 0) return fw::TColor(win::GetSysColor(int(Color & 0xFF)) & 0xFFFFFF);
  return Color & 0xFFFFFF;
}

TTxDefaultColorSet* gDefaultSet = nullptr;

}  // namespace

// ---- colour sets -----------------------------------------------------------------------------

TTxCustomColorSet::TTxCustomColorSet(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}

TTxCustomColorSet::~TTxCustomColorSet() {
  // Palettes showing this set fall back to the default one.
  for (TTxColorPalette* p : std::vector<TTxColorPalette*>(FPalettes))
    if (p->FColorSet == this) p->SetColorSet(nullptr);
}

fw::TColor TTxCustomColorSet::GetColor(Integer Col, Integer Row) {
  fw::TColor color;
  String name;
  GetColorInfo(Col, Row, color, name);
  return color;
}

String TTxCustomColorSet::GetName(Integer Col, Integer Row) {
  fw::TColor color;
  String name;
  GetColorInfo(Col, Row, color, name);
  return name;
}

void TTxCustomColorSet::GetColorInfo(Integer Col, Integer Row, fw::TColor& Color, String& Name) {
  Name.clear();
  Color = fw::clNone;
  if (OnGetColorInfo) OnGetColorInfo(this, Col, Row, Color, Name);
}

void TTxCustomColorSet::UpdateSize(Integer ACols, Integer ARows) {
  FColCount = ACols;
  FRowCount = ARows;
  for (TTxColorPalette* p : FPalettes) {
    p->SetColCount(Byte(std::clamp<Integer>(ACols, 0, 255)));
    p->SetRowCount(Byte(std::clamp<Integer>(ARows, 0, 255)));
  }
}

String TTxCustomColorSet::ColorToString(fw::TColor Color) {
  if (Color == fw::clNone) return "None";
  const fw::TColor rgb = ComparableRGB(Color);
  for (Integer row = 0; row < FRowCount; ++row)
    for (Integer col = 0; col < FColCount; ++col) {
      fw::TColor c;
      String name;
      GetColorInfo(col, row, c, name);
      if (c == fw::clNone || rgb == fw::clDefault || ComparableRGB(c) != rgb) continue;
      if (!name.empty()) return name;
      row = FRowCount;  // the first match decides
      break;
    }
  // An invalid value is shown by its low three bytes, as it was given.
  const fw::TColor shown = rgb == fw::clDefault ? Color & 0xFFFFFF : rgb;
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(shown & 0xFF), unsigned((shown >> 8) & 0xFF),
                unsigned((shown >> 16) & 0xFF));
  return text;
}

TTxDefaultColorSet::TTxDefaultColorSet(fw::TComponent* AOwner) : TTxCustomColorSet(AOwner) {
  UpdateSize(kDefaultCols, kDefaultRows);
}

void TTxDefaultColorSet::GetColorInfo(Integer Col, Integer Row, fw::TColor& Color, String& Name) {
  if (Col < 0 || Col >= kDefaultCols || Row < 0 || Row >= kDefaultRows) {
    Color = fw::clNone;
    Name.clear();
    return;
  }
  Color = kDefaultColors[Row][Col].Color;
  Name = kDefaultColors[Row][Col].Name;
}

TTxDefaultColorSet* DefaultColorSet() {
  if (!gDefaultSet) gDefaultSet = new TTxDefaultColorSet(nullptr);
  return gDefaultSet;
}

void DoneDefaultColorSet() {
  delete gDefaultSet;
  gDefaultSet = nullptr;
}

// ---- colour palette --------------------------------------------------------------------------

TTxColorPalette::TTxColorPalette(fw::TComponent* AOwner) : TTxCustomToolPalette(AOwner) {
  TTxDefaultColorSet* set = DefaultColorSet();
  SetColCount(Byte(set->ColCount()));
  SetRowCount(Byte(set->RowCount()));
  SetOptions(Options() + toolbars::TTBItemOptions{toolbars::tboShowHint});
  SetPaletteOptions(PaletteOptions() + TTxToolPaletteOptions{tpoCustomImages});
}

TTxColorPalette::~TTxColorPalette() {
  if (FColorSet) std::erase(FColorSet->FPalettes, this);
}

TTxCustomColorSet* TTxColorPalette::EffectiveColorSet() const {
  return FColorSet ? FColorSet : static_cast<TTxCustomColorSet*>(DefaultColorSet());
}

void TTxColorPalette::SetColor(fw::TColor Value) {
  FColor = Value;
  SetSelectedCell(FindCell(Value));
}

TPoint TTxColorPalette::FindCell(fw::TColor AColor) {
  const fw::TColor rgb = ComparableRGB(AColor);
  if (rgb == fw::clDefault) return NoCell;
  for (Integer row = 0; row < RowCount(); ++row)
    for (Integer col = 0; col < ColCount(); ++col)
      if (ComparableRGB(GetCellColor(col, row)) == rgb) return TPoint{col, row};
  return NoCell;
}

void TTxColorPalette::SetColorSet(TTxCustomColorSet* Value) {
  if (FColorSet == Value) return;
  if (FColorSet) {
    std::erase(FColorSet->FPalettes, this);
    FColorSet->RemoveFreeNotification(this);
  }
  FColorSet = Value;
  if (Value) {
    Value->FPalettes.push_back(this);
    Value->FreeNotification(this);
  }
  TTxCustomColorSet* set = EffectiveColorSet();
  SetColCount(Byte(std::clamp<Integer>(set->ColCount(), 0, 255)));
  SetRowCount(Byte(std::clamp<Integer>(set->RowCount(), 0, 255)));
  Change(true);
}

void TTxColorPalette::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TTxCustomToolPalette::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FColorSet) SetColorSet(nullptr);
}

fw::TColor TTxColorPalette::GetCellColor(Integer ACol, Integer ARow) {
  return EffectiveColorSet()->GetColor(ACol, ARow);
}

void TTxColorPalette::DoCalcImageSize(fw::TCanvas* /*Canvas*/, Integer& AWidth, Integer& AHeight) {
  AWidth = 12;
  AHeight = 12;
}

void TTxColorPalette::DoChange() {
  const TPoint cell = SelectedCell();
  if (cell.x >= 0) FColor = GetCellColor(cell.x, cell.y);
  TTxCustomToolPalette::DoChange();
}

void TTxColorPalette::DoDrawCellImage(fw::TCanvas* Canvas, const TRect& ARect, Integer ACol, Integer ARow,
                                      const TTxItemInfo& ItemInfo) {
  win::HDC dc = Canvas->Handle();
  TRect r = ARect;
  FrameRectColor(dc, r, fw::clBtnShadow, true);
  if (ItemInfo.Enabled) FillRectColor(dc, r, GetCellColor(ACol, ARow));
}

void TTxColorPalette::DoGetCellVisible(Integer ACol, Integer ARow, bool& Visible) {
  Visible = GetCellColor(ACol, ARow) != fw::clNone;
}

void TTxColorPalette::DoGetHint(TPoint Cell, String& HintText) {
  HintText = EffectiveColorSet()->GetName(Cell.x, Cell.y);
}

}  // namespace tx
