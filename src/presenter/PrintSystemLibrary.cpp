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
  PrintSystemCalls& c = calls_;
  ok_ = Resolve(handle, "cupsLastError", c.LastError, failure_) &
        Resolve(handle, "cupsLastErrorString", c.LastErrorString, failure_) &
        Resolve(handle, "cupsGetDests2", c.GetDests2, failure_) & Resolve(handle, "cupsGetDest", c.GetDest, failure_) &
        Resolve(handle, "cupsFreeDests", c.FreeDests, failure_) & Resolve(handle, "cupsAddOption", c.AddOption, failure_) &
        Resolve(handle, "cupsFreeOptions", c.FreeOptions, failure_) &
        Resolve(handle, "cupsCreateJob", c.CreateJob, failure_) &
        Resolve(handle, "cupsStartDocument", c.StartDocument, failure_) &
        Resolve(handle, "cupsWriteRequestData", c.WriteRequestData, failure_) &
        Resolve(handle, "cupsFinishDocument", c.FinishDocument, failure_) &
        Resolve(handle, "cupsCancelJob2", c.CancelJob2, failure_);
  return ok_ ? &calls_ : nullptr;
}

}  // namespace win::presenter
