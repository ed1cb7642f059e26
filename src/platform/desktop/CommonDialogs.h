#pragma once
// The common dialogs (choosing files, a folder, a colour, a font) as a service of the desktop.
// A request is answered, in this order, by a scripted answer of the headless desktop queued for
// its kind, by the installed service (the real desktop shows its stock dialogs), or not at all,
// which counts as cancelled. No answer here is checked against the file system: callers do that.

#include <optional>
#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::desktop {

struct FileFilter {
  std::u16string description;  // "Текстовые файлы (*.txt)"
  std::u16string patterns;     // "*.txt;*.dat"
};

struct FileDialogRequest {
  HWND owner = nullptr;
  bool save = false;
  std::u16string title;
  std::vector<FileFilter> filters;
  int filterIndex = 1;  // 1-based index into filters
  std::u16string initialDir;
  std::u16string fileName;    // proposed name
  std::u16string defaultExt;  // without the dot
  bool multiSelect = false;
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool hideReadOnly = false;
  bool enableSizing = false;
};

struct FileDialogResult {
  std::vector<std::u16string> files;  // full names as chosen, never empty in an answer
  int filterIndex = 0;                // 1-based; 0 leaves the caller's unchanged
};

struct ColorDialogRequest {
  HWND owner = nullptr;
  COLORREF color = 0;
  std::vector<COLORREF> customColors;  // 16 entries
  bool fullOpen = false;
  bool preventFullOpen = false;
  bool solidColor = false;
  bool anyColor = false;
};

struct ColorDialogResult {
  COLORREF color = 0;
  std::vector<COLORREF> customColors;  // empty: unchanged
};

struct FontChoice {
  std::u16string face;
  int pointSize = 0;
  bool bold = false, italic = false, underline = false, strikeOut = false;
  COLORREF color = 0;
  BYTE charset = 1;
};

struct FontDialogRequest {
  HWND owner = nullptr;
  FontChoice font;
  int minSize = 0, maxSize = 0;  // points; 0 = no limit
  bool effects = true;           // underline, strike-out and colour offered
  bool fixedPitchOnly = false;
};

struct FolderDialogRequest {
  HWND owner = nullptr;
  std::u16string caption;
  std::u16string root;       // empty: the whole file system
  std::u16string directory;  // where the dialog starts
};

class CommonDialogService {
 public:
  virtual ~CommonDialogService() = default;
  // Each returns none when the user cancels.
  virtual std::optional<FileDialogResult> ChooseFile(const FileDialogRequest& request) = 0;
  virtual std::optional<ColorDialogResult> ChooseColor(const ColorDialogRequest& request) = 0;
  virtual std::optional<FontChoice> ChooseFont(const FontDialogRequest& request) = 0;
  virtual std::optional<std::u16string> ChooseFolder(const FolderDialogRequest& request) = 0;
};

// Not owned; null removes it. Returns the service installed before.
CommonDialogService* SetCommonDialogService(CommonDialogService* service);
CommonDialogService* GetCommonDialogService();

// Run a dialog: the scripted answer, else the service, else none.
std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request);
std::optional<ColorDialogResult> RunColorDialog(const ColorDialogRequest& request);
std::optional<FontChoice> RunFontDialog(const FontDialogRequest& request);
std::optional<std::u16string> RunFolderDialog(const FolderDialogRequest& request);

// Typed scripted answers, queued with the others ("OpenDialog", "SaveDialog", "ColorDialog",
// "FontDialog", "FolderDialog"); none means the user cancels.
void PushOpenDialogAnswer(std::optional<FileDialogResult> answer);
void PushSaveDialogAnswer(std::optional<FileDialogResult> answer);
void PushColorDialogAnswer(std::optional<ColorDialogResult> answer);
void PushFontDialogAnswer(std::optional<FontChoice> answer);
void PushFolderDialogAnswer(std::optional<std::u16string> answer);

// The requests the dialogs were run with, scripted or not, oldest first (for tests).
struct CommonDialogLog {
  std::vector<FileDialogRequest> files;
  std::vector<ColorDialogRequest> colors;
  std::vector<FontDialogRequest> fonts;
  std::vector<FolderDialogRequest> folders;
};
const CommonDialogLog& CommonDialogHistory();
void ClearCommonDialogHistory();

}  // namespace win::desktop
