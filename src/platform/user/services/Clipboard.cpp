#include "platform/user/services/Clipboard.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/ClipboardBuiltinRules.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/services/ClipboardMirror.h"
#include "platform/user/services/ClipboardSynthesis.h"
#include "platform/user/services/SysWindowLink.h"

namespace win {
namespace {

struct Rule {
  UINT target;
  UINT source;
  ClipboardRender render;
};

struct Entry {
  UINT format = 0;
  HANDLE data = nullptr;     // null for a derived format not made yet
  bool derived = false;
  UINT source = 0;           // derived formats: the placed format they come from
  ClipboardRender render;
};

struct State {
  std::mutex mutex;
  bool open = false;
  std::thread::id openThread;
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::vector<Entry> entries;  // in the order placed; derived ones follow
  DWORD sequence = 1;
  DWORD sequenceAtOpen = 0;
  ClipboardMirror* mirror = nullptr;
};

State& TheState() {
  static State s;
  return s;
}

struct Extensions {
  std::mutex mutex;
  std::map<UINT, ClipboardFormatHandler> handlers;
  std::vector<Rule> rules;
};

Extensions& TheExtensions() {
  static Extensions e;
  return e;
}

void EnsureBuiltInRules() {
  static std::once_flag once;
  std::call_once(once, [] {
    AddTextClipboardRules();
    AddBitmapClipboardRules();
    AddMetafileClipboardRules();
  });
}

bool IsPrivateFormat(UINT f) { return (f >= CF_PRIVATEFIRST && f <= CF_PRIVATELAST) || f == CF_OWNERDISPLAY; }

bool HandleValid(UINT format, HANDLE h) {
  if (IsPrivateFormat(format)) return true;
  auto& e = TheExtensions();
  std::lock_guard lock(e.mutex);
  auto it = e.handlers.find(format);
  if (it != e.handlers.end() && it->second.isValid) return it->second.isValid(h);
  return IsGlobalBlock(static_cast<HGLOBAL>(h));
}

void Release(UINT format, HANDLE h) {
  if (!h || IsPrivateFormat(format)) return;
  std::function<void(HANDLE)> release;
  {
    auto& e = TheExtensions();
    std::lock_guard lock(e.mutex);
    auto it = e.handlers.find(format);
    if (it != e.handlers.end()) release = it->second.release;
  }
  if (release)
    release(h);
  else
    GlobalFree(static_cast<HGLOBAL>(h));
}

using Garbage = std::vector<std::pair<UINT, HANDLE>>;

void ReleaseAll(const Garbage& garbage) {
  for (const auto& [format, h] : garbage) Release(format, h);
}

bool OpenedByCaller(const State& s) { return s.open && s.openThread == std::this_thread::get_id(); }

Entry* FindEntry(State& s, UINT format) {
  for (auto& e : s.entries)
    if (e.format == format) return &e;
  return nullptr;
}

// Drops the derived formats (their made data goes to `garbage`).
void DropDerived(State& s, Garbage& garbage) {
  for (auto& e : s.entries)
    if (e.derived && e.data) garbage.emplace_back(e.format, e.data);
  std::erase_if(s.entries, [](const Entry& e) { return e.derived; });
}

HGLOBAL LocaleBlock(LCID lcid) { return GlobalAllocCopy(&lcid, sizeof(lcid)); }

bool HasText(const State& s) {
  return std::any_of(s.entries.begin(), s.entries.end(), [](const Entry& e) {
    return e.format == CF_TEXT || e.format == CF_OEMTEXT || e.format == CF_UNICODETEXT;
  });
}

// What Windows adds on closing: CF_LOCALE for text placed without one, then every format a rule
// can make from a placed format.
void Derive(State& s) {
  if (HasText(s) && !FindEntry(s, CF_LOCALE)) {
    if (HGLOBAL h = LocaleBlock(ClipboardInputLocale())) s.entries.push_back(Entry{CF_LOCALE, h, false, 0, {}});
  }
  std::vector<Rule> rules;
  {
    auto& e = TheExtensions();
    std::lock_guard lock(e.mutex);
    rules = e.rules;
  }
  size_t placed = s.entries.size();
  for (const auto& rule : rules) {
    if (FindEntry(s, rule.target)) continue;
    for (size_t i = 0; i < placed; ++i) {
      if (s.entries[i].format == rule.source) {
        s.entries.push_back(Entry{rule.target, nullptr, true, rule.source, rule.render});
        break;
      }
    }
  }
}

LCID LocaleOf(State& s) {
  Entry* e = FindEntry(s, CF_LOCALE);
  if (!e || !e->data || GlobalSize(static_cast<HGLOBAL>(e->data)) < sizeof(LCID)) return 0;
  LCID lcid = 0;
  if (auto* p = static_cast<const LCID*>(GlobalLock(static_cast<HGLOBAL>(e->data)))) {
    lcid = *p;
    GlobalUnlock(static_cast<HGLOBAL>(e->data));
  }
  return lcid;
}

std::optional<std::string> TextOf(HANDLE h) {
  auto* block = static_cast<HGLOBAL>(h);
  size_t bytes = GlobalSize(block);
  auto* p = static_cast<const char16_t*>(GlobalLock(block));
  if (!p) return std::nullopt;
  std::u16string_view text(p, bytes / sizeof(char16_t));
  text = text.substr(0, text.find(u'\0'));
  std::string utf8 = WideToUtf8(text);
  GlobalUnlock(block);
  return utf8;
}

// Our text as the mirror sees it: CF_UNICODETEXT, placed or made. Clipboard closed, lock held.
std::optional<std::string> CurrentText(State& s) {
  Entry* e = FindEntry(s, CF_UNICODETEXT);
  if (!e) return std::nullopt;
  if (!e->data && e->derived) {
    Entry* src = FindEntry(s, e->source);
    if (src && src->data) e->data = e->render(src->data, LocaleOf(s));
  }
  if (!e->data) return std::nullopt;
  return TextOf(e->data);
}

}  // namespace

void SetClipboardFormatHandler(UINT format, ClipboardFormatHandler handler) {
  auto& e = TheExtensions();
  std::lock_guard lock(e.mutex);
  e.handlers[format] = std::move(handler);
}

void AddClipboardSynthesis(UINT target, UINT source, ClipboardRender render) {
  auto& e = TheExtensions();
  std::lock_guard lock(e.mutex);
  e.rules.push_back(Rule{target, source, std::move(render)});
}

BOOL OpenClipboard(HWND hWndNewOwner) {
  EnsureBuiltInRules();
  if (hWndNewOwner && !LinkIsWindow(hWndNewOwner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  if (s.open) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  s.open = true;
  s.openThread = std::this_thread::get_id();
  s.openWindow = hWndNewOwner;
  s.sequenceAtOpen = s.sequence;
  return TRUE;
}

BOOL CloseClipboard() {
  auto& s = TheState();
  Garbage garbage;
  ClipboardMirror* mirror = nullptr;
  std::optional<std::string> text;
  {
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s)) {
      SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
      return FALSE;
    }
    s.open = false;
    s.openWindow = nullptr;
    if (s.sequence != s.sequenceAtOpen) {
      DropDerived(s, garbage);
      Derive(s);
      mirror = s.mirror;
      if (mirror) text = CurrentText(s);
    }
  }
  ReleaseAll(garbage);
  if (mirror) mirror->OurClipboardChanged(text);
  return TRUE;
}

BOOL EmptyClipboard() {
  auto& s = TheState();
  Garbage garbage;
  {
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s)) {
      SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
      return FALSE;
    }
    for (auto& e : s.entries)
      if (e.data) garbage.emplace_back(e.format, e.data);
    s.entries.clear();
    s.owner = s.openWindow;
    ++s.sequence;
  }
  ReleaseAll(garbage);
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
  if (uFormat == 0 || !hMem || !HandleValid(uFormat, hMem)) {
    SetLastError(hMem ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& s = TheState();
  Garbage garbage;
  {
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s)) {
      SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
      return nullptr;
    }
    if (Entry* e = FindEntry(s, uFormat)) {
      if (e->data && e->data != hMem) garbage.emplace_back(uFormat, e->data);
      e->data = hMem;
      e->derived = false;
      e->render = nullptr;
    } else {
      s.entries.push_back(Entry{uFormat, hMem, false, 0, {}});
    }
    ++s.sequence;
  }
  ReleaseAll(garbage);
  return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
  auto& s = TheState();
  HANDLE source = nullptr;
  ClipboardRender render;
  LCID locale = 0;
  {
    std::lock_guard lock(s.mutex);
    if (!OpenedByCaller(s)) {
      SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
      return nullptr;
    }
    Entry* e = FindEntry(s, uFormat);
    if (!e) return nullptr;
    if (e->data || !e->derived) return e->data;
    Entry* src = FindEntry(s, e->source);
    if (!src || !src->data) return nullptr;
    source = src->data;
    render = e->render;
    locale = LocaleOf(s);
  }
  // Made outside the lock: the contents cannot change meanwhile, since only this thread, which
  // has the clipboard open, may change them.
  HANDLE made = render(source, locale);
  std::lock_guard lock(s.mutex);
  Entry* e = FindEntry(s, uFormat);
  if (e && !e->data) e->data = made;
  return made;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  return FindEntry(s, format) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  return int(s.entries.size());
}

