#pragma once
// Internal to the window system: the objects behind window handles, the per-thread message queue
// and the helpers the parts of the window system share. Windows are used by the thread that
// created them; only handle lookups and queue hand-offs cross threads.

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/user/windows/WinUserTypes.h"

namespace win::user {

struct ClassObj {
  ATOM atom = 0;
  std::u16string name;
  UINT style = 0;
  LONG_PTR proc = 0;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSm = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  uintptr_t menuName = 0;  // resource id; names are kept in menuNameText
  std::u16string menuNameText;
  std::vector<uint8_t> extra;
};

struct WindowObj {
  HWND hwnd = nullptr;
  DWORD threadId = 0;
  std::shared_ptr<ClassObj> cls;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR proc = 0;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::u16string text;
  std::vector<std::pair<std::u16string, HANDLE>> props;
  std::vector<uint8_t> extra;

  WindowObj* parent = nullptr;  // the desktop for top-level windows, the message root for message-only
  WindowObj* owner = nullptr;
  std::vector<WindowObj*> children;  // z-order, topmost first
  RECT window{};                     // in the parent's client coordinates
  RECT client{};                     // in the parent's client coordinates
  RECT normalRect{};                 // restored placement while minimised or maximised

  bool created = false;     // WM_NCCREATE answered
  bool destroying = false;  // DestroyWindow running
  bool isDesktop = false;
  bool isMessageRoot = false;
  WORD uiState = 0;

  // Painting
  Region update;            // window coordinates
  bool erasePending = false;
  bool framePending = false;
  bool classicFramePainted = false;  // the default WM_NCPAINT handling ran for the last one sent
  bool ownsFrame = false;            // the last WM_NCPAINT did not reach it: the window paints its frame
  bool internalPaint = false;
  bool inPaint = false;
  std::optional<Region> windowRgn;  // window coordinates
  // Layered windows
  BYTE layeredAlpha = 255;
  COLORREF layeredKey = 0;
  DWORD layeredFlags = 0;
  bool perPixelLayered = false;
  HBITMAP surface = nullptr;  // top-level windows only
};

using WindowPtr = std::shared_ptr<WindowObj>;

// --- Handle table ---------------------------------------------------------------------------------
WindowPtr FindWindowPtr(HWND hwnd);  // thread-safe
WindowObj* FindWindowObj(HWND hwnd); // null for invalid handles; sets no error
// Looks up a window for an API call: sets ERROR_INVALID_WINDOW_HANDLE and returns null when invalid.
WindowObj* CheckWindow(HWND hwnd);
HWND AddWindow(WindowPtr w);
void RemoveWindow(HWND hwnd);
WindowObj* Desktop();  // the first call starts the window system (see RegisterOptionalEntryPoints)
WindowObj* MessageRoot();
std::vector<WindowPtr> AllWindows();

// Puts the optional entry points (user32's layered-window, tracking, foreground-lock and monitor
// functions, msimg32's AlphaBlend and GradientFill) in the kernel's symbol table. EntryPoints.cpp.
void RegisterOptionalEntryPoints();

// --- Classes ----------------------------------------------------------------------------------------
std::shared_ptr<ClassObj> FindClass(LPCWSTR nameOrAtom);

// --- Threads and queues -----------------------------------------------------------------------------
DWORD CurrentThreadId();

struct InputEvent {
  enum class Kind : uint8_t { Mouse, Key, Char } kind = Kind::Mouse;
  UINT message = 0;      // client mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN ...) or WM_KEYDOWN/WM_KEYUP/WM_CHAR
  POINT pt{};            // screen position
  DWORD time = 0;
  WPARAM data = 0;       // wheel delta, x-button number
  WPARAM keys = 0;       // MK_ flags after the event (mouse); Alt held (keys)
  UINT vk = 0;
  UINT scan = 0;
  bool extended = false;
  char16_t ch = 0;       // the character a key produces (0: from the layout), or the injected character
  bool dead = false;
};

struct SentRequest {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool notify = false;  // no one waits
  bool done = false;
  std::mutex m;
  std::condition_variable cv;
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  TIMERPROC proc = nullptr;
  UINT interval = 0;
  ULONGLONG due = 0;
  bool system = false;  // WM_SYSTIMER (caret blinking)
};

struct TrackState {
  HWND hwnd = nullptr;
  DWORD flags = 0;  // TME_LEAVE | TME_HOVER | TME_NONCLIENT
  DWORD hoverTime = 400;
  ULONGLONG hoverStart = 0;
  POINT hoverPt{};
};

struct CaretState {
  HWND hwnd = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0, height = 0;
  POINT pos{};
  int hideCount = 1;   // created hidden
  bool on = false;     // currently drawn
};

struct ThreadQueue {
  DWORD threadId = 0;
  std::mutex m;
  std::condition_variable cv;
  // Guarded by m (other threads add):
  std::deque<MSG> posted;
  std::deque<InputEvent> input;
  std::deque<std::shared_ptr<SentRequest>> sent;
  bool quit = false;
  int quitCode = 0;
  bool closing = false;
  uint64_t wakeCount = 0;  // bumped on every hand-off, so waits can tell new work from old
  UINT newBits = 0;        // QS_ bits added since GetQueueStatus last looked

