#pragma once
// Registry reads over an in-memory store that starts empty, so every lookup finds nothing
// (callers take their documented defaults) unless a test has put values in.

#include <string>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

using REGSAM = DWORD;
using LSTATUS = LONG;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t(0x80000000));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t(0x80000002));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(uintptr_t(0x80000003));

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_READ = 0x20019;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// Return ERROR_SUCCESS or an error code (ERROR_FILE_NOT_FOUND for a missing key or value,
// ERROR_INVALID_HANDLE, ERROR_MORE_DATA for a short buffer with the size needed in *dataSize).
LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, HKEY* result);
// A null or empty value name reads the key's default value.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
LSTATUS RegCloseKey(HKEY key);

namespace registry {

// Test set-up: values under a root key and a "\"-separated path (case-insensitive).
void SetValue(HKEY root, std::u16string_view path, std::u16string_view name, DWORD type, std::string_view bytes);
void SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text);
void SetDword(HKEY root, std::u16string_view path, std::u16string_view name, DWORD value);
// Empties the store again.
void Clear();

}  // namespace registry
}  // namespace win