UINT EnumClipboardFormats(UINT format) {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  if (!OpenedByCaller(s)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return 0;
  }
  SetLastError(ERROR_SUCCESS);
  if (format == 0) return s.entries.empty() ? 0 : s.entries.front().format;
  for (size_t i = 0; i + 1 < s.entries.size(); ++i)
    if (s.entries[i].format == format) return s.entries[i + 1].format;
  return 0;
}

HWND GetClipboardOwner() {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  return s.owner;
}

HWND GetOpenClipboardWindow() {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  return s.open ? s.openWindow : nullptr;
}

DWORD GetClipboardSequenceNumber() {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  return s.sequence;
}

void ResetClipboard() {
  auto& s = TheState();
  Garbage garbage;
  {
    std::lock_guard lock(s.mutex);
    for (auto& e : s.entries)
      if (e.data) garbage.emplace_back(e.format, e.data);
    s.entries.clear();
    s.open = false;
    s.openWindow = nullptr;
    s.owner = nullptr;
    ++s.sequence;
  }
  ReleaseAll(garbage);
}

ClipboardMirror* SetClipboardMirror(ClipboardMirror* mirror) {
  auto& s = TheState();
  std::lock_guard lock(s.mutex);
  return std::exchange(s.mirror, mirror);
}

BOOL TakeDesktopClipboardText(std::string_view utf8) {
  EnsureBuiltInRules();
  std::u16string wide = Utf8ToWide(utf8);
  auto& s = TheState();
  Garbage garbage;
  {
    std::lock_guard lock(s.mutex);
    if (s.open) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (CurrentText(s) == std::optional<std::string>(WideToUtf8(wide))) return TRUE;
    HGLOBAL block = GlobalAllocCopy(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    if (!block) return FALSE;
    for (auto& e : s.entries)
      if (e.data) garbage.emplace_back(e.format, e.data);
    s.entries.clear();
    s.owner = nullptr;
    s.entries.push_back(Entry{CF_UNICODETEXT, block, false, 0, {}});
    ++s.sequence;
    Derive(s);
  }
  ReleaseAll(garbage);
  return TRUE;
}

}  // namespace win
