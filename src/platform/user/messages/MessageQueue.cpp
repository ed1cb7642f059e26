// Sending, posting and retrieving messages; the order in which a queue hands out its work.

#include "platform/user/messages/MessageQueue.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/desktop/Screen.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/MessageTrace.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

constexpr DWORD kErrorNotEnoughQuota = 1816;
constexpr DWORD kErrorInvalidThreadId = 1444;
constexpr DWORD kErrorMessageSyncOnly = 1159;

bool InRange(UINT m, UINT min, UINT max) { return (min == 0 && max == 0) || (m >= min && m <= max); }

bool MatchesWindow(HWND msgHwnd, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return msgHwnd == nullptr;
  return msgHwnd == filter || IsChild(filter, msgHwnd);
}

UINT QsBitFor(UINT message) {
  if (message == WM_MOUSEMOVE) return QS_MOUSEMOVE;
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) return QS_MOUSEBUTTON;
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST) return QS_KEY;
  return QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
}

void EnsureClockListener() {
  static const bool registered = [] {
    // Time moved: timers may be due, so every waiting loop looks again.
    clock::AddListener([] { WakeAllQueues(); });
    return true;
  }();
  (void)registered;
}

bool TakePosted(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  std::lock_guard lock(q.m);
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
    if (!InRange(it->message, min, max)) continue;
    if (filter && !MatchesWindow(it->hwnd, filter)) continue;
    *out = *it;
    if (remove) q.posted.erase(it);
    return true;
  }
  return false;
}

// A loop that asks only for other messages (a range without WM_QUIT) never takes the quit
// message: it stays for the loop that ends on it.
bool TakeQuit(ThreadQueue& q, MSG* out, UINT min, UINT max, bool remove) {
  if (!InRange(WM_QUIT, min, max)) return false;
  std::lock_guard lock(q.m);
  if (!q.quit) return false;
  *out = MSG{nullptr, WM_QUIT, WPARAM(q.quitCode), 0, DWORD(GetTickCount()), CurrentCursorPos()};
  if (remove) q.quit = false;
  return true;
}

bool TakePaint(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  if (!InRange(WM_PAINT, min, max)) return false;
  WindowObj* w = FindPaintWindow(q, filter);
  if (!w) return false;
  *out = MSG{w->hwnd, WM_PAINT, 0, 0, DWORD(GetTickCount()), CurrentCursorPos()};
  if (remove && w->update.IsEmpty() && !w->framePending) ClearInternalPaint(*w);
  return true;
}

bool Fetch(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, UINT flags) {
  bool remove = (flags & PM_REMOVE) != 0;
  ProcessSentMessages(q);
  CheckMouseTracking(q, clock::NowMs());  // a due hover report is posted before the posted queue is read
  bool found = TakePosted(q, out, filter, min, max, remove) || TakeQuit(q, out, min, max, remove) ||
               TakeInputMessage(q, out, filter, min, max, remove) || TakePaint(q, out, filter, min, max, remove) ||
               TakeTimerMessage(q, out, filter, min, max, remove);
  if (!found) return false;
  {
    std::lock_guard lock(q.m);
    q.newBits = 0;
  }
  q.lastTime = out->time;
  q.lastPt = out->pt;
  if (HasHooks(q, WH_GETMESSAGE)) CallHooks(q, WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, LPARAM(out));
  return true;
}

// The earliest time-driven work: a timer or a hover report.
std::optional<ULONGLONG> NextWakeDue(ThreadQueue& q) {
  auto timer = NextTimerDue(q), hover = NextHoverDue(q);
  if (timer && hover) return std::min(*timer, *hover);
  return timer ? timer : hover;
}

bool HasWork(ThreadQueue& q) {
  {
    std::lock_guard lock(q.m);
    if (!q.sent.empty() || !q.posted.empty() || q.quit || !q.input.empty()) return true;
  }
  if (FindPaintWindow(q, nullptr)) return true;
  auto due = NextWakeDue(q);
  return due && *due <= clock::NowMs();
}

