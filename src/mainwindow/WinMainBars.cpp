// The main window's menu bar, toolbars and the settings they keep: what each menu and toolbar
// holds, the pictures, the recent files and the toolbar layout.

#include <exception>
#include <memory>
#include <vector>

#include "controls/CsThemeMenu.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "mainwindow/GraphToolbar.h"
#include "mainwindow/MainWindowBars.h"
#include "mainwindow/ToolbarLayout.h"
#include "mainwindow/WinMain.h"
#include "tx/Tx.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsMerge.h"

namespace workspace {

namespace {

constexpr const char* kRecentFilesKey = "RecentFiles";
constexpr const char* kRecentFilesLengthKey = "RecentFilesLength";
// "&1" .. "&9", "&A" .. "&Z": the accelerators the list can number.
constexpr fw::Integer kRecentFilesMost = 35;
constexpr fw::Integer kRecentFilesDefault = 4;

}  // namespace

void TwndKorvalinMain::BuildMenu() {
  TMainWindowBars& bars = *FBars;
  bars.AddMenuBar();
  toolbars::TTBCustomItem* file = bars.AddMenu("Файл", {FOpen, FSaveAs, FPrint, nullptr, nullptr, FExit});
  // The recent files between the two separators, before Exit.
  bars.AddRecentFiles(file, 4)->OnClick = [this](fw::TObject*, const fw::String& Name) {
    try {
      OpenFileNames({Name});
    } catch (const std::exception& e) {
      fw::Application->ShowException(e);
    }
  };
  bars.AddMenu("Правка", {FUndo, nullptr, FCopy, FPaste, FDelete});
  bars.AddMenu("Анализ", {FDerivative, FDerivative2});
  toolbars::TTBCustomItem* view = bars.AddMenu(
      "Вид", {FShowData, FShowHintValues, nullptr, FTitleFormat, FLegendFormat, FAxisXFormat, FAxisYFormat,
              FFrameFormat, FLineProp, nullptr});
  bars.AddMenu("Операции", OperationsMenuActions());

  bars.AddToolbar("StandardToolbar", "Стандартная", toolbars::dpTop, 1,
                  {FOpen, FSaveAs, FPrint, nullptr, FUndo, nullptr, FCopy, FPaste, FDelete});
  FGraphBar = std::make_unique<TGraphToolbar>(bars, 1);
  bars.AddToolbar("AnalysisToolbar", "Анализ", toolbars::dpBottom, 0,
                  {FDerivative, FDerivative2, nullptr, FNormalize, FOffset, FTrim});
  // A row of its own: its buttons show captions, and next to the analysis toolbar they would
  // leave that one a single button and its chevron at the window's first size.
  bars.AddToolbar("FormatToolbar", "Формат", toolbars::dpBottom, 1,
                  {FTitleFormat, FLegendFormat, FAxisXFormat, FAxisYFormat, FFrameFormat, FLineProp});
  bars.AddToolbarToggles(bars.AddMenu("Панели инструментов", {}, view));
  BuildThemeMenu(view);
  bars.OnFloatingShortCut = [this](fw::TShortCut Key) { return RunShortCut(Key); };
  bars.KeepDocksAtTheEdges();
}

void TwndKorvalinMain::BuildThemeMenu(toolbars::TTBCustomItem* Parent) {
  auto* menu = new TBarSubmenu(this);
  menu->SetName("ThemeMenu");
  menu->SetCaption("Тема оформления");
  Parent->Add(menu);
  FThemeItems = new cs::TCsThemeGroupItem(this);
  menu->Add(FThemeItems);
  // A theme made current elsewhere (the settings at start) is checked when the menu opens.
  menu->OnPopup = [this](toolbars::TTBCustomItem*, bool) {
    const fw::Integer current = FThemeItems->Strings()->IndexOf(tx::GetCurrentThemeName());
    if (current < 0 || !FThemeItems->Items(current)->Checked()) FThemeItems->Recreate();
  };
  FThemeMenu = menu;
}

bool TwndKorvalinMain::RunShortCut(fw::TShortCut Key) {
  const fw::String name = FShortCuts.ActionFor(Key);
  auto* action = name.empty() ? nullptr : dynamic_cast<fw::TAction*>(FindComponent(name));
  if (!action) return false;
  if (action->Enabled()) action->Execute();
  return true;
}

void TwndKorvalinMain::ShowImages() {
  const std::pair<fw::TAction*, TCommandImage> images[] = {
      {FOpen, imgOpen},     {FPaste, imgPaste}, {FCopy, imgCopy},
      {FDelete, imgDelete}, {FUndo, imgUndo},   {FExit, imgExit},
      {FDerivative, imgDerivative}, {FDerivative2, imgDerivative2}, {FSaveAs, imgSaveAs}, {FPrint, imgPrint}};
  for (const auto& [action, image] : images) action->SetImageIndex(image);
  // Without the data module (windows made alone, as tests do) the bars simply have no pictures.
  if (!DataModule1) return;
  FActions->SetImages(DataModule1->SmallImages());
  FBars->SetImages(DataModule1->MenuImages(), DataModule1->SmallImages());
  for (auto& [item, action] : FMenuActions) item->SetImageIndex(action->ImageIndex());
  RefreshMenu();
}

fw::String TwndKorvalinMain::WithShortCut(const fw::String& Caption, const fw::TAction* Action) const {
  if (fw::TShortCut key = FShortCuts.FirstBinding(Action->Name()))
    return Caption + "\t" + fw::ShortCutToText(key);
  return Caption;
}

void TwndKorvalinMain::RefreshMenu() {
  FBars->Refresh([this](const fw::TAction* Action) {
    const fw::TShortCut key = FShortCuts.FirstBinding(Action->Name());
    return key ? fw::ShortCutToText(key) : fw::String();
  });
  for (auto& [item, action] : FMenuActions) {
    item->SetCaption(WithShortCut(action->Caption(), action));
    item->SetEnabled(action->Enabled());
    item->SetChecked(action->Checked());
  }
  if (FGraphBar) {
    FGraphBar->SetGraphs(FGraphs.get());
    FGraphBar->Follow();
  }
}

toolbars::TTBCustomItem* TwndKorvalinMain::MenuItemOf(const fw::TAction* Action) const {
  return FBars->MenuItemOf(Action);
}

namespace {

// The recent files a store holds, most recent first, as their bytes: one not in UTF-8 must still
// name its file. A damaged count (more than the list can number, or no number) does not cost the
// list: the names there are taken, as many as the list can hold.
std::vector<fw::String> StoredRecentFiles(const TPropSaver& Store) {
  const fw::String key = kRecentFilesKey;
  fw::Integer stored = Store.ReadInteger(key + "Count", -1);
  if (stored < 0 || stored > kRecentFilesMost) stored = kRecentFilesMost;
  std::vector<fw::String> names;
  for (fw::Integer i = 0; i < stored; ++i) {
    const fw::String name = Store.ReadFileName(key + fw::IntToStr(i), "");
    if (!fw::Trim(name).empty()) names.push_back(name);
  }
  return names;
}

std::vector<fw::String> NamesOf(const fw::TStrings* Items) {
  std::vector<fw::String> names;
  for (fw::Integer i = 0; i < Items->Count(); ++i) names.push_back(Items->Strings(i));
  return names;
}

}  // namespace

void TwndKorvalinMain::LoadBarSettings(TPropSaver& Store) {
  TBarRecentList* recent = FBars->RecentFiles();
  recent->SetMaxItems(Store.ReadInteger(kRecentFilesLengthKey, 0, kRecentFilesMost, kRecentFilesDefault));
  const std::vector<fw::String> names = StoredRecentFiles(Store);
  // Stored most recent first; adding puts each on top, so the oldest goes first.
  for (auto it = names.rbegin(); it != names.rend(); ++it) recent->Add(*it);
  FRecentAtStart = NamesOf(recent->Items());
  LoadToolbarLayout(Store, FBars->DockableWindows(), FBars->Docks());
  FThemeItems->Recreate();
}

void TwndKorvalinMain::SaveBarSettings(TPropSaver& Store) const {
  Store.WriteInteger(kRecentFilesLengthKey, FBars->RecentFiles()->MaxItems());
  SaveToolbarLayout(Store, FBars->DockableWindows());
}

void TwndKorvalinMain::SaveRecentFiles(TPropSaver& Store) const {
  const TBarRecentList* recent = FBars->RecentFiles();
  const std::vector<fw::String> merged = MergeRecentNames(FRecentAtStart, NamesOf(recent->Items()),
                                                          StoredRecentFiles(Store), std::size_t(recent->MaxItems()));
  fw::TStringList items;
  for (const fw::String& name : merged) items.Add(name);
  Store.WriteStrings(kRecentFilesKey, &items);
}

void TwndKorvalinMain::RememberRecentFiles(const std::vector<fw::String>& FileNames) {
  for (const fw::String& name : FileNames)
    if (fw::FileExists(name)) FBars->RecentFiles()->Add(name);
}

}  // namespace workspace
