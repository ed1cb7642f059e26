#pragma once
// Functions looked up at run time. Modules are entries of a symbol table that the parts of the
// platform fill with the optional functions they provide; a module without entries (uxtheme,
// oleacc) does not load, exactly as on a system that lacks it. Tests remove entries to drive
// the fallbacks of callers and restore them afterwards.

#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

using FARPROC = void (*)();

// Name matching ignores case; ".dll" is assumed when the name has no extension.
HMODULE LoadLibraryW(LPCWSTR fileName);
HMODULE GetModuleHandleW(LPCWSTR moduleName);
BOOL FreeLibrary(HMODULE module);
// Null with ERROR_PROC_NOT_FOUND when the function is not (or no longer) in the table.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);

namespace modules {

void Register(std::u16string_view module, std::string_view function, FARPROC address);
template <typename Function>
void RegisterFunction(std::u16string_view module, std::string_view function, Function* address) {
  Register(module, function, reinterpret_cast<FARPROC>(address));
}
// Takes a module and its functions out of the table for good (a test's stand-in provider).
void Unregister(std::u16string_view module);
// Test controls: hide one function, or a whole module, until RestoreAll.
void RemoveForTesting(std::u16string_view module, std::string_view function);
void RemoveModuleForTesting(std::u16string_view module);
void RestoreAll();

}  // namespace modules
}  // namespace win
