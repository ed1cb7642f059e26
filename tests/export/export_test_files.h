#pragma once
// The file side of the export tests: a scratch folder, whole files in and out, and the output of
// an independent reader run as a shell command.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace exporttest {

using Bytes = std::vector<std::uint8_t>;

// A folder of its own under the system's temporary folder, removed with everything in it (also
// when a test left it without write permission).
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kv-export-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(FPath, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string File(const std::string& Name) const { return (FPath / Name).string(); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(FPath))
      names.push_back(e.path().filename().string());
    return names;
  }
  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

inline std::string ReadText(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes ReadFile(const std::string& Path) {
  const std::string text = ReadText(Path);
  return Bytes(text.begin(), text.end());
}

inline void WriteFile(const std::string& Path, std::string_view Data) {
  std::ofstream(Path, std::ios::binary).write(Data.data(), std::streamsize(Data.size()));
}

inline void WriteFile(const std::string& Path, const Bytes& Data) {
  WriteFile(Path, std::string_view(reinterpret_cast<const char*>(Data.data()), Data.size()));
}

// What Command (a shell command line, redirections included) writes to its standard output;
// *Status gets its exit status as pclose gives it (-1 when it could not be started).
inline std::string CommandOutput(const std::string& Command, int* Status) {
  std::string out;
  *Status = -1;
  FILE* pipe = popen(Command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run " << Command;
    return out;
  }
  char buf[65536];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  *Status = pclose(pipe);
  return out;
}

}  // namespace exporttest
