#pragma once
// The main window: the chart with every graph on it, the graph collection and the undo stack it
// owns, the actions whose work exists (open, paste, copy, delete, undo, exit) on a menu bar, a
// status line with the graph counts, dropped files, the key handler, and the settings read when
// it is created and written when it closes.

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "workspace/window/ShortCutTable.h"

namespace fw {
class TAction;
class TActionList;
class TMainMenu;
class TMenuItem;
class TPanel;
}  // namespace fw

namespace chart {
class TChart;
}

namespace workspace {

class TGraphCollection;
class TOperationCollection;

inline constexpr const char* ApplicationTitle = "Korvalin 4";

class TwndKorvalinMain : public fw::TForm {
 public:
  explicit TwndKorvalinMain(fw::TComponent* AOwner);
  ~TwndKorvalinMain() override;

  chart::TChart* Chart() const { return FChart; }
  TGraphCollection* Graphs() const { return FGraphs.get(); }
  TOperationCollection* Operations() const { return FOperations.get(); }

  fw::TAction* OpenAction() const { return FOpen; }
  fw::TAction* PasteAction() const { return FPaste; }
  fw::TAction* CopyAction() const { return FCopy; }
  fw::TAction* DeleteAction() const { return FDelete; }
  fw::TAction* UndoAction() const { return FUndo; }
  fw::TAction* ExitAction() const { return FExit; }
  fw::TAction* DerivativeAction() const { return FDerivative; }
  fw::TAction* Derivative2Action() const { return FDerivative2; }

  // The files through the collection's file-opening routine (open dialog, drops).
  void OpenFileNames(const std::vector<fw::String>& FileNames);
  // "Графиков: N" and, with a current graph, its title.
  fw::String StatusText() const;
  const TShortCutTable& ShortCuts() const { return FShortCuts; }
  // The menu item that runs Action (nullptr when the menu has none).
  fw::TMenuItem* MenuItemOf(const fw::TAction* Action) const;

 protected:
  void CreateWnd() override;
  void Dispatch(fw::TMessage& Message) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;

 private:
  void FormCreate();
  void FormCloseQuery(bool& CanClose);
  void FormClose();
  void BuildActions();
  void BuildMenu();
  // Actions and menu items show the data module's command images.
  void ShowImages();
  // Menu items show their action's caption, state and first key binding.
  void RefreshMenu();
  void ChartMouseDown(fw::TMouseButton Button, fw::Integer X, fw::Integer Y);
  void GraphsChanged();
  void OperationsChanged();
  void DropFiles(fw::TMessage& Message);
  void ShowNotice(const fw::String& Title, const fw::String& Text);
  // Runs an action's work, showing a failure in the application's error box.
  template <typename F>
  void Guarded(F Work);

  void OpenExecute();
  void PasteExecute();
  void CopyExecute();
  void DeleteExecute();
  void UndoExecute();
  void DerivativeExecute();
  void Derivative2Execute();

  chart::TChart* FChart = nullptr;
  fw::TPanel* FStatus = nullptr;
  fw::TActionList* FActions = nullptr;
  fw::TMainMenu* FMenu = nullptr;
  fw::TAction* FOpen = nullptr;
  fw::TAction* FPaste = nullptr;
  fw::TAction* FCopy = nullptr;
  fw::TAction* FDelete = nullptr;
  fw::TAction* FUndo = nullptr;
  fw::TAction* FExit = nullptr;
  fw::TAction* FDerivative = nullptr;
  fw::TAction* FDerivative2 = nullptr;
  std::vector<std::pair<fw::TMenuItem*, fw::TAction*>> FMenuActions;
  TShortCutTable FShortCuts;
  std::unique_ptr<TGraphCollection> FGraphs;
  std::unique_ptr<TOperationCollection> FOperations;
  bool FClosed = false;
};

}  // namespace workspace
