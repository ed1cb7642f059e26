#pragma once
// Template submenus on the themed toolbar items: the expression templates of the y = f(x)
// dialog and the title templates of kinds 1 (axis titles) and 2 (chart titles). Each submenu
// holds one item per template (a template named "-" is a separator), then a separator and the
// item that edits the templates, which stays while the template items are rebuilt.

#include <functional>
#include <string>
#include <vector>

#include "framework/ClassesTypes.h"

namespace toolbars {
class TTBCustomItem;
}

namespace analysis {

struct TTemplateMenuEntry {
  std::string Caption;  // "-" for a separator
  int Tag = 0;
};

// Rebuilds Parent's template items from Entries; the edit item (EditCaption, menu image 32)
// is made at the end the first time and kept afterwards.
void FillTemplateItems(toolbars::TTBCustomItem* Parent, const std::vector<TTemplateMenuEntry>& Entries,
                       const char* EditCaption, std::function<void()> OnEdit, std::function<void(int Tag)> OnTemplate);

// The title templates of Kind (1 or 2) from the settings file into Parent; choosing one passes
// its text to OnTemplate, the last item calls OnEdit.
void FillTemplatesMenu(int Kind, toolbars::TTBCustomItem* Parent, std::function<void()> OnEdit,
                       std::function<void(const std::string&)> OnTemplate);
// Edits the title templates of Kind, one per line, and saves them; true on OK with the file
// written.
bool EditTemplates(int Kind);

}  // namespace analysis
