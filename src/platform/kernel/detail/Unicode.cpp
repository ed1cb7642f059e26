#include "platform/kernel/detail/Unicode.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/kernel/Utf16.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KV_UTF8_BLOCKS 1
#endif

namespace win::detail {

namespace {

// Eight bytes at once: whether none has a bit above 7 set.
inline bool AsciiBytes8(const unsigned char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return (v & 0x8080808080808080ULL) == 0;
}

#ifdef KV_UTF8_BLOCKS
bool HasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}

// Characters of one or two bytes (ASCII, Latin, Cyrillic), eight input bytes at a time: the
// characters that start in those bytes are gathered by a shuffle chosen by where they start.
struct Utf8DecodeTables {
  alignas(16) uint8_t first[256][16];   // per output unit: the byte the character starts with
  alignas(16) uint8_t second[256][16];  // and the byte after it
  uint8_t count[256];
  constexpr Utf8DecodeTables() : first{}, second{}, count{} {
    for (int starts = 0; starts < 256; ++starts) {
      int unit = 0;
      for (int at = 0; at < 8; ++at) {
        if (!(starts & (1 << at))) continue;
        first[starts][2 * unit] = uint8_t(at);
        first[starts][2 * unit + 1] = 0x80;
        second[starts][2 * unit] = uint8_t(at + 1);
        second[starts][2 * unit + 1] = 0x80;
        ++unit;
      }
      count[starts] = uint8_t(unit);
      for (int k = 2 * unit; k < 16; ++k) first[starts][k] = second[starts][k] = 0x80;
    }
  }
};
constexpr Utf8DecodeTables kDecodeTables;

// Decodes while the text is ASCII or two-byte characters; returns the bytes done (always at a
// character boundary). Anything else (longer forms, bad bytes) is left to the caller.
__attribute__((target("ssse3"))) size_t DecodeBlocks(const unsigned char* src, size_t n, char16_t*& dst) {
  const __m128i contMask = _mm_set1_epi8(char(0xC0)), contBits = _mm_set1_epi8(char(0x80));
  const __m128i leadMask = _mm_set1_epi8(char(0xE0)), leadBits = _mm_set1_epi8(char(0xC0));
  const __m128i overlongMask = _mm_set1_epi8(char(0xFE));
  const __m128i low5 = _mm_set1_epi16(0x1F), low6 = _mm_set1_epi16(0x3F), asciiTop = _mm_set1_epi16(0x80);
  size_t i = 0;
  char16_t* out = dst;
  while (i + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const int nonAscii = _mm_movemask_epi8(v);
    if (nonAscii == 0) {
      const __m128i zero = _mm_setzero_si128();
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(v, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(v, zero));
      out += 16;
      i += 16;
      continue;
    }
    const int cont = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, contMask), contBits));
    const int lead = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, leadMask), leadBits)) &
                     ~_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, overlongMask), leadBits));
    const int ascii = ~nonAscii & 0xFFFF;
    // Bytes 0..7 are all of the three kinds, every continuation follows a lead, and a lead in
    // byte 7 has its continuation in byte 8.
    if (((ascii | cont | lead) & 0xFF) != 0xFF || (cont & 0xFF) != ((lead << 1) & 0xFF) ||
        ((lead & 0x80) && !(cont & 0x100)))
      break;
    const int starts = ~cont & 0xFF;
    const __m128i a = _mm_shuffle_epi8(v, _mm_load_si128(reinterpret_cast<const __m128i*>(kDecodeTables.first[starts])));
    const __m128i b = _mm_shuffle_epi8(v, _mm_load_si128(reinterpret_cast<const __m128i*>(kDecodeTables.second[starts])));
    const __m128i two = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(a, low5), 6), _mm_and_si128(b, low6));
    const __m128i isAscii = _mm_cmplt_epi16(a, asciiTop);
    const __m128i units = _mm_or_si128(_mm_and_si128(isAscii, a), _mm_andnot_si128(isAscii, two));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), units);
    out += kDecodeTables.count[starts];
    i += 8 + ((lead >> 7) & 1);
  }
  dst = out;
  return i;
}
#endif

}  // namespace

// Both codecs size the output once for the worst case and write through a pointer: converting
// large texts (files, clipboard) is dominated by these loops.
std::u16string DecodeUtf8(std::string_view bytes, bool& invalid) {
  std::u16string out;
  DecodeUtf8(bytes, out, invalid);
  return out;
}

