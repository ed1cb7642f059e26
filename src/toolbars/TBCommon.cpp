#include "toolbars/TBCommon.h"

#include <charconv>
#include <optional>

#include "framework/Contnrs.h"
#include "framework/Controls.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/CodePages.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/Modules.h"
#include "platform/kernel/Registry.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/KeyboardLayout.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "toolbars/detail/TBCommonInternal.h"

namespace toolbars {

namespace {

// Vertical-capable TrueType output only.
constexpr win::BYTE kOutTTOnlyPrecis = 7;
constexpr int kMenuDelayMissing = 400;

std::optional<Integer> gRegistryMenuDelay;

template <typename T>
T LookUp(const char16_t* module, const char* name) {
  win::HMODULE m = win::LoadLibraryW(module);
  if (m == nullptr) return nullptr;
  return reinterpret_cast<T>(win::GetProcAddress(m, name));
}

}  // namespace

namespace detail {

Integer MenuShowDelayFromRegistry() {
  win::HKEY key = nullptr;
  if (win::RegOpenKeyExW(win::HKEY_CURRENT_USER, u"Control Panel\\Desktop", 0, win::KEY_READ, &key) !=
      win::LSTATUS(win::ERROR_SUCCESS))
    return kMenuDelayMissing;
  char16_t buffer[16] = {};  // 32 bytes
  win::DWORD type = 0, size = sizeof(buffer);
  win::LSTATUS r = win::RegQueryValueExW(key, u"MenuShowDelay", nullptr, &type,
                                         reinterpret_cast<win::BYTE*>(buffer), &size);
  win::RegCloseKey(key);
  if (r == win::LSTATUS(win::ERROR_FILE_NOT_FOUND)) return kMenuDelayMissing;
  if (r != win::LSTATUS(win::ERROR_SUCCESS) || type != win::REG_SZ) return 0;
  std::string text = win::WideToUtf8(std::u16string_view(buffer, size / 2).substr(
      0, std::u16string_view(buffer, size / 2).find(u'\0')));
  Integer value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
  return value < 0 ? 0 : value;
}

void ResetMenuShowDelayCache() { gRegistryMenuDelay.reset(); }

}  // namespace detail

// ---- system settings ----

bool ApplicationIsActive() { return win::GetActiveWindow() != nullptr; }

Integer GetMenuShowDelay() {
  win::DWORD value = 0;
  if (win::SystemParametersInfoW(win::SPI_GETMENUSHOWDELAY, 0, &value, 0)) return Integer(value);
  if (!gRegistryMenuDelay) gRegistryMenuDelay = detail::MenuShowDelayFromRegistry();
  return *gRegistryMenuDelay;
}

bool AreFlatMenusEnabled() {
  win::BOOL on = win::FALSE;
  return IsWindowsXPOrLater() && win::SystemParametersInfoW(win::SPI_GETFLATMENU, 0, &on, 0) && on;
}

bool AreKeyboardCuesEnabled() {
  win::BOOL on = win::FALSE;
  if (!win::SystemParametersInfoW(win::SPI_GETKEYBOARDCUES, 0, &on, 0)) return true;
  return on != win::FALSE;
}

bool NeedToPlaySound(const String& Alias) {
  std::u16string path = u"AppEvents\\Schemes\\Apps\\.Default\\" + win::Utf8ToWide(Alias) + u"\\.Current";
  win::HKEY key = nullptr;
  if (win::RegOpenKeyExW(win::HKEY_CURRENT_USER, path.c_str(), 0, win::KEY_READ, &key) !=
      win::LSTATUS(win::ERROR_SUCCESS))
    return false;
  char16_t buffer[4] = {};  // 8 bytes
  win::DWORD type = 0, size = sizeof(buffer);
  win::LSTATUS r = win::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<win::BYTE*>(buffer), &size);
  win::RegCloseKey(key);
  if (r == win::LSTATUS(win::ERROR_MORE_DATA)) return true;
  return r == win::LSTATUS(win::ERROR_SUCCESS) && size >= 2 && buffer[0] != 0;
}

bool IsWindowsXPOrLater() { return true; }

