#pragma once
// Named formula templates kept in the settings file, section "EXPRESSION_TEMPLATES": for
// template N the keys "Template<N>" (its name; "-" makes a menu separator),
// "Template<N>Params" ("name=value;" pairs) and "Template<N>Formula" (line breaks stored in the
// settings store's one-line form). Also the title templates of kinds 1 (axis titles) and 2
// (chart titles), one text per "Template<N>" key of their own sections.

#include <string>
#include <string_view>
#include <vector>

namespace workspace {
class TPropSaver;
}

namespace analysis {

inline constexpr const char* ExpressionTemplatesSection = "EXPRESSION_TEMPLATES";

// True, with N, for a key whose first 8 characters are "template" in any case and whose rest is
// a whole number; "Template0Params" and "Template0Formula" are no template keys.
bool TemplateKeyNumber(std::string_view Key, int& N);

struct TExpressionTemplate {
  int N = 0;
  std::string Name;
  std::string Params;
  std::string Formula;
  bool IsSeparator() const;
};

// The templates of the store's section in the order of their name keys; names trimmed.
std::vector<TExpressionTemplate> ReadExpressionTemplates(const workspace::TPropSaver& Store);
// Replaces the section by Templates, renumbered 0, 1, ... in list order.
void WriteExpressionTemplates(workspace::TPropSaver& Store, const std::vector<TExpressionTemplate>& Templates);

// Title templates: kind 1 axis titles, kind 2 chart titles; other kinds have none.
const char* TitleTemplatesSection(int Kind);
std::vector<std::string> ReadTitleTemplates(const workspace::TPropSaver& Store, int Kind);
void WriteTitleTemplates(workspace::TPropSaver& Store, int Kind, const std::vector<std::string>& Templates);

// The working copy the template editor changes: the templates with their working numbers in
// list order; numbers stay unique within one use (a new one takes the largest plus one).
class TTemplateList {
 public:
  explicit TTemplateList(std::vector<TExpressionTemplate> Templates);
  const std::vector<TExpressionTemplate>& Items() const { return FItems; }
  // A new template at the end; its index.
  int Add(const TExpressionTemplate& Template);
  void Replace(int Index, const std::string& Name, const std::string& Params, const std::string& Formula);
  void Delete(int Index);
  // Exchanges item Index with its neighbour above (Up) or below; false at the list's end.
  bool Move(int Index, bool Up);

 private:
  std::vector<TExpressionTemplate> FItems;
  int FNextNumber = -1;
};

}  // namespace analysis
