#pragma once
// The print system's client library (CUPS), loaded when a queue is first asked for rather than
// with the program: it and the libraries it brings (encryption, name services) would otherwise
// be loaded and relocated at every start.

#include <cups/cups.h>

#include <string>
#include <utility>

namespace win::presenter {

// The entry points the print service calls.
struct PrintSystemCalls {
  decltype(&cupsLastError) LastError = nullptr;
  decltype(&cupsLastErrorString) LastErrorString = nullptr;
  decltype(&cupsGetDests2) GetDests2 = nullptr;
  decltype(&cupsGetDest) GetDest = nullptr;
  decltype(&cupsFreeDests) FreeDests = nullptr;
  decltype(&cupsAddOption) AddOption = nullptr;
  decltype(&cupsFreeOptions) FreeOptions = nullptr;
  decltype(&cupsCreateJob) CreateJob = nullptr;
  decltype(&cupsStartDocument) StartDocument = nullptr;
  decltype(&cupsWriteRequestData) WriteRequestData = nullptr;
  decltype(&cupsFinishDocument) FinishDocument = nullptr;
  decltype(&cupsCancelJob2) CancelJob2 = nullptr;
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
