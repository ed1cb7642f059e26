#include "presenter/DroppedFiles.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "platform/kernel/Files.h"

namespace win::presenter {
namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// %XX becomes the byte XX; a "%" not followed by two hex digits stays as it is.
std::string PercentDecoded(std::string_view Text) {
  std::string bytes;
  bytes.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const int hi = Text[i] == '%' && i + 2 < Text.size() ? HexDigit(Text[i + 1]) : -1;
    const int lo = hi >= 0 ? HexDigit(Text[i + 2]) : -1;
    if (lo >= 0) {
      bytes += char((hi << 4) | lo);
      i += 2;
    } else {
      bytes += Text[i];
    }
  }
  return bytes;
}

bool EqualsIgnoringCase(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

bool IsThisMachine(std::string_view Host) {
  if (Host.empty() || EqualsIgnoringCase(Host, "localhost")) return true;
  char name[256] = {};
  return ::gethostname(name, sizeof name - 1) == 0 && EqualsIgnoringCase(Host, name);
}

// The path of one URI line, or false when it names no local file.
bool LocalPathOf(std::string_view Uri, std::string& Path) {
  constexpr std::string_view scheme = "file:";
  if (Uri.size() < scheme.size() || !EqualsIgnoringCase(Uri.substr(0, scheme.size()), scheme)) return false;
  Uri.remove_prefix(scheme.size());
  if (Uri.substr(0, 2) == "//") {
    Uri.remove_prefix(2);
    const std::size_t slash = Uri.find('/');
    if (slash == std::string_view::npos || !IsThisMachine(PercentDecoded(Uri.substr(0, slash)))) return false;
    Uri.remove_prefix(slash);
  }
  // A query or fragment is no part of a file's name.
  Uri = Uri.substr(0, std::min(Uri.find('?'), Uri.find('#')));
  if (Uri.empty() || Uri.front() != '/') return false;
  Path = PercentDecoded(Uri);
  return Path.find('\0') == std::string::npos;
}

}  // namespace

std::vector<std::string> LocalPathsOfUriList(std::string_view List) {
  std::vector<std::string> paths;
  while (!List.empty()) {
    const std::size_t end = std::min(List.find('\n'), List.size());
    std::string_view line = List.substr(0, end);
    List.remove_prefix(std::min(end + 1, List.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::string path;
    if (LocalPathOf(line, path)) paths.push_back(std::move(path));
  }
  return paths;
}

std::vector<std::u16string> LocalFilesOfUriList(std::string_view List) {
  std::vector<std::u16string> files;
  for (const std::string& path : LocalPathsOfUriList(List)) files.push_back(WidePathOf(path));
  return files;
}

}  // namespace win::presenter
