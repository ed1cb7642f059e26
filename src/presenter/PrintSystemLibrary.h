#pragma once
// The print system's client library (CUPS), loaded when a queue is first asked for rather than
// with the program: it and the libraries it brings (encryption, name services) would otherwise
// be loaded and relocated at every start.

#include <cups/cups.h>

#include <string>
#include <utility>

namespace win::presenter {

// The entry points the print service calls: X(member, library name), listed once for the members
// and for looking them up.
#define KV_PRINT_SYSTEM_CALLS(X)                                                                  \
  X(LastError, cupsLastError)                                                                     \
  X(LastErrorString, cupsLastErrorString)                                                         \
  X(GetDests2, cupsGetDests2)                                                                     \
  X(GetDest, cupsGetDest)                                                                         \
  X(FreeDests, cupsFreeDests)                                                                     \
  X(CopyDestInfo, cupsCopyDestInfo)                                                               \
  X(FreeDestInfo, cupsFreeDestInfo)                                                               \
  X(FindDestDefault, cupsFindDestDefault)                                                         \
  X(GetString, ippGetString)                                                                      \
  X(GetOption, cupsGetOption)                                                                     \
  X(AddOption, cupsAddOption)                                                                     \
  X(FreeOptions, cupsFreeOptions)                                                                 \
  X(CreateJob, cupsCreateJob)                                                                     \
  X(StartDocument, cupsStartDocument)                                                             \
  X(WriteRequestData, cupsWriteRequestData)                                                       \
  X(FinishDocument, cupsFinishDocument)                                                           \
  X(CancelJob2, cupsCancelJob2)

struct PrintSystemCalls {
#define KV_PRINT_SYSTEM_MEMBER(member, name) decltype(&name) member = nullptr;
  KV_PRINT_SYSTEM_CALLS(KV_PRINT_SYSTEM_MEMBER)
#undef KV_PRINT_SYSTEM_MEMBER
};

// CUPS 2 keeps this name for its whole interface generation.
inline constexpr char kPrintSystemLibraryFile[] = "libcups.so.2";

class PrintSystemLibrary {
 public:
  explicit PrintSystemLibrary(std::string file = kPrintSystemLibraryFile) : file_(std::move(file)) {}

  // The calls, the library loaded on the first request (and kept loaded for the process, whose
  // print system threads may outlive any call); null when it cannot be loaded or lacks one.
  const PrintSystemCalls* Calls();
  // Why Calls() gave null.
  const std::string& Failure() const { return failure_; }

 private:
  std::string file_;
  bool tried_ = false;
  bool ok_ = false;
  PrintSystemCalls calls_;
  std::string failure_;
};

}  // namespace win::presenter