// Blocks until something may have arrived; callers look again.
void WaitForWork(ThreadQueue& q) {
  if (HasWork(q)) return;
  auto deadline = NextWakeDue(q);
  uint64_t seen;
  {
    std::lock_guard lock(q.m);
    seen = q.wakeCount;
  }
  if (desktop::Screen* s = desktop::GetScreen())
    if (s->WaitForWork(deadline)) return;
  std::unique_lock lock(q.m);
  if (q.wakeCount != seen || !q.sent.empty() || !q.posted.empty() || !q.input.empty() || q.quit) return;
  if (deadline && !clock::IsVirtual()) {
    ULONGLONG now = clock::NowMs();
    if (*deadline <= now) return;
    q.cv.wait_for(lock, std::chrono::milliseconds(*deadline - now));
    return;
  }
  q.cv.wait(lock, [&] { return q.wakeCount != seen; });
}

}  // namespace

void WakeQueue(ThreadQueue& q) {
  {
    std::lock_guard lock(q.m);
    ++q.wakeCount;
  }
  q.cv.notify_all();
  if (desktop::Screen* s = desktop::GetScreen()) s->Wake();
}

void ProcessSentMessages(ThreadQueue& q) {
  for (;;) {
    std::shared_ptr<SentRequest> req;
    {
      std::lock_guard lock(q.m);
      if (q.sent.empty()) return;
      req = q.sent.front();
      q.sent.pop_front();
    }
    LRESULT result = 0;
    if (WindowPtr w = FindWindowPtr(req->hwnd); w && w->threadId == q.threadId) {
      SentRequest* saved = q.currentSend;
      q.currentSend = req.get();
      ++q.inSendDepth;
      result = SendDirect(*w, req->msg, req->wParam, req->lParam);
      --q.inSendDepth;
      q.currentSend = saved;
    }
    std::lock_guard lock(req->m);
    if (!req->done) {
      req->result = result;
      req->done = true;
    }
    req->cv.notify_all();
  }
}

LRESULT SendDirect(WindowObj& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPtr keep = FindWindowPtr(w.hwnd);
  if (!keep) return 0;
  TraceCall trace(TraceKind::Sent, w.hwnd, msg, wParam, lParam);
  ThreadQueue& q = CurrentQueue();
  bool fromOtherThread = q.currentSend != nullptr;
  if (HasHooks(q, WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, w.hwnd};
    CallHooks(q, WH_CALLWNDPROC, HC_ACTION, fromOtherThread ? 1 : 0, LPARAM(&cwp));
  }
  SentRequest* outer = q.currentSend;
  // A same-thread send inside an inter-thread one is not itself inter-thread.
  if (!fromOtherThread || outer == nullptr) q.currentSend = nullptr;
  LRESULT r = CallProcValue(keep->proc, w.hwnd, msg, wParam, lParam);
  q.currentSend = outer;
  trace.Returned(r);
  if (HasHooks(q, WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{r, lParam, wParam, msg, w.hwnd};
    CallHooks(q, WH_CALLWNDPROCRET, HC_ACTION, fromOtherThread ? 1 : 0, LPARAM(&ret));
  }
  return r;
}

LRESULT CallWindowObj(WindowObj& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowPtr keep = FindWindowPtr(w.hwnd);
  if (!keep) return 0;
  TraceCall trace(TraceKind::Posted, w.hwnd, msg, wParam, lParam);
  ThreadQueue& q = CurrentQueue();
  SentRequest* outer = q.currentSend;
  q.currentSend = nullptr;
  LRESULT r = CallProcValue(keep->proc, w.hwnd, msg, wParam, lParam);
  q.currentSend = outer;
  trace.Returned(r);
  return r;
}

namespace {
// HWND_BROADCAST reaches every top-level window, shown or not; children and message-only
// windows never see it.
std::vector<HWND> BroadcastTargets() {
  std::vector<HWND> out;
  for (const WindowPtr& w : AllWindows())
    if (w->parent && w->parent->isDesktop && w->created && !w->destroying) out.push_back(w->hwnd);
  return out;
}
}  // namespace

}  // namespace user

