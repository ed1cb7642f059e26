#include "controls/UniFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "controls/UniCodePages.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/ErrnoMapping.h"
#include "platform/kernel/LastError.h"

namespace cs {

char16_t* WideStrEnd(const char16_t* P) {
  while (*P != 0) ++P;
  return const_cast<char16_t*>(P);
}

std::size_t WideStrLen(const char16_t* P) { return std::size_t(WideStrEnd(P) - P); }

char16_t* WideStrLCopy(char16_t* Dest, const char16_t* Source, std::size_t N) {
  std::size_t i = 0;
  for (; i < N && Source[i] != 0; ++i) Dest[i] = Source[i];
  Dest[i] = 0;
  return Dest;
}

char16_t* WideStrScan(const char16_t* P, char16_t Character) {
  for (;; ++P) {
    if (*P == Character) return const_cast<char16_t*>(P);
    if (*P == 0) return nullptr;
  }
}

char16_t* WideStrMove(char16_t* Dest, const char16_t* Source, std::size_t N) {
  std::memmove(Dest, Source, N * sizeof(char16_t));
  return Dest;
}

char16_t* WideStrAlloc(std::size_t N) {
  auto* block = new uint32_t[(N * 2 + 4 + 3) / 4];
  block[0] = uint32_t(N * 2 + 4);
  return reinterpret_cast<char16_t*>(block + 1);
}

char16_t* WideStrNew(const char16_t* P) {
  if (P == nullptr) return nullptr;
  const std::size_t n = WideStrLen(P) + 1;
  return WideStrMove(WideStrAlloc(n), P, n);
}

void WideStrDispose(char16_t* P) {
  if (P != nullptr) delete[] (reinterpret_cast<uint32_t*>(P) - 1);
}

WideString WideUpperCaseCopy(std::u16string_view W) {
  WideString out(W);
  WideCharUpperBuff(out.data(), win::DWORD(out.size()));
  return out;
}

WideString WideLowerCaseCopy(std::u16string_view W) {
  WideString out(W);
  WideCharLowerBuff(out.data(), win::DWORD(out.size()));
  return out;
}

WideString WideAddTrailingBackslash(const WideString& W) {
  if (!W.empty() && W.back() == WidePathDelim) return W;
  return W + WidePathDelim;
}

std::size_t WideLastDelimiter(std::u16string_view Delimiters, std::u16string_view W) {
  for (std::size_t i = W.size(); i > 0; --i) {
    const char16_t c = W[i - 1];
    if (c != 0 && Delimiters.find(c) != std::u16string_view::npos) return i;
  }
  return 0;
}

WideString WideFileNamePart(const WideString& Path) {
  return Path.substr(WideLastDelimiter(std::u16string_view(&WidePathDelim, 1), Path));
}

int WideCreateFile(const WideString& Name, win::DWORD Access, win::DWORD Share, const void* /*Security*/,
                   win::DWORD Disposition, win::DWORD Flags, win::HANDLE /*Template*/) {
  (void)Share;  // see the header: sharing is the file streams' matter
  const bool read = (Access & GENERIC_READ) != 0, write = (Access & GENERIC_WRITE) != 0;
  int flags = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  switch (Disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: flags = -1;
  }
  // Truncating what cannot be written, or opening for nothing, is refused before the disk is asked.
  if (flags == -1 || (!read && !write) || (Disposition == TRUNCATE_EXISTING && !write)) {
    win::SetLastError(win::ERROR_INVALID_PARAMETER);
    return -1;
  }
  const ::mode_t mode = (Flags & win::FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  const int fd = ::open(win::NativePathOf(Name).c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0 && errno == EEXIST) {
    win::SetLastError(win::ERROR_FILE_EXISTS);  // what a refused CREATE_NEW reports
  } else if (fd < 0) {
    win::SetLastErrorFromErrno(errno);
  }
  return fd;
}

int WideFileCreate(const WideString& Name) {
  return WideCreateFile(Name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, win::FILE_ATTRIBUTE_NORMAL,
                        nullptr);
}

int WideFileOpen(const WideString& Name, fw::Word Mode) {
  static constexpr win::DWORD kAccess[4] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE, GENERIC_READ};
  static constexpr win::DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE};
  const unsigned share = (Mode & 0xF0) >> 4;
  return WideCreateFile(Name, kAccess[Mode & 3], share < 5 ? kShare[share] : 0, nullptr, OPEN_EXISTING,
                        win::FILE_ATTRIBUTE_NORMAL, nullptr);
}

