#pragma once
// The real desktop's common dialogs: Qt's stock file, folder, colour and font dialogs answer the
// requests of our dialog components. While one is open the window it belongs to is disabled and
// our own messages keep being handled, so our windows repaint behind it.

#include "platform/desktop/CommonDialogs.h"

namespace win::presenter {

class DesktopPresenter;

class QtCommonDialogs final : public desktop::CommonDialogService {
 public:
  // Starts a Qt application that can show dialogs unless a Qt application runs already, and
  // installs itself as the dialog service. Make it before the DesktopPresenter, which then keeps
  // the application started here.
  QtCommonDialogs();
  // Puts back the service installed before.
  ~QtCommonDialogs() override;
  QtCommonDialogs(const QtCommonDialogs&) = delete;
  QtCommonDialogs& operator=(const QtCommonDialogs&) = delete;

  // The presenter whose native windows the dialogs stay above (not owned; null for none).
  void SetPresenter(const DesktopPresenter* presenter) { presenter_ = presenter; }
  // False when the Qt application running was started without dialogs (a plain GUI one): every
  // dialog then counts as cancelled.
  static bool DialogsAvailable();

  std::optional<desktop::FileDialogResult> ChooseFile(const desktop::FileDialogRequest& request) override;
  std::optional<desktop::ColorDialogResult> ChooseColor(const desktop::ColorDialogRequest& request) override;
  std::optional<desktop::FontChoice> ChooseFont(const desktop::FontDialogRequest& request) override;
  std::optional<std::u16string> ChooseFolder(const desktop::FolderDialogRequest& request) override;

 private:
  const DesktopPresenter* presenter_ = nullptr;
  desktop::CommonDialogService* previous_ = nullptr;
};

}  // namespace win::presenter
