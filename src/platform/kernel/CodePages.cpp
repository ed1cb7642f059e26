#include "platform/kernel/CodePages.h"

#include <cstring>
#include <string>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Utf16.h"
#include "platform/kernel/detail/Unicode.h"

namespace win {
namespace {

constexpr UINT kAnsiCodePage = 1251;
constexpr UINT kOemCodePage = 866;

UINT ResolveCodePage(UINT codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP: return kAnsiCodePage;
    case CP_OEMCP: return kOemCodePage;
    case CP_MACCP: return 0;  // no Macintosh page is provided
    default: return codePage;
  }
}

bool IsKnown(UINT resolved) { return resolved == CP_UTF8 || detail::SingleByteHighHalf(resolved) != nullptr; }

template <typename Char>
size_t SourceLength(const Char* text, int count) {
  if (count >= 0) return size_t(count);
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n + 1;  // the terminator is part of the converted text
}

// Copies the result into the caller's buffer, or reports the needed size.
template <typename Char, typename String>
int Deliver(const String& result, Char* out, int outCount) {
  if (result.size() > size_t(0x7FFFFFFF)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (outCount == 0) return int(result.size());
  if (result.size() > size_t(outCount)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (!result.empty()) std::memcpy(out, result.data(), result.size() * sizeof(Char));
  return int(result.size());
}

// Checks the arguments both directions share; the resolved page, or 0 with the last error set.
UINT ValidateCall(UINT codePage, const void* source, int sourceCount, const void* target, int targetCount) {
  if (!source || sourceCount == 0 || sourceCount < -1 || targetCount < 0 || (targetCount > 0 && !target)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const UINT page = ResolveCodePage(codePage);
  if (!IsKnown(page)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return page;
}

}  // namespace

UINT GetACP() { return kAnsiCodePage; }
UINT GetOEMCP() { return kOemCodePage; }
BOOL IsValidCodePage(UINT codePage) { return codePage > CP_THREAD_ACP && IsKnown(codePage) ? TRUE : FALSE; }

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide, int wideCount) {
  const UINT page = ValidateCall(codePage, bytes, byteCount, wide, wideCount);
  if (page == 0) return 0;
  if (page == CP_UTF8 && (flags & ~MB_ERR_INVALID_CHARS) != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const std::string_view source(bytes, SourceLength(bytes, byteCount));
  std::u16string result;
  if (page == CP_UTF8) {
    bool invalid = false;
    result = detail::DecodeUtf8(source, invalid);
    if (invalid && (flags & MB_ERR_INVALID_CHARS)) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  } else {
    const char16_t* high = detail::SingleByteHighHalf(page);
    result.resize(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
      const auto b = static_cast<unsigned char>(source[i]);
      result[i] = b < 0x80 ? char16_t(b) : high[b - 0x80];
    }
  }
  return Deliver(result, wide, wideCount);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR bytes, int byteCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar) {
  const UINT page = ValidateCall(codePage, wide, wideCount, bytes, byteCount);
  if (page == 0) return 0;
  const std::u16string_view source(wide, SourceLength(wide, wideCount));
  std::string result;
  if (page == CP_UTF8) {
    if (defaultChar || usedDefaultChar) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    if ((flags & ~WC_ERR_INVALID_CHARS) != 0) {
      SetLastError(ERROR_INVALID_FLAGS);
      return 0;
    }
    bool invalid = false;
    result = detail::EncodeUtf8(source, invalid);
    if (invalid && (flags & WC_ERR_INVALID_CHARS)) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  } else {
    const char replacement = (defaultChar && *defaultChar) ? *defaultChar : '?';
    bool usedDefault = false;
    result.reserve(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
      const char16_t unit = source[i];
      unsigned char b = 0;
      if (detail::EncodeSingleByte(page, unit, b)) {
        result.push_back(char(b));
        continue;
      }
      if (IsPairAt(source, i)) ++i;  // a surrogate pair is one character, one replacement
      result.push_back(replacement);
      usedDefault = true;
    }
    if (usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  }
  return Deliver(result, bytes, byteCount);
}

}  // namespace win
