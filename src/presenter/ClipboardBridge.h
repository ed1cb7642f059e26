#pragma once
// Keeps the desktop's clipboard and ours in step: our text goes to the desktop as UTF-8 text and
// our picture (a bitmap, or a metafile played onto white, which few programs read) as an image;
// text another program places on the desktop's clipboard becomes our CF_UNICODETEXT.

#include <QMetaObject>

#include <optional>
#include <string>

#include "platform/user/services/ClipboardMirror.h"

namespace win::presenter {

class ClipboardBridge final : public ClipboardMirror {
 public:
  // Installs itself as our clipboard's mirror and takes the desktop's current text; the mirror
  // installed before comes back when it goes.
  ClipboardBridge();
  ~ClipboardBridge() override;
  ClipboardBridge(const ClipboardBridge&) = delete;
  ClipboardBridge& operator=(const ClipboardBridge&) = delete;

  void OurClipboardChanged(const std::optional<std::string>& utf8Text) override;
  // Takes what could not be taken earlier because our clipboard was open then.
  void RetryPending();

 private:
  void DesktopChanged();
  void TakeDesktopTextAtStart();
  bool pending_ = false;     // the desktop changed while our clipboard was open
  ClipboardMirror* previous_ = nullptr;
  QMetaObject::Connection connection_;  // to the desktop clipboard's changes
  bool mirroring_ = false;   // we are changing ours from the desktop's: do not echo it back
};

}  // namespace win::presenter
