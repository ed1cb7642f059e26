#pragma once
// Colour sets (a grid of named colours) and the colour palette, the tool palette whose cells are
// swatches of a colour set. Without a set of its own the palette shows the default set of forty
// named colours in eight columns and five rows.

#include <functional>
#include <vector>

#include "tx/TxToolPals.h"

namespace tx {

class TTxColorPalette;

using TCSGetColorInfo =
    std::function<void(fw::TObject* Sender, Integer Col, Integer Row, fw::TColor& Color, String& Name)>;

class TTxCustomColorSet : public fw::TComponent {
 public:
  explicit TTxCustomColorSet(fw::TComponent* AOwner);
  ~TTxCustomColorSet() override;

  Integer ColCount() const { return FColCount; }
  Integer RowCount() const { return FRowCount; }
  fw::TColor GetColor(Integer Col, Integer Row);
  String GetName(Integer Col, Integer Row);

  TCSGetColorInfo OnGetColorInfo;

  // Stores both counts and hands them to every attached palette.
  virtual void UpdateSize(Integer ACols, Integer ARows);
  // The name of the first cell holding Color's RGB; "#RRGGBB" without one; "None" for clNone.
  virtual String ColorToString(fw::TColor Color);
  virtual void GetColorInfo(Integer Col, Integer Row, fw::TColor& Color, String& Name);

 private:
  friend class TTxColorPalette;
  Integer FColCount = 0, FRowCount = 0;
  std::vector<TTxColorPalette*> FPalettes;
};

class TTxColorSet : public TTxCustomColorSet {
 public:
  using TTxCustomColorSet::TTxCustomColorSet;
  void SetColCount(Integer Value) { UpdateSize(Value, RowCount()); }
  void SetRowCount(Integer Value) { UpdateSize(ColCount(), Value); }
};

class TTxDefaultColorSet : public TTxCustomColorSet {
 public:
  explicit TTxDefaultColorSet(fw::TComponent* AOwner);
  void GetColorInfo(Integer Col, Integer Row, fw::TColor& Color, String& Name) override;
};

// The one shared default set, made by the first user and kept until DoneDefaultColorSet.
TTxDefaultColorSet* DefaultColorSet();
void DoneDefaultColorSet();

class TTxColorPalette : public TTxCustomToolPalette {
 public:
  explicit TTxColorPalette(fw::TComponent* AOwner);
  ~TTxColorPalette() override;

  fw::TColor Color() const { return FColor; }
  // Stores the colour and selects its cell (none when no cell holds it); always fires OnChange.
  void SetColor(fw::TColor Value);
  TTxCustomColorSet* ColorSet() const { return FColorSet; }
  void SetColorSet(TTxCustomColorSet* Value);
  // The set whose colours are shown: ColorSet, else the default set.
  TTxCustomColorSet* EffectiveColorSet() const;
  // The first cell, row by row, holding Color's RGB; NoCell without one.
  TPoint FindCell(fw::TColor AColor);

  virtual fw::TColor GetCellColor(Integer ACol, Integer ARow);

  void DoCalcImageSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  void DoChange() override;
  void DoDrawCellImage(fw::TCanvas* Canvas, const TRect& ARect, Integer ACol, Integer ARow,
                       const TTxItemInfo& ItemInfo) override;
  void DoGetCellVisible(Integer ACol, Integer ARow, bool& Visible) override;
  void DoGetHint(TPoint Cell, String& HintText) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  friend class TTxCustomColorSet;
  fw::TColor FColor = fw::clNone;
  TTxCustomColorSet* FColorSet = nullptr;
};

}  // namespace tx
