#include "presenter/PrintSystemLibrary.h"

#include <dlfcn.h>

namespace win::presenter {
namespace {

template <class F>
bool Resolve(void* handle, const char* name, F& slot, std::string& failure) {
  slot = reinterpret_cast<F>(dlsym(handle, name));
  if (slot == nullptr && failure.empty()) failure = std::string("the print system library lacks ") + name;
  return slot != nullptr;
}

}  // namespace

const PrintSystemCalls* PrintSystemLibrary::Calls() {
  if (tried_) return ok_ ? &calls_ : nullptr;
  tried_ = true;
  void* handle = dlopen(file_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = dlerror();
    failure_ = "the print system library could not be loaded (" + std::string(error ? error : file_) + ")";
    return nullptr;
  }
  // The failure names the first entry point missing.
  ok_ = true;
#define KV_PRINT_SYSTEM_RESOLVE(member, name) ok_ = Resolve(handle, #name, calls_.member, failure_) && ok_;
  KV_PRINT_SYSTEM_CALLS(KV_PRINT_SYSTEM_RESOLVE)
#undef KV_PRINT_SYSTEM_RESOLVE
  return ok_ ? &calls_ : nullptr;
}

}  // namespace win::presenter
