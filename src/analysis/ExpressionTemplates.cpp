#include "analysis/ExpressionTemplates.h"

#include <algorithm>
#include <cctype>

#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "workspace/PropSaver.h"

namespace analysis {

namespace {

constexpr std::string_view kPrefix = "template";

std::string Key(int N, const char* Suffix = "") { return "Template" + std::to_string(N) + Suffix; }

// The template keys of Section with their numbers, in file order.
std::vector<std::pair<std::string, int>> TemplateKeys(const workspace::TPropSaver& Store, std::string_view Section) {
  fw::TStringList keys;
  Store.ReadSection(Section, &keys);
  std::vector<std::pair<std::string, int>> found;
  for (fw::Integer i = 0; i < keys.Count(); ++i) {
    int n = 0;
    if (TemplateKeyNumber(keys.Strings(i), n)) found.emplace_back(keys.Strings(i), n);
  }
  return found;
}

// Reads in Section, leaving the store's current section as it was.
class TInSection {
 public:
  TInSection(const workspace::TPropSaver& Store, std::string_view Section)
      : FStore(const_cast<workspace::TPropSaver&>(Store)), FSaved(Store.Section()) {
    FStore.SetSection(Section);
  }
  ~TInSection() { FStore.SetSection(FSaved); }

 private:
  workspace::TPropSaver& FStore;
  std::string FSaved;
};

}  // namespace

bool TemplateKeyNumber(std::string_view Key, int& N) {
  if (Key.size() <= kPrefix.size()) return false;
  for (std::size_t i = 0; i < kPrefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(Key[i])) != kPrefix[i]) return false;
  const std::string_view digits = Key.substr(kPrefix.size());
  if (digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  N = std::stoi(std::string(digits));
  return true;
}

bool TExpressionTemplate::IsSeparator() const { return Name == "-"; }

std::vector<TExpressionTemplate> ReadExpressionTemplates(const workspace::TPropSaver& Store) {
  std::vector<TExpressionTemplate> templates;
  TInSection in(Store, ExpressionTemplatesSection);
  for (const auto& [key, n] : TemplateKeys(Store, ExpressionTemplatesSection)) {
    TExpressionTemplate t;
    t.N = n;
    t.Name = fw::Trim(Store.ReadString(key, ""));
    t.Params = Store.ReadString(key + "Params", "");
    t.Formula = Store.ReadMultiLine(key + "Formula", "");
    templates.push_back(std::move(t));
  }
  return templates;
}

void WriteExpressionTemplates(workspace::TPropSaver& Store, const std::vector<TExpressionTemplate>& Templates) {
  Store.EraseSection(ExpressionTemplatesSection);
  TInSection in(Store, ExpressionTemplatesSection);
  for (std::size_t i = 0; i < Templates.size(); ++i) {
    const int n = int(i);
    Store.WriteString(Key(n), Templates[i].Name);
    Store.WriteString(Key(n, "Params"), Templates[i].Params);
    Store.WriteMultiLine(Key(n, "Formula"), Templates[i].Formula);
  }
}

const char* TitleTemplatesSection(int Kind) {
  switch (Kind) {
    case 1: return "AXIS_TITLE_TEMPLATES";
    case 2: return "TITLE_TEMPLATES";
    default: return nullptr;
  }
}

std::vector<std::string> ReadTitleTemplates(const workspace::TPropSaver& Store, int Kind) {
  std::vector<std::string> templates;
  const char* section = TitleTemplatesSection(Kind);
  if (!section) return templates;
  TInSection in(Store, section);
  for (const auto& [key, n] : TemplateKeys(Store, section)) templates.push_back(Store.ReadMultiLine(key, ""));
  return templates;
}

void WriteTitleTemplates(workspace::TPropSaver& Store, int Kind, const std::vector<std::string>& Templates) {
  const char* section = TitleTemplatesSection(Kind);
  if (!section) return;
  Store.EraseSection(section);
  TInSection in(Store, section);
  for (std::size_t i = 0; i < Templates.size(); ++i) Store.WriteMultiLine(Key(int(i)), Templates[i]);
}

TTemplateList::TTemplateList(std::vector<TExpressionTemplate> Templates) : FItems(std::move(Templates)) {
  // A hand-edited file may skip numbers: a new template must not take one that is loaded.
  for (const TExpressionTemplate& t : FItems) FNextNumber = std::max(FNextNumber, t.N);
}

int TTemplateList::Add(const TExpressionTemplate& Template) {
  TExpressionTemplate t = Template;
  t.N = ++FNextNumber;
  FItems.push_back(std::move(t));
  return int(FItems.size()) - 1;
}

void TTemplateList::Replace(int Index, const std::string& Name, const std::string& Params, const std::string& Formula) {
  if (Index < 0 || Index >= int(FItems.size())) return;
  TExpressionTemplate& t = FItems[std::size_t(Index)];
  t.Name = Name;
  t.Params = Params;
  t.Formula = Formula;
}

void TTemplateList::Delete(int Index) {
  if (Index >= 0 && Index < int(FItems.size())) FItems.erase(FItems.begin() + Index);
}

bool TTemplateList::Move(int Index, bool Up) {
  const int other = Up ? Index - 1 : Index + 1;
  if (Index < 0 || Index >= int(FItems.size()) || other < 0 || other >= int(FItems.size())) return false;
  std::swap(FItems[std::size_t(Index)], FItems[std::size_t(other)]);
  return true;
}

}  // namespace analysis
