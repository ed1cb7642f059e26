#include "framework/TextFileEncoding.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "platform/kernel/TextConvert.h"
#include "platform/kernel/Utf16.h"

namespace fw {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

std::string_view MarkOf(TTextFileEncoding Encoding) {
  switch (Encoding) {
    case TTextFileEncoding::Utf8Mark:
      return kUtf8Mark;
    case TTextFileEncoding::Utf16LEMark:
      return kUtf16LEMark;
    case TTextFileEncoding::Utf16BEMark:
      return kUtf16BEMark;
    default:
      return {};
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
    if (win::IsPairAt(Text, i))
      ++i;
    else if (win::IsSurrogate(Text[i]))
      return true;
  }
  return false;
}

}  // namespace

TTextFileEncoding DetectTextFileEncoding(std::string_view Bytes) {
  if (Bytes.starts_with(kUtf8Mark)) return TTextFileEncoding::Utf8Mark;
  if (Bytes.starts_with(kUtf16LEMark)) return TTextFileEncoding::Utf16LEMark;
  if (Bytes.starts_with(kUtf16BEMark)) return TTextFileEncoding::Utf16BEMark;
  if (Bytes.find('\0') == std::string_view::npos) return TTextFileEncoding::Bytes;
  // Of each order, the units whose high byte alone is NUL (characters of the first 256: keys,
  // signs and line breaks), the line breaks and whether a printable ASCII sign is among them. A
  // file of bytes has NULs only where it is damaged (a tail of zeros, a stray NUL), which make
  // such units only by chance of where they fall: few of its line breaks are among them.
  struct TOrder {
    std::size_t Latin = 0, LineBreaks = 0;
    bool Sign = false;
  } lowFirst, highFirst;
  const auto count = [](TOrder& order, unsigned char low, unsigned char high) {
    if (high != 0 || low == 0) return;
    ++order.Latin;
    order.LineBreaks += low == '\n' || low == '\r';
    order.Sign |= low > ' ' && low < 0x7F;
  };
  for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
    const unsigned char first = Bytes[i], second = Bytes[i + 1];
    count(lowFirst, first, second);
    count(highFirst, second, first);
  }
  const auto lineEndBytes =
      std::size_t(std::count_if(Bytes.begin(), Bytes.end(), [](char c) { return c == '\n' || c == '\r'; }));
  // A unit with one NUL counts for one order only: the text's own order has the most. Its line
  // breaks are most of the file's CR and LF bytes (a few more stand in other characters).
  const auto text = [&](const TOrder& order, const TOrder& other) {
    return order.Latin > other.Latin && order.Sign && order.LineBreaks > 0 &&
           2 * order.LineBreaks >= lineEndBytes;
  };
  if (text(lowFirst, highFirst)) return TTextFileEncoding::Utf16LE;
  if (text(highFirst, lowFirst)) return TTextFileEncoding::Utf16BE;
  return TTextFileEncoding::Bytes;
}

std::optional<std::string_view> TextOfFile(std::string_view Bytes, TTextFileEncoding Encoding,
                                           std::string& Buffer) {
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

std::string FileBytesOfText(std::string Text, TTextFileEncoding Encoding) {
  const std::string_view mark = MarkOf(Encoding);
  if (!IsUtf16(Encoding)) return std::move(Text.insert(0, mark));
  const std::u16string wide = win::DecodeTextBytes(Text);
  std::string().swap(Text);
  std::string bytes(mark);
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
