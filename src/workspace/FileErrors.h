#pragma once
// Errors about files as the user reads them: in Russian, naming the file and the system's
// reason. The framework's streams raise them in their own words ("Cannot create file ...",
// "Stream write error. ..."); the routines that read and write files for the user say them again
// through these.

#include <exception>
#include <utility>

#include "framework/ClassesTypes.h"
#include "framework/SysUtils.h"

namespace workspace {

using fw::String;

enum TFileAccess { faRead, faWrite };

// The system's reason for an error number: Russian for the common ones, the system's text else.
String SystemReasonText(int Error);
// The reason said for a FIFO, a device or a socket where a file is read or written.
inline constexpr char kNotARegularFileReason[] = "это не обычный файл";
// The reason said for a file in UTF-16 that does not read as text (an odd byte at its end, half
// of a character pair): it is left as it is.
inline constexpr char kDamagedUtf16Reason[] = "текст файла в кодировке UTF-16 повреждён";

// "Не удается записать файл "<FileName>": <reason>" (or "прочитать"), the reason taken from E
// (a framework stream error) in Russian; E's own text when it names no reason.
String FileErrorMessage(const std::exception& E, const String& FileName, TFileAccess Access);

// Called while E is being handled: E raised again, of the same class, with FileErrorMessage as
// its text when it is about the file (creating, opening, writing, reading it), else unchanged.
[[noreturn]] void RaiseFileError(const fw::EStreamError& E, const String& FileName, TFileAccess Access);

// Runs Work; a stream error it raises comes out again with FileErrorMessage as its text.
template <typename F>
void WithFileErrors(const String& FileName, TFileAccess Access, F&& Work) {
  try {
    std::forward<F>(Work)();
  } catch (const fw::EStreamError& e) {
    RaiseFileError(e, FileName, Access);
  }
}

}  // namespace workspace
