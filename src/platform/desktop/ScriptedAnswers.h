#pragma once
// Scripted answers for dialogs and message boxes. A test queues answers by kind ("MessageBox",
// "OpenDialog", "SaveDialog", "ColorDialog" ...); a modal loop of a later layer takes the next
// answer of its kind instead of waiting for a user, and shows itself normally when none is queued.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win::desktop {

struct ScriptedAnswer {
  int result = 0;                     // IDOK, IDYES, IDCANCEL ... or a dialog's own code
  std::vector<std::u16string> texts;  // chosen file names, typed text ...
  unsigned value = 0;                 // a chosen colour, filter index ...
};

void PushScriptedAnswer(std::string_view kind, ScriptedAnswer answer);
// The oldest queued answer of `kind`, removed from the queue; none when nothing is queued.
std::optional<ScriptedAnswer> TakeScriptedAnswer(std::string_view kind);
std::size_t PendingScriptedAnswers();
void ClearScriptedAnswers();

}  // namespace win::desktop
