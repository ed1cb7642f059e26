#include "presenter/PrintQueues.h"

#include "presenter/PrintSystemLibrary.h"

#include <algorithm>
#include <string>
#include <utility>

namespace win::presenter {
namespace {

// The print system's reason for the last failure, never empty: the service's words for the
// refusals a user meets, the print system's own for any other.
std::string LastReason(const PrintSystemCalls& cups) {
  switch (cups.LastError()) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
      return desktop::kQueueNotAcceptingJobs;
    case IPP_STATUS_ERROR_NOT_FOUND:
      return desktop::kQueueGone;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
      return desktop::kPrintSystemNotAnswering;
    default:
      break;
  }
  const char* text = cups.LastErrorString();
  return text && *text ? text : desktop::kPrintSystemNotAnswering;
}

}  // namespace

PrintQueues::PrintQueues() : PrintQueues(kPrintSystemLibraryFile) {}

PrintQueues::PrintQueues(std::string libraryFile)
    : library_(std::make_unique<PrintSystemLibrary>(std::move(libraryFile))),
      previous_(desktop::SetPrintService(this)) {}

PrintQueues::~PrintQueues() {
  if (desktop::GetPrintService() == this) desktop::SetPrintService(previous_);
}

std::vector<std::string> PrintQueues::Queues() {
  const PrintSystemCalls* cups = library_->Calls();
  if (!cups) return {};
  cups_dest_t* dests = nullptr;
  const int count = cups->GetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i)
    if (dests[i].instance == nullptr) names.emplace_back(dests[i].name);  // instances share their queue
  cups->FreeDests(count, dests);
  return names;
}

std::string PrintQueues::DefaultQueue() {
  const PrintSystemCalls* cups = library_->Calls();
  if (!cups) return {};
  cups_dest_t* dests = nullptr;
  const int count = cups->GetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::string name;
  if (cups_dest_t* d = cups->GetDest(nullptr, nullptr, count, dests)) name = d->name;
  cups->FreeDests(count, dests);
  return name;
}

std::optional<std::string> PrintQueues::Submit(const std::string& queue, const std::string& title,
                                               const std::string& pdf, int copies) {
  const PrintSystemCalls* cups = library_->Calls();
  if (!cups) return library_->Failure();
  // The copies are the print system's to make: one job with the count.
  cups_option_t* options = nullptr;
  int optionCount = 0;
  if (copies > 1) optionCount = cups->AddOption("copies", std::to_string(copies).c_str(), optionCount, &options);
  // A queue that is gone or does not accept jobs refuses to make one.
  const int job = cups->CreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), optionCount, options);
  cups->FreeOptions(optionCount, options);
  if (job == 0) {
    std::string reason = LastReason(*cups);
    // The print system's words for a missing queue, and for itself not answering, are the same
    // file error: asking for the queues tells which happened.
    const std::vector<std::string> queues = Queues();
    if (cups->LastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) return desktop::kPrintSystemNotAnswering;
    if (std::find(queues.begin(), queues.end(), queue) == queues.end()) return desktop::kQueueGone;
    return reason;
  }
  if (cups->StartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1) !=
          HTTP_STATUS_CONTINUE ||
      cups->WriteRequestData(CUPS_HTTP_DEFAULT, pdf.data(), pdf.size()) != HTTP_STATUS_CONTINUE) {
    std::string reason = LastReason(*cups);
    cups->FinishDocument(CUPS_HTTP_DEFAULT, queue.c_str());
    cups->CancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
    return reason;
  }
  if (cups->FinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
    std::string reason = LastReason(*cups);
    cups->CancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
    return reason;
  }
  return std::nullopt;
}

}  // namespace win::presenter
