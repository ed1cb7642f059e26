// Runs a fuzz target without libFuzzer: every file of the corpus folder as it is, then a fixed
// series of damaged copies of each (cut short, bytes flipped, bytes repeated, random bytes
// spliced in), so the sanitizer build exercises the same entry point on every test run.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

namespace {

using Bytes = std::vector<std::uint8_t>;

void Run(const Bytes& Input) { LLVMFuzzerTestOneInput(Input.data(), Input.size()); }

Bytes Damaged(const Bytes& Original, std::mt19937& Random) {
  Bytes b = Original;
  std::uniform_int_distribution<int> kind(0, 4);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(Random); };
  switch (kind(Random)) {
    case 0:  // cut short
      b.resize(pick(b.size()));
      break;
    case 1:  // flip a few bytes
      for (int i = 0; i < 4 && !b.empty(); ++i) b[pick(b.size() - 1)] ^= std::uint8_t(1u << pick(7));
      break;
    case 2: {  // set a byte to an extreme
      if (!b.empty()) b[pick(b.size() - 1)] = (Random() & 1) ? 0xFF : 0x00;
      break;
    }
    case 3: {  // repeat a slice
      if (b.empty()) break;
      std::size_t from = pick(b.size() - 1), len = pick(std::min<std::size_t>(64, b.size() - from));
      Bytes slice(b.begin() + std::ptrdiff_t(from), b.begin() + std::ptrdiff_t(from + len));
      b.insert(b.begin() + std::ptrdiff_t(pick(b.size())), slice.begin(), slice.end());
      break;
    }
    default: {  // splice in random bytes
      Bytes noise(pick(32));
      for (auto& c : noise) c = std::uint8_t(Random());
      b.insert(b.begin() + std::ptrdiff_t(pick(b.size())), noise.begin(), noise.end());
      break;
    }
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <corpus folder> [damaged copies per file]\n", argv[0]);
    return 2;
  }
  int copies = argc > 2 ? std::atoi(argv[2]) : 300;
  std::vector<Bytes> corpus;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1], ec)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (corpus.empty()) {
    std::fprintf(stderr, "no corpus files in %s\n", argv[1]);
    return 1;
  }
  Run({});
  std::mt19937 random(20261206u);
  for (const auto& input : corpus) {
    Run(input);
    for (int i = 0; i < copies; ++i) Run(Damaged(input, random));
  }
  std::printf("%zu corpus files, %d damaged copies each: no fault\n", corpus.size(), copies);
  return 0;
}