win::DWORD WideFileAttributes(const WideString& Name) { return WideGetFileAttributes(Name); }

bool WideDirExists(const WideString& Name) {
  const win::DWORD a = WideFileAttributes(Name);
  return a != win::INVALID_FILE_ATTRIBUTES && (a & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WideFileExists(const WideString& Name) {
  const win::DWORD a = WideFileAttributes(Name);
  return a != win::INVALID_FILE_ATTRIBUTES && (a & win::FILE_ATTRIBUTE_DIRECTORY) == 0;
}

WideString WideModuleFileName(win::HMODULE Module) {
  // No fixed-size buffer: a path longer than the old 260-character limit is returned whole.
  WideString path = Module == nullptr ? win::ModuleFileName() : WideString();
  if (path.empty()) throw EUniGeneralError(fw::SysErrorMessage(ENOENT));
  return path.substr(0, path.find(u'\0'));
}

namespace {

// The framework reports the name as the bytes it opened; the user reads the wide name.
String ReadableMessage(const char* Format, const WideString& WideName, const String& NativeName,
                       const String& Message) {
  const String prefix = fw::Format(Format, NativeName, "");
  const String reason = Message.compare(0, prefix.size(), prefix) == 0 ? Message.substr(prefix.size()) : Message;
  return fw::Format(Format, WideToUtf8(WideName), reason);
}

}  // namespace

TUniFileStream::TUniFileStream(const WideString& FileName, fw::Word Mode)
try : fw::TFileStream(win::NativePathOf(FileName), Mode), FWideFileName(FileName) {
} catch (const fw::EFCreateError& e) {
  throw fw::EFCreateError(ReadableMessage("Cannot create file \"%s\". %s", FileName, win::NativePathOf(FileName), e.what()));
} catch (const fw::EFOpenError& e) {
  throw fw::EFOpenError(ReadableMessage("Cannot open file \"%s\". %s", FileName, win::NativePathOf(FileName), e.what()));
}

WideString WideParseParam(std::u16string_view& Text) {
  constexpr std::size_t kMaxParam = 8192;
  std::size_t i = 0;
  for (;;) {
    while (i < Text.size() && Text[i] >= 1 && Text[i] <= 32) ++i;
    if (i + 1 < Text.size() && Text[i] == u'"' && Text[i + 1] == u'"') {
      i += 2;
      continue;
    }
    break;
  }
  WideString param;
  while (i < Text.size() && Text[i] >= 33 && param.size() < kMaxParam) {
    if (Text[i] == u'"') {
      ++i;
      while (i < Text.size() && Text[i] != u'"' && param.size() < kMaxParam) param.push_back(Text[i++]);
      if (i < Text.size() && Text[i] == u'"') ++i;
    } else {
      param.push_back(Text[i++]);
    }
  }
  Text.remove_prefix(i);
  return param;
}

WideString WideParamStr(int Index) {
  if (Index < 0) return {};
  if (Index == 0) return WideModuleFileName();
  // This system hands the program its parameters already split; each is a file-name-like
  // byte string, read as a wide name would be.
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t start = 0;
  for (int i = 0; start < all.size(); ++i) {
    std::size_t end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    if (i == Index) return win::WidePathOf(std::string_view(all).substr(start, end - start));
    start = end + 1;
  }
  return {};
}

}  // namespace cs
