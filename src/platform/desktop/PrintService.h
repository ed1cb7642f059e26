#pragma once
// The system's print queues as a service of the desktop: the real desktop installs one over the
// print system; without one there are no queues (the PDF printer of the framework still is).
// A job is handed over whole, as a PDF document, once it has ended.

#include <optional>
#include <string>
#include <vector>

namespace win::desktop {

// A sheet as the print system names it: width and height in millimetres, portrait.
struct PaperSize {
  double widthMM = 0;
  double heightMM = 0;
};

class PrintService {
 public:
  virtual ~PrintService() = default;
  // Every queue's name (UTF-8), in the print system's order.
  virtual std::vector<std::string> Queues() = 0;
  // The queue the system prints to by default; empty when it names none.
  virtual std::string DefaultQueue() = 0;
  // The paper the queue prints on unless a job asks for another; none when the print system
  // does not say (or the queue has gone).
  virtual std::optional<PaperSize> DefaultPaper(const std::string& queue) = 0;
  // Hands the document to the queue, to be printed Copies times (one job) on Paper, the sheet
  // its pages were laid out for. None when the print system took the job; else its reason for
  // refusing: one of the reasons below, or the print system's own words for any other.
  virtual std::optional<std::string> Submit(const std::string& queue, const std::string& title,
                                            const std::string& pdf, int copies, const PaperSize& paper) = 0;
};

// The reasons Submit gives for the refusals a user meets, in these words, so that the program can
// say them in its own.
inline constexpr char kQueueGone[] = "the queue no longer exists";
inline constexpr char kQueueNotAcceptingJobs[] = "the queue is not accepting jobs";
inline constexpr char kPrintSystemNotAnswering[] = "the print system did not answer";
// Said in place of a reason when no service is installed.
inline constexpr char kNoPrintSystem[] = "there is no print system";

// Not owned; null removes it. Returns the service installed before.
PrintService* SetPrintService(PrintService* service);
PrintService* GetPrintService();

}  // namespace win::desktop