using namespace user;

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : BroadcastTargets()) SendMessageW(h, msg, wParam, lParam);
    return 0;
  }
  WindowPtr w = FindWindowPtr(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  DWORD me = CurrentThreadId();
  if (w->threadId == 0 || w->threadId == me) return SendDirect(*w, msg, wParam, lParam);
  auto q = FindQueue(w->threadId);
  if (!q) return 0;
  auto req = std::make_shared<SentRequest>();
  req->hwnd = hwnd;
  req->msg = msg;
  req->wParam = wParam;
  req->lParam = lParam;
  {
    std::lock_guard lock(q->m);
    if (q->closing) return 0;
    q->sent.push_back(req);
    q->newBits |= QS_SENDMESSAGE;
  }
  WakeQueue(*q);
  std::unique_lock lock(req->m);
  req->cv.wait(lock, [&] { return req->done; });
  return req->result;
}

BOOL SendNotifyMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : BroadcastTargets()) SendNotifyMessageW(h, msg, wParam, lParam);
    return TRUE;
  }
  WindowPtr w = FindWindowPtr(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->threadId == 0 || w->threadId == CurrentThreadId()) {
    SendDirect(*w, msg, wParam, lParam);
    return TRUE;
  }
  auto q = FindQueue(w->threadId);
  if (!q) return FALSE;
  auto req = std::make_shared<SentRequest>();
  req->hwnd = hwnd;
  req->msg = msg;
  req->wParam = wParam;
  req->lParam = lParam;
  req->notify = true;
  {
    std::lock_guard lock(q->m);
    if (q->closing) return FALSE;
    q->sent.push_back(req);
    q->newBits |= QS_SENDMESSAGE;
  }
  WakeQueue(*q);
  return TRUE;
}

namespace {
BOOL PostTo(ThreadQueue& q, const MSG& m) {
  {
    std::lock_guard lock(q.m);
    if (q.closing) {
      SetLastError(kErrorInvalidThreadId);
      return FALSE;
    }
    if (q.posted.size() >= kPostedLimit) {
      SetLastError(kErrorNotEnoughQuota);
      return FALSE;
    }
    q.posted.push_back(m);
    q.newBits |= QsBitFor(m.message);
  }
  WakeQueue(q);
  return TRUE;
}
}  // namespace

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return PostThreadMessageW(CurrentThreadId(), msg, wParam, lParam);
  if (hwnd == HWND_BROADCAST) {
    for (HWND h : BroadcastTargets()) PostMessageW(h, msg, wParam, lParam);
    return TRUE;
  }
  WindowPtr w = FindWindowPtr(hwnd);
  if (!w || w->threadId == 0) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  std::shared_ptr<ThreadQueue> q = FindQueue(w->threadId);
  if (!q) {
    SetLastError(kErrorInvalidThreadId);
    return FALSE;
  }
  return PostTo(*q, MSG{hwnd, msg, wParam, lParam, DWORD(GetTickCount()), CurrentCursorPos()});
}

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<ThreadQueue> q = FindQueue(threadId);
  if (!q && threadId == CurrentThreadId()) {
    CurrentQueue();
    q = FindQueue(threadId);
  }
  if (!q) {
    SetLastError(kErrorInvalidThreadId);
    return FALSE;
  }
  return PostTo(*q, MSG{nullptr, msg, wParam, lParam, DWORD(GetTickCount()), CurrentCursorPos()});
}

