#pragma once
// Exceptions and the text, number and file-name helpers the program's units call.

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "framework/ClassesTypes.h"
#include "platform/kernel/Exceptions.h"

namespace fw {

using win::EInvalidOp;
using win::EMathError;
using win::EOverflow;
using win::EZeroDivide;
using win::Exception;

#define KV_FW_EXCEPTION(Name, Base) \
  class Name : public Base {        \
   public:                          \
    using Base::Base;               \
  }
KV_FW_EXCEPTION(EConvertError, Exception);
KV_FW_EXCEPTION(EListError, Exception);
KV_FW_EXCEPTION(EStringListError, Exception);
KV_FW_EXCEPTION(EStreamError, Exception);
KV_FW_EXCEPTION(EFCreateError, EStreamError);
KV_FW_EXCEPTION(EFOpenError, EStreamError);
KV_FW_EXCEPTION(EFilerError, EStreamError);
KV_FW_EXCEPTION(EReadError, EFilerError);
KV_FW_EXCEPTION(EWriteError, EFilerError);
KV_FW_EXCEPTION(EClassNotFound, EFilerError);
KV_FW_EXCEPTION(EResNotFound, Exception);
KV_FW_EXCEPTION(EInvalidOperation, Exception);
KV_FW_EXCEPTION(EComponentError, Exception);
KV_FW_EXCEPTION(EOutOfResources, Exception);
KV_FW_EXCEPTION(EThread, Exception);
KV_FW_EXCEPTION(EIniFileException, Exception);
#undef KV_FW_EXCEPTION

// The silent exception: an application's handler drops it without a message.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};
[[noreturn]] void Abort();

// One argument of Format: an integer, a floating-point number or a text.
using TFormatArg = std::variant<Int64, Extended, String>;

// printf-like formatting: %d %u %x (upper-case hex) %s %g %f %e %n %% with an optional "-" (left
// alignment), width and ".precision" (digits after the separator for f/n/e, minimum digits for
// d/x, maximum characters for s). Floating-point text uses the regional decimal separator.
// A wrong type or a missing argument raises EConvertError.
template <typename T>
TFormatArg ToFormatArg(const T& v) {
  if constexpr (std::is_floating_point_v<T>) {
    return Extended(v);
  } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
    return Int64(v);
  } else {
    return String(v);
  }
}

String FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args);
template <typename... A>
String Format(std::string_view format, const A&... args) {
  return FormatArgs(format, {ToFormatArg(args)...});
}
// Numbers and text.
String IntToStr(Int64 value);
String IntToHex(Int64 value, int digits);
// Decimal with optional blanks in front and a sign; "$" or "0x" starts hexadecimal.
Integer StrToInt(std::string_view text);
Integer StrToIntDef(std::string_view text, Integer def);
bool TryStrToInt(std::string_view text, Integer& value);
// General number text (15 significant digits) with the regional decimal separator.
String FloatToStr(Extended value);
Extended StrToFloat(std::string_view text);
// StrToFloat for a double: a number beyond the double's range is refused as no number is.
double StrToDouble(std::string_view text);
Extended StrToFloatDef(std::string_view text, Extended def);
bool TryStrToFloat(std::string_view text, Extended& value);
// False also for a number beyond the double's range.
bool TryStrToFloat(std::string_view text, double& value);
char DecimalSeparator();

// Text. Trim removes characters up to and including the space at both ends.
String Trim(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);
// ASCII letters only.
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Letters of every script the program shows (Latin, Cyrillic, Greek).
String AnsiUpperCase(std::string_view s);
String AnsiLowerCase(std::string_view s);
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
String QuotedStr(std::string_view s);
// The text between `quote` characters with doubled quotes made single; text not starting with
// `quote` is returned as it is.
String AnsiDequotedStr(std::string_view s, char quote);
enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                     std::initializer_list<TReplaceFlag> flags);
// 1-based position of `sub` in `s` (bytes), 0 when absent.
int Pos(std::string_view sub, std::string_view s);
// `count` bytes from the 1-based `index`, clipped to the text.
String Copy(std::string_view s, int index, int count);
bool IsValidIdent(std::string_view ident);

// File names use "/" as the delimiter.
inline constexpr char PathDelim = '/';
String ExtractFilePath(std::string_view fileName);  // with the trailing delimiter
String ExtractFileDir(std::string_view fileName);   // without it
String ExtractFileName(std::string_view fileName);
String ExtractFileExt(std::string_view fileName);  // with the "."
String ChangeFileExt(std::string_view fileName, std::string_view extension);
String IncludeTrailingPathDelimiter(std::string_view path);
String ExcludeTrailingPathDelimiter(std::string_view path);
bool FileExists(std::string_view fileName);
bool DirectoryExists(std::string_view dir);
bool DeleteFile(std::string_view fileName);
// The system's text for an error number (errno).
String SysErrorMessage(int error);
// The reason given, in the system's manner, for a name that stands for a FIFO, a device or a
// socket where a file is read or written.
inline constexpr char kNotARegularFile[] = "Not a regular file";
// The start of the reason given for a file past the size a reader takes; the sizes follow in
// parentheses: "(N bytes, at most M)", or "(more than M bytes)" for one that grew while read.
inline constexpr char kFileTooLarge[] = "The file is too large";

template <typename T>
void FreeAndNil(T*& object) {
  T* p = object;
  object = nullptr;
  delete p;
}

}  // namespace fw