Integer GetInputLocaleCodePage() {
  auto layout = reinterpret_cast<uintptr_t>(win::GetKeyboardLayout(0));
  win::LCID locale = win::LOWORD(layout);
  char16_t buffer[8] = {};
  if (win::GetLocaleInfoW(locale, win::LOCALE_IDEFAULTANSICODEPAGE, buffer, 8) == 0) return 0;
  std::string text = win::WideToUtf8(buffer);
  Integer value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value <= 0) return 0;
  return win::IsValidCodePage(win::UINT(value)) ? value : 0;
}

// ---- lists and arithmetic ----

namespace {

void QuickSort(fw::TList* List, Integer L, Integer R, const TListSortExCompare& Compare, void* ExtraData) {
  while (L < R) {
    Integer I = L, J = R;
    void* P = List->Items((L + R) >> 1);
    do {
      while (Compare(List->Items(I), P, ExtraData) < 0) ++I;
      while (Compare(List->Items(J), P, ExtraData) > 0) --J;
      if (I <= J) {
        if (I != J) List->Exchange(I, J);
        ++I;
        --J;
      }
    } while (I <= J);
    // Recurse into the smaller half, loop over the larger one.
    if (J - L < R - I) {
      QuickSort(List, L, J, Compare, ExtraData);
      L = I;
    } else {
      QuickSort(List, I, R, Compare, ExtraData);
      R = J;
    }
  }
}

}  // namespace

void ListSortEx(fw::TList* List, const TListSortExCompare& Compare, void* ExtraData) {
  if (List == nullptr || List->Count() < 2) return;
  QuickSort(List, 0, List->Count() - 1, Compare, ExtraData);
}

bool AddToList(fw::TList*& List, void* Item) {
  if (List == nullptr) List = new fw::TList();
  if (List->IndexOf(Item) >= 0) return false;
  List->Add(Item);
  return true;
}

bool AddToFrontOfList(fw::TList*& List, void* Item) {
  if (List == nullptr) List = new fw::TList();
  if (List->IndexOf(Item) >= 0) return false;
  List->Insert(0, Item);
  return true;
}

void RemoveFromList(fw::TList*& List, void* Item) {
  if (List == nullptr) return;
  List->Remove(Item);
  if (List->Count() == 0) {
    delete List;
    List = nullptr;
  }
}

Integer DivRoundUp(Integer X, Integer Y) {
  Integer Result = X / Y;
  if (X % Y != 0) Result += (X < 0) == (Y < 0) ? 1 : -1;
  return Result;
}

// ---- printing and the message queue ----

