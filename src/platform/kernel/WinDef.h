#pragma once
// Base types of the Win32-shaped platform layer: integer widths, handles, geometry records.
// Everything lives in namespace win; the layers above use these names as the Win32 API does.

#include <cstdint>

namespace win {

using BOOL = int32_t;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using INT = int32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;
using WCHAR = char16_t;
using LPCWSTR = const char16_t*;
using LPWSTR = char16_t*;
using LPCSTR = const char*;
using LPSTR = char*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using DWORD_PTR = uintptr_t;
using ATOM = uint16_t;
using COLORREF = uint32_t;
using LCID = uint32_t;

// Handles are opaque pointers of distinct types, as in Win32. They are never dereferenced by
// callers: each owning part validates them against its own table, so a stale or forged handle
// makes a call fail instead of crashing.
using HANDLE = void*;
using HGDIOBJ = void*;
#define KV_DECLARE_HANDLE(name) \
  struct name##__;              \
  using name = name##__*
KV_DECLARE_HANDLE(HWND);
KV_DECLARE_HANDLE(HDC);
KV_DECLARE_HANDLE(HPEN);
KV_DECLARE_HANDLE(HBRUSH);
KV_DECLARE_HANDLE(HFONT);
KV_DECLARE_HANDLE(HBITMAP);
KV_DECLARE_HANDLE(HRGN);
KV_DECLARE_HANDLE(HPALETTE);
KV_DECLARE_HANDLE(HMENU);
KV_DECLARE_HANDLE(HICON);
KV_DECLARE_HANDLE(HINSTANCE);
KV_DECLARE_HANDLE(HMONITOR);
KV_DECLARE_HANDLE(HHOOK);
KV_DECLARE_HANDLE(HENHMETAFILE);
KV_DECLARE_HANDLE(HMETAFILE);
KV_DECLARE_HANDLE(HKEY);
KV_DECLARE_HANDLE(HRSRC);
KV_DECLARE_HANDLE(HGLOBAL);
KV_DECLARE_HANDLE(HDROP);
#undef KV_DECLARE_HANDLE
using HCURSOR = HICON;
using HMODULE = HINSTANCE;

struct POINT {
  LONG x = 0;
  LONG y = 0;
  friend constexpr bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
  friend constexpr bool operator==(const SIZE&, const SIZE&) = default;
};

// A rectangle covers [left, right) x [top, bottom), as every GDI and window rule assumes.
struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  friend constexpr bool operator==(const RECT&, const RECT&) = default;
};

struct POINTS {
  SHORT x = 0;
  SHORT y = 0;
};

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16); }
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(uintptr_t v) { return BYTE(v & 0xFF); }
constexpr BYTE HIBYTE(uintptr_t v) { return BYTE((v >> 8) & 0xFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }
// Integer identifiers (resources, class atoms) travel in string pointers, as in Win32.
inline bool IS_INTRESOURCE(const void* p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(MAKELONG(lo, hi)); }
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM lp) { return int(SHORT(LOWORD(uintptr_t(lp)))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return int(SHORT(HIWORD(uintptr_t(lp)))); }

}  // namespace win
