// The dialogs' common ground: the window they are modal to, the folder dialog, the printer set-up
// placeholder and the application's message box.

#include "framework/Dialogs.h"

#include "framework/Forms.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

namespace {
win::HWND ActiveFormWindow() {
  if (Screen == nullptr) return nullptr;
  TCustomForm* form = Screen->ActiveForm();
  return form != nullptr && form->HandleAllocated() ? form->Handle() : nullptr;
}
}  // namespace

win::HWND TCommonDialog::ParentWindow() { return ActiveFormWindow(); }

bool SelectDirectory(const String& Caption, const String& Root, String& Directory) {
  win::desktop::FolderDialogRequest request;
  request.owner = ActiveFormWindow();
  request.caption = win::Utf8ToWide(Caption);
  request.root = win::Utf8ToWide(Root);
  request.directory = win::Utf8ToWide(Directory);
  auto chosen = win::desktop::RunFolderDialog(request);
  if (!chosen || chosen->empty()) return false;
  Directory = win::WideToUtf8(*chosen);
  return true;
}

Integer AppMessageBox(const String& Text, Integer Flags) {
  const WideString caption = win::Utf8ToWide(Application != nullptr ? Application->Title() : String());
  const WideString text = win::Utf8ToWide(Text);
  return win::MessageBoxW(ActiveFormWindow(), text.c_str(), caption.c_str(), win::UINT(Flags));
}

}  // namespace fw
