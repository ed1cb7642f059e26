// The message trace (see detail/MessageTrace.h).

#include "platform/user/detail/MessageTrace.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/kernel/TextConvert.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {

bool MessageTraceFromEnvironment() {
  const char* v = std::getenv("KV_TRACE_MESSAGES");
  return v && *v && std::strcmp(v, "0") != 0;
}

void TraceMessage(const char* how, const WindowObj& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::string cls = w.cls ? WideToUtf8(w.cls->name) : std::string();
  std::fprintf(stderr, "[msg] %s %s (0x%04X) to %p \"%s\" wParam=0x%" PRIXPTR " lParam=0x%" PRIXPTR "\n", how,
               MessageName(msg).c_str(), unsigned(msg), static_cast<void*>(w.hwnd), cls.c_str(), uintptr_t(wParam),
               uintptr_t(lParam));
}

}  // namespace win::user