void PostQuitMessage(int exitCode) {
  ThreadQueue& q = CurrentQueue();
  {
    std::lock_guard lock(q.m);
    q.quit = true;
    q.quitCode = exitCode;
  }
  WakeQueue(q);
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !FindWindowObj(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  EnsureClockListener();
  ThreadQueue& q = CurrentQueue();
  for (;;) {
    if (Fetch(q, msg, hwnd, filterMin, filterMax, PM_REMOVE)) return msg->message == WM_QUIT ? FALSE : TRUE;
    WaitForWork(q);
  }
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !FindWindowObj(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  EnsureClockListener();
  return Fetch(CurrentQueue(), msg, hwnd, filterMin, filterMax, removeFlags) ? TRUE : FALSE;
}

BOOL WaitMessage() {
  EnsureClockListener();
  ThreadQueue& q = CurrentQueue();
  ProcessSentMessages(q);
  WaitForWork(q);
  return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_KEYUP && m != WM_SYSKEYUP) return FALSE;
  if (m == WM_KEYUP || m == WM_SYSKEYUP) return TRUE;
  ThreadQueue& q = CurrentQueue();
  char16_t ch;
  bool dead = false;
  const MSG& last = q.lastKeyMsg;
  if (last.hwnd == msg->hwnd && last.message == m && last.wParam == msg->wParam && last.lParam == msg->lParam &&
      last.time == msg->time) {
    ch = q.lastKeyChar;
    dead = q.lastKeyDead;
  } else {
    ch = CharFromKey(UINT(msg->wParam), q.keyState);
  }
  if (!ch) return TRUE;
  bool sys = m == WM_SYSKEYDOWN;
  UINT out = dead ? (sys ? WM_SYSDEADCHAR : WM_DEADCHAR) : (sys ? WM_SYSCHAR : WM_CHAR);
  PostMessageW(msg->hwnd, out, WPARAM(ch), msg->lParam);
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  bool timer = msg->message == WM_TIMER || msg->message == WM_SYSTIMER;
  if (timer && msg->lParam) {
    // Only a procedure registered for this timer is called, never an arbitrary posted pointer.
    ThreadQueue& q = CurrentQueue();
    for (const Timer& t : q.timers) {
      if (t.hwnd == msg->hwnd && t.id == msg->wParam && reinterpret_cast<LPARAM>(t.proc) == msg->lParam) {
        t.proc(msg->hwnd, msg->message, msg->wParam, GetTickCount());
        return 0;
      }
    }
    return 0;
  }
  if (!msg->hwnd) return 0;
  WindowPtr w = FindWindowPtr(msg->hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (w->threadId != CurrentThreadId() && w->threadId != 0) {
    SetLastError(kErrorMessageSyncOnly);
    return 0;
  }
  return CallWindowObj(*w, msg->message, msg->wParam, msg->lParam);
}

LONG GetMessageTime() { return LONG(CurrentQueue().lastTime); }

DWORD GetMessagePos() {
  POINT p = CurrentQueue().lastPt;
  return MAKELONG(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
}

DWORD GetQueueStatus(UINT flags) {
  ThreadQueue& q = CurrentQueue();
  UINT current = 0;
  UINT added;
  {
    std::lock_guard lock(q.m);
    for (const MSG& m : q.posted) current |= QsBitFor(m.message);
    for (const InputEvent& e : q.input)
      current |= e.kind == InputEvent::Kind::Mouse ? (e.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON)
                                                   : QS_KEY;
    if (!q.sent.empty()) current |= QS_SENDMESSAGE;
    if (q.quit) current |= QS_POSTMESSAGE;
    added = q.newBits;
    q.newBits = 0;
  }
  if (FindPaintWindow(q, nullptr)) current |= QS_PAINT;
  auto due = NextTimerDue(q);
  if (due && *due <= clock::NowMs()) current |= QS_TIMER;
  flags &= QS_ALLINPUT;
  return MAKELONG(WORD(added & current & flags), WORD(current & flags));
}

BOOL InSendMessage() { return CurrentQueue().currentSend != nullptr; }

DWORD InSendMessageEx(void*) {
  SentRequest* r = CurrentQueue().currentSend;
  if (!r) return ISMEX_NOSEND;
  DWORD v = r->notify ? ISMEX_NOTIFY : ISMEX_SEND;
  std::lock_guard lock(r->m);
  if (r->done && !r->notify) v |= ISMEX_REPLIED;
  return v;
}

BOOL ReplyMessage(LRESULT result) {
  SentRequest* r = CurrentQueue().currentSend;
  if (!r || r->notify) return FALSE;
  std::lock_guard lock(r->m);
  if (r->done) return FALSE;
  r->result = result;
  r->done = true;
  r->cv.notify_all();
  return TRUE;
}

BOOL CallMsgFilterW(MSG* msg, int code) {
  if (!msg) return FALSE;
  ThreadQueue& q = CurrentQueue();
  // The system-wide filter goes first; when it takes the message the thread's filter never sees it.
  if (HasHooks(q, WH_SYSMSGFILTER) && CallHooks(q, WH_SYSMSGFILTER, code, 0, LPARAM(msg)) != 0) return TRUE;
  if (!HasHooks(q, WH_MSGFILTER)) return FALSE;
  return CallHooks(q, WH_MSGFILTER, code, 0, LPARAM(msg)) != 0 ? TRUE : FALSE;
}

}  // namespace win
