#include "mainwindow/WorkspaceFile.h"

#include <array>
#include <memory>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "framework/StdCtrls.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/TextConvert.h"
#include "workspace/Common.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"

namespace workspace {

fw::String DefaultWorkspaceFileName() { return win::WideToUtf8(win::ModulePathWithExtension(u".def")); }

void SaveWorkspace(const fw::String& FileName, const chart::TCustomChart* Chart) {
  TPropSaver store(FileName, WorkspaceChartSection, false);
  // A workspace file holds this chart alone: nothing of a file saved there before is kept.
  store.SetText({});
  store.WriteChart(WorkspaceChartSection, Chart);
  WithFileErrors(FileName, faWrite, [&] { store.UpdateFile(); });
}

bool LoadWorkspace(const fw::String& FileName, chart::TCustomChart* Chart, const TWorkspaceTitles& Take) {
  if (!Chart) return false;
  std::unique_ptr<TPropSaver> loaded;
  WithFileErrors(FileName, faRead,
                 [&] { loaded = std::make_unique<TPropSaver>(FileName, WorkspaceChartSection, true); });
  TPropSaver& store = *loaded;
  // The texts the user keeps, put back after the file's formatting is in.
  const std::array<std::pair<chart::TChartTitle*, bool>, 4> titles{{{Chart->Title(), Take.Title},
                                                                     {Chart->SubTitle(), Take.SubTitle},
                                                                     {Chart->Foot(), Take.Foot},
                                                                     {Chart->SubFoot(), Take.SubFoot}}};
  std::array<fw::String, 4> texts;
  for (std::size_t i = 0; i < titles.size(); ++i) texts[i] = titles[i].first->Text();
  std::vector<fw::String> captions;
  for (chart::TChartAxis* axis : Chart->AxesList()) captions.push_back(axis->Title()->Caption());

  if (!store.ReadChart(WorkspaceChartSection, Chart)) return false;

  for (std::size_t i = 0; i < titles.size(); ++i)
    if (!titles[i].second) titles[i].first->SetText(texts[i]);
  if (!Take.AxisTitles)
    for (std::size_t i = 0; i < captions.size() && i < Chart->AxesList().size(); ++i)
      Chart->AxesList()[i]->Title()->SetCaption(captions[i]);
  return true;
}

namespace {

class TwndWorkspaceLoad : public fw::TForm {
 public:
  explicit TwndWorkspaceLoad(fw::TComponent* AOwner) : fw::TForm(AOwner) {
    SetName("wndWorkspaceLoad");
    SetCaption("Загрузка");
    SetBorderStyle(fw::bsDialog);
    SetPosition(fw::poMainFormCenter);
    SetBounds(0, 0, 300, 250);
    SetColor(GetThemeFormColor());
    auto* group = new fw::TGroupBox(this);
    group->SetParent(this);
    group->SetCaption("Загрузить также");
    group->SetBounds(8, 8, 276, 160);
    const char* names[] = {"Заголовок", "Подзаголовок", "Нижний заголовок", "Нижний подзаголовок", "Заголовки осей"};
    for (int i = 0; i < 5; ++i) {
      Boxes[i] = new fw::TCheckBox(this);
      Boxes[i]->SetParent(group);
      Boxes[i]->SetCaption(names[i]);
      Boxes[i]->SetBounds(12, 20 + 26 * i, 250, 22);
    }
    auto button = [this](const char* Caption, fw::TModalResult Result, int Left) {
      auto* b = new fw::TButton(this);
      b->SetParent(this);
      b->SetCaption(Caption);
      b->SetModalResult(Result);
      b->SetBounds(Left, 180, 90, 26);
      return b;
    };
    button("OK", fw::mrOk, 96)->SetDefault(true);
    button("Отмена", fw::mrCancel, 194)->SetCancel(true);
  }
  std::array<fw::TCheckBox*, 5> Boxes{};
};

}  // namespace

bool AskWorkspaceTitles(TWorkspaceTitles& Take) {
  std::unique_ptr<TwndWorkspaceLoad> dialog(new TwndWorkspaceLoad(fw::Application));
  if (dialog->ShowModal() != fw::mrOk) return false;
  Take.Title = dialog->Boxes[0]->Checked();
  Take.SubTitle = dialog->Boxes[1]->Checked();
  Take.Foot = dialog->Boxes[2]->Checked();
  Take.SubFoot = dialog->Boxes[3]->Checked();
  Take.AxisTitles = dialog->Boxes[4]->Checked();
  return true;
}

}  // namespace workspace
