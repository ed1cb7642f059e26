#pragma once
// The encodings a text file that the program reads and writes back may come in, so that a file
// an editor saved in UTF-16 is read as text and written back in UTF-16, never as its bytes. A
// byte-order mark says which form a file is in; without one, UTF-16 is told by its NUL bytes:
// text of ASCII keys, signs and line breaks has a NUL in every other byte, which a file of bytes
// has only where it is damaged.

#include <optional>
#include <string>
#include <string_view>

namespace fw {

enum class TTextFileEncoding {
  Bytes,        // UTF-8, or Windows Cyrillic line by line, without a mark
  Utf8Mark,     // UTF-8 after its mark EF BB BF
  Utf16LE,      // UTF-16 of the low byte first, without a mark
  Utf16LEMark,  // the same after its mark FF FE
  Utf16BE,      // UTF-16 of the high byte first, without a mark
  Utf16BEMark,  // the same after its mark FE FF
};

// The reason given, in the system's manner, for a file in UTF-16 that does not read as text.
inline constexpr char kDamagedUtf16Text[] = "The file's UTF-16 text is damaged";

// The encoding of a file's bytes: its mark; else, when it holds NUL bytes, UTF-16 of the byte
// order in which more characters of the first 256 (a NUL high byte) stand than in the other,
// a printable ASCII sign among them, and line breaks that make at least half of the file's CR
// and LF bytes; else bytes.
TTextFileEncoding DetectTextFileEncoding(std::string_view Bytes);

// The text of a file's bytes in Encoding: for the byte forms, the bytes after the mark as they
// stand (a reader decodes them line by line); UTF-16 turned into UTF-8 in Buffer. None for UTF-16
// that would not come back the same once written (an odd byte at the end, a lone surrogate): such
// a file is left as it is rather than rewritten garbled.
std::optional<std::string_view> TextOfFile(std::string_view Bytes, TTextFileEncoding Encoding,
                                           std::string& Buffer);

// Text (UTF-8; a line that is not UTF-8 is taken as Windows Cyrillic, as in a file of bytes) as
// the bytes of a file in Encoding, its mark first. For the byte forms Text itself, not a copy
// (a large file is not held twice while it is written).
std::string FileBytesOfText(std::string Text, TTextFileEncoding Encoding);

}  // namespace fw
