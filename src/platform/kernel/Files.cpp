#include "platform/kernel/Files.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"
#include "platform/kernel/Utf16.h"
#include "platform/kernel/ErrnoMapping.h"

namespace win {
namespace {

std::mutex gOverrideMutex;
std::u16string gOverridePath;

std::u16string RealModuleFileName() {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0) return {};
  buffer.resize(size_t(n));
  return WidePathOf(buffer);
}

// Copies `text` into a caller buffer with the terminator; the length written, or 0 when it
// does not fit.
bool CopyOut(const std::u16string& text, LPWSTR buffer, DWORD size) {
  if (!buffer || text.size() + 1 > size) return false;
  std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  return true;
}

std::string NativePath(LPCWSTR path) { return NativePathOf(std::u16string_view(path)); }

// Length of the well-formed UTF-8 sequence at bytes[i], or 0.
size_t WellFormedAt(std::string_view bytes, size_t i) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) return 1;
  size_t length = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) length = 2;
  else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else return 0;
  if (i + length > bytes.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return 0;
  }
  return length;
}

bool SyncDirectoryOf(const std::string& path) {
  const std::string dir = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// rename(2) that keeps an existing target, atomically where the file system allows it.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  // The file system cannot do it atomically: a hard link fails on an existing target.
  if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str());
  if (errno != EPERM && errno != EOPNOTSUPP) return -1;
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return -1;
  }
  return ::rename(from.c_str(), to.c_str());
}

}  // namespace

std::string NativePathOf(std::u16string_view path) {
  std::string out;
  out.reserve(path.size());
  size_t runStart = 0;
  auto flush = [&](size_t end) { out += WideToUtf8(path.substr(runStart, end - runStart)); };
  for (size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c < 0xDC80 || c > 0xDCFF || (i > 0 && IsHighSurrogate(path[i - 1]))) continue;
    flush(i);
    out.push_back(static_cast<char>(c - 0xDC00));
    runStart = i + 1;
  }
  flush(path.size());
  return out;
}

std::u16string WidePathOf(std::string_view native) {
  std::u16string out;
  out.reserve(native.size());
  size_t i = 0;
  while (i < native.size()) {
    size_t j = i;
    while (j < native.size()) {
      const size_t length = WellFormedAt(native, j);
      if (length == 0) break;
      j += length;
    }
    out += Utf8ToWide(native.substr(i, j - i));
    if (j < native.size()) out.push_back(char16_t(0xDC00 + static_cast<unsigned char>(native[j++])));
    i = j;
  }
  return out;
}

void ReportFileSizeLimitAsWriteError() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
}

std::u16string ModuleFileName() {
  {
    std::lock_guard lock(gOverrideMutex);
    if (!gOverridePath.empty()) return gOverridePath;
  }
  return RealModuleFileName();
}

namespace module {
void OverrideFileName(std::u16string path) {
  std::lock_guard lock(gOverrideMutex);
  gOverridePath = std::move(path);
}
}  // namespace module

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  if (module != nullptr || (!fileName && size > 0)) {
    SetLastError(module ? ERROR_MOD_NOT_FOUND : ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string path = ModuleFileName();
  if (path.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() + 1 > size) {
    std::memcpy(fileName, path.data(), (size - 1) * sizeof(char16_t));
    fileName[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(fileName, path.c_str(), (path.size() + 1) * sizeof(char16_t));
  SetLastError(ERROR_SUCCESS);
  return DWORD(path.size());
}

DWORD GetTempPathW(DWORD size, LPWSTR buffer) {
  std::u16string path;
  const char* env = std::getenv("TMPDIR");
  struct stat st {};
  if (env && *env && ::stat(env, &st) == 0 && S_ISDIR(st.st_mode))
    path = Utf8ToWide(env);
  else
    path = u"/tmp";
  if (path.back() != u'/') path += u'/';
  if (!CopyOut(path, buffer, size)) return DWORD(path.size() + 1);
  return DWORD(path.size());
}

DWORD GetFileAttributesW(LPCWSTR path) {
  if (!path || !*path) {
    SetLastError(path ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  const std::string native = NativePath(path);
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) {
    SetLastErrorFromErrno(errno);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  // Read-only: nobody may write it, or at least not this process.
  if ((st.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
  const std::string name = std::filesystem::path(native).filename().string();
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL DeleteFileW(LPCWSTR path) {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string native = NativePath(path);
  struct stat st {};
  if (::lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::unlink(native.c_str()) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags) {
  constexpr DWORD kKnown = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;
  if (!existing || !newName || (flags & ~kKnown) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string from = NativePath(existing), to = NativePath(newName);
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  int rc = replace ? ::rename(from.c_str(), to.c_str()) : RenameNoReplace(from, to);
  if (rc != 0 && errno == EXDEV && (flags & MOVEFILE_COPY_ALLOWED)) {
    // Another file system: copy next to the target, then rename into place, so the target is
    // never seen half-written.
    std::error_code ec;
    const std::string temp = to + ".kvmove~";
    std::filesystem::copy_file(from, temp, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      std::filesystem::remove(temp, ec);
      errno = EIO;
      rc = -1;
    } else {
      rc = replace ? ::rename(temp.c_str(), to.c_str()) : RenameNoReplace(temp, to);
      const int saved = errno;
      if (rc == 0)
        ::unlink(from.c_str());
      else
        ::unlink(temp.c_str());
      errno = saved;
    }
  }
  if (rc != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (flags & MOVEFILE_WRITE_THROUGH) SyncDirectoryOf(to);
  return TRUE;
}

std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view extension) {
  const size_t slash = path.find_last_of(u"/\\");
  const size_t nameStart = slash == std::u16string_view::npos ? 0 : slash + 1;
  const size_t dot = path.find_last_of(u'.');
  std::u16string result(path);
  if (dot != std::u16string_view::npos && dot >= nameStart) result.resize(dot);
  result.append(extension);
  return result;
}

std::u16string ModulePathWithExtension(std::u16string_view extension) {
  return ChangeFileExt(ModuleFileName(), extension);
}

}  // namespace win
