// The message box window, its modal loop and its keyboard.

#include "platform/controls/MessageBox.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/controls/EditCommands.h"
#include "platform/controls/MessageBoxButton.h"
#include "platform/controls/MessageBoxLayout.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/Beep.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

constexpr char16_t kBoxClass[] = u"KvMessageBox";

struct ButtonSpec {
  int id;
  const char16_t* caption;
};

std::vector<ButtonSpec> ButtonsOf(UINT type) {
  static const ButtonSpec ok{IDOK, u"ОК"}, cancel{IDCANCEL, u"Отмена"}, yes{IDYES, u"&Да"}, no{IDNO, u"&Нет"},
      retry{IDRETRY, u"&Повтор"}, ignore{IDIGNORE, u"&Пропустить"}, abort{IDABORT, u"П&рервать"};
  switch (type & MB_TYPEMASK) {
    case MB_OK: return {ok};
    case MB_OKCANCEL: return {ok, cancel};
    case MB_ABORTRETRYIGNORE: return {abort, retry, ignore};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    case MB_YESNO: return {yes, no};
    case MB_RETRYCANCEL: return {retry, cancel};
    default: return {};
  }
}

std::vector<MessageBoxRecord>& History() {
  static std::vector<MessageBoxRecord> history;
  return history;
}

struct Box {
  std::u16string text, caption;
  UINT type = 0;
  std::vector<ButtonSpec> specs;
  std::vector<HWND> buttons;
  HFONT font = nullptr;
  msgbox::Layout layout;
  int result = 0;
  bool done = false;

  bool Has(int id) const {
    return std::any_of(specs.begin(), specs.end(), [id](const ButtonSpec& b) { return b.id == id; });
  }
  // What Escape and the close box answer: Cancel, or OK when it is the only button; 0 when the
  // box cannot be dismissed that way.
  int CancelAnswer() const {
    if (Has(IDCANCEL)) return IDCANCEL;
    if (specs.size() == 1 && specs[0].id == IDOK) return IDOK;
    return 0;
  }
  void Finish(int id) {
    if (done) return;
    result = id;
    done = true;
  }
};

Box* BoxOf(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, 0)); }

std::u16string WithoutMnemonic(const char16_t* caption) {
  std::u16string out;
  for (const char16_t* p = caption; *p; ++p) {
    if (*p == u'&' && p[1] != u'&') continue;
    out += *p;
  }
  return out;
}

char16_t MnemonicOf(const char16_t* caption) {
  for (const char16_t* p = caption; *p; ++p)
    if (*p == u'&' && p[1] && p[1] != u'&') return ToUpperChar(p[1]);
  return 0;
}

