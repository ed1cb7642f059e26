#pragma once
// The print service over the system's print queues (CUPS): the queues and the default one as
// the print system lists them with each one's default paper, and jobs handed over as PDF
// documents asking for the paper they were laid out on, with the print system's reason when it
// refuses one. The print system's library is loaded on the first request; where
// it cannot be, there are no queues and a job is refused with the reason.

#include <memory>
#include <string>

#include "platform/desktop/PrintService.h"

namespace win::presenter {

class PrintSystemLibrary;

// The size a standard media name of the print system gives in its last part that reads as one
// ("iso_a4_210x297mm", "na_letter_8.5x11in", also with a variant after it, "..._borderless");
// none for a name without one.
std::optional<desktop::PaperSize> MediaSize(const std::string& name);

class PrintQueues final : public desktop::PrintService {
 public:
  // Installs itself as the desktop's print service; the one before comes back when it goes.
  PrintQueues();
  // `libraryFile` names the print system's library (tests name one that is missing).
  explicit PrintQueues(std::string libraryFile);
  ~PrintQueues() override;
  PrintQueues(const PrintQueues&) = delete;
  PrintQueues& operator=(const PrintQueues&) = delete;

  std::vector<std::string> Queues() override;
  std::string DefaultQueue() override;
  std::optional<desktop::PaperSize> DefaultPaper(const std::string& queue) override;
  std::optional<std::string> Submit(const std::string& queue, const std::string& title,
                                    const std::string& pdf, int copies, const desktop::PaperSize& paper) override;

 private:
  std::unique_ptr<PrintSystemLibrary> library_;
  desktop::PrintService* previous_ = nullptr;
};

}  // namespace win::presenter
