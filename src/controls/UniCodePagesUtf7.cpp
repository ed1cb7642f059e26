#include <array>
#include <cstdint>

#include "controls/UniCodePages.h"

namespace cs {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kDirect = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:?";
constexpr std::string_view kSpaces = "\t\r\n ";
constexpr std::string_view kOptionalDirect = "!\"#$%&*;<=>@[]^_`{|}";

// The four tables of the codec: made at compile time, so nothing needs building or guarding.
struct Utf7Tables {
  std::array<int16_t, 128> inverseBase64{};
  std::array<uint8_t, 128> mustShiftSafe{};
  std::array<uint8_t, 128> mustShiftOptional{};
  constexpr Utf7Tables() {
    for (int c = 0; c < 128; ++c) {
      inverseBase64[size_t(c)] = -1;
      mustShiftSafe[size_t(c)] = 1;
      mustShiftOptional[size_t(c)] = 1;
    }
    for (int i = 0; i < 64; ++i) inverseBase64[size_t(kBase64[i])] = int16_t(i);
    for (char c : kDirect) mustShiftSafe[size_t(c)] = mustShiftOptional[size_t(c)] = 0;
    for (char c : kSpaces) mustShiftSafe[size_t(c)] = mustShiftOptional[size_t(c)] = 0;
    for (char c : kOptionalDirect) mustShiftOptional[size_t(c)] = 0;
  }
};
constexpr Utf7Tables kTables;

bool IsBase64(uint32_t c) { return c < 128 && kTables.inverseBase64[c] >= 0; }

}  // namespace

TUtf7Result Utf7Encode(std::u16string_view Source, char* Target, std::size_t TargetSize, bool AlwaysCloseShift,
                       bool AllowOptionalDirect, std::size_t& SourceUsed, std::size_t& TargetUsed) {
  const auto& mustShift = AllowOptionalDirect ? kTables.mustShiftOptional : kTables.mustShiftSafe;
  std::size_t in = 0, out = 0;
  bool shifted = false;
  uint32_t bits = 0;
  int bitCount = 0;
  auto put = [&](char c) {
    if (out >= TargetSize) return false;
    Target[out++] = c;
    return true;
  };
  auto finish = [&](TUtf7Result result) {
    SourceUsed = in;
    TargetUsed = out;
    return result;
  };
  for (;;) {
    const bool done = in >= Source.size();
    const uint32_t r = done ? 0 : Source[in];
    const bool needShift = !done && (r > 127 || mustShift[r] == 1);
    if (needShift && !shifted) {
      if (!put('+')) return finish(utf7TargetFull);
      if (r == u'+') {
        if (!put('-')) return finish(utf7TargetFull);
      } else {
        shifted = true;
      }
    }
    if (shifted) {
      if (needShift) {
        bits = (bits << 16) | r;
        bitCount += 16;
      } else {
        const int pad = (6 - bitCount % 6) % 6;
        bits <<= pad;
        bitCount += pad;
      }
      while (bitCount >= 6) {
        bitCount -= 6;
        if (!put(kBase64[(bits >> bitCount) & 0x3F])) return finish(utf7TargetFull);
      }
      bits &= (1u << bitCount) - 1;
      if (!needShift) {
        if (AlwaysCloseShift || (!done && (IsBase64(r) || r == u'-'))) {
          if (!put('-')) return finish(utf7TargetFull);
        }
        shifted = false;
      }
    }
    if (!needShift && !done) {
      if (!put(char(r))) return finish(utf7TargetFull);
    }
    if (done) return finish(utf7Ok);
    // A "+" written as "+-" and every other character are taken here.
    ++in;
  }
}

TUtf7Result Utf7Decode(std::string_view Source, char16_t* Target, std::size_t TargetSize, std::size_t& SourceUsed,
                       std::size_t& TargetUsed) {
  std::size_t in = 0, out = 0;
  TUtf7Result result = utf7Ok;
  bool shifted = false, first = false, wroteOne = false;
  uint32_t bits = 0;
  int bitCount = 0;
  auto put = [&](char16_t c) {
    if (out >= TargetSize) return false;
    Target[out++] = c;
    return true;
  };
  auto finish = [&](TUtf7Result r) {
    SourceUsed = in;
    TargetUsed = out;
    return r;
  };
  for (;;) {
    bool done = in >= Source.size();
    uint32_t c = done ? 0 : static_cast<unsigned char>(Source[in++]);
    if (shifted) {
      const bool endOfRun = done || !IsBase64(c);
      if (endOfRun) {
        shifted = false;
        bool plusMinus = false;
        if (!done && c == u'-') {
          plusMinus = first;
          // The "-" closes the run; the byte after it is taken at once.
          done = in >= Source.size();
          c = done ? 0 : static_cast<unsigned char>(Source[in++]);
          if (plusMinus && !put(u'+')) return finish(utf7TargetFull);
        }
        if (!wroteOne && !plusMinus) result = utf7Invalid;
      } else {
        bits = (bits << 6) | uint32_t(kTables.inverseBase64[c]);
        bitCount += 6;
        first = false;
      }
      if (bitCount >= 16) {
        bitCount -= 16;
        if (!put(char16_t((bits >> bitCount) & 0xFFFF))) return finish(utf7TargetFull);
        wroteOne = true;
      }
      bits &= (1u << bitCount) - 1;
      if (endOfRun) {
        if (bits != 0) result = utf7Invalid;
        bits = 0;
        bitCount = 0;
      }
    }
    if (!shifted && !done) {
      if (c == u'+') {
        shifted = true;
        first = true;
        wroteOne = false;
      } else {
        if (c > 127) result = utf7Invalid;
        if (!put(char16_t(c))) return finish(utf7TargetFull);
      }
    }
    if (done) return finish(result);
  }
}

String WideToUtf7(std::u16string_view W) {
  if (W.empty()) return {};
  String out(W.size() * 7, '\0');
  std::size_t used = 0, written = 0;
  if (Utf7Encode(W, out.data(), out.size(), false, true, used, written) != utf7Ok)
    throw EUniInternalError("Buffer overflow");
  out.resize(written);
  return out;
}

WideString Utf7ToWide(std::string_view S) {
  if (S.empty()) return {};
  WideString out(S.size(), u'\0');
  std::size_t used = 0, written = 0;
  switch (Utf7Decode(S, out.data(), out.size(), used, written)) {
    case utf7Invalid: throw EUniGeneralError("Invalid UTF7");
    case utf7TargetFull: throw EUniInternalError("Buffer overflow");
    case utf7Ok: break;
  }
  out.resize(written);
  return out;
}

}  // namespace cs