void HandleWMPrint(win::HWND Wnd, TMessage& Message, const TNCPaintProc& NCPaintProc, void* AppData) {
  Message.Result = 1;
  auto DC = reinterpret_cast<win::HDC>(Message.WParam);
  win::LPARAM Flags = Message.LParam;
  if ((Flags & win::PRF_CHECKVISIBLE) && !win::IsWindowVisible(Wnd)) return;
  bool NonClientDrawn = false;
  if (Flags & win::PRF_NONCLIENT) {
    int saved = win::SaveDC(DC);
    try {
      if (NCPaintProc) NCPaintProc(Wnd, DC, AppData);
    } catch (...) {
      win::RestoreDC(DC, saved);
      throw;
    }
    win::RestoreDC(DC, saved);
    NonClientDrawn = true;
  }
  if (!(Flags & win::PRF_CLIENT)) return;
  // Where the client area sits inside the window.
  win::POINT clientOrigin{0, 0};
  if (NonClientDrawn) {
    win::RECT wr{};
    win::GetWindowRect(Wnd, &wr);
    win::ClientToScreen(Wnd, &clientOrigin);
    clientOrigin.x -= wr.left;
    clientOrigin.y -= wr.top;
  }
  int saved = win::SaveDC(DC);
  win::OffsetViewportOrgEx(DC, clientOrigin.x, clientOrigin.y, nullptr);
  if (Flags & win::PRF_ERASEBKGND) win::SendMessageW(Wnd, win::WM_ERASEBKGND, win::WPARAM(DC), 0);
  win::SendMessageW(Wnd, win::WM_PRINTCLIENT, win::WPARAM(DC), Flags);
  if (Flags & win::PRF_CHILDREN) {
    for (win::HWND child = win::GetWindow(Wnd, win::GW_CHILD); child; child = win::GetWindow(child, win::GW_HWNDNEXT)) {
      if (!win::IsWindowVisible(child)) continue;
      win::RECT cr{};
      win::GetWindowRect(child, &cr);
      win::POINT at{cr.left, cr.top};
      win::ScreenToClient(Wnd, &at);
      int childSaved = win::SaveDC(DC);
      win::OffsetViewportOrgEx(DC, at.x, at.y, nullptr);
      win::IntersectClipRect(DC, 0, 0, cr.right - cr.left, cr.bottom - cr.top);
      win::SendMessageW(child, win::WM_PRINT, win::WPARAM(DC),
                        win::PRF_NONCLIENT | win::PRF_CLIENT | win::PRF_ERASEBKGND | win::PRF_CHILDREN);
      win::RestoreDC(DC, childSaved);
    }
  }
  if (Flags & win::PRF_OWNED) {
    std::vector<win::HWND> owned;
    std::pair<win::HWND, std::vector<win::HWND>*> search{Wnd, &owned};
    win::EnumWindows(
        [](win::HWND h, win::LPARAM lp) -> win::BOOL {
          auto* list = reinterpret_cast<std::pair<win::HWND, std::vector<win::HWND>*>*>(lp);
          if (win::GetWindow(h, win::GW_OWNER) == list->first && win::IsWindowVisible(h)) list->second->push_back(h);
          return win::TRUE;
        },
        reinterpret_cast<win::LPARAM>(&search));
    for (win::HWND h : owned) win::SendMessageW(h, win::WM_PRINT, win::WPARAM(DC), Flags);
  }
  win::RestoreDC(DC, saved);
}

void HandleWMPrintClient(fw::TWinControl* Control, TMessage& Message) {
  auto DC = reinterpret_cast<win::HDC>(Message.WParam);
  int saved = win::SaveDC(DC);
  try {
    Control->Perform(win::WM_PAINT, win::WPARAM(DC), 0);
  } catch (...) {
    win::RestoreDC(DC, saved);
    throw;
  }
  win::RestoreDC(DC, saved);
}

void ProcessPaintMessages() {
  win::MSG msg{};
  // A window that never validates would keep WM_PAINT coming; its paints are bounded.
  for (int guard = 0; guard < 10000 && win::PeekMessageW(&msg, nullptr, win::WM_PAINT, win::WM_PAINT, win::PM_NOREMOVE);
       ++guard) {
    if (!win::PeekMessageW(&msg, nullptr, win::WM_PAINT, win::WM_PAINT, win::PM_REMOVE)) break;
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
    win::DispatchMessageW(&msg);
  }
}

void RemoveMessages(win::UINT AMin, win::UINT AMax) {
  win::MSG msg{};
  while (win::PeekMessageW(&msg, nullptr, AMin, AMax, win::PM_REMOVE)) {
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(int(msg.wParam));
      break;
    }
  }
}

// ---- text ----

Integer GetTextHeight(win::HDC DC) {
  win::TEXTMETRICW tm{};
  win::GetTextMetricsW(DC, &tm);
  return tm.tmHeight;
}

Integer GetTextExtentWidth(win::HDC DC, const String& S) {
  std::u16string w = win::Utf8ToWide(S);
  win::SIZE size{};
  win::GetTextExtentPoint32W(DC, w.c_str(), int(w.size()), &size);
  return size.cx;
}

Integer GetTextWidth(win::HDC DC, const String& S, bool Prefix) {
  return GetTextExtentWidth(DC, Prefix ? StripAccelChars(S) : S);
}

String StripAccelChars(const String& S) {
  String Result;
  Result.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '&') {
      ++i;
      if (i >= S.size()) break;
    }
    Result += S[i];
  }
  return Result;
}

