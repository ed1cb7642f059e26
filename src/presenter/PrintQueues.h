#pragma once
// The print service over the system's print queues (CUPS): the queues and the default one as
// the print system lists them, and jobs handed over as PDF documents, with the print system's
// reason when it refuses one.

#include "platform/desktop/PrintService.h"

namespace win::presenter {

class PrintQueues final : public desktop::PrintService {
 public:
  // Installs itself as the desktop's print service; the one before comes back when it goes.
  PrintQueues();
  ~PrintQueues() override;
  PrintQueues(const PrintQueues&) = delete;
  PrintQueues& operator=(const PrintQueues&) = delete;

  std::vector<std::string> Queues() override;
  std::string DefaultQueue() override;
  std::optional<std::string> Submit(const std::string& queue, const std::string& title,
                                    const std::string& pdf, int copies) override;

 private:
  desktop::PrintService* previous_ = nullptr;
};

}  // namespace win::presenter
