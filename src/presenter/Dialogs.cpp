// Qt's stock dialogs as our common dialogs.

#include "presenter/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTimer>
#include <QWindow>

#include <algorithm>

#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/windows/WinUserTypes.h"
#include "presenter/DesktopPresenter.h"
#include "presenter/DialogConversions.h"

namespace win::presenter {
namespace {

// How often our own messages are handled while a dialog runs Qt's loop.
constexpr int kPumpIntervalMs = 15;

void StartDialogApplication() {
  if (QCoreApplication::instance()) return;
  // As the presenter would start it: our coordinates are device pixels.
  if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // Qt keeps references to argc and argv for the application's lifetime.
  static int argc = 1;
  static char name[] = "korvalin";
  static char* argv[] = {name, nullptr};
  // Never deleted, like the presenter's: fonts live until the process ends.
  new QApplication(argc, argv);
}

// The stock dialogs speak the program's language: Qt's own Russian texts, where installed.
void SpeakRussian() {
  static bool loaded = false;
  if (loaded || !QCoreApplication::instance()) return;
  loaded = true;
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

// Closes what runs above `dialog` and then the dialog, from the top down: the popups (a context
// menu) and the modal windows the stock dialog opened on its own ("file not found", the question
// before deleting a file). Each is closed as Escape closes it, so that a question answers its
// "no" and what it asked is not done. Each such window runs a loop of its own inside the dialog's,
// which ends only with it. A window that refuses to close (a box without a button Escape
// presses) stays, and false says so: the next try may find it gone.
bool CloseFromTheTop(QDialog& dialog) {
  while (QWidget* popup = QApplication::activePopupWidget()) {
    if (!popup->close() && QApplication::activePopupWidget() == popup) return false;
  }
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (!modal->close()) return false;
    if (modal == &dialog) return true;
  }
  // Not (or no longer) modal: only the dialog itself is left to end.
  if (dialog.isVisible()) dialog.reject();
  return true;
}

// Runs a dialog modally for our window `owner`: the owner's top-level window is disabled and our
// messages are handled meanwhile; a quit message ends the dialog as cancelled, with every window
// it opened itself, and stays queued.
int RunModal(QDialog& dialog, HWND owner, const DesktopPresenter* presenter) {
  HWND root = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
  const bool disable = root != nullptr && IsWindowEnabled(root);
  if (disable) EnableWindow(root, FALSE);
  if (presenter != nullptr && root != nullptr) {
    if (QWindow* parent = presenter->NativeWindowOf(root)) {
      dialog.winId();
      if (QWindow* own = dialog.windowHandle()) own->setTransientParent(parent);
    }
  }
  QTimer pump;
  // Once the quit has come our messages are left alone; the timer goes on firing in whatever loop
  // runs above the dialog (a box, a menu) until all of them have closed.
  bool quitting = false;
  QObject::connect(&pump, &QTimer::timeout, &dialog, [&dialog, &quitting, &pump] {
    MSG msg;
    while (!quitting && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        quitting = true;
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (quitting && CloseFromTheTop(dialog)) pump.stop();
  });
  pump.start(kPumpIntervalMs);
  const int result = dialog.exec();
  pump.stop();
  if (disable && IsWindow(root)) EnableWindow(root, TRUE);
  // The keyboard goes back to the owner: without a window manager nothing else gives it back, and
  // the keys would reach whatever window the pointer happens to be over.
  if (presenter != nullptr && root != nullptr && IsWindow(root) && IsWindowVisible(root)) {
    if (QWindow* parent = presenter->NativeWindowOf(root); parent != nullptr && parent->isVisible())
      parent->requestActivate();
  }
  return result;
}

}  // namespace

QtCommonDialogs::QtCommonDialogs() {
  StartDialogApplication();
  SpeakRussian();
  previous_ = desktop::SetCommonDialogService(this);
}

QtCommonDialogs::~QtCommonDialogs() {
  if (desktop::GetCommonDialogService() == this) desktop::SetCommonDialogService(previous_);
}

bool QtCommonDialogs::DialogsAvailable() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

std::optional<desktop::FileDialogResult> QtCommonDialogs::ChooseFile(const desktop::FileDialogRequest& request) {
  if (!DialogsAvailable()) return std::nullopt;
  QFileDialog dialog;
  dialog.setWindowTitle(ToQString(request.title));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (request.save)
    dialog.setFileMode(QFileDialog::AnyFile);
  else if (request.multiSelect)
    dialog.setFileMode(QFileDialog::ExistingFiles);
  else
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // Replacing an existing file is asked by the caller, in our own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  const QStringList filters = QtNameFilters(request.filters);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(request.filterIndex - 1, filters.front()));
  }
  if (!request.initialDir.empty()) dialog.setDirectory(ToQString(request.initialDir));
  if (!request.fileName.empty()) dialog.selectFile(ToQString(request.fileName));
  if (!request.enableSizing) dialog.setSizeGripEnabled(false);
  if (RunModal(dialog, request.owner, presenter_) != QDialog::Accepted) return std::nullopt;
  desktop::FileDialogResult result;
  for (const QString& f : dialog.selectedFiles()) result.files.push_back(FromQString(f));
  if (result.files.empty()) return std::nullopt;
  result.filterIndex = FilterIndexOf(filters, dialog.selectedNameFilter());
  return result;
}

std::optional<desktop::ColorDialogResult> QtCommonDialogs::ChooseColor(const desktop::ColorDialogRequest& request) {
  if (!DialogsAvailable()) return std::nullopt;
  const int count = std::min(QColorDialog::customCount(), int(request.customColors.size()));
  for (int i = 0; i < count; ++i) QColorDialog::setCustomColor(i, ToQColor(request.customColors[size_t(i)]));
  QColorDialog dialog(ToQColor(request.color));
  dialog.setWindowTitle(QStringLiteral("Цвет"));
  if (RunModal(dialog, request.owner, presenter_) != QDialog::Accepted) return std::nullopt;
  desktop::ColorDialogResult result;
  result.color = FromQColor(dialog.selectedColor());
  for (int i = 0; i < count; ++i) result.customColors.push_back(FromQColor(QColorDialog::customColor(i)));
  return result;
}

std::optional<desktop::FontChoice> QtCommonDialogs::ChooseFont(const desktop::FontDialogRequest& request) {
  if (!DialogsAvailable()) return std::nullopt;
  QFontDialog dialog(ToQFont(request.font));
  dialog.setWindowTitle(QStringLiteral("Шрифт"));
  if (request.fixedPitchOnly) dialog.setOption(QFontDialog::MonospacedFonts, true);
  if (RunModal(dialog, request.owner, presenter_) != QDialog::Accepted) return std::nullopt;
  return FromQFont(dialog.selectedFont(), request.font);
}

std::optional<std::u16string> QtCommonDialogs::ChooseFolder(const desktop::FolderDialogRequest& request) {
  if (!DialogsAvailable()) return std::nullopt;
  QFileDialog dialog;
  dialog.setWindowTitle(ToQString(request.caption));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  const std::u16string& start = !request.directory.empty() ? request.directory : request.root;
  if (!start.empty()) dialog.setDirectory(ToQString(start));
  if (RunModal(dialog, request.owner, presenter_) != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return FromQString(chosen.front());
}

}  // namespace win::presenter
