#pragma once
// The graph-choice dialog: a check list of the workspace's graphs that the graph arithmetic
// takes its operands from (checked graphs in list order) and the group search its graphs from
// (the graphs' Checked flags).

#include <vector>

#include "framework/Forms.h"
#include "workspace/GraphCollection.h"

namespace fw {
class TListBox;
}
namespace cs {
class TCsButton;
}

namespace analysis {

// The list behind the dialog: graphs with their check marks and the focused row.
class TGraphChoiceList {
 public:
  struct TItem {
    workspace::TGraph* Graph;
    bool Checked;
  };
  std::vector<TItem> Items;
  int Focused = -1;

  void CheckAll() { for (auto& i : Items) i.Checked = true; }
  void CheckNone() { for (auto& i : Items) i.Checked = false; }
  void Invert() { for (auto& i : Items) i.Checked = !i.Checked; }
  // The focused row one place up (down), still focused; nothing at the list's end.
  void MoveUp();
  void MoveDown();
  // The checked graphs in list order.
  workspace::TGraphArray Chosen() const;
};

inline constexpr const char* NothingChosenMsg =
    "Не отмечен ни один график. Отметьте графики (щелчком по квадратику слева от названия или клавишей "
    "Пробел) или нажмите \"Отмена\"";

// OK with no graph checked is refused with NothingChosenMsg, the dialog left open.
class TwndGraphSelect : public fw::TForm {
 public:
  // Caption empty: "Выбор графиков". Reorder: the move buttons shown.
  TwndGraphSelect(fw::TComponent* AOwner, const fw::String& Caption, bool Reorder);

  TGraphChoiceList& Choice() { return FChoice; }
  // Shows the choice (after Choice() was filled or changed).
  void Refresh();
  fw::TListBox* List() const { return FList; }
  cs::TCsButton* Button(const char* Name) const;

 protected:
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;

 private:
  void Toggle(int Index);

  TGraphChoiceList FChoice;
  fw::TListBox* FList = nullptr;
};

// Runs the dialog over the collection's graphs, all checked; true with Graphs the checked ones in
// list order, false on Cancel, with nothing checked, or without graphs (then nothing is shown).
bool SelectGraphs(const fw::String& Caption, workspace::TGraphArray& Graphs);
// Runs the dialog with the check marks from the graphs' Checked flags and writes them back on OK.
bool CheckGraphs(const fw::String& Caption);

}  // namespace analysis
