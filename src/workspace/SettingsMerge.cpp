#include "workspace/SettingsMerge.h"

#include <algorithm>
#include <optional>

#include "framework/StringList.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

bool Contains(const std::vector<fw::String>& Names, const fw::String& Name) {
  return std::find(Names.begin(), Names.end(), Name) != Names.end();
}

// The names a run put on top of its list: a list only gains names at the top and loses them at
// the bottom, so what follows them is what was there at the start, in the same order.
std::vector<fw::String> PutOnTop(const std::vector<fw::String>& AtStart, const std::vector<fw::String>& Now) {
  std::size_t top = Now.size();
  // The longest tail of Now that runs through AtStart in order.
  std::size_t from = AtStart.size();
  while (top > 0) {
    std::size_t at = from;
    while (at > 0 && AtStart[at - 1] != Now[top - 1]) --at;
    if (at == 0) break;
    from = at - 1;
    --top;
  }
  return std::vector<fw::String>(Now.begin(), Now.begin() + std::ptrdiff_t(top));
}

}  // namespace

std::unique_ptr<TPropSaver> ValuesAsRead(const TPropSaver& File, const TPropSaver& Keys) {
  auto kept = TPropSaver::FromStrings(nullptr, Keys.Section());
  fw::TStringList sections, names;
  Keys.ReadSections(&sections);
  for (fw::Integer s = 0; s < sections.Count(); ++s) {
    const fw::String section = sections.Strings(s);
    Keys.ReadSection(section, &names);
    kept->SetSection(section);
    for (fw::Integer i = 0; i < names.Count(); ++i)
      if (const std::optional<fw::String> value = File.ValueIn(section, names.Strings(i)))
        kept->WriteString(names.Strings(i), *value);
  }
  kept->SetSection(Keys.Section());
  return kept;
}

void WriteChangesSince(const TPropSaver& AsRead, const TPropSaver& Before, const TPropSaver& Now,
                       TPropSaver& Target) {
  fw::TStringList sections, lines;
  Now.ReadSections(&sections);
  const fw::String current = Target.Section();
  for (fw::Integer s = 0; s < sections.Count(); ++s) {
    const fw::String section = sections.Strings(s);
    Now.ReadSectionValues(section, &lines);
    Target.SetSection(section);
    for (fw::Integer i = 0; i < lines.Count(); ++i) {
      const fw::String name = lines.Names(i);
      const std::optional<fw::String> value = Now.ValueIn(section, name), read = AsRead.ValueIn(section, name);
      const bool changedHere = Before.ValueIn(section, name) != value;
      const bool repairedHere = read != value && Target.ValueIn(section, name) == read;
      if (changedHere || repairedHere) Target.WriteString(name, *value);
    }
  }
  Target.SetSection(current);
}

std::vector<fw::String> MergeRecentNames(const std::vector<fw::String>& AtStart, const std::vector<fw::String>& Now,
                                         const std::vector<fw::String>& OnDisk, std::size_t Most) {
  std::vector<fw::String> merged = PutOnTop(AtStart, Now);
  for (const fw::String& name : OnDisk) {
    const bool removedHere = Contains(AtStart, name) && !Contains(Now, name);
    if (!removedHere && !Contains(merged, name)) merged.push_back(name);
  }
  if (merged.size() > Most) merged.resize(Most);
  return merged;
}

}  // namespace workspace
