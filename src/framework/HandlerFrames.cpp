#include "framework/HandlerFrames.h"

#include <algorithm>
#include <vector>

#include "framework/Controls.h"
#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "platform/user/messages/MessageQueue.h"

namespace fw {

namespace {

// The pointers are only compared, never followed: a control may free itself in its handler.
thread_local std::vector<const TControl*> tFrames;
thread_local std::vector<TCustomForm*> tDeferred;

bool Holds(const TWinControl* Parent, const TControl* Control) {
  if (Parent == Control) return true;
  for (Integer i = 0; i < Parent->ControlCount(); ++i) {
    const TControl* child = Parent->Controls(i);
    if (child == Control) return true;
    if (child->IsWindowed() && Holds(static_cast<const TWinControl*>(child), Control)) return true;
  }
  return false;
}

bool Runs(const TCustomForm* Form, std::size_t Frames) {
  for (std::size_t i = 0; i < Frames; ++i)
    if (Holds(Form, tFrames[i])) return true;
  return false;
}

}  // namespace

THandlerFrame::THandlerFrame(const TControl* Control) { tFrames.push_back(Control); }

THandlerFrame::~THandlerFrame() {
  tFrames.pop_back();
  if (tDeferred.empty()) return;
  // Posted rather than freed here: the handler that just returned is still on the stack.
  for (std::size_t i = 0; i < tDeferred.size();) {
    TCustomForm* form = tDeferred[i];
    if (Runs(form, tFrames.size())) {
      ++i;
      continue;
    }
    tDeferred.erase(tDeferred.begin() + std::ptrdiff_t(i));
    win::PostMessageW(form->Handle(), CM_RELEASE, 0, 0);
  }
}

bool HandlerRunsBelow(const TCustomForm* Form) {
  return !tFrames.empty() && Runs(Form, tFrames.size() - 1);
}

void DeferRelease(TCustomForm* Form) {
  if (std::find(tDeferred.begin(), tDeferred.end(), Form) == tDeferred.end()) tDeferred.push_back(Form);
}

void ForgetRelease(const TCustomForm* Form) {
  tDeferred.erase(std::remove(tDeferred.begin(), tDeferred.end(), Form), tDeferred.end());
}

}  // namespace fw