  // Owner thread only:
  std::vector<Timer> timers;
  HWND capture = nullptr;
  // The window a button press went to. Until the buttons are all up again (or an explicit
  // capture ends), pointer input that finds no window of ours goes to it, as the desktop sends
  // it to the native window that had the press: a release over the desktop still ends what the
  // press began, also when it waited in the queue while its window had no capture yet.
  HWND pressWindow = nullptr;
  HWND focus = nullptr;
  HWND active = nullptr;
  BYTE keyState[256] = {};
  DWORD lastTime = 0;
  POINT lastPt{};
  int inSendDepth = 0;         // handling a message sent from another thread
  SentRequest* currentSend = nullptr;
  TrackState track;
  CaretState caret;
  // Double-click detection: last press.
  UINT lastClickMsg = 0;
  HWND lastClickHwnd = nullptr;
  LRESULT lastClickHit = 0;
  DWORD lastClickTime = 0;
  POINT lastClickPt{};
  // Characters of the last removed key message, for TranslateMessage.
  MSG lastKeyMsg{};
  char16_t lastKeyChar = 0;
  bool lastKeyDead = false;
  // Alt went down (seen by the default handling) and no other key has gone down since: releasing
  // it enters the menu bar.
  bool altAlone = false;
  // Hooks: see Hooks.cpp
  struct HookChains* hooks = nullptr;
  ~ThreadQueue();
};

ThreadQueue& CurrentQueue();                            // created on first use
std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId); // null when the thread has none or closed
void WakeQueue(ThreadQueue& q);                          // after adding work (not holding q.m)
void WakeAllQueues();

// Limit of posted messages per queue, as Win32 keeps one.
inline constexpr size_t kPostedLimit = 10000;

// --- Calling window procedures ------------------------------------------------------------------
// Sends WM_NCPAINT (`region`: 1 for the whole window, else a region in screen coordinates) and
// notes whether the window left it to the classic painter (see WindowObj::ownsFrame).
void SendNcPaintMessage(HWND hwnd, WPARAM region);

