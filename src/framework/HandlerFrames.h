#pragma once
// The controls whose messages are being handled right now, innermost last. A form released
// while one of its own controls is still inside a handler (a key that pressed its OK button,
// whose click runs a message loop of its own) must outlive that handler: the handler goes on
// touching the control once the inner loop returns.

namespace fw {

class TControl;
class TCustomForm;

// Marks one handler call of a control for as long as it lives.
class THandlerFrame {
 public:
  explicit THandlerFrame(const TControl* Control);
  ~THandlerFrame();
  THandlerFrame(const THandlerFrame&) = delete;
  THandlerFrame& operator=(const THandlerFrame&) = delete;
};

// True when a handler of Form or of a control on it runs below the innermost one (which is
// the handler asking).
bool HandlerRunsBelow(const TCustomForm* Form);
// Form is released again once the last such handler has returned.
void DeferRelease(TCustomForm* Form);
// A form freed meanwhile by other means is forgotten.
void ForgetRelease(const TCustomForm* Form);

}  // namespace fw
