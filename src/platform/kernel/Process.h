#pragma once
// Starting other programs. Every start goes through an argument vector and posix_spawnp,
// never through a shell, so no character of a file name or argument is interpreted.

#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr UINT ERROR_BAD_FORMAT = 11;
inline constexpr UINT SE_ERR_ACCESSDENIED = 5;
inline constexpr UINT SE_ERR_OOM = 8;
inline constexpr UINT SE_ERR_NOASSOC = 31;

// Starts argv[0] (searched in PATH when it has no "/") with argv as its arguments. Returns the
// process id, or 0 with the last error set. The process is reaped in the background.
int StartProcess(const std::vector<std::string>& argv);
// Waits, in real time, for a process started by StartProcess to end. True with its exit code
// (128 + signal number when killed); false on time-out or for an unknown id.
bool WaitForProcess(int pid, DWORD timeoutMs, int* exitCode);

// The show command (SW_* of the window layer) has no effect on the started program.
// The command line is Windows Cyrillic text: a program (quoted when it contains blanks) and
// the rest of the line, which is passed as one argument (without enclosing quotes). Returns a
// value above 31 on success, else 0, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND or
// ERROR_BAD_FORMAT.
UINT WinExec(LPCSTR commandLine, UINT showCmd);

// Only the "open" verb (or none) on a file, folder or URL, handed to the desktop's opener.
// Returns a value above 32 on success; ERROR_FILE_NOT_FOUND for a missing local file;
// SE_ERR_NOASSOC for other verbs, for parameters and when no opener can be started.
HINSTANCE ShellExecuteW(HWND window, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                        INT showCmd);

namespace process {
// The program and leading arguments ShellExecuteW runs, followed by the file (default
// "xdg-open"). Tests replace it to observe what would be opened.
void SetOpenCommand(std::vector<std::string> prefix);
void ResetOpenCommand();
// Waits, in real time, until every process started so far has ended; false on time-out.
// Lets tests check the effects of WinExec and ShellExecuteW, which return no process id.
bool WaitForAllStarted(DWORD timeoutMs);
}  // namespace process

}  // namespace win
