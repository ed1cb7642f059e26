#include "analysis/WinSelect.h"

#include <memory>
#include <utility>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "framework/Dialogs.h"
#include "platform/controls/MessageBox.h"
#include "framework/Graphics.h"
#include "framework/GraphicsCanvas.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "platform/user/windows/WinUserTypes.h"
#include "workspace/Graph.h"

namespace analysis {

void TGraphChoiceList::MoveUp() {
  if (Focused <= 0 || Focused >= int(Items.size())) return;
  std::swap(Items[std::size_t(Focused)], Items[std::size_t(Focused - 1)]);
  --Focused;
}

void TGraphChoiceList::MoveDown() {
  if (Focused < 0 || Focused + 1 >= int(Items.size())) return;
  std::swap(Items[std::size_t(Focused)], Items[std::size_t(Focused + 1)]);
  ++Focused;
}

workspace::TGraphArray TGraphChoiceList::Chosen() const {
  workspace::TGraphArray result;
  for (const auto& i : Items)
    if (i.Checked) result.push_back(i.Graph);
  return result;
}

namespace {

constexpr int kCheckWidth = 18;  // pixels of the check mark column of a row

}  // namespace

TwndGraphSelect::TwndGraphSelect(fw::TComponent* AOwner, const fw::String& Caption, bool Reorder) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndGraphSelect", Caption.empty() ? fw::String("Выбор графиков") : Caption, 180, 170);
  SetKeyPreview(true);

  struct TTool {
    const char* Name;
    const char16_t* Caption;
    const char16_t* Hint;
    void (TGraphChoiceList::*Work)();
  };
  const TTool tools[] = {
      {"butSelectAll", u"Все", u"Выделить все (Ctrl+A)", &TGraphChoiceList::CheckAll},
      {"butSelectInv", u"Обр.", u"Обратить выделение (Shift+A)", &TGraphChoiceList::Invert},
      {"butSelectNone", u"Нет", u"Снять выделение (Alt+A)", &TGraphChoiceList::CheckNone},
      {"butUp", u"Выше", u"Переместить выше", &TGraphChoiceList::MoveUp},
      {"butDown", u"Ниже", u"Переместить ниже", &TGraphChoiceList::MoveDown}};
  int left = 4;
  for (const TTool& tool : tools) {
    if (!Reorder && (tool.Work == &TGraphChoiceList::MoveUp || tool.Work == &TGraphChoiceList::MoveDown)) continue;
    if (tool.Work == &TGraphChoiceList::MoveUp) left += 6;  // the separator
    auto* button = MakeButton(this, tool.Name, tool.Caption, fw::mrNone, {left, 4, 30, 12});
    button->SetHint(tool.Hint);
    button->SetShowHint(true);
    auto work = tool.Work;
    button->OnClick = [this, work](fw::TObject*) {
      (FChoice.*work)();
      Refresh();
    };
    left += 32;
  }

  FList = new fw::TListBox(this);
  FList->SetName("List");
  FList->SetStyle(fw::lbOwnerDrawFixed);
  TDialogLayout::Place(FList, this, 4, 20, 172, 126);
  FList->OnDrawItem = [this](fw::TWinControl*, fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) {
    fw::TCanvas* canvas = FList->Canvas();
    const bool selected = State.Contains(fw::odSelected);
    canvas->Brush()->SetColor(selected ? fw::clHighlight : fw::clWindow);
    canvas->FillRect(Rect);
    if (Index < 0 || Index >= fw::Integer(FChoice.Items.size())) return;
    const auto& item = FChoice.Items[std::size_t(Index)];
    // The check box: a square and, when checked, a tick.
    const int top = Rect.top + (Rect.bottom - Rect.top - 12) / 2;
    canvas->Brush()->SetColor(fw::clWindow);
    canvas->Pen()->SetColor(fw::clWindowText);
    canvas->Rectangle(Rect.left + 3, top, Rect.left + 15, top + 12);
    if (item.Checked) {
      canvas->Pen()->SetWidth(2);
      canvas->MoveTo(Rect.left + 5, top + 6);
      canvas->LineTo(Rect.left + 8, top + 9);
      canvas->LineTo(Rect.left + 13, top + 3);
      canvas->Pen()->SetWidth(1);
    }
    canvas->Brush()->SetColor(selected ? fw::clHighlight : fw::clWindow);
    canvas->Font()->SetColor(selected ? fw::clHighlightText : fw::clWindowText);
    canvas->TextOut(Rect.left + kCheckWidth + 2, Rect.top + 1, FList->Items()->Strings(Index));
  };
  FList->OnClick = [this](fw::TObject*) { FChoice.Focused = FList->ItemIndex(); };
  FList->OnMouseDown = [this](fw::TObject*, fw::TMouseButton Button, fw::TShiftState, fw::Integer X, fw::Integer Y) {
    if (Button != fw::mbLeft || X >= kCheckWidth) return;
    Toggle(FList->ItemAtPos(fw::TPoint{X, Y}, true));
  };
  FList->OnDblClick = [this](fw::TObject*) { Toggle(FList->ItemIndex()); };
  FList->OnKeyDown = [this](fw::TObject*, fw::Word& Key, fw::TShiftState Shift) {
    if (Key == win::VK_SPACE && Shift.Empty()) {
      Toggle(FList->ItemIndex());
      Key = 0;
    }
  };

