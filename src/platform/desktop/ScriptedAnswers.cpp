// The queue of scripted answers.

#include "platform/desktop/ScriptedAnswers.h"

#include <deque>
#include <mutex>

namespace win::desktop {
namespace {
struct Entry {
  std::string kind;
  ScriptedAnswer answer;
};
std::mutex g_m;
std::deque<Entry>& Queue() {
  static std::deque<Entry> q;
  return q;
}
}  // namespace

void PushScriptedAnswer(std::string_view kind, ScriptedAnswer answer) {
  std::lock_guard lock(g_m);
  Queue().push_back(Entry{std::string(kind), std::move(answer)});
}

std::optional<ScriptedAnswer> TakeScriptedAnswer(std::string_view kind) {
  std::lock_guard lock(g_m);
  auto& q = Queue();
  for (auto it = q.begin(); it != q.end(); ++it)
    if (it->kind == kind) {
      ScriptedAnswer a = std::move(it->answer);
      q.erase(it);
      return a;
    }
  return std::nullopt;
}

std::size_t PendingScriptedAnswers() {
  std::lock_guard lock(g_m);
  return Queue().size();
}

void ClearScriptedAnswers() {
  std::lock_guard lock(g_m);
  Queue().clear();
}

}  // namespace win::desktop