LRESULT CallProcValue(LONG_PTR proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the window's procedure with the hook protocol of a sent message (WH_CALLWNDPROC/RET).
LRESULT SendDirect(WindowObj& w, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the window's procedure without hooks (DispatchMessageW).
LRESULT CallWindowObj(WindowObj& w, UINT msg, WPARAM wParam, LPARAM lParam);
// Processes messages other threads sent to this thread.
void ProcessSentMessages(ThreadQueue& q);

// --- Geometry ------------------------------------------------------------------------------------------
POINT ClientOrigin(const WindowObj& w);  // screen position of the client area's top left
POINT WindowOrigin(const WindowObj& w);  // screen position of the window's top left
RECT ScreenWindowRect(const WindowObj& w);
RECT ScreenClientRect(const WindowObj& w);
bool IsTopLevel(const WindowObj& w);     // parent is the desktop (or the message root)
WindowObj* TopLevelOf(WindowObj* w);
bool IsReallyVisible(const WindowObj& w);  // it and every ancestor visible
bool IsDescendant(const WindowObj* ancestor, const WindowObj* w);
void UnlinkFromParent(WindowObj& w);
void LinkToParent(WindowObj& w, WindowObj* parent, size_t index);
// Inserts a top-level window in the desktop's z-order honouring topmost bands and owners.
void PlaceTopLevel(WindowObj& w, HWND insertAfter);

// --- Hooks -----------------------------------------------------------------------------------------
bool HasHooks(ThreadQueue& q, int idHook);
LRESULT CallHooks(ThreadQueue& q, int idHook, int code, WPARAM wParam, LPARAM lParam);

// --- Input internals -----------------------------------------------------------------------------------
// Turns the oldest matching input event into a message, or says there is none. The event stays
// queued unless `remove`; the message's target is chosen now, with capture taken into account.
bool TakeInputMessage(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove);
// Forgets input state that names a window going away (capture, focus, active, tracking, caret).
void ForgetWindowInput(WindowObj& w);
// Hit-test as mouse input does: WM_NCHITTEST with HTTRANSPARENT windows passed through.
WindowObj* HitTestWindow(POINT screenPt, LRESULT* hitCode);
void CheckMouseTracking(ThreadQueue& q, ULONGLONG now);
// When a pending hover report falls due (kernel clock), so that waiting loops wake for it.
std::optional<ULONGLONG> NextHoverDue(const ThreadQueue& q);
// Activation: WM_ACTIVATEAPP/WM_NCACTIVATE/WM_ACTIVATE and focus, as SetActiveWindow does.
HWND ActivateWindow(WindowObj* w, WORD how);
// The active window is going away or hiding: activate the next suitable top-level window.
void ActivateOtherWindow(WindowObj& leaving);
bool IsRoot(const WindowObj* w);
// The application as a whole gains or loses the foreground (WM_ACTIVATEAPP, capture cancelled).
void SetApplicationActive(bool active);
bool ApplicationActive();
void AddInputEvent(const InputEvent& e);  // from the desktop: queues for the right thread
POINT CurrentCursorPos();
void SetCursorPosInternal(POINT pt);       // no mouse move is generated
// A new desktop starts from fresh input: the pointer at `cursor`, no key or button down, no
// double-click or key memory, no tracking, and the calling thread's pending input dropped.
void ResetInputState(POINT cursor);
// Our windows gained or lost the desktop's keyboard: every key is up again except `heldKeys`
// (the desktop's word on what is held now), in the calling thread's state and the global one.
void ResyncKeyState(const std::vector<UINT>& heldKeys);
// Character a key gives on the fixed layout for the given keyboard state (0 when none).
char16_t CharFromKey(UINT vk, const BYTE* keyState);

// --- Timers ------------------------------------------------------------------------------------------
bool TakeTimerMessage(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove);
std::optional<ULONGLONG> NextTimerDue(ThreadQueue& q);
void KillWindowTimers(ThreadQueue& q, HWND hwnd);
UINT_PTR SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
void KillSystemTimer(HWND hwnd, UINT_PTR id);

// --- Painting internals --------------------------------------------------------------------------------
bool NeedsPaint(const WindowObj& w);
// First window of the thread that needs WM_PAINT (parents before children), matching the filter.
WindowObj* FindPaintWindow(ThreadQueue& q, HWND filter);
void ClearInternalPaint(WindowObj& w);
// Called by placement changes: geometry of `w` changed from oldScreenRect (a visible window).
void OnWindowGeometryChanged(WindowObj& w, const RECT& oldScreenRect, bool wasVisible, bool resized, bool redraw);
void OnWindowDestroyed(WindowObj& w);
void OnZOrderChanged();

// --- Non-client defaults -------------------------------------------------------------------------------
RECT DefaultFrameInsets(DWORD style, DWORD exStyle);  // left/top/right/bottom thickness
LRESULT DefaultHitTest(WindowObj& w, POINT screenPt);

}  // namespace win::user
