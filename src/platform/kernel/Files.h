#pragma once
// File-system functions in their Win32 shape over POSIX paths. Wide paths are UTF-16 forms of
// the UTF-8 file names; "/" is the directory separator.

#include <string>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD MAX_PATH = 260;

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
inline constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008;

// The executable's path (module must be null: there is one module). Returns the length
// without terminator; a short buffer gets a truncated, terminated path, the return value
// `size` and ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
// The temporary folder with a trailing "/". Returns its length, or when the buffer is too
// small the size needed including the terminator.
DWORD GetTempPathW(DWORD size, LPWSTR buffer);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL DeleteFileW(LPCWSTR path);
// Renames atomically. Without MOVEFILE_REPLACE_EXISTING an existing target is kept and the
// call fails with ERROR_ALREADY_EXISTS. Across file systems only with MOVEFILE_COPY_ALLOWED.
BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags);

// A wide path and the bytes of the file name on disk. Names are UTF-8 on disk, but a name made
// elsewhere may hold bytes that are not: each such byte (0x80..0xFF) reads as the lone
// surrogate U+DC00 + byte and is written back as that byte, so every name on disk survives the
// round trip. Other lone surrogates, which no name on disk can hold, are written as U+FFFD.
std::string NativePathOf(std::u16string_view path);
std::u16string WidePathOf(std::string_view native);

// A write past the process's file size limit (ulimit -f) then fails with EFBIG, as a write to a
// full disk fails with ENOSPC, instead of ending the process with SIGXFSZ. Programs it starts
// get the default back (see Process.h).
void ReportFileSizeLimitAsWriteError();

// The executable's path as a string.
std::u16string ModuleFileName();
// `path` with its extension (from the last "." of the file name) replaced by `extension`
// (which includes the "."); appended when the name has none.
std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view extension);
// The executable's path with another extension, e.g. ".ini" for the settings file.
std::u16string ModulePathWithExtension(std::u16string_view extension);

namespace module {
// Makes the module appear to live at `path` (tests place the settings file in a temporary
// folder this way). An empty path restores the real one.
void OverrideFileName(std::u16string path);
}  // namespace module

}  // namespace win