  MakeOkCancel(this, 180, 170);
  // The list takes the keys from the start: Space ticks, the arrows move.
  SetActiveControl(FList);
  // OK with nothing ticked would do nothing: said at once, and the choice stays open.
  OnCloseQuery = [this](fw::TObject*, bool& CanClose) {
    if (ModalResult() != fw::mrOk || !FChoice.Chosen().empty()) return;
    CanClose = false;
    fw::AppMessageBox(NothingChosenMsg, win::MB_ICONWARNING);
  };
}

cs::TCsButton* TwndGraphSelect::Button(const char* Name) const {
  return dynamic_cast<cs::TCsButton*>(FindComponent(Name));
}

void TwndGraphSelect::Refresh() {
  fw::TStrings* lines = FList->Items();
  lines->BeginUpdate();
  lines->Clear();
  for (const auto& item : FChoice.Items) lines->Add(item.Graph->Series()->Title());
  lines->EndUpdate();
  FList->SetItemIndex(FChoice.Focused);
  FList->Invalidate();
}

void TwndGraphSelect::Toggle(int Index) {
  if (Index < 0 || Index >= int(FChoice.Items.size())) return;
  FChoice.Items[std::size_t(Index)].Checked = !FChoice.Items[std::size_t(Index)].Checked;
  FChoice.Focused = Index;
  Refresh();
}

void TwndGraphSelect::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == 'A') {
    const char* name = nullptr;
    if (Shift == fw::TShiftState{fw::ssCtrl}) name = "butSelectAll";
    else if (Shift == fw::TShiftState{fw::ssShift}) name = "butSelectInv";
    else if (Shift == fw::TShiftState{fw::ssAlt}) name = "butSelectNone";
    if (name) {
      if (cs::TCsButton* button = Button(name)) button->Click();
      Key = 0;
      return;
    }
  }
  fw::TForm::KeyDown(Key, Shift);
}

namespace {

std::unique_ptr<TwndGraphSelect> MakeChoice(const fw::String& Caption, bool Reorder, bool FromFlags) {
  auto window = std::make_unique<TwndGraphSelect>(fw::Application, Caption, Reorder);
  const workspace::TGraphCollection& graphs = *workspace::GraphCollection;
  for (fw::Integer i = 0; i < graphs.Count(); ++i)
    window->Choice().Items.push_back({graphs.Items(i), FromFlags ? graphs.Items(i)->Checked : true});
  window->Choice().Focused = 0;
  window->Refresh();
  return window;
}

bool HaveGraphs() { return workspace::GraphCollection && workspace::GraphCollection->Count() > 0; }

}  // namespace

bool SelectGraphs(const fw::String& Caption, workspace::TGraphArray& Graphs) {
  if (!HaveGraphs()) return false;
  auto window = MakeChoice(Caption, true, false);
  if (window->ShowModal() != fw::mrOk) return false;
  Graphs = window->Choice().Chosen();
  return !Graphs.empty();
}

bool CheckGraphs(const fw::String& Caption) {
  if (!HaveGraphs()) return false;
  auto window = MakeChoice(Caption, false, true);
  if (window->ShowModal() != fw::mrOk) return false;
  for (const auto& item : window->Choice().Items) item.Graph->Checked = item.Checked;
  return true;
}

}  // namespace analysis
