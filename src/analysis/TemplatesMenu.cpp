#include "analysis/TemplatesMenu.h"

#include <exception>
#include <memory>

#include "analysis/ExpressionTemplates.h"
#include "analysis/WinEnterText.h"
#include "framework/Dialogs.h"
#include "platform/controls/MessageBox.h"
#include "tx/TxItems.h"
#include "workspace/DataModule.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"

namespace analysis {

namespace {

constexpr int kEditImage = 32;
constexpr const char* kEditTitleTemplates = "Редактировать заготовки....";

// The edit item is the last, after its separator; the template items come before them.
bool HasEditItem(toolbars::TTBCustomItem* Parent) {
  return Parent->Count() >= 2 && dynamic_cast<tx::TTxSeparatorItem*>(Parent->Items(Parent->Count() - 2)) &&
         Parent->Items(Parent->Count() - 1)->ImageIndex() == kEditImage;
}

std::string LinesOf(const std::vector<std::string>& Templates) {
  std::string text;
  for (const std::string& t : Templates) text += t + "\r\n";
  return text;
}

std::vector<std::string> TemplatesOf(const std::string& Lines) {
  std::vector<std::string> templates;
  std::size_t start = 0;
  while (start < Lines.size()) {
    std::size_t end = Lines.find_first_of("\r\n", start);
    if (end == std::string::npos) end = Lines.size();
    if (end > start) templates.push_back(Lines.substr(start, end - start));
    start = end + 1;
  }
  return templates;
}

}  // namespace

void FillTemplateItems(toolbars::TTBCustomItem* Parent, const std::vector<TTemplateMenuEntry>& Entries,
                       const char* EditCaption, std::function<void()> OnEdit, std::function<void(int Tag)> OnTemplate) {
  fw::TComponent* owner = Parent->Owner() ? Parent->Owner() : Parent;
  if (!HasEditItem(Parent)) {
    Parent->Clear();
    Parent->Add(new tx::TTxSeparatorItem(owner));
    auto* edit = new tx::TTxItem(owner);
    edit->SetCaption(EditCaption);
    edit->SetImageIndex(kEditImage);
    if (workspace::DataModule1) edit->SetImages(workspace::DataModule1->MenuImages());
    Parent->Add(edit);
  }
  // The edit item is the one clicked when the templates change: it is never rebuilt.
  Parent->Items(Parent->Count() - 1)->OnClick = [OnEdit](fw::TObject*) {
    if (OnEdit) OnEdit();
  };
  while (Parent->Count() > 2) delete Parent->Items(0);
  fw::Integer at = 0;
  for (const TTemplateMenuEntry& entry : Entries) {
    toolbars::TTBCustomItem* item;
    if (entry.Caption == "-") {
      item = new tx::TTxSeparatorItem(owner);
    } else {
      item = new tx::TTxItem(owner);
      item->SetCaption(entry.Caption);
      item->SetTag(entry.Tag);
      const int tag = entry.Tag;
      item->OnClick = [OnTemplate, tag](fw::TObject*) {
        if (OnTemplate) OnTemplate(tag);
      };
    }
    Parent->Insert(at++, item);
  }
}

void FillTemplatesMenu(int Kind, toolbars::TTBCustomItem* Parent, std::function<void()> OnEdit,
                       std::function<void(const std::string&)> OnTemplate) {
  // One list shared by every item, each knowing its index: a copy per item would cost memory
  // with the square of the templates' number.
  auto templates = std::make_shared<const std::vector<std::string>>(ReadTitleTemplates(workspace::TPropSaver(true), Kind));
  std::vector<TTemplateMenuEntry> entries;
  for (std::size_t i = 0; i < templates->size(); ++i) entries.push_back({(*templates)[i], int(i)});
  FillTemplateItems(Parent, entries, kEditTitleTemplates, std::move(OnEdit),
                    [templates, OnTemplate = std::move(OnTemplate)](int Tag) {
                      if (OnTemplate && Tag >= 0 && Tag < int(templates->size())) OnTemplate((*templates)[std::size_t(Tag)]);
                    });
}

bool EditTemplates(int Kind) {
  if (!TitleTemplatesSection(Kind)) return false;
  workspace::TPropSaver store(true);
  fw::String text = LinesOf(ReadTitleTemplates(store, Kind));
  if (!EnterText("Заготовки", text, 2, 0)) return false;
  try {
    WriteTitleTemplates(store, Kind, TemplatesOf(text));
    workspace::WithFileErrors(workspace::TPropSaver::SettingsFileName(), workspace::faWrite,
                              [&] { store.UpdateFile(); });
  } catch (const std::exception& e) {
    fw::AppMessageBox(e.what(), win::MB_ICONERROR);
    return false;
  }
  return true;
}

}  // namespace analysis