void DecodeUtf8(std::string_view bytes, std::u16string& out, bool& invalid) {
  const size_t n = bytes.size();
  out.resize(n + 16);  // never more units than bytes, and room for a block's whole store
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  char16_t* dst = out.data();
  size_t i = 0;
#ifdef KV_UTF8_BLOCKS
  const bool blocks = HasSsse3();
#endif
  while (i < n) {
#ifdef KV_UTF8_BLOCKS
    if (blocks && i + 16 <= n) {
      const size_t done = DecodeBlocks(src + i, n - i, dst);
      i += done;
      if (done > 0) continue;
    }
#endif
    if (i + 8 <= n && AsciiBytes8(src + i)) {
      for (int k = 0; k < 8; ++k) dst[k] = char16_t(src[i + size_t(k)]);
      dst += 8;
      i += 8;
      continue;
    }
    const unsigned char b0 = src[i];
    if (b0 < 0x80) {
      *dst++ = char16_t(b0);
      ++i;
      continue;
    }
    // The common two- and three-byte forms first (Cyrillic, punctuation, CJK).
    if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < n && (src[i + 1] & 0xC0) == 0x80) {
      *dst++ = char16_t(((b0 & 0x1F) << 6) | (src[i + 1] & 0x3F));
      i += 2;
      continue;
    }
    int length = 0;
    uint32_t cp = 0;
    // Allowed range of the second byte, which rules out overlongs, surrogates and > U+10FFFF.
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      cp = b0 & 0x0F;
      if (b0 == 0xE0) lo = 0xA0;
      if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      cp = b0 & 0x07;
      if (b0 == 0xF0) lo = 0x90;
      if (b0 == 0xF4) hi = 0x8F;
    } else {
      invalid = true;
      *dst++ = kReplacementChar;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 1; k < length; ++k, ++j) {
      if (j >= n) {
        ok = false;
        break;
      }
      const unsigned char b = src[j];
      const unsigned char low = (k == 1) ? lo : 0x80, high = (k == 1) ? hi : 0xBF;
      if (b < low || b > high) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok) {
      // The lead byte and the valid continuation bytes read so far form one replaced unit.
      invalid = true;
      *dst++ = kReplacementChar;
      i = j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *dst++ = char16_t(0xD800 + (cp >> 10));
      *dst++ = char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      *dst++ = char16_t(cp);
    }
    i = j;
  }
  out.resize(size_t(dst - out.data()));
}

namespace {

// Bytes of the UTF-8 form, when the text holds no surrogate; SIZE_MAX when it does.
size_t Utf8LengthWithoutSurrogates(const char16_t* src, size_t n) {
  size_t length = n;
  uint32_t surrogates = 0;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t c = src[i];
    length += size_t(c >= 0x80) + size_t(c >= 0x800);
    surrogates |= uint32_t((c & 0xF800) == 0xD800);
  }
  return surrogates ? SIZE_MAX : length;
}

}  // namespace

std::string EncodeUtf8(std::u16string_view text, bool& invalid) {
  std::string out;
  EncodeUtf8(text, out, invalid);
  return out;
}

namespace {

// One unit below the surrogates as one, two or three bytes, chosen without branches (Cyrillic
// and Latin interleave too often for a branch to be predicted); four bytes are stored.
inline unsigned char* EncodeUnit(uint32_t cp, unsigned char* dst) {
  const uint32_t two = (0xC0 | (cp >> 6)) | ((0x80 | (cp & 0x3F)) << 8);
  const uint32_t three = (0xE0 | (cp >> 12)) | ((0x80 | ((cp >> 6) & 0x3F)) << 8) | ((0x80 | (cp & 0x3F)) << 16);
  const uint32_t atLeast2 = uint32_t(cp >= 0x80), atLeast3 = uint32_t(cp >= 0x800);
  const uint32_t m2 = 0u - atLeast2, m3 = 0u - atLeast3;  // all ones when true
  const uint32_t value = (cp & ~m2) | (two & m2 & ~m3) | (three & m3);
  std::memcpy(dst, &value, 4);
  return dst + 1 + atLeast2 + atLeast3;
}

#ifdef KV_UTF8_BLOCKS
// Eight units below U+0800 at a time: every unit is made into its two-byte form (ASCII units
// keep their one byte), and a byte shuffle chosen by which units are ASCII packs the bytes.
struct Utf8BlockTables {
  alignas(16) uint8_t shuffle[256][16];
  uint8_t length[256];
  constexpr Utf8BlockTables() : shuffle{}, length{} {
    for (int mask = 0; mask < 256; ++mask) {
      int at = 0;
      for (int lane = 0; lane < 8; ++lane) {
        shuffle[mask][at++] = uint8_t(2 * lane);
        if (!(mask & (1 << lane))) shuffle[mask][at++] = uint8_t(2 * lane + 1);
      }
      length[mask] = uint8_t(at);
      while (at < 16) shuffle[mask][at++] = 0x80;
    }
  }
};
constexpr Utf8BlockTables kBlockTables;

// Encodes whole blocks while every unit of the block is below U+0800; returns the units done.
__attribute__((target("ssse3"))) size_t EncodeBlocks(const char16_t* src, size_t n, unsigned char*& dst) {
  const __m128i above2 = _mm_set1_epi16(short(0xF800)), above1 = _mm_set1_epi16(short(0xFF80));
  const __m128i low6 = _mm_set1_epi16(0x3F), leadBits = _mm_set1_epi16(0xC0), trailBits = _mm_set1_epi16(0x80);
  const __m128i zero = _mm_setzero_si128();
  size_t i = 0;
  unsigned char* out = dst;
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, above2), zero)) != 0xFFFF) break;
    const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(v, above1), zero);
    const int mask = _mm_movemask_epi8(_mm_packs_epi16(ascii, zero)) & 0xFF;
    const __m128i lead = _mm_or_si128(_mm_srli_epi16(v, 6), leadBits);
    const __m128i trail = _mm_or_si128(_mm_and_si128(v, low6), trailBits);
    const __m128i two = _mm_or_si128(lead, _mm_slli_epi16(trail, 8));
    const __m128i units = _mm_or_si128(_mm_and_si128(ascii, v), _mm_andnot_si128(ascii, two));
    const __m128i packed =
        _mm_shuffle_epi8(units, _mm_load_si128(reinterpret_cast<const __m128i*>(kBlockTables.shuffle[mask])));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), packed);
    out += kBlockTables.length[mask];
  }
  dst = out;
  return i;
}

