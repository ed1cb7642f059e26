#pragma once
// Replaces the window-system link for one test and puts back whatever was installed before
// (the window core installs its own when the desktop is first used).

#include <utility>

#include "platform/user/services/SysWindowLink.h"

namespace win::testing_support {

class ScopedSysWindowLink {
 public:
  explicit ScopedSysWindowLink(SysWindowLink replacement = {}) : saved_(CurrentSysWindowLink()) {
    SetSysWindowLink(std::move(replacement));
  }
  ~ScopedSysWindowLink() { SetSysWindowLink(saved_); }
  ScopedSysWindowLink(const ScopedSysWindowLink&) = delete;
  ScopedSysWindowLink& operator=(const ScopedSysWindowLink&) = delete;

 private:
  SysWindowLink saved_;
};

}  // namespace win::testing_support
