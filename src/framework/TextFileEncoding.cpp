#include "framework/TextFileEncoding.h"

#include <cstddef>

#include "platform/kernel/TextConvert.h"
#include "platform/kernel/Utf16.h"

namespace fw {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

std::string_view MarkOf(TTextFileEncoding Encoding) {
  switch (Encoding) {
    case TTextFileEncoding::Utf8Mark: return kUtf8Mark;
    case TTextFileEncoding::Utf16LEMark: return kUtf16LEMark;
    case TTextFileEncoding::Utf16BEMark: return kUtf16BEMark;
    default: return {};
  }
}

bool IsUtf16(TTextFileEncoding Encoding) {
  return Encoding != TTextFileEncoding::Bytes && Encoding != TTextFileEncoding::Utf8Mark;
}

bool HighByteFirst(TTextFileEncoding Encoding) {
  return Encoding == TTextFileEncoding::Utf16BE || Encoding == TTextFileEncoding::Utf16BEMark;
}

bool HasLoneSurrogate(std::u16string_view Text) {
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (win::IsPairAt(Text, i)) ++i;
    else if (win::IsSurrogate(Text[i])) return true;
  }
  return false;
}

}  // namespace

TTextFileEncoding DetectTextFileEncoding(std::string_view Bytes) {
  if (Bytes.starts_with(kUtf8Mark)) return TTextFileEncoding::Utf8Mark;
  if (Bytes.starts_with(kUtf16LEMark)) return TTextFileEncoding::Utf16LEMark;
  if (Bytes.starts_with(kUtf16BEMark)) return TTextFileEncoding::Utf16BEMark;
  if (Bytes.find('\0') == std::string_view::npos) return TTextFileEncoding::Bytes;
  // A unit of two NULs (a file cut short and filled with zeros) counts for neither side.
  std::size_t lowFirst = 0, highFirst = 0;
  const std::size_t units = Bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const bool firstNul = Bytes[2 * i] == '\0', secondNul = Bytes[2 * i + 1] == '\0';
    if (secondNul && !firstNul) ++lowFirst;
    if (firstNul && !secondNul) ++highFirst;
  }
  if (2 * lowFirst > units) return TTextFileEncoding::Utf16LE;
  if (2 * highFirst > units) return TTextFileEncoding::Utf16BE;
  return TTextFileEncoding::Bytes;
}

std::optional<std::string_view> TextOfFile(std::string_view Bytes, TTextFileEncoding Encoding, std::string& Buffer) {
  const std::string_view mark = MarkOf(Encoding);
  if (Bytes.starts_with(mark)) Bytes.remove_prefix(mark.size());
  if (!IsUtf16(Encoding)) return Bytes;
  if (Bytes.size() % 2 != 0) return std::nullopt;
  std::u16string wide(Bytes.size() / 2, u'\0');
  const int high = HighByteFirst(Encoding) ? 0 : 1;
  for (std::size_t i = 0; i < wide.size(); ++i)
    wide[i] = char16_t((unsigned char)Bytes[2 * i + high] << 8 | (unsigned char)Bytes[2 * i + 1 - high]);
  if (HasLoneSurrogate(wide)) return std::nullopt;
  win::WideToUtf8(wide, Buffer);
  return std::string_view(Buffer);
}

std::string FileBytesOfText(std::string_view Text, TTextFileEncoding Encoding) {
  std::string bytes(MarkOf(Encoding));
  if (!IsUtf16(Encoding)) return bytes.append(Text);
  const std::u16string wide = win::DecodeTextBytes(Text);
  bytes.reserve(bytes.size() + 2 * wide.size());
  const bool highFirst = HighByteFirst(Encoding);
  for (const char16_t unit : wide) {
    const char low = char(unit & 0xFF), high = char(unit >> 8);
    bytes += highFirst ? high : low;
    bytes += highFirst ? low : high;
  }
  return bytes;
}

}  // namespace fw