#endif

}  // namespace

void EncodeUtf8(std::u16string_view text, std::string& out, bool& invalid) {
  const size_t n = text.size();
  const char16_t* src = text.data();
  const size_t exact = Utf8LengthWithoutSurrogates(src, n);
  const bool plain = exact != SIZE_MAX;
  // Units are stored four bytes (a block sixteen) at a time, of which their length counts.
  out.resize((plain ? exact : n * 3) + 16);
  auto* dst = reinterpret_cast<unsigned char*>(out.data());
  size_t i = 0;
  if (plain) {
#ifdef KV_UTF8_BLOCKS
    const bool blocks = HasSsse3();
#else
    const bool blocks = false;
#endif
    while (i < n) {
#ifdef KV_UTF8_BLOCKS
      if (blocks) i += EncodeBlocks(src + i, n - i, dst);
#endif
      // A block with a unit from U+0800 on (or the tail) goes unit by unit.
      const size_t end = (blocks && i + 8 < n) ? i + 8 : n;
      for (; i < end; ++i) dst = EncodeUnit(src[i], dst);
    }
  } else {
    while (i < n) {
      uint32_t cp = src[i];
      if (IsSurrogate(char16_t(cp))) {
        if (IsPairAt(text, i)) {
          cp = CombineSurrogates(src[i], src[i + 1]);
          dst[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
          dst[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
          dst[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
          dst[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
          dst += 4;
          i += 2;
          continue;
        }
        invalid = true;
        cp = kReplacementChar;
      }
      dst = EncodeUnit(cp, dst);
      ++i;
    }
  }
  out.resize(size_t(dst - reinterpret_cast<unsigned char*>(out.data())));
}

namespace {

// Windows Cyrillic; 0x98 is undefined.
constexpr char16_t kCp1251[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// Windows Western; 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined.
constexpr char16_t kCp1252Controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// DOS Cyrillic (the OEM page of the Russian locale).
constexpr char16_t kCp866[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429,
    0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436,
    0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407,
    0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

constexpr std::array<char16_t, 128> MakeCp1252() {
  std::array<char16_t, 128> table{};
  for (int i = 0; i < 32; ++i) table[size_t(i)] = kCp1252Controls[i];
  for (int i = 32; i < 128; ++i) table[size_t(i)] = char16_t(0x80 + i);
  return table;
}
constexpr std::array<char16_t, 128> kCp1252 = MakeCp1252();

// ISO 8859-1: identity.
constexpr std::array<char16_t, 128> MakeLatin1() {
  std::array<char16_t, 128> table{};
  for (int i = 0; i < 128; ++i) table[size_t(i)] = char16_t(0x80 + i);
  return table;
}
constexpr std::array<char16_t, 128> kLatin1 = MakeLatin1();

}  // namespace

const char16_t* SingleByteHighHalf(UINT codePage) {
  switch (codePage) {
    case 1251: return kCp1251;
    case 1252: return kCp1252.data();
    case 866: return kCp866;
    case 28591: return kLatin1.data();
    default: return nullptr;
  }
}

bool EncodeSingleByte(UINT codePage, char16_t unit, unsigned char& byte) {
  if (unit < 0x80) {
    byte = static_cast<unsigned char>(unit);
    return true;
  }
  if (codePage == 1251 && unit >= 0x0410 && unit <= 0x044F) {
    // The Russian alphabet, by far the most common case, is one contiguous run.
    byte = static_cast<unsigned char>(0xC0 + (unit - 0x0410));
    return true;
  }
  const char16_t* high = SingleByteHighHalf(codePage);
  if (!high) return false;
  // 128 entries: a linear scan is cheaper than building and guarding a reverse index.
  for (int i = 0; i < 128; ++i) {
    if (high[i] == unit) {
      byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

}  // namespace win::detail
