#include "platform/user/messages/DragDrop.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/kernel/CodePages.h"
#include "platform/kernel/LastError.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/services/SysWindowLink.h"

namespace win {
namespace {

constexpr UINT kQueryCount = 0xFFFFFFFF;

struct DropContents {
  DROPFILES header;
  std::vector<std::u16string> names;
};

std::u16string AnsiToWide(const char* p, size_t n) {
  std::u16string w;
  int len = n ? MultiByteToWideChar(CP_ACP, 0, p, int(n), nullptr, 0) : 0;
  w.resize(size_t(len));
  if (len > 0) MultiByteToWideChar(CP_ACP, 0, p, int(n), w.data(), len);
  return w;
}

// Reads a drop block without ever going past its end: a list without its closing empty name
// ends with the block, and a name cut by the end of the block is dropped.
std::optional<DropContents> Read(HDROP hDrop) {
  auto* block = reinterpret_cast<HGLOBAL>(hDrop);
  size_t size = GlobalSize(block);
  if (size < sizeof(DROPFILES)) return std::nullopt;
  auto* bytes = static_cast<const uint8_t*>(GlobalLock(block));
  if (!bytes) return std::nullopt;
  DropContents out;
  std::memcpy(&out.header, bytes, sizeof(DROPFILES));
  size_t pos = std::max<size_t>(out.header.pFiles, sizeof(DROPFILES));
  if (out.header.fWide) {
    std::u16string_view units(nullptr, 0);
    if (pos < size && pos % alignof(char16_t) == 0) units = {reinterpret_cast<const char16_t*>(bytes + pos), (size - pos) / sizeof(char16_t)};
    while (!units.empty()) {
      size_t end = units.find(u'\0');
      if (end == 0 || end == units.npos) break;
      out.names.emplace_back(units.substr(0, end));
      units.remove_prefix(end + 1);
    }
  } else {
    std::string_view chars;
    if (pos < size) chars = {reinterpret_cast<const char*>(bytes + pos), size - pos};
    while (!chars.empty()) {
      size_t end = chars.find('\0');
      if (end == 0 || end == chars.npos) break;
      out.names.push_back(AnsiToWide(chars.data(), end));
      chars.remove_prefix(end + 1);
    }
  }
  GlobalUnlock(block);
  return out;
}

template <class Char>
UINT CopyName(const std::basic_string<Char>& name, Char* buffer, UINT cch) {
  if (!buffer) return UINT(name.size());
  if (cch == 0) return 0;
  size_t n = std::min<size_t>(name.size(), cch - 1);
  std::copy_n(name.data(), n, buffer);
  buffer[n] = Char(0);
  return UINT(n);
}

std::string WideToAnsi(const std::u16string& w) {
  std::string s;
  int len = w.empty() ? 0 : WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  s.resize(size_t(len));
  if (len > 0) WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), s.data(), len, nullptr, nullptr);
  return s;
}

}  // namespace

HDROP CreateDropHandle(POINT pt, const std::vector<std::u16string>& files, BOOL nonClient) {
  bool bad = files.empty() || std::any_of(files.begin(), files.end(), [](const std::u16string& f) {
               return f.empty() || f.find(u'\0') != f.npos;
             });
  if (bad) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::u16string list;
  for (const auto& f : files) {
    list += f;
    list += u'\0';
  }
  list += u'\0';
  DROPFILES header;
  header.pFiles = sizeof(DROPFILES);
  header.pt = pt;
  header.fNC = nonClient ? TRUE : FALSE;
  header.fWide = TRUE;
  size_t size = sizeof(DROPFILES) + list.size() * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  if (!p) return nullptr;
  std::memcpy(p, &header, sizeof(header));
  std::memcpy(p + sizeof(header), list.data(), list.size() * sizeof(char16_t));
  GlobalUnlock(block);
  return reinterpret_cast<HDROP>(block);
}

void DragAcceptFiles(HWND hWnd, BOOL fAccept) {
  auto link = CurrentSysWindowLink();
  if (link.setAcceptFiles) link.setAcceptFiles(hWnd, fAccept != FALSE);
}

UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch) {
  auto drop = Read(hDrop);
  if (!drop) return 0;
  if (iFile == kQueryCount) return UINT(drop->names.size());
  if (iFile >= drop->names.size()) return 0;
  return CopyName(drop->names[iFile], lpszFile, cch);
}

UINT DragQueryFileA(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch) {
  auto drop = Read(hDrop);
  if (!drop) return 0;
  if (iFile == kQueryCount) return UINT(drop->names.size());
  if (iFile >= drop->names.size()) return 0;
  return CopyName(WideToAnsi(drop->names[iFile]), lpszFile, cch);
}

BOOL DragQueryPoint(HDROP hDrop, POINT* lppt) {
  auto drop = Read(hDrop);
  if (!drop || !lppt) return FALSE;
  *lppt = drop->header.pt;
  return drop->header.fNC ? FALSE : TRUE;
}

void DragFinish(HDROP hDrop) { GlobalFree(reinterpret_cast<HGLOBAL>(hDrop)); }

}  // namespace win
