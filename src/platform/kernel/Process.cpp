#include "platform/kernel/Process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/EndSignals.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"
#include "platform/kernel/ErrnoMapping.h"

extern char** environ;

namespace win {
namespace {

struct Children {
  std::mutex mutex;
  std::condition_variable ended;
  std::map<int, int> exitCodes;  // filled by the reapers, emptied by WaitForProcess
  std::map<int, bool> known;
  std::vector<std::string> openCommand{"xdg-open"};
};

Children& TheChildren() {
  static Children* children = new Children;  // reaper threads may outlive main
  return *children;
}

// Spawns with an optional working folder; returns 0 or an errno value.
int Spawn(const std::vector<std::string>& argv, const std::string& directory, pid_t& pid) {
  if (argv.empty() || argv[0].empty()) return ENOENT;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  // A signal ignored or blocked here stays so across exec: the file size limit's signal, which
  // this program turns into a write error, and the signals that end a session, which it answers
  // through its message loop (or was started to ignore), get their defaults back, none blocked.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGXFSZ);
  for (int signal : kEndSignals) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  const int rc = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return rc;
}

int StartIn(const std::vector<std::string>& argv, const std::string& directory) {
  pid_t pid = 0;
  const int rc = Spawn(argv, directory, pid);
  if (rc != 0) {
    SetLastErrorFromErrno(rc);
    return 0;
  }
  Children& c = TheChildren();
  {
    std::lock_guard lock(c.mutex);
    c.known[pid] = true;
  }
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    Children& children = TheChildren();
    {
      std::lock_guard lock(children.mutex);
      children.exitCodes[pid] = code;
    }
    children.ended.notify_all();
  }).detach();
  return int(pid);
}

std::string TrimBlanks(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool LooksLikeUrl(const std::u16string& s) {
  const size_t colon = s.find(u':');
  if (colon == std::u16string::npos || colon < 2) return false;  // "C:" is a drive, not a scheme
  for (size_t i = 0; i < colon; ++i) {
    const char16_t c = s[i];
    const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (i > 0 && ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'));
    if (!ok) return false;
  }
  return true;
}

}  // namespace

int StartProcess(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  return StartIn(argv, {});
}

bool WaitForProcess(int pid, DWORD timeoutMs, int* exitCode) {
  Children& c = TheChildren();
  std::unique_lock lock(c.mutex);
  if (!c.known.count(pid)) return false;
  const auto ready = [&] { return c.exitCodes.count(pid) > 0; };
  if (timeoutMs == 0xFFFFFFFF)
    c.ended.wait(lock, ready);
  else if (!c.ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
    return false;
  if (exitCode) *exitCode = c.exitCodes[pid];
  c.exitCodes.erase(pid);
  c.known.erase(pid);
  return true;
}

UINT WinExec(LPCSTR commandLine, UINT) {
  if (!commandLine) return 0;
  const std::string line = TrimBlanks(Cp1251ToUtf8(commandLine));
  std::string program, rest;
  if (!line.empty() && line[0] == '"') {
    const size_t close = line.find('"', 1);
    program = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    rest = close == std::string::npos ? "" : line.substr(close + 1);
  } else {
    const size_t blank = line.find_first_of(" \t");
    program = line.substr(0, blank);
    rest = blank == std::string::npos ? "" : line.substr(blank);
  }
  rest = TrimBlanks(rest);
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"' && rest.find('"', 1) == rest.size() - 1)
    rest = rest.substr(1, rest.size() - 2);
  if (program.empty()) return ERROR_FILE_NOT_FOUND;
  std::vector<std::string> argv{program};
  if (!rest.empty()) argv.push_back(rest);
  if (StartIn(argv, {}) != 0) return 33;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return UINT(error);
  if (error == ERROR_ACCESS_DENIED) return ERROR_BAD_FORMAT;
  return 0;
}

HINSTANCE ShellExecuteW(HWND, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT) {
  const auto code = [](uintptr_t v) { return reinterpret_cast<HINSTANCE>(v); };
  if (!file || !*file) return code(ERROR_FILE_NOT_FOUND);
  if (operation && *operation && !SameTextIgnoreCase(std::u16string_view(operation), u"open"))
    return code(SE_ERR_NOASSOC);
  if (parameters && *parameters) return code(SE_ERR_NOASSOC);
  const std::u16string target(file);
  const std::string dir = directory ? WideToUtf8(directory) : std::string();
  std::string native = WideToUtf8(target);
  if (!LooksLikeUrl(target)) {
    // A relative name is relative to the given folder, as the opener will see it.
    const std::string checked = (!dir.empty() && native[0] != '/') ? dir + "/" + native : native;
    struct stat st {};
    if (::stat(checked.c_str(), &st) != 0) return code(ERROR_FILE_NOT_FOUND);
  }
  std::vector<std::string> argv;
  {
    Children& c = TheChildren();
    std::lock_guard lock(c.mutex);
    argv = c.openCommand;
  }
  argv.push_back(native);
  if (StartIn(argv, dir) == 0) return code(GetLastError() == ERROR_NOT_ENOUGH_MEMORY ? SE_ERR_OOM : SE_ERR_NOASSOC);
  return code(42);
}

namespace process {

void SetOpenCommand(std::vector<std::string> prefix) {
  Children& c = TheChildren();
  std::lock_guard lock(c.mutex);
  c.openCommand = std::move(prefix);
}

void ResetOpenCommand() { SetOpenCommand({"xdg-open"}); }

bool WaitForAllStarted(DWORD timeoutMs) {
  Children& c = TheChildren();
  std::unique_lock lock(c.mutex);
  return c.ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    for (const auto& [pid, alive] : c.known)
      if (!c.exitCodes.count(pid)) return false;
    return true;
  });
}

}  // namespace process
}  // namespace win
