#pragma once
// Resources compiled into the program. A bundle of (type, name) entries is filled at start-up,
// by the code that cmake/EmbedResources.cmake generates from the files under resources/ and by
// explicit registration; the Win32-shaped functions look entries up in it.

#include <cstddef>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

// Integer identifiers travel in the pointer, as in Win32.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(uintptr_t(id)); }

inline const LPCWSTR RT_CURSOR = MAKEINTRESOURCEW(1);
inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_ICON = MAKEINTRESOURCEW(3);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(4);
inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
inline const LPCWSTR RT_STRING = MAKEINTRESOURCEW(6);
inline const LPCWSTR RT_RCDATA = MAKEINTRESOURCEW(10);
inline const LPCWSTR RT_GROUP_CURSOR = MAKEINTRESOURCEW(12);
inline const LPCWSTR RT_GROUP_ICON = MAKEINTRESOURCEW(14);

// The module handle is not checked: the program is the only module with resources. Names and
// types given as text are compared without case.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Copies at most bufferMax - 1 units and a terminator; returns the units copied. With
// bufferMax 0, `buffer` receives a pointer to the read-only text (as an LPWSTR*) instead.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

namespace resources {

// The bytes are copied. Registering the same type and name again replaces the entry for later
// lookups; data handed out before stays valid.
void Register(LPCWSTR type, LPCWSTR name, const void* data, std::size_t size);
void RegisterString(UINT id, std::u16string_view text);

}  // namespace resources
}  // namespace win