void DrawIcon(HDC hdc, UINT icon, const RECT& r) {
  if (r.right <= r.left) return;
  COLORREF fill = RGB(0, 0, 255), ink = RGB(255, 255, 255);
  const char16_t* symbol = u"i";
  switch (icon) {
    case MB_ICONHAND: fill = RGB(220, 0, 0); symbol = u"X"; break;
    case MB_ICONQUESTION: symbol = u"?"; break;
    case MB_ICONEXCLAMATION: fill = RGB(255, 210, 0); ink = RGB(0, 0, 0); symbol = u"!"; break;
    default: break;
  }
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldBrush = SelectObject(hdc, brush);
  HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
  if (icon == MB_ICONEXCLAMATION) {
    POINT tri[3] = {{(r.left + r.right) / 2, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    Polygon(hdc, tri, 3);
  } else {
    Ellipse(hdc, r.left, r.top, r.right, r.bottom);
  }
  SelectObject(hdc, oldPen);
  SelectObject(hdc, oldBrush);
  DeleteObject(brush);
  SetTextColor(hdc, ink);
  RECT label = r;
  if (icon == MB_ICONEXCLAMATION) label.top += (r.bottom - r.top) / 4;
  DrawTextW(hdc, symbol, 1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintBox(HWND hwnd, Box& b) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  HGDIOBJ oldFont = SelectObject(hdc, b.font);
  SetBkMode(hdc, TRANSPARENT);
  DrawIcon(hdc, b.type & MB_ICONMASK, b.layout.icon);
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text = b.layout.text;
  DrawTextW(hdc, b.text.c_str(), int(b.text.size()), &text, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(hdc, oldFont);
  EndPaint(hwnd, &ps);
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Box* b = BoxOf(hwnd);
  switch (msg) {
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      return 0;
    }
    case WM_PAINT:
      if (b) {
        PaintBox(hwnd, *b);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (b && HIWORD(wParam) == BN_CLICKED && b->Has(LOWORD(wParam))) b->Finish(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      if (b && b->CancelAnswer()) b->Finish(b->CancelAnswer());
      return 0;
    case WM_NCDESTROY: SetWindowLongPtrW(hwnd, 0, 0); break;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool RegisterBoxClass() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = BoxProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_BTNFACE + 1));
    wc.lpszClassName = kBoxClass;
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok && RegisterButtonClass();
}

int FocusedButton(const Box& b) {
  HWND f = GetFocus();
  for (std::size_t i = 0; i < b.buttons.size(); ++i)
    if (b.buttons[i] == f) return int(i);
  return -1;
}

// Focus moves to button i, which becomes the default one.
void FocusButton(Box& b, int i) {
  if (b.buttons.empty()) return;
  int n = int(b.buttons.size());
  i = ((i % n) + n) % n;
  for (int k = 0; k < n; ++k)
    SendMessageW(b.buttons[std::size_t(k)], BM_SETSTYLE, k == i ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  SetFocus(b.buttons[std::size_t(i)]);
}

std::u16string ClipboardText(const Box& b) {
  const std::u16string rule = u"---------------------------\r\n";
  std::u16string out = rule + b.caption + u"\r\n" + rule + b.text + u"\r\n" + rule;
  for (const ButtonSpec& s : b.specs) out += WithoutMnemonic(s.caption) + u"   ";
  out += u"\r\n" + rule;
  return out;
}

void PressMnemonic(Box& b, char16_t ch) {
  char16_t key = ToUpperChar(ch);
  std::vector<int> matches;
  for (std::size_t i = 0; i < b.specs.size(); ++i)
    if (MnemonicOf(b.specs[i].caption) == key) matches.push_back(int(i));
  if (matches.empty()) {
    MessageBeep(0);
    return;
  }
  if (matches.size() == 1) {
    b.Finish(b.specs[std::size_t(matches[0])].id);
    return;
  }
  // A letter shared by several buttons moves the focus among them without choosing.
  int current = FocusedButton(b);
  auto next = std::upper_bound(matches.begin(), matches.end(), current);
  FocusButton(b, next == matches.end() ? matches.front() : *next);
}

// The box's keyboard; true when the message was used up.
bool HandleBoxKey(HWND box, Box& b, const MSG& m) {
  if (m.hwnd != box && !IsChild(box, m.hwnd)) return false;
  if (m.message == WM_KEYDOWN) {
    bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    switch (m.wParam) {
      case VK_RETURN: {
        int i = FocusedButton(b);
        if (i < 0) i = 0;
        if (!b.specs.empty()) b.Finish(b.specs[std::size_t(i)].id);
        return true;
      }
      case VK_ESCAPE:
        if (b.CancelAnswer()) b.Finish(b.CancelAnswer());
        return true;
      case VK_TAB: FocusButton(b, FocusedButton(b) + (shift ? -1 : 1)); return true;
      case VK_LEFT:
      case VK_UP: FocusButton(b, FocusedButton(b) - 1); return true;
      case VK_RIGHT:
      case VK_DOWN: FocusButton(b, FocusedButton(b) + 1); return true;
      case 'C':
      case VK_INSERT:
        if (ctrl) {
          edit::PutTextOnClipboard(box, ClipboardText(b));
          return true;
        }
        return false;
      default: return false;
    }
  }
  if ((m.message == WM_CHAR || m.message == WM_SYSCHAR) && m.wParam > u' ') {
    PressMnemonic(b, char16_t(m.wParam));
    return true;
  }
  return false;
}

RECT WorkArea() {
  RECT work{0, 0, 1920, 1080};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

HWND CreateBox(Box& b, HWND owner) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (b.type & (MB_TOPMOST | MB_SYSTEMMODAL)) exStyle |= WS_EX_TOPMOST;

  // Measure with the message font.
  NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) b.font = CreateFontIndirectW(&ncm.lfMessageFont);
  if (!b.font) b.font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  RECT work = WorkArea();
  HDC hdc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(hdc, b.font);
  RECT textRect{0, 0, std::max<LONG>(100, (work.right - work.left) * 5 / 8), 0};
  DrawTextW(hdc, b.text.c_str(), int(b.text.size()), &textRect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  std::vector<int> widths;
  for (const ButtonSpec& s : b.specs) {
    RECT r{0, 0, 0, 0};
    DrawTextW(hdc, s.caption, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    widths.push_back(r.right - r.left);
  }
  SelectObject(hdc, old);
  ReleaseDC(nullptr, hdc);
  b.layout = msgbox::LayOut(SIZE{textRect.right - textRect.left, textRect.bottom - textRect.top},
                            (b.type & MB_ICONMASK) != 0, widths);

  RECT frame{0, 0, b.layout.client.cx, b.layout.client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT around = work;
  if (owner) GetWindowRect(owner, &around);
  RECT place = msgbox::PlaceWindow(SIZE{frame.right - frame.left, frame.bottom - frame.top}, around, work);

  HWND box = CreateWindowExW(exStyle, kBoxClass, b.caption.c_str(), style, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, owner, nullptr, nullptr, &b);
  if (!box) return nullptr;
  UINT def = (b.type & MB_DEFMASK) >> 8;
  if (def >= b.specs.size()) def = 0;
  for (std::size_t i = 0; i < b.specs.size(); ++i) {
    const RECT& r = b.layout.buttons[i];
    DWORD bs = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND h = CreateWindowExW(0, u"Button", b.specs[i].caption, bs, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             box, reinterpret_cast<HMENU>(intptr_t(b.specs[i].id)), nullptr, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(b.font), FALSE);
    b.buttons.push_back(h);
  }
  ShowWindow(box, SW_SHOW);
  FocusButton(b, int(def));
  return box;
}

void RunLoop(HWND box, Box& b) {
  while (!b.done && IsWindow(box)) {
    MSG m;
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(int(m.wParam));  // for the outer loop
      break;
    }
    if (got == -1) break;
    if (CallMsgFilterW(&m, MSGF_MESSAGEBOX)) continue;
    if (HandleBoxKey(box, b, m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  Box b;
  b.specs = ButtonsOf(type);
  if (b.specs.empty()) {
    SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  if (owner && !IsWindow(owner)) {
    SetLastError(1400);  // ERROR_INVALID_WINDOW_HANDLE
    return 0;
  }
  b.text = text ? std::u16string(text) : std::u16string();
  b.caption = caption ? std::u16string(caption) : std::u16string(u"Ошибка");
  b.type = type;

  if (auto answer = desktop::TakeScriptedAnswer("MessageBox")) {
    History().push_back({b.text, b.caption, type, answer->result});
    return answer->result;
  }
  if (!RegisterBoxClass()) return 0;

  HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  if (!root) root = owner;
  HWND previousFocus = GetFocus();
  const bool ownerWasEnabled = root && IsWindowEnabled(root);
  if (ownerWasEnabled) EnableWindow(root, FALSE);

  MessageBeep(type & MB_ICONMASK);
  HWND box = CreateBox(b, root);
  if (box) RunLoop(box, b);
  // The owner is enabled again before the box goes, so that activation returns to it.
  if (ownerWasEnabled && IsWindow(root)) EnableWindow(root, TRUE);
  if (box && IsWindow(box)) DestroyWindow(box);
  if (b.font && b.font != reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) DeleteObject(b.font);
  if (previousFocus && IsWindow(previousFocus)) SetFocus(previousFocus);

  History().push_back({b.text, b.caption, type, b.result});
  return b.result;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::u16string wideText = text ? Cp1251ToWide(text) : std::u16string();
  std::u16string wideCaption = caption ? Cp1251ToWide(caption) : std::u16string();
  return MessageBoxW(owner, text ? wideText.c_str() : nullptr, caption ? wideCaption.c_str() : nullptr, type);
}

const std::vector<MessageBoxRecord>& MessageBoxHistory() { return History(); }
void ClearMessageBoxHistory() { History().clear(); }

}  // namespace win
