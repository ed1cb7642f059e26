#include "presenter/PrintQueues.h"

#include "presenter/PrintSystemLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
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

// The print system's standard name of a sheet (its self-describing form for sizes of no name),
// which every queue maps to its own paper of that size.
std::string MediaName(const desktop::PaperSize& paper) {
  struct Named {
    double width, height;
    const char* name;
  };
  static constexpr Named kNamed[] = {{210, 297, "iso_a4_210x297mm"},    {297, 420, "iso_a3_297x420mm"},
                                     {148, 210, "iso_a5_148x210mm"},    {176, 250, "iso_b5_176x250mm"},
                                     {215.9, 279.4, "na_letter_8.5x11in"}, {215.9, 355.6, "na_legal_8.5x14in"}};
  for (const Named& n : kNamed)
    if (std::abs(n.width - paper.widthMM) < 0.5 && std::abs(n.height - paper.heightMM) < 0.5) return n.name;
  char name[96];
  std::snprintf(name, sizeof name, "custom_%gx%gmm_%gx%gmm", paper.widthMM, paper.heightMM, paper.widthMM,
                paper.heightMM);
  return name;
}

}  // namespace

std::optional<desktop::PaperSize> MediaSize(const std::string& name) {
  // The size is the last part that reads as one: a variant may follow it ("..._borderless").
  for (std::size_t end = name.size(); end != std::string::npos && end > 0;) {
    const std::size_t at = name.rfind('_', end - 1);
    const std::string part = name.substr(at == std::string::npos ? 0 : at + 1, end - (at == std::string::npos ? 0 : at + 1));
    double width = 0, height = 0;
    char unit[3] = {};
    if (std::sscanf(part.c_str(), "%lfx%lf%2[a-z]", &width, &height, unit) == 3 && width > 0 && height > 0) {
      const std::string units(unit);
      if (units == "in") return desktop::PaperSize{width * 25.4, height * 25.4};
      if (units == "mm") return desktop::PaperSize{width, height};
    }
    if (at == std::string::npos) break;
    end = at;
  }
  return std::nullopt;
}

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

std::optional<desktop::PaperSize> PrintQueues::DefaultPaper(const std::string& queue) {
  const PrintSystemCalls* cups = library_->Calls();
  if (!cups) return std::nullopt;
  cups_dest_t* dests = nullptr;
  const int count = cups->GetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::optional<desktop::PaperSize> paper;
  if (cups_dest_t* dest = cups->GetDest(queue.c_str(), nullptr, count, dests)) {
    // The user's choice for the queue, else the queue's own default.
    if (const char* chosen = cups->GetOption("media", dest->num_options, dest->options)) paper = MediaSize(chosen);
    if (!paper) {
      if (cups_dinfo_t* info = cups->CopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t* media = cups->FindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media"))
          if (const char* name = cups->GetString(media, 0, nullptr)) paper = MediaSize(name);
        cups->FreeDestInfo(info);
      }
    }
  }
  cups->FreeDests(count, dests);
  return paper;
}

std::optional<std::string> PrintQueues::Submit(const std::string& queue, const std::string& title,
                                               const std::string& pdf, int copies, const desktop::PaperSize& paper) {
  const PrintSystemCalls* cups = library_->Calls();
  if (!cups) return library_->Failure();
  // The copies are the print system's to make: one job with the count. The paper is asked for
  // by name: without it the queue prints the pages on its own default paper, as they are.
  cups_option_t* options = nullptr;
  int optionCount = 0;
  if (copies > 1) optionCount = cups->AddOption("copies", std::to_string(copies).c_str(), optionCount, &options);
  if (paper.widthMM > 0 && paper.heightMM > 0)
    optionCount = cups->AddOption("media", MediaName(paper).c_str(), optionCount, &options);
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
