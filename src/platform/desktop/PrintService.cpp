#include "platform/desktop/PrintService.h"

#include <atomic>

namespace win::desktop {
namespace {
std::atomic<PrintService*> gService{nullptr};
}

PrintService* SetPrintService(PrintService* service) { return gService.exchange(service); }
PrintService* GetPrintService() { return gService.load(); }

}  // namespace win::desktop
