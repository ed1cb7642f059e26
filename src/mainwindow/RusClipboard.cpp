#include "mainwindow/RusClipboard.h"

#include <cstdint>

#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace workspace {

void TRusClipboard::PutLocale() {
  const std::uint32_t locale = RussianLocale;
  win::HGLOBAL block = win::GlobalAllocCopy(&locale, sizeof locale);
  if (block && !win::SetClipboardData(win::CF_LOCALE, block)) win::GlobalFree(block);
}

void TRusClipboard::Open() {
  bool first = OpenRefCount() == 0;
  fw::TClipboard::Open();
  if (first) PutLocale();
}

void TRusClipboard::Close() {
  if (OpenRefCount() == 1) PutLocale();
  fw::TClipboard::Close();
}

}  // namespace workspace
