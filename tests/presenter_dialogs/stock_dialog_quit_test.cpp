// A quit message (how a session's end reaches the loops) while a stock dialog shows a window of its
// own above itself: the box saying a file or folder is not there, the question before deleting a
// file, the file list's context menu. The dialog ends as cancelled with everything it opened, the
// quit stays queued for the loop outside, and the question answers its "no".

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "PresenterFixture.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "presenter/Dialogs.h"

namespace kvtest {
namespace {

using namespace win;
namespace fs = std::filesystem;

// The stock dialogs need a widget application: made before the presenter, which then keeps it,
// as the program makes it.
class StockDialogs : public ::testing::Environment {
 public:
  void SetUp() override { dialogs = std::make_unique<presenter::QtCommonDialogs>(); }
  void TearDown() override { dialogs.reset(); }
  static inline std::unique_ptr<presenter::QtCommonDialogs> dialogs;
};
[[maybe_unused]] const auto* const kStockDialogs = ::testing::AddGlobalTestEnvironment(new StockDialogs);

constexpr WPARAM kQuitCode = 7;
// Past this a window left above the dialog after the quit counts as stuck, and the test closes it
// itself so that it ends.
constexpr int kStuckAfterMs = 3000;
// Past this without the window, the dialog is cancelled and the test fails.
constexpr int kNeverCameAfterMs = 10000;

// What opens the window above the dialog, called on each tick while the dialog is alone until it
// says it has done so; it acts through queued calls, since the window runs a loop of its own.
using BringUp = std::function<bool(QFileDialog&)>;

// The popup or modal window above `dialog`, if any.
QWidget* AboveDialog(QWidget* dialog) {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  QWidget* modal = QApplication::activeModalWidget();
  return modal != dialog ? modal : nullptr;
}

// Drives the stock dialog from Qt's side while it runs: brings the window up, posts the quit once
// it shows, and notes whether it was still there long after.
class Driver {
 public:
  explicit Driver(BringUp bringUp) : bringUp_(std::move(bringUp)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(20);
    since_.start();
  }

  std::string seen;    // the class of the window that showed above the dialog
  bool stuck = false;  // and it was still there kStuckAfterMs after the quit

 private:
  void Tick() {
    if (dialog_ == nullptr) dialog_ = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog_ == nullptr) return;
    if (!quitPosted_) {
      if (QWidget* above = AboveDialog(dialog_)) {
        seen = above->metaObject()->className();
        PostQuitMessage(int(kQuitCode));
        quitPosted_ = true;
        since_.restart();
      } else if (since_.elapsed() > kNeverCameAfterMs) {
        dialog_->reject();  // the window never came: the test fails on `seen` (left empty)
        timer_.stop();
      } else if (!broughtUp_) {
        broughtUp_ = bringUp_(*dialog_);
      }
      return;
    }
    if (since_.elapsed() < kStuckAfterMs) return;
    while (QWidget* above = AboveDialog(dialog_)) {
      stuck = true;
      if (!above->close()) break;
    }
    if (stuck) dialog_->reject();
    timer_.stop();
  }

  BringUp bringUp_;
  QTimer timer_;
  QElapsedTimer since_;
  QPointer<QFileDialog> dialog_;
  bool broughtUp_ = false;
  bool quitPosted_ = false;
};

// The dialog's list of files as it shows (a list or a table, as the user last chose).
QAbstractItemView* FileList(QFileDialog& dialog) {
  for (const char* name : {"listView", "treeView"}) {
    auto* view = dialog.findChild<QAbstractItemView*>(QLatin1String(name));
    if (view != nullptr && view->isVisible()) return view;
  }
  return nullptr;
}

// `name` typed into the dialog's name field and Enter pressed there.
bool TypeAndAccept(QFileDialog& dialog, const fs::path& name) {
  auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (field == nullptr) return false;
  field->setText(QString::fromStdString(name.string()));
  QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
  return true;
}

class StockDialogQuitTest : public PresenterTest {
 protected:
  void SetUp() override {
    PresenterTest::SetUp();
    ASSERT_TRUE(StockDialogs::dialogs && presenter::QtCommonDialogs::DialogsAvailable());
    StockDialogs::dialogs->SetPresenter(&Presenter());
    folder_ = fs::temp_directory_path() / ("kv-stock-dialog-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    std::ofstream(folder_ / "victim.txt") << "1 2\n";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    PresenterTest::TearDown();
  }

  desktop::FileDialogRequest OpenRequest() const {
    desktop::FileDialogRequest request;
    request.title = u"Открыть";
    request.initialDir = Utf8ToWide(folder_.string());
    request.fileMustExist = true;
    return request;
  }

  // The quit was taken off the queue by the dialog and put back, its code kept.
  static bool QuitQueued() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
      if (m.message == WM_QUIT) return m.wParam == kQuitCode;
    return false;
  }