String EscapeAmpersands(const String& S) {
  String Result;
  Result.reserve(S.size() + 4);
  for (char c : S) {
    Result += c;
    if (c == '&') Result += '&';
  }
  return Result;
}

String StripTrailingPunctuation(const String& S) {
  if (!S.empty() && S.back() == ':') return S.substr(0, S.size() - 1);
  if (S.size() > 3 && S.compare(S.size() - 3, 3, "...") == 0) return S.substr(0, S.size() - 3);
  return S;
}

char16_t FindAccelChar(const String& S) {
  char16_t Result = 0;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] != '&') continue;
    ++i;
    if (i >= S.size()) break;
    if (S[i] == '&') continue;
    // The accelerator is the whole UTF-8 character that follows.
    size_t len = 1;
    auto lead = static_cast<unsigned char>(S[i]);
    if (lead >= 0xF0) len = 4;
    else if (lead >= 0xE0) len = 3;
    else if (lead >= 0xC0) len = 2;
    std::u16string w = win::Utf8ToWide(std::string_view(S).substr(i, len));
    Result = w.empty() ? 0 : w[0];
    i += len - 1;
  }
  return Result;
}

bool CompareCharNoCase(char16_t A, char16_t B) { return win::ToUpperChar(A) == win::ToUpperChar(B); }

win::HFONT CreateRotatedFont(win::HDC DC) {
  win::LOGFONTW lf{};
  win::GetObjectW(win::GetCurrentObject(DC, win::OBJ_FONT), sizeof(lf), &lf);
  lf.lfEscapement = 2700;
  lf.lfOrientation = 2700;
  lf.lfOutPrecision = kOutTTOnlyPrecis;
  std::u16string_view face(lf.lfFaceName);
  face = face.substr(0, face.find(u'\0'));
  if (face == u"MS Sans Serif" || face == u"Microsoft Sans Serif") {
    std::u16string_view arial = u"Arial";
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'\0');
    std::copy(arial.begin(), arial.end(), lf.lfFaceName);
  }
  // No vertical ("@") font variants exist on this desktop, so the face stays.
  return win::CreateFontIndirectW(&lf);
}

void DrawRotatedText(win::HDC DC, const String& Text, const TRect& Rect, win::UINT Format) {
  if (Text.empty()) return;
  std::u16string text = win::Utf8ToWide(Text);
  int accelPos = -1;
  if (!(Format & win::DT_NOPREFIX)) {
    std::u16string stripped;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == u'&') {
        ++i;
        if (i >= text.size()) break;
        if (text[i] != u'&') accelPos = int(stripped.size());
      }
      stripped += text[i];
    }
    text = std::move(stripped);
  }
  auto widthOf = [DC](std::u16string_view s) {
    win::SIZE size{};
    win::GetTextExtentPoint32W(DC, s.data(), int(s.size()), &size);
    return Integer(size.cx);
  };
  const Integer height = Rect.bottom - Rect.top;
  if ((Format & win::DT_END_ELLIPSIS) && text.size() > 1 && widthOf(text) > height) {
    if (height < 3) {
      text.resize(1);
    } else {
      while (text.size() > 1 && widthOf(text + u"...") > height) text.pop_back();
      text += u"...";
    }
    if (accelPos >= int(text.size()) - (height < 3 ? 0 : 3)) accelPos = -1;
  }
  const Integer textWidth = widthOf(text);

  win::HFONT font = CreateRotatedFont(DC);
  win::HGDIOBJ oldFont = win::SelectObject(DC, font);
  win::TEXTMETRICW tm{};
  win::GetTextMetricsW(DC, &tm);
  const Integer X = Rect.left + (Rect.right - Rect.left - tm.tmHeight) / 2;
  Integer Y = Rect.top;
  if (Format & win::DT_CENTER) Y = Rect.top + (height - textWidth) / 2;
  int saved = win::SaveDC(DC);
  if (!(Format & win::DT_NOCLIP)) win::IntersectClipRect(DC, Rect.left, Rect.top, Rect.right, Rect.bottom);
  win::SetTextAlign(DC, win::TA_BOTTOM);
  win::TextOutW(DC, X, Y, text.c_str(), int(text.size()));
  if (!(Format & win::DT_HIDEPREFIX) && accelPos >= 0) {
    // Glyph bottoms face the left edge of the cell; the underline runs one pixel outside the
    // baseline, on their side, as a horizontal caption's underline does below its baseline.
    const Integer underlineX = X + tm.tmDescent - 1;
    const Integer from = Y + widthOf(std::u16string_view(text).substr(0, size_t(accelPos)));
    const Integer length = widthOf(std::u16string_view(text).substr(size_t(accelPos), 1));
    win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::GetTextColor(DC));
    win::HGDIOBJ oldPen = win::SelectObject(DC, pen);
    win::MoveToEx(DC, underlineX, from, nullptr);
    win::LineTo(DC, underlineX, from + length);
    win::SelectObject(DC, oldPen);
    win::DeleteObject(pen);
  }
  win::RestoreDC(DC, saved);
  win::SelectObject(DC, oldFont);
  win::DeleteObject(font);
}

