#include "analysis/WinTemplateEdit.h"

#include <exception>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "analysis/FuncGraph.h"
#include "analysis/ParamGrid.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "framework/Dialogs.h"
#include "framework/StringList.h"
#include "platform/controls/MessageBox.h"
#include "platform/kernel/TextConvert.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"

namespace analysis {

namespace {

constexpr const char* kNewName = "Новая формула";

}  // namespace

TwndTemplateEdit::TwndTemplateEdit(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndTemplateEdit", "Заготовки выражений", 300, 214);
  auto* all = MakeGroup(this, u"Все заготовки", {4, 4, 110, 174});
  List1 = MakeAt<cs::TCsListBox>(all, "List1", {6, 12, 98, 120});
  List1->OnClick = [this](fw::TObject*) { List1Click(); };
  butNew = MakeButton(all, "butNew", u"Создать", fw::mrNone, {6, 136, 47, 14});
  butNew->OnClick = [this](fw::TObject*) { butNewClick(); };
  butDelete = MakeButton(all, "butDelete", u"Удалить", fw::mrNone, {57, 136, 47, 14});
  butDelete->OnClick = [this](fw::TObject*) { butDeleteClick(); };
  butUp = MakeButton(all, "butUp", u"▲", fw::mrNone, {6, 154, 47, 14});
  butUp->SetHint(u"Переместить выше");
  butUp->OnClick = [this](fw::TObject*) { butMoveClick(true); };
  butDown = MakeButton(all, "butDown", u"▼", fw::mrNone, {57, 154, 47, 14});
  butDown->SetHint(u"Переместить ниже");
  butDown->OnClick = [this](fw::TObject*) { butMoveClick(false); };
  auto* edit = MakeGroup(this, u"Правка", {118, 4, 178, 174});
  edName = MakeAt<cs::TCsEdit>(edit, "edName", {6, 12, 166, 12});
  edName->SetText(u"");
  ParamGrid = MakeParamGrid(edit, {6, 28, 166, 60});
  MakeLabel(edit, u"y(x) =", {6, 94, 40, 10});
  Memo1 = MakeAt<cs::TCsMemo>(edit, "Memo1", {6, 106, 166, 44});
  Memo1->SetText("");
  butApply = MakeButton(edit, "butApply", u"Применить изменения", fw::mrNone, {6, 154, 166, 14});
  butApply->OnClick = [this](fw::TObject*) { butApplyClick(); };
  // The note over two lines: the labels do not wrap.
  MakeLabel(this, u"Используйте знак «МИНУС» вместо названия функции, чтобы создать", {4, 182, 180, 10});
  MakeLabel(this, u"РАЗДЕЛИТЕЛЬ в меню заготовок", {4, 194, 180, 10});
  auto* ok = MakeButton(this, "butOk", u"OK", fw::mrNone, {188, 196, 52, 14});
  ok->SetDefault(true);
  ok->OnClick = [this](fw::TObject*) { butOkClick(); };
  MakeButton(this, "butCancel", u"Отмена", fw::mrCancel, {244, 196, 52, 14})->SetCancel(true);

  std::vector<TExpressionTemplate> loaded;
  try {
    loaded = ReadExpressionTemplates(workspace::TPropSaver(ExpressionTemplatesSection, true));
  } catch (const std::exception& e) {
    // An unreadable file: the editor starts empty, and OK would not be able to write it either.
    fw::AppMessageBox(e.what(), win::MB_ICONERROR);
  }
  FWorkStore = std::make_unique<TTemplateList>(std::move(loaded));
  FillList(0);
  if (List1->Items()->Count() > 0) ShowTemplate(0);
}

TwndTemplateEdit::~TwndTemplateEdit() = default;

void TwndTemplateEdit::FillList(int Selected) {
  fw::TStrings* items = List1->Items();
  items->Clear();
  for (const TExpressionTemplate& t : FWorkStore->Items()) items->Add(t.Name);
  if (Selected >= 0 && Selected < items->Count()) List1->SetItemIndex(Selected);
}

void TwndTemplateEdit::ShowTemplate(int Index) {
  if (Index < 0 || Index >= int(FWorkStore->Items().size())) return;
  const TExpressionTemplate& t = FWorkStore->Items()[std::size_t(Index)];
  edName->SetText(win::Utf8ToWide(t.Name));
  ParamGrid->SetText(ParamsToLines(t.Params));
  Memo1->SetText(t.Formula);
}

void TwndTemplateEdit::List1Click() {
  FIsNew = false;
  ShowTemplate(List1->ItemIndex());
}

void TwndTemplateEdit::butNewClick() {
  edName->SetText(win::Utf8ToWide(kNewName));
  ParamGrid->SetText("");
  Memo1->SetText("");
  FIsNew = true;
}

void TwndTemplateEdit::butApplyClick() {
  const std::string name = win::WideToUtf8(edName->Text());
  const std::string params = LinesToParams(ParamGrid->Text());
  if (FIsNew) {
    const int index = FWorkStore->Add({0, name, params, Memo1->Text()});
    FIsNew = false;
    FillList(index);
    return;
  }
  const int index = List1->ItemIndex();
  if (index < 0) return;
  FWorkStore->Replace(index, name, params, Memo1->Text());
  FillList(index);
}

void TwndTemplateEdit::butDeleteClick() {
  const int index = List1->ItemIndex();
  if (index < 0) return;
  const std::string question = "Удалить шаблон \"" + FWorkStore->Items()[std::size_t(index)].Name + "\"?";
  if (fw::AppMessageBox(question, win::MB_YESNO | win::MB_ICONQUESTION) != win::IDYES) return;
  FIsNew = false;
  FWorkStore->Delete(index);
  FillList(0);
  ShowTemplate(0);
}

void TwndTemplateEdit::butMoveClick(bool Up) {
  const int index = List1->ItemIndex();
  if (!FWorkStore->Move(index, Up)) return;
  FillList(Up ? index - 1 : index + 1);
}

void TwndTemplateEdit::butOkClick() {
  fw::TCursor saved = fw::Screen->Cursor();
  fw::Screen->SetCursor(fw::crHourGlass);
  try {
    workspace::TPropSaver store(ExpressionTemplatesSection, true);
    WriteExpressionTemplates(store, FWorkStore->Items());
    workspace::WithFileErrors(workspace::TPropSaver::SettingsFileName(), workspace::faWrite,
                              [&] { store.UpdateFile(); });
  } catch (const std::exception& e) {
    fw::Screen->SetCursor(saved);
    // Nothing is lost: the dialog stays open with the edits.
    fw::AppMessageBox(e.what(), win::MB_ICONERROR);
    return;
  }
  fw::Screen->SetCursor(saved);
  SetModalResult(fw::mrOk);
}

bool EditExpressionTemplates() {
  auto window = std::make_unique<TwndTemplateEdit>(fw::Application);
  return window->ShowModal() == fw::mrOk;
}

}  // namespace analysis