  fs::path folder_;
};

TEST_F(StockDialogQuitTest, QuitEndsTheFileDialogBehindItsNotFoundBox) {
  Driver driver([this](QFileDialog& d) { return TypeAndAccept(d, folder_ / "no such file.txt"); });
  EXPECT_FALSE(StockDialogs::dialogs->ChooseFile(OpenRequest())) << "the dialog ends as cancelled";
  EXPECT_EQ(driver.seen, "QMessageBox") << "the box showed";
  EXPECT_FALSE(driver.stuck) << "the box outlived the quit";
  EXPECT_TRUE(QuitQueued());
}

TEST_F(StockDialogQuitTest, QuitEndsTheFolderDialogBehindItsNotFoundBox) {
  Driver driver([this](QFileDialog& d) { return TypeAndAccept(d, folder_ / "no such folder"); });
  desktop::FolderDialogRequest request;
  request.caption = u"Выбор каталога";
  request.directory = Utf8ToWide(folder_.string());
  EXPECT_FALSE(StockDialogs::dialogs->ChooseFolder(request));
  EXPECT_EQ(driver.seen, "QMessageBox");
  EXPECT_FALSE(driver.stuck);
  EXPECT_TRUE(QuitQueued());
}

TEST_F(StockDialogQuitTest, QuitEndsTheFileDialogBehindItsContextMenu) {
  Driver driver([](QFileDialog& d) {
    QAbstractItemView* view = FileList(d);
    if (view == nullptr) return false;
    QMetaObject::invokeMethod(view, [view] { emit view->customContextMenuRequested(QPoint(4, 4)); },
                              Qt::QueuedConnection);
    return true;
  });
  EXPECT_FALSE(StockDialogs::dialogs->ChooseFile(OpenRequest()));
  EXPECT_EQ(driver.seen, "QMenu");
  EXPECT_FALSE(driver.stuck);
  EXPECT_TRUE(QuitQueued());
}

TEST_F(StockDialogQuitTest, QuitAnswersNoToTheDeleteQuestion) {
  // The file selected in the list, then the dialog's own Delete (asked first whether the folder
  // is write protected while the dialog has not read it yet; either question does).
  const fs::path victim = folder_ / "victim.txt";
  Driver driver([&victim](QFileDialog& d) {
    auto* list = d.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    auto* model = list != nullptr ? qobject_cast<QFileSystemModel*>(list->model()) : nullptr;
    auto* remove = d.findChild<QAction*>(QStringLiteral("qt_delete_action"));
    if (model == nullptr || remove == nullptr) return false;
    const QModelIndex file = model->index(QString::fromStdString(victim.string()));
    if (!file.isValid()) return false;
    list->selectionModel()->select(file, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    remove->setEnabled(true);
    QMetaObject::invokeMethod(remove, &QAction::trigger, Qt::QueuedConnection);
    return true;
  });
  EXPECT_FALSE(StockDialogs::dialogs->ChooseFile(OpenRequest()));
  EXPECT_EQ(driver.seen, "QMessageBox");
  EXPECT_FALSE(driver.stuck);
  EXPECT_TRUE(QuitQueued());
  EXPECT_TRUE(fs::exists(victim)) << "the question was answered yes";
}

}  // namespace
}  // namespace kvtest