// ---- GDI ----

void SelectNCUpdateRgn(win::HWND Wnd, win::HDC DC, win::HRGN Rgn) {
  if (reinterpret_cast<uintptr_t>(Rgn) <= 1) return;
  win::RECT wr{};
  win::GetWindowRect(Wnd, &wr);
  win::HRGN copy = win::CreateRectRgn(0, 0, 0, 0);
  if (win::CombineRgn(copy, Rgn, nullptr, win::RGN_COPY) == win::ERROR) {
    win::DeleteObject(copy);
    copy = win::CreateRectRgn(0, 0, wr.right - wr.left, wr.bottom - wr.top);
  } else {
    win::OffsetRgn(copy, -wr.left, -wr.top);
  }
  if (win::SelectClipRgn(DC, copy) == win::ERROR) {
    win::HRGN whole = win::CreateRectRgn(0, 0, wr.right - wr.left, wr.bottom - wr.top);
    win::SelectClipRgn(DC, whole);
    win::DeleteObject(whole);
  }
  win::DeleteObject(copy);
}

win::HRGN CreateNullRegion() { return win::CreateRectRgn(0, 0, 0, 0); }

namespace {

win::HRGN FrameRegion(const TRect* R, win::SIZE Size) {
  if (R == nullptr) return CreateNullRegion();
  win::HRGN outer = win::CreateRectRgn(R->left, R->top, R->right, R->bottom);
  win::HRGN inner = win::CreateRectRgn(R->left + Size.cx, R->top + Size.cy, R->right - Size.cx, R->bottom - Size.cy);
  win::CombineRgn(outer, outer, inner, win::RGN_XOR);
  win::DeleteObject(inner);
  return outer;
}

void InvertRegion(win::HDC DC, win::HRGN Rgn, win::HBRUSH Brush) {
  win::RECT box{};
  if (win::GetRgnBox(Rgn, &box) == win::NULLREGION) return;
  int saved = win::SaveDC(DC);
  win::SelectClipRgn(DC, Rgn);
  win::SelectObject(DC, Brush);
  win::PatBlt(DC, box.left, box.top, box.right - box.left, box.bottom - box.top, win::PATINVERT);
  win::RestoreDC(DC, saved);
}

}  // namespace

void DrawInvertRect(win::HDC DC, const TRect* NewRect, const TRect* OldRect, win::SIZE NewSize, win::SIZE OldSize,
                    win::HBRUSH Brush, win::HBRUSH LastBrush) {
  win::HRGN newFrame = FrameRegion(NewRect, NewSize);
  win::HRGN oldFrame = FrameRegion(OldRect, OldSize);
  if (LastBrush == nullptr || Brush == LastBrush) {
    win::CombineRgn(newFrame, newFrame, oldFrame, win::RGN_XOR);
    InvertRegion(DC, newFrame, Brush);
  } else {
    InvertRegion(DC, oldFrame, LastBrush);
    InvertRegion(DC, newFrame, Brush);
  }
  win::DeleteObject(newFrame);
  win::DeleteObject(oldFrame);
}

