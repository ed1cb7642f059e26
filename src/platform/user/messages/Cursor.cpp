#include "platform/user/messages/Cursor.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Rects.h"
#include "platform/user/services/MonitorLayout.h"

namespace win {
namespace {

constexpr int kSystemCursorIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                    32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
constexpr uintptr_t kCursorTag = 0x5;

struct CursorRecord {
  int shapeId = 0;
  bool system = false;
  CursorImage image;
};

struct CursorState {
  std::mutex mutex;
  std::vector<CursorRecord> cursors;  // handle = (index + 1) << 4 | tag; never removed
  HCURSOR current = nullptr;
  int displayCount = 0;
  std::optional<RECT> clip;
  std::function<void(HCURSOR, bool)> listener;
  bool initialised = false;
};

HCURSOR HandleOf(size_t index) { return reinterpret_cast<HCURSOR>(((uintptr_t(index) + 1) << 4) | kCursorTag); }

CursorRecord* Find(CursorState& s, HCURSOR h) {
  auto v = reinterpret_cast<uintptr_t>(h);
  if ((v & 0xF) != kCursorTag) return nullptr;
  size_t index = (v >> 4) - 1;
  return (v >> 4) && index < s.cursors.size() ? &s.cursors[index] : nullptr;
}

HCURSOR FindByShape(CursorState& s, int shapeId, bool system) {
  for (size_t i = 0; i < s.cursors.size(); ++i)
    if (s.cursors[i].shapeId == shapeId && s.cursors[i].system == system) return HandleOf(i);
  return nullptr;
}

// The system cursors exist from the start, the arrow current, as on a fresh desktop.
CursorState& State() {
  static CursorState s;
  std::lock_guard lock(s.mutex);
  if (!s.initialised) {
    for (int id : kSystemCursorIds) s.cursors.push_back(CursorRecord{id, true, {}});
    s.current = HandleOf(0);
    s.initialised = true;
  }
  return s;
}

bool IsIntegerName(LPCWSTR name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

// Calls the listener outside the lock, so it may ask about cursors.
void Notify(std::function<void(HCURSOR, bool)> listener, HCURSOR current, bool visible) {
  if (listener) listener(current, visible);
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  HCURSOR h = nullptr;
  if (IsIntegerName(lpCursorName))
    h = FindByShape(s, int(reinterpret_cast<uintptr_t>(lpCursorName)), hInstance == nullptr);
  if (!h) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return h;
}

BOOL DestroyCursor(HCURSOR hCursor) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  if (!Find(s, hCursor)) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return FALSE;
  }
  return TRUE;
}

HCURSOR SetCursor(HCURSOR hCursor) {
  auto& s = State();
  std::function<void(HCURSOR, bool)> listener;
  HCURSOR previous;
  bool visible;
  {
    std::lock_guard lock(s.mutex);
    if (hCursor && !Find(s, hCursor)) {
      SetLastError(ERROR_INVALID_CURSOR_HANDLE);
      return nullptr;
    }
    previous = s.current;
    if (previous == hCursor) return previous;
    s.current = hCursor;
    listener = s.listener;
    visible = s.displayCount >= 0;
  }
  Notify(listener, hCursor, visible);
  return previous;
}

HCURSOR GetCursor() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.current;
}

int ShowCursor(BOOL bShow) {
  auto& s = State();
  std::function<void(HCURSOR, bool)> listener;
  HCURSOR current;
  int count;
  bool changed;
  {
    std::lock_guard lock(s.mutex);
    bool before = s.displayCount >= 0;
    s.displayCount += bShow ? 1 : -1;
    count = s.displayCount;
    changed = before != (count >= 0);
    listener = s.listener;
    current = s.current;
  }
  if (changed) Notify(listener, current, count >= 0);
  return count;
}

BOOL ClipCursor(const RECT* lpRect) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  if (!lpRect) {
    s.clip.reset();
    return TRUE;
  }
  RECT screen = VirtualScreenRect(), r;
  if (!IntersectRect(&r, lpRect, &screen)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  s.clip = r;
  return TRUE;
}

BOOL GetClipCursor(RECT* lpRect) {
  if (!lpRect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& s = State();
  std::lock_guard lock(s.mutex);
  *lpRect = s.clip ? *s.clip : VirtualScreenRect();
  return TRUE;
}

POINT ClampToCursorClip(POINT pt) {
  RECT r;
  GetClipCursor(&r);
  return POINT{std::clamp(pt.x, r.left, r.right - 1), std::clamp(pt.y, r.top, r.bottom - 1)};
}

void RegisterCursorResource(WORD id, CursorImage image) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  if (CursorRecord* existing = Find(s, FindByShape(s, id, false))) {
    existing->image = std::move(image);
    return;
  }
  s.cursors.push_back(CursorRecord{id, false, std::move(image)});
}

int CursorShapeId(HCURSOR hCursor) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  CursorRecord* c = Find(s, hCursor);
  return c ? c->shapeId : 0;
}

bool IsSystemCursor(HCURSOR hCursor) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  CursorRecord* c = Find(s, hCursor);
  return c && c->system;
}

bool GetCursorImage(HCURSOR hCursor, CursorImage* image) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  CursorRecord* c = Find(s, hCursor);
  if (!c || c->system || !image) return false;
  *image = c->image;
  return true;
}

void SetCursorChangeListener(std::function<void(HCURSOR, bool)> listener) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.listener = std::move(listener);
}

void ResetCursorState() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.current = HandleOf(0);
  s.displayCount = 0;
  s.clip.reset();
  s.listener = nullptr;
}

}  // namespace win
