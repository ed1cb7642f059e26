#pragma once
// Python's codecs as an independent reference: texts go to /usr/bin/python3 as hex lines and
// come back the same way. An empty result means python3 could not be run.

#include <cstdio>
#include <string>
#include <vector>

namespace cs::test {

inline std::string ToHex(const void* data, size_t size) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  const auto* p = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    out.push_back(digits[p[i] >> 4]);
    out.push_back(digits[p[i] & 15]);
  }
  return out;
}

inline std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// Runs `expression` (of the bytes `b`) on every line; each result must be bytes.
inline std::vector<std::string> PythonMap(const std::vector<std::string>& inputs, const std::string& expression) {
  char path[] = "/tmp/kv_codec_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return {};
  FILE* f = fdopen(fd, "w");
  for (const std::string& in : inputs) std::fprintf(f, "%s\n", ToHex(in.data(), in.size()).c_str());
  std::fclose(f);
  const std::string cmd = "/usr/bin/python3 -c \"import sys\nfor line in open(sys.argv[1]):\n b = bytes.fromhex(line.strip())\n"
                          " print(( " + expression + " ).hex())\" " + path;
  std::vector<std::string> out;
  FILE* pipe = popen(cmd.c_str(), "r");
  if (pipe) {
    char buffer[1 << 16];
    std::string line;
    while (std::fgets(buffer, sizeof buffer, pipe)) {
      line += buffer;
      if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        out.push_back(FromHex(line));
        line.clear();
      }
    }
    pclose(pipe);
  }
  std::remove(path);
  if (out.size() != inputs.size()) out.clear();
  return out;
}

inline std::string WideBytes(const std::u16string& w) {
  std::string out;
  for (char16_t c : w) {
    out.push_back(char(c & 0xFF));
    out.push_back(char(c >> 8));
  }
  return out;
}

inline std::u16string FromWideBytes(const std::string& b) {
  std::u16string out;
  for (size_t i = 0; i + 1 < b.size(); i += 2)
    out.push_back(char16_t(static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8)));
  return out;
}

// Wide texts encoded by Python's `codec` (lone surrogates passed through where the codec can).
inline std::vector<std::string> PythonEncode(const std::vector<std::u16string>& texts, const std::string& codec,
                                             const std::string& errors = "strict") {
  std::vector<std::string> in;
  for (const auto& t : texts) in.push_back(WideBytes(t));
  return PythonMap(in, "b.decode('utf-16-le', 'surrogatepass').encode('" + codec + "', '" + errors + "')");
}

inline std::vector<std::u16string> PythonDecode(const std::vector<std::string>& bytes, const std::string& codec,
                                                const std::string& errors = "strict") {
  std::vector<std::u16string> out;
  for (const auto& b :
       PythonMap(bytes, "b.decode('" + codec + "', '" + errors + "').encode('utf-16-le', 'surrogatepass')"))
    out.push_back(FromWideBytes(b));
  return out;
}

}  // namespace cs::test