win::HBRUSH CreateHalftoneBrush() {
  static const win::BYTE kRows[16] = {0x55, 0x55, 0xAA, 0xAA, 0x55, 0x55, 0xAA, 0xAA,
                                      0x55, 0x55, 0xAA, 0xAA, 0x55, 0x55, 0xAA, 0xAA};
  win::HBITMAP pattern = win::CreateBitmap(8, 8, 1, 1, kRows);
  win::HBRUSH brush = win::CreatePatternBrush(pattern);
  win::DeleteObject(pattern);
  return brush;
}

void DrawHalftoneInvertRect(win::HDC DC, const TRect* NewRect, const TRect* OldRect, win::SIZE NewSize,
                            win::SIZE OldSize) {
  win::HBRUSH brush = CreateHalftoneBrush();
  DrawInvertRect(DC, NewRect, OldRect, NewSize, OldSize, brush, brush);
  win::DeleteObject(brush);
}

// ---- monitors and mouse ----

TRect GetRectOfPrimaryMonitor(bool WorkArea) {
  win::RECT r{};
  if (WorkArea && win::SystemParametersInfoW(win::SPI_GETWORKAREA, 0, &r, 0)) return r;
  return TRect{0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN)};
}

bool UsingMultipleMonitors() { return win::GetSystemMetrics(win::SM_CMONITORS) > 1; }

namespace {

using MonitorFromRectFn = win::HMONITOR (*)(const win::RECT*, win::DWORD);
using MonitorFromPointFn = win::HMONITOR (*)(win::POINT, win::DWORD);
using GetMonitorInfoFn = win::BOOL (*)(win::HMONITOR, win::MONITORINFO*);

std::optional<TRect> MonitorRect(win::HMONITOR Monitor, bool WorkArea) {
  auto getInfo = LookUp<GetMonitorInfoFn>(u"user32.dll", "GetMonitorInfoA");
  if (Monitor == nullptr || getInfo == nullptr) return std::nullopt;
  win::MONITORINFO info{};
  info.cbSize = sizeof(win::MONITORINFO);
  if (!getInfo(Monitor, &info)) return std::nullopt;
  return WorkArea ? info.rcWork : info.rcMonitor;
}

}  // namespace

TRect GetRectOfMonitorContainingRect(const TRect& R, bool WorkArea) {
  if (UsingMultipleMonitors()) {
    auto fromRect = LookUp<MonitorFromRectFn>(u"user32.dll", "MonitorFromRect");
    if (fromRect && LookUp<MonitorFromPointFn>(u"user32.dll", "MonitorFromPoint")) {
      if (auto r = MonitorRect(fromRect(&R, win::MONITOR_DEFAULTTONEAREST), WorkArea)) return *r;
    }
  }
  return GetRectOfPrimaryMonitor(WorkArea);
}

TRect GetRectOfMonitorContainingPoint(const TPoint& P, bool WorkArea) {
  if (UsingMultipleMonitors()) {
    auto fromPoint = LookUp<MonitorFromPointFn>(u"user32.dll", "MonitorFromPoint");
    if (fromPoint && LookUp<MonitorFromRectFn>(u"user32.dll", "MonitorFromRect")) {
      if (auto r = MonitorRect(fromPoint(P, win::MONITOR_DEFAULTTONEAREST), WorkArea)) return *r;
    }
  }
  return GetRectOfPrimaryMonitor(WorkArea);
}

bool CallTrackMouseEvent(win::HWND Wnd, win::DWORD Flags) {
  using TrackFn = win::BOOL (*)(win::TRACKMOUSEEVENT*);
  auto track = LookUp<TrackFn>(u"user32.dll", "TrackMouseEvent");
  if (track == nullptr) track = LookUp<TrackFn>(u"comctl32.dll", "_TrackMouseEvent");
  if (track == nullptr) return false;
  win::TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof(win::TRACKMOUSEEVENT);
  tme.dwFlags = Flags;
  tme.hwndTrack = Wnd;
  tme.dwHoverTime = 0;
  return track(&tme) != win::FALSE;
}

}  // namespace toolbars
