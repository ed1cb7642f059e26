// The open and save dialogs: the request made from the properties, and the checks the options
// ask of the chosen names before they are taken.

#include <filesystem>
#include <system_error>

#include "framework/Dialogs.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/kernel/TextConvert.h"

namespace fw {
namespace {

std::vector<win::desktop::FileFilter> ParseFilter(const String& Filter) {
  std::vector<String> parts;
  size_t start = 0;
  while (start <= Filter.size() && !Filter.empty()) {
    size_t bar = Filter.find('|', start);
    if (bar == String::npos) bar = Filter.size();
    parts.push_back(Filter.substr(start, bar - start));
    start = bar + 1;
  }
  // A description without patterns (an odd count) is left out.
  std::vector<win::desktop::FileFilter> filters;
  for (size_t i = 0; i + 1 < parts.size(); i += 2)
    filters.push_back({win::Utf8ToWide(parts[i]), win::Utf8ToWide(parts[i + 1])});
  return filters;
}

}  // namespace

String ReplaceExistingFilesQuestion(const std::vector<String>& FileNames) {
  if (FileNames.size() == 1) return Format("Файл «%s» уже существует.\nЗаменить его?", ExtractFileName(FileNames[0]));
  // A long list would outgrow the box: the first few stand for the rest.
  constexpr size_t kNamed = 3;
  String named;
  for (size_t i = 0; i < FileNames.size() && i < kNamed; ++i)
    named += (i ? ", «" : "«") + ExtractFileName(FileNames[i]) + "»";
  if (FileNames.size() > kNamed) named += Format(" и ещё %d", Int64(FileNames.size() - kNamed));
  return "Файлы " + named + " уже существуют.\nЗаменить их?";
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const String& Value) {
  // Written with or without the dot, kept without it.
  FDefaultExt = !Value.empty() && Value.front() == '.' ? Value.substr(1) : Value;
}

String TOpenDialog::DefaultTitle() const { return IsSaveDialog() ? "Сохранить как" : "Открыть"; }

String TOpenDialog::WithDefaultExt(const String& Name) const {
  if (FDefaultExt.empty() || !ExtractFileExt(Name).empty()) return Name;
  return Name + "." + FDefaultExt;
}

bool TOpenDialog::Acceptable(const String& Name) {
  const String caption = FTitle.empty() ? DefaultTitle() : FTitle;
  auto say = [&](const String& text, win::UINT flags) {
    const WideString t = win::Utf8ToWide(text), c = win::Utf8ToWide(caption);
    return win::MessageBoxW(ParentWindow(), t.c_str(), c.c_str(), flags);
  };
  const String dir = ExtractFileDir(Name);
  if ((FOptions.Contains(ofPathMustExist) || FOptions.Contains(ofFileMustExist)) && !dir.empty() &&
      !DirectoryExists(dir)) {
    say(Format("Путь «%s» не существует.\nПроверьте правильность пути.", dir), win::MB_OK | win::MB_ICONWARNING);
    return false;
  }
  if (FOptions.Contains(ofFileMustExist) && !FileExists(Name)) {
    say(Format("Файл «%s» не найден.\nПроверьте правильность имени файла.", ExtractFileName(Name)),
        win::MB_OK | win::MB_ICONWARNING);
    return false;
  }
  if (IsSaveDialog() && FOptions.Contains(ofOverwritePrompt) && FileExists(Name)) {
    return say(ReplaceExistingFilesQuestion({Name}), win::MB_YESNO | win::MB_ICONWARNING) == win::IDYES;
  }
  return true;
}

bool TOpenDialog::Execute() {
  win::desktop::FileDialogRequest request;
  request.owner = ParentWindow();
  request.save = IsSaveDialog();
  request.title = win::Utf8ToWide(FTitle.empty() ? DefaultTitle() : FTitle);
  request.filters = ParseFilter(FFilter);
  const Integer count = Integer(request.filters.size());
  request.filterIndex = FFilterIndex >= 1 && FFilterIndex <= count ? FFilterIndex : 1;
  request.initialDir = win::Utf8ToWide(FInitialDir);
  request.fileName = win::Utf8ToWide(FFileName);
  request.defaultExt = win::Utf8ToWide(FDefaultExt);
  request.multiSelect = FOptions.Contains(ofAllowMultiSelect);
  request.fileMustExist = FOptions.Contains(ofFileMustExist);
  request.pathMustExist = FOptions.Contains(ofPathMustExist) || request.fileMustExist;
  request.hideReadOnly = FOptions.Contains(ofHideReadOnly);
  request.enableSizing = FOptions.Contains(ofEnableSizing);

  for (;;) {
    auto answer = win::desktop::RunFileDialog(request);
    if (!answer || answer->files.empty()) return false;
    std::vector<String> names;
    const size_t taken = request.multiSelect ? answer->files.size() : 1;
    for (size_t i = 0; i < taken; ++i) names.push_back(WithDefaultExt(win::WideToUtf8(answer->files[i])));
    bool ok = true;
    for (const String& name : names)
      if (!(ok = Acceptable(name))) break;
    if (answer->filterIndex >= 1 && answer->filterIndex <= count) request.filterIndex = answer->filterIndex;
    if (!ok) {
      // Shown again where the user was.
      request.fileName = win::Utf8ToWide(names.front());
      continue;
    }
    FFiles->Clear();
    for (const String& name : names) FFiles->Add(name);
    FFileName = names.front();
    if (answer->filterIndex >= 1 && answer->filterIndex <= count) FFilterIndex = answer->filterIndex;
    if (!FOptions.Contains(ofNoChangeDir)) {
      const String dir = ExtractFileDir(FFileName);
      std::error_code ec;
      if (!dir.empty()) std::filesystem::current_path(std::filesystem::path(dir), ec);
    }
    return true;
  }
}

}  // namespace fw
